// Help text of the selected menu item in the form's status bar.
#include "control/Quillon.h"

namespace quillon {

void Quillon::OnMenuSelect(HWND, WPARAM, LPARAM, bool&, LRESULT&) {}

void Quillon::FindStatusBar(HWND) {}

}  // namespace quillon
