#pragma once
// The messages the control hooks on every menu-owning window, in the order
// in which they are added.
#include <windows.h>

namespace quillon {

// Private: posted to a hooked window after an MDI child was destroyed, so
// that the dead child's item records are purged once its menus are gone.
inline constexpr UINT WM_PURGEMENUITEMS = WM_USER + 101;  // 0x465

inline constexpr UINT kMenuMessageSet[] = {
    WM_INITMENU,       WM_INITMENUPOPUP, WM_MENUSELECT,      WM_MEASUREITEM,   WM_DRAWITEM,
    WM_MENUCHAR,       WM_NCMOUSEMOVE,   WM_ENTERMENULOOP,   WM_EXITMENULOOP,  WM_ACTIVATEAPP,
    WM_ACTIVATE,       WM_SYSCOLORCHANGE, WM_MDISETMENU,     WM_MDIACTIVATE,   WM_DESTROY,
    WM_SETTINGCHANGE,  WM_GETMINMAXINFO, WM_MDIDESTROY,      WM_PURGEMENUITEMS, WM_CONTEXTMENU,
    WM_NOTIFY,         WM_DPICHANGED,    WM_DISPLAYCHANGE,
};
static_assert(sizeof kMenuMessageSet / sizeof kMenuMessageSet[0] == 23);

}  // namespace quillon
