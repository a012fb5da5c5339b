#pragma once
// TSkinGroupBox: a group box (and the frame of a radio group) drawn as a
// rounded frame in the skin's shadow colour with its caption on the face
// colour, or, where the skin has them, with the GroupBoxEdge picture as the
// frame and the GroupBox picture behind the caption. Kind 1 marks a framework control: it is filled with ButtonFace
// first, takes the control's font and font colour, and gets its labels
// painted again afterwards.

#include "skin/controls/skincontrol.h"
#include "skin/resources/skinelements.h"

namespace tarnivo {

class TSkinGroupBox : public TSkinControl {
public:
    // Left (or, with WS_EX_RIGHT, right) inset of the caption.
    static constexpr int CaptionInset = 8;

    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinGroupBox"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    bool BeforeProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

private:
    std::wstring CaptionText() const;
    HFONT CaptionFont() const;
    TColor CaptionColor() const;
    void EraseSystemFrame(HDC dc, const TRect& rect, int top) const;
    void DrawFrame(HDC dc, const TRect& rect, int top) const;
    bool DrawEdgeImage(HDC dc, const TRect& rect, int top) const;
    const TDataSkinBoxLabel* LabelImage() const;
    void DrawCaptionText(HDC dc, const TRect& rect, const std::wstring& caption) const;
};

} // namespace tarnivo
