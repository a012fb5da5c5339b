#include "launcher/peresources.h"
#include "pebuilder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

constexpr std::uint32_t High = 0x80000000u;

// Two groups (ids 7 and 9) over three images (ids 1, 2, 5).
PeImage Sample(bool is64 = false)
{
    return BuildPe({{1, IconImageBytes(0x11)}, {2, IconImageBytes(0x22)}, {5, IconImageBytes(0x55)}},
                   {{7, IconGroupBytes({1, 2}, 4264)}, {9, IconGroupBytes({5}, 4264)}}, is64);
}

struct Loaded {
    explicit Loaded(const std::vector<std::uint8_t>& bytes)
        : Resources(PeMemoryReader(bytes), bytes.size()), Ok(Resources.Load())
    {
    }
    PeResources Resources;
    bool Ok;
};

bool Holds(const std::vector<std::uint8_t>& file, const std::optional<PeResourceData>& found,
           const std::vector<std::uint8_t>& expected)
{
    return found && found->Size == expected.size() && found->Offset + found->Size <= file.size() &&
           std::memcmp(file.data() + found->Offset, expected.data(), expected.size()) == 0;
}

} // namespace

TEST(PeResources, FindsGroupsByPositionAndIdentifierAndImagesByIdentifier)
{
    for (bool is64 : {false, true}) {
        SCOPED_TRACE(is64 ? "64-bit" : "32-bit");
        const PeImage pe = Sample(is64);
        Loaded file(pe.Bytes);
        ASSERT_TRUE(file.Ok);
        EXPECT_TRUE(Holds(pe.Bytes, file.Resources.IconGroup(0), IconGroupBytes({1, 2}, 4264)));
        EXPECT_TRUE(Holds(pe.Bytes, file.Resources.IconGroup(1), IconGroupBytes({5}, 4264)));
        EXPECT_TRUE(Holds(pe.Bytes, file.Resources.IconGroup(-9), IconGroupBytes({5}, 4264)));
        EXPECT_TRUE(Holds(pe.Bytes, file.Resources.IconGroup(-7), IconGroupBytes({1, 2}, 4264)));
        EXPECT_FALSE(file.Resources.IconGroup(2));    // past the last position
        EXPECT_FALSE(file.Resources.IconGroup(-8));   // no such identifier
        EXPECT_FALSE(file.Resources.IconGroup(INT_MIN));
        EXPECT_TRUE(Holds(pe.Bytes, file.Resources.IconImage(2), IconImageBytes(0x22)));
        EXPECT_TRUE(Holds(pe.Bytes, file.Resources.IconImage(5), IconImageBytes(0x55)));
        EXPECT_FALSE(file.Resources.IconImage(3));
        EXPECT_FALSE(file.Resources.IconImage(0));
        EXPECT_FALSE(file.Resources.IconImage(0x10001));
    }
}

TEST(PeResources, TruncatedFilesAreRefusedWhereverTheyEnd)
{
    const PeImage pe = Sample();
    struct Row {
        std::size_t size;
        bool loads;
    };
    const Row rows[] = {
        {0, false},
        {0x3F, false},                          // inside the DOS header
        {0x43, false},                          // inside the signature
        {pe.FileHeaderAt + 19, false},          // inside the file header
        {pe.ResourceRvaAt + 7, false},          // inside the resource directory
        {pe.SectionAt + 39, false},             // inside the section table
        {pe.RootAt + 15, false},                // inside the root directory
        {pe.RootAt + 16, true},                 // the root, none of its entries
        {pe.RootAt + 200, true},                // the tree, not the data
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.size);
        std::vector<std::uint8_t> bytes(pe.Bytes.begin(), pe.Bytes.begin() + row.size);
        Loaded file(bytes);
        EXPECT_EQ(file.Ok, row.loads);
        EXPECT_FALSE(file.Resources.IconGroup(0));
        EXPECT_FALSE(file.Resources.IconImage(1));
    }
}

