// Text output of owner-drawn items. A Unicode program's text is drawn as
// it is with DrawTextW. An ANSI program's text goes through DrawTextA,
// which reads its bytes in the code page of the DC's font, as the program
// meant them; menus of Windows 95, 98/Me and NT 3 cannot show far-eastern
// text that way in a western code page, so those languages are converted
// from their own code page and drawn with TextOutW. Access keys are
// underlined by DrawText.
#include "render/ItemText.h"
#include <vector>
#include "control/ApiDeclares.h"
#include "control/TextConversion.h"
#include "render/ColorUtils.h"

namespace quillon {
namespace {

constexpr int kMaxWideText = 255;

// "&&" is a literal ampersand; any other "&" only marks an access key,
// which this path does not underline.
std::wstring WithoutAccessMarks(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'&') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == L'&') {
            out += L'&';
            ++i;
        }
    }
    return out;
}

// `bytes`: the text's ANSI form, decoded here in the language's code page.
void DrawWideText(HDC hDC, const std::string& bytes, const RECT& rect, UINT format, UINT codePage) {
    if (bytes.empty()) return;
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return;
    std::vector<wchar_t> buffer(kMaxWideText, L'\0');
    const int converted = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                              buffer.data(), length < kMaxWideText ? length : kMaxWideText);
    if (converted <= 0) return;
    const std::wstring shown = WithoutAccessMarks(std::wstring(buffer.data(), static_cast<size_t>(converted)));

    const UINT oldAlign = SetTextAlign(hDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SIZE extent{};
    GetTextExtentPoint32W(hDC, shown.c_str(), static_cast<int>(shown.size()), &extent);
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    const LONG y = rect.top + RoundHalfEven((height - extent.cy) / 2.0);
    LONG x = rect.left;
    if (format & DT_CENTER)
        x = rect.left + RoundHalfEven((width - extent.cx) / 2.0);
    else if (format & DT_RTLREADING)
        x = rect.right - extent.cx;
    TextOutW(hDC, x, y, shown.c_str(), static_cast<int>(shown.size()));
    if (oldAlign != GDI_ERROR) SetTextAlign(hDC, oldAlign);
}

}  // namespace

void DrawItemText(HDC hDC, const std::wstring& given, const RECT& rect, UINT format, LONG language,
                  bool unicodeText) noexcept {
    try {
        // Wine's DrawText underlines the access key even with DT_HIDEPREFIX:
        // there the marks are taken out, as the system would hide them.
        std::wstring stripped;
        if ((format & DT_HIDEPREFIX) && ApiDeclares::RunningOnWine()) {
            stripped = WithoutAccessMarks(given);
            format = (format & ~static_cast<UINT>(DT_HIDEPREFIX)) | DT_NOPREFIX;
        }
        const std::wstring& text = (format & DT_NOPREFIX) && !stripped.empty() ? stripped : given;
        RECT r = rect;
        std::string ansi;
        // A text the ANSI code page cannot carry is drawn as it is, whoever wrote it.
        if (unicodeText || !NarrowExactly(text, ansi)) {
            DrawTextW(hDC, text.c_str(), static_cast<int>(text.size()), &r, format);
            return;
        }
        const UINT codePage = FarEastCodePage(language);
        const bool ansiMenus = ApiDeclares::IsWindows95() || ApiDeclares::IsWindows98Me() || ApiDeclares::IsWindowsNT3();
        if (codePage && ansiMenus) {
            DrawWideText(hDC, ansi, rect, format, codePage);
            return;
        }
        DrawTextA(hDC, ansi.c_str(), static_cast<int>(ansi.size()), &r, format);
    } catch (...) {
        // Nothing is drawn; callers ignore the result.
    }
}

}  // namespace quillon
