// The two-pixel shadows of Flat with Shadow popups. Each shadow pixel is
// the screen beneath it, as captured at menu-loop start, darkened: the
// inner line from the screen colour alone, the outer one from its mean with
// the menu background, which softens the edge.
#include <windows.h>
#include <olectl.h>
#include <new>
#include <vector>
#include "control/Quillon.h"
#include "menu/MenuItem.h"
#include "render/ColorUtils.h"
#include "render/ItemPainting.h"
#include "render/TrueColorPixels.h"

namespace quillon {
namespace {

// Reads the screen capture for the shadows. Selecting a screen-sized
// bitmap into a DC, or copying rows out of it, for every item painted is
// slow on some systems, so the rows of a true-colour capture are copied
// with GetDIBits into the control's buffer the first time a shadow needs
// them and read from memory after that, until the menu loop ends. A capture
// that is not true colour is read through a DC after all, so its colours
// come back exactly as GetPixel gives them.
class CaptureReader {
public:
    // Makes the screen rows top..bottom-1 readable.
    CaptureReader(HDC compatible, IPictureDisp* capture, LONG top, LONG bottom,
                  Quillon::CapturePixels& cache) noexcept
        : m_origin(cache.origin) {
        if (!capture) return;
        if (capture != cache.picture) Prepare(capture, cache);
        if (cache.bottomUp && ReadRows(compatible, cache, top - m_origin.y, bottom - m_origin.y))
            m_pixels = &cache;
        else
            OpenDC(compatible, cache.bitmap);
    }
    ~CaptureReader() {
        if (!m_dc) return;
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    CaptureReader(const CaptureReader&) = delete;
    CaptureReader& operator=(const CaptureReader&) = delete;

    bool ok() const noexcept { return m_dc || m_pixels; }
    // The captured colour at screen (x, y); CLR_INVALID off the capture or
    // in a row not read.
    COLORREF At(LONG x, LONG y) const noexcept {
        x -= m_origin.x;
        y -= m_origin.y;
        if (m_dc) return GetPixel(m_dc, x, y);
        if (x < 0 || x >= m_pixels->width || y < 0 || y >= m_pixels->height) return CLR_INVALID;
        if (!m_pixels->rowRead[static_cast<size_t>(y)]) return CLR_INVALID;
        const DWORD p = m_pixels->bottomUp[static_cast<size_t>(m_pixels->height - 1 - y) *
                                               static_cast<size_t>(m_pixels->width) + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    static HBITMAP BitmapOf(IPictureDisp* capture) noexcept {
        IPicture* picture = nullptr;
        if (FAILED(capture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))) || !picture)
            return nullptr;
        OLE_HANDLE handle = 0;
        const HRESULT hr = picture->get_Handle(&handle);
        picture->Release();  // the control's reference keeps the bitmap alive
        return SUCCEEDED(hr) ? reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)) : nullptr;
    }

    // The capture's bitmap, and room for its rows, none read yet, when it is
    // true colour.
    static void Prepare(IPictureDisp* capture, Quillon::CapturePixels& cache) noexcept {
        const POINT origin = cache.origin;
        cache = Quillon::CapturePixels{};
        cache.origin = origin;
        cache.picture = capture;
        cache.bitmap = BitmapOf(capture);
        BITMAP info{};
        if (!cache.bitmap || GetObject(cache.bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
            info.bmHeight <= 0 || info.bmBitsPixel < 24)
            return;
        const size_t count = static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight);
        cache.bottomUp.reset(new (std::nothrow) DWORD[count]);  // rows are written before they are read
        try {
            cache.rowRead.assign(static_cast<size_t>(info.bmHeight), false);
        } catch (...) {
            cache.bottomUp.reset();
        }
        if (!cache.bottomUp) return;
        cache.width = info.bmWidth;
        cache.height = info.bmHeight;
    }

