// The walk over a window's controls and the order in which a control's skin
// is chosen: the application, the Skin3rd map, then the dispatch rows.

#include "discovery.h"

#include "skinmessages.h"
#include "winskinform.h"

#include "skin/resources/skin3rd.h"

#include "framework/controls/listbox.h"
#include "framework/controls/memo.h"
#include "framework/controls/panel.h"
#include "framework/controls/scrollbox.h"
#include "framework/controls/treeview.h"
#include "framework/form.h"
#include "framework/stringlist.h"

#include <algorithm>
#include <vector>

namespace tarnivo {

namespace {

TSkinAttacher& Attacher()
{
    static TSkinAttacher attacher;
    return attacher;
}

TSkinControlLink* AttachThrough(const TSkinAttachRequest& request)
{
    const TSkinAttacher& attacher = Attacher();
    return attacher ? attacher(request) : AttachSkinControl(request);
}

// The window of a framework control, made now if it has none; null when it
// cannot be made (the control is then skipped).
HWND EnsureWindow(TWinControl& control)
{
    if (control.HandleAllocated())
        return control.Handle();
    try {
        control.HandleNeeded();
    } catch (const Exception&) {
        return nullptr;
    }
    return control.HandleAllocated() ? control.Handle() : nullptr;
}

std::string WindowClassLower(HWND window)
{
    char name[101] = {};
    GetClassNameA(window, name, sizeof name);
    return LowerCase(name);
}

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

// Children of a window in Z order, read before any of them is touched:
// attaching a skin may add helper windows to the same parent.
std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetTopWindow(parent); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

} // namespace

void SetSkinAttacher(TSkinAttacher attacher)
{
    Attacher() = std::move(attacher);
}

std::string ControlKey(const TControl& control)
{
    return UpperCase(control.ClassName());
}

bool InheritsFromName(const TPersistent& object, const std::string& name)
{
    for (const TClassInfo* info = &object.ClassType(); info; info = info->Parent)
        if (SameText(info->Name, name))
            return true;
    return false;
}

// Gates and attaching ----------------------------------------------------------

TSkinData& TControlDiscovery::SkinData() const
{
    return *m_form.SkinData;
}

TColor TControlDiscovery::ButtonFace() const
{
    return SkinData().Colors(csButtonFace);
}

bool TControlDiscovery::GateOpen(const TGate& gate) const
{
    switch (gate.Kind) {
    case TGateKind::None:
        return true;
    case TGateKind::Member:
        return SkinData().SkinControls().Contains(gate.Member);
    case TGateKind::MemberAndTab:
        return SkinData().SkinControls().Contains(gate.Member) &&
               SkinData().Elements().Tabs != nullptr;
    case TGateKind::SkinFrame:
        return m_form.SkinFrame != 0;
    }
    return false;
}

TSkinControlLink* TControlDiscovery::Attach(TControl& control, const TAttachSpec& spec,
                                            bool glyphFromPngImage)
{
    TSkinAttachRequest request;
    request.Class = spec.Class;
    request.Attach = spec.Attach;
    request.Kind = spec.Kind;
    request.UpdateColor = spec.UpdateColor;
    request.GlyphFromPngImage = glyphFromPngImage;
    request.Control = &control;
    if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
        request.Window = EnsureWindow(*windowed);
        if (!request.Window)
            return nullptr;
    }
    // A control skin dies with the control it skins.
    request.Owner = &control;
    request.Host = &m_form;
    request.SkinData = &SkinData();
    request.Canvas = &m_form.Canvas2;
    return AttachThrough(request);
}

TSkinControlLink* TControlDiscovery::AttachWindow(HWND window, TSkinClass skinClass)
{
    if (!window)
        return nullptr;
    if (TSkinControlLink* attached = Lookupcontrol(window))
        return attached;
    TSkinAttachRequest request;
    request.Class = skinClass;
    request.Attach = TSkinAttach::Inithwnd;
    request.Window = window;
    // A raw window has no framework object to die with: the form object frees it.
    request.Owner = &m_form;
    request.Host = &m_form;
    request.SkinData = &SkinData();
    request.Canvas = &m_form.Canvas2;
    return AttachThrough(request);
}

