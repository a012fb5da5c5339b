// Caption buttons: the frames drawn for each state and for an inactive
// window, placement by Align, which buttons a window shows, and buttons
// bound to the newest skin of their skin data.

#include "captiontestkit.h"

#include "skin/forms/captionbuttons.h"
#include "skin/forms/skinmessages.h"
#include "skin/resources/skinstore.h"

#include "framework/form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

class CaptionButtonTest : public SkinEngineTest {
protected:
    void UseButtons(const std::vector<ButtonSpec>& buttons)
    {
        ASSERT_TRUE(LoadCaptionSkin(Data(), buttons));
        PumpUntil([&] { return !Manager().ActionPending(); });
    }
    static std::string Text(const TRect& r)
    {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    }
    static TWinSysButton& Button(HWND window, int index)
    {
        return *SkinFormOf(window).SysButtons.at(static_cast<std::size_t>(index));
    }
};

} // namespace

TEST_F(CaptionButtonTest, EachStateDrawsItsFrameAndAnInactiveWindowFrameFourOnlyWithFourFrames)
{
    UseButtons({{"CLOSE", 0, 1, 20, 4, 0, 0, 4}, {"MAX", 1, 1, 40, 4, 0, 0, 3}});
    HWND window = MakeButtonWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);

    auto frame = PaintFrame(window);
    const TRect close = Button(window, 0).Rect;
    const TRect max = Button(window, 1).Rect;
    ASSERT_EQ(close.left, 280);
    ASSERT_EQ(max.left, 260);
    const POINT c = Centre(close);
    const POINT m = Centre(max);
    EXPECT_EQ(Pixel(*frame, c.x, c.y), ButtonColour(0, 1));
    EXPECT_EQ(Pixel(*frame, close.left, close.top), ButtonColour(0, 1));
    EXPECT_EQ(Pixel(*frame, close.right - 1, close.bottom - 1), ButtonColour(0, 1));
    // Just outside the button the title shows.
    EXPECT_EQ(Pixel(*frame, close.left - 1, c.y), kTopActive);
    EXPECT_EQ(Pixel(*frame, c.x, close.bottom), kTopActive);
    EXPECT_EQ(Pixel(*frame, m.x, m.y), ButtonColour(1, 1));

    // Pressed and hot, drawn the way the mouse handlers draw them.
    for (int state : {2, 3, 1}) {
        form->DrawSysbtn(&Button(window, 0), state, frame->Canvas().Handle());
        EXPECT_EQ(Pixel(*frame, c.x, c.y), ButtonColour(0, state)) << "state " << state;
    }

    SendMessageA(window, WM_NCACTIVATE, FALSE, 0);
    frame = PaintFrame(window);
    EXPECT_EQ(Pixel(*frame, c.x, c.y), ButtonColour(0, 4));
    EXPECT_EQ(Pixel(*frame, m.x, m.y), ButtonColour(1, 1)) << "three frames: no inactive look";
    SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    frame = PaintFrame(window);
    EXPECT_EQ(Pixel(*frame, c.x, c.y), ButtonColour(0, 1));
    DestroyWindow(window);
}

TEST_F(CaptionButtonTest, HoverAndPressShowOnTheWindowItself)
{
    UseButtons({{"CLOSE", 0, 1, 20, 4, 0, 0, 4}});
    HWND window = MakeButtonWindow();
    PaintFrame(window);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const POINT c = Centre(Button(window, 0).Rect);
    EXPECT_EQ(Pixel(*WindowPixels(window), c.x, c.y), ButtonColour(0, 1));

    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(window, c));
    EXPECT_EQ(Pixel(*WindowPixels(window), c.x, c.y), ButtonColour(0, 3));
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(window, c));
    EXPECT_EQ(Pixel(*WindowPixels(window), c.x, c.y), ButtonColour(0, 2));
    // Away from the button, the title: the button is normal again.
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(window, POINT{100, 10}));
    EXPECT_EQ(Pixel(*WindowPixels(window), c.x, c.y), ButtonColour(0, 1));
    DestroyWindow(window);
}

