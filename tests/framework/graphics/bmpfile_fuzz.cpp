// libFuzzer target: the BMP reader takes any bytes, as a file and as a
// resource, and whatever it accepts survives a write and a second read.

#include "framework/bmpfile.h"

#include <cstdlib>
#include <span>

using namespace tarnivo;

namespace {

void Check(std::span<const std::uint8_t> bytes, bmp::Source source)
{
    std::optional<bmp::Image> image = bmp::Decode(bytes, source);
    if (!image)
        return;
    if (image->pixels.size() != image->stride * image->height)
        std::abort();
    std::vector<std::uint8_t> file =
        bmp::Encode(image->width, image->height, image->bitCount, image->pixels.data(), image->stride);
    std::optional<bmp::Image> again = bmp::Decode(file, bmp::Source::File);
    if (!again || again->pixels != image->pixels)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::span<const std::uint8_t> bytes(data, size);
    Check(bytes, bmp::Source::File);
    Check(bytes, bmp::Source::Resource);
    return 0;
}
