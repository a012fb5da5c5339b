#include "skingroupbox.h"

#include "skin/controls/skinbox.h"
#include "skin/controls/skinproperties.h"
#include "skin/controls/skintext.h"
#include "skin/paint/elementpaint.h"
#include "skin/resources/skindata.h"

#include "framework/control.h"
#include "framework/gdiobjects.h"

namespace tarnivo {

namespace {

std::wstring WindowTextOf(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

} // namespace

void TSkinGroupBox::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                         bool updateColor)
{
    TSkinControl::Init(host, skinData, canvas, updateColor);
    if (Inited() && FControl)
        FKind = 1;
}

bool TSkinGroupBox::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:  WMPaint(message); return false;
    default:        return TSkinControl::BeforeProc(message);
    }
}

std::wstring TSkinGroupBox::CaptionText() const
{
    std::wstring text = FHandle ? WindowTextOf(FHandle) : std::wstring();
    if (text.empty() && FControl)
        text = GetStringProp(FControl, "Caption");
    return text;
}

HFONT TSkinGroupBox::CaptionFont() const
{
    if (FKind == 1 && FControl)
        return FControl->Font().Handle();
    auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

TColor TSkinGroupBox::CaptionColor() const
{
    if (FKind == 1 && FControl)
        return FControl->Font().Color();
    return FSkinData ? FSkinData->Colors(csButtonText) : clBtnText;
}

void TSkinGroupBox::DrawControl(HDC dc, const TRect& rect)
{
    SavedDCState saved(dc);
    if (FKind == 1)
        FillBG(dc, rect);
    const std::wstring caption = CaptionText();
    SelectObject(dc, CaptionFont());
    const int top = TextHeight(dc, L"0") / 2 - 1;
    if (FKind == 0)
        EraseSystemFrame(dc, rect, top);
    if (!DrawEdgeImage(dc, rect, top))
        DrawFrame(dc, rect, top);
    if (!caption.empty())
        DrawCaptionText(dc, rect, caption);
    if (FKind == 1)
        PaintGraphicChildren(FControl, dc);
}

void TSkinGroupBox::EraseSystemFrame(HDC dc, const TRect& rect, int top) const
{
    GdiBrush face(CreateSolidBrush(
        ColorToRGB(FSkinData ? FSkinData->Colors(csButtonFace) : clBtnFace)));
    TRect r = Rect(rect.left, top, rect.right, rect.bottom);
    for (int i = 0; i < 2; ++i) {
        FrameRect(dc, &r, face.Get());
        InflateRect(&r, -1, -1);
    }
}

void TSkinGroupBox::DrawFrame(HDC dc, const TRect& rect, int top) const
{
    GdiPen pen(CreatePen(PS_SOLID, 1,
                         ColorToRGB(FSkinData ? FSkinData->Colors(csButtonShadow) : clBtnShadow)));
    SelectedObject usePen(dc, pen.Get());
    SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, top, rect.right - 1, rect.bottom - 1, 5, 5);
}

// The skin's edge picture instead of the rounded line: frame 1 for an
// enabled box, frame 2 for a disabled one, nine-grid from the caption's
// middle down. False without the picture.
bool TSkinGroupBox::DrawEdgeImage(HDC dc, const TRect& rect, int top) const
{
    const TDataSkinObject* edge = SkinElements() ? SkinElements()->GroupBoxEdge.get() : nullptr;
    const int frame = IsWindowEnabled(FHandle) ? 1 : 2;
    return DrawElementFrame(dc, Rect(rect.left, top, rect.right, rect.bottom), edge, frame);
}

const TDataSkinBoxLabel* TSkinGroupBox::LabelImage() const
{
    const TDataSkinBoxLabel* label = SkinElements() ? SkinElements()->GroupBox.get() : nullptr;
    return ElementPresent(label) ? label : nullptr;
}

void TSkinGroupBox::DrawCaptionText(HDC dc, const TRect& rect,
                                    const std::wstring& caption) const
{
    UINT format = DT_EXPANDTABS | DT_SINGLELINE | DT_TOP;
    TRect r{};
    DrawSkinText(dc, caption, r, format | DT_CALCRECT);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const TDataSkinBoxLabel* label = LabelImage();
    // The label picture's alignment places the caption: 0 left, 1 centred,
    // 2 right. A right-to-left box keeps its caption on the right.
    const int alignment = label ? label->BackgroundAlignment : 0;
    if (GetWindowLongEx(FHandle, GWL_EXSTYLE) & WS_EX_RIGHT) {
        r = Rect(rect.right - CaptionInset - width, 0, rect.right - CaptionInset, height);
        format = CheckBiDi(format | DT_RIGHT);
    } else if (alignment == 1) {
        const int left = (rect.left + rect.right - width) / 2;
        r = Rect(left, 0, left + width, height);
    } else if (alignment == 2) {
        r = Rect(rect.right - CaptionInset - width, 0, rect.right - CaptionInset, height);
    } else {
        r = Rect(CaptionInset, 0, CaptionInset + width, height);
    }
    SetTextColor(dc, ColorToRGB(CaptionColor()));
    if (label) {
        // The picture reaches past the text by the two shifts; the text
        // lies on it transparently.
        DrawElementFrame(dc,
                         Rect(r.left - label->BackgroundLeftShift, 0,
                              r.right + label->BackgroundRightShift, height),
                         label, 1);
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColorToRGB(FSkinData ? FSkinData->Colors(csButtonFace) : clBtnFace));
    }
    DrawSkinText(dc, caption, r, format);
}

} // namespace tarnivo
