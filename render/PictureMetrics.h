#pragma once
// What the painters need of a picture object: its type, its GDI handle and
// its size in screen pixels.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include "control/ole/ComPtr.h"

namespace quillon {

// HIMETRIC to screen pixels along LOGPIXELSX or LOGPIXELSY, rounded half to even.
LONG HimetricToPixels(LONG himetric, int logPixelsIndex) noexcept;

struct PictureMetrics {
    SHORT type = PICTYPE_UNINITIALIZED;
    HANDLE handle = nullptr;
    LONG width = 0;   // pixels, as shown
    LONG height = 0;  // pixels, as shown
    LONG pixelWidth = 0;   // the picture's own pixels; 0: as shown
    LONG pixelHeight = 0;

    // Shown at another size than its own: drawn scaled.
    bool Scaled() const noexcept {
        return (pixelWidth && pixelWidth != width) || (pixelHeight && pixelHeight != height);
    }

    // What DrawStateA can draw: a bitmap or an icon with a handle. Anything
    // else would reach it as DST_COMPLEX without the callback that needs.
    bool Drawable() const noexcept { return handle && (type == PICTYPE_BITMAP || type == PICTYPE_ICON); }
};

// False (and empty metrics) when `picture` is null, empty (no handle) or
// does not answer.
bool GetPictureMetrics(IPictureDisp* picture, PictureMetrics& metrics) noexcept;
bool GetPictureMetrics(IPicture* picture, PictureMetrics& metrics) noexcept;

// A picture as shown at `dpi`. A host's picture is made for 96 DPI and grows
// with the DPI; an icon of the resource library is loaded for the DPI and
// stands for a 16-pixel picture at 96. Width and height keep their ratio.
PictureMetrics ShownAtDpi(const PictureMetrics& picture, UINT dpi, bool libraryIcon) noexcept;

// The metrics of one picture object, read once for as long as the same
// object is asked about: a menu asks for the pictures of all its items
// whenever one item is measured or drawn, and a picture object keeps its
// size and handle for life. The cache holds a reference of its own, so
// another object can never turn up at the address it knows; Reset gives
// the reference up.
class CachedPictureMetrics {
public:
    // Null when `picture` is null, empty or does not answer.
    const PictureMetrics* Of(IPictureDisp* picture) noexcept {
        if (picture != m_of.get() || !m_read) {
            m_of = picture;
            m_ok = GetPictureMetrics(picture, m_metrics);
            m_read = true;
        }
        return m_ok ? &m_metrics : nullptr;
    }
    void Reset() noexcept {
        m_of.Reset();
        m_read = m_ok = false;
    }

private:
    ComPtr<IPictureDisp> m_of;
    PictureMetrics m_metrics;
    bool m_read = false;
    bool m_ok = false;
};

}  // namespace quillon
