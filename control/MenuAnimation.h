#pragma once
// The system's menu-animation setting. The control switches animation off
// while its application is active, for the session only: the user's own
// setting in the profile is never written.
#include <windows.h>

namespace quillon::MenuAnimation {

UINT Read() noexcept;                  // TRUE or FALSE; TRUE when it cannot be read
void SetForSession(UINT on) noexcept;  // no profile update, no broadcast

// The user's setting, shared by the controls of a thread: the first control
// that joins reads it, before any control has switched animation off; every
// control puts that value back, and the last one to leave does so for good.
void Join() noexcept;
UINT UserSetting() noexcept;  // TRUE while no control has joined
void Leave() noexcept;

}  // namespace quillon::MenuAnimation
