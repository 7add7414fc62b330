#include "demo/MDIForm1.h"
#include <string>
#include "demo/App.h"
#include "demo/Form1.h"
#include "demo/MenuIds.h"
#include "demo/MenuItemAttributes.h"
#include "demo/Menus.h"
#include "demo/Twips.h"

namespace demo::MDIForm1 {
namespace {

constexpr wchar_t kStatusBoxClass[] = L"Picture2";
constexpr int kStatusHeightTwips = 375;
constexpr int kClientWidthTwips = 7575, kClientHeightTwips = 6855;
constexpr UINT_PTR kExitTimer = 1;
constexpr UINT kLabelId = 1;
constexpr UINT kMdiClientId = 0xCAC;
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

class FrameEvents final : public QuillonEvents {
public:
    void SetMenuItemAttributes(IDispatch* menuItem) override { ApplyMenuItemAttributes(menuItem); }
    void ShowMenuHelp(IDispatch*, const std::wstring& helpMessage) override { SetStatusText(helpMessage.c_str()); }
    void ClearMenuHelp() override { SetStatusText(L""); }

private:
    // The status line is repainted at once: the menu loop would hold it back.
    static void SetStatusText(const wchar_t* text) {
        HWND label = TheApp().statusText;
        if (!label) return;
        SetWindowTextW(label, text);
        UpdateWindow(label);
    }
};

FrameEvents g_events;
HFONT g_statusFont = nullptr;  // Label1's font when the stock one does not fit the frame's DPI
int g_dpi = 96;                // the DPI the frame and its child are laid out for

void ShowAboutBox() {
    if (auto* control = TheApp().Control()) control->ShowAboutBox();
}

void LayOut(HWND frame) {
    App& app = TheApp();
    RECT rc{};
    GetClientRect(frame, &rc);
    const int status = TwipsToPixels(kStatusHeightTwips, DpiOf(frame));
    if (app.statusBox) MoveWindow(app.statusBox, 0, rc.bottom - status, rc.right, status, TRUE);
    if (app.mdiClient) MoveWindow(app.mdiClient, 0, 0, rc.right, rc.bottom > status ? rc.bottom - status : 0, TRUE);
}

// The exit timer also ends what may be modal at that moment (a menu, a
// dialog, the about box) so that the close goes through.
BOOL CALLBACK CancelOwnedDialog(HWND window, LPARAM frame) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(frame) && lstrcmpW(cls, L"#32770") == 0)
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// The stock GUI font is made for the system's DPI; on a monitor of another
// DPI Label1 gets a copy of it scaled to that.
void SetStatusFont(HWND frame) {
    HWND label = TheApp().statusText;
    if (!label) return;
    auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const int dpi = DpiOf(frame), system = DpiOf(nullptr);
    HFONT scaled = nullptr;
    LOGFONTW lf{};
    if (dpi != system && GetObjectW(stock, sizeof lf, &lf) == sizeof lf) {
        lf.lfHeight = MulDiv(lf.lfHeight, dpi, system);
        scaled = CreateFontIndirectW(&lf);
    }
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(scaled ? scaled : stock), IsWindowVisible(label));
    if (g_statusFont) DeleteObject(g_statusFont);
    g_statusFont = scaled;
}

// Moved to a monitor of another DPI: the frame takes the rectangle the
// system suggests, its MDI children are scaled alike (the system leaves
// child windows as they are) and the status line gets its font for the DPI.
void OnDpiChanged(HWND frame, int dpi, const RECT& suggested) {
    const int old = g_dpi;
    g_dpi = dpi;
    SetWindowPos(frame, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND client = TheApp().mdiClient;
    for (HWND child = client ? GetWindow(client, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsIconic(child) || IsZoomed(child)) continue;  // the MDI client places those itself
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, MulDiv(r.left, dpi, old), MulDiv(r.top, dpi, old),
                     MulDiv(r.right - r.left, dpi, old), MulDiv(r.bottom - r.top, dpi, old),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetStatusFont(frame);
}

void CloseFrame(HWND frame) {
    Form1::Destroy();
    TheApp().quillon.Close();
    DestroyWindow(frame);
}

bool OnCreate(HWND frame) {
    App& app = TheApp();
    app.frame = frame;
    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = nullptr;
    client.idFirstChild = cmd::FirstMdiChild;
    app.mdiClient = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                                    frame, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kMdiClientId)),
                                    app.instance, &client);
    app.statusBox = CreateWindowExW(0, kStatusBoxClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                    frame, nullptr, app.instance, nullptr);
    if (app.statusBox)
        app.statusText = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE,
                                         0, 0, 0, 0, app.statusBox,
                                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLabelId)), app.instance,
                                         nullptr);
    // The dialog font, not the bold system font of a bare static control.
    SetStatusFont(frame);
    return app.mdiClient != nullptr;
}

