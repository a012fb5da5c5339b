// Bit buttons and speed buttons: the push-button face with a glyph placed by
// the control's Layout, Margin and Spacing.

#include "skinbitbutton.h"

#include "skin/controls/skinproperties.h"
#include "skin/controls/skintext.h"
#include "skin/resources/imgutil.h"
#include "skin/resources/skindata.h"

#include "framework/canvas.h"
#include "framework/control.h"
#include "framework/gdiobjects.h"
#include "framework/imagelist.h"

#include <algorithm>

namespace tarnivo {

namespace {

// The main axis of a side: x for left and right, y for top and bottom.
bool Horizontal(TGlyphSide side)
{
    return side == TGlyphSide::Left || side == TGlyphSide::Right;
}

TRect At(int x, int y, TSize size)
{
    return Rect(x, y, x + size.cx, y + size.cy);
}

// Measures a caption for a glyph button: wrapped in the client area less 2
// on every side and less the glyph's extent (plus 2) along the main axis.
TSize MeasureCaption(HDC dc, const std::wstring& caption, TSize client, TSize glyph,
                     TGlyphSide side)
{
    if (caption.empty())
        return {0, 0};
    RECT box{0, 0, client.cx - 4, client.cy - 4};
    if (Horizontal(side))
        box.right -= glyph.cx + 2;
    else
        box.bottom -= glyph.cy + 2;
    DrawSkinText(dc, caption, box, DT_CALCRECT | DT_WORDBREAK);
    return {box.right - box.left, box.bottom - box.top};
}

// Glyph cell of a face frame: 3 pressed, 2 disabled, else 1.
int CellOfFrame(int frame)
{
    if (frame == skinframe::Pressed)
        return 3;
    if (frame == skinframe::Disabled)
        return 2;
    return 1;
}

} // namespace

TGlyphSide GlyphSideOf(const std::string& layout)
{
    std::string lower = layout;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "blglyphright")
        return TGlyphSide::Right;
    if (lower == "blglyphtop")
        return TGlyphSide::Top;
    if (lower == "blglyphbottom")
        return TGlyphSide::Bottom;
    return TGlyphSide::Left;
}

TGlyphPlacement PlaceGlyph(TSize client, TSize glyph, TSize text, TGlyphSide side, int margin,
                           int spacing, bool centred, TGlyphRule rule)
{
    const bool horizontal = Horizontal(side);
    const int extent = horizontal ? client.cx : client.cy;
    const int g = horizontal ? glyph.cx : glyph.cy;
    const int t = horizontal ? text.cx : text.cy;
    if (text.cx == 0 || glyph.cx == 0)
        spacing = 0;
    if (margin == -1 || centred) {
        if (spacing == -1) {
            margin = (extent - g - t) / 3;
            spacing = margin;
        } else {
            margin = (extent - g - spacing - t) / 2 + (rule == TGlyphRule::SpeedButton ? 1 : 0);
        }
    } else if (spacing == -1) {
        spacing = (extent - margin - g - t) / 2;
    }

    // Across the axis each is centred on its own.
    const int glyphAcross = horizontal ? (client.cy - glyph.cy + 1) / 2 : (client.cx - glyph.cx + 1) / 2;
    const int textAcross = horizontal ? (client.cy - text.cy + 1) / 2 : (client.cx - text.cx + 1) / 2;
    TGlyphPlacement p;
    switch (side) {
    case TGlyphSide::Left:
        p.Glyph = At(margin, glyphAcross, glyph);
        p.Text = At(margin + glyph.cx + spacing, textAcross, text);
        break;
    case TGlyphSide::Right: {
        const int x = client.cx - margin - glyph.cx;
        p.Glyph = At(x, glyphAcross, glyph);
        p.Text = At(x - spacing - text.cx, textAcross, text);
        p.Format |= DT_RIGHT;
        break;
    }
    case TGlyphSide::Top:
        p.Glyph = At(glyphAcross, margin, glyph);
        p.Text = At(textAcross, margin + glyph.cy + spacing, text);
        p.Format |= DT_CENTER;
        break;
    case TGlyphSide::Bottom: {
        const int y = client.cy - margin - glyph.cy;
        p.Glyph = At(glyphAcross, y, glyph);
        p.Text = At(textAcross, y - spacing - text.cy, text);
        p.Format |= DT_CENTER;
        break;
    }
    }
    return p;
}

