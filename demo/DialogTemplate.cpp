#include "demo/DialogTemplate.h"
#include <cwchar>
#include "demo/Twips.h"

namespace demo {
namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

void Words(std::vector<WORD>& t, const wchar_t* s) {
    for (; *s; ++s) t.push_back(static_cast<WORD>(*s));
    t.push_back(0);
}

void Align4(std::vector<WORD>& t) {
    if (t.size() % 2) t.push_back(0);
}

void PushDword(std::vector<WORD>& t, DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
}

// DLGTEMPLATE with its items; positions are placeholders, set at WM_INITDIALOG.
std::vector<WORD> BuildTemplate(const DialogLayout& layout) {
    std::vector<WORD> t;
    PushDword(t, kDialogStyle);
    PushDword(t, 0);  // extended style
    t.push_back(static_cast<WORD>(layout.controls.size()));
    t.insert(t.end(), {0, 0, 10, 10});
    t.push_back(0);  // no menu
    t.push_back(0);  // standard dialog class
    Words(t, layout.caption);
    t.push_back(8);
    Words(t, L"MS Shell Dlg");
    for (const DialogControl& c : layout.controls) {
        Align4(t);
        PushDword(t, c.style | WS_CHILD | WS_VISIBLE);
        PushDword(t, 0);
        t.insert(t.end(), {0, 0, 1, 1});
        t.push_back(static_cast<WORD>(c.id));
        Words(t, c.windowClass);
        Words(t, c.caption);
        t.push_back(0);  // no creation data
    }
    return t;
}

struct Running {
    const DialogLayout* layout;
    DLGPROC proc;
    LPARAM param;
};

void ApplyLayout(HWND dialog, const DialogLayout& layout) {
    const int dpi = DpiOf(dialog);
    for (const DialogControl& c : layout.controls) {
        if (HWND w = GetDlgItem(dialog, c.id))
            MoveWindow(w, TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi), TwipsToPixels(c.width, dpi),
                       TwipsToPixels(c.height, dpi), FALSE);
    }
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    const SIZE size = WindowSizeForClient(TwipsToPixels(layout.clientWidth, dpi),
                                          TwipsToPixels(layout.clientHeight, dpi), style, exStyle, false, dpi);
    // Centred on the owner, kept on its monitor's work area.
    RECT owner{};
    HWND ownerWindow = GetWindow(dialog, GW_OWNER);
    if (!ownerWindow || !GetWindowRect(ownerWindow, &owner)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &owner, 0);
    int x = owner.left + (owner.right - owner.left - size.cx) / 2;
    int y = owner.top + (owner.bottom - owner.top - size.cy) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (x + size.cx > work.right) x = work.right - size.cx;
        if (y + size.cy > work.bottom) y = work.bottom - size.cy;
        if (x < work.left) x = work.left;
        if (y < work.top) y = work.top;
    }
    SetWindowPos(dialog, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR Dispatch(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        const auto* running = reinterpret_cast<const Running*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, static_cast<LONG_PTR>(running->param));
        SetPropW(dialog, L"DemoDialogProc", reinterpret_cast<HANDLE>(running->proc));
        ApplyLayout(dialog, *running->layout);
        return running->proc(dialog, msg, wParam, running->param);
    }
    auto proc = reinterpret_cast<DLGPROC>(GetPropW(dialog, L"DemoDialogProc"));
    if (msg == WM_NCDESTROY) RemovePropW(dialog, L"DemoDialogProc");
    return proc ? proc(dialog, msg, wParam, lParam) : FALSE;
}

// No failure of a dialog's handler escapes into the dialog manager.
INT_PTR CALLBACK LayoutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(dialog, msg, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

INT_PTR RunDialog(HWND owner, const DialogLayout& layout, DLGPROC proc, LPARAM param) {
    std::vector<WORD> words;
    try {
        words = BuildTemplate(layout);
    } catch (...) {
        return -1;
    }
    Running running{&layout, proc, param};
    return DialogBoxIndirectParamW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                                   reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner, LayoutProc,
                                   reinterpret_cast<LPARAM>(&running));
}

}  // namespace demo