bool OnCommand(HWND frame, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case cmd::FrameFileNew:
            Form1::Show();
            return true;
        case cmd::FrameFileExit:
            PostMessageW(frame, WM_CLOSE, 0, 0);
            return true;
        case cmd::FrameHelpAbout:
            ShowAboutBox();
            return true;
        case cmd::FrameFileOpen:
        case cmd::FrameFileClose:
        case cmd::FrameFilePrinterSetup:
            return true;  // shown and described by the control, nothing to do
        default:
            break;
    }
    // The child's menu lives on the frame: its commands arrive here.
    if (LOWORD(wParam) < cmd::FirstMdiChild) {
        HWND child = reinterpret_cast<HWND>(SendMessageW(TheApp().mdiClient, WM_MDIGETACTIVE, 0, 0));
        if (child) {
            SendMessageW(child, WM_COMMAND, wParam, lParam);
            return true;
        }
    }
    return false;
}

LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    App& app = TheApp();
    switch (msg) {
        case WM_CREATE:
            return OnCreate(hwnd) ? 0 : -1;
        case WM_SIZE:
            LayOut(hwnd);
            return 0;  // not DefFrameProc: it would give the client the whole area
        case WM_DPICHANGED:
            OnDpiChanged(hwnd, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_COMMAND:
            if (OnCommand(hwnd, wParam, lParam)) return 0;
            break;
        case WM_TIMER:
            if (wParam == kExitTimer) {
                KillTimer(hwnd, kExitTimer);
                EndMenu();
                EnumThreadWindows(GetCurrentThreadId(), CancelOwnedDialog, reinterpret_cast<LPARAM>(hwnd));
                PostMessageW(hwnd, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_CLOSE:
            CloseFrame(hwnd);
            return 0;
        case WM_DESTROY:
            app.quillon.Close();
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            app.frame = app.mdiClient = app.statusBox = app.statusText = nullptr;
            app.frameMenu = nullptr;  // destroyed with the window it was on
            if (g_statusFont) DeleteObject(g_statusFont);  // Label1 is gone
            g_statusFont = nullptr;
            break;
        default:
            break;
    }
    return DefFrameProcW(hwnd, app.mdiClient, msg, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(hwnd, msg, wParam, lParam);
    } catch (...) {
        return DefFrameProcW(hwnd, TheApp().mdiClient, msg, wParam, lParam);
    }
}

// Picture2: a plain box; Label1 always fills it.
LRESULT CALLBACK StatusBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE) {
        if (HWND label = GetDlgItem(hwnd, kLabelId)) MoveWindow(label, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

bool Register(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return false;

    WNDCLASSEXW box{};
    box.cbSize = sizeof box;
    box.lpfnWndProc = StatusBoxProc;
    box.hInstance = instance;
    box.hCursor = LoadCursor(nullptr, IDC_ARROW);
    box.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    box.lpszClassName = kStatusBoxClass;
    return RegisterClassExW(&box) != 0;
}

HWND Create(int showCommand) {
    App& app = TheApp();
    app.frameMenu = CreateFrameMenu();
    // Sized for the system's DPI first; where the frame lands on a monitor
    // of another DPI, again for that one.
    g_dpi = DpiOf(nullptr);
    SIZE size = WindowSizeForClient(TwipsToPixels(kClientWidthTwips, g_dpi), TwipsToPixels(kClientHeightTwips, g_dpi),
                                    kFrameStyle, 0, true, g_dpi);
    HWND frame = CreateWindowExW(0, kClassName, kCaption, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy,
                                 nullptr, app.frameMenu, app.instance, nullptr);
    if (!frame) {
        DestroyMenu(app.frameMenu);
        app.frameMenu = nullptr;
        return nullptr;
    }
    if (const int dpi = DpiOf(frame); dpi != g_dpi) {
        g_dpi = dpi;
        size = WindowSizeForClient(TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi),
                                   kFrameStyle, 0, true, dpi);
        SetWindowPos(frame, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Frame load.
    app.quillon.Create(frame, app.folder, &g_events);
    if (auto* control = app.Control()) {
        BSTR zoomIn = SysAllocString(L"ZOOM IN|Zoom in to current document");
        BSTR zoomOut = SysAllocString(L"ZOOM OUT|Zoom out of current document");
        control->AddCompositeMessage(zoomIn);
        control->AddCompositeMessage(zoomOut);
        SysFreeString(zoomIn);
        SysFreeString(zoomOut);
    }
    Form1::Show();
    ShowWindow(frame, showCommand);
    UpdateWindow(frame);
    return frame;
}

void ExitAfter(UINT milliseconds) {
    if (milliseconds && TheApp().frame) SetTimer(TheApp().frame, kExitTimer, milliseconds, nullptr);
}

}  // namespace demo::MDIForm1
