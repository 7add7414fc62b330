// Hot tracking of the menu bar on a real, visible form: the cursor is put
// with SetCursorPos and WM_NCMOUSEMOVE sent the way the system sends it.
#include <windows.h>
#include <gtest/gtest.h>
#include <memory>
#include "control/ApiDeclares.h"
#include "tests/control/Automation.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr COLORREF kFrameColor = 0x00123456;

void SetHotTracking(BOOL on) {
    SystemParametersInfoA(SPI_SETHOTTRACKING, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(on)), 0);
}

struct HotTracking : ::testing::Test {
    RecordingWindow form;
    HMENU bar = nullptr;
    std::unique_ptr<HostedControl> q;
    BOOL savedHotTracking = FALSE;
    POINT savedCursor{};

    void SetUp() override {
        SystemParametersInfoA(SPI_GETHOTTRACKING, 0, &savedHotTracking, 0);
        SetHotTracking(TRUE);
        GetCursorPos(&savedCursor);
        SetCursorPos(1200, 1000);  // off the form
        bar = CreateMenu();
        AppendMenuA(bar, MF_STRING, 301, "&File");
        AppendMenuA(bar, MF_STRING, 302, "&Edit");
        AppendMenuA(bar, MF_OWNERDRAW, 303, nullptr);  // an item without text
        AppendMenuA(bar, MF_STRING, 304, "&View");
        SetMenu(form.hwnd(), bar);
        ShowWindow(form.hwnd(), SW_SHOWNORMAL);
        q = std::make_unique<HostedControl>(form.hwnd());
        DrawMenuBar(form.hwnd());
        PumpMessages(40);  // the control's first bar scan and the repaint
    }
    void TearDown() override {
        q.reset();
        SetMenu(form.hwnd(), nullptr);
        DestroyMenu(bar);
        form.Destroy();
        SetHotTracking(savedHotTracking);
        SetCursorPos(savedCursor.x, savedCursor.y);
        ApiDeclares::SetVersionOverride(nullptr);
        PumpMessages(0);
    }

