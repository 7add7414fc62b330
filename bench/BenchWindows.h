#pragma once
// What the benchmarks share: a plain top-level window of a class of its
// own, a hand-written owner-drawn item's painting, and the median of a
// run's figures.
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>

namespace quillon::bench {

inline LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// An ANSI window of class `cls` whose procedure is `proc`.
inline HWND MakeWindow(const char* cls, WNDPROC proc = PlainProc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    return CreateWindowExA(0, cls, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// What a hand-written owner-drawn menu paints per item: fill, its font
// selected and put back, caption and shortcut.
inline void PaintHandWrittenItem(const DRAWITEMSTRUCT& dis, HBRUSH fill, HFONT font, const std::wstring& caption,
                                 const std::wstring& shortcut) {
    RECT r = dis.rcItem;
    FillRect(dis.hDC, &r, fill);
    HGDIOBJ old = SelectObject(dis.hDC, font);
    SetBkMode(dis.hDC, TRANSPARENT);
    r.left += 24;
    DrawTextW(dis.hDC, caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
    r.right -= 12;
    DrawTextW(dis.hDC, shortcut.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    SelectObject(dis.hDC, old);
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace quillon::bench
