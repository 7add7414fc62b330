#include "demo/tour/TourShot.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include "demo/Twips.h"
#include "demo/tour/TourWindows.h"
#include "tools/png/PngWriter.h"

namespace demo::tour {

COLORREF Shot::At(int screenX, int screenY) const {
    const int x = screenX - where.left, y = screenY - where.top;
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const uint8_t* p = bgr.data() + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return RGB(p[2], p[1], p[0]);
}

Shot CaptureScreen(RECT area) {
    Shot shot;
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return shot;
    HDC screen = GetDC(nullptr);
    if (!screen) return shot;
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = mem ? CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (dib && bits) {
        HGDIOBJ old = SelectObject(mem, dib);
        if (BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const size_t stride = (static_cast<size_t>(w) * 3 + 3) / 4 * 4, row = static_cast<size_t>(w) * 3;
            shot.where = area;
            shot.width = w;
            shot.height = h;
            shot.bgr.resize(row * static_cast<size_t>(h));
            for (int y = 0; y < h; ++y)
                std::memcpy(shot.bgr.data() + row * static_cast<size_t>(y),
                            static_cast<const uint8_t*>(bits) + stride * static_cast<size_t>(y), row);
        }
        SelectObject(mem, old);
    }
    if (dib) DeleteObject(dib);
    if (mem) DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return shot;
}

RECT SceneRect(HWND frame) {
    RECT scene{};
    if (frame) GetWindowRect(frame, &scene);
    for (HWND w : ThreadWindows(nullptr)) {
        RECT r{};
        if (!GetWindowRect(w, &r) || r.right <= r.left || r.bottom <= r.top) continue;
        UnionRect(&scene, &scene, &r);
    }
    const int margin = MulDiv(6, DpiOf(frame), 96);
    InflateRect(&scene, margin, margin);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&scene, &scene, &screen);
    return scene;
}

bool SavePng(const Shot& shot, const std::wstring& path) {
    if (shot.empty()) return false;
    // The pixels as a 24-bit DIB: rows padded to four bytes.
    const size_t row = static_cast<size_t>(shot.width) * 3, stride = (row + 3) / 4 * 4;
    std::vector<uint8_t> padded(stride * static_cast<size_t>(shot.height));
    for (int y = 0; y < shot.height; ++y)
        std::memcpy(padded.data() + stride * static_cast<size_t>(y), shot.bgr.data() + row * static_cast<size_t>(y),
                    row);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = shot.width;
    header.biHeight = -shot.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return quillon::png::WritePng(path, header, padded.data());
}

double DominantShare(const Shot& shot, RECT area) {
    std::unordered_map<COLORREF, int> counts;
    int total = 0, best = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = shot.At(x, y);
            if (c == CLR_INVALID) continue;
            ++total;
            best = std::max(best, ++counts[c]);
        }
    return total ? static_cast<double>(best) / total : 0.0;
}

double CloudShare(const Shot& shot, RECT area) {
    int total = 0, cloud = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = shot.At(x, y);
            if (c == CLR_INVALID) continue;
            ++total;
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (r < 36 || r > 235) continue;  // white and near white are not the clouds' own
            // Palette entry t: red 40 + 215 t, green 110 + 145 t, blue 205 + 50 t.
            const double t = (r - 40) / 215.0;
            const double gg = 110 + 145 * t, bb = 205 + 50 * t;
            if (std::abs(g - gg) <= 6 && std::abs(b - bb) <= 6) ++cloud;
        }
    return total ? static_cast<double>(cloud) / total : 0.0;
}

int InkHeight(const Shot& shot, RECT area, COLORREF background) {
    int first = -1, last = -1;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = shot.At(x, y);
            if (c == CLR_INVALID || c == background) continue;
            if (first < 0) first = y;
            last = y;
            break;
        }
    return first < 0 ? 0 : last - first + 1;
}