TEST(PeResources, HeadersThatDoNotDescribeAResourceTreeAreRefused)
{
    struct Row {
        const char* what;
        std::size_t (*at)(const PeImage&);
        std::uint32_t value;
        int width;
    };
    const Row rows[] = {
        {"no MZ", [](const PeImage&) -> std::size_t { return 0; }, 0x5A4E, 2},
        {"no PE signature", [](const PeImage&) -> std::size_t { return 0x40; }, 0x4551, 4},
        {"PE header past the end", [](const PeImage&) -> std::size_t { return 0x3C; }, 0xFFFFFFF0u, 4},
        {"unknown optional magic", [](const PeImage& p) { return p.FileHeaderAt + 20; }, 0x107, 2},
        {"no sections", [](const PeImage& p) { return p.FileHeaderAt + 2; }, 0, 2},
        {"sections over the cap", [](const PeImage& p) { return p.FileHeaderAt + 2; }, 97, 2},
        {"optional header too short", [](const PeImage& p) { return p.FileHeaderAt + 16; }, 96 + 8 * 2, 2},
        {"too few data directories", [](const PeImage& p) { return p.ResourceRvaAt - 20; }, 2, 4},
        {"no resource directory", [](const PeImage& p) { return p.ResourceRvaAt; }, 0, 4},
        {"resource rva before every section", [](const PeImage& p) { return p.ResourceRvaAt; }, 0xF00, 4},
        {"resource rva after every section", [](const PeImage& p) { return p.ResourceRvaAt; }, 0x9000, 4},
        {"root would cross the section's end", [](const PeImage& p) { return p.SectionAt + 8; }, 8, 4},
        {"section's raw data past the file", [](const PeImage& p) { return p.SectionAt + 20; }, 0x100000, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PeImage pe = Sample();
        if (row.width == 2)
            Put16(pe.Bytes, row.at(pe), row.value);
        else
            Put32(pe.Bytes, row.at(pe), row.value);
        Loaded file(pe.Bytes);
        EXPECT_FALSE(file.Ok);
        EXPECT_FALSE(file.Resources.IconGroup(0));
    }
}

TEST(PeResources, DirectoryEntryCountsAreCappedOnTheirSum)
{
    struct Row {
        std::uint16_t named;
        std::uint16_t ids;
        bool found;
    };
    // The root's two real entries come first; the rest of a large count reads
    // whatever follows, which the search never reaches once it has a match.
    const Row rows[] = {{0, 4096, true}, {0, 4097, false}, {2049, 2048, false}, {2048, 2048, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.named + row.ids);
        PeImage pe = Sample();
        Put16(pe.Bytes, pe.RootAt + 12, row.named);
        Put16(pe.Bytes, pe.RootAt + 14, row.ids);
        Loaded file(pe.Bytes);
        ASSERT_TRUE(file.Ok);
        EXPECT_EQ(file.Resources.IconGroup(0).has_value(), row.found);
    }
}

TEST(PeResources, EntriesOfTheWrongKindAreRefused)
{
    // The root's second entry (groups) pointing at a data entry where a
    // directory is expected.
    PeImage pe = Sample();
    const std::size_t groups = pe.TypeEntryAt + 8;
    std::uint32_t target = pe.Bytes[groups + 4] | pe.Bytes[groups + 5] << 8;
    Put32(pe.Bytes, groups + 4, target);   // high bit cleared
    Loaded leafForDirectory(pe.Bytes);
    ASSERT_TRUE(leafForDirectory.Ok);
    EXPECT_FALSE(leafForDirectory.Resources.IconGroup(0));
    EXPECT_TRUE(leafForDirectory.Resources.IconImage(1));   // the other type is intact

    // A language entry pointing at a directory where a data entry is expected:
    // the first image's name directory follows the icon type's directory.
    pe = Sample();
    const std::size_t iconTypeDir = pe.RootAt + 16 + 8 * 2;
    const std::size_t firstNameDir = iconTypeDir + 16 + 8 * 3;
    const std::size_t language = firstNameDir + 16;
    std::uint32_t data = pe.Bytes[language + 4] | pe.Bytes[language + 5] << 8;
    Put32(pe.Bytes, language + 4, data | High);
    Loaded directoryForLeaf(pe.Bytes);
    ASSERT_TRUE(directoryForLeaf.Ok);
    EXPECT_FALSE(directoryForLeaf.Resources.IconImage(1));
    EXPECT_TRUE(directoryForLeaf.Resources.IconImage(2));
}

TEST(PeResources, IdentifiersNeverMatchStringNames)
{
    // A name entry with the high bit set is an offset to a string; -index
    // must not match its low bits.
    PeImage pe = Sample();
    const std::size_t groupTypeDir = pe.RootAt + 16 + 8 * 2 + 16 + 8 * 3 + 3 * (16 + 8);
    Put32(pe.Bytes, groupTypeDir + 16, 7 | High);
    Loaded file(pe.Bytes);
    ASSERT_TRUE(file.Ok);
    EXPECT_FALSE(file.Resources.IconGroup(-7));
    EXPECT_TRUE(file.Resources.IconGroup(0));   // still there by position
}

TEST(PeResources, ResourceSizesAreCheckedAgainstCapsSectionAndFile)
{
    struct Row {
        const char* what;
        std::vector<std::uint8_t> group;
        std::vector<std::uint8_t> image;
        bool groupFound;
        bool imageFound;
    };
    const Row rows[] = {
        {"smallest", std::vector<std::uint8_t>(6), std::vector<std::uint8_t>(40), true, true},
        {"too small", std::vector<std::uint8_t>(5), std::vector<std::uint8_t>(39), false, false},
        {"group over its cap", std::vector<std::uint8_t>(PeMaxGroupBytes + 1), IconImageBytes(1), false,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const PeImage pe = BuildPe({{1, row.image}}, {{1, row.group}});
        Loaded file(pe.Bytes);
        ASSERT_TRUE(file.Ok);
        EXPECT_EQ(file.Resources.IconGroup(0).has_value(), row.groupFound);
        EXPECT_EQ(file.Resources.IconImage(1).has_value(), row.imageFound);
    }

    // Data running past the section's virtual size, or past the end of the
    // file although the section claims it.
    PeImage pe = Sample();
    const std::uint32_t virtualSize = pe.Bytes[pe.SectionAt + 8] | pe.Bytes[pe.SectionAt + 9] << 8;
    Put32(pe.Bytes, pe.SectionAt + 8, virtualSize - 1);
    Loaded shortSection(pe.Bytes);
    ASSERT_TRUE(shortSection.Ok);
    EXPECT_FALSE(shortSection.Resources.IconGroup(1));   // the last data in the section
    EXPECT_TRUE(shortSection.Resources.IconGroup(0));

    pe = Sample();
    auto last = Loaded(pe.Bytes).Resources.IconGroup(1);
    ASSERT_TRUE(last);
    pe.Bytes.resize(last->Offset + last->Size - 1);
    Loaded truncated(pe.Bytes);
    ASSERT_TRUE(truncated.Ok);
    EXPECT_FALSE(truncated.Resources.IconGroup(1));
    EXPECT_TRUE(truncated.Resources.IconGroup(0));
}

TEST(PeResources, GroupDirectoryCountMustFitItsBytes)
{
    EXPECT_TRUE(IconGroupFits(IconGroupBytes({1, 2}, 40)));
    EXPECT_FALSE(IconGroupFits(IconGroupBytes({}, 40)));   // no image
    std::vector<std::uint8_t> overCount = IconGroupBytes({1, 2}, 40);
    Put16(overCount, 4, 3);
    EXPECT_FALSE(IconGroupFits(overCount));
    EXPECT_FALSE(IconGroupFits(std::vector<std::uint8_t>(5)));
}
