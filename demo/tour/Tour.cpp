#include "demo/tour/Tour.h"
#include <commctrl.h>
#include <olectl.h>
#include <oleauto.h>
#include <shellapi.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "demo/ComPtr.h"
#include "demo/Dialogs.h"
#include "demo/MenuIds.h"
#include "demo/Twips.h"
#include "demo/tour/TourReport.h"
#include "demo/tour/TourScript.h"
#include "demo/tour/TourShot.h"
#include "demo/tour/TourWindows.h"

namespace demo::tour {
namespace {

constexpr UINT kTickMs = 30;
constexpr DWORD kTotalLimitMs = 175000;

const wchar_t* const kHighlightNames[10] = {L"Plain",
                                            L"Horizontal Left To Right",
                                            L"Horizontal Right To Left",
                                            L"Horizontal Center",
                                            L"Vertical Top To Bottom",
                                            L"Vertical Bottom To Top",
                                            L"Vertical Center",
                                            L"Diagonal",
                                            L"Radial",
                                            L"XP"};
constexpr int kRadial = 8, kXP = 9, kPlain = 0;

const wchar_t* const kBorderNames[3] = {L"Normal", L"Flat", L"Flat With Shadow"};

struct Caption {
    UINT command;
    const wchar_t* english;
    const wchar_t* german;
};
// The captions the language commands set, on the bar and on the pop-up.
const Caption kCaptions[] = {
    {cmd::EditCopy, L"Co&py", L"Kopieren"},
    {cmd::EditCut, L"Cu&t", L"Ausschneiden"},
    {cmd::EditPaste, L"&Paste", L"Einf\u00FCgen"},
    {cmd::EditRedo, L"&Redo", L"Wiederherstellen"},
    {cmd::EditUndo, L"&Undo", L"R\u00FCckg\u00E4ngig"},
    {cmd::FileClose, L"C&lose", L"Schlie\u00DFen"},
    {cmd::FileExit, L"E&xit", L"Beenden"},
    {cmd::FileOpen, L"&Open", L"\u00D6ffnen"},
    {cmd::FilePrint, L"&Print", L"Drucken"},
    {cmd::FilePrintSetup, L"Print Se&tup", L"Druckereinrichtung"},
    {cmd::FileSave, L"&Save", L"Speichern"},
    {cmd::FileSaveAs, L"Save &As", L"Speichern unter"},
    {cmd::HelpAbout, L"&About", L"Info"},
    {cmd::TrackCopy, L"&Copy", L"Kopieren"},
    {cmd::TrackCut, L"Cu&t", L"Ausschneiden"},
    {cmd::TrackPaste, L"&Paste", L"Einf\u00FCgen"},
    {cmd::TrackUndo, L"&Undo", L"R\u00FCckg\u00E4ngig"},
};

std::wstring Slug(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        if (c >= L'A' && c <= L'Z') out += static_cast<wchar_t>(c - L'A' + L'a');
        else if ((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')) out += c;
        else if (!out.empty() && out.back() != L'-') out += L'-';
    }
    while (!out.empty() && out.back() == L'-') out.pop_back();
    return out;
}

std::wstring Number(double v) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%.2f", v);
    return text;
}

std::wstring Number(long v) { return std::to_wstring(v); }

class Tour {
public:
    Tour(HWND frame, IDispatch* control, std::wstring folder)
        : m_frame(frame), m_control(control), m_folder(std::move(folder)), m_dpi(DpiOf(frame)) {
        if (m_control) m_control->AddRef();
        m_script.onTimeout = [this](const std::wstring& failure) {
            m_report.Add(Result{false, failure});
            Recover();
        };
    }
    ~Tour() { ReleaseControl(); }
    Tour(const Tour&) = delete;
    Tour& operator=(const Tour&) = delete;

    void Build();
    void Start() {
        m_started = GetTickCount();
        m_timer = SetTimer(nullptr, 0, kTickMs, TimerProc);
    }
    bool Finished() const { return m_finished; }

    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);

private:
    // --- the building blocks of the steps ---
    void Step(const std::wstring& name);
    void Snap(const std::wstring& name, const std::wstring& caption);
    void Check(const std::wstring& name, std::function<bool(std::wstring& detail)> test);
    void CheckProperty(const wchar_t* property, long expected);
    // Of the `count` commands from `first`, only `checked` carries a check mark.
    void CheckOnlyChecked(const std::wstring& what, UINT first, int count, UINT checked);

    HMENU Bar() const { return GetMenu(m_frame); }
    // The menu on level `k` that leads to `command`: 0 is the bar's drop-down.
    HMENU Level(UINT command, int k) const {
        HMENU m = SubmenuHolding(Bar(), command);
        for (int i = 0; i < k && m; ++i) m = SubmenuHolding(m, command);
        return m;
    }
    int DepthOf(UINT command) const {
        int depth = 0;
        for (HMENU m = Level(command, 0); m && SubmenuHolding(m, command); m = SubmenuHolding(m, command)) ++depth;
        return depth;
    }
    bool BarItemRect(UINT command, RECT& r) const {
        const int pos = PositionOf(Bar(), command);
        return pos >= 0 && GetMenuItemRect(m_frame, Bar(), pos, &r);
    }

    void OpenMenu(UINT command);    // clicks the bar item of the menu holding `command`
    void SwitchMenu(UINT command);  // a menu is open: points at another bar item
    // A menu is open: moves along the bar to the menu holding `hovered`,
    // points at that item and takes the picture.
    void SwitchAndSnap(UINT hovered, const std::wstring& name, const std::wstring& caption);
    void Hover(UINT command, int level);
    void OpenSubmenu(UINT command, int level);  // hovers the item leading to `command` on `level`
    void CloseMenus();
    void Choose(UINT command);  // from the bar down to the item, then a click
    void OpenDialog(UINT command, const wchar_t* caption);
    void ClickButton(const wchar_t* dialog, const std::wstring& button);
    void CloseDialog(const wchar_t* dialog, WORD key);

    // --- the tour itself ---
    void Menus();
    void Popup();
    void DialogsOpenAndCancel();
    void HighlightStyles();
    void BorderStyles();
    void Tooltips();
    void Languages();
    void Fonts();
    void RightToLeft();
    void Backgrounds();
    void AboutAndFrameMenu();
    void ColorSchemes();
    void DisabledPictures();
    void KeyboardCues();
    void SubmenuArrows();

    void SaveFigure(const Shot& shot, const std::wstring& name, const std::wstring& caption);
    // The rectangle of `command`'s item in the shown menu on `level`; empty when none.
    RECT ItemRect(UINT command, int level) const;
    // High contrast as Wine's programs read it: the registry value, then the
    // colour-change message the control follows.
    void SetHighContrast(bool on);
    void RestoreHighContrast();

    bool Get(const wchar_t* property, long& value) const;
    ComPtr<IPicture> DefaultPicture(const std::wstring& caption) const;
    bool FilePicturesFitTheDpi(std::wstring& detail) const;
    LONG Px(int pixelsAt96) const { return MulDiv(pixelsAt96, m_dpi, 96); }
    std::wstring Status() const { return TextOf(StatusLine(m_frame)); }
    bool CaptionsAre(bool german, std::wstring& detail) const;
    void Recover();
    void Tick();
    void Finish();
    void ReleaseControl() {
        if (m_control) m_control->Release();
        m_control = nullptr;
    }

    HWND m_frame;
    IDispatch* m_control;
    std::wstring m_folder;
    int m_dpi;  // the frame's
    Script m_script;
    Report m_report;
    UINT_PTR m_timer = 0;
    DWORD m_started = 0;
    bool m_finished = false, m_busy = false;

