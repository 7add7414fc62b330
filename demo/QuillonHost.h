#pragma once
// Quillon1: the control created from its ProgID (registered for the current
// user from the DLL beside DemoHost.exe when it is not registered yet), sited
// on the frame, loaded from the saved form and wired to the event sink.
#include <windows.h>
#include <string>
#include "control/QuillonInterfaces.h"
#include "demo/ComPtr.h"
#include "demo/QuillonEvents.h"

namespace demo {

class ControlSite;
class EventSink;

class QuillonHost {
public:
    QuillonHost() = default;
    QuillonHost(const QuillonHost&) = delete;
    QuillonHost& operator=(const QuillonHost&) = delete;
    ~QuillonHost() { Close(); }

    // `folder` holds DemoHost.exe, the control's DLLs and the form file.
    bool Create(HWND form, const std::wstring& folder, QuillonEvents* events);
    // Closes the control (it unhooks everything) and lets go of it.
    void Close();

    // The control's dual interface; null when it could not be created.
    quillon::_Quillon* Control() const { return m_control.get(); }

private:
    HRESULT Instantiate(const std::wstring& folder);

    ComPtr<IUnknown> m_object;
    ComPtr<IOleObject> m_ole;
    ComPtr<quillon::_Quillon> m_control;
    ComPtr<IConnectionPoint> m_events;
    DWORD m_cookie = 0;
    ControlSite* m_site = nullptr;
    EventSink* m_sink = nullptr;
    HMODULE m_library = nullptr;  // only when created without the registry
};

}  // namespace demo
