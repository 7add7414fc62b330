// The two-pixel shadows of Flat with Shadow popups.
#include "control/Quillon.h"
#include "menu/MenuItem.h"

namespace quillon {

void Quillon::DrawRightShadow(HWND, HDC, const CMenuItem&, LONG, LONG) {}

void Quillon::DrawBottomShadow(HWND, HDC, const CMenuItem&) {}

}  // namespace quillon
