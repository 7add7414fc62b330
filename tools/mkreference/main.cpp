// mkreference LIBRARY.tlb OUTPUT.md: writes the reference for host
// programmers from the type library itself: every member of the control's,
// the menu item's and the event interface with its DISPID, parameters,
// types and help string, and every enumeration with its values. Run at
// build time (under the emulator when cross-compiling); docs/reference.md
// is its output, committed, and a test compares the two.
#include <windows.h>
#include <oleauto.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

template <class T>
struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// A table cell: no line breaks, and a bar does not end the cell.
std::string Cell(const std::wstring& text) {
    std::string out;
    for (char c : Utf8(text)) {
        if (c == '|') out += "\\|";
        else if (c == '\r' || c == '\n') out += ' ';
        else out += c;
    }
    return out;
}

struct Doc {
    std::wstring name, help;
};

Doc DocOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr, help = nullptr;
    Doc d;
    if (SUCCEEDED(info->GetDocumentation(id, &name, &help, nullptr, nullptr))) {
        d.name = name ? name : L"";
        d.help = help ? help : L"";
    }
    SysFreeString(name);
    SysFreeString(help);
    return d;
}

std::string TypeName(ITypeInfo* info, const TYPEDESC& t) {
    switch (t.vt) {
    case VT_PTR: return TypeName(info, *t.lptdesc);
    case VT_SAFEARRAY: return TypeName(info, *t.lptdesc) + "()";
    case VT_USERDEFINED: {
        Ref<ITypeInfo> ref;
        if (FAILED(info->GetRefTypeInfo(t.hreftype, &ref.p))) return "?";
        return Utf8(DocOf(ref.p, MEMBERID_NIL).name);
    }
    case VT_I2: return "Integer";
    case VT_I4: case VT_INT: return "Long";
    case VT_UI1: return "Byte";
    case VT_R4: return "Single";
    case VT_R8: return "Double";
    case VT_CY: return "Currency";
    case VT_DATE: return "Date";
    case VT_BSTR: return "String";
    case VT_BOOL: return "Boolean";
    case VT_VARIANT: return "Variant";
    case VT_DISPATCH: return "Object";
    case VT_UNKNOWN: return "IUnknown";
    case VT_VOID: case VT_HRESULT: return "";
    default: return "VT " + std::to_string(t.vt);
    }
}

// A pointer to an interface is how an object travels by value; any other
// pointer is a by-reference argument.
bool ByReference(ITypeInfo* info, const TYPEDESC& t) {
    if (t.vt != VT_PTR) return false;
    const TYPEDESC& inner = *t.lptdesc;
    if (inner.vt != VT_USERDEFINED) return true;
    Ref<ITypeInfo> ref;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetRefTypeInfo(inner.hreftype, &ref.p)) || FAILED(ref->GetTypeAttr(&attr))) return true;
    const TYPEKIND kind = attr->typekind;
    ref->ReleaseTypeAttr(attr);
    return kind != TKIND_DISPATCH && kind != TKIND_INTERFACE && kind != TKIND_COCLASS;
}

std::string DispidText(MEMBERID id) {
    char buf[16];
    if (id >= 0 && id < 0x10000) std::snprintf(buf, sizeof buf, "%ld", static_cast<long>(id));
    else std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(id));
    return buf;
}

const char* KindText(INVOKEKIND kind, bool events) {
    if (events) return "event";
    switch (kind) {
    case INVOKE_PROPERTYGET: return "property get";
    case INVOKE_PROPERTYPUT: return "property let";
    case INVOKE_PROPERTYPUTREF: return "property set";
    default: return "method";
    }
}

// The vtable view of a dual interface (its own members only); the
// dispinterface itself otherwise.
ITypeInfo* MembersView(ITypeInfo* info) {
    HREFTYPE ref = 0;
    ITypeInfo* view = nullptr;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) && SUCCEEDED(info->GetRefTypeInfo(ref, &view)))
        return view;
    info->AddRef();
    return info;
}

