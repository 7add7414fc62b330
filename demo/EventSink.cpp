#include "demo/EventSink.h"
#include <new>
#include "control/QuillonInterfaces.h"

namespace demo {
namespace {

// Arguments arrive last first; by-reference ones point at the caller's value.
const VARIANT* Argument(const DISPPARAMS* params, UINT indexFromFirst) {
    if (!params || indexFromFirst >= params->cArgs) return nullptr;
    const VARIANT* v = &params->rgvarg[params->cArgs - 1 - indexFromFirst];
    if (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
    return v;
}

IDispatch* DispatchArgument(const DISPPARAMS* params, UINT index) {
    const VARIANT* v = Argument(params, index);
    if (!v) return nullptr;
    if (V_VT(v) == VT_DISPATCH) return V_DISPATCH(v);
    if (V_VT(v) == (VT_BYREF | VT_DISPATCH) && V_DISPATCHREF(v)) return *V_DISPATCHREF(v);
    return nullptr;
}

std::wstring StringArgument(const DISPPARAMS* params, UINT index) {
    const VARIANT* v = Argument(params, index);
    BSTR s = nullptr;
    if (v && V_VT(v) == VT_BSTR) s = V_BSTR(v);
    if (v && V_VT(v) == (VT_BYREF | VT_BSTR) && V_BSTRREF(v)) s = *V_BSTRREF(v);
    return s ? std::wstring(s, SysStringLen(s)) : std::wstring();
}

}  // namespace

EventSink* EventSink::Create(QuillonEvents* events) { return new (std::nothrow) EventSink(events); }

STDMETHODIMP EventSink::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, quillon::DIID___Quillon)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) EventSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) EventSink::Release() {
    const LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                               UINT*) {
    if (result) VariantInit(result);
    if (!m_events) return S_OK;
    try {
        switch (id) {
            case quillon::DISPID_SetMenuItemAttributes:
                m_events->SetMenuItemAttributes(DispatchArgument(params, 0));
                break;
            case quillon::DISPID_ShowMenuHelp:
                m_events->ShowMenuHelp(DispatchArgument(params, 0), StringArgument(params, 1));
                break;
            case quillon::DISPID_ClearMenuHelp:
                m_events->ClearMenuHelp();
                break;
            default:
                break;  // SetMenuItemSize and DrawMenuItem: the control's own sizes and painting
        }
    } catch (...) {
        // A failing handler must not reach the control.
    }
    return S_OK;
}

}  // namespace demo
