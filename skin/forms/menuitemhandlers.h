#pragma once
// The item handlers a skinned form gives to framework menus (OnDrawItem and
// OnMeasureItem of main-menu, popup-menu and system-menu entries).
//
// The menus belong to the program and outlive the form object that skins
// them: a form's window is recreated (its border style changes) or
// destroyed, and its object is freed while the menus keep their handlers.
// So a handler holds the object only weakly and does nothing of the skin's
// once the object is gone: an entry is then drawn in the framework's own
// look and keeps its own measure. A handler is a named type, so that
// skinning again can tell ours (stale or not, replaced) from the program's
// own handlers (kept).

#include "framework/menus.h"
#include "framework/releaseguard.h"

namespace tarnivo {

class TWinSkinForm;

enum class TItemMeasure { MainMenu, Popup };

struct TFormItemDraw {
    TWinSkinForm* Form = nullptr;
    TLiveToken Alive;
    void operator()(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected) const;
};

struct TFormItemMeasure {
    TWinSkinForm* Form = nullptr;
    TLiveToken Alive;
    TItemMeasure Kind = TItemMeasure::MainMenu;
    void operator()(TObject* sender, TCanvas& canvas, int& width, int& height) const;
};

TMenuDrawItemEvent FormItemDraw(TWinSkinForm& form);
TMenuMeasureItemEvent FormItemMeasure(TWinSkinForm& form, TItemMeasure kind);

// Whether a handler is a skinned form's: of any form when `form` is null.
bool IsFormItemHandler(const TMenuDrawItemEvent& handler, const TWinSkinForm* form = nullptr);
bool IsFormItemHandler(const TMenuMeasureItemEvent& handler, const TWinSkinForm* form = nullptr);

// Clears the handlers of `form` from the entries of every main and popup
// menu owned by `container` (and by the frames and forms it owns).
void DropFormItemHandlers(TComponent* container, const TWinSkinForm* form);

} // namespace tarnivo
