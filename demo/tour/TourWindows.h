#pragma once
// What the tour does and sees on screen: real input (mouse and keyboard
// through the system's input queue) and the windows and menus of this thread
// found by class, caption and command.
#include <windows.h>
#include <string>
#include <vector>

namespace demo::tour {

void MoveMouse(POINT p);
void Click(POINT p, bool right = false);
// `vk`, held together with `modifier` (VK_CONTROL, say) when one is given.
void PressKey(WORD vk, WORD modifier = 0);

POINT Center(const RECT& r);

// Visible top-level windows of this thread of the given class (null: any).
std::vector<HWND> ThreadWindows(const wchar_t* windowClass);
std::wstring ClassOf(HWND w);
std::wstring TextOf(HWND w);

// Menus: `command` may sit in a submenu at any depth.
bool MenuHolds(HMENU menu, UINT command);
// Position in `menu` of the item `command` or of the submenu holding it; -1.
int PositionOf(HMENU menu, UINT command);
// The submenu of `menu` that holds `command`; null when none.
HMENU SubmenuHolding(HMENU menu, UINT command);
std::wstring ItemText(HMENU menu, UINT command);  // without the shortcut
// The visible popup menu window showing `menu`; null when it is not shown.
HWND PopupWindowOf(HMENU menu);
// The menu shown by the visible popup menu window listed first; null.
HMENU AnyShownPopup();
bool AnyPopupShown();

// The dialog of this thread with this caption, when visible.
HWND FindDialog(const wchar_t* caption);
// A child button by caption (trailing blanks ignored).
HWND ButtonByCaption(HWND dialog, const std::wstring& caption);
// Caption of the checked radio button of the dialog (empty when none).
std::wstring CheckedRadio(HWND dialog);
bool IsChecked(HWND button);

// The status line: the static control in the frame's bottom picture box.
HWND StatusLine(HWND frame);

// This thread's DPI awareness: 2 per monitor, 1 system, 0 none; where the
// system cannot tell (before Windows 10 1607), 1 when aware at all.
int DpiAwareness();

// The visible tooltip window of this thread; null when none is shown.
HWND VisibleTooltip();
std::wstring TooltipText(HWND tip);

}  // namespace demo::tour