// Framework controls -----------------------------------------------------------

void TControlDiscovery::InitControls(TControl* container)
{
    if (!m_form.SkinData)
        return;
    m_form.DeleteSkinDeleted();
    if (!m_form.Form) {
        InitHwndControls(m_form.Handle);
        return;
    }
    if (!container || container == m_form.Form) {
        InitControlA(m_form.Form);
        return;
    }
    // One control asked for again: the control itself, then what is on it.
    AddComp(container, m_form.Form);
    InitChildCtrl(container);
}

void TControlDiscovery::InitControlA(TControl* container)
{
    if (!container)
        return;
    // By index with the count read each time: a skin attached on the way
    // may become a component of the container.
    for (int i = 0; i < container->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(container->Components(i)))
            AddComp(control, container);
    if (GateOpen(Gate(xcPopupMenu)))
        m_form.InitPopMenu(container, true);
}

void TControlDiscovery::InitChildCtrl(TControl* container)
{
    auto* parent = dynamic_cast<TWinControl*>(container);
    if (!parent)
        return;
    std::vector<TControl*> children;
    for (int i = 0; i < parent->ControlCount(); ++i)
        children.push_back(parent->Controls(i));
    for (TControl* child : children)
        AddComp(child, container);
}

void TControlDiscovery::InitNestform(TForm* nested)
{
    if (!nested || !m_form.SkinData)
        return;
    m_form.DeleteSkinDeleted();
    if (!FindSkinComp(*nested))
        Attach(*nested, {TSkinClass::Box, TSkinAttach::Init, 0, true});
    for (int i = 0; i < nested->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(nested->Components(i)))
            AddComp(control, nested);
    m_form.InitPopMenu(nested, true);
}

void TControlDiscovery::AddComp(TControl* control, TControl* container)
{
    if (!control || !m_form.SkinData)
        return;
    if (control->Tag() == SkinData().DisableTag()) {
        DisableControl(*control);
        return;
    }
    if (!control->Parent() || FindSkinComp(*control))
        return;
    const std::string key = ControlKey(*control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && !EnsureWindow(*windowed))
        return;
    if (OfferToApplication(*control, container, key))
        return;
    if (Find3rdControl(key, *control) || NeverSkinned(key))
        return;
    for (const TDispatchRow& row : DispatchTable()) {
        if (!row.Test(*control, key) || !GateOpen(row.Gate))
            continue;
        if (row.Action)
            row.Action(*this, *control, key);
        else
            Attach(*control, row.Attach);
        return;
    }
}

bool TControlDiscovery::OfferToApplication(TControl& control, TControl* container,
                                           const std::string& key)
{
    TSkinData& data = SkinData();
    if (!data.OnSkinControl)
        return false;
    TComponent* skinned = nullptr;
    data.OnSkinControl(&m_form, &data, container, &control, key, skinned);
    auto* link = dynamic_cast<TSkinControlLink*>(skinned);
    if (!link)
        return false;
    const bool listed = std::any_of(m_form.Controls.begin(), m_form.Controls.end(),
                                    [link](const auto& c) { return c == link; });
    if (!listed)
        link->Init(&m_form, &data, &m_form.Canvas2, link->UpdateColor());
    if (dynamic_cast<TCustomPanel*>(&control))
        InitChildCtrl(&control);
    return true;
}

