// Painting items of drop-down menus.
#include "control/Quillon.h"
#include "menu/MenuItem.h"

namespace quillon {

void Quillon::DrawPopupItem(CMenuItem&, HDC, bool, LONG, LONG, LONG) {}

}  // namespace quillon
