// Which control gets which skin: the dispatch rows, the Skin3rd kinds, the
// plain-dialog rules by class and button style, and runs that attach nothing
// new. The requests discovery makes are recorded; while the control-skin
// classes are not built, a request is the decision.

#include "formtestkit.h"

#include "skin/forms/discovery.h"
#include "skin/forms/skinmessages.h"

#include "tests/framework/controls/otherfamilies.h"

#include "framework/controls/button.h"
#include "framework/controls/checkbox.h"
#include "framework/controls/coolbar.h"
#include "framework/controls/datetimepicker.h"
#include "framework/controls/edit.h"
#include "framework/controls/frame.h"
#include "framework/controls/groupbox.h"
#include "framework/controls/header.h"
#include "framework/controls/listbox.h"
#include "framework/controls/listview.h"
#include "framework/controls/pagecontrol.h"
#include "framework/controls/progressbar.h"
#include "framework/controls/radiobutton.h"
#include "framework/controls/radiogroup.h"
#include "framework/controls/scrollbar.h"
#include "framework/controls/scrollbox.h"
#include "framework/controls/speedbutton.h"
#include "framework/controls/statusbar.h"
#include "framework/controls/tabcontrol.h"
#include "framework/controls/toolbar.h"
#include "framework/controls/trackbar.h"
#include "framework/controls/treeview.h"
#include "framework/controls/updown.h"
#include "framework/form.h"
#include "framework/subclass.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;
namespace of = tarnivo::test::otherfamilies;

namespace {

// A control skin of the tests: answers WM_ISSKINNED on its window and joins
// the form's list, as every real one does once attached.
class TTestLink : public TComponent, public TSkinControlLink {
public:
    TTestLink(TComponent* owner, HWND window) : TComponent(owner), m_window(window) {}
    ~TTestLink() override
    {
        if (m_host)
            m_host->DeleteControl(this);
    }
    void Init(ISkinControlHost* host, TSkinData*, TCanvas*, bool updateColor) override
    {
        if (m_host)
            return;
        m_host = host;
        m_updateColor = updateColor;
        ++inits;
        if (m_window && IsWindow(m_window))
            m_subclass.Install(m_window, [this](TMessage& m) {
                if (m.Msg == WM_ISSKINNED)
                    m.Result = 1;
                else
                    m_subclass.CallPrevious(m);
            });
        host->AddControlList(this);
    }
    bool UpdateColor() const override { return m_updateColor; }
    HWND ControlHandle() const override { return m_window; }
    int Status() const override { return 0; }
    void Unsubclass() override { m_subclass.Remove(); }
    void SkinChange() override {}
    void MouseLeave() override {}

    int inits = 0;

private:
    HWND m_window;
    ISkinControlHost* m_host = nullptr;
    bool m_updateColor = false;
    TWindowSubclass m_subclass;
};

// Records every request; with Attaching::Yes it also attaches a TTestLink.
enum class Attaching { No, Yes };

class Recorder {
public:
    explicit Recorder(Attaching attaching = Attaching::No)
    {
        SetSkinAttacher([this, attaching](const TSkinAttachRequest& r) -> TSkinControlLink* {
            requests.push_back(r);
            if (attaching == Attaching::No)
                return nullptr;
            auto* link = new TTestLink(r.Owner, r.Window);
            link->Init(r.Host, r.SkinData, r.Canvas, r.UpdateColor);
            return link;
        });
    }
    ~Recorder() { SetSkinAttacher({}); }

    std::vector<TSkinAttachRequest> For(const TControl* control) const
    {
        std::vector<TSkinAttachRequest> found;
        for (const auto& r : requests)
            if (r.Control == control)
                found.push_back(r);
        return found;
    }
    std::vector<TSkinAttachRequest> ForWindow(HWND window) const
    {
        std::vector<TSkinAttachRequest> found;
        for (const auto& r : requests)
            if (r.Window == window)
                found.push_back(r);
        return found;
    }

