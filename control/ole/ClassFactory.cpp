#include "control/ole/ClassFactory.h"
#include "control/ole/Module.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

class Factory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        HRESULT hr = E_UNEXPECTED;
        Trap([&] { hr = CreateQuillonInstance(outer, riid, ppv); });
        return hr;
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) module::Lock();
        else module::Unlock();
        return S_OK;
    }
};

Factory g_factory;

}  // namespace

IClassFactory* QuillonClassFactory() { return &g_factory; }

}  // namespace quillon
