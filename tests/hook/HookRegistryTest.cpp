// Hooking and unhooking real windows through the registry.
#include <gtest/gtest.h>
#include "hook/Guard.h"
#include "hook/SubclassWnd.h"
#include "tests/hook/RecordingListener.h"
#include "tests/support/TestWindows.h"

using namespace quillon;
using namespace quillon::SubclassWnd;
using quillon::test::RecordingWindow;

namespace {

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

TEST(HookRegistry, HookingZeroDoesNothing) {
    test::RecordingListener listener;
    size_t before = HookedWindowCount();
    HookWindow(nullptr, &listener);
    EXPECT_EQ(HookedWindowCount(), before);
    EXPECT_EQ(listener.refs, 1);
}

TEST(HookRegistry, HookInstallsSharedProcAndUnhookRestores) {
    RecordingWindow w;
    test::RecordingListener listener;
    WNDPROC original = ProcOf(w.hwnd());
    HookWindow(w.hwnd(), &listener);
    EXPECT_TRUE(IsWindowHooked(w.hwnd()));
    EXPECT_EQ(ProcOf(w.hwnd()), &SharedWindowProc);
    EXPECT_EQ(listener.refs, 2) << "the record holds a strong reference";
    UnhookWindow(w.hwnd());
    EXPECT_FALSE(IsWindowHooked(w.hwnd()));
    EXPECT_EQ(ProcOf(w.hwnd()), original);
    EXPECT_EQ(listener.refs, 1);
}

TEST(HookRegistry, HookingTwiceKeepsTheOriginalAndResetsTheMessageList) {
    RecordingWindow w;
    test::RecordingListener listener;
    HookWindow(w.hwnd(), &listener);
    HookWindowMessage(w.hwnd(), WM_USER + 1);
    HookWindow(w.hwnd(), &listener);
    auto record = FindRecord(w.hwnd());
    ASSERT_TRUE(record);
    EXPECT_NE(record->oldWndProc, &SharedWindowProc);
    EXPECT_TRUE(record->Messages().empty());
    UnhookWindow(w.hwnd());
    EXPECT_EQ(ProcOf(w.hwnd()), w.classProc());
}

TEST(HookRegistry, UnhookingWhatIsNotHookedIsSilent) {
    RecordingWindow w, other;
    test::RecordingListener listener;
    UnhookWindow(w.hwnd());  // empty or foreign: nothing happens
    HookWindow(other.hwnd(), &listener);
    UnhookWindow(w.hwnd());
    UnhookWindow(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234)));
    EXPECT_EQ(ProcOf(w.hwnd()), w.classProc());
    EXPECT_TRUE(IsWindowHooked(other.hwnd()));
    UnhookWindow(other.hwnd());
    UnhookWindowMessage(other.hwnd(), WM_USER);  // silent too
}

TEST(HookRegistry, MessageOperationsOnUnhookedWindows) {
    RecordingWindow hooked, plain;
    test::RecordingListener listener;
    HookWindow(hooked.hwnd(), &listener);
    EXPECT_THROW(HookWindowMessage(plain.hwnd(), WM_USER), Win32Failure);
    EXPECT_THROW(CallOriginalWindowProc(plain.hwnd(), WM_USER, 0, 0), Win32Failure);
    UnhookWindow(hooked.hwnd());
}

TEST(HookRegistry, CallOriginalWindowProcReachesThePreviousProcedure) {
    RecordingWindow w;
    w.proc().answer = 77;
    test::RecordingListener listener;
    HookWindow(w.hwnd(), &listener);
    EXPECT_EQ(CallOriginalWindowProc(w.hwnd(), WM_USER + 5, 1, 2), 77);
    EXPECT_EQ(w.proc().Count(WM_USER + 5), 1);
    EXPECT_EQ(listener.calls.size(), 0u);
    UnhookWindow(w.hwnd());
}

