// The contents of QuillonLib, in library order. New members are new rows.
#include "tools/mktypelib/LibraryModel.h"
#include "control/Guids.h"
#include "control/QuillonInterfaces.h"

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
    Library lib{L"QuillonLib", LIBID_QuillonLib, L"Quillon menu enhancement control", 1, 0, {}};
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

    t.push_back({TypeKind::DualInterface, L"_Quillon", IID__Quillon, nullptr, kHiddenDual,
        {
            {Kind::Method, DISPID_RegisterWindowMenu, L"RegisterWindowMenu",
             {{L"hWindow", Long}, {L"bStop", ByRef(Variant), true}},
             None, L"Register/Unregister window for menu display processing"},
        }});
    t.push_back({TypeKind::CoClass, L"Quillon", CLSID_Quillon, L"Quillon menu enhancement control",
                 TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE,
                 {}, {{L"_Quillon", IMPLTYPEFLAG_FDEFAULT},
                      {L"__Quillon", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}});

    // _CMenuItem and CMenuItem take their place here.

    const TypeSpec item = Object;
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
    return lib;
}

}  // namespace

const Library& QuillonLibrary() {
    static const Library lib = Build();
    return lib;
}

}  // namespace quillon::tlb
