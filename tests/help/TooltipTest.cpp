// The tooltip wrapper over a real tooltip window, and the tips the control
// shows for items selected with the mouse (and not for those selected with
// the keyboard, also in a menu really open on the screen).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include "help/Tooltip.h"
#include "tests/help/HelpFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

std::string ToolText(HWND tooltip, HWND container, UINT_PTR id) {
    char text[128] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = container;
    tool.uId = id;
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST(Tooltip, WrapperOverARealTooltipWindow) {
    RecordingWindow form;
    HWND window = nullptr;
    {
        CTooltip tip;
        ASSERT_TRUE(tip.Init(form.hwnd()));
        window = tip.hwnd();
        char cls[32] = {};
        GetClassNameA(window, cls, sizeof cls);
        EXPECT_STREQ("tooltips_class32", cls);
        EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON);
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        tip.SetBalloonStyle(false);
        EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON);

        EXPECT_TRUE(tip.AddTool(5, false, 1, 2, 30, 40, L"  hello  "));
        EXPECT_FALSE(tip.AddTool(5, false, 0, 0, 1, 1, L"again")) << "one tool per identifier";
        EXPECT_TRUE(tip.AddTool(6, false, 0, 0, 1, 1, L"   "));
        EXPECT_EQ(2, tip.ToolCount());
        EXPECT_EQ(5u, tip.ToolId(0));
        EXPECT_EQ(0u, tip.ToolId(7));
        EXPECT_EQ("hello", ToolText(window, form.hwnd(), 5)) << "blanks trimmed";
        EXPECT_EQ(" ", ToolText(window, form.hwnd(), 6)) << "a blank text is one blank";
        tip.DeleteTool(99);
        EXPECT_EQ(2, tip.ToolCount());
        tip.DeleteTool(5);
        EXPECT_EQ(1, tip.ToolCount());
        EXPECT_EQ(6u, tip.ToolId(0));

        tip.SetTitle(L"  Title ");
        EXPECT_EQ("Title", tip.Title());
        tip.SetBackColor(RGB(1, 2, 3));
        EXPECT_EQ(RGB(1, 2, 3), tip.BackColor());
        tip.SetForeColor(RGB(4, 5, 6));
        EXPECT_EQ(RGB(4, 5, 6), tip.ForeColor());
        tip.SetReshowDelay(123);
        EXPECT_EQ(123, tip.ReshowDelay());
        tip.SetAutopopDelay(4567);
        EXPECT_EQ(4567, tip.AutopopDelay());
        EXPECT_EQ(0x0001FFFFL, CTooltip::MakeLong(-1, 1));
    }
    EXPECT_FALSE(IsWindow(window)) << "the window goes with the wrapper";
}

TEST(ItemTooltips, OnlyMouseSelectionsOfItemsWithATextGetATip) {
    HelpForm f;
    const CTooltip* tip = f.q()->Tooltip();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(2500, tip->InitialDelay());
    EXPECT_EQ(1, tip->Icon());
    CMenuItem* mine = f.control->control->GetMenuItemByKey(ItemCollection::KeyOf(DataOf(f.popup, 1)));
    ASSERT_NE(nullptr, mine);
    EXPECT_EQ(L"Runs my command", mine->TooltTipText()) << "preset with the help text";

    POINT point{5, 5};
    f.Select(HelpForm::kMine);
    EXPECT_EQ(0, tip->ToolCount()) << "keyboard selections get none";
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    EXPECT_EQ(1, tip->ToolCount());
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(f.window.hwnd()), tip->ToolId(0));
    EXPECT_EQ("", tip->Title());
    EXPECT_EQ(f.window.hwnd(), f.q()->TooltipShownFor());
    EXPECT_EQ(reinterpret_cast<LRESULT>(f.window.hwnd()), SendMessageA(tip->hwnd(), TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&point)));

    f.Select(HelpForm::kOpen, MF_MOUSESELECT);  // no help text, so no tooltip text
    EXPECT_EQ(0, tip->ToolCount()) << "the previous tip goes";
    EXPECT_EQ(nullptr, f.q()->TooltipShownFor());
    EXPECT_NE(reinterpret_cast<LRESULT>(f.window.hwnd()), SendMessageA(tip->hwnd(), TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&point)));

    ASSERT_EQ(S_OK, f.host->Let(L"ShowTootipTitle", Variant::Bool(true)));
    ASSERT_EQ(S_OK, f.host->Let(L"ShowTooltip", Variant::Bool(false)));
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    EXPECT_EQ("&My Command", tip->Title());
    EXPECT_FALSE(tip->Active());
    EXPECT_EQ(1, tip->ToolCount()) << "tools still come and go while inactive";
    f.Close();
    EXPECT_EQ(0, tip->ToolCount()) << "closing the menu removes the tool";
}

