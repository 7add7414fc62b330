// dlgHighlightStyle: one option button per highlight style.
#include "demo/DialogTemplate.h"
#include "demo/Dialogs.h"
#include "demo/OptionDialog.h"

namespace demo {
namespace {

constexpr int kStyles = 10;

const DialogLayout& Layout() {
    static const DialogLayout layout{
        kHighlightDialogCaption,
        4125,
        4170,
        {
            {IDOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, L"OK", 2640, 240, 1215, 375},
            {IDCANCEL, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, L"Cancel", 2640, 840, 1215, 375},
            {dlg::Option0 + 0, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, L"Plain", 360, 240, 2055, 255},
            {dlg::Option0 + 1, L"BUTTON", BS_AUTORADIOBUTTON, L"Horizontal Left To Right ", 360, 600, 2055, 255},
            {dlg::Option0 + 2, L"BUTTON", BS_AUTORADIOBUTTON, L"Horizontal Right To Left", 360, 960, 2055, 255},
            {dlg::Option0 + 3, L"BUTTON", BS_AUTORADIOBUTTON, L"Horizontal Center ", 360, 1320, 2055, 255},
            {dlg::Option0 + 4, L"BUTTON", BS_AUTORADIOBUTTON, L"Vertical Top To Bottom ", 360, 1680, 2295, 255},
            {dlg::Option0 + 5, L"BUTTON", BS_AUTORADIOBUTTON, L"Vertical Bottom To Top ", 360, 2040, 2295, 255},
            {dlg::Option0 + 6, L"BUTTON", BS_AUTORADIOBUTTON, L"Vertical Center ", 360, 2400, 2295, 255},
            {dlg::Option0 + 7, L"BUTTON", BS_AUTORADIOBUTTON, L"Diagonal ", 360, 2760, 2295, 255},
            {dlg::Option0 + 8, L"BUTTON", BS_AUTORADIOBUTTON, L"Radial ", 360, 3120, 2295, 255},
            {dlg::Option0 + 9, L"BUTTON", BS_AUTORADIOBUTTON, L"XP", 360, 3480, 2295, 255},
        }};
    return layout;
}

}  // namespace

void ShowHighlightStyleDialog(HWND owner, quillon::_Quillon* control) {
    RunOptionDialog(owner, Layout(),
                    {kStyles,
                     [control] {
                         quillon::qlHighlight value = quillon::qlHighlightPlain;
                         if (control) control->get_HighlightStyle(&value);
                         return static_cast<LONG>(value);
                     },
                     [control](LONG value) {
                         if (control) control->put_HighlightStyle(static_cast<quillon::qlHighlight>(value));
                     }});
}

}  // namespace demo
