// The dispatch rows. Each table is read top to bottom; a row is one line:
// what it tests, its gate, and what attaches (or the action that does more).

#include "discoverytable.h"

#include "discovery.h"
#include "winskinform.h"

#include "framework/controls/bitbtn.h"
#include "framework/controls/checkbox.h"
#include "framework/controls/combobox.h"
#include "framework/controls/coolbar.h"
#include "framework/controls/datetimepicker.h"
#include "framework/controls/edit.h"
#include "framework/controls/frame.h"
#include "framework/controls/groupbox.h"
#include "framework/controls/header.h"
#include "framework/controls/listview.h"
#include "framework/controls/memo.h"
#include "framework/controls/pagecontrol.h"
#include "framework/controls/panel.h"
#include "framework/controls/progressbar.h"
#include "framework/controls/radiobutton.h"
#include "framework/controls/radiogroup.h"
#include "framework/controls/scrollbar.h"
#include "framework/controls/speedbutton.h"
#include "framework/controls/statusbar.h"
#include "framework/controls/tabcontrol.h"
#include "framework/controls/toolbar.h"
#include "framework/controls/trackbar.h"
#include "framework/form.h"
#include "framework/menus.h"
#include "framework/stringlist.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace tarnivo {

namespace {

using C = TSkinClass;
using A = TSkinAttach;

template <typename T>
bool Is(TControl& control, const std::string&)
{
    return dynamic_cast<T*>(&control) != nullptr;
}

bool KeyIn(const std::string& key, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return key == n; });
}

bool DCEditKey(const std::string& key)
{
    return KeyIn(key, {"TDCEDIT", "TDCDBEDIT"});
}

std::vector<TControl*> Children(TControl& control)
{
    std::vector<TControl*> children;
    if (auto* w = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < w->ControlCount(); ++i)
            children.push_back(w->Controls(i));
    return children;
}

bool SetTransparent(TControl& control)
{
    try {
        if (GetPropInfo(control, "Transparent"))
            SetPropValue(control, "Transparent", TPropValue{true});
        return true;
    } catch (const Exception&) {
        return false;   // a read-only or non-Boolean "Transparent"
    }
}

// --- Actions of the framework rows ---

void TabControl(TControlDiscovery& d, TControl& c, const std::string&)
{
    if (auto* pages = dynamic_cast<TPageControl*>(&c))
        d.Attach(c, {pages->Style() != tsTabs ? C::TabBtn : C::Tab});
    else
        d.Attach(c, {C::Tab, A::Init, 2});
}

void ToolButtonMenu(TControlDiscovery&, TControl& c, const std::string&)
{
    if (TMenuItem* item = static_cast<TToolButton&>(c).MenuItem())
        InitToolbarMenu(item, true);
}


void ChildrenOnly(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.InitChildCtrl(&c);
}

void RadioGroup(TControlDiscovery& d, TControl& c, const std::string&)
{
    for (TControl* child : Children(c))
        d.Attach(*child, {C::RadioButton});
    d.Attach(c, {C::GroupBox, A::Init, 0, true});
}

void Navigator(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.Attach(c, {C::Box, A::Init, 0, true});
    for (TControl* child : Children(c))
        d.AddComp(child, nullptr);
}

void GroupBox(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.InitChildCtrl(&c);
    d.Attach(c, {C::GroupBox});
}

void ToolBar(TControlDiscovery& d, TControl& c, const std::string&)
{
    auto& bar = static_cast<TToolBar&>(c);
    d.SkinData().ChangeProperty(&bar, "Flat", "True");
    // The handlers find the skinned window by its handle, so a bar that
    // outlives its window's skinning calls nothing stale.
    HWND skinned = d.Form().Handle;
    if (!bar.OnCustomDrawButton)
        bar.OnCustomDrawButton = [skinned](TToolBar* sender, TToolButton* button,
                                           TCustomDrawState state, bool& defaultDraw) {
            ToolBarDrawButton(skinned, sender, button, state, defaultDraw);
        };
    if (!bar.OnCustomDraw)
        bar.OnCustomDraw = [skinned](TToolBar* sender, const RECT& rect, bool& defaultDraw) {
            ToolBarDrawBackground(skinned, sender, rect, defaultDraw);
        };
    d.Attach(c, {C::Box});
    if (TMainMenu* menu = bar.Menu())
        for (int i = 0; i < menu->Items()->Count(); ++i)
            InitToolbarMenu(menu->Items()->Items(i), true);
}

