#pragma once
// The highlight painter: the ten qlHighlight styles.
#include <windows.h>
#include "control/QuillonInterfaces.h"
#include "render/TrueColorPixels.h"

namespace quillon {

// How the gradients reach the device context: `Buffered` computes the
// pixels (or gathers the bands) into a buffer and copies them with one blit
// when the target takes true colour unchanged, otherwise falling back to
// `Direct`; `Direct` fills each band with a brush of its own and sets each
// pixel of the per-pixel styles (Diagonal, Radial) with SetPixelV. Both
// give the same pixels.
enum class PixelPath { Buffered, Direct };

// Paints `rect` in `style` from c1 towards c2; any unknown style is Plain.
// `rect` is scratch: on return its horizontal (or vertical) edges hold the
// last band painted. A gradient style with an empty rectangle paints nothing.
void FillHighlight(HDC hDC, RECT& rect, COLORREF c1, LONG style, COLORREF c2,
                   PixelPath path = PixelPath::Buffered) noexcept;

}  // namespace quillon
