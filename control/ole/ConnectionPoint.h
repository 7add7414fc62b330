#pragma once
// One outgoing interface of the control: advised sinks by cookie. The
// connection point lives inside its control and shares its reference count.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <vector>
#include "control/ole/ComPtr.h"

namespace quillon {

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer* owner, REFIID iid) : m_owner(owner), m_iid(iid) {}
    ~ConnectionPoint();
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** cpc) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** e) override;

    REFIID iid() const { return m_iid; }
    // AddRef'd copies of the sinks advised now, as the interface advised.
    template <class T>
    std::vector<ComPtr<T>> Snapshot() const {
        std::vector<ComPtr<T>> out;
        for (const auto& s : m_sinks) out.push_back(ComPtr<T>(static_cast<T*>(s.sink.get())));
        return out;
    }
    void UnadviseAll();

private:
    struct Sink {
        DWORD cookie;
        ComPtr<IUnknown> sink;
    };
    IConnectionPointContainer* m_owner;
    IID m_iid;
    DWORD m_nextCookie = 1;
    std::vector<Sink> m_sinks;
};

// IEnumConnectionPoints over a fixed list (AddRef'd copies).
HRESULT CreateConnectionPointEnum(const std::vector<IConnectionPoint*>& points, IEnumConnectionPoints** out);

}  // namespace quillon
