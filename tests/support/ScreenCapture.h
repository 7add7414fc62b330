#pragma once
// Photographs a rectangle of the screen into a top-down 32-bit DIB, for
// checking colours of real windows and leaving PNGs behind as artifacts.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace quillon::test {

struct ScreenShot {
    RECT where{};  // screen coordinates
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // top-down rows, 0x00RRGGBB as the DIB stores them

    bool empty() const { return pixels.empty(); }
    // The pixel at (x, y) of the shot as a COLORREF (0x00BBGGRR); CLR_INVALID outside.
    COLORREF At(int x, int y) const;
    // How many pixels of the rectangle (shot coordinates, clipped) have `color`.
    int Count(COLORREF color, RECT area) const;
    int Count(COLORREF color) const { return Count(color, RECT{0, 0, width, height}); }
};

// BitBlt from the screen DC; an empty shot when the rectangle is empty or
// the copy fails.
ScreenShot CaptureScreen(const RECT& screenRect);

// Saves the shot as ArtifactDir()/<name>.png and returns that path ("" on failure).
std::string SaveShot(const ScreenShot& shot, const std::string& name);

}  // namespace quillon::test
