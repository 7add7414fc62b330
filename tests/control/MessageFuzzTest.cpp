// Throws a long random stream of messages at hooked forms, MDI frames,
// MDI clients, registered windows and tooltips, while windows come and go
// and controls are created and released in random order. Nothing may crash,
// nothing may escape, and in the end no window may stay hooked.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>
#include "control/MenuMessages.h"
#include "hook/Guard.h"
#include "hook/SubclassWnd.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

// A modal loop entered by a default procedure must not stall the run.
VOID CALLBACK EndStrayMenus(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

class Fuzzer {
public:
    explicit Fuzzer(unsigned seed) : m_rng(seed) {}

    void Run(int messages) {
        UINT_PTR guard = SetTimer(nullptr, 0, 50, EndStrayMenus);
        for (int i = 0; i < 4; ++i) NewForm();
        NewMdi();
        for (m_sent = 0; m_sent < messages;) {
            int action = Pick(1000);
            if (m_trace && action < 30) {
                std::printf("action %d\n", action);
                std::fflush(stdout);
            }
            if (action < 6) NewForm();
            else if (action < 8) NewMdi();
            else if (action < 11) ReleaseSomeControl();
            else if (action < 16) DestroySomeWindow();
            else if (action < 24) RegisterSomeWindow();
            else if (action < 28) AddMdiChild();
            else if (action < 30) PumpMessages(0);
            else SendOne();
            if (m_sent % 5000 == 0 && m_sent != m_lastReport) {
                m_lastReport = m_sent;
                std::printf("  %d messages, %zu controls, %zu hooked windows, %lu ms\n", m_sent, m_controls.size(),
                            SubclassWnd::HookedWindowCount(), GetTickCount() - m_start);
                std::fflush(stdout);
            }
        }
        while (!m_controls.empty()) ReleaseSomeControl();
        m_forms.clear();
        m_mdi.clear();
        PumpMessages(0);
        KillTimer(nullptr, guard);
    }

    int sent() const { return m_sent; }

private:
    int Pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }
    template <class T>
    T& PickFrom(std::vector<T>& v) { return v[static_cast<size_t>(Pick(static_cast<int>(v.size())))]; }

    void Attach(HWND form, bool mdiChild) {
        if (m_controls.size() > 12) return;
        ContainerOptions options;
        options.mdiChild = mdiChild;
        options.plain = Pick(4) == 0;
        m_controls.push_back(std::make_unique<HostedControl>(form, options));
    }

    void NewForm() {
        std::erase_if(m_forms, [](const auto& f) { return !IsWindow(f->hwnd()); });
        if (m_forms.size() > 16) return;
        m_forms.push_back(std::make_unique<RecordingWindow>());
        SetMenu(m_forms.back()->hwnd(), MakeSampleMenuBar());
        if (Pick(2)) Attach(m_forms.back()->hwnd(), false);
    }

    void NewMdi() {
        std::erase_if(m_mdi, [](const auto& m) { return !IsWindow(m->frame()); });
        if (m_mdi.size() > 3) return;
        m_mdi.push_back(std::make_unique<MdiFrame>());
        SetMenu(m_mdi.back()->frame(), MakeSampleMenuBar());
        Attach(m_mdi.back()->frame(), false);
    }

    void AddMdiChild() {
        if (m_mdi.empty()) return;
        MdiFrame& mdi = *PickFrom(m_mdi);
        if (!IsWindow(mdi.frame())) return;
        int children = 0;
        for (HWND c = GetWindow(mdi.client(), GW_CHILD); c && children < 8; c = GetWindow(c, GW_HWNDNEXT)) ++children;
        if (children >= 6) return;
        HWND child = mdi.AddChild();
        if (child && Pick(2)) Attach(child, true);
    }

    void ReleaseSomeControl() {
        if (m_controls.empty()) return;
        size_t i = static_cast<size_t>(Pick(static_cast<int>(m_controls.size())));
        if (m_trace) {
            Quillon* q = m_controls[i]->control;
            std::printf("release owner %p alive %d registered %zu\n", static_cast<void*>(q ? q->OwnerWindow() : nullptr),
                        q && IsWindow(q->OwnerWindow()), q ? q->RegisteredWindows().size() : 0);
            std::fflush(stdout);
            m_controls[i]->Close();
            std::printf("closed\n");
            std::fflush(stdout);
        }
        m_controls.erase(m_controls.begin() + static_cast<std::ptrdiff_t>(i));
    }

    void DestroySomeWindow() {
        std::vector<HWND> windows = Targets(false);
        if (windows.empty()) return;
        HWND w = PickFrom(windows);
        char cls[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (lstrcmpiA(cls, "MDIClient") == 0) return;  // the frame goes with it
        if (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_MDICHILD)
            SendMessageA(GetParent(w), WM_MDIDESTROY, reinterpret_cast<WPARAM>(w), 0);
        else
            DestroyWindow(w);
    }

    void RegisterSomeWindow() {
        if (m_controls.empty()) return;
        std::vector<HWND> windows = Targets(false);
        if (windows.empty()) return;
        Quillon* q = PickFrom(m_controls)->control;
        if (!q) return;
        Trap([&] { q->RegisterWindowMenu(PickFrom(windows), Pick(3) == 0); });
    }

    // Live windows of the run: forms, frames, clients, children (and tooltips).
    std::vector<HWND> Targets(bool withTooltips) {
        std::vector<HWND> out;
        for (auto& f : m_forms)
            if (IsWindow(f->hwnd())) out.push_back(f->hwnd());
        for (auto& m : m_mdi) {
            if (!IsWindow(m->frame())) continue;
            out.push_back(m->frame());
            out.push_back(m->client());
            int guard = 0;  // the sibling chain may change under random MDI messages
            for (HWND c = GetWindow(m->client(), GW_CHILD); c && guard < 64; c = GetWindow(c, GW_HWNDNEXT), ++guard)
                out.push_back(c);
        }
        if (withTooltips)
            for (auto& c : m_controls)
                if (c->control && c->control->Tooltip()) out.push_back(c->control->Tooltip()->hwnd());
        return out;
    }

    void Randomize(void* p, size_t n) {
        auto* b = static_cast<unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(m_rng());
    }

    WPARAM RandomWord() {
        switch (Pick(4)) {
        case 0: return 0;
        case 1: return static_cast<WPARAM>(Pick(4));
        case 2: {
            std::vector<HWND> w = Targets(false);
            return w.empty() ? 0 : reinterpret_cast<WPARAM>(PickFrom(w));
        }
        default: return static_cast<WPARAM>(m_rng());
        }
    }

    void SendOne() {
        std::vector<HWND> windows = Targets(true);
        if (windows.empty()) {
            NewForm();
            return;
        }
        HWND target = PickFrom(windows);
        char cls[32] = {};
        GetClassNameA(target, cls, sizeof cls);
        bool tooltip = lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0;
        bool mdiClient = lstrcmpiA(cls, "MDIClient") == 0;
        ++m_sent;

        if (tooltip) {
            POINT pt{Pick(2000) - 1000, Pick(2000) - 1000};
            SendMessageA(target, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt));
            return;
        }

        // Buffers for the messages that carry a structure, random inside.
        union {
            DRAWITEMSTRUCT draw;
            MEASUREITEMSTRUCT measure;
            NMHDR notify;
            MINMAXINFO minmax;
            unsigned char raw[256];
        } data;
        Randomize(&data, sizeof data);
        char text[32];
        for (char& c : text) c = static_cast<char>('A' + Pick(26));
        text[sizeof text - 1] = 0;

        UINT msg;
        WPARAM wParam = RandomWord();
        LPARAM lParam = static_cast<LPARAM>(RandomWord());
        if (Pick(3) > 0) {
            msg = kMenuMessageSet[Pick(static_cast<int>(std::size(kMenuMessageSet)))];
        } else {
            // Others that default procedures take with any parameters.
            static const UINT kOthers[] = {WM_NULL, WM_USER + 1, WM_USER + 77, WM_APP + 3, 0xC123, WM_MOUSEMOVE,
                                           WM_NCHITTEST, WM_TIMER};
            msg = kOthers[Pick(static_cast<int>(std::size(kOthers)))];
            if (msg == WM_TIMER) lParam = 0;  // no callback address
        }
        switch (msg) {
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_NOTIFY:
        case WM_GETMINMAXINFO:
            lParam = reinterpret_cast<LPARAM>(&data);
            break;
        case WM_SETTINGCHANGE:
            lParam = Pick(2) ? reinterpret_cast<LPARAM>(text) : 0;
            break;
        case WM_CONTEXTMENU:
            lParam = MAKELPARAM(-20000, -20000);  // never on a caption: no system menu loop
            break;
        case WM_DESTROY:
            if (mdiClient) return;  // would free the client's own data while it lives
            break;
        case WM_MDIDESTROY:
        case WM_MDIACTIVATE:
        case WM_MDISETMENU:
            if (mdiClient && msg == WM_MDISETMENU) wParam = lParam = 0;
            break;
        default:
            break;
        }
        if (m_trace) {
            std::printf("%d %s %x %lx %lx\n", m_sent, cls, msg, static_cast<unsigned long>(wParam),
                        static_cast<unsigned long>(lParam));
            std::fflush(stdout);
        }
        SendMessageA(target, msg, wParam, lParam);
    }

    std::mt19937 m_rng;
    int m_sent = 0;
    int m_lastReport = -1;
    DWORD m_start = GetTickCount();
    bool m_trace = std::getenv("QUILLON_FUZZ_TRACE") != nullptr;
    std::vector<std::unique_ptr<RecordingWindow>> m_forms;
    std::vector<std::unique_ptr<MdiFrame>> m_mdi;
    std::vector<std::unique_ptr<HostedControl>> m_controls;
};

TEST(MessageFuzz, AHundredThousandMessagesLeaveNoWindowHooked) {
    unsigned seed = 20261208;
    if (const char* s = std::getenv("QUILLON_FUZZ_SEED")) seed = static_cast<unsigned>(std::strtoul(s, nullptr, 10));
    std::printf("fuzz seed %u\n", seed);
    Fuzzer fuzzer(seed);
    int messages = 100000;
    if (const char* n = std::getenv("QUILLON_FUZZ_MESSAGES")) messages = std::atoi(n);
    fuzzer.Run(messages);
    EXPECT_GE(fuzzer.sent(), messages);
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
    EXPECT_EQ(Quillon::InstanceCount(), 0);
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, "QuillonTimerWindow", nullptr), nullptr);
}

}  // namespace
