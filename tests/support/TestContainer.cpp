#include "tests/support/TestContainer.h"
#include <map>
#include "control/Guids.h"

namespace quillon::test {
namespace {

constexpr DISPID kHwnd = 1, kMdiChild = 2, kParent = 3;

template <class T>
HRESULT Answer(T* self, REFIID riid, void** ppv, std::initializer_list<IID> iids, void* as) {
    if (!ppv) return E_POINTER;
    for (const IID& iid : iids)
        if (IsEqualIID(riid, iid)) {
            *ppv = as;
            self->AddRef();
            return S_OK;
        }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

void SetBool(VARIANT* v, bool b) {
    V_VT(v) = VT_BOOL;
    V_BOOL(v) = b ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

// --- LateBoundObject ----------------------------------------------------------
ComPtr<LateBoundObject> LateBoundObject::Create() { return ComPtr<LateBoundObject>::Adopt(new LateBoundObject()); }
STDMETHODIMP LateBoundObject::QueryInterface(REFIID riid, void** ppv) {
    return Answer(this, riid, ppv, {IID_IUnknown, IID_IDispatch}, static_cast<IDispatch*>(this));
}
STDMETHODIMP_(ULONG) LateBoundObject::AddRef() { return static_cast<ULONG>(++m_refs); }
STDMETHODIMP_(ULONG) LateBoundObject::Release() {
    LONG n = --m_refs;
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}
STDMETHODIMP LateBoundObject::GetTypeInfoCount(UINT* n) {
    if (n) *n = 0;
    return S_OK;
}
STDMETHODIMP LateBoundObject::GetTypeInfo(UINT, LCID, ITypeInfo** ti) {
    if (ti) *ti = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP LateBoundObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    namesAsked.push_back(names[0]);
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (_wcsicmp(names[0], L"hWnd") == 0 && hWnd) ids[0] = kHwnd;
    else if (_wcsicmp(names[0], L"MDIChild") == 0 && mdiChild) ids[0] = kMdiChild;
    else if (_wcsicmp(names[0], L"Parent") == 0 && parent) ids[0] = kParent;
    return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}
STDMETHODIMP LateBoundObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    VARIANT dummy;
    VARIANT* out = result ? result : &dummy;
    VariantInit(out);
    if (id == kHwnd && hWnd) {
        V_VT(out) = VT_I4;
        V_I4(out) = *hWnd;
    } else if (id == kMdiChild && mdiChild) {
        SetBool(out, *mdiChild);
    } else if (id == kParent && parent) {
        V_VT(out) = VT_DISPATCH;
        V_DISPATCH(out) = parent->get();
        if (parent->get()) parent->get()->AddRef();
    } else {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (!result) VariantClear(&dummy);
    return S_OK;
}

// --- EventSink ------------------------------------------------------------------
ComPtr<EventSink> EventSink::Create() { return ComPtr<EventSink>::Adopt(new EventSink()); }
STDMETHODIMP EventSink::QueryInterface(REFIID riid, void** ppv) {
    return Answer(this, riid, ppv, {IID_IUnknown, IID_IDispatch, DIID___Quillon}, static_cast<IDispatch*>(this));
}
STDMETHODIMP_(ULONG) EventSink::AddRef() { return static_cast<ULONG>(++m_refs); }
STDMETHODIMP_(ULONG) EventSink::Release() {
    LONG n = --m_refs;
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}
STDMETHODIMP EventSink::GetTypeInfoCount(UINT* n) {
    if (n) *n = 0;
    return S_OK;
}
STDMETHODIMP EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** ti) {
    if (ti) *ti = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    EventCall call{id, {}};
    if (params)
        for (UINT i = params->cArgs; i-- > 0;) call.args.emplace_back(params->rgvarg[i]);  // VariantCopyInd
    calls.push_back(std::move(call));
    ComPtr<EventSink> keep(this);  // the callback may unadvise us
    if (onEvent) onEvent(id, params);
    return answer;
}
int EventSink::Count(DISPID id) const {
    int n = 0;
    for (const auto& c : calls) n += c.id == id;
    return n;
}

// --- PropertyNotifySink -----------------------------------------------------------
ComPtr<PropertyNotifySink> PropertyNotifySink::Create() {
    return ComPtr<PropertyNotifySink>::Adopt(new PropertyNotifySink());
}
STDMETHODIMP PropertyNotifySink::QueryInterface(REFIID riid, void** ppv) {
    return Answer(this, riid, ppv, {IID_IUnknown, IID_IPropertyNotifySink}, static_cast<IPropertyNotifySink*>(this));
}
STDMETHODIMP_(ULONG) PropertyNotifySink::AddRef() { return static_cast<ULONG>(++m_refs); }
STDMETHODIMP_(ULONG) PropertyNotifySink::Release() {
    LONG n = --m_refs;
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}
STDMETHODIMP PropertyNotifySink::OnChanged(DISPID id) {
    changed.push_back(id);
    return S_OK;
}
STDMETHODIMP PropertyNotifySink::OnRequestEdit(DISPID) { return S_OK; }

// --- the client site -----------------------------------------------------------------
class ClientSite final : public IOleClientSite, public IOleControlSite, public IOleInPlaceSite, public IDispatch {
public:
    ClientSite(ContainerOptions& options, HWND window, LateBoundObject* extender)
        : m_options(options), m_window(window), m_extender(extender) {}

    ComPtr<IFontDisp> fontRef;
    std::map<DISPID, int> ambientRequests;
    int activations = 0, deactivations = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleWindow))
            *ppv = static_cast<IOleWindow*>(static_cast<IOleInPlaceSite*>(this));
        else if (!m_options.plain && IsEqualIID(riid, IID_IOleInPlaceSite))
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (!m_options.plain && IsEqualIID(riid, IID_IOleControlSite))
            *ppv = static_cast<IOleControlSite*>(this);
        else if (!m_options.plain && IsEqualIID(riid, IID_IDispatch))
            *ppv = static_cast<IDispatch*>(this);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = --m_refs;
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** mk) override {
        if (mk) *mk = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        if (c) *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** ext) override {
        if (!ext) return E_POINTER;
        *ext = m_extender;
        if (!m_extender) return E_NOTIMPL;
        m_extender->AddRef();
        return S_OK;
    }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IOleWindow / IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* hwnd) override {
        if (!hwnd) return E_POINTER;
        *hwnd = m_window;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override {
        ++activations;
        return S_OK;
    }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT, LPRECT,
                                  LPOLEINPLACEFRAMEINFO) override {
        if (frame) *frame = nullptr;
        if (doc) *doc = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override {
        ++deactivations;
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        if (n) *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ti) override {
        if (ti) *ti = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
        ++ambientRequests[id];
        if (!result) return E_POINTER;
        VariantInit(result);
        if (id == DISPID_AMBIENT_USERMODE && m_options.userMode) SetBool(result, *m_options.userMode);
        else if (id == DISPID_AMBIENT_RIGHTTOLEFT && m_options.rightToLeft) SetBool(result, *m_options.rightToLeft);
        else if (id == DISPID_AMBIENT_FONT && fontRef) {
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = fontRef.get();
            fontRef->AddRef();
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
        return S_OK;
    }

private:
    LONG m_refs = 1;
    ContainerOptions& m_options;
    HWND m_window;
    LateBoundObject* m_extender;
};

// --- TestContainer -------------------------------------------------------------
TestContainer::TestContainer(HWND form, ContainerOptions options)
    : m_formWindow(form), m_siteWindow(form), m_options(options) {
    m_form = LateBoundObject::Create();
    m_form->SetHwnd(form);
    m_form->mdiChild = options.mdiChild;
    if (m_options.plain) {
        RECT rc{};
        GetClientRect(form, &rc);
        m_ownedChild = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom, form,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
        m_siteWindow = m_ownedChild;
    } else {
        m_extender = LateBoundObject::Create();
        m_extender->SetParent(m_form.get());
    }
    m_site = ComPtr<ClientSite>::Adopt(new ClientSite(m_options, m_siteWindow, m_extender.get()));
    m_events = EventSink::Create();
    m_notify = PropertyNotifySink::Create();
}

TestContainer::~TestContainer() {
    if (m_control) {
        Close();
        m_control.Reset();
    }
    if (m_ownedChild) DestroyWindow(m_ownedChild);
}

HRESULT TestContainer::Create(const ControlFactory& factory) {
    HRESULT hr = factory(IID_IUnknown, m_control.put_void());
    if (FAILED(hr)) return hr;
    auto object = Query<IOleObject>(IID_IOleObject);
    if (!object) return E_NOINTERFACE;
    hr = object->SetClientSite(m_site.get());
    if (FAILED(hr)) return hr;
    if (auto cpc = Query<IConnectionPointContainer>(IID_IConnectionPointContainer)) {
        ComPtr<IConnectionPoint> cp;
        if (SUCCEEDED(cpc->FindConnectionPoint(DIID___Quillon, cp.put())))
            cp->Advise(static_cast<IDispatch*>(m_events.get()), &m_eventCookie);
        if (SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, cp.put())))
            cp->Advise(m_notify.get(), &m_notifyCookie);
    }
    return S_OK;
}

