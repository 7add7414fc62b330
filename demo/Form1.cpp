#include "demo/Form1.h"
#include <olectl.h>
#include <new>
#include "demo/App.h"
#include "demo/Bitmaps.h"
#include "demo/Captions.h"
#include "demo/ComPtr.h"
#include "demo/Dialogs.h"
#include "demo/MenuIds.h"
#include "demo/Menus.h"
#include "demo/Twips.h"

namespace demo::Form1 {
namespace {

constexpr int kClientWidthTwips = 3735, kClientHeightTwips = 2490;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

// The loaded child. Pictures(0) and Pictures(1) are kept as picture objects
// only: they are not shown on the form, since a bitmap handed to the control
// as background picture is selected into the control's own device context.
struct Form {
    HWND hwnd = nullptr;
    ChildMenus menus;
    ComPtr<IPictureDisp> pictures[2];
};
Form* g_form = nullptr;

quillon::_Quillon* Control() { return TheApp().Control(); }

// The frame shows the child's menu while the child is active.
void ShowMenuOnFrame(HMENU menu) {
    App& app = TheApp();
    if (!app.mdiClient || !menu) return;
    SendMessageW(app.mdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu), 0);
    DrawMenuBar(app.frame);
}

void CheckColorScheme(Form& form, int scheme) {
    for (int i = 0; i < cmd::ColorSchemeCount; ++i)
        SetItemChecked(form.menus.bar, cmd::ColorScheme0 + static_cast<UINT>(i), i == scheme);
}

void OnLoad(Form& form) {
    form.menus = CreateChildMenus();
    const std::wstring& folder = TheApp().folder;
    form.pictures[0] = ComPtr<IPictureDisp>::Attach(PictureFromBitmap(LoadDemoBitmap(folder, kCloudsFile)));
    form.pictures[1] = ComPtr<IPictureDisp>::Attach(PictureFromBitmap(LoadDemoBitmap(folder, kLakeFile)));
    VARIANT_BOOL custom = VARIANT_FALSE, rightToLeft = VARIANT_FALSE;
    if (auto* control = Control()) {
        control->get_UseCustomColors(&custom);
        control->get_RightToLeft(&rightToLeft);
    }
    SetItemChecked(form.menus.bar, cmd::FileUseCustomColors, custom == VARIANT_TRUE);
    SetItemChecked(form.menus.bar, cmd::FileRightToLeftMenu, rightToLeft == VARIANT_TRUE);
    SetItemChecked(form.menus.bar, cmd::LangEnglish, true);
    quillon::qlColorScheme scheme = quillon::qlColorSchemeClassic;
    if (auto* control = Control()) control->get_ColorScheme(&scheme);
    CheckColorScheme(form, static_cast<int>(scheme));
}

void OnUnload(Form& form) {
    App& app = TheApp();
    // Never destroy a menu that is still on the frame.
    if (app.frame && GetMenu(app.frame) == form.menus.bar) ShowMenuOnFrame(app.frameMenu);
    if (form.menus.bar) DestroyMenu(form.menus.bar);
    if (form.menus.track) DestroyMenu(form.menus.track);
    form.menus = {};
    form.pictures[0].Reset();
    form.pictures[1].Reset();
}

bool ToggleCheck(HMENU menu, UINT command) {
    const bool checked = !IsItemChecked(menu, command);
    SetItemChecked(menu, command, checked);
    return checked;
}

// A new font object with the caption's face (in the menu font's size) for
// both captions and shortcuts.
void OnFont(Form& form, int index) {
    const UINT command = cmd::Font0 + static_cast<UINT>(index);
    std::wstring face = ItemCaption(form.menus.bar, command);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC screen = GetDC(nullptr);
    const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    LONG height = metrics.lfMenuFont.lfHeight < 0 ? -metrics.lfMenuFont.lfHeight : metrics.lfMenuFont.lfHeight;
    if (!height) height = MulDiv(8, ppi, 72);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = face.data();
    desc.cySize.int64 = static_cast<LONGLONG>(height) * 72 * 10000 / (ppi ? ppi : 96);  // points, fixed 4 decimals
    desc.sWeight = FW_NORMAL;
    desc.sCharset = DEFAULT_CHARSET;
    ComPtr<IFontDisp> font;
    OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font.Out()));
    if (auto* control = Control()) {
        control->SetMenuCaptionFont(font.get());
        control->SetMenuShortcutFont(font.get());
    }
    for (int i = 0; i < cmd::FontCount; ++i)
        SetItemChecked(form.menus.bar, cmd::Font0 + static_cast<UINT>(i), i == index);
}

void OnLanguage(Form& form, MenuLanguage language) {
    for (int i = 0; i < kMenuLanguageCount; ++i)
        SetItemChecked(form.menus.bar, cmd::LangEnglish + static_cast<UINT>(i), i == static_cast<int>(language));
    int count = 0;
    const CaptionRow* rows = CaptionRows(&count);
    for (int i = 0; i < count; ++i) {
        const bool onTrack = rows[i].command >= cmd::TrackUndo && rows[i].command <= cmd::TrackPaste;
        SetItemCaption(onTrack ? form.menus.track : form.menus.bar, rows[i].command,
                       rows[i].text[static_cast<int>(language)]);
    }
    const CaptionRow* submenus = SubmenuCaptionRows(&count);
    for (int i = 0; i < count; ++i)
        SetSubmenuCaption(form.menus.bar, submenus[i].command, submenus[i].text[static_cast<int>(language)]);
    if (auto* control = Control()) control->put_Language(static_cast<quillon::qlLanguage>(ControlLanguageOf(language)));
}