    Shot m_shot;           // the last screenshot
    // Calls f(x, y, colour) for each pixel of `r` the last screenshot holds.
    template <class F>
    void ForEachShotPixel(const RECT& r, F&& f) const {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = m_shot.At(x, y);
                if (c != CLR_INVALID) f(x, y, c);
            }
    }
    RECT m_hovered{};      // the item the mouse points at
    POINT m_hoverPoint{};  //
    HMENU m_track = nullptr;
    double m_highlightShare[10] = {};
    double m_noneClouds = 0;
    long m_saved[5] = {};
    bool m_highContrastSet = false;  // the registry value is the tour's until restored
    bool m_highContrastHad = false;  // whether there was one before
    std::wstring m_highContrastWas;
    Shot m_mouseShot, m_keyboardShot;
    HHOOK m_hook = nullptr;
    int m_mouseNoAccel = 0, m_keyboardNoAccel = 0, m_menuItemsDrawn = 0;
};

Tour* g_tour = nullptr;

// ---------------------------------------------------------------------------

void Tour::Step(const std::wstring& name) {
    m_script.Step(name);
    m_script.Wait(
        L"menus and dialogs are closed", [] { return !AnyPopupShown() && ThreadWindows(L"#32770").empty(); }, 3000);
    m_script.Pause(100);
}

void Tour::Snap(const std::wstring& name, const std::wstring& caption) {
    m_script.Do([this, name, caption] {
        m_shot = CaptureScreen(SceneRect(m_frame));
        SaveFigure(m_shot, name, caption);
    });
}

void Tour::SaveFigure(const Shot& shot, const std::wstring& name, const std::wstring& caption) {
    wchar_t number[8];
    std::swprintf(number, 8, L"%02d", m_report.FigureCount() + 1);
    const std::wstring file = std::wstring(number) + L"-" + name + L".png";
    if (SavePng(shot, m_folder + L"\\" + file)) {
        m_report.Add(Figure{file, caption});
    } else {
        m_report.Add(Result{false, L"screenshot " + file + L" is saved"});
    }
}

void Tour::Check(const std::wstring& name, std::function<bool(std::wstring& detail)> test) {
    m_script.Do([this, name, test] {
        std::wstring detail;
        bool pass = false;
        try {
            pass = test(detail);
        } catch (...) {
            pass = false;
            detail = L"the check failed to run";
        }
        m_report.Add(Result{pass, detail.empty() ? name : name + L" [" + detail + L"]"});
    });
}

void Tour::CheckProperty(const wchar_t* property, long expected) {
    Check(std::wstring(property) + L" is " + Number(expected), [this, property, expected](std::wstring& detail) {
        long value = 0;
        if (!Get(property, value)) {
            detail = L"cannot be read";
            return false;
        }
        detail = L"read " + Number(value);
        return value == expected;
    });
}

void Tour::CheckOnlyChecked(const std::wstring& what, UINT first, int count, UINT checked) {
    Check(what, [this, first, count, checked](std::wstring& detail) {
        bool only = true;
        for (int i = 0; i < count; ++i) {
            const UINT command = first + static_cast<UINT>(i);
            const UINT state = GetMenuState(Bar(), command, MF_BYCOMMAND);
            const bool isChecked = state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
            if (isChecked) detail += (detail.empty() ? L"checked: " : L", ") + ItemText(Bar(), command);
            only = only && isChecked == (command == checked);
        }
        return only;
    });
}

void Tour::OpenMenu(UINT command) {
    m_script.Do([this, command] {
        RECT r{};
        if (BarItemRect(command, r)) Click(Center(r));
    });
    m_script.Wait(L"the menu opens", [this, command] { return PopupWindowOf(Level(command, 0)) != nullptr; });
    m_script.Pause(150);
}

void Tour::SwitchMenu(UINT command) {
    m_script.Do([this, command] {
        RECT r{};
        if (BarItemRect(command, r)) MoveMouse(Center(r));
    });
    m_script.Wait(L"the next menu opens", [this, command] { return PopupWindowOf(Level(command, 0)) != nullptr; });
    m_script.Pause(150);
}

void Tour::SwitchAndSnap(UINT hovered, const std::wstring& name, const std::wstring& caption) {
    SwitchMenu(hovered);
    Hover(hovered, 0);
    Snap(name, caption);
}

void Tour::Hover(UINT command, int level) {
    m_script.Do([this, command, level] {
        HMENU m = Level(command, level);
        const int pos = PositionOf(m, command);
        RECT r{};
        if (pos >= 0 && GetMenuItemRect(nullptr, m, pos, &r)) {
            m_hovered = r;
            m_hoverPoint = Center(r);
            MoveMouse({m_hoverPoint.x - 4, m_hoverPoint.y});
        }
    });
    m_script.Pause(60);
    m_script.Do([this] { MoveMouse(m_hoverPoint); });
    m_script.Pause(120);
}

void Tour::OpenSubmenu(UINT command, int level) {
    Hover(command, level);
    m_script.Wait(L"the submenu opens",
                  [this, command, level] { return PopupWindowOf(Level(command, level + 1)) != nullptr; });
    m_script.Pause(120);
}

void Tour::CloseMenus() {
    m_script.Wait(L"the menus close", [] {
        if (!AnyPopupShown()) return true;
        PressKey(VK_ESCAPE);
        return false;
    });
    m_script.Pause(120);
    m_script.Do([] { PressKey(VK_ESCAPE); });  // leaves the menu bar
    m_script.Pause(150);
}

void Tour::Choose(UINT command) {
    const int depth = DepthOf(command);
    OpenMenu(command);
    for (int k = 0; k < depth; ++k) OpenSubmenu(command, k);
    Hover(command, depth);
    m_script.Do([this] { Click(m_hoverPoint); });
    m_script.Wait(L"the menu closes", [] { return !AnyPopupShown(); });
    m_script.Pause(150);
}

void Tour::OpenDialog(UINT command, const wchar_t* caption) {
    Choose(command);
    m_script.Wait(L"the dialog opens", [caption] { return FindDialog(caption) != nullptr; });
    m_script.Pause(250);
}

void Tour::ClickButton(const wchar_t* dialog, const std::wstring& button) {
    m_script.Do([this, dialog, button] {
        HWND w = ButtonByCaption(FindDialog(dialog), button);
        RECT r{};
        if (w && GetWindowRect(w, &r)) Click({r.left + Px(8), (r.top + r.bottom) / 2});
    });
    m_script.Pause(150);
}

void Tour::CloseDialog(const wchar_t* dialog, WORD key) {
    m_script.Do([key] { PressKey(key); });
    m_script.Wait(L"the dialog closes", [dialog] { return FindDialog(dialog) == nullptr; });
    m_script.Pause(150);
}

bool Tour::Get(const wchar_t* property, long& value) const {
    if (!m_control) return false;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(property);
    if (FAILED(m_control->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    if (FAILED(m_control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                                 nullptr)))
        return false;
    VARIANT number;
    VariantInit(&number);
    const HRESULT hr = VariantChangeType(&number, &result, 0, VT_I4);
    VariantClear(&result);
    if (FAILED(hr)) return false;
    value = V_I4(&number);
    return true;
}

ComPtr<IPicture> Tour::DefaultPicture(const std::wstring& caption) const {
    ComPtr<IPicture> picture;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(L"GetDefaultPicture");
    if (!m_control || FAILED(m_control->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return picture;
    VARIANT argument, result;
    VariantInit(&argument);
    VariantInit(&result);
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = SysAllocString(caption.c_str());
    DISPPARAMS params{&argument, nullptr, 1, 0};
    if (SUCCEEDED(m_control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                    nullptr)) &&
        (V_VT(&result) == VT_DISPATCH || V_VT(&result) == VT_UNKNOWN) && V_UNKNOWN(&result))
        V_UNKNOWN(&result)->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.Out()));
    VariantClear(&argument);
    VariantClear(&result);
    return picture;
}

