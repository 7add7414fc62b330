#pragma once
// Menu captions of the child form per menu language (UTF-16), and the
// control's language value for each.
#include <windows.h>

namespace demo {

enum class MenuLanguage { English, French, German, Italian, Spanish };
inline constexpr int kMenuLanguageCount = 5;

struct CaptionRow {
    UINT command;
    const wchar_t* text[kMenuLanguageCount];  // indexed by MenuLanguage
};

// Every item whose caption follows the language, the pop-up's four included.
const CaptionRow* CaptionRows(int* count);

// Submenu items have no command: each is named by the first command of its submenu.
const CaptionRow* SubmenuCaptionRows(int* count);

// The qlLanguage value the control gets for a menu language.
LONG ControlLanguageOf(MenuLanguage language);

}  // namespace demo
