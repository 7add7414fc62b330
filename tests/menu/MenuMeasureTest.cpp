// Measuring owner-drawn items through WM_MEASUREITEM on a hooked form, the
// SetMenuItemSize event, menu fonts and the one-entry GDI font cache.
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include "render/ItemFontSelection.h"
#include "tests/menu/MenuFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

LONG Bar() { return GetSystemMetrics(SM_CYMENU); }
LONG Check() { return GetSystemMetrics(SM_CXMENUCHECK); }

LONG ExpectedHeight(const CMenuItem& r, LONG picH = 0) {
    LONG h = Bar();
    if (picH + 4 > h) h = picH + 4;
    if (r.CaptionTextHeight() + 4 > h) h = r.CaptionTextHeight() + 4;
    if (r.ShortcutTextHeight() + 4 > h) h = r.ShortcutTextHeight() + 4;
    return h;
}

TEST(MenuMeasure, SeparatorsAndPlainItems) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&Short");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, 2, "A much longer caption\tCtrl+Shift+L");
    form.Open(popup);
    CMenuItem* shortItem = form.Record(popup, 0);
    CMenuItem* sep = form.Record(popup, 1);
    CMenuItem* longItem = form.Record(popup, 2);
    ASSERT_TRUE(shortItem && sep && longItem);

    LRESULT answer = 0;
    MEASUREITEMSTRUCT m = form.Measure(sep, &answer);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(m.itemWidth, 0u);
    const LONG half = static_cast<LONG>(std::nearbyint(Bar() / 2.0));  // halves to even
    EXPECT_EQ(static_cast<LONG>(m.itemHeight), half);
    if (Bar() == 19) {
        EXPECT_EQ(m.itemHeight, 10u);
    }

    // Every drop-down item is as wide as the widest caption and shortcut of its menu.
    const LONG width = longItem->CaptionTextWidth() + longItem->ShortcutTextWidth() + Bar() + Check();
    m = form.Measure(shortItem);
    EXPECT_EQ(static_cast<LONG>(m.itemWidth), width);
    EXPECT_EQ(static_cast<LONG>(m.itemHeight), ExpectedHeight(*shortItem));
    m = form.Measure(longItem);
    EXPECT_EQ(static_cast<LONG>(m.itemWidth), width);
    EXPECT_GE(static_cast<LONG>(m.itemHeight), Bar());
    EXPECT_EQ(form.q()->GetMaxCaptionWidth(*shortItem), longItem->CaptionTextWidth());
    EXPECT_EQ(form.q()->GetMaxShortcutWidth(*shortItem), longItem->ShortcutTextWidth());
    EXPECT_EQ(form.events().Count(DISPID_SetMenuItemSize), 3);
    DestroyMenu(popup);
}

TEST(MenuMeasure, PicturesAndCheckMarksWidenThePictureColumn) {
    MenuForm form;
    auto pic = MakeBitmapPicture(16, 16);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "With picture");
    AppendMenuA(popup, MF_STRING, 2, "Plain");
    form.Open(popup);
    CMenuItem* withPic = form.Record(popup, 0);
    CMenuItem* plain = form.Record(popup, 1);
    ASSERT_TRUE(withPic && plain);
    // No picture anywhere: the column is the menu-bar height.
    EXPECT_EQ(form.q()->GetPictureColumnWidth(*plain), Bar());
    withPic->SetPicture(pic.get());
    EXPECT_EQ(form.q()->GetPictureColumnWidth(*plain), std::max<LONG>(20, Bar()));
    MEASUREITEMSTRUCT m = form.Measure(withPic);
    EXPECT_GE(static_cast<LONG>(m.itemHeight), 20);
    EXPECT_EQ(static_cast<LONG>(m.itemHeight), ExpectedHeight(*withPic, 16));
    EXPECT_EQ(static_cast<LONG>(m.itemWidth), withPic->CaptionTextWidth() + std::max<LONG>(20, Bar()) + Check());

    // A checked item without a picture uses the check mark; an unchecked one nothing.
    withPic->SetPicture(nullptr);
    auto mark = MakeBitmapPicture(24, 24);
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    ASSERT_EQ(dual->putref_CheckMark(mark.get()), S_OK);
    EXPECT_EQ(form.q()->GetPictureColumnWidth(*plain), std::max<LONG>(4, Bar()));
    CheckMenuItem(popup, 1, MF_BYPOSITION | MF_CHECKED);
    form.Open(popup);
    ASSERT_TRUE(plain->Checked());
    EXPECT_EQ(form.q()->GetPictureColumnWidth(*plain), std::max<LONG>(28, Bar()));
    m = form.Measure(plain);
    EXPECT_EQ(static_cast<LONG>(m.itemHeight), ExpectedHeight(*plain, 24));
    DestroyMenu(popup);
}

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

