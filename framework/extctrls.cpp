#include "extctrls.h"

#include "canvas.h"
#include "gdiobjects.h"

namespace tarnivo {

namespace {

// "Picture" reads the image's own bitmap; assigning one copies it in.
TPropInfo PictureProperty()
{
    TPropInfo p{"Picture", TPropKind::Object, {}, {}, {}};
    p.Get = [](const TObject& o) {
        return TPropValue{const_cast<TBitmap*>(&static_cast<const TImage&>(o).Picture())};
    };
    p.Set = [](TObject& o, const TPropValue& v) {
        auto* source = dynamic_cast<TBitmap*>(std::get<TObject*>(v));
        if (!source)
            throw EPropertyError("Invalid property value");
        static_cast<TImage&>(o).Picture().Assign(*source);
    };
    return p;
}

} // namespace

const TClassInfo& TImage::StaticClassInfo()
{
    static const TClassInfo info{
        "TImage",
        &TGraphicControl::StaticClassInfo(),
        {
            PictureProperty(),
            published::Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent),
            published::Boolean("Center", &TImage::Center, &TImage::SetCenter),
            published::Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch),
        }};
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 105, 105);
    m_picture.OnChange = [this](TObject*) { Invalidate(); };
}

void TImage::SetTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    Invalidate();
}

void TImage::SetCenter(bool center)
{
    if (m_center == center)
        return;
    m_center = center;
    Invalidate();
}

void TImage::SetStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    m_stretch = stretch;
    Invalidate();
}

TColor TImage::KeyColor() const
{
    return m_picture.Transparent() ? m_picture.TransparentColor() : clFuchsia;
}

TRect TImage::DestRect() const
{
    if (m_stretch)
        return Rect(0, 0, Width(), Height());
    int w = m_picture.Width();
    int h = m_picture.Height();
    if (m_center)
        return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
    return Bounds(0, 0, w, h);
}

void TImage::Paint(TCanvas& canvas)
{
    if (m_picture.Empty())
        return;
    HDC dest = canvas.Handle();
    HDC source = m_picture.Canvas().Handle();
    const TRect r = DestRect();
    const int w = m_picture.Width();
    const int h = m_picture.Height();
    if (m_transparent) {
        TransparentBlt(dest, r.left, r.top, RectWidth(r), RectHeight(r), source, 0, 0, w, h,
                       ColorToRGB(KeyColor()));
    } else if (RectWidth(r) == w && RectHeight(r) == h) {
        BitBlt(dest, r.left, r.top, w, h, source, 0, 0, SRCCOPY);
    } else {
        int oldMode = SetStretchBltMode(dest, COLORONCOLOR);
        StretchBlt(dest, r.left, r.top, RectWidth(r), RectHeight(r), source, 0, 0, w, h, SRCCOPY);
        SetStretchBltMode(dest, oldMode);
    }
}

// ------------------------------------------------------------- TCustomPanel

const TClassInfo& TCustomPanel::StaticClassInfo()
{
    static const TClassInfo info{"TCustomPanel", &TCustomControl::StaticClassInfo(), {}};
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 185, 41);
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
        DrawTextA(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
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
