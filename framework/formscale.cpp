#include "formscale.h"

#include "control.h"
#include "form.h"
#include "ownmessages.h"
#include "windowdpi.h"

namespace tarnivo {

namespace {

bool Believable(int dpi)
{
    return dpi >= MinPixelsPerInch && dpi <= MaxPixelsPerInch;
}

} // namespace

int SystemPixelsPerInch()
{
    const int dpi = SystemDpi();
    return Believable(dpi) ? dpi : DesignPixelsPerInch;
}

int WindowPixelsPerInch(HWND window)
{
    const int dpi = WindowDpi(window);
    return Believable(dpi) ? dpi : SystemPixelsPerInch();
}

int ScaleValue(int value, int num, int den)
{
    return MulDiv(value, num, den);
}

void ScaleControlTree(TControl& control, int num, int den)
{
    // The font first: a label that sizes itself to its text then measures
    // with the new font, and its scaled bounds below win where they apply.
    if (!control.ParentFont())
        control.Font().SetHeight(ScaleValue(control.Font().Height(), num, den));
    const int left = ScaleValue(control.Left(), num, den);
    const int top = ScaleValue(control.Top(), num, den);
    const int right = ScaleValue(control.Left() + control.Width(), num, den);
    const int bottom = ScaleValue(control.Top() + control.Height(), num, den);
    control.SetBounds(left, top, right - left, bottom - top);
    control.ScaleOwnLengths(num, den);
    if (auto* window = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < window->ControlCount(); ++i)
            ScaleControlTree(*window->Controls(i), num, den);
}

// TForm's scaling ------------------------------------------------------------

int TForm::Scaled(int designed) const
{
    return ScaleValue(designed, m_pixelsPerInch, DesignPixelsPerInch);
}

void TForm::ScaleToPixelsPerInch(int dpi)
{
    if (dpi == m_pixelsPerInch || !Believable(dpi))
        return;
    const int num = dpi;
    const int den = m_pixelsPerInch;
    m_pixelsPerInch = dpi;
    // The form's font reaches the controls that follow it; the others scale
    // their own.
    Font().SetHeight(ScaleValue(Font().Height(), num, den));
    for (int i = 0; i < ControlCount(); ++i)
        ScaleControlTree(*Controls(i), num, den);
    if (m_clientWidth >= 0)
        SetClientSize(ScaleValue(m_clientWidth, num, den), ScaleValue(m_clientHeight, num, den));
    else
        SetBounds(Left(), Top(), ScaleValue(Width(), num, den), ScaleValue(Height(), num, den));
}

void TForm::Loaded()
{
    TCustomControl::Loaded();
    const int dpi = HandleAllocated() ? WindowPixelsPerInch(Handle()) : SystemPixelsPerInch();
    // A designed place is a place on a screen of the layout's DPI: on a
    // screen of twice the DPI (and so, as a rule, twice the pixels) the
    // form stands where it would have stood there.
    if (!HandleAllocated() && m_position == poDesigned && dpi != m_pixelsPerInch)
        SetBounds(ScaleValue(Left(), dpi, m_pixelsPerInch), ScaleValue(Top(), dpi, m_pixelsPerInch),
                  Width(), Height());
    ScaleToPixelsPerInch(dpi);
}

void TForm::FollowWindowDpi()
{
    // A window made on another screen than the primary one starts at that
    // screen's DPI, without a WM_DPICHANGED.
    if (!Loading())
        ScaleToPixelsPerInch(WindowPixelsPerInch(Handle()));
}

// The system sends WM_DPICHANGED from this thread when the window moves to a
// screen of another DPI (or the user changes the scale), with the rectangle
// it suggests in lParam. A post or a send from elsewhere carries a pointer
// nobody can vouch for, and a DPI nobody measured: both are left alone.
void TForm::HandleDpiChanged(TMessage& message)
{
    message.Result = 0;
    const int dpi = LOWORD(message.WParam);
    if (!SentFromThisThread() || !Believable(dpi) || !message.LParam || !HandleAllocated())
        return;
    const RECT suggested = *reinterpret_cast<const RECT*>(message.LParam);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ScaleToPixelsPerInch(dpi);
}

} // namespace tarnivo
