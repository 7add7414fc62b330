#include "control/ole/ConnectionPoint.h"
#include <new>
#include "control/ole/Module.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

void AddRefItem(CONNECTDATA& c) { if (c.pUnk) c.pUnk->AddRef(); }
void ReleaseItem(CONNECTDATA& c) { if (c.pUnk) c.pUnk->Release(); }
void AddRefItem(IConnectionPoint* p) { if (p) p->AddRef(); }
void ReleaseItem(IConnectionPoint* p) { if (p) p->Release(); }

// A snapshot enumerator: owns AddRef'd copies of the items it hands out.
// It is an object of the module: its code must stay loaded while a client
// holds it (DllCanUnloadNow).
template <class IEnum, class Item, const IID* Iid>
class SnapshotEnum final : public IEnum {
public:
    explicit SnapshotEnum(std::vector<Item> items) : m_items(std::move(items)) {
        for (auto& i : m_items) AddRefItem(i);
        module::ObjectCreated();
    }
    ~SnapshotEnum() {
        for (auto& i : m_items) ReleaseItem(i);
        module::ObjectDestroyed();
    }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, *Iid)) {
            *ppv = static_cast<IEnum*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&m_refs);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }
    STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        while (n < count && m_pos < m_items.size()) {
            out[n] = m_items[m_pos++];
            AddRefItem(out[n]);
            ++n;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const size_t left = m_items.size() - m_pos;
        m_pos += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        m_pos = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnum** out) override {
        if (!out) return E_POINTER;
        auto* e = new (std::nothrow) SnapshotEnum(m_items);
        if (!e) return E_OUTOFMEMORY;
        e->m_pos = m_pos;
        *out = e;
        return S_OK;
    }

private:
    LONG m_refs = 1;
    std::vector<Item> m_items;
    size_t m_pos = 0;
};

using ConnectionsEnum = SnapshotEnum<IEnumConnections, CONNECTDATA, &IID_IEnumConnections>;
using PointsEnum = SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*, &IID_IEnumConnectionPoints>;

}  // namespace

ConnectionPoint::~ConnectionPoint() = default;

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ConnectionPoint::AddRef() { return m_owner->AddRef(); }
STDMETHODIMP_(ULONG) ConnectionPoint::Release() { return m_owner->Release(); }

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** cpc) {
    if (!cpc) return E_POINTER;
    *cpc = m_owner;
    m_owner->AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie) *cookie = 0;
    if (!sink || !cookie) return E_POINTER;
    HRESULT hr = E_UNEXPECTED;
    Trap([&] {
        ComPtr<IUnknown> typed;
        hr = sink->QueryInterface(m_iid, typed.put_void());
        // Event sinks are often plain IDispatch implementations.
        if (FAILED(hr) && !IsEqualIID(m_iid, IID_IPropertyNotifySink))
            hr = sink->QueryInterface(IID_IDispatch, typed.put_void());
        if (FAILED(hr)) {
            hr = CONNECT_E_CANNOTCONNECT;
            return;
        }
        m_sinks.push_back({m_nextCookie, typed});
        *cookie = m_nextCookie++;
        hr = S_OK;
    });
    return hr;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
        if (it->cookie != cookie) continue;
        ComPtr<IUnknown> keep = it->sink;  // released after the list is consistent
        m_sinks.erase(it);
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** e) {
    if (!e) return E_POINTER;
    *e = nullptr;
    HRESULT hr = E_OUTOFMEMORY;
    Trap([&] {
        std::vector<CONNECTDATA> items;
        for (const auto& s : m_sinks) items.push_back({s.sink.get(), s.cookie});
        *e = new ConnectionsEnum(std::move(items));
        hr = S_OK;
    });
    return hr;
}

void ConnectionPoint::UnadviseAll() {
    std::vector<Sink> gone;
    gone.swap(m_sinks);
}

HRESULT CreateConnectionPointEnum(const std::vector<IConnectionPoint*>& points, IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    HRESULT hr = E_OUTOFMEMORY;
    Trap([&] {
        *out = new PointsEnum(points);
        hr = S_OK;
    });
    return hr;
}

}  // namespace quillon
