#pragma once
// Non-client objects: the things in a skinned frame that react to the mouse
// (caption buttons here; the menu band's buttons derive from TNCObject too).
// A form holds at most one hot object; every move of the hot or pressed
// state to another object first tells the old one that the mouse left.

#include "skin/resources/skinelements.h"

#include "framework/graphics.h"
#include "framework/object.h"

#include <cstdint>

namespace tarnivo {

class TWinSkinForm;

class TNCObject : public TObject {
public:
    explicit TNCObject(TWinSkinForm* form) : Form(form) {}
    std::string ClassName() const override { return "TNCObject"; }

    // Each does nothing while the object is not Visible, except that
    // MouseDown still takes the hot state from another object.
    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Draw() {}

    TWinSkinForm* Form;           // the window the object belongs to
    TRect Rect{};                 // in window coordinates
    std::uint8_t Visible = 0;     // shown and hit-testable
    int State = 1;                // 1 normal, 2 pressed, 3 hot
    std::uint8_t Enabled = 1;     // may act; a disabled one draws frame 1
};

// One caption button, bound to its skin element.
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* form, TDataSkinSysButton* element)
        : TNCObject(form), Element(element)
    {
    }
    std::string ClassName() const override { return "TWinSysButton"; }

    // Draws the button in its State straight onto the window (DrawSysbtn).
    void Draw() override;

    TDataSkinSysButton* Element;   // owned by the skin data
};

} // namespace tarnivo
