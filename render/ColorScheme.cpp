// Colour schemes: the dark palette, the user's app theme and high contrast.
#include "render/ColorScheme.h"
#include <cwchar>
#include "control/ApiDeclares.h"

namespace quillon {
namespace {
constexpr COLORREF kDarkXpBox = RGB(62, 62, 62);
}

COLORREF DarkSystemColor(int index) noexcept {
    switch (index) {
    case COLOR_MENU: return RGB(43, 43, 43);
    case COLOR_MENUBAR: return RGB(32, 32, 32);
    case COLOR_MENUTEXT: return RGB(240, 240, 240);
    case COLOR_GRAYTEXT: return RGB(170, 170, 170);
    case COLOR_HIGHLIGHT: return RGB(0, 95, 184);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNSHADOW: return RGB(110, 110, 110);
    case COLOR_BTNFACE: return RGB(51, 51, 51);
    case COLOR_INFOBK: return RGB(43, 43, 43);
    case COLOR_INFOTEXT: return RGB(240, 240, 240);
    default: return RGB(43, 43, 43);
    }
}

bool ColorScheme::Choose(LONG scheme) noexcept {
    const bool wasDark = Dark();
    m_chosen = scheme;
    if (scheme == qlColorSchemeAuto) m_appsDark = AppsUseDarkTheme();
    return Dark() != wasDark;
}

bool ColorScheme::Refresh() noexcept {
    const bool wasDark = Dark(), wasHighContrast = m_highContrast;
    m_highContrast = HighContrastOn();
    if (m_chosen == qlColorSchemeAuto) m_appsDark = AppsUseDarkTheme();
    return Dark() != wasDark || m_highContrast != wasHighContrast;
}

DefaultColors ColorScheme::Defaults(LONG highlightStyle) const {
    const bool dark = m_chosen == qlColorSchemeDark || (m_chosen == qlColorSchemeAuto && m_appsDark);
    if (!dark) return ComputeSystemDefaultColors(highlightStyle);
    // The dark bar has a colour of its own, as flat menu bars do.
    DefaultColors d = ComputeDefaultColors(highlightStyle, DarkSystemColor, true);
    if (highlightStyle == 9)
        // Lightening the dark bar, as XP does, would hardly show: a box a
        // few shades lighter than the menu, outlined in the highlight colour.
        d[ColorRole::MenuHighlight] = kDarkXpBox;
    else
        // The picture column a shade apart, so that separators are drawn in
        // the menu's own colours rather than the system's light 3D edge.
        d[ColorRole::BitmapBackground] = DarkSystemColor(COLOR_BTNFACE);
    return d;
}

COLORREF ColorScheme::HighContrastColor(ColorRole role) noexcept {
    switch (role) {
    case ColorRole::MenuBackground:
    case ColorRole::BitmapBackground:
    case ColorRole::MenuBarBackground: return GetSysColor(COLOR_MENU);
    case ColorRole::TextColor: return GetSysColor(COLOR_MENUTEXT);
    case ColorRole::DisabledTextColor: return GetSysColor(COLOR_GRAYTEXT);
    case ColorRole::HighlightedTextColor: return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case ColorRole::MenuHighlight:
    case ColorRole::MenuHighlightBorder: return GetSysColor(COLOR_HIGHLIGHT);
    case ColorRole::TootipBackground: return GetSysColor(COLOR_INFOBK);
    case ColorRole::TootipTextColor: return GetSysColor(COLOR_INFOTEXT);
    }
    return GetSysColor(COLOR_MENU);
}

bool ColorScheme::AppsUseDarkTheme() noexcept {
    DWORD light = 1, size = sizeof light;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                                        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

bool ColorScheme::HighContrastOn() noexcept {
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON)) return true;
    if (!ApiDeclares::RunningOnWine()) return false;
    // Wine answers the setting with "off" whatever the user set; it is read
    // where Windows keeps it, the flags as a decimal string.
    wchar_t flags[16] = {};
    DWORD size = sizeof flags;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags", RRF_RT_REG_SZ, nullptr,
                     flags, &size) != ERROR_SUCCESS)
        return false;
    return (wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace quillon
