#include "framework/controls/groupbox.h"

#include "framework/gdiobjects.h"

namespace tarnivo {

const TClassInfo& TCustomGroupBox::StaticClassInfo()
{
    static const TClassInfo info{"TCustomGroupBox", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 185, 105);
    SetParentFont(true);
}

void TCustomGroupBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = "BUTTON";
    params.Style |= BS_GROUPBOX;
}

RECT TCustomGroupBox::ContentRect() const
{
    RECT r = ClientRect();
    HDC dc = GetDC(nullptr);
    int textHeight;
    {
        SelectedObject font(dc, Font().Handle());
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        textHeight = tm.tmHeight;
    }
    ReleaseDC(nullptr, dc);
    InflateRect(&r, -4, -4);
    r.top += textHeight - 2;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

void TCustomGroupBox::Dispatch(TMessage& message)
{
    // The system group box paints its frame and caption only and answers
    // WM_ERASEBKGND without erasing: inside a parent that clips its
    // children nothing else would paint the area within the frame.
    if (message.Msg == WM_ERASEBKGND) {
        EraseBackground(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
    }
    TWinControl::Dispatch(message);
}

const TClassInfo& TGroupBox::StaticClassInfo()
{
    static const TClassInfo info{"TGroupBox", &TCustomGroupBox::StaticClassInfo(), {}};
    return info;
}

} // namespace tarnivo
