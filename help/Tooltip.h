#pragma once
// A thin wrapper over one "tooltips_class32" window: the tips the control
// shows for menu items.
#include <windows.h>
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
    bool Active() const { return m_active; }
    void Activate(bool active);

    // Background and text colour of the tips (RGB values).
    COLORREF BackColor() const;
    void SetBackColor(COLORREF color);
    COLORREF ForeColor() const;
    void SetForeColor(COLORREF color);

    int InitialDelay() const;
    void SetInitialDelay(int ms);

    long Icon() const { return m_icon; }
    void SetIcon(long icon);
    const std::string& Title() const { return m_title; }

private:
    HWND m_hwnd = nullptr;
    HWND m_parent = nullptr;
    std::string m_title;
    long m_icon = 0;
    bool m_active = false;
    bool m_balloon = false;
};

}  // namespace quillon
