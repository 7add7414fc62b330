// The type library embedded in QuillonLib.dll: types in order, members with
// their DISPIDs, parameters and help strings, the enumerations.
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>
#include "control/Guids.h"
#include "control/QuillonInterfaces.h"
#include "control/ole/ComPtr.h"
#include "control/ole/TypeLibrary.h"

namespace quillon::test {
namespace {

class TypeLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, LoadTypeLibEx(L"QuillonLib.dll", REGKIND_NONE, lib.put()));
    }

    ComPtr<ITypeInfo> Info(REFGUID guid) {
        ComPtr<ITypeInfo> ti;
        EXPECT_EQ(S_OK, lib->GetTypeInfoOfGuid(guid, ti.put()));
        return ti;
    }

    ComPtr<ITypeInfo> InfoNamed(const wchar_t* name) {
        const UINT n = lib->GetTypeInfoCount();
        for (UINT i = 0; i < n; ++i) {
            if (Name(i) == name) {
                ComPtr<ITypeInfo> ti;
                lib->GetTypeInfo(i, ti.put());
                return ti;
            }
        }
        ADD_FAILURE() << "no type named " << std::string(name, name + wcslen(name));
        return {};
    }

    std::wstring Name(UINT index) {
        BSTR name = nullptr;
        lib->GetDocumentation(static_cast<INT>(index), &name, nullptr, nullptr, nullptr);
        std::wstring s = name ? name : L"";
        SysFreeString(name);
        return s;
    }

    ComPtr<ITypeLib> lib;
};

struct Doc {
    std::wstring name, help;
};

Doc MemberDoc(ITypeInfo* ti, MEMBERID id) {
    BSTR name = nullptr, help = nullptr;
    ti->GetDocumentation(id, &name, &help, nullptr, nullptr);
    Doc d{name ? name : L"", help ? help : L""};
    SysFreeString(name);
    SysFreeString(help);
    return d;
}

std::vector<std::wstring> Names(ITypeInfo* ti, MEMBERID id) {
    BSTR names[16] = {};
    UINT n = 0;
    ti->GetNames(id, names, 16, &n);
    std::vector<std::wstring> out;
    for (UINT i = 0; i < n; ++i) {
        out.push_back(names[i]);
        SysFreeString(names[i]);
    }
    return out;
}

// The FUNCDESC with this memid, copied out.
struct Func {
    FUNCDESC fd{};
    std::vector<ELEMDESC> params;
    std::vector<TYPEDESC> pointees;
};

bool FindFunc(ITypeInfo* ti, MEMBERID id, Func& out) {
    TYPEATTR* ta = nullptr;
    ti->GetTypeAttr(&ta);
    const WORD n = ta->cFuncs;
    ti->ReleaseTypeAttr(ta);
    for (UINT i = 0; i < n; ++i) {
        FUNCDESC* fd = nullptr;
        if (FAILED(ti->GetFuncDesc(i, &fd))) continue;
        if (fd->memid == id) {
            out.fd = *fd;
            for (SHORT p = 0; p < fd->cParams; ++p) {
                out.params.push_back(fd->lprgelemdescParam[p]);
                const TYPEDESC& t = fd->lprgelemdescParam[p].tdesc;
                out.pointees.push_back(t.vt == VT_PTR ? *t.lptdesc : TYPEDESC{});
            }
            ti->ReleaseFuncDesc(fd);
            return true;
        }
        ti->ReleaseFuncDesc(fd);
    }
    return false;
}

TEST_F(TypeLibraryTest, LibraryAttributes) {
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr));
    EXPECT_STREQ(L"QuillonLib", name);
    SysFreeString(name);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(S_OK, lib->GetLibAttr(&attr));
    EXPECT_TRUE(IsEqualGUID(LIBID_QuillonLib, attr->guid));
    EXPECT_EQ(1, attr->wMajorVerNum);
    EXPECT_EQ(0, attr->wMinorVerNum);
#ifdef _WIN64
    EXPECT_EQ(SYS_WIN64, attr->syskind);
#else
    EXPECT_EQ(SYS_WIN32, attr->syskind);
#endif
    lib->ReleaseTLibAttr(attr);
}

