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

// The fields of either header kind, widened so that no check overflows.
struct RawHeader {
    std::int64_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    bool core = false;
    std::int64_t width = 0;
    std::int64_t rawHeight = 0;  // negative: rows stored top-down
    std::uint32_t planes = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

bool ReadHeader(const std::uint8_t* data, std::size_t size, RawHeader& h, std::string& error)
{
    if (size < FileHeaderBytes + 4)
        return Refuse(error, "too short for a BMP header (" + std::to_string(size) + " bytes)");
    if (data[0] != 'B' || data[1] != 'M')
        return Refuse(error, "not a BMP file (no \"BM\" signature)");
    h.pixelOffset = U32(data + 10);
    h.headerSize = U32(data + 14);
    if (h.headerSize != CoreHeaderBytes && h.headerSize < InfoHeaderBytes)
        return Refuse(error, "unknown BMP header size " + std::to_string(h.headerSize));
    // 64-bit sums: a header size near 4 GiB must not wrap a 32-bit size_t.
    if (static_cast<std::int64_t>(FileHeaderBytes) + h.headerSize > static_cast<std::int64_t>(size))
        return Refuse(error, "BMP header runs past the end of the entry");
    const std::uint8_t* p = data + FileHeaderBytes;
    h.core = h.headerSize == CoreHeaderBytes;
    // Both arms must be signed: a mixed conditional would turn a top-down
    // (negative) height back into a huge unsigned one.
    h.width = h.core ? std::int64_t{U16(p + 4)} : std::int64_t{static_cast<std::int32_t>(U32(p + 4))};
    h.rawHeight = h.core ? std::int64_t{U16(p + 6)} : std::int64_t{static_cast<std::int32_t>(U32(p + 8))};
    h.planes = U16(p + (h.core ? 8 : 12));
    h.bits = static_cast<int>(U16(p + (h.core ? 10 : 14)));
    h.compression = h.core ? 0 : U32(p + 16);
    h.coloursUsed = h.core ? 0 : U32(p + 32);
    return true;
}

bool CheckFormat(const RawHeader& h, std::string& error)
{
    if (h.planes != 1)
        return Refuse(error, "BMP has " + std::to_string(h.planes) + " planes, expected 1");
    if (!ValidBitCount(h.bits))
        return Refuse(error, "unsupported BMP bit count " + std::to_string(h.bits));
    const std::int64_t height = h.rawHeight < 0 ? -h.rawHeight : h.rawHeight;
    if (h.width < 1 || height < 1 || h.width > MaxBitmapSide || height > MaxBitmapSide)
        return Refuse(error, "BMP size " + std::to_string(h.width) + " x " + std::to_string(h.rawHeight) +
                                 " outside 1..16384 pixels a side");
    const std::uint32_t c = h.compression;
    if (c > 3 || (c == 1 && h.bits != 8) || (c == 2 && h.bits != 4) || (c == 3 && h.bits != 16 && h.bits != 32))
        return Refuse(error, "unsupported BMP compression " + std::to_string(c) + " at " + std::to_string(h.bits) +
                                 " bits");
    if ((c == 1 || c == 2) && h.rawHeight < 0)
        return Refuse(error, "run-length BMP cannot be top-down");
    return true;
}

// Colour masks, colour table and pixel rows must all lie within the entry.
bool CheckLayout(const RawHeader& h, std::int64_t fileSize, std::int64_t& pixelBytes, std::string& error)
{
    std::int64_t tableEnd = static_cast<std::int64_t>(FileHeaderBytes) + h.headerSize;
    if (h.compression == 3 && h.headerSize == InfoHeaderBytes)
        tableEnd += 12;
    if (h.bits <= 8) {
        const std::uint32_t maximum = 1u << h.bits;
        if (h.coloursUsed > maximum)
            return Refuse(error, "BMP colour table of " + std::to_string(h.coloursUsed) + " entries at " +
                                     std::to_string(h.bits) + " bits");
        tableEnd += static_cast<std::int64_t>(h.coloursUsed ? h.coloursUsed : maximum) * (h.core ? 3 : 4);
    }
    if (tableEnd > fileSize)
        return Refuse(error, "BMP colour table runs past the end of the entry");
    if (h.pixelOffset < static_cast<std::int64_t>(FileHeaderBytes) + h.headerSize || h.pixelOffset >= fileSize)
        return Refuse(error, "BMP pixel offset " + std::to_string(h.pixelOffset) + " outside the entry");
    const std::int64_t stride = (h.width * h.bits + 31) / 32 * 4;
    pixelBytes = stride * (h.rawHeight < 0 ? -h.rawHeight : h.rawHeight);
    const bool runLength = h.compression == 1 || h.compression == 2;
    if (!runLength && h.pixelOffset + pixelBytes > fileSize)
        return Refuse(error, "BMP pixel rows need " + std::to_string(pixelBytes) + " bytes, the entry holds " +
                                 std::to_string(fileSize - h.pixelOffset));
    return true;
}

} // namespace

bool ParseBmpHeader(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string& error)
{
    RawHeader h;
    std::int64_t pixelBytes = 0;
    if (!ReadHeader(data, size, h, error) || !CheckFormat(h, error) ||
        !CheckLayout(h, static_cast<std::int64_t>(size), pixelBytes, error))
        return false;
    info.Width = static_cast<std::int32_t>(h.width);
    info.Height = static_cast<std::int32_t>(h.rawHeight < 0 ? -h.rawHeight : h.rawHeight);
    info.TopDown = h.rawHeight < 0;
    info.BitCount = h.bits;
    info.Compression = h.compression;
    info.PixelOffset = h.pixelOffset;
    info.PixelBytes = pixelBytes;
    error.clear();
    return true;
}

} // namespace tarnivo
