#include "captiontext.h"

namespace tarnivo {

namespace {

UINT AlignmentFlag(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    case taLeftJustify: break;
    }
    return DT_LEFT;
}

} // namespace

void MyDrawCaption(TCanvas& canvas, const TRect& rect, std::wstring_view text,
                   TAlignment alignment, bool enabled)
{
    if (text.empty() || rect.right < rect.left || rect.bottom < rect.top)
        return;
    const UINT format = AlignmentFlag(alignment) | DT_SINGLELINE | DT_EXPANDTABS;
    TFont& font = canvas.Font();
    const TFontStyles style = font.Style();
    const TColor color = font.Color();
    const TBackgroundMode mode = canvas.BackgroundMode();
    font.SetStyle({});
    if (!enabled)
        font.SetColor(clBtnShadow);
    canvas.SetBackgroundMode(TBackgroundMode::Transparent);

    const TRect measured = canvas.MeasureText(rect, text, format);
    const int dx = (RectWidth(rect) - RectWidth(measured)) / 2;
    const int dy = (RectHeight(rect) - RectHeight(measured)) / 2;
    canvas.DrawText(Bounds(rect.left + dx, rect.top + dy, RectWidth(measured), RectHeight(measured)),
                    text, format);

    canvas.SetBackgroundMode(mode);
    font.SetColor(color);
    font.SetStyle(style);
}

} // namespace tarnivo
