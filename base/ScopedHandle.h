#pragma once
// One move-only owner for every kind of Win32 handle: each kind names its
// "no handle" value and its release call in a small traits type.
#include <windows.h>

#include <utility>

template <typename Traits>
class CScopedHandle {
public:
    using Handle = typename Traits::Handle;

    CScopedHandle() noexcept : m_handle(Traits::Invalid()) {}
    explicit CScopedHandle(Handle handle) noexcept : m_handle(handle) {}
    ~CScopedHandle() { Reset(); }

    CScopedHandle(CScopedHandle&& other) noexcept : m_handle(other.Release()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    Handle Get() const noexcept { return m_handle; }
    bool IsValid() const noexcept { return m_handle != Traits::Invalid(); }
    explicit operator bool() const noexcept { return IsValid(); }

    // For out-parameters of creation calls: releases what is held first.
    Handle* Receive() noexcept
    {
        Reset();
        return &m_handle;
    }

    Handle Release() noexcept { return std::exchange(m_handle, Traits::Invalid()); }

    void Reset(Handle handle = Traits::Invalid()) noexcept
    {
        Handle old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

private:
    Handle m_handle;
};

namespace HandleTraits {

struct Kernel {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};

struct File {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};

struct RegKey {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};

struct Module {
    using Handle = HMODULE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::FreeLibrary(h); }
};

template <typename T>
struct GdiObject {
    using Handle = T;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};

struct MemoryDc {
    using Handle = HDC;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteDC(h); }
};

struct Icon {
    using Handle = HICON;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyIcon(h); }
};

} // namespace HandleTraits

using CKernelHandle = CScopedHandle<HandleTraits::Kernel>;
using CFileHandle = CScopedHandle<HandleTraits::File>;
using CRegKey = CScopedHandle<HandleTraits::RegKey>;
using CModule = CScopedHandle<HandleTraits::Module>;
using CBitmap = CScopedHandle<HandleTraits::GdiObject<HBITMAP>>;
using CFont = CScopedHandle<HandleTraits::GdiObject<HFONT>>;
using CBrush = CScopedHandle<HandleTraits::GdiObject<HBRUSH>>;
using CPen = CScopedHandle<HandleTraits::GdiObject<HPEN>>;
using CRegion = CScopedHandle<HandleTraits::GdiObject<HRGN>>;
using CMemoryDc = CScopedHandle<HandleTraits::MemoryDc>;
using CIcon = CScopedHandle<HandleTraits::Icon>;

// A device context borrowed from a window (GetDC/ReleaseDC); null window = the screen.
class CWindowDc {
public:
    explicit CWindowDc(HWND window) noexcept : m_window(window), m_dc(::GetDC(window)) {}
    ~CWindowDc()
    {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC Get() const noexcept { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~CSelectObject()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A critical section and its scoped lock.
class CCriticalSection {
public:
    CCriticalSection() noexcept { ::InitializeCriticalSection(&m_section); }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;
    void Enter() noexcept { ::EnterCriticalSection(&m_section); }
    void Leave() noexcept { ::LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

class CLockGuard {
public:
    explicit CLockGuard(CCriticalSection& section) noexcept : m_section(section) { m_section.Enter(); }
    ~CLockGuard() { m_section.Leave(); }
    CLockGuard(const CLockGuard&) = delete;
    CLockGuard& operator=(const CLockGuard&) = delete;

private:
    CCriticalSection& m_section;
};
