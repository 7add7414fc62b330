// Per-DPI menu metrics. The ...ForDpi functions and GetDpiForWindow are
// looked up at run time: older systems lack them, and there the screen's
// DPI is the only one.
#include "menu/SystemMenuMetrics.h"

namespace quillon {
namespace {

template <typename Fn>
Fn User32Function(const char* name) noexcept {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

}  // namespace

UINT SystemMenuMetrics::SystemDpi() noexcept {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UINT SystemMenuMetrics::Dpi() const noexcept {
    if (m_forcedDpi) return m_forcedDpi;
    if (m_dpi == kUnread) {
        static const GetDpiForWindowFn forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
        UINT dpi = m_window && forWindow ? forWindow(m_window) : 0;
        if (!dpi) dpi = SystemDpi();
        m_dpi = static_cast<LONG>(dpi);
    }
    return static_cast<UINT>(m_dpi);
}

LONG SystemMenuMetrics::Read(LONG& slot, int index) const noexcept {
    if (slot != kUnread) return slot;
    const UINT dpi = Dpi(), system = SystemDpi();
    if (dpi == system) {
        slot = GetSystemMetrics(index);
    } else {
        static const GetSystemMetricsForDpiFn forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
        slot = forDpi ? forDpi(index, dpi) : MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(system));
    }
    return slot;
}

bool SystemMenuMetrics::MenuFont(LOGFONTW& font) const noexcept {
    static const SystemParametersInfoForDpiFn forDpi =
        User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    const UINT dpi = Dpi();
    if (!forDpi || dpi == SystemDpi()) return false;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return false;
    font = metrics.lfMenuFont;
    return true;
}

}  // namespace quillon