TEST(ItemTooltips, ATextOfBlanksFromTheHostGetsNoTip) {
    HelpForm f;
    const CTooltip* tip = f.q()->Tooltip();
    ASSERT_NE(nullptr, tip);
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    ASSERT_EQ(1, tip->ToolCount()) << "the preset text shows";
    f.ChangeItem(L"&My Command", [](_CMenuItem& item) {
        BSTR blanks = SysAllocString(L"    ");
        item.put_TooltTipText(&blanks);
        SysFreeString(blanks);
    });
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    EXPECT_EQ(0, tip->ToolCount());
    EXPECT_EQ(nullptr, f.q()->TooltipShownFor());
    EXPECT_EQ(L"Runs my command", f.Status()) << "the help text is not affected";
}

// The title and its icon as the tooltip window holds them; nullopt where
// the window does not answer TTM_GETTITLE (older common controls).
struct WindowTitle {
    std::wstring text;
    UINT icon = 0;
};
std::optional<WindowTitle> TitleOf(HWND tooltip) {
    wchar_t text[100] = L"?";
    TTGETTITLE get{sizeof get, 0xFFFF, 100, text};
    SendMessageW(tooltip, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&get));
    if (get.uTitleBitmap == 0xFFFF) return std::nullopt;
    return WindowTitle{text, get.uTitleBitmap};
}

// The size the window gives the bubble of the form's tool; a title and its
// icon take room in it.
SIZE BubbleOf(HWND tooltip, HWND form) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(form);
    const LRESULT size = SendMessageA(tooltip, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool));
    return {LOWORD(size), HIWORD(size)};
}

TEST(ItemTooltips, TheTitleIsTheCaptionBesideTheInformationIconWhenAskedFor) {
    HelpForm f;
    const CTooltip* tip = f.q()->Tooltip();
    ASSERT_NE(nullptr, tip);
    const HWND window = tip->hwnd(), form = f.window.hwnd();
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    ASSERT_EQ(1, tip->ToolCount());
    const SIZE plain = BubbleOf(window, form);
    const auto off = TitleOf(window);

    ASSERT_EQ(S_OK, f.host->Let(L"ShowTootipTitle", Variant::Bool(true)));
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    const SIZE titled = BubbleOf(window, form);
    if (const auto on = TitleOf(window)) {
        ASSERT_TRUE(off);
        EXPECT_EQ(L"", off->text);
        EXPECT_EQ(L"&My Command", on->text);
        EXPECT_EQ(static_cast<UINT>(TTI_INFO), on->icon);
    } else {
        EXPECT_GT(titled.cx, plain.cx) << "the caption takes room";
        SendMessageA(window, TTM_SETTITLEA, TTI_NONE, reinterpret_cast<LPARAM>("&My Command"));
        EXPECT_GE(titled.cx - BubbleOf(window, form).cx, 16) << "so does the icon beside it";
    }

    ASSERT_EQ(S_OK, f.host->Let(L"ShowTootipTitle", Variant::Bool(false)));
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    EXPECT_EQ(plain.cx, BubbleOf(window, form).cx) << "the title goes again";
    EXPECT_EQ(plain.cy, BubbleOf(window, form).cy);
}

