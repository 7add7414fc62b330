// dlgBorderSelect: one option button per popup border style.
#include "demo/DialogTemplate.h"
#include "demo/Dialogs.h"

namespace demo {
namespace {

constexpr int kBorders = 3;

struct State {
    quillon::_Quillon* control;
    LONG selected;
};

const DialogLayout& Layout() {
    static const DialogLayout layout{
        kBorderDialogCaption,
        3705,
        1545,
        {
            {IDOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, L"OK", 2280, 120, 1215, 375},
            {IDCANCEL, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, L"Cancel", 2280, 600, 1215, 375},
            {dlg::Option0 + 0, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, L"Normal", 360, 240, 1455, 255},
            {dlg::Option0 + 1, L"BUTTON", BS_AUTORADIOBUTTON, L"Flat", 360, 600, 1455, 255},
            {dlg::Option0 + 2, L"BUTTON", BS_AUTORADIOBUTTON, L"Flat With Shadow", 360, 960, 1695, 255},
        }};
    return layout;
}

INT_PTR Handle(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<State*>(msg == WM_INITDIALOG ? lParam : GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state) return FALSE;
    switch (msg) {
        case WM_INITDIALOG: {
            quillon::qlBorder border = quillon::qlBorderNormal;
            if (state->control) state->control->get_MenuBorder(&border);
            state->selected = border;
            if (state->selected >= 0 && state->selected < kBorders)
                CheckDlgButton(dialog, dlg::Option0 + static_cast<int>(state->selected), BST_CHECKED);
            return TRUE;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id >= dlg::Option0 && id < dlg::Option0 + kBorders && HIWORD(wParam) == BN_CLICKED) {
                state->selected = id - dlg::Option0;
            } else if (id == IDOK) {
                if (state->control) state->control->put_MenuBorder(static_cast<quillon::qlBorder>(state->selected));
                EndDialog(dialog, IDOK);
            } else if (id == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return Handle(dialog, msg, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

void ShowBorderSelectDialog(HWND owner, quillon::_Quillon* control) {
    State state{control, 0};
    RunDialog(owner, Layout(), Proc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace demo
