#pragma once
// Test helpers for values and property bags: a VARIANT with value semantics
// and an in-memory IPropertyBag that tests fill and inspect.
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <utility>
#include <vector>
#include "control/ole/ComPtr.h"

namespace quillon::test {

class Variant {
public:
    Variant() { VariantInit(&v); }
    Variant(const VARIANT& other) { VariantInit(&v); VariantCopyInd(&v, const_cast<VARIANT*>(&other)); }  // NOLINT
    Variant(const Variant& o) : Variant(o.v) {}
    Variant& operator=(const Variant& o) {
        if (this != &o) VariantCopy(&v, const_cast<VARIANT*>(&o.v));
        return *this;
    }
    // Moves take the value over without copying it (recorded events pile up).
    Variant(Variant&& o) noexcept : v(o.v) { VariantInit(&o.v); }
    Variant& operator=(Variant&& o) noexcept {
        if (this != &o) {
            VariantClear(&v);
            v = o.v;
            VariantInit(&o.v);
        }
        return *this;
    }
    ~Variant() { VariantClear(&v); }

    static Variant Long(LONG value);
    static Variant Bool(bool value);
    static Variant String(const wchar_t* value);
    // Shares `object` (AddRef'd) as VT_UNKNOWN or VT_DISPATCH.
    static Variant Object(IUnknown* object, VARTYPE vt = VT_UNKNOWN);

    VARTYPE vt() const { return V_VT(&v); }
    std::wstring Text() const { return V_VT(&v) == VT_BSTR && V_BSTR(&v) ? V_BSTR(&v) : L""; }

    VARIANT v;
};

class PropertyBag final : public IPropertyBag {
public:
    static ComPtr<PropertyBag> Create();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // VT_EMPTY: the value as stored; else converted. Unknown name: E_INVALIDARG.
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    void Set(const std::wstring& name, const Variant& value);
    // Null when the bag holds no value of that name (case-insensitive).
    const Variant* Get(const std::wstring& name) const;
    size_t Count() const { return m_values.size(); }
    // The names asked for by Read and given to Write, in call order.
    std::vector<std::wstring> readLog;
    std::vector<std::wstring> writeLog;

private:
    PropertyBag() = default;
    LONG m_refs = 1;
    std::vector<std::pair<std::wstring, Variant>> m_values;
};

}  // namespace quillon::test
