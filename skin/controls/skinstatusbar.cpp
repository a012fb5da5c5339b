#include "skinstatusbar.h"

#include "skin/controls/skinbox.h"
#include "skin/controls/skinproperties.h"
#include "skin/controls/skintext.h"
#include "skin/paint/skinmap.h"
#include "skin/resources/skindata.h"

#include "framework/controls/statusbar.h"

#include <commctrl.h>

namespace tarnivo {

namespace {

TRect Shrunk(TRect r, int dx, int dy)
{
    InflateRect(&r, -dx, -dy);
    return r;
}

UINT AlignFormat(TAlignment alignment, bool rightToLeft)
{
    switch (alignment) {
    case taCenter:       return DT_CENTER;
    case taRightJustify: return rightToLeft ? DT_LEFT : DT_RIGHT;
    case taLeftJustify:  return rightToLeft ? DT_RIGHT : DT_LEFT;
    }
    return DT_LEFT;
}

// The plain bevel of a panel when the skin has no edge image: highlight at
// the top left and shadow at the bottom right, the other way round when
// lowered.
void DrawBevel(HDC dc, const TRect& r, bool lowered)
{
    TColor topLeft = clBtnHighlight;
    TColor bottomRight = clBtnShadow;
    if (lowered)
        std::swap(topLeft, bottomRight);
    GdiBrush light(CreateSolidBrush(ColorToRGB(topLeft)));
    GdiBrush dark(CreateSolidBrush(ColorToRGB(bottomRight)));
    const TRect top = Rect(r.left, r.top, r.right - 1, r.top + 1);
    const TRect left = Rect(r.left, r.top, r.left + 1, r.bottom - 1);
    const TRect bottom = Rect(r.left, r.bottom - 1, r.right, r.bottom);
    const TRect right = Rect(r.right - 1, r.top, r.right, r.bottom);
    FillRect(dc, &top, light.Get());
    FillRect(dc, &left, light.Get());
    FillRect(dc, &bottom, dark.Get());
    FillRect(dc, &right, dark.Get());
}

} // namespace

bool TSkinStatusBar::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:  WMPaint(message); return false;
    default:        return TSkinControl::BeforeProc(message);
    }
}

bool TSkinStatusBar::Simple() const
{
    return SendMessageW(FHandle, SB_ISSIMPLE, 0, 0) != 0;
}

std::wstring TSkinStatusBar::SimpleText() const
{
    if (FControl)
        return GetStringProp(FControl, "simpletext");
    // A raw bar keeps its simple text in the part SB_SIMPLEID.
    const auto length = LOWORD(SendMessageW(FHandle, SB_GETTEXTLENGTHW, SB_SIMPLEID, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(FHandle, SB_GETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

std::vector<TSkinStatusBar::TPanelLook> TSkinStatusBar::Panels(const TRect& rect) const
{
    auto* bar = dynamic_cast<TCustomStatusBar*>(FControl);
    if (!bar)
        return RawPanels(rect);
    const bool rightToLeft = (CheckBiDi(0) & DT_RTLREADING) != 0;
    std::vector<TPanelLook> looks;
    for (int i = 0; i < bar->Panels().Count(); ++i) {
        TStatusPanel* panel = bar->Panels()[i];
        TPanelLook look;
        look.Rect = bar->PanelRect(i);
        if (IsRectEmpty(&look.Rect))
            continue;
        look.Panel = panel;
        look.Text = GetStringProp(panel, "Text");
        look.Bevel = panel->Bevel() == pbRaised ? TBevel::Raised
                     : panel->Bevel() == pbNone ? TBevel::None
                                                : TBevel::Lowered;
        look.Align = AlignFormat(panel->Alignment(), rightToLeft);
        look.OwnerDraw = panel->Style() == psOwnerDraw;
        looks.push_back(look);
    }
    if (!looks.empty())
        looks.back().Rect.right = rect.right;
    return looks;
}

std::vector<TSkinStatusBar::TPanelLook> TSkinStatusBar::RawPanels(const TRect& rect) const
{
    const int count = static_cast<int>(SendMessageW(FHandle, SB_GETPARTS, 0, 0));
    std::vector<TPanelLook> looks;
    for (int i = 0; i < count && i < 256; ++i) {
        TPanelLook look;
        if (!SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&look.Rect)) ||
            IsRectEmpty(&look.Rect))
            continue;
        const LRESULT info = SendMessageW(FHandle, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0);
        const UINT type = HIWORD(info);
        look.Bevel = (type & SBT_NOBORDERS) ? TBevel::None
                     : (type & SBT_POPOUT)  ? TBevel::Raised
                                            : TBevel::Lowered;
        look.OwnerDraw = (type & SBT_OWNERDRAW) != 0;
        if (!look.OwnerDraw) {
            std::wstring text(LOWORD(info) + 1u, L'\0');
            SendMessageW(FHandle, SB_GETTEXTW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text.data()));
            text.resize(LOWORD(info));
            look.Text = std::move(text);
        }
        looks.push_back(look);
    }
    if (!looks.empty())
        looks.back().Rect.right = rect.right;
    return looks;
}

void TSkinStatusBar::PrepareCanvas(TCanvas& canvas) const
{
    if (FControl) {
        canvas.Font().Assign(FControl->Font());
    } else if (auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0))) {
        LOGFONTW log{};
        if (GetObjectW(font, sizeof log, &log))
            canvas.Font().AssignLogFont(log);
    }
    const TDataSkinObject* edges = FSkinData ? Elements().StatusBarEdges.get() : nullptr;
    if (edges && edges->NormalTextColor != clNotGiven)
        canvas.Font().SetColor(edges->NormalTextColor);
    else if (!FControl)
        canvas.Font().SetColor(clBtnText);
}

