#pragma once
// TSkinProgress: a progress bar drawn from the "Progress" element, as one
// stretched fill over an empty track (normal style) or as a row of chunks
// (chunk style, "Progress" Style 1, with "Progress.Chunk").

#include "skin/controls/skincontrol.h"

namespace tarnivo {

class TSkinProgress : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinProgress"; }

    bool BeforeProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

    // The filled length of a bar `length` pixels long: 0 unless both the
    // position and the upper limit are above 0. The lower limit plays no
    // part: a bar from 50 to 100 at 75 is three quarters full.
    static int FilledLength(int length, int position, int upper);

protected:
    // The chunk style.
    void DrawControl1(HDC dc, const TRect& rect);

private:
    bool Vertical() const;
    int Filled(int length) const;
    // The composed bar (horizontal sense) turned for a vertical bar and
    // copied to the DC.
    void Present(HDC dc, const TRect& rect, TBitmap& bar) const;
    // A ButtonFace bitmap of the bar's horizontal-sense size.
    void Prepare(TBitmap& bar, const TRect& rect) const;
};

} // namespace tarnivo
