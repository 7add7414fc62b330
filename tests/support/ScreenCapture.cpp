#include "tests/support/ScreenCapture.h"
#include <cstring>
#include "tools/png/PngWriter.h"
#include "tests/support/TestWindows.h"

namespace quillon::test {

namespace {

BITMAPINFOHEADER TopDown32(int width, int height) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = -height;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    return h;
}

}  // namespace

COLORREF ScreenShot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int ScreenShot::Count(COLORREF color, RECT area) const {
    int n = 0;
    for (int y = area.top < 0 ? 0 : area.top; y < area.bottom && y < height; ++y)
        for (int x = area.left < 0 ? 0 : area.left; x < area.right && x < width; ++x) n += At(x, y) == color;
    return n;
}

ScreenShot CaptureScreen(const RECT& screenRect) {
    ScreenShot shot;
    const int w = screenRect.right - screenRect.left, h = screenRect.bottom - screenRect.top;
    if (w <= 0 || h <= 0) return shot;
    HDC screen = GetDC(nullptr);
    if (!screen) return shot;
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = TopDown32(w, h);
    void* bits = nullptr;
    HBITMAP dib = mem ? CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (dib && bits) {
        HGDIOBJ old = SelectObject(mem, dib);
        if (BitBlt(mem, 0, 0, w, h, screen, screenRect.left, screenRect.top, SRCCOPY)) {
            GdiFlush();
            shot.where = screenRect;
            shot.width = w;
            shot.height = h;
            shot.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
            std::memcpy(shot.pixels.data(), bits, shot.pixels.size() * sizeof(uint32_t));
        }
        SelectObject(mem, old);
    }
    if (dib) DeleteObject(dib);
    if (mem) DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return shot;
}

std::string SaveShot(const ScreenShot& shot, const std::string& name) {
    if (shot.empty()) return "";
    const std::string path = ArtifactDir() + "/" + name + ".png";
    const BITMAPINFOHEADER header = TopDown32(shot.width, shot.height);
    return png::WritePng(path, header, shot.pixels.data()) ? path : "";
}

}  // namespace quillon::test
