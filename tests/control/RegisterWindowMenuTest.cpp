// Registering further menu-owning windows, from C++ and the way an
// automation host calls the method.
#include <string>
#include "hook/SubclassWnd.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;
using SubclassWnd::IsWindowHooked;

namespace {

LONG AsLong(HWND h) { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(h)); }

// A window made and served by a thread of its own.
class OtherThreadWindow {
public:
    OtherThreadWindow() {
        m_thread = CreateThread(nullptr, 0, Serve, this, 0, &m_id);
        WaitForSingleObject(m_ready, 5000);
    }
    ~OtherThreadWindow() {
        PostThreadMessageA(m_id, WM_QUIT, 0, 0);
        WaitForSingleObject(m_thread, 5000);
        CloseHandle(m_thread);
        CloseHandle(m_ready);
    }
    HWND hwnd() const { return m_hwnd; }

private:
    static DWORD WINAPI Serve(void* self) {
        auto* me = static_cast<OtherThreadWindow*>(self);
        me->m_hwnd = CreateWindowExA(0, "STATIC", "other thread", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                                     nullptr, nullptr);
        SetEvent(me->m_ready);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        DestroyWindow(me->m_hwnd);
        return 0;
    }
    HANDLE m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_thread = nullptr;
    DWORD m_id = 0;
    HWND m_hwnd = nullptr;
};

std::wstring ErrorDescription() {
    ComPtr<IErrorInfo> info;
    BSTR text = nullptr;
    if (GetErrorInfo(0, info.put()) != S_OK || FAILED(info->GetDescription(&text))) return L"";
    std::wstring description = text ? text : L"";
    SysFreeString(text);
    return description;
}

struct Registering : ::testing::Test {
    RecordingWindow form, extra;
    std::unique_ptr<HostedControl> q;
    void SetUp() override { q = std::make_unique<HostedControl>(form.hwnd()); }
    Quillon& control() { return *q->control; }

    // IDispatch::Invoke of RegisterWindowMenu with the given arguments
    // (in call order), as a script host does it.
    HRESULT InvokeRegister(std::vector<VARIANT> args, EXCEPINFO* excep = nullptr) {
        auto dispatch = q->container.Query<IDispatch>(IID_IDispatch);
        LPOLESTR name = const_cast<LPOLESTR>(L"registerwindowmenu");
        DISPID id = 0;
        HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) return hr;
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        EXCEPINFO local{};
        UINT argErr = 0;
        hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                              excep ? excep : &local, &argErr);
        if (!excep) {
            SysFreeString(local.bstrSource);
            SysFreeString(local.bstrDescription);
            SysFreeString(local.bstrHelpFile);
        }
        return hr;
    }
    static VARIANT Long(LONG v) {
        VARIANT x;
        V_VT(&x) = VT_I4;
        V_I4(&x) = v;
        return x;
    }
    static VARIANT Bool(bool b) {
        VARIANT x;
        V_VT(&x) = VT_BOOL;
        V_BOOL(&x) = b ? VARIANT_TRUE : VARIANT_FALSE;
        return x;
    }
};

TEST_F(Registering, RegisterThenUnregisterRestoresTheWindowsProcedure) {
    control().RegisterWindowMenu(extra.hwnd(), false);
    EXPECT_TRUE(IsWindowHooked(extra.hwnd()));
    EXPECT_EQ(control().RegisteredWindows().size(), 1u);
    control().RegisterWindowMenu(extra.hwnd(), true);
    EXPECT_FALSE(IsWindowHooked(extra.hwnd()));
    EXPECT_EQ(ProcOf(extra.hwnd()), extra.classProc());
    EXPECT_TRUE(control().RegisteredWindows().empty());
    control().RegisterWindowMenu(extra.hwnd(), true);  // twice: harmless
    EXPECT_EQ(ProcOf(extra.hwnd()), extra.classProc());
}

TEST_F(Registering, TheFormItselfZeroAndNonWindowsAreIgnored) {
    control().RegisterWindowMenu(form.hwnd(), false);
    control().RegisterWindowMenu(nullptr, false);
    control().RegisterWindowMenu(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFFFF0)), false);
    EXPECT_TRUE(control().RegisteredWindows().empty());
    control().RegisterWindowMenu(form.hwnd(), true);
    EXPECT_TRUE(IsWindowHooked(form.hwnd())) << "unregistering the form does not unhook it";
}

TEST_F(Registering, AWindowHookedByAnyoneIsNotRegisteredAgain) {
    control().RegisterWindowMenu(extra.hwnd(), false);
    control().RegisterWindowMenu(extra.hwnd(), false);
    EXPECT_EQ(control().RegisteredWindows().size(), 1u);
    RecordingWindow third;
    SubclassWnd::HookWindow(third.hwnd(), &control());
    control().RegisterWindowMenu(third.hwnd(), false);
    EXPECT_EQ(control().RegisteredWindows().size(), 1u);
    SubclassWnd::UnhookWindow(third.hwnd());
}