HRESULT TestContainer::InitNew() {
    auto persist = Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
    return persist ? persist->InitNew() : E_NOINTERFACE;
}

HRESULT TestContainer::Load(IPropertyBag* bag) {
    auto persist = Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
    return persist ? persist->Load(bag, nullptr) : E_NOINTERFACE;
}

HRESULT TestContainer::Save(IPropertyBag* bag) {
    auto persist = Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
    return persist ? persist->Save(bag, TRUE, TRUE) : E_NOINTERFACE;
}

HRESULT TestContainer::DoVerb(LONG verb) {
    auto object = Query<IOleObject>(IID_IOleObject);
    if (!object) return E_NOINTERFACE;
    RECT rc{};
    GetClientRect(m_siteWindow, &rc);
    return object->DoVerb(verb, nullptr, m_site.get(), 0, m_siteWindow, &rc);
}

void TestContainer::Unadvise() {
    auto cpc = Query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!cpc) return;
    ComPtr<IConnectionPoint> cp;
    if (m_eventCookie && SUCCEEDED(cpc->FindConnectionPoint(DIID___Quillon, cp.put()))) cp->Unadvise(m_eventCookie);
    if (m_notifyCookie && SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, cp.put())))
        cp->Unadvise(m_notifyCookie);
    m_eventCookie = m_notifyCookie = 0;
}

