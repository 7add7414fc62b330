// The contents of QuillonLib, in library order. New members are new rows.
#include "QuillonVersion.h"
#include "tools/mktypelib/LibraryModel.h"
#include "control/Guids.h"
#include "control/QuillonInterfaces.h"
#include <utility>

namespace quillon::tlb {
namespace {

constexpr WORD kHiddenDual = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
constexpr WORD kHiddenDisp = TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE;

// {00000000-0000-0000-0000-000000000000}: enumerations carry no identifier.
constexpr GUID kNoGuid = {};

std::vector<Constant> Self(std::initializer_list<const wchar_t*> names) {
    std::vector<Constant> out;
    LONG v = 0;
    for (const wchar_t* n : names) out.push_back({n, v++});
    return out;
}

Library Build() {
    Library lib{L"QuillonLib", LIBID_QuillonLib, L"Quillon menu enhancement control", QUILLON_VERSION_MAJOR,
                QUILLON_VERSION_MINOR, {}};
    auto& t = lib.types;

    t.push_back({TypeKind::DualInterface, L"_cSubclassListener", IID__cSubclassListener, nullptr, kHiddenDual,
        {
            {Kind::Method, DISPID_WindowMsgListener, L"WindowMsgListener",
             {{L"hwnd", Long}, {L"MSG", Long}, {L"wParam", Long}, {L"lParam", Long},
              {L"bRouteToOriginal", ByRef(Boolean)}},
             Long},
        }});
    t.push_back({TypeKind::CoClass, L"cSubclassListener", CLSID_cSubclassListener, nullptr, 0,
                 {}, {{L"_cSubclassListener", IMPLTYPEFLAG_FDEFAULT}}});

    // _Quillon: one row per entry, each get directly before its let or set.
    const TypeSpec highlight = Enum(L"qlHighlight");
    const TypeSpec border = Enum(L"qlBorder");
    const TypeSpec tooltipStyle = Enum(L"qlTooltipStyle");
    const TypeSpec language = Enum(L"qlLanguage");
    std::vector<Member> quillon = {
        {Kind::Method, DISPID_AddMessage, L"AddMessage", {{L"sCaption", String}, {L"sHelpMessage", String}}, None,
         L"Add a help message for a menu item"},
        {Kind::Method, DISPID_AddCompositeMessage, L"AddCompositeMessage", {{L"sComposite", String}}, None,
         L"Add a menu help message as a composite message help string"},
        {Kind::Method, DISPID_RemoveMessage, L"RemoveMessage", {{L"sCaption", String}}, None,
         L"Remove user specified help for a menu item"},
        {Kind::Method, DISPID_GetCleanCaption, L"GetCleanCaption", {{L"sCaption", String}}, String,
         L"Extracts the clean caption from the specified menu item text string"},
        {Kind::Method, DISPID_ShowAboutBox, L"ShowAboutBox", {}, None, L"Shows the About box of the control"},
        {Kind::Method, DISPID_GetMenuCaptionFont, L"GetMenuCaptionFont", {}, FontObject,
         L"Gets the default font used to draw menu caption text. Can be overriden for individual menu item"},
        {Kind::Method, DISPID_SetMenuCaptionFont, L"SetMenuCaptionFont", {{L"aFont", FontObject}}, None,
         L"Set the default font to be used for drawing menu item caption text"},
        {Kind::Method, DISPID_GetMenuShortcutFont, L"GetMenuShortcutFont", {}, FontObject,
         L"Gets the default font used to draw menu shortcut text. Can be overriden for individual menu item"},
        {Kind::Method, DISPID_SetMenuShortcutFont, L"SetMenuShortcutFont", {{L"aFont", FontObject}}, None,
         L"Set the default font to be used for drawing menu item shortcut text"},
    };
    auto property = [&](DISPID id, const wchar_t* name, TypeSpec type, const wchar_t* help, Kind put = Kind::PropLet,
                        bool putByRef = false) {
        quillon.push_back({Kind::PropGet, id, name, {}, type, help});
        quillon.push_back({put, id, name, {{L"value", putByRef ? ByRef(type) : type}}, None, help});
    };
    property(DISPID_AutoShowHelp, L"AutoShowHelp", Boolean, L"Automatically locate the statusbar and display help message");
    property(DISPID_CheckMark, L"CheckMark", PictureObject,
             L"Get/Set the bitmap to be used as checkmark next to a checked menu items", Kind::PropSet);
    quillon.push_back({Kind::Method, DISPID_SetImageList, L"SetImageList", {{L"anImgListControl", ByRef(Object)}},
                       None, L"Set image list object having menu bitmaps"});
    quillon.push_back({Kind::Method, DISPID_GetImageList, L"GetImageList", {}, Object,
                       L"Gets the ImageList control used to get the bitmaps for menu items"});
    quillon.push_back({Kind::Method, DISPID_RegisterWindowMenu, L"RegisterWindowMenu",
                       {{L"hWindow", Long}, {L"bStop", ByRef(Variant), true}},
                       None, L"Register/Unregister window for menu display processing"});
    property(DISPID_HighlightStyle, L"HighlightStyle", highlight,
             L"Get/Sets highlighting style used for background of the selected menuitem.");
    property(DISPID_MenuBorder, L"MenuBorder", border, L"Get/Set menu border style");
    quillon.push_back({Kind::Method, DISPID_GetDefaultPicture, L"GetDefaultPicture", {{L"sCaption", String}},
                       PictureObject, L"Gets the default picture for the specified menu"});
    quillon.push_back({Kind::Method, DISPID_GetDefaultPictureEx, L"GetDefaultPictureEx",
                       {{L"sCaption", String}, {L"eLanguage", language}}, PictureObject,
                       L"Gets the default picture for the specified menu"});
    property(DISPID_UseCustomColors, L"UseCustomColors", Boolean, L"Enable/Disable use of cutom colors for menus.");
    property(DISPID_MenuBackground, L"MenuBackground", OleColor,
             L"Returns or sets the color used for painting the popup menu background.");
    property(DISPID_BitmapBackground, L"BitmapBackground", OleColor,
             L"Get/Set color for background of bitmap area on a menu item");
    property(DISPID_MenuBarBackground, L"MenuBarBackground", OleColor, L"Get/Set color of menubar item background");
    property(DISPID_TextColor, L"TextColor", OleColor, L"Get/Set color for text of menu item.");
    property(DISPID_DisabledTextColor, L"DisabledTextColor", OleColor, L"Get/Set color for text of a disabled menu item");
    property(DISPID_HighlightedTextColor, L"HighlightedTextColor", OleColor,
             L"Get/Set color for text of selected menu item");
    property(DISPID_MenuHighlight, L"MenuHighlight", OleColor, L"Get/Set color used for highlighting selected menu item");
    property(DISPID_MenuHighlightBorder, L"MenuHighlightBorder", OleColor,
             L"Get/Set color for border of menu item highlight bar");
    property(DISPID_TootipBackground, L"TootipBackground", OleColor, L"Returns or sets tooltip background color");
    property(DISPID_TootipTextColor, L"TootipTextColor", OleColor, L"Returns or sets tooltip text color");
    property(DISPID_Language, L"Language", language, L"Returns or sets default language of the menu");
    property(DISPID_RightToLeft, L"RightToLeft", Boolean,
             L"Determines menu display direction and controls visual appearance on a bidirectional system");
    property(DISPID_ShowTooltip, L"ShowTooltip", Boolean, L"Enables or disabled tooltip display");
    property(DISPID_TootipStyle, L"TootipStyle", tooltipStyle, L"Returns or sets the tooltip style");
    property(DISPID_ShowTootipTitle, L"ShowTootipTitle", Boolean, L"Enables or disables tooltip title display",
             Kind::PropLet, true);
    quillon.push_back({Kind::Method, DISPID_GetMeanColor, L"GetMeanColor", {{L"aColor1", Long}, {L"aColor2", Long}},
                       Long});
    quillon.push_back({Kind::Method, DISPID_CaptureScreen, L"CaptureScreen", {}, PictureObject});
    property(DISPID_BackgroundPicture, L"BackgroundPicture", PictureObject,
             L"Returns or sets the popup menu background picture", Kind::PropSet);
    property(DISPID_ColorScheme, L"ColorScheme", Enum(L"qlColorScheme"),
             L"Returns or sets the colour scheme of the menus: Classic, Dark, or Auto to follow the user's app theme");
    t.push_back({TypeKind::DualInterface, L"_Quillon", IID__Quillon, nullptr, kHiddenDual, std::move(quillon)});
    t.push_back({TypeKind::CoClass, L"Quillon", CLSID_Quillon, L"Quillon menu enhancement control",
                 TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE,
                 {}, {{L"_Quillon", IMPLTYPEFLAG_FDEFAULT},
                      {L"__Quillon", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}});

    // _CMenuItem: the menu item record handed to the events; CMenuItem is
    // made by the control only, so hosts cannot create one.
    {
        namespace id = MenuItemDispid;
        const TypeSpec language = Enum(L"qlLanguage");
        std::vector<Member> item;
        auto get = [&](DISPID dispid, const wchar_t* name, TypeSpec type, const wchar_t* help) {
            item.push_back({Kind::PropGet, dispid, name, {}, type, help});
        };
        auto put = [&](Kind kind, DISPID dispid, const wchar_t* name, TypeSpec type, const wchar_t* help) {
            item.push_back({kind, dispid, name, {{L"value", type}}, None, help});
        };
        get(id::TooltTipText, L"TooltTipText", String, L"tooltip text of the item");
        put(Kind::PropLet, id::TooltTipText, L"TooltTipText", ByRef(String), L"tooltip text of the item");
        get(id::CaptionFont, L"CaptionFont", FontObject,
            L"the item's caption font; its properties may be changed, the object not replaced");
        get(id::ShortcutFont, L"ShortcutFont", FontObject, L"the item's shortcut font, same rule");
        get(id::HasSubMenus, L"HasSubMenus", Boolean, L"item opens a submenu");
        get(id::IsTopLevel, L"IsTopLevel", Boolean, L"item belongs to the menu bar");
        get(id::IsSeparator, L"IsSeparator", Boolean, L"item is a separator");
        get(id::ShortcutText, L"ShortcutText", String, L"text after the caption's tab");
        get(id::Caption, L"Caption", String, L"caption text");
        get(id::Disabled, L"Disabled", Boolean, L"item is disabled");
        get(id::Checked, L"Checked", Boolean, L"item is checked");
        get(id::hwnd, L"hwnd", Long, L"window owning the menu");
        get(id::hMenu, L"hMenu", Long, L"menu handle");
        get(id::MenuId, L"MenuId", Long, L"command identifier");
        get(id::ParentMenuId, L"ParentMenuId", Long, L"command identifier of the parent item");
        get(id::Picture, L"Picture", PictureObject, L"picture drawn beside the caption");
        put(Kind::PropSet, id::Picture, L"Picture", ByRef(PictureObject), L"picture drawn beside the caption");
        get(id::PictureBackColor, L"PictureBackColor", OleColor, L"background colour of the picture");
        put(Kind::PropLet, id::PictureBackColor, L"PictureBackColor", ByRef(OleColor),
            L"background colour of the picture");
        get(id::MenuText, L"MenuText", String, L"caption and shortcut text together");
        get(id::ShortcutTextWidth, L"ShortcutTextWidth", Long, L"width of the shortcut text in the current font");
        get(id::ShortcutTextHeight, L"ShortcutTextHeight", Long, L"height of the shortcut text");
        get(id::CaptionTextWidth, L"CaptionTextWidth", Long, L"width of the caption text");
        get(id::CaptionTextHeight, L"CaptionTextHeight", Long, L"height of the caption text");
        get(id::Position, L"Position", Long, L"position of the item in its menu");
        get(id::IsFirst, L"IsFirst", Boolean, L"first item of its menu");
        get(id::IsLast, L"IsLast", Boolean, L"last item of its menu");
        get(id::Language, L"Language", language, L"the item's language");
        put(Kind::PropLet, id::Language, L"Language", language, L"the item's language");
        t.push_back({TypeKind::DualInterface, L"_CMenuItem", IID__CMenuItem, nullptr, kHiddenDual, std::move(item)});
        t.push_back({TypeKind::CoClass, L"CMenuItem", CLSID_CMenuItem, nullptr, 0,
                     {}, {{L"_CMenuItem", IMPLTYPEFLAG_FDEFAULT}}});
    }

    const TypeSpec item = Interface(L"_CMenuItem");  // a CMenuItem record
    t.push_back({TypeKind::DispInterface, L"__Quillon", DIID___Quillon, nullptr, kHiddenDisp,
        {
            {Kind::Method, DISPID_SetMenuItemAttributes, L"SetMenuItemAttributes", {{L"aMenuItem", item}}, None,
             L"This event is triggered to allow the user to override the menu item attributes before the menu item is actually displayed."},
            {Kind::Method, DISPID_SetMenuItemSize, L"SetMenuItemSize",
             {{L"aMenuItem", item}, {L"ItemWidth", ByRef(Long)}, {L"ItemHeight", ByRef(Long)}}, None,
             L"This event is triggered for getting the size of the menu item before it is displayed."},
            {Kind::Method, DISPID_DrawMenuItem, L"DrawMenuItem",
             {{L"aMenuItem", item}, {L"menuDC", Long}, {L"bSelected", Boolean}, {L"cx", Long}, {L"cy", Long},
              {L"bUserDrawn", ByRef(Boolean)}}, None,
             L"This event is triggered just before a menu item needs to be drawn. If you are handling the menu item painting, set bUserDrawn to True"},
            {Kind::Method, DISPID_ShowMenuHelp, L"ShowMenuHelp",
             {{L"aMenuItem", item}, {L"sHelpMessage", ByRef(String)}}, None,
             L"This event is triggered just before the menu item help is displayed in the status bar. Use this event to display the status help message if you are using a non-standard status bar or AutoShowHelp is off."},
            {Kind::Method, DISPID_ClearMenuHelp, L"ClearMenuHelp", {}, None,
             L"Event indicating closing to dropdown menu, to be used for clearing the statusbar."},
        }});

    t.push_back({TypeKind::Enumeration, L"qlHighlight", kNoGuid, nullptr, 0, {}, {},
                 Self({L"Plain", L"Horizontal Left To Right", L"Horizontal Right To Left", L"Horizontal Center",
                       L"Vertical Top To Bottom", L"Vertical Bottom To Top", L"Vertical Center", L"Diagonal",
                       L"Radial", L"XP"})});
    t.push_back({TypeKind::Enumeration, L"qlBorder", kNoGuid, nullptr, 0, {}, {},
                 Self({L"Normal", L"Flat", L"Flat with Shadow"})});
    t.push_back({TypeKind::Enumeration, L"qlTooltipStyle", kNoGuid, nullptr, 0, {}, {},
                 Self({L"qlBalloon", L"qlRectangle"})});
    t.push_back({TypeKind::Enumeration, L"qlLanguage", kNoGuid, nullptr, 0, {}, {},
                 Self({L"English", L"Korean", L"Japanese", L"Italian", L"French", L"Spanish", L"German",
                       L"Chinese(Traditional)", L"Chinese(Simplified)", L"Auto"})});
    t.push_back({TypeKind::Enumeration, L"qlColorScheme", kNoGuid, nullptr, 0, {}, {},
                 Self({L"Classic", L"Dark", L"Auto"})});
    return lib;
}

}  // namespace

const Library& QuillonLibrary() {
    static const Library lib = Build();
    return lib;
}

}  // namespace quillon::tlb
