// Fuzzes the PE resource finder behind the program icon reader. Every group
// and image it answers must lie within the input, and a group it answers is
// read and checked as the icon reader does. The seeds are images made by
// tests/launcher/pebuilder.h: one group over one image in a 32-bit and in a
// 64-bit image, and two groups over three images.

#include "launcher/peresources.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <span>

using namespace tarnivo;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckWithin(const std::optional<PeResourceData>& found, std::size_t size)
{
    if (found)
        Check(found->Offset <= size && found->Size <= size - found->Offset);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    PeResources resources(PeMemoryReader(bytes), size);
    if (!resources.Load())
        return 0;
    for (int index : {0, 1, 2, -1, -2, -7, INT_MIN, INT_MAX}) {
        auto group = resources.IconGroup(index);
        CheckWithin(group, size);
        if (group) {
            Check(group->Size >= PeMinGroupBytes && group->Size <= PeMaxGroupBytes);
            IconGroupFits(bytes.subspan(group->Offset, group->Size));
        }
        CheckWithin(resources.Find(PeResourceTypeIcon, index), size);
    }
    for (int id : {0, 1, 2, 5, 0xFFFF, 0x10000, -1}) {
        auto image = resources.IconImage(id);
        CheckWithin(image, size);
        if (image)
            Check(image->Size >= PeMinImageBytes && image->Size <= PeMaxImageBytes);
    }
    return 0;
}