    std::vector<TSkinAttachRequest> requests;
};

// What one control gets: a class with its attach mode, variant and colour flag.
struct Decision {
    TSkinClass cls = TSkinClass::None;
    TSkinAttach attach = TSkinAttach::Init;
    int kind = 0;
    bool color = false;
};

std::string Describe(const std::vector<TSkinAttachRequest>& found)
{
    std::string text;
    for (const auto& r : found)
        text += std::string(SkinClassName(r.Class)) + "/" + std::to_string(int(r.Attach)) + "/" +
                std::to_string(r.Kind) + (r.UpdateColor ? "/colour " : " ");
    return text.empty() ? "nothing" : text;
}

void ExpectDecision(const std::vector<TSkinAttachRequest>& found, const Decision& want,
                    const std::string& what)
{
    if (want.cls == TSkinClass::None) {
        EXPECT_TRUE(found.empty()) << what << ": got " << Describe(found);
        return;
    }
    ASSERT_EQ(found.size(), 1u) << what << ": got " << Describe(found);
    EXPECT_EQ(found[0].Class, want.cls) << what << ": got " << Describe(found);
    EXPECT_EQ(found[0].Attach, want.attach) << what;
    EXPECT_EQ(found[0].Kind, want.kind) << what;
    EXPECT_EQ(found[0].UpdateColor, want.color) << what;
}

// A skin with a tab element besides the frame.
bool LoadTabSkin(TSkinData& data)
{
    Files files = FrameSkinFiles({});
    files.emplace_back("tabs.bmp", Bmp(50, 20, RGBColor(10, 10, 10)));
    return LoadSkin(data, FrameSkinIni({}) + "[Tabs]\nImage=tabs.bmp\n", files);
}

class DiscoveryTest : public SkinEngineTest {
protected:
    void SetUp() override
    {
        SkinEngineTest::SetUp();
        ASSERT_TRUE(LoadTabSkin(Data()));
        form.reset(MakeForm<TForm>(nullptr));
        form->SetBounds(40, 40, 480, 360);
        form->Show();
        SetActiveWindow(form->Handle());
        object = WaitSkinned(form->Handle());
        ASSERT_NE(object, nullptr);
    }
    void TearDown() override
    {
        form.reset();
        SkinEngineTest::TearDown();
    }

    template <typename T>
    T* Add(TWinControl* parent = nullptr)
    {
        auto* control = new T(form.get());
        control->SetParent(parent ? parent : form.get());
        return control;
    }

    // Discovery of one control with the skin's gates as they are.
    std::vector<TSkinAttachRequest> Discover(TControl* control)
    {
        Recorder recorder;
        TControlDiscovery(*object).AddComp(control, form.get());
        return recorder.For(control);
    }

    void WithoutGate(TSkinControlType member, const std::function<void()>& run)
    {
        const TSkinControlTypes all = Data().SkinControls();
        Data().SetSkinControls(all - TSkinControlTypes{member});
        run();
        Data().SetSkinControls(all);
    }

    std::unique_ptr<TForm> form;
    TWinSkinForm* object = nullptr;
};

using C = TSkinClass;
using A = TSkinAttach;

struct RowCase {
    const char* name;
    std::function<TControl*(DiscoveryTest&)> make;
    TSkinControlType gate;
    Decision on;
    Decision off;   // with the gate cleared: nothing, or a later row's choice
};

} // namespace

// Exposes the fixture's helpers to the case table.
class DispatchRowsTest : public DiscoveryTest {
public:
    template <typename T>
    T* Make() { return Add<T>(); }
    using DiscoveryTest::Discover;
    using DiscoveryTest::WithoutGate;
};

