#pragma once
// Picture helpers: a GDI handle wrapped in a picture object, and one colour
// swapped for another inside a rectangle of a device context.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include "control/ole/ComPtr.h"

namespace quillon {

// A picture object owning `handle` (PICTYPE_BITMAP = 1, PICTYPE_ICON = 3, ...);
// the picture deletes the handle when it goes. A null handle, or a failure,
// gives no picture (and the handle stays the caller's).
ComPtr<IPictureDisp> PictureFromHandle(HANDLE handle, SHORT type) noexcept;

// Every pixel of x..x+width, y..y+height (both ends included) whose colour
// is `oldColor` becomes `newColor`.
void ReplaceColor(HDC hDC, int x, int y, int width, int height, COLORREF newColor, COLORREF oldColor) noexcept;

}  // namespace quillon
