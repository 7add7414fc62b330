#include "demo/tour/TourScript.h"

namespace demo::tour {

void Script::Step(const std::wstring& name) { m_steps.push_back(name); }

void Script::Do(std::function<void()> action) {
    m_actions.push_back({[action] {
                             action();
                             return true;
                         },
                         1000, 0, L"", m_steps.empty() ? 0 : m_steps.size() - 1, false, true});
}

void Script::Wait(const std::wstring& what, Condition done, DWORD timeoutMs) {
    m_actions.push_back({std::move(done), timeoutMs, 0, what, m_steps.empty() ? 0 : m_steps.size() - 1, false, false});
}

void Script::Pause(DWORD ms) {
    m_actions.push_back({[] { return true; }, ms + 1000, ms, L"", m_steps.empty() ? 0 : m_steps.size() - 1, false, false});
}

void Script::Until(Condition done, DWORD ms) {
    m_actions.push_back({std::move(done), ms, 0, L"", m_steps.empty() ? 0 : m_steps.size() - 1, true, false});
}

const std::wstring& Script::CurrentStep() const {
    static const std::wstring none;
    if (m_next >= m_actions.size() || m_steps.empty()) return none;
    return m_steps[m_actions[m_next].step];
}

bool Script::Tick() {
    // Waits and pauses that are over let the next action run in the same
    // tick; after an action that did something, the system gets a tick to
    // process it.
    for (int ran = 0; ran < 16 && m_next < m_actions.size(); ++ran) {
        Action& a = m_actions[m_next];
        const DWORD now = GetTickCount();
        if (!m_started) {
            m_started = true;
            m_startedAt = now;
        }
        const DWORD elapsed = now - m_startedAt;
        if (elapsed >= a.minimumMs && a.run()) {
            ++m_next;
            m_started = false;
            if (a.acts) break;
        } else if (elapsed > a.timeoutMs && a.soft) {
            ++m_next;
            m_started = false;
        } else if (elapsed > a.timeoutMs) {
            const size_t step = a.step;
            if (onTimeout)
                onTimeout(CurrentStep() + L": timed out" + (a.what.empty() ? L"" : L" waiting until " + a.what));
            while (m_next < m_actions.size() && m_actions[m_next].step == step) ++m_next;
            m_started = false;
            break;
        } else {
            break;
        }
    }
    return m_next < m_actions.size();
}

}  // namespace demo::tour
