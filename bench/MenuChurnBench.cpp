// Memory of menus built at every opening: a 20-item popup made, opened,
// measured and destroyed 300 times on a hooked form (a context menu, a
// recent-files list). Goal: the process grows by less than 2 MB.
// Under Wine PrivateUsage reads 0, so committed memory (PagefileUsage) is read.
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include "menu/ItemCollection.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr int kOpenings = 300;
constexpr double kTargetMb = 2.0;

SIZE_T Committed() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

void OpenOnce(HWND form) {
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < 20; ++i) AppendMenuA(popup, MF_STRING, 100 + i, "&Recent file\tCtrl+R");
    SendMessageA(form, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    for (int i = 0; i < 20; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, static_cast<UINT>(100 + i), 0, 0, info.dwItemData};
        SendMessageA(form, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    }
    DestroyMenu(popup);
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    {
        RecordingWindow form;
        // What the same openings cost a form without the control: the system's own share.
        RecordingWindow plain;
        for (int i = 0; i < 20; ++i) OpenOnce(plain.hwnd());
        SIZE_T before = Committed();
        for (int i = 0; i < kOpenings; ++i) OpenOnce(plain.hwnd());
        const double systemMb = static_cast<double>(Committed() - before) / (1024.0 * 1024.0);
        HostedControl control(form.hwnd());
        // The test container's sink keeps every event's arguments; a host's does not.
        auto churn = [&](int openings) {
            for (int i = 0; i < openings; ++i) {
                OpenOnce(form.hwnd());
                control.container.events().calls.clear();
            }
        };
        churn(20);  // warm: caches, fonts, heaps
        before = Committed();
        churn(kOpenings);
        const double grownMb = static_cast<double>(Committed() - before) / (1024.0 * 1024.0);
        std::printf("menu churn: the same openings without the control grow the process by %.2f MB\n",
                    systemMb < 0 ? 0.0 : systemMb);
        std::printf("menu churn: %d openings of a 20-item popup grow the process by %.2f MB (target < %.1f MB): %s\n",
                    kOpenings, grownMb < 0 ? 0.0 : grownMb, kTargetMb, grownMb < kTargetMb ? "met" : "MISSED");
        std::printf("menu churn: %zu records kept at the end\n", control->MenuItems().size());
    }
    OleUninitialize();
    return 0;
}
