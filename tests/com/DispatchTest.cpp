// IDispatch of a dual interface answered from the type library: names,
// argument checking, optional and by-reference arguments, and errors that
// reach an automation caller as DISP_E_EXCEPTION with their text.
#include <gtest/gtest.h>
#include "control/Guids.h"
#include "control/QuillonInterfaces.h"
#include "tests/com/ProbeControl.h"

namespace quillon::test {
namespace {

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        probe = ComPtr<ProbeControl>::Adopt(ProbeControl::New(log));
        ASSERT_EQ(S_OK, probe->QueryInterface(IID_IDispatch, disp.put_void()));
    }

    HRESULT Call(std::vector<VARIANT> argsInOrder, EXCEPINFO* excep = nullptr, UINT* argErr = nullptr) {
        std::vector<VARIANT> reversed(argsInOrder.rbegin(), argsInOrder.rend());
        DISPPARAMS dp{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        EXCEPINFO ignored{};
        UINT ignoredArg = 0;
        return disp->Invoke(DISPID_RegisterWindowMenu, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &dp, nullptr,
                            excep ? excep : &ignored, argErr ? argErr : &ignoredArg);
    }

    static VARIANT Long(LONG v) {
        VARIANT r;
        V_VT(&r) = VT_I4;
        V_I4(&r) = v;
        return r;
    }

    std::shared_ptr<ProbeLog> log = std::make_shared<ProbeLog>();
    ComPtr<ProbeControl> probe;
    ComPtr<IDispatch> disp;
};

TEST_F(DispatchTest, NamesAreFoundWithoutRegardToCase) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"registerwindowmenu"), const_cast<LPOLESTR>(L"BSTOP")};
    DISPID ids[2] = {};
    ASSERT_EQ(S_OK, disp->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids));
    EXPECT_EQ(DISPID_RegisterWindowMenu, ids[0]);
    EXPECT_EQ(1, ids[1]);  // the second parameter
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, disp->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, ids));
    UINT count = 0;
    ASSERT_EQ(S_OK, disp->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);
    ComPtr<ITypeInfo> ti;
    ASSERT_EQ(S_OK, disp->GetTypeInfo(0, LOCALE_USER_DEFAULT, ti.put()));
    TYPEATTR* ta = nullptr;
    ti->GetTypeAttr(&ta);
    EXPECT_TRUE(IsEqualGUID(IID__Quillon, ta->guid));
    ti->ReleaseTypeAttr(ta);
}

TEST_F(DispatchTest, OmittedOptionalArgumentArrivesAsMissing) {
    ASSERT_EQ(S_OK, Call({Long(42)}));
    ASSERT_EQ(1u, log->registerCalls.size());
    EXPECT_EQ(42, log->registerCalls[0].first);
    const Variant& stop = log->registerCalls[0].second;
    EXPECT_EQ(VT_ERROR, stop.vt());
    EXPECT_EQ(DISP_E_PARAMNOTFOUND, V_ERROR(&stop.v));
}

TEST_F(DispatchTest, ArgumentsAreCoerced) {
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"77");
    VARIANT stop;
    V_VT(&stop) = VT_BOOL;
    V_BOOL(&stop) = VARIANT_TRUE;
    ASSERT_EQ(S_OK, Call({text, stop}));
    VariantClear(&text);
    ASSERT_EQ(1u, log->registerCalls.size());
    EXPECT_EQ(77, log->registerCalls[0].first);
    EXPECT_EQ(VT_BOOL, log->registerCalls[0].second.vt());
}

TEST_F(DispatchTest, ByRefVariantIsWrittenBack) {
    VARIANT inner;
    V_VT(&inner) = VT_BOOL;
    V_BOOL(&inner) = VARIANT_FALSE;
    VARIANT byRef;
    V_VT(&byRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byRef) = &inner;
    log->bStopAnswer = Variant::Long(5);
    ASSERT_EQ(S_OK, Call({Long(1), byRef}));
    EXPECT_EQ(VT_I4, V_VT(&inner));
    EXPECT_EQ(5, V_I4(&inner));
}

TEST_F(DispatchTest, WrongArgumentsGiveTheStandardErrors) {
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"not a number");
    UINT argErr = 99;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, Call({text}, nullptr, &argErr));
    EXPECT_EQ(0u, argErr);
    VariantClear(&text);
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, Call({Long(1), Long(2), Long(3)}));
    HRESULT none = Call({});
    EXPECT_TRUE(none == DISP_E_PARAMNOTOPTIONAL || none == DISP_E_BADPARAMCOUNT) << std::hex << none;
    EXPECT_TRUE(log->registerCalls.empty());

    DISPPARAMS dp{nullptr, nullptr, 0, 0};
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              disp->Invoke(0x12345, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &dp, nullptr, nullptr, nullptr));
    EXPECT_EQ(DISP_E_UNKNOWNINTERFACE, disp->Invoke(DISPID_RegisterWindowMenu, IID_IDispatch, LOCALE_USER_DEFAULT,
                                                    DISPATCH_METHOD, &dp, nullptr, nullptr, nullptr));
}

TEST_F(DispatchTest, MethodErrorReachesTheCallerWithItsText) {
    EXCEPINFO excep{};
    EXPECT_EQ(DISP_E_EXCEPTION, Call({Long(0)}, &excep));
    EXPECT_EQ(QUILLON_E_OBJECT, excep.scode);
    EXPECT_STREQ(L"Quillon", excep.bstrSource);
    EXPECT_STREQ(L"No window to register", excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
}

TEST_F(DispatchTest, VtableCallLeavesErrorInfo) {
    ComPtr<_Quillon> q;
    ASSERT_EQ(S_OK, probe->QueryInterface(IID__Quillon, q.put_void()));
    EXPECT_EQ(QUILLON_E_OBJECT, q->RegisterWindowMenu(0, nullptr));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, GetErrorInfo(0, info.put()));
    BSTR source = nullptr, description = nullptr;
    info->GetSource(&source);
    info->GetDescription(&description);
    EXPECT_STREQ(L"Quillon", source);
    EXPECT_STREQ(L"No window to register", description);
    GUID guid{};
    info->GetGUID(&guid);
    EXPECT_TRUE(IsEqualGUID(IID__Quillon, guid));
    SysFreeString(source);
    SysFreeString(description);
}

}  // namespace
}  // namespace quillon::test
