#pragma once
// Copying computed pixels to a device in one call. Setting pixels one by
// one, or selecting a bitmap into a memory DC for every item, is slow on
// some systems; on a true-colour target one SetDIBitsToDevice of 32-bit
// pixels lands exactly where and as SetPixelV would.
#include <windows.h>

namespace quillon {

// True when a 32-bit top-down DIB copied to `hDC` lands exactly as
// SetPixelV would set the same colours: a true-colour target (24 or 32 bits)
// without mapping or world transforms.
bool TakesTrueColorBlit(HDC hDC) noexcept;

// A COLORREF as a 32-bit DIB pixel (0x00RRGGBB).
constexpr DWORD DibPixel(COLORREF c) noexcept {
    return (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
}

// Copies the top-left width x height pixels of top-down 32-bit rows
// `stride` pixels long to (x, y) of `hDC`. The caller checks
// TakesTrueColorBlit first; false when nothing was copied.
bool CopyTrueColorPixels(HDC hDC, LONG x, LONG y, LONG width, LONG height, const DWORD* rows, LONG stride) noexcept;

}  // namespace quillon
