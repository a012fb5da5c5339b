#include "skinmediaplayer.h"

#include "skin/controls/skinproperties.h"
#include "skin/paint/skinmap.h"
#include "skin/resources/skindata.h"

#include "framework/control.h"
#include "framework/gdiobjects.h"
#include "framework/keyedblit.h"

#include <windowsx.h>

namespace tarnivo {

namespace {

constexpr const char* ButtonIdents[MPButtonCount] = {
    "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"};
constexpr const char* ResourceNames[MPButtonCount] = {
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};
constexpr const char* GlyphPrefixes[3] = {"EN", "DI", "CL"};

constexpr int GlyphSize = 16;

// Shapes of the drawn glyphs, on a 16 x 16 cell: up to two polygons of up
// to four points (a two-point "polygon" is a bar from corner to corner).
struct TShape {
    int Points;
    POINT P[4];
};
struct TGlyphShape {
    TShape A, B;
};
constexpr TGlyphShape Shapes[MPButtonCount] = {
    {{3, {{5, 3}, {12, 8}, {5, 13}}}, {0, {}}},                       // play
    {{2, {{4, 3}, {7, 13}}}, {2, {{9, 3}, {12, 13}}}},                // pause
    {{2, {{4, 4}, {12, 12}}}, {0, {}}},                               // stop
    {{3, {{3, 3}, {10, 8}, {3, 13}}}, {2, {{10, 3}, {13, 13}}}},      // next
    {{3, {{13, 3}, {6, 8}, {13, 13}}}, {2, {{3, 3}, {6, 13}}}},       // previous
    {{3, {{2, 4}, {7, 8}, {2, 12}}}, {3, {{8, 4}, {13, 8}, {8, 12}}}}, // step
    {{3, {{14, 4}, {9, 8}, {14, 12}}}, {3, {{8, 4}, {3, 8}, {8, 12}}}}, // back
    {{4, {{4, 4}, {12, 4}, {12, 12}, {4, 12}}}, {0, {}}},             // record (round)
    {{3, {{3, 9}, {8, 3}, {13, 9}}}, {2, {{3, 11}, {13, 13}}}},       // eject
};
constexpr TColor ColoredInk[MPButtonCount] = {
    RGBColor(0, 128, 0), RGBColor(0, 0, 160), RGBColor(0, 0, 0),
    RGBColor(0, 0, 160), RGBColor(0, 0, 160), RGBColor(0, 96, 96),
    RGBColor(0, 96, 96), RGBColor(200, 0, 0), RGBColor(96, 0, 96)};

void DrawShape(HDC dc, const TShape& shape, bool round)
{
    if (shape.Points == 2) {
        Rectangle(dc, shape.P[0].x, shape.P[0].y, shape.P[1].x, shape.P[1].y);
    } else if (shape.Points == 4 && round) {
        Ellipse(dc, shape.P[0].x, shape.P[0].y, shape.P[2].x, shape.P[2].y);
    } else if (shape.Points > 2) {
        Polygon(dc, shape.P, shape.Points);
    }
}

// A glyph the program's resources do not have: the button's sign in `ink`
// on the olive key.
void DrawnGlyph(TMPBtnType button, TColor ink, TBitmap& glyph)
{
    glyph.SetSize(GlyphSize, GlyphSize);
    HDC dc = glyph.Canvas().Handle();
    GdiBrush key(CreateSolidBrush(ColorToRGB(TWMediaPlayer::GlyphKey)));
    const TRect all = Rect(0, 0, GlyphSize, GlyphSize);
    FillRect(dc, &all, key.Get());
    GdiBrush brush(CreateSolidBrush(ColorToRGB(ink)));
    GdiPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(ink)));
    SelectedObject useBrush(dc, brush.Get());
    SelectedObject usePen(dc, pen.Get());
    DrawShape(dc, Shapes[button].A, button == btRecord);
    DrawShape(dc, Shapes[button].B, false);
}

