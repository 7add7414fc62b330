// What each hooked message does on a form hooked by the real control, and
// what reaches the form's own procedure.
#include <windows.h>
#include <commctrl.h>
#include "control/ApiDeclares.h"
#include "control/MenuAnimation.h"
#include "control/MenuMessages.h"
#include "hook/SubclassWnd.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;
using SubclassWnd::IsWindowHooked;

namespace {

struct Dispatch : ::testing::Test {
    RecordingWindow form;
    std::unique_ptr<HostedControl> q;
    void SetUp() override {
        SetMenu(form.hwnd(), MakeSampleMenuBar());
        q = std::make_unique<HostedControl>(form.hwnd());
        form.proc().seen.clear();
    }
    void TearDown() override {
        q.reset();
        ApiDeclares::SetVersionOverride(nullptr);
    }
    HWND hwnd() const { return form.hwnd(); }
};

TEST_F(Dispatch, InitMenuPopupReachesTheFormOnceAndPendingMessagesFirst) {
    HMENU popup = GetSubMenu(GetMenu(hwnd()), 0);
    constexpr UINT kPosted = WM_APP + 7;
    bool postedBeforeReturn = false;
    form.proc().handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_INITMENUPOPUP) PostMessageA(h, kPosted, 0, 0);  // the form's code posts work
        return false;
    };
    SendMessageA(hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    postedBeforeReturn = form.proc().Count(kPosted) == 1;
    EXPECT_EQ(form.proc().Count(WM_INITMENUPOPUP), 1);
    EXPECT_TRUE(postedBeforeReturn) << "pending messages are processed before the scan";
}

TEST_F(Dispatch, PassThroughMessagesReachTheFormUnchanged) {
    form.proc().handler = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == WM_CONTEXTMENU) {
            r = 4242;
            return true;
        }
        return false;
    };
    EXPECT_EQ(SendMessageA(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd()), MAKELPARAM(5, 6)), 4242);
    SendMessageA(hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    SendMessageA(hwnd(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(form.proc().Count(WM_CONTEXTMENU), 1);
    EXPECT_EQ(form.proc().Count(WM_SYSCOLORCHANGE), 1);
    EXPECT_EQ(form.proc().Count(WM_SETTINGCHANGE), 1);
    EXPECT_EQ(q->control->ColorRefreshes(), 0) << "no items scanned yet: no refresh";
}

TEST_F(Dispatch, ActivateTurnsMenuAnimationOffOnlyWhenActivated) {
    MenuAnimation::SetForSession(TRUE);
    SendMessageA(hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(TRUE));
    SendMessageA(hwnd(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(FALSE));
    MenuAnimation::SetForSession(TRUE);
    SendMessageA(hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(FALSE));
    EXPECT_GE(form.proc().Count(WM_ACTIVATE), 3) << "every one passed on";
}

TEST(DispatchAnimation, DeactivatingTheProgramRestoresTheValueReadAtStartUp) {
    for (UINT startUp : {TRUE, FALSE}) {
        MenuAnimation::SetForSession(startUp);
        RecordingWindow form;
        HostedControl q(form.hwnd());
        SendMessageA(form.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
        EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(FALSE));
        SendMessageA(form.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
        EXPECT_EQ(MenuAnimation::Read(), startUp);
        EXPECT_GE(form.proc().Count(WM_ACTIVATEAPP), 2) << "passed on";
    }
    MenuAnimation::SetForSession(TRUE);
}

TEST_F(Dispatch, ActivateAppChangesNothingOnWindows95AndNt3AndNt4) {
    const ApiDeclares::VersionOverride systems[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0}, {VER_PLATFORM_WIN32_NT, 3, 51}, {VER_PLATFORM_WIN32_NT, 4, 0}};
    for (const auto& system : systems) {
        ApiDeclares::SetVersionOverride(&system);
        MenuAnimation::SetForSession(TRUE);
        SendMessageA(hwnd(), WM_ACTIVATEAPP, TRUE, 0);
        EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(TRUE)) << system.major << "." << system.minor;
        MenuAnimation::SetForSession(FALSE);
        SendMessageA(hwnd(), WM_ACTIVATEAPP, FALSE, 0);
        EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(FALSE));
    }
    // Windows 98/Me does take part.
    const ApiDeclares::VersionOverride win98{VER_PLATFORM_WIN32_WINDOWS, 4, 10};
    ApiDeclares::SetVersionOverride(&win98);
    MenuAnimation::SetForSession(TRUE);
    SendMessageA(hwnd(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(FALSE));
    MenuAnimation::SetForSession(TRUE);
}

// True when `a` stands above `b` in the z-order of top-level windows.
bool IsAbove(HWND a, HWND b) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == a) return true;
        if (w == b) return false;
    }
    return false;
}

TEST_F(Dispatch, NotifyTtnShowKeepsTheTipAboveTheMenu) {
    HWND tip = q->control->Tooltip()->hwnd();
    // Another topmost window (an open menu, say) comes above the tip.
    RecordingWindow menuLike(WS_POPUP | WS_VISIBLE, nullptr, WS_EX_TOPMOST);
    SetWindowPos(menuLike.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    ASSERT_TRUE(IsAbove(menuLike.hwnd(), tip));
    NMHDR other{hwnd(), 1, static_cast<UINT>(TTN_POP)};
    SendMessageA(hwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&other));
    EXPECT_TRUE(IsAbove(menuLike.hwnd(), tip)) << "other codes only pass on";
    NMHDR show{nullptr, 0, static_cast<UINT>(TTN_SHOW)};  // the sender is not checked
    SendMessageA(hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&show));
    EXPECT_TRUE(IsAbove(tip, menuLike.hwnd()));
    EXPECT_TRUE(GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(form.proc().Count(WM_NOTIFY), 2);
}

