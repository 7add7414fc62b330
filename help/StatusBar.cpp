#include "help/StatusBar.h"
#include <commctrl.h>
#include <string>
#include "control/QuillonInterfaces.h"

namespace quillon {
namespace {

UINT FarEastCodePage(LONG language) noexcept {
    switch (language) {
    case qlKorean: return 949;
    case qlJapanese: return 932;
    case qlChineseTraditional: return 950;
    case qlChineseSimplified: return 936;
    default: return 0;
    }
}

std::string Ansi(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

HWND FindStatusBarIn(HWND parent) noexcept {
    if (!parent) return nullptr;
    for (const char* cls : {"StatusBar20WndClass", "StatusBarWndClass", STATUSCLASSNAMEA})
        if (HWND bar = FindWindowExA(parent, nullptr, cls, nullptr)) return bar;
    return nullptr;
}

void SetStatusBarText(HWND statusBar, const std::wstring& text, LONG language) noexcept {
    try {
        if (!statusBar || !IsWindow(statusBar)) return;
        const std::string bytes = Ansi(text);
        if (const UINT codePage = FarEastCodePage(language)) {
            // The text holds the item's bytes one per character.
            const int take = static_cast<int>(bytes.size() < text.size() ? bytes.size() : text.size());
            const int n = take ? MultiByteToWideChar(codePage, 0, bytes.data(), take, nullptr, 0) : 0;
            std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
            if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), take, wide.data(), n);
            SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            return;
        }
        SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
    } catch (...) {
        // Nothing is written.
    }
}

}  // namespace quillon
