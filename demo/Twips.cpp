#include "demo/Twips.h"

namespace demo {
namespace {

// Looked up at run time: older systems lack them.
template <typename F>
F User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    const UINT dpi = window && getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : ScreenDpi();
}

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

SIZE WindowSizeForClient(int clientW, int clientH, DWORD style, DWORD exStyle, bool menu, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT rc{0, 0, clientW, clientH};
    if (!adjustForDpi || !adjustForDpi(&rc, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi))) {
        rc = RECT{0, 0, clientW, clientH};
        AdjustWindowRectEx(&rc, style, menu ? TRUE : FALSE, exStyle);
    }
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace demo
