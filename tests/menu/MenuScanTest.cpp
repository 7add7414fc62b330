// Scanning real menus of a hooked form: which items become owner-drawn,
// what their records hold, when they are converted again, and the event
// raised for each item.
#include <gtest/gtest.h>
#include "control/ApiDeclares.h"
#include "tests/menu/MenuFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

HMENU ThreeItemPopup() {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 11, "&Alpha\tCtrl+A");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, 12, "&Beta");
    return popup;
}

TEST(MenuScan, DropDownItemsBecomeOwnerDrawnRecordsWithPositions) {
    MenuForm form;
    HMENU popup = ThreeItemPopup();
    EXPECT_EQ(form.Open(popup), 0);
    EXPECT_EQ(form.events().Count(DISPID_SetMenuItemAttributes), 3);

    CMenuItem* a = form.Record(popup, 0);
    CMenuItem* sep = form.Record(popup, 1);
    CMenuItem* b = form.Record(popup, 2);
    ASSERT_TRUE(a && sep && b);
    EXPECT_EQ(a->Position(), 0);
    EXPECT_EQ(sep->Position(), 1);
    EXPECT_EQ(b->Position(), 2);
    EXPECT_TRUE(a->IsFirst());
    EXPECT_FALSE(sep->IsFirst() || b->IsFirst());
    EXPECT_TRUE(b->IsLast());
    EXPECT_FALSE(a->IsLast() || sep->IsLast());
    EXPECT_TRUE(sep->IsSeparator());
    EXPECT_FALSE(a->IsSeparator());
    EXPECT_EQ(sep->Picture(), nullptr);
    EXPECT_EQ(a->MenuId(), 11);
    EXPECT_EQ(a->ParentMenuId(), -1);
    EXPECT_EQ(a->Caption(), L"&Alpha");
    EXPECT_EQ(a->ShortcutText(), L"Ctrl+A");
    EXPECT_EQ(a->Hwnd(), HandleValue(form.window.hwnd()));
    EXPECT_EQ(a->HMenu(), HandleValue(popup));
    EXPECT_FALSE(a->IsTopLevel());
    EXPECT_GT(a->CaptionTextWidth(), 0);
    EXPECT_GT(a->ShortcutTextWidth(), 0);
    EXPECT_NE(a->CaptionFont(), nullptr);
    EXPECT_NE(a->ShortcutFont(), a->CaptionFont());

    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(TypeOf(popup, p) & MFT_OWNERDRAW) << p;
        EXPECT_EQ(DataOf(popup, p), form.Record(popup, p)->AccessibleData()) << p;
    }
    // The system still knows the separator as one, and the texts stay.
    EXPECT_TRUE(TypeOf(popup, 1) & MFT_SEPARATOR);
    EXPECT_EQ(StringOf(popup, 0), "&Alpha\tCtrl+A");
    EXPECT_EQ(StringOf(popup, 2), "&Beta");
    // Each event carried the record it was raised for.
    const auto& calls = form.events().calls;
    ASSERT_GE(calls.size(), 3u);
    const EventCall& last = calls.back();
    EXPECT_EQ(last.id, DISPID_SetMenuItemAttributes);
    ASSERT_EQ(last.args.size(), 1u);
    ASSERT_EQ(V_VT(&last.args[0].v), VT_DISPATCH);
    EXPECT_EQ(static_cast<IDispatch*>(V_DISPATCH(&last.args[0].v)), static_cast<IDispatch*>(b));
    DestroyMenu(popup);
}

TEST(MenuScan, ItemsWithoutTextAreLeftAloneButKeepTheirPlace) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    HBITMAP bmp = CreateBitmap(8, 8, 1, 1, nullptr);
    AppendMenuA(popup, MF_STRING, 1, "One");
    AppendMenuA(popup, MF_BITMAP, 2, reinterpret_cast<LPCSTR>(bmp));
    AppendMenuA(popup, MF_STRING, 3, "Three");
    form.Open(popup);
    EXPECT_EQ(form.events().Count(DISPID_SetMenuItemAttributes), 2);
    EXPECT_EQ(form.Record(popup, 1), nullptr);
    EXPECT_FALSE(TypeOf(popup, 1) & MFT_OWNERDRAW);
    EXPECT_TRUE(TypeOf(popup, 1) & MFT_BITMAP);
    ASSERT_NE(form.Record(popup, 2), nullptr);
    EXPECT_EQ(form.Record(popup, 2)->Position(), 2);
    EXPECT_TRUE(form.Record(popup, 2)->IsLast());
    DestroyMenu(popup);
    DeleteObject(bmp);
}

