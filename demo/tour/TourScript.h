#pragma once
// The tour as a list of small actions run one per timer tick. A timer
// callback keeps running inside menu and dialog loops, so the tour goes on
// while a menu is open or a dialog is modal. Every action has a time limit:
// when it runs out, the step is recorded as failed, what is open (menus,
// dialogs) is closed, and the tour goes on with the next step.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "demo/tour/TourReport.h"

namespace demo::tour {

class Script {
public:
    using Condition = std::function<bool()>;

    // Starts a step; a step that times out is left for the next one.
    void Step(const std::wstring& name);
    void Do(std::function<void()> action);
    // Waits until `done` is true.
    void Wait(const std::wstring& what, Condition done, DWORD timeoutMs = 4000);
    void Pause(DWORD ms);
    // Waits until `done` is true or `ms` have passed, which is no failure.
    void Until(Condition done, DWORD ms);

    // Runs the next action; false once the script has finished.
    bool Tick();
    const std::wstring& CurrentStep() const;
    // Called when an action runs out of time (before the step is skipped).
    std::function<void(const std::wstring& failure)> onTimeout;

private:
    struct Action {
        std::function<bool()> run;
        DWORD timeoutMs;
        DWORD minimumMs;
        std::wstring what;
        size_t step;
        bool soft;  // running out of time is no failure
        bool acts;  // does something the system must process
    };
    std::vector<Action> m_actions;
    std::vector<std::wstring> m_steps;
    size_t m_next = 0;
    bool m_started = false;
    DWORD m_startedAt = 0;
};

}  // namespace demo::tour