// Every step is tried on its own; a failing one does not stop the others.
void OnBackgroundPicture(Form& form, int index) {
    auto* control = Control();
    IPictureDisp* picture = nullptr;
    if (index == 0) {
        if (control) control->putref_BackgroundPicture(nullptr);
        if (control) control->put_TextColor(128);
    } else {
        picture = form.pictures[index - 1].get();
    }
    if (control) control->putref_BackgroundPicture(picture);
    for (int k = 0; k < cmd::BgPictureCount; ++k)
        SetItemChecked(form.menus.bar, cmd::BgPicture0 + static_cast<UINT>(k), k == index);
}

void OnCommand(Form& form, UINT command) {
    auto* control = Control();
    HWND frame = TheApp().frame;
    if (command >= cmd::Font0 && command < cmd::Font0 + cmd::FontCount) {
        OnFont(form, static_cast<int>(command - cmd::Font0));
        return;
    }
    if (command >= cmd::BgPicture0 && command < cmd::BgPicture0 + cmd::BgPictureCount) {
        OnBackgroundPicture(form, static_cast<int>(command - cmd::BgPicture0));
        return;
    }
    if (command >= cmd::ColorScheme0 && command < cmd::ColorScheme0 + cmd::ColorSchemeCount) {
        const int scheme = static_cast<int>(command - cmd::ColorScheme0);
        if (control) control->put_ColorScheme(static_cast<quillon::qlColorScheme>(scheme));
        CheckColorScheme(form, scheme);
        return;
    }
    if (command >= cmd::LangEnglish && command <= cmd::LangSpanish) {
        OnLanguage(form, static_cast<MenuLanguage>(command - cmd::LangEnglish));
        return;
    }
    switch (command) {
        case cmd::FileUseCustomColors: {
            const bool on = ToggleCheck(form.menus.bar, command);
            if (control) control->put_UseCustomColors(on ? VARIANT_TRUE : VARIANT_FALSE);
            break;
        }
        case cmd::FileRightToLeftMenu: {
            const bool on = ToggleCheck(form.menus.bar, command);
            if (control) control->put_RightToLeft(on ? VARIANT_TRUE : VARIANT_FALSE);
            break;
        }
        case cmd::ToolsHighlightStyle:
            ShowHighlightStyleDialog(frame, control);
            break;
        case cmd::ToolsBorderStyle:
            ShowBorderSelectDialog(frame, control);
            break;
        case cmd::ToolsTooltipProperties:
            ShowTooltipDialog(frame, control);
            break;
        case cmd::FileExit:
            PostMessageW(frame, WM_CLOSE, 0, 0);
            break;
        case cmd::HelpAbout:
            if (control) control->ShowAboutBox();
            break;
        default:
            break;  // drawn, measured and described by the control only
    }
}

LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Form* form = g_form && g_form->hwnd == hwnd ? g_form : nullptr;
    switch (msg) {
        case WM_CREATE:
            if (g_form && !g_form->hwnd) {
                g_form->hwnd = hwnd;
                OnLoad(*g_form);
            }
            break;
        case WM_MDIACTIVATE:
            if (form && reinterpret_cast<HWND>(lParam) == hwnd) {
                ShowMenuOnFrame(form->menus.bar);
            } else if (form && !lParam) {
                ShowMenuOnFrame(TheApp().frameMenu);  // no child left active
            }
            break;
        case WM_COMMAND:
            if (form) OnCommand(*form, LOWORD(wParam));
            return 0;
        case WM_RBUTTONDOWN:
            if (form && form->menus.track) {
                POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                ClientToScreen(hwnd, &pt);
                // The frame owns the pop-up: that is the window the control watches.
                TrackPopupMenu(form->menus.track, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                               TheApp().frame, nullptr);
            }
            return 0;
        case WM_DESTROY:
            if (form) OnUnload(*form);
            break;
        case WM_NCDESTROY:
            if (form) {
                delete g_form;
                g_form = nullptr;
            }
            break;
        default:
            break;
    }
    return DefMDIChildProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(hwnd, msg, wParam, lParam);
    } catch (...) {
        return DefMDIChildProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

bool Register(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ChildProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

void Show() {
    App& app = TheApp();
    if (!app.mdiClient) return;
    if (g_form && g_form->hwnd) {
        SendMessageW(app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(g_form->hwnd), 0);
        ShowWindow(g_form->hwnd, SW_SHOW);
        return;
    }
    g_form = new (std::nothrow) Form();
    if (!g_form) return;
    const int dpi = DpiOf(app.mdiClient);
    const SIZE size = WindowSizeForClient(TwipsToPixels(kClientWidthTwips, dpi),
                                          TwipsToPixels(kClientHeightTwips, dpi), kStyle, WS_EX_MDICHILD, false, dpi);
    HWND child = CreateWindowExW(WS_EX_MDICHILD, kClassName, kCaption, kStyle | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                 size.cx, size.cy, app.mdiClient, nullptr, app.instance, nullptr);
    if (!child && g_form) {
        if (g_form->hwnd) OnUnload(*g_form);
        delete g_form;
        g_form = nullptr;
    }
}

void Destroy() {
    if (g_form && g_form->hwnd) SendMessageW(TheApp().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(g_form->hwnd), 0);
}

}  // namespace demo::Form1
