#include "control/ControlTimers.h"
#include "control/ole/Module.h"
#include "hook/Guard.h"

namespace quillon {
namespace {
const char kTimerClass[] = "QuillonTimerWindow";
}

ControlTimer::ControlTimer(ControlTimers& owner, UINT_PTR id, std::function<void()> onTick)
    : m_owner(owner), m_id(id), m_onTick(std::move(onTick)) {
    m_owner.Add(this);
}

void ControlTimer::Start() {
    HWND hwnd = m_owner.EnsureWindow();
    if (!hwnd || m_interval == 0) return;
    if (SetTimer(hwnd, m_id, m_interval, nullptr)) m_enabled = true;
}

void ControlTimer::Stop() noexcept {
    if (m_enabled && m_owner.m_hwnd) KillTimer(m_owner.m_hwnd, m_id);
    m_enabled = false;
}

void ControlTimers::Add(ControlTimer* timer) {
    for (auto*& slot : m_timers) {
        if (!slot) {
            slot = timer;
            return;
        }
    }
}

HWND ControlTimers::EnsureWindow() {
    if (m_hwnd) return m_hwnd;
    HINSTANCE instance = module::Instance();
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, kTimerClass, &wc)) {
        wc.lpfnWndProc = WndProc;
        wc.hInstance = instance;
        wc.lpszClassName = kTimerClass;
        RegisterClassA(&wc);
    }
    m_hwnd = CreateWindowExA(0, kTimerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    return m_hwnd;
}

void ControlTimers::Destroy() noexcept {
    for (auto* t : m_timers)
        if (t) t->Stop();
    if (m_hwnd) {
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
    }
}

LRESULT CALLBACK ControlTimers::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    } else if (msg == WM_TIMER) {
        auto* self = reinterpret_cast<ControlTimers*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self) {
            KillTimer(hwnd, wParam);
            return 0;
        }
        for (auto* t : self->m_timers) {
            if (t && t->m_id == wParam) {
                if (!t->m_enabled || !t->m_onTick) return 0;
                // The last reference may go during the tick: nothing of
                // `self` is touched after the owner's release.
                IUnknown* owner = self->m_owner;
                if (owner) owner->AddRef();
                Trap([&] { t->m_onTick(); });
                if (owner) owner->Release();
                return 0;
            }
        }
        KillTimer(hwnd, wParam);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace quillon
