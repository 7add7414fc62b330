#pragma once
// A form with a real status bar, a menu bar whose popup the control has
// converted, and the language-test library: what the help and tooltip
// tests select items in.
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <string>
#include "control/ResourceLibrary.h"
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"

namespace quillon::test {

inline std::wstring BinFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path);
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

// Every control made while it lives takes its library from `folder`.
struct LibraryFolder {
    std::wstring folder;
    explicit LibraryFolder(std::wstring f) : folder(std::move(f)) { ResourceLibrary::SetFolderOverride(&folder); }
    ~LibraryFolder() { ResourceLibrary::SetFolderOverride(nullptr); }
};

inline std::wstring TestLibraryFolder() { return BinFolder() + L"testres\\"; }

struct HelpForm {
    // kSub is the submenu's position; kPlainOpen follows it.
    enum { kOpen = 1, kMine = 2, kSeparator = 0, kSub = 3, kPlainOpen = 5 };
    LibraryFolder library{TestLibraryFolder()};
    RecordingWindow window;
    HWND statusBar = nullptr;
    HMENU bar = CreateMenu(), popup = CreatePopupMenu(), sub = CreatePopupMenu();
    std::unique_ptr<HostedControl> control;
    std::unique_ptr<Automation> host;

    // `barLater`: the status bar is made after the control has attached.
    explicit HelpForm(bool barLater = false) {
        if (!barLater) statusBar = MakeStatusBar();
        AppendMenuA(popup, MF_STRING, kOpen, "&Open...\tCtrl+O");
        AppendMenuA(popup, MF_STRING, kMine, "&My Command");
        AppendMenuA(popup, MF_SEPARATOR, kSeparator, nullptr);
        AppendMenuA(sub, MF_STRING, 10, "Inner");
        AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
        AppendMenuA(popup, MF_STRING, kPlainOpen, "Open");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
        SetMenu(window.hwnd(), bar);
        control = std::make_unique<HostedControl>(window.hwnd());
        if (barLater) statusBar = MakeStatusBar();
        host = std::make_unique<Automation>(control->container.Query<IDispatch>(IID_IDispatch).get());
        PumpMessages(40);
        Reopen();
    }
    ~HelpForm() {
        SetMenu(window.hwnd(), nullptr);
        control.reset();
        DestroyMenu(bar);
        PumpMessages(0);
    }
    HWND MakeStatusBar() const {
        return CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window.hwnd(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    // Scans the popup again, as its next opening does (SetMenuItemAttributes anew).
    void Reopen() { SendMessageA(window.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0); }
    // Lets `change` alter the record captioned `caption` in SetMenuItemAttributes
    // at the next scan, and scans.
    void ChangeItem(const std::wstring& caption, std::function<void(_CMenuItem&)> change) {
        events().onEvent = [caption, change](DISPID id, DISPPARAMS* params) {
            if (id != DISPID_SetMenuItemAttributes || !params || params->cArgs != 1) return;
            ComPtr<_CMenuItem> item = ComPtr<IDispatch>(V_DISPATCH(&params->rgvarg[0])).As<_CMenuItem>(IID__CMenuItem);
            BSTR current = nullptr;
            if (item) item->get_Caption(&current);
            if (current && caption == current) change(*item.get());
            SysFreeString(current);
        };
        Reopen();
        events().onEvent = nullptr;
    }
    Quillon* q() const { return control->control; }
    EventSink& events() { return control->container.events(); }
    void Select(UINT id, WORD flags = 0, HMENU menu = nullptr) {
        SendMessageA(window.hwnd(), WM_MENUSELECT, MAKEWPARAM(id, flags),
                     reinterpret_cast<LPARAM>(menu ? menu : popup));
    }
    void Close() { SendMessageA(window.hwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0); }
    std::wstring Status() const {
        wchar_t text[256] = {};
        SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void SetStatus(const wchar_t* text) { SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text)); }
};

}  // namespace quillon::test
