#pragma once
// Owning references to COM objects and the per-thread COM initialisation,
// shared by the end-to-end helper programs and their tests.

#include <windows.h>
#include <objbase.h>

namespace tarnivo {

// Holds one reference to a COM interface and releases it exactly once.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(); }

    T* operator->() const { return m_ptr; }
    T* Get() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

    // For the out-parameter of CoCreateInstance / QueryInterface.
    void** Put()
    {
        Reset();
        return reinterpret_cast<void**>(&m_ptr);
    }

    void Reset()
    {
        if (m_ptr)
            m_ptr->Release();
        m_ptr = nullptr;
    }

private:
    T* m_ptr = nullptr;
};

// CoInitialize for the lifetime of the object; uninitialises only when the
// initialisation succeeded (S_FALSE counts: it still needs its CoUninitialize).
class ComInit {
public:
    ComInit() : m_result(CoInitialize(nullptr)) {}
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    ~ComInit()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    bool Ok() const { return SUCCEEDED(m_result); }

private:
    HRESULT m_result;
};

} // namespace tarnivo
