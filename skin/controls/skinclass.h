#pragma once
// The control-skin classes control discovery chooses between, and the ways a
// chosen skin is attached to its control.

#include <string_view>

namespace tarnivo {

enum class TSkinClass {
    None,
    Button, BitButton, MenuButton, SpeedButton, CheckBox, RadioButton,
    Scrollbar, ScrollbarH, ListView, ScControl,
    Edit, ComBox, Header, DateTime,
    Tab, Tab31, TabBtn, TabSheet, AdvPage,
    Progress, TrackBar, UpDown,
    GroupBox, Box, CoolBar, BoxH, Sizer, StatusBar, ObjImage, MP,
};

// The class name ("TSkinButton"), "" for None.
std::string_view SkinClassName(TSkinClass skinClass);

// Init: a framework control (hooked through its WindowProc); Window: a raw
// window handle (subclassed); Scrollbar: the scroll-bar overlay attach;
// GraphicControl: a window-less control drawn on its parent.
enum class TSkinAttach { Init, Inithwnd, InitScrollbar, InitGraphicControl };

} // namespace tarnivo
