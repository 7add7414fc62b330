#pragma once
// Colour arithmetic of the renderer and the default colours computed from
// the system palette. Colours are 0x00BBGGRR; a value with the top bit set
// is a reference to a system colour whose index is in the low bits.
#include <windows.h>
#include <functional>

namespace quillon {

// The ten colour roles of the control, in the order of its colour properties.
enum class ColorRole : int {
    MenuBackground,
    BitmapBackground,
    MenuBarBackground,
    TextColor,
    DisabledTextColor,
    HighlightedTextColor,
    MenuHighlight,
    MenuHighlightBorder,
    TootipBackground,
    TootipTextColor,
};
inline constexpr int kColorRoleCount = 10;

// A fractional value to a whole number: nearest, halves to even.
long RoundHalfEven(double value) noexcept;

void SplitColor(COLORREF color, int& r, int& g, int& b) noexcept;
// Each channel times `factor` (single precision), rounded and clamped to 255.
COLORREF ScaleColor(COLORREF color, float factor) noexcept;
COLORREF DarkenColor(COLORREF color) noexcept;   // ScaleColor(color, 0.8)
COLORREF LightenColor(COLORREF color) noexcept;  // ScaleColor(color, 1.1)
// weight * c1 + (1 - weight) * c2 per channel; the weight is clamped to 0..1.
COLORREF BlendColors(COLORREF c1, COLORREF c2, float weight) noexcept;
// A system-colour reference resolved to its current RGB value; any other
// value unchanged.
COLORREF SystemColor(DWORD color) noexcept;

// The ten default colours, indexed by ColorRole.
struct DefaultColors {
    COLORREF value[kColorRoleCount] = {};
    COLORREF& operator[](ColorRole role) { return value[static_cast<int>(role)]; }
    COLORREF operator[](ColorRole role) const { return value[static_cast<int>(role)]; }
};

// The defaults for `highlightStyle` from a palette (`sysColor` answers like
// GetSysColor); `flatMenuBar` is true on systems that draw flat menus with
// their own menu-bar colour.
DefaultColors ComputeDefaultColors(LONG highlightStyle, const std::function<COLORREF(int)>& sysColor,
                                   bool flatMenuBar);
// The same from the running system.
DefaultColors ComputeSystemDefaultColors(LONG highlightStyle);

}  // namespace quillon
