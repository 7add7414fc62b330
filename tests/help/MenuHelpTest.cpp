// Help texts of selected items in a real status bar, and the events that
// let the host take part.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "control/QuillonInterfaces.h"
#include "help/StatusBar.h"
#include "tests/help/HelpFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

TEST(MenuHelp, HostTextsByCleanCaptionAndDefaultsBehindThem) {
    HelpForm f;
    ASSERT_EQ(f.statusBar, f.q()->StatusBar());
    ASSERT_EQ(S_OK, f.host->Call(L"AddMessage", {Variant::String(L"Open"), Variant::String(L"  Opens a file ")}));
    f.Select(HelpForm::kOpen);
    EXPECT_EQ(L"Opens a file", f.Status()) << "&Open...\\tCtrl+O and Open share a key";
    ASSERT_EQ(1, f.events().Count(DISPID_ShowMenuHelp));

    Excep error;
    EXPECT_NE(S_OK, f.host->Call(L"AddMessage", {Variant::String(L"&open"), Variant::String(L"Other")}, nullptr, &error));
    EXPECT_FALSE(error.Description().empty());
    f.Select(HelpForm::kOpen);
    EXPECT_EQ(L"Opens a file", f.Status()) << "the first text stays";
    EXPECT_EQ(S_OK, f.host->Call(L"RemoveMessage", {Variant::String(L"OPEN")}));
    EXPECT_EQ(S_OK, f.host->Call(L"RemoveMessage", {Variant::String(L"Never added")}));
    EXPECT_EQ(S_OK, f.host->Call(L"AddMessage", {Variant::String(L"Open"), Variant::String(L"Again")}));

    // Blanks count as no text: the library's default shows.
    ASSERT_EQ(S_OK, f.host->Call(L"AddMessage", {Variant::String(L"My Command"), Variant::String(L"   ")}));
    f.Select(HelpForm::kMine);
    EXPECT_EQ(L"Runs my command", f.Status());

    ASSERT_EQ(S_OK, f.host->Call(L"AddCompositeMessage", {Variant::String(L"Save|Saves|now")}));
    ASSERT_NE(nullptr, f.q()->HostHelpMessage(L"SAVE"));
    EXPECT_EQ(L"Saves|now", *f.q()->HostHelpMessage(L"SAVE"));
    EXPECT_EQ(S_OK, f.host->Call(L"AddCompositeMessage", {Variant::String(L"No bar here")}));
    EXPECT_EQ(nullptr, f.q()->HostHelpMessage(L"NO BAR HERE"));
}

TEST(MenuHelp, RegisteredTextsMeetTheirItemsAndWinOverTheDefaults) {
    HelpForm f;
    ASSERT_EQ(S_OK, f.host->Call(L"AddMessage", {Variant::String(L"&Open..."), Variant::String(L"Opens a file")}));
    f.Select(HelpForm::kPlainOpen);
    EXPECT_EQ(L"Opens a file", f.Status()) << "registered as &Open..., shown for Open";

    f.Select(HelpForm::kMine);
    ASSERT_EQ(L"Runs my command", f.Status()) << "the library's default";
    ASSERT_EQ(S_OK, f.host->Call(L"AddMessage", {Variant::String(L"My Command"), Variant::String(L"The host's text")}));
    f.Select(HelpForm::kMine);
    EXPECT_EQ(L"The host's text", f.Status());

    // A composite registration of a known caption fails like AddMessage.
    ASSERT_EQ(S_OK, f.host->Call(L"AddCompositeMessage", {Variant::String(L"Save|Saves")}));
    Excep error;
    EXPECT_NE(S_OK, f.host->Call(L"AddCompositeMessage", {Variant::String(L"&Save|Other")}, nullptr, &error));
    EXPECT_FALSE(error.Description().empty());
    ASSERT_NE(nullptr, f.q()->HostHelpMessage(L"SAVE"));
    EXPECT_EQ(L"Saves", *f.q()->HostHelpMessage(L"SAVE"));
}

TEST(MenuHelp, JapaneseItemsHaveTheirHelpDecodedInCodePage932) {
    HelpForm f;
    // "Nihon" in code page 932, as an ANSI host holds it: one character per byte.
    const char bytes[] = "\x93\xfa\x96\x7b";
    wchar_t held[8] = {};
    ASSERT_EQ(4, MultiByteToWideChar(CP_ACP, 0, bytes, 4, held, 8));
    ASSERT_EQ(S_OK, f.host->Call(L"AddMessage", {Variant::String(L"My Command"), Variant::String(held)}));
    f.Select(HelpForm::kMine);
    EXPECT_EQ(held, f.Status()) << "an English item shows the bytes as they are";

    f.ChangeItem(L"&My Command", [](_CMenuItem& item) { item.put_Language(qlJapanese); });
    f.Select(HelpForm::kMine);
    EXPECT_EQ(L"\x65e5\x672c", f.Status());
}

