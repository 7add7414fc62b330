#include "render/ItemFontSelection.h"
#include "control/Quillon.h"

namespace quillon {

ItemFontSelection::ItemFontSelection(Quillon& q, HDC dc) noexcept
    : m_q(q), m_dc(dc), m_outer(q.SwapFontSelection(this)) {}

ItemFontSelection::~ItemFontSelection() {
    Restore();
    m_q.SwapFontSelection(m_outer);
}

void ItemFontSelection::Use(HFONT font) noexcept {
    if (!font || font == m_current) return;
    HGDIOBJ previous = SelectObject(m_dc, font);
    if (!previous || previous == HGDI_ERROR) return;
    if (!m_original) m_original = previous;
    m_current = font;
}

void ItemFontSelection::Releasing(HFONT font) noexcept {
    if (font == m_current) Restore();
    if (m_outer) m_outer->Releasing(font);
}

void ItemFontSelection::Restore() noexcept {
    if (m_original) SelectObject(m_dc, m_original);
    m_original = nullptr;
    m_current = nullptr;
}

}  // namespace quillon