TEST_F(DispatchRowsTest, EachRowAttachesItsClassAndNothingOfItsOwnWithItsGateOff)
{
    auto make = [](auto tag) {
        using T = typename decltype(tag)::type;
        return [](DiscoveryTest& t) -> TControl* { return static_cast<DispatchRowsTest&>(t).Make<T>(); };
    };
    auto buttonsPage = [](DiscoveryTest& t) -> TControl* {
        auto* p = static_cast<DispatchRowsTest&>(t).Make<TPageControl>();
        p->SetStyle(tsButtons);
        return p;
    };
    auto timePicker = [](DiscoveryTest& t) -> TControl* {
        auto* p = static_cast<DispatchRowsTest&>(t).Make<TDateTimePicker>();
        p->SetKind(dtkTime);
        return p;
    };
    auto dcEdit = [](int buttons) {
        return [buttons](DiscoveryTest& t) -> TControl* {
            auto* e = static_cast<DispatchRowsTest&>(t).Make<of::TDCEditWindow>();
            e->SetNumButtons(buttons);
            return e;
        };
    };
    auto dcEditOnEdit = [](DiscoveryTest& t) -> TControl* {
        auto* e = static_cast<DispatchRowsTest&>(t).Make<of::TDCEdit>();
        e->SetNumButtons(1);
        return e;
    };
    auto speedButton = [](DiscoveryTest& t) -> TControl* {
        return static_cast<DispatchRowsTest&>(t).Make<TSpeedButton>();
    };
    const RowCase cases[] = {
        {"TPageControl tabs", make(std::type_identity<TPageControl>{}), xcTab, {C::Tab}, {}},
        {"TPageControl buttons", buttonsPage, xcTab, {C::TabBtn}, {}},
        {"TTabControl", make(std::type_identity<TTabControl>{}), xcTab, {C::Tab, A::Init, 2}, {}},
        {"TTabSet", make(std::type_identity<of::TTabSet>{}), xcTab, {C::Tab31}, {}},
        {"TTabbedNotebook", make(std::type_identity<of::TTabbedNotebook>{}), xcTab, {C::Tab}, {}},
        {"THeaderControl", make(std::type_identity<THeaderControl>{}), xcPanel, {C::Header}, {}},
        {"TCheckBox", make(std::type_identity<TCheckBox>{}), xcCheckBox, {C::CheckBox}, {}},
        {"TTrackBar", make(std::type_identity<TTrackBar>{}), xcTrackBar, {C::TrackBar}, {}},
        {"TUpDown", make(std::type_identity<TUpDown>{}), xcSpin, {C::UpDown}, {}},
        {"TSpinButton", make(std::type_identity<of::TSpinButton>{}), xcSpin, {C::UpDown}, {}},
        {"TMediaPlayer", make(std::type_identity<of::TMediaPlayer>{}), xcButton, {C::MP}, {}},
        {"TDBNavigator", make(std::type_identity<of::TDBNavigator>{}), xcPanel, {C::Box, A::Init, 0, true}, {}},
        {"TRzCheckBox", make(std::type_identity<of::TRzCheckBox>{}), xcCheckBox, {C::ObjImage, A::Init, 1, true}, {}},
        {"TRzRadioButton", make(std::type_identity<of::TRzRadioButton>{}), xcRadioButton, {C::ObjImage, A::Init, 2, true}, {}},
        {"TcxCheckBox", make(std::type_identity<of::TcxCheckBox>{}), xcCheckBox, {C::ObjImage, A::Init, 3, true}, {}},
        {"TGroupBox", make(std::type_identity<TGroupBox>{}), xcPanel, {C::GroupBox}, {}},
        // Without radio buttons a radio group is still a group box.
        {"TRadioGroup", make(std::type_identity<TRadioGroup>{}), xcRadioButton, {C::GroupBox, A::Init, 0, true}, {C::GroupBox}},
        {"TRadioButton", make(std::type_identity<TRadioButton>{}), xcRadioButton, {C::RadioButton}, {}},
        {"TToolBar", make(std::type_identity<TToolBar>{}), xcToolbar, {C::Box}, {}},
        {"TStatusBar", make(std::type_identity<TStatusBar>{}), xcStatusBar, {C::StatusBar}, {}},
        {"TProgressBar", make(std::type_identity<TProgressBar>{}), xcProgress, {C::Progress}, {}},
        {"TScrollBar", make(std::type_identity<TScrollBar>{}), xcScrollbar, {C::ScControl, A::InitScrollbar}, {}},
        {"TTntComboBox", make(std::type_identity<of::TTntComboBox>{}), xcCombo, {C::ComBox}, {}},
        {"TComboBox", make(std::type_identity<TComboBox>{}), xcCombo, {C::ComBox}, {}},
        {"TDateTimePicker", make(std::type_identity<TDateTimePicker>{}), xcEdit, {C::DateTime}, {}},
        {"TDateTimePicker time", timePicker, xcEdit, {C::Edit}, {}},
        // A rich edit is a memo and an edit: without scroll bars the edit row takes it.
        {"TRichEdit", make(std::type_identity<of::TRichEdit>{}), xcScrollbar, {C::Scrollbar, A::InitScrollbar}, {C::Edit}},
        {"TdxDBMemo", make(std::type_identity<of::TdxDBMemo>{}), xcScrollbar, {C::Scrollbar, A::InitScrollbar}, {C::Edit}},
        {"TBitBtn", make(std::type_identity<TBitBtn>{}), xcBitBtn, {C::BitButton}, {}},
        {"TSpeedButton", speedButton, xcSpeedButton, {C::SpeedButton, A::InitGraphicControl}, {}},
        {"TPanel", make(std::type_identity<TPanel>{}), xcPanel, {C::Box, A::Init, 0, true}, {}},
        {"TdxDBGrid", make(std::type_identity<of::TdxDBGrid>{}), xcScrollbar, {C::Scrollbar}, {}},
        {"TdxTreeList", make(std::type_identity<of::TdxTreeList>{}), xcScrollbar, {C::Scrollbar}, {}},
        {"TListView", make(std::type_identity<TListView>{}), xcScrollbar, {C::ListView, A::InitScrollbar}, {}},
        {"TMemo", make(std::type_identity<TMemo>{}), xcScrollbar, {C::Scrollbar}, {C::Edit}},
        {"TStringGrid", make(std::type_identity<of::TStringGrid>{}), xcScrollbar, {C::Scrollbar}, {}},
        {"TListBox", make(std::type_identity<TListBox>{}), xcScrollbar, {C::Scrollbar}, {}},
        {"TTreeView", make(std::type_identity<TTreeView>{}), xcScrollbar, {C::Scrollbar}, {}},
        {"TScrollBox", make(std::type_identity<TScrollBox>{}), xcScrollbar, {C::Scrollbar}, {}},
        {"scroll styles", make(std::type_identity<of::TScrollingControl>{}), xcScrollbar, {C::Scrollbar}, {}},
        {"TButton", make(std::type_identity<TButton>{}), xcButton, {C::Button}, {}},
        {"TEdit", make(std::type_identity<TEdit>{}), xcEdit, {C::Edit}, {}},
        {"TForm inside", make(std::type_identity<TForm>{}), xcEdit, {C::Box, A::Init, 0, true}, {C::Box, A::Init, 0, true}},
        // A "TDCEdit" built on an edit meets the edit row first.
        {"TDCEdit on an edit", dcEditOnEdit, xcEdit, {C::Edit}, {C::ComBox}},
        {"TDCEdit combo", dcEdit(1), xcCombo, {C::ComBox}, {}},
        {"TDCEdit edit", dcEdit(0), xcEdit, {C::Edit, A::Inithwnd}, {}},
        {"TDCEdit two buttons", dcEdit(2), xcEdit, {}, {}},
    };
    for (const RowCase& c : cases) {
        TControl* on = c.make(*this);
        ExpectDecision(Discover(on), c.on, std::string(c.name) + " (gate on)");
        TControl* off = c.make(*this);
        WithoutGate(c.gate, [&] {
            ExpectDecision(Discover(off), c.off, std::string(c.name) + " (gate off)");
        });
        delete on;
        delete off;
    }
}