TEST_F(TypeLibraryTest, TypesInLibraryOrder) {
    const std::vector<std::pair<std::wstring, TYPEKIND>> expected = {
        {L"_cSubclassListener", TKIND_INTERFACE}, {L"cSubclassListener", TKIND_COCLASS},
        {L"_Quillon", TKIND_INTERFACE},           {L"Quillon", TKIND_COCLASS},
        {L"_CMenuItem", TKIND_INTERFACE},         {L"CMenuItem", TKIND_COCLASS},
        {L"__Quillon", TKIND_DISPATCH},           {L"qlHighlight", TKIND_ENUM},
        {L"qlBorder", TKIND_ENUM},                {L"qlTooltipStyle", TKIND_ENUM},
        {L"qlLanguage", TKIND_ENUM},              {L"qlColorScheme", TKIND_ENUM}};
    ASSERT_EQ(expected.size(), lib->GetTypeInfoCount());
    for (UINT i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, Name(i)) << i;
        TYPEKIND kind{};
        ASSERT_EQ(S_OK, lib->GetTypeInfoType(i, &kind));
        // A dual interface may be presented through its dispatch view.
        if (expected[i].second == TKIND_INTERFACE) EXPECT_TRUE(kind == TKIND_INTERFACE || kind == TKIND_DISPATCH) << i;
        else EXPECT_EQ(expected[i].second, kind) << i;
    }
}

TEST_F(TypeLibraryTest, QuillonIsADualInterfaceWithRegisterWindowMenu) {
    auto ti = Info(IID__Quillon);
    ASSERT_TRUE(ti);
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(S_OK, ti->GetTypeAttr(&ta));
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
    ti->ReleaseTypeAttr(ta);

    ITypeInfo* vt = typelib::InterfaceInfoOf(IID__Quillon);  // this program's embedded copy
    ASSERT_NE(nullptr, vt);
    Func f;
    ASSERT_TRUE(FindFunc(vt, DISPID_RegisterWindowMenu, f));
    EXPECT_EQ(INVOKE_FUNC, f.fd.invkind);
    EXPECT_EQ(FUNC_PUREVIRTUAL, f.fd.funckind);
    EXPECT_EQ(static_cast<SHORT>((7 + 15) * sizeof(void*)), f.fd.oVft);  // 16th entry after IDispatch
    ASSERT_EQ(2u, f.params.size());
    EXPECT_EQ(VT_I4, f.params[0].tdesc.vt);
    EXPECT_EQ(VT_PTR, f.params[1].tdesc.vt);
    EXPECT_EQ(VT_VARIANT, f.pointees[1].vt);
    EXPECT_EQ(PARAMFLAG_FIN | PARAMFLAG_FOUT | PARAMFLAG_FOPT, f.params[1].paramdesc.wParamFlags);
    EXPECT_EQ((std::vector<std::wstring>{L"RegisterWindowMenu", L"hWindow", L"bStop"}),
              Names(vt, DISPID_RegisterWindowMenu));
    EXPECT_EQ(L"Register/Unregister window for menu display processing",
              MemberDoc(vt, DISPID_RegisterWindowMenu).help);
}

// A type as the tables below spell it: "BSTR", "VARIANT_BOOL", "LONG",
// "VARIANT", "IDispatch*", a user type by name, and "*" per pointer level.
std::wstring Spell(ITypeInfo* ti, const TYPEDESC& t) {
    switch (t.vt) {
    case VT_PTR: return Spell(ti, *t.lptdesc) + L"*";
    case VT_BSTR: return L"BSTR";
    case VT_BOOL: return L"VARIANT_BOOL";
    case VT_I4: return L"LONG";
    case VT_VARIANT: return L"VARIANT";
    case VT_DISPATCH: return L"IDispatch*";
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> ref;
        if (FAILED(ti->GetRefTypeInfo(t.hreftype, ref.put()))) return L"?unresolved";
        BSTR name = nullptr;
        ref->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
        std::wstring s = name ? name : L"?";
        SysFreeString(name);
        return s;
    }
    default: return L"vt" + std::to_wstring(t.vt);
    }
}

struct QuillonRow {
    INVOKEKIND kind;
    DISPID id;
    const wchar_t* name;
    std::vector<std::pair<std::wstring, std::wstring>> params;  // name, type (let/set value: unnamed)
    std::wstring result;                                        // empty: none
    std::wstring help;
};