bool LoadGlyphResource(const std::string& name, TBitmap& glyph)
{
    HBITMAP handle = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!handle)
        return false;
    GdiBitmap owned(handle);
    BITMAP info{};
    if (!GetObjectW(handle, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    glyph.SetSize(info.bmWidth, info.bmHeight);
    MemoryDC source;
    SelectedObject select(source.Get(), handle);
    BitBlt(glyph.Canvas().Handle(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
    return true;
}

// A set property's text ("[btPlay,btStop]"); its identifiers are ASCII.
std::string GetEnumOrText(const TObject* obj, std::string_view name)
{
    const std::wstring wide = GetStringProp(obj, name);
    std::string text;
    for (wchar_t c : wide)
        text += c < 128 ? static_cast<char>(c) : '?';
    return text;
}

} // namespace

const char* MPButtonIdent(TMPBtnType button)
{
    return ButtonIdents[button];
}

TButtonSet ParseButtonSet(const std::string& text)
{
    TButtonSet set;
    for (int i = 0; i < MPButtonCount; ++i)
        if (text.find(ButtonIdents[i]) != std::string::npos)
            set.Include(static_cast<TMPBtnType>(i));
    return set;
}

// TWMediaPlayer -----------------------------------------------------------------------

TWMediaPlayer::TWMediaPlayer(TComponent* owner) : TCustomControl(owner) {}

void TWMediaPlayer::Attach(TSkinData* skinData, TWinControl* player)
{
    m_skinData = skinData;
    m_player = player;
    if (skinData)
        SetTag(skinData->DisableTag());
    LoadBitmaps();
    SetVisible(player->Visible());
    SetParent(player->Parent());
    if (!player->Parent() && player->HandleAllocated())
        SetParentWindow(GetParent(player->Handle()));
    SetPosition();
    // Over the player, which was there first.
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWMediaPlayer::SetPosition()
{
    if (m_player)
        SetBounds(m_player->Left(), m_player->Top(), m_player->Width(), m_player->Height());
}

void TWMediaPlayer::LoadBitmaps()
{
    static constexpr TColor Ink[3] = {RGBColor(0, 0, 0), RGBColor(128, 128, 128), RGBColor(0, 0, 0)};
    for (int b = 0; b < MPButtonCount; ++b)
        for (int g = 0; g < 3; ++g) {
            const std::string name = std::string(GlyphPrefixes[g]) + "_" + ResourceNames[b];
            TBitmap& glyph = m_glyphs[b][g];
            if (!LoadGlyphResource(name, glyph))
                DrawnGlyph(static_cast<TMPBtnType>(b), g == mgColored ? ColoredInk[b] : Ink[g], glyph);
        }
}

void TWMediaPlayer::CheckButtons()
{
    m_visible = ParseButtonSet(GetEnumOrText(m_player, "VisibleButtons"));
    m_visibleCount = 0;
    for (int b = 0; b < MPButtonCount; ++b)
        m_visibleCount += m_visible.Contains(static_cast<TMPBtnType>(b));
}

int TWMediaPlayer::ButtonWidth() const
{
    return m_visibleCount > 0 ? Width() / m_visibleCount : 0;
}

int TWMediaPlayer::FindButton(int x) const
{
    const int width = ButtonWidth();
    int left = 0;
    for (int b = 0; b < MPButtonCount; ++b) {
        if (!m_visible.Contains(static_cast<TMPBtnType>(b)))
            continue;
        if (x >= left && x <= left + width)
            return b;
        left += width;
    }
    return MPNoButton;
}

void TWMediaPlayer::Paint(TCanvas& canvas)
{
    CheckButtons();
    HDC dc = canvas.Handle();
    const TRect all = Rect(0, 0, Width(), Height());
    GdiBrush face(CreateSolidBrush(
        ColorToRGB(m_skinData ? m_skinData->Colors(csButtonFace) : clBtnFace)));
    FillRect(dc, &all, face.Get());
    const TButtonSet enabled = ParseButtonSet(GetEnumOrText(m_player, "EnabledButtons"));
    const TButtonSet colored = ParseButtonSet(GetEnumOrText(m_player, "ColoredButtons"));
    const int width = ButtonWidth();
    int left = 0;
    for (int b = 0; b < MPButtonCount; ++b) {
        const auto button = static_cast<TMPBtnType>(b);
        if (!m_visible.Contains(button))
            continue;
        DrawButton(dc, button, Rect(left, 0, left + width, Height()), enabled.Contains(button),
                   colored.Contains(button));
        left += width;
    }
}

void TWMediaPlayer::DrawButton(HDC dc, TMPBtnType button, const TRect& rect, bool enabled,
                               bool colored)
{
    const bool pressed = m_down && m_pressed == button;
    const int frame = !enabled ? 3 : pressed ? 2 : 1;
    const TDataSkinButton* face = m_skinData ? m_skinData->Elements().Buttons.get() : nullptr;
    if (!face || !DrawSkinMap(dc, rect, face->FrameCount, frame, face) || !face->HasImage()) {
        TRect r = rect;
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u));
    }
    const TMPGlyph look = !enabled ? mgDisabled : colored ? mgColored : mgEnabled;
    const TBitmap& glyph = m_glyphs[button][look];
    const int shift = pressed ? 1 : 0;
    const int x = rect.left + (RectWidth(rect) - glyph.Width()) / 2 + shift;
    const int y = rect.top + (RectHeight(rect) - glyph.Height()) / 2 + shift;
    DrawKeyed(dc, Bounds(x, y, glyph.Width(), glyph.Height()), glyph,
              Rect(0, 0, glyph.Width(), glyph.Height()), GlyphKey);
}

void TWMediaPlayer::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:  WMLButtonDown(message); return;
    case WM_LBUTTONUP:    WMLButtonUp(message); return;
    default:              TCustomControl::WndProc(message); return;
    }
}

