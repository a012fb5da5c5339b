// The skins Tarnivo ships load completely: every element the painters read is
// there, with the frame count of its layout and an image where the skin means
// to draw. The skins come from the native build's generator output.

#include "skinfolder.h"
#include "skintestkit.h"

#include "skin/resources/skindata.h"

#include <gtest/gtest.h>

#include <map>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

void ExpectCompleteSkin(const TSkinData& data)
{
    const TSkinElements& e = data.Elements();
    const std::map<std::string, const TDataSkinObject*> expected = {
        {"Progress", e.Progress.get()}, {"Progress.Chunk", e.ProgressChunk.get()},
        {"menuBar", e.MenuBar.get()}, {"GroupBoxEdge", e.GroupBoxEdge.get()},
        {"GroupBox", e.GroupBox.get()}, {"Tabs", e.Tabs.get()},
        {"StatusBarEdges", e.StatusBarEdges.get()}, {"Tab.Pane", e.TabPane.get()},
        {"ToolBars", e.ToolBars.get()}, {"ComboButton", e.ComboButton.get()},
        {"SunkEdge", e.SunkEdge.get()}, {"ExtraImages", e.ExtraImages.get()},
        {"Headerbar", e.Headerbar.get()}, {"MenuItem", e.MenuItem.get()},
        {"MenuBackground", e.MenuBackground.get()}, {"Scrollbar", e.Scrollbar.get()},
        {"HorzScroll", e.HorzScroll.get()}, {"VertScroll", e.VertScroll.get()},
        {"HorzScrollThumb", e.HorzScrollThumb.get()}, {"VertScrollThumb", e.VertScrollThumb.get()},
        {"UpDown.Horz", e.UpDownHorz.get()}, {"UpDown.Vert", e.UpDownVert.get()},
    };
    for (const auto& [name, element] : expected) {
        ASSERT_NE(element, nullptr) << name << " missing";
        EXPECT_FALSE(element->Image.Empty()) << name;
    }
    for (int t = 0; t < TrackThumbCount; ++t) {
        ASSERT_TRUE(e.TrackThumbs[static_cast<std::size_t>(t)]) << TrackThumbSection(TTrackThumb(t));
        EXPECT_EQ(e.TrackThumbs[static_cast<std::size_t>(t)]->FrameCount, 5);
    }

    // Frame counts of the painters' layouts.
    EXPECT_EQ(e.Left->FrameCount, 2);
    EXPECT_EQ(e.Top->FrameCount, 2);
    EXPECT_EQ(e.Buttons->FrameCount, 5);
    EXPECT_EQ(e.Title->FrameCount, 2);
    EXPECT_EQ(e.Progress->FrameCount, 2);
    EXPECT_EQ(e.MenuBar->FrameCount, 2);
    EXPECT_EQ(e.Tabs->FrameCount, 5);
    EXPECT_EQ(e.StatusBarEdges->FrameCount, 3);
    EXPECT_EQ(e.ComboButton->FrameCount, 4);
    EXPECT_EQ(e.SunkEdge->FrameCount, 4);
    EXPECT_EQ(e.ExtraImages->FrameCount, 5);
    EXPECT_EQ(e.Headerbar->FrameCount, 5);
    EXPECT_EQ(e.MenuItem->FrameCount, 5);
    EXPECT_EQ(e.Scrollbar->FrameCount, 23);
    EXPECT_EQ(e.HorzScroll->FrameCount, 4);
    EXPECT_EQ(e.HorzScrollThumb->FrameCount, 3);
    EXPECT_EQ(e.UpDownVert->FrameCount, 8);
    EXPECT_EQ(e.ComboxArrow->FrameCount, 4);
    EXPECT_EQ(e.Toolbar->FrameCount, 1);
    EXPECT_EQ(e.Buttons->CheckFrameCount, 12);
    EXPECT_EQ(e.Buttons->RadioFrameCount, 8);

    // Each frame count divides its image into whole frames.
    for (const TDataSkinObject* element : e.All()) {
        if (element->Image.Empty())
            continue;
        const bool stacked = element == e.Top.get() || element == e.Bottom.get() ||
                             element == e.Title.get() || element == e.MenuBar.get();
        const int extent = stacked ? element->Image.Height() : element->Image.Width();
        EXPECT_EQ(extent % element->FrameCount, 0) << element->Name;
    }

    // Images everywhere the skin draws. The one caption button without an
    // image is the window icon (action 3), which the engine draws itself.
    const std::initializer_list<const TDataSkinObject*> drawn = {
        e.Left.get(), e.Right.get(), e.Top.get(), e.Bottom.get(), e.Buttons.get(), e.Title.get(),
        e.Track.get(), e.TrackVert.get(), e.ComboxArrow.get(), e.Toolbar.get()};
    for (const TDataSkinObject* element : drawn)
        EXPECT_FALSE(element->Image.Empty()) << element->Name;
    EXPECT_FALSE(e.Buttons->CheckImage.Empty());
    EXPECT_FALSE(e.Buttons->RadioImage.Empty());
    EXPECT_FALSE(e.UpDownHorz->Image2.Empty());
    EXPECT_FALSE(e.Tabs->Image2.Empty());
    EXPECT_FALSE(e.ComboButton->Image2.Empty());
    ASSERT_GE(e.SysButtons.size(), 4u);
    for (const auto& b : e.SysButtons)
        EXPECT_EQ(b->Image.Empty(), b->Action == 3) << b->Name;

    // Composed combo faces.
    EXPECT_EQ(e.ComboButton->Style, 2);
    EXPECT_EQ(e.ComboButton->Image.Width(), 200);
    EXPECT_EQ(e.ComboxArrow->Image.Width(), 4 * 17);
}

} // namespace

