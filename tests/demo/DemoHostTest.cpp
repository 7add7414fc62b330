// DemoHost.exe as a user meets it: started as its own process, driven with
// window messages, read back through its windows (and, for menus, which
// belong to their process, through MenuProbe.dll hooked into it).
#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include "demo/Dialogs.h"
#include "demo/MenuIds.h"

namespace {

using namespace demo;

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L"\\/"));
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

bool WaitFor(const std::function<bool()>& done, DWORD ms = 15000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        Pump();
        Sleep(20);
    }
    return true;
}

std::wstring TextOf(HWND w) {
    wchar_t buffer[256] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &got);
    return buffer;
}

struct MenuLine {
    int depth, position;
    UINT type, state, id;
    std::wstring text;
};

struct FindFrame {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK FindFrameProc(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<FindFrame*>(p);
    DWORD pid = 0;
    wchar_t cls[32] = {};
    GetWindowThreadProcessId(w, &pid);
    GetClassNameW(w, cls, 32);
    if (pid == f->pid && lstrcmpW(cls, L"MDIForm1") == 0) f->found = w;
    return f->found ? FALSE : TRUE;
}

// The window the probe answers to.
std::wstring g_dump;
LRESULT CALLBACK ReplyProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_dump.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        if (!g_dump.empty() && g_dump.back() == L'\0') g_dump.pop_back();
        return TRUE;
    }
    return DefWindowProcW(w, msg, wParam, lParam);
}

class DemoHostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::wstring folder = OwnFolder();
        std::wstring command = L"\"" + folder + L"\\..\\demo\\DemoHost.exe\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            (folder + L"\\..\\demo").c_str(), &si, &s_process))
            return;
        FindFrame f{s_process.dwProcessId};
        WaitFor([&] {
            EnumWindows(FindFrameProc, reinterpret_cast<LPARAM>(&f));
            return f.found != nullptr;
        });
        s_frame = f.found;
        s_client = s_frame ? FindWindowExW(s_frame, nullptr, L"MDIClient", nullptr) : nullptr;
        WaitFor([] { return s_client && FindWindowExW(s_client, nullptr, L"Form1", nullptr); });
        s_child = s_client ? FindWindowExW(s_client, nullptr, L"Form1", nullptr) : nullptr;

        WNDCLASSW wc{};
        wc.lpfnWndProc = ReplyProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DemoHostTestReply";
        RegisterClassW(&wc);
        s_reply = CreateWindowW(L"DemoHostTestReply", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        s_probe = LoadLibraryW((folder + L"\\MenuProbe.dll").c_str());
        auto proc = s_probe ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(s_probe, "DemoMenuProbe")))
                            : nullptr;
        if (proc && s_frame)
            s_hook = SetWindowsHookExW(WH_GETMESSAGE, proc, s_probe, GetWindowThreadProcessId(s_frame, nullptr));
    }

    static void TearDownTestSuite() {
        if (s_hook) UnhookWindowsHookEx(s_hook);
        if (s_process.hProcess) {
            if (WaitForSingleObject(s_process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(s_process.hProcess, 99);
            CloseHandle(s_process.hThread);
            CloseHandle(s_process.hProcess);
        }
        if (s_reply) DestroyWindow(s_reply);
    }

    void SetUp() override {
        ASSERT_NE(s_frame, nullptr) << "DemoHost's frame did not appear";
        ASSERT_NE(s_child, nullptr) << "Form1 did not appear";
    }

    // The frame's current menu, read inside DemoHost.
    static std::vector<MenuLine> Menu() {
        g_dump.clear();
        static const UINT probe = RegisterWindowMessageW(L"QuillonDemoTest.DumpMenu");
        PostMessageW(s_frame, probe, reinterpret_cast<WPARAM>(s_reply), 0);
        WaitFor([] { return !g_dump.empty(); }, 10000);
        std::vector<MenuLine> lines;
        std::wistringstream in(g_dump);
        std::wstring line;
        while (std::getline(in, line)) {
            // depth|position|type|state|id|text; the text may hold '|'.
            MenuLine m{};
            unsigned long fields[5] = {};
            size_t at = 0;
            bool ok = true;
            for (unsigned long& f : fields) {
                const size_t bar = line.find(L'|', at);
                if (bar == std::wstring::npos) {
                    ok = false;
                    break;
                }
                f = wcstoul(line.substr(at, bar - at).c_str(), nullptr, &f == &fields[2] || &f == &fields[3] ? 16 : 10);
                at = bar + 1;
            }
            if (!ok) continue;
            m.depth = static_cast<int>(fields[0]);
            m.position = static_cast<int>(fields[1]);
            m.type = fields[2];
            m.state = fields[3];
            m.id = fields[4];
            m.text = line.substr(at);
            lines.push_back(m);
        }
        return lines;
    }

    static const MenuLine* Item(const std::vector<MenuLine>& menu, UINT id) {
        for (const MenuLine& m : menu) {
            if (m.id == id && m.depth > 0) return &m;
        }
        return nullptr;
    }
    static std::wstring Text(const std::vector<MenuLine>& menu, UINT id) {
        const MenuLine* m = Item(menu, id);
        return m ? m->text : L"<missing>";
    }
    static UINT State(const std::vector<MenuLine>& menu, UINT id) {
        const MenuLine* m = Item(menu, id);
        return m ? m->state : 0;
    }

    static std::vector<std::wstring> TopLevel(const std::vector<MenuLine>& menu) {
        std::vector<std::wstring> out;
        for (const MenuLine& m : menu) {
            if (m.depth == 0) out.push_back(m.text);
        }
        return out;
    }

    // Opens a Tools dialog and waits for it.
    static HWND OpenDialog(UINT command, const wchar_t* caption) {
        PostMessageW(s_frame, WM_COMMAND, command, 0);
        HWND dialog = nullptr;
        WaitFor([&] {
            dialog = FindWindowW(L"#32770", caption);
            return dialog && IsWindowVisible(dialog);
        });
        return dialog;
    }

    static bool Checked(HWND dialog, int id) {
        return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    static bool Closes(HWND dialog) {
        return WaitFor([&] { return !IsWindow(dialog); }, 10000);
    }

    static void PressEscape(HWND dialog) {
        PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(dialog, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    }

    static void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

    static inline PROCESS_INFORMATION s_process{};
    static inline HWND s_frame = nullptr, s_client = nullptr, s_child = nullptr, s_reply = nullptr;
    static inline HMODULE s_probe = nullptr;
    static inline HHOOK s_hook = nullptr;
};

TEST_F(DemoHostTest, FrameAndChildHaveTheirCaptionsAndAnEmptyStatusLine) {
    EXPECT_EQ(TextOf(s_frame), L"Quillon - DemoHost");
    EXPECT_EQ(TextOf(s_child), L"Form1");
    HWND box = FindWindowExW(s_frame, nullptr, L"Picture2", nullptr);
    ASSERT_NE(box, nullptr);
    HWND label = FindWindowExW(box, nullptr, L"Static", nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(TextOf(label), L"");
    RECT frame{}, status{};
    GetClientRect(s_frame, &frame);
    GetWindowRect(box, &status);
    EXPECT_EQ(status.right - status.left, frame.right) << "the status line spans the frame";
}

int PixelsX(int twips) {
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(twips, ppi, 1440);
}
int PixelsY(int twips) {
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(twips, ppi, 1440);
}

// Client sizes in twips, converted for the screen (a pixel either way for rounding).
void ExpectClientSize(HWND w, int twipsX, int twipsY, const char* what) {
    RECT r{};
    GetClientRect(w, &r);
    EXPECT_NEAR(r.right, PixelsX(twipsX), 1) << what;
    EXPECT_NEAR(r.bottom, PixelsY(twipsY), 1) << what;
}

TEST_F(DemoHostTest, FormsAndStatusLineHaveTheirSizesInTwips) {
    ExpectClientSize(s_frame, 7575, 6855, "MDIForm1");
    ExpectClientSize(s_child, 3735, 2490, "Form1");
    HWND box = FindWindowExW(s_frame, nullptr, L"Picture2", nullptr);
    ASSERT_NE(box, nullptr);
    RECT status{}, frame{};
    GetWindowRect(box, &status);
    GetClientRect(s_frame, &frame);
    MapWindowPoints(s_frame, nullptr, reinterpret_cast<POINT*>(&frame), 2);
    EXPECT_NEAR(status.bottom - status.top, PixelsY(375), 1) << "the status line is 375 twips high";
    EXPECT_EQ(status.bottom, frame.bottom) << "at the bottom of the frame";
}

TEST_F(DemoHostTest, DialogsHaveTheirSizesOkFirstAndNoTaskbarEntry) {
    const struct {
        UINT command;
        const wchar_t* caption;
        int w, h;
    } dialogs[] = {{cmd::ToolsHighlightStyle, kHighlightDialogCaption, 4125, 4170},
                   {cmd::ToolsBorderStyle, kBorderDialogCaption, 3705, 1545},
                   {cmd::ToolsTooltipProperties, kTooltipDialogCaption, 2850, 2160}};
    for (const auto& d : dialogs) {
        HWND dialog = OpenDialog(d.command, d.caption);
        ASSERT_NE(dialog, nullptr);
        SCOPED_TRACE(testing::Message() << "the dialog of command " << d.command);
        ExpectClientSize(dialog, d.w, d.h, "dialog");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), s_frame) << "owned by the frame";
        EXPECT_FALSE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no taskbar entry";
        EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
        EXPECT_EQ(GetDlgCtrlID(first), IDOK) << "OK is first in tab order";
        Click(dialog, IDCANCEL);
        EXPECT_TRUE(Closes(dialog)) << "the Cancel button closes it";
    }
}

// The two pictures DemoHost ships beside itself.
TEST(DemoBitmaps, CloudsArePalettedAndTheLakeIsTrueColour) {
    const struct {
        const wchar_t* file;
        LONG w, h;
        WORD bits;
    } pictures[] = {{L"Clouds.bmp", 280, 230, 8}, {L"Lake.bmp", 256, 256, 24}};
    for (const auto& p : pictures) {
        const std::wstring path = OwnFolder() + L"\\..\\demo\\" + p.file;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << "no " << p.bits << "-bit picture beside DemoHost";
        BITMAPFILEHEADER fh{};
        BITMAPINFOHEADER ih{};
        DWORD read = 0;
        ReadFile(file, &fh, sizeof fh, &read, nullptr);
        ReadFile(file, &ih, sizeof ih, &read, nullptr);
        CloseHandle(file);
        EXPECT_EQ(fh.bfType, 0x4D42);
        EXPECT_EQ(ih.biWidth, p.w);
        EXPECT_EQ(ih.biHeight < 0 ? -ih.biHeight : ih.biHeight, p.h);
        EXPECT_EQ(ih.biBitCount, p.bits);
        if (p.bits == 8) {
            const DWORD colours = ih.biClrUsed ? ih.biClrUsed : 256;
            EXPECT_EQ(fh.bfOffBits, sizeof fh + ih.biSize + colours * sizeof(RGBQUAD)) << "a palette follows the header";
        }
    }
}

TEST_F(DemoHostTest, ChildMenuIsOnTheFrameAndDrawnByTheControl) {
    // The control converts the bar from a short timer after the child's menu arrives.
    auto barConverted = [](const std::vector<MenuLine>& lines) {
        for (const MenuLine& m : lines)
            if (m.depth == 0 && !(m.type & MFT_OWNERDRAW)) return false;
        return !lines.empty();
    };
    auto menu = Menu();
    for (int i = 0; i < 50 && !barConverted(menu); ++i) {
        WaitFor([] { return false; }, 100);
        menu = Menu();
    }
    ASSERT_FALSE(menu.empty()) << "no answer from the menu probe";
    const std::vector<std::wstring> bar = {L"&File", L"&Edit", L"&View", L"&Tools", L"&Help"};
    EXPECT_EQ(TopLevel(menu), bar) << "TrackMenu must never be on the bar";
    for (const MenuLine& m : menu) {
        if (m.depth == 0) {
            EXPECT_TRUE(m.type & MFT_OWNERDRAW) << "bar item not owner-drawn: " << testing::PrintToString(m.text);
        }
    }
    int fileItems = 0;
    for (const MenuLine& m : menu) {
        if (m.depth == 1 && m.id >= cmd::FileOpen && m.id <= cmd::FileExit) ++fileItems;
    }
    EXPECT_EQ(fileItems, 9);
    EXPECT_EQ(Text(menu, cmd::FileOpen), L"&Open\tCtrl+O");
    EXPECT_TRUE(State(menu, cmd::FileClose) & MFS_DISABLED);
    EXPECT_TRUE(State(menu, cmd::FileSave) & MFS_DISABLED);
    EXPECT_EQ(Text(menu, cmd::EditCopy), L"&Copy\tCtrl+C");
    EXPECT_EQ(Text(menu, cmd::Font0 + 1), L"Times New Roman");
    EXPECT_EQ(Text(menu, cmd::BgPicture0 + 2), L"&Lake");
    EXPECT_TRUE(State(menu, cmd::BgPicture0 + 2) & MFS_CHECKED);
    EXPECT_TRUE(State(menu, cmd::LangEnglish) & MFS_CHECKED);
    EXPECT_EQ(Text(menu, cmd::ViewZoomIn), L"Zoom &In");
    EXPECT_EQ(Text(menu, cmd::ToolsTooltipProperties), L"Tooltip Properties ...");
    EXPECT_EQ(Item(menu, cmd::TrackCopy), nullptr) << "the pop-up's items are not on the bar";
}

TEST_F(DemoHostTest, HighlightDialogOpensWithXPAndCancelKeepsIt) {
    HWND dialog = OpenDialog(cmd::ToolsHighlightStyle, kHighlightDialogCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), s_frame);
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, dlg::Option0 + 8)), L"Radial ");
    EXPECT_TRUE(Checked(dialog, dlg::Option0 + 9)) << "XP";
    Click(dialog, dlg::Option0 + 8);
    EXPECT_TRUE(Checked(dialog, dlg::Option0 + 8));
    PressEscape(dialog);
    ASSERT_TRUE(Closes(dialog)) << "Esc cancels";

    dialog = OpenDialog(cmd::ToolsHighlightStyle, kHighlightDialogCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(dialog, dlg::Option0 + 9)) << "Cancel left the style as it was";
    PressEscape(dialog);
    EXPECT_TRUE(Closes(dialog));
}