// Picture sizes are kept between measurements, but a picture or check mark
// the host replaces is measured at once, and the one replaced is let go.
TEST(MenuMeasure, AReplacedPictureIsMeasuredAtOnceAndLetGo) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Pictured");
    AppendMenuA(popup, MF_STRING | MF_CHECKED, 2, "Checked");
    form.Open(popup);
    CMenuItem* pictured = form.Record(popup, 0);
    CMenuItem* checked = form.Record(popup, 1);
    ASSERT_TRUE(pictured && checked && checked->Checked());
    Quillon* q = form.q();
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(q));

    auto small = MakeBitmapPicture(16, 16), large = MakeBitmapPicture(40, 40);
    IPictureDisp* set = small.get();
    ASSERT_EQ(S_OK, static_cast<_CMenuItem*>(pictured)->putref_Picture(&set));
    auto mark = MakeBitmapPicture(10, 10), bigMark = MakeBitmapPicture(50, 50);
    ASSERT_EQ(S_OK, dual->putref_CheckMark(mark.get()));
    EXPECT_EQ(q->GetPictureColumnWidth(*checked), std::max<LONG>(20, Bar()));
    form.Measure(pictured);

    set = large.get();
    ASSERT_EQ(S_OK, static_cast<_CMenuItem*>(pictured)->putref_Picture(&set));
    EXPECT_EQ(RefCount(small.get()), 1u) << "only the test holds the replaced picture";
    EXPECT_EQ(q->GetPictureColumnWidth(*checked), std::max<LONG>(44, Bar()));
    ASSERT_EQ(S_OK, dual->putref_CheckMark(bigMark.get()));
    EXPECT_EQ(RefCount(mark.get()), 1u) << "only the test holds the replaced check mark";
    EXPECT_EQ(q->GetPictureColumnWidth(*checked), std::max<LONG>(54, Bar()));
    EXPECT_EQ(static_cast<LONG>(form.Measure(checked).itemHeight), ExpectedHeight(*checked, 50));
    DestroyMenu(popup);
}

TEST(MenuMeasure, MenuBarItemsAndTheLastItemOfAShadowedMenu) {
    MenuForm form(MakeSampleMenuBar());
    auto pic = MakeBitmapPicture(16, 16);
    HMENU bar = GetMenu(form.window.hwnd());
    CMenuItem* file = form.Record(bar, 0);
    ASSERT_NE(file, nullptr);
    file->SetPicture(pic.get());
    MEASUREITEMSTRUCT m = form.Measure(file);
    EXPECT_EQ(static_cast<LONG>(m.itemWidth), 16 + file->CaptionTextWidth() + 6);
    EXPECT_EQ(static_cast<LONG>(m.itemHeight), form.q()->GetMenuBarHeight());
    EXPECT_EQ(form.q()->GetMenuBarHeight(), std::max<LONG>({Bar(), 20, file->CaptionTextHeight() + 4}));

    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    ASSERT_EQ(dual->put_MenuBorder(qlBorderFlatWithShadow), S_OK);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Same");
    AppendMenuA(popup, MF_STRING, 2, "Same");
    form.Open(popup);
    const MEASUREITEMSTRUCT first = form.Measure(form.Record(popup, 0));
    const MEASUREITEMSTRUCT last = form.Measure(form.Record(popup, 1));
    EXPECT_EQ(last.itemHeight, first.itemHeight + 2);
    EXPECT_EQ(last.itemWidth, first.itemWidth);
    DestroyMenu(popup);
}

// The menu bar height and check-mark width are read once per popup opening
// and again after a settings change, so every item of one popup is measured
// with the same figures and a changed setting is seen at the next opening.
TEST(MenuMeasure, MenuMetricsAreReadAgainWhenAPopupOpensOrSettingsChange) {
    NONCLIENTMETRICSA saved{};
    saved.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &saved, 0));
    struct Restore {
        NONCLIENTMETRICSA& metrics;
        ~Restore() { SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &metrics, 0); }
    } restore{saved};

    MenuForm form;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Item");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    form.Open(popup);
    CMenuItem* sep = form.Record(popup, 1);
    ASSERT_NE(sep, nullptr);
    const LONG before = Bar();
    const auto halfOf = [](LONG h) { return static_cast<UINT>(std::nearbyint(h / 2.0)); };
    EXPECT_EQ(form.Measure(sep).itemHeight, halfOf(before));

    NONCLIENTMETRICSA taller = saved;
    taller.iMenuHeight = saved.iMenuHeight + 20;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &taller, 0));
    const LONG after = Bar();
    if (after == before) GTEST_SKIP() << "the menu height setting does not change SM_CYMENU here";
    // Still the figure of this popup's opening.
    EXPECT_EQ(form.Measure(sep).itemHeight, halfOf(before));
    SendMessageA(form.window.hwnd(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(form.Measure(sep).itemHeight, halfOf(after));

    ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &saved, 0));
    ASSERT_EQ(Bar(), before);
    form.Open(popup);
    EXPECT_EQ(form.Measure(sep).itemHeight, halfOf(before));
    DestroyMenu(popup);
}

