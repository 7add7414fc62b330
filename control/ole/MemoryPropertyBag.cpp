#include "control/ole/MemoryPropertyBag.h"
#include <new>

namespace quillon {

MemoryPropertyBag* MemoryPropertyBag::Create() { return new (std::nothrow) MemoryPropertyBag(); }

MemoryPropertyBag::~MemoryPropertyBag() {
    for (auto& v : m_values) VariantClear(&v.value);
}

STDMETHODIMP MemoryPropertyBag::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
        *ppv = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) MemoryPropertyBag::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) MemoryPropertyBag::Release() {
    LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

MemoryPropertyBag::Value* MemoryPropertyBag::Find(LPCOLESTR name) {
    for (auto& v : m_values)
        if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, v.name.c_str(), -1, name, -1) == CSTR_EQUAL) return &v;
    return nullptr;
}

STDMETHODIMP MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    Value* v = Find(name);
    if (!v) return E_INVALIDARG;
    const VARTYPE wanted = V_VT(value);
    VariantInit(value);
    if (wanted == VT_EMPTY) return VariantCopy(value, &v->value);
    return VariantChangeType(value, &v->value, 0, wanted);
}

STDMETHODIMP MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    if (Value* v = Find(name)) return VariantCopyInd(&v->value, value);
    return Append(name, *value);
}

HRESULT MemoryPropertyBag::Append(const std::wstring& name, const VARIANT& value) {
    Value v{name, {}};
    VariantInit(&v.value);
    HRESULT hr = VariantCopyInd(&v.value, const_cast<VARIANT*>(&value));
    if (FAILED(hr)) return hr;
    try {
        m_values.push_back(v);
    } catch (...) {
        VariantClear(&v.value);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace quillon
