#include "tools/mktypelib/TypeLibWriter.h"
#include <map>
#include <memory>

namespace quillon::tlb {
namespace {

struct Failed {
    HRESULT hr;
    std::string where;
};

void Check(HRESULT hr, const std::string& where) {
    if (FAILED(hr)) throw Failed{hr, where};
}

template <class T>
struct Ref {
    T* p = nullptr;
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() { if (p) p->Release(); }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

std::string Narrow(const wchar_t* s) {
    std::string out;
    for (; s && *s; ++s) out += static_cast<char>(*s < 128 ? *s : '?');
    return out;
}

wchar_t* W(const wchar_t* s) { return const_cast<wchar_t*>(s); }

class Writer {
public:
    explicit Writer(const Library& lib) : m_lib(lib) {}
    ~Writer() {
        for (auto& [name, info] : m_infos) info->Release();
        if (m_stdole) m_stdole->Release();
    }

    void Write(const wchar_t* path, SYSKIND platform) {
        Check(CreateTypeLib2(platform, path, m_tl.out()), "CreateTypeLib2");
        Check(m_tl->SetName(W(m_lib.name)), "library name");
        Check(m_tl->SetGuid(m_lib.guid), "library guid");
        Check(m_tl->SetVersion(m_lib.major, m_lib.minor), "library version");
        Check(m_tl->SetLcid(LOCALE_NEUTRAL), "library lcid");
        if (m_lib.help) Check(m_tl->SetDocString(W(m_lib.help)), "library help");

        Ref<ITypeLib> stdole;
        Check(LoadTypeLib(L"stdole2.tlb", stdole.out()), "load stdole2.tlb");
        Check(stdole->GetTypeInfoOfGuid(IID_IDispatch, m_dispatch.out()), "IDispatch type info");
        m_stdole = stdole.p;
        m_stdole->AddRef();

        // Every type exists before any member refers to one.
        for (const auto& t : m_lib.types) Create(t);
        for (const auto& t : m_lib.types) Fill(t);
        for (const auto& t : m_lib.types) Check(Info(t.name)->LayOut(), "lay out " + Narrow(t.name));
        Check(m_tl->SaveAllChanges(), "SaveAllChanges");
    }

private:
    ICreateTypeInfo* Info(const wchar_t* name) {
        auto it = m_infos.find(name);
        if (it == m_infos.end()) throw Failed{TYPE_E_ELEMENTNOTFOUND, "unknown type " + Narrow(name)};
        return it->second;
    }

    HREFTYPE RefTo(ICreateTypeInfo* from, ITypeInfo* to, const std::string& what) {
        HREFTYPE h = 0;
        Check(from->AddRefTypeInfo(to, &h), "reference " + what);
        return h;
    }

    HREFTYPE RefTo(ICreateTypeInfo* from, const wchar_t* name) {
        Ref<ITypeInfo> ti;
        Check(Info(name)->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(ti.out())), "type info " + Narrow(name));
        return RefTo(from, ti.p, Narrow(name));
    }

    // A type of stdole2 by name (OLE_COLOR, Font, Picture). The
    // types are walked one by one: FindName also matches member names.
    HREFTYPE RefToStandard(ICreateTypeInfo* from, const wchar_t* name) {
        const UINT count = m_stdole->GetTypeInfoCount();
        for (UINT i = 0; i < count; ++i) {
            BSTR typeName = nullptr;
            if (FAILED(m_stdole->GetDocumentation(static_cast<INT>(i), &typeName, nullptr, nullptr, nullptr))) continue;
            const bool match = typeName && wcscmp(typeName, name) == 0;
            SysFreeString(typeName);
            if (!match) continue;
            Ref<ITypeInfo> ti;
            Check(m_stdole->GetTypeInfo(i, ti.out()), "stdole type " + Narrow(name));
            return RefTo(from, ti.p, Narrow(name));
        }
        throw Failed{TYPE_E_ELEMENTNOTFOUND, "no stdole type " + Narrow(name)};
    }

    void Create(const TypeEntry& t) {
        TYPEKIND kind = TKIND_ENUM;
        switch (t.kind) {
            case TypeKind::DualInterface: kind = TKIND_INTERFACE; break;
            case TypeKind::DispInterface: kind = TKIND_DISPATCH; break;
            case TypeKind::CoClass: kind = TKIND_COCLASS; break;
            case TypeKind::Enumeration: kind = TKIND_ENUM; break;
        }
        ICreateTypeInfo* info = nullptr;
        const std::string name = Narrow(t.name);
        Check(m_tl->CreateTypeInfo(W(t.name), kind, &info), "create " + name);
        m_infos[t.name] = info;
        if (t.guid != GUID{}) Check(info->SetGuid(t.guid), "guid of " + name);
        Check(info->SetVersion(m_lib.major, m_lib.minor), "version of " + name);
        if (t.help) Check(info->SetDocString(W(t.help)), "help of " + name);
    }

    void Fill(const TypeEntry& t) {
        ICreateTypeInfo* info = Info(t.name);
        const std::string name = Narrow(t.name);
        if (t.kind == TypeKind::DualInterface || t.kind == TypeKind::DispInterface) {
            Check(info->AddImplType(0, RefTo(info, m_dispatch.p, "IDispatch")), "base of " + name);
        }
        if (t.flags) Check(info->SetTypeFlags(t.flags), "flags of " + name);
        for (UINT i = 0; i < t.implemented.size(); ++i) {
            const auto& impl = t.implemented[i];
            Check(info->AddImplType(i, RefTo(info, impl.name)), name + " implements " + Narrow(impl.name));
            Check(info->SetImplTypeFlags(i, impl.flags), "impl flags of " + name);
        }
        for (UINT i = 0; i < t.members.size(); ++i) AddMember(info, t, i);
        for (UINT i = 0; i < t.constants.size(); ++i) AddConstant(info, t.constants[i], i, name);
    }

