#include "demo/LateBoundObject.h"
#include <new>

namespace demo {

LateBoundObject* LateBoundObject::Create() { return new (std::nothrow) LateBoundObject(); }

void LateBoundObject::Set(const wchar_t* name, const VARIANT& value) {
    try {
        for (Property& p : m_properties) {
            if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, p.name.c_str(), -1, name, -1) == CSTR_EQUAL) {
                VariantClear(&p.value);
                VariantCopy(&p.value, const_cast<VARIANT*>(&value));
                return;
            }
        }
        m_properties.push_back(Property{name, {}});
        VariantInit(&m_properties.back().value);
        VariantCopy(&m_properties.back().value, const_cast<VARIANT*>(&value));
    } catch (...) {
        // Out of memory: the property is missing.
    }
}

void LateBoundObject::SetString(const wchar_t* name, const wchar_t* value) {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(value);
    Set(name, v);
    VariantClear(&v);
}

void LateBoundObject::SetLong(const wchar_t* name, LONG value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    Set(name, v);
}

void LateBoundObject::SetBool(const wchar_t* name, bool value) {
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    Set(name, v);
}

void LateBoundObject::SetObject(const wchar_t* name, IDispatch* value) {
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = value;  // VariantCopy takes its own reference
    Set(name, v);
}

void LateBoundObject::Clear() {
    std::vector<Property> old;
    old.swap(m_properties);
    for (Property& p : old) VariantClear(&p.value);
}

STDMETHODIMP LateBoundObject::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) LateBoundObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) LateBoundObject::Release() {
    const LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

STDMETHODIMP LateBoundObject::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP LateBoundObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP LateBoundObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i > 0) {  // no named arguments
            hr = DISP_E_UNKNOWNNAME;
            continue;
        }
        for (size_t k = 0; k < m_properties.size(); ++k) {
            if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, m_properties[k].name.c_str(), -1, names[i], -1) ==
                CSTR_EQUAL)
                ids[i] = static_cast<DISPID>(k + 1);
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP LateBoundObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) {
    if (id < 1 || static_cast<size_t>(id) > m_properties.size()) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;  // read-only
    if (!result) return S_OK;
    VariantInit(result);
    return VariantCopy(result, &m_properties[static_cast<size_t>(id - 1)].value);
}

}  // namespace demo
