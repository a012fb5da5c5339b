#pragma once
// The rules that choose a control's skin, as data: one row per rule, each a
// test on the control, a gate (which skinned kinds of control the skin data
// switches on), and what attaches. Three tables:
//
//   DispatchTable    framework controls, by class test or by class name;
//                    the first row whose test and gate both hold decides
//   ThirdPartyTable  the kinds of the skin data's Skin3rd class map
//   RawWindowTable   plain child windows (dialogs), by window class name
//
// TControlDiscovery (discovery.h) walks them; it is the only reader.

#include "skin/controls/skinclass.h"
#include "skin/resources/skindata.h"

#include <windows.h>

#include <span>
#include <string>

namespace tarnivo {

class TControl;
class TControlDiscovery;

enum class TGateKind {
    None,          // always open
    Member,        // the member is in SkinControls
    MemberAndTab,  // ... and the skin has a tab element
    SkinFrame,     // the form object paints the frame
};

struct TGate {
    TGateKind Kind = TGateKind::None;
    TSkinControlType Member = xcMainMenu;
};

constexpr TGate NoGate{};
constexpr TGate Gate(TSkinControlType member) { return {TGateKind::Member, member}; }
constexpr TGate TabGate(TSkinControlType member) { return {TGateKind::MemberAndTab, member}; }
constexpr TGate FrameGate{TGateKind::SkinFrame, xcMainMenu};

// What a plain row attaches.
struct TAttachSpec {
    TSkinClass Class = TSkinClass::None;
    TSkinAttach Attach = TSkinAttach::Init;
    int Kind = 0;               // the class's variant number
    bool UpdateColor = false;   // "colour replaced"
};

// Does the row's control match? `key` is the class name in upper case.
using TRowTest = bool (*)(TControl& control, const std::string& key);
// A row that does more than attach one object; runs instead of Attach.
using TRowAction = void (*)(TControlDiscovery& discovery, TControl& control,
                            const std::string& key);

struct TDispatchRow {
    const char* Name;           // what the row tests, for tests and reading
    TRowTest Test;
    TGate Gate;
    TAttachSpec Attach;
    TRowAction Action = nullptr;
};

// The rows in order; the first row that matches with its gate open decides.
std::span<const TDispatchRow> DispatchTable();

// Class names that are never skinned (checked after the Skin3rd map).
bool NeverSkinned(const std::string& key);

struct TThirdPartyRow {
    const char* Kind;           // lower case
    TGate Gate;
    TAttachSpec Attach;
    TRowAction Action = nullptr;
};

// The kinds the Skin3rd map can name; a kind not listed attaches nothing.
std::span<const TThirdPartyRow> ThirdPartyTable();
const TThirdPartyRow* FindThirdPartyKind(const std::string& kind);

// A plain window: its lower-case class name and styles.
struct TRawWindow {
    HWND Window;
    const std::string& ClassName;
    DWORD Style;
    DWORD ExStyle;
};

// The class a window of this kind gets (None: nothing); null Test accepts
// every window of the class. An action runs before the attach (it may
// change the window that is attached: WindowFor).
using TRawTest = bool (*)(const TRawWindow& window);
using TRawChoice = TSkinClass (*)(const TRawWindow& window);
using TRawAction = void (*)(TControlDiscovery& discovery, const TRawWindow& window);
using TRawTarget = HWND (*)(const TRawWindow& window);

struct TRawRow {
    const char* ClassName;      // lower case
    TRawTest Test;
    TSkinClass Class;
    TRawChoice Choose = nullptr;   // overrides Class when set
    TRawAction Action = nullptr;
    TRawTarget WindowFor = nullptr;
};

std::span<const TRawRow> RawWindowTable();

// The class of a "button" window by its style: check box, radio button,
// push button, or None for owner-drawn buttons, group boxes and bitmap
// buttons.
TSkinClass RawButtonClass(DWORD style);

} // namespace tarnivo
