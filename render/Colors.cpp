// Default colours and the cached GDI objects built from them.
#include "control/Quillon.h"
#include "render/ColorUtils.h"

namespace quillon {

void Quillon::ComputeDefaultColors() { m_defaultColors = ComputeSystemDefaultColors(m_HighlightStyle); }

void Quillon::RefreshColors(HWND) { ++m_colorRefreshes; }

void Quillon::RebuildBitmapBackgroundBrush() {
    if (m_hBitmapBackgroundBrush) DeleteObject(m_hBitmapBackgroundBrush);
    m_hBitmapBackgroundBrush = CreateSolidBrush(SystemColor(ColorProperty(ColorRole::BitmapBackground)));
}

}  // namespace quillon
