// Default pictures and help texts read from a resource library with known
// tables (tests/help/testres), found in the folder the control is told.
#include <windows.h>
#include <gtest/gtest.h>
#include "control/ResourceLibrary.h"
#include "help/LanguageTables.h"
#include "tests/control/Automation.h"
#include "tests/help/HelpFixture.h"
#include "tests/menu/MenuFixture.h"
#include "tests/render/Canvas.h"

using namespace quillon;
using namespace quillon::test;

namespace {

struct TablesControl {
    LibraryFolder library;
    RecordingWindow form;
    HostedControl q;
    Automation host;
    explicit TablesControl(const std::wstring& folder = TestLibraryFolder())
        : library(folder), q(form.hwnd()), host(q.container.Query<IDispatch>(IID_IDispatch).get()) {}

    ComPtr<IUnknown> Picture(const wchar_t* caption, LONG language) {
        Variant result;
        EXPECT_EQ(S_OK, host.Call(L"GetDefaultPictureEx", {Variant::String(caption), Variant::Long(language)}, &result));
        ComPtr<IUnknown> unknown;
        if (result.vt() == VT_DISPATCH && V_DISPATCH(&result.v))
            V_DISPATCH(&result.v)->QueryInterface(IID_IUnknown, unknown.put_void());
        return unknown;
    }
};

SHORT TypeOf(IUnknown* picture) {
    ComPtr<IPicture> p;
    SHORT type = PICTYPE_UNINITIALIZED;
    if (picture && SUCCEEDED(picture->QueryInterface(IID_IPicture, p.put_void()))) p->get_Type(&type);
    return type;
}

TEST(DefaultTables, EnglishIsReadAtStartUpUntilTheFirstMissingString) {
    TablesControl c;
    const LanguageTables::Slot* english = c.q->DefaultTables().SlotOf(qlEnglish);
    ASSERT_TRUE(english && english->helpTexts && english->pictureNames);
    EXPECT_EQ(4u, english->helpTexts->size()) << "a key alone adds nothing; the gap ends the run";
    EXPECT_EQ(2u, english->pictureNames->size()) << "a string without picture name adds only a help text";
    EXPECT_EQ(L"Runs my command", c.q->GetDefaultHelpText(L"&My Command...", qlEnglish)) << "the first string wins";
    EXPECT_EQ(L"Help without a picture", c.q->GetDefaultHelpText(L"only help", qlEnglish));
    EXPECT_EQ(L"", c.q->GetDefaultHelpText(L"After the gap", qlEnglish));
    EXPECT_EQ(nullptr, c.q->DefaultTables().SlotOf(LanguageTables::kSlots)) << "no slot past the last language";
}

TEST(DefaultTables, TextsOutsideTheAnsiCodePageAreReadWhole) {
    TablesControl c;
    const wchar_t* caption = L"&\x0386\x03bd\x03bf\x03b9\x03b3\x03bc\x03b1...";  // &Άνοιγμα...
    EXPECT_EQ(PICTYPE_ICON, TypeOf(c.Picture(caption, qlGerman).get()));
    EXPECT_EQ(L"\x0391\x03bd\x03bf\x03af\x03b3\x03b5\x03b9 \x03ad\x03bd\x03b1 "
              L"\x03b1\x03c1\x03c7\x03b5\x03af\x03bf \x65e5\x672c",
              c.q->GetDefaultHelpText(caption, qlGerman));
}

TEST(DefaultTables, FrenchLoadsOnFirstUseAndPicturesAreSharedByName) {
    TablesControl c;
    const LanguageTables::Slot* french = c.q->DefaultTables().SlotOf(qlFrench);
    ASSERT_NE(nullptr, french);
    EXPECT_EQ(nullptr, french->helpTexts.get()) << "not read before it is needed";
    EXPECT_EQ(L"", c.q->GetDefaultHelpText(L"Commande", qlFrench)) << "help lookups do not load";
    ComPtr<IUnknown> first = c.Picture(L"&Commande", qlFrench);
    ASSERT_TRUE(first);
    EXPECT_EQ(PICTYPE_ICON, TypeOf(first.get()));
    ASSERT_TRUE(french->helpTexts);
    EXPECT_EQ(L"Lance ma commande", c.q->GetDefaultHelpText(L"Commande", qlFrench));
    EXPECT_EQ(first.get(), c.Picture(L"Commande", qlFrench).get()) << "the same picture object";
    EXPECT_EQ(first.get(), c.Picture(L"My Command", qlEnglish).get()) << "one cache for every language";
}

TEST(DefaultTables, CheckMarkAndCaptionsWithoutAnEntry) {
    TablesControl c;
    ASSERT_NE(nullptr, c.q->StockCheckMark());
    ComPtr<IUnknown> stock;
    c.q->StockCheckMark()->QueryInterface(IID_IUnknown, stock.put_void());
    EXPECT_EQ(stock.get(), c.Picture(L"  CHECKMARK ", qlGerman).get()) << "CHECKMARK_ICON in any language";
    ComPtr<IUnknown> lonely = c.Picture(L"Lonely Caption", qlEnglish);
    EXPECT_EQ(PICTYPE_ICON, TypeOf(lonely.get())) << "looked up as Lonely_Caption_ICON";
    EXPECT_FALSE(c.Picture(L"Nothing Here", qlEnglish));
    EXPECT_FALSE(c.Picture(L"Commande", 11)) << "a language without slot";
}

TEST(DefaultTables, AStringLongerThanTheBufferIsCutAt254Characters) {
    TablesControl c;
    std::wstring digits;
    for (int i = 0; i < 26; ++i) digits += L"0123456789";
    // "LONG TEXT" and its line feed take 10 of the 254 characters.
    EXPECT_EQ(digits.substr(0, 244), c.q->GetDefaultHelpText(L"Long Text", qlEnglish));
    const LanguageTables::Slot* english = c.q->DefaultTables().SlotOf(qlEnglish);
    ASSERT_TRUE(english && english->pictureNames);
    EXPECT_EQ(nullptr, english->pictureNames->Find(L"LONG TEXT")) << "the picture name was past the end";
    EXPECT_FALSE(c.Picture(L"Long Text", qlEnglish)) << "nor is My_Icon shown for it";
    EXPECT_EQ(L"Help whose icon is missing", c.q->GetDefaultHelpText(L"No Icon", qlEnglish)) << "the run goes on";
}

TEST(DefaultTables, AMissingIconGivesNoPictureAndIsNotRemembered) {
    TablesControl c;
    const size_t cached = c.q->DefaultTables().CachedPictureCount();
    EXPECT_FALSE(c.Picture(L"No Icon", qlEnglish)) << "Missing_ICON is not in the library";
    EXPECT_EQ(cached, c.q->DefaultTables().CachedPictureCount()) << "the next request tries the library again";
    EXPECT_FALSE(c.Picture(L"No Icon", qlEnglish));
    EXPECT_EQ(L"Help whose icon is missing", c.q->GetDefaultHelpText(L"No Icon", qlEnglish)) << "its help text stays";

    // An item with that caption is converted without a picture.
    HMENU bar = CreateMenu(), popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&No Icon");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
    {
        MenuForm form(bar);
        form.Open(popup);
        CMenuItem* item = form.Record(popup, 0);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(nullptr, item->Picture());
        EXPECT_EQ(L"Help whose icon is missing", item->TooltTipText());
        SetMenu(form.window.hwnd(), nullptr);
    }
    DestroyMenu(bar);
}

TEST(DefaultTables, WithoutTheLibraryThereIsNothingAndNothingFails) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string s(temp);
    TablesControl c(std::wstring(s.begin(), s.end()));
    EXPECT_EQ(nullptr, c.q->ResourceLibrary());
    EXPECT_EQ(nullptr, c.q->StockCheckMark());
    EXPECT_FALSE(c.Picture(L"My Command", qlEnglish));
    EXPECT_EQ(L"", c.q->GetDefaultHelpText(L"My Command", qlEnglish));
}

