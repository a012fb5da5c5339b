// The tab skins on real tab controls: which face frame each tab gets, the
// image turned to the side the tabs are on, the pane, button-style tabs,
// close boxes that remove a page, and a tab set of another family with its
// scroller.

#include "skinpartskit.h"

#include "skin/controls/skinfactory.h"
#include "skin/controls/skintab.h"
#include "skin/controls/skinupdown.h"
#include "skin/forms/skinmessages.h"

#include "framework/controls/pagecontrol.h"
#include "framework/controls/tabcontrol.h"
#include "framework/stringlist.h"
#include "framework/subclass.h"

#include <commctrl.h>

namespace tarnivo {
namespace {

using namespace test;

class TabSkin : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        ASSERT_TRUE(LoadPartsSkin(*m_data));
        m_form->SetBounds(60, 60, 420, 320);
        ClearStage(*m_form, *m_panel, m_raw);
    }
    template <typename T>
    T* Attach(TSkinClass skinClass, TControl* control)
    {
        TSkinAttachRequest request;
        request.Class = skinClass;
        request.Control = control;
        request.Owner = control;
        request.Host = m_host.get();
        request.SkinData = m_data.get();
        auto* skin = dynamic_cast<T*>(AttachSkinControl(request));
        Repaint(static_cast<TWinControl*>(control)->Handle());
        Pump();
        return skin;
    }
    TTabControl* Tabs(TTabPosition position)
    {
        auto* tabs = new TTabControl(m_form.get());
        tabs->SetBounds(10, 10, 300, 200);
        tabs->SetTabPosition(position);
        tabs->SetParent(m_form.get());
        for (const char* text : {"One", "Two", "Three"})
            tabs->Tabs().Add(text);
        tabs->SetTabIndex(1);
        return tabs;
    }
    TPageControl* Pages(int tag, TTabStyle style = tsTabs)
    {
        auto* pages = new TPageControl(m_form.get());
        pages->SetBounds(10, 10, 300, 200);
        pages->SetTag(tag);
        pages->SetStyle(style);
        pages->SetParent(m_form.get());
        for (const char* text : {"Page one", "Page two", "Page three"}) {
            auto* sheet = new TTabSheet(m_form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(text);
        }
        pages->SetActivePageIndex(0);
        return pages;
    }
};

RECT ItemRect(HWND tabs, int index)
{
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

TEST(TabPositionOfStyle, BottomAndVerticalBitsTogetherMeanRight)
{
    EXPECT_EQ(TabPositionOfStyle(0), StTop);
    EXPECT_EQ(TabPositionOfStyle(TCS_BOTTOM), Stbottom);
    EXPECT_EQ(TabPositionOfStyle(TCS_VERTICAL), Stleft);
    EXPECT_EQ(TabPositionOfStyle(TCS_BOTTOM | TCS_VERTICAL | TCS_MULTILINE), Stright);
}

// Each tab shows the outer half of its frame at the edge away from the pane
// and the inner half toward it: at the bottom that needs the mirrored image,
// at the sides the strip turned.
TEST_F(TabSkin, FocusedTabGetsFrameTwoAndTheImageFacesAwayFromThePane)
{
    for (TTabPosition position : {tpTop, tpBottom, tpLeft, tpRight}) {
        SCOPED_TRACE(position);
        TTabControl* tabs = Tabs(position);
        auto* skin = Attach<TSkinTab>(TSkinClass::Tab, tabs);
        ASSERT_NE(skin, nullptr);
        HWND window = tabs->Handle();
        const int focus = static_cast<int>(SendMessageW(window, TCM_GETCURFOCUS, 0, 0));
        ASSERT_EQ(focus, 1);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const int frame = i == focus ? 2 : 1;
            RECT r = ItemRect(window, i);
            POINT outer{}, inner{};
            const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
            switch (position) {
            case tpTop:
                OffsetRect(&r, 0, 1);
                outer = {r.left + 2, r.top + 1};
                inner = {r.left + 2, (r.top + r.bottom) / 2 + 2};
                break;
            case tpBottom:
                outer = {r.left + 2, r.bottom - 2};
                inner = {r.left + 2, midY - 2};
                break;
            case tpLeft:
                outer = {r.left + 1, r.top + 2};
                inner = {midX + 2, r.top + 2};
                break;
            case tpRight:
                outer = {r.right - 2, r.top + 2};
                inner = {midX - 2, r.top + 2};
                break;
            }
            EXPECT_EQ(ScreenPixel(window, outer.x, outer.y), TabOuter(frame));
            EXPECT_EQ(ScreenPixel(window, inner.x, inner.y), TabInner(frame));
        }
        RECT display = tabs->DisplayRect();
        EXPECT_EQ(ScreenPixel(window, (display.left + display.right) / 2,
                              (display.top + display.bottom) / 2),
                  kPane);
        delete tabs;
    }
}

TEST_F(TabSkin, ButtonStyleTabsUseTheButtonFaces)
{
    TPageControl* pages = Pages(0, tsButtons);
    ASSERT_NE(Attach<TSkinTabBtn>(TSkinClass::TabBtn, pages), nullptr);
    for (int i = 0; i < 3; ++i) {
        RECT r = ItemRect(pages->Handle(), i);
        EXPECT_EQ(ScreenPixel(pages->Handle(), r.left + 2, r.top + 3), ButtonColor(i == 0 ? 2 : 1))
            << "tab " << i;
    }
}

// The form answers WM_SKINTABCLOSE; this one answers `answer`.
class CloseAnswer {
public:
    CloseAnswer(HWND form, LRESULT answer)
        : m_subclass(form, [this, answer](TMessage& m) {
              if (m.Msg == WM_SKINTABCLOSE) {
                  ++Asked;
                  Tab = static_cast<int>(m.LParam);
                  m.Result = answer;
                  return;
              }
              m_subclass.CallPrevious(m);
          })
    {
    }
    int Asked = 0;
    int Tab = -1;

private:
    TWindowSubclass m_subclass;
};

LPARAM Centre(const TRect& r)
{
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST(TabCloseBox, TwiceAsLargeAndTwiceAsFarInAt192)
{
    const TRect tab{100, 10, 160, 40};
    const TRect small = CloseBoxRect(tab, 96);
    const TRect large = CloseBoxRect(tab, 192);
    EXPECT_EQ(RectWidth(small), 6);
    EXPECT_EQ(RectWidth(large), 12);
    EXPECT_EQ(RectHeight(large), 12);
    EXPECT_EQ(tab.right - large.right, 2 * (tab.right - small.right));
    EXPECT_EQ(large.top - tab.top, 2 * (small.top - tab.top));
    // 150 %: the lengths rounded, the box still square.
    const TRect mid = CloseBoxRect(tab, 144);
    EXPECT_EQ(RectWidth(mid), RectHeight(mid));
    EXPECT_EQ(RectWidth(mid), 9);
}

TEST_F(TabSkin, TheCloseBoxesOfAFormAt192AreDrawnAtItsScale)
{
    TPageControl* pages = Pages(7777);
    auto* skin = Attach<TSkinTab>(TSkinClass::Tab, pages);
    ASSERT_NE(skin, nullptr);
    HWND window = pages->Handle();
    m_host->Dpi = 192;
    Repaint(window);
    m_host->Dpi = 96;
    ASSERT_EQ(skin->CloseRects().size(), 3u);
    for (const TRect& box : skin->CloseRects()) {
        EXPECT_EQ(RectWidth(box), 12);
        EXPECT_EQ(RectHeight(box), 12);
    }
}

TEST_F(TabSkin, CloseBoxRemovesThePageOnlyWhenTheFormAnswersZero)
{
    TPageControl* pages = Pages(7777);
    auto* skin = Attach<TSkinTab>(TSkinClass::Tab, pages);
    ASSERT_NE(skin, nullptr);
    ASSERT_TRUE(skin->CloseButtons());
    HWND window = pages->Handle();
    ASSERT_EQ(skin->CloseRects().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        RECT r = ItemRect(window, i);
        OffsetRect(&r, 0, 1);
        const TRect box = CloseBoxRect(r);
        EXPECT_TRUE(EqualRect(&skin->CloseRects()[static_cast<std::size_t>(i)], &box));
        // Drawn in the canvas pen (black), over the tab's face.
        EXPECT_EQ(ScreenPixel(window, box.left, box.top), clBlack);
        EXPECT_EQ(ScreenPixel(window, box.left + 1, box.top + 1), clBlack);
    }
    {
        CloseAnswer keep(m_form->Handle(), 1);
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Centre(skin->CloseRects()[1]));
        SendMessageW(window, WM_LBUTTONUP, 0, Centre(skin->CloseRects()[1]));
        EXPECT_EQ(keep.Asked, 1);
        EXPECT_EQ(keep.Tab, 1);
        EXPECT_EQ(pages->PageCount(), 3);
    }
    Repaint(window);
    CloseAnswer close(m_form->Handle(), 0);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Centre(skin->CloseRects()[1]));
    SendMessageW(window, WM_LBUTTONUP, 0, Centre(skin->CloseRects()[1]));
    ASSERT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->Pages(0)->Caption(), "Page one");
    EXPECT_EQ(pages->Pages(1)->Caption(), "Page three");
    EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 2);
    Repaint(window);
    EXPECT_EQ(skin->CloseRects().size(), 2u);
}

