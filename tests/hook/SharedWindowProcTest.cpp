// Routing of messages through the shared procedure of a hooked window.
#include <gtest/gtest.h>
#include <stdexcept>
#include "hook/SubclassWnd.h"
#include "tests/hook/RecordingListener.h"
#include "tests/support/TestWindows.h"

using namespace quillon;
using namespace quillon::SubclassWnd;
using quillon::test::RecordingListener;
using quillon::test::RecordingWindow;

namespace {

constexpr UINT kHooked = WM_USER + 10;
constexpr UINT kOther = WM_USER + 11;

struct Hooked : ::testing::Test {
    RecordingWindow window;
    RecordingListener listener;
    void SetUp() override {
        window.proc().answer = 1234;
        HookWindow(window.hwnd(), &listener);
        HookWindowMessage(window.hwnd(), kHooked);
    }
    void TearDown() override { UnhookWindow(window.hwnd()); }
    HWND hwnd() const { return window.hwnd(); }
};

TEST_F(Hooked, MessageNotInTheListGoesStraightToThePreviousProcedure) {
    EXPECT_EQ(SendMessageA(hwnd(), kOther, 5, 6), 1234);
    EXPECT_TRUE(listener.calls.empty());
    ASSERT_EQ(window.proc().Count(kOther), 1);
    EXPECT_EQ(window.proc().seen.back().wParam, 5u);
    EXPECT_EQ(window.proc().seen.back().lParam, 6);
}

TEST_F(Hooked, ListenerFirstThenThePreviousProcedureWhoseResultWins) {
    listener.answer = 99;
    std::vector<char> order;
    listener.onMessage = [&](HWND, UINT, WPARAM, LPARAM) { order.push_back('L'); };
    window.proc().handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == kHooked) order.push_back('P');
        return false;
    };
    EXPECT_EQ(SendMessageA(hwnd(), kHooked, 1, 2), 1234);
    EXPECT_EQ(std::string(order.begin(), order.end()), "LP");
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(listener.calls[0].wParam, 1u);
}

TEST_F(Hooked, ClearingTheRouteFlagReturnsTheListenersResult) {
    listener.answer = 99;
    listener.swallow = true;
    EXPECT_EQ(SendMessageA(hwnd(), kHooked, 0, 0), 99);
    EXPECT_EQ(window.proc().Count(kHooked), 0);
}

TEST_F(Hooked, UnhookingAMessageStopsItsListenerCalls) {
    UnhookWindowMessage(hwnd(), kHooked);
    SendMessageA(hwnd(), kHooked, 0, 0);
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_EQ(window.proc().Count(kHooked), 1);
}

TEST_F(Hooked, AThrowingListenerNeitherEscapesNorStopsThePreviousProcedure) {
    listener.onMessage = [](HWND, UINT, WPARAM, LPARAM) { throw std::runtime_error("listener failed"); };
    EXPECT_EQ(SendMessageA(hwnd(), kHooked, 0, 0), 1234);
    EXPECT_EQ(window.proc().Count(kHooked), 1);
}

TEST_F(Hooked, UnhookingInsideTheListenerKeepsTheOuterCallValid) {
    listener.onMessage = [&](HWND h, UINT, WPARAM, LPARAM) { UnhookWindow(h); };
    EXPECT_EQ(SendMessageA(hwnd(), kHooked, 0, 0), 1234);
    EXPECT_FALSE(IsWindowHooked(hwnd()));
    EXPECT_EQ(window.proc().Count(kHooked), 1);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd(), GWLP_WNDPROC)), window.classProc());
}

TEST_F(Hooked, NestedCallsForTheSameWindowAreRoutedIndependently) {
    int depth = 0;
    listener.onMessage = [&](HWND h, UINT, WPARAM w, LPARAM) {
        if (w < 3) {
            ++depth;
            SendMessageA(h, kHooked, w + 1, 0);
        }
    };
    SendMessageA(hwnd(), kHooked, 0, 0);
    EXPECT_EQ(depth, 3);
    EXPECT_EQ(listener.calls.size(), 4u);
    EXPECT_EQ(window.proc().Count(kHooked), 4);
}

TEST(SharedWindowProcDestroy, NcDestroyAlwaysReachesThePreviousProcedureAndUnhooks) {
    RecordingWindow window;
    RecordingListener listener;
    listener.swallow = true;
    HWND h = window.hwnd();
    HookWindow(h, &listener);
    HookWindowMessage(h, WM_NCDESTROY);
    HookWindowMessage(h, WM_DESTROY);
    window.Destroy();
    EXPECT_FALSE(IsWindowHooked(h));
    EXPECT_EQ(window.proc().Count(WM_NCDESTROY), 1) << "seen even though the listener swallowed it";
    EXPECT_EQ(window.proc().Count(WM_DESTROY), 0) << "an ordinary message stays swallowed";
    EXPECT_EQ(listener.refs, 1) << "the record and its reference are gone";
    int seenNc = 0;
    for (auto& c : listener.calls) seenNc += c.msg == WM_NCDESTROY;
    EXPECT_EQ(seenNc, 1) << "the listener saw it first";
}

TEST(SharedWindowProcDestroy, UnhookedByDestroyEvenWithoutListeningToIt) {
    RecordingWindow window;
    RecordingListener listener;
    HWND h = window.hwnd();
    HookWindow(h, &listener);
    window.Destroy();
    EXPECT_FALSE(IsWindowHooked(h));
    EXPECT_TRUE(listener.calls.empty());
}

TEST(SharedWindowProcStray, AWindowWithoutARecordGetsZeroAndNoProcedure) {
    RecordingWindow stray, hooked;
    RecordingListener listener;
    stray.proc().answer = 55;
    HookWindow(hooked.hwnd(), &listener);
    LRESULT r = CallWindowProcA(&SharedWindowProc, stray.hwnd(), WM_USER + 3, 0, 0);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(stray.proc().Count(WM_USER + 3), 0);
    UnhookWindow(hooked.hwnd());
}

}  // namespace
