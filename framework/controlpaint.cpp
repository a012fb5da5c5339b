// Painting: a windowed control's WM_PAINT and background, its graphic
// children painted in its window, TCustomControl's canvas.

#include "control.h"

#include "canvas.h"

namespace tarnivo {

void TWinControl::HandlePaint(TMessage& message)
{
    // A DC in wParam is one to paint into instead of the window: a parent
    // drawing this control's image into a bitmap sends WM_PAINT so. The
    // window's own update region stays as it was.
    if (auto* given = reinterpret_cast<HDC>(message.WParam)) {
        PaintWindow(given);
        message.Result = 0;
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_handle, &ps);
    PaintWindow(dc);
    EndPaint(m_handle, &ps);
    message.Result = 0;
}

void TWinControl::EraseBackground(HDC dc)
{
    RECT r;
    GetClientRect(m_handle, &r);
    GdiBrush brush(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &r, brush.Get());
}

void TWinControl::PaintWindow(HDC dc)
{
    PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* c : m_controls) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->Visible())
            continue;
        int saved = SaveDC(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + g->Left(), origin.y + g->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, g->Width(), g->Height());
        g->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TGraphicControl::Dispatch(TMessage& message)
{
    auto* dc = reinterpret_cast<HDC>(message.WParam);
    if (message.Msg != WM_PAINT || !dc) {
        TControl::Dispatch(message);
        return;
    }
    TCanvas canvas;
    canvas.SetHandle(dc);
    Paint(canvas);
    canvas.SetHandle(nullptr);
    message.Result = 0;
}

const TClassInfo& TCustomControl::StaticClassInfo()
{
    static const TClassInfo info{"TCustomControl", &TWinControl::StaticClassInfo(), {}};
    return info;
}

void TCustomControl::Paint(TCanvas& canvas)
{
    if (OnPaint)
        OnPaint(this);
    (void)canvas;
}

void TCustomControl::PaintWindow(HDC dc)
{
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Font().Assign(Font());
        Paint(canvas);
        canvas.SetHandle(nullptr);
    }
    PaintControls(dc);
}

} // namespace tarnivo
