// WM_MENUSELECT: the selected item's help text in the form's status bar
// (ShowMenuHelp and ClearMenuHelp let the host take part), and its tooltip
// when the mouse selected it.
#include "control/ApiDeclares.h"
#include "control/Quillon.h"
#include "help/StatusBar.h"
#include "hook/Guard.h"
#include "hook/WordHelpers.h"
#include "menu/ItemCollection.h"
#include "menu/MenuItem.h"

namespace quillon {
namespace {

// Where menus do not mark mouse selections, a selection under the cursor
// is taken for one: keyboard navigation moves away from the cursor's item.
bool CursorOnItem(HMENU menu, UINT id) {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) != id) continue;
        RECT r{};
        return GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r) && cursor.x > r.left && cursor.x < r.right &&
               cursor.y > r.top && cursor.y < r.bottom;
    }
    return false;
}

// The message passed by reference to ShowMenuHelp: freed whatever the
// event does, including a host that replaces it or a sink that throws.
class MessageText {
public:
    explicit MessageText(const std::wstring& text)
        : m_text(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~MessageText() { SysFreeString(m_text); }
    MessageText(const MessageText&) = delete;
    MessageText& operator=(const MessageText&) = delete;
    // Where the host may free the text and store its own.
    BSTR* ref() { return &m_text; }
    std::wstring str() const { return m_text ? std::wstring(m_text, SysStringLen(m_text)) : std::wstring(); }

private:
    BSTR m_text;
};

}  // namespace

std::wstring Quillon::LookupHelpMessage(const std::wstring& clean, LONG language) {
    std::wstring text;
    Trap([&] {
        if (const std::wstring* host = HostHelpMessage(clean)) text = *host;
    });
    if (text.empty()) Trap([&] { text = GetDefaultHelpText(clean, language); });
    return text;
}

void Quillon::FindStatusBar(HWND parent) { m_hwndStatusBar = FindStatusBarIn(parent); }

void Quillon::ClearMenuHelp() {
    if (m_bAutoShowHelp) SetStatusBarText(m_hwndStatusBar, L"", qlEnglish);
    FireEvent(DISPID_ClearMenuHelp, nullptr);
}

void Quillon::RemoveTooltipTools() {
    // At most one tool is ever registered; taking the identifiers first
    // keeps the enumeration valid while deleting.
    std::vector<UINT_PTR> ids;
    const long count = m_Tooltip->ToolCount();
    for (long i = 0; i < count; ++i) ids.push_back(m_Tooltip->ToolId(i));
    for (UINT_PTR id : ids) m_Tooltip->DeleteTool(id);
    m_hwndTooltipShownFor = nullptr;
}

void Quillon::ShowItemTooltip(HWND hwnd, const CMenuItem& item) {
    const std::wstring tip = item.TooltTipText();
    if (tip.empty()) return;
    m_Tooltip->SetTitle(m_bShowTootipTitle ? item.Caption() : L"");
    m_Tooltip->AddTool(reinterpret_cast<UINT_PTR>(hwnd), true, 0, 0, 0, 0, tip, -1);
    // The tooltip starts its timer as if the mouse had moved over the tool.
    POINT screen{};
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    MSG move{hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), 0, screen};
    m_hwndTooltipShownFor = hwnd;
    SendMessageA(m_Tooltip->hwnd(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void Quillon::OnMenuSelect(HWND hwnd, WPARAM wParam, LPARAM lParam, bool&, LRESULT&) {
    const int32_t flags = static_cast<int16_t>(HiWord(static_cast<int64_t>(wParam)));
    const UINT id = static_cast<UINT>(LoWord(static_cast<int64_t>(wParam)));
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    // 1. Every selection removes the tip of the previous one.
    if (m_Tooltip) Trap([&] { RemoveTooltipTools(); });
    // 2. The menu closes.
    if (flags == -1 && !menu) {
        Trap([&] { ClearMenuHelp(); });
        return;
    }
    // 3.
    if (!menu) return;
    // 4.-5. A submenu opens.
    if (flags & MF_POPUP) {
        Trap([&] { ClearMenuHelp(); });
        return;
    }
    // 6.
    ComPtr<CMenuItem> item;
    Trap([&] {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        if (GetMenuItemInfoA(menu, id, FALSE, &info)) item = RecordOfItem(info.dwItemData, menu);
    });
    if (!item) return;
    // 7.-8.
    std::wstring clean;
    Trap([&] { clean = CleanCaption(item->Caption()); });
    if (clean.empty()) {
        if (m_bAutoShowHelp) Trap([&] { ClearMenuHelp(); });
        return;
    }
    // 9.-10. The host may replace the text.
    std::wstring text;
    Trap([&] { text = LookupHelpMessage(clean, item->Language()); });
    Trap([&] {
        MessageText message(text);
        VARIANT args[2];
        for (VARIANT& a : args) VariantInit(&a);
        // Arguments in reverse order: sHelpMessage, aMenuItem.
        V_VT(&args[0]) = VT_BYREF | VT_BSTR;
        V_BSTRREF(&args[0]) = message.ref();
        V_VT(&args[1]) = VT_DISPATCH;
        V_DISPATCH(&args[1]) = static_cast<_CMenuItem*>(item.get());
        DISPPARAMS params{args, nullptr, 2, 0};
        FireEvent(DISPID_ShowMenuHelp, &params);
        text = message.str();
    });
    // 11. Also an empty text is written.
    if (m_bAutoShowHelp) Trap([&] { SetStatusBarText(m_hwndStatusBar, text, item->Language(), item->UnicodeText()); });
    // 12. Only a mouse selection gets a tip.
    bool byMouse = (flags & MF_MOUSESELECT) != 0;
    if (!byMouse && !ApiDeclares::MenusReportMouseSelection()) Trap([&] { byMouse = CursorOnItem(menu, id); });
    if (byMouse && m_Tooltip) Trap([&] { ShowItemTooltip(hwnd, *item.get()); });
}

}  // namespace quillon
