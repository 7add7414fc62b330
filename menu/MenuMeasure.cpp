// Measuring owner-drawn items from the menu-wide column widths.
#include "control/Quillon.h"

namespace quillon {

void Quillon::OnMeasureItem(WPARAM, LPARAM, bool&, LRESULT&) {}

}  // namespace quillon
