#include "skintext.h"

#include "skin/resources/textutil.h"

#include <algorithm>

namespace tarnivo {

namespace {

// The canvas's text state made plain and transparent for one caption, and
// put back afterwards.
class CaptionStyle {
public:
    CaptionStyle(TCanvas& canvas, bool enabled)
        : m_canvas(canvas),
          m_style(canvas.Font().Style()),
          m_color(canvas.Font().Color()),
          m_mode(canvas.BackgroundMode())
    {
        canvas.Font().SetStyle({});
        if (!enabled)
            canvas.Font().SetColor(clBtnShadow);
        canvas.SetBackgroundMode(TBackgroundMode::Transparent);
    }
    CaptionStyle(const CaptionStyle&) = delete;
    CaptionStyle& operator=(const CaptionStyle&) = delete;
    ~CaptionStyle()
    {
        m_canvas.SetBackgroundMode(m_mode);
        m_canvas.Font().SetColor(m_color);
        m_canvas.Font().SetStyle(m_style);
    }

private:
    TCanvas& m_canvas;
    TFontStyles m_style;
    TColor m_color;
    TBackgroundMode m_mode;
};

// The canvas draws wide text by the wide calls; its narrow overloads take
// UTF-8, so an ANSI form of the text would be misread there.
TRect Measure(TCanvas& canvas, const TRect& bounds, std::wstring_view text, UINT format)
{
    return canvas.MeasureText(bounds, text, format);
}

void Draw(TCanvas& canvas, const TRect& rect, std::wstring_view text, UINT format)
{
    canvas.DrawText(rect, text, format);
}

} // namespace

bool WideTextPlatform()
{
    // The top bit of the platform word marks the Windows 95 family.
    static const bool wide = (GetVersion() & 0x80000000u) == 0;
    return wide;
}

std::wstring StringReplaceW(std::wstring_view text, std::wstring_view old,
                            std::wstring_view replacement)
{
    std::wstring result(text);
    if (old.empty())
        return result;
    const std::size_t at = result.find(old);
    if (at != std::wstring::npos)
        result.replace(at, old.size(), replacement);
    return result;
}

std::wstring ButtonCaption(std::wstring_view caption)
{
    return StringReplaceW(caption, L"||", L"\r\n");
}

int DrawSkinText(HDC dc, std::wstring_view text, RECT& rect, UINT format)
{
    if (!WideTextPlatform())
        return Tnt_DrawTextW(dc, text, rect, format);
    return DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

int TextHeight(HDC dc, std::wstring_view text)
{
    SIZE size{};
    const std::wstring_view measured = text.empty() ? std::wstring_view(L"W") : text;
    if (WideTextPlatform()) {
        GetTextExtentPoint32W(dc, measured.data(), static_cast<int>(measured.size()), &size);
    } else {
        const std::string ansi = WideStringToStringEx(measured);
        GetTextExtentPoint32A(dc, ansi.data(), static_cast<int>(ansi.size()), &size);
    }
    return size.cy;
}

void CopyBMP(const TBitmap& source, TBitmap& target)
{
    target.SetPixelFormat(source.PixelFormat());
    target.SetSize(source.Width(), source.Height());
    if (!source.Empty())
        target.Canvas().Draw(0, 0, source);
}

void DrawCaption(TCanvas& canvas, const TRect& rect, std::wstring_view text, bool enabled,
                 UINT format)
{
    if (text.empty() || rect.right < rect.left || rect.bottom < rect.top)
        return;
    const bool centred = (format & DT_CENTER) != 0;
    format |= DT_EXPANDTABS;
    CaptionStyle style(canvas, enabled);
    const TRect measured = Measure(canvas, rect, text, format | DT_NOCLIP);
    TRect place = measured;
    OffsetRect(&place, 0, (RectHeight(rect) - RectHeight(measured)) / 2 - 1);
    if (centred) {
        OffsetRect(&place, (RectWidth(rect) - RectWidth(measured)) / 2, 0);
    } else {
        place.left = rect.left;
        place.right = rect.right;
    }
    Draw(canvas, place, text, format);
}

namespace {

// The icon (drawn by `drawIcon` at its top-left corner when `iconWidth` is
// not 0) and the caption, placed as DrawImgCaption describes.
template <typename DrawIcon>
void PlaceIconAndCaption(TCanvas& canvas, const TRect& rect, TAlignment alignment,
                         std::wstring_view text, int iconWidth, int iconHeight,
                         DrawIcon drawIcon, bool enabled, UINT extraFormat)
{
    const UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS | extraFormat;
    CaptionStyle style(canvas, enabled);
    const int textWidth = text.empty() ? 0 : RectWidth(Measure(canvas, rect, text, format));
    const int room = RectWidth(rect) - iconWidth - textWidth;
    int x = 3;
    if (alignment == taCenter)
        x = room / 2;
    else if (alignment == taRightJustify)
        x = room - 2;
    x = std::max(x, 1);
    if (iconWidth > 0)
        drawIcon(rect.left + x, rect.top + (RectHeight(rect) - iconHeight) / 2);
    if (text.empty())
        return;
    const TRect place = Rect(rect.left + x + iconWidth, rect.top, rect.right, rect.bottom);
    Draw(canvas, place, text, format | DT_VCENTER);
}

} // namespace

void DrawImgCaption(TCanvas& canvas, const TRect& rect, TAlignment alignment,
                    std::wstring_view text, int imageIndex, TImageList* images, bool enabled,
                    UINT extraFormat)
{
    if (rect.right < rect.left || rect.bottom < rect.top)
        return;
    const bool icon = imageIndex != -1 && images && images->Width() < RectWidth(rect);
    PlaceIconAndCaption(
        canvas, rect, alignment, text, icon ? images->Width() : 0, icon ? images->Height() : 0,
        [&](int x, int y) {
            images->Draw(canvas, x, y, imageIndex,
                         enabled ? ImageState::Enabled : ImageState::Disabled);
        },
        enabled, extraFormat);
}

void DrawImgCaption(TCanvas& canvas, const TRect& rect, TAlignment alignment,
                    std::wstring_view text, int imageIndex, HIMAGELIST images, bool enabled,
                    UINT extraFormat)
{
    if (rect.right < rect.left || rect.bottom < rect.top)
        return;
    int width = 0, height = 0;
    const bool icon = imageIndex >= 0 && images && ImageList_GetIconSize(images, &width, &height) &&
                      imageIndex < ImageList_GetImageCount(images) && width < RectWidth(rect);
    PlaceIconAndCaption(
        canvas, rect, alignment, text, icon ? width : 0, height,
        [&](int x, int y) {
            ImageList_Draw(images, imageIndex, canvas.Handle(), x, y,
                           enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
        },
        enabled, extraFormat);
}

void DrawFocus(HDC dc, std::wstring_view text, UINT format, const TRect& rect)
{
    if (!dc || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    RECT box = rect;
    DrawSkinText(dc, text, box, format | DT_CALCRECT | DT_NOCLIP);
    const int roomX = RectWidth(rect) - (box.right - box.left);
    const int roomY = RectHeight(rect) - (box.bottom - box.top);
    if (format & DT_CENTER)
        OffsetRect(&box, roomX / 2, roomY / 2 - 1);
    else if (format & DT_RIGHT)
        OffsetRect(&box, roomX, 0);
    InflateRect(&box, 2, 1);
    RECT clipped{};
    if (!IntersectRect(&clipped, &box, &rect))
        return;
    DrawFocusRect(dc, &clipped);
}

} // namespace tarnivo
