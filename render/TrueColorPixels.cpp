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

}  // namespace quillon
