#include "render/TrueColorPixels.h"

namespace quillon {
namespace {

// A window DC has the screen's depth. Asking the DC each time is slow on
// some systems (a quarter of a millisecond under Wine), once per item.
int ScreenColorBits() noexcept {
    static const int bits = [] {
        HDC screen = GetDC(nullptr);
        const int b = screen ? GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return b;
    }();
    return bits;
}

}  // namespace

bool TakesTrueColorBlit(HDC hDC) noexcept {
    if (GetMapMode(hDC) != MM_TEXT || GetGraphicsMode(hDC) != GM_COMPATIBLE) return false;
    int bits = 0;
    const DWORD type = GetObjectType(hDC);
    if (type == OBJ_MEMDC) {
        BITMAP bm = {};
        HGDIOBJ selected = GetCurrentObject(hDC, OBJ_BITMAP);
        if (!selected || !GetObject(selected, sizeof bm, &bm)) return false;
        bits = bm.bmBitsPixel * bm.bmPlanes;
    } else if (type == OBJ_DC) {
        bits = ScreenColorBits();
    }
    return bits == 24 || bits == 32;
}

bool CopyTrueColorPixels(HDC hDC, LONG x, LONG y, LONG width, LONG height, const DWORD* rows, LONG stride) noexcept {
    if (width <= 0 || height <= 0 || stride < width || !rows) return false;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), stride, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return SetDIBitsToDevice(hDC, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                             static_cast<UINT>(height), rows, &info, DIB_RGB_COLORS) != 0;
}

PixelBlock::PixelBlock(LONG left, LONG top, LONG width, LONG height)
    : m_left(left),
      m_top(top),
      m_width(width > 0 ? width : 0),
      m_height(height > 0 ? height : 0),
      m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), kUnset) {}

void PixelBlock::Paint(HDC hDC, bool copy) const noexcept {
    if (m_pixels.empty()) return;
    if (copy && m_set == m_pixels.size() && TakesTrueColorBlit(hDC) &&
        CopyTrueColorPixels(hDC, m_left, m_top, m_width, m_height, m_pixels.data(), m_width))
        return;
    for (LONG y = 0; y < m_height; ++y)
        for (LONG x = 0; x < m_width; ++x) {
            const DWORD p = m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + x];
            if (p != kUnset) SetPixelV(hDC, m_left + x, m_top + y, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
}

}  // namespace quillon
