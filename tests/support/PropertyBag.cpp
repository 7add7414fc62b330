#include "tests/support/PropertyBag.h"

namespace quillon::test {

Variant Variant::Long(LONG value) {
    Variant r;
    V_VT(&r.v) = VT_I4;
    V_I4(&r.v) = value;
    return r;
}

Variant Variant::Bool(bool value) {
    Variant r;
    V_VT(&r.v) = VT_BOOL;
    V_BOOL(&r.v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return r;
}

Variant Variant::String(const wchar_t* value) {
    Variant r;
    V_VT(&r.v) = VT_BSTR;
    V_BSTR(&r.v) = SysAllocString(value);
    return r;
}

Variant Variant::Object(IUnknown* object, VARTYPE vt) {
    Variant r;
    V_VT(&r.v) = vt;
    V_UNKNOWN(&r.v) = object;
    if (object) object->AddRef();
    return r;
}

ComPtr<PropertyBag> PropertyBag::Create() { return ComPtr<PropertyBag>::Adopt(new PropertyBag()); }

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

STDMETHODIMP_(ULONG) PropertyBag::AddRef() { return static_cast<ULONG>(++m_refs); }

STDMETHODIMP_(ULONG) PropertyBag::Release() {
    LONG n = --m_refs;
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

const Variant* PropertyBag::Get(const std::wstring& name) const {
    for (const auto& [n, v] : m_values)
        if (_wcsicmp(n.c_str(), name.c_str()) == 0) return &v;
    return nullptr;
}

void PropertyBag::Set(const std::wstring& name, const Variant& value) {
    for (auto& [n, v] : m_values)
        if (_wcsicmp(n.c_str(), name.c_str()) == 0) {
            v = value;
            return;
        }
    m_values.emplace_back(name, value);
}

STDMETHODIMP PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    readLog.emplace_back(name);
    const Variant* stored = Get(name);
    if (!stored) return E_INVALIDARG;
    const VARTYPE wanted = V_VT(value);
    VariantInit(value);
    if (wanted == VT_EMPTY) return VariantCopy(value, const_cast<VARIANT*>(&stored->v));
    return VariantChangeType(value, const_cast<VARIANT*>(&stored->v), 0, wanted);
}

STDMETHODIMP PropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    writeLog.emplace_back(name);
    Set(name, Variant(*value));
    return S_OK;
}

}  // namespace quillon::test