    // Fills `desc` for `type`; pointer levels live in `storage`.
    void Describe(ICreateTypeInfo* info, const TypeSpec& type, TYPEDESC& desc,
                  std::vector<std::unique_ptr<TYPEDESC>>& storage) {
        TYPEDESC inner{};
        inner.vt = type.vt;
        if (type.vt == VT_USERDEFINED)
            inner.hreftype = type.standard ? RefToStandard(info, type.user) : RefTo(info, type.user);
        if (type.object) {  // an interface is always passed as a pointer to it
            storage.push_back(std::make_unique<TYPEDESC>(inner));
            inner = TYPEDESC{};
            inner.vt = VT_PTR;
            inner.lptdesc = storage.back().get();
        }
        if (!type.byRef) {
            desc = inner;
            return;
        }
        storage.push_back(std::make_unique<TYPEDESC>(inner));
        desc.vt = VT_PTR;
        desc.lptdesc = storage.back().get();
    }

    void AddMember(ICreateTypeInfo* info, const TypeEntry& t, UINT index) {
        const Member& m = t.members[index];
        const bool dual = t.kind == TypeKind::DualInterface;
        std::vector<std::unique_ptr<TYPEDESC>> storage;
        std::vector<ELEMDESC> params(m.params.size());
        std::vector<const wchar_t*> names{m.name};
        short optional = 0;
        for (size_t i = 0; i < m.params.size(); ++i) {
            const Param& p = m.params[i];
            Describe(info, p.type, params[i].tdesc, storage);
            USHORT flags = PARAMFLAG_FIN;
            if (p.type.byRef) flags |= PARAMFLAG_FOUT;
            if (p.optional) { flags |= PARAMFLAG_FOPT; ++optional; }
            params[i].paramdesc.wParamFlags = flags;
            // The value of a property let/set has no name of its own.
            if (!(i + 1 == m.params.size() && (m.kind == Kind::PropLet || m.kind == Kind::PropSet)))
                names.push_back(p.name);
        }
        ELEMDESC result{};
        if (dual) {
            result.tdesc.vt = VT_HRESULT;
            if (m.result.vt != VT_EMPTY) {
                ELEMDESC ret{};
                TypeSpec byRef = m.result;
                byRef.byRef = true;
                Describe(info, byRef, ret.tdesc, storage);
                ret.paramdesc.wParamFlags = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
                params.push_back(ret);
                if (m.kind == Kind::Method) names.push_back(L"retVal");
            }
        } else if (m.result.vt != VT_EMPTY) {
            Describe(info, m.result, result.tdesc, storage);
        } else {
            result.tdesc.vt = VT_VOID;
        }

        FUNCDESC fd{};
        fd.memid = m.id;
        fd.funckind = dual ? FUNC_PUREVIRTUAL : FUNC_DISPATCH;
        switch (m.kind) {
            case Kind::Method: fd.invkind = INVOKE_FUNC; break;
            case Kind::PropGet: fd.invkind = INVOKE_PROPERTYGET; break;
            case Kind::PropLet: fd.invkind = INVOKE_PROPERTYPUT; break;
            case Kind::PropSet: fd.invkind = INVOKE_PROPERTYPUTREF; break;
        }
        fd.callconv = CC_STDCALL;
        fd.cParams = static_cast<SHORT>(params.size());
        fd.cParamsOpt = 0;  // optional VARIANTs are marked per parameter
        (void)optional;
        fd.lprgelemdescParam = params.empty() ? nullptr : params.data();
        fd.elemdescFunc = result;
        // Dual interfaces: IDispatch's seven slots come first.
        fd.oVft = dual ? static_cast<SHORT>((7 + index) * sizeof(void*)) : 0;

        const std::string what = Narrow(t.name) + "." + Narrow(m.name);
        Check(info->AddFuncDesc(index, &fd), "add " + what);
        Check(info->SetFuncAndParamNames(index, const_cast<LPOLESTR*>(names.data()), static_cast<UINT>(names.size())),
              "names of " + what);
        if (m.help) Check(info->SetFuncDocString(index, W(m.help)), "help of " + what);
    }

    void AddConstant(ICreateTypeInfo* info, const Constant& c, UINT index, const std::string& owner) {
        VARIANT value;
        VariantInit(&value);
        V_VT(&value) = VT_I4;
        V_I4(&value) = c.value;
        VARDESC vd{};
        vd.memid = static_cast<MEMBERID>(0x40000000 + index);
        vd.lpvarValue = &value;
        vd.elemdescVar.tdesc.vt = VT_I4;
        vd.varkind = VAR_CONST;
        const std::string what = owner + "." + Narrow(c.name);
        Check(info->AddVarDesc(index, &vd), "add " + what);
        Check(info->SetVarName(index, W(c.name)), "name of " + what);
        Check(info->SetVarDocString(index, W(c.name)), "help of " + what);
    }

    const Library& m_lib;
    Ref<ICreateTypeLib2> m_tl;
    Ref<ITypeInfo> m_dispatch;
    ITypeLib* m_stdole = nullptr;
    std::map<std::wstring, ICreateTypeInfo*> m_infos;
};

}  // namespace

HRESULT WriteTypeLibrary(const Library& lib, const wchar_t* path, SYSKIND platform, std::string& where) {
    try {
        Writer(lib).Write(path, platform);
        return S_OK;
    } catch (const Failed& f) {
        where = f.where;
        return f.hr;
    } catch (...) {
        where = "unexpected failure";
        return E_FAIL;
    }
}

}  // namespace quillon::tlb
