#include "demo/OptionDialog.h"
#include "demo/Dialogs.h"

namespace demo {
namespace {

struct State {
    const OptionProperty* property;
    LONG selected;
};

INT_PTR CALLBACK Handle(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<State*>(msg == WM_INITDIALOG ? lParam : GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state) return FALSE;
    const OptionProperty& p = *state->property;
    switch (msg) {
        case WM_INITDIALOG:
            state->selected = p.read ? p.read() : 0;
            // A value without an option button selects none.
            if (state->selected >= 0 && state->selected < p.options)
                CheckDlgButton(dialog, dlg::Option0 + static_cast<int>(state->selected), BST_CHECKED);
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id >= dlg::Option0 && id < dlg::Option0 + p.options && HIWORD(wParam) == BN_CLICKED) {
                state->selected = id - dlg::Option0;
            } else if (id == IDOK) {
                if (p.write) p.write(state->selected);
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

}  // namespace

void RunOptionDialog(HWND owner, const DialogLayout& layout, const OptionProperty& property) {
    State state{&property, 0};
    RunDialog(owner, layout, Handle, reinterpret_cast<LPARAM>(&state));
}

}  // namespace demo
