// libFuzzer target: the BMP decoder takes any bytes, as a file and as a
// resource, and whatever it accepts
//   - survives a write and a second read unchanged;
//   - is accepted by ReadLayout from the headers alone (the first
//     kMaxHeaderBytes), whose totalSize is what a stream reader then reads,
//     and decoding just those bytes gives the same pixels.

#include "framework/bmpfile.h"

#include <algorithm>
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

    std::optional<bmp::Layout> layout =
        bmp::ReadLayout(bytes.first(std::min(bytes.size(), bmp::kMaxHeaderBytes)), source);
    if (!layout || layout->totalSize > bytes.size())
        std::abort();
    std::optional<bmp::Image> streamed = bmp::Decode(bytes.first(layout->totalSize), source);
    if (!streamed || streamed->pixels != image->pixels)
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
