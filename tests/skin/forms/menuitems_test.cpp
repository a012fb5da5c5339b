// Skinned menu entries: the frame and colours chosen for each kind of entry,
// drawn into a memory bitmap, and the measure of captions and shortcuts.

#include "menutestkit.h"

#include "skin/forms/menuband.h"
#include "skin/forms/menuitems.h"

#include "framework/imagelist.h"

#include <gtest/gtest.h>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

constexpr TColor kImage = RGBColor(250, 20, 20);
constexpr int W = 140;
constexpr int H = 20;

class MenuItemTest : public SkinEngineTest {
protected:
    void SetUp() override
    {
        SkinEngineTest::SetUp();
        ASSERT_TRUE(LoadMenuSkin(Data()));
        m_images.SetSize(16, 16);
        TBitmap image;
        image.SetSize(16, 16);
        image.Canvas().Brush().SetColor(kImage);
        image.Canvas().FillRect(TRect{0, 0, 16, 16});
        m_images.Add(image, nullptr);
        m_menu.SetImages(&m_images);
    }

    TMenuItem* Add(const std::string& caption)
    {
        auto* item = new TMenuItem(&m_menu);
        item->SetCaption(caption);
        m_menu.Items()->Add(item);
        return item;
    }

    std::unique_ptr<TBitmap> Draw(TMenuItem& item, bool selected, bool native = false)
    {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetPixelFormat(pf32bit);
        bitmap->SetSize(W, H);
        bitmap->Canvas().Brush().SetColor(clBlack);
        bitmap->Canvas().FillRect(TRect{0, 0, W, H});
        const TMenuItemPainter painter(Data());
        if (native)
            painter.DrawHMenuItem2(item, bitmap->Canvas(), TRect{0, 0, W, H}, selected, nullptr);
        else
            painter.DrawMenuItem(item, bitmap->Canvas(), TRect{0, 0, W, H}, selected, nullptr);
        return bitmap;
    }

    static int Count(TBitmap& bitmap, const TRect& area, TColor colour)
    {
        int count = 0;
        for (int y = std::max(0, static_cast<int>(area.top)); y < std::min(H, static_cast<int>(area.bottom)); ++y)
            for (int x = std::max(0, static_cast<int>(area.left)); x < std::min(W, static_cast<int>(area.right)); ++x)
                count += Pixel(bitmap, x, y) == colour;
        return count;
    }

    TRect Cell(const TMenuItem& item) const
    {
        return TMenuItemPainter(Data()).GlyphCell(item, TRect{0, 0, W, H});
    }

    TImageList m_images{nullptr};
    TPopupMenu m_menu{nullptr};
};

} // namespace

TEST_F(MenuItemTest, NormalAndSelectedEntriesTakeFramesOneAndFourWithTheirTextColours)
{
    TMenuItem* item = Add("Open");
    const TRect text{24, 0, W - 12, H};
    auto normal = Draw(*item, false);
    EXPECT_EQ(Pixel(*normal, W - 5, 1), kItemFrame[1]);
    EXPECT_EQ(Pixel(*normal, 0, H - 1), kItemFrame[1]);
    EXPECT_GT(Count(*normal, text, kMenuText), 5);
    EXPECT_EQ(Count(*normal, text, kHilightText), 0);

    auto selected = Draw(*item, true);
    EXPECT_EQ(Pixel(*selected, W - 5, 1), kItemFrame[4]);
    EXPECT_GT(Count(*selected, text, kHilightText), 5);
    EXPECT_EQ(Count(*selected, text, kMenuText), 0);
}

