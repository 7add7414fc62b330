#pragma once
// The form's status bar: found once among a window's children, written to
// in its first part.
#include <windows.h>
#include <string>

namespace quillon {

// The first direct child of `parent` of class "StatusBar20WndClass", else
// "StatusBarWndClass", else "msctls_statusbar32"; null when there is none.
HWND FindStatusBarIn(HWND parent) noexcept;

// Writes `text` into part 0 of `statusBar` (nothing when it is gone). A
// far-eastern `language` decodes the text's ANSI bytes in its own code page
// and sends UTF-16; any other sends the ANSI text.
void SetStatusBarText(HWND statusBar, const std::wstring& text, LONG language) noexcept;

}  // namespace quillon
