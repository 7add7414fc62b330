// Popup frames, and the screen capture the shadows are computed from.
#include "control/Quillon.h"
#include "menu/MenuItem.h"

namespace quillon {

void Quillon::GrabScreen() {}

void Quillon::ReleaseScreenCapture() {}

void Quillon::DrawPopupFrame(HDC, const CMenuItem&, LONG, LONG, LONG) {}

}  // namespace quillon
