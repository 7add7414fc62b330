#pragma once
#include <windows.h>

namespace quillon {

// Dispatches every message waiting in the thread's queue, the way a form's
// event code lets the program catch up. A WM_QUIT found on the way is put
// back for the real message loop.
void ProcessPendingMessages() noexcept;

}  // namespace quillon
