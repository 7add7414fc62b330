// The message sets the control hooks: the menu messages on every
// menu-owning window, TTM_WINDOWFROMPOINT on its tooltip window.
#include <windows.h>
#include <commctrl.h>
#include "control/MenuMessages.h"
#include "control/Quillon.h"
#include "hook/SubclassWnd.h"

namespace quillon {

void Quillon::HookMenuMessages(HWND hwnd) {
    for (UINT msg : kMenuMessageSet) SubclassWnd::HookWindowMessage(hwnd, msg, this);
}

void Quillon::UnhookMenuMessages(HWND hwnd) noexcept {
    for (UINT msg : kMenuMessageSet) SubclassWnd::UnhookWindowMessage(hwnd, msg, this);
}

void Quillon::HookTooltipWindow(HWND hwnd) {
    SubclassWnd::HookWindow(hwnd, this);
    SubclassWnd::HookWindowMessage(hwnd, TTM_WINDOWFROMPOINT, this);
}

void Quillon::UnhookTooltipWindow(HWND hwnd) noexcept {
    SubclassWnd::UnhookWindowMessage(hwnd, TTM_WINDOWFROMPOINT, this);
    SubclassWnd::UnhookWindow(hwnd, this);
}

}  // namespace quillon