TEST_F(MenuItemTest, DisabledTextIsShadowAndNeverTheNormalTextColour)
{
    TMenuItem* item = Add("Open");
    item->SetEnabled(false);
    for (bool selected : {false, true}) {
        auto bitmap = Draw(*item, selected);
        EXPECT_GT(Count(*bitmap, TRect{20, 0, W, H}, kShadow), 5) << selected;
        EXPECT_EQ(Count(*bitmap, TRect{20, 0, W, H}, kMenuText), 0) << selected;
        EXPECT_EQ(Count(*bitmap, TRect{20, 0, W, H}, kHilightText), 0) << selected;
    }
}

TEST_F(MenuItemTest, CheckMarkAndRadioBulletAreDrawnInTheGlyphCellOnlyWhenChecked)
{
    TMenuItem* plain = Add("Plain");
    TMenuItem* check = Add("Check");
    check->SetChecked(true);
    TMenuItem* radio = Add("Radio");
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    const TRect cell = Cell(*check);
    EXPECT_EQ(cell.left, 1 + kItemMargin);
    EXPECT_EQ(RectWidth(cell), 16);

    EXPECT_EQ(Count(*Draw(*plain, false), cell, kMenuText), 0);
    auto checked = Draw(*check, false);
    auto bullet = Draw(*radio, false);
    EXPECT_GT(Count(*checked, cell, kMenuText), 15);
    EXPECT_GT(Count(*bullet, cell, kMenuText), 15);
    // The mark's top-right end is coloured; a disc leaves its corners empty.
    const int markLeft = (cell.left + cell.right - 7) / 2;
    const int markTop = (0 + H - RectHeight(cell)) / 2 + (RectHeight(cell) - 7) / 2;
    EXPECT_EQ(Pixel(*checked, markLeft + 6, markTop), kMenuText);
    EXPECT_NE(Pixel(*bullet, markLeft + 6, markTop), kMenuText);
    const POINT centre{(cell.left + cell.right) / 2, H / 2};
    EXPECT_EQ(Pixel(*bullet, centre.x, centre.y), kMenuText);
    // Selected, the mark follows the selected text colour.
    EXPECT_GT(Count(*Draw(*check, true), cell, kHilightText), 15);
}

TEST_F(MenuItemTest, ImageEntryDrawsItsImageInTheCellVerticallyCentred)
{
    TMenuItem* item = Add("Picture");
    item->SetImageIndex(0);
    const TRect cell = Cell(*item);
    auto bitmap = Draw(*item, false);
    const int top = (H - 16) / 2;
    EXPECT_EQ(Pixel(*bitmap, cell.left, top), kImage);
    EXPECT_EQ(Pixel(*bitmap, cell.left + 15, top + 15), kImage);
    EXPECT_NE(Pixel(*bitmap, cell.left + 16, top + 8), kImage);
    EXPECT_NE(Pixel(*bitmap, cell.left, top - 1), kImage);
    // An index past the list draws no image.
    item->SetImageIndex(3);
    EXPECT_EQ(Count(*Draw(*item, false), cell, kImage), 0);
}

TEST_F(MenuItemTest, SeparatorIsFrameTwoKeyedOverTheMenuColourOrAnEtchedLineNatively)
{
    TMenuItem* line = Add("-");
    auto bitmap = Draw(*line, false);
    // Frame 2 stretched to the height: its magenta upper half shows the
    // entry's background, its lower half the separator colour.
    EXPECT_EQ(Pixel(*bitmap, W / 2, 1), kMenuBg);
    EXPECT_EQ(Pixel(*bitmap, W / 2, H - 2), kItemFrame[2]);
    EXPECT_EQ(Count(*bitmap, TRect{0, 0, W, H}, kMagenta), 0);
    EXPECT_EQ(Count(*bitmap, TRect{0, 0, W, H}, kItemFrame[1]), 0);

    // An entry that exists only natively takes the normal path: frame 1 and
    // the etched line 4 pixels down.
    auto native = Draw(*line, false, true);
    EXPECT_EQ(Pixel(*native, W / 2, 1), kItemFrame[1]);
    EXPECT_NE(Pixel(*native, W / 2, 4), kItemFrame[1]);
}

