#include "render/MenuBarBackground.h"

namespace quillon {
namespace {

bool SetBarBrush(HMENU bar, HBRUSH brush) noexcept {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = brush;
    return SetMenuInfo(bar, &info) != FALSE;
}

}  // namespace

void MenuBarBackground::Paint(HMENU bar, COLORREF color) noexcept {
    if (bar != m_bar) Restore();
    if (!bar || !IsMenu(bar)) return;
    if (!m_bar) {
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_BACKGROUND;
        if (!GetMenuInfo(bar, &info)) return;
        m_bar = bar;
        m_hostBrush = info.hbrBack;
    }
    if (m_brush && m_color == color) return;
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush || !SetBarBrush(bar, brush)) {
        if (brush) DeleteObject(brush);
        return;
    }
    if (m_brush) DeleteObject(m_brush);
    m_brush = brush;
    m_color = color;
}

void MenuBarBackground::Restore() noexcept {
    // A bar destroyed meanwhile took nothing of ours with it: the brush is ours.
    if (m_bar && IsMenu(m_bar) && m_brush) SetBarBrush(m_bar, m_hostBrush);
    if (m_brush) DeleteObject(m_brush);
    m_bar = nullptr;
    m_hostBrush = m_brush = nullptr;
    m_color = CLR_INVALID;
}

}  // namespace quillon
