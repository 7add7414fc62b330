#include "demo/tour/TourWindows.h"
#include <commctrl.h>

namespace demo::tour {
namespace {

INPUT MouseInput(POINT p, DWORD flags) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((p.x * 65536 + sw / 2) / (sw ? sw : 1));
    in.mi.dy = static_cast<LONG>((p.y * 65536 + sh / 2) / (sh ? sh : 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

struct WindowQuery {
    const wchar_t* windowClass;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM p) {
    auto* q = reinterpret_cast<WindowQuery*>(p);
    if (!IsWindowVisible(w)) return TRUE;
    if (q->windowClass && lstrcmpiW(ClassOf(w).c_str(), q->windowClass) != 0) return TRUE;
    q->found.push_back(w);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND w, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> all;
    if (parent) EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::wstring TrimRight(std::wstring s) {
    while (!s.empty() && s.back() == L' ') s.pop_back();
    return s;
}

LONG ButtonKind(HWND w) { return GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK; }

}  // namespace

void MoveMouse(POINT p) {
    INPUT in = MouseInput(p, MOUSEEVENTF_MOVE);
    SendInput(1, &in, sizeof in);
}

void Click(POINT p, bool right) {
    INPUT in[3] = {MouseInput(p, MOUSEEVENTF_MOVE),
                   MouseInput(p, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                   MouseInput(p, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
    SendInput(3, in, sizeof(INPUT));
}

void PressKey(WORD vk, WORD modifier) {
    INPUT in[4] = {};
    UINT n = 0;
    auto key = [&](WORD code, DWORD flags) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = code;
        in[n++].ki.dwFlags = flags;
    };
    if (modifier) key(modifier, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (modifier) key(modifier, KEYEVENTF_KEYUP);
    SendInput(n, in, sizeof(INPUT));
}

POINT Center(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::vector<HWND> ThreadWindows(const wchar_t* windowClass) {
    WindowQuery q{windowClass, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

std::wstring TextOf(HWND w) {
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    return text;
}

bool MenuHolds(HMENU menu, UINT command) {
    const int n = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < n; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (MenuHolds(sub, command)) return true;
        } else if (GetMenuItemID(menu, i) == command) {
            return true;
        }
    }
    return false;
}

int PositionOf(HMENU menu, UINT command) {
    const int n = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < n; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (sub ? MenuHolds(sub, command) : GetMenuItemID(menu, i) == command) return i;
    }
    return -1;
}

HMENU SubmenuHolding(HMENU menu, UINT command) {
    const int pos = PositionOf(menu, command);
    return pos < 0 ? nullptr : GetSubMenu(menu, pos);
}

std::wstring ItemText(HMENU menu, UINT command) {
    wchar_t text[256] = {};
    if (menu) GetMenuStringW(menu, command, text, 256, MF_BYCOMMAND);
    std::wstring s = text;
    const size_t tab = s.find(L'\t');
    if (tab != std::wstring::npos) s.resize(tab);
    return s;
}

HWND PopupWindowOf(HMENU menu) {
    if (!menu) return nullptr;
    for (HWND w : ThreadWindows(L"#32768"))
        if (reinterpret_cast<HMENU>(SendMessageW(w, MN_GETHMENU, 0, 0)) == menu) return w;
    return nullptr;
}

HMENU AnyShownPopup() {
    for (HWND w : ThreadWindows(L"#32768"))
        if (HMENU m = reinterpret_cast<HMENU>(SendMessageW(w, MN_GETHMENU, 0, 0))) return m;
    return nullptr;
}

bool AnyPopupShown() { return !ThreadWindows(L"#32768").empty(); }

HWND FindDialog(const wchar_t* caption) {
    for (HWND w : ThreadWindows(L"#32770"))
        if (TextOf(w) == caption) return w;
    return nullptr;
}

HWND ButtonByCaption(HWND dialog, const std::wstring& caption) {
    for (HWND w : Children(dialog))
        if (lstrcmpiW(ClassOf(w).c_str(), L"Button") == 0 && TrimRight(TextOf(w)) == TrimRight(caption)) return w;
    return nullptr;
}

std::wstring CheckedRadio(HWND dialog) {
    for (HWND w : Children(dialog)) {
        if (lstrcmpiW(ClassOf(w).c_str(), L"Button") != 0) continue;
        const LONG kind = ButtonKind(w);
        if ((kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) && IsChecked(w)) return TrimRight(TextOf(w));
    }
    return {};
}

bool IsChecked(HWND button) { return button && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

HWND StatusLine(HWND frame) {
    // Direct children of the frame other than the MDI client; the status
    // line is the static control inside one of them.
    for (HWND box = GetWindow(frame, GW_CHILD); box; box = GetWindow(box, GW_HWNDNEXT)) {
        if (lstrcmpiW(ClassOf(box).c_str(), L"MDIClient") == 0) continue;
        for (HWND w : Children(box))
            if (lstrcmpiW(ClassOf(w).c_str(), L"Static") == 0) return w;
    }
    return nullptr;
}

int DpiAwareness() {
    using GetContextFn = HANDLE(WINAPI*)();
    using AwarenessFn = int(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto context = reinterpret_cast<GetContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto awareness = reinterpret_cast<AwarenessFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (context && awareness) return awareness(context());
    return IsProcessDPIAware() ? 1 : 0;
}

HWND VisibleTooltip() {
    for (HWND w : ThreadWindows(TOOLTIPS_CLASSW)) {
        RECT r{};
        GetWindowRect(w, &r);
        if (r.right > r.left && r.bottom > r.top) return w;
    }
    return nullptr;
}

std::wstring TooltipText(HWND tip) {
    if (!tip) return {};
    wchar_t text[512] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = text;
    if (SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info)) && info.lpszText == text && text[0])
        return text;
    return TextOf(tip);
}

}  // namespace demo::tour
