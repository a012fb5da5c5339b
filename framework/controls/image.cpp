#include "framework/controls/image.h"

#include "framework/canvas.h"
#include "framework/gdiobjects.h"

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

} // namespace tarnivo
