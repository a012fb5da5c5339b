// The catalogue's image list at 32, 48 and 64 pixel icons: image i is entry
// i's icon, taken from the file's image of the list's own size.

#include "pebuilder.h"
#include "shortcutfiles.h"

#include "launcher/catalogue.h"
#include "launcher/shortcutscan.h"
#include "framework/imagelist.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>

namespace tarnivo::test {
namespace {

class SilentProgress : public TScanProgress {
public:
    void ScanStarting() override {}
    void SetBars(int) override {}
    void StepBars() override {}
    void RepaintStartup() override {}
    void ScanFinished() override {}
};

constexpr std::array<int, 3> Sizes{32, 48, 64};

// A colour of its own for every entry and size: blue carries the entry,
// green the size, so an image from the wrong entry or of another size (drawn
// scaled) shows as another colour.
COLORREF ImageColour(int entry, int size)
{
    return RGB(0x20, static_cast<BYTE>(size * 2), static_cast<BYTE>(0x30 + 0x20 * entry));
}

// A size x size, 32-bit icon image (header, colours, an all-opaque mask).
std::vector<std::uint8_t> SizedImage(int size, COLORREF colour)
{
    const std::size_t pixels = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    const std::size_t maskRow = static_cast<std::size_t>((size + 31) / 32 * 4);
    std::vector<std::uint8_t> image(40 + pixels * 4 + maskRow * static_cast<std::size_t>(size), 0);
    Put32(image, 0, 40);
    Put32(image, 4, static_cast<std::uint32_t>(size));
    Put32(image, 8, static_cast<std::uint32_t>(2 * size));
    Put16(image, 12, 1);
    Put16(image, 14, 32);
    for (std::size_t p = 0; p < pixels; ++p) {
        image[40 + 4 * p] = GetBValue(colour);
        image[40 + 4 * p + 1] = GetGValue(colour);
        image[40 + 4 * p + 2] = GetRValue(colour);
        image[40 + 4 * p + 3] = 0xFF;
    }
    return image;
}

// A resource-only program whose one icon group holds an image of every size.
void WriteIconProgram(const std::string& path, int entry)
{
    std::vector<PeEntry> images;
    std::vector<std::uint8_t> group(6 + 14 * Sizes.size());
    Put16(group, 2, 1);
    Put16(group, 4, static_cast<std::uint32_t>(Sizes.size()));
    for (std::size_t k = 0; k < Sizes.size(); ++k) {
        const int size = Sizes[k];
        images.push_back({static_cast<std::uint32_t>(k + 1), SizedImage(size, ImageColour(entry, size))});
        const std::size_t at = 6 + 14 * k;
        group[at] = static_cast<std::uint8_t>(size);
        group[at + 1] = static_cast<std::uint8_t>(size);
        Put16(group, at + 4, 1);
        Put16(group, at + 6, 32);
        Put32(group, at + 8, static_cast<std::uint32_t>(images.back().Data.size()));
        Put16(group, at + 12, static_cast<std::uint32_t>(k + 1));
    }
    const PeImage pe = BuildPe(images, {{1, group}});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(pe.Bytes.data()), static_cast<std::streamsize>(pe.Bytes.size()));
}

// The centre pixel of image `index`, drawn on white.
COLORREF CentrePixel(TImageList& list, int index)
{
    const int size = list.Width();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, size, size, WHITENESS);
    ImageList_Draw(list.Handle(), index, dc, 0, 0, ILD_NORMAL);
    GdiFlush();
    const auto* pixel = static_cast<const std::uint8_t*>(bits) + 4 * (size / 2 * size + size / 2);
    const COLORREF colour = RGB(pixel[2], pixel[1], pixel[0]);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colour;
}

class IconSize : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { ClearAllShortcuts(); }
    void TearDown() override { ClearAllShortcuts(); }
};

