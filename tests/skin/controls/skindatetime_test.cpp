// The date-time picker skin: its border, the arrow window's place and
// frames, and a click on the arrow opening the calendar with the focus left
// on the picker.

#include "editcombotestkit.h"

#include "skin/controls/skindatetime.h"

#include "framework/controls/datetimepicker.h"
#include "framework/ownmessages.h"

#include "tests/framework/graphics/bitmappixels.h"

#include <commctrl.h>

namespace tarnivo {
namespace {

using namespace test;

class SkinDateTimeTest : public EditComboTest {
protected:
    void SetUp() override
    {
        EditComboTest::SetUp();
        m_picker = new TDateTimePicker(m_form.get());
        m_picker->SetBounds(20, 20, 150, 24);
        m_picker->SetParent(m_form.get());
        m_skin = new TSkinDateTime(m_picker);
        m_skin->Init(m_host.get(), m_data.get(), nullptr, false);
        Pump();
    }
    TDateTimePicker* m_picker = nullptr;
    TSkinDateTime* m_skin = nullptr;
};

TEST_F(SkinDateTimeTest, BorderHasOneWhiteLine)
{
    TBitmap b;
    PaintInto(*m_skin, m_picker->Handle(), b);
    EXPECT_EQ(PixelOf(b, 0, 0), kShadow);
    EXPECT_EQ(PixelOf(b, 149, 23), kShadow);
    EXPECT_EQ(PixelOf(b, 1, 12), clWhite);
    EXPECT_EQ(PixelOf(b, 2, 12), kUnpainted);
}

TEST_F(SkinDateTimeTest, ArrowCoversThePickersButtonAndShowsNormalAndHotFrames)
{
    TArrowButton* arrow = m_skin->Arrow();
    ASSERT_NE(arrow, nullptr);
    HWND window = arrow->Handle();
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(GetParent(window), m_picker->Handle());
    EXPECT_TRUE(GetWindowLongW(m_picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_FALSE(arrow->TabStop());
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, m_picker->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 150 - a - 4);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, a);
    EXPECT_EQ(r.bottom - r.top, a + 1);

    // The arrow is cut from the composed faces' button part: frame k shows
    // that frame's button colour.
    Repaint(window);
    EXPECT_EQ(ScreenPixel(window, a / 2, a / 2), ButtonColor(1));
    SendOwnMessage(window, CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(arrow->Hot());
    Repaint(window);
    EXPECT_EQ(ScreenPixel(window, a / 2, a / 2), ButtonColor(4));
    SendOwnMessage(window, CM_MOUSELEAVE, 0, 0);
    Repaint(window);
    EXPECT_EQ(ScreenPixel(window, a / 2, a / 2), ButtonColor(1));

    // A disabled picker does not light its arrow.
    m_picker->SetEnabled(false);
    SendOwnMessage(window, CM_MOUSEENTER, 0, 0);
    EXPECT_FALSE(arrow->Hot());
}

TEST_F(SkinDateTimeTest, ClickOnTheArrowOpensTheCalendarAndKeepsTheFocusOnThePicker)
{
    FocusForm();
    SetFocus(m_form->Handle());
    HWND window = m_skin->Arrow()->Handle();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Pump();
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(m_picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    EXPECT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar && IsWindowVisible(GetAncestor(calendar, GA_ROOT)));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == m_picker->Handle() || (calendar && focus == calendar));
    EXPECT_NE(focus, window);
    SendMessageW(m_picker->Handle(), DTM_CLOSEMONTHCAL, 0, 0);
}

// A dialog's own picker (no framework control) gets the same arrow window;
// a click on it opens the calendar.
TEST_F(SkinDateTimeTest, RawPickerGetsTheArrowWindowToo)
{
    HWND raw = CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_VISIBLE, 20, 60, 120, 22,
                               m_form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(raw, nullptr);
    auto* skin = new TSkinDateTime(m_form.get());
    skin->Inithwnd(raw, m_data.get(), nullptr, m_host.get());
    ASSERT_NE(skin->Arrow(), nullptr);
    HWND window = skin->Arrow()->Handle();
    EXPECT_EQ(GetParent(window), raw);
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, raw, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 120 - GetSystemMetrics(SM_CXHSCROLL) - 4);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Pump();
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(raw, DTM_GETMONTHCAL, 0, 0));
    EXPECT_NE(calendar, nullptr);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(raw, DTM_CLOSEMONTHCAL, 0, 0);
    delete skin;
    DestroyWindow(raw);
}

} // namespace
} // namespace tarnivo
