#pragma once
// A minimal control on the OLE plumbing for its tests: records the lifecycle
// hooks in a log that outlives it, reads and writes the named values it is
// given, implements _Quillon through the type library and exposes the
// protected services.
#include <memory>
#include <string>
#include <vector>
#include "control/QuillonInterfaces.h"
#include "tests/com/QuillonNotImplemented.h"
#include "control/ole/OleControl.h"
#include "control/ole/TypeInfoDispatch.h"
#include "tests/support/PropertyBag.h"
#include "tests/support/TestContainer.h"

namespace quillon::test {

struct ProbeLog {
    int initialize = 0, initProperties = 0, readProperties = 0, writeProperties = 0, terminate = 0;
    // WriteProperties writes these; ReadProperties reads `readNames` into `read`.
    std::vector<std::pair<std::wstring, Variant>> toWrite;
    std::vector<std::wstring> readNames;
    std::vector<std::pair<std::wstring, Variant>> read;
    // RegisterWindowMenu calls: hWindow and bStop as received.
    std::vector<std::pair<LONG, Variant>> registerCalls;
    // Written into a by-ref bStop, when not empty.
    Variant bStopAnswer;
};

class ProbeControl final : public OleControl, public QuillonNotImplemented {
public:
    // A factory for TestContainer; every probe it makes logs into `log`.
    static ControlFactory Factory(std::shared_ptr<ProbeLog> log);
    // Creates one probe with a reference the caller owns.
    static ProbeControl* New(std::shared_ptr<ProbeLog> log);

    // IUnknown (one identity for every interface)
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return OleControl::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return OleControl::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return OleControl::Release(); }
    // IDispatch over the type library
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { return m_dispatch.GetTypeInfoCount(n); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID lcid, ITypeInfo** ti) override { return m_dispatch.GetTypeInfo(i, lcid, ti); }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT n, LCID lcid, DISPID* ids) override {
        return m_dispatch.GetIDsOfNames(riid, names, n, lcid, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* p, VARIANT* r, EXCEPINFO* e,
                        UINT* a) override {
        return m_dispatch.Invoke(static_cast<_Quillon*>(this), id, riid, lcid, flags, p, r, e, a);
    }
    // _Quillon: hWindow 0 fails with an automation error.
    STDMETHODIMP RegisterWindowMenu(LONG hWindow, VARIANT* bStop) override;

    // The protected services, for tests.
    using OleControl::AmbientFont;
    using OleControl::AmbientRightToLeft;
    using OleControl::AmbientUserMode;
    using OleControl::Extender;
    using OleControl::FireEvent;
    using OleControl::PropertyChanged;
    using OleControl::ReportError;
    using OleControl::SiteWindow;
    using OleControl::Terminated;
    using OleControl::TypeInfoOf;

protected:
    void UserControl_Initialize() override { ++m_log->initialize; }
    void UserControl_InitProperties() override { ++m_log->initProperties; }
    void UserControl_ReadProperties(IPropertyBag* bag) override;
    void UserControl_WriteProperties(IPropertyBag* bag) override;
    void UserControl_Terminate() override { ++m_log->terminate; }
    void* QueryControlInterface(REFIID riid) override;

private:
    explicit ProbeControl(std::shared_ptr<ProbeLog> log) : m_log(std::move(log)) {}
    std::shared_ptr<ProbeLog> m_log;
    TypeInfoDispatch m_dispatch{IID__Quillon};
};

}  // namespace quillon::test
