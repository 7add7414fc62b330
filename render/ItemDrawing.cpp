// WM_DRAWITEM and WM_MENUCHAR of owner-drawn menu items. The entry moves
// the DC origin to the item, lets the host paint it (DrawMenuItem event)
// and otherwise hands it to the bar or popup painter.
#include <cstring>
#include <vector>
#include "control/ApiDeclares.h"
#include "control/Quillon.h"
#include "control/TextConversion.h"
#include "hook/Guard.h"
#include "hook/SubclassWnd.h"
#include "menu/ItemCollection.h"
#include "menu/MenuItem.h"
#include "render/ItemGeometry.h"

namespace quillon {
namespace {

// NT 4 and Windows 95 move the origin through the window origin; later
// systems through the viewport.
bool MovesWindowOrigin() noexcept { return ApiDeclares::IsWindowsNT4() || ApiDeclares::IsWindows95(); }

// The upper-case ANSI code of a character typed in an ANSI window (access
// keys are stored so).
LONG UpperCaseCode(WORD typed) noexcept {
    if (typed > 0xFF) return typed;
    const UINT_PTR upper = reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(typed))));
    return static_cast<LONG>(upper & 0xFF);
}

// A character typed in a Unicode window comes as UTF-16: as an access key
// it is its ANSI code where the code page has it, else its own code.
LONG UpperCaseCodeOfUnicode(wchar_t typed) noexcept {
    wchar_t upper[2] = {typed, 0};
    CharUpperBuffW(upper, 1);
    return AnsiCode(upper[0]);
}

}  // namespace