HRESULT TestContainer::Close() {
    if (!m_control) return E_UNEXPECTED;
    Unadvise();
    auto object = Query<IOleObject>(IID_IOleObject);
    if (!object) return E_NOINTERFACE;
    HRESULT hr = object->Close(OLECLOSE_NOSAVE);
    HRESULT hr2 = object->SetClientSite(nullptr);
    return FAILED(hr) ? hr : hr2;
}

ULONG TestContainer::ReleaseControl() {
    IUnknown* p = m_control.Detach();
    return p ? p->Release() : 0;
}

void TestContainer::SetUserMode(std::optional<bool> v) {
    m_options.userMode = v;
    if (auto c = Query<IOleControl>(IID_IOleControl)) c->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
}

void TestContainer::SetRightToLeft(std::optional<bool> v) {
    m_options.rightToLeft = v;
    if (auto c = Query<IOleControl>(IID_IOleControl)) c->OnAmbientPropertyChange(DISPID_AMBIENT_RIGHTTOLEFT);
}

void TestContainer::SetFont(IFontDisp* font) {
    m_site->fontRef = font;
    if (auto c = Query<IOleControl>(IID_IOleControl)) c->OnAmbientPropertyChange(DISPID_AMBIENT_FONT);
}

int TestContainer::AmbientRequests(DISPID id) const {
    auto it = m_site->ambientRequests.find(id);
    return it == m_site->ambientRequests.end() ? 0 : it->second;
}

int TestContainer::inPlaceActivations() const { return m_site->activations; }
int TestContainer::inPlaceDeactivations() const { return m_site->deactivations; }

}  // namespace quillon::test
