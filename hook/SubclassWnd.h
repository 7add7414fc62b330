#pragma once
// The registry of hooked windows and the one window procedure they share.
// There is one registry per user-interface thread; every listener on that
// thread shares it. All calls run on the thread that owns the windows.
#include <windows.h>
#include "hook/SubclassInfo.h"
#include "hook/SubclassListener.h"

namespace quillon::SubclassWnd {

// Handle 0 does nothing. A hooked window is unhooked first, so oldWndProc
// never points at SharedWindowProc and the message list starts empty.
// Throws Win32Failure when the window procedure cannot be replaced.
void HookWindow(HWND hwnd, cSubclassListener* listener);

// Restores the previous procedure and drops the record; silent when the
// window is not hooked.
void UnhookWindow(HWND hwnd) noexcept;

bool IsWindowHooked(HWND hwnd) noexcept;

// Calls the procedure that was installed before the hook. An empty registry
// gives 0; a window that is not hooked throws Win32Failure.
LRESULT CallOriginalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Throws Win32Failure when the window is not hooked (and the registry is not empty).
void HookWindowMessage(HWND hwnd, UINT msg);
void UnhookWindowMessage(HWND hwnd, UINT msg) noexcept;

LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Inspection, for the control's release checks and for tests.
size_t HookedWindowCount() noexcept;
// The window's record, valid while it stays hooked; nullptr when not hooked.
const cSubclassInfo* FindRecord(HWND hwnd) noexcept;
// Whether the window's messages reach its listener in their Unicode form
// (characters as UTF-16, texts as wide strings): true for a window hooked
// with the Unicode functions; for one not hooked, whether it is Unicode.
bool ReceivesUnicode(HWND hwnd) noexcept;

}  // namespace quillon::SubclassWnd
