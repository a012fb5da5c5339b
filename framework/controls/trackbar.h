#pragma once
// The track bar ("msctls_trackbar32").

#include "framework/control.h"

#include <commctrl.h>

namespace tarnivo {

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

// A track bar. Range, position, page and line steps and the selection are
// the window's, which keeps the position within the range. OnChange follows
// each move of the thumb by the user (reported to the parent and reflected
// here) and each change by the program.
class TTrackBar : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TTrackBar(TComponent* owner);

    int Min() const;
    // A Min above Max, or a Max below Min, is refused with EPropertyError.
    void SetMin(int value);
    int Max() const;
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    void SetParams(int position, int min, int max);
    int PageSize() const;
    void SetPageSize(int value);
    int LineSize() const;
    void SetLineSize(int value);
    // One tick every Frequency positions with tsAuto.
    int Frequency() const { return m_frequency; }
    void SetFrequency(int value);
    int SelStart() const;
    void SetSelStart(int value);
    int SelEnd() const;
    void SetSelEnd(int value);
    int ThumbLength() const;
    void SetThumbLength(int value);

    // These are style bits the control reads when it is created: changing
    // one makes a new window.
    TTrackBarOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TTrackBarOrientation orientation);
    TTickMark TickMarks() const { return m_tickMarks; }
    void SetTickMarks(TTickMark marks);
    TTickStyle TickStyle() const { return m_tickStyle; }
    void SetTickStyle(TTickStyle style);
    bool SliderVisible() const { return m_sliderVisible; }
    void SetSliderVisible(bool visible);

    TNotifyEvent OnChange;

    void Dispatch(TMessage& message) override;
    // The thumb's length: the system keeps it in pixels, whatever the DPI.
    void ScaleOwnLengths(int num, int den) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    void Changed(int before);
    void Restyle();

    // Used until the window exists, and kept while it is recreated.
    int m_min = 0;
    int m_max = 10;
    int m_position = 0;
    int m_pageSize = 2;
    int m_lineSize = 1;
    int m_selStart = 0;
    int m_selEnd = 0;
    int m_thumbLength = 20;
    int m_frequency = 1;
    TTrackBarOrientation m_orientation = trHorizontal;
    TTickMark m_tickMarks = tmBottomRight;
    TTickStyle m_tickStyle = tsAuto;
    bool m_sliderVisible = true;
};

} // namespace tarnivo