// The File menu's pictures are MulDiv(16, dpi, 96) pixels tall on the
// screen, whether the library has icons of that size or smaller ones are
// scaled. An icon's art need not fill its square: each picture's ink on the
// screen is set against the ink of the control's icon for that item drawn at
// its own size. Measured with no background picture, over the plain picture
// column; the item height goes into the detail for the comparison of tours.
bool Tour::FilePicturesFitTheDpi(std::wstring& detail) const {
    HMENU file = Level(cmd::FileOpen, 0);
    const UINT pictured[] = {cmd::FileOpen, cmd::FilePrintSetup, cmd::FilePrint, cmd::FileExit};
    const int expected = MulDiv(16, m_dpi, 96);
    int screenInk = 0, iconInk = 0, iconSize = 0;
    LONG itemHeight = 0;
    std::wstring items;
    for (UINT command : pictured) {
        const std::wstring caption = ItemText(file, command);
        RECT item{};
        if (!file || !GetMenuItemRect(nullptr, file, PositionOf(file, command), &item)) {
            detail = L"no rectangle for " + caption;
            return false;
        }
        itemHeight = item.bottom - item.top;
        // The picture column: from the item's left edge as far as the top row keeps its colour.
        const Shot shot = CaptureScreen(item);
        const COLORREF column = shot.At(item.left, item.top);
        RECT cell{item.left, item.top, item.left, item.bottom};
        while (cell.right < item.left + 2 * itemHeight && shot.At(cell.right, item.top) == column) ++cell.right;
        const int onScreen = InkHeight(shot, cell, column);
        const ComPtr<IPicture> picture = DefaultPicture(caption);
        OLE_HANDLE handle = 0;
        SHORT type = PICTYPE_NONE;
        int size = 0, own = 0;
        if (picture && SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_ICON &&
            SUCCEEDED(picture->get_Handle(&handle)))
            own = IconInkHeight(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)), column, size);
        if (!own || (iconSize && size != iconSize)) {
            detail = L"no icon for " + caption + L" (or one of another size)";
            return false;
        }
        iconSize = size;
        screenInk += onScreen;
        iconInk += own;
        items += (items.empty() ? L"" : L", ") + caption + L" " + Number(long(onScreen)) + L"/" + Number(long(own));
    }
    const double drawn = static_cast<double>(screenInk) * iconSize / iconInk;
    detail = Number(long(m_dpi)) + L" DPI: item height " + Number(long(itemHeight)) + L", pictures " + Number(drawn) +
             L" px (ink on screen/in the " + Number(long(iconSize)) + L"-px icon: " + items + L")";
    return std::abs(drawn - expected) <= 1.0 && itemHeight >= expected;
}

bool Tour::CaptionsAre(bool german, std::wstring& detail) const {
    bool all = true;
    for (const Caption& c : kCaptions) {
        const bool onTrack = c.command >= cmd::TrackUndo && c.command <= cmd::TrackPaste;
        const std::wstring expected = german ? c.german : c.english;
        const std::wstring actual = ItemText(onTrack ? m_track : Bar(), c.command);
        if (actual != expected) {
            all = false;
            if (!detail.empty()) detail += L"; ";
            detail += L"'" + actual + L"' instead of '" + expected + L"'";
        }
    }
    return all;
}

// ---------------------------------------------------------------------------

void Tour::Menus() {
    Step(L"start");
    m_script.Do([this] {
        SetForegroundWindow(m_frame);
        MoveMouse({GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20});
    });
    m_script.Pause(800);
    Snap(L"start", L"DemoHost as it starts: the frame with the child form Form1, whose menu is on the frame's bar; "
                   L"the bar's items are drawn in italics, the status line at the bottom is empty.");
    Check(L"the caption buttons' font resolves to Marlett, so they show glyphs, not letters", [](std::wstring& detail) {
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfCharSet = SYMBOL_CHARSET;
        lstrcpyW(lf.lfFaceName, L"Marlett");
        HFONT font = CreateFontIndirectW(&lf);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, face);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(font);
        detail = face;
        return lstrcmpiW(face, L"Marlett") == 0;
    });
    Check(L"DemoHost is per-monitor DPI aware", [this](std::wstring& detail) {
        const int awareness = DpiAwareness();
        detail = L"awareness " + Number(long(awareness)) + L", the frame at " + Number(long(m_dpi)) + L" DPI";
        return awareness == 2;
    });
    Check(L"the menu bar shows File, Edit, View, Tools and Help and no TrackMenu", [this](std::wstring& detail) {
        HMENU bar = Bar();
        const int n = bar ? GetMenuItemCount(bar) : 0;
        detail = std::to_wstring(n) + L" items";
        const UINT holds[] = {cmd::FileOpen, cmd::EditUndo, cmd::ViewZoomIn, cmd::ToolsHighlightStyle, cmd::HelpAbout};
        for (UINT c : holds)
            if (PositionOf(bar, c) < 0) return false;
        for (int i = 0; i < n; ++i)
            if (MenuHolds(GetSubMenu(bar, i), cmd::TrackUndo)) return false;
        return n == 5;
    });
    Check(L"the menu bar's items are drawn in italics", [this](std::wstring& detail) {
        // File, drawn as the bar draws it in the menu font, upright and
        // italic: the picture on screen must be the italic one.
        RECT item{};
        if (!GetMenuItemRect(m_frame, Bar(), 0, &item)) return false;
        const Shot shot = CaptureScreen(item);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW font = metrics.lfMenuFont;
        font.lfItalic = FALSE;
        const double upright = TextMatch(shot, item, L"&File", font, true);
        font.lfItalic = TRUE;
        const double italic = TextMatch(shot, item, L"&File", font, true);
        detail = L"matches italic " + Number(italic) + L", upright " + Number(upright);
        return italic > upright;
    });
    Check(L"the status line is empty at start", [this](std::wstring& detail) {
        detail = L"'" + Status() + L"'";
        return StatusLine(m_frame) && Status().empty();
    });

    Step(L"file-menu");
    OpenMenu(cmd::FileOpen);
    Hover(cmd::FileOpen, 0);
    Snap(L"file-menu", L"The File menu opened with a click: the control paints every item, with pictures beside "
                       L"the standard commands, a flat border and the XP highlight on the item under the mouse.");
    SwitchMenu(cmd::EditUndo);
    Hover(cmd::EditCopy, 0);
    Snap(L"edit-menu", L"The Edit menu, reached by moving the mouse along the bar.");
    OpenSubmenu(cmd::Font0, 0);
    Hover(cmd::Font0 + 2, 1);
    m_script.Until([] { return TooltipText(VisibleTooltip()) == L"Set menu font to 'Arial'"; }, 3000);
    m_script.Pause(200);
    Check(L"pointing at Arial shows the tooltip \"Set menu font to 'Arial'\"", [](std::wstring& detail) {
        HWND tip = VisibleTooltip();
        detail = tip ? L"'" + TooltipText(tip) + L"'" : L"no tooltip";
        return tip && TooltipText(tip) == L"Set menu font to 'Arial'";
    });
    Check(L"the font items are drawn each in its own face", [this](std::wstring& detail) {
        // Each unselected item's caption, drawn in its own face and in the
        // other face: its own must match the screen better.
        // (MS Serif lies under Arial's tooltip.)
        HMENU fonts = Level(cmd::Font0, 1);
        const struct { UINT command; const wchar_t *text, *other; } items[] = {
            {cmd::Font0 + 1, L"Times New Roman", L"Arial"}, {cmd::Font0, L"MS Sans Serif", L"Times New Roman"}};
        bool all = fonts != nullptr;
        for (const auto& it : items) {
            RECT item{};
            if (!fonts || !GetMenuItemRect(nullptr, fonts, PositionOf(fonts, it.command), &item)) return false;
            item.left += item.bottom - item.top + 2;  // past the picture column
            const Shot shot = CaptureScreen(item);
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof metrics;
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
            LOGFONTW font = metrics.lfMenuFont;
            lstrcpynW(font.lfFaceName, it.text, LF_FACESIZE);
            const double own = TextMatch(shot, item, it.text, font, false);
            lstrcpynW(font.lfFaceName, it.other, LF_FACESIZE);
            const double other = TextMatch(shot, item, it.text, font, false);
            detail += std::wstring(detail.empty() ? L"" : L"; ") + it.text + L" " + Number(own) + L" against " +
                      it.other + L" " + Number(other);
            all = all && own > other;
        }
        return all;
    });
    Snap(L"fonts-arial-tooltip", L"Edit > Fonts: each font item is drawn in its own face; pointing at Arial shows "
                                 L"its tooltip.");
    OpenSubmenu(cmd::LangEnglish, 0);
    Hover(cmd::LangGerman, 1);
    Snap(L"language-menu", L"Edit > Language, with English checked.");
    OpenSubmenu(cmd::BgPicture0, 0);
    Hover(cmd::BgPicture0 + 1, 1);
    Snap(L"background-menu", L"Edit > Background Picture, with Lake checked.");

    SwitchMenu(cmd::ViewZoomIn);
    Hover(cmd::ViewZoomIn, 0);
    m_script.Until([this] { return Status() == L"Zoom in to current document"; }, 2000);
    Check(L"pointing at Zoom In shows 'Zoom in to current document' in the status line", [this](std::wstring& detail) {
        detail = L"'" + Status() + L"'";
        return Status() == L"Zoom in to current document";
    });
    m_script.Until([] { return TooltipText(VisibleTooltip()) == L"Zoom in to current document"; }, 3000);
    m_script.Pause(200);
    Check(L"pointing at Zoom In with the mouse shows its text as a rectangular tooltip", [](std::wstring& detail) {
        HWND tip = VisibleTooltip();
        if (!tip) {
            detail = L"no tooltip";
            return false;
        }
        const bool balloon = (GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON) != 0;
        detail = L"'" + TooltipText(tip) + L"'" + (balloon ? L", balloon" : L", rectangle");
        return !balloon && TooltipText(tip) == L"Zoom in to current document";
    });
    Snap(L"zoom-in-tooltip", L"View > Zoom In: its help text is in the status line and, since the mouse points "
                             L"at it, in a rectangular tooltip.");
    Hover(cmd::ViewZoomOut, 0);
    m_script.Until([this] { return Status() == L"Zoom out of current document"; }, 2000);
    Check(L"pointing at Zoom Out shows 'Zoom out of current document' in the status line",
          [this](std::wstring& detail) {
              detail = L"'" + Status() + L"'";
              return Status() == L"Zoom out of current document";
          });
    Snap(L"zoom-out-status", L"View > Zoom Out: the status line follows the item under the mouse.");
    SwitchAndSnap(cmd::ToolsTooltipProperties, L"tools-menu",
                  L"The Tools menu with the three dialogs and the Colour Scheme submenu.");
    SwitchAndSnap(cmd::HelpAbout, L"help-menu", L"The Help menu.");
    CloseMenus();
    m_script.Until([this] { return Status().empty(); }, 2000);
    Check(L"closing the menu empties the status line", [this](std::wstring& detail) {
        detail = L"'" + Status() + L"'";
        return Status().empty();
    });
    Snap(L"menu-closed", L"Menus closed with Esc: the status line is empty again.");
}

