#include "demo/Twips.h"

namespace demo {

int ScreenPixelsPerInch(int index) {
    HDC screen = GetDC(nullptr);
    const int ppi = screen ? GetDeviceCaps(screen, index) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

int TwipsToPixelsX(int twips) { return MulDiv(twips, ScreenPixelsPerInch(LOGPIXELSX), 1440); }
int TwipsToPixelsY(int twips) { return MulDiv(twips, ScreenPixelsPerInch(LOGPIXELSY), 1440); }

SIZE WindowSizeForClient(int clientW, int clientH, DWORD style, DWORD exStyle, bool menu) {
    RECT rc{0, 0, clientW, clientH};
    AdjustWindowRectEx(&rc, style, menu ? TRUE : FALSE, exStyle);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace demo
