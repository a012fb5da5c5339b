// Check boxes and radio buttons: the box from the skin's strip, the caption
// beside it for framework controls, the control's own behaviour untouched.

#include "skincheckbox.h"

#include "skin/controls/skinbutton.h"
#include "skin/controls/skinproperties.h"
#include "skin/controls/skintext.h"
#include "skin/resources/skindata.h"

#include "framework/control.h"
#include "framework/gdiobjects.h"
#include "framework/typinfo.h"
#include "framework/windowdpi.h"

#include <algorithm>
#include <cctype>

namespace tarnivo {

namespace {

// CM_BASE + 0xD0: a data-aware check box's field changed.
constexpr UINT CM_DATACHANGED = 0xB0D0;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool HasProperty(const TControl* control, const char* name)
{
    return control && GetPropInfo(*control, name) != nullptr;
}

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

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

// The box image of the skin's button element (check or radio) and its frame
// count; none when the skin has no such image.
const TBitmap* ButtonBoxImage(const TSkinElements* elements, TBitmap TDataSkinButton::*image,
                              std::int32_t TDataSkinButton::*frames, int& frameCount)
{
    const TDataSkinButton* element = elements ? elements->Buttons.get() : nullptr;
    if (!element || (element->*image).Empty())
        return nullptr;
    frameCount = element->*frames;
    return &(element->*image);
}

} // namespace

int CheckBoxFrame(int state, bool indeterminate, bool disabled, int frameCount)
{
    if (indeterminate)
        state = 4;
    if (frameCount == 12) {
        // Off, on and indeterminate looks, four frames each (normal first,
        // disabled last).
        if (indeterminate)
            return disabled ? 12 : 9;
        switch (state) {
        case 2: return 5;
        case 3: return 4;
        case 4: return 8;
        default: break;
        }
    }
    return std::clamp(state, 1, std::max(frameCount, 1));
}

int RadioButtonFrame(int state, int frameCount)
{
    if (frameCount == 8) {
        switch (state) {
        case 2: return 5;
        case 3: return 4;
        case 4: return 8;
        default: break;
        }
    }
    return std::clamp(state, 1, std::max(frameCount, 1));
}

// The shared painter ----------------------------------------------------------------------

void TSkinCheckControl::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                             bool updateColor)
{
    TSkinControl::Init(host, skinData, canvas, updateColor);
    if (!FInited || !FControl)
        return;
    // The skin draws box and caption itself when it has a strip to draw
    // from; raw windows paint their own caption (FKind stays 0).
    int frames = 0;
    FKind = BoxImage(frames) ? 1 : 0;
    FTransparent = WantsParentImage(FControl, FSkinData);
}

void TSkinCheckControl::SkinChange()
{
    // Not at once: the form walks all its control skins (TSkinButton).
    if (FHandle && IsWindow(FHandle))
        InvalidateRect(FHandle, nullptr, TRUE);
}

bool TSkinCheckControl::BeforeProc(TMessage& message)
{
    if (!TSkinControl::BeforeProc(message))
        return false;
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (FKind != 1)
            return true;
        WMPaint(message);
        return false;
    case WM_ERASEBKGND:
        if (!FTransparent)
            return true;
        WMERASEBKGND(message);
        return false;
    default:
        return true;
    }
}

void TSkinCheckControl::DrawControl(HDC dc, const TRect& rect)
{
    int frameCount = 0;
    const TBitmap* image = BoxImage(frameCount);
    if (!image) {
        FKind = 0;
        return;
    }
    frameCount = std::max(frameCount, 1);
    const int frame = BoxFrame(frameCount);
    const int h = RectHeight(rect);
    const int boxWidth = image->Width() / frameCount;
    const int boxHeight = image->Height();
    const LONG_PTR style = GetWindowLongEx(FHandle, GWL_STYLE);

    // The gap between box and caption grows with the box.
    const int gap = DpiLength(2, Dpi());
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    TRect box{};
    TRect area{};
    box.top = rect.top + (h - boxHeight) / 2;
    box.bottom = box.top + boxHeight;
    if (style & BS_LEFTTEXT) {
        box.right = rect.right - DpiLength(RightGap(), Dpi());
        box.left = box.right - boxWidth;
        area = Rect(rect.left, rect.top, box.left - gap, rect.bottom);
        format |= DT_RIGHT;
        format = CheckBiDi(format);
    } else {
        box.left = rect.left;
        box.right = box.left + boxWidth;
        area = Rect(box.right + gap, rect.top, rect.right, rect.bottom);
    }

    if (FKind == 1 && !FTransparent)
        FillBG(dc, rect);
    DrawSkinMap2(dc, box, frameCount, frame, *image);
    if (FKind == 1)
        DrawCaptionBeside(dc, area, format);
}