void DateTimePicker(TControlDiscovery& d, TControl& c, const std::string&)
{
    auto& picker = static_cast<TDateTimePicker&>(c);
    const bool edit = picker.DateMode() == dmUpDown || picker.Kind() == dtkTime;
    d.Attach(c, {edit ? C::Edit : C::DateTime});
}

// A bit button is decided here whatever the gate: it never falls through to
// the plain button's row.
void BitBtn(TControlDiscovery& d, TControl& c, const std::string&)
{
    if (d.GateOpen(Gate(xcBitBtn)))
        d.Attach(c, {C::BitButton});
}

void Panel(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.InitChildCtrl(&c);
    d.Attach(c, {C::Box, A::Init, 0, true});
}

// A frame is a container like a panel: its own components get their skins,
// and the space between them the face where panels get it.
void Frame(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.InitControlA(&c);
    if (d.GateOpen(Gate(xcPanel)))
        d.Attach(c, {C::Box, A::Init, 0, true});
}

void InnerForm(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.Attach(c, {C::Box, A::Init, 0, true});
    d.InitControlA(&c);
}

void DCEdit(TControlDiscovery& d, TControl& c, const std::string&)
{
    std::int64_t buttons = -1;
    try {
        const TPropValue value = GetPropValue(c, "NumButtons");
        if (const auto* n = std::get_if<std::int64_t>(&value))
            buttons = *n;
    } catch (const Exception&) {
        return;   // no such property: leave the control alone
    }
    if (buttons == 1 && d.GateOpen(Gate(xcCombo)))
        d.Attach(c, {C::ComBox});
    else if (buttons == 0 && d.GateOpen(Gate(xcEdit)))
        d.Attach(c, {C::Edit, A::Inithwnd});
}

bool GridTest(TControl& c, const std::string&)
{
    return InheritsFromName(c, "TCustomGrid");
}

bool ScrollTest(TControl& c, const std::string&)
{
    return TControlDiscovery::IsScrollControl(c);
}

template <typename T>
bool UnlessDCEdit(TControl& c, const std::string& key)
{
    return !DCEditKey(key) && dynamic_cast<T*>(&c) != nullptr;
}

#define NAMES(...) [](TControl&, const std::string& key) { return KeyIn(key, {__VA_ARGS__}); }

