#include "demo/ControlSite.h"
#include <new>
#include "demo/Twips.h"

namespace demo {
namespace {

struct AmbientName {
    const wchar_t* name;
    DISPID id;
};
const AmbientName kAmbients[] = {
    {L"UserMode", DISPID_AMBIENT_USERMODE},       {L"RightToLeft", DISPID_AMBIENT_RIGHTTOLEFT},
    {L"DisplayName", DISPID_AMBIENT_DISPLAYNAME}, {L"LocaleID", DISPID_AMBIENT_LOCALEID},
    {L"MessageReflect", DISPID_AMBIENT_MESSAGEREFLECT},
};

}  // namespace

ControlSite* ControlSite::Create(HWND form, const wchar_t* formName, const wchar_t* controlName) {
    ControlSite* site = new (std::nothrow) ControlSite();
    if (!site) return nullptr;
    site->m_form = form;
    site->m_formObject = LateBoundObject::Create();
    site->m_extender = LateBoundObject::Create();
    if (site->m_formObject) {
        site->m_formObject->SetString(L"Name", formName);
        site->m_formObject->SetLong(L"hWnd", static_cast<LONG>(reinterpret_cast<LONG_PTR>(form)));
        site->m_formObject->SetBool(L"MDIChild", false);
    }
    if (site->m_extender) {
        site->m_extender->SetString(L"Name", controlName);
        site->m_extender->SetObject(L"Parent", site->m_formObject);
    }
    return site;
}

ControlSite::~ControlSite() { Detach(); }

void ControlSite::Detach() {
    if (m_extender) {
        m_extender->Clear();
        m_extender->Release();
        m_extender = nullptr;
    }
    if (m_formObject) {
        m_formObject->Clear();
        m_formObject->Release();
        m_formObject = nullptr;
    }
}

// --- IUnknown --------------------------------------------------------------------
STDMETHODIMP ControlSite::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleControlSite))
        *ppv = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(this);
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ControlSite::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) ControlSite::Release() {
    const LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

// --- IOleClientSite --------------------------------------------------------------
STDMETHODIMP ControlSite::SaveObject() { return S_OK; }

STDMETHODIMP ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ControlSite::ShowObject() { return S_OK; }
STDMETHODIMP ControlSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP ControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// --- IOleInPlaceSite -------------------------------------------------------------
STDMETHODIMP ControlSite::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = m_form;
    return m_form ? S_OK : E_FAIL;
}

STDMETHODIMP ControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP ControlSite::CanInPlaceActivate() { return S_OK; }

STDMETHODIMP ControlSite::OnInPlaceActivate() {
    m_inPlaceActive = true;
    return S_OK;
}

STDMETHODIMP ControlSite::OnUIActivate() { return S_OK; }

// The control is windowless and invisible at run time: there is no in-place
// frame or document window to offer.
STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                           LPRECT clip, LPOLEINPLACEFRAMEINFO) {
    if (frame) *frame = nullptr;
    if (doc) *doc = nullptr;
    if (pos) SetRectEmpty(pos);
    if (clip) SetRectEmpty(clip);
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP ControlSite::OnUIDeactivate(BOOL) { return S_OK; }

STDMETHODIMP ControlSite::OnInPlaceDeactivate() {
    m_inPlaceActive = false;
    return S_OK;
}

STDMETHODIMP ControlSite::DiscardUndoState() { return S_OK; }
STDMETHODIMP ControlSite::DeactivateAndUndo() { return S_OK; }
STDMETHODIMP ControlSite::OnPosRectChange(LPCRECT) { return S_OK; }

// --- IOleControlSite -------------------------------------------------------------
STDMETHODIMP ControlSite::OnControlInfoChanged() { return S_OK; }
STDMETHODIMP ControlSite::LockInPlaceActive(BOOL) { return S_OK; }

STDMETHODIMP ControlSite::GetExtendedControl(IDispatch** extender) {
    if (!extender) return E_POINTER;
    *extender = m_extender;
    if (!m_extender) return E_NOTIMPL;
    m_extender->AddRef();
    return S_OK;
}

// The form's coordinates are pixels at the form's DPI.
STDMETHODIMP ControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container) return E_POINTER;
    const int px = DpiOf(m_form), py = px;
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x) * px / 2540.0f;
        container->y = static_cast<float>(himetric->y) * py / 2540.0f;
    } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = static_cast<LONG>(container->x * 2540.0f / px + 0.5f);
        himetric->y = static_cast<LONG>(container->y * 2540.0f / py + 0.5f);
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

STDMETHODIMP ControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }
STDMETHODIMP ControlSite::OnFocus(BOOL) { return S_OK; }
STDMETHODIMP ControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

// --- IDispatch: ambient properties ------------------------------------------------
STDMETHODIMP ControlSite::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (const AmbientName& a : kAmbients) {
            if (i == 0 && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.name, -1, names[i], -1) == CSTR_EQUAL)
                ids[i] = a.id;
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

// DemoHost is a running program: user mode, left to right. The ambient font
// is not offered, so the control uses the system message font.
STDMETHODIMP ControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                 UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    VARIANT value;
    VariantInit(&value);
    switch (id) {
        case DISPID_AMBIENT_USERMODE:
            V_VT(&value) = VT_BOOL;
            V_BOOL(&value) = VARIANT_TRUE;
            break;
        case DISPID_AMBIENT_RIGHTTOLEFT:
        case DISPID_AMBIENT_MESSAGEREFLECT:
            V_VT(&value) = VT_BOOL;
            V_BOOL(&value) = VARIANT_FALSE;
            break;
        case DISPID_AMBIENT_DISPLAYNAME:
            V_VT(&value) = VT_BSTR;
            V_BSTR(&value) = SysAllocString(L"Quillon1");
            break;
        case DISPID_AMBIENT_LOCALEID:
            V_VT(&value) = VT_I4;
            V_I4(&value) = static_cast<LONG>(GetUserDefaultLCID());
            break;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
    if (result) {
        *result = value;
    } else {
        VariantClear(&value);
    }
    return S_OK;
}

}  // namespace demo