TEST_F(DiscoveryTest, TabRulesNeedTheSkinsTabElement)
{
    auto* pages = Add<TPageControl>();
    auto* sheet = new TTabSheet(form.get());
    sheet->SetPageControl(pages);
    ASSERT_TRUE(LoadFrameSkin(Data()));   // no [Tabs]
    EXPECT_TRUE(Discover(pages).empty());
    EXPECT_TRUE(Discover(sheet).empty());
    ASSERT_TRUE(LoadTabSkin(Data()));
    ExpectDecision(Discover(sheet), {C::TabSheet}, "TTabSheet");
}

TEST_F(DiscoveryTest, ContainersWalkTheirChildrenInTheirOrder)
{
    Recorder recorder;
    auto* group = Add<TRadioGroup>();
    group->AddItem("one");
    group->AddItem("two");
    auto* panel = Add<TPanel>();
    auto* inPanel = Add<TButton>(panel);
    auto* box = Add<TGroupBox>();
    auto* inBox = Add<TCheckBox>(box);
    auto* mvc = Add<of::TMVCPanel>();
    auto* inMvc = Add<TEdit>(mvc);
    TControlDiscovery discovery(*object);
    for (TControl* c : std::vector<TControl*>{group, panel, box, mvc})
        discovery.AddComp(c, form.get());

    // The group's buttons first, each a radio button, then the group.
    ASSERT_EQ(group->ControlCount(), 2);
    ASSERT_GE(recorder.requests.size(), 3u);
    EXPECT_EQ(recorder.requests[0].Control, group->Controls(0));
    EXPECT_EQ(recorder.requests[1].Control, group->Controls(1));
    EXPECT_EQ(recorder.requests[0].Class, C::RadioButton);
    EXPECT_EQ(recorder.requests[2].Control, group);
    // A panel's and a group box's children before the container itself.
    auto order = [&](const TControl* first, const TControl* second) {
        int a = -1, b = -1;
        for (int i = 0; i < int(recorder.requests.size()); ++i) {
            if (recorder.requests[i].Control == first && a < 0) a = i;
            if (recorder.requests[i].Control == second && b < 0) b = i;
        }
        return a >= 0 && b >= 0 && a < b;
    };
    EXPECT_TRUE(order(inPanel, panel));
    EXPECT_TRUE(order(inBox, box));
    ExpectDecision(recorder.For(inMvc), {C::Edit}, "edit on a TMVCPanel");
    EXPECT_TRUE(recorder.For(mvc).empty());
}

