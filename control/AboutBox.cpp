#include "control/AboutBox.h"
#include <vector>
#include "control/ole/Module.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

constexpr WORD kTitleId = 100;
constexpr WORD kDescriptionId = 101;
constexpr WORD kVersionId = 102;

// A DLGTEMPLATE with its items, built word by word.
class TemplateBuilder {
public:
    void Header(DWORD style, WORD items, short cx, short cy, const wchar_t* caption) {
        Dword(style);
        Dword(0);  // extended style
        m_words.push_back(items);
        Short(0);
        Short(0);
        Short(cx);
        Short(cy);
        m_words.push_back(0);  // no menu
        m_words.push_back(0);  // standard dialog class
        Text(caption);
        m_words.push_back(8);  // DS_SETFONT: point size, face name
        Text(L"MS Shell Dlg");
    }

    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const std::wstring& text) {
        while (m_words.size() % 2) m_words.push_back(0);  // DWORD alignment
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Short(x);
        Short(y);
        Short(cx);
        Short(cy);
        m_words.push_back(id);
        m_words.push_back(0xFFFF);
        m_words.push_back(atom);
        Text(text.c_str());
        m_words.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Dword(DWORD v) {
        m_words.push_back(LOWORD(v));
        m_words.push_back(HIWORD(v));
    }
    void Short(short v) { m_words.push_back(static_cast<WORD>(v)); }
    void Text(const wchar_t* s) {
        for (; *s; ++s) m_words.push_back(static_cast<WORD>(*s));
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;

INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    INT_PTR handled = FALSE;
    Trap([&] {
        switch (msg) {
        case WM_INITDIALOG:
            handled = TRUE;  // focus on the OK button
            break;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                handled = TRUE;
            }
            break;
        case WM_CLOSE:
            EndDialog(dialog, IDCANCEL);
            handled = TRUE;
            break;
        default:
            break;
        }
    });
    return handled;
}

}  // namespace

AboutText SplitAboutText(const std::wstring& text) {
    std::wstring lines[3];
    size_t start = 0;
    for (int i = 0; i < 3 && start <= text.size(); ++i) {
        size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines[i] = line;
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return AboutText{lines[0], lines[1], lines[2]};
}

INT_PTR ShowAboutBox(HWND owner, const AboutText& text) {
    TemplateBuilder t;
    t.Header(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 4, 220, 86,
             kAboutBoxCaption);
    t.Item(SS_LEFT, 10, 10, 200, 10, kTitleId, kStaticAtom, text.title);
    t.Item(SS_LEFT, 10, 26, 200, 20, kDescriptionId, kStaticAtom, text.description);
    t.Item(SS_LEFT, 10, 48, 200, 10, kVersionId, kStaticAtom, text.version);
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 160, 64, 50, 14, IDOK, kButtonAtom, L"OK");
    return DialogBoxIndirectParamW(module::Instance(), t.Get(), owner, AboutProc, 0);
}

}  // namespace quillon
