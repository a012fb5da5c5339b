#include "bmpheader.h"

namespace tarnivo {

namespace {

constexpr std::size_t FileHeaderBytes = 14;
constexpr std::uint32_t CoreHeaderBytes = 12;  // OS/2 BITMAPCOREHEADER
constexpr std::uint32_t InfoHeaderBytes = 40;  // BITMAPINFOHEADER and its successors

std::uint32_t U16(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8);
}

std::uint32_t U32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool Refuse(std::string& error, std::string reason)
{
    error = std::move(reason);
    return false;
}

bool ValidBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

bool ParseBmpHeader(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string& error)
{
    if (size < FileHeaderBytes + 4)
        return Refuse(error, "too short for a BMP header (" + std::to_string(size) + " bytes)");
    if (data[0] != 'B' || data[1] != 'M')
        return Refuse(error, "not a BMP file (no \"BM\" signature)");
    const std::int64_t fileSize = static_cast<std::int64_t>(size);
    const std::int64_t pixelOffset = U32(data + 10);
    const std::uint32_t headerSize = U32(data + 14);
    if (headerSize != CoreHeaderBytes && headerSize < InfoHeaderBytes)
        return Refuse(error, "unknown BMP header size " + std::to_string(headerSize));
    if (static_cast<std::int64_t>(FileHeaderBytes) + headerSize > fileSize)
        return Refuse(error, "BMP header runs past the end of the entry");

    const std::uint8_t* h = data + FileHeaderBytes;
    const bool core = headerSize == CoreHeaderBytes;
    // Both arms must be signed: a mixed conditional would turn a top-down
    // (negative) height back into a huge unsigned one.
    const std::int64_t width = core ? std::int64_t{U16(h + 4)} : std::int64_t{static_cast<std::int32_t>(U32(h + 4))};
    const std::int64_t rawHeight =
        core ? std::int64_t{U16(h + 6)} : std::int64_t{static_cast<std::int32_t>(U32(h + 8))};
    const std::uint32_t planes = U16(h + (core ? 8 : 12));
    const int bits = static_cast<int>(U16(h + (core ? 10 : 14)));
    const std::uint32_t compression = core ? 0 : U32(h + 16);
    const std::uint32_t coloursUsed = core ? 0 : U32(h + 32);

    if (planes != 1)
        return Refuse(error, "BMP has " + std::to_string(planes) + " planes, expected 1");
    if (!ValidBitCount(bits))
        return Refuse(error, "unsupported BMP bit count " + std::to_string(bits));
    const std::int64_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width < 1 || height < 1 || width > MaxBitmapSide || height > MaxBitmapSide)
        return Refuse(error, "BMP size " + std::to_string(width) + " x " + std::to_string(rawHeight) +
                                 " outside 1..16384 pixels a side");
    const bool rle = compression == 1 || compression == 2;
    if (compression > 3 || (compression == 1 && bits != 8) || (compression == 2 && bits != 4) ||
        (compression == 3 && bits != 16 && bits != 32))
        return Refuse(error, "unsupported BMP compression " + std::to_string(compression) + " at " +
                                 std::to_string(bits) + " bits");
    if (rle && rawHeight < 0)
        return Refuse(error, "run-length BMP cannot be top-down");

    // Colour masks after a plain 40-byte header, then the colour table.
    std::int64_t tableEnd = static_cast<std::int64_t>(FileHeaderBytes) + headerSize;
    if (compression == 3 && headerSize == InfoHeaderBytes)
        tableEnd += 12;
    if (bits <= 8) {
        const std::uint32_t maximum = 1u << bits;
        if (coloursUsed > maximum)
            return Refuse(error, "BMP colour table of " + std::to_string(coloursUsed) + " entries at " +
                                     std::to_string(bits) + " bits");
        tableEnd += static_cast<std::int64_t>(coloursUsed ? coloursUsed : maximum) * (core ? 3 : 4);
    }
    if (tableEnd > fileSize)
        return Refuse(error, "BMP colour table runs past the end of the entry");
    if (pixelOffset < static_cast<std::int64_t>(FileHeaderBytes) + headerSize || pixelOffset >= fileSize)
        return Refuse(error, "BMP pixel offset " + std::to_string(pixelOffset) + " outside the entry");

    const std::int64_t stride = (width * bits + 31) / 32 * 4;
    const std::int64_t pixelBytes = stride * height;
    if (!rle && pixelOffset + pixelBytes > fileSize)
        return Refuse(error, "BMP pixel rows need " + std::to_string(pixelBytes) + " bytes, the entry holds " +
                                 std::to_string(fileSize - pixelOffset));

    info.Width = static_cast<std::int32_t>(width);
    info.Height = static_cast<std::int32_t>(height);
    info.TopDown = rawHeight < 0;
    info.BitCount = bits;
    info.Compression = compression;
    info.PixelOffset = pixelOffset;
    info.PixelBytes = pixelBytes;
    error.clear();
    return true;
}

} // namespace tarnivo
