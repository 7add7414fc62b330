// dlgTooltip: tooltips on or off, titles on or off, balloon or rectangle.
#include "demo/DialogTemplate.h"
#include "demo/Dialogs.h"

namespace demo {
namespace {

// The option buttons sit in Frame1 at (120, 600); their positions are
// Frame1's plus their own.
constexpr int kFrameLeft = 120, kFrameTop = 600;

const DialogLayout& Layout() {
    static const DialogLayout layout{
        kTooltipDialogCaption,
        2850,
        2160,
        {
            {IDOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, L"OK", 120, 1560, 1215, 375},
            {IDCANCEL, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, L"Cancel", 1440, 1560, 1215, 375},
            {dlg::TooltipCheck, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, L"Tootips", 120, 120, 855, 255},
            {dlg::TitleCheck, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, L"Tootip Titles", 1440, 120, 1335, 255},
            {dlg::StyleFrame, L"BUTTON", BS_GROUPBOX | WS_GROUP, L"Style", kFrameLeft, kFrameTop, 2535, 735},
            {dlg::BalloonOption, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, L"Balloon", kFrameLeft + 240,
             kFrameTop + 360, 975, 255},
            {dlg::RectangleOption, L"BUTTON", BS_AUTORADIOBUTTON, L"Rectangle", kFrameLeft + 1320, kFrameTop + 360,
             1095, 255},
        }};
    return layout;
}

void OnLoad(HWND dialog, quillon::_Quillon* control) {
    VARIANT_BOOL tooltip = VARIANT_FALSE, title = VARIANT_FALSE;
    quillon::qlTooltipStyle style = quillon::qlBalloon;
    if (control) {
        control->get_ShowTooltip(&tooltip);
        control->get_ShowTootipTitle(&title);
        control->get_TootipStyle(&style);
    }
    CheckDlgButton(dialog, dlg::TooltipCheck, tooltip == VARIANT_TRUE ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, dlg::TitleCheck, title == VARIANT_TRUE ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, style != quillon::qlBalloon ? dlg::RectangleOption : dlg::BalloonOption, BST_CHECKED);
}

void OnOk(HWND dialog, quillon::_Quillon* control) {
    if (!control) return;
    control->put_ShowTooltip(IsDlgButtonChecked(dialog, dlg::TooltipCheck) != BST_UNCHECKED ? VARIANT_TRUE
                                                                                           : VARIANT_FALSE);
    VARIANT_BOOL title = IsDlgButtonChecked(dialog, dlg::TitleCheck) != BST_UNCHECKED ? VARIANT_TRUE : VARIANT_FALSE;
    control->put_ShowTootipTitle(&title);
    control->put_TootipStyle(IsDlgButtonChecked(dialog, dlg::BalloonOption) == BST_CHECKED ? quillon::qlBalloon
                                                                                           : quillon::qlRectangle);
}

INT_PTR CALLBACK Handle(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control =
        reinterpret_cast<quillon::_Quillon*>(msg == WM_INITDIALOG ? lParam : GetWindowLongPtrW(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            OnLoad(dialog, control);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                OnOk(dialog, control);
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowTooltipDialog(HWND owner, quillon::_Quillon* control) {
    RunDialog(owner, Layout(), Handle, reinterpret_cast<LPARAM>(control));
}

}  // namespace demo