TEST(MenuScan, OpeningAgainRaisesTheEventButConvertsOnlyWhatChanged) {
    MenuForm form;
    HMENU popup = ThreeItemPopup();
    form.Open(popup);
    const size_t records = form.q()->MenuItems().size();
    const int conversions = form.q()->MenuItemConversions();
    const ULONG_PTR data = DataOf(popup, 0);

    form.Open(popup);
    EXPECT_EQ(form.events().Count(DISPID_SetMenuItemAttributes), 6);
    EXPECT_EQ(form.q()->MenuItemConversions(), conversions);
    EXPECT_EQ(form.q()->MenuItems().size(), records);
    EXPECT_EQ(DataOf(popup, 0), data);

    // A new text converts that one item again, with the same record.
    ModifyMenuA(popup, 2, MF_BYPOSITION | MF_STRING, 12, "&Gamma");
    form.Open(popup);
    EXPECT_EQ(form.q()->MenuItemConversions(), conversions + 1);
    ASSERT_NE(form.Record(popup, 2), nullptr);
    EXPECT_EQ(form.Record(popup, 2)->Caption(), L"&Gamma");
    // So does a new state.
    CheckMenuItem(popup, 0, MF_BYPOSITION | MF_CHECKED);
    form.Open(popup);
    EXPECT_EQ(form.q()->MenuItemConversions(), conversions + 2);
    EXPECT_TRUE(form.Record(popup, 0)->Checked());
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
    DestroyMenu(popup);
}

TEST(MenuScan, SubmenuItemsAreConvertedOnceAndKeepTheirSubmenu) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 31, "Inner");
    AppendMenuA(popup, MF_STRING, 30, "Plain");
    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
    form.Open(popup);
    CMenuItem* more = form.Record(popup, 1);
    ASSERT_NE(more, nullptr);
    EXPECT_TRUE(more->HasSubMenus());
    EXPECT_EQ(more->MenuId(), -1);
    EXPECT_EQ(GetSubMenu(popup, 1), sub);
    EXPECT_TRUE(IsMenu(sub));
    const int conversions = form.q()->MenuItemConversions();
    form.Open(popup);
    EXPECT_EQ(form.q()->MenuItemConversions(), conversions) << "nothing changed, the submenu item included";
    EXPECT_EQ(GetSubMenu(popup, 1), sub);
    EXPECT_EQ(form.Record(popup, 1), more);
    DestroyMenu(popup);
}

TEST(MenuScan, RightToLeftItemsGetTheRightOrderType) {
    MenuForm form;
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    ASSERT_EQ(dual->put_RightToLeft(VARIANT_TRUE), S_OK);
    HMENU popup = ThreeItemPopup();
    form.Open(popup);
    // Under Wine the right-order bit would hide the item; the painters mirror it.
    const UINT type = ApiDeclares::MenusKnowRightOrder() ? 0x6100u : 0x4100u;
    EXPECT_EQ(TypeOf(popup, 0), type);
    EXPECT_EQ(TypeOf(popup, 2), type);
    EXPECT_EQ(TypeOf(popup, 1), type | MFT_SEPARATOR);
    DestroyMenu(popup);
}

TEST(MenuScan, TheFirstRecordIsMenu1001AndTheMenuBarIsScanned) {
    MenuForm form(MakeSampleMenuBar());
    HMENU bar = GetMenu(form.window.hwnd());
    const auto keys = form.q()->MenuItemKeys();
    ASSERT_EQ(keys.size(), 2u);  // &File and &Edit, by the control's first menu-bar repaint
    EXPECT_EQ(keys[0], L"MENU_1001");
    EXPECT_EQ(keys[1], L"MENU_1002");
    CMenuItem* file = form.q()->GetMenuItemByKey(L"MENU_1001");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Caption(), L"&File");
    EXPECT_TRUE(file->IsTopLevel());
    EXPECT_TRUE(file->HasSubMenus());
    EXPECT_EQ(file->Hwnd(), HandleValue(form.q()->OwnerWindow()));
    EXPECT_EQ(DataOf(bar, 0), file->AccessibleData());
    EXPECT_TRUE(TypeOf(bar, 0) & MFT_OWNERDRAW);
    EXPECT_NE(GetSubMenu(bar, 0), nullptr);
    EXPECT_EQ(form.q()->ItemSerial(), 1002);
}

TEST(MenuScan, MenuBarPicturesComeFromTheImageListOnly) {
    MenuForm form(MakeSampleMenuBar());
    auto pic = MakeBitmapPicture();
    auto list = MakeImageList({{L"FILE", pic}});
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    IDispatch* listDisp = list.get();
    ASSERT_EQ(dual->SetImageList(&listDisp), S_OK);
    form.q()->SetMenuCaptionFontObject(nullptr);  // reprocesses the menu bar
    HMENU bar = GetMenu(form.window.hwnd());
    ASSERT_TRUE(form.Record(bar, 0) && form.Record(bar, 1));
    EXPECT_EQ(form.Record(bar, 0)->Picture(), pic.get());
    EXPECT_EQ(form.Record(bar, 1)->Picture(), nullptr);

    // Drop-down items look the same list up by their clean caption.
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&File...\tCtrl+F");
    AppendMenuA(popup, MF_STRING, 2, "Other");
    form.Open(popup);
    EXPECT_EQ(form.Record(popup, 0)->Picture(), pic.get());
    EXPECT_EQ(form.Record(popup, 1)->Picture(), nullptr);
    DestroyMenu(popup);
}

