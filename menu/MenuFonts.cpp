// Fonts of menu text: the default caption and shortcut fonts, the system
// menu font, the one-entry GDI font cache and text measuring.
#include <windows.h>
#include <cstddef>
#include <cstdlib>
#include <cwchar>
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "menu/FontProperties.h"
#include "menu/ItemCollection.h"
#include "menu/MenuItem.h"
#include "render/ItemFontSelection.h"

namespace quillon {
namespace {

ComPtr<IFontDisp> CreateFontObject(const FontProperties& p) {
    FONTDESC fd{};
    fd.cbSizeofstruct = sizeof fd;
    std::wstring name = p.name;
    fd.lpstrName = name.data();
    fd.cySize.int64 = p.size;
    fd.sWeight = p.weight;
    fd.sCharset = p.charset;
    fd.fItalic = p.italic;
    fd.fUnderline = p.underline;
    fd.fStrikethrough = p.strikethrough;
    ComPtr<IFontDisp> font;
    if (FAILED(OleCreateFontIndirect(&fd, IID_IFontDisp, font.put_void()))) font.Reset();
    return font;
}

}  // namespace

// --- font properties ---------------------------------------------------------

FontProperties FontProperties::Of(IFontDisp* font) {
    FontProperties p;
    ComPtr<IFont> f = ComPtr<IFontDisp>(font).As<IFont>(IID_IFont);
    if (!f) return p;
    p.valid = true;
    f->get_Bold(&p.bold);
    f->get_Charset(&p.charset);
    f->get_Italic(&p.italic);
    BSTR name = nullptr;
    if (SUCCEEDED(f->get_Name(&name)) && name) p.name.assign(name, SysStringLen(name));
    SysFreeString(name);
    CY size{};
    if (SUCCEEDED(f->get_Size(&size))) p.size = size.int64;
    f->get_Strikethrough(&p.strikethrough);
    f->get_Underline(&p.underline);
    f->get_Weight(&p.weight);
    return p;
}

void Quillon::CopyFont(IFontDisp* dest, IFontDisp* src) {
    ComPtr<IFont> to = ComPtr<IFontDisp>(dest).As<IFont>(IID_IFont);
    ComPtr<IFont> from = ComPtr<IFontDisp>(src).As<IFont>(IID_IFont);
    if (!to || !from) return;
    // A copy that would change nothing leaves the font object untouched:
    // a changed font object builds its GDI font again at its next read, at
    // a cost that grows with the fonts of the process on some systems.
    bool same = false;
    Trap([&] {
        const FontProperties now = FontProperties::Of(dest);
        same = now.valid && now == FontProperties::Of(src);
    });
    if (same) return;
    // One property at a time, in this order; one that fails is skipped.
    Trap([&] {
        BOOL v = FALSE;
        if (SUCCEEDED(from->get_Bold(&v))) to->put_Bold(v);
    });
    Trap([&] {
        SHORT v = 0;
        if (SUCCEEDED(from->get_Charset(&v))) to->put_Charset(v);
    });
    Trap([&] {
        BOOL v = FALSE;
        if (SUCCEEDED(from->get_Italic(&v))) to->put_Italic(v);
    });
    Trap([&] {
        BSTR v = nullptr;
        if (SUCCEEDED(from->get_Name(&v)) && v) to->put_Name(v);
        SysFreeString(v);
    });
    Trap([&] {
        CY v{};
        if (SUCCEEDED(from->get_Size(&v))) to->put_Size(v);
    });
    Trap([&] {
        BOOL v = FALSE;
        if (SUCCEEDED(from->get_Strikethrough(&v))) to->put_Strikethrough(v);
    });
    Trap([&] {
        BOOL v = FALSE;
        if (SUCCEEDED(from->get_Underline(&v))) to->put_Underline(v);
    });
    Trap([&] {
        SHORT v = 0;
        if (SUCCEEDED(from->get_Weight(&v))) to->put_Weight(v);
    });
}

// --- default fonts -------------------------------------------------------------

namespace {

// The properties of a LOGFONTA or LOGFONTW the system gave for `dpi`.
template <class LogFont>
FontProperties MenuFontProperties(const LogFont& lf, const std::wstring& face, UINT dpi) {
    FontProperties p;
    p.name = face;
    p.charset = lf.lfCharSet;
    p.italic = lf.lfItalic != 0;
    p.strikethrough = lf.lfStrikeOut != 0;
    p.underline = lf.lfUnderline != 0;
    p.weight = static_cast<SHORT>(lf.lfWeight);
    LONG points = 8;
    if (lf.lfHeight != 0) points = std::labs(RoundHalfEven(static_cast<double>(lf.lfHeight) * 72.0 / dpi));
    p.size = static_cast<LONGLONG>(points) * 10000;
    return p;
}

}  // namespace

IFontDisp* Quillon::GetSystemMenuFont(bool refresh) {
    if (m_SystemMenuFont && !refresh) return m_SystemMenuFont.get();
    m_SystemMenuFont.Reset();
    Trap([&] {
        // The metrics as every Windows version knows them (no padded border).
        constexpr UINT kMetricsSize = 340;
        static_assert(offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA) == kMetricsSize);
        union {
            NONCLIENTMETRICSA ncm;
            unsigned char raw[sizeof(NONCLIENTMETRICSA) + 16];
        } metrics{};
        metrics.ncm.cbSize = kMetricsSize;
        FontProperties p;
        // Where the window's DPI is not the system's, the system gives the
        // menu font for that DPI (where it can): its points are the same.
        LOGFONTW forDpi{};
        if (m_menuMetrics.MenuFont(forDpi)) {
            p = MenuFontProperties(forDpi, std::wstring(forDpi.lfFaceName, wcsnlen(forDpi.lfFaceName, LF_FACESIZE)),
                                   m_menuMetrics.Dpi());
        } else if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSize, &metrics.ncm, 0)) {
            const LOGFONTA& lf = metrics.ncm.lfMenuFont;
            char face[LF_FACESIZE + 1] = {};
            for (int i = 0; i < LF_FACESIZE && lf.lfFaceName[i]; ++i) face[i] = lf.lfFaceName[i];
            wchar_t wide[LF_FACESIZE + 1] = {};
            MultiByteToWideChar(CP_ACP, 0, face, -1, wide, LF_FACESIZE + 1);
            p = MenuFontProperties(lf, wide, SystemMenuMetrics::SystemDpi());
        } else {
            ComPtr<IFontDisp> ambient = ComPtr<IFontDisp>::Adopt(AmbientFont());
            p = FontProperties::Of(ambient.get());
            p.bold = FALSE;
        }
        m_SystemMenuFont = CreateFontObject(p);
    });
    return m_SystemMenuFont.get();
}

