#pragma once
// A minimal owning COM pointer for DemoHost's own code.
#include <windows.h>
#include <unknwn.h>
#include <utility>

namespace demo {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : m_p(p) {  // NOLINT: adopts a borrowed pointer with AddRef
        if (m_p) m_p->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.m_p) {}
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }

    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p) {
        ComPtr c;
        c.m_p = p;
        return c;
    }
    void Reset() {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }
    // For out-parameters: releases what is held first.
    T** Out() {
        Reset();
        return &m_p;
    }
    template <class U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> out;
        if (m_p) m_p->QueryInterface(iid, reinterpret_cast<void**>(out.Out()));
        return out;
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

}  // namespace demo
