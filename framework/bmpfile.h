#pragma once
// The one BMP decoder of the program and its tools: the bytes of a .bmp file,
// or a packed DIB as an RT_BITMAP resource holds it (the same without the
// 14-byte file header). Platform-free, so the native tree runs it under the
// sanitizers and the tools (skintool check, skingen) read through it too.
//
// It takes what Windows itself loads:
//   - 1, 4, 8, 16, 24 and 32 bits per pixel;
//   - the header sizes 12 (OS/2 1.x core header, three-byte palette
//     entries), 40, 52, 56, 64 (OS/2 2.x), 108 and 124;
//   - uncompressed rows bottom-up or top-down; RLE8 and RLE4 (bottom-up
//     only) with end-of-line, end-of-bitmap and delta escapes and absolute
//     runs padded to a 16-bit boundary;
//   - bit-field masks at 16 and 32 bits: after a 40-byte header for
//     BI_BITFIELDS (three masks) and BI_ALPHABITFIELDS (four), inside longer
//     headers otherwise; plain 16-bit pixels are 5-5-5;
//   - colour tables shorter than the depth allows (biClrUsed); an index
//     past the table reads as black.
//
// Every image comes out as 24 or 32 bits per pixel, rows top first: 32-bit
// images stay 32-bit (the fourth byte kept, or the alpha mask's value), all
// others become 24-bit. Pixels that a run-length image never writes (skipped
// by a delta, an early end of line or end of bitmap) are black.
//
// Anything else is refused with a one-line reason: JPEG or PNG payloads,
// OS/2 Huffman and 24-bit run-length coding, sides above kMaxSide, images
// whose decoded bytes would exceed kMaxDecodedBytes, run-length images with
// more pixels than their codes can cover (255 pixels, or the rest of a row,
// per two bytes), headers, masks, palettes or pixels that lie past the end
// of the data. Nothing is read past the end
// and nothing is allocated before the size has been checked against the caps.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarnivo::bmp {

constexpr int kMaxSide = 16384;
// A 16384-pixel square at 32 bits would be 1 GiB; a decoded image is held to
// this many bytes so hostile headers cannot exhaust a 32-bit address space.
constexpr std::size_t kMaxDecodedBytes = std::size_t{256} << 20;
// Enough bytes for ReadLayout to answer for any file: the file header, the
// longest info header, and the four masks that may follow a 40-byte one.
constexpr std::size_t kMaxHeaderBytes = 14 + 124 + 16;

enum class Source { File, Resource };

enum class Coding {
    Rgb,         // rows as stored; 16 bits read as 5-5-5
    BitFields,   // 16 or 32-bit rows read through the masks
    Rle8,
    Rle4,
};

struct Layout {
    int width = 0;
    int height = 0;                  // always positive
    bool topDown = false;            // rows stored top first (negative height)
    int bitCount = 0;                // 1, 4, 8, 16, 24 or 32
    Coding coding = Coding::Rgb;
    std::uint32_t masks[4] = {};     // red, green, blue, alpha (BitFields)
    std::size_t paletteOffset = 0;
    int paletteEntries = 0;          // entries pixels can use (at most 2^bits)
    int paletteEntrySize = 4;        // 3 for the OS/2 1.x core header
    std::size_t bitsOffset = 0;
    std::size_t sourceStride = 0;    // bytes per stored row, uncompressed
    std::size_t bitsSize = 0;        // bytes of pixel data (run-length: coded bytes)
    std::size_t totalSize = 0;       // bytes the image occupies from the start
    int outputBitCount = 24;         // 24 or 32
};

struct Image {
    int width = 0;
    int height = 0;
    int bitCount = 24;               // 24 or 32
    std::size_t stride = 0;          // bytes per row, a multiple of 4
    std::vector<std::uint8_t> pixels;  // rows top first, blue-green-red(-x)
};

// Bytes per row of a DIB of this width and depth (padded to 4 bytes).
constexpr std::size_t Stride(int width, int bitCount)
{
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

// Bytes the decoded image of this layout occupies (Image::pixels).
constexpr std::size_t DecodedBytes(const Layout& l)
{
    return Stride(l.width, l.outputBitCount) * static_cast<std::size_t>(l.height);
}

// Validates the headers at the start of `data`: at least the headers (and the
// masks after a 40-byte header) must be there, the palette and pixels need
// not be. Layout::totalSize then tells how many bytes the whole image needs,
// which is how a stream reader knows how much to read. On refusal answers
// nothing and puts the reason in `why`.
std::optional<Layout> ReadLayout(std::span<const std::uint8_t> data, Source source,
                                 std::string* why = nullptr);

// Decodes a whole image; `data` must hold Layout::totalSize bytes (more is
// ignored).
std::optional<Image> Decode(std::span<const std::uint8_t> data, Source source,
                            std::string* why = nullptr);

// A .bmp file (BITMAPINFOHEADER, bottom-up rows) of 24 or 32-bit rows given
// top first with the given stride.
std::vector<std::uint8_t> Encode(int width, int height, int bitCount,
                                 const std::uint8_t* topRow, std::size_t stride);

} // namespace tarnivo::bmp
