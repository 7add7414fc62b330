#include "menu/TextMeasurer.h"

namespace quillon {

SIZE TextMeasurer::Measure(HFONT font, const std::wstring& text) {
    SIZE extent{0, 0};
    if (!m_dc) {
        m_dc = CreateCompatibleDC(nullptr);
        if (!m_dc) return extent;
        m_ownFont = GetCurrentObject(m_dc, OBJ_FONT);
        m_selected = nullptr;
        m_fontHeight = -1;
    }
    if (font != m_selected || m_fontHeight < 0) {
        SelectObject(m_dc, font ? static_cast<HGDIOBJ>(font) : m_ownFont);
        m_selected = font;
        TEXTMETRICW tm{};
        m_fontHeight = GetTextMetricsW(m_dc, &tm) ? tm.tmHeight : 0;
    }
    extent.cy = m_fontHeight;
    if (text.empty()) return extent;
    RECT r{0, 0, 0, 0};
    DrawTextW(m_dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_LEFT | DT_TOP);
    extent.cx = r.right - r.left;
    if (r.bottom - r.top > extent.cy) extent.cy = r.bottom - r.top;
    return extent;
}

void TextMeasurer::Releasing(HFONT font) noexcept {
    if (!m_dc || !font || font != m_selected) return;
    SelectObject(m_dc, m_ownFont);
    m_selected = nullptr;
    m_fontHeight = -1;
}

void TextMeasurer::Reset() noexcept {
    if (!m_dc) return;
    SelectObject(m_dc, m_ownFont);
    DeleteDC(m_dc);
    m_dc = nullptr;
    m_selected = nullptr;
}

}  // namespace quillon