TEST_F(CaptionButtonTest, EveryAlignPlacesTheButtonItsOwnWay)
{
    UseButtons({
        {"LEFT", 20, 0, 30, 3},          // 0: at (Xcoord, Ycoord)
        {"RIGHT", 21, 1, 20, 5},         // 1: Xcoord from the right edge
        {"BEFORETEXT", 22 + 100, 2, 5, 4},
        {"AFTERTEXT", 24 + 100, 3, 7, 4},
        {"BEFORETEXT8", 25 + 100, 8, 1, 2},
        {"AFTERTEXT9", 26 + 100, 9, 2, 2},
        {"BAND", 27 + 100, 100, 10, 0},
        {"NOWHERE", 28 + 100, 55, 10, 10},
    });
    HWND window = MakeButtonWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 300);
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    PaintFrame(window);
    const TRect text = form->CaptionTextRect;
    ASSERT_LT(text.left, text.right);
    const int w = 12, h = 14;
    EXPECT_EQ(Text(Button(window, 0).Rect), Text(TRect{30, 3, 30 + w, 3 + h}));
    EXPECT_EQ(Text(Button(window, 1).Rect), Text(TRect{280, 5, 280 + w, 5 + h}));
    EXPECT_EQ(Button(window, 2).Rect.left, text.left - w - 5);
    EXPECT_EQ(Button(window, 3).Rect.left, text.right + 7);
    EXPECT_EQ(Text(Button(window, 4).Rect), Text(TRect{text.left - w - 1, 2, text.left - 1, 2 + h}));
    EXPECT_EQ(Text(Button(window, 5).Rect), Text(TRect{text.right + 2, 2, text.right + 2 + w, 2 + h}));
    // In the menu band: no band here, so centred on the title's lower edge
    // (the halving rounds toward zero), Xcoord in from the right border.
    EXPECT_EQ(Text(Button(window, 6).Rect), Text(TRect{300 - 10 - kRight, kTop - 7, 300 - kRight - 10 + w, kTop + 7}));
    EXPECT_EQ(Text(Button(window, 7).Rect), Text(TRect{0, 0, w, h}));
    EXPECT_EQ(form->RightButtonsLeft, 280);

    // Placement follows the window's width at every paint.
    SetWindowPos(window, nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto frame = PaintFrame(window);
    EXPECT_EQ(Button(window, 1).Rect.left, 380);
    EXPECT_EQ(Pixel(*frame, 385, 10), ButtonColour(1, 1));
    DestroyWindow(window);
}

