// The message sets the control hooks: the menu messages on every
// menu-owning window, TTM_WINDOWFROMPOINT on its tooltip window.
#include <windows.h>
#include <commctrl.h>
#include "control/MenuMessages.h"
#include "control/Quillon.h"
#include "hook/SubclassWnd.h"

namespace quillon {

void Quillon::HookMenuMessages(HWND hwnd) {
    for (UINT msg : kMenuMessageSet) SubclassWnd::HookWindowMessage(hwnd, msg);
}

void Quillon::UnhookMenuMessages(HWND hwnd) noexcept {
    for (UINT msg : kMenuMessageSet) SubclassWnd::UnhookWindowMessage(hwnd, msg);
}

void Quillon::HookTooltipWindow(HWND hwnd) {
    SubclassWnd::HookWindow(hwnd, this);
    SubclassWnd::HookWindowMessage(hwnd, TTM_WINDOWFROMPOINT);
}

void Quillon::UnhookTooltipWindow(HWND hwnd) noexcept {
    SubclassWnd::UnhookWindowMessage(hwnd, TTM_WINDOWFROMPOINT);
    SubclassWnd::UnhookWindow(hwnd);
}

}  // namespace quillon
