#pragma once
// Form measurements are kept in twips (1/1440 inch); windows are sized in
// pixels of the screen's logical resolution.
#include <windows.h>

namespace demo {

// The screen's logical pixels per inch along LOGPIXELSX or LOGPIXELSY.
int ScreenPixelsPerInch(int index);
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

// Outer size of a window whose client area is `clientW` by `clientH` pixels.
SIZE WindowSizeForClient(int clientW, int clientH, DWORD style, DWORD exStyle, bool menu);

}  // namespace demo