void Tour::Popup() {
    Step(L"popup");
    m_script.Do([this] {
        HWND client = FindWindowExW(m_frame, nullptr, L"MDIClient", nullptr);
        HWND child = client ? FindWindowExW(client, nullptr, L"Form1", nullptr) : nullptr;
        RECT r{};
        if (child && GetClientRect(child, &r)) {
            POINT p = Center(r);
            ClientToScreen(child, &p);
            Click(p, true);
        }
    });
    m_script.Wait(L"the pop-up menu opens", [this] {
        HMENU m = AnyShownPopup();
        if (m && GetMenuItemID(m, 0) == cmd::TrackUndo) m_track = m;
        return m_track != nullptr;
    });
    m_script.Pause(300);
    Check(L"a right click on the child opens TrackMenu, whose first item is Undo", [this](std::wstring& detail) {
        detail = L"'" + ItemText(m_track, cmd::TrackUndo) + L"'";
        return m_track && GetMenuItemCount(m_track) == 5 && ItemText(m_track, cmd::TrackUndo) == L"&Undo";
    });
    Snap(L"popup-menu", L"A right click on Form1 opens the TrackMenu pop-up, which is never on the bar.");
    CloseMenus();
}

void Tour::DialogsOpenAndCancel() {
    // Everything a dialog could change, read before it opens.
    static const wchar_t* const kProperties[5] = {L"HighlightStyle", L"MenuBorder", L"ShowTooltip", L"ShowTootipTitle",
                                                  L"TootipStyle"};
    auto save = [this] {
        m_script.Do([this] {
            for (int i = 0; i < 5; ++i) Get(kProperties[i], m_saved[i]);
        });
    };
    auto unchanged = [this](const std::wstring& dialog) {
        Check(L"Cancel in the " + dialog + L" dialog leaves every property as it was", [this](std::wstring& detail) {
            bool same = true;
            for (int i = 0; i < 5; ++i) {
                long now = 0;
                const bool read = Get(kProperties[i], now);
                if (!read || now != m_saved[i]) {
                    same = false;
                    detail += std::wstring(kProperties[i]) + L" " + Number(m_saved[i]) + L" -> " + Number(now) + L" ";
                }
            }
            return same;
        });
    };

    // An option dialog shows the control's current value checked.
    auto checkOpensOn = [this](const std::wstring& dialog, const wchar_t* caption, const std::wstring& option) {
        Check(L"the " + dialog + L" dialog opens on '" + option + L"'", [caption, option](std::wstring& detail) {
            const std::wstring checked = CheckedRadio(FindDialog(caption));
            detail = L"'" + checked + L"'";
            return checked == option;
        });
    };

    Step(L"highlight-dialog");
    save();
    OpenDialog(cmd::ToolsHighlightStyle, kHighlightDialogCaption);
    checkOpensOn(L"highlight", kHighlightDialogCaption, L"XP");
    Snap(L"highlight-dialog", L"Tools > Highlight Style: the dialog opens on the control's current style, XP.");
    ClickButton(kHighlightDialogCaption, L"Diagonal");
    ClickButton(kHighlightDialogCaption, L"Plain");
    CloseDialog(kHighlightDialogCaption, VK_ESCAPE);
    unchanged(L"highlight");

    Step(L"border-dialog");
    save();
    OpenDialog(cmd::ToolsBorderStyle, kBorderDialogCaption);
    checkOpensOn(L"border", kBorderDialogCaption, L"Flat");
    Snap(L"border-dialog", L"Tools > Border Style: the dialog opens on Flat.");
    ClickButton(kBorderDialogCaption, L"Normal");
    CloseDialog(kBorderDialogCaption, VK_ESCAPE);
    unchanged(L"border");

    Step(L"tooltip-dialog");
    save();
    OpenDialog(cmd::ToolsTooltipProperties, kTooltipDialogCaption);
    Check(L"the tooltip dialog opens with tooltips on, titles off and 'Rectangle'", [](std::wstring& detail) {
        HWND d = FindDialog(kTooltipDialogCaption);
        const bool tips = IsChecked(ButtonByCaption(d, L"Tootips")), titles = IsChecked(ButtonByCaption(d, L"Tootip Titles"));
        const std::wstring style = CheckedRadio(d);
        detail = std::wstring(L"tooltips ") + (tips ? L"on" : L"off") + L", titles " + (titles ? L"on" : L"off") +
                 L", '" + style + L"'";
        return tips && !titles && style == L"Rectangle";
    });
    Snap(L"tooltip-dialog", L"Tools > Tooltip Properties: tooltips on, titles off, rectangle style.");
    ClickButton(kTooltipDialogCaption, L"Balloon");
    ClickButton(kTooltipDialogCaption, L"Tootip Titles");
    ClickButton(kTooltipDialogCaption, L"Tootips");
    ClickButton(kTooltipDialogCaption, L"Cancel");  // the button itself; the other two close with Esc
    m_script.Wait(L"the dialog closes", [] { return FindDialog(kTooltipDialogCaption) == nullptr; });
    unchanged(L"tooltip");
}

