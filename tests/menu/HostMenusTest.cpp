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

// The conversion adds owner-drawing to what the host set and keeps the rest.
TEST(HostMenus, ConversionKeepsTheHostsTypeStateIdentifierAndSubmenu) {
    HMENU bar = MakeSampleMenuBar();
    AppendMenuA(bar, MF_STRING | MF_HELP, 70, "&Help");  // right-justified on the bar
    MenuForm form(bar);
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 79, "Inner");
    AppendMenuA(popup, MF_STRING | MF_CHECKED, 71, "&Radio");
    AppendMenuA(popup, MF_STRING | MF_MENUBARBREAK, 72, "&Column");
    AppendMenuA(popup, MF_STRING, 73, "&Default");
    AppendMenuA(popup, MF_STRING | MF_MENUBREAK | MF_GRAYED, 74, "&Break");
    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
    MENUITEMINFOA radio{};
    radio.cbSize = sizeof radio;
    radio.fMask = MIIM_FTYPE;
    radio.fType = MFT_STRING | MFT_RADIOCHECK;
    SetMenuItemInfoA(popup, 0, TRUE, &radio);
    SetMenuDefaultItem(popup, 2, TRUE);
    form.Open(popup);
    struct Case {
        HMENU menu;
        int position;
        UINT type;
        UINT state;
        UINT id;
    } cases[] = {
        {popup, 0, MFT_RADIOCHECK, MFS_CHECKED, 71},
        {popup, 1, MFT_MENUBARBREAK, 0, 72},
        {popup, 2, 0, MFS_DEFAULT, 73},
        {popup, 3, MFT_MENUBREAK, MF_GRAYED, 74},
        {popup, 4, 0, 0, static_cast<UINT>(-1)},
        {bar, 2, MFT_RIGHTJUSTIFY, 0, 70},
    };
    for (const Case& c : cases) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoA(c.menu, c.position, TRUE, &info));
        EXPECT_EQ(info.fType, c.type | MFT_OWNERDRAW) << c.position;
        EXPECT_EQ(info.fState & (MFS_CHECKED | MFS_DEFAULT | MF_GRAYED | MF_DISABLED), c.state) << c.position;
        EXPECT_EQ(GetMenuItemID(c.menu, c.position), c.id) << c.position;
        EXPECT_NE(form.Record(c.menu, c.position), nullptr) << c.position;
    }
    EXPECT_EQ(GetSubMenu(popup, 4), sub);
    EXPECT_EQ(StringOf(popup, 1), "&Column") << "the text stays";
    BOOL bold = FALSE;
    AsFont(form.Record(popup, 2)->CaptionFont())->get_Bold(&bold);
    EXPECT_TRUE(bold) << "the default item's caption";
    AsFont(form.Record(popup, 1)->CaptionFont())->get_Bold(&bold);
    EXPECT_FALSE(bold);
    PumpMessages(30);
    const int conversions = form.q()->MenuItemConversions();
    form.Open(popup);
    EXPECT_EQ(form.q()->MenuItemConversions(), conversions) << "nothing changed, nothing converted";
    DestroyMenu(popup);
}

HMENU TwentyItemPopup(const char* last = "Item") {
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < 20; ++i) AppendMenuA(popup, MF_STRING, 100 + i, i == 19 ? last : "&Item\tCtrl+I");
    return popup;
}

// Menus made for one opening (a context menu, a recent-files list) leave
// no records behind, and removed items leave the popup's widths.
TEST(HostMenus, RecordsOfMenusThatAreGoneAreDropped) {
    MenuForm form(MakeSampleMenuBar());
    const size_t bar = form.q()->MenuItems().size();
    for (int i = 0; i < 50; ++i) {
        HMENU popup = TwentyItemPopup();
        form.Open(popup);
        form.Measure(form.Record(popup, 0));
        DestroyMenu(popup);
    }
    HMENU kept = TwentyItemPopup("A much longer caption than the others");
    form.Open(kept);
    EXPECT_EQ(form.q()->MenuItems().size(), bar + 20) << "only the bar and the menu that exists";
    const LONG wide = form.Measure(form.Record(kept, 0)).itemWidth;
    DeleteMenu(kept, 19, MF_BYPOSITION);
    form.Open(kept);
    EXPECT_EQ(form.q()->MenuItems().size(), bar + 19);
    EXPECT_LT(static_cast<LONG>(form.Measure(form.Record(kept, 0)).itemWidth), wide) << "the long item is gone";
    DestroyMenu(kept);
}

