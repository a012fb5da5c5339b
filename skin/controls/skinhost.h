#pragma once
// What a control skin and the skinned form that lists it know of each other.
//
// TSkinControlLink is what the form asks of a control skin (the control skins
// of this folder implement it); ISkinControlHost is what a control skin asks
// of its form (TWinSkinForm implements it). Control skins never include the
// form object's header: this pair is the whole contact between them.

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

class ISkinControlHost {
public:
    // The skinned window the controls sit on.
    virtual HWND HostWindow() const = 0;
    // Adds a control skin to the form's list; true when it was there already.
    virtual bool AddControlList(TSkinControlLink* control) = 0;
    // Takes a control skin off the list (it is being freed).
    virtual void DeleteControl(TSkinControlLink* control) = 0;
    // The control under the pointer, for windows whose controls get no leave
    // notification of their own; the form's hover timer watches it.
    virtual TSkinControlLink* HotControlLink() const = 0;
    virtual void SetHotControlLink(TSkinControlLink* control) = 0;

protected:
    ~ISkinControlHost() = default;
};

} // namespace tarnivo
