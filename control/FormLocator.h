#pragma once
// Finding the form a control sits on: through the container's object model
// (the extender's "Parent" chain up to the first object with "hWnd"), or,
// for plain containers without an extender, from the site's window.
#include <windows.h>
#include <oaidl.h>

namespace quillon {

struct FormInfo {
    IDispatch* form = nullptr;  // owned; null when found through the site window
    HWND hwnd = nullptr;
    bool isMdiFrame = false;    // its window has an MDI client
    bool isMdiChild = false;
    FormInfo() = default;
    FormInfo(const FormInfo&) = delete;
    FormInfo& operator=(const FormInfo&) = delete;
    ~FormInfo();
};

namespace FormLocator {

// Follows GetParent to the last window reached; 0 on failure.
HWND GetTopLevelAncestor(HWND hwnd) noexcept;
// The window's child of class "MDIClient", or 0.
HWND FindMDIClient(HWND hwnd) noexcept;
// Starting at `start`, follows "Parent" until an object with "hWnd".
bool FindParentForm(IDispatch* start, FormInfo& form) noexcept;
// The first window from `site` upwards that is top-level or an MDI child.
bool FindFormWindow(HWND site, FormInfo& form) noexcept;
// True when `hwnd` was made by the calling thread: only such a window's
// messages ever reach this thread's hooks.
bool IsOnThisThread(HWND hwnd) noexcept;
// True when `child` is the active child of its MDI client. GetActiveWindow
// names top-level windows only, never the active MDI child.
bool IsActiveMdiChild(HWND child) noexcept;

}  // namespace FormLocator
}  // namespace quillon