TEST_F(MenuItemTest, WithoutTheElementEntriesUseTheMenuAndSelectionColours)
{
    TSkinData plain(nullptr);
    ASSERT_TRUE(LoadMenuSkin(plain, true, false));
    TMenuItem* item = Add("Open");
    for (bool selected : {false, true}) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetSize(W, H);
        TMenuItemPainter(plain).DrawMenuItem(*item, bitmap.Canvas(), TRect{0, 0, W, H}, selected,
                                             nullptr);
        EXPECT_EQ(Pixel(bitmap, W - 3, 1), selected ? kHilight : kMenuBg);
    }
}

TEST_F(MenuItemTest, EntriesInGreekAndJapaneseAreDrawnWithTheirOwnGlyphsPlainAndBold)
{
    // Three missing glyphs are drawn alike, so an entry whose letters the
    // menu font cannot show looks exactly like the one of three U+FFFF.
    const auto differing = [](const TBitmap& a, const TBitmap& b) {
        int count = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                count += Pixel(a, x, y) != Pixel(b, x, y);
        return count;
    };
    for (bool bold : {false, true}) {
        for (const char* text : {"\xce\x96\xcf\x89\xce\xae",                  // Ζωή
                                 "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e"}) {  // 日本語
            TMenuItem* entry = Add(text);
            TMenuItem* boxes = Add("\xef\xbf\xbf\xef\xbf\xbf\xef\xbf\xbf");
            TMenuItem* marks = Add("???");
            for (TMenuItem* item : {entry, boxes, marks})
                item->SetDefault(bold);
            auto drawn = Draw(*entry, false);
            EXPECT_GT(differing(*drawn, *Draw(*boxes, false)), 4) << text << (bold ? " bold" : "");
            EXPECT_GT(differing(*drawn, *Draw(*marks, false)), 4) << text << (bold ? " bold" : "");
        }
    }
}

TEST_F(MenuItemTest, MeasureIgnoresTheAccessKeyMarkAndMakesRoomForShortcutGlyphsAndMargin)
{
    TCanvas& canvas = [&]() -> TCanvas& {
        static TBitmap scratch;
        scratch.SetSize(4, 4);
        scratch.Canvas().Font().AssignLogFont(SystemMenuFont());
        return scratch.Canvas();
    }();
    const TMenuItemPainter painter(Data());
    auto measure = [&](TMenuItem& item) {
        int w = 0, h = 0;
        painter.MeasureItem(item, canvas, w, h);
        return w;
    };
    TMenuItem* plain = Add("Open");
    TMenuItem* accel = Add("&Open");
    EXPECT_EQ(measure(*plain), measure(*accel));

    TMenuItem* keyed = Add("Open");
    keyed->SetShortCut(ShortCut('O', scCtrl));
    EXPECT_GE(measure(*keyed) - measure(*plain), canvas.TextExtent(std::string("Ctrl+O")).cx + 11);
    // A tab in the caption is a shortcut column too (native entries).
    TMenuItem* tabbed = Add("Open\tCtrl+O");
    EXPECT_EQ(measure(*tabbed), measure(*keyed));

    // No image list: 25 more for the check column.
    TPopupMenu bare(nullptr);
    auto* loose = new TMenuItem(&bare);
    loose->SetCaption("Open");
    bare.Items()->Add(loose);
    // (The framework's own check column is narrower without the 16-pixel images.)
    const int checkColumn = std::min(16, GetSystemMetrics(SM_CXMENUCHECK));
    EXPECT_EQ(measure(*loose) - measure(*plain), 25 - (16 - checkColumn));

    // Popup entries: the framework's width plus the margin, 12, 23 without images.
    int w = 100;
    painter.MeasureItemPop(*plain, w);
    EXPECT_EQ(w, 100 + kItemMargin + 12);
    w = 100;
    painter.MeasureItemPop(*loose, w);
    EXPECT_EQ(w, 100 + kItemMargin + 12 + 23);

    // A lone "&" still measures as a space.
    TRect r{0, 0, 0, 0};
    painter.DoDrawText(*plain, canvas, MeasureTextFlags, false, r, "&");
    EXPECT_GT(RectWidth(r), 0);
}