void TWMediaPlayer::WMLButtonDown(TMessage& message)
{
    m_down = true;
    if (m_player)
        SendMessageW(m_player->Handle(), WM_LBUTTONDOWN, message.WParam, message.LParam);
    // The player took the capture for its own press; the release comes here.
    ReleaseCapture();
    CheckButtons();
    m_pressed = FindButton(GET_X_LPARAM(message.LParam));
    Invalidate();
    message.Result = 0;
}

void TWMediaPlayer::WMLButtonUp(TMessage& message)
{
    m_down = false;
    if (m_player && FindButton(GET_X_LPARAM(message.LParam)) == m_pressed)
        SendMessageW(m_player->Handle(), WM_LBUTTONUP, message.WParam, message.LParam);
    m_pressed = MPNoButton;
    Invalidate();
    message.Result = 0;
}

// TSkinMP -----------------------------------------------------------------------------

void TSkinMP::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                   bool updateColor)
{
    TSkinControl::Init(host, skinData, canvas, updateColor);
    auto* player = dynamic_cast<TWinControl*>(FControl);
    if (!Inited() || !player || FPlayer)
        return;
    FPlayer = new TWMediaPlayer(this);
    FPlayer->Attach(FSkinData, player);
}

void TSkinMP::Unsubclass()
{
    TSkinControl::Unsubclass();
    if (FStatus != skinstatus::Deleted) {
        delete FPlayer;
        FPlayer = nullptr;
    }
}

void TSkinMP::SkinChange()
{
    TSkinControl::SkinChange();
    if (FPlayer)
        FPlayer->Invalidate();
}

void TSkinMP::AfterProc(TMessage& message)
{
    TSkinControl::AfterProc(message);
    if (!FPlayer || !FControl)
        return;
    switch (message.Msg) {
    case CM_VISIBLECHANGED:    FPlayer->SetVisible(FControl->Visible()); break;
    case WM_WINDOWPOSCHANGED:  FPlayer->SetPosition(); break;
    default:                   break;
    }
}

} // namespace tarnivo
