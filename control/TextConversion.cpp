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

namespace {

// The ANSI form of `length` characters, or -1 when one of them has none.
int StrictAnsiLength(const wchar_t* text, int length, char* out, int size) noexcept {
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, length, out, size, nullptr, &usedDefault);
    return n <= 0 || usedDefault ? -1 : n;
}

}  // namespace

bool NarrowExactly(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    if (text.empty()) return true;
    // Converted into a buffer even to test: not every system reports the
    // default character when only the length is asked for.
    bytes.resize(text.size() * 4);
    const int n = StrictAnsiLength(text.c_str(), static_cast<int>(text.size()), bytes.data(),
                                   static_cast<int>(bytes.size()));
    bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return n > 0;
}

LONG AnsiCode(wchar_t c) noexcept {
    char bytes[4] = {};
    const int n = StrictAnsiLength(&c, 1, bytes, sizeof bytes);
    if (n == 1) return static_cast<unsigned char>(bytes[0]);
    if (n == 2) return (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]);
    return static_cast<LONG>(c);
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
