#pragma once
// Timers owned by one control. They tick on the user-interface thread
// through a hidden message-only window of the control's own, so they need
// nothing from the container. A timer does not run until it is given an
// interval and enabled.
#include <windows.h>
#include <unknwn.h>
#include <functional>

namespace quillon {

class ControlTimers;

class ControlTimer {
public:
    ControlTimer(ControlTimers& owner, UINT_PTR id, std::function<void()> onTick);
    ControlTimer(const ControlTimer&) = delete;
    ControlTimer& operator=(const ControlTimer&) = delete;

    void SetInterval(UINT ms) { m_interval = ms; }
    UINT Interval() const { return m_interval; }
    void Start();  // (re)arms the timer with its interval
    void Stop() noexcept;
    bool Enabled() const { return m_enabled; }

private:
    friend class ControlTimers;
    ControlTimers& m_owner;
    UINT_PTR m_id;
    UINT m_interval = 0;
    bool m_enabled = false;
    std::function<void()> m_onTick;
};

class ControlTimers {
public:
    // `owner` (not AddRef'd here) is held for the whole of each tick, so a
    // host that releases the control from an event raised by a tick does
    // not pull the object away from under the code still running.
    explicit ControlTimers(IUnknown* owner = nullptr) : m_owner(owner) {}
    ~ControlTimers() { Destroy(); }
    ControlTimers(const ControlTimers&) = delete;
    ControlTimers& operator=(const ControlTimers&) = delete;

    HWND Window() const { return m_hwnd; }
    // Stops every timer and destroys the window.
    void Destroy() noexcept;

private:
    friend class ControlTimer;
    HWND EnsureWindow();
    void Add(ControlTimer* timer);
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    IUnknown* m_owner;
    HWND m_hwnd = nullptr;
    ControlTimer* m_timers[4] = {};
};

}  // namespace quillon
