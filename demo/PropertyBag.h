#pragma once
// DemoHost's property bag: named values (names without regard to case) that
// the form file fills and the control reads through IPersistPropertyBag.
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <vector>

namespace demo {

class PropertyBag final : public IPropertyBag {
public:
    static PropertyBag* Create();  // one reference for the caller

    // Stores a copy of `value` under `name`, replacing an earlier one.
    void Set(const std::wstring& name, const VARIANT& value);
    size_t Count() const { return m_values.size(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

private:
    struct Entry {
        std::wstring name;
        VARIANT value;
    };
    PropertyBag() = default;
    ~PropertyBag();
    Entry* Find(LPCOLESTR name);

    LONG m_refs = 1;
    std::vector<Entry> m_values;
};

}  // namespace demo
