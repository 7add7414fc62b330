#pragma once
// What a converted item's application value points at. Active
// Accessibility finds no name for an owner-drawn item unless its item data
// points at an MSAAMENUINFO; screen readers then read the text named there.
// Each record owns one block, at a fixed address for the record's life.
#include <windows.h>
#include <oleacc.h>
#include <string>

namespace quillon {

class AccessibleName {
public:
    AccessibleName() noexcept { Point(); }
    AccessibleName(const AccessibleName&) = delete;
    AccessibleName& operator=(const AccessibleName&) = delete;

    // The item data of the converted item: where the system reads the
    // MSAAMENUINFO. Never read back through by the control itself: a value
    // from a menu is only compared with the addresses of live blocks.
    ULONG_PTR Value() const noexcept { return reinterpret_cast<ULONG_PTR>(&m_info); }

    // The item's whole menu text, access-key ampersand, tab and shortcut included.
    void SetText(const std::wstring& text) {
        m_text = text;
        Point();
    }
    const std::wstring& Text() const noexcept { return m_text; }
    const MSAAMENUINFO& Info() const noexcept { return m_info; }

    // The record's serial (its ItemData), which its key is made from.
    void SetSerial(LONG serial) noexcept { m_serial = serial; }
    LONG Serial() const noexcept { return m_serial; }

private:
    // The text may have moved: the system is told where it is now.
    void Point() noexcept {
        m_info.dwMSAASignature = static_cast<DWORD>(MSAA_MENU_SIG);
        m_info.cchWText = static_cast<DWORD>(m_text.size());
        m_info.pszWText = m_text.data();
    }

    MSAAMENUINFO m_info{};
    LONG m_serial = 0;
    std::wstring m_text;
};

}  // namespace quillon