std::vector<QuillonRow> QuillonTable() {
    const auto M = INVOKE_FUNC, G = INVOKE_PROPERTYGET, L = INVOKE_PROPERTYPUT, S = INVOKE_PROPERTYPUTREF;
    std::vector<QuillonRow> rows = {
        {M, 0x6003000E, L"AddMessage", {{L"sCaption", L"BSTR"}, {L"sHelpMessage", L"BSTR"}}, L"",
         L"Add a help message for a menu item"},
        {M, 0x6003000F, L"AddCompositeMessage", {{L"sComposite", L"BSTR"}}, L"",
         L"Add a menu help message as a composite message help string"},
        {M, 0x60030010, L"RemoveMessage", {{L"sCaption", L"BSTR"}}, L"", L"Remove user specified help for a menu item"},
        {M, 0x6003001B, L"GetCleanCaption", {{L"sCaption", L"BSTR"}}, L"BSTR",
         L"Extracts the clean caption from the specified menu item text string"},
        {M, -552, L"ShowAboutBox", {}, L"", L"Shows the About box of the control"},
        {M, 0x6003001E, L"GetMenuCaptionFont", {}, L"Font*",
         L"Gets the default font used to draw menu caption text. Can be overriden for individual menu item"},
        {M, 0x6003001F, L"SetMenuCaptionFont", {{L"aFont", L"Font*"}}, L"",
         L"Set the default font to be used for drawing menu item caption text"},
        {M, 0x60030020, L"GetMenuShortcutFont", {}, L"Font*",
         L"Gets the default font used to draw menu shortcut text. Can be overriden for individual menu item"},
        {M, 0x60030021, L"SetMenuShortcutFont", {{L"aFont", L"Font*"}}, L"",
         L"Set the default font to be used for drawing menu item shortcut text"},
        {G, 0x6803000C, L"AutoShowHelp", {}, L"VARIANT_BOOL", L"Automatically locate the statusbar and display help message"},
        {L, 0x6803000C, L"AutoShowHelp", {{L"", L"VARIANT_BOOL"}}, L"",
         L"Automatically locate the statusbar and display help message"},
        {G, 0x6803000B, L"CheckMark", {}, L"Picture*",
         L"Get/Set the bitmap to be used as checkmark next to a checked menu items"},
        {S, 0x6803000B, L"CheckMark", {{L"", L"Picture*"}}, L"",
         L"Get/Set the bitmap to be used as checkmark next to a checked menu items"},
        {M, 0x60030023, L"SetImageList", {{L"anImgListControl", L"IDispatch**"}}, L"",
         L"Set image list object having menu bitmaps"},
        {M, 0x60030024, L"GetImageList", {}, L"IDispatch*",
         L"Gets the ImageList control used to get the bitmaps for menu items"},
        {M, 0x60030046, L"RegisterWindowMenu", {{L"hWindow", L"LONG"}, {L"bStop", L"VARIANT*"}}, L"",
         L"Register/Unregister window for menu display processing"},
    };
    auto prop = [&](DISPID id, const wchar_t* name, const std::wstring& type, const std::wstring& help,
                    INVOKEKIND put = INVOKE_PROPERTYPUT, bool byRef = false) {
        rows.push_back({G, id, name, {}, type, help});
        rows.push_back({put, id, name, {{L"", byRef ? type + L"*" : type}}, L"", help});
    };
    prop(0x6803000A, L"HighlightStyle", L"qlHighlight",
         L"Get/Sets highlighting style used for background of the selected menuitem.");
    prop(0x68030009, L"MenuBorder", L"qlBorder", L"Get/Set menu border style");
    rows.push_back({M, 0x6003004D, L"GetDefaultPicture", {{L"sCaption", L"BSTR"}}, L"Picture*",
                    L"Gets the default picture for the specified menu"});
    rows.push_back({M, 0x6003009D, L"GetDefaultPictureEx", {{L"sCaption", L"BSTR"}, {L"eLanguage", L"qlLanguage"}},
                    L"Picture*", L"Gets the default picture for the specified menu"});
    prop(0x68030008, L"UseCustomColors", L"VARIANT_BOOL", L"Enable/Disable use of cutom colors for menus.");
    prop(0x68030007, L"MenuBackground", L"OLE_COLOR", L"Returns or sets the color used for painting the popup menu background.");
    prop(0x68030006, L"BitmapBackground", L"OLE_COLOR", L"Get/Set color for background of bitmap area on a menu item");
    prop(0x68030005, L"MenuBarBackground", L"OLE_COLOR", L"Get/Set color of menubar item background");
    prop(0x68030004, L"TextColor", L"OLE_COLOR", L"Get/Set color for text of menu item.");
    prop(0x68030003, L"DisabledTextColor", L"OLE_COLOR", L"Get/Set color for text of a disabled menu item");
    prop(0x68030002, L"HighlightedTextColor", L"OLE_COLOR", L"Get/Set color for text of selected menu item");
    prop(0x68030001, L"MenuHighlight", L"OLE_COLOR", L"Get/Set color used for highlighting selected menu item");
    prop(0x68030000, L"MenuHighlightBorder", L"OLE_COLOR", L"Get/Set color for border of menu item highlight bar");
    prop(0x6803006A, L"TootipBackground", L"OLE_COLOR", L"Returns or sets tooltip background color");
    prop(0x68030069, L"TootipTextColor", L"OLE_COLOR", L"Returns or sets tooltip text color");
    prop(0x68030068, L"Language", L"qlLanguage", L"Returns or sets default language of the menu");
    prop(0x68030063, L"RightToLeft", L"VARIANT_BOOL",
         L"Determines menu display direction and controls visual appearance on a bidirectional system");
    prop(0x68030067, L"ShowTooltip", L"VARIANT_BOOL", L"Enables or disabled tooltip display");
    prop(0x68030066, L"TootipStyle", L"qlTooltipStyle", L"Returns or sets the tooltip style");
    prop(0x68030065, L"ShowTootipTitle", L"VARIANT_BOOL", L"Enables or disables tooltip title display",
         INVOKE_PROPERTYPUT, true);
    rows.push_back({M, 0x60030053, L"GetMeanColor", {{L"aColor1", L"LONG"}, {L"aColor2", L"LONG"}}, L"LONG", L""});
    rows.push_back({M, 0x60030062, L"CaptureScreen", {}, L"Picture*", L""});
    prop(0x68030064, L"BackgroundPicture", L"Picture*", L"Returns or sets the popup menu background picture",
         INVOKE_PROPERTYPUTREF);
    prop(0x6803006B, L"ColorScheme", L"qlColorScheme",
         L"Returns or sets the colour scheme of the menus: Classic, Dark, or Auto to follow the user's app theme");
    return rows;
}