TEST_F(DiscoveryTest, DisableTagKeepsAControlAndAGroupsButtonsUnskinned)
{
    const int tag = Data().DisableTag();
    auto* button = Add<TButton>();
    button->SetTag(tag);
    auto* rzGroup = Add<of::TRzRadioGroup>();
    auto* a = Add<TRadioButton>(rzGroup);
    auto* b = Add<TRadioButton>(rzGroup);
    rzGroup->SetTag(tag);
    auto* lmdBox = Add<of::TLMDGroupBox>();   // no "RadioGroup" in its name
    auto* c = Add<TRadioButton>(lmdBox);
    lmdBox->SetTag(tag);

    Recorder recorder;
    TControlDiscovery(*object).InitControlA(form.get());
    EXPECT_TRUE(recorder.For(button).empty());
    EXPECT_TRUE(recorder.For(rzGroup).empty());
    EXPECT_EQ(a->Tag(), tag);
    EXPECT_EQ(b->Tag(), tag);
    // The form owns the buttons too: the walk reaches them, and they stay out.
    EXPECT_TRUE(recorder.For(a).empty());
    EXPECT_TRUE(recorder.For(b).empty());
    EXPECT_NE(c->Tag(), tag);
    ExpectDecision(recorder.For(c), {C::RadioButton}, "button of a plain group box");
}

TEST_F(DiscoveryTest, ToolBarIsMadeFlatWithDrawHandlersAndCoolBarGetsItsSkin)
{
    auto* bar = Add<TToolBar>();
    bool mine = false;
    bar->OnCustomDraw = [&](TToolBar*, const RECT&, bool&) { mine = true; };
    ExpectDecision(Discover(bar), {C::Box}, "TToolBar");
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(bar->OnCustomDrawButton);
    // An application's own handler stays.
    bool defaultDraw = true;
    bar->OnCustomDraw(bar, RECT{}, defaultDraw);
    EXPECT_TRUE(mine);

    auto* cool = Add<TCoolBar>();
    cool->AddBand()->SetColor(clRed);
    cool->AddBand()->SetColor(clBlue);
    WithoutGate(xcToolbar, [&] { EXPECT_TRUE(Discover(cool).empty()); });
    ExpectDecision(Discover(cool), {C::CoolBar, A::Init, 0, true}, "TCoolBar");
}

TEST_F(DiscoveryTest, Skin3rdKindsDecideBeforeTheClassRules)
{
    TStringList map;
    map.Add("TStringGrid=nil");
    map.Add("TStringGrid=scrollbar");   // the first line wins
    map.Add("TDBGrid=ScrollBar");
    map.Add("tcombobox=FROBNICATE");    // an unknown kind attaches nothing
    map.Add("TMemo=singlescrollbar");
    map.Add("TScrollBox=embedscrollbar");
    map.Add("TLMDTrackbar=trackbar");
    map.Add("TEdit=edit");
    TStringList defaults;
    defaults.Assign(Data().Skin3rd());
    for (int i = 0; i < defaults.Count(); ++i)
        map.Add(defaults[i]);
    Data().SetSkin3rd(map);

    EXPECT_TRUE(Discover(Add<of::TStringGrid>()).empty());
    ExpectDecision(Discover(Add<of::TDBGrid>()), {C::Scrollbar, A::InitScrollbar}, "TDBGrid=scrollbar");
    EXPECT_TRUE(Discover(Add<TComboBox>()).empty());
    ExpectDecision(Discover(Add<TMemo>()), {C::Scrollbar, A::InitScrollbar, 1}, "singlescrollbar");
    ExpectDecision(Discover(Add<of::TComboboxex>()), {C::ComBox}, "TComboboxex (default map)");
    ExpectDecision(Discover(Add<TEdit>()), {C::Edit}, "edit with a border");
    auto* bare = Add<TEdit>();
    bare->SetBorderStyle(bsNone);
    EXPECT_TRUE(Discover(bare).empty()) << "an edit without a border";

    // "TLMDEditX" only begins like a mapped class: the edit row takes it.
    ExpectDecision(Discover(Add<of::TLMDEditX>()), {C::Edit}, "TLMDEditX");

    // The line put before the default map's "panel" line wins.
    auto* lmdTrack = Add<of::TLMDTrackbar>();
    ExpectDecision(Discover(lmdTrack), {C::TrackBar}, "TLMDTrackbar=trackbar");
    EXPECT_TRUE(lmdTrack->Transparent());
    WithoutGate(xcButton, [&] { EXPECT_TRUE(Discover(Add<of::TLMDTrackbar>()).empty()); });
    auto* lmdPanel = Add<of::TLMDSimplePanel>();
    ExpectDecision(Discover(lmdPanel), {C::Box, A::Init, 0, true}, "TLMDSimplePanel");
    EXPECT_TRUE(lmdPanel->Transparent());

    auto* scrollBox = Add<TScrollBox>();
    auto* bar = Add<TScrollBar>(scrollBox);
    auto* list = Add<TListBox>(scrollBox);
    auto* label = Add<TButton>(scrollBox);
    Recorder recorder;
    TControlDiscovery(*object).AddComp(scrollBox, form.get());
    EXPECT_TRUE(recorder.For(scrollBox).empty());
    ExpectDecision(recorder.For(bar), {C::ScControl}, "embedded scroll bar");
    ExpectDecision(recorder.For(list), {C::Scrollbar}, "embedded list");
    EXPECT_TRUE(recorder.For(label).empty());

    // Gate off: neither the map nor the class rules (a group box row would
    // take a radio group of another family by its class).
    auto* rz = Add<of::TRzRadioGroup>();
    WithoutGate(xcGroupBox, [&] { EXPECT_TRUE(Discover(rz).empty()); });
}

