// The type library embedded in QuillonLib.dll: types in order, members with
// their DISPIDs, parameters and help strings, the enumerations.
#include <gtest/gtest.h>
#include <string>
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
        {L"__Quillon", TKIND_DISPATCH},           {L"qlHighlight", TKIND_ENUM},
        {L"qlBorder", TKIND_ENUM},                {L"qlTooltipStyle", TKIND_ENUM},
        {L"qlLanguage", TKIND_ENUM}};
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
    EXPECT_EQ(static_cast<SHORT>(7 * sizeof(void*)), f.fd.oVft);  // first slot after IDispatch
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
    const std::vector<EventRow> rows = {
        {1, {L"SetMenuItemAttributes", L"aMenuItem"}, {VT_DISPATCH},
         L"This event is triggered to allow the user to override the menu item attributes before the menu item is actually displayed."},
        {2, {L"SetMenuItemSize", L"aMenuItem", L"ItemWidth", L"ItemHeight"},
         {VT_DISPATCH, VT_BYREF | VT_I4, VT_BYREF | VT_I4},
         L"This event is triggered for getting the size of the menu item before it is displayed."},
        {3, {L"DrawMenuItem", L"aMenuItem", L"menuDC", L"bSelected", L"cx", L"cy", L"bUserDrawn"},
         {VT_DISPATCH, VT_I4, VT_BOOL, VT_I4, VT_I4, VT_BYREF | VT_BOOL},
         L"This event is triggered just before a menu item needs to be drawn. If you are handling the menu item painting, set bUserDrawn to True"},
        {4, {L"ShowMenuHelp", L"aMenuItem", L"sHelpMessage"}, {VT_DISPATCH, VT_BYREF | VT_BSTR},
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
            if (row.types[i] & VT_BYREF) {
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

TEST_F(TypeLibraryTest, EmbeddedCopyInThisProgramMatches) {
    ITypeLib* own = typelib::Library();
    ASSERT_NE(nullptr, own);
    EXPECT_EQ(lib->GetTypeInfoCount(), own->GetTypeInfoCount());
    ITypeInfo* coclass = typelib::InfoOf(CLSID_Quillon);
    ASSERT_NE(nullptr, coclass);
}

}  // namespace
}  // namespace quillon::test
