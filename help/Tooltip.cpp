#include "help/Tooltip.h"
#include <commctrl.h>
#include "control/ole/Module.h"

namespace quillon {

CTooltip::~CTooltip() {
    if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

bool CTooltip::Init(HWND parent) {
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    if (!InitCommonControlsEx(&icc)) return false;
    m_hwnd = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_NOANIMATE | TTS_NOFADE, 0, 0, 0, 0, parent, nullptr,
                             module::Instance(), nullptr);
    if (!m_hwnd) return false;
    m_parent = parent;
    Activate(true);
    SetBalloonStyle(true);
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    return true;
}

void CTooltip::SetBalloonStyle(bool balloon) {
    if (balloon == m_balloon) return;
    m_balloon = balloon;
    LONG style = GetWindowLongA(m_hwnd, GWL_STYLE);
    style = balloon ? (style | TTS_BALLOON) : (style & ~TTS_BALLOON);
    SetWindowLongA(m_hwnd, GWL_STYLE, style);
}

void CTooltip::Activate(bool active) {
    m_active = active;
    SendMessageA(m_hwnd, TTM_ACTIVATE, active ? static_cast<WPARAM>(-1) : 0, 0);
}

COLORREF CTooltip::BackColor() const { return static_cast<COLORREF>(SendMessageA(m_hwnd, TTM_GETTIPBKCOLOR, 0, 0)); }

void CTooltip::SetBackColor(COLORREF color) { SendMessageA(m_hwnd, TTM_SETTIPBKCOLOR, color, 0); }

COLORREF CTooltip::ForeColor() const { return static_cast<COLORREF>(SendMessageA(m_hwnd, TTM_GETTIPTEXTCOLOR, 0, 0)); }

void CTooltip::SetForeColor(COLORREF color) { SendMessageA(m_hwnd, TTM_SETTIPTEXTCOLOR, color, 0); }

int CTooltip::InitialDelay() const {
    return static_cast<short>(SendMessageA(m_hwnd, TTM_GETDELAYTIME, TTDT_INITIAL, 0) & 0xFFFF);
}

void CTooltip::SetInitialDelay(int ms) { SendMessageA(m_hwnd, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELONG(ms, 0)); }

void CTooltip::SetIcon(long icon) {
    m_icon = icon;
    SendMessageA(m_hwnd, TTM_SETTITLEA, static_cast<WPARAM>(icon), reinterpret_cast<LPARAM>(m_title.c_str()));
}

}  // namespace quillon
