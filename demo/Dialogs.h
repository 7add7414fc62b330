#pragma once
// The three modal dialogs of the Tools menu. Each reads the control's
// current values when it opens, writes them back on OK and changes nothing
// on Cancel (or Esc).
#include <windows.h>
#include "control/QuillonInterfaces.h"

namespace demo {

inline constexpr wchar_t kHighlightDialogCaption[] = L"Select Hightlight Style";
inline constexpr wchar_t kBorderDialogCaption[] = L"Select Menu Border Style";
inline constexpr wchar_t kTooltipDialogCaption[] = L"Tooltip Settings";

// Control identifiers inside the dialogs (OK and Cancel are IDOK, IDCANCEL).
namespace dlg {
inline constexpr int Option0 = 1000;  // Option1(i) = Option0 + i
inline constexpr int TooltipCheck = 1100;
inline constexpr int TitleCheck = 1101;
inline constexpr int StyleFrame = 1102;
inline constexpr int BalloonOption = 1103;
inline constexpr int RectangleOption = 1104;
}  // namespace dlg

void ShowHighlightStyleDialog(HWND owner, quillon::_Quillon* control);
void ShowBorderSelectDialog(HWND owner, quillon::_Quillon* control);
void ShowTooltipDialog(HWND owner, quillon::_Quillon* control);

}  // namespace demo
