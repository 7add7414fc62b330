// Factories for TestContainer::Create (separate so that programs that never
// use the statically linked control do not need it).
#include "control/ole/ClassFactory.h"
#include "control/Guids.h"
#include "tests/support/TestContainer.h"

namespace quillon::test {

ControlFactory QuillonFactory() {
    return [](REFIID riid, void** ppv) { return CreateQuillonInstance(nullptr, riid, ppv); };
}

ControlFactory DllFactory(const char* path) {
    return [path](REFIID riid, void** ppv) -> HRESULT {
        HMODULE dll = LoadLibraryA(path);  // stays loaded for the process
        if (!dll) return HRESULT_FROM_WIN32(GetLastError());
        using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
        auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
        if (!get) return HRESULT_FROM_WIN32(GetLastError());
        ComPtr<IClassFactory> factory;
        HRESULT hr = get(CLSID_Quillon, IID_IClassFactory, factory.put_void());
        if (FAILED(hr)) return hr;
        return factory->CreateInstance(nullptr, riid, ppv);
    };
}

}  // namespace quillon::test
