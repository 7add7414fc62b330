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
};

// False (and empty metrics) when `picture` is null or does not answer.
bool GetPictureMetrics(IPictureDisp* picture, PictureMetrics& metrics) noexcept;
bool GetPictureMetrics(IPicture* picture, PictureMetrics& metrics) noexcept;

}  // namespace quillon