TEST_F(TypeLibraryTest, QuillonEntriesInOrderWithTheirSignaturesAndHelp) {
    const auto rows = QuillonTable();
    ASSERT_EQ(60u, rows.size());
    for (ITypeInfo* vt : {typelib::InterfaceInfoOf(IID__Quillon), Info(IID__Quillon).get()}) {
        ASSERT_NE(nullptr, vt);
        TYPEATTR* ta = nullptr;
        ASSERT_EQ(S_OK, vt->GetTypeAttr(&ta));
        const TYPEKIND kind = ta->typekind;
        const WORD funcs = ta->cFuncs;
        vt->ReleaseTypeAttr(ta);
        if (kind != TKIND_INTERFACE) continue;  // the dispatch view of the dual interface
        ASSERT_EQ(rows.size(), funcs);
        for (UINT i = 0; i < funcs; ++i) {
            const QuillonRow& row = rows[i];
            const std::string where = "entry " + std::to_string(i) + " " + std::string(row.name, row.name + wcslen(row.name));
            FUNCDESC* fd = nullptr;
            ASSERT_EQ(S_OK, vt->GetFuncDesc(i, &fd)) << where;
            EXPECT_EQ(row.id, fd->memid) << where;
            EXPECT_EQ(row.kind, fd->invkind) << where;
            EXPECT_EQ(FUNC_PUREVIRTUAL, fd->funckind) << where;
            EXPECT_EQ(static_cast<SHORT>((7 + i) * sizeof(void*)), fd->oVft) << where;  // library order = vtable order
            EXPECT_EQ(VT_HRESULT, fd->elemdescFunc.tdesc.vt) << where;
            const size_t expectedParams = row.params.size() + (row.result.empty() ? 0 : 1);
            ASSERT_EQ(expectedParams, static_cast<size_t>(fd->cParams)) << where;
            for (size_t p = 0; p < row.params.size(); ++p) {
                const ELEMDESC& e = fd->lprgelemdescParam[p];
                EXPECT_EQ(row.params[p].second, Spell(vt, e.tdesc)) << where << " parameter " << p;
                EXPECT_FALSE(e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) << where;
                const bool byRef = e.tdesc.vt == VT_PTR && row.params[p].second.find(L"**") != std::wstring::npos;
                const bool byRefValue = e.tdesc.vt == VT_PTR && (e.tdesc.lptdesc->vt == VT_BOOL ||
                                                                 e.tdesc.lptdesc->vt == VT_VARIANT);
                if (byRef || byRefValue) {
                    EXPECT_TRUE(e.paramdesc.wParamFlags & PARAMFLAG_FOUT) << where << " by reference";
                }
            }
            if (!row.result.empty()) {
                const ELEMDESC& ret = fd->lprgelemdescParam[row.params.size()];
                EXPECT_TRUE(ret.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) << where;
                EXPECT_EQ(row.result + L"*", Spell(vt, ret.tdesc)) << where << " result";
            }
            vt->ReleaseFuncDesc(fd);

            // Names: the member, then its named parameters (a let/set value has none).
            BSTR names[8] = {};
            UINT count = 0;
            ASSERT_EQ(S_OK, vt->GetNames(row.id, names, 8, &count)) << where;
            std::vector<std::wstring> got;
            for (UINT n = 0; n < count; ++n) {
                got.push_back(names[n]);
                SysFreeString(names[n]);
            }
            ASSERT_FALSE(got.empty()) << where;
            EXPECT_EQ(row.name, got[0]) << where;
            if (row.kind == INVOKE_FUNC) {
                for (size_t p = 0; p < row.params.size(); ++p) {
                    ASSERT_LT(p + 1, got.size()) << where;
                    EXPECT_EQ(row.params[p].first, got[p + 1]) << where;
                }
            }
            BSTR help = nullptr;
            BSTR name = nullptr;
            ASSERT_EQ(S_OK, vt->GetDocumentation(row.id, &name, &help, nullptr, nullptr)) << where;
            EXPECT_EQ(row.help, help ? std::wstring(help) : std::wstring()) << where;
            SysFreeString(help);
            SysFreeString(name);
        }
    }
}

