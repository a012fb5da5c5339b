#pragma once
// The LZH encoder and decoder loops (internal to lzh*.cpp), generic over
// their byte source, bit reader and byte sink so the one-byte callbacks and
// the buffered stream path run the very same code.

#include "lzhbits.h"
#include "lzhhuffman.h"
#include "lzhtree.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarnivo::lzh {

template <class Writer>
void EncodeChar(Tables& t, Writer& out, int c)
{
    // Walk from the leaf to the root; each node's index parity is its bit.
    unsigned code = 0;
    int length = 0;
    int k = t.prnt[c + T];
    do {
        code >>= 1;
        if (k & 1)
            code += 0x8000;
        ++length;
    } while ((k = t.prnt[k]) != R);
    out.Putcode(length, static_cast<std::uint16_t>(code));
    update(t, c);
}

template <class Writer>
void EncodePosition(Writer& out, int position)
{
    const int upper = position >> 6;
    out.Putcode(Positions.p_len[upper], static_cast<std::uint16_t>(Positions.p_code[upper] << 8));
    out.Putcode(6, static_cast<std::uint16_t>((position & 0x3F) << 10));
}

template <class Reader>
int DecodeChar(Tables& t, Reader& in)
{
    int c = t.son[R];
    while (c < T)
        c = t.son[c + in.GetBit()];
    c -= T;
    update(t, c);
    return c;
}

template <class Reader>
int DecodePosition(Reader& in)
{
    int i = in.GetByte();
    const int upper = Positions.d_code[i] << 6;
    for (int j = Positions.d_len[i] - 2; j > 0; --j)
        i = (i << 1) + in.GetBit();
    return upper | (i & 0x3F);
}

inline void ClearRing(Tables& t)
{
    std::memset(t.text_buf, ' ', N - F);
    std::memset(t.text_buf + (N - F), 0, sizeof t.text_buf - (N - F));
}

// Source: bool Get(std::uint8_t&), false once the input is exhausted (and
// never asked again). Answers the number of input bytes consumed.
template <class Source, class Writer>
std::int32_t Encode(Tables& t, Source& source, Writer& out)
{
    StartHuff(t);
    InitTree(t);
    ClearRing(t);
    int s = 0;
    int r = N - F;
    int len = 0;
    bool more = true;
    std::uint8_t byte = 0;
    while (len < F && (more = source.Get(byte)))
        t.text_buf[r + len++] = byte;
    std::int32_t textsize = len;
    // Nothing to pack: no code bits at all, so an empty block is 4 bytes.
    if (len == 0)
        return 0;
    for (int i = 1; i <= F; ++i)
        InsertNode(t, r - i);
    Match match = InsertNode(t, r);
    do {
        match.length = std::min(match.length, len);
        if (match.length <= THRESHOLD) {
            match.length = 1;
            EncodeChar(t, out, t.text_buf[r]);
        } else {
            EncodeChar(t, out, 255 - THRESHOLD + match.length);
            EncodePosition(out, match.position);
        }
        const int last_match_length = match.length;
        int i = 0;
        for (; i < last_match_length && more && (more = source.Get(byte)); ++i) {
            DeleteNode(t, s);
            t.text_buf[s] = byte;
            if (s < F - 1)
                t.text_buf[s + N] = byte;
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            match = InsertNode(t, r);
        }
        textsize += i;
        for (; i < last_match_length; ++i) {
            DeleteNode(t, s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len)
                match = InsertNode(t, r);
        }
    } while (len > 0);
    out.EncodeEnd();
    return textsize;
}

// A quicker search for the same code: the decoder takes any match that
// points at bytes it has already produced, so the greedy match with the
// latest position of the same three bytes (one probe of a hash table) is as
// valid as the tree's longest one; it packs somewhat worse, several times
// faster. Works on the whole input in memory. Answers the bytes consumed.
template <class Writer>
std::int32_t EncodeQuick(Tables& t, const std::uint8_t* data, std::int32_t size, Writer& out)
{
    StartHuff(t);
    if (size == 0)
        return 0;
    constexpr int HashBits = 13;
    std::vector<std::int32_t> latest(std::size_t{1} << HashBits, -1);
    auto slot = [data](std::int32_t at) {
        const std::uint32_t three = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16);
        return (three * 2654435761u) >> (32 - HashBits);
    };
    std::int32_t at = 0;
    while (at < size) {
        int length = 0;
        std::int32_t distance = 0;
        if (size - at > THRESHOLD) {
            const std::uint32_t h = slot(at);
            const std::int32_t earlier = latest[h];
            latest[h] = at;
            // Within the window the tree search keeps (N - F positions back).
            if (earlier >= 0 && at - earlier <= N - F) {
                const int limit = static_cast<int>(std::min<std::int32_t>(F, size - at));
                while (length < limit && data[earlier + length] == data[at + length])
                    ++length;
                distance = at - earlier;
            }
        }
        if (length <= THRESHOLD) {
            EncodeChar(t, out, data[at]);
            ++at;
            continue;
        }
        EncodeChar(t, out, 255 - THRESHOLD + length);
        EncodePosition(out, distance - 1);
        for (std::int32_t k = at + 1; k < at + length && size - k > THRESHOLD; ++k)
            latest[slot(k)] = k;
        at += length;
    }
    out.EncodeEnd();
    return size;
}

// Sink: void Put(std::uint8_t). Produces exactly length bytes.
template <class Reader, class Sink>
void Decode(Tables& t, Reader& in, Sink& sink, std::int32_t length)
{
    StartHuff(t);
    ClearRing(t);
    int r = N - F;
    for (std::int32_t count = 0; count < length;) {
        const int c = DecodeChar(t, in);
        if (c < 256) {
            sink.Put(static_cast<std::uint8_t>(c));
            t.text_buf[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) & (N - 1);
            ++count;
        } else {
            const int from = (r - DecodePosition(in) - 1) & (N - 1);
            // A corrupt block may end inside a match; the output still stops
            // at the length its header promised.
            const int n = static_cast<int>(std::min<std::int32_t>(c - 255 + THRESHOLD, length - count));
            for (int k = 0; k < n; ++k) {
                const std::uint8_t b = t.text_buf[(from + k) & (N - 1)];
                sink.Put(b);
                t.text_buf[r] = b;
                r = (r + 1) & (N - 1);
            }
            count += n;
        }
    }
}

} // namespace tarnivo::lzh
