#pragma once
// A thin wrapper over one "tooltips_class32" window: the tips the control
// shows for menu items. Every member talks to the window with synchronous
// messages on the thread that owns it.
#include <windows.h>
#include <commctrl.h>
#include <string>

namespace quillon {

class CTooltip {
public:
    CTooltip() = default;
    ~CTooltip();  // destroys the window
    CTooltip(const CTooltip&) = delete;
    CTooltip& operator=(const CTooltip&) = delete;

    // Creates the window for `parent`: active, balloon style, topmost.
    bool Init(HWND parent);
    HWND hwnd() const { return m_hwnd; }
    HWND Parent() const { return m_parent; }

    bool BalloonStyle() const { return m_balloon; }
    void SetBalloonStyle(bool balloon);
    long ToolCount() const;
    bool Active() const { return m_active; }
    void Activate(bool active);

    // Registers a tool `uid` (a window handle when `uidIsWindow`) over the
    // rectangle x, y, cx, cy of `container` (-1: the parent). False, and
    // nothing added, when a tool with that identifier exists.
    bool AddTool(UINT_PTR uid, bool uidIsWindow, long x, long y, long cx, long cy, const std::wstring& text,
                 LONG_PTR container = -1);
    void DeleteTool(UINT_PTR uid);

    // Background and text colour of the tips (RGB values).
    COLORREF BackColor() const;
    void SetBackColor(COLORREF color);
    COLORREF ForeColor() const;
    void SetForeColor(COLORREF color);
    void SetFont(HFONT font);

    // The title as given, and in the ANSI code page.
    const std::wstring& TitleText() const { return m_title; }
    std::string Title() const;
    void SetTitle(const std::wstring& title);
    long Icon() const { return m_icon; }
    void SetIcon(long icon);
    // The identifier of the tool at `index`, 0 when there is none.
    UINT_PTR ToolId(long index) const;

    int InitialDelay() const { return Delay(TTDT_INITIAL); }
    void SetInitialDelay(int ms) { SetDelay(TTDT_INITIAL, ms); }
    int ReshowDelay() const { return Delay(TTDT_RESHOW); }
    void SetReshowDelay(int ms) { SetDelay(TTDT_RESHOW, ms); }
    int AutopopDelay() const { return Delay(TTDT_AUTOPOP); }
    void SetAutopopDelay(int ms) { SetDelay(TTDT_AUTOPOP, ms); }

    // high * 65536 combined with the low word taken as unsigned.
    static long MakeLong(short low, short high) noexcept {
        return static_cast<long>(static_cast<unsigned long>(static_cast<unsigned short>(high)) << 16 |
                                 static_cast<unsigned short>(low));
    }

private:
    bool FindTool(UINT_PTR uid, TTTOOLINFOW& tool) const;
    int Delay(int which) const;
    void SetDelay(int which, int ms);
    void SendTitle();

    HWND m_hwnd = nullptr;
    HWND m_parent = nullptr;
    std::wstring m_title;
    long m_icon = 0;
    bool m_active = false;
    bool m_balloon = false;
};

}  // namespace quillon
