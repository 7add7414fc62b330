// The control in Wine's ATL container: a child window of class "AtlAxWin"
// whose text is the ProgID, on a real form with a menu bar. That container
// calls IPersistStreamInit::InitNew before IOleObject::SetClientSite, finds
// the control through the registry and closes it when its window goes.
#include <windows.h>
#include <gtest/gtest.h>
#include "hook/Guard.h"
#include "tests/control/Automation.h"
#include "tests/control/HostedControl.h"
#include "tests/support/ScreenCapture.h"

namespace quillon::test {
namespace {

constexpr COLORREF kMenuBack = RGB(250, 240, 200);

int OwnerDrawnItems(HMENU menu) {
    int n = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        n += GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) && (info.fType & MFT_OWNERDRAW);
    }
    return n;
}

// While a menu is open: photographs its window once it has been painted,
// then closes the menu (at the latest after three seconds).
struct MenuShot {
    DWORD started = GetTickCount();
    int ticksVisible = 0;
    ScreenShot shot;
};
MenuShot* g_menu = nullptr;

void CALLBACK PhotographMenu(HWND, UINT, UINT_PTR, DWORD) {
    Trap([] {
        if (!g_menu) return;
        HWND window = FindWindowA("#32768", nullptr);
        if (window && IsWindowVisible(window) && ++g_menu->ticksVisible == 3) {
            RECT r{};
            GetWindowRect(window, &r);
            g_menu->shot = CaptureScreen(r);
        }
        if (g_menu->ticksVisible >= 3 || GetTickCount() - g_menu->started > 3000) EndMenu();
    });
}

class AtlHost : public ::testing::Test {
protected:
    void SetUp() override {
        HMODULE atl = LoadLibraryW(L"atl.dll");
        ASSERT_NE(atl, nullptr);
        auto init = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
        m_getControl = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(
            reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
        ASSERT_TRUE(init && m_getControl);
        init();  // a second call finds the class registered already
        SetMenu(form.hwnd(), MakeSampleMenuBar());
        ShowWindow(form.hwnd(), SW_SHOW);
        ASSERT_EQ(ProcOf(form.hwnd()), form.classProc());
    }
    // The host window with the control, after the control's menu-bar timer ran.
    HWND Host() {
        HWND host = CreateWindowExW(0, L"AtlAxWin", L"QuillonLib.Quillon", WS_CHILD | WS_VISIBLE, 0, 0, 32, 32,
                                    form.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
        PumpMessages(100);
        return host;
    }
    ComPtr<IDispatch> ControlOf(HWND host) {
        ComPtr<IUnknown> control;
        if (FAILED(m_getControl(host, control.put()))) return {};
        return control.As<IDispatch>(IID_IDispatch);
    }

    RecordingWindow form;
    HRESULT(WINAPI* m_getControl)(HWND, IUnknown**) = nullptr;
};

TEST_F(AtlHost, HooksTheFormConvertsItsBarAndUnhooksWhenTheHostWindowGoes) {
    HMENU bar = GetMenu(form.hwnd());
    ASSERT_EQ(0, OwnerDrawnItems(bar));
    HWND host = Host();
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(ControlOf(host));
    EXPECT_NE(ProcOf(form.hwnd()), form.classProc());
    EXPECT_EQ(GetMenuItemCount(bar), OwnerDrawnItems(bar));
    DestroyWindow(host);
    EXPECT_EQ(ProcOf(form.hwnd()), form.classProc());
}

TEST_F(AtlHost, ARealMenuIsMeasuredAndPaintedByTheControl) {
    HWND host = Host();
    ASSERT_NE(host, nullptr);
    ComPtr<IDispatch> control = ControlOf(host);
    ASSERT_TRUE(control);
    Automation q(control.get());
    ASSERT_EQ(S_OK, q.Let(L"UseCustomColors", Variant::Bool(true)));
    ASSERT_EQ(S_OK, q.Let(L"MenuBackground", Color(kMenuBack)));
    HMENU file = GetSubMenu(GetMenu(form.hwnd()), 0);
    RECT frame{};
    GetWindowRect(form.hwnd(), &frame);
    MenuShot menu;
    g_menu = &menu;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PhotographMenu);
    TrackPopupMenu(file, TPM_LEFTALIGN | TPM_TOPALIGN, frame.left + 40, frame.top + 60, 0, form.hwnd(), nullptr);
    KillTimer(nullptr, timer);
    g_menu = nullptr;
    EXPECT_EQ(GetMenuItemCount(file), OwnerDrawnItems(file));
    // Measured and painted by the control: never passed on to the form's own procedure.
    EXPECT_EQ(0, form.proc().Count(WM_MEASUREITEM));
    EXPECT_EQ(0, form.proc().Count(WM_DRAWITEM));
    ASSERT_FALSE(menu.shot.empty());
    SaveShot(menu.shot, "atl-host-menu");
    EXPECT_GT(menu.shot.Count(kMenuBack), menu.shot.width * menu.shot.height / 3);
    DestroyWindow(host);
}

}  // namespace
}  // namespace quillon::test
