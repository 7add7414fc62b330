#pragma once
// The highlight painter: the ten qlHighlight styles.
#include <windows.h>
#include "control/QuillonInterfaces.h"

namespace quillon {

// How the per-pixel styles (Diagonal, Radial) reach the device context:
// `Buffered` computes the pixels into a DIB section and copies them with one
// blit when the target takes true colour unchanged (otherwise it falls back
// to `PerPixel`); `PerPixel` sets each pixel with SetPixelV.
enum class PixelPath { Buffered, PerPixel };

// Paints `rect` in `style` from c1 towards c2; any unknown style is Plain.
// `rect` is scratch: on return its horizontal (or vertical) edges hold the
// last band painted. A gradient style with an empty rectangle paints nothing.
// True when a 32-bit top-down DIB copied to `hDC` lands exactly as
// SetPixelV would set the same colours: a true-colour target (24 or 32 bits)
// without mapping or world transforms.
bool TakesTrueColorBlit(HDC hDC) noexcept;

void FillHighlight(HDC hDC, RECT& rect, COLORREF c1, LONG style, COLORREF c2,
                   PixelPath path = PixelPath::Buffered) noexcept;

}  // namespace quillon
