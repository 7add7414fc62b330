#pragma once
// Screenshots of the tour: a part of the screen copied into a 24-bit
// device-independent bitmap, measured and saved as PNG.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace demo::tour {

struct Shot {
    RECT where{};  // screen coordinates
    int width = 0, height = 0;
    std::vector<uint8_t> bgr;  // top-down rows of width * 3 bytes (no padding)

    bool empty() const { return bgr.empty(); }
    COLORREF At(int screenX, int screenY) const;  // CLR_INVALID outside
};

Shot CaptureScreen(RECT area);
// The frame and every visible window of this thread around it (menus,
// tooltips, dialogs), with a small margin, on the screen.
RECT SceneRect(HWND frame);
bool SavePng(const Shot& shot, const std::wstring& path);

// Share of the most frequent colour among the pixels of `area` (0..1).
double DominantShare(const Shot& shot, RECT area);
// Share of the pixels of `area` that belong to the clouds picture: the
// blue-to-white ramp of its palette, white itself left out.
double CloudShare(const Shot& shot, RECT area);

// Rows of `area` from the first to the last that hold a pixel other than
// `background` (0 when none does).
int InkHeight(const Shot& shot, RECT area, COLORREF background);
// The same for `icon` drawn at its own size over `background`; `size` gets
// that size's height.
int IconInkHeight(HICON icon, COLORREF background, int& size);

// How well `text`, drawn in `font` in `area` (centred as a menu bar item, or
// from the left as a popup item), covers the ink of the shot there
// (intersection over union of the ink and the drawn pixels, best over small
// shifts around the ink's own box; 0..1). Ink is every pixel well below the
// area's mean brightness.
double TextMatch(const Shot& shot, RECT area, const std::wstring& text, const LOGFONTW& font, bool centred);

}  // namespace demo::tour
