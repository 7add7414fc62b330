#pragma once
// A container that hosts the control on real windows the way the hosting
// contract describes: client site with ambients, extender whose "Parent"
// leads to a form object, property bag, property-change and event sinks.
// `plain` mode is a minimal host (IOleClientSite + IOleWindow only, sited on
// a child window of the form), for the control's fallback path.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include "control/ole/ComPtr.h"
#include "tests/support/PropertyBag.h"

namespace quillon::test {

// Creates the control: (riid, ppv) like IClassFactory::CreateInstance.
using ControlFactory = std::function<HRESULT(REFIID, void**)>;
// The control linked into the test program (CreateQuillonInstance).
ControlFactory QuillonFactory();
// The control from a DLL, registration-free: LoadLibrary + DllGetClassObject.
ControlFactory DllFactory(const char* path = "QuillonLib.dll");

// A late-bound object of the host's form model: optional members "hWnd",
// "MDIChild" and "Parent", found by GetIDsOfNames without regard to case.
class LateBoundObject final : public IDispatch {
public:
    static ComPtr<LateBoundObject> Create();

    std::optional<LONG> hWnd;
    std::optional<bool> mdiChild;
    std::optional<ComPtr<IDispatch>> parent;  // set: has "Parent" (possibly Nothing)
    std::vector<std::wstring> namesAsked;

    void SetHwnd(HWND h) { hWnd = static_cast<LONG>(reinterpret_cast<LONG_PTR>(h)); }
    void SetParent(IDispatch* p) { parent = ComPtr<IDispatch>(p); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ti) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

private:
    LateBoundObject() = default;
    LONG m_refs = 1;
};

// One event as the sink saw it: arguments in declaration order, by-reference
// ones read through their pointers at the time of the call.
struct EventCall {
    DISPID id;
    std::vector<Variant> args;
};

// IDispatch sink for the control's events (DIID___Quillon).
class EventSink final : public IDispatch {
public:
    static ComPtr<EventSink> Create();

    std::vector<EventCall> calls;
    // Runs inside each Invoke (after recording): may write by-ref arguments
    // through params->rgvarg, or unadvise the sink.
    std::function<void(DISPID, DISPPARAMS*)> onEvent;
    HRESULT answer = S_OK;  // what Invoke returns
    int Count(DISPID id) const;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ti) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

private:
    EventSink() = default;
    LONG m_refs = 1;
};

// Records the DISPIDs of IPropertyNotifySink::OnChanged.
class PropertyNotifySink final : public IPropertyNotifySink {
public:
    static ComPtr<PropertyNotifySink> Create();
    std::vector<DISPID> changed;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID) override;

private:
    PropertyNotifySink() = default;
    LONG m_refs = 1;
};

struct ContainerOptions {
    std::optional<bool> userMode = true;      // nullopt: the ambient is missing
    std::optional<bool> rightToLeft = false;  // nullopt: missing
    std::optional<bool> mdiChild = false;     // the form's "MDIChild"; nullopt: no such member
    bool plain = false;                       // no extender, IOleClientSite + IOleWindow only
};

class ClientSite;

class TestContainer {
public:
    // `form` is the form's window ("hWnd" of the form object).
    explicit TestContainer(HWND form, ContainerOptions options = {});
    ~TestContainer();
    TestContainer(const TestContainer&) = delete;
    TestContainer& operator=(const TestContainer&) = delete;

    // Creates the control, sites it (SetClientSite before anything else)
    // and advises the event and property-change sinks.
    HRESULT Create(const ControlFactory& factory);
    HRESULT InitNew();                 // IPersistPropertyBag::InitNew
    HRESULT Load(IPropertyBag* bag);   // IPersistPropertyBag::Load
    HRESULT Save(IPropertyBag* bag);   // IPersistPropertyBag::Save(clear dirty)
    HRESULT DoVerb(LONG verb);         // in the site window's client area
    // Unadvises the sinks, IOleObject::Close, then SetClientSite(NULL).
    HRESULT Close();
    // Drops the container's reference; returns what Release answered.
    ULONG ReleaseControl();

    IUnknown* control() const { return m_control.get(); }
    template <class T>
    ComPtr<T> Query(REFIID iid) const { return m_control.As<T>(iid); }

    // Ambients; a change also calls IOleControl::OnAmbientPropertyChange.
    void SetUserMode(std::optional<bool> v);
    void SetRightToLeft(std::optional<bool> v);
    void SetFont(IFontDisp* font);  // null: no ambient font

    LateBoundObject& form() { return *m_form.get(); }
    // The extender (null in plain mode); its "Parent" is the form at first.
    LateBoundObject* extender() { return m_extender.get(); }
    HWND siteWindow() const { return m_siteWindow; }
    EventSink& events() { return *m_events.get(); }
    PropertyNotifySink& notifications() { return *m_notify.get(); }
    // How often the control asked for an ambient property.
    int AmbientRequests(DISPID id) const;
    // IOleInPlaceSite::OnInPlaceActivate / OnInPlaceDeactivate calls.
    int inPlaceActivations() const;
    int inPlaceDeactivations() const;

private:
    void Unadvise();

    HWND m_formWindow;
    HWND m_siteWindow;
    HWND m_ownedChild = nullptr;
    ContainerOptions m_options;
    ComPtr<LateBoundObject> m_form;
    ComPtr<LateBoundObject> m_extender;
    ComPtr<ClientSite> m_site;
    ComPtr<IUnknown> m_control;
    ComPtr<EventSink> m_events;
    ComPtr<PropertyNotifySink> m_notify;
    DWORD m_eventCookie = 0;
    DWORD m_notifyCookie = 0;
};

}  // namespace quillon::test
