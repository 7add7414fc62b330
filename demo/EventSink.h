#pragma once
// The IDispatch sink advised on the control's event connection point
// (DIID___Quillon); it unpacks the arguments and calls QuillonEvents.
#include <windows.h>
#include <oaidl.h>
#include "demo/QuillonEvents.h"

namespace demo {

class EventSink final : public IDispatch {
public:
    static EventSink* Create(QuillonEvents* events);  // one reference for the caller
    // After this the sink forwards nothing (the control may still hold it).
    void Detach() { m_events = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    explicit EventSink(QuillonEvents* events) : m_events(events) {}
    LONG m_refs = 1;
    QuillonEvents* m_events;
};

}  // namespace demo
