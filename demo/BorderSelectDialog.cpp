// dlgBorderSelect: one option button per popup border style.
#include "demo/DialogTemplate.h"
#include "demo/Dialogs.h"
#include "demo/OptionDialog.h"

namespace demo {
namespace {

constexpr int kBorders = 3;

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

}  // namespace

void ShowBorderSelectDialog(HWND owner, quillon::_Quillon* control) {
    RunOptionDialog(owner, Layout(),
                    {kBorders,
                     [control] {
                         quillon::qlBorder value = quillon::qlBorderNormal;
                         if (control) control->get_MenuBorder(&value);
                         return static_cast<LONG>(value);
                     },
                     [control](LONG value) {
                         if (control) control->put_MenuBorder(static_cast<quillon::qlBorder>(value));
                     }});
}

}  // namespace demo