TEST_F(Registering, UnregisteringAWindowThatWasNeverRegisteredLeavesItsHookAlone) {
    RecordingWindow other;
    SubclassWnd::HookWindow(other.hwnd(), &control());
    control().RegisterWindowMenu(other.hwnd(), true);
    EXPECT_TRUE(IsWindowHooked(other.hwnd()));
    SubclassWnd::UnhookWindow(other.hwnd());
}

TEST_F(Registering, ReleaseUnregistersEveryEntryEvenOnesUnhookedBehindItsBack) {
    RecordingWindow a, b;
    control().RegisterWindowMenu(a.hwnd(), false);
    control().RegisterWindowMenu(b.hwnd(), false);
    control().RegisterWindowMenu(extra.hwnd(), false);
    SubclassWnd::UnhookWindow(b.hwnd());  // someone else undid it
    q->Close();
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
    EXPECT_EQ(ProcOf(a.hwnd()), a.classProc());
    EXPECT_EQ(ProcOf(extra.hwnd()), extra.classProc());
}

// A window of another thread would never get its messages through this
// thread's hooks (it stopped answering); a closed control would stay alive
// in the hook. Both are refused with the control's error, and a form of
// another thread is not attached.
TEST_F(Registering, AWindowOfAnotherThreadAndAClosedControlAreRefused) {
    OtherThreadWindow other;
    ASSERT_NE(nullptr, other.hwnd());
    const struct {
        const char* what;
        HWND window;
        bool close;
    } cases[] = {{"a window of another thread", other.hwnd(), false}, {"a closed control", extra.hwnd(), true}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        if (t.close) q->Close();
        VARIANT stop = Bool(false);
        EXPECT_EQ(QUILLON_E_OBJECT, control().RegisterWindowMenu(AsLong(t.window), &stop));
        EXPECT_FALSE(ErrorDescription().empty());
        EXPECT_FALSE(IsWindowHooked(t.window));
        EXPECT_TRUE(control().RegisteredWindows().empty());
    }
    char text[32] = {};
    SendMessageTimeoutA(other.hwnd(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
    EXPECT_STREQ("other thread", text) << "the window still answers";
    HostedControl onOther(other.hwnd());
    EXPECT_FALSE(onOther->IsAttached());
    EXPECT_EQ(0u, SubclassWnd::HookedWindowCount());
}

TEST_F(Registering, ThroughIDispatchWithFalseAndTrue) {
    EXPECT_EQ(InvokeRegister({Long(AsLong(extra.hwnd())), Bool(false)}), S_OK);
    EXPECT_TRUE(IsWindowHooked(extra.hwnd()));
    EXPECT_EQ(InvokeRegister({Long(AsLong(extra.hwnd())), Bool(true)}), S_OK);
    EXPECT_FALSE(IsWindowHooked(extra.hwnd()));
}

TEST_F(Registering, AnOmittedStopFlagIsATypeMismatchAndRegistersNothing) {
    EXCEPINFO excep{};
    HRESULT hr = InvokeRegister({Long(AsLong(extra.hwnd()))}, &excep);
    EXPECT_TRUE(hr == DISP_E_EXCEPTION || hr == DISP_E_TYPEMISMATCH) << std::hex << hr;
    if (hr == DISP_E_EXCEPTION) {
        EXPECT_EQ(excep.scode, DISP_E_TYPEMISMATCH);
    }
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    EXPECT_FALSE(IsWindowHooked(extra.hwnd()));
    EXPECT_TRUE(control().RegisteredWindows().empty());
    // Omitted with a handle that is ignored anyway: no error at all.
    EXPECT_EQ(InvokeRegister({Long(0)}), S_OK);
}

TEST_F(Registering, BadArgumentsGetTheStandardDispatchErrors) {
    EXPECT_EQ(InvokeRegister({}), DISP_E_BADPARAMCOUNT);
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"not a handle");
    HRESULT hr = InvokeRegister({text, Bool(false)});
    EXPECT_TRUE(hr == DISP_E_TYPEMISMATCH || hr == DISP_E_EXCEPTION) << std::hex << hr;
    VariantClear(&text);
    EXPECT_TRUE(control().RegisteredWindows().empty());
}

TEST_F(Registering, EmptyMeansFalseAndNullMeansUnregister) {
    VARIANT empty;
    VariantInit(&empty);
    EXPECT_EQ(InvokeRegister({Long(AsLong(extra.hwnd())), empty}), S_OK);
    EXPECT_TRUE(IsWindowHooked(extra.hwnd()));
    VARIANT null;
    V_VT(&null) = VT_NULL;
    EXPECT_EQ(InvokeRegister({Long(AsLong(extra.hwnd())), null}), S_OK);
    EXPECT_FALSE(IsWindowHooked(extra.hwnd()));
}

}  // namespace
