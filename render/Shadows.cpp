// The two-pixel shadows of Flat with Shadow popups. Each shadow pixel is
// the screen beneath it, as captured at menu-loop start, darkened: the
// inner line from the screen colour alone, the outer one from its mean with
// the menu background, which softens the edge.
#include <windows.h>
#include <olectl.h>
#include "control/Quillon.h"
#include "menu/MenuItem.h"
#include "render/ColorUtils.h"
#include "render/ItemPainting.h"

namespace quillon {
namespace {

// A memory DC holding the screen capture's bitmap; the DC's own bitmap is
// put back before the DC goes.
class CaptureDC {
public:
    CaptureDC(HDC compatible, IPictureDisp* capture) noexcept {
        if (!capture) return;
        IPicture* picture = nullptr;
        if (FAILED(capture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))) || !picture) return;
        OLE_HANDLE handle = 0;
        const HRESULT hr = picture->get_Handle(&handle);
        picture->Release();  // the control's reference keeps the bitmap alive
        if (FAILED(hr) || !handle) return;
        m_dc = CreateCompatibleDC(compatible);
        if (!m_dc) return;
        m_previous = SelectObject(m_dc, reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)));
        if (!m_previous) {
            DeleteDC(m_dc);
            m_dc = nullptr;
        }
    }
    ~CaptureDC() {
        if (!m_dc) return;
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    CaptureDC(const CaptureDC&) = delete;
    CaptureDC& operator=(const CaptureDC&) = delete;
    HDC get() const noexcept { return m_dc; }

private:
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

// How far from the corner the shadow starts: the first two pixels show
// the screen unchanged.
constexpr LONG kShadowOffset = 2;
// Shadow lines, innermost first.
constexpr LONG kShadowWidth = 2;

}  // namespace

void Quillon::DrawRightShadow(HWND hwnd, HDC windowDC, const CMenuItem&, LONG yFrom, LONG yTo) {
    CaptureDC capture(windowDC, m_ScreenCapture.get());
    if (!capture.get()) return;
    RECT wr{};
    if (!GetWindowRect(hwnd, &wr)) return;
    const LONG W = wr.right - wr.left;
    const COLORREF back = PaintColor(*this, ColorRole::MenuBackground);
    for (LONG line = 0; line < kShadowWidth; ++line) {
        const LONG x = W - kShadowWidth + line;
        Shade shade(back, static_cast<float>(line) / 2.0f);
        for (LONG y = yFrom; y <= yTo; ++y) {
            const COLORREF screen = GetPixel(capture.get(), x + wr.left, y + wr.top);
            if (screen == CLR_INVALID) continue;  // off the captured screen
            SetPixelV(windowDC, x, y, y < kShadowOffset ? screen : shade(screen));
        }
    }
}

void Quillon::DrawBottomShadow(HWND hwnd, HDC windowDC, const CMenuItem&) {
    CaptureDC capture(windowDC, m_ScreenCapture.get());
    if (!capture.get()) return;
    RECT wr{};
    if (!GetWindowRect(hwnd, &wr)) return;
    const LONG W = wr.right - wr.left, H = wr.bottom - wr.top;
    const COLORREF back = PaintColor(*this, ColorRole::MenuBackground);
    for (LONG line = 0; line < kShadowWidth; ++line) {
        const LONG y = H - kShadowWidth + line;
        Shade shade(back, static_cast<float>(line) / 2.0f);
        for (LONG x = 0; x < W; ++x) {
            const COLORREF screen = GetPixel(capture.get(), x + wr.left, y + wr.top);
            if (screen == CLR_INVALID) continue;
            SetPixelV(windowDC, x, y, x < kShadowOffset ? screen : shade(screen));
        }
    }
}

}  // namespace quillon
