#include "render/ColorUtils.h"
#include <cmath>
#include "control/ApiDeclares.h"

namespace quillon {
namespace {

int Channel(float value) noexcept {
    long v = RoundHalfEven(static_cast<double>(value));
    if (v > 255) v = 255;
    if (v < 0) v = 0;
    return static_cast<int>(v);
}

}  // namespace

long RoundHalfEven(double value) noexcept {
    const double floor = std::floor(value);
    const double diff = value - floor;
    long whole = static_cast<long>(floor);
    if (diff > 0.5) return whole + 1;
    if (diff < 0.5) return whole;
    return (whole % 2 == 0) ? whole : whole + 1;
}

void SplitColor(COLORREF color, int& r, int& g, int& b) noexcept {
    r = static_cast<int>(color & 0xFF);
    g = static_cast<int>((color >> 8) & 0xFF);
    b = static_cast<int>((color >> 16) & 0xFF);
}

COLORREF ScaleColor(COLORREF color, float factor) noexcept {
    int r, g, b;
    SplitColor(color, r, g, b);
    return RGB(Channel(static_cast<float>(r) * factor), Channel(static_cast<float>(g) * factor),
               Channel(static_cast<float>(b) * factor));
}

COLORREF DarkenColor(COLORREF color) noexcept { return ScaleColor(color, 0.8f); }

COLORREF LightenColor(COLORREF color) noexcept { return ScaleColor(color, 1.1f); }

COLORREF BlendColors(COLORREF c1, COLORREF c2, float weight) noexcept {
    if (weight > 1.0f) weight = 1.0f;
    if (weight < 0.0f) weight = 0.0f;
    int r1, g1, b1, r2, g2, b2;
    SplitColor(c1, r1, g1, b1);
    SplitColor(c2, r2, g2, b2);
    const float rest = 1.0f - weight;
    auto mix = [&](int a, int b) {
        return Channel(rest * static_cast<float>(b) + weight * static_cast<float>(a));
    };
    return RGB(mix(r1, r2), mix(g1, g2), mix(b1, b2));
}

COLORREF SystemColor(DWORD color) noexcept {
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0x7FFFFFFFu));
    return color;
}

DefaultColors ComputeDefaultColors(LONG highlightStyle, const std::function<COLORREF(int)>& sysColor,
                                   bool flatMenuBar) {
    DefaultColors d;
    using R = ColorRole;
    d[R::MenuBackground] = sysColor(COLOR_MENU);
    d[R::BitmapBackground] = sysColor(COLOR_MENU);
    d[R::MenuBarBackground] = sysColor(COLOR_MENU);
    d[R::TextColor] = sysColor(COLOR_MENUTEXT);
    d[R::DisabledTextColor] = sysColor(COLOR_GRAYTEXT);
    d[R::HighlightedTextColor] = sysColor(COLOR_HIGHLIGHTTEXT);
    d[R::MenuHighlight] = sysColor(COLOR_HIGHLIGHT);
    d[R::MenuHighlightBorder] = sysColor(COLOR_BTNSHADOW);
    d[R::TootipBackground] = sysColor(COLOR_INFOBK);
    d[R::TootipTextColor] = sysColor(COLOR_INFOTEXT);
    if (flatMenuBar) d[R::MenuBarBackground] = sysColor(COLOR_MENUBAR);

    if (highlightStyle != 9) return d;  // the adjustments below are for XP
    constexpr COLORREF kClassicGrey = 0xC8D0D4;
    if (d[R::MenuBackground] == kClassicGrey) d[R::MenuBackground] = sysColor(COLOR_HIGHLIGHTTEXT);
    if (d[R::MenuBackground] == d[R::TextColor]) d[R::MenuBackground] = sysColor(COLOR_MENU);
    if (d[R::MenuBackground] == 0xFFFFFF)
        d[R::BitmapBackground] = sysColor(COLOR_BTNFACE);
    else
        d[R::BitmapBackground] = DarkenColor(d[R::MenuBackground]);
    if (d[R::BitmapBackground] == kClassicGrey) {
        d[R::MenuHighlight] = 0xD6BEB5;
        d[R::MenuHighlightBorder] = 0x6B2408;
        return d;
    }
    d[R::MenuHighlightBorder] = sysColor(COLOR_HIGHLIGHT);
    if (d[R::MenuBarBackground] != 0)
        d[R::MenuHighlight] = LightenColor(d[R::MenuBarBackground]);
    else
        d[R::MenuHighlight] = DarkenColor(DarkenColor(DarkenColor(sysColor(COLOR_HIGHLIGHT))));
    if (d[R::MenuHighlight] == d[R::HighlightedTextColor]) d[R::HighlightedTextColor] = d[R::TextColor];
    return d;
}

DefaultColors ComputeSystemDefaultColors(LONG highlightStyle) {
    BOOL flat = FALSE;
    const bool flatMenuBar = ApiDeclares::OSVersionNumber() > 5.0 &&
                             SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0) && flat;
    return ComputeDefaultColors(highlightStyle, [](int index) { return GetSysColor(index); }, flatMenuBar);
}

}  // namespace quillon
