#include "control/PendingMessages.h"

namespace quillon {
namespace {

// A message is taken off the queue in the form its window reads it, so a
// character or text for a Unicode window never passes through the ANSI
// code page; thread messages and ANSI windows keep the ANSI functions.
bool TakeMessage(MSG& msg, bool& unicode) noexcept {
    MSG next;
    if (!PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE)) return false;
    unicode = next.hwnd && IsWindowUnicode(next.hwnd);
    return unicode ? PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE
                   : PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE;
}

}  // namespace

void ProcessPendingMessages() noexcept {
    MSG msg;
    bool unicode = false;
    while (TakeMessage(msg, unicode)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        if (unicode)
            DispatchMessageW(&msg);
        else
            DispatchMessageA(&msg);
    }
}

}  // namespace quillon