TEST_F(TabSkin, WithoutTheTagAClickOnTheCornerSelectsTheTab)
{
    TPageControl* pages = Pages(0);
    auto* skin = Attach<TSkinTab>(TSkinClass::Tab, pages);
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->CloseButtons());
    RECT r = ItemRect(pages->Handle(), 2);
    OffsetRect(&r, 0, 1);
    CloseAnswer answer(m_form->Handle(), 0);
    SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Centre(CloseBoxRect(r)));
    SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, Centre(CloseBoxRect(r)));
    Pump();
    EXPECT_EQ(answer.Asked, 0);
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
}

TEST_F(TabSkin, TabsAtTheBottomDrawNoCloseBoxes)
{
    TPageControl* pages = Pages(7777);
    pages->SetTabPosition(tpBottom);
    auto* skin = Attach<TSkinTab>(TSkinClass::Tab, pages);
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->CloseButtons());
    EXPECT_EQ(skin->Position(), Stbottom);
}

TEST_F(TabSkin, OverflowingTabsGetSkinnedScrollArrowsLeftOutOfTheStrip)
{
    TTabControl* tabs = Tabs(tpTop);
    for (int i = 0; i < 12; ++i)
        tabs->Tabs().Add(std::string("More tabs ").append(std::to_string(i)));
    auto* skin = Attach<TSkinTab>(TSkinClass::Tab, tabs);
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->UpDown(), nullptr);
    HWND arrows = skin->UpDown()->ControlHandle();
    ASSERT_TRUE(IsWindowVisible(arrows));
    Repaint(tabs->Handle());
    Repaint(arrows);
    EXPECT_TRUE(skin->UpDown()->Horizontal());
    RECT a{};
    GetClientRect(arrows, &a);
    EXPECT_EQ(ScreenPixel(arrows, 2, a.bottom / 2), UpDownHorz(1));
    EXPECT_EQ(ScreenPixel(arrows, a.right - 3, a.bottom / 2), UpDownHorz(5));
}