TEST(DefaultTables, MenuItemsGetTheDefaultPictureAndTheStockCheckMark) {
    LibraryFolder library(TestLibraryFolder());
    HMENU bar = CreateMenu(), popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&My Command");
    AppendMenuA(popup, MF_STRING | MF_CHECKED, 2, "Checked");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
    {
        MenuForm form(bar);
        form.Open(popup);
        CMenuItem* mine = form.Record(popup, 0);
        ASSERT_NE(nullptr, mine);
        EXPECT_EQ(PICTYPE_ICON, TypeOf(mine->Picture()));
        // The checked item shows the stock check mark (red) in its picture column.
        Canvas canvas(200, 22);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.hDC = canvas.dc;
        dis.rcItem = {0, 0, 200, 22};
        dis.itemState = ODS_CHECKED;
        dis.itemData = DataOf(popup, 1);
        SendMessageA(form.window.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        const LONG picW = form.q()->GetPictureColumnWidth(*form.Record(popup, 1));
        EXPECT_EQ(RGB(255, 0, 0), canvas.At(picW / 2, 11));
        SetMenu(form.window.hwnd(), nullptr);
    }
    DestroyMenu(bar);
}

TEST(LibraryStrings, FieldsAreSplitAtLineFeeds) {
    EXPECT_EQ((std::vector<std::wstring>{L"KEY", L"Help", L"Icon"}), SplitLibraryString(L"KEY\nHelp\nIcon"));
    EXPECT_EQ((std::vector<std::wstring>{L"KEY", L""}), SplitLibraryString(L"KEY\n"));
    KeyedTexts texts;
    EXPECT_TRUE(texts.Add(L"Copy", L"first"));
    EXPECT_FALSE(texts.Add(L"COPY", L"second"));
    ASSERT_NE(nullptr, texts.Find(L"copy"));
    EXPECT_EQ(L"first", *texts.Find(L"copy"));
}

}  // namespace
