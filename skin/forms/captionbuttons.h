#pragma once
// Caption buttons: which of the skin's caption buttons a window shows, where
// they sit in the title bar, how they are drawn, and what a click on one does.
// The form operations live in captionbuttons.cpp (declared in winskinform.h);
// the rule that turns a button's two visibility codes into shown or hidden is
// a plain function here, so that it can be read (and walked) as the table it is.

#include "skin/forms/winskinform.h"

#include <functional>

namespace tarnivo {

// Action codes of a caption button with a meaning of their own; any other
// code is passed to the window as WM_SKINBUTTONCLICK.
namespace btnaction {
constexpr int Close = 0;
constexpr int Maximize = 1;
constexpr int Minimize = 2;
constexpr int SysMenuIcon = 3;     // the window icon, opens the system menu
constexpr int ChildMinimize = 7;   // the buttons of a maximized MDI child
constexpr int ChildRestore = 8;
constexpr int ChildClose = 9;
constexpr int SysMenuIcon2 = 11;   // the window icon again
constexpr int SysMenu = 12;        // opens the system menu, drawn from its image
constexpr int Maximize2 = 22;
constexpr int Minimize2 = 23;
constexpr int ChildMinimize2 = 60;
constexpr int ChildRestore2 = 61;
constexpr int ChildClose2 = 62;
} // namespace btnaction

// Whether a button with this action shows the window's icon instead of its image.
constexpr bool ShowsWindowIcon(int action)
{
    return action == btnaction::SysMenuIcon || action == btnaction::SysMenuIcon2;
}

// Align 100 and Visibility 100: a button of the menu band, shown while an MDI
// parent has a maximized child (the band draws it, not the title bar).
constexpr int MenuBandCode = 100;

// Which of a button's two visibility codes is asked about.
enum class VisibilityKey { Visibility, Visibility1 };

// What the visibility codes ask about a window.
struct TCaptionWindowFacts {
    bool Maximized = false;
    bool Active = true;
    TSkinFormIcons Icons;
    // An MDI parent that shows a maximized active child, with a menu band.
    bool MaximizedChildInBand = false;
    // BorderStyle is sbsDialog, and the window is not of a dialog class.
    bool DialogBorder = false;
    // The window's answer to WM_SKINBUTTONQUERY for a code; asked only for
    // the codes 1000 to 2000 of Visibility.
    std::function<LRESULT(int code)> Query;
};

// Whether one code allows the button to show. A button shows only when both
// of its codes allow it; codes without a meaning never do.
bool VisibilityAllows(int code, VisibilityKey key, const TCaptionWindowFacts& facts);

} // namespace tarnivo