TEST_F(MenuItemTest, AtTwiceTheDpiTheEntrysGapsAndColumnsAreTwiceThoseAt96)
{
    // The element's margin comes doubled from the scaled set; the painter's
    // own paddings must follow, or a 192-DPI menu is cramped next to its text.
    const TMenuItemPainter at96(Data(), false, 96);
    const TMenuItemPainter at192(Data(), false, 192);
    TMenuItem* plain = Add("Open");
    TPopupMenu bare(nullptr);
    auto* loose = new TMenuItem(&bare);
    loose->SetCaption("Open");
    bare.Items()->Add(loose);
    for (TMenuItem* item : {plain, loose}) {
        int small = 100, large = 200;
        at96.MeasureItemPop(*item, small);
        at192.MeasureItemPop(*item, large);
        EXPECT_EQ(large, 2 * small) << item->Menu()->Images();
    }

    TBitmap scratch;
    scratch.SetSize(4, 4);
    TCanvas& canvas = scratch.Canvas();
    int w96 = 0, h96 = 0, w192 = 0, h192 = 0;
    at96.MeasureNativeItem(canvas, "-", w96, h96);
    at192.MeasureNativeItem(canvas, "-", w192, h192);
    EXPECT_EQ(w192, 2 * w96);
    EXPECT_EQ(h192, 2 * h96);
    canvas.Font().AssignLogFont(SystemMenuFont(96));
    at96.MeasureNativeItem(canvas, "Open", w96, h96);
    const int text96 = RectWidth(canvas.MeasureText(TRect{}, std::string("Open"), MeasureTextFlags));
    canvas.Font().AssignLogFont(SystemMenuFont(192));
    at192.MeasureNativeItem(canvas, "Open", w192, h192);
    const int text192 = RectWidth(canvas.MeasureText(TRect{}, std::string("Open"), MeasureTextFlags));
    EXPECT_EQ(w192 - text192, 2 * (w96 - text96));

    // A check mark without an image list takes a column of 16 at 96 DPI.
    loose->SetChecked(true);
    const TRect rect{0, 0, 2 * W, 2 * H};
    EXPECT_EQ(RectWidth(at96.GlyphCell(*loose, rect)), 16);
    EXPECT_EQ(RectWidth(at192.GlyphCell(*loose, rect)), 32);
}

TEST(ShortCutText, NamesModifiersAndKeys)
{
    const struct {
        TShortCut key;
        const char* text;
    } rows[] = {
        {0, ""},
        {ShortCut('O', scCtrl), "Ctrl+O"},
        {ShortCut(VK_F5), "F5"},
        {ShortCut(VK_F12, scAlt), "Alt+F12"},
        {ShortCut(VK_DELETE, scShift), "Shift+Del"},
        {ShortCut('R', scCtrl | scShift | scAlt), "Ctrl+Shift+Alt+R"},
        {ShortCut('7'), "7"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ShortCutToText(row.key), row.text);
}

TEST(MenuAccelerator, OnlyTheCharacterAfterASingleAmpersandCounts)
{
    const struct {
        const wchar_t* caption;
        wchar_t key;
        bool is;
    } rows[] = {
        {L"&File", L'f', true},   {L"&File", L'F', true},  {L"Fi&le", L'l', true},
        {L"Fi&le", L'f', false},  {L"&&File", L'f', false}, {L"a&&b&c", L'c', true},
        {L"File", L'f', false},   {L"Trail&", L'&', false}, {L"", L'a', false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsAccel(row.key, row.caption), row.is) << static_cast<char>(row.key);
}
