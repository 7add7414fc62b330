#pragma once
// The system's menu metrics that measuring and painting read for every
// item: the menu bar height and the check-mark width. Some systems answer
// GetSystemMetrics slowly for these (tens of microseconds a call under
// Wine, which works them out from the menu font each time), so they are
// read once and again only after Invalidate: the control invalidates them
// when a popup opens, when a menu loop starts and when settings change.
#include <windows.h>

namespace quillon {

class SystemMenuMetrics {
public:
    LONG MenuHeight() const noexcept { return Read(m_menuHeight, SM_CYMENU); }
    LONG CheckWidth() const noexcept { return Read(m_checkWidth, SM_CXMENUCHECK); }
    void Invalidate() noexcept { m_menuHeight = m_checkWidth = kUnread; }

private:
    static constexpr LONG kUnread = -1;
    static LONG Read(LONG& slot, int index) noexcept {
        if (slot == kUnread) slot = GetSystemMetrics(index);
        return slot;
    }
    mutable LONG m_menuHeight = kUnread;
    mutable LONG m_checkWidth = kUnread;
};

}  // namespace quillon