// clang-format off
const TDispatchRow DispatchRows[] = {
    {"TCustomTabControl",          Is<TCustomTabControl>, TabGate(xcTab),      {},                                TabControl},
    {"TToolButton",                Is<TToolButton>,       FrameGate,           {},                                ToolButtonMenu},
    {"TCoolBar",                   Is<TCoolBar>,          Gate(xcToolbar),     {C::CoolBar, A::Init, 0, true}},
    {"TTABSET",                    NAMES("TTABSET"),      TabGate(xcTab),      {C::Tab31}},
    {"TTabSheet",                  Is<TTabSheet>,         TabGate(xcTab),      {C::TabSheet}},
    {"TTABBEDNOTEBOOK",            NAMES("TTABBEDNOTEBOOK"), TabGate(xcTab),   {C::Tab}},
    {"TMVCPANEL",                  NAMES("TMVCPANEL"),    NoGate,              {},                                ChildrenOnly},
    {"THeaderControl",             Is<THeaderControl>,    Gate(xcPanel),       {C::Header}},
    {"TCustomCheckBox",            Is<TCustomCheckBox>,   Gate(xcCheckBox),    {C::CheckBox}},
    {"TTrackBar",                   Is<TTrackBar>,         Gate(xcTrackBar),    {C::TrackBar}},
    {"TUPDOWN, TSPINBUTTON",       NAMES("TUPDOWN", "TSPINBUTTON"), Gate(xcSpin), {C::UpDown}},
    {"TMEDIAPLAYER",               NAMES("TMEDIAPLAYER"), Gate(xcButton),      {C::MP}},
    {"TCustomRadioGroup",          Is<TCustomRadioGroup>, Gate(xcRadioButton), {},                                RadioGroup},
    {"TDBNAVIGATOR",               NAMES("TDBNAVIGATOR"), Gate(xcPanel),       {},                                Navigator},
    {"TRZDBCHECKBOX, TRZCHECKBOX", NAMES("TRZDBCHECKBOX", "TRZCHECKBOX"), Gate(xcCheckBox), {C::ObjImage, A::Init, 1, true}},
    {"TRZRADIOBUTTON, TRZDBRADIOBUTTON", NAMES("TRZRADIOBUTTON", "TRZDBRADIOBUTTON"), Gate(xcRadioButton), {C::ObjImage, A::Init, 2, true}},
    {"TCXDBCHECKBOX, TCXCHECKBOX", NAMES("TCXDBCHECKBOX", "TCXCHECKBOX"), Gate(xcCheckBox), {C::ObjImage, A::Init, 3, true}},
    {"TCustomGroupBox",            Is<TCustomGroupBox>,   Gate(xcPanel),       {},                                GroupBox},
    {"TRadioButton",               Is<TRadioButton>,      Gate(xcRadioButton), {C::RadioButton}},
    {"TToolBar",                   Is<TToolBar>,          Gate(xcToolbar),     {},                                ToolBar},
    {"TCustomStatusBar",           Is<TCustomStatusBar>,  Gate(xcStatusBar),   {C::StatusBar}},
    {"TProgressBar",               Is<TProgressBar>,      Gate(xcProgress),    {C::Progress}},
    {"TScrollBar",                 Is<TScrollBar>,        Gate(xcScrollbar),   {C::ScControl, A::InitScrollbar}},
    {"TTNTCOMBOBOX",               NAMES("TTNTCOMBOBOX"), Gate(xcCombo),       {C::ComBox}},
    {"TCustomComboBox",            Is<TCustomComboBox>,   Gate(xcCombo),       {C::ComBox}},
    {"TDateTimePicker",            Is<TDateTimePicker>,   Gate(xcEdit),        {},                                DateTimePicker},
    {"TRICHEDIT, TWWDBRICHEDIT, TDXDBMEMO", NAMES("TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"), Gate(xcScrollbar), {C::Scrollbar, A::InitScrollbar}},
    {"TBitBtn",                    Is<TBitBtn>,           NoGate,              {},                                BitBtn},
    {"TSpeedButton",               Is<TSpeedButton>,      Gate(xcSpeedButton), {C::SpeedButton, A::InitGraphicControl}},
    {"TCustomPanel",               Is<TCustomPanel>,      Gate(xcPanel),       {},                                Panel},
    {"TDXTREELIST, TDXDBTREELIST, TDXDBGRID", NAMES("TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"), Gate(xcScrollbar), {C::Scrollbar}},
    {"TCustomListView",            Is<TCustomListView>,   Gate(xcScrollbar),   {C::ListView, A::InitScrollbar}},
    {"TCustomMemo",                Is<TCustomMemo>,       Gate(xcScrollbar),   {C::Scrollbar}},
    {"TCustomGrid",                GridTest,              Gate(xcScrollbar),   {C::Scrollbar}},
    {"IsScrollControl",            ScrollTest,            Gate(xcScrollbar),   {C::Scrollbar}},
    {"TButton",                    Is<TButton>,           Gate(xcButton),      {C::Button}},
    {"TCustomEdit",                Is<TCustomEdit>,       Gate(xcEdit),        {C::Edit}},
    {"TCustomFrame",               UnlessDCEdit<TCustomFrame>, NoGate,         {},                                Frame},
    {"TCustomForm",                UnlessDCEdit<TForm>,   NoGate,              {},                                InnerForm},
    {"TDCEDIT, TDCDBEDIT",         NAMES("TDCEDIT", "TDCDBEDIT"), NoGate,      {},                                DCEdit},
};
// clang-format on
static_assert(std::size(DispatchRows) == 40);

// --- The Skin3rd kinds ---

void ThirdPartyBitBtn(TControlDiscovery& d, TControl& c, const std::string& key)
{
    bool dropDown = false;
    if (key == "TCXBUTTON") {
        try {
            dropDown = SameText(GetEnumProp(c, "Kind"), "cxbkDropDownButton");
        } catch (const Exception&) {
            dropDown = false;   // no enumerated "Kind": an ordinary bit button
        }
    }
    d.Attach(c, {dropDown ? C::MenuButton : C::BitButton});
}

void PngBitBtn(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.Attach(c, {C::BitButton}, /*glyphFromPngImage=*/true);
}

void TransparentPanel(TControlDiscovery& d, TControl& c, const std::string&)
{
    SetTransparent(c);
    d.Attach(c, {C::Box, A::Init, 0, true});
}