void Tour::HighlightStyles() {
    // Plain first, then every other style, XP (the starting style) last.
    for (int style = 0; style < 10; ++style) {
        const std::wstring name = kHighlightNames[style];
        Step(L"highlight-" + Slug(name));
        OpenDialog(cmd::ToolsHighlightStyle, kHighlightDialogCaption);
        ClickButton(kHighlightDialogCaption, name);
        CloseDialog(kHighlightDialogCaption, VK_RETURN);
        CheckProperty(L"HighlightStyle", style);
        OpenMenu(cmd::ViewZoomIn);
        Hover(cmd::ViewZoomIn, 0);
        m_script.Pause(150);
        Snap(L"highlight-" + Slug(name), L"Highlight style " + name + L", chosen in the Highlight Style dialog and "
                                                                      L"OK: the bar under Zoom In.");
        m_script.Do([this, style] {
            // The upper half of the item: the tooltip shows below the mouse.
            RECT upper = m_hovered;
            upper.bottom = (upper.top + upper.bottom) / 2;
            m_highlightShare[style] = DominantShare(m_shot, upper);
        });
        CloseMenus();
    }
    Check(L"Radial paints a radial highlight, not a plain fill", [this](std::wstring& detail) {
        detail = L"largest single colour " + Number(m_highlightShare[kRadial]) + L" of the item, plain " +
                 Number(m_highlightShare[kPlain]);
        return m_highlightShare[kPlain] > 0.5 && m_highlightShare[kRadial] < 0.35;
    });
    Check(L"the highlight is back on XP", [this](std::wstring& detail) {
        long v = -1;
        Get(L"HighlightStyle", v);
        detail = L"read " + Number(v);
        return v == kXP;
    });
}

void Tour::BorderStyles() {
    const int order[3] = {0, 2, 1};  // Flat, the starting style, last
    for (int border : order) {
        const std::wstring name = kBorderNames[border];
        Step(L"border-" + Slug(name));
        OpenDialog(cmd::ToolsBorderStyle, kBorderDialogCaption);
        ClickButton(kBorderDialogCaption, name);
        CloseDialog(kBorderDialogCaption, VK_RETURN);
        CheckProperty(L"MenuBorder", border);
        OpenMenu(cmd::EditUndo);
        Hover(cmd::EditCopy, 0);
        Snap(L"border-" + Slug(name), L"Border style " + name + L", chosen in the Border Style dialog.");
        CloseMenus();
    }
}

void Tour::Tooltips() {
    Step(L"balloon-tooltips");
    OpenDialog(cmd::ToolsTooltipProperties, kTooltipDialogCaption);
    ClickButton(kTooltipDialogCaption, L"Balloon");
    ClickButton(kTooltipDialogCaption, L"Tootip Titles");
    CloseDialog(kTooltipDialogCaption, VK_RETURN);
    CheckProperty(L"TootipStyle", 0);
    CheckProperty(L"ShowTootipTitle", -1);
    OpenMenu(cmd::ViewZoomIn);
    Hover(cmd::ViewZoomIn, 0);
    m_script.Until([] { return VisibleTooltip() != nullptr; }, 3000);
    m_script.Pause(400);
    Check(L"balloon style shows a balloon tooltip", [](std::wstring& detail) {
        HWND tip = VisibleTooltip();
        detail = tip ? L"'" + TooltipText(tip) + L"'" : L"no tooltip";
        return tip && (GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON) != 0;
    });
    Snap(L"balloon-tooltip", L"Balloon tooltips with titles, set in the Tooltip Properties dialog.");
    CloseMenus();

    Step(L"rectangle-tooltips");
    OpenDialog(cmd::ToolsTooltipProperties, kTooltipDialogCaption);
    ClickButton(kTooltipDialogCaption, L"Rectangle");
    ClickButton(kTooltipDialogCaption, L"Tootip Titles");
    CloseDialog(kTooltipDialogCaption, VK_RETURN);
    CheckProperty(L"TootipStyle", 1);
    CheckProperty(L"ShowTootipTitle", 0);
}

void Tour::Languages() {
    struct Language {
        UINT command;
        const wchar_t* name;
        long value;
    };
    const Language languages[] = {{cmd::LangFrench, L"French", 4},
                                  {cmd::LangGerman, L"German", 6},
                                  {cmd::LangItalian, L"Italian", 3},
                                  {cmd::LangSpanish, L"Spanish", 5},
                                  {cmd::LangEnglish, L"English", 0}};
    for (const Language& l : languages) {
        const std::wstring name = l.name;
        Step(L"language-" + Slug(name));
        Choose(l.command);
        CheckProperty(L"Language", l.value);
        OpenMenu(cmd::EditUndo);
        Hover(cmd::EditCopy, 0);
        Snap(L"language-" + Slug(name), L"Edit menu in " + name + L": the captions the demo sets and the control's "
                                                                   L"help texts and pictures for that language.");
        CloseMenus();
        if (l.command == cmd::LangGerman || l.command == cmd::LangEnglish) {
            const bool german = l.command == cmd::LangGerman;
            Check(german ? L"German sets every listed caption, the pop-up's too (Edit holds 'Kopieren')"
                         : L"English restores every listed caption, the pop-up's too (Edit holds 'Co&py')",
                  [this, german](std::wstring& detail) { return m_track && CaptionsAre(german, detail); });
        }
        if (l.command == cmd::LangGerman) {
            m_script.Do([this] {
                HWND client = FindWindowExW(m_frame, nullptr, L"MDIClient", nullptr);
                HWND child = client ? FindWindowExW(client, nullptr, L"Form1", nullptr) : nullptr;
                RECT r{};
                if (child && GetClientRect(child, &r)) {
                    POINT p{r.right / 3, r.bottom / 2};
                    ClientToScreen(child, &p);
                    Click(p, true);
                }
            });
            m_script.Wait(L"the pop-up menu opens", [this] { return PopupWindowOf(m_track) != nullptr; });
            m_script.Pause(300);
            Snap(L"popup-german", L"The pop-up menu in German.");
            CloseMenus();
        }
    }
}

void Tour::Fonts() {
    const int order[4] = {1, 2, 3, 0};  // MS Sans Serif last
    const wchar_t* const faces[4] = {L"MS Sans Serif", L"Times New Roman", L"Arial", L"MS Serif"};
    for (int font : order) {
        const std::wstring face = faces[font];
        Step(L"font-" + Slug(face));
        Choose(cmd::Font0 + static_cast<UINT>(font));
        CheckOnlyChecked(L"the Fonts menu checks " + face + L" alone", cmd::Font0, cmd::FontCount,
                         cmd::Font0 + static_cast<UINT>(font));
        OpenMenu(cmd::FileOpen);
        Hover(cmd::FileSaveAs, 0);
        Snap(L"font-" + Slug(face), L"Menu font " + face + L", chosen in Edit > Fonts, for captions and shortcuts.");
        CloseMenus();
    }
}

