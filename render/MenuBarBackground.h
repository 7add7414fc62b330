#pragma once
// The menu bar's own background while the menus are painted dark: the
// system paints the bar beyond its items with the brush of the bar's
// MENUINFO. The host's brush is put back when the menus are no longer dark
// and when the control lets the bar go.
#include <windows.h>

namespace quillon {

class MenuBarBackground {
public:
    MenuBarBackground() = default;
    MenuBarBackground(const MenuBarBackground&) = delete;
    MenuBarBackground& operator=(const MenuBarBackground&) = delete;
    ~MenuBarBackground() { Restore(); }

    // Paints `bar` in `color`; another bar than before gets its own brush
    // back first.
    void Paint(HMENU bar, COLORREF color) noexcept;
    // Gives the bar its own brush back.
    void Restore() noexcept;
    HMENU Bar() const noexcept { return m_bar; }

private:
    HMENU m_bar = nullptr;
    HBRUSH m_hostBrush = nullptr;
    HBRUSH m_brush = nullptr;
    COLORREF m_color = CLR_INVALID;
};

}  // namespace quillon
