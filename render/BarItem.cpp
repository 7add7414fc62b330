// Painting top-level items of an owner-drawn menu bar.
#include "control/Quillon.h"
#include "menu/MenuItem.h"

namespace quillon {

void Quillon::DrawBarItem(CMenuItem&, HDC, bool, LONG, LONG) {}

void Quillon::DrawItemFrame(HDC, const RECT&, bool) {}

}  // namespace quillon
