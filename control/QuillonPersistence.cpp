// The 21 persisted properties: the keys, their write and read defaults and
// the order in which they are written and read. Writing stores a value only
// when it differs from its default ("Language" always); reading gives the
// default for an absent key and skips a value that cannot be converted, so
// the field keeps what it had. Colour defaults are the ones computed from
// the palette, which is why reading attaches (and computes them) first.
#include <optional>
#include <utility>
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "render/ColorUtils.h"

namespace quillon {
namespace {

// Restores a VARIANT the bag filled, whatever happens to the reader.
struct BagValue {
    BagValue() { VariantInit(&v); }
    ~BagValue() { VariantClear(&v); }
    BagValue(const BagValue&) = delete;
    BagValue& operator=(const BagValue&) = delete;
    VARIANT v;
};

void Store(IPropertyBag* bag, const wchar_t* name, VARIANT& value) {
    const HRESULT hr = bag->Write(name, &value);
    if (FAILED(hr)) throw Win32Failure(hr);  // the container sees the bag's failure
}

void WriteLong(IPropertyBag* bag, const wchar_t* name, LONG value, std::optional<LONG> def) {
    if (def && *def == value) return;
    BagValue v;
    V_VT(&v.v) = VT_I4;
    V_I4(&v.v) = value;
    Store(bag, name, v.v);
}

void WriteBool(IPropertyBag* bag, const wchar_t* name, bool value, bool def) {
    if (value == def) return;
    BagValue v;
    V_VT(&v.v) = VT_BOOL;
    V_BOOL(&v.v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    Store(bag, name, v.v);
}

// Colours compare and travel as their 32-bit pattern.
void WriteColor(IPropertyBag* bag, const wchar_t* name, OLE_COLOR value, COLORREF def) {
    WriteLong(bag, name, static_cast<LONG>(value), static_cast<LONG>(def));
}

// A picture never equals its default (none, or the number 1): it is written
// whenever one is set, and nothing is written without one.
void WritePicture(IPropertyBag* bag, const wchar_t* name, IUnknown* picture) {
    if (!picture) return;
    BagValue v;
    IDispatch* disp = nullptr;
    if (SUCCEEDED(picture->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp))) && disp) {
        V_VT(&v.v) = VT_DISPATCH;
        V_DISPATCH(&v.v) = disp;
    } else {
        picture->AddRef();
        V_VT(&v.v) = VT_UNKNOWN;
        V_UNKNOWN(&v.v) = picture;
    }
    Store(bag, name, v.v);
}

// The stored value as it is (VT_EMPTY asks for that), or false when absent.
bool Fetch(IPropertyBag* bag, const wchar_t* name, BagValue& out) {
    return SUCCEEDED(bag->Read(name, &out.v, nullptr));
}

bool Stored(IPropertyBag* bag, const wchar_t* name) {
    BagValue raw;
    return Fetch(bag, name, raw);
}

// nullopt: present but not convertible (the key is skipped).
std::optional<LONG> ReadLong(IPropertyBag* bag, const wchar_t* name, LONG def) {
    BagValue raw;
    if (!Fetch(bag, name, raw)) return def;
    BagValue as;
    if (SUCCEEDED(VariantChangeType(&as.v, &raw.v, 0, VT_I4))) return V_I4(&as.v);
    return std::nullopt;
}

// A colour stored unsigned (a system-colour reference does not fit VT_I4's
// range) is taken by its bit pattern.
std::optional<OLE_COLOR> ReadColor(IPropertyBag* bag, const wchar_t* name, OLE_COLOR def) {
    BagValue raw;
    if (!Fetch(bag, name, raw)) return def;
    BagValue as;
    if (SUCCEEDED(VariantChangeType(&as.v, &raw.v, 0, VT_I4))) return static_cast<OLE_COLOR>(V_I4(&as.v));
    if (SUCCEEDED(VariantChangeType(&as.v, &raw.v, 0, VT_UI4))) return V_UI4(&as.v);
    return std::nullopt;
}

std::optional<bool> ReadBool(IPropertyBag* bag, const wchar_t* name, bool def) {
    BagValue raw;
    if (!Fetch(bag, name, raw)) return def;
    BagValue as;
    if (SUCCEEDED(VariantChangeType(&as.v, &raw.v, 0, VT_BOOL))) return V_BOOL(&as.v) != VARIANT_FALSE;
    return std::nullopt;
}

// A picture object (or Nothing). `absentIsNone`: an absent key reads as no
// picture; otherwise its default is not a picture and the key is skipped.
std::optional<ComPtr<IPictureDisp>> ReadPicture(IPropertyBag* bag, const wchar_t* name, bool absentIsNone) {
    BagValue raw;
    if (!Fetch(bag, name, raw)) {
        if (absentIsNone) return ComPtr<IPictureDisp>();
        return std::nullopt;
    }
    const VARTYPE vt = V_VT(&raw.v);
    if (vt != VT_DISPATCH && vt != VT_UNKNOWN) return std::nullopt;
    IUnknown* object = V_UNKNOWN(&raw.v);
    if (!object) return ComPtr<IPictureDisp>();
    ComPtr<IPictureDisp> picture;
    if (FAILED(object->QueryInterface(IID_IPictureDisp, picture.put_void())) || !picture) {
        // An IPicture reached through IUnknown offers IPictureDisp too.
        ComPtr<IPicture> plain;
        if (FAILED(object->QueryInterface(IID_IPicture, plain.put_void())) || !plain) return std::nullopt;
        if (FAILED(plain->QueryInterface(IID_IPictureDisp, picture.put_void())) || !picture) return std::nullopt;
    }
    return picture;
}

constexpr OLE_COLOR kMenuColorRef = 0x80000000u | COLOR_MENU;
constexpr OLE_COLOR kMenuTextColorRef = 0x80000000u | COLOR_MENUTEXT;
constexpr OLE_COLOR kInfoBackColorRef = 0x80000000u | COLOR_INFOBK;
constexpr OLE_COLOR kInfoTextColorRef = 0x80000000u | COLOR_INFOTEXT;

}  // namespace

