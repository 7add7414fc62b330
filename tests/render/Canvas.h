#pragma once
// A top-down 32-bit DIB section in a memory DC, prefilled with a sentinel
// colour, whose pixels the tests read straight from the bits.
#include <windows.h>
#include <algorithm>
#include <functional>

namespace quillon::test {

constexpr COLORREF kSentinel = RGB(1, 2, 3);

struct Canvas {
    int w, h;
    HDC dc = CreateCompatibleDC(nullptr);
    DWORD* bits = nullptr;
    HBITMAP dib;
    HGDIOBJ old;
    Canvas(int width, int height) : w(width), h(height) {
        BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, dib);
        Fill(kSentinel);
    }
    ~Canvas() { SelectObject(dc, old), DeleteObject(dib), DeleteDC(dc); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    void Fill(COLORREF c) {
        GdiFlush();
        std::fill(bits, bits + w * h, static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)));
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD p = bits[y * w + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool operator==(const Canvas& o) const {
        GdiFlush();
        return w == o.w && h == o.h && std::equal(bits, bits + w * h, o.bits);
    }
    // Pixels of `rect` (default: all) for which `pred` holds.
    int Count(const std::function<bool(COLORREF)>& pred, RECT rect = {0, 0, -1, -1}) const {
        if (rect.right < 0) rect = {0, 0, w, h};
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) n += pred(At(x, y));
        return n;
    }
    int Count(COLORREF c, RECT rect = {0, 0, -1, -1}) const {
        return Count([c](COLORREF p) { return p == c; }, rect);
    }
};

}  // namespace quillon::test
