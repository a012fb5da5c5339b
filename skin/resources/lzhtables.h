#pragma once
// Parameters and working tables of the LZH codec (internal to lzh*.cpp).

#include <cstdint>

namespace tarnivo::lzh {

constexpr int N = 4096;         // ring buffer size
constexpr int F = 60;           // look-ahead size, the longest match
constexpr int THRESHOLD = 2;    // matches longer than this are coded
constexpr int NIL = N;          // empty tree link
constexpr int N_CHAR = 256 - THRESHOLD + F;  // literals + match lengths 3..60
constexpr int T = N_CHAR * 2 - 1;            // Huffman tree size
constexpr int R = T - 1;                     // root position
constexpr unsigned MAX_FREQ = 0x8000;        // root frequency that forces a rebuild

// Everything one pack or unpack works on; allocated per call (about 33 KB).
struct Tables {
    // The last F - 1 bytes mirror the first ones so comparisons need no wrap.
    std::uint8_t text_buf[N + F - 1];
    // Match-search trees: one per first byte, roots at rson[N + 1 + byte].
    std::int16_t lson[N + 1];
    std::int16_t rson[N + 257];
    std::int16_t dad[N + 1];
    // Adaptive Huffman tree; freq[T] is a 0xFFFF sentinel ending the
    // searches in update().
    std::uint16_t freq[T + 1];
    std::int16_t prnt[T + N_CHAR];  // parents of nodes, and of leaves at T + symbol
    std::int16_t son[T];
};

// Prefix codes of the upper 6 bits of a match distance: 1 code of 3 bits,
// 3 of 4, 8 of 5, 12 of 6, 24 of 7 and 16 of 8, assigned in canonical order.
struct PositionCodes {
    std::uint8_t p_len[64];
    std::uint8_t p_code[64];
    std::uint8_t d_code[256];  // inverse, indexed by the next 8 input bits
    std::uint8_t d_len[256];
};

constexpr PositionCodes MakePositionCodes()
{
    PositionCodes codes{};
    constexpr int counts[] = {0, 0, 0, 1, 3, 8, 12, 24, 16};  // codes per length
    int index = 0;
    unsigned code = 0;
    for (int length = 3; length <= 8; ++length) {
        for (int k = 0; k < counts[length]; ++k, ++index) {
            codes.p_len[index] = static_cast<std::uint8_t>(length);
            codes.p_code[index] = static_cast<std::uint8_t>(code);
            const unsigned span = 1u << (8 - length);
            for (unsigned x = code; x < code + span; ++x) {
                codes.d_code[x] = static_cast<std::uint8_t>(index);
                codes.d_len[x] = static_cast<std::uint8_t>(length);
            }
            code += span;
        }
    }
    return codes;
}

inline constexpr PositionCodes Positions = MakePositionCodes();

static_assert(Positions.p_code[1] == 0x20 && Positions.p_code[4] == 0x50 && Positions.p_code[5] == 0x58);
static_assert(Positions.p_code[62] == 0xFE && Positions.p_code[63] == 0xFF);
static_assert(Positions.d_code[0xFF] == 63 && Positions.d_len[0x1F] == 3);

} // namespace tarnivo::lzh
