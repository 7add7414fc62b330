// Entry points of QuillonLib.dll (exported undecorated through QuillonLib.def).
#include <windows.h>
#include <ole2.h>
#include "control/Guids.h"
#include "control/ole/ClassFactory.h"
#include "control/ole/Module.h"
#include "control/ole/Registration.h"
#include "control/ole/TypeLibrary.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        quillon::module::SetInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(clsid, quillon::CLSID_Quillon)) return CLASS_E_CLASSNOTAVAILABLE;
    return quillon::QuillonClassFactory()->QueryInterface(riid, ppv);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    if (!quillon::module::CanUnload()) return S_FALSE;
    quillon::typelib::Release();
    return S_OK;
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
    return quillon::RegisterServer(quillon::RegistrationScope::Machine);
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return quillon::UnregisterServer(quillon::RegistrationScope::Machine);
}

// regsvr32 /n /i:user QuillonLib.dll registers for the current user only
// (and /u /n /i:user removes that registration); any other command line
// means machine-wide.
HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR cmdLine) {
    const bool user = cmdLine && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, cmdLine, -1, L"user", -1) == CSTR_EQUAL;
    const auto scope = user ? quillon::RegistrationScope::User : quillon::RegistrationScope::Machine;
    return install ? quillon::RegisterServer(scope) : quillon::UnregisterServer(scope);
}

}  // extern "C"