TEST(HookRegistry, HookingAWindowOfNoOneFailsAndRegistersNothing) {
    test::RecordingListener listener;
    HWND bogus = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x0BAD0));
    EXPECT_THROW(HookWindow(bogus, &listener), Win32Failure);
    EXPECT_FALSE(IsWindowHooked(bogus));
    EXPECT_EQ(listener.refs, 1);
}

TEST(MessageList, AddRemoveAndLookupRules) {
    test::RecordingListener listener;
    cSubclassInfo info(nullptr, &listener);
    info.AddMessage(0);
    EXPECT_TRUE(info.Messages().empty());
    info.AddMessage(279);
    info.AddMessage(279);
    EXPECT_EQ(info.Messages().size(), 1u);
    EXPECT_TRUE(info.IsMessageHooked(279));
    EXPECT_FALSE(info.IsMessageHooked(278));
    EXPECT_FALSE(info.IsMessageHooked(0));
    info.RemoveMessage(0);
    info.RemoveMessage(5);
    EXPECT_EQ(info.Messages().size(), 1u);
    info.RemoveMessage(279);
    EXPECT_FALSE(info.IsMessageHooked(279));
}

struct ThreadProbe {
    HWND hwnd;
    bool hooked;
};

// A hooked Unicode window keeps every character of the texts that pass
// through it, and an ANSI window stays ANSI.
TEST(HookRegistry, AUnicodeWindowIsHookedWithTheUnicodeFunctions) {
    const wchar_t* title = L"\x0395\x03bb\x03bb\x03b7\x03bd\x03b9\x03ba\x03ac \x65e5\x672c";
    const wchar_t* retitled = L"\x03a9\x03bc\x03ad\x03b3\x03b1 \x672c";
    RecordingWindow w(test::UnicodeClass{}, title);
    RecordingWindow ansi;
    test::RecordingListener listener;
    HookWindow(w.hwnd(), &listener);
    HookWindow(ansi.hwnd(), &listener);
    HookWindowMessage(w.hwnd(), WM_GETTEXT);
    wchar_t text[32] = {};
    GetWindowTextW(w.hwnd(), text, 32);
    EXPECT_EQ(std::wstring(title), text);
    SetWindowTextW(w.hwnd(), retitled);
    GetWindowTextW(w.hwnd(), text, 32);
    EXPECT_EQ(std::wstring(retitled), text);
    EXPECT_TRUE(IsWindowUnicode(w.hwnd()));
    EXPECT_TRUE(ReceivesUnicode(w.hwnd()));
    EXPECT_FALSE(IsWindowUnicode(ansi.hwnd()));
    EXPECT_FALSE(ReceivesUnicode(ansi.hwnd()));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC)), &SharedWindowProc);
    EXPECT_EQ(CallOriginalWindowProc(w.hwnd(), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text)), 7);
    EXPECT_EQ(std::wstring(retitled), text) << "the previous procedure is called in the Unicode form";
    ASSERT_FALSE(listener.calls.empty());
    EXPECT_EQ(listener.calls.back().msg, static_cast<UINT>(WM_GETTEXT));
    UnhookWindow(w.hwnd());
    UnhookWindow(ansi.hwnd());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC)), w.classProc());
    EXPECT_EQ(ProcOf(ansi.hwnd()), ansi.classProc());
}

DWORD WINAPI ProbeFromOtherThread(void* p) {
    auto* probe = static_cast<ThreadProbe*>(p);
    probe->hooked = IsWindowHooked(probe->hwnd);
    return 0;
}

TEST(HookRegistry, RegistryIsPerThread) {
    RecordingWindow w;
    test::RecordingListener listener;
    HookWindow(w.hwnd(), &listener);
    ThreadProbe probe{w.hwnd(), true};
    HANDLE t = CreateThread(nullptr, 0, ProbeFromOtherThread, &probe, 0, nullptr);
    WaitForSingleObject(t, 5000);
    CloseHandle(t);
    EXPECT_FALSE(probe.hooked);
    UnhookWindow(w.hwnd());
}

}  // namespace