void TSkinCheckControl::DrawCaptionBeside(HDC dc, const TRect& area, UINT format)
{
    SavedDCState saved(dc);
    const std::wstring caption = FControl ? GetStringProp(FControl, "Caption") : WindowTextOf(FHandle);
    if (FControl) {
        SelectObject(dc, FControl->Font().Handle());
        SetTextColor(dc, ColorToRGB(FEnabled ? CaptionColor(FControl->Font().Color(), FSkinData)
                                             : clBtnShadow));
    } else if (auto* font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0))) {
        SelectObject(dc, font);
    }
    SetBkMode(dc, TRANSPARENT);
    RECT measured = area;
    DrawSkinText(dc, caption, measured, format | DT_CALCRECT);
    const int th = measured.bottom - measured.top;
    RECT place = area;
    place.top = area.top + (RectHeight(area) - th) / 2;
    place.bottom = place.top + th;
    if (FFocused && !caption.empty()) {
        FCaption = caption;
        DrawFocus(dc, caption, format, place);
    }
    DrawSkinText(dc, caption, place, format);
}

// Check boxes ---------------------------------------------------------------------------

void TSkinCheckBox::AfterProc(TMessage& message)
{
    if (message.Msg == BM_SETCHECK)
        FLastCheck = static_cast<int>(message.WParam) + 1;
    TSkinCheckControl::AfterProc(message);
}

const TBitmap* TSkinCheckBox::BoxImage(int& frameCount) const
{
    return ButtonBoxImage(SkinElements(), &TDataSkinButton::CheckImage,
                          &TDataSkinButton::CheckFrameCount, frameCount);
}

int TSkinCheckBox::BoxFrame(int frameCount)
{
    const LRESULT bm = FHandle ? SendMessageW(FHandle, BM_GETSTATE, 0, 0) : 0;
    int state = (bm & BST_CHECKED) ? 2 : 1;
    if (FControl) {
        const std::string id = Lower(GetEnumProperty(FControl, "State"));
        if (HasProperty(FControl, "State")) {
            if (Contains(id, "uncheck"))
                state = 1;
            else if (Contains(id, "check"))
                state = 2;
            else if (Contains(id, "gray"))
                state = 4;
        } else if (HasProperty(FControl, "Checked")) {
            state = EnumPropertyIs(FControl, "Checked", "true") ? 2 : 1;
        }
        // A data-aware box shows the last state the program set.
        if (HasProperty(FControl, "DataField") && FLastCheck != 0)
            state = FLastCheck == 3 ? 4 : FLastCheck;
        if (HasProperty(FControl, "DataBinding"))
            state = 1;
    }
    const bool disabled = (GetWindowLongEx(FHandle, GWL_STYLE) & WS_DISABLED) != 0;
    if (disabled)
        state += 2;
    return CheckBoxFrame(state, (bm & BST_INDETERMINATE) != 0, disabled, frameCount);
}

void TSkinCheckControl::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case CM_DATACHANGED:
        Invalidate();
        break;
    default:
        TSkinControl::AfterProc(message);
        break;
    }
}

// Radio buttons ------------------------------------------------------------------------

const TBitmap* TSkinRadioButton::BoxImage(int& frameCount) const
{
    return ButtonBoxImage(SkinElements(), &TDataSkinButton::RadioImage,
                          &TDataSkinButton::RadioFrameCount, frameCount);
}

int TSkinRadioButton::BoxFrame(int frameCount)
{
    int state = SendMessageW(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED ? 2 : 1;
    if (HasProperty(FControl, "Checked"))
        state = EnumPropertyIs(FControl, "Checked", "true") ? 2 : 1;
    if (GetWindowLongEx(FHandle, GWL_STYLE) & WS_DISABLED)
        state += 2;
    return RadioButtonFrame(state, frameCount);
}

} // namespace tarnivo