TEST(ItemTooltips, StyleAndColoursFollowTheProperties) {
    HelpForm f;
    const CTooltip* tip = f.q()->Tooltip();
    ASSERT_NE(nullptr, tip);
    EXPECT_TRUE(GetWindowLongA(tip->hwnd(), GWL_STYLE) & TTS_BALLOON);
    ASSERT_EQ(S_OK, f.host->Let(L"TootipStyle", Variant::Long(1)));
    EXPECT_FALSE(GetWindowLongA(tip->hwnd(), GWL_STYLE) & TTS_BALLOON) << "rectangle at once";
    ASSERT_EQ(S_OK, f.host->Let(L"UseCustomColors", Variant::Bool(true)));
    ASSERT_EQ(S_OK, f.host->Let(L"TootipBackground", Color(RGB(10, 20, 30))));
    ASSERT_EQ(S_OK, f.host->Let(L"TootipTextColor", Color(RGB(40, 50, 60))));
    EXPECT_EQ(RGB(10, 20, 30), tip->BackColor());
    EXPECT_EQ(RGB(40, 50, 60), tip->ForeColor());

    // TTN_SHOW keeps the tip above the menu; the form still gets it.
    NMHDR show{tip->hwnd(), 0, static_cast<UINT>(TTN_SHOW)};
    const int before = f.window.proc().Count(WM_NOTIFY);
    SetWindowPos(tip->hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    SendMessageA(f.window.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&show));
    EXPECT_TRUE(GetWindowLongA(tip->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(before + 1, f.window.proc().Count(WM_NOTIFY));
}

// An open menu driven from the keyboard while the cursor is far from it:
// the timer presses Down until "&My Command" is selected, then notes what
// the control did and closes the menu.
struct KeyboardMenu {
    HelpForm* form = nullptr;
    DWORD started = 0;
    int pressedAt = -2;  // the selection when Down was last pressed
    int waited = 0;
    bool reached = false, done = false;
    std::wstring status;
    long tools = -1;
    HWND shownFor = nullptr;
};
KeyboardMenu* g_keys = nullptr;
constexpr UINT_PTR kKeyTimer = 0x4B4B;
constexpr DWORD kKeyGuardMs = 5000;

int HilitedItem(HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

void KeyTick() {
    KeyboardMenu& k = *g_keys;
    if (k.done || GetTickCount() - k.started > kKeyGuardMs) {
        k.done = true;
        EndMenu();
        return;
    }
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    const int hilited = HilitedItem(k.form->popup);
    if (hilited == 1) {  // "&My Command"
        k.reached = true;
        k.status = k.form->Status();
        k.tools = k.form->q()->Tooltip()->ToolCount();
        k.shownFor = k.form->q()->TooltipShownFor();
        k.done = true;
        EndMenu();
        return;
    }
    if (hilited != k.pressedAt) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = VK_DOWN;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        k.pressedAt = hilited;
        k.waited = 0;
    } else if (++k.waited == 6) {
        // Synthetic input did not reach the menu: give its loop the key directly.
        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 1);
    }
}

void CALLBACK KeyTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_keys) return;
    try {
        KeyTick();
    } catch (...) {
        g_keys->done = true;
        EndMenu();
    }
}

TEST(ItemTooltips, AKeyboardSelectionInAnOpenMenuGetsNoTip) {
    HelpForm f;
    ASSERT_NE(nullptr, f.q()->Tooltip());
    const HWND owner = f.window.hwnd();
    SetWindowPos(owner, HWND_TOP, 100, 80, 480, 360, SWP_SHOWWINDOW);
    SetForegroundWindow(owner);
    UpdateWindow(owner);
    SetCursorPos(2, 2);  // nowhere near the menu
    PumpMessages(100);

    KeyboardMenu keys;
    keys.form = &f;
    keys.started = GetTickCount();
    g_keys = &keys;
    SetTimer(owner, kKeyTimer, 50, KeyTimerProc);
    TrackPopupMenu(f.popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 300, 200, 0, owner, nullptr);
    KillTimer(owner, kKeyTimer);
    g_keys = nullptr;
    PumpMessages(50);

    ASSERT_TRUE(keys.reached) << "the keyboard never reached the item";
    EXPECT_EQ(L"Runs my command", keys.status) << "the selection was handled";
    EXPECT_EQ(0, keys.tools);
    EXPECT_EQ(nullptr, keys.shownFor);
}

}  // namespace