TEST(MenuScan, TheHostChangesTheRecordInTheEvent) {
    MenuForm form;
    HMENU popup = ThreeItemPopup();
    form.Open(popup);
    const int conversions = form.q()->MenuItemConversions();
    auto pic = MakeBitmapPicture();
    bool bold = true;
    form.events().onEvent = [&](DISPID id, DISPPARAMS* params) {
        if (id != DISPID_SetMenuItemAttributes || !params || params->cArgs != 1) return;
        ComPtr<_CMenuItem> item = ComPtr<IDispatch>(V_DISPATCH(&params->rgvarg[0])).As<_CMenuItem>(IID__CMenuItem);
        BSTR caption = nullptr;
        item->get_Caption(&caption);
        if (caption && std::wstring(caption) == L"&Alpha") {
            ComPtr<IFontDisp> font;
            item->get_CaptionFont(font.put());
            AsFont(font.get())->put_Bold(bold);
            BSTR tip = SysAllocString(L" from host ");
            item->put_TooltTipText(&tip);
            SysFreeString(tip);
            IPictureDisp* p = pic.get();
            item->putref_Picture(&p);
        }
        SysFreeString(caption);
    };
    form.Open(popup);
    // The font change converted the item again, at this very scan.
    EXPECT_EQ(form.q()->MenuItemConversions(), conversions + 1);
    CMenuItem* a = form.Record(popup, 0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->TooltTipText(), L"from host");
    EXPECT_EQ(a->Picture(), pic.get());
    BOOL isBold = FALSE;
    AsFont(a->CaptionFont())->get_Bold(&isBold);
    EXPECT_TRUE(isBold);
    // Without a change from the host nothing is converted.
    form.events().onEvent = nullptr;
    form.Open(popup);
    EXPECT_EQ(form.q()->MenuItemConversions(), conversions + 1);
    // Each scan resets the fonts from the defaults before the event.
    AsFont(a->CaptionFont())->get_Bold(&isBold);
    EXPECT_FALSE(isBold);
    DestroyMenu(popup);
}

TEST(MenuScan, DeadMenusArePurgedAndFrameItemsDropped) {
    MenuForm form;
    HMENU keep = ThreeItemPopup();
    HMENU gone = ThreeItemPopup();
    form.Open(keep);
    form.Open(gone);
    EXPECT_EQ(form.q()->MenuItems().size(), 6u);
    DestroyMenu(gone);
    SendMessageA(form.window.hwnd(), 0x465 /* WM_PURGEMENUITEMS */, 0, 0);
    EXPECT_EQ(form.q()->MenuItems().size(), 3u);
    for (const auto& item : form.q()->MenuItems()) EXPECT_EQ(item->HMenu(), HandleValue(keep));
    DestroyMenu(keep);
}

TEST(MenuScan, RandomHandlesAndPositionsAreHarmless) {
    MenuForm form;
    EXPECT_EQ(form.Open(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0x12345))), 0);
    EXPECT_EQ(form.Open(nullptr), 0);
    EXPECT_EQ(form.q()->MenuItems().size(), 0u);
    EXPECT_EQ(form.events().Count(DISPID_SetMenuItemAttributes), 0);
}

// A real modal menu: the system sends WM_INITMENUPOPUP and WM_MEASUREITEM
// itself; a timer ends the loop.
VOID CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST(MenuScan, ARealPopupMenuIsConvertedAndMeasuredWhileOpen) {
    MenuForm form;
    HMENU popup = ThreeItemPopup();
    ShowWindow(form.window.hwnd(), SW_SHOW);
    SetForegroundWindow(form.window.hwnd());
    int measured = 0;
    form.events().onEvent = [&](DISPID id, DISPPARAMS*) { measured += id == DISPID_SetMenuItemSize; };
    UINT_PTR timer = SetTimer(nullptr, 0, 300, CloseMenu);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, form.window.hwnd(), nullptr);
    KillTimer(nullptr, timer);
    EXPECT_GE(form.events().Count(DISPID_SetMenuItemAttributes), 3);
    EXPECT_GE(measured, 3);
    EXPECT_TRUE(TypeOf(popup, 0) & MFT_OWNERDRAW);
    DestroyMenu(popup);
}

}  // namespace
