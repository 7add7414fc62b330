#pragma once
// Calls the control the way an automation host does: names resolved with
// GetIDsOfNames, every call through IDispatch::Invoke with VARIANTs.
#include <gtest/gtest.h>
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <vector>
#include "control/ole/ComPtr.h"
#include "tests/support/PropertyBag.h"

namespace quillon::test {

struct Excep {
    EXCEPINFO info{};
    UINT argErr = 0xFFFFFFFFu;
    ~Excep() { Clear(); }
    void Clear() {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        info = EXCEPINFO{};
        argErr = 0xFFFFFFFFu;
    }
    std::wstring Source() const { return info.bstrSource ? info.bstrSource : L""; }
    std::wstring Description() const { return info.bstrDescription ? info.bstrDescription : L""; }
    HRESULT Code() const { return info.scode; }
};

class Automation {
public:
    explicit Automation(IDispatch* dispatch) : m_disp(dispatch) {}

    DISPID Id(const wchar_t* name) const {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(S_OK, m_disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << "name";
        return id;
    }

    // `args` in declaration order.
    HRESULT Invoke(DISPID id, WORD flags, std::vector<Variant> args, Variant* result = nullptr,
                   Excep* excep = nullptr) const {
        std::vector<VARIANT> reversed;
        for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->v);
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            params.rgdispidNamedArgs = &put;
            params.cNamedArgs = 1;
        }
        Excep local;
        Excep& ex = excep ? *excep : local;
        ex.Clear();
        VARIANT out;
        VariantInit(&out);
        HRESULT hr = m_disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &out, &ex.info, &ex.argErr);
        if (result) *result = Variant(out);
        VariantClear(&out);
        return hr;
    }

    HRESULT Call(const wchar_t* name, std::vector<Variant> args = {}, Variant* result = nullptr,
                 Excep* excep = nullptr) const {
        return Invoke(Id(name), DISPATCH_METHOD, std::move(args), result, excep);
    }
    Variant Get(const wchar_t* name) const {
        Variant v;
        EXPECT_EQ(S_OK, Invoke(Id(name), DISPATCH_PROPERTYGET, {}, &v));
        return v;
    }
    HRESULT Let(const wchar_t* name, const Variant& value, Excep* excep = nullptr) const {
        return Invoke(Id(name), DISPATCH_PROPERTYPUT, {value}, nullptr, excep);
    }
    HRESULT Set(const wchar_t* name, const Variant& value, Excep* excep = nullptr) const {
        return Invoke(Id(name), DISPATCH_PROPERTYPUTREF, {value}, nullptr, excep);
    }

private:
    ComPtr<IDispatch> m_disp;
};

// A variant's value as a 32-bit pattern (VT_I4, VT_UI4, VT_I2, VT_BOOL ...).
inline LONG AsLong(const Variant& v) {
    VARIANT copy;
    VariantInit(&copy);
    LONG out = 0;
    if (V_VT(&v.v) == VT_UI4) return static_cast<LONG>(V_UI4(&v.v));
    if (SUCCEEDED(VariantChangeType(&copy, const_cast<VARIANT*>(&v.v), 0, VT_I4))) out = V_I4(&copy);
    VariantClear(&copy);
    return out;
}

inline Variant Color(DWORD value) {
    Variant v;
    V_VT(&v.v) = VT_I4;
    V_I4(&v.v) = static_cast<LONG>(value);
    return v;
}

}  // namespace quillon::test
