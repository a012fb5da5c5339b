#pragma once
// Match search of the LZH encoder (internal to lzh*.cpp): one binary search
// tree of ring-buffer positions per first byte.

#include "lzhtables.h"

#include <cstring>

namespace tarnivo::lzh {

struct Match {
    int position = 0;  // distance - 1
    int length = 0;
};

inline void InitTree(Tables& t)
{
    for (int i = N + 1; i <= N + 256; ++i)
        t.rson[i] = NIL;
    for (int i = 0; i < N; ++i)
        t.dad[i] = NIL;
}

// Length of the common run of key[1..F-1] and other[1..F-1], counting the
// first byte (equal by the tree choice) so a full match gives F. Compares
// eight bytes at a time; the buffers are read within text_buf only.
inline int CommonLength(const std::uint8_t* key, const std::uint8_t* other)
{
    int i = 1;
    for (; i + 8 <= F; i += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, key + i, 8);
        std::memcpy(&b, other + i, 8);
        if (const std::uint64_t diff = a ^ b) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
            return i + __builtin_ctzll(diff) / 8;
#else
            while (key[i] == other[i])
                ++i;
            return i;
#endif
        }
    }
    while (i < F && key[i] == other[i])
        ++i;
    return i;
}

// Hangs position r into its tree and reports the longest match met on the
// way (nearest position on ties); a full F-byte match replaces the old node.
inline Match InsertNode(Tables& t, int r)
{
    const std::uint8_t* key = &t.text_buf[r];
    int cmp = 1;
    int p = N + 1 + key[0];
    t.rson[r] = t.lson[r] = NIL;
    Match match;
    for (;;) {
        if (cmp >= 0) {
            if (t.rson[p] != NIL) {
                p = t.rson[p];
            } else {
                t.rson[p] = static_cast<std::int16_t>(r);
                t.dad[r] = static_cast<std::int16_t>(p);
                return match;
            }
        } else {
            if (t.lson[p] != NIL) {
                p = t.lson[p];
            } else {
                t.lson[p] = static_cast<std::int16_t>(r);
                t.dad[r] = static_cast<std::int16_t>(p);
                return match;
            }
        }
        const int i = CommonLength(key, &t.text_buf[p]);
        cmp = i < F ? key[i] - t.text_buf[p + i] : 0;
        if (i > THRESHOLD) {
            const int position = ((r - p) & (N - 1)) - 1;
            if (i > match.length) {
                match.position = position;
                match.length = i;
                if (i >= F)
                    break;
            } else if (i == match.length && position < match.position) {
                match.position = position;
            }
        }
    }
    // Full match: r takes p's place in the tree.
    t.dad[r] = t.dad[p];
    t.lson[r] = t.lson[p];
    t.rson[r] = t.rson[p];
    t.dad[t.lson[p]] = static_cast<std::int16_t>(r);
    t.dad[t.rson[p]] = static_cast<std::int16_t>(r);
    if (t.rson[t.dad[p]] == p)
        t.rson[t.dad[p]] = static_cast<std::int16_t>(r);
    else
        t.lson[t.dad[p]] = static_cast<std::int16_t>(r);
    t.dad[p] = NIL;
    return match;
}

inline void DeleteNode(Tables& t, int p)
{
    if (t.dad[p] == NIL)
        return;
    int q;
    if (t.rson[p] == NIL) {
        q = t.lson[p];
    } else if (t.lson[p] == NIL) {
        q = t.rson[p];
    } else {
        q = t.lson[p];
        if (t.rson[q] != NIL) {
            do {
                q = t.rson[q];
            } while (t.rson[q] != NIL);
            t.rson[t.dad[q]] = t.lson[q];
            t.dad[t.lson[q]] = t.dad[q];
            t.lson[q] = t.lson[p];
            t.dad[t.lson[p]] = static_cast<std::int16_t>(q);
        }
        t.rson[q] = t.rson[p];
        t.dad[t.rson[p]] = static_cast<std::int16_t>(q);
    }
    t.dad[q] = t.dad[p];
    if (t.rson[t.dad[p]] == p)
        t.rson[t.dad[p]] = static_cast<std::int16_t>(q);
    else
        t.lson[t.dad[p]] = static_cast<std::int16_t>(q);
    t.dad[p] = NIL;
}

} // namespace tarnivo::lzh