void WriteInterface(std::ofstream& out, ITypeInfo* dispatch, bool events) {
    const Doc doc = DocOf(dispatch, MEMBERID_NIL);
    out << "### `" << Utf8(doc.name) << "`\n\n";
    if (!doc.help.empty()) out << Cell(doc.help) << "\n\n";
    out << "| DISPID | Member | Kind | Parameters | Returns | Help |\n|---|---|---|---|---|---|\n";
    Ref<ITypeInfo> view;
    view.p = MembersView(dispatch);
    TYPEATTR* attr = nullptr;
    if (FAILED(view->GetTypeAttr(&attr))) return;
    for (UINT f = 0; f < attr->cFuncs; ++f) {
        FUNCDESC* fd = nullptr;
        if (FAILED(view->GetFuncDesc(f, &fd))) continue;
        if (!(fd->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
            std::vector<BSTR> names(static_cast<size_t>(fd->cParams) + 1, nullptr);
            UINT got = 0;
            view->GetNames(fd->memid, names.data(), static_cast<UINT>(names.size()), &got);
            std::string params, returns = TypeName(view.p, fd->elemdescFunc.tdesc);
            for (SHORT i = 0; i < fd->cParams; ++i) {
                const ELEMDESC& e = fd->lprgelemdescParam[i];
                const USHORT flags = e.paramdesc.wParamFlags;
                if (flags & PARAMFLAG_FRETVAL) {
                    returns = TypeName(view.p, e.tdesc);
                    continue;
                }
                if (!params.empty()) params += ", ";
                if (flags & PARAMFLAG_FOPT) params += "Optional ";
                params += ByReference(view.p, e.tdesc) ? "ByRef " : "ByVal ";
                // A property's new value has no name of its own in the library.
                const UINT n = static_cast<UINT>(i) + 1;
                params += (n < got && names[n] ? Utf8(names[n]) : std::string("value")) + " As " +
                          TypeName(view.p, e.tdesc);
            }
            const Doc member = DocOf(view.p, fd->memid);
            out << "| " << DispidText(fd->memid) << " | `" << Utf8(member.name) << "` | " << KindText(fd->invkind, events)
                << " | " << (params.empty() ? "" : "`" + params + "`") << " | " << returns << " | " << Cell(member.help)
                << " |\n";
            for (BSTR b : names) SysFreeString(b);
        }
        view->ReleaseFuncDesc(fd);
    }
    view->ReleaseTypeAttr(attr);
    out << "\n";
}

void WriteEnum(std::ofstream& out, ITypeInfo* info) {
    const Doc doc = DocOf(info, MEMBERID_NIL);
    out << "### `" << Utf8(doc.name) << "`\n\n";
    if (!doc.help.empty()) out << Cell(doc.help) << "\n\n";
    out << "| Value | Name | Help |\n|---|---|---|\n";
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return;
    for (UINT v = 0; v < attr->cVars; ++v) {
        VARDESC* vd = nullptr;
        if (FAILED(info->GetVarDesc(v, &vd))) continue;
        VARIANT value;
        VariantInit(&value);
        if (vd->varkind == VAR_CONST && vd->lpvarValue) VariantChangeType(&value, vd->lpvarValue, 0, VT_I4);
        const Doc member = DocOf(info, vd->memid);
        out << "| " << (V_VT(&value) == VT_I4 ? std::to_string(V_I4(&value)) : std::string("?")) << " | `"
            << Utf8(member.name) << "` | " << Cell(member.help) << " |\n";
        VariantClear(&value);
        info->ReleaseVarDesc(vd);
    }
    info->ReleaseTypeAttr(attr);
    out << "\n";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkreference LIBRARY.tlb OUTPUT.md\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr))) return 1;
    int status = 1;
    {
        Ref<ITypeLib> lib;
        if (FAILED(LoadTypeLibEx(argv[1], REGKIND_NONE, &lib.p))) {
            std::fprintf(stderr, "mkreference: cannot read the type library\n");
        } else {
            std::ofstream out(argv[2], std::ios::binary);
            TLIBATTR* la = nullptr;
            lib->GetLibAttr(&la);
            BSTR name = nullptr, help = nullptr;
            lib->GetDocumentation(-1, &name, &help, nullptr, nullptr);
            out << "# " << Utf8(name ? name : L"") << " reference\n\n"
                << "Made by `tools/mkreference` from the type library " << Utf8(name ? name : L"") << " "
                << (la ? la->wMajorVerNum : 0) << "." << (la ? la->wMinorVerNum : 0) << " (" << Cell(help ? help : L"")
                << "), which the build embeds in `QuillonLib.dll`; a test checks that this file is what the build "
                   "makes. Scripts and late-bound hosts call the members by name through `IDispatch`; the control "
                   "raises the events on the connection point of `__Quillon`.\n\n";
            if (la) lib->ReleaseTLibAttr(la);
            SysFreeString(name);
            SysFreeString(help);
            const wchar_t* interfaces[] = {L"_Quillon", L"_CMenuItem", L"__Quillon"};
            out << "## Interfaces\n\n";
            for (const wchar_t* wanted : interfaces)
                for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
                    Ref<ITypeInfo> info;
                    if (FAILED(lib->GetTypeInfo(i, &info.p)) || DocOf(info.p, MEMBERID_NIL).name != wanted) continue;
                    WriteInterface(out, info.p, lstrcmpW(wanted, L"__Quillon") == 0);
                }
            out << "## Enumerations\n\n";
            for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
                TYPEKIND kind{};
                Ref<ITypeInfo> info;
                if (FAILED(lib->GetTypeInfoType(i, &kind)) || kind != TKIND_ENUM || FAILED(lib->GetTypeInfo(i, &info.p)))
                    continue;
                WriteEnum(out, info.p);
            }
            status = out.good() ? 0 : 1;
        }
    }
    CoUninitialize();
    return status;
}