TEST_F(DiscoveryTest, Skin3rdButtonsAndGroups)
{
    auto* cx = Add<of::TcxButton>();
    ExpectDecision(Discover(cx), {C::BitButton}, "TcxButton standard");
    auto* cxDrop = Add<of::TcxButton>();
    cxDrop->SetKind(of::cxbkDropDownButton);
    ExpectDecision(Discover(cxDrop), {C::MenuButton}, "TcxButton drop-down");
    {
        Recorder recorder;
        auto* png = Add<of::TPngBitBtn>();
        TControlDiscovery(*object).AddComp(png, form.get());
        ASSERT_EQ(recorder.For(png).size(), 1u);
        EXPECT_EQ(recorder.For(png)[0].Class, C::BitButton);
        EXPECT_TRUE(recorder.For(png)[0].GlyphFromPngImage);
    }
    ExpectDecision(Discover(Add<of::TRxSpeedButton>()), {C::SpeedButton, A::InitGraphicControl},
                   "TRxSpeedButton");
    ExpectDecision(Discover(Add<of::TDBCheckboxEh>()), {C::CheckBox}, "TDBCheckboxEh");
    // A data-aware image radio button is in the map as "radiobutton".
    ExpectDecision(Discover(Add<of::TRzDBRadioButton>()), {C::RadioButton}, "TRzDBRadioButton");
    EXPECT_TRUE(Discover(Add<of::TDBComboBoxEh>()).empty()) << "never skinned";
    EXPECT_TRUE(Discover(Add<of::TfrPBox>()).empty()) << "never skinned";

    // Radio groups: image buttons in a "TRZ" group, ordinary ones elsewhere.
    auto* rz = Add<of::TRzRadioGroup>();
    auto* rzButton = Add<TRadioButton>(rz);
    auto* check = Add<of::TLMDCheckGroup>();
    auto* checkButton = Add<TCheckBox>(check);
    Recorder recorder;
    TControlDiscovery discovery(*object);
    discovery.AddComp(rz, form.get());
    discovery.AddComp(check, form.get());
    ExpectDecision(recorder.For(rzButton), {C::ObjImage, A::Init, 2, true}, "button of TRzRadioGroup");
    ExpectDecision(recorder.For(rz), {C::GroupBox, A::Init, 0, true}, "TRzRadioGroup");
    ExpectDecision(recorder.For(checkButton), {C::CheckBox}, "box of TLMDCheckGroup");
    ExpectDecision(recorder.For(check), {C::GroupBox, A::Init, 0, true}, "TLMDCheckGroup");
    auto* check2 = Add<of::TLMDCheckGroup>();
    auto* check2Button = Add<TCheckBox>(check2);
    WithoutGate(xcGroupBox, [&] {
        Recorder r;
        TControlDiscovery(*object).AddComp(check2, form.get());
        EXPECT_TRUE(r.For(check2).empty());
        ExpectDecision(r.For(check2Button), {C::CheckBox}, "boxes keep their skins");
    });
}

TEST_F(DiscoveryTest, TheApplicationsChoiceComesFirst)
{
    TTestLink* chosen = nullptr;
    std::vector<std::string> asked;
    Data().OnSkinControl = [&](TComponent* sender, TSkinData* data, TControl* container,
                               TControl* control, const std::string& key, TComponent*& skinned) {
        EXPECT_EQ(sender, object);
        EXPECT_EQ(data, &Data());
        asked.push_back(key + (container == form.get() ? " on the form" : " inside"));
        if (key == "TPANEL") {
            chosen = new TTestLink(control, static_cast<TWinControl*>(control)->Handle());
            skinned = chosen;
        }
    };
    auto* panel = Add<TPanel>();
    auto* inside = Add<TButton>(panel);
    auto* button = Add<TButton>();
    Recorder recorder;
    TControlDiscovery discovery(*object);
    discovery.AddComp(panel, form.get());
    discovery.AddComp(button, form.get());
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->inits, 1);
    EXPECT_EQ(SendMessageA(panel->Handle(), WM_ISSKINNED, 0, 0), 1);
    EXPECT_TRUE(recorder.For(panel).empty());
    // The panel's children still get theirs; nothing chosen: the rows decide.
    ExpectDecision(recorder.For(inside), {C::Button}, "button on the chosen panel");
    ExpectDecision(recorder.For(button), {C::Button}, "button");
    EXPECT_EQ(asked, (std::vector<std::string>{"TPANEL on the form", "TBUTTON inside",
                                               "TBUTTON on the form"}));
    Data().OnSkinControl = nullptr;
}

