#include "framework/controls/panel.h"
#include "framework/unicodetext.h"

#include "framework/canvas.h"
#include "framework/gdiobjects.h"

namespace tarnivo {

// ------------------------------------------------------------- TCustomPanel

const TClassInfo& TCustomPanel::StaticClassInfo()
{
    static const TClassInfo info{"TCustomPanel", &TCustomControl::StaticClassInfo(), {}};
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 185, 41);
    SetParentFont(true);
}

void TCustomPanel::SetBevelOuter(TPanelBevel bevel)
{
    if (m_bevelOuter == bevel)
        return;
    m_bevelOuter = bevel;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel bevel)
{
    if (m_bevelInner == bevel)
        return;
    m_bevelInner = bevel;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int width)
{
    width = width < 1 ? 1 : width;
    if (m_bevelWidth == width)
        return;
    m_bevelWidth = width;
    Invalidate();
}

namespace {

// Draws `width` one-pixel rings of a bevel and moves `r` inside them.
void DrawBevel(HDC dc, RECT& r, TPanelBevel bevel, int width)
{
    if (bevel == bvNone)
        return;
    UINT edge = bevel == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
    for (int i = 0; i < width; ++i)
        DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
}

} // namespace

void TCustomPanel::Paint(TCanvas& canvas)
{
    HDC dc = canvas.Handle();
    SavedDCState state(dc);
    RECT r = ClientRect();
    DrawBevel(dc, r, m_bevelOuter, m_bevelWidth);
    DrawBevel(dc, r, m_bevelInner, m_bevelWidth);
    std::string caption = Caption();
    if (!caption.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
        SelectedObject font(dc, Font().Handle());
        DrawTextW(dc, ToWide(caption).c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    TCustomControl::Paint(canvas);
}

// ------------------------------------------------------------------- TPanel

const TClassInfo& TPanel::StaticClassInfo()
{
    static const TClassInfo info{
        "TPanel",
        &TCustomPanel::StaticClassInfo(),
        {
            published::Enumeration("BevelOuter", {"bvNone", "bvLowered", "bvRaised"},
                                   &TPanel::BevelOuter, &TPanel::SetBevelOuter),
            published::Enumeration("BevelInner", {"bvNone", "bvLowered", "bvRaised"},
                                   &TPanel::BevelInner, &TPanel::SetBevelInner),
            published::Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth),
        }};
    return info;
}

} // namespace tarnivo