TEST_F(DemoHostTest, BorderDialogOpensWithFlatAndOkApplies) {
    HWND dialog = OpenDialog(cmd::ToolsBorderStyle, kBorderDialogCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(dialog, dlg::Option0 + 1)) << "Flat";
    Click(dialog, dlg::Option0 + 2);
    Click(dialog, IDOK);
    ASSERT_TRUE(Closes(dialog));

    dialog = OpenDialog(cmd::ToolsBorderStyle, kBorderDialogCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(dialog, dlg::Option0 + 2)) << "OK stored Flat With Shadow";
    Click(dialog, dlg::Option0 + 1);
    Click(dialog, IDOK);
    EXPECT_TRUE(Closes(dialog));
}

TEST_F(DemoHostTest, TooltipDialogShowsTheControlsSettings) {
    HWND dialog = OpenDialog(cmd::ToolsTooltipProperties, kTooltipDialogCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(dialog, dlg::TooltipCheck));
    EXPECT_FALSE(Checked(dialog, dlg::TitleCheck));
    EXPECT_TRUE(Checked(dialog, dlg::RectangleOption));
    EXPECT_FALSE(Checked(dialog, dlg::BalloonOption));
    PressEscape(dialog);
    EXPECT_TRUE(Closes(dialog));
}

TEST_F(DemoHostTest, GermanChangesTheCaptionsAndEnglishRestoresThem) {
    PostMessageW(s_frame, WM_COMMAND, cmd::LangGerman, 0);
    auto menu = Menu();
    EXPECT_EQ(Text(menu, cmd::EditCopy), L"Kopieren\tCtrl+C");
    EXPECT_EQ(Text(menu, cmd::EditPaste), L"Einfügen\tCtrl+V");
    EXPECT_EQ(Text(menu, cmd::FileClose), L"Schließen");
    EXPECT_TRUE(State(menu, cmd::LangGerman) & MFS_CHECKED);
    EXPECT_FALSE(State(menu, cmd::LangEnglish) & MFS_CHECKED);

    PostMessageW(s_frame, WM_COMMAND, cmd::LangEnglish, 0);
    menu = Menu();
    EXPECT_EQ(Text(menu, cmd::EditCopy), L"Co&py\tCtrl+C");
    EXPECT_EQ(Text(menu, cmd::EditPaste), L"&Paste\tCtrl+V");
    EXPECT_EQ(Text(menu, cmd::FileClose), L"C&lose");
    EXPECT_TRUE(State(menu, cmd::LangEnglish) & MFS_CHECKED);
}