// Items the control converted are the system's to draw again once the
// control is gone: with their text, their type and the host's item data.
TEST(HostMenus, MenusThatOutliveTheControlGetTheirItemsBack) {
    auto form = std::make_unique<MenuForm>(MakeSampleMenuBar());
    HMENU bar = GetMenu(form->window.hwnd());
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 81, "&Kept");
    AppendMenuA(popup, MF_STRING, 82, "&Radio");
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_FTYPE;
    info.fType = MFT_STRING | MFT_RADIOCHECK;
    info.dwItemData = 0xBEEF;
    SetMenuItemInfoA(popup, 1, TRUE, &info);
    form->Open(popup);
    ASSERT_TRUE(TypeOf(popup, 1) & MFT_OWNERDRAW);
    ASSERT_TRUE(TypeOf(bar, 0) & MFT_OWNERDRAW);
    form->control->Close();
    struct Case {
        HMENU menu;
        int position;
        UINT type;
        ULONG_PTR data;
        const char* text;
    } cases[] = {{popup, 0, MFT_STRING, 0, "&Kept"}, {popup, 1, MFT_RADIOCHECK, 0xBEEF, "&Radio"}, {bar, 0, MFT_STRING, 0, "&File"}};
    for (const Case& c : cases) {
        EXPECT_EQ(TypeOf(c.menu, c.position), c.type) << c.text;
        EXPECT_EQ(DataOf(c.menu, c.position), c.data) << c.text;
        EXPECT_EQ(StringOf(c.menu, c.position), c.text);
    }
    form.reset();
    DestroyMenu(popup);
}

TEST(HostMenus, AFrameWithoutAControlGetsItsItemsBackFromTheChildsControl) {
    MdiFrame mdi;
    HMENU bar = MakeSampleMenuBar();
    SetMenu(mdi.frame(), bar);
    HWND child = mdi.AddChild("Own control");
    HostedControl childControl(child, {.mdiChild = true});
    HWND plain = mdi.AddChild("Plain");
    mdi.Activate(child);
    PumpMessages(40);  // the bar is converted after the activation
    ASSERT_TRUE(TypeOf(bar, 0) & MFT_OWNERDRAW);
    mdi.Activate(plain);
    EXPECT_EQ(TypeOf(bar, 0), static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(StringOf(bar, 0), "&File");
}

// Access keys answer the item's place in the menu as it is now.
TEST(HostMenus, AccessKeysAnswerTheItemsPlaceInTheMenu) {
    MenuForm form(MakeSampleMenuBar());
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 61, "&Alpha");
    AppendMenuA(popup, MF_STRING, 62, "&Beta");
    AppendMenuA(popup, MF_STRING, 63, "&Delta");
    AppendMenuA(popup, MF_STRING, 64, "&Dog");
    form.Open(popup);
    InsertMenuA(popup, 0, MF_BYPOSITION | MF_STRING, 60, "&Gamma");  // after the scan
    MENUITEMINFOA hilite{};
    hilite.cbSize = sizeof hilite;
    hilite.fMask = MIIM_STATE;
    hilite.fState = MFS_HILITE;
    HWND hwnd = form.window.hwnd();
    HMENU bar = GetMenu(hwnd);
    struct Case {
        char key;
        HMENU menu;
        WORD flags;
        int hilited;  // position lit before the key, -1 none
        LRESULT answer;
    } cases[] = {
        {'b', popup, MF_POPUP, -1, MAKELONG(2, MNC_EXECUTE)},
        {'A', popup, MF_POPUP, -1, MAKELONG(1, MNC_EXECUTE)},
        {'g', popup, MF_POPUP, -1, 0},                          // the host's own text item
        {'d', popup, MF_POPUP, -1, MAKELONG(3, MNC_SELECT)},    // two items share the key
        {'d', popup, MF_POPUP, 3, MAKELONG(4, MNC_SELECT)},
        {'d', popup, MF_POPUP, 4, MAKELONG(3, MNC_SELECT)},
        {'e', bar, 0, -1, MAKELONG(1, MNC_EXECUTE)},            // the menu bar
    };
    for (const Case& c : cases) {
        for (int p = 0; p < GetMenuItemCount(popup); ++p) {
            hilite.fState = p == c.hilited ? MFS_HILITE : 0;
            SetMenuItemInfoA(popup, static_cast<UINT>(p), TRUE, &hilite);
        }
        EXPECT_EQ(SendMessageA(hwnd, WM_MENUCHAR, MAKEWPARAM(c.key, c.flags), reinterpret_cast<LPARAM>(c.menu)),
                  c.answer)
            << c.key << " lit " << c.hilited;
    }
    DestroyMenu(popup);
}

}  // namespace
