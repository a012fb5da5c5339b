// TToolBar with TToolButton: buttons in the window, their state and
// clicks, grouped check buttons, custom drawing.

#include "framework/controls/toolbar.h"
#include "framework/menus.h"

#include "testform.h"

namespace tarnivo {
namespace {

class ToolBar : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        bar = new TToolBar(form.get());
        bar->SetBounds(0, 0, 400, 30);
        bar->SetParent(form.get());
    }
    TToolButton* Button(TToolButtonStyle style = tbsButton)
    {
        auto* b = new TToolButton(form.get());
        b->SetStyle(style);
        b->SetParent(bar);
        b->OnClick = [this, b](TObject*) { clicked.push_back(b); };
        return b;
    }
    // What the bar reports to its parent when the user clicks a button.
    void Report(TToolButton* b)
    {
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(b->Command(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(bar->Handle()));
    }
    void ClickAt(TToolButton* b)
    {
        LPARAM at = MAKELPARAM(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
        SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, at);
    }
    TToolBar* bar = nullptr;
    std::vector<TToolButton*> clicked;
};

TEST_F(ToolBar, ButtonsTakeTheirPlacesInJoiningOrderAndLeave)
{
    TToolButton* a = Button();
    TToolButton* sep = Button(tbsSeparator);
    TToolButton* b = Button();
    EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_LT(a->Left(), sep->Left());
    EXPECT_LT(sep->Left(), b->Left());
    EXPECT_EQ(a->Width(), bar->ButtonWidth());
    int bLeft = b->Left();
    delete sep;
    EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_LT(b->Left(), bLeft);
    b->SetParent(form.get());
    EXPECT_EQ(b->ToolBar(), nullptr);
    EXPECT_EQ(bar->ButtonCount(), 1);
    EXPECT_EQ(b->Index(), -1);
}

TEST_F(ToolBar, ReportedClicksReachTheirButtonsOnly)
{
    TToolButton* a = Button();
    TToolButton* b = Button();
    Report(b);
    Report(a);
    EXPECT_EQ(clicked, (std::vector<TToolButton*>{b, a}));
    // A command of no button of this bar is not ours.
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0xFFF0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(clicked.size(), 2u);
    ShowForm();
    ClickAt(a);
    EXPECT_EQ(clicked.size(), 3u);
    a->SetEnabled(false);
    ClickAt(a);
    EXPECT_EQ(clicked.size(), 3u);
    EXPECT_FALSE(SendMessageA(bar->Handle(), TB_ISBUTTONENABLED, a->Command(), 0));
}

TEST_F(ToolBar, GroupedCheckButtonsAreDownOneAtATime)
{
    ShowForm();
    TToolButton* a = Button(tbsCheck);
    TToolButton* b = Button(tbsCheck);
    a->SetGrouped(true);
    b->SetGrouped(true);
    ClickAt(a);
    EXPECT_TRUE(a->Down());
    ClickAt(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    ClickAt(b);   // a grouped button stays down
    EXPECT_TRUE(b->Down());
    // The state is the window's, and survives a new window.
    form->SetBorderStyle(bsSingle);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
}

TEST_F(ToolBar, MenuMakesOneButtonPerVisibleTopItem)
{
    auto* menu = new TMainMenu(form.get());
    auto* file = new TMenuItem(form.get());
    file->SetCaption("&File");
    auto* hidden = new TMenuItem(form.get());
    hidden->SetCaption("Hidden");
    hidden->SetVisible(false);
    auto* help = new TMenuItem(form.get());
    help->SetCaption("&Help");
    int helpClicks = 0;
    help->OnClick = [&](TObject*) { ++helpClicks; };
    menu->Items()->Add(file);
    menu->Items()->Add(hidden);
    menu->Items()->Add(help);
    bar->SetMenu(menu);
    ASSERT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(1)->MenuItem(), help);
    EXPECT_EQ(bar->Buttons(1)->Caption(), "&Help");
    Report(bar->Buttons(1));   // an item without sub-items runs at once
    EXPECT_EQ(helpClicks, 1);
    bar->SetMenu(nullptr);
    EXPECT_EQ(bar->ButtonCount(), 0);
}

TEST_F(ToolBar, CustomDrawCanTakeOverTheBackgroundAndEachButton)
{
    Button();
    TToolButton* b = Button();
    int backgrounds = 0;
    std::vector<TToolButton*> drawn;
    bar->OnCustomDraw = [&](TToolBar*, const RECT&, bool&) { ++backgrounds; };
    bar->OnCustomDrawButton = [&](TToolBar*, TToolButton* button, TCustomDrawState, bool& def) {
        drawn.push_back(button);
        def = button != b;
    };
    ShowForm();
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_GE(backgrounds, 1);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), b), drawn.end());
    EXPECT_EQ(drawn.size() % 2, 0u);   // both buttons, every time
}

} // namespace
} // namespace tarnivo
