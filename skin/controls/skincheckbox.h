#pragma once
// Check boxes (TSkinCheckBox) and radio buttons (TSkinRadioButton).
//
// The control keeps its behaviour: the skin only repaints the box (from the
// skin's "CheckButton" or "RadioButton" strip) and, for framework controls,
// the caption. A raw window (a dialog's check box) paints itself first and
// the skin draws its box over the system one afterwards. The look follows
// the window's check state on every paint.

#include "skin/controls/skincontrol.h"

#include <windows.h>

#include <string>

namespace tarnivo {

class TBitmap;

// The box state of the 4-frame layout: 1 off, 2 on, 3 off disabled, 4 on
// disabled (also the look of the indeterminate state), turned into a frame
// of a strip of `frameCount` frames. A 12-frame check-box strip holds off,
// on and indeterminate looks of four frames each; an 8-frame radio strip off
// and on. `indeterminate` (check boxes only) wins over `state`.
int CheckBoxFrame(int state, bool indeterminate, bool disabled, int frameCount);
int RadioButtonFrame(int state, int frameCount);

// What both paint: the box of one frame, flush left (or right with
// BS_LEFTTEXT) and centred vertically, and for framework controls the
// caption beside it.
class TSkinCheckControl : public TSkinControl {
public:
    explicit TSkinCheckControl(TComponent* owner) : TSkinControl(owner) {}
    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    bool BeforeProc(TMessage& message) override;
    // A click, a new check state, leaving the control or new data repaint
    // the box at once.
    void AfterProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    // The new skin shows at the next paint, as for push buttons.
    void SkinChange() override;
    bool Transparent() const { return FTransparent; }

protected:
    // The strip and its frame count; null when the skin has none.
    virtual const TBitmap* BoxImage(int& frameCount) const = 0;
    // The frame for the control's state now.
    virtual int BoxFrame(int frameCount) = 0;
    // Pixels between the box and the right edge with BS_LEFTTEXT.
    virtual int RightGap() const { return 0; }

    bool FTransparent = false;   // the parent's image behind box and caption

private:
    void DrawCaptionBeside(HDC dc, const TRect& area, UINT format);
};

class TSkinCheckBox : public TSkinCheckControl {
public:
    using TSkinCheckControl::TSkinCheckControl;
    std::string ClassName() const override { return "TSkinCheckBox"; }
    void AfterProc(TMessage& message) override;
    // 0 until the first BM_SETCHECK, then its wParam + 1.
    int LastCheck() const { return FLastCheck; }

protected:
    const TBitmap* BoxImage(int& frameCount) const override;
    int BoxFrame(int frameCount) override;

private:
    int FLastCheck = 0;
};

class TSkinRadioButton : public TSkinCheckControl {
public:
    using TSkinCheckControl::TSkinCheckControl;
    std::string ClassName() const override { return "TSkinRadioButton"; }

protected:
    const TBitmap* BoxImage(int& frameCount) const override;
    int BoxFrame(int frameCount) override;
    int RightGap() const override { return 1; }
};

} // namespace tarnivo
