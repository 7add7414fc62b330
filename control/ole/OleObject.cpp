// IOleObject, IOleControl and IOleInPlaceObject: siting, verbs, size and
// activation of a windowless control that is invisible at run time.
#include "control/Guids.h"
#include "control/ole/OleControl.h"
#include "hook/Guard.h"

namespace quillon {

// --- IOleObject ---------------------------------------------------------------
STDMETHODIMP OleControl::SetClientSite(IOleClientSite* site) {
    if (!site) {
        // The container lets go of the control: it terminates now, as hooked
        // windows would otherwise keep it alive.
        DeactivateInPlace();
        RunTerminate();
        m_site.Reset();
        return S_OK;
    }
    m_site = site;
    if (!m_terminated) {
        const bool dirty = m_dirty;
        Trap([&] { SiteArrived(); });
        m_dirty = dirty;
    }
    return S_OK;
}

STDMETHODIMP OleControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = m_site.get();
    if (*site) (*site)->AddRef();
    return S_OK;
}

STDMETHODIMP OleControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP OleControl::Close(DWORD) {
    DeactivateInPlace();
    RunTerminate();
    if (m_oleAdvise) Trap([&] { m_oleAdvise->SendOnClose(); });
    return S_OK;
}

STDMETHODIMP OleControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP OleControl::GetMoniker(DWORD, DWORD, IMoniker** mk) {
    if (mk) *mk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP OleControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP OleControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP OleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_OPEN:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE: {
            // Nothing to show: the control has no window. Tell an in-place
            // site that it is active so that it deactivates us later.
            if (!m_inPlaceActive) {
                Trap([&] {
                    ComPtr<IOleClientSite> s = site ? site : m_site.get();
                    auto ip = s.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
                    if (ip && ip->CanInPlaceActivate() == S_OK && SUCCEEDED(ip->OnInPlaceActivate()))
                        m_inPlaceActive = true;
                });
            }
            return S_OK;
        }
        case OLEIVERB_HIDE:
        case OLEIVERB_DISCARDUNDOSTATE:
            return S_OK;
        case OLEIVERB_PROPERTIES:
            return E_NOTIMPL;
        default:
            return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

STDMETHODIMP OleControl::EnumVerbs(IEnumOLEVERB** e) {
    if (e) *e = nullptr;
    return OLEOBJ_E_NOVERBS;
}

STDMETHODIMP OleControl::Update() { return S_OK; }
STDMETHODIMP OleControl::IsUpToDate() { return S_OK; }

STDMETHODIMP OleControl::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Quillon;
    return S_OK;
}

STDMETHODIMP OleControl::GetUserType(DWORD, LPOLESTR* type) {
    if (!type) return E_POINTER;
    static const wchar_t kName[] = L"Quillon";
    *type = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof kName));
    if (!*type) return E_OUTOFMEMORY;
    CopyMemory(*type, kName, sizeof kName);
    return S_OK;
}

SIZEL OleControl::DesignExtent() {
    // The design-time picture is 32 x 32 pixels.
    constexpr int kPixels = 32;
    HDC screen = GetDC(nullptr);
    int dx = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    int dy = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return SIZEL{MulDiv(kPixels, 2540, dx ? dx : 96), MulDiv(kPixels, 2540, dy ? dy : 96)};
}

STDMETHODIMP OleControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    // The control keeps its own size.
    const SIZEL own = DesignExtent();
    return size->cx == own.cx && size->cy == own.cy ? S_OK : E_FAIL;
}

STDMETHODIMP OleControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = DesignExtent();
    return S_OK;
}

STDMETHODIMP OleControl::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    if (!m_oleAdvise) {
        HRESULT hr = CreateOleAdviseHolder(m_oleAdvise.put());
        if (FAILED(hr)) return hr;
    }
    return m_oleAdvise->Advise(sink, cookie);
}

STDMETHODIMP OleControl::Unadvise(DWORD cookie) {
    return m_oleAdvise ? m_oleAdvise->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP OleControl::EnumAdvise(IEnumSTATDATA** e) {
    if (!e) return E_POINTER;
    *e = nullptr;
    return m_oleAdvise ? m_oleAdvise->EnumAdvise(e) : E_NOTIMPL;
}

STDMETHODIMP OleControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = kControlMiscStatus;  // answered here, so unregistered hosts get it too
    return S_OK;
}

STDMETHODIMP OleControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// --- IOleControl ----------------------------------------------------------------
STDMETHODIMP OleControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->cb = sizeof *info;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP OleControl::OnMnemonic(MSG*) { return E_NOTIMPL; }

// Ambients are asked for at each use, so a change needs no action.
STDMETHODIMP OleControl::OnAmbientPropertyChange(DISPID) { return S_OK; }

STDMETHODIMP OleControl::FreezeEvents(BOOL freeze) {
    if (freeze) ++m_freeze;
    else if (m_freeze > 0) --m_freeze;
    return S_OK;
}

// --- IOleInPlaceObject --------------------------------------------------------
STDMETHODIMP OleControl::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = nullptr;
    return E_FAIL;  // windowless
}

STDMETHODIMP OleControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

void OleControl::DeactivateInPlace() {
    if (!m_inPlaceActive) return;
    m_inPlaceActive = false;
    Trap([&] {
        auto ip = m_site.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (ip) ip->OnInPlaceDeactivate();
    });
}

STDMETHODIMP OleControl::InPlaceDeactivate() {
    DeactivateInPlace();
    return S_OK;
}

STDMETHODIMP OleControl::UIDeactivate() { return S_OK; }
STDMETHODIMP OleControl::SetObjectRects(LPCRECT, LPCRECT) { return S_OK; }
STDMETHODIMP OleControl::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

}  // namespace quillon
