#pragma once
// Adaptive Huffman tree of the LZH codec (internal to lzh*.cpp). The tree
// keeps the sibling property: freq[0..T-1] is in ascending order and nodes
// 2k, 2k+1 are siblings, so a symbol's code is read off its node indices.

#include "lzhtables.h"

#include <cstring>

namespace tarnivo::lzh {

inline void StartHuff(Tables& t)
{
    for (int i = 0; i < N_CHAR; ++i) {
        t.freq[i] = 1;
        t.son[i] = static_cast<std::int16_t>(i + T);
        t.prnt[i + T] = static_cast<std::int16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        t.freq[j] = static_cast<std::uint16_t>(t.freq[i] + t.freq[i + 1]);
        t.son[j] = static_cast<std::int16_t>(i);
        t.prnt[i] = t.prnt[i + 1] = static_cast<std::int16_t>(j);
    }
    t.freq[T] = 0xFFFF;
    t.prnt[R] = 0;
}

// Halves every leaf frequency and builds the tree anew. Entries are shifted
// whole: LZHUF compiled with 32-bit ints moved only half of them, which the
// 16-bit reference (and therefore the skin files) never did.
inline void reconst(Tables& t)
{
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (t.son[i] >= T) {
            t.freq[j] = static_cast<std::uint16_t>((t.freq[i] + 1) / 2);
            t.son[j] = t.son[i];
            ++j;
        }
    }
    for (int i = 0, node = N_CHAR; node < T; i += 2, ++node) {
        const unsigned f = static_cast<unsigned>(t.freq[i]) + t.freq[i + 1];
        int k = node - 1;
        while (f < t.freq[k])
            --k;
        ++k;  // after any equal entries
        const std::size_t moved = static_cast<std::size_t>(node - k);
        std::memmove(&t.freq[k + 1], &t.freq[k], moved * sizeof t.freq[0]);
        t.freq[k] = static_cast<std::uint16_t>(f);
        std::memmove(&t.son[k + 1], &t.son[k], moved * sizeof t.son[0]);
        t.son[k] = static_cast<std::int16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
        const int k = t.son[i];
        if (k >= T)
            t.prnt[k] = static_cast<std::int16_t>(i);
        else
            t.prnt[k] = t.prnt[k + 1] = static_cast<std::int16_t>(i);
    }
}

// Counts one more occurrence of symbol c and restores the ordering by
// swapping each incremented node with the last node of lower frequency.
inline void update(Tables& t, int c)
{
    if (t.freq[R] == MAX_FREQ)
        reconst(t);
    c = t.prnt[c + T];
    do {
        const unsigned k = ++t.freq[c];
        int l = c + 1;
        if (k > t.freq[l]) {
            // freq[T] = 0xFFFF stops the scan.
            while (k > t.freq[++l]) {
            }
            --l;
            t.freq[c] = t.freq[l];
            t.freq[l] = static_cast<std::uint16_t>(k);

            const int i = t.son[c];
            t.prnt[i] = static_cast<std::int16_t>(l);
            if (i < T)
                t.prnt[i + 1] = static_cast<std::int16_t>(l);

            const int j = t.son[l];
            t.son[l] = static_cast<std::int16_t>(i);
            t.prnt[j] = static_cast<std::int16_t>(c);
            if (j < T)
                t.prnt[j + 1] = static_cast<std::int16_t>(c);
            t.son[c] = static_cast<std::int16_t>(j);

            c = l;
        }
    } while ((c = t.prnt[c]) != 0);
}

} // namespace tarnivo::lzh
