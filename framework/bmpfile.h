#pragma once
// Reading and writing the BMP format: the bytes of a .bmp file, or a packed
// DIB as an RT_BITMAP resource holds it (the same without the 14-byte file
// header). Platform-free, so the native tree runs it under the sanitizers and
// tools can read image sizes without Windows.
//
// Every image comes out as 24 or 32 bits per pixel, rows top first: 1, 4, 8,
// 16 and 24-bit images become 24-bit, 32-bit images stay 32-bit. Run-length
// and embedded JPEG/PNG images are refused. Anything malformed is refused
// with a reason, never read past the end of the data.

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
// Enough bytes to read any header ReadLayout understands, masks included.
constexpr std::size_t kMaxHeaderBytes = 14 + 124 + 12;

enum class Source { File, Resource };

struct Layout {
    int width = 0;
    int height = 0;                  // always positive
    bool topDown = false;            // rows stored top first (negative height)
    int bitCount = 0;                // 1, 4, 8, 16, 24 or 32
    bool bitFields = false;          // masks below apply (16 and 32 bits)
    std::uint32_t masks[4] = {};     // red, green, blue, alpha
    std::size_t paletteOffset = 0;
    int paletteEntries = 0;
    int paletteEntrySize = 4;        // 3 for the old 12-byte header
    std::size_t bitsOffset = 0;
    std::size_t sourceStride = 0;    // bytes per stored row
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

// Validates the headers at the start of `data` (at least the headers must be
// there; the pixels need not be). On refusal answers nothing and puts the
// reason in `why`.
std::optional<Layout> ReadLayout(std::span<const std::uint8_t> data, Source source,
                                 std::string* why = nullptr);

// Decodes a whole image; `data` must hold Layout::totalSize bytes.
std::optional<Image> Decode(std::span<const std::uint8_t> data, Source source,
                            std::string* why = nullptr);

// A .bmp file (BITMAPINFOHEADER, bottom-up rows) of 24 or 32-bit rows given
// top first with the given stride.
std::vector<std::uint8_t> Encode(int width, int height, int bitCount,
                                 const std::uint8_t* topRow, std::size_t stride);

} // namespace tarnivo::bmp