    // Copies the rows of top..bottom-1 not read before, a run at a time.
    static bool ReadRows(HDC compatible, Quillon::CapturePixels& cache, LONG top, LONG bottom) noexcept {
        if (top < 0) top = 0;
        if (bottom > cache.height) bottom = cache.height;
        BITMAPINFO bits{};
        bits.bmiHeader = {sizeof(BITMAPINFOHEADER), cache.width, cache.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        for (LONG y = top; y < bottom;) {
            if (cache.rowRead[static_cast<size_t>(y)]) {
                ++y;
                continue;
            }
            LONG end = y;
            while (end < bottom && !cache.rowRead[static_cast<size_t>(end)]) ++end;
            // Bottom-up: scan line 0 is the capture's last row.
            const UINT first = static_cast<UINT>(cache.height - end), lines = static_cast<UINT>(end - y);
            DWORD* rows = cache.bottomUp.get() + static_cast<size_t>(first) * static_cast<size_t>(cache.width);
            if (GetDIBits(compatible, cache.bitmap, first, lines, rows, &bits, DIB_RGB_COLORS) != static_cast<int>(lines))
                return false;
            for (LONG r = y; r < end; ++r) cache.rowRead[static_cast<size_t>(r)] = true;
            y = end;
        }
        return true;
    }

    void OpenDC(HDC compatible, HBITMAP bitmap) noexcept {
        if (!bitmap) return;
        m_dc = CreateCompatibleDC(compatible);
        if (m_dc) m_previous = SelectObject(m_dc, bitmap);
        if (m_dc && !m_previous) {
            DeleteDC(m_dc);
            m_dc = nullptr;
        }
    }

    POINT m_origin;  // screen position of the capture's first pixel
    const Quillon::CapturePixels* m_pixels = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// The shade of one shadow line; a run of equal screen colours is blended
// once.
class Shade {
public:
    Shade(COLORREF menuBackground, float weight) noexcept : m_back(menuBackground), m_weight(weight) {}
    COLORREF operator()(COLORREF screen) noexcept {
        if (!m_valid || screen != m_screen) {
            // BlendColors weights its first colour: weight 0 is the screen
            // colour alone, 0.5 its mean with the menu background.
            m_shade = DarkenColor(BlendColors(m_back, screen, m_weight));
            m_screen = screen;
            m_valid = true;
        }
        return m_shade;
    }

private:
    COLORREF m_back;
    float m_weight;
    bool m_valid = false;
    COLORREF m_screen = 0;
    COLORREF m_shade = 0;
};


}  // namespace

void Quillon::DrawRightShadow(HWND hwnd, HDC windowDC, const CMenuItem&, LONG yFrom, LONG yTo) {
    RECT wr{};
    if (!GetWindowRect(hwnd, &wr)) return;
    if (yTo < yFrom) return;
    const CaptureReader capture(windowDC, m_ScreenCapture.get(), yFrom + wr.top, yTo + wr.top + 1, m_capturePixels);
    if (!capture.ok()) return;
    const LONG W = wr.right - wr.left;
    const COLORREF back = PaintColor(*this, ColorRole::MenuBackground);
    // Shadow lines, innermost first; the shadow starts as far below the
    // corner as it is wide, the screen showing unchanged above.
    const LONG width = m_menuMetrics.ShadowWidth(), offset = width;
    PixelBlock pixels(W - width, yFrom, width, yTo - yFrom + 1);
    for (LONG line = 0; line < width; ++line) {
        const LONG x = W - width + line;
        Shade shade(back, static_cast<float>(line) / static_cast<float>(width));
        for (LONG y = yFrom; y <= yTo; ++y) {
            const COLORREF screen = capture.At(x + wr.left, y + wr.top);
            if (screen == CLR_INVALID) continue;  // off the captured screen
            pixels.Set(x, y, y < offset ? screen : shade(screen));
        }
    }
    pixels.Paint(windowDC);
}

void Quillon::DrawBottomShadow(HWND hwnd, HDC windowDC, const CMenuItem&) {
    RECT wr{};
    if (!GetWindowRect(hwnd, &wr)) return;
    const LONG W = wr.right - wr.left, H = wr.bottom - wr.top;
    const LONG width = m_menuMetrics.ShadowWidth(), offset = width;
    if (W <= 0 || H < width) return;
    const CaptureReader capture(windowDC, m_ScreenCapture.get(), wr.top + H - width, wr.bottom, m_capturePixels);
    if (!capture.ok()) return;
    const COLORREF back = PaintColor(*this, ColorRole::MenuBackground);
    PixelBlock pixels(0, H - width, W, width);
    for (LONG line = 0; line < width; ++line) {
        const LONG y = H - width + line;
        Shade shade(back, static_cast<float>(line) / static_cast<float>(width));
        for (LONG x = 0; x < W; ++x) {
            const COLORREF screen = capture.At(x + wr.left, y + wr.top);
            if (screen == CLR_INVALID) continue;
            pixels.Set(x, y, x < offset ? screen : shade(screen));
        }
    }
    pixels.Paint(windowDC);
}

}  // namespace quillon
