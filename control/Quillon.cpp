// The control object as a COM object: creation, its dual interface and the
// automation face of its methods.
#include "control/Quillon.h"
#include <new>
#include "hook/Guard.h"

namespace quillon {
namespace {
constexpr UINT_PTR kMdiTimerId = 1;
constexpr UINT_PTR kNCTimerId = 2;
}  // namespace

HRESULT CreateQuillonInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Quillon* control = new (std::nothrow) Quillon();
    if (!control) return E_OUTOFMEMORY;
    HRESULT hr = control->QueryInterface(riid, ppv);
    control->Release();
    return hr;
}

Quillon::Quillon()
    : DualDispatch<_Quillon>(IID__Quillon),
      m_timers(static_cast<IOleObject*>(this)),
      m_mdiTimer(m_timers, kMdiTimerId, [this] { m_mdiTimer_Timer(); }),
      m_NCTimer(m_timers, kNCTimerId, [this] { m_NCTimer_Timer(); }) {
    UserControl_Initialize();
}

Quillon::~Quillon() {
    // The container may never have closed us; release what is left.
    if (!Terminated()) Trap([&] { UserControl_Terminate(); });
}

void* Quillon::QueryControlInterface(REFIID riid) {
    if (IsEqualIID(riid, IID__Quillon) || IsEqualIID(riid, IID_IDispatch)) return static_cast<_Quillon*>(this);
    return nullptr;
}

STDMETHODIMP Quillon::RegisterWindowMenu(LONG hWindow, VARIANT* bStop) {
    HRESULT hr = S_OK;
    bool ok = Trap([&] {
        HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(hWindow));
        if (window == m_hwndOwner || window == m_hwndMDIFrame || !window || !IsWindow(window)) return;
        // An omitted or non-Boolean bStop cannot be compared with False.
        VARIANT stop;
        VariantInit(&stop);
        if (bStop) VariantCopyInd(&stop, bStop);
        bool unregister = false;
        if (V_VT(&stop) == VT_NULL) {
            unregister = true;  // Null = False is not true
        } else if (V_VT(&stop) != VT_EMPTY) {
            if (V_VT(&stop) == VT_ERROR || FAILED(VariantChangeType(&stop, &stop, 0, VT_BOOL))) {
                VariantClear(&stop);
                hr = ReportError(DISP_E_TYPEMISMATCH, L"Quillon", L"Type mismatch");
                return;
            }
            unregister = V_BOOL(&stop) != VARIANT_FALSE;
        }
        VariantClear(&stop);
        try {
            RegisterWindowMenu(window, unregister);
        } catch (const WindowRefused& refused) {
            hr = ReportError(refused.hr(), L"Quillon", refused.why());
        } catch (const Win32Failure& failure) {
            hr = ReportError(failure.hr(), L"Quillon", L"The window could not be registered for menu processing");
        }
    });
    return ok ? hr : E_UNEXPECTED;
}

}  // namespace quillon
