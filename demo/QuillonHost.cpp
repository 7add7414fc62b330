#include "demo/QuillonHost.h"
#include "demo/ControlSite.h"
#include "demo/EventSink.h"
#include "demo/FormFile.h"
#include "demo/PropertyBag.h"

namespace demo {
namespace {

constexpr wchar_t kProgId[] = L"QuillonLib.Quillon";
constexpr wchar_t kLibrary[] = L"QuillonLib.dll";

using DllInstallFn = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
using DllGetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

template <class Fn>
Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Per-user registration needs no administrator rights.
bool RegisterForUser(const std::wstring& folder) {
    HMODULE dll = LoadLibraryW((folder + L"\\" + kLibrary).c_str());
    if (!dll) return false;
    bool ok = false;
    if (auto install = Export<DllInstallFn>(dll, "DllInstall")) ok = SUCCEEDED(install(TRUE, L"user"));
    FreeLibrary(dll);
    return ok;
}

}  // namespace

HRESULT QuillonHost::Instantiate(const std::wstring& folder) {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(kProgId, &clsid);
    if (FAILED(hr) && RegisterForUser(folder)) hr = CLSIDFromProgID(kProgId, &clsid);
    if (SUCCEEDED(hr)) {
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                              reinterpret_cast<void**>(m_object.Out()));
        // A registration left by another copy may point at a missing file.
        if (FAILED(hr) && RegisterForUser(folder) && SUCCEEDED(CLSIDFromProgID(kProgId, &clsid)))
            hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(m_object.Out()));
        if (SUCCEEDED(hr)) return hr;
    }
    // No usable registry: the class object straight from the DLL.
    m_library = LoadLibraryW((folder + L"\\" + kLibrary).c_str());
    auto getClassObject = m_library ? Export<DllGetClassObjectFn>(m_library, "DllGetClassObject") : nullptr;
    if (!getClassObject) return hr;
    ComPtr<IClassFactory> factory;
    hr = getClassObject(quillon::CLSID_Quillon, IID_IClassFactory, reinterpret_cast<void**>(factory.Out()));
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(m_object.Out()));
}

bool QuillonHost::Create(HWND form, const std::wstring& folder, QuillonEvents* events) {
    if (FAILED(Instantiate(folder)) || !m_object) return false;
    m_ole = m_object.As<IOleObject>(IID_IOleObject);
    m_control = m_object.As<quillon::_Quillon>(quillon::IID__Quillon);
    m_site = ControlSite::Create(form, L"MDIForm1", L"Quillon1");
    if (!m_ole || !m_site) return false;

    // The control asks for its site first (OLEMISC_SETCLIENTSITEFIRST).
    m_ole->SetClientSite(m_site);

    // Events before the properties: loading attaches the control to the form.
    m_sink = EventSink::Create(events);
    if (auto points = m_object.As<IConnectionPointContainer>(IID_IConnectionPointContainer)) {
        if (SUCCEEDED(points->FindConnectionPoint(quillon::DIID___Quillon, m_events.Out())) && m_sink &&
            FAILED(m_events->Advise(m_sink, &m_cookie)))
            m_events.Reset();
    }

    auto persist = m_object.As<IPersistPropertyBag>(IID_IPersistPropertyBag);
    PropertyBag* bag = PropertyBag::Create();
    const bool saved = bag && LoadFormFile(folder + L"\\" + kFormFile, *bag);
    if (persist) {
        if (saved) {
            persist->Load(bag, nullptr);
        } else {
            persist->InitNew();
        }
    }
    if (bag) bag->Release();

    RECT rc{};
    GetClientRect(form, &rc);
    m_ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site, 0, form, &rc);
    return static_cast<bool>(m_control);
}

void QuillonHost::Close() {
    if (m_events) {
        m_events->Unadvise(m_cookie);
        m_events.Reset();
    }
    if (m_sink) {
        m_sink->Detach();
        m_sink->Release();
        m_sink = nullptr;
    }
    if (m_ole) {
        m_ole->Close(OLECLOSE_NOSAVE);
        m_ole->SetClientSite(nullptr);
        m_ole.Reset();
    }
    m_control.Reset();
    m_object.Reset();
    if (m_site) {
        m_site->Detach();
        m_site->Release();
        m_site = nullptr;
    }
    // m_library stays loaded: the process ends soon and the DLL may still
    // have objects out (fonts, pictures handed to the frame).
}

}  // namespace demo
