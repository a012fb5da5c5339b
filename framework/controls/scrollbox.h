#pragma once
// Windows that scroll their child controls: the base of the scroll box and
// the frame, and the scroll box itself.

#include "framework/control.h"
#include "framework/controls/controlwindow.h"

namespace tarnivo {

// A window whose child controls may reach past its client area; with
// AutoScroll its own scroll bars (the window's WS_HSCROLL / WS_VSCROLL bars)
// cover them, and scrolling moves the children. The positions are the
// window's scroll bars'. The range follows the children when the window is
// made or sized and when a child window is made or destroyed; after moving
// children, or adding a graphic one, a program calls UpdateScrollRange.
class TScrollingWinControl : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TScrollingWinControl(TComponent* owner);

    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool autoScroll);
    // How far the content is scrolled, in pixels.
    int HorzPosition() const;
    int VertPosition() const;
    // Scrolls to a place, kept within the range.
    void ScrollTo(int x, int y);
    // Scrolls so that the control is wholly in view (its top-left corner
    // first when it is bigger than the view).
    void ScrollInView(TControl* control);
    void UpdateScrollRange();

    void Dispatch(TMessage& message) override;

protected:
    void HandleCreated() override;

private:
    void Scroll(int bar, int request);
    void MoveContent(int dx, int dy);

    bool m_autoScroll = true;
    bool m_updating = false;
    HWND m_leaving = nullptr;   // a child window being destroyed
};

class TScrollBox : public TScrollingWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TScrollBox(TComponent* owner);

    TBorderStyle BorderStyle() const { return m_border.Style(); }
    void SetBorderStyle(TBorderStyle border) { m_border.SetStyle(border); }
    bool Ctl3D() const { return m_border.Ctl3D(); }
    void SetCtl3D(bool ctl3D) { m_border.SetCtl3D(ctl3D); }

protected:
    void CreateParams(TCreateParams& params) override;

private:
    controlwindow::Border m_border{*this};
};

} // namespace tarnivo