IFontDisp* Quillon::MenuCaptionFont() {
    IFontDisp* font = m_MenuCaptionFont ? m_MenuCaptionFont.get() : GetSystemMenuFont(false);
    if (font) font->AddRef();
    return font;
}

IFontDisp* Quillon::MenuShortcutFont() {
    IFontDisp* font = m_MenuShortcutFont ? m_MenuShortcutFont.get() : GetSystemMenuFont(false);
    if (font) font->AddRef();
    return font;
}

void Quillon::SetMenuCaptionFontObject(IFontDisp* font) {
    m_MenuCaptionFont = font;
    Trap([&] { ReprocessMenuBar(m_hwndOwner); });
}

void Quillon::SetMenuShortcutFontObject(IFontDisp* font) {
    m_MenuShortcutFont = font;
    Trap([&] { ReprocessMenuBar(m_hwndOwner); });
}

ComPtr<IFontDisp> Quillon::NewItemFont() {
    FontProperties p = FontProperties::Of(GetSystemMenuFont(false));
    if (!p.valid || p.name.empty()) {
        p.name = L"MS Sans Serif";
        p.size = 8 * 10000;
        p.weight = FW_NORMAL;
    }
    return CreateFontObject(p);
}

// --- the GDI font cache ------------------------------------------------------------

HFONT Quillon::GetCachedFont(IFontDisp* font, LONG width, LONG /*heightHint*/) {
    ComPtr<IFontDisp> ambient;
    if (!font) {
        ambient = ComPtr<IFontDisp>::Adopt(AmbientFont());
        font = ambient.get();
    }
    return GetCachedFont(FontProperties::Of(font), width);
}

HFONT Quillon::GetCachedItemFont(const CMenuItem& item, bool shortcut) {
    if (!(shortcut ? item.ShortcutFont() : item.CaptionFont())) return GetCachedFont(nullptr, 0, 0);
    return GetCachedFont(shortcut ? item.ShortcutFontProperties() : item.CaptionFontProperties(), 0);
}

HFONT Quillon::GetCachedFont(const FontProperties& p, LONG width) {
    CachedFontDescription& c = m_cachedFontDescription;
    if (c.valid && m_hCachedFont && c.bold == p.bold && c.charset == p.charset && c.italic == p.italic &&
        c.name == p.name && c.size == p.size && c.strikethrough == p.strikethrough && c.underline == p.underline &&
        c.weight == p.weight && c.width == width && c.dpi == m_menuMetrics.Dpi())
        return m_hCachedFont;

    if (m_hCachedFont) {
        if (m_fontSelection) m_fontSelection->Releasing(m_hCachedFont);
        m_textMeasurer.Releasing(m_hCachedFont);
        DeleteObject(m_hCachedFont);
    }
    m_hCachedFont = nullptr;
    c.valid = true;
    c.dpi = m_menuMetrics.Dpi();
    c.bold = p.bold;
    c.charset = p.charset;
    c.italic = p.italic;
    c.name = p.name;
    c.size = p.size;
    c.strikethrough = p.strikethrough;
    c.underline = p.underline;
    c.weight = p.weight;
    c.width = width;

    LOGFONTA lf{};
    const double points = static_cast<double>(p.size) / 10000.0;
    lf.lfHeight = -std::labs(RoundHalfEven(points * c.dpi / 72.0));
    lf.lfWidth = width;
    lf.lfWeight = p.weight;
    lf.lfItalic = p.italic ? 1 : 0;
    lf.lfUnderline = p.underline ? 1 : 0;
    lf.lfStrikeOut = p.strikethrough ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(p.charset);
    char face[64] = {};
    WideCharToMultiByte(CP_ACP, 0, p.name.c_str(), -1, face, sizeof face - 1, nullptr, nullptr);
    for (int i = 0; i < LF_FACESIZE - 1 && face[i]; ++i) lf.lfFaceName[i] = face[i];
    m_hCachedFont = CreateFontIndirectA(&lf);
    if (m_hCachedFont) ++m_cachedFontCreations;
    return m_hCachedFont;
}

SIZE Quillon::MeasureText(IFontDisp* font, LONG /*language*/, const std::wstring& text) {
    return m_textMeasurer.Measure(GetCachedFont(font, 0, 0), text);
}

void Quillon::ItemCollectionDeleter::operator()(ItemCollection* items) const noexcept { delete items; }

}  // namespace quillon
