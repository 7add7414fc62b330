#pragma once
// Modal dialogs laid out in twips: an in-memory dialog template declares the
// controls in tab order; when the dialog opens they are placed and the client
// area sized in pixels of the dialog's DPI.
#include <windows.h>
#include <vector>

namespace demo {

struct DialogControl {
    int id;
    const wchar_t* windowClass;  // L"BUTTON", L"STATIC"
    DWORD style;                 // WS_CHILD | WS_VISIBLE are added
    const wchar_t* caption;
    int left, top, width, height;  // twips, in the dialog's client area
};

struct DialogLayout {
    const wchar_t* caption;
    int clientWidth, clientHeight;  // twips
    std::vector<DialogControl> controls;
};

// Runs the dialog modally, owned by `owner` (no taskbar entry). `proc` gets
// `param` with WM_INITDIALOG after the layout has been applied; what it
// throws is trapped.
INT_PTR RunDialog(HWND owner, const DialogLayout& layout, DLGPROC proc, LPARAM param);

}  // namespace demo
