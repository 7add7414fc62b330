// Identity, lifetime and the services the control asks of its container.
#include "control/ole/OleControl.h"
#include "control/ApiDeclares.h"
#include "control/Guids.h"
#include "control/QuillonInterfaces.h"
#include "control/ole/Module.h"
#include "control/ole/TypeLibrary.h"
#include "hook/Guard.h"

namespace quillon {

OleControl::OleControl()
    : m_events(static_cast<IConnectionPointContainer*>(this), DIID___Quillon),
      m_notify(static_cast<IConnectionPointContainer*>(this), IID_IPropertyNotifySink) {
    module::ObjectCreated();
}

OleControl::~OleControl() { module::ObjectDestroyed(); }

void InitializeControl(OleControl* control) {
    Trap([&] { control->UserControl_Initialize(); });
}

STDMETHODIMP OleControl::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    void* p = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject)) p = static_cast<IOleObject*>(this);
    else if (IsEqualIID(riid, IID_IOleControl)) p = static_cast<IOleControl*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceObject) || IsEqualIID(riid, IID_IOleWindow))
        p = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(riid, IID_IViewObject2) || IsEqualIID(riid, IID_IViewObject))
        p = static_cast<IViewObject2*>(this);
    else if (IsEqualIID(riid, IID_IPersistPropertyBag)) p = static_cast<IPersistPropertyBag*>(this);
    else if (IsEqualIID(riid, IID_IPersistStreamInit) || IsEqualIID(riid, IID_IPersist))
        p = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer)) p = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(riid, IID_IProvideClassInfo2) || IsEqualIID(riid, IID_IProvideClassInfo))
        p = static_cast<IProvideClassInfo2*>(this);
    else if (IsEqualIID(riid, IID_ISupportErrorInfo)) p = static_cast<ISupportErrorInfo*>(this);
    else Trap([&] { p = QueryControlInterface(riid); });
    if (!p) return E_NOINTERFACE;
    *ppv = p;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) OleControl::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) OleControl::Release() {
    LONG n = InterlockedDecrement(&m_refs);
    if (n != 0) return static_cast<ULONG>(n);
    // Keep the object alive while Terminate runs: it may hand out and take
    // back references.
    m_refs = 1;
    RunTerminate();
    m_site.Reset();
    m_events.UnadviseAll();
    m_notify.UnadviseAll();
    Trap([&] { delete this; });
    return 0;
}

void OleControl::RunTerminate() {
    if (m_terminated) return;
    m_terminated = true;
    Trap([&] { UserControl_Terminate(); });
}

bool OleControl::Terminated() const { return m_terminated; }

IOleClientSite* OleControl::ClientSite() const { return m_site.get(); }

// --- ambients ---------------------------------------------------------------
bool OleControl::Ambient(DISPID dispid, VARIANT& out) {
    VariantInit(&out);
    if (!m_site) return false;
    bool ok = false;
    Trap([&] {
        auto disp = m_site.As<IDispatch>(IID_IDispatch);
        if (!disp) return;
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        ok = SUCCEEDED(disp->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &out,
                                    nullptr, nullptr));
        if (!ok) VariantClear(&out);
    });
    return ok;
}

static bool AmbientBool(bool got, VARIANT& v, bool fallback) {
    bool result = fallback;
    if (got && SUCCEEDED(VariantChangeType(&v, &v, 0, VT_BOOL))) result = V_BOOL(&v) != VARIANT_FALSE;
    VariantClear(&v);
    return result;
}

bool OleControl::AmbientUserMode() {
    VARIANT v;
    bool got = Ambient(DISPID_AMBIENT_USERMODE, v);
    return AmbientBool(got, v, true);
}

bool OleControl::AmbientRightToLeft() {
    VARIANT v;
    bool got = Ambient(DISPID_AMBIENT_RIGHTTOLEFT, v);
    return AmbientBool(got, v, false);
}

static IFontDisp* SystemMessageFont() {
    IFontDisp* font = nullptr;
    Trap([&] {
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof ncm;
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return;
        const LOGFONTW& lf = ncm.lfMessageFont;
        HDC screen = GetDC(nullptr);
        const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        const LONG height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
        FONTDESC fd{};
        fd.cbSizeofstruct = sizeof fd;
        fd.lpstrName = const_cast<LPOLESTR>(lf.lfFaceName);
        // Points in 1/10000: height (pixels) * 72 / dpi.
        fd.cySize.int64 = static_cast<LONGLONG>(height) * 72 * 10000 / (dpi ? dpi : 96);
        fd.sWeight = static_cast<SHORT>(lf.lfWeight);
        fd.sCharset = lf.lfCharSet;
        fd.fItalic = lf.lfItalic != 0;
        fd.fUnderline = lf.lfUnderline != 0;
        fd.fStrikethrough = lf.lfStrikeOut != 0;
        if (FAILED(OleCreateFontIndirect(&fd, IID_IFontDisp, reinterpret_cast<void**>(&font)))) font = nullptr;
    });
    return font;
}

