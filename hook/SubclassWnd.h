#pragma once
// The registry of hooked windows and the one window procedure they share.
// There is one registry per user-interface thread; every listener on that
// thread shares it. All calls run on the thread that owns the windows.
#include <windows.h>
#include "hook/SubclassInfo.h"
#include "hook/SubclassListener.h"

namespace quillon::SubclassWnd {

// Handle 0 does nothing. A window is subclassed once: oldWndProc never
// points at SharedWindowProc. Hooked again by the same listener, its message
// list starts empty; a further listener is offered the window's messages
// before the earlier ones, as if it had subclassed the window after them.
// Throws Win32Failure when the window procedure cannot be replaced.
void HookWindow(HWND hwnd, cSubclassListener* listener);

// Drops every listener's record (or only `listener`'s) and, with the last,
// restores the previous procedure while the window's procedure is still the
// shared one. When someone subclassed the window after the hook, the shared
// procedure stays in that chain and passes every message on until
// WM_NCDESTROY. Silent when the window is not hooked.
void UnhookWindow(HWND hwnd) noexcept;
void UnhookWindow(HWND hwnd, cSubclassListener* listener) noexcept;

bool IsWindowHooked(HWND hwnd) noexcept;

// Calls the procedure that was installed before the hook; from inside a
// listener, the listeners hooked before it first. An empty registry gives 0;
// a window that is not hooked throws Win32Failure.
LRESULT CallOriginalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The message list of `listener`'s record (null: the newest listener's).
// Throws Win32Failure when the window is not hooked (by `listener`) and the
// registry is not empty.
void HookWindowMessage(HWND hwnd, UINT msg);
void HookWindowMessage(HWND hwnd, UINT msg, cSubclassListener* listener);
void UnhookWindowMessage(HWND hwnd, UINT msg) noexcept;
void UnhookWindowMessage(HWND hwnd, UINT msg, cSubclassListener* listener) noexcept;

LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Inspection, for the control's release checks and for tests.
size_t HookedWindowCount() noexcept;
// The window's newest record, valid while it stays hooked; nullptr when not hooked.
const cSubclassInfo* FindRecord(HWND hwnd) noexcept;
// Whether the window's messages reach its listener in their Unicode form
// (characters as UTF-16, texts as wide strings): true for a window hooked
// with the Unicode functions; for one not hooked, whether it is Unicode.
bool ReceivesUnicode(HWND hwnd) noexcept;

}  // namespace quillon::SubclassWnd
