// The message dispatcher: for each hooked message, which handler runs,
// whether the window's previous procedure still gets the message, and whose
// result the system sees. Messages not listed here pass on untouched.
#include <windows.h>
#include <commctrl.h>
#include "control/ApiDeclares.h"
#include "control/MenuAnimation.h"
#include "control/MenuMessages.h"
#include "control/PendingMessages.h"
#include "control/Quillon.h"
#include "hook/SubclassWnd.h"

namespace quillon {

LRESULT Quillon::WindowMsgListener(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool& route) {
    LRESULT result = 0;
    switch (msg) {
    // Bursts while a menu is open: straight to the handler.
    case WM_DRAWITEM:
        OnDrawItem(hwnd, wParam, lParam, route, result);
        break;
    case WM_MEASUREITEM:
        OnMeasureItem(wParam, lParam, route, result);
        break;
    case WM_MENUSELECT:
        OnMenuSelect(hwnd, wParam, lParam, route, result);
        break;
    case WM_NCMOUSEMOVE:
        OnNcMouseMove(hwnd, wParam, lParam, route, result);
        break;
    case WM_MENUCHAR:
        OnMenuChar(hwnd, wParam, lParam, route, result);
        break;
    case WM_INITMENU:
        OnInitMenu(hwnd, wParam, lParam, route, result);
        break;

    case WM_INITMENUPOPUP:
        // The form's own code updates the popup first, exactly once; then
        // what it posted is handled; then the popup is converted and
        // measured with the metrics of this moment.
        m_menuMetrics.Invalidate();
        SubclassWnd::CallOriginalWindowProc(hwnd, msg, wParam, lParam);
        ProcessPendingMessages();
        ProcessPendingMessages();
        result = OnInitMenuPopup(hwnd, wParam, lParam, route);
        route = false;
        break;

    case WM_ENTERMENULOOP:
        m_NCTimer.Stop();
        m_bMenuLoopActive = true;
        m_menuMetrics.Invalidate();
        GrabScreen();
        ClearBarHighlight(hwnd);
        break;
    case WM_EXITMENULOOP:
        m_bMenuLoopActive = false;
        m_bHot = false;
        ReleaseScreenCapture();
        break;

    case WM_ACTIVATE:
        if (wParam == WA_ACTIVE || wParam == WA_CLICKACTIVE) MenuAnimation::SetForSession(FALSE);
        break;
    case WM_ACTIVATEAPP:
        OnActivateApp(wParam);
        break;

    // The window moved to a display of another DPI, or the system's changed.
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
        m_menuMetrics.Invalidate();
        FollowDpiChange(hwnd);
        break;
    case WM_SYSCOLORCHANGE:
        FollowColorSettings();
        break;
    case WM_SETTINGCHANGE:
        m_menuMetrics.Invalidate();
        FollowDpiChange(hwnd);
        FollowColorSettings();  // high contrast, or the app theme ("ImmersiveColorSet")
        [[fallthrough]];
    case WM_GETMINMAXINFO:
        if (ItemCount() > 0) RefreshColors(hwnd);
        break;

    case WM_NOTIFY:
        OnNotify(lParam);
        break;

    case WM_DESTROY:
        RegisterWindowMenu(hwnd, true);
        if (hwnd == m_hwndMDIClient) m_hwndMDIClient = nullptr;
        break;

    case WM_MDIDESTROY:
        // The child's menus still exist now; purge once they are gone.
        PostMessageA(hwnd, WM_PURGEMENUITEMS, 0, 0);
        break;
    case WM_PURGEMENUITEMS:
        ProcessPendingMessages();
        PurgeDeadItems();
        break;

    case WM_MDIACTIVATE:
        if (wParam && hwnd == m_hwndMDIClient) RegisterWindowMenu(reinterpret_cast<HWND>(wParam), false);
        OnMDIActivate(hwnd, wParam, lParam);
        break;
    case WM_MDISETMENU:
        StartMenuBarRepaint();
        break;

    case TTM_WINDOWFROMPOINT:
        // Only the tooltip window hooks it: while a menu tip is shown, the
        // tip belongs to the window it was shown for.
        if (m_hwndTooltipShownFor) {
            result = reinterpret_cast<LRESULT>(m_hwndTooltipShownFor);
            route = false;
        }
        break;

    default:  // WM_CONTEXTMENU and anything else
        break;
    }
    return result;
}

void Quillon::OnActivateApp(WPARAM wParam) {
    if (ApiDeclares::IsWindowsNT3() || ApiDeclares::IsWindows95() || ApiDeclares::IsWindowsNT4()) return;
    if (wParam)
        MenuAnimation::SetForSession(FALSE);
    else if (m_bMenuAnimationRead)
        MenuAnimation::SetForSession(MenuAnimation::UserSetting());
}

void Quillon::OnNotify(LPARAM lParam) {
    if (!lParam || !m_Tooltip) return;
    NMHDR header;
    CopyMemory(&header, reinterpret_cast<const void*>(lParam), sizeof header);
    if (static_cast<int>(header.code) == static_cast<int>(TTN_SHOW))
        SetWindowPos(m_Tooltip->hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

}  // namespace quillon