void TransparentTrackBar(TControlDiscovery& d, TControl& c, const std::string&)
{
    SetTransparent(c);
    d.Attach(c, {C::TrackBar});
}

void EditWithBorder(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.DoSkinEdit(c);
}

void ScrollbarAndChildren(TControlDiscovery& d, TControl& c, const std::string&)
{
    d.Attach(c, {C::Scrollbar, A::InitScrollbar});
    d.InitChildCtrl(&c);
}

void EmbeddedScrollbars(TControlDiscovery& d, TControl& c, const std::string&)
{
    for (TControl* child : Children(c)) {
        if (dynamic_cast<TScrollBar*>(child))
            d.Attach(*child, {C::ScControl});
        else if (TControlDiscovery::IsScrollControl(*child))
            d.Attach(*child, {C::Scrollbar});
    }
}

// The buttons of a group of another family: image-based ones for its "TRZ"
// classes, otherwise the ordinary skins.
void GroupButtons(TControlDiscovery& d, TControl& c, const std::string& key, int imageKind,
                  TSkinClass ordinary)
{
    if (!d.GateOpen(Gate(xcRadioButton)))
        return;
    const bool image = key.find("TRZ") != std::string::npos;
    for (TControl* child : Children(c))
        d.Attach(*child, image ? TAttachSpec{C::ObjImage, A::Init, imageKind, true}
                               : TAttachSpec{ordinary});
}

void ThirdPartyRadioGroup(TControlDiscovery& d, TControl& c, const std::string& key)
{
    GroupButtons(d, c, key, 2, C::RadioButton);
    d.Attach(c, {C::GroupBox, A::Init, 0, true});
}

void ThirdPartyCheckGroup(TControlDiscovery& d, TControl& c, const std::string& key)
{
    GroupButtons(d, c, key, 1, C::CheckBox);
    if (d.GateOpen(Gate(xcGroupBox)))
        d.Attach(c, {C::GroupBox, A::Init, 0, true});
}

void NothingAttached(TControlDiscovery&, TControl&, const std::string&) {}

// clang-format off
const TThirdPartyRow ThirdPartyRows[] = {
    {"nil",             NoGate,               {},                                NothingAttached},
    {"combobox",        Gate(xcCombo),        {C::ComBox}},
    {"edit",            Gate(xcEdit),         {},                                EditWithBorder},
    {"radiobutton",     Gate(xcRadioButton),  {C::RadioButton}},
    {"panel",           Gate(xcPanel),        {},                                TransparentPanel},
    {"trackbar",        Gate(xcButton),       {},                                TransparentTrackBar},
    {"button",          Gate(xcButton),       {C::Button}},
    {"datetimepicker",  Gate(xcCombo),        {C::DateTime}},
    {"mediaplayer",     Gate(xcButton),       {C::MP}},
    {"bitbtn",          Gate(xcButton),       {},                                ThirdPartyBitBtn},
    {"pngbitbtn",       Gate(xcButton),       {},                                PngBitBtn},
    {"menubtn",         Gate(xcButton),       {C::MenuButton}},
    {"speedbutton",     Gate(xcSpeedButton),  {C::SpeedButton, A::InitGraphicControl}},
    {"tab",             TabGate(xcTab),       {C::Tab}},
    {"progress",        Gate(xcProgress),     {C::Progress}},
    {"scrollbar",       Gate(xcScrollbar),    {},                                ScrollbarAndChildren},
    {"singlescrollbar", Gate(xcScrollbar),    {C::Scrollbar, A::InitScrollbar, 1}},
    {"embedscrollbar",  Gate(xcScrollbar),    {},                                EmbeddedScrollbars},
    {"container",       NoGate,               {},                                ChildrenOnly},
    {"groupbox",        Gate(xcGroupBox),     {C::GroupBox, A::Init, 0, true}},
    {"advpagecontrol",  Gate(xcTab),          {C::AdvPage, A::Init, 4, true}},
    {"radiogroup",      Gate(xcGroupBox),     {},                                ThirdPartyRadioGroup},
    {"checkgroup",      Gate(xcPanel),        {},                                ThirdPartyCheckGroup},
    {"checkbox",        Gate(xcCheckBox),     {C::CheckBox}},
};
// clang-format on

// --- Plain windows ---

