// Scanning menus into the item collection and converting their items to
// owner-drawn ones.
#include "control/Quillon.h"

namespace quillon {

LRESULT Quillon::OnInitMenuPopup(HWND, WPARAM, LPARAM, bool&) { return 0; }

void Quillon::PurgeDeadItems() {}

void Quillon::DropItemsOfWindow(HWND) {}

size_t Quillon::ItemCount() const { return 0; }

void Quillon::ReprocessMenuBar(HWND hwnd) {
    HWND target = m_bFrameHooked ? m_hwndMDIFrame : hwnd;
    if (target && IsWindow(target)) DrawMenuBar(target);
}

}  // namespace quillon
