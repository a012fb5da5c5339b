#pragma once
// Bitmaps and skins that announce far more pixels than they carry, built
// byte by byte for the tests of the skin image budget (the archive around
// them comes from testarchive.h).

#include <cstdint>
#include <string>

namespace tarnivo::test {

// An 8-bit run-length BMP file of width x height, one palette entry (red),
// with the given codes.
inline std::string RunLengthBmp(int width, int height, const std::string& codes)
{
    std::string file;
    auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file.push_back(static_cast<char>(value >> (8 * i)));
    };
    const std::uint32_t bitsOffset = 14 + 40 + 4;
    file += "BM";
    put(bitsOffset + static_cast<std::uint32_t>(codes.size()), 4);
    put(0, 4);
    put(bitsOffset, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);                                        // planes
    put(8, 2);                                        // bits per pixel
    put(1, 4);                                        // BI_RLE8
    put(static_cast<std::uint32_t>(codes.size()), 4);
    put(0, 4);
    put(0, 4);
    put(1, 4);                                        // one colour used
    put(0, 4);
    put(0x00FF0000, 4);                               // red, blue-green-red-0
    return file + codes;
}

// One end-of-line code per row: the smallest codes that cover `rows` rows
// of any width (the pixels stay black).
inline std::string EndOfLineCodes(int rows)
{
    return std::string(2 * static_cast<std::size_t>(rows), '\0');
}

// 16384 x 5000 pixels (234 MB decoded) in 10 KB of codes that LZH packs to
// a few hundred bytes: the pictures of the skin that took SkinGallery to
// 1.5 GB. The decoder alone accepts it; only the skin budget stops it.
inline std::string HugePictureBmp()
{
    return RunLengthBmp(16384, 5000, EndOfLineCodes(5000));
}

// About 60 bytes announcing 16384 x 5461 pixels, just under the decoder's
// 256 MB cap: one run and the end of the bitmap.
inline std::string TinyEntryAnnouncingHugePicture()
{
    return RunLengthBmp(16384, 5461, std::string("\xFF\x00\x00\x01", 4));
}

} // namespace tarnivo::test
