#include "demo/FormFile.h"
#include <cwctype>
#include "demo/Bitmaps.h"

namespace demo {
namespace {

std::wstring Trim(const std::wstring& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::iswspace(s[b])) ++b;
    while (e > b && std::iswspace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool ReadUtf8File(const std::wstring& path, std::wstring& text) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(h);
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    text.assign(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return true;
}

bool ParseInteger(const std::wstring& s, LONG& out) {
    if (s.empty()) return false;
    wchar_t* end = nullptr;
    if (s.size() > 2 && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X')) {
        const unsigned long long v = wcstoull(s.c_str() + 2, &end, 16);
        if (*end || v > 0xFFFFFFFFull) return false;
        out = static_cast<LONG>(static_cast<ULONG>(v));  // the bit pattern, top bit included
        return true;
    }
    const long long v = wcstoll(s.c_str(), &end, 10);
    if (*end || v < -2147483648LL || v > 2147483647LL) return false;
    out = static_cast<LONG>(v);
    return true;
}

// Fills `value` from the text of a value; false for text that does not parse.
bool ParseValue(const std::wstring& text, const std::wstring& folder, VARIANT& value) {
    LONG number = 0;
    if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(), -1, L"True", -1) == CSTR_EQUAL ||
        CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(), -1, L"False", -1) == CSTR_EQUAL) {
        V_VT(&value) = VT_BOOL;
        V_BOOL(&value) = (text[0] == L'T' || text[0] == L't') ? VARIANT_TRUE : VARIANT_FALSE;
        return true;
    }
    if (ParseInteger(text, number)) {
        V_VT(&value) = VT_I4;
        V_I4(&value) = number;
        return true;
    }
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = SysAllocStringLen(text.data() + 1, static_cast<UINT>(text.size() - 2));
        return true;
    }
    static const std::wstring kPicture = L"Picture(\"";
    if (text.size() > kPicture.size() + 2 && text.compare(0, kPicture.size(), kPicture) == 0 &&
        text.compare(text.size() - 2, 2, L"\")") == 0) {
        const std::wstring file = text.substr(kPicture.size(), text.size() - kPicture.size() - 2);
        IPictureDisp* picture = PictureFromBitmap(LoadDemoBitmap(folder, file));
        if (!picture) return false;
        V_VT(&value) = VT_DISPATCH;
        V_DISPATCH(&value) = picture;
        return true;
    }
    return false;
}

}  // namespace

bool LoadFormFile(const std::wstring& path, PropertyBag& bag) {
    std::wstring text;
    try {
        if (!ReadUtf8File(path, text)) return false;
        const size_t slash = path.find_last_of(L"\\/");
        const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring::npos) end = text.size();
            std::wstring line = text.substr(start, end - start);
            start = end + 1;
            const size_t hash = line.find(L'#');
            if (hash != std::wstring::npos && line.find(L'"') > hash) line.resize(hash);
            const size_t eq = line.find(L'=');
            if (eq == std::wstring::npos) continue;
            const std::wstring key = Trim(line.substr(0, eq));
            const std::wstring raw = Trim(line.substr(eq + 1));
            if (key.empty()) continue;
            VARIANT value;
            VariantInit(&value);
            if (ParseValue(raw, folder, value)) bag.Set(key, value);
            VariantClear(&value);
        }
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace demo
