#pragma once
// Owning holders for GDI and USER handles.
//
// Every handle that we create is held by exactly one of these; it frees the
// handle once, when the holder goes or is reset. They are move-only and never
// convert to the raw handle by themselves: Get() lends the handle for a call,
// Release() gives ownership away explicitly. A handle that we merely borrow
// (a stock object, a DC passed to a paint handler) stays a plain handle.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace tarnivo {

// H is the handle type, Free the function that destroys it.
template <typename H, BOOL (*Free)(H)>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : m_handle(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Gives up ownership: the caller now frees the handle.
    [[nodiscard]] H Release() { return std::exchange(m_handle, nullptr); }

    void Reset(H handle = nullptr)
    {
        H old = std::exchange(m_handle, handle);
        if (old && old != handle)
            Free(old);
    }

private:
    H m_handle = nullptr;
};

// Plain functions (not the dllimported API entries, whose addresses are no
// constant expressions) so they can be template arguments.
namespace handle_detail {
template <typename T>
BOOL DeleteGdi(T object) { return DeleteObject(object); }
BOOL FreeIcon(HICON icon);
BOOL FreeImageList(HIMAGELIST list);
} // namespace handle_detail

// DeleteObject for every GDI object kind. Never hold a stock object in one.
template <typename T>
using GdiObject = UniqueHandle<T, handle_detail::DeleteGdi<T>>;

using GdiBitmap = GdiObject<HBITMAP>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiPen = GdiObject<HPEN>;
using GdiFont = GdiObject<HFONT>;
using GdiRegion = GdiObject<HRGN>;

using IconHandle = UniqueHandle<HICON, handle_detail::FreeIcon>;
using ImageListHandle = UniqueHandle<HIMAGELIST, handle_detail::FreeImageList>;

// A memory DC from CreateCompatibleDC, freed with DeleteDC. Objects selected
// into it must be selected out again before they are freed (SelectedObject).
class MemoryDC {
public:
    MemoryDC() = default;
    // Compatible with `reference`, or with the screen when it is null.
    static MemoryDC CompatibleWith(HDC reference);

    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept : m_dc(std::exchange(other.m_dc, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept;
    ~MemoryDC();

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    explicit MemoryDC(HDC dc) : m_dc(dc) {}
    HDC m_dc = nullptr;
};

// Which part of a window a WindowDC covers.
enum class DcArea {
    Client,   // GetDC: the client area
    Window,   // GetWindowDC: the whole window, frame included
};

// A DC taken from a window (or the screen, for a null window), given back with
// ReleaseDC to the same window.
class WindowDC {
public:
    WindowDC() = default;
    explicit WindowDC(HWND window, DcArea area = DcArea::Client);
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC(WindowDC&& other) noexcept
        : m_window(std::exchange(other.m_window, nullptr)), m_dc(std::exchange(other.m_dc, nullptr))
    {
    }
    WindowDC& operator=(WindowDC&& other) noexcept;
    ~WindowDC();

    HDC Get() const { return m_dc; }
    HWND Window() const { return m_window; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    void Free();
    HWND m_window = nullptr;
    HDC m_dc = nullptr;
};

// Selects an object into a DC for the length of a scope and puts the previous
// one back, so the object can be freed safely afterwards.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// SaveDC for a scope; RestoreDC puts back clipping, origins, modes and objects.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : m_dc(dc), m_level(SaveDC(dc)) {}
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;
    ~SavedDCState()
    {
        if (m_level != 0)
            RestoreDC(m_dc, m_level);
    }

private:
    HDC m_dc;
    int m_level;
};

} // namespace tarnivo