    RECT ItemRect(int position) const {
        RECT r{};
        EXPECT_TRUE(GetMenuItemRect(form.hwnd(), bar, position, &r));
        return r;
    }
    POINT Center(int position) const {
        const RECT r = ItemRect(position);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void HoverAt(POINT p) {
        SetCursorPos(p.x, p.y);
        SendMessageA(form.hwnd(), WM_NCMOUSEMOVE, HTMENU, MAKELPARAM(p.x, p.y));
    }
    bool Lit(int position) const { return (GetMenuState(bar, position, MF_BYPOSITION) & MF_HILITE) != 0; }
    // Waits for the control's next timer tick and runs only that: other
    // messages stay queued. False if none came (a guard against hanging,
    // not a measure of time).
    bool RunOneTick() {
        HWND timers = q->control->TimerWindow();
        const DWORD start = GetTickCount();
        MSG msg;
        while (GetTickCount() - start < 5000) {
            if (PeekMessageA(&msg, timers, WM_TIMER, WM_TIMER, PM_REMOVE)) {
                DispatchMessageA(&msg);
                return true;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_TIMER);
        }
        return false;
    }
    int LitCount() const {
        int n = 0;
        for (int i = 0; i < GetMenuItemCount(bar); ++i) n += Lit(i);
        return n;
    }
};

TEST_F(HotTracking, EdgePixelsOfAnItemDoNotMakeItHot) {
    const RECT r = ItemRect(0);
    ASSERT_GT(r.right - r.left, 2);
    ASSERT_GT(r.bottom - r.top, 2);
    const LONG midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    // On each edge nothing lights up; one pixel inside, the item does.
    const struct {
        const char* edge;
        POINT on, inside;
    } edges[] = {{"left", {r.left, midY}, {r.left + 1, midY}},
                 {"top", {midX, r.top}, {midX, r.top + 1}},
                 {"right", {r.right, midY}, {r.right - 1, midY}},
                 {"bottom", {midX, r.bottom}, {midX, r.bottom - 1}}};
    for (const auto& e : edges) {
        SCOPED_TRACE(e.edge);
        HoverAt(e.on);
        EXPECT_EQ(0, LitCount());
        EXPECT_FALSE(q->control->IsBarItemHot());
        EXPECT_FALSE(q->control->HotTrackTimerArmed());
        HoverAt(e.inside);
        EXPECT_TRUE(Lit(0));
        EXPECT_EQ(1, LitCount());
        EXPECT_TRUE(q->control->IsBarItemHot());
        EXPECT_EQ(form.hwnd(), q->control->HotTrackWindow());
        EXPECT_TRUE(q->control->HotTrackTimerArmed());
    }
    EXPECT_GE(form.proc().Count(WM_NCMOUSEMOVE), 8) << "the form still gets the message";
}

TEST_F(HotTracking, AnItemWithoutTextIsNeverHighlighted) {
    const RECT r = ItemRect(2);
    ASSERT_GT(r.right - r.left, 2);
    HoverAt(Center(2));
    EXPECT_EQ(0, LitCount());
    EXPECT_FALSE(q->control->IsBarItemHot());
}

TEST_F(HotTracking, SwitchedOffInTheSystemNothingChangesExceptOnOldSystems) {
    SetHotTracking(FALSE);
    HoverAt(Center(1));
    EXPECT_EQ(0, LitCount());
    EXPECT_FALSE(q->control->IsBarItemHot());
    EXPECT_FALSE(q->control->HotTrackTimerArmed());

    // Windows NT 4 has no such setting: hot tracking is always on there.
    const ApiDeclares::VersionOverride nt4{VER_PLATFORM_WIN32_NT, 4, 0};
    ApiDeclares::SetVersionOverride(&nt4);
    HoverAt(Center(1));
    EXPECT_TRUE(Lit(1));
}

TEST_F(HotTracking, MovingToTheNextItemMovesTheHighlightWithinOneTick) {
    HoverAt(Center(0));
    ASSERT_TRUE(Lit(0));
    ASSERT_TRUE(q->control->HotTrackTimerArmed());
    const POINT next = Center(1);
    SetCursorPos(next.x, next.y);  // no mouse message: only the tick can notice
    ASSERT_TRUE(RunOneTick());
    EXPECT_FALSE(Lit(0));
    EXPECT_TRUE(Lit(1));
    EXPECT_EQ(1, LitCount());
    EXPECT_TRUE(q->control->IsBarItemHot());
    EXPECT_TRUE(q->control->HotTrackTimerArmed());
}

TEST_F(HotTracking, LeavingEveryItemRemovesTheHighlightAndStopsTheTimer) {
    HoverAt(Center(3));
    ASSERT_TRUE(Lit(3));
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    POINT inside{client.right / 2, client.bottom / 2};
    ClientToScreen(form.hwnd(), &inside);
    SetCursorPos(inside.x, inside.y);
    PumpMessages(120);
    EXPECT_EQ(0, LitCount());
    EXPECT_FALSE(q->control->IsBarItemHot());
    EXPECT_FALSE(q->control->HotTrackTimerArmed());

    // Another non-client part under the mouse clears at once.
    HoverAt(Center(0));
    ASSERT_TRUE(Lit(0));
    SendMessageA(form.hwnd(), WM_NCMOUSEMOVE, HTCAPTION, 0);
    EXPECT_EQ(0, LitCount());
    EXPECT_FALSE(q->control->IsBarItemHot());
}

TEST_F(HotTracking, OpeningAMenuClearsAndStopsUntilTheLoopEnds) {
    HoverAt(Center(1));
    ASSERT_TRUE(Lit(1));
    SendMessageA(form.hwnd(), WM_ENTERMENULOOP, FALSE, 0);
    EXPECT_EQ(0, LitCount());
    EXPECT_FALSE(q->control->IsBarItemHot());
    EXPECT_FALSE(q->control->HotTrackTimerArmed());
    HoverAt(Center(0));
    EXPECT_EQ(0, LitCount()) << "no tracking while the loop runs";
    SendMessageA(form.hwnd(), WM_EXITMENULOOP, FALSE, 0);
    HoverAt(Center(0));
    EXPECT_TRUE(Lit(0));
}

TEST_F(HotTracking, FlatBorderDrawsAOnePixelFrameAroundTheHotItem) {
    Automation host(q->container.Query<IDispatch>(IID_IDispatch).get());
    ASSERT_EQ(S_OK, host.Let(L"UseCustomColors", Variant::Bool(true)));
    ASSERT_EQ(S_OK, host.Let(L"MenuHighlightBorder", Color(kFrameColor)));
    // The host paints the items "itself" (that is, not at all), so every
    // frame-coloured pixel comes from the hot tracking.
    q->container.events().onEvent = [](DISPID id, DISPPARAMS* params) {
        if (id == DISPID_DrawMenuItem && params->cArgs == 6 && V_VT(&params->rgvarg[0]) == (VT_BYREF | VT_BOOL))
            *V_BOOLREF(&params->rgvarg[0]) = VARIANT_TRUE;
    };
    PumpMessages(40);
    RECT window{};
    GetWindowRect(form.hwnd(), &window);
    auto pixelsOf = [&](int position, COLORREF out[5]) {
        const RECT r = ItemRect(position);
        const int l = r.left - window.left, t = r.top - window.top;
        const int rr = r.right - window.left - 1, b = r.bottom - window.top - 1;
        HDC dc = GetWindowDC(form.hwnd());
        out[0] = GetPixel(dc, l, (t + b) / 2);
        out[1] = GetPixel(dc, (l + rr) / 2, t);
        out[2] = GetPixel(dc, rr, (t + b) / 2);
        out[3] = GetPixel(dc, (l + rr) / 2, b);
        out[4] = GetPixel(dc, l + 1, t + 1);  // inside: not part of the frame
        ReleaseDC(form.hwnd(), dc);
    };

    COLORREF px[5];
    HoverAt(Center(0));  // Normal
    ASSERT_TRUE(Lit(0));
    pixelsOf(0, px);
    for (COLORREF c : px) EXPECT_NE(kFrameColor, c);

    ASSERT_EQ(S_OK, host.Let(L"MenuBorder", Variant::Long(1)));
    PumpMessages(40);
    HoverAt(Center(1));
    ASSERT_TRUE(Lit(1));
    pixelsOf(1, px);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(kFrameColor, px[i]) << "edge " << i;
    EXPECT_NE(kFrameColor, px[4]);
    q->container.events().onEvent = nullptr;
}

TEST_F(HotTracking, InitMenuConvertsTheBarOnly) {
    HMENU fresh = MakeSampleMenuBar();
    HMENU other = MakeSampleMenuBar();
    SetMenu(form.hwnd(), fresh);
    auto ownerDrawn = [](HMENU menu) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(menu, 0, TRUE, &info);
        return (info.fType & MFT_OWNERDRAW) != 0;
    };
    ASSERT_FALSE(ownerDrawn(fresh));
    SendMessageA(form.hwnd(), WM_INITMENU, reinterpret_cast<WPARAM>(other), 0);
    EXPECT_FALSE(ownerDrawn(other));
    SendMessageA(form.hwnd(), WM_INITMENU, reinterpret_cast<WPARAM>(fresh), 0);
    EXPECT_TRUE(ownerDrawn(fresh));
    EXPECT_EQ(2, form.proc().Count(WM_INITMENU)) << "the form still gets the message";
    SetMenu(form.hwnd(), bar);
    DestroyMenu(fresh);
    DestroyMenu(other);
}

}  // namespace
