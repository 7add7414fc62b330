#include "demo/Menus.h"
#include "demo/MenuIds.h"

namespace demo {
namespace {

// Shortcut texts are not part of the captions the language commands set.
const wchar_t* ShortcutOf(UINT command) {
    switch (command) {
        case cmd::FileOpen: return L"Ctrl+O";
        case cmd::FileSave: return L"Ctrl+S";
        case cmd::FilePrint: return L"Ctrl+P";
        case cmd::EditCut: return L"Ctrl+X";
        case cmd::EditCopy: return L"Ctrl+C";
        case cmd::EditPaste: return L"Ctrl+V";
        default: return nullptr;
    }
}

std::wstring MenuText(UINT command, const wchar_t* caption) {
    std::wstring text = caption;
    if (const wchar_t* shortcut = ShortcutOf(command)) {
        text += L'\t';
        text += shortcut;
    }
    return text;
}

void Item(HMENU menu, UINT command, const wchar_t* caption, UINT flags = 0) {
    AppendMenuW(menu, MF_STRING | flags, command, MenuText(command, caption).c_str());
}

void Separator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }

void Popup(HMENU parent, HMENU popup, const wchar_t* caption) {
    AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption);
}

}  // namespace

HMENU CreateFrameMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    Item(file, cmd::FrameFileNew, L"&New");
    Item(file, cmd::FrameFileOpen, L"&Open");
    Item(file, cmd::FrameFileClose, L"C&lose");
    Separator(file);
    Item(file, cmd::FrameFilePrinterSetup, L"Print &Setup");
    Separator(file);
    Item(file, cmd::FrameFileExit, L"E&xit");
    Popup(bar, file, L"&File");
    HMENU help = CreatePopupMenu();
    Item(help, cmd::FrameHelpAbout, L"&About");
    Popup(bar, help, L"&Help");
    return bar;
}

