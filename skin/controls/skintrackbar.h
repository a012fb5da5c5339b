#pragma once
// TSkinTrackBar: a track bar whose channel and thumb come from the skin. The
// control keeps painting itself (background, tick marks); it asks its
// parent through NM_CUSTOMDRAW before each part, and the framework reflects
// that question back to the control, where this object answers it by
// drawing the channel and the thumb itself. On a plain window (a dialog)
// the skinned parent does the handing back (ReflectTrackBarDraw).

#include "skin/controls/skincontrol.h"

#include "skin/resources/skinelements.h"

#include <commctrl.h>

namespace tarnivo {

class TSkinTrackBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinTrackBar"; }

    bool BeforeProc(TMessage& message) override;
    // Focus to the control and back: the control repaints with the new skin.
    void SkinChange() override;

    // The answer to one custom-draw stage.
    LRESULT CustomDraw(const NMCUSTOMDRAW& draw);

protected:
    void DrawTrack(HDC dc);
    void Drawthumb(HDC dc);

private:
    bool Vertical() const;
    bool Notify(TMessage& message);
    void CtlColorStatic(TMessage& message);
};

// The thumb element for a track bar of `style`: the one pointing at the
// tick side (ThumbDown for ticks below, ThumbUp above, ThumbRight and
// ThumbLeft for vertical bars), the plain ThumbHorz or ThumbVert for ticks
// on both sides or none.
TTrackThumb ThumbForStyle(LONG style);

// A track bar of a plain window asks its parent, and a dialog does not hand
// the question back as the framework does. The skinned parent passes a
// custom-draw notification of a skinned raw track bar to it here; true when
// it did, with the track bar's answer in the message's result.
bool ReflectTrackBarDraw(TMessage& message);

} // namespace tarnivo