IFontDisp* OleControl::AmbientFont() {
    VARIANT v;
    IFontDisp* font = nullptr;
    if (Ambient(DISPID_AMBIENT_FONT, v) && (V_VT(&v) == VT_DISPATCH || V_VT(&v) == VT_UNKNOWN) && V_UNKNOWN(&v))
        V_UNKNOWN(&v)->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&font));
    VariantClear(&v);
    return font ? font : SystemMessageFont();
}

IDispatch* OleControl::Extender() {
    IDispatch* ext = nullptr;
    Trap([&] {
        auto site = m_site.As<IOleControlSite>(IID_IOleControlSite);
        if (site && FAILED(site->GetExtendedControl(&ext))) ext = nullptr;
    });
    return ext;
}

HWND OleControl::SiteWindow() {
    HWND hwnd = nullptr;
    Trap([&] {
        ComPtr<IOleWindow> window = m_site.As<IOleWindow>(IID_IOleWindow);
        // Wine's ATL site answers IOleInPlaceSite, an IOleWindow, but not IOleWindow itself.
        if (!window && ApiDeclares::RunningOnWine())
            window = ComPtr<IOleWindow>(m_site.As<IOleInPlaceSite>(IID_IOleInPlaceSite).get());
        if (window && FAILED(window->GetWindow(&hwnd))) hwnd = nullptr;
    });
    return hwnd;
}

// --- notifications, events, errors -------------------------------------------
void OleControl::PropertyChanged(DISPID dispid) {
    m_dirty = true;
    for (auto& sink : m_notify.Snapshot<IPropertyNotifySink>())
        Trap([&] { sink->OnChanged(dispid); });
}

void OleControl::FireEvent(DISPID dispid, DISPPARAMS* params) {
    if (m_freeze > 0) return;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    // A snapshot: sinks may unadvise (or the host may release us) meanwhile.
    AddRef();
    for (auto& sink : m_events.Snapshot<IDispatch>()) {
        Trap([&] {
            EXCEPINFO excep{};
            UINT argErr = 0;
            sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params ? params : &none, nullptr,
                         &excep, &argErr);
            SysFreeString(excep.bstrSource);
            SysFreeString(excep.bstrDescription);
            SysFreeString(excep.bstrHelpFile);
        });
    }
    Release();
}

HRESULT OleControl::ReportError(HRESULT hr, const wchar_t* source, const wchar_t* description) {
    Trap([&] {
        ComPtr<ICreateErrorInfo> create;
        if (FAILED(CreateErrorInfo(create.put()))) return;
        create->SetGUID(IID__Quillon);
        if (source) create->SetSource(const_cast<LPOLESTR>(source));
        if (description) create->SetDescription(const_cast<LPOLESTR>(description));
        auto info = create.As<IErrorInfo>(IID_IErrorInfo);
        if (info) SetErrorInfo(0, info.get());
    });
    return hr;
}

ITypeInfo* OleControl::TypeInfoOf(REFGUID guid) {
    ITypeInfo* info = nullptr;
    Trap([&] { info = typelib::InfoOf(guid); });
    return info;
}

// --- IConnectionPointContainer ----------------------------------------------
STDMETHODIMP OleControl::EnumConnectionPoints(IEnumConnectionPoints** e) {
    return CreateConnectionPointEnum({&m_events, &m_notify}, e);
}

STDMETHODIMP OleControl::FindConnectionPoint(REFIID riid, IConnectionPoint** cp) {
    if (!cp) return E_POINTER;
    *cp = nullptr;
    ConnectionPoint* found = IsEqualIID(riid, m_events.iid()) ? &m_events
                             : IsEqualIID(riid, m_notify.iid()) ? &m_notify
                                                                : nullptr;
    if (!found) return CONNECT_E_NOCONNECTION;
    found->AddRef();
    *cp = found;
    return S_OK;
}

// --- IProvideClassInfo2, ISupportErrorInfo ------------------------------------
STDMETHODIMP OleControl::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = TypeInfoOf(CLSID_Quillon);
    if (!*info) return TYPE_E_ELEMENTNOTFOUND;
    (*info)->AddRef();
    return S_OK;
}

STDMETHODIMP OleControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___Quillon;
    return S_OK;
}

STDMETHODIMP OleControl::InterfaceSupportsErrorInfo(REFIID riid) {
    return IsEqualIID(riid, IID__Quillon) ? S_OK : S_FALSE;
}

}  // namespace quillon
