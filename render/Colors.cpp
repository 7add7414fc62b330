// Default colours, the cached GDI objects built from them, and the refresh
// that brings colours, cache and menu bar up to date together.
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "render/ColorUtils.h"

namespace quillon {

void Quillon::ComputeDefaultColors() { m_defaultColors = m_colorScheme.Defaults(m_HighlightStyle); }

COLORREF Quillon::PaintedColor(ColorRole role) {
    return m_colorScheme.HighContrast() ? ColorScheme::HighContrastColor(role) : SystemColor(ColorProperty(role));
}

template <class Handle>
void Quillon::ReplaceCachedObject(Handle& slot, Handle fresh) noexcept {
    if (slot) {
        DeleteObject(slot);
        ++m_gdiCacheDeletions;
    }
    slot = fresh;
    if (fresh) ++m_gdiCacheCreations;
}

void Quillon::RefreshColors(HWND hwnd) {
    bool userMode = false;
    Trap([&] { userMode = AmbientUserMode(); });
    if (!userMode) return;
    ++m_colorRefreshes;
    Trap([&] { ComputeDefaultColors(); });
    Trap([&] {
        ReplaceCachedObject(m_hMenuBackgroundBrush,
                            CreateSolidBrush(PaintedColor(ColorRole::MenuBackground)));
    });
    Trap([&] { RebuildBitmapBackgroundBrush(); });
    Trap([&] {
        ReplaceCachedObject(m_hHighlightBorderPen,
                            CreatePen(PS_INSIDEFRAME, 1, PaintedColor(ColorRole::MenuHighlightBorder)));
    });
    Trap([&] {
        if (!hwnd || !IsWindow(hwnd)) return;
        if (HMENU bar = GetMenu(hwnd)) ScanMenuBar(bar);
    });
    Trap([&] {
        if (m_bFrameHooked && m_hwndMDIClient && IsWindow(m_hwndMDIClient))
            SendMessageA(m_hwndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    });
    // The bar belongs to the MDI frame when the control serves a child.
    Trap([&] { ReprocessMenuBar(hwnd); });
}

void Quillon::RebuildBitmapBackgroundBrush() {
    ReplaceCachedObject(m_hBitmapBackgroundBrush,
                        CreateSolidBrush(PaintedColor(ColorRole::BitmapBackground)));
}

HBRUSH Quillon::MenuBackgroundBrush() const { return m_hMenuBackgroundBrush; }
HBRUSH Quillon::BitmapBackgroundBrush() const { return m_hBitmapBackgroundBrush; }
HPEN Quillon::HighlightBorderPen() const { return m_hHighlightBorderPen; }

}  // namespace quillon