TEST_F(TypeLibraryTest, QuillonOptionalAndStandardTypes) {
    ITypeInfo* vt = typelib::InterfaceInfoOf(IID__Quillon);
    ASSERT_NE(nullptr, vt);
    Func f;
    ASSERT_TRUE(FindFunc(vt, DISPID_GetMenuCaptionFont, f));
    // Fonts and pictures are stdole's Font and Picture: IFontDisp and IPictureDisp.
    ComPtr<ITypeInfo> font;
    ASSERT_EQ(VT_PTR, f.pointees[0].vt);
    ASSERT_EQ(VT_USERDEFINED, f.pointees[0].lptdesc->vt);
    ASSERT_EQ(S_OK, vt->GetRefTypeInfo(f.pointees[0].lptdesc->hreftype, font.put()));
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(S_OK, font->GetTypeAttr(&ta));
    EXPECT_TRUE(IsEqualGUID(IID_IFontDisp, ta->guid));
    EXPECT_EQ(TKIND_DISPATCH, ta->typekind);
    font->ReleaseTypeAttr(ta);
    Func picture;
    ASSERT_TRUE(FindFunc(vt, DISPID_BackgroundPicture, picture));
    ASSERT_EQ(VT_PTR, picture.pointees[0].vt);
    ComPtr<ITypeInfo> pictureInfo;
    ASSERT_EQ(S_OK, vt->GetRefTypeInfo(picture.pointees[0].lptdesc->hreftype, pictureInfo.put()));
    ASSERT_EQ(S_OK, pictureInfo->GetTypeAttr(&ta));
    EXPECT_TRUE(IsEqualGUID(IID_IPictureDisp, ta->guid));
    pictureInfo->ReleaseTypeAttr(ta);
    Func color;
    ASSERT_TRUE(FindFunc(vt, DISPID_MenuBackground, color));
    ComPtr<ITypeInfo> alias;
    ASSERT_EQ(VT_USERDEFINED, color.pointees[0].vt);
    ASSERT_EQ(S_OK, vt->GetRefTypeInfo(color.pointees[0].hreftype, alias.put()));
    ASSERT_EQ(S_OK, alias->GetTypeAttr(&ta));
    EXPECT_EQ(TKIND_ALIAS, ta->typekind);
    EXPECT_EQ(VT_UI4, ta->tdescAlias.vt);  // OLE_COLOR is an unsigned 32-bit value
    alias->ReleaseTypeAttr(ta);
}

