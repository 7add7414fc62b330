// The control's Boolean, enumeration and picture properties. Setters
// compare first: writing the stored value does nothing. A change stores,
// refreshes what the property affects and notifies the container (which
// also marks the control dirty). AutoShowHelp and CheckMark notify on every
// write.
#include <cmath>
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "render/PictureMetrics.h"

namespace quillon {
namespace {

constexpr SHORT kPictureBitmap = PICTYPE_BITMAP;  // 1
constexpr SHORT kPictureIcon = PICTYPE_ICON;      // 3

}  // namespace

LONG Quillon::LanguageOfLangId(LANGID id) {
    const int primary = id & 0xFF;
    if (primary == 4) {  // Chinese: traditional for Taiwan, simplified otherwise
        const long sub = RoundHalfEven(static_cast<double>(id) / 1024.0);
        return sub == 1 ? qlChineseTraditional : qlChineseSimplified;
    }
    switch (primary) {
    case 7: return qlGerman;
    case 10: return qlSpanish;
    case 12: return qlFrench;
    case 16: return qlItalian;
    case 17: return qlJapanese;
    case 18: return qlKorean;
    default: return qlEnglish;
    }
}

LONG Quillon::GetUserLanguage() { return LanguageOfLangId(GetUserDefaultLangID()); }

// The language tables are read from the resource library by the help
// subsystem; until they are, nothing is loaded here.

STDMETHODIMP Quillon::get_AutoShowHelp(VARIANT_BOOL* value) { return ReadProperty(m_bAutoShowHelp, value); }

STDMETHODIMP Quillon::put_AutoShowHelp(VARIANT_BOOL value) {
    m_bAutoShowHelp = value != VARIANT_FALSE;
    PropertyChanged(DISPID_AutoShowHelp);
    return S_OK;
}

STDMETHODIMP Quillon::get_CheckMark(IPictureDisp** value) {
    if (!value) return E_POINTER;
    *value = m_CheckMark.get();
    if (*value) (*value)->AddRef();
    return S_OK;
}

STDMETHODIMP Quillon::putref_CheckMark(IPictureDisp* value) {
    m_checkMarkMetrics.Reset();  // lets the old picture go now
    m_CheckMark = value;
    PropertyChanged(DISPID_CheckMark);
    return S_OK;
}

// Highlight style and border change the default colours (XP box, flat frames).
void Quillon::RecomputeColorsAndRefresh() {
    Trap([&] { ComputeDefaultColors(); });
    Trap([&] { FullRefresh(); });
}

STDMETHODIMP Quillon::get_HighlightStyle(qlHighlight* value) { return ReadProperty(m_HighlightStyle, value); }

STDMETHODIMP Quillon::put_HighlightStyle(qlHighlight value) {
    // Any value is stored; unknown styles paint as Plain.
    return ChangeProperty(m_HighlightStyle, static_cast<LONG>(value), DISPID_HighlightStyle,
                          [&] { RecomputeColorsAndRefresh(); });
}

STDMETHODIMP Quillon::get_MenuBorder(qlBorder* value) { return ReadProperty(m_MenuBorder, value); }

STDMETHODIMP Quillon::put_MenuBorder(qlBorder value) {
    return ChangeProperty(m_MenuBorder, static_cast<LONG>(value), DISPID_MenuBorder,
                          [&] { RecomputeColorsAndRefresh(); });
}

STDMETHODIMP Quillon::get_Language(qlLanguage* value) { return ReadProperty(m_Language, value); }

STDMETHODIMP Quillon::put_Language(qlLanguage value) {
    // Compared as passed in, before Auto is resolved.
    if (value == m_Language) return S_OK;
    LONG language = value;
    Trap([&] {
        if (language == qlAuto) language = GetUserLanguage();
    });
    if (language == qlAuto) language = qlEnglish;  // the user's language could not be read
    if (language == qlKorean || language == qlJapanese || language == qlChineseTraditional ||
        language == qlChineseSimplified) {
        Trap([&] {
            if (!AmbientUserMode())
                MessageBoxW(m_hwndOwner, L"Far eastern languages are not supported in this version", L"Quillon",
                            MB_OK);
        });
        language = qlEnglish;
    }
    m_Language = language;
    Trap([&] { LoadLanguageStrings(m_Language); });
    PropertyChanged(DISPID_Language);
    return S_OK;
}

STDMETHODIMP Quillon::get_RightToLeft(VARIANT_BOOL* value) { return ReadProperty(m_bRightToLeft, value); }

STDMETHODIMP Quillon::put_RightToLeft(VARIANT_BOOL value) {
    m_bRightToLeftFromSite = false;  // a value set stands, whatever the site says later
    return ChangeProperty(m_bRightToLeft, value != VARIANT_FALSE, DISPID_RightToLeft,
                          [&] { ReprocessMenuBar(m_hwndOwner); });
}

STDMETHODIMP Quillon::get_ShowTooltip(VARIANT_BOOL* value) { return ReadProperty(m_bShowTooltip, value); }

STDMETHODIMP Quillon::put_ShowTooltip(VARIANT_BOOL value) {
    return ChangeProperty(m_bShowTooltip, value != VARIANT_FALSE, DISPID_ShowTooltip, [&] {
        if (m_Tooltip && m_Tooltip->hwnd()) m_Tooltip->Activate(m_bShowTooltip);
    });
}

STDMETHODIMP Quillon::get_TootipStyle(qlTooltipStyle* value) { return ReadProperty(m_TootipStyle, value); }

STDMETHODIMP Quillon::put_TootipStyle(qlTooltipStyle value) {
    return ChangeProperty(m_TootipStyle, static_cast<LONG>(value), DISPID_TootipStyle, [&] {
        if (m_Tooltip && m_Tooltip->hwnd()) m_Tooltip->SetBalloonStyle(m_TootipStyle == qlBalloon);
    });
}

STDMETHODIMP Quillon::get_ShowTootipTitle(VARIANT_BOOL* value) { return ReadProperty(m_bShowTootipTitle, value); }

STDMETHODIMP Quillon::put_ShowTootipTitle(VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    // Used from the next tooltip on.
    return ChangeProperty(m_bShowTootipTitle, *value != VARIANT_FALSE, DISPID_ShowTootipTitle, [] {});
}

STDMETHODIMP Quillon::get_BackgroundPicture(IPictureDisp** value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    if (m_BackgroundPicture) m_BackgroundPicture->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(value));
    return S_OK;
}

