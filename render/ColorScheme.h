#pragma once
// Which palette the menus are painted in. The host chooses Classic (the
// system's classic colours), Dark, or Auto (dark while the user runs apps
// dark); the system's high-contrast setting overrides every choice while it
// is on: the system's own colours, plain highlights, no pictures behind text,
// no shadows. The choice is a property of the control; the user's settings
// are read again by Refresh, where the system says they changed.
#include <windows.h>
#include "control/QuillonInterfaces.h"
#include "render/ColorUtils.h"

namespace quillon {

class ColorScheme {
public:
    LONG Chosen() const noexcept { return m_chosen; }
    // True when the colours painted change.
    bool Choose(LONG scheme) noexcept;
    // Reads the user's app theme and high contrast again; true when the
    // colours painted change.
    bool Refresh() noexcept;

    bool Dark() const noexcept { return !m_highContrast && (m_chosen == qlColorSchemeDark || (m_chosen == qlColorSchemeAuto && m_appsDark)); }
    bool HighContrast() const noexcept { return m_highContrast; }

    // The computed default colours of the chosen scheme (high contrast aside:
    // the properties keep reading these).
    DefaultColors Defaults(LONG highlightStyle) const;
    // The colour painted for `role` while high contrast is on.
    static COLORREF HighContrastColor(ColorRole role) noexcept;

    // What the user's settings say now.
    static bool AppsUseDarkTheme() noexcept;
    static bool HighContrastOn() noexcept;

private:
    LONG m_chosen = qlColorSchemeClassic;
    bool m_appsDark = false;
    bool m_highContrast = false;
};

// The dark palette as GetSysColor would answer it: the classic defaults and
// the XP adjustments are computed from it as from the system's.
COLORREF DarkSystemColor(int index) noexcept;

}  // namespace quillon
