#include "tests/com/ProbeControl.h"

namespace quillon::test {

ProbeControl* ProbeControl::New(std::shared_ptr<ProbeLog> log) {
    auto* p = new ProbeControl(std::move(log));
    InitializeControl(p);
    return p;
}

ControlFactory ProbeControl::Factory(std::shared_ptr<ProbeLog> log) {
    return [log](REFIID riid, void** ppv) {
        ProbeControl* p = New(log);
        HRESULT hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    };
}

void* ProbeControl::QueryControlInterface(REFIID riid) {
    if (IsEqualIID(riid, IID__Quillon) || IsEqualIID(riid, IID_IDispatch)) return static_cast<_Quillon*>(this);
    return nullptr;
}

STDMETHODIMP ProbeControl::RegisterWindowMenu(LONG hWindow, VARIANT* bStop) {
    m_log->registerCalls.emplace_back(hWindow, bStop ? Variant(*bStop) : Variant());
    if (hWindow == 0) return ReportError(QUILLON_E_OBJECT, L"Quillon", L"No window to register");
    if (bStop && (V_VT(bStop) & VT_BYREF) == 0 && m_log->bStopAnswer.vt() != VT_EMPTY)
        VariantCopy(bStop, &m_log->bStopAnswer.v);
    return S_OK;
}

void ProbeControl::UserControl_ReadProperties(IPropertyBag* bag) {
    ++m_log->readProperties;
    for (const auto& name : m_log->readNames) {
        VARIANT v;
        VariantInit(&v);
        if (SUCCEEDED(bag->Read(name.c_str(), &v, nullptr))) m_log->read.emplace_back(name, Variant(v));
        VariantClear(&v);
    }
}

void ProbeControl::UserControl_WriteProperties(IPropertyBag* bag) {
    ++m_log->writeProperties;
    for (auto& [name, value] : m_log->toWrite) bag->Write(name.c_str(), &value.v);
}

}  // namespace quillon::test