struct PropertyPersistence {
    static OLE_COLOR& Custom(Quillon& q, ColorRole role) { return q.m_customColors[static_cast<int>(role)]; }

    static void Write(Quillon& q, IPropertyBag* bag) {
        using R = ColorRole;
        const DefaultColors& d = q.m_defaultColors;
        WriteBool(bag, L"AutoShowHelp", q.m_bAutoShowHelp, true);
        WritePicture(bag, L"CheckMark", q.m_CheckMark.get());
        WriteLong(bag, L"HighlightStyle", q.m_HighlightStyle, 1);
        WriteLong(bag, L"BorderStyle", q.m_MenuBorder, 0);
        WriteBool(bag, L"UseCustomColors", q.m_bUseCustomColors, false);
        WriteColor(bag, L"MenuBackground", Custom(q, R::MenuBackground), d[R::MenuBackground]);
        WriteColor(bag, L"BitmapBackground", Custom(q, R::BitmapBackground), d[R::BitmapBackground]);
        // Compared with the popup background's default, not the bar's own.
        WriteColor(bag, L"MenuBarBackground", Custom(q, R::MenuBarBackground), d[R::MenuBackground]);
        WriteColor(bag, L"TextColor", Custom(q, R::TextColor), d[R::TextColor]);
        WriteColor(bag, L"DisabledTextColor", Custom(q, R::DisabledTextColor), d[R::DisabledTextColor]);
        WriteColor(bag, L"HighlightedTextColor", Custom(q, R::HighlightedTextColor), d[R::HighlightedTextColor]);
        WriteColor(bag, L"MenuHighlight", Custom(q, R::MenuHighlight), d[R::MenuHighlight]);
        WriteColor(bag, L"MenuHighlightBorder", Custom(q, R::MenuHighlightBorder), d[R::MenuHighlightBorder]);
        bool ambientRtl = false;
        Trap([&] { ambientRtl = q.AmbientRightToLeft(); });
        WriteBool(bag, L"RightToLeft", q.m_bRightToLeft, ambientRtl);
        WriteLong(bag, L"TootipStyle", q.m_TootipStyle, 0);
        WriteBool(bag, L"ShowTootipTitle", q.m_bShowTootipTitle, false);
        WriteColor(bag, L"TootipBackground", Custom(q, R::TootipBackground), d[R::TootipBackground]);
        WriteColor(bag, L"TootipTextColor", Custom(q, R::TootipTextColor), d[R::TootipTextColor]);
        WriteLong(bag, L"Language", q.m_Language, std::nullopt);
        WriteBool(bag, L"ShowTooltip", q.m_bShowTooltip, true);
        WritePicture(bag, L"BackgroundPicture", q.m_BackgroundPicture.get());
        // Forms saved before the schemes existed stay byte for byte the same.
        WriteLong(bag, L"ColorScheme", q.m_colorScheme.Chosen(), qlColorSchemeClassic);
    }

