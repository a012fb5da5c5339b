// The form object's copy of its window's icon: drawn into IconBitmap for the
// icon button, and at the caption's size onto the frame.

#include "winskinform.h"

#include "framework/windowdpi.h"

namespace tarnivo {

void TWinSkinForm::GetIcon()
{
    const int w = ScaleFromSystemDpi(GetSystemMetrics(SM_CXSMICON), Dpi);
    const int h = ScaleFromSystemDpi(GetSystemMetrics(SM_CYSMICON), Dpi);
    IconBitmap.SetSize(w, h);
    IconSize = w;
    IconBitmap.Canvas().Brush().SetColor(clFuchsia);
    IconBitmap.Canvas().FillRect(TRect{0, 0, w, h});
    IconBitmap.SetTransparent(true);
    IconBitmap.SetTransparentColor(clFuchsia);
    IconHandle = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
    if (!IconHandle)
        IconHandle = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
    // The system shows a window without an icon of its own with its class's
    // icon, and without that with the program's: the skin does the same.
    if (!IconHandle)
        IconHandle = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICONSM));
    if (!IconHandle)
        IconHandle = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICON));
    if (!IconHandle) {
        if (SkinData && !SkinData->AppIcon().Empty())
            BitBlt(IconBitmap.Canvas().Handle(), 0, 0, w, h,
                   SkinData->AppIcon().Canvas().Handle(), 0, 0, SRCCOPY);
        return;
    }
    if (HICON sized = SizedIcon(w, h))
        DrawIconEx(IconBitmap.Canvas().Handle(), 0, 0, sized, w, h, 0, nullptr, DI_NORMAL);
}

// The window's icon at the caption's size, copied once per icon and size.
// LR_COPYFROMRESOURCE picks the icon's own picture of that size (a 16 x 16
// image rather than the 32 x 32 one shrunk), but reloads it from the
// module's resources: a few milliseconds under Wine, which every frame paint
// and each of a skin change's two button rebuilds used to spend on every
// window. An icon that changes is another handle (the system never hands
// out the same value for a new icon), so the handle and size identify it.
HICON TWinSkinForm::SizedIcon(int w, int h)
{
    if (!IconHandle)
        return nullptr;
    if (m_sizedIcon && m_sizedIconOf == IconHandle && m_sizedIconWidth == w && m_sizedIconHeight == h)
        return m_sizedIcon.Get();
    m_sizedIcon.Reset(static_cast<HICON>(CopyImage(IconHandle, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE)));
    m_sizedIconOf = IconHandle;
    m_sizedIconWidth = w;
    m_sizedIconHeight = h;
    return m_sizedIcon.Get();
}

void TWinSkinForm::DrawIcon(HDC dc, const TRect& rect)
{
    if (!IconHandle) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Draw(rect.left, rect.top, IconBitmap);
        canvas.SetHandle(nullptr);
        return;
    }
    if (HICON sized = SizedIcon(IconSize, IconSize))
        DrawIconEx(dc, rect.left, rect.top, sized, IconSize, IconSize, 0, nullptr, DI_NORMAL);
}

} // namespace tarnivo
