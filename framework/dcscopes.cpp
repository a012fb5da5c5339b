#include "dcscopes.h"

namespace tarnivo {

ClipScope::ClipScope(HDC dc) : m_dc(dc)
{
    // GetClipRgn answers 1 and copies the region only when the DC has one of
    // its own; the visible area of a window DC is not part of it.
    GdiRegion saved(CreateRectRgn(0, 0, 0, 0));
    if (saved && GetClipRgn(dc, saved.Get()) == 1)
        m_saved = std::move(saved);
}

ClipScope::~ClipScope()
{
    SelectClipRgn(m_dc, m_saved.Get());
}

void ClipScope::Intersect(const TRect& rect)
{
    IntersectClipRect(m_dc, rect.left, rect.top, rect.right, rect.bottom);
}

void ClipScope::Exclude(const TRect& rect)
{
    ExcludeClipRect(m_dc, rect.left, rect.top, rect.right, rect.bottom);
}

void ClipScope::Intersect(HRGN region)
{
    if (region) {
        ExtSelectClipRgn(m_dc, region, RGN_AND);
    } else {
        GdiRegion nothing(CreateRectRgn(0, 0, 0, 0));
        SelectClipRgn(m_dc, nothing.Get());
    }
}

void ClipScope::Set(HRGN region)
{
    SelectClipRgn(m_dc, region);
}

TRect ClipBox(HDC dc)
{
    TRect box{};
    const int kind = GetClipBox(dc, &box);
    if (kind == ERROR || kind == NULLREGION)
        return TRect{};
    return box;
}

} // namespace tarnivo
