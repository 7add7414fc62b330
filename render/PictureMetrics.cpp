#include "render/PictureMetrics.h"
#include "control/ole/ComPtr.h"
#include "render/ColorUtils.h"

namespace quillon {

namespace {

int ReadScreenDpi(int logPixelsIndex) noexcept {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, logPixelsIndex) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The screen's pixels per inch, read once: the painters convert every
// picture of a menu for every item they draw.
int ScreenDpi(int logPixelsIndex) noexcept {
    static const int x = ReadScreenDpi(LOGPIXELSX);
    static const int y = ReadScreenDpi(LOGPIXELSY);
    return logPixelsIndex == LOGPIXELSY ? y : x;
}

}  // namespace

LONG HimetricToPixels(LONG himetric, int logPixelsIndex) noexcept {
    return static_cast<LONG>(RoundHalfEven(static_cast<double>(himetric) * ScreenDpi(logPixelsIndex) / 2540.0));
}

bool GetPictureMetrics(IPicture* picture, PictureMetrics& metrics) noexcept {
    metrics = PictureMetrics{};
    if (!picture) return false;
    OLE_XSIZE_HIMETRIC cx = 0;
    OLE_YSIZE_HIMETRIC cy = 0;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Width(&cx)) || FAILED(picture->get_Height(&cy))) return false;
    if (FAILED(picture->get_Type(&metrics.type)) || FAILED(picture->get_Handle(&handle)) || !handle) {
        metrics = PictureMetrics{};
        return false;
    }
    metrics.handle = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle));
    metrics.width = HimetricToPixels(cx, LOGPIXELSX);
    metrics.height = HimetricToPixels(cy, LOGPIXELSY);
    metrics.pixelWidth = metrics.width;
    metrics.pixelHeight = metrics.height;
    return true;
}

PictureMetrics ShownAtDpi(const PictureMetrics& picture, UINT dpi, bool libraryIcon) noexcept {
    PictureMetrics shown = picture;
    LONG w = picture.pixelWidth ? picture.pixelWidth : picture.width;
    LONG h = picture.pixelHeight ? picture.pixelHeight : picture.height;
    shown.pixelWidth = w;
    shown.pixelHeight = h;
    if (libraryIcon && w > 0 && h > 0) {
        constexpr LONG kIconAt96 = 16;
        const LONG longer = w > h ? w : h;
        w = MulDiv(w, kIconAt96, longer);
        h = MulDiv(h, kIconAt96, longer);
    }
    shown.width = MulDiv(w, static_cast<int>(dpi), 96);
    shown.height = MulDiv(h, static_cast<int>(dpi), 96);
    return shown;
}

bool GetPictureMetrics(IPictureDisp* picture, PictureMetrics& metrics) noexcept {
    metrics = PictureMetrics{};
    if (!picture) return false;
    ComPtr<IPicture> pic;
    if (FAILED(picture->QueryInterface(IID_IPicture, pic.put_void())) || !pic) return false;
    return GetPictureMetrics(pic.get(), metrics);
}

}  // namespace quillon