TEST_F(Dispatch, WindowFromPointIsAnsweredWithTheShownForWindowOnlyWhileATipIsShown) {
    HWND tip = q->control->Tooltip()->hwnd();
    POINT pt{1, 1};
    LRESULT own = SendMessageA(tip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt));
    EXPECT_NE(own, reinterpret_cast<LRESULT>(hwnd()));
    q->control->SetTooltipShownFor(hwnd());
    EXPECT_EQ(SendMessageA(tip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)),
              reinterpret_cast<LRESULT>(hwnd()));
    q->control->SetTooltipShownFor(nullptr);
    EXPECT_EQ(SendMessageA(tip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)), own);
}

TEST_F(Dispatch, MenuLoopFlagsFollowEnterAndExit) {
    SendMessageA(hwnd(), WM_ENTERMENULOOP, FALSE, 0);
    EXPECT_TRUE(q->control->MenuLoopActive());
    SendMessageA(hwnd(), WM_EXITMENULOOP, FALSE, 0);
    EXPECT_FALSE(q->control->MenuLoopActive());
    EXPECT_EQ(form.proc().Count(WM_ENTERMENULOOP), 1);
    EXPECT_EQ(form.proc().Count(WM_EXITMENULOOP), 1);
}

TEST_F(Dispatch, MdiDestroyPostsThePurgeMessageWhichArrivesThroughTheHook) {
    SendMessageA(hwnd(), WM_MDIDESTROY, 0, 0);
    EXPECT_EQ(form.proc().Count(WM_PURGEMENUITEMS), 0) << "posted, not sent";
    PumpMessages(0);
    EXPECT_EQ(form.proc().Count(WM_PURGEMENUITEMS), 1);
    EXPECT_EQ(form.proc().Count(WM_MDIDESTROY), 1);
}

TEST_F(Dispatch, DestroyingARegisteredWindowUnregistersItBeforeItIsUnhooked) {
    RecordingWindow extra;
    q->control->RegisterWindowMenu(extra.hwnd(), false);
    ASSERT_EQ(q->control->RegisteredWindows().size(), 1u);
    bool registeredAtNcDestroy = true;
    HWND h = extra.hwnd();
    extra.proc().handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_NCDESTROY) registeredAtNcDestroy = !q->control->RegisteredWindows().empty();
        return false;
    };
    extra.Destroy();
    EXPECT_FALSE(registeredAtNcDestroy);
    EXPECT_FALSE(IsWindowHooked(h));
    EXPECT_EQ(extra.proc().Count(WM_DESTROY), 1);
}

TEST(DispatchMdi, ActivationThroughTheMdiClientRegistersTheChildOnce) {
    MdiFrame mdi;
    HostedControl q(mdi.frame());
    HWND first = mdi.AddChild("First");
    HWND second = mdi.AddChild("Second");
    mdi.Activate(first);
    mdi.Activate(second);
    const auto& registered = q->RegisteredWindows();
    EXPECT_NE(std::find(registered.begin(), registered.end(), first), registered.end());
    EXPECT_NE(std::find(registered.begin(), registered.end(), second), registered.end());
    size_t count = registered.size();
    mdi.Activate(first);
    EXPECT_EQ(q->RegisteredWindows().size(), count) << "already hooked: not registered again";
    EXPECT_TRUE(IsWindowHooked(first));
    q.Close();
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
}

TEST(DispatchMdi, AChildWithItsOwnControlIsNotRegisteredByTheFramesControl) {
    MdiFrame mdi;
    HostedControl frameControl(mdi.frame());
    HWND child = mdi.AddChild("Own control");
    HostedControl childControl(child, {.mdiChild = true});
    mdi.Activate(child);
    const auto& registered = frameControl->RegisteredWindows();
    EXPECT_EQ(std::find(registered.begin(), registered.end(), child), registered.end());
    EXPECT_EQ(SubclassWnd::FindRecord(child)->listener, static_cast<cSubclassListener*>(childControl.control));
}

}  // namespace

namespace {

// A child's control hooks the frame over the frame's own control while the
// child is active, and leaves the frame's control in place afterwards.
TEST(DispatchMdi, AChildsControlAndTheFramesControlShareTheFrame) {
    MdiFrame mdi;
    HostedControl frameControl(mdi.frame());
    HWND child = mdi.AddChild("Own control");
    HostedControl childControl(child, {.mdiChild = true});
    const auto listenerOf = [&] { return SubclassWnd::FindRecord(mdi.frame())->listener; };
    HWND plain = mdi.AddChild("Plain");
    mdi.Activate(child);
    ASSERT_TRUE(IsWindowHooked(mdi.frame()));
    EXPECT_EQ(listenerOf(), static_cast<cSubclassListener*>(childControl.control));
    mdi.Activate(plain);
    ASSERT_TRUE(IsWindowHooked(mdi.frame()));
    EXPECT_EQ(listenerOf(), static_cast<cSubclassListener*>(frameControl.control));
    EXPECT_TRUE(SubclassWnd::FindRecord(mdi.frame())->IsMessageHooked(WM_INITMENUPOPUP));
    mdi.Activate(child);
    childControl.Close();
    EXPECT_EQ(listenerOf(), static_cast<cSubclassListener*>(frameControl.control));
    frameControl.Close();
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
}

}  // namespace