TEST(DefaultSkin, SlateFolderLoadsCompletely)
{
    TMemoryStream skin;
    ASSERT_TRUE(PackSkinFolder(HostBuildFile("skins/slate"), skin))
        << "no generated skin at " << HostBuildFile("skins/slate") << ": build the native tree first";
    TSkinData data(nullptr);
    data.LoadFromStream(skin);
    ASSERT_FALSE(data.Empty());
    EXPECT_EQ(data.SkinName(), "Slate");
    ExpectCompleteSkin(data);
    EXPECT_EQ(data.Colors(csButtonFace), RGBColor(67, 76, 94));
    EXPECT_EQ(data.Elements().Title->ActiveTextColor, RGBColor(236, 239, 244));
    EXPECT_EQ(data.CustomColors(9), RGBColor(236, 239, 244));
}

TEST(DefaultSkin, PackedSlateFileLoadsCompletely)
{
    const std::string path = HostBuildFile("skins/slate.skn");
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no packed skin at " << path << " (skintool not built)";
    TSkinData data(nullptr);
    data.LoadFromFile(path);
    ASSERT_FALSE(data.Empty());
    EXPECT_EQ(data.SkinName(), "Slate");
    ExpectCompleteSkin(data);
}

TEST(DefaultSkin, PaperLeavesOptionalPartsToTheSystemLook)
{
    TMemoryStream skin;
    ASSERT_TRUE(PackSkinFolder(HostBuildFile("skins/paper"), skin));
    TSkinData data(nullptr);
    data.LoadFromStream(skin);
    ASSERT_FALSE(data.Empty());
    const TSkinElements& e = data.Elements();
    EXPECT_EQ(data.SkinName(), "Paper");
    EXPECT_FALSE(e.Headerbar);
    EXPECT_FALSE(e.TrackThumbs[ttDown]);
    ASSERT_TRUE(e.ComboButton && e.Scrollbar && e.Tabs);
    EXPECT_EQ(e.ComboButton->Style, 2);
    // No track images of its own: the program's built-in channels.
    EXPECT_EQ(e.Track->Image.Width(), 16);
    EXPECT_EQ(e.TrackVert->Image.Height(), 16);
    EXPECT_EQ(e.Track->Name, "Track");
}
