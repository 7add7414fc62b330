#include "demo/PropertyBag.h"
#include <new>

namespace demo {

PropertyBag* PropertyBag::Create() { return new (std::nothrow) PropertyBag(); }

PropertyBag::~PropertyBag() {
    for (Entry& e : m_values) VariantClear(&e.value);
}

PropertyBag::Entry* PropertyBag::Find(LPCOLESTR name) {
    for (Entry& e : m_values) {
        if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, e.name.c_str(), -1, name, -1) == CSTR_EQUAL) return &e;
    }
    return nullptr;
}

void PropertyBag::Set(const std::wstring& name, const VARIANT& value) {
    try {
        Entry* e = Find(name.c_str());
        if (!e) {
            m_values.push_back(Entry{name, {}});
            e = &m_values.back();
            VariantInit(&e->value);
        }
        VariantClear(&e->value);
        VariantCopy(&e->value, const_cast<VARIANT*>(&value));
    } catch (...) {
        // Out of memory: the value is not stored.
    }
}

STDMETHODIMP PropertyBag::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
        *ppv = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) PropertyBag::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) PropertyBag::Release() {
    const LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

// A reader asking with VT_EMPTY gets the stored value as it is; any other
// type is converted, and a value that does not convert is reported so.
STDMETHODIMP PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    Entry* e = Find(name);
    if (!e) return E_INVALIDARG;
    const VARTYPE wanted = V_VT(value);
    VariantClear(value);
    if (wanted == VT_EMPTY) return VariantCopy(value, &e->value);
    return VariantChangeType(value, &e->value, 0, wanted);
}

STDMETHODIMP PropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    Set(name, *value);
    return S_OK;
}

}  // namespace demo
