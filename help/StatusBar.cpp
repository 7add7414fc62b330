#include "help/StatusBar.h"
#include <commctrl.h>
#include <string>
#include "control/TextConversion.h"

namespace quillon {

HWND FindStatusBarIn(HWND parent) noexcept {
    if (!parent) return nullptr;
    for (const char* cls : {"StatusBar20WndClass", "StatusBarWndClass", STATUSCLASSNAMEA})
        if (HWND bar = FindWindowExA(parent, nullptr, cls, nullptr)) return bar;
    return nullptr;
}

void SetStatusBarText(HWND statusBar, const std::wstring& text, LONG language, bool unicodeText) noexcept {
    try {
        if (!statusBar || !IsWindow(statusBar)) return;
        std::wstring shown = text;
        std::string bytes;
        const UINT codePage = FarEastCodePage(language);
        if (codePage && !unicodeText && NarrowExactly(text, bytes)) {
            // An ANSI program's text holds its bytes one per character.
            const int take = static_cast<int>(bytes.size() < text.size() ? bytes.size() : text.size());
            shown = Widen(bytes.data(), take, codePage);
        }
        SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    } catch (...) {
        // Nothing is written.
    }
}

}  // namespace quillon