TEST_F(TypeLibraryTest, SubclassListenerMethod) {
    auto ti = Info(IID__cSubclassListener);
    ASSERT_TRUE(ti);
    ITypeInfo* vt = typelib::InterfaceInfoOf(IID__cSubclassListener);
    ASSERT_NE(nullptr, vt);
    Func f;
    ASSERT_TRUE(FindFunc(vt, DISPID_WindowMsgListener, f));
    ASSERT_EQ(6u, f.params.size());  // five arguments and the Long result
    for (int i = 0; i < 4; ++i) EXPECT_EQ(VT_I4, f.params[i].tdesc.vt) << i;
    EXPECT_EQ(VT_PTR, f.params[4].tdesc.vt);
    EXPECT_EQ(VT_BOOL, f.pointees[4].vt);
    EXPECT_TRUE(f.params[5].paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
    EXPECT_EQ(VT_I4, f.pointees[5].vt);
    auto names = Names(vt, DISPID_WindowMsgListener);
    ASSERT_GE(names.size(), 6u);
    EXPECT_EQ((std::vector<std::wstring>{L"WindowMsgListener", L"hwnd", L"MSG", L"wParam", L"lParam",
                                         L"bRouteToOriginal"}),
              std::vector<std::wstring>(names.begin(), names.begin() + 6));
}

TEST_F(TypeLibraryTest, ControlClass) {
    auto ti = Info(CLSID_Quillon);
    ASSERT_TRUE(ti);
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(S_OK, ti->GetTypeAttr(&ta));
    EXPECT_EQ(TKIND_COCLASS, ta->typekind);
    EXPECT_EQ(TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE, ta->wTypeFlags & (TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE));
    ASSERT_EQ(2, ta->cImplTypes);
    ti->ReleaseTypeAttr(ta);
    const struct {
        IID iid;
        INT flags;
    } impl[] = {{IID__Quillon, IMPLTYPEFLAG_FDEFAULT}, {DIID___Quillon, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        ASSERT_EQ(S_OK, ti->GetImplTypeFlags(i, &flags));
        EXPECT_EQ(impl[i].flags, flags);
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> other;
        ASSERT_EQ(S_OK, ti->GetRefTypeOfImplType(i, &ref));
        ASSERT_EQ(S_OK, ti->GetRefTypeInfo(ref, other.put()));
        TYPEATTR* oa = nullptr;
        other->GetTypeAttr(&oa);
        EXPECT_TRUE(IsEqualGUID(impl[i].iid, oa->guid)) << i;
        other->ReleaseTypeAttr(oa);
    }
}

struct EventRow {
    DISPID id;
    std::vector<std::wstring> names;
    std::vector<VARTYPE> types;  // VT_BYREF| for by-reference
    const wchar_t* help;
};

TEST_F(TypeLibraryTest, EventInterface) {
    auto ti = Info(DIID___Quillon);
    ASSERT_TRUE(ti);
    // The menu item: a pointer to the CMenuItem record's interface.
    constexpr VARTYPE kItem = VT_BYREF | VT_USERDEFINED;
    const std::vector<EventRow> rows = {
        {1, {L"SetMenuItemAttributes", L"aMenuItem"}, {kItem},
         L"This event is triggered to allow the user to override the menu item attributes before the menu item is actually displayed."},
        {2, {L"SetMenuItemSize", L"aMenuItem", L"ItemWidth", L"ItemHeight"},
         {kItem, VT_BYREF | VT_I4, VT_BYREF | VT_I4},
         L"This event is triggered for getting the size of the menu item before it is displayed."},
        {3, {L"DrawMenuItem", L"aMenuItem", L"menuDC", L"bSelected", L"cx", L"cy", L"bUserDrawn"},
         {kItem, VT_I4, VT_BOOL, VT_I4, VT_I4, VT_BYREF | VT_BOOL},
         L"This event is triggered just before a menu item needs to be drawn. If you are handling the menu item painting, set bUserDrawn to True"},
        {4, {L"ShowMenuHelp", L"aMenuItem", L"sHelpMessage"}, {kItem, VT_BYREF | VT_BSTR},
         L"This event is triggered just before the menu item help is displayed in the status bar. Use this event to display the status help message if you are using a non-standard status bar or AutoShowHelp is off."},
        {5, {L"ClearMenuHelp"}, {}, L"Event indicating closing to dropdown menu, to be used for clearing the statusbar."},
    };
    for (const auto& row : rows) {
        Func f;
        ASSERT_TRUE(FindFunc(ti.get(), row.id, f)) << row.id;
        EXPECT_EQ(FUNC_DISPATCH, f.fd.funckind);
        EXPECT_EQ(VT_VOID, f.fd.elemdescFunc.tdesc.vt);
        EXPECT_EQ(row.names, Names(ti.get(), row.id));
        ASSERT_EQ(row.types.size(), f.params.size()) << row.id;
        for (size_t i = 0; i < row.types.size(); ++i) {
            if (row.types[i] == kItem) {
                EXPECT_EQ(L"_CMenuItem*", Spell(ti.get(), f.params[i].tdesc)) << row.id;
            } else if (row.types[i] & VT_BYREF) {
                EXPECT_EQ(VT_PTR, f.params[i].tdesc.vt);
                EXPECT_EQ(row.types[i] & ~VT_BYREF, f.pointees[i].vt);
            } else {
                EXPECT_EQ(row.types[i], f.params[i].tdesc.vt);
            }
        }
        EXPECT_EQ(row.help, MemberDoc(ti.get(), row.id).help);
    }
}

TEST_F(TypeLibraryTest, EnumerationMembersAndHelpStrings) {
    const std::vector<std::pair<const wchar_t*, std::vector<std::wstring>>> enums = {
        {L"qlHighlight",
         {L"Plain", L"Horizontal Left To Right", L"Horizontal Right To Left", L"Horizontal Center",
          L"Vertical Top To Bottom", L"Vertical Bottom To Top", L"Vertical Center", L"Diagonal", L"Radial", L"XP"}},
        {L"qlBorder", {L"Normal", L"Flat", L"Flat with Shadow"}},
        {L"qlTooltipStyle", {L"qlBalloon", L"qlRectangle"}},
        {L"qlLanguage",
         {L"English", L"Korean", L"Japanese", L"Italian", L"French", L"Spanish", L"German", L"Chinese(Traditional)",
          L"Chinese(Simplified)", L"Auto"}},
    };
    for (const auto& [name, members] : enums) {
        auto ti = InfoNamed(name);
        ASSERT_TRUE(ti);
        TYPEATTR* ta = nullptr;
        ASSERT_EQ(S_OK, ti->GetTypeAttr(&ta));
        const WORD count = ta->cVars;
        ti->ReleaseTypeAttr(ta);
        ASSERT_EQ(members.size(), count);
        for (UINT i = 0; i < count; ++i) {
            VARDESC* vd = nullptr;
            ASSERT_EQ(S_OK, ti->GetVarDesc(i, &vd));
            EXPECT_EQ(VAR_CONST, vd->varkind);
            EXPECT_EQ(VT_I4, V_VT(vd->lpvarValue));
            EXPECT_EQ(static_cast<LONG>(i), V_I4(vd->lpvarValue));
            Doc d = MemberDoc(ti.get(), vd->memid);
            EXPECT_EQ(members[i], d.name);
            EXPECT_EQ(members[i], d.help);
            ti->ReleaseVarDesc(vd);
        }
    }
}

// _CMenuItem: 29 property accessors in library order, and its class.
TEST_F(TypeLibraryTest, MenuItemEntriesInOrderWithTheirTypesAndHelp) {
    const auto G = INVOKE_PROPERTYGET, L = INVOKE_PROPERTYPUT, S = INVOKE_PROPERTYPUTREF;
    struct Row {
        INVOKEKIND kind;
        DISPID id;
        const wchar_t* name;
        std::wstring type;  // the value's type; a get returns a pointer to it
        const wchar_t* help;
    };
    const std::vector<Row> rows = {
        {G, 0x68030026, L"TooltTipText", L"BSTR", L"tooltip text of the item"},
        {L, 0x68030026, L"TooltTipText", L"BSTR*", L"tooltip text of the item"},
        {G, 0x6803001B, L"CaptionFont", L"Font*",
         L"the item's caption font; its properties may be changed, the object not replaced"},
        {G, 0x6803001A, L"ShortcutFont", L"Font*", L"the item's shortcut font, same rule"},
        {G, 0x68030019, L"HasSubMenus", L"VARIANT_BOOL", L"item opens a submenu"},
        {G, 0x68030018, L"IsTopLevel", L"VARIANT_BOOL", L"item belongs to the menu bar"},
        {G, 0x68030016, L"IsSeparator", L"VARIANT_BOOL", L"item is a separator"},
        {G, 0x68030013, L"ShortcutText", L"BSTR", L"text after the caption's tab"},
        {G, 0x68030012, L"Caption", L"BSTR", L"caption text"},
        {G, 0x68030011, L"Disabled", L"VARIANT_BOOL", L"item is disabled"},
        {G, 0x68030010, L"Checked", L"VARIANT_BOOL", L"item is checked"},
        {G, 0x6803000F, L"hwnd", L"LONG", L"window owning the menu"},
        {G, 0x6803000E, L"hMenu", L"LONG", L"menu handle"},
        {G, 0x6803000D, L"MenuId", L"LONG", L"command identifier"},
        {G, 0x6803000C, L"ParentMenuId", L"LONG", L"command identifier of the parent item"},
        {G, 0x6803000B, L"Picture", L"Picture*", L"picture drawn beside the caption"},
        {S, 0x6803000B, L"Picture", L"Picture**", L"picture drawn beside the caption"},
        {G, 0x6803000A, L"PictureBackColor", L"OLE_COLOR", L"background colour of the picture"},
        {L, 0x6803000A, L"PictureBackColor", L"OLE_COLOR*", L"background colour of the picture"},
        {G, 0x68030009, L"MenuText", L"BSTR", L"caption and shortcut text together"},
        {G, 0x68030008, L"ShortcutTextWidth", L"LONG", L"width of the shortcut text in the current font"},
        {G, 0x68030007, L"ShortcutTextHeight", L"LONG", L"height of the shortcut text"},
        {G, 0x68030006, L"CaptionTextWidth", L"LONG", L"width of the caption text"},
        {G, 0x68030005, L"CaptionTextHeight", L"LONG", L"height of the caption text"},
        {G, 0x68030004, L"Position", L"LONG", L"position of the item in its menu"},
        {G, 0x68030002, L"IsFirst", L"VARIANT_BOOL", L"first item of its menu"},
        {G, 0x68030000, L"IsLast", L"VARIANT_BOOL", L"last item of its menu"},
        {G, 0x68030020, L"Language", L"qlLanguage", L"the item's language"},
        {L, 0x68030020, L"Language", L"qlLanguage", L"the item's language"},
    };
    ASSERT_EQ(29u, rows.size());
    ITypeInfo* vt = typelib::InterfaceInfoOf(IID__CMenuItem);
    ASSERT_NE(nullptr, vt);
    auto ti = Info(IID__CMenuItem);
    ASSERT_TRUE(ti);
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(S_OK, vt->GetTypeAttr(&ta));
    EXPECT_EQ(TKIND_INTERFACE, ta->typekind);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
    ASSERT_EQ(rows.size(), ta->cFuncs);
    vt->ReleaseTypeAttr(ta);
    for (UINT i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const std::string where = "entry " + std::to_string(i) + " " + std::string(row.name, row.name + wcslen(row.name));
        FUNCDESC* fd = nullptr;
        ASSERT_EQ(S_OK, vt->GetFuncDesc(i, &fd)) << where;
        EXPECT_EQ(row.id, fd->memid) << where;
        EXPECT_EQ(row.kind, fd->invkind) << where;
        EXPECT_EQ(static_cast<SHORT>((7 + i) * sizeof(void*)), fd->oVft) << where;
        ASSERT_EQ(1, fd->cParams) << where;
        const ELEMDESC& e = fd->lprgelemdescParam[0];
        if (row.kind == INVOKE_PROPERTYGET) {
            EXPECT_TRUE(e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) << where;
            EXPECT_EQ(row.type + L"*", Spell(vt, e.tdesc)) << where;
        } else {
            EXPECT_EQ(row.type, Spell(vt, e.tdesc)) << where;
        }
        vt->ReleaseFuncDesc(fd);
        EXPECT_EQ(row.name, Names(vt, row.id).at(0)) << where;
        EXPECT_EQ(row.help, MemberDoc(vt, row.id).help) << where;
    }
    // The library-only members are not part of it.
    for (const wchar_t* hidden : {L"ItemData", L"AccessKey", L"AppliedFlags", L"Dirty"}) {
        MEMBERID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(hidden)};
        EXPECT_NE(S_OK, ti->GetIDsOfNames(names, 1, &id));
    }

    auto coclass = Info(CLSID_CMenuItem);
    ASSERT_TRUE(coclass);
    ASSERT_EQ(S_OK, coclass->GetTypeAttr(&ta));
    EXPECT_EQ(TKIND_COCLASS, ta->typekind);
    EXPECT_EQ(0, ta->wTypeFlags & TYPEFLAG_FCANCREATE);
    ASSERT_EQ(1, ta->cImplTypes);
    coclass->ReleaseTypeAttr(ta);
    INT flags = 0;
    ASSERT_EQ(S_OK, coclass->GetImplTypeFlags(0, &flags));
    EXPECT_EQ(IMPLTYPEFLAG_FDEFAULT, flags);
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> impl;
    ASSERT_EQ(S_OK, coclass->GetRefTypeOfImplType(0, &ref));
    ASSERT_EQ(S_OK, coclass->GetRefTypeInfo(ref, impl.put()));
    TYPEATTR* ia = nullptr;
    impl->GetTypeAttr(&ia);
    EXPECT_TRUE(IsEqualGUID(IID__CMenuItem, ia->guid));
    impl->ReleaseTypeAttr(ia);
}

// Controls of several apartments starting at once share one load of the
// library: every thread gets the same type information.
TEST_F(TypeLibraryTest, ApartmentsStartingAtOnceShareOneLoad) {
    const GUID types[] = {CLSID_Quillon, IID__Quillon, DIID___Quillon, IID__CMenuItem, CLSID_CMenuItem};
    constexpr size_t kTypes = sizeof types / sizeof types[0], kThreads = 8;
    std::vector<std::vector<ITypeInfo*>> seen(kThreads);
    typelib::Release();
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::vector<std::thread> threads;
    for (auto& infos : seen)
        threads.emplace_back([&types, go, out = &infos] {
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            WaitForSingleObject(go, 5000);
            for (const GUID& type : types) out->push_back(typelib::InfoOf(type));
            out->push_back(typelib::InterfaceInfoOf(IID__Quillon));
            CoUninitialize();
        });
    SetEvent(go);
    for (auto& t : threads) t.join();
    CloseHandle(go);
    for (size_t i = 0; i <= kTypes; ++i) {
        ASSERT_NE(nullptr, seen[0][i]) << i;
        for (size_t t = 1; t < kThreads; ++t) EXPECT_EQ(seen[0][i], seen[t][i]) << "type " << i << ", thread " << t;
    }
}

TEST_F(TypeLibraryTest, EmbeddedCopyInThisProgramMatches) {
    ITypeLib* own = typelib::Library();
    ASSERT_NE(nullptr, own);
    EXPECT_EQ(lib->GetTypeInfoCount(), own->GetTypeInfoCount());
    ITypeInfo* coclass = typelib::InfoOf(CLSID_Quillon);
    ASSERT_NE(nullptr, coclass);
}

}  // namespace
}  // namespace quillon::test