// A tab set of another family, as the engine meets it: known by its class
// name, read through its published properties, with a scroller as its first
// component.
class TScroller : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info{"TScroller", &TCustomControl::StaticClassInfo(), {}};
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClassInfo(); }
};

class TTestTabSet : public TCustomControl {
public:
    explicit TTestTabSet(TComponent* owner) : TCustomControl(owner)
    {
        Scroller = new TScroller(this);
    }
    static const TClassInfo& StaticClassInfo()
    {
        auto integer = [](const char* name, int TTestTabSet::*field) {
            return TPropInfo{name, TPropKind::Integer, {},
                             [field](const TObject& o) -> TPropValue {
                                 return std::int64_t{static_cast<const TTestTabSet&>(o).*field};
                             },
                             {}};
        };
        static const TClassInfo info{
            "TTabSet", &TCustomControl::StaticClassInfo(),
            {TPropInfo{"Tabs", TPropKind::Object, {},
                       [](const TObject& o) -> TPropValue {
                           return const_cast<TStringList*>(&static_cast<const TTestTabSet&>(o).Tabs);
                       },
                       {}},
             integer("TabIndex", &TTestTabSet::TabIndex),
             integer("FirstIndex", &TTestTabSet::FirstIndex),
             integer("StartMargin", &TTestTabSet::StartMargin),
             integer("EndMargin", &TTestTabSet::EndMargin)}};
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClassInfo(); }