TEST(CaptionButtonVisibility, TheCodeTableRowByRow)
{
    using K = VisibilityKey;
    TCaptionWindowFacts plain;                 // active, normal, no boxes
    TCaptionWindowFacts max = plain;
    max.Maximized = true;
    TCaptionWindowFacts inactive = plain;
    inactive.Active = false;
    TCaptionWindowFacts minSys = plain;
    minSys.Icons = {sbiMin, sbisystem};
    TCaptionWindowFacts maxOnly = plain;
    maxOnly.Icons = {sbiMax};
    TCaptionWindowFacts band = plain;
    band.MaximizedChildInBand = true;
    TCaptionWindowFacts dialog = plain;
    dialog.DialogBorder = true;
    int asked = -1;
    LRESULT answer = 0;
    TCaptionWindowFacts query = plain;
    query.Query = [&](int code) {
        asked = code;
        return answer;
    };

    struct Row {
        int code;
        K key;
        const TCaptionWindowFacts* facts;
        bool shown;
    };
    const Row rows[] = {
        {-1, K::Visibility, &plain, false},   {-1, K::Visibility1, &plain, false},
        {0, K::Visibility, &plain, true},     {0, K::Visibility1, &inactive, true},
        {1, K::Visibility, &max, true},       {1, K::Visibility1, &plain, false},
        {2, K::Visibility, &plain, true},     {2, K::Visibility1, &max, false},
        {3, K::Visibility, &plain, true},     {3, K::Visibility1, &inactive, false},
        {4, K::Visibility, &inactive, true},  {4, K::Visibility1, &plain, false},
        {5, K::Visibility, &plain, false},
        {6, K::Visibility, &minSys, true},    {6, K::Visibility, &maxOnly, false},
        {6, K::Visibility1, &maxOnly, true},  {6, K::Visibility1, &plain, false},
        {8, K::Visibility, &minSys, true},    {8, K::Visibility1, &maxOnly, true},
        {8, K::Visibility, &plain, false},
        {7, K::Visibility, &maxOnly, false},  {7, K::Visibility1, &minSys, true},
        {9, K::Visibility, &minSys, false},   {9, K::Visibility1, &maxOnly, true},
        {10, K::Visibility, &plain, false},   {99, K::Visibility1, &plain, false},
        {100, K::Visibility, &band, true},    {100, K::Visibility1, &band, true},
        {100, K::Visibility, &plain, false},  {101, K::Visibility, &band, false},
        {199, K::Visibility, &plain, false},
        {200, K::Visibility, &dialog, true},  {200, K::Visibility1, &plain, false},
        {201, K::Visibility, &plain, true},   {999, K::Visibility1, &inactive, true},
        {2001, K::Visibility, &plain, false}, {-7, K::Visibility, &plain, false},
        {1000, K::Visibility, &plain, false}, // no one to ask: hidden
        {1500, K::Visibility1, &plain, true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(VisibilityAllows(row.code, row.key, *row.facts), row.shown)
            << "code " << row.code << (row.key == K::Visibility ? " Visibility" : " Visibility1");

    for (LRESULT value : {LRESULT{1}, LRESULT{0}, LRESULT{-1}, LRESULT{7}}) {
        answer = value;
        asked = -1;
        EXPECT_EQ(VisibilityAllows(1000, K::Visibility, query), value > 0) << value;
        EXPECT_EQ(asked, 1000);
    }
    answer = 1;
    EXPECT_TRUE(VisibilityAllows(2000, K::Visibility, query));
    asked = -1;
    EXPECT_TRUE(VisibilityAllows(2000, K::Visibility1, query));
    EXPECT_EQ(asked, -1) << "Visibility1 asks nobody";
    EXPECT_FALSE(VisibilityAllows(2001, K::Visibility, query));
}

TEST_F(CaptionButtonTest, AWindowShowsAQueryButtonOnlyWhenItAnswersYes)
{
    UseButtons({{"HELP", 500, 1, 40, 4, 1000, 0, 3}});
    QueryAnswer = 0;
    HWND window = MakeButtonWindow();
    auto frame = PaintFrame(window);
    EXPECT_EQ(Button(window, 0).Visible, 0);
    EXPECT_GT(Recorded().queries, 0);
    EXPECT_EQ(Recorded().queryCode, 1000u);
    EXPECT_EQ(Recorded().queryAction, 500);
    EXPECT_EQ(Pixel(*frame, 265, 10), kTopActive);

    QueryAnswer = 1;
    frame = PaintFrame(window);
    EXPECT_EQ(Button(window, 0).Visible, 1);
    EXPECT_EQ(Pixel(*frame, 265, 10), ButtonColour(0, 1));
    QueryAnswer = 0;
    DestroyWindow(window);
}

TEST_F(CaptionButtonTest, WindowStyleHidesCloseDisablesBoxesAndDialogsLoseTheMenuButton)
{
    UseButtons({{"CLOSE", 0, 1, 20}, {"MAX", 1, 1, 40}, {"MIN", 2, 1, 60}, {"MENU", 12, 0, 6}});
    // No system menu and no boxes: close hidden, maximize and minimize shown
    // but disabled (a disabled button draws frame 1 in every state).
    HWND bare = MakeButtonWindow(WS_POPUP | WS_CAPTION, 300);
    auto frame = PaintFrame(bare);
    EXPECT_EQ(Button(bare, 0).Visible, 0);
    EXPECT_EQ(Button(bare, 1).Visible, 1);
    EXPECT_EQ(Button(bare, 1).Enabled, 0);
    EXPECT_EQ(Button(bare, 2).Enabled, 0);
    EXPECT_EQ(Button(bare, 3).Visible, 1);
    EXPECT_EQ(Pixel(*frame, 285, 10), kTopActive);
    SkinFormOf(bare).DrawSysbtn(&Button(bare, 1), 3, frame->Canvas().Handle());
    EXPECT_EQ(Pixel(*frame, 265, 10), ButtonColour(1, 1));
    DestroyWindow(bare);

    HWND full = MakeButtonWindow();
    PaintFrame(full);
    EXPECT_EQ(Button(full, 0).Visible, 1);
    EXPECT_EQ(Button(full, 1).Enabled, 1);
    EXPECT_EQ(Button(full, 2).Enabled, 1);
    DestroyWindow(full);

    HWND dialog = MakeButtonWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 300);
    PaintFrame(dialog);
    EXPECT_EQ(SkinFormOf(dialog).BorderStyle, sbsDialog);
    EXPECT_EQ(Button(dialog, 3).Visible, 0);
    EXPECT_EQ(Button(dialog, 0).Visible, 1);
    DestroyWindow(dialog);
}

namespace {

// Every caption-button object of the window is bound to an element of the
// data's current skin; answers the offending button's index, or -1.
int ButtonNotOfTheSkin(HWND window, const TSkinData& data)
{
    const auto& elements = data.Elements().SysButtons;
    const auto& buttons = FindSkinForm(window)->SysButtons;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const bool current = std::any_of(elements.begin(), elements.end(), [&](const auto& e) {
            return e.get() == buttons[i]->Element;
        });
        if (!current)
            return static_cast<int>(i);
    }
    return -1;
}

// The skin file bytes of a caption skin with these buttons.
void CaptionSkinBytes(const std::vector<ButtonSpec>& buttons, TMemoryStream& bytes)
{
    TSkinData scratch(nullptr);
    scratch.SetSkinFormtype(sfDialog);   // loads without touching the manager's choice
    ASSERT_TRUE(LoadCaptionSkin(scratch, buttons));
    bytes.Clear();
    bytes.CopyFrom(const_cast<TMemoryStream&>(scratch.SkinStream()), 0);
    bytes.SetPosition(0);
}

} // namespace

