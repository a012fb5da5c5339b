#include "icon.h"

namespace tarnivo {

void TIcon::SetHandle(HICON icon)
{
    m_icon.Reset(icon);
}

void TIcon::SetHandle(IconHandle icon)
{
    m_icon = std::move(icon);
}

HICON TIcon::ReleaseHandle()
{
    return m_icon.Release();
}

void TIcon::Assign(const TIcon& source)
{
    if (&source == this)
        return;
    m_icon.Reset(source.m_icon ? CopyIcon(source.m_icon.Get()) : nullptr);
}

bool TIcon::LoadFromResourceName(HINSTANCE instance, const char* name)
{
    // Not LR_SHARED: the icon must be ours to destroy.
    HANDLE icon = LoadImageA(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    if (!icon)
        return false;
    m_icon.Reset(static_cast<HICON>(icon));
    return true;
}

TSize TIcon::Size() const
{
    ICONINFO info{};
    if (!m_icon || !GetIconInfo(m_icon.Get(), &info))
        return TSize{0, 0};
    // GetIconInfo hands us copies of both bitmaps; they are ours to free.
    GdiBitmap mask(info.hbmMask);
    GdiBitmap color(info.hbmColor);
    BITMAP bm{};
    if (color) {
        GetObjectW(color.Get(), sizeof bm, &bm);
        return TSize{bm.bmWidth, bm.bmHeight};
    }
    // A monochrome icon keeps its AND and XOR masks stacked in one bitmap.
    GetObjectW(mask.Get(), sizeof bm, &bm);
    return TSize{bm.bmWidth, bm.bmHeight / 2};
}

} // namespace tarnivo
