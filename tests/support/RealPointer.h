// Moves the real pointer the way a person would. On an X display it asks
// xdotool, so the move comes from the X server like any mouse motion and
// reaches the program through its window system driver; where xdotool is not
// there (a Windows machine) it falls back to SendInput.
#pragma once
#include <windows.h>

namespace quillon::test {

enum class PointerDriver { None, Xdotool, SendInput };

// Moves the pointer to the screen point `p` and waits (up to `waitMs`) until
// the system reports it there. Returns who moved it, None when it never got there.
PointerDriver MovePointerTo(POINT p, DWORD waitMs = 2000);

// True when xdotool can be started from this program (a Unix host under Wine).
bool HaveXdotool();

}  // namespace quillon::test