void Tour::RightToLeft() {
    Step(L"right-to-left");
    Choose(cmd::FileRightToLeftMenu);
    CheckProperty(L"RightToLeft", -1);
    CheckOnlyChecked(L"Right to Left Menu is checked while it is on", cmd::FileRightToLeftMenu, 1,
                     cmd::FileRightToLeftMenu);
    OpenMenu(cmd::FileOpen);
    Hover(cmd::FileSaveAs, 0);
    Snap(L"right-to-left", L"File > Right to Left Menu: the menus are laid out from right to left.");
    CloseMenus();
    Choose(cmd::FileRightToLeftMenu);
    CheckProperty(L"RightToLeft", 0);
    CheckOnlyChecked(L"Right to Left Menu is unchecked again", cmd::FileRightToLeftMenu, 1, 0);
}

void Tour::Backgrounds() {
    auto popupClouds = [this] {
        HWND w = PopupWindowOf(Level(cmd::EditCopy, 0));
        RECT r{};
        if (!w || !GetWindowRect(w, &r)) return 0.0;
        return CloudShare(m_shot, r);
    };

    Step(L"background-none");
    Choose(cmd::BgPicture0);
    CheckOnlyChecked(L"the Background Picture menu checks None alone", cmd::BgPicture0, cmd::BgPictureCount,
                     cmd::BgPicture0);
    OpenMenu(cmd::EditUndo);
    Hover(cmd::EditCopy, 0);
    Snap(L"background-none", L"Background Picture > None: no picture behind the items.");
    m_script.Do([this, popupClouds] { m_noneClouds = popupClouds(); });
    CloseMenus();

    Step(L"custom-colors-on");
    Choose(cmd::FileUseCustomColors);
    CheckProperty(L"UseCustomColors", -1);
    CheckOnlyChecked(L"Use Custom Colors is checked while they are on", cmd::FileUseCustomColors, 1,
                     cmd::FileUseCustomColors);
    // The getter gives the custom value while custom colours are on.
    Check(L"None set the text colour to 128 (TextColor with custom colours on)", [this](std::wstring& detail) {
        long v = -1;
        const bool read = Get(L"TextColor", v);
        detail = L"read " + Number(v);
        return read && v == 128;
    });
    OpenMenu(cmd::FileOpen);
    Hover(cmd::FileSaveAs, 0);
    Snap(L"custom-colors-on", L"File > Use Custom Colors: the demo's colours, with the dark red text colour (128) "
                              L"that None set.");
    Check(L"the File menu's pictures are MulDiv(16, dpi, 96) pixels tall",
          [this](std::wstring& detail) { return FilePicturesFitTheDpi(detail); });
    CloseMenus();

    Step(L"background-clouds");
    Choose(cmd::BgPicture0 + 1);
    CheckOnlyChecked(L"the Background Picture menu checks Clouds alone", cmd::BgPicture0, cmd::BgPictureCount,
                     cmd::BgPicture0 + 1);
    OpenMenu(cmd::EditUndo);
    Hover(cmd::EditCopy, 0);
    Snap(L"background-clouds", L"Background Picture > Clouds: the clouds behind the popup menus.");
    Check(L"Clouds shows the clouds behind the popup menu", [this, popupClouds](std::wstring& detail) {
        const double share = popupClouds();
        detail = L"cloud colours on " + Number(share) + L" of the menu, " + Number(m_noneClouds) + L" with None";
        return share > 0.05 && share > m_noneClouds + 0.04;
    });
    CloseMenus();

    Step(L"background-lake");
    Choose(cmd::BgPicture0 + 2);
    CheckOnlyChecked(L"the Background Picture menu checks Lake alone", cmd::BgPicture0, cmd::BgPictureCount,
                     cmd::BgPicture0 + 2);
    OpenMenu(cmd::EditUndo);
    Hover(cmd::EditCopy, 0);
    Snap(L"background-lake", L"Background Picture > Lake: the lake, the picture DemoHost starts with.");
    CloseMenus();

    Step(L"custom-colors-off");
    Choose(cmd::FileUseCustomColors);
    CheckProperty(L"UseCustomColors", 0);
    CheckOnlyChecked(L"Use Custom Colors is unchecked again", cmd::FileUseCustomColors, 1, 0);
    OpenMenu(cmd::FileOpen);
    Hover(cmd::FileSaveAs, 0);
    Snap(L"custom-colors-off", L"Use Custom Colors off again: the colours computed from the system's.");
    CloseMenus();
}

void Tour::AboutAndFrameMenu() {
    Step(L"about-box");
    Choose(cmd::HelpAbout);
    m_script.Wait(L"the about box opens", [] { return FindDialog(L"About Quillon") != nullptr; });
    m_script.Pause(300);
    Check(L"Help > About shows the control's about box", [](std::wstring& detail) {
        HWND box = FindDialog(L"About Quillon");
        detail = box ? L"'" + TextOf(box) + L"'" : L"no about box";
        return box && IsWindowVisible(box);
    });
    Snap(L"about-box", L"Help > About: the control's own about box.");
    m_script.Do([] { PressKey(VK_ESCAPE); });
    m_script.Wait(L"the about box closes", [] { return FindDialog(L"About Quillon") == nullptr; });

    // Ctrl+F4 closes the only child: the frame's own menu takes the bar.
    Step(L"frame-menu");
    m_script.Do([] { PressKey(VK_F4, VK_CONTROL); });
    m_script.Wait(L"the child closes", [this] { return PositionOf(Bar(), cmd::FrameFileNew) >= 0; });
    m_script.Pause(300);
    Check(L"with no child open the bar shows the frame's File and Help", [this](std::wstring& detail) {
        detail = std::to_wstring(GetMenuItemCount(Bar())) + L" items";
        return GetMenuItemCount(Bar()) == 2 && PositionOf(Bar(), cmd::FrameHelpAbout) >= 0 &&
               PositionOf(Bar(), cmd::EditUndo) < 0;
    });
    OpenMenu(cmd::FrameFileNew);
    Hover(cmd::FrameFileExit, 0);
    Snap(L"frame-menu", L"With no child form open, the frame's own menu: File, drawn by the control as well.");
    SwitchAndSnap(cmd::FrameHelpAbout, L"frame-help-menu", L"The frame's Help menu.");
    CloseMenus();

    Step(L"frame-new");
    Choose(cmd::FrameFileNew);
    m_script.Wait(L"a new child opens", [this] { return PositionOf(Bar(), cmd::EditUndo) >= 0; });
    m_script.Pause(300);
    CheckOnlyChecked(L"a fresh child checks English again", cmd::LangEnglish, 5, cmd::LangEnglish);
    OpenMenu(cmd::FileOpen);
    Hover(cmd::FileOpen, 0);
    Snap(L"frame-new", L"File > New on the frame: a fresh Form1 with its menu on the bar again.");
    CloseMenus();
}

// ---------------------------------------------------------------------------
// Colour schemes and accessibility, at the end so that the earlier pictures
// keep their numbers; each leaves the control as the tour found it.

