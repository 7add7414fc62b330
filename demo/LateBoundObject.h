#pragma once
// A late-bound object of DemoHost's form model with read-only named
// properties: the extender of Quillon1 ("Name", "Parent") and the form it
// sits on ("Name", "hWnd", "MDIChild"). Names are found without regard to case.
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <vector>

namespace demo {

class LateBoundObject final : public IDispatch {
public:
    static LateBoundObject* Create();  // one reference for the caller

    void Set(const wchar_t* name, const VARIANT& value);
    void SetString(const wchar_t* name, const wchar_t* value);
    void SetLong(const wchar_t* name, LONG value);
    void SetBool(const wchar_t* name, bool value);
    void SetObject(const wchar_t* name, IDispatch* value);
    // Drops every property (breaks reference cycles at shutdown).
    void Clear();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    struct Property {
        std::wstring name;
        VARIANT value;
    };
    LateBoundObject() = default;
    ~LateBoundObject() { Clear(); }

    LONG m_refs = 1;
    std::vector<Property> m_properties;  // DISPID = index + 1
};

}  // namespace demo
