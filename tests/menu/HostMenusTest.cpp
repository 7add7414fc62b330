// The host's menus stay the host's: its own owner-drawn items, and record
// serials that no two live controls share.
#include <gtest/gtest.h>
#include "tests/menu/MenuFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr ULONG_PTR kHostData = 0xC0DE;

TEST(HostMenus, TheHostsOwnOwnerDrawnItemsReachTheHost) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 51, "&Ours");
    AppendMenuA(popup, MF_OWNERDRAW, 52, reinterpret_cast<LPCSTR>(kHostData));
    form.Open(popup);
    ASSERT_NE(form.Record(popup, 0), nullptr);
    EXPECT_EQ(form.Record(popup, 1), nullptr);
    EXPECT_EQ(DataOf(popup, 1), kHostData) << "left as the host made it";
    // Our own record's data, but named in another menu: not ours either.
    HMENU other = CreatePopupMenu();
    const ULONG_PTR ours = DataOf(popup, 0);

    RecordingProc& proc = form.window.proc();
    proc.handler = [](HWND, UINT msg, WPARAM, LPARAM, LRESULT& r) {
        if (msg != WM_MEASUREITEM && msg != WM_DRAWITEM) return false;
        r = 77;
        return true;
    };
    HWND hwnd = form.window.hwnd();
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, 52, 0, 0, kHostData};
    DRAWITEMSTRUCT dis{ODT_MENU, 0, 52, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(popup), nullptr, {0, 0, 50, 20},
                       kHostData};
    DRAWITEMSTRUCT elsewhere = dis;
    elsewhere.hwndItem = reinterpret_cast<HWND>(other);
    elsewhere.itemData = ours;
    struct Case {
        UINT msg;
        void* data;
    } cases[] = {{WM_MEASUREITEM, &mis}, {WM_DRAWITEM, &dis}, {WM_DRAWITEM, &elsewhere}};
    for (const Case& c : cases) {
        const int before = proc.Count(c.msg);
        EXPECT_EQ(SendMessageA(hwnd, c.msg, 0, reinterpret_cast<LPARAM>(c.data)), 77) << c.msg;
        EXPECT_EQ(proc.Count(c.msg), before + 1) << c.msg;
    }
    EXPECT_EQ(mis.itemWidth, 0u) << "the control wrote no size of its own";
    EXPECT_EQ(form.events().Count(DISPID_SetMenuItemSize), 0);
    EXPECT_EQ(form.events().Count(DISPID_DrawMenuItem), 0);
    DestroyMenu(other);
    DestroyMenu(popup);
}

TEST(HostMenus, TwoLiveControlsNeverShareARecordSerial) {
    auto first = std::make_unique<MenuForm>();
    MenuForm second;
    EXPECT_NE(first->q()->ItemSerial(), second.q()->ItemSerial());
    HMENU a = CreatePopupMenu(), b = CreatePopupMenu();
    AppendMenuA(a, MF_STRING, 1, "&One");
    AppendMenuA(b, MF_STRING, 1, "&One");
    first->Open(a);
    second.Open(b);
    EXPECT_NE(DataOf(a, 0), DataOf(b, 0));
    EXPECT_EQ(second.q()->RecordOfItem(DataOf(a, 0)), nullptr) << "the first control's item";
    // A block freed by a released control is taken again: a lone control counts from 1001.
    first.reset();
    MenuForm third;
    EXPECT_EQ(third.q()->ItemSerial(), 1000);
    DestroyMenu(a);
    DestroyMenu(b);
}

}  // namespace
