#pragma once
// An in-memory IPropertyBag: named VARIANTs in insertion order, names
// compared without regard to case. IPersistStreamInit goes through it so
// the control reads and writes its values the same way for both kinds of
// persistence.
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <vector>

namespace quillon {

class MemoryPropertyBag final : public IPropertyBag {
public:
    struct Value {
        std::wstring name;
        VARIANT value;
    };

    // Created with one reference.
    static MemoryPropertyBag* Create();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // VT_EMPTY asks for the value as stored; another type converts it
    // (DISP_E_TYPEMISMATCH when it cannot). Unknown names: E_INVALIDARG.
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    const std::vector<Value>& Values() const { return m_values; }
    // Appends without looking for an existing name (used by the stream reader).
    HRESULT Append(const std::wstring& name, const VARIANT& value);

private:
    MemoryPropertyBag() = default;
    ~MemoryPropertyBag();
    Value* Find(LPCOLESTR name);

    LONG m_refs = 1;
    std::vector<Value> m_values;
};

}  // namespace quillon