void Quillon::OnDrawItem(HWND, WPARAM, LPARAM lParam, bool& route, LRESULT& result) {
    if (!lParam) return;
    // 1. A copy; every call repaints the whole item.
    DRAWITEMSTRUCT dis{};
    std::memcpy(&dis, reinterpret_cast<const void*>(lParam), sizeof dis);
    if (dis.CtlType != ODT_MENU) return;
    // 2.
    ComPtr<CMenuItem> item;
    // Items that are not ours (the host's own owner-drawn ones) are the host's to draw.
    Trap([&] { item = RecordOfItem(dis.itemData, reinterpret_cast<HMENU>(dis.hwndItem)); });
    if (!item) return;

    // 3.
    VARIANT_BOOL userDrawn = VARIANT_FALSE;
    const LONG cx = dis.rcItem.right - dis.rcItem.left;
    const LONG cy = dis.rcItem.bottom - dis.rcItem.top;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    Trap([&] { item->SetDisabled((dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0); });
    // 4. The tile goes under the item before anything else.
    Trap([&] {
        if (item->IsTopLevel() || !PaintedBackgroundPicture()) return;
        const ShadowAllowance allowance = ShadowAllowanceOf(PaintedMenuBorder(), item->IsLast(), m_menuMetrics.ShadowWidth());
        TileBackground(dis.hDC, dis.rcItem.left, dis.rcItem.top, cx - allowance.dx, cy - allowance.dy);
    });
    // 5.
    const bool windowOrigin = MovesWindowOrigin();
    POINT saved{};
    bool moved = false;
    Trap([&] {
        moved = windowOrigin ? SetWindowOrgEx(dis.hDC, -dis.rcItem.left, -dis.rcItem.top, &saved) != FALSE
                             : SetViewportOrgEx(dis.hDC, dis.rcItem.left, dis.rcItem.top, &saved) != FALSE;
    });
    // 6. The host may paint the item itself.
    Trap([&] {
        VARIANT args[6];
        for (VARIANT& a : args) VariantInit(&a);
        // Arguments in reverse order: bUserDrawn, cy, cx, bSelected, menuDC, aMenuItem.
        V_VT(&args[0]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&args[0]) = &userDrawn;
        V_VT(&args[1]) = VT_I4;
        V_I4(&args[1]) = cy;
        V_VT(&args[2]) = VT_I4;
        V_I4(&args[2]) = cx;
        V_VT(&args[3]) = VT_BOOL;
        V_BOOL(&args[3]) = selected ? VARIANT_TRUE : VARIANT_FALSE;
        V_VT(&args[4]) = VT_I4;
        V_I4(&args[4]) = static_cast<LONG>(reinterpret_cast<LONG_PTR>(dis.hDC));
        V_VT(&args[5]) = VT_DISPATCH;
        V_DISPATCH(&args[5]) = static_cast<_CMenuItem*>(item.get());
        DISPPARAMS params{args, nullptr, 6, 0};
        FireEvent(DISPID_DrawMenuItem, &params);
    });
    // 7.
    if (userDrawn == VARIANT_FALSE) {
        Trap([&] {
            const bool hideAccessKeys = (dis.itemState & ODS_NOACCEL) != 0;
            if (item->IsTopLevel())
                DrawBarItem(*item.get(), dis.hDC, selected, cx, cy, hideAccessKeys);
            else
                DrawPopupItem(*item.get(), dis.hDC, selected, cx, cy, dis.rcItem.top, hideAccessKeys);
        });
    }
    // 8.
    Trap([&] {
        if (!moved) return;
        if (windowOrigin)
            SetWindowOrgEx(dis.hDC, saved.x, saved.y, nullptr);
        else
            SetViewportOrgEx(dis.hDC, saved.x, saved.y, nullptr);
    });
    // The system draws a submenu's arrow on an opaque box after the item;
    // the item has its own, so the system's is clipped away.
    Trap([&] {
        if (userDrawn != VARIANT_FALSE || item->IsTopLevel() || !item->HasSubMenus()) return;
        const RECT cell = SubmenuArrowCell(dis.rcItem);
        ExcludeClipRect(dis.hDC, cell.left, cell.top, cell.right, cell.bottom);
    });
    // 9.
    route = false;
    result = 1;
}

RECT Quillon::SubmenuArrowCell(const RECT& item) const {
    const LONG w = m_menuMetrics.CheckWidth();
    // Right to left the system puts it on the left, where it orders the
    // menu right to left (where menus know that order).
    if (RightToLeft() && ApiDeclares::MenusKnowRightOrder()) return {item.left, item.top, item.left + w, item.bottom};
    return {item.right - w, item.top, item.right, item.bottom};
}

void Quillon::OnMenuChar(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result) {
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    // A popup, or the window's own menu bar.
    const bool popup = HIWORD(wParam) == MF_POPUP;
    const bool bar = HIWORD(wParam) == 0 && menu && GetMenu(hwnd) == menu;
    if ((!popup && !bar) || !menu || !m_colMenuItems) return;
    // Access keys are stored upper case; a key typed without Shift matches too.
    const bool unicode = SubclassWnd::ReceivesUnicode(hwnd);
    const LONG typed = unicode ? AnsiCode(static_cast<wchar_t>(LOWORD(wParam))) : LOWORD(wParam);
    const LONG upper = unicode ? UpperCaseCodeOfUnicode(static_cast<wchar_t>(LOWORD(wParam))) : UpperCaseCode(LOWORD(wParam));
    // The items' places in the menu as it is now: the host may have
    // inserted items since the records were made.
    std::vector<int> matches;
    int selected = -1;
    Trap([&] {
        const int count = GetMenuItemCount(menu);
        for (int p = 0; p < count; ++p) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_DATA | MIIM_STATE;
            if (!GetMenuItemInfoA(menu, static_cast<UINT>(p), TRUE, &info)) continue;
            if (info.fState & MFS_HILITE) selected = p;
            const CMenuItem* r = RecordOfItem(info.dwItemData, menu);
            if (r && (r->AccessKey() == typed || r->AccessKey() == upper)) matches.push_back(p);
        }
    });
    if (matches.empty()) return;
    route = false;
    if (matches.size() == 1) {
        result = MAKELONG(matches.front(), MNC_EXECUTE);
        return;
    }
    // Several items share the key: each press selects the next, as the system does.
    int next = matches.front();
    for (int p : matches) {
        if (p > selected) {
            next = p;
            break;
        }
    }
    result = MAKELONG(next, MNC_SELECT);
}

}  // namespace quillon
