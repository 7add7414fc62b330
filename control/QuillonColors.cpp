// The ten colour properties and UseCustomColors. Each colour is kept twice:
// the custom value written through the property (-1: not set) and the
// default computed from the system palette. Reading gives the custom value
// when custom colours are on and it is set, else the default; at run time a
// system-colour reference is resolved, at design time it reads as stored so
// that property browsers keep showing it as a system colour.
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "render/ColorUtils.h"

namespace quillon {
namespace {
constexpr OLE_COLOR kNotSet = 0xFFFFFFFFu;
}

OLE_COLOR Quillon::ColorProperty(ColorRole role) {
    const OLE_COLOR custom = m_customColors[static_cast<int>(role)];
    OLE_COLOR value = (m_bUseCustomColors && custom != kNotSet) ? custom : m_defaultColors[role];
    if (AmbientUserMode()) value = SystemColor(value);
    return value;
}

void Quillon::FullRefresh() {
    if (AmbientUserMode()) RefreshColors(m_hwndOwner);
}

void Quillon::SetTooltipColors(COLORREF text, COLORREF back) {
    if (!m_Tooltip || !m_Tooltip->hwnd()) return;
    m_Tooltip->SetForeColor(text);
    m_Tooltip->SetBackColor(back);
}

HRESULT Quillon::ReadColor(ColorRole role, OLE_COLOR* value) {
    if (!value) return E_POINTER;
    HRESULT hr = S_OK;
    if (!Trap([&] { *value = ColorProperty(role); })) hr = E_UNEXPECTED;
    return hr;
}

HRESULT Quillon::WriteColor(ColorRole role, DISPID dispid, OLE_COLOR value) {
    OLE_COLOR& stored = m_customColors[static_cast<int>(role)];
    if (stored == value) return S_OK;
    stored = value;
    switch (role) {
    case ColorRole::BitmapBackground:
        Trap([&] {
            if (AmbientUserMode()) RebuildBitmapBackgroundBrush();
        });
        break;
    case ColorRole::MenuBarBackground:
        break;  // shows at the next paint of the bar
    case ColorRole::TootipBackground:
    case ColorRole::TootipTextColor:
        // The tooltip takes the new value at once, whatever UseCustomColors
        // says. "Not set" hands it the default rather than a colour index
        // that does not exist.
        Trap([&] {
            if (!AmbientUserMode() || !m_Tooltip || !m_Tooltip->hwnd()) return;
            const COLORREF color = SystemColor(value == kNotSet ? m_defaultColors[role] : value);
            if (role == ColorRole::TootipBackground)
                m_Tooltip->SetBackColor(color);
            else
                m_Tooltip->SetForeColor(color);
        });
        break;
    default:
        Trap([&] { FullRefresh(); });
        break;
    }
    PropertyChanged(dispid);
    return S_OK;
}

STDMETHODIMP Quillon::get_UseCustomColors(VARIANT_BOOL* value) { return ReadProperty(m_bUseCustomColors, value); }

STDMETHODIMP Quillon::put_UseCustomColors(VARIANT_BOOL value) {
    return ChangeProperty(m_bUseCustomColors, value != VARIANT_FALSE, DISPID_UseCustomColors, [&] {
        Trap([&] {
            if (m_Tooltip && m_Tooltip->hwnd())
                SetTooltipColors(SystemColor(ColorProperty(ColorRole::TootipTextColor)),
                                 SystemColor(ColorProperty(ColorRole::TootipBackground)));
        });
        FullRefresh();
    });
}

STDMETHODIMP Quillon::get_ColorScheme(qlColorScheme* value) {
    if (!value) return E_POINTER;
    *value = static_cast<qlColorScheme>(m_colorScheme.Chosen());
    return S_OK;
}

STDMETHODIMP Quillon::put_ColorScheme(qlColorScheme value) {
    // Any value is stored; unknown schemes paint as Classic.
    if (value == m_colorScheme.Chosen()) return S_OK;
    Trap([&] {
        m_colorScheme.Choose(value);
        RecomputeColorsAndRefresh();
        SetTooltipColors(PaintedColor(ColorRole::TootipTextColor), PaintedColor(ColorRole::TootipBackground));
    });
    PropertyChanged(DISPID_ColorScheme);
    return S_OK;
}

void Quillon::FollowColorSettings() {
    if (!m_colorScheme.Refresh()) return;
    RecomputeColorsAndRefresh();
    Trap([&] { SetTooltipColors(PaintedColor(ColorRole::TootipTextColor), PaintedColor(ColorRole::TootipBackground)); });
}

#define QUILLON_COLOR_PROPERTY(Name)                                                                            \
    STDMETHODIMP Quillon::get_##Name(OLE_COLOR* value) { return ReadColor(ColorRole::Name, value); }            \
    STDMETHODIMP Quillon::put_##Name(OLE_COLOR value) {                                                         \
        HRESULT hr = E_UNEXPECTED;                                                                              \
        Trap([&] { hr = WriteColor(ColorRole::Name, DISPID_##Name, value); });                                 \
        return hr;                                                                                              \
    }

QUILLON_COLOR_PROPERTY(MenuBackground)
QUILLON_COLOR_PROPERTY(BitmapBackground)
QUILLON_COLOR_PROPERTY(MenuBarBackground)
QUILLON_COLOR_PROPERTY(TextColor)
QUILLON_COLOR_PROPERTY(DisabledTextColor)
QUILLON_COLOR_PROPERTY(HighlightedTextColor)
QUILLON_COLOR_PROPERTY(MenuHighlight)
QUILLON_COLOR_PROPERTY(MenuHighlightBorder)
QUILLON_COLOR_PROPERTY(TootipBackground)
QUILLON_COLOR_PROPERTY(TootipTextColor)

#undef QUILLON_COLOR_PROPERTY

}  // namespace quillon
