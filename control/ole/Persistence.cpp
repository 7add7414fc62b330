// IPersistPropertyBag and IPersistStreamInit. Both end in the control's
// property-bag hooks; a stream is read into (and written from) an
// in-memory bag in the format of StreamFormat.cpp.
#include "control/Guids.h"
#include "control/ole/MemoryPropertyBag.h"
#include "control/ole/OleControl.h"
#include "control/ole/StreamFormat.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

// Runs a write of the control's values: a failure the property bag reported
// (thrown as Win32Failure) is the result; anything else thrown is E_UNEXPECTED.
template <class F>
HRESULT GuardedWrite(F&& write) {
    HRESULT hr = S_OK;
    const bool ran = Trap([&] {
        try {
            write();
        } catch (const Win32Failure& failure) {
            hr = failure.hr();
        }
    });
    return ran ? hr : E_UNEXPECTED;
}

}  // namespace

STDMETHODIMP OleControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Quillon;
    return S_OK;
}

HRESULT OleControl::BeginInit() {
    if (m_initialized) return CO_E_ALREADYINITIALIZED;
    m_initialized = true;
    return S_OK;
}

void OleControl::ReadFromBag(IPropertyBag* bag) {
    Trap([&] { UserControl_ReadProperties(bag); });
}

// Saving hands the bag's failures back to the container.
HRESULT OleControl::WriteToBag(IPropertyBag* bag) {
    return GuardedWrite([&] { UserControl_WriteProperties(bag); });
}

STDMETHODIMP OleControl::InitNew() {
    HRESULT hr = BeginInit();
    if (FAILED(hr)) return hr;
    Trap([&] { UserControl_InitProperties(); });
    m_dirty = false;
    return S_OK;
}

STDMETHODIMP OleControl::Load(IPropertyBag* bag, IErrorLog*) {
    if (!bag) return E_POINTER;
    HRESULT hr = BeginInit();
    if (FAILED(hr)) return hr;
    ReadFromBag(bag);
    m_dirty = false;
    return S_OK;
}

STDMETHODIMP OleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    HRESULT hr = WriteToBag(bag);
    if (FAILED(hr)) return hr;
    if (clearDirty) m_dirty = false;
    return S_OK;
}

STDMETHODIMP OleControl::IsDirty() { return m_dirty ? S_OK : S_FALSE; }

STDMETHODIMP OleControl::Load(LPSTREAM stream) {
    if (!stream) return E_POINTER;
    if (m_initialized) return CO_E_ALREADYINITIALIZED;
    ComPtr<MemoryPropertyBag> bag = ComPtr<MemoryPropertyBag>::Adopt(MemoryPropertyBag::Create());
    if (!bag) return E_OUTOFMEMORY;
    HRESULT hr = E_UNEXPECTED;
    Trap([&] { hr = stream_format::Read(stream, *bag.get()); });
    // A damaged, foreign or empty stream leaves no trace: nothing is read or
    // hooked and the control stays uninitialised, so that the container can
    // fall back to InitNew (or release it) cleanly.
    if (FAILED(hr)) return hr;
    BeginInit();
    ReadFromBag(bag.get());
    m_dirty = false;
    return S_OK;
}

STDMETHODIMP OleControl::Save(LPSTREAM stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    ComPtr<MemoryPropertyBag> bag = ComPtr<MemoryPropertyBag>::Adopt(MemoryPropertyBag::Create());
    if (!bag) return E_OUTOFMEMORY;
    HRESULT hr = WriteToBag(bag.get());
    if (FAILED(hr)) return hr;
    hr = E_UNEXPECTED;
    Trap([&] { hr = stream_format::Write(stream, *bag.get()); });
    if (SUCCEEDED(hr) && clearDirty) m_dirty = false;
    return hr;
}

STDMETHODIMP OleControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    ComPtr<MemoryPropertyBag> bag = ComPtr<MemoryPropertyBag>::Adopt(MemoryPropertyBag::Create());
    if (!bag) return E_OUTOFMEMORY;
    size->QuadPart = 0;
    HRESULT hr = WriteToBag(bag.get());
    if (FAILED(hr)) return hr;
    hr = E_UNEXPECTED;
    ULONGLONG bytes = 0;
    Trap([&] { hr = stream_format::Size(*bag.get(), bytes); });
    size->QuadPart = bytes;
    return hr;
}

}  // namespace quillon
