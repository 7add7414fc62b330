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

void SetStatusBarText(HWND statusBar, const std::wstring& text, LONG language) noexcept {
    try {
        if (!statusBar || !IsWindow(statusBar)) return;
        const std::string bytes = Narrow(text);
        if (const UINT codePage = FarEastCodePage(language)) {
            // The text holds the item's bytes one per character.
            const int take = static_cast<int>(bytes.size() < text.size() ? bytes.size() : text.size());
            const std::wstring wide = Widen(bytes.data(), take, codePage);
            SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            return;
        }
        SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
    } catch (...) {
        // Nothing is written.
    }
}

}  // namespace quillon