    TStringList Tabs;
    int TabIndex = 0;
    int FirstIndex = 0;
    int StartMargin = 5;
    int EndMargin = 5;
    TScroller* Scroller;
};

TEST_F(TabSkin, TabSetTabsHangBelowAndStopBeforeTheEndMargin)
{
    auto* set = new TTestTabSet(m_form.get());
    set->SetBounds(10, 10, 180, 24);
    set->SetParent(m_form.get());
    set->Scroller->SetBounds(140, 2, 30, 20);
    set->Scroller->SetParent(set);
    for (const char* text : {"Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven"})
        set->Tabs.Add(text);
    set->TabIndex = 2;
    set->FirstIndex = 1;
    auto* skin = Attach<TSkinTab31>(TSkinClass::Tab31, set);
    ASSERT_NE(skin, nullptr);
    HWND window = set->Handle();
    Repaint(window);

    // Widths as the skin measures them: the control's font, text + 9.
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, set->Font().Handle());
    std::vector<int> right;
    int x = set->StartMargin;
    const int limit = 180 - set->EndMargin - TSkinTab31::ScrollerRoom;
    for (int i = set->FirstIndex; i < set->Tabs.Count(); ++i) {
        SIZE size{};
        GetTextExtentPoint32A(dc, set->Tabs[i].c_str(), static_cast<int>(set->Tabs[i].size()), &size);
        if (x + size.cx + TSkinTab31::TabPadding > limit)
            break;
        x += size.cx + TSkinTab31::TabPadding;
        right.push_back(x);
    }
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    ASSERT_GE(right.size(), 2u);
    ASSERT_LT(right.size(), 7u) << "the test wants tabs that do not all fit";

    // Tab 1 first, tab 2 selected; the image is upside down: inner half on
    // top, outer half at the bottom.
    const int start = set->StartMargin;
    EXPECT_EQ(ScreenPixel(window, start + 1, 1), TabInner(1));
    EXPECT_EQ(ScreenPixel(window, start + 1, 22), TabOuter(1));
    EXPECT_EQ(ScreenPixel(window, right[0] + 1, 1), TabInner(2));
    EXPECT_EQ(ScreenPixel(window, right[0] + 1, 22), TabOuter(2));
    EXPECT_EQ(ScreenPixel(window, start - 2, 12), kButtonFace);
    // Past the last tab that fits: the strip's face (the scroller aside).
    EXPECT_EQ(ScreenPixel(window, right.back() + 1, 12), kButtonFace);

    // The scroller is an up-down split left and right whatever its shape.
    ASSERT_NE(skin->UpDown(), nullptr);
    EXPECT_EQ(skin->UpDown()->HorizontalKind(), 1);
    Repaint(set->Scroller->Handle());
    EXPECT_EQ(ScreenPixel(set->Scroller->Handle(), 3, 10), UpDownHorz(1));
    EXPECT_EQ(ScreenPixel(set->Scroller->Handle(), 27, 10), UpDownHorz(5));
}

} // namespace
} // namespace tarnivo