namespace {

// The states of the menu items drawn while the hook is in place.
int g_menuItemsDrawn = 0, g_noAccelItems = 0;

LRESULT CALLBACK WatchDrawItem(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message && message->message == WM_DRAWITEM && message->lParam) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message->lParam);
        if (draw->CtlType == ODT_MENU) {
            ++g_menuItemsDrawn;
            if (draw->itemState & ODS_NOACCEL) ++g_noAccelItems;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int Luma(COLORREF c) { return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100; }

// Whether `c` lies, within rounding, between `a` and `b`: the edge of
// anti-aliased text, a blend of its colour and the background's.
bool Between(COLORREF c, COLORREF a, COLORREF b) {
    const int ca[3] = {GetRValue(a), GetGValue(a), GetBValue(a)}, cb[3] = {GetRValue(b), GetGValue(b), GetBValue(b)},
              cc[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    double num = 0, den = 0;
    for (int i = 0; i < 3; ++i) {
        num += (cc[i] - ca[i]) * (cb[i] - ca[i]);
        den += (cb[i] - ca[i]) * (cb[i] - ca[i]);
    }
    const double t = den > 0 ? std::clamp(num / den, 0.0, 1.0) : 0.0;
    for (int i = 0; i < 3; ++i)
        if (std::abs(cc[i] - (ca[i] + t * (cb[i] - ca[i]))) > 3.0) return false;
    return true;
}

}  // namespace

RECT Tour::ItemRect(UINT command, int level) const {
    HMENU m = Level(command, level);
    RECT r{};
    if (!m || !GetMenuItemRect(nullptr, m, PositionOf(m, command), &r)) return RECT{};
    return r;
}

void Tour::SetHighContrast(bool on) {
    constexpr wchar_t kKey[] = L"Control Panel\\Accessibility\\HighContrast";
    if (on && !m_highContrastSet) {
        wchar_t was[32] = {};
        DWORD size = sizeof was;
        m_highContrastHad =
            RegGetValueW(HKEY_CURRENT_USER, kKey, L"Flags", RRF_RT_REG_SZ, nullptr, was, &size) == ERROR_SUCCESS;
        m_highContrastWas = m_highContrastHad ? was : L"";
        m_highContrastSet = true;
    }
    const wchar_t* flags = on ? L"127" : L"126";
    if (!on && m_highContrastHad) flags = m_highContrastWas.c_str();
    if (!on && !m_highContrastHad) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, L"Flags");
            RegCloseKey(key);
        }
    } else {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Flags", REG_SZ, flags,
                        static_cast<DWORD>((lstrlenW(flags) + 1) * sizeof(wchar_t)));
    }
    if (!on) m_highContrastSet = false;
    // Wine sends no colour change of its own: the control follows this one.
    if (IsWindow(m_frame)) SendMessageW(m_frame, WM_SYSCOLORCHANGE, 0, 0);
}

void Tour::RestoreHighContrast() {
    if (m_highContrastSet) SetHighContrast(false);
}

void Tour::ColorSchemes() {
    // No picture behind the items: the scheme's own background shows.
    Step(L"scheme-dark");
    Choose(cmd::BgPicture0);
    Choose(cmd::ColorScheme0 + 1);
    CheckProperty(L"ColorScheme", 1);
    CheckOnlyChecked(L"the Colour Scheme menu checks Dark alone", cmd::ColorScheme0, cmd::ColorSchemeCount,
                     cmd::ColorScheme0 + 1);
    OpenMenu(cmd::FileOpen);
    Hover(cmd::FileOpen, 0);
    Snap(L"scheme-dark", L"Tools > Colour Scheme > Dark: the dark palette, light text on RGB(43, 43, 43).");
    Check(L"Dark paints the File menu's items on RGB(43,43,43) with light text", [this](std::wstring& detail) {
        long background = 0, light = 0, total = 0;
        for (UINT command : {cmd::FileSaveAs, cmd::FileRightToLeftMenu}) {
            RECT r = ItemRect(command, 0);
            r.left += 2 * (r.bottom - r.top);  // past the picture column, into the caption
            ForEachShotPixel(r, [&](int, int, COLORREF c) {
                ++total;
                background += c == RGB(43, 43, 43);
                light += Luma(c) >= 200;
            });
        }
        detail = Number(background) + L" of " + Number(total) + L" pixels RGB(43,43,43), " + Number(light) + L" light";
        return total > 0 && background * 2 > total && light > 20;
    });
    CloseMenus();

    Step(L"high-contrast");
    m_script.Do([this] { SetHighContrast(true); });
    m_script.Pause(300);
    OpenMenu(cmd::FileOpen);
    Hover(cmd::FileSaveAs, 0);
    Snap(L"high-contrast", L"High contrast on (Wine keeps it in the registry): only the system's menu colours, a "
                           L"plain highlight and no picture, whatever the scheme.");
    // Captions are anti-aliased: their edges blend two of the system's colours.
    Check(L"in high contrast the File menu's items show only system colours", [this](std::wstring& detail) {
        const COLORREF allowed[] = {GetSysColor(COLOR_MENU), GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_HIGHLIGHT),
                                    GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_GRAYTEXT)};
        auto blend = [&allowed](COLORREF c) {
            for (COLORREF a : allowed)
                for (COLORREF b : allowed)
                    if (a != b && Between(c, a, b)) return true;
            return false;
        };
        long blended = 0;
        HMENU file = Level(cmd::FileOpen, 0);
        long total = 0, other = 0;
        COLORREF first = CLR_INVALID;
        const int n = file ? GetMenuItemCount(file) : 0;
        for (int i = 0; i < n; ++i) {
            RECT r{};
            if (!GetMenuItemRect(nullptr, file, i, &r)) continue;
            // Pictures keep their colours: the square cell at the left is left out.
            if (!(GetMenuState(file, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR))
                r.left += (r.bottom - r.top) + Px(4);
            ForEachShotPixel(r, [&](int, int, COLORREF c) {
                ++total;
                if (std::find(std::begin(allowed), std::end(allowed), c) != std::end(allowed)) return;
                if (blend(c)) {
                    ++blended;
                    return;
                }
                if (!other++) first = c;
            });
        }
        detail = Number(other) + L" of " + Number(total) + L" pixels in other colours, " + Number(blended) +
                 L" anti-aliased between two of them";
        if (other) {
            wchar_t rgb[40];
            std::swprintf(rgb, 40, L", first RGB(%d,%d,%d)", GetRValue(first), GetGValue(first), GetBValue(first));
            detail += rgb;
        }
        return total > 0 && other == 0;
    });
    CloseMenus();
    m_script.Do([this] { SetHighContrast(false); });
    m_script.Pause(200);
    Choose(cmd::ColorScheme0);
    CheckProperty(L"ColorScheme", 0);
    CheckOnlyChecked(L"the Colour Scheme menu checks Classic alone again", cmd::ColorScheme0, cmd::ColorSchemeCount,
                     cmd::ColorScheme0);
}

void Tour::DisabledPictures() {
    Step(L"disabled-pictures");
    OpenMenu(cmd::FileOpen);
    Hover(cmd::FileSaveAs, 0);
    Snap(L"disabled-pictures", L"File > Close and Save are disabled: their pictures grey and faded, in their own "
                               L"shape.");
    Check(L"a disabled item's picture keeps its shape, no uniform grey square", [this](std::wstring& detail) {
        bool all = true;
        for (UINT command : {cmd::FileClose, cmd::FileSave}) {
            const RECT item = ItemRect(command, 0);
            const COLORREF column = m_shot.At(item.left, item.top);
            RECT cell{item.left, item.top, item.left + (item.bottom - item.top) + Px(4), item.bottom};
            RECT box{cell.right, cell.bottom, cell.left, cell.top};
            long ink = 0;
            std::vector<COLORREF> colours;
            ForEachShotPixel(cell, [&](int x, int y, COLORREF c) {
                if (c == column) return;
                ++ink;
                if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
            });
            const long area = box.right > box.left ? (box.right - box.left) * (box.bottom - box.top) : 0;
            const bool uniformSquare = colours.size() <= 1 && ink == area;
            detail += std::wstring(detail.empty() ? L"" : L"; ") + ItemText(Level(command, 0), command) + L" " +
                      Number(ink) + L" px in " + Number(static_cast<long>(colours.size())) + L" colours over a " +
                      Number(area) + L"-px box";
            all = all && ink > 0 && !uniformSquare;
        }
        return all;
    });
    CloseMenus();
}

