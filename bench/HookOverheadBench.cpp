// What the hook costs a message: SendMessage to a window the control hooked
// against the same message to an unhooked window of the same class.
//   1. a message that is not in the hooked list (goal: at most 1.15 times)
//   2. a hooked message that the dispatcher passes on
// Each figure is the median ratio over several runs.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr int kRuns = 9;
constexpr int kMessagesPerRun = 50000;

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// The least any subclassing can cost: a procedure that only calls the
// previous one.
WNDPROC g_bareOld = nullptr;
LRESULT CALLBACK BareSubclassProc(HWND h, UINT m, WPARAM w, LPARAM l) { return CallWindowProcA(g_bareOld, h, m, w, l); }

HWND MakeWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuillonBenchWindow";
        RegisterClassA(&wc);
        registered = true;
    }
    return CreateWindowExA(0, "QuillonBenchWindow", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

double Seconds(HWND target, UINT msg) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    for (int i = 0; i < kMessagesPerRun; ++i) SendMessageA(target, msg, 0, 0);
    QueryPerformanceCounter(&b);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Median over runs of time(hooked) / time(plain); the two alternate so that
// drift of the machine hits both alike.
double MedianRatio(HWND hooked, HWND plain, UINT msg, double* perMessageNs) {
    std::vector<double> ratios, plainTimes;
    for (int run = 0; run < kRuns; ++run) {
        double p = Seconds(plain, msg);
        double h = Seconds(hooked, msg);
        ratios.push_back(h / p);
        plainTimes.push_back(p);
    }
    std::sort(ratios.begin(), ratios.end());
    std::sort(plainTimes.begin(), plainTimes.end());
    *perMessageNs = plainTimes[kRuns / 2] / kMessagesPerRun * 1e9;
    return ratios[kRuns / 2];
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    HWND plain = MakeWindow();
    HWND form = MakeWindow();
    {
        TestContainer container(form);
        if (FAILED(container.Create(QuillonFactory())) || FAILED(container.InitNew())) {
            std::printf("could not host the control\n");
            return 2;
        }
        PumpMessages(50);
        Seconds(plain, WM_USER + 100);  // warm-up
        Seconds(form, WM_USER + 100);

        double ns = 0;
        double notHooked = MedianRatio(form, plain, WM_USER + 100, &ns);
        std::printf("message not in the hooked list: %.3f x unhooked (%.0f ns per message unhooked), goal <= 1.15 %s\n",
                    notHooked, ns, notHooked <= 1.15 ? "met" : "MISSED");
        double passedOn = MedianRatio(form, plain, WM_SYSCOLORCHANGE, &ns);
        std::printf("hooked message passed on by the dispatcher: %.3f x unhooked (%.0f ns per message unhooked)\n",
                    passedOn, ns);
        HWND bare = MakeWindow();
        g_bareOld = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(bare, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BareSubclassProc)));
        double floor = MedianRatio(bare, plain, WM_USER + 100, &ns);
        std::printf("bare subclass procedure (only CallWindowProcA), for reference: %.3f x unhooked\n", floor);
        std::printf("registry and dispatch on top of any subclassing: %.3f x (not hooked), %.3f x (passed on)\n",
                    notHooked / floor, passedOn / floor);
        DestroyWindow(bare);
        container.Close();
    }
    DestroyWindow(form);
    DestroyWindow(plain);
    OleUninitialize();
    return 0;
}
