#pragma once
// TSkinControlLink: what a skinned form asks of the control skins attached
// for its window. Control skins (skin/controls/) implement it; the form
// object keeps them in its Controls list, frees them with its window, tells
// them of a new skin and takes the mouse away from the hot one.

#include "framework/object.h"

#include <string>

#include <windows.h>

namespace tarnivo {

class TSkinControlLink : public TObject {
public:
    // Status of a control skin whose window is gone and that waits to be freed.
    static constexpr int StatusDeleted = 6;

    std::string ClassName() const override { return "TSkinControlLink"; }

    // The control's window.
    virtual HWND ControlHandle() const = 0;
    // Life-cycle code; StatusDeleted once the control's window is destroyed.
    virtual int Status() const = 0;
    // Gives the control its own window procedure and look back.
    virtual void Unsubclass() = 0;
    // The skin changed: drop cached images and repaint.
    virtual void SkinChange() = 0;
    // The mouse left the control (the form's hover timer noticed).
    virtual void MouseLeave() = 0;
};

} // namespace tarnivo
