#pragma once
// Small owners for GDI objects that live for one drawing step: each gives
// back or deletes what it holds when the step returns, whatever happens.
#include <windows.h>

namespace quillon {

// A solid brush made for one fill.
class SolidBrush {
public:
    explicit SolidBrush(COLORREF color) noexcept : m_brush(CreateSolidBrush(color)) {}
    ~SolidBrush() {
        if (m_brush) DeleteObject(m_brush);
    }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH get() const noexcept { return m_brush; }

private:
    HBRUSH m_brush;
};

// FillRect with a solid brush of `color` made for this fill.
inline void FillSolid(HDC dc, const RECT& rect, COLORREF color) noexcept {
    SolidBrush brush(color);
    FillRect(dc, &rect, brush.get());
}

// An object selected into a DC until the end of the scope; a null object
// is not selected, so the DC keeps its current one.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : m_dc(dc), m_old(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (m_old && m_old != HGDI_ERROR) SelectObject(m_dc, m_old);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A memory DC compatible with `dc`, deleted at the end of the scope.
class MemoryDC {
public:
    explicit MemoryDC(HDC dc) noexcept : m_dc(CreateCompatibleDC(dc)) {}
    ~MemoryDC() {
        if (m_dc) DeleteDC(m_dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const noexcept { return m_dc; }

private:
    HDC m_dc;
};

// A bitmap deleted at the end of the scope (deselect it first).
class ScopedBitmap {
public:
    explicit ScopedBitmap(HBITMAP bitmap) noexcept : m_bitmap(bitmap) {}
    ~ScopedBitmap() {
        if (m_bitmap) DeleteObject(m_bitmap);
    }
    ScopedBitmap(const ScopedBitmap&) = delete;
    ScopedBitmap& operator=(const ScopedBitmap&) = delete;
    HBITMAP get() const noexcept { return m_bitmap; }

private:
    HBITMAP m_bitmap;
};

// The whole-window DC of `hwnd`, released at the end of the scope.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(hwnd ? GetWindowDC(hwnd) : nullptr) {}
    ~WindowDC() {
        if (m_dc) ReleaseDC(m_hwnd, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

}  // namespace quillon