int IconInkHeight(HICON icon, COLORREF background, int& size) {
    size = 0;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    const int w = bm.bmWidth, h = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a mask alone holds AND and XOR
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (w <= 0 || h <= 0) return 0;
    size = h;
    Shot shot;
    shot.where = RECT{0, 0, w, h};
    shot.width = w;
    shot.height = h;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = dc ? CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (dib && bits) {
        HGDIOBJ old = SelectObject(dc, dib);
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(dc, &shot.where, brush);
        DeleteObject(brush);
        DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
        GdiFlush();
        const auto* px = static_cast<const uint8_t*>(bits);  // BGRA
        for (int i = 0; i < w * h; ++i) shot.bgr.insert(shot.bgr.end(), px + i * 4, px + i * 4 + 3);
        SelectObject(dc, old);
    }
    if (dib) DeleteObject(dib);
    if (dc) DeleteDC(dc);
    return InkHeight(shot, shot.where, background);
}

namespace {

int Luminance(COLORREF c) { return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100; }

// The pixels `text` covers when drawn black on white into a w by h area.
std::vector<bool> DrawnMask(int w, int h, const std::wstring& text, const LOGFONTW& font, UINT format) {
    std::vector<bool> mask(static_cast<size_t>(w) * h, false);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HFONT face = CreateFontIndirectW(&font);
    if (dc && bitmap && face && bits) {
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        HGDIOBJ oldFont = SelectObject(dc, face);
        RECT r{0, 0, w, h};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, text.c_str(), -1, &r, format);
        GdiFlush();
        const auto* px = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < mask.size(); ++i) mask[i] = (px[i] & 0xFFFFFF) != 0xFFFFFF;
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
    }
    if (face) DeleteObject(face);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return mask;
}

// Left and top of the set pixels of a w-wide mask; {-1, -1} when none.
POINT BoxCorner(const std::vector<bool>& mask, int w) {
    POINT corner{-1, -1};
    for (size_t i = 0; i < mask.size(); ++i) {
        if (!mask[i]) continue;
        const LONG x = static_cast<LONG>(i % w), y = static_cast<LONG>(i / w);
        if (corner.x < 0 || x < corner.x) corner.x = x;
        if (corner.y < 0) corner.y = y;
    }
    return corner;
}

}  // namespace

double TextMatch(const Shot& shot, RECT area, const std::wstring& text, const LOGFONTW& font, bool centred) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return 0.0;
    // Dark text on a light menu, over a plain colour or a picture's sky: ink
    // is what is well below the area's mean brightness.
    long sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) sum += Luminance(shot.At(area.left + x, area.top + y));
    const int threshold = static_cast<int>(sum / (static_cast<long>(w) * h)) - 35;
    std::vector<bool> ink(static_cast<size_t>(w) * h, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = shot.At(area.left + x, area.top + y);
            ink[static_cast<size_t>(y) * w + x] = c != CLR_INVALID && Luminance(c) < threshold;
        }
    const UINT format = DT_VCENTER | DT_SINGLELINE | (centred ? DT_CENTER : DT_LEFT);
    const std::vector<bool> drawn = DrawnMask(w, h, text, font, format);
    const POINT inkCorner = BoxCorner(ink, w), drawnCorner = BoxCorner(drawn, w);
    if (inkCorner.x < 0 || drawnCorner.x < 0) return 0.0;
    double best = 0.0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int ox = inkCorner.x - drawnCorner.x + dx, oy = inkCorner.y - drawnCorner.y + dy;
            int both = 0, either = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const int sx = x - ox, sy = y - oy;
                    const bool d = sx >= 0 && sy >= 0 && sx < w && sy < h && drawn[static_cast<size_t>(sy) * w + sx];
                    const bool i = ink[static_cast<size_t>(y) * w + x];
                    both += d && i;
                    either += d || i;
                }
            if (either) best = std::max(best, static_cast<double>(both) / either);
        }
    return best;
}

}  // namespace demo::tour