bool NoTabStop(const TRawWindow& w) { return !(w.Style & WS_TABSTOP); }
bool NotSimpleCombo(const TRawWindow& w) { return (w.Style & 3) != CBS_SIMPLE; }
bool HasChild(const TRawWindow& w) { return GetWindow(w.Window, GW_CHILD) != nullptr; }
bool NotOwnerDrawTabs(const TRawWindow& w) { return !(w.Style & TCS_OWNERDRAWFIXED); }
HWND FirstChild(const TRawWindow& w) { return GetWindow(w.Window, GW_CHILD); }
// A picker with spin arrows (time pickers have them too) is an edit to the
// skin; a drop-down picker gets the arrow window over its button.
TSkinClass PickerByStyle(const TRawWindow& w) { return (w.Style & DTS_UPDOWN) ? C::Edit : C::DateTime; }
TSkinClass ButtonByStyle(const TRawWindow& w) { return RawButtonClass(w.Style); }

void ChildWindowsFirst(TControlDiscovery& d, const TRawWindow& w)
{
    d.InitHwndControls(w.Window);
}

// A framework panel on a plain window takes the skin's face colour.
void FrameworkColour(TControlDiscovery& d, const TRawWindow& w)
{
    if (TWinControl* control = TWinControl::FromHandle(w.Window))
        control->SetColor(d.ButtonFace());
}

void PanelChildren(TControlDiscovery& d, const TRawWindow& w)
{
    d.InitHwndControls(w.Window);
    FrameworkColour(d, w);
}

// clang-format off
const TRawRow RawRows[] = {
    {"button",                               nullptr,          C::None,   ButtonByStyle},
    {"combobox",                             NotSimpleCombo,   C::ComBox},
    {"comboboxex32",                         HasChild,         C::ComBox, nullptr, nullptr, FirstChild},
    {"scrollbar",                            NoTabStop,        C::Sizer},
    {"systreeview32",                        nullptr,          C::None},
    {"#32770",                               NoTabStop,        C::BoxH,   nullptr, ChildWindowsFirst},
    {"tpanel",                               nullptr,          C::None,   nullptr, PanelChildren},
    {"ttntpanel.unicodeclass",               nullptr,          C::None,   nullptr, PanelChildren},
    {"ttntsilentpaintpanel.unicodeclass",    nullptr,          C::None,   nullptr, PanelChildren},
    {"tcheckbox",                            nullptr,          C::CheckBox},
    {"tcombobox",                            nullptr,          C::ComBox},
    {"tbutton",                              nullptr,          C::Button},
    {"tprogressbar",                         nullptr,          C::Progress},
    {"tsilentpaintpanel",                    nullptr,          C::None,   nullptr, FrameworkColour},
    {"systabcontrol32",                      NotOwnerDrawTabs, C::Tab},
    {"msctls_progress32",                    nullptr,          C::Progress},
    {"msctls_trackbar32",                    nullptr,          C::TrackBar},
    {"msctls_updown32",                      nullptr,          C::UpDown},
    {"sysdatetimepick32",                    nullptr,          C::DateTime, PickerByStyle},
    {"toolbarwindow32",                      nullptr,          C::None},
    {"edit",                                 nullptr,          C::Edit},
};
// clang-format on

} // namespace

std::span<const TDispatchRow> DispatchTable()
{
    return DispatchRows;
}

bool NeverSkinned(const std::string& key)
{
    return KeyIn(key, {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"});
}

std::span<const TThirdPartyRow> ThirdPartyTable()
{
    return ThirdPartyRows;
}

const TThirdPartyRow* FindThirdPartyKind(const std::string& kind)
{
    for (const TThirdPartyRow& row : ThirdPartyRows)
        if (kind == row.Kind)
            return &row;
    return nullptr;
}

std::span<const TRawRow> RawWindowTable()
{
    return RawRows;
}

TSkinClass RawButtonClass(DWORD style)
{
    // BS_OWNERDRAW is 0xB and a group box 7: every style that contains either
    // pattern (0xF too) draws itself or is no button at all.
    if ((style & BS_OWNERDRAW) == BS_OWNERDRAW || (style & BS_GROUPBOX) == BS_GROUPBOX ||
        (style & BS_BITMAP))
        return C::None;
    switch (style & 0xF) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case 0xA: case 0xD: case 0xE:
        return C::CheckBox;
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: case 0xC:
        return C::RadioButton;
    case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: case 0x8:
        return C::Button;
    default:
        return C::None;
    }
}

} // namespace tarnivo