TEST(MenuMeasure, TheHostMayResizeAndUnknownItemsAreTheHosts) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Resized");
    form.Open(popup);
    CMenuItem* item = form.Record(popup, 0);
    ASSERT_NE(item, nullptr);
    LONG seenWidth = -1;
    form.events().onEvent = [&](DISPID id, DISPPARAMS* params) {
        if (id != DISPID_SetMenuItemSize || params->cArgs != 3) return;
        // rgvarg is in reverse: ItemHeight, ItemWidth, aMenuItem.
        ASSERT_EQ(V_VT(&params->rgvarg[1]), VT_BYREF | VT_I4);
        ASSERT_EQ(V_VT(&params->rgvarg[2]), VT_DISPATCH);
        seenWidth = *V_I4REF(&params->rgvarg[1]);
        *V_I4REF(&params->rgvarg[1]) = 200;
        *V_I4REF(&params->rgvarg[0]) = 33;
    };
    MEASUREITEMSTRUCT m = form.Measure(item);
    EXPECT_EQ(seenWidth, item->CaptionTextWidth() + Bar() + Check());
    EXPECT_EQ(m.itemWidth, 200u);
    EXPECT_EQ(m.itemHeight, 33u);

    // The host's own owner-drawn item: measured by the host alone.
    const int events = form.events().Count(DISPID_SetMenuItemSize);
    const int seen = form.window.proc().Count(WM_MEASUREITEM);
    LRESULT answer = 1;
    m = form.Measure(static_cast<ULONG_PTR>(4242), &answer);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(m.itemWidth, 0u);
    EXPECT_EQ(m.itemHeight, 0u);
    EXPECT_EQ(form.window.proc().Count(WM_MEASUREITEM), seen + 1);
    EXPECT_EQ(form.events().Count(DISPID_SetMenuItemSize), events);

    // Not a menu: left to the form's own procedure.
    MEASUREITEMSTRUCT button{};
    button.CtlType = ODT_BUTTON;
    button.itemWidth = 7;
    form.window.proc().handler = [](HWND, UINT msg, WPARAM, LPARAM, LRESULT& r) {
        if (msg != WM_MEASUREITEM) return false;
        r = 5;
        return true;
    };
    const int before = form.window.proc().Count(WM_MEASUREITEM);
    EXPECT_EQ(SendMessageA(form.window.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&button)), 5);
    EXPECT_EQ(button.itemWidth, 7u);
    EXPECT_EQ(form.window.proc().Count(WM_MEASUREITEM), before + 1);
    DestroyMenu(popup);
}

TEST(MenuMeasure, ANewTextIsMeasuredWhenTheItemIsMeasured) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Go");
    form.Open(popup);
    CMenuItem* item = form.Record(popup, 0);
    const LONG before = item->CaptionTextWidth();
    // The host renames the item behind the control's back; the data stays.
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    char text[] = "Go somewhere far away";
    info.dwTypeData = text;
    SetMenuItemInfoA(popup, 0, TRUE, &info);
    form.Measure(item);
    EXPECT_EQ(item->MenuText(), L"Go somewhere far away");
    EXPECT_GT(item->CaptionTextWidth(), before);
    DestroyMenu(popup);
}

