#pragma once
// The OLE side of an invisible-at-run-time ActiveX control: site, ambient
// properties, in-place activation, the design-time icon, persistence,
// connection points and error info. A concrete control derives from it,
// implements the UserControl_* hooks and its own dual interface, and uses
// the protected services to talk to its container.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>
#include "control/ole/ComPtr.h"
#include "control/ole/ConnectionPoint.h"

namespace quillon {

// OLEMISC bits of the control, answered by GetMiscStatus and registered.
inline constexpr DWORD kControlMiscStatus =
    OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT;

class OleControl : public IOleObject,
                   public IOleControl,
                   public IOleInPlaceObject,
                   public IViewObject2,
                   public IPersistPropertyBag,
                   public IPersistStreamInit,
                   public IConnectionPointContainer,
                   public IProvideClassInfo2,
                   public ISupportErrorInfo {
public:
    // IUnknown, shared by every base; a derived class forwards the IUnknown
    // of its own extra interfaces here.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR obj) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD which, IMoniker* mk) override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** mk) override;
    STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT rect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** e) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** e) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* pal) override;

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* msg) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IOleWindow / IOleInPlaceObject (windowless: no window of its own)
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* td, HDC targetDev, HDC dc,
                      LPCRECTL bounds, LPCRECTL wbounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                      ULONG_PTR contArg) override;
    STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* td, HDC targetDev,
                             LOGPALETTE** colors) override;
    STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    STDMETHODIMP Unfreeze(DWORD freeze) override;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* td, LPSIZEL size) override;

    // IPersist (both persistence interfaces)
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IPersistPropertyBag
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    // IPersistStreamInit
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** cp) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // The control's fixed size in HIMETRIC: its design-time picture.
    static SIZEL DesignExtent();

protected:
    OleControl();
    virtual ~OleControl();
    OleControl(const OleControl&) = delete;
    OleControl& operator=(const OleControl&) = delete;

    // --- hooks, called by the OLE plumbing ------------------------------
    // Right after the class factory created the object.
    virtual void UserControl_Initialize() = 0;
    // IPersistPropertyBag::InitNew / IPersistStreamInit::InitNew.
    virtual void UserControl_InitProperties() = 0;
    // IPersistPropertyBag::Load, or IPersistStreamInit::Load through a bag
    // holding the stream's named values.
    virtual void UserControl_ReadProperties(IPropertyBag* bag) = 0;
    // IPersistPropertyBag::Save / IPersistStreamInit::Save (same way round).
    virtual void UserControl_WriteProperties(IPropertyBag* bag) = 0;
    // IOleObject::Close or SetClientSite(NULL), whichever comes first; at the
    // latest the final Release. Runs once.
    virtual void UserControl_Terminate() = 0;
    // IOleObject::SetClientSite with a site, unless the control terminated.
    // Containers that site the control after InitNew or Load, against
    // OLEMISC_SETCLIENTSITEFIRST, get the steps that needed the site here;
    // what they change leaves the control as clean or dirty as it was.
    virtual void SiteArrived() {}
    // Interfaces of the derived class (its dual interface, IDispatch, ...):
    // return the pointer (not AddRef'd) or nullptr.
    virtual void* QueryControlInterface(REFIID riid) = 0;

    // --- services for the control ---------------------------------------
    // Each call asks the client site again; missing ambients read as
    // user mode True, right-to-left False.
    bool AmbientUserMode();
    bool AmbientRightToLeft();
    // AddRef'd ambient font, or the system message font as an OLE font.
    IFontDisp* AmbientFont();
    // AddRef'd extender (IOleControlSite::GetExtendedControl), or nullptr.
    IDispatch* Extender();
    // The site's window (IOleWindow::GetWindow on the client site), or 0.
    HWND SiteWindow();
    IOleClientSite* ClientSite() const;  // not AddRef'd
    // IPropertyNotifySink::OnChanged to every advised sink; marks dirty.
    void PropertyChanged(DISPID dispid);
    // Invoke on every sink advised on the event interface. Robust to sinks
    // that fail or unadvise during the call.
    void FireEvent(DISPID dispid, DISPPARAMS* params);
    // Sets IErrorInfo (source may be null) and returns hr.
    HRESULT ReportError(HRESULT hr, const wchar_t* source, const wchar_t* description);
    bool Terminated() const;
    // Type information from the embedded type library (cached), or nullptr.
    ITypeInfo* TypeInfoOf(REFGUID guid);

    // For the class factory: runs UserControl_Initialize once, trapped.
    friend void InitializeControl(OleControl* control);

private:
    // Runs UserControl_Terminate unless it already ran.
    void RunTerminate();
    // Ambient property `dispid` from the site, or VT_EMPTY.
    bool Ambient(DISPID dispid, VARIANT& out);
    HRESULT BeginInit();
    void ReadFromBag(IPropertyBag* bag);
    HRESULT WriteToBag(IPropertyBag* bag);
    void DeactivateInPlace();

    LONG m_refs = 1;
    ComPtr<IOleClientSite> m_site;
    ComPtr<IOleAdviseHolder> m_oleAdvise;
    ComPtr<IAdviseSink> m_viewAdvise;
    DWORD m_viewAdviseAspects = 0;
    DWORD m_viewAdviseFlags = 0;
    ConnectionPoint m_events;
    ConnectionPoint m_notify;
    LONG m_freeze = 0;
    bool m_initialized = false;
    bool m_terminated = false;
    bool m_dirty = false;
    bool m_inPlaceActive = false;
};

// Runs UserControl_Initialize; the class factory calls it once per object.
void InitializeControl(OleControl* control);

}  // namespace quillon
