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

#include "skin/resources/skinelements.h"

#include <windows.h>

namespace tarnivo {

// How the frame is repainted when a maximized child changed (its caption
// or state): the whole window, frame included, at once.
constexpr UINT MDICaptionRedraw =
    RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

// The scroll-bar bits the client loses while the frame is skinned (the
// system bars would sit inside the skinned frame in the system's look).
constexpr DWORD MDIClientScrollBits = WS_HSCROLL | WS_VSCROLL;

// Whether a caption button belongs to the menu band of an MDI parent (the
// maximized child's buttons) rather than to the title bar.
bool IsMDIBandButton(const TDataSkinSysButton& element);

} // namespace tarnivo
