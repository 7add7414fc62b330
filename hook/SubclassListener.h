#pragma once
#include <windows.h>
#include <unknwn.h>

namespace quillon {

// Receives the hooked messages of the windows it hooked. The registry holds a
// strong (AddRef'd) reference to it for as long as any of them stays hooked.
// Leaving bRouteToOriginal true lets the window's previous procedure run after
// the listener, and the system then gets the previous procedure's result.
struct cSubclassListener : public IUnknown {
    virtual LRESULT WindowMsgListener(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      bool& bRouteToOriginal) = 0;
};

}  // namespace quillon
