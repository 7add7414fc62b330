#pragma once
// The system's menu-animation setting. The control switches animation off
// while its application is active, for the session only: the user's own
// setting in the profile is never written.
#include <windows.h>

namespace quillon::MenuAnimation {

UINT Read() noexcept;                  // TRUE or FALSE; TRUE when it cannot be read
void SetForSession(UINT on) noexcept;  // no profile update, no broadcast

}  // namespace quillon::MenuAnimation