void Tour::KeyboardCues() {
    Step(L"keyboard-cues");
    m_script.Do([this] {
        m_hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchDrawItem, nullptr, GetCurrentThreadId());
        g_menuItemsDrawn = g_noAccelItems = 0;
    });
    OpenMenu(cmd::FileOpen);
    m_script.Pause(200);
    m_script.Do([this] {
        m_mouseShot = CaptureScreen(SceneRect(m_frame));
        m_mouseNoAccel = g_noAccelItems;
        m_menuItemsDrawn = g_menuItemsDrawn;
    });
    CloseMenus();
    m_script.Do([] {
        g_menuItemsDrawn = g_noAccelItems = 0;
        MoveMouse({GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20});
    });
    m_script.Pause(150);
    m_script.Do([] { PressKey('F', VK_MENU); });
    m_script.Wait(L"Alt+F opens the File menu", [this] { return PopupWindowOf(Level(cmd::FileOpen, 0)) != nullptr; });
    m_script.Pause(250);
    m_script.Do([this] {
        m_keyboardShot = CaptureScreen(SceneRect(m_frame));
        m_keyboardNoAccel = g_noAccelItems;
        m_menuItemsDrawn += g_menuItemsDrawn;
        if (m_hook) UnhookWindowsHookEx(m_hook);
        m_hook = nullptr;
    });
    CloseMenus();
    m_script.Do([this] {
        if (m_mouseNoAccel == 0) {
            m_report.Add(Result{true,
                                L"the system passed ODS_NOACCEL to no item of the File menu opened with the mouse (" +
                                    Number(static_cast<long>(m_menuItemsDrawn)) +
                                    L" items drawn in both menus): the access keys show either way, so the "
                                    L"keyboard/mouse pair of pictures is left out",
                                true});
            return;
        }
        SaveFigure(m_mouseShot, L"menu-by-mouse", L"The File menu opened with the mouse: no access-key underlines.");
        SaveFigure(m_keyboardShot, L"menu-by-keyboard", L"The File menu opened with Alt+F: the access keys underlined.");
        m_report.Add(Result{m_keyboardNoAccel == 0,
                            L"the keyboard-opened menu draws its items with access keys, the mouse-opened one without "
                            L"[ODS_NOACCEL on " + Number(static_cast<long>(m_mouseNoAccel)) + L" items by mouse, " +
                                Number(static_cast<long>(m_keyboardNoAccel)) + L" by keyboard]"});
    });
}

void Tour::SubmenuArrows() {
    Step(L"submenu-arrows");
    Choose(cmd::BgPicture0 + 2);
    CheckOnlyChecked(L"the Background Picture menu checks Lake alone again", cmd::BgPicture0, cmd::BgPictureCount,
                     cmd::BgPicture0 + 2);
    OpenMenu(cmd::EditUndo);
    Hover(cmd::EditCopy, 0);
    Snap(L"submenu-arrows", L"The Edit menu over the lake: the submenu arrows of Fonts, Language and Background "
                            L"Picture drawn by the control in the text colour, with nothing opaque behind them.");
    Check(L"the submenu arrows over the lake have no white box behind them", [this](std::wstring& detail) {
        HMENU edit = Level(cmd::EditUndo, 0);
        long white = 0, total = 0;
        for (UINT inside : {cmd::Font0, cmd::LangEnglish, cmd::BgPicture0}) {
            RECT r{};
            if (!edit || !GetMenuItemRect(nullptr, edit, PositionOf(edit, inside), &r)) {
                detail = L"no submenu item";
                return false;
            }
            r.left = r.right - (r.bottom - r.top);  // the arrow's cell
            ForEachShotPixel(r, [&](int, int, COLORREF c) {
                ++total;
                white += c == RGB(255, 255, 255);
            });
        }
        detail = Number(white) + L" white of " + Number(total) + L" pixels in the three arrow cells";
        return total > 0 && white == 0;
    });
    CloseMenus();
}

void Tour::Build() {
    Menus();
    Popup();
    DialogsOpenAndCancel();
    HighlightStyles();
    BorderStyles();
    Tooltips();
    Languages();
    Fonts();
    RightToLeft();
    Backgrounds();
    AboutAndFrameMenu();
    ColorSchemes();
    DisabledPictures();
    KeyboardCues();
    SubmenuArrows();
    Step(L"finish");
}

// ---------------------------------------------------------------------------

void Tour::Recover() {
    EndMenu();
    for (HWND d : ThreadWindows(L"#32770")) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
}

void Tour::Tick() {
    if (m_finished || m_busy) return;
    m_busy = true;
    if (GetTickCount() - m_started > kTotalLimitMs) {
        m_report.Add(Result{false, L"the tour ends in time (stopped at " + m_script.CurrentStep() + L")"});
        Recover();
        Finish();
    } else if (!m_script.Tick()) {
        Finish();
    }
    m_busy = false;
}

void Tour::Finish() {
    m_finished = true;
    RestoreHighContrast();  // also when a step ran out of time
    if (m_hook) UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    if (m_timer) KillTimer(nullptr, m_timer);
    m_timer = 0;
    const bool written = m_report.Write(m_folder);
    const int failures = m_report.Failures() + (written ? 0 : 1);
    const std::string line = "DemoHost tour: " + std::to_string(m_report.FigureCount()) + " screenshots, " +
                             std::to_string(failures) + " failed checks, in " + Utf8(m_folder) +
                             " (index.html, tour-results.txt)\n";
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD wrote = 0;
    if (out && out != INVALID_HANDLE_VALUE) WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &wrote, nullptr);
    OutputDebugStringA(line.c_str());
    ReleaseControl();
    if (IsWindow(m_frame)) SendMessageW(m_frame, WM_CLOSE, 0, 0);
    // After the frame's own quit message: the exit code tells whether every check passed.
    PostQuitMessage(failures ? 1 : 0);
}

void CALLBACK Tour::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
    try {
        if (!g_tour) return;
        g_tour->Tick();
        if (g_tour->Finished()) {
            delete g_tour;
            g_tour = nullptr;
        }
    } catch (...) {
        if (g_tour) {
            EndMenu();
            PostQuitMessage(1);
        }
    }
}

}  // namespace

void StartTour(HWND frame, IDispatch* quillon, const std::wstring& folder) {
    if (g_tour || !frame) return;
    wchar_t full[MAX_PATH] = {};
    const DWORD n = GetFullPathNameW(folder.c_str(), MAX_PATH, full, nullptr);
    std::wstring where = n && n < MAX_PATH ? std::wstring(full, n) : folder;
    while (where.size() > 3 && (where.back() == L'\\' || where.back() == L'/')) where.pop_back();
    MakeFolder(where);
    g_tour = new Tour(frame, quillon, where);
    g_tour->Build();
    g_tour->Start();
}

bool StartTourFromCommandLine(HWND frame, IDispatch* quillon) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring folder;
    bool found = false;
    for (int i = 1; argv && i + 1 < argc; ++i) {
        if (lstrcmpiW(argv[i], L"--tour") == 0) {
            folder = argv[i + 1];
            found = true;
        }
    }
    if (argv) LocalFree(argv);
    if (!found) return false;
    try {
        StartTour(frame, quillon, folder);
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace demo::tour