TEST(MenuFonts, SystemMenuFontDefaultsAndTheirReplacement) {
    MenuForm form(MakeSampleMenuBar());
    Quillon* q = form.q();
    ComPtr<IFontDisp> caption = ComPtr<IFontDisp>::Adopt(q->MenuCaptionFont());
    ComPtr<IFontDisp> shortcut = ComPtr<IFontDisp>::Adopt(q->MenuShortcutFont());
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption.get(), shortcut.get());  // both the cached system menu font
    EXPECT_EQ(caption.get(), q->GetSystemMenuFont(false));

    auto mine = MakeFont(L"Courier New", 14);
    const int conversions = q->MenuItemConversions();
    q->SetMenuCaptionFontObject(mine.get());
    ComPtr<IFontDisp> now = ComPtr<IFontDisp>::Adopt(q->MenuCaptionFont());
    EXPECT_EQ(now.get(), mine.get());  // the object itself, not a copy
    // The menu bar took the new font at once.
    EXPECT_GT(q->MenuItemConversions(), conversions);
    CMenuItem* file = q->GetMenuItemByKey(L"MENU_1001");
    ASSERT_NE(file, nullptr);
    // The record's font copies the host's: compare with what the font reads.
    CY size{}, wanted{};
    AsFont(file->CaptionFont())->get_Size(&size);
    AsFont(mine.get())->get_Size(&wanted);
    EXPECT_EQ(size.int64, wanted.int64);
    BSTR name = nullptr, wantedName = nullptr;
    AsFont(file->CaptionFont())->get_Name(&name);
    AsFont(mine.get())->get_Name(&wantedName);
    EXPECT_EQ(std::wstring(name), std::wstring(wantedName));
    SysFreeString(name);
    SysFreeString(wantedName);
    q->SetMenuCaptionFontObject(nullptr);
    now = ComPtr<IFontDisp>::Adopt(q->MenuCaptionFont());
    EXPECT_EQ(now.get(), q->GetSystemMenuFont(false));
}

TEST(MenuFonts, MenuFontSizeIsRoundedFromTheSystemMetrics) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi != 96) GTEST_SKIP() << "needs 96 pixels per inch";
    NONCLIENTMETRICSA saved{};
    saved.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &saved, 0));
    NONCLIENTMETRICSA changed = saved;
    changed.lfMenuFont.lfHeight = -11;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &changed, 0));
    MenuForm form;
    CY size{};
    AsFont(form.q()->GetSystemMenuFont(true))->get_Size(&size);
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &saved, 0);
    // |-11 * 72 / 96| = 8.25 makes an 8-point font. OLE fonts may read back
    // the size of the face they realise: compare with an 8-point one.
    wchar_t face[LF_FACESIZE] = {};
    MultiByteToWideChar(CP_ACP, 0, changed.lfMenuFont.lfFaceName, -1, face, LF_FACESIZE);
    CY eight{};
    AsFont(MakeFont(face, 8).get())->get_Size(&eight);
    CY nine{};
    AsFont(MakeFont(face, 9).get())->get_Size(&nine);
    EXPECT_EQ(size.int64, eight.int64);
    EXPECT_NE(size.int64, nine.int64);
}

