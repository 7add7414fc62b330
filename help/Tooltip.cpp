#include "help/Tooltip.h"
#include "control/TextConversion.h"
#include "control/ole/Module.h"

namespace quillon {
namespace {

// The tool description the window reads, in its Unicode form so that no
// text is squeezed through the ANSI code page.
TTTOOLINFOW EmptyToolInfo() {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    return tool;
}

}  // namespace

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

long CTooltip::ToolCount() const { return static_cast<long>(SendMessageA(m_hwnd, TTM_GETTOOLCOUNT, 0, 0)); }

void CTooltip::Activate(bool active) {
    m_active = active;
    SendMessageA(m_hwnd, TTM_ACTIVATE, active ? static_cast<WPARAM>(-1) : 0, 0);
}

bool CTooltip::FindTool(UINT_PTR uid, TTTOOLINFOW& tool) const {
    const long count = ToolCount();
    for (long i = 0; i < count; ++i) {
        TTTOOLINFOW candidate = EmptyToolInfo();
        if (SendMessageW(m_hwnd, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&candidate)) &&
            candidate.uId == uid) {
            tool = candidate;
            return true;
        }
    }
    return false;
}

bool CTooltip::AddTool(UINT_PTR uid, bool uidIsWindow, long x, long y, long cx, long cy, const std::wstring& text,
                       LONG_PTR container) {
    TTTOOLINFOW tool = EmptyToolInfo();
    if (FindTool(uid, tool)) return false;
    tool = EmptyToolInfo();
    tool.uFlags = uidIsWindow ? (TTF_IDISHWND | TTF_TRANSPARENT) : TTF_TRANSPARENT;
    tool.hwnd = container == -1 ? m_parent : reinterpret_cast<HWND>(container);
    tool.uId = uid;
    tool.rect = {x, y, x + cx, y + cy};
    std::wstring shown = TrimBlanks(text);
    if (shown.empty()) shown.push_back(L' ');
    tool.lpszText = shown.data();
    return SendMessageW(m_hwnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void CTooltip::DeleteTool(UINT_PTR uid) {
    TTTOOLINFOW tool = EmptyToolInfo();
    if (FindTool(uid, tool)) SendMessageW(m_hwnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

COLORREF CTooltip::BackColor() const { return static_cast<COLORREF>(SendMessageA(m_hwnd, TTM_GETTIPBKCOLOR, 0, 0)); }

void CTooltip::SetBackColor(COLORREF color) { SendMessageA(m_hwnd, TTM_SETTIPBKCOLOR, color, 0); }

COLORREF CTooltip::ForeColor() const { return static_cast<COLORREF>(SendMessageA(m_hwnd, TTM_GETTIPTEXTCOLOR, 0, 0)); }

void CTooltip::SetForeColor(COLORREF color) { SendMessageA(m_hwnd, TTM_SETTIPTEXTCOLOR, color, 0); }

void CTooltip::SetFont(HFONT font) { SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1); }

void CTooltip::SendTitle() {
    SendMessageW(m_hwnd, TTM_SETTITLEW, static_cast<WPARAM>(m_icon), reinterpret_cast<LPARAM>(m_title.c_str()));
}

void CTooltip::SetTitle(const std::wstring& title) {
    m_title = TrimBlanks(title);
    SendTitle();
}

void CTooltip::SetIcon(long icon) {
    m_icon = icon;
    SendTitle();
}

std::string CTooltip::Title() const { return Narrow(m_title); }

UINT_PTR CTooltip::ToolId(long index) const {
    TTTOOLINFOW tool = EmptyToolInfo();
    return SendMessageW(m_hwnd, TTM_ENUMTOOLSW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tool)) ? tool.uId
                                                                                                            : 0;
}

int CTooltip::Delay(int which) const {
    return static_cast<short>(SendMessageA(m_hwnd, TTM_GETDELAYTIME, static_cast<WPARAM>(which), 0) & 0xFFFF);
}

void CTooltip::SetDelay(int which, int ms) {
    SendMessageA(m_hwnd, TTM_SETDELAYTIME, static_cast<WPARAM>(which), MakeLong(static_cast<short>(ms), 0));
}

}  // namespace quillon
