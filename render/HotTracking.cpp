// Hot tracking of menu-bar items while the mouse moves over the bar. The
// system gives owner-drawn bar items no hover feedback, so the item under
// the cursor is highlighted here and a 50 ms timer keeps checking the cursor
// until it has left every item.
#include <windows.h>
#include "control/ApiDeclares.h"
#include "control/Quillon.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

constexpr UINT kHotTrackInterval = 50;  // ms between re-tracks while an item is hot
constexpr UINT kNotAnItem = static_cast<UINT>(-1);

bool IsItemHilited(HMENU menu, int position) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != kNotAnItem && (state & MF_HILITE) != 0;
}

// Highlights or unhighlights one bar item with HiliteMenuItem. Some user32
// implementations (Wine's among them) treat every HiliteMenuItem call as
// "move the bar's focus to this item" and ignore MF_UNHILITE: unhighlighting
// an item that is not lit would light it. So an unlit item is left alone,
// and when the call leaves the state unchanged the state is written directly
// and the bar repainted.
void HiliteBarItem(HWND hwnd, HMENU menu, int position, bool hilite) {
    if (!hilite && !IsItemHilited(menu, position)) return;
    HiliteMenuItem(hwnd, menu, static_cast<UINT>(position), MF_BYPOSITION | (hilite ? MF_HILITE : MF_UNHILITE));
    if (IsItemHilited(menu, position) == hilite) return;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return;
    info.fState = hilite ? (info.fState | MFS_HILITE) : (info.fState & ~static_cast<UINT>(MFS_HILITE));
    if (SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) DrawMenuBar(hwnd);
}

// Whether the user wants hot tracking. Windows 95 and NT 3/4 have no such
// setting; there it is always on.
bool HotTrackingEnabled() {
    if (ApiDeclares::IsWindows95() || ApiDeclares::IsWindowsNT3() || ApiDeclares::IsWindowsNT4()) return true;
    BOOL on = FALSE;
    return SystemParametersInfoA(SPI_GETHOTTRACKING, 0, &on, 0) && on;
}

}  // namespace

void Quillon::OnInitMenu(HWND hwnd, WPARAM wParam, LPARAM, bool&, LRESULT&) {
    // The bar is converted before the system measures it for the menu loop;
    // the form still gets the message.
    Trap([&] {
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        if (menu && menu == GetMenu(hwnd)) ScanMenuBar(menu);
    });
}

void Quillon::OnNcMouseMove(HWND hwnd, WPARAM wParam, LPARAM, bool&, LRESULT& result) {
    result = 0;
    if (m_bMenuLoopActive) return;  // an open menu tracks the bar itself
    if (wParam == HTMENU)
        TrackHotBarItem(hwnd);
    else if (m_bHot)
        ClearBarHighlight(hwnd);
}

void Quillon::TrackHotBarItem(HWND hwnd) {
    m_NCTimer.Stop();
    bool enabled = false;
    Trap([&] { enabled = HotTrackingEnabled(); });
    if (!enabled || !hwnd || !IsWindow(hwnd)) return;
    HMENU menu = GetMenu(hwnd);
    if (!menu) return;
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return;

    bool hot = false;
    if (!m_bMenuLoopActive) {
        const int count = GetMenuItemCount(menu);
        for (int position = 0; position < count; ++position) {
            Trap([&] {
                if (GetMenuText(menu, position).empty()) return;  // separator-like items never light up
                RECT r{};
                if (!GetMenuItemRect(hwnd, menu, static_cast<UINT>(position), &r)) return;
                // Strict: the item's edge pixels do not count.
                if (cursor.x > r.left && cursor.x < r.right && cursor.y > r.top && cursor.y < r.bottom) {
                    HotBarItem(hwnd, menu, position);
                    hot = true;
                } else {
                    HiliteBarItem(hwnd, menu, position, false);
                }
            });
        }
    }
    if (!hot) ClearBarHighlight(hwnd);  // and the timer stays stopped
}

void Quillon::HotBarItem(HWND hwnd, HMENU menu, int position) {
    m_NCTimer.Stop();
    // The system repaints the item as selected (WM_DRAWITEM); the flat frame
    // goes on top of that repaint.
    Trap([&] { HiliteBarItem(hwnd, menu, position, true); });
    Trap([&] {
        if (PaintedMenuBorder() != 1 && PaintedMenuBorder() != 2) return;
        HDC dc = GetWindowDC(hwnd);
        if (!dc) return;
        RECT window{}, item{};
        if (GetWindowRect(hwnd, &window) && GetMenuItemRect(hwnd, menu, static_cast<UINT>(position), &item)) {
            // Window coordinates; the frame's right and bottom lines lie on the item.
            const RECT frame{item.left - window.left, item.top - window.top, item.right - window.left - 1,
                             item.bottom - window.top - 1};
            Trap([&] { DrawBarFrame(dc, frame); });
        }
        ReleaseDC(hwnd, dc);
    });
    m_bHot = true;
    m_hwndHotTrack = hwnd;
    m_NCTimer.SetInterval(kHotTrackInterval);
    m_NCTimer.Start();
}

void Quillon::ClearBarHighlight(HWND hwnd) {
    Trap([&] {
        if (!hwnd || !IsWindow(hwnd)) return;
        HMENU menu = GetMenu(hwnd);
        if (!menu) return;
        const int count = GetMenuItemCount(menu);
        for (int position = 0; position < count; ++position) HiliteBarItem(hwnd, menu, position, false);
    });
    m_bHot = false;
}

void Quillon::DrawBarFrame(HDC windowDC, const RECT& rect) {
    HPEN pen = HighlightBorderPen();
    if (!windowDC || !pen) return;
    HGDIOBJ previous = SelectObject(windowDC, pen);
    if (!previous) return;
    MoveToEx(windowDC, rect.left, rect.bottom, nullptr);
    LineTo(windowDC, rect.left, rect.top);
    LineTo(windowDC, rect.right, rect.top);
    LineTo(windowDC, rect.right, rect.bottom);
    // While a menu hangs from the item the frame stays open towards it.
    if (!m_bMenuLoopActive) LineTo(windowDC, rect.left, rect.bottom);
    SelectObject(windowDC, previous);
}

}  // namespace quillon
