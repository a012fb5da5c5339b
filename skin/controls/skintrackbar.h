#pragma once
// TSkinTrackBar: a track bar whose channel and thumb come from the skin. The
// control keeps painting itself (background, tick marks); it asks its
// parent through NM_CUSTOMDRAW before each part, and the framework reflects
// that question back to the control, where this object answers it by
// drawing the channel and the thumb itself.

#include "skin/controls/skincontrol.h"

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
};

} // namespace tarnivo