ChildMenus CreateChildMenus() {
    ChildMenus menus;
    menus.bar = CreateMenu();

    HMENU file = CreatePopupMenu();
    Item(file, cmd::FileOpen, L"&Open");
    Item(file, cmd::FileClose, L"C&lose", MF_GRAYED);
    Separator(file);
    Item(file, cmd::FileSave, L"&Save", MF_GRAYED);
    Item(file, cmd::FileSaveAs, L"Save &As");
    Separator(file);
    Item(file, cmd::FileUseCustomColors, L"&Use Custom Colors");
    Item(file, cmd::FileRightToLeftMenu, L"&Right to Left Menu");
    Separator(file);
    Item(file, cmd::FilePrintSetup, L"Print Se&tup");
    Item(file, cmd::FilePrint, L"&Print");
    Separator(file);
    Item(file, cmd::FileExit, L"E&xit");
    Popup(menus.bar, file, L"&File");

    HMENU edit = CreatePopupMenu();
    Item(edit, cmd::EditUndo, L"&Undo");
    Item(edit, cmd::EditRedo, L"&Redo");
    Separator(edit);
    Item(edit, cmd::EditCut, L"Cu&t");
    Item(edit, cmd::EditCopy, L"&Copy");
    Item(edit, cmd::EditPaste, L"&Paste");
    Item(edit, cmd::EditDelete, L"&Delete");
    Separator(edit);
    HMENU fonts = CreatePopupMenu();
    static const wchar_t* const kFonts[cmd::FontCount] = {L"MS Sans Serif", L"Times New Roman", L"Arial",
                                                          L"MS Serif"};
    for (int i = 0; i < cmd::FontCount; ++i) Item(fonts, cmd::Font0 + static_cast<UINT>(i), kFonts[i]);
    Popup(edit, fonts, L"&Fonts");
    HMENU language = CreatePopupMenu();
    Item(language, cmd::LangEnglish, L"English");
    Item(language, cmd::LangFrench, L"French");
    Item(language, cmd::LangGerman, L"German");
    Item(language, cmd::LangItalian, L"Italian");
    Item(language, cmd::LangSpanish, L"Spanish");
    Popup(edit, language, L"&Language");
    HMENU background = CreatePopupMenu();
    Item(background, cmd::BgPicture0 + 0, L"&None");
    Item(background, cmd::BgPicture0 + 1, L"&Clouds");
    Item(background, cmd::BgPicture0 + 2, L"&Lake", MF_CHECKED);
    Popup(edit, background, L"&Background Picture");
    Popup(menus.bar, edit, L"&Edit");

    HMENU view = CreatePopupMenu();
    Item(view, cmd::ViewZoomIn, L"Zoom &In");
    Item(view, cmd::ViewZoomOut, L"Zoom Out");
    Popup(menus.bar, view, L"&View");

    HMENU tools = CreatePopupMenu();
    Item(tools, cmd::ToolsHighlightStyle, L"Highlight Style ...");
    Item(tools, cmd::ToolsBorderStyle, L"Border Style...");
    Item(tools, cmd::ToolsTooltipProperties, L"Tooltip Properties ...");
    Separator(tools);
    // Radio-check items from the start: the control takes an item's type as
    // it finds it, and CheckMenuItem later changes only the state.
    HMENU scheme = CreatePopupMenu();
    static const wchar_t* const kSchemes[cmd::ColorSchemeCount] = {L"&Classic", L"&Dark", L"&Auto"};
    for (int i = 0; i < cmd::ColorSchemeCount; ++i) {
        const UINT command = cmd::ColorScheme0 + static_cast<UINT>(i);
        Item(scheme, command, kSchemes[i], i == 0 ? MF_CHECKED : 0);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_STRING | MFT_RADIOCHECK;
        SetMenuItemInfoW(scheme, command, FALSE, &info);
    }
    Popup(tools, scheme, L"&Colour Scheme");
    Popup(menus.bar, tools, L"&Tools");

    HMENU help = CreatePopupMenu();
    Item(help, cmd::HelpAbout, L"&About");
    Popup(menus.bar, help, L"&Help");

    // "TrackMenu" is invisible on the bar: it exists only as this pop-up.
    menus.track = CreatePopupMenu();
    Item(menus.track, cmd::TrackUndo, L"&Undo");
    Separator(menus.track);
    Item(menus.track, cmd::TrackCut, L"Cu&t");
    Item(menus.track, cmd::TrackCopy, L"&Copy");
    Item(menus.track, cmd::TrackPaste, L"&Paste");
    return menus;
}

void SetItemCaption(HMENU menu, UINT command, const wchar_t* caption) {
    std::wstring text = MenuText(command, caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoW(menu, command, FALSE, &info);
}

namespace {

bool HoldsDirectly(HMENU menu, UINT command) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i)
        if (!GetSubMenu(menu, i) && GetMenuItemID(menu, i) == command) return true;
    return false;
}

// The menu and position of the submenu item whose submenu holds `command` itself.
bool FindSubmenuItem(HMENU menu, UINT command, HMENU& parent, int& position) {
    const int n = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < n; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (!sub) continue;
        if (HoldsDirectly(sub, command)) {
            parent = menu;
            position = i;
            return true;
        }
        if (FindSubmenuItem(sub, command, parent, position)) return true;
    }
    return false;
}

}  // namespace

void SetSubmenuCaption(HMENU bar, UINT inside, const wchar_t* caption) {
    HMENU parent = nullptr;
    int position = -1;
    if (!FindSubmenuItem(bar, inside, parent, position)) return;
    std::wstring text = caption;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoW(parent, static_cast<UINT>(position), TRUE, &info);
}

std::wstring ItemCaption(HMENU menu, UINT command) {
    wchar_t buffer[256] = {};
    GetMenuStringW(menu, command, buffer, 256, MF_BYCOMMAND);
    std::wstring text = buffer;
    const size_t tab = text.find(L'\t');
    if (tab != std::wstring::npos) text.resize(tab);
    return text;
}

bool IsItemChecked(HMENU menu, UINT command) {
    const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void SetItemChecked(HMENU menu, UINT command, bool checked) {
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace demo
