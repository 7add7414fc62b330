// The registry in chains of subclasses: a subclasser installed after the
// hook, several listeners on one window, and windows it does not know.
#include <gtest/gtest.h>
#include "hook/SubclassWnd.h"
#include "tests/hook/RecordingListener.h"
#include "tests/support/TestWindows.h"

using namespace quillon;
using namespace quillon::SubclassWnd;
using quillon::test::RecordingListener;
using quillon::test::RecordingWindow;

namespace {

constexpr UINT kMsg = WM_USER + 20;

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

// Another library's subclass, installed after ours: counts and passes on.
struct LaterSubclass {
    static inline WNDPROC previous = nullptr;
    static inline int seen = 0;
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == kMsg) ++seen;
        return CallWindowProcA(previous, h, m, w, l);
    }
    static void Install(HWND h) {
        seen = 0;
        previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    static void Remove(HWND h) { SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous)); }
};

TEST(SubclassChain, ALaterSubclasserKeepsItsPlaceAndTheWindowKeepsWorking) {
    RecordingWindow w;
    w.proc().answer = 1234;
    RecordingListener listener;
    HookWindow(w.hwnd(), &listener);
    HookWindowMessage(w.hwnd(), kMsg);
    LaterSubclass::Install(w.hwnd());
    EXPECT_EQ(LaterSubclass::previous, &SharedWindowProc);

    UnhookWindow(w.hwnd(), &listener);
    EXPECT_FALSE(IsWindowHooked(w.hwnd()));
    EXPECT_EQ(listener.refs, 1) << "the listener is let go";
    EXPECT_EQ(ProcOf(w.hwnd()), &LaterSubclass::Proc) << "the later subclass stays in the chain";
    EXPECT_EQ(SendMessageA(w.hwnd(), kMsg, 0, 0), 1234);
    EXPECT_EQ(LaterSubclass::seen, 1);
    EXPECT_TRUE(listener.calls.empty());

    // Hooked again under the later subclass: one record, no loop.
    HookWindow(w.hwnd(), &listener);
    HookWindowMessage(w.hwnd(), kMsg);
    EXPECT_EQ(SendMessageA(w.hwnd(), kMsg, 0, 0), 1234);
    EXPECT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(w.proc().Count(kMsg), 2);
    UnhookWindow(w.hwnd());

    // The later subclasser leaves in turn: the shared procedure passes on.
    LaterSubclass::Remove(w.hwnd());
    EXPECT_EQ(ProcOf(w.hwnd()), &SharedWindowProc);
    EXPECT_EQ(SendMessageA(w.hwnd(), kMsg, 0, 0), 1234);
    char title[32] = {};
    EXPECT_GT(GetWindowTextA(w.hwnd(), title, sizeof title), 0);
    w.Destroy();
    EXPECT_EQ(HookedWindowCount(), 0u);
    EXPECT_EQ(FindRecord(w.hwnd()), nullptr);
}

TEST(SubclassChain, AWindowTheRegistryDoesNotKnowGetsTheDefaultProcedure) {
    RecordingWindow stray;
    char title[32] = {};
    const LRESULT n = CallWindowProcA(&SharedWindowProc, stray.hwnd(), WM_GETTEXT, sizeof title,
                                      reinterpret_cast<LPARAM>(title));
    EXPECT_EQ(std::string(title), "Quillon test");
    EXPECT_EQ(n, 12);
}

TEST(SubclassChain, TwoListenersOnOneWindowDoNotDisplaceEachOther) {
    RecordingWindow w;
    w.proc().answer = 1234;
    RecordingListener first, second;
    std::string order;
    first.onMessage = [&](HWND, UINT, WPARAM, LPARAM) { order += '1'; };
    second.onMessage = [&](HWND h, UINT m, WPARAM, LPARAM) {
        order += '2';
        if (second.swallow) {
            EXPECT_EQ(CallOriginalWindowProc(h, m, 0, 0), 1234);
        }
    };
    HookWindow(w.hwnd(), &first);
    HookWindowMessage(w.hwnd(), kMsg, &first);
    HookWindow(w.hwnd(), &second);
    HookWindowMessage(w.hwnd(), kMsg, &second);
    EXPECT_EQ(ProcOf(w.hwnd()), &SharedWindowProc);
    EXPECT_EQ(FindRecord(w.hwnd())->listener, &second);
    EXPECT_EQ(HookedWindowCount(), 1u);

    struct Case {
        bool secondSwallows;
        const char* order;
        LRESULT result;
        int reachesWindow;
    } cases[] = {
        {false, "21", 1234, 1},  // newest first, then the earlier, then the window
        {true, "21", 99, 1},     // the newest answers after calling what lies below it
    };
    for (const Case& c : cases) {
        order.clear();
        second.swallow = c.secondSwallows;
        second.answer = 99;
        const int before = w.proc().Count(kMsg);
        EXPECT_EQ(SendMessageA(w.hwnd(), kMsg, 0, 0), c.result);
        EXPECT_EQ(order, c.order);
        EXPECT_EQ(w.proc().Count(kMsg) - before, c.reachesWindow);
    }

    UnhookWindow(w.hwnd(), &second);
    EXPECT_TRUE(IsWindowHooked(w.hwnd()));
    EXPECT_EQ(FindRecord(w.hwnd())->listener, &first);
    EXPECT_EQ(second.refs, 1);
    order.clear();
    SendMessageA(w.hwnd(), kMsg, 0, 0);
    EXPECT_EQ(order, "1");
    UnhookWindow(w.hwnd(), &first);
    EXPECT_EQ(ProcOf(w.hwnd()), w.classProc());
    EXPECT_EQ(first.refs, 1);
}

}  // namespace
