// A Unicode host: its form keeps its texts once hooked, and its menu texts
// reach the records, the events, the painters, the status bar and the
// access keys with every character.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "control/ApiDeclares.h"
#include "control/PendingMessages.h"
#include "help/StatusBar.h"
#include "help/Tooltip.h"
#include "render/ItemText.h"
#include "tests/menu/MenuFixture.h"
#include "tests/render/Canvas.h"

using namespace quillon;
using namespace quillon::test;

namespace {

const wchar_t kTitle[] = L"\x0395\x03bb\x03bb\x03b7\x03bd\x03b9\x03ba\x03ac \x65e5\x672c";  // Ελληνικά 日本
const wchar_t kOpen[] = L"&\x0386\x03bd\x03bf\x03b9\x03b3\x03bc\x03b1\tCtrl+O";         // &Άνοιγμα
const wchar_t kJapan[] = L"\x65e5\x672c\x8a9e";                                          // 日本語

// One text as it reaches the system: its language and whose it is.
struct TextCase {
    const wchar_t* text;
    LONG language;
    bool unicodeText;
};

std::wstring StringOfW(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

TEST(UnicodeHost, TheFormAndItsMenuTextsKeepEveryCharacter) {
    MenuForm form(UnicodeClass{}, kTitle);
    HWND hwnd = form.window.hwnd();
    wchar_t title[32] = {};
    GetWindowTextW(hwnd, title, 32);
    EXPECT_EQ(std::wstring(kTitle), title);

    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 21, kOpen);
    AppendMenuW(popup, MF_STRING, 22, kJapan);
    std::wstring seen;
    form.events().onEvent = [&](DISPID id, DISPPARAMS* params) {
        if (id != DISPID_SetMenuItemAttributes || !seen.empty()) return;
        ComPtr<_CMenuItem> item = ComPtr<IDispatch>(V_DISPATCH(&params->rgvarg[0])).As<_CMenuItem>(IID__CMenuItem);
        BSTR text = nullptr;
        item->get_MenuText(&text);
        if (text) seen = text;
        SysFreeString(text);
    };
    form.Open(popup);
    EXPECT_EQ(std::wstring(kOpen), seen) << "the event's record";
    CMenuItem* open = form.Record(popup, 0);
    CMenuItem* japan = form.Record(popup, 1);
    ASSERT_TRUE(open && japan);
    EXPECT_TRUE(TypeOf(popup, 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(open->UnicodeText());
    EXPECT_EQ(L"&\x0386\x03bd\x03bf\x03b9\x03b3\x03bc\x03b1", open->Caption());
    EXPECT_EQ(L"Ctrl+O", open->ShortcutText());
    EXPECT_EQ(L"\x0386\x039d\x039f\x0399\x0393\x039c\x0391", Quillon::CleanCaption(open->Caption()));
    EXPECT_EQ(std::wstring(kJapan), japan->Caption());
    EXPECT_EQ(std::wstring(kOpen), StringOfW(popup, 0)) << "the menu keeps its text";
    EXPECT_EQ(0x0386, open->AccessKey()) << "outside the ANSI code page: its own code";
    EXPECT_GT(japan->CaptionTextWidth(), 0);

    // The access key matches as typed, lower case, in the Unicode window.
    const LPARAM menu = reinterpret_cast<LPARAM>(popup);
    EXPECT_EQ(MAKELONG(0, MNC_EXECUTE), SendMessageW(hwnd, WM_MENUCHAR, MAKEWPARAM(0x03ac, MF_POPUP), menu));
    EXPECT_EQ(0, SendMessageW(hwnd, WM_MENUCHAR, MAKEWPARAM('A', MF_POPUP), menu)) << "no best-fit stand-in";

    // A character waiting in the queue while the popup opens stays whole.
    PostMessageW(hwnd, WM_CHAR, 0x03a9, 0);
    ProcessPendingMessages();
    WPARAM character = 0;
    for (const SeenMessage& m : form.window.proc().seen)
        if (m.msg == WM_CHAR) character = m.wParam;
    EXPECT_EQ(0x03a9u, character);
    DestroyMenu(popup);
}

TEST(UnicodeHost, AnAnsiFormKeepsItsAnsiAccessKeysAndTexts) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 31, "&\xc4rger");  // Ärger in code page 1252
    form.Open(popup);
    CMenuItem* item = form.Record(popup, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->UnicodeText());
    EXPECT_EQ(L"&\x00c4rger", item->Caption());
    EXPECT_EQ(0xc4, item->AccessKey());
    EXPECT_EQ(MAKELONG(0, MNC_EXECUTE),
              SendMessageA(form.window.hwnd(), WM_MENUCHAR, MAKEWPARAM(0xe4, MF_POPUP), reinterpret_cast<LPARAM>(popup)));
    DestroyMenu(popup);
}

// Which text function draws: a Unicode program's text and any text the ANSI
// code page cannot carry come out as DrawTextW draws them.
TEST(UnicodeHost, TextsAreDrawnWithEveryCharacter) {
    const RECT r{0, 0, 160, 20};
    const UINT format = DT_SINGLELINE | DT_VCENTER;
    // A face with Greek letters; Japanese ones it lacks still differ from "?".
    HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    auto draw = [&](Canvas& c, auto paint) {
        c.Fill(RGB(255, 255, 255));
        SetBkMode(c.dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(c.dc, font);
        paint(c.dc);
        SelectObject(c.dc, old);
    };
    const TextCase cases[] = {
        {kJapan, qlEnglish, true},
        {kJapan, qlJapanese, false},
        {L"\x03a9\x03bc\x03ad\x03b3\x03b1", qlEnglish, false},
        {L"&Plain", qlJapanese, true},
    };
    for (const TextCase& c : cases) {
        Canvas drawn(160, 20), expected(160, 20);
        draw(drawn, [&](HDC dc) { DrawItemText(dc, c.text, r, format, c.language, c.unicodeText); });
        draw(expected, [&](HDC dc) {
            RECT e = r;
            DrawTextW(dc, c.text, -1, &e, format);
        });
        EXPECT_TRUE(drawn == expected) << static_cast<const void*>(c.text);
    }
    DeleteObject(font);
}

TEST(UnicodeHost, StatusBarTextsKeepEveryCharacter) {
    RecordingWindow form;
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD, 0, 0, 0, 0, form.hwnd(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    const TextCase cases[] = {
        {kTitle, qlEnglish, false},
        {kJapan, qlJapanese, true},
        {kJapan, qlJapanese, false},
        {L"\x00c4rger", qlJapanese, true},
    };
    for (const TextCase& c : cases) {
        SetStatusBarText(bar, c.text, c.language, c.unicodeText);
        wchar_t shown[32] = {};
        SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
        EXPECT_EQ(std::wstring(c.text), shown);
    }
}

TEST(UnicodeHost, TooltipTextsAndTitlesKeepEveryCharacter) {
    RecordingWindow form(UnicodeClass{}, kTitle);
    CTooltip tip;
    ASSERT_TRUE(tip.Init(form.hwnd()));
    const UINT_PTR id = reinterpret_cast<UINT_PTR>(form.hwnd());
    ASSERT_TRUE(tip.AddTool(id, true, 0, 0, 0, 0, kTitle));
    wchar_t text[64] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = form.hwnd();
    tool.uId = id;
    tool.lpszText = text;
    SendMessageW(tip.hwnd(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(kTitle), text);
    EXPECT_FALSE(tip.AddTool(id, true, 0, 0, 0, 0, kJapan)) << "the tool is found again";
    tip.DeleteTool(id);
    EXPECT_EQ(0, tip.ToolCount());
    tip.SetTitle(kJapan);
    EXPECT_EQ(std::wstring(kJapan), tip.TitleText());
}

// Right-to-left items get the right-order type where the menus take it
// as such, and not under Wine, whose menus misread it.
TEST(UnicodeHost, RightOrderIsSetUnlessRunningUnderWine) {
    MenuForm form;
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    ASSERT_EQ(dual->put_RightToLeft(VARIANT_TRUE), S_OK);
    for (bool wine : {false, true}) {
        ApiDeclares::SetWineOverride(&wine);
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 41, "&Right");
        form.Open(popup);
        EXPECT_EQ(TypeOf(popup, 0), wine ? 0x4100u : 0x6100u) << wine;
        DestroyMenu(popup);
    }
    ApiDeclares::SetWineOverride(nullptr);
}

}  // namespace
