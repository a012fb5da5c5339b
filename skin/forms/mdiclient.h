#pragma once
// The MDI side of a skinned frame: the "MDIClient" window of an MDI parent is
// subclassed (mdiclient.cpp) so that the frame hears when children are made,
// destroyed, tiled or cascaded and when the frame menu changes; and while the
// parent's active child is maximized, that child's minimize, restore and
// close buttons are drawn in the parent's menu band (mdiband.cpp).
//
// The operations are members of TWinSkinForm (winskinform.h): SubclassMDI,
// UnSubclassMDI, DefaultMDI, WinMDIProc, DrawMDIButtons. The process-wide
// maximized mode itself is the skin manager's (SetMDIMax).
//
// The client keeps its scroll bars: they are how a user reaches a child that
// was moved partly out of sight. While the frame is skinned they get the
// skin's look from overlays (TSkinScrollbarH) that hand every press to the
// system bars underneath; with xoMDIScrollbar the system look stays.

#include "skin/resources/skinelements.h"

#include <windows.h>

namespace tarnivo {

// How the frame is repainted when a maximized child changed (its caption
// or state): the whole window, frame included, at once.
constexpr UINT MDICaptionRedraw =
    RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

// Whether a caption button belongs to the menu band of an MDI parent (the
// maximized child's buttons) rather than to the title bar.
bool IsMDIBandButton(const TDataSkinSysButton& element);

} // namespace tarnivo
