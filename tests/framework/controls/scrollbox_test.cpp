// TScrollBox: the range follows the children, scrolling moves them and
// stops at the ends.

#include "framework/controls/panel.h"
#include "framework/controls/scrollbox.h"

#include "testform.h"

namespace tarnivo {
namespace {

class ScrollBox : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        box = new TScrollBox(form.get());
        box->SetBounds(10, 10, 200, 150);
        box->SetBorderStyle(bsNone);
        box->SetParent(form.get());
        distant = new TPanel(form.get());
        distant->SetBounds(20, 400, 50, 40);   // bottom at 440
        distant->SetParent(box);
        box->HandleNeeded();   // takes the range from the children
    }
    void UserScrolls(UINT msg, int code)
    {
        SendMessageA(box->Handle(), msg, MAKEWPARAM(code, 0), 0);
    }
    TScrollBox* box = nullptr;
    TPanel* distant = nullptr;
};

TEST_F(ScrollBox, ABarAppearsOnlyForContentPastTheEdge)
{
    DWORD style = static_cast<DWORD>(GetWindowLongA(box->Handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
    distant->SetBounds(20, 20, 50, 40);
    box->UpdateScrollRange();
    EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ScrollBox, ScrollingMovesTheChildrenAndStopsAtTheEnd)
{
    RECT client;
    GetClientRect(box->Handle(), &client);
    int page = client.bottom;
    UserScrolls(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(box->VertPosition(), 8);
    EXPECT_EQ(distant->Top(), 392);
    for (int i = 0; i < 10; ++i)
        UserScrolls(WM_VSCROLL, SB_PAGEDOWN);
    // The last position shows the bottom of the content at the bottom edge.
    EXPECT_EQ(box->VertPosition(), 440 - page);
    EXPECT_EQ(distant->Top() + distant->Height(), page);
    RECT placed;
    GetWindowRect(distant->Handle(), &placed);
    MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.top, distant->Top());
    UserScrolls(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(distant->Top(), 400);
    EXPECT_EQ(box->VertPosition(), 0);
}

TEST_F(ScrollBox, ScrollInViewBringsAControlInAndAutoScrollOffGoesBack)
{
    box->ScrollInView(distant);
    RECT client;
    GetClientRect(box->Handle(), &client);
    EXPECT_GE(distant->Top(), 0);
    EXPECT_LE(distant->Top() + distant->Height(), client.bottom);
    box->SetAutoScroll(false);
    EXPECT_EQ(distant->Top(), 400);
    EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_STYLE) & WS_VSCROLL);
}

} // namespace
} // namespace tarnivo

namespace tarnivo {
namespace {

TEST_F(ScrollBox, ChildrenPlacedBeforeAnyWindowExistsGetTheirBarWhenTheFormShows)
{
    auto* form2 = MakeForm<TForm>(nullptr);
    std::unique_ptr<TForm> owner(form2);
    form2->SetBounds(0, 0, 300, 300);
    auto* later = new TScrollBox(form2);
    later->SetBounds(10, 10, 200, 120);
    later->SetParent(form2);
    auto* panel = new TPanel(form2);
    panel->SetBounds(10, 200, 100, 40);
    panel->SetParent(later);
    form2->Show();
    test::Pump();
    EXPECT_TRUE(GetWindowLongA(later->Handle(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ScrollBox, AChildWindowAddedOrFreedLaterChangesTheRange)
{
    auto* further = new TPanel(form.get());
    further->SetBounds(0, 600, 30, 30);
    further->SetParent(box);
    RECT client;
    GetClientRect(box->Handle(), &client);
    for (int i = 0; i < 20; ++i)
        UserScrolls(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(box->VertPosition(), 630 - client.bottom);
    UserScrolls(WM_VSCROLL, SB_TOP);
    delete further;
    for (int i = 0; i < 20; ++i)
        UserScrolls(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(box->VertPosition(), 440 - client.bottom);
}

} // namespace
} // namespace tarnivo