bool TControlDiscovery::Find3rdControl(const std::string& key, TControl& control)
{
    const std::string kind = LowerCase(FindSkin3rd(SkinData().Skin3rd(), key));
    if (kind.empty())
        return false;
    // The map decided, whether or not anything attaches: a class it names
    // never reaches the dispatch rows.
    const TThirdPartyRow* row = FindThirdPartyKind(kind);
    if (!row || !GateOpen(row->Gate))
        return true;
    if (row->Action)
        row->Action(*this, control, key);
    else
        Attach(control, row->Attach);
    return true;
}

bool TControlDiscovery::FindSkinComp(TControl& control) const
{
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    HWND window = windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
    if (window && SendMessageW(window, WM_ISSKINNED, 0, 0) == 1)
        return true;
    for (const auto& link : m_form.Controls) {
        // A skin of a framework control is owned by it; a window-less one
        // (a speed button) has no window of its own to compare.
        if (auto* component = dynamic_cast<TComponent*>(link);
            component && component->Owner() == &control)
            return true;
        if (window && link->ControlHandle() == window)
            return true;
    }
    return false;
}

void TControlDiscovery::DisableControl(TControl& control)
{
    auto* group = dynamic_cast<TWinControl*>(&control);
    if (!group || group->ControlCount() == 0)
        return;
    const std::string name = LowerCase(control.ClassName());
    if (name.find("radiogroup") == std::string::npos && name.find("checkgroup") == std::string::npos)
        return;
    // The group is skinned as a whole or not at all: its buttons follow it.
    for (int i = 0; i < group->ControlCount(); ++i)
        group->Controls(i)->SetTag(SkinData().DisableTag());
}

void TControlDiscovery::DoSkinEdit(TControl& control)
{
    auto* edit = dynamic_cast<TWinControl*>(&control);
    HWND window = edit ? EnsureWindow(*edit) : nullptr;
    if (!window)
        return;
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    // Only an edit with a border has a frame for the skin to draw.
    const bool bordered = (outer.right - outer.left) > client.right ||
                          (outer.bottom - outer.top) > client.bottom;
    if (bordered)
        Attach(control, {TSkinClass::Edit});
}

bool TControlDiscovery::IsScrollControl(TControl& control)
{
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed)
        return false;
    if (windowed->HandleAllocated() &&
        (StyleOf(windowed->Handle()) & (WS_HSCROLL | WS_VSCROLL)))
        return true;
    return dynamic_cast<TCustomListBox*>(&control) || dynamic_cast<TCustomMemo*>(&control) ||
           dynamic_cast<TCustomTreeView*>(&control) || dynamic_cast<TScrollBox*>(&control);
}

// Plain windows ---------------------------------------------------------------------

void TControlDiscovery::InitHwndControls(HWND parent)
{
    for (HWND child : ChildWindows(parent))
        if (StyleOf(child) & WS_CHILD)
            AddControlh(child);
}

void TControlDiscovery::AddControlh(HWND window)
{
    if (!window || !m_form.SkinData || Lookupcontrol(window))
        return;
    const std::string className = WindowClassLower(window);
    const TRawWindow raw{window, className, StyleOf(window),
                         static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE))};
    for (const TRawRow& row : RawWindowTable()) {
        if (className != row.ClassName)
            continue;
        if (row.Test && !row.Test(raw))
            return;
        if (row.Action)
            row.Action(*this, raw);
        const TSkinClass skinClass = row.Choose ? row.Choose(raw) : row.Class;
        if (skinClass != TSkinClass::None)
            AttachWindow(row.WindowFor ? row.WindowFor(raw) : window, skinClass);
        return;
    }
}

TSkinControlLink* TControlDiscovery::Lookupcontrol(HWND window) const
{
    for (const auto& link : m_form.Controls)
        if (link->ControlHandle() == window)
            return link;
    return nullptr;
}

BOOL CALLBACK TControlDiscovery::EnumControl(HWND window, LPARAM form)
{
    if (auto* object = reinterpret_cast<TWinSkinForm*>(form))
        TControlDiscovery(*object).AddControlh(window);
    return TRUE;
}

} // namespace tarnivo