TEST_F(DiscoveryTest, ASecondRunAttachesNothingNew)
{
    Add<TButton>();
    Add<TSpeedButton>();   // window-less: found by its owner
    auto* panel = Add<TPanel>();
    Add<TCheckBox>(panel);
    auto* nested = Add<TForm>();
    Add<TEdit>(nested);
    Recorder recorder(Attaching::Yes);
    object->InitControls(nullptr);
    const std::size_t first = recorder.requests.size();
    EXPECT_GE(first, 6u) << Describe(recorder.requests);
    object->InitControls(nullptr);
    object->InitNestform(nested);
    EXPECT_EQ(recorder.requests.size(), first) << Describe(recorder.requests);
    EXPECT_EQ(object->Controls.size(), first);
}

// Plain dialogs -------------------------------------------------------------------

namespace {

// An in-memory dialog template: DLGTEMPLATE, then one DLGITEMTEMPLATE per item.
class DialogTemplate {
public:
    explicit DialogTemplate(DWORD style) { Header(style); }

    void Item(WORD id, const wchar_t* cls, DWORD style, short x, short y, short cx, short cy)
    {
        Align();
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Put(&item, sizeof item);
        String(cls);
        String(L"x");
        Word(0);   // no creation data
        ++m_count;
        reinterpret_cast<DLGTEMPLATE*>(m_data.data())->cdit = m_count;
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_data.data()); }

private:
    void Header(DWORD style)
    {
        DLGTEMPLATE header{};
        header.style = style;
        header.cx = 240;
        header.cy = 200;
        Put(&header, sizeof header);
        Word(0);             // no menu
        Word(0);             // the dialog class
        String(L"Plain dialog");
    }
    void Put(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const char*>(p);
        m_data.insert(m_data.end(), b, b + n);
    }
    void Word(WORD w) { Put(&w, sizeof w); }
    void String(const wchar_t* s) { Put(s, (wcslen(s) + 1) * sizeof(wchar_t)); }
    void Align()
    {
        while (m_data.size() % 4)
            m_data.push_back(0);
    }
    std::vector<char> m_data;
    WORD m_count = 0;
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct RawCase {
    WORD id;
    const wchar_t* cls;
    DWORD style;
    TSkinClass want;
};

} // namespace

