#pragma once
// The Quillon control: one object per form. It hooks the form's windows,
// receives their menu messages through the shared window procedure and
// routes each one to its handler. The road of a message:
//   SubclassWnd::SharedWindowProc (hook/)
//     -> Quillon::WindowMsgListener (control/QuillonDispatch.cpp)
//       -> the handler (menu/, render/, help/, control/QuillonAttach.cpp)
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "control/ControlTimers.h"
#include "control/FormLocator.h"
#include "control/QuillonInterfaces.h"
#include "control/ole/OleControl.h"
#include "control/ole/TypeInfoDispatch.h"
#include "help/Tooltip.h"
#include "hook/SubclassListener.h"

namespace quillon {

// Creates a Quillon object and runs its UserControl_Initialize.
HRESULT CreateQuillonInstance(IUnknown* outer, REFIID riid, void** ppv);

class Quillon final : public OleControl, public _Quillon, public cSubclassListener {
public:
    Quillon();

    // IUnknown for every base
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return OleControl::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return OleControl::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return OleControl::Release(); }

    // IDispatch of the dual interface
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override;

    // _Quillon
    STDMETHODIMP RegisterWindowMenu(LONG hWindow, VARIANT* bStop) override;

    // cSubclassListener: the message dispatcher.
    LRESULT WindowMsgListener(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool& bRouteToOriginal) override;

    // Registers (stop false) or unregisters (stop true) a further
    // menu-owning window. The register branch throws on failure.
    void RegisterWindowMenu(HWND hWindow, bool stop);

    // Read-only views for diagnostics and tests.
    HWND OwnerWindow() const { return m_hwndOwner; }
    HWND MDIFrameWindow() const { return m_hwndMDIFrame; }
    HWND MDIClientWindow() const { return m_hwndMDIClient; }
    bool IsAttached() const { return m_bAttached; }
    bool IsFrameHooked() const { return m_bFrameHooked; }
    const std::vector<HWND>& RegisteredWindows() const { return m_colRegistered; }
    const CTooltip* Tooltip() const { return m_Tooltip.get(); }
    HMODULE ResourceLibrary() const { return m_hResLib; }
    HWND TimerWindow() const { return m_timers.Window(); }
    int MenuBarRepaints() const { return m_menuBarRepaints; }
    int ColorRefreshes() const { return m_colorRefreshes; }
    bool MenuLoopActive() const { return m_bMenuLoopActive; }
    HWND TooltipShownFor() const { return m_hwndTooltipShownFor; }
    void SetTooltipShownFor(HWND hwnd) { m_hwndTooltipShownFor = hwnd; }
    static int InstanceCount();

private:
    ~Quillon() override;

    // Lifecycle (control/QuillonLifecycle.cpp)
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(IPropertyBag* bag) override;
    void UserControl_WriteProperties(IPropertyBag* bag) override;
    void UserControl_Terminate() override;
    void* QueryControlInterface(REFIID riid) override;

    // Attachment (control/QuillonAttach.cpp)
    void AttachToForm();
    void HookMDIFrame();
    void UnhookMDIFrame();
    void OnMDIActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void StartMenuBarRepaint();
    void m_mdiTimer_Timer();
    void m_NCTimer_Timer();
    static bool InDevelopmentEnvironment() { return false; }

    // Hook sets (control/HookSets.cpp)
    void HookMenuMessages(HWND hwnd);
    static void UnhookMenuMessages(HWND hwnd) noexcept;
    void HookTooltipWindow(HWND hwnd);
    static void UnhookTooltipWindow(HWND hwnd) noexcept;

    // Handlers of the menu model (menu/)
    LRESULT OnInitMenuPopup(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route);
    void OnMeasureItem(WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void PurgeDeadItems();
    void DropItemsOfWindow(HWND hwnd);
    void ReprocessMenuBar(HWND hwnd);
    size_t ItemCount() const;

    // Handlers of the renderer (render/)
    void OnDrawItem(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void OnMenuChar(WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void OnInitMenu(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void OnNcMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void ClearBarHighlight(HWND hwnd);
    void TrackHotBarItem(HWND hwnd);
    void GrabScreen();
    void ReleaseScreenCapture();
    void RefreshColors(HWND hwnd);
    void ComputeDefaultColors();
    void DeleteGdiCache() noexcept;

    // Handlers of help and tooltips (help/)
    void OnMenuSelect(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void FindStatusBar(HWND parent);

    // Dispatch details (control/QuillonDispatch.cpp)
    void OnActivateApp(WPARAM wParam);
    void OnNotify(LPARAM lParam);

    // Lifecycle state
    HWND m_hwndOwner = nullptr;
    HWND m_hwndMDIFrame = nullptr;
    HWND m_hwndMDIClient = nullptr;
    bool m_bAttached = false;
    bool m_bFrameHooked = false;
    std::vector<HWND> m_colRegistered;
    HWND m_hwndStatusBar = nullptr;
    std::unique_ptr<CTooltip> m_Tooltip;
    HMODULE m_hResLib = nullptr;
    UINT m_lSavedMenuAnimation = TRUE;
    bool m_bMenuAnimationRead = false;
    bool m_bInstanceCounted = false;
    std::wstring m_aboutText;
    TypeInfoDispatch m_dispatch{IID__Quillon};

    // Timers on the control's own message-only window.
    ControlTimers m_timers;
    ControlTimer m_mdiTimer;
    ControlTimer m_NCTimer;
    HWND m_hwndHotTrack = nullptr;  // window the hot-tracking timer works for
    int m_menuBarRepaints = 0;
    int m_colorRefreshes = 0;

    // Dispatcher state
    bool m_bMenuLoopActive = false;
    bool m_bHot = false;
    HWND m_hwndTooltipShownFor = nullptr;

    // --- Public interface state and accessors: control/QuillonProperties*.cpp.
    // (Declarations of that work go in this block.)

    // --- Menu model: item records, collection, scanning, measuring, fonts: menu/.
    // (Declarations of that work go in this block.)

    // Cached GDI objects (filled by the renderer)
    HBRUSH m_hBitmapBackgroundBrush = nullptr;
    HBRUSH m_hMenuBackgroundBrush = nullptr;
    HPEN m_hHighlightBorderPen = nullptr;
    HFONT m_hCachedFont = nullptr;
};

}  // namespace quillon
