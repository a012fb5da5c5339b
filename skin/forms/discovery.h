#pragma once
// Control discovery: finding the controls of a skinned window and choosing
// the control skin each one gets.
//
// For a framework form the walk goes over the components the form owns and,
// for containers, over their child controls; the choice is the application's
// (the skin data's OnSkinControl), then the skin data's Skin3rd class map,
// then the dispatch table (discoverytable.h). For a plain window (a system
// dialog) it goes over the child windows and chooses by window class and
// button style. Every run is idempotent: a control whose skin is attached
// answers WM_ISSKINNED or is found in the form's Controls list.
//
// The chosen skin is made and attached by AttachSkinControl (skinfactory.h);
// while a class is not built that answers null and the control keeps its
// system look.

#include "skin/controls/skinfactory.h"
#include "skin/forms/discoverytable.h"

#include "framework/controls/toolbar.h"

#include <windows.h>

#include <functional>
#include <string>

namespace tarnivo {

class TControl;
class TForm;
class TMenuItem;
class TWinControl;
class TWinSkinForm;

// What discovery calls to make and attach a control skin. Tests replace it
// to see the requests; empty puts AttachSkinControl back.
using TSkinAttacher = std::function<TSkinControlLink*(const TSkinAttachRequest&)>;
void SetSkinAttacher(TSkinAttacher attacher);

class TControlDiscovery {
public:
    explicit TControlDiscovery(TWinSkinForm& form) : m_form(form) {}

    // Framework controls.
    // Drops deleted control skins, then walks what `container` owns (the
    // form when null).
    void InitControls(TControl* container);
    void InitControlA(TControl* container);
    void InitChildCtrl(TControl* container);
    // A form shown inside a control of the skinned form.
    void InitNestform(TForm* nested);
    void AddComp(TControl* control, TControl* container);
    // The Skin3rd map; true when it names the class (attached or not).
    bool Find3rdControl(const std::string& key, TControl& control);
    bool FindSkinComp(TControl& control) const;
    void DisableControl(TControl& control);
    void DoSkinEdit(TControl& control);
    static bool IsScrollControl(TControl& control);

    // Plain windows.
    void InitHwndControls(HWND parent);
    void AddControlh(HWND window);
    TSkinControlLink* Lookupcontrol(HWND window) const;
    // An EnumChildWindows callback; lParam is the TWinSkinForm.
    static BOOL CALLBACK EnumControl(HWND window, LPARAM form);

    // Used by the table's rows.
    bool GateOpen(const TGate& gate) const;
    TSkinControlLink* Attach(TControl& control, const TAttachSpec& spec,
                             bool glyphFromPngImage = false);
    TSkinControlLink* AttachWindow(HWND window, TSkinClass skinClass);
    // The scheme colour that "colour replaced" and the panel rules use.
    TColor ButtonFace() const;
    TSkinData& SkinData() const;
    TWinSkinForm& Form() const { return m_form; }

private:
    bool OfferToApplication(TControl& control, TControl* container, const std::string& key);

    TWinSkinForm& m_form;
};

// The class name in upper case: the key every name rule compares.
std::string ControlKey(const TControl& control);
// Whether the object's published class chain has a class of that name
// (letter case ignored): the test for classes that live in other families.
bool InheritsFromName(const TPersistent& object, const std::string& name);

// The menu work (menuitemmessages.cpp): a tool button's menu item and the
// items of a tool bar's menu get owner-drawn skinned items, and a flat tool
// bar is drawn from the skin.
void InitToolbarMenu(TMenuItem* item, bool enable);
void ToolBarDrawButton(HWND skinnedWindow, TToolBar* toolBar, TToolButton* button,
                       TCustomDrawState state, bool& defaultDraw);
void ToolBarDrawBackground(HWND skinnedWindow, TToolBar* toolBar, const RECT& rect,
                           bool& defaultDraw);

} // namespace tarnivo
