#pragma once
// The system's menu metrics that measuring and painting read for every
// item, for the DPI of the window whose menus are painted: that DPI, the
// menu bar height, the check-mark width, and the 96-DPI sizes of the
// control's own geometry scaled to it. Some systems answer GetSystemMetrics
// slowly for these (tens of microseconds a call under Wine, which works them
// out from the menu font each time), so they are read once and again only
// after Invalidate: the control invalidates them when a popup opens, when a
// menu loop starts, and when settings, the display or the window's DPI change.
#include <windows.h>

namespace quillon {

class SystemMenuMetrics {
public:
    static constexpr UINT kBaseDpi = 96;

    // The window whose DPI counts: the form's. Null: the screen's.
    void SetWindow(HWND window) noexcept {
        m_window = window;
        Invalidate();
        m_measuredDpi = Dpi();
    }
    // Tests paint for a DPI of their choosing; 0 goes back to the window's.
    void ForceDpi(UINT dpi) noexcept {
        m_forcedDpi = dpi;
        Invalidate();
    }

    UINT Dpi() const noexcept;
    // The DPI GetSystemMetrics and SystemParametersInfo answer for.
    static UINT SystemDpi() noexcept;
    // A size the control fixes in pixels at 96 DPI, at the DPI painted for.
    LONG Scale(LONG px96) const noexcept { return MulDiv(px96, static_cast<int>(Dpi()), kBaseDpi); }

    LONG MenuHeight() const noexcept { return Read(m_menuHeight, SM_CYMENU); }
    LONG CheckWidth() const noexcept { return Read(m_checkWidth, SM_CXMENUCHECK); }
    // What the shadow of Flat with Shadow takes on the right and below.
    LONG ShadowWidth() const noexcept { return Scale(2); }

    // The menu font as the system gives it for Dpi(); false when it cannot.
    bool MenuFont(LOGFONTW& font) const noexcept;

    void Invalidate() noexcept { m_dpi = m_menuHeight = m_checkWidth = kUnread; }

    // True once each time Dpi() has moved away from the DPI the menus were
    // last measured for; that DPI is then the new one.
    bool TakeDpiChange() noexcept {
        const UINT now = Dpi();
        if (now == m_measuredDpi) return false;
        m_measuredDpi = now;
        return true;
    }

private:
    static constexpr LONG kUnread = -1;
    LONG Read(LONG& slot, int index) const noexcept;
    HWND m_window = nullptr;
    UINT m_forcedDpi = 0;
    UINT m_measuredDpi = kBaseDpi;
    mutable LONG m_dpi = kUnread;
    mutable LONG m_menuHeight = kUnread;
    mutable LONG m_checkWidth = kUnread;
};

}  // namespace quillon
