// Registering further menu-owning windows, from C++ and the way an
// automation host calls the method.
#include "hook/SubclassWnd.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;
using SubclassWnd::IsWindowHooked;

namespace {

LONG AsLong(HWND h) { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(h)); }

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