void DrawGlyph(HDC dc, POINT at, int numGlyphs, int cell, const TBitmap& glyph)
{
    if (glyph.Empty())
        return;
    numGlyphs = std::max(numGlyphs, 1);
    const int index = cell > numGlyphs || cell < 1 ? 1 : cell;
    const int width = glyph.Width() / numGlyphs;
    if (width <= 0 || glyph.Height() <= 0)
        return;
    TBitmap piece;
    piece.SetPixelFormat(pf24bit);
    piece.SetSize(width, glyph.Height());
    BitBlt(piece.Canvas().Handle(), 0, 0, width, glyph.Height(), glyph.Canvas().Handle(),
           (index - 1) * width, 0, SRCCOPY);
    if (cell == 2)
        ConvertBitmapToGrayscale(piece);
    piece.SetTransparent(true);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Draw(at.x, at.y, piece);
    canvas.SetHandle(nullptr);
}

// Bit buttons ----------------------------------------------------------------------------

void TSkinBitButton::DrawControl(HDC dc, const TRect& rect)
{
    if (!FPictureProp.empty()) {
        DrawPicControl(dc, rect);
        return;
    }
    DrawGlyphFace(dc, rect, GetObjProp<TBitmap>(FControl, "Glyph"),
                  GetIntProperty(FControl, "NumGlyphs"));
}

void TSkinBitButton::DrawPicControl(HDC dc, const TRect& rect)
{
    DrawGlyphFace(dc, rect, GetObjProp<TBitmap>(FControl, FPictureProp), 1);
}

void TSkinBitButton::DrawGlyphFace(HDC dc, const TRect& rect, const TBitmap* glyph,
                                   int numGlyphs)
{
    if (!ButtonElement())
        return;
    const std::wstring caption = ButtonCaption(ReadCaption());
    const int frame = SkinFrameNumber(FState, FFocused, FEnabled);
    const int cell = CellOfFrame(frame);
    HDC buffer = PrepareFace(rect, frame);
    const TSize client{RectWidth(rect), RectHeight(rect)};

    numGlyphs = numGlyphs < 1 ? 1 : numGlyphs;
    auto* images = GetObjProp<TImageList>(FControl, "Images");
    const int imageIndex = GetIntProperty(FControl, "ImageIndex");
    const int disabledIndex = GetIntProperty(FControl, "DisabledIndex");
    const bool hasGlyph = glyph && !glyph->Empty();
    TSize glyphSize{0, 0};
    if (hasGlyph)
        glyphSize = {glyph->Width() / numGlyphs, glyph->Height()};
    else if (images && imageIndex != -1)
        glyphSize = {images->Width(), images->Height()};
    const TGlyphSide side = GlyphSideOf(GetEnumProperty(FControl, "Layout"));

    {
        SavedDCState saved(buffer);
        SelectCaptionStyle(buffer, frame);
        const TSize textSize = MeasureCaption(buffer, caption, client, glyphSize, side);
        const TGlyphPlacement place =
            PlaceGlyph(client, glyphSize, textSize, side, GetIntProperty(FControl, "Margin"),
                       GetIntProperty(FControl, "Spacing"),
                       EnumPropertyIs(FControl, "Alignment", "taCenter"));
        const POINT at{place.Glyph.left, place.Glyph.top};
        if (hasGlyph) {
            DrawGlyph(buffer, at, numGlyphs, cell, *glyph);
        } else if (images) {
            const int index = FEnabled || disabledIndex == -1 ? imageIndex : disabledIndex;
            if (index != -1)
                images->Draw(FBuffer.Canvas(), at.x, at.y, index,
                             FEnabled ? ImageState::Enabled : ImageState::Disabled);
        }
        RECT textRect = place.Text;
        DrawSkinText(buffer, caption, textRect, CheckBiDi(place.Format));
        if (ShowsFocusRect() && !caption.empty()) {
            InflateRect(&textRect, 2, 2);
            DrawFocusRect(buffer, &textRect);
        }
    }
    BitBlt(dc, rect.left, rect.top, client.cx, client.cy, buffer, 0, 0, SRCCOPY);
}

// Speed buttons ----------------------------------------------------------------------------

void TSkinSpeedButton::InitGraphicControl(ISkinControlHost* host, TSkinData* skinData,
                                          TCanvas* canvas)
{
    if (FInited)
        return;
    auto* control = dynamic_cast<TGraphicControl*>(Owner());
    if (!control || !HookWindowProc(*control))
        return;
    FSkinData = skinData;
    FCanvas = canvas;
    FSkinForm = host;
    FGraphicControl = control;
    if (host)
        host->AddControlList(this);
    FTransparent = WantsParentImage(control, skinData);
    FInited = true;
    FStatus = skinstatus::Attached;
    control->Invalidate();
}

bool TSkinSpeedButton::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:         WMPaintSpeed(message); return false;
    case WM_ERASEBKGND:    message.Result = 1; return false;
    case WM_TIMER:         return true;
    case WM_LBUTTONUP:     return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The control keeps its own press: it clicks and goes down by itself.
        Default(message);
        FState.Include(scDown);
        PaintControl(nullptr);
        return false;
    default:               return TSkinButton::BeforeProc(message);
    }
}

