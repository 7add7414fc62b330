#pragma once
// What the painters need of a picture object: its type, its GDI handle and
// its size in screen pixels.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

namespace quillon {

// HIMETRIC to screen pixels along LOGPIXELSX or LOGPIXELSY, rounded half to even.
LONG HimetricToPixels(LONG himetric, int logPixelsIndex) noexcept;

struct PictureMetrics {
    SHORT type = PICTYPE_UNINITIALIZED;
    HANDLE handle = nullptr;
    LONG width = 0;   // pixels
    LONG height = 0;  // pixels

    // What DrawStateA can draw: a bitmap or an icon with a handle. Anything
    // else would reach it as DST_COMPLEX without the callback that needs.
    bool Drawable() const noexcept { return handle && (type == PICTYPE_BITMAP || type == PICTYPE_ICON); }
};

// False (and empty metrics) when `picture` is null, empty (no handle) or
// does not answer.
bool GetPictureMetrics(IPictureDisp* picture, PictureMetrics& metrics) noexcept;
bool GetPictureMetrics(IPicture* picture, PictureMetrics& metrics) noexcept;

}  // namespace quillon
