#include "gdiobjects.h"

namespace tarnivo {

namespace handle_detail {
BOOL FreeIcon(HICON icon)
{
    return DestroyIcon(icon);
}

BOOL FreeImageList(HIMAGELIST list)
{
    return ImageList_Destroy(list);
}
} // namespace handle_detail

MemoryDC MemoryDC::CompatibleWith(HDC reference)
{
    return MemoryDC(CreateCompatibleDC(reference));
}

MemoryDC& MemoryDC::operator=(MemoryDC&& other) noexcept
{
    if (this != &other) {
        if (m_dc)
            DeleteDC(m_dc);
        m_dc = std::exchange(other.m_dc, nullptr);
    }
    return *this;
}

MemoryDC::~MemoryDC()
{
    if (m_dc)
        DeleteDC(m_dc);
}

WindowDC::WindowDC(HWND window, DcArea area)
    : m_window(window), m_dc(area == DcArea::Window ? GetWindowDC(window) : GetDC(window))
{
}

WindowDC& WindowDC::operator=(WindowDC&& other) noexcept
{
    if (this != &other) {
        Free();
        m_window = std::exchange(other.m_window, nullptr);
        m_dc = std::exchange(other.m_dc, nullptr);
    }
    return *this;
}

WindowDC::~WindowDC()
{
    Free();
}

void WindowDC::Free()
{
    if (m_dc)
        ReleaseDC(m_window, m_dc);
    m_dc = nullptr;
    m_window = nullptr;
}

} // namespace tarnivo