void TSkinSpeedButton::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
    case WM_MOUSEMOVE:
        break;
    case CM_RELEASE:
        UnhookWindowProc();
        break;
    case WM_KEYDOWN:
        if (message.WParam == VK_SPACE) {
            FState.Include(scDown);
            Repaint();
        }
        break;
    case WM_KEYUP:
        if (message.WParam == VK_SPACE) {
            FState.Exclude(scDown);
            Repaint();
        }
        break;
    case WM_LBUTTONUP:
        FState.Exclude(scDown);
        Repaint();
        break;
    case CM_MOUSEENTER:
        FState.Include(scMouseIn);
        Repaint();
        break;
    case CM_MOUSELEAVE:
        FState.Exclude(scMouseIn);
        FState.Exclude(scDown);
        if (FGraphicControl && FGraphicControl->Visible())
            Repaint();
        break;
    default:
        TSkinButton::AfterProc(message);
        break;
    }
}

void TSkinSpeedButton::Repaint()
{
    PaintControl(nullptr);
}

void TSkinSpeedButton::PaintControl(HDC dc)
{
    if (!FGraphicControl || !FGraphicControl->Visible())
        return;
    ReadPaintState();
    const TRect rect = Rect(0, 0, FGraphicControl->Width(), FGraphicControl->Height());
    if (dc) {
        DrawSpeedbtn(dc, rect);
        return;
    }
    TWinControl* parent = FGraphicControl->Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    WindowDC parentDC(parent->Handle());
    if (!parentDC)
        return;
    SetViewportOrgEx(parentDC.Get(), FGraphicControl->Left(), FGraphicControl->Top(), nullptr);
    IntersectClipRect(parentDC.Get(), 0, 0, rect.right, rect.bottom);
    DrawSpeedbtn(parentDC.Get(), rect);
}

void TSkinSpeedButton::WMPaintSpeed(TMessage& message)
{
    auto* dc = reinterpret_cast<HDC>(message.WParam);
    if (dc && FGraphicControl) {
        ReadPaintState();
        DrawSpeedbtn(dc, Rect(0, 0, FGraphicControl->Width(), FGraphicControl->Height()));
    }
    message.Result = 1;
}

void TSkinSpeedButton::DrawSpeedbtn(HDC dc, const TRect& rect)
{
    if (FPainting || RectWidth(rect) <= 0 || RectHeight(rect) <= 0 || !ButtonElement())
        return;
    FPainting = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{FPainting};

    const TControl* control = FGraphicControl;
    const bool down = EnumPropertyIs(control, "Down", "true");
    int frame = skinframe::Normal;
    if (FState.Contains(scDown))
        frame = skinframe::Pressed;
    else if (FState.Contains(scMouseIn))
        frame = skinframe::Hot;
    if (!EnumPropertyIs(control, "Enabled", "true"))
        frame = skinframe::Disabled;
    if (down)
        frame = skinframe::Pressed;
    const int cell = down ? 4 : CellOfFrame(frame);

    const bool face = frame == skinframe::Pressed || frame == skinframe::Hot ||
                      !EnumPropertyIs(control, "Flat", "true");
    HDC buffer = PrepareFace(rect, frame, face);
    const TSize client{RectWidth(rect), RectHeight(rect)};
    const std::wstring caption = ButtonCaption(ReadCaption());
    const auto* glyph = GetObjProp<TBitmap>(control, "Glyph");
    {
        SavedDCState saved(buffer);
        SelectCaptionStyle(buffer, frame);
        if (glyph && !glyph->Empty()) {
            const int numGlyphs = std::max(GetIntProperty(control, "NumGlyphs"), 1);
            const TSize glyphSize{glyph->Width() / numGlyphs, glyph->Height()};
            const TGlyphSide side = GlyphSideOf(GetEnumProperty(control, "Layout"));
            const TSize textSize = MeasureCaption(buffer, caption, client, glyphSize, side);
            const TGlyphPlacement place =
                PlaceGlyph(client, glyphSize, textSize, side, GetIntProperty(control, "Margin"),
                           GetIntProperty(control, "Spacing"), false, TGlyphRule::SpeedButton);
            DrawGlyph(buffer, {place.Glyph.left, place.Glyph.top}, numGlyphs, cell, *glyph);
            RECT textRect = place.Text;
            DrawSkinText(buffer, caption, textRect, CheckBiDi(place.Format));
        } else {
            DrawBtnText(buffer, Rect(0, 0, client.cx, client.cy), DT_CENTER, caption);
        }
    }
    BitBlt(dc, rect.left, rect.top, client.cx, client.cy, buffer, 0, 0, SRCCOPY);
}

} // namespace tarnivo