TEST_F(DiscoveryTest, PlainDialogControlsAreChosenByClassAndButtonStyle)
{
    const RawCase cases[] = {
        {100, L"BUTTON", BS_PUSHBUTTON, C::Button},
        {101, L"BUTTON", BS_DEFPUSHBUTTON, C::Button},
        {102, L"BUTTON", BS_AUTOCHECKBOX, C::CheckBox},
        {103, L"BUTTON", BS_AUTO3STATE, C::CheckBox},
        {104, L"BUTTON", BS_AUTORADIOBUTTON, C::RadioButton},
        {105, L"BUTTON", BS_RADIOBUTTON, C::RadioButton},
        {106, L"BUTTON", BS_GROUPBOX, C::None},
        {107, L"BUTTON", BS_OWNERDRAW, C::None},
        {108, L"BUTTON", BS_PUSHBUTTON | BS_BITMAP, C::None},
        {109, L"COMBOBOX", CBS_SIMPLE, C::None},
        {110, L"COMBOBOX", CBS_DROPDOWNLIST, C::ComBox},
        {111, L"EDIT", WS_BORDER, C::Edit},
        {112, L"SCROLLBAR", SBS_HORZ | WS_TABSTOP, C::None},
        {113, L"SCROLLBAR", SBS_HORZ, C::Sizer},
        {114, L"STATIC", 0, C::None},
        {115, L"SysTabControl32", 0, C::Tab},
        {116, L"SysTabControl32", TCS_OWNERDRAWFIXED, C::None},
        {117, L"SysTreeView32", 0, C::None},
        {118, L"msctls_progress32", 0, C::Progress},
        {119, L"msctls_progress32", PBS_VERTICAL, C::Progress},
        {120, L"msctls_trackbar32", TBS_HORZ, C::TrackBar},
        {121, L"msctls_trackbar32", TBS_VERT, C::TrackBar},
        {122, L"msctls_updown32", 0, C::UpDown},
        {123, L"msctls_updown32", UDS_HORZ, C::UpDown},
    };
    DialogTemplate tmpl(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    short y = 2;
    for (const RawCase& c : cases) {
        tmpl.Item(c.id, c.cls, c.style, 4, y, 100, 10);
        y += 11;
    }

    Recorder recorder;
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl.Get(), nullptr,
                                             PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetActiveWindow(dialog);
    TWinSkinForm* skinned = WaitSkinned(dialog);
    ASSERT_NE(skinned, nullptr);
    EXPECT_EQ(skinned->Form, nullptr);

    for (const RawCase& c : cases) {
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        const auto found = recorder.ForWindow(control);
        const std::string what = "item " + std::to_string(c.id);
        if (c.want == C::None) {
            EXPECT_TRUE(found.empty()) << what << ": got " << Describe(found);
            continue;
        }
        ASSERT_EQ(found.size(), 1u) << what << ": got " << Describe(found);
        EXPECT_EQ(found[0].Class, c.want) << what << ": got " << Describe(found);
        EXPECT_EQ(found[0].Attach, A::Inithwnd) << what;
        EXPECT_EQ(found[0].Owner, skinned) << what;
        EXPECT_EQ(found[0].Control, nullptr) << what;
    }

    // A size grip made later on the skinned dialog is given to it by the hook.
    recorder.requests.clear();
    HWND grip = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP,
                                0, 0, 16, 16, dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
    ExpectDecision(recorder.ForWindow(grip), {C::Sizer, A::Inithwnd}, "size grip");
    DestroyWindow(dialog);
}

TEST_F(DiscoveryTest, PlainWindowsNestedDialogsAndComboBoxEx)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    HWND window = MakeWindow("Plain with children");
    TWinSkinForm* skinned = WaitSkinned(window);
    ASSERT_NE(skinned, nullptr);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND inner = CreateWindowExW(0, L"#32770", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 80,
                                 window, nullptr, instance, nullptr);
    HWND innerButton = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | BS_CHECKBOX, 0, 0, 40, 20,
                                       inner, nullptr, instance, nullptr);
    HWND tabbed = CreateWindowExW(0, L"#32770", nullptr, WS_CHILD | WS_TABSTOP, 0, 0, 100, 80,
                                  window, nullptr, instance, nullptr);
    HWND tabbedButton = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 0, 0, 40, 20, tabbed,
                                        nullptr, instance, nullptr);
    HWND comboEx = CreateWindowExW(0, WC_COMBOBOXEXW, nullptr, WS_CHILD | CBS_DROPDOWNLIST, 0,
                                   100, 100, 100, window, nullptr, instance, nullptr);
    ASSERT_NE(comboEx, nullptr);
    HWND comboChild = GetWindow(comboEx, GW_CHILD);
    ASSERT_NE(comboChild, nullptr);

    Recorder recorder(Attaching::Yes);
    TControlDiscovery discovery(*skinned);
    discovery.InitHwndControls(window);
    ExpectDecision(recorder.ForWindow(innerButton), {C::CheckBox, A::Inithwnd}, "button in a child dialog");
    ExpectDecision(recorder.ForWindow(inner), {C::BoxH, A::Inithwnd}, "child dialog");
    ASSERT_EQ(recorder.requests.size(), 3u) << Describe(recorder.requests);
    EXPECT_EQ(recorder.requests[0].Window, innerButton);   // children first
    EXPECT_TRUE(recorder.ForWindow(tabbed).empty());
    EXPECT_TRUE(recorder.ForWindow(tabbedButton).empty());   // its dialog has a tab stop
    EXPECT_TRUE(recorder.ForWindow(comboEx).empty());
    ExpectDecision(recorder.ForWindow(comboChild), {C::ComBox, A::Inithwnd}, "combo inside comboboxex32");

    // Every attached window is found again: nothing new on a second run.
    discovery.InitHwndControls(window);
    EXPECT_EQ(recorder.requests.size(), 3u) << Describe(recorder.requests);
    EXPECT_EQ(discovery.Lookupcontrol(innerButton), skinned->Controls[0]);
    // The enumeration reaches every descendant: only the button inside the
    // tab-stop dialog is new.
    EnumChildWindows(window, TControlDiscovery::EnumControl, reinterpret_cast<LPARAM>(skinned));
    ASSERT_EQ(recorder.requests.size(), 4u) << Describe(recorder.requests);
    EXPECT_EQ(recorder.requests[3].Window, tabbedButton);
    EXPECT_EQ(recorder.requests[3].Class, C::Button);
    DestroyWindow(window);
}
