#pragma once
// Makes solid-colour icons for the icon and image list tests.

#include "framework/gdiobjects.h"
#include "framework/graphics.h"

namespace tarnivo::test {

// A size x size icon of one colour, fully opaque; owned by the caller.
inline HICON MakeIcon(int size, TColor color)
{
    HDC screen = GetDC(nullptr);
    GdiBitmap image(CreateCompatibleBitmap(screen, size, size));
    ReleaseDC(nullptr, screen);
    {
        MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
        SelectedObject selected(dc.Get(), image.Get());
        GdiBrush brush(CreateSolidBrush(static_cast<COLORREF>(color)));
        RECT r{0, 0, size, size};
        FillRect(dc.Get(), &r, brush.Get());
    }
    GdiBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    {
        MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
        SelectedObject selected(dc.Get(), mask.Get());
        PatBlt(dc.Get(), 0, 0, size, size, BLACKNESS);   // black mask: opaque
    }
    ICONINFO info{TRUE, 0, 0, mask.Get(), image.Get()};
    return CreateIconIndirect(&info);   // copies both bitmaps
}

} // namespace tarnivo::test