TEST_P(IconSize, EachImageIsItsEntrysIconAtTheListsOwnSize)
{
    const int size = GetParam();
    constexpr int Entries = 4;
    const std::string target = MakeFile("Sized.exe", ThisProgram());
    std::map<std::string, int> entryOfFile;
    for (int i = 0; i < Entries; ++i) {
        const std::string file = ScratchFolder() + "\\sized" + std::to_string(i) + ".dll";
        WriteIconProgram(file, i);
        entryOfFile[file] = i;
        MakeLink({CSIDL_DESKTOPDIRECTORY, "Sized " + std::to_string(i) + ".lnk", target, "", file, 0});
    }
    TImageList icons(nullptr);
    icons.SetSize(size, size);
    TCatalogue catalogue;
    SilentProgress progress;
    TShortcutScanner scanner(catalogue, icons, progress, 2);
    scanner.ScanShortcuts();

    ASSERT_EQ(catalogue.ShortcutCount, Entries);
    ASSERT_EQ(icons.Count(), Entries) << "one image per entry";
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(icons.Handle(), &cx, &cy));
    EXPECT_EQ(cx, size);
    EXPECT_EQ(cy, size);
    for (int i = 0; i < Entries; ++i) {
        const auto& entry = catalogue.Shortcuts[static_cast<std::size_t>(i)];
        auto file = entryOfFile.end();
        for (auto it = entryOfFile.begin(); it != entryOfFile.end(); ++it)
            if (_stricmp(it->first.c_str(), entry.IconPath.c_str()) == 0)
                file = it;
        ASSERT_NE(file, entryOfFile.end()) << entry.IconPath;
        EXPECT_EQ(CentrePixel(icons, i), ImageColour(file->second, size))
            << "image " << i << " of " << entry.Name;
    }
}

// Scanned at 32, then taken again at each size (the window moved to a screen
// of another DPI): every image is its entry's, from the file's own image of
// the new size rather than the 32-pixel one stretched.
class IconsAgain : public ::testing::Test {
protected:
    void SetUp() override { ClearAllShortcuts(); }
    void TearDown() override { ClearAllShortcuts(); }
};

TEST_F(IconsAgain, IconsTakenAgainAtAnotherSizeAreTheFilesImagesOfThatSize)
{
    constexpr int Entries = 3;
    const std::string target = MakeFile("Sized.exe", ThisProgram());
    std::map<std::string, int> entryOfFile;
    for (int i = 0; i < Entries; ++i) {
        const std::string file = ScratchFolder() + "\\again" + std::to_string(i) + ".dll";
        WriteIconProgram(file, i);
        entryOfFile[file] = i;
        MakeLink({CSIDL_DESKTOPDIRECTORY, "Again " + std::to_string(i) + ".lnk", target, "", file, 0});
    }
    TImageList icons(nullptr);
    icons.SetSize(32, 32);
    TCatalogue catalogue;
    SilentProgress progress;
    TShortcutScanner(catalogue, icons, progress, 2).ScanShortcuts();
    ASSERT_EQ(catalogue.ShortcutCount, Entries);
    for (int size : {64, 48, 32}) {
        SCOPED_TRACE(size);
        icons.SetSize(size, size);
        TShortcutScanner(catalogue, icons, progress, 2).RetakeIcons();
        ASSERT_EQ(catalogue.ShortcutCount, Entries) << "the catalogue stays as it is";
        ASSERT_EQ(icons.Count(), Entries);
        for (int i = 0; i < Entries; ++i) {
            const auto& entry = catalogue.Shortcuts[static_cast<std::size_t>(i)];
            int owner = -1;
            for (const auto& [file, index] : entryOfFile)
                if (_stricmp(file.c_str(), entry.IconPath.c_str()) == 0)
                    owner = index;
            ASSERT_GE(owner, 0) << entry.IconPath;
            EXPECT_EQ(CentrePixel(icons, i), ImageColour(owner, size)) << "image " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconSize, ::testing::ValuesIn(Sizes));

} // namespace
} // namespace tarnivo::test
