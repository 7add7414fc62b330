#pragma once
// The form's status bar: found once among a window's children, written to
// in its first part.
#include <windows.h>
#include <string>

namespace quillon {

// The first direct child of `parent` of class "StatusBar20WndClass", else
// "StatusBarWndClass", else "msctls_statusbar32"; null when there is none.
HWND FindStatusBarIn(HWND parent) noexcept;

// Writes `text` into part 0 of `statusBar` (nothing when it is gone), in
// UTF-16. For a far-eastern `language`, an ANSI program's text (not
// `unicodeText`, and held by the ANSI code page) is first decoded from its
// ANSI bytes in the language's own code page.
void SetStatusBarText(HWND statusBar, const std::wstring& text, LONG language, bool unicodeText = false) noexcept;

}  // namespace quillon