TEST(MenuFonts, TheCachedGdiFontIsMadeOncePerDescription) {
    MenuForm form;
    Quillon* q = form.q();
    auto a = MakeFont(L"Arial", 10);
    auto b = MakeFont(L"Arial", 10);  // another object, same properties
    const int made = q->CachedFontCreations();
    HFONT first = q->GetCachedFont(a.get(), 0, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(q->GetCachedFont(a.get(), 0, 17), first);
    EXPECT_EQ(q->GetCachedFont(b.get(), 0, 0), first);
    EXPECT_EQ(q->CachedFontCreations(), made + 1);
    LOGFONTA lf{};
    GetObjectA(first, sizeof lf, &lf);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(lf.lfHeight, -MulDiv(10, dpi, 72));
    // Another width or property makes a new one.
    q->GetCachedFont(a.get(), 5, 0);
    EXPECT_EQ(q->CachedFontCreations(), made + 2);
    AsFont(b.get())->put_Italic(TRUE);
    HFONT italic = q->GetCachedFont(b.get(), 0, 0);
    EXPECT_EQ(q->CachedFontCreations(), made + 3);
    GetObjectA(italic, sizeof lf, &lf);
    EXPECT_TRUE(lf.lfItalic);
    // Measuring with one font reuses it.
    const int beforeMeasure = q->CachedFontCreations();
    q->MeasureText(b.get(), 0, L"one");
    q->MeasureText(b.get(), 0, L"two");
    EXPECT_EQ(q->CachedFontCreations(), beforeMeasure);
}

// Texts are measured in one DC the control keeps: each measurement is the
// extent a screen DC gives in the same font, also when the next text needs
// another font and the cache replaces (deletes) the one measured with.
TEST(MenuFonts, MeasuringInTheKeptDcMatchesTheScreenAcrossFontChanges) {
    MenuForm form;
    Quillon* q = form.q();
    const auto small = MakeFont(L"Arial", 10), large = MakeFont(L"Times New Roman", 20);
    HFONT replaced = nullptr;
    for (const auto* font : {&small, &large, &small, &large}) {
        for (const wchar_t* text : {L"&Open...", L"Ctrl+Shift+W", L""}) {
            const SIZE got = q->MeasureText(font->get(), 0, text);
            LOGFONTA lf{};
            GetObjectA(q->GetCachedFont(font->get(), 0, 0), sizeof lf, &lf);
            HFONT same = CreateFontIndirectA(&lf);
            HDC screen = GetDC(nullptr);
            HGDIOBJ old = SelectObject(screen, same);
            RECT r{};
            DrawTextW(screen, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
            TEXTMETRICW tm{};
            GetTextMetricsW(screen, &tm);
            SelectObject(screen, old);
            ReleaseDC(nullptr, screen);
            DeleteObject(same);
            EXPECT_EQ(r.right, got.cx) << lf.lfFaceName << " " << lf.lfHeight;
            EXPECT_EQ(std::max<LONG>(r.bottom, tm.tmHeight), got.cy);
        }
        if (replaced) {
            EXPECT_EQ(0u, GetObjectType(replaced)) << "the font measured with was deleted";
        }
        replaced = q->GetCachedFont(font->get(), 0, 0);
    }
}

// A painting keeps the cached font selected across an item's texts; when
// the next text needs another font, the cache puts the DC's own font back
// before deleting the one selected, and the painting ends with the DC's
// own font.
TEST(MenuFonts, TheCacheNeverDeletesTheFontAPaintingHasSelected) {
    MenuForm form;
    Quillon* q = form.q();
    auto arial = MakeFont(L"Arial", 10);
    auto times = MakeFont(L"Times New Roman", 14);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ own = GetCurrentObject(dc, OBJ_FONT);
    HFONT first = nullptr;
    {
        ItemFontSelection fonts(*q, dc);
        first = q->GetCachedFont(arial.get(), 0, 0);
        fonts.Use(first);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first);
        fonts.Use(q->GetCachedFont(arial.get(), 0, 0));  // the same font: nothing to do
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first);
        HFONT second = q->GetCachedFont(times.get(), 0, 0);
        ASSERT_NE(second, first);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), own) << "the replaced font was put out of the DC first";
        EXPECT_EQ(GetObjectType(first), 0u) << "and deleted at once";
        fonts.Use(second);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), second);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), own);
    DeleteDC(dc);
}

// The record keeps its fonts' properties between paints and reads them
// again when a font says it changed; an item without a font paints in the
// ambient font.
TEST(MenuFonts, ItemFontsFollowChangesToTheirFontObjects) {
    MenuForm form;
    Quillon* q = form.q();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Item\tCtrl+I");
    form.Open(popup);
    CMenuItem* item = form.Record(popup, 0);
    ASSERT_TRUE(item && item->CaptionFont());
    auto weightOf = [](HFONT font) {
        LOGFONTA lf{};
        GetObjectA(font, sizeof lf, &lf);
        return lf.lfWeight;
    };
    HFONT before = q->GetCachedItemFont(*item, false);
    ASSERT_NE(before, nullptr);
    EXPECT_LT(weightOf(before), FW_BOLD);
    EXPECT_EQ(q->GetCachedItemFont(*item, false), before) << "nothing changed: the same font";

    ComPtr<IFont> font = ComPtr<IFontDisp>(item->CaptionFont()).As<IFont>(IID_IFont);
    ASSERT_TRUE(font);
    ASSERT_EQ(S_OK, font->put_Bold(TRUE));
    EXPECT_EQ(weightOf(q->GetCachedItemFont(*item, false)), FW_BOLD);
    ASSERT_EQ(S_OK, font->put_Bold(FALSE));
    EXPECT_LT(weightOf(q->GetCachedItemFont(*item, false)), FW_BOLD);

    item->SetShortcutFont(nullptr);
    EXPECT_EQ(q->GetCachedItemFont(*item, true), q->GetCachedFont(nullptr, 0, 0));
    DestroyMenu(popup);
}

TEST(MenuFonts, AnAccessKeyMarkerTakesNoRoom) {
    MenuForm form;
    auto font = MakeFont(L"Arial", 10);
    const SIZE plain = form.q()->MeasureText(font.get(), 0, L"File");
    const SIZE marked = form.q()->MeasureText(font.get(), 0, L"&File");
    EXPECT_GT(plain.cx, 0);
    EXPECT_EQ(plain.cx, marked.cx);
    EXPECT_EQ(plain.cy, marked.cy);
    const SIZE empty = form.q()->MeasureText(font.get(), 0, L"");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, plain.cy);
    EXPECT_GT(form.q()->MeasureText(font.get(), 0, L"File menu").cx, plain.cx);
}

}  // namespace