TEST_F(DemoHostTest, AFreshChildChecksEnglishAgain) {
    PostMessageW(s_frame, WM_COMMAND, cmd::LangGerman, 0);
    ASSERT_TRUE(State(Menu(), cmd::LangGerman) & MFS_CHECKED);
    PostMessageW(s_child, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([] { return !IsWindow(s_child); }));
    auto menu = Menu();
    EXPECT_EQ(TopLevel(menu), (std::vector<std::wstring>{L"&File", L"&Help"})) << "the frame's own menu";
    EXPECT_EQ(Text(menu, cmd::FrameFileNew), L"&New");

    PostMessageW(s_frame, WM_COMMAND, cmd::FrameFileNew, 0);
    ASSERT_TRUE(WaitFor([] { return FindWindowExW(s_client, nullptr, L"Form1", nullptr) != nullptr; }));
    s_child = FindWindowExW(s_client, nullptr, L"Form1", nullptr);
    menu = Menu();
    EXPECT_TRUE(State(menu, cmd::LangEnglish) & MFS_CHECKED);
    EXPECT_FALSE(State(menu, cmd::LangGerman) & MFS_CHECKED);
    EXPECT_EQ(Text(menu, cmd::EditCopy), L"&Copy\tCtrl+C");
}

// Last: the program ends cleanly on WM_CLOSE.
TEST_F(DemoHostTest, ClosesCleanlyOnClose) {
    PostMessageW(s_frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(s_process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(s_process.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

}  // namespace
