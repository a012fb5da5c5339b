#pragma once
// The scroll-bar control ("SCROLLBAR").

#include "framework/control.h"

#include <functional>

namespace tarnivo {

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop,
                   scBottom, scEndScroll };

using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int& position)>;

// A stand-alone scroll bar. Range, page and position are the window's. The
// system control only reports what the user did (WM_HSCROLL / WM_VSCROLL to
// its parent, reflected here); the wrapper moves the thumb: one SmallChange
// for an arrow, one LargeChange for a page, the tracked place while the thumb
// is dragged. The position stays within Min .. Max - PageSize + 1 (Max with
// no page). OnScroll may change the new position; OnChange follows every
// change of it.
class TScrollBar : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return m_kind; }
    void SetKind(TScrollBarKind kind);
    int Min() const;
    // A Min above Max, or a Max below Min, is refused with EPropertyError.
    void SetMin(int value);
    int Max() const;
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    // The thumb's share of the range; 0 for a thumb of the system's size.
    int PageSize() const;
    void SetPageSize(int value);
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int value) { m_smallChange = value; }
    int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int value) { m_largeChange = value; }

    // Sets the three at once; refused as SetMin is.
    void SetParams(int position, int min, int max);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    SCROLLINFO Info(UINT mask) const;
    void Apply();
    void Scroll(int request, int trackPosition);
    int Clamp(int position) const;

    TScrollBarKind m_kind = sbHorizontal;
    // Used until the window exists, and kept while it is recreated.
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_pageSize = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
};

} // namespace tarnivo
