// Painting owner-drawn menu items, and access keys of owner-drawn items.
#include "control/Quillon.h"

namespace quillon {

void Quillon::OnDrawItem(HWND, WPARAM, LPARAM, bool&, LRESULT&) {}

void Quillon::OnMenuChar(WPARAM, LPARAM, bool&, LRESULT&) {}

}  // namespace quillon
