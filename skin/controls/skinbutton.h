#pragma once
// Push buttons (TSkinButton) and drop-down menu buttons (TSkinMenuButton).
//
// A skinned push button paints its whole face from the skin's [Buttons]
// element and keeps the left press from the control: the system button never
// captures the mouse, so the skin tracks hover and press itself and produces
// the click on a release inside the button. The keyboard stays the
// control's: Space and Enter still click through the button's own
// procedure, the skin only shows the pressed face while Space is held.
//
// Every face is drawn into the object's own bitmap and copied to the screen
// in one transfer.

#include "skin/controls/skincontrol.h"

#include "framework/bitmap.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnivo {

class TDataSkinButton;

// Tag of a button, check box or radio button that shows its parent's image
// behind it instead of the ButtonFace fill.
constexpr int ParentImageTag = 5555;

class TSkinButton : public TSkinControl {
public:
    explicit TSkinButton(TComponent* owner) : TSkinControl(owner) {}
    std::string ClassName() const override { return "TSkinButton"; }

    // The base attach, then the button's variant: controls of classes whose
    // names begin with "trz" or "tel" raise their own mouse-down and are not
    // told of the swallowed one (Kind 1).
    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    // The new skin shows at the next paint (see the definition).
    void SkinChange() override;

    bool Transparent() const { return FTransparent; }

    // The caption ("||" as a line break) wrapped at the width less 4,
    // centred (or spanning the width for another alignment) and one pixel
    // above the middle, with the focus rectangle around it when the button
    // has the focus and the skin wants one. Drawn in the DC's font and text
    // colour.
    void DrawBtnText(HDC dc, const TRect& rect, UINT alignment, std::wstring_view text) const;
    // Raises the control's mouse-down event for a press the skin swallowed.
    void DoMouseDown(const TMessage& message);

protected:
    // The [Buttons] element when it has a face to draw, else null.
    const TDataSkinButton* ButtonElement() const;
    // The caption as the control shows it: "Caption" of a framework control,
    // else the window text.
    std::wstring ReadCaption() const;
    // FBuffer sized to `rect`, filled with the parent's image or ButtonFace,
    // then frame `frame` of the five faces over it when `face`. Answers the
    // buffer's DC.
    HDC PrepareFace(const TRect& rect, int frame, bool face = true);
    // Selects the caption font into `dc` and sets the caption colour for
    // face frame `frame` (the caller restores the DC).
    void SelectCaptionStyle(HDC dc, int frame) const;
    // Whether the focus rectangle is drawn around the caption now.
    bool ShowsFocusRect() const;
    // The click of a release inside: the framework control's Click, or
    // WM_COMMAND to a raw window's parent.
    void ClickControl();

    TBitmap FBuffer;              // the face, drawn off screen
    bool FTransparent = false;    // the parent's image behind the face

private:
    bool WMLButtonDown(TMessage& message);
    void WMLButtonUp();
    void WMMouseMove();
    void WMMouseLeave();
    void WMKey(const TMessage& message, bool down);
};

// A button with a drop-down arrow: the push-button face, the caption left of
// the arrow. Focus alone shows the hot face, not the focused one.
class TSkinMenuButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    std::string ClassName() const override { return "TSkinMenuButton"; }
    void DrawControl(HDC dc, const TRect& rect) override;
};

// The colour a framework control's caption is drawn in: its font's colour
// when the program chose one; a font left at a system colour (clBtnText,
// clWindowText: the defaults) takes the skin's ButtonText, which the skin
// made to read on its own faces and ButtonFace. Without a skin text colour,
// the font's.
TColor CaptionColor(TColor fontColor, const TSkinData* skinData);

// Whether a control's Tag or the skin's options ask for the parent's image
// behind a button, check box or radio button (raw windows never do).
bool WantsParentImage(const TControl* control, const TSkinData* skinData);

} // namespace tarnivo