// A skin data that is not the main one (a form's own, the dialogs' one) frees
// the caption-button elements of its old skin whenever it loads another, by
// whichever path. The windows it paints must have let go of them by then: the
// buttons are bound to the new elements at once, and painting the caption
// reads only those.
TEST_F(CaptionButtonTest, ASecondSkinDataLoadingAnotherSkinByAnyPathRebindsItsWindowsButtons)
{
    TMemoryStream skins[2];
    CaptionSkinBytes({{"CLOSE", 0, 1, 20}}, skins[0]);
    CaptionSkinBytes({{"MIN", 2, 1, 60}, {"MAX", 1, 1, 40}, {"CLOSE", 0, 1, 20}}, skins[1]);
    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string file = std::string(folder) + "tarnivo_rebind_test.skn";

    using Path = std::function<void(TSkinData&, TMemoryStream&)>;
    const std::vector<std::pair<const char*, Path>> paths = {
        {"LoadFromStream", [](TSkinData& d, TMemoryStream& s) { d.LoadFromStream(s); }},
        {"SkinStream property",
         [](TSkinData& d, TMemoryStream& s) {
             TMemoryStream property;
             property.WriteInt32(static_cast<std::int32_t>(s.Size()));
             property.WriteBuffer(s.Memory(), s.Size());
             property.SetPosition(0);
             d.ReadData(property);
         }},
        {"LoadSkin", [](TSkinData& d, TMemoryStream&) { d.LoadSkin(); }},
        {"SkinFile",
         [&](TSkinData& d, TMemoryStream& s) {
             s.SaveToFile(file);
             d.SetSkinFile(file);
             DeleteFileA(file.c_str());
         }},
        {"LoadFromCollection",
         [](TSkinData& d, TMemoryStream& s) {
             TSkinStore store(nullptr);
             store.Store()->Add()->ReadData(s);
             d.LoadFromCollection(&store, 0);
         }},
    };

    // A form with a skin data of its own, and the dialogs' skin data with a
    // window of the dialog class.
    auto* form = MakeForm<TForm>(nullptr);
    auto* own = new TSkinData(form);
    own->SetSkinFormtype(sfOnlyThisForm);
    ASSERT_TRUE(own->LoadFromStream(skins[0]));
    Manager().AddSkinData(own);
    form->SetBounds(60, 60, 320, 220);
    form->Show();
    SetActiveWindow(form->Handle());
    ASSERT_NE(WaitSkinned(form->Handle()), nullptr);
    TSkinData dialogs(nullptr);
    dialogs.SetSkinFormtype(sfDialog);
    ASSERT_TRUE(dialogs.LoadFromStream(skins[0]));
    Manager().AddSkinData(&dialogs);
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", "Dialog",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 80, 80, 240, 140,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetActiveWindow(dialog);
    ASSERT_NE(WaitSkinned(dialog), nullptr);

    const std::pair<HWND, TSkinData*> windows[] = {{form->Handle(), own}, {dialog, &dialogs}};
    for (const auto& [window, data] : windows) {
        ASSERT_EQ(FindSkinForm(window)->SkinData, data);
        ASSERT_EQ(FindSkinForm(window)->SysButtons.size(), 1u + 3u);   // CLOSE and the MDI three
    }
    int next = 1;
    for (const auto& [name, load] : paths) {
        SCOPED_TRACE(name);
        for (const auto& [window, data] : windows) {
            TMemoryStream& skin = skins[next];
            skin.SetPosition(0);
            if (std::string(name) == "LoadSkin")
                data->LoadFromStream(skin);   // then loads its own stream again
            const std::uint32_t generation = data->Generation();
            load(*data, skin);
            ASSERT_NE(data->Generation(), generation);
            EXPECT_EQ(ButtonNotOfTheSkin(window, *data), -1);
            PaintFrame(window);
            ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
            EXPECT_EQ(ButtonNotOfTheSkin(window, *data), -1);
            EXPECT_EQ(FindSkinForm(window)->SysButtons.size(), data->Elements().SysButtons.size());
            PaintFrame(window);
        }
        next = 1 - next;
    }
    DestroyWindow(dialog);
    delete form;
    Manager().RemoveSkinData(&dialogs);
}