TEST(MenuHelp, SeparatorsSubmenusAndClosingClear) {
    HelpForm f;
    EventSink& events = f.events();
    ASSERT_EQ(S_OK, f.host->Let(L"AutoShowHelp", Variant::Bool(false)));
    f.SetStatus(L"kept");
    f.Select(HelpForm::kSeparator, MF_SEPARATOR);
    EXPECT_EQ(0, events.Count(DISPID_ClearMenuHelp) + events.Count(DISPID_ShowMenuHelp)) << "no event at all";
    f.Select(3, MF_POPUP, f.popup);
    EXPECT_EQ(1, events.Count(DISPID_ClearMenuHelp)) << "a submenu always clears";
    f.Close();
    EXPECT_EQ(2, events.Count(DISPID_ClearMenuHelp));
    EXPECT_EQ(L"kept", f.Status()) << "AutoShowHelp off leaves the bar alone";

    ASSERT_EQ(S_OK, f.host->Let(L"AutoShowHelp", Variant::Bool(true)));
    f.Select(HelpForm::kSeparator, MF_SEPARATOR);
    EXPECT_EQ(3, events.Count(DISPID_ClearMenuHelp));
    EXPECT_EQ(L"", f.Status());
    f.SetStatus(L"again");
    f.Close();
    EXPECT_EQ(L"", f.Status());
    f.SetStatus(L"again");
    f.Select(3, MF_POPUP, f.popup);
    EXPECT_EQ(L"", f.Status()) << "a submenu clears the bar";
    EXPECT_EQ(5, events.Count(DISPID_ClearMenuHelp));
    f.Select(999);  // no such item: nothing happens
    EXPECT_EQ(0, events.Count(DISPID_ShowMenuHelp));
}

TEST(MenuHelp, AHostReplacesTheTextAndADestroyedBarIsSkipped) {
    HelpForm f;
    f.events().onEvent = [](DISPID id, DISPPARAMS* params) {
        if (id != DISPID_ShowMenuHelp || params->cArgs != 2) return;
        SysFreeString(*V_BSTRREF(&params->rgvarg[0]));
        *V_BSTRREF(&params->rgvarg[0]) = SysAllocString(L"From the host");
    };
    f.Select(HelpForm::kMine);
    EXPECT_EQ(L"From the host", f.Status());
    DestroyWindow(f.statusBar);
    f.Select(HelpForm::kOpen);
    EXPECT_EQ(2, f.events().Count(DISPID_ShowMenuHelp)) << "events go on without a bar";
    f.events().onEvent = nullptr;
}

// A window class of the given name whose windows stand in for a status bar.
struct StandInClass {
    const char* name;
    explicit StandInClass(const char* n) : name(n) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
    ~StandInClass() { UnregisterClassA(name, GetModuleHandleA(nullptr)); }
    HWND Create(HWND parent) const {
        return CreateWindowExA(0, name, "", WS_CHILD, 0, 0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
};

TEST(StatusBar, ClassesAreLookedForInTheirOrder) {
    RecordingWindow form;
    StandInClass bar20("StatusBar20WndClass"), plain("StatusBarWndClass");
    EXPECT_EQ(nullptr, FindStatusBarIn(form.hwnd()));
    HWND common = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD, 0, 0, 0, 0, form.hwnd(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(common, FindStatusBarIn(form.hwnd()));
    HWND second = plain.Create(form.hwnd());
    EXPECT_EQ(second, FindStatusBarIn(form.hwnd()));
    HWND first = bar20.Create(form.hwnd());
    EXPECT_EQ(first, FindStatusBarIn(form.hwnd()));
    DestroyWindow(first);
    DestroyWindow(second);
}

TEST(StatusBar, AnMdiChildUsesTheBarOfItsFrame) {
    MdiFrame mdi;
    HWND frameBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD, 0, 0, 0, 0, mdi.frame(), nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    HWND child = mdi.AddChild();
    CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD, 0, 0, 0, 0, child, nullptr, GetModuleHandleA(nullptr), nullptr);
    HostedControl q(child, {.mdiChild = true});
    EXPECT_EQ(frameBar, q->StatusBar());
}

TEST(StatusBar, ABarMadeAfterAttachmentIsNotUsed) {
    HelpForm f(true);
    EXPECT_EQ(nullptr, f.q()->StatusBar());
    f.SetStatus(L"own text");
    f.Select(HelpForm::kMine);
    EXPECT_EQ(1, f.events().Count(DISPID_ShowMenuHelp));
    EXPECT_EQ(L"own text", f.Status());
}

TEST(StatusBar, FarEasternTextIsDecodedInItsCodePage) {
    RecordingWindow form;
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD, 0, 0, 0, 0, form.hwnd(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    // "Nihon" in code page 932, as an ANSI program holds it: one character per byte.
    const char bytes[] = "\x93\xfa\x96\x7b";
    wchar_t held[8] = {};
    ASSERT_EQ(4, MultiByteToWideChar(CP_ACP, 0, bytes, 4, held, 8));
    SetStatusBarText(bar, held, qlJapanese);
    wchar_t shown[16] = {};
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(std::wstring(L"\x65e5\x672c"), shown);
    SetStatusBarText(bar, L"Plain", qlGerman);
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(std::wstring(L"Plain"), shown);
}

}  // namespace
