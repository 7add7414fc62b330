#pragma once
// IDispatch of a dual interface, answered from its type information in the
// embedded type library. A dual object derives from DualDispatch<Its> in
// place of Its and gets the four IDispatch methods.
#include <windows.h>
#include <oaidl.h>
#include "control/ole/TypeInfoDispatch.h"
#include "hook/Guard.h"

namespace quillon {

template <class Dual>
class DualDispatch : public Dual {
public:
    explicit DualDispatch(REFIID dualIid) : m_dispatch(dualIid) {}

    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return m_dispatch.GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return m_dispatch.GetTypeInfo(index, lcid, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        return m_dispatch.GetIDsOfNames(riid, names, count, lcid, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override {
        HRESULT hr = E_UNEXPECTED;
        Trap([&] {
            hr = m_dispatch.Invoke(static_cast<Dual*>(this), id, riid, lcid, flags, params, result, excep, argErr);
        });
        return hr;
    }

private:
    TypeInfoDispatch m_dispatch;
};

}  // namespace quillon
