#include "control/TextConversion.h"
#include "control/QuillonInterfaces.h"

namespace quillon {

std::string Narrow(const std::wstring& text, UINT codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), length, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Widen(const char* bytes, int length, UINT codePage) {
    if (!bytes || length <= 0) return {};
    const int n = MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes, length, out.data(), n);
    return out;
}

std::wstring TrimBlanks(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

UINT FarEastCodePage(LONG language) noexcept {
    switch (language) {
    case qlKorean: return 949;
    case qlJapanese: return 932;
    case qlChineseTraditional: return 950;
    case qlChineseSimplified: return 936;
    default: return 0;
    }
}

}  // namespace quillon
