// A real popup menu hovered with the mouse (moved by xdotool on an X
// display): the item's help text reaches the status bar at once and, after
// the initial delay and not before, its tooltip shows over the menu. The
// scene is kept as a PNG.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <cstdio>
#include "tests/help/HelpFixture.h"
#include "tests/support/RealPointer.h"
#include "tests/support/ScreenCapture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr UINT_PTR kHoverTimer = 0x4848;
constexpr DWORD kGuardMs = 8000;

// What the timer sees while the menu is open.
struct Hover {
    HelpForm* form = nullptr;
    DWORD started = 0, hovered = 0, tipAfterMs = 0;
    PointerDriver driver = PointerDriver::None;
    bool moved = false, tipSeen = false, done = false;
    std::wstring status;
    ScreenShot shot;
};
Hover* g_hover = nullptr;

void HoverTick() {
    Hover& h = *g_hover;
    if (h.done || GetTickCount() - h.started > kGuardMs) {
        h.done = true;
        EndMenu();
        return;
    }
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    if (!h.moved) {
        RECT item{};
        GetMenuItemRect(nullptr, h.form->popup, 1, &item);  // "&My Command"
        h.hovered = GetTickCount();
        h.driver = MovePointerTo({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        h.moved = true;
        return;
    }
    if (h.status.empty()) h.status = h.form->Status();
    const HWND tip = h.form->q()->Tooltip()->hwnd();
    if (IsWindowVisible(tip)) {
        // Load can only make the tip later, never earlier: the first sight
        // of it tells whether the initial delay was kept.
        h.tipAfterMs = GetTickCount() - h.hovered;
        h.tipSeen = true;
        Sleep(150);  // let the tip finish painting for the picture
        RECT menu{}, tipRect{};
        GetWindowRect(menuWindow, &menu);
        GetWindowRect(tip, &tipRect);
        RECT both{};
        UnionRect(&both, &menu, &tipRect);
        InflateRect(&both, 8, 8);
        h.shot = CaptureScreen(both);
        h.done = true;
        EndMenu();
    }
}

void CALLBACK HoverTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_hover) return;
    try {
        HoverTick();
    } catch (...) {
        g_hover->done = true;
        EndMenu();
    }
}

TEST(MenuHover, StatusTextAtOnceAndTheTooltipAfterItsDelay) {
    HelpForm f;
    ASSERT_NE(nullptr, f.q()->Tooltip());
    ASSERT_EQ(S_OK, f.host->Let(L"TootipStyle", Variant::Long(1)));  // rectangle
    const HWND owner = f.window.hwnd();
    SetWindowPos(owner, HWND_TOP, 100, 80, 480, 360, SWP_SHOWWINDOW);
    SetForegroundWindow(owner);
    UpdateWindow(owner);
    PumpMessages(100);

    Hover hover;
    hover.form = &f;
    hover.started = GetTickCount();
    g_hover = &hover;
    SetTimer(owner, kHoverTimer, 100, HoverTimerProc);
    TrackPopupMenu(f.popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 200, 160, 0, owner, nullptr);
    KillTimer(owner, kHoverTimer);
    g_hover = nullptr;
    PumpMessages(50);

    ASSERT_TRUE(hover.moved) << "the menu never appeared";
    ASSERT_NE(PointerDriver::None, hover.driver) << "the pointer never reached the item";
    if (HaveXdotool()) {
        EXPECT_EQ(PointerDriver::Xdotool, hover.driver) << "xdotool did not move the pointer";
    }
    EXPECT_EQ(L"Runs my command", hover.status) << "the help text of the hovered item";
    ASSERT_TRUE(hover.tipSeen) << "no tooltip within the guard time";
    EXPECT_GE(hover.tipAfterMs, 2000u) << "the tip showed before the 2500 ms initial delay";
    EXPECT_EQ(L"", f.Status()) << "closing the menu clears the status bar";
    ASSERT_FALSE(hover.shot.empty()) << "the screen could not be captured";
    const std::string png = SaveShot(hover.shot, "menu_hover_tooltip");
    EXPECT_FALSE(png.empty());
    std::printf("  %s\n", png.c_str());
    // The tip's own background colour is in the picture.
    EXPECT_GT(hover.shot.Count(f.q()->Tooltip()->BackColor()), 50);
}

}  // namespace