    static void Read(Quillon& q, IPropertyBag* bag) {
        using R = ColorRole;
        // Hooks the form at run time and computes the colour defaults read below.
        Trap([&] { q.AttachToForm(); });
        q.m_bReadAwaitsSite = q.m_bAttachAwaitsSite;

        Trap([&] {
            if (auto v = ReadBool(bag, L"AutoShowHelp", true)) q.m_bAutoShowHelp = *v;
        });
        const LONG styleAtAttachment = q.m_HighlightStyle;
        Trap([&] {
            if (auto v = ReadLong(bag, L"HighlightStyle", 1)) q.m_HighlightStyle = *v;
        });
        Trap([&] {
            if (auto v = ReadLong(bag, L"BorderStyle", 0)) q.m_MenuBorder = *v;
        });
        Trap([&] {
            if (auto v = ReadPicture(bag, L"CheckMark", false)) q.m_CheckMark = *v;
        });
        Trap([&] {
            if (auto v = ReadBool(bag, L"UseCustomColors", false)) q.m_bUseCustomColors = *v;
        });
        // The scheme before the colours, which were saved against its
        // defaults; those are computed as at the attachment above, and only
        // for a scheme that has defaults of its own.
        Trap([&] {
            if (auto v = ReadLong(bag, L"ColorScheme", qlColorSchemeClassic)) {
                const bool schemeDefaults = q.m_colorScheme.Chosen() != *v || *v != qlColorSchemeClassic;
                q.m_colorScheme.Choose(*v);
                if (schemeDefaults) q.m_defaultColors = q.m_colorScheme.Defaults(styleAtAttachment);
            }
        });
        const DefaultColors d = q.m_defaultColors;
        const struct {
            const wchar_t* name;
            R role;
            OLE_COLOR def;
        } colors[] = {
            {L"MenuBackground", R::MenuBackground, d[R::MenuBackground]},
            {L"BitmapBackground", R::BitmapBackground, d[R::BitmapBackground]},
            {L"MenuBarBackground", R::MenuBarBackground, kMenuColorRef},
            {L"TextColor", R::TextColor, kMenuTextColorRef},
            {L"DisabledTextColor", R::DisabledTextColor, d[R::DisabledTextColor]},
            {L"HighlightedTextColor", R::HighlightedTextColor, d[R::HighlightedTextColor]},
            {L"MenuHighlight", R::MenuHighlight, d[R::MenuHighlight]},
            {L"MenuHighlightBorder", R::MenuHighlightBorder, d[R::MenuHighlightBorder]},
            {L"TootipBackground", R::TootipBackground, kInfoBackColorRef},
            {L"TootipTextColor", R::TootipTextColor, kInfoTextColorRef},
        };
        for (const auto& c : colors)
            Trap([&] {
                if (auto v = ReadColor(bag, c.name, c.def)) Custom(q, c.role) = *v;
            });

        Trap([&] {
            bool ambientRtl = false;
            Trap([&] { ambientRtl = q.AmbientRightToLeft(); });
            if (auto v = ReadBool(bag, L"RightToLeft", ambientRtl)) q.put_RightToLeft(*v ? VARIANT_TRUE : VARIANT_FALSE);
            // Without a site yet, an absent value is the ambient of the site to come.
            q.m_bRightToLeftFromSite = q.m_bReadAwaitsSite && !Stored(bag, L"RightToLeft");
        });

        Trap([&] {
            if (auto v = ReadPicture(bag, L"BackgroundPicture", true)) q.putref_BackgroundPicture(v->get());
        });
        Trap([&] {
            if (auto v = ReadBool(bag, L"ShowTooltip", true)) q.put_ShowTooltip(*v ? VARIANT_TRUE : VARIANT_FALSE);
        });
        Trap([&] {
            if (auto v = ReadLong(bag, L"Language", qlEnglish)) q.put_Language(static_cast<qlLanguage>(*v));
        });
        // The setter never keeps Auto; should it ever, the user's language
        // serves pictures and help texts.
        Trap([&] {
            if (q.m_Language != qlAuto) return;
            q.m_Language = Quillon::GetUserLanguage();
            q.LoadLanguageStrings(q.m_Language);
        });

        Trap([&] {
            if (auto v = ReadLong(bag, L"TootipStyle", qlBalloon)) q.put_TootipStyle(static_cast<qlTooltipStyle>(*v));
        });
        Trap([&] {
            if (auto v = ReadBool(bag, L"ShowTootipTitle", false)) {
                VARIANT_BOOL show = *v ? VARIANT_TRUE : VARIANT_FALSE;
                q.put_ShowTootipTitle(&show);
            }
        });

        ApplyToForm(q);
    }

    // The read's last steps, which need the form: the tooltip's style and
    // colours, the colours of the form's menus.
    static void ApplyToForm(Quillon& q) {
        using R = ColorRole;
        Trap([&] {
            if (!q.m_Tooltip || !q.m_Tooltip->hwnd()) return;
            q.m_Tooltip->SetBalloonStyle(q.m_TootipStyle == qlBalloon);
            q.SetTooltipColors(q.PaintedColor(R::TootipTextColor), q.PaintedColor(R::TootipBackground));
        });
        Trap([&] { q.RefreshColors(q.m_hwndOwner); });
    }

    // A read that ran before the site, once the form is attached: the
    // RightToLeft it left to the site's ambient, then its last steps.
    static void CompleteWithSite(Quillon& q) {
        Trap([&] {
            if (std::exchange(q.m_bRightToLeftFromSite, false))
                q.put_RightToLeft(q.AmbientRightToLeft() ? VARIANT_TRUE : VARIANT_FALSE);
        });
        ApplyToForm(q);
    }
};

void Quillon::CompleteReadWithSite() { PropertyPersistence::CompleteWithSite(*this); }

void Quillon::UserControl_ReadProperties(IPropertyBag* bag) {
    if (bag) PropertyPersistence::Read(*this, bag);
}

void Quillon::UserControl_WriteProperties(IPropertyBag* bag) {
    if (!bag) throw Win32Failure(E_POINTER);
    PropertyPersistence::Write(*this, bag);
}

}  // namespace quillon