void Quillon::ReleaseBackgroundPicture() noexcept {
    m_lBackgroundWidth = 0;
    m_lBackgroundHeight = 0;
    if (m_hBackgroundDC) {
        SelectObject(m_hBackgroundDC, m_hBackgroundOldObject);
        DeleteDC(m_hBackgroundDC);
        m_hBackgroundDC = nullptr;
        m_hBackgroundOldObject = nullptr;
    }
    if (m_hBackgroundIconBitmap) {
        DeleteObject(m_hBackgroundIconBitmap);
        m_hBackgroundIconBitmap = nullptr;
    }
    m_BackgroundPicture.Reset();
}

STDMETHODIMP Quillon::putref_BackgroundPicture(IPictureDisp* value) {
    HRESULT hr = S_OK;
    bool ok = Trap([&] {
        ComPtr<IPicture> picture;
        if (value) value->QueryInterface(IID_IPicture, picture.put_void());
        if (value && !picture) {
            hr = ReportError(QUILLON_E_OBJECT, nullptr, L"Invalid picture type");
            return;
        }
        if (picture.get() == m_BackgroundPicture.get()) return;  // the very object already stored
        ReleaseBackgroundPicture();
        if (picture) {
            m_BackgroundPicture = picture;
            SHORT type = PICTYPE_UNINITIALIZED;
            picture->get_Type(&type);
            if (type != kPictureBitmap && type != kPictureIcon) {
                hr = ReportError(QUILLON_E_OBJECT, nullptr, L"Invalid picture type");
                return;
            }
            OLE_XSIZE_HIMETRIC cx = 0;
            OLE_YSIZE_HIMETRIC cy = 0;
            picture->get_Width(&cx);
            picture->get_Height(&cy);
            m_lBackgroundWidth = HimetricToPixels(cx, LOGPIXELSX);
            m_lBackgroundHeight = HimetricToPixels(cy, LOGPIXELSY);
            OLE_HANDLE handle = 0;
            picture->get_Handle(&handle);
            m_hBackgroundDC = CreateCompatibleDC(nullptr);
            if (!m_hBackgroundDC) return;
            HGDIOBJ selected = reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle));
            if (type == kPictureIcon) {
                // An icon cannot be selected into a device context: it is
                // drawn onto a bitmap of its size over the menu background.
                HDC screen = GetDC(nullptr);
                m_hBackgroundIconBitmap = CreateCompatibleBitmap(screen, m_lBackgroundWidth, m_lBackgroundHeight);
                ReleaseDC(nullptr, screen);
                selected = m_hBackgroundIconBitmap;
            }
            m_hBackgroundOldObject = SelectObject(m_hBackgroundDC, selected);
            if (type == kPictureIcon && m_hBackgroundIconBitmap) {
                RECT all{0, 0, m_lBackgroundWidth, m_lBackgroundHeight};
                HBRUSH back = CreateSolidBrush(SystemColor(ColorProperty(ColorRole::MenuBackground)));
                FillRect(m_hBackgroundDC, &all, back);
                DeleteObject(back);
                HICON icon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle));
                DrawIconEx(m_hBackgroundDC, 0, 0, icon, m_lBackgroundWidth, m_lBackgroundHeight, 0, nullptr,
                           DI_NORMAL);
            }
        }
        PropertyChanged(DISPID_BackgroundPicture);
    });
    return ok ? hr : E_UNEXPECTED;
}

}  // namespace quillon
