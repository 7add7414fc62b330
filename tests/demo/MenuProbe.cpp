// Loaded into DemoHost by a message hook of test_demo: menus belong to the
// process that made them, so the frame's menu is read here and sent back to
// the test's window as text (WM_COPYDATA), one item a line:
//   depth|position|type|state|id|text
#include <windows.h>
#include <string>

namespace {

void DumpMenu(HMENU menu, int depth, std::wstring& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        wchar_t head[96];
        wsprintfW(head, L"%d|%d|%x|%x|%u|", depth, i, info.fType, info.fState, info.wID);
        out += head;
        out += text;
        out += L'\n';
        if (info.hSubMenu) DumpMenu(info.hSubMenu, depth + 1, out);
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DemoMenuProbe(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probe = RegisterWindowMessageW(L"QuillonDemoTest.DumpMenu");
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg && msg->message == probe) try {
        std::wstring text;
        DumpMenu(GetMenu(msg->hwnd), 0, text);
        COPYDATASTRUCT data{};
        data.dwData = probe;
        data.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        data.lpData = text.data();
        SendMessageW(reinterpret_cast<HWND>(msg->wParam), WM_COPYDATA, reinterpret_cast<WPARAM>(msg->hwnd),
                     reinterpret_cast<LPARAM>(&data));
        msg->message = WM_NULL;
    } catch (...) {
        // Out of memory: the test sees no answer.
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
