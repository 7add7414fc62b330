#pragma once
// Owning COM interface pointer: releases on destruction and reassignment.
#include <unknwn.h>
#include <utility>

namespace quillon {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }  // NOLINT: shares
    ComPtr(const ComPtr& o) : ComPtr(o.m_p) {}
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr o) noexcept { std::swap(m_p, o.m_p); return *this; }

    // Takes over a reference the caller already owns.
    static ComPtr Adopt(T* p) { ComPtr c; c.m_p = p; return c; }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out-parameters: releases what is held, then hands out the slot.
    T** put() { Reset(); return &m_p; }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    T* Detach() { return std::exchange(m_p, nullptr); }
    void Reset() { if (T* p = std::exchange(m_p, nullptr)) p->Release(); }

    template <class U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> out;
        if (m_p) m_p->QueryInterface(iid, out.put_void());
        return out;
    }

private:
    T* m_p = nullptr;
};

}  // namespace quillon
