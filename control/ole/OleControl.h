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

namespace quillon {

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

    // (The OLE interface methods are declared by the implementation.)

protected:
    OleControl();
    virtual ~OleControl();

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
};

}  // namespace quillon