void TSkinStatusBar::DrawPanelFace(TCanvas& canvas, const TPanelLook& panel) const
{
    const TDataSkinObject* edges = FSkinData ? Elements().StatusBarEdges.get() : nullptr;
    if (edges && edges->HasImage())
        DrawSkinMap(canvas.Handle(), panel.Rect, 3, static_cast<int>(panel.Bevel), edges);
    else if (panel.Bevel != TBevel::None)
        DrawBevel(canvas.Handle(), panel.Rect, panel.Bevel == TBevel::Lowered);
    if (!panel.OwnerDraw)
        DrawCaption(canvas, Shrunk(panel.Rect, TextInset, 0), panel.Text, FEnabled,
                    panel.Align | DT_SINGLELINE);
}

void TSkinStatusBar::DrawSizeGrip(HDC dc, const TRect& rect) const
{
    if (!(GetWindowLongEx(FHandle, GWL_STYLE) & SBARS_SIZEGRIP))
        return;
    const TDataSkinObject* extra = FSkinData ? Elements().ExtraImages.get() : nullptr;
    if (extra && extra->HasImage()) {
        const int width = extra->Image.Width() / 5;
        const int height = extra->Image.Height();
        DrawSkinMapStretched(dc, Rect(rect.right - width, rect.bottom - height, rect.right,
                                      rect.bottom),
                             5, 5, extra->Image);
        return;
    }
    const int size = GetSystemMetrics(SM_CXVSCROLL);
    TRect grip = Rect(rect.right - size, rect.bottom - size, rect.right, rect.bottom);
    DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc, const std::vector<TPanelLook>& panels) const
{
    auto* bar = dynamic_cast<TCustomStatusBar*>(FControl);
    if (!bar || !bar->OnDrawPanel)
        return;
    TCanvas canvas;
    canvas.SetHandle(dc);
    for (const TPanelLook& panel : panels)
        if (panel.OwnerDraw && panel.Panel)
            bar->OnDrawPanel(bar, panel.Panel, canvas, Shrunk(panel.Rect, TextInset, TextInset));
    canvas.SetHandle(nullptr);
}

void TSkinStatusBar::DrawControl(HDC dc, const TRect& rect)
{
    TBitmap& buffer = SharedBuffer();
    if (buffer.Width() < rect.right || buffer.Height() < rect.bottom)
        buffer.SetSize(std::max(buffer.Width(), static_cast<int>(rect.right)),
                       std::max(buffer.Height(), static_cast<int>(rect.bottom)));
    TCanvas& canvas = buffer.Canvas();
    FillBG(canvas.Handle(), rect);
    PrepareCanvas(canvas);
    std::vector<TPanelLook> panels;
    if (Simple()) {
        DrawCaption(canvas, Shrunk(rect, TextInset, 0), SimpleText(), FEnabled,
                    DT_LEFT | DT_SINGLELINE);
    } else {
        panels = Panels(rect);
        for (const TPanelLook& panel : panels)
            DrawPanelFace(canvas, panel);
    }
    DrawSizeGrip(canvas.Handle(), rect);
    DrawBuf(dc, rect);
    PaintGraphicChildren(FControl, dc);
    DrawOwnerPanels(dc, panels);
}

} // namespace tarnivo
