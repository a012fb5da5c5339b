#pragma once
// What a control skin and the skinned form that lists it know of each other.
//
// TSkinControlLink is what the form asks of a control skin (the control skins
// of this folder implement it); ISkinControlHost is what a control skin asks
// of its form (TWinSkinForm implements it). Control skins never include the
// form object's header: this pair is the whole contact between them.

#include <windows.h>

namespace tarnivo {

class ISkinControlHost;
class TCanvas;
class TSkinData;

// An interface only: control skins are components, and the form keeps them
// through this view of them. The form's list does not own them: a control
// skin belongs to its framework control (or to the form object, for raw
// windows). The form may still free a listed control skin with delete, which
// also takes it out of its owner's components; a control skin's destructor
// gives the control back and calls its host's DeleteControl.
class TSkinControlLink {
public:
    // Status of a control skin whose window is gone and that waits to be freed.
    static constexpr int StatusDeleted = 6;

    virtual ~TSkinControlLink() = default;

    // Attaches to the framework control that owns the skin object (a second
    // call is ignored); the application's own choice of skin object for a
    // control is attached through this too, with its own UpdateColor.
    virtual void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                      bool updateColor) = 0;
    virtual bool UpdateColor() const = 0;

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
    // Frees the skin object: at once, or, while one of its own messages is
    // still on the stack, as soon as the last of them returns. Either way it
    // is off its host's list and handles no message of the control after
    // this call.
    virtual void Release() { delete this; }
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
    // The DPI the form is drawn at; its controls are drawn at the same.
    virtual int HostDpi() const = 0;

protected:
    ~ISkinControlHost() = default;
};

} // namespace tarnivo
