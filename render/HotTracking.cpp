// Hot tracking of menu-bar items while the mouse moves over the bar.
#include "control/Quillon.h"

namespace quillon {

void Quillon::OnInitMenu(HWND, WPARAM, LPARAM, bool&, LRESULT&) {}

void Quillon::OnNcMouseMove(HWND, WPARAM, LPARAM, bool&, LRESULT&) {}

void Quillon::ClearBarHighlight(HWND) { m_bHot = false; }

void Quillon::TrackHotBarItem(HWND) {}

void Quillon::HotBarItem(HWND, HMENU, int) {}

void Quillon::DrawBarFrame(HDC, const RECT&) {}

}  // namespace quillon
