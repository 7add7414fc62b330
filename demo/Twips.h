#pragma once
// Form measurements are kept in twips (1/1440 inch); windows are sized in
// pixels of the DPI they are shown at. DemoHost is per-monitor DPI aware
// (DemoHost.manifest), so a window's DPI is its monitor's.
#include <windows.h>

namespace demo {

// The DPI `window` is shown at (GetDpiForWindow, Windows 10 1607 and later);
// where the system cannot tell, and for no window, the screen's logical DPI.
int DpiOf(HWND window);
int TwipsToPixels(int twips, int dpi);

// Outer size of a window whose client area is `clientW` by `clientH`
// pixels, with the frame it has at `dpi`.
SIZE WindowSizeForClient(int clientW, int clientH, DWORD style, DWORD exStyle, bool menu, int dpi);

}  // namespace demo
