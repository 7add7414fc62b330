#include "control/ole/TypeInfoDispatch.h"
#include <vector>
#include "control/ole/ComPtr.h"
#include "control/ole/TypeLibrary.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

// The description of member `id` callable with `flags`, copied out.
struct Signature {
    bool found = false;
    UINT maxArgs = 0;                // parameters a caller may pass
    std::vector<TYPEDESC> types;     // their types (by-ref ones: the pointee)
};

Signature SignatureOf(ITypeInfo* ti, DISPID id, WORD flags) {
    Signature sig;
    TYPEATTR* ta = nullptr;
    if (FAILED(ti->GetTypeAttr(&ta))) return sig;
    const WORD count = ta->cFuncs;
    ti->ReleaseTypeAttr(ta);
    for (UINT i = 0; i < count && !sig.found; ++i) {
        FUNCDESC* fd = nullptr;
        if (FAILED(ti->GetFuncDesc(i, &fd))) continue;
        if (fd->memid == id && (fd->invkind & flags)) {
            sig.found = true;
            for (SHORT p = 0; p < fd->cParams; ++p) {
                const ELEMDESC& e = fd->lprgelemdescParam[p];
                if (e.paramdesc.wParamFlags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)) continue;
                ++sig.maxArgs;
                sig.types.push_back(e.tdesc.vt == VT_PTR ? *e.tdesc.lptdesc : e.tdesc);
            }
        }
        ti->ReleaseFuncDesc(fd);
    }
    return sig;
}

// Index (in rgvarg) of the first positional argument that does not convert
// to its parameter's type, or -1.
int FirstMismatch(const Signature& sig, const DISPPARAMS& params) {
    const UINT positional = params.cArgs - params.cNamedArgs;
    for (UINT n = 0; n < positional && n < sig.types.size(); ++n) {
        const VARTYPE want = sig.types[n].vt;
        if (want == VT_VARIANT || want == VT_USERDEFINED || want == VT_PTR) continue;
        const UINT index = params.cArgs - 1 - n;
        VARIANT probe;
        VariantInit(&probe);
        const HRESULT hr = VariantChangeType(&probe, &params.rgvarg[index], 0, want);
        VariantClear(&probe);
        if (FAILED(hr)) return static_cast<int>(index);
    }
    return -1;
}

}  // namespace

HRESULT TypeInfoDispatch::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = typelib::InfoOf(m_iid) ? 1 : 0;
    return S_OK;
}

HRESULT TypeInfoDispatch::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* ti = typelib::InfoOf(m_iid);
    if (!ti) return TYPE_E_ELEMENTNOTFOUND;
    ti->AddRef();
    *info = ti;
    return S_OK;
}

HRESULT TypeInfoDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* ti = typelib::InterfaceInfoOf(m_iid);
    if (!ti) return E_UNEXPECTED;
    return DispGetIDsOfNames(ti, names, count, ids);
}

HRESULT TypeInfoDispatch::Invoke(void* self, DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* ti = typelib::InterfaceInfoOf(m_iid);
    if (!ti) return E_UNEXPECTED;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    DISPPARAMS& args = params ? *params : none;
    HRESULT hr = E_UNEXPECTED;
    Trap([&] {
        // Wine's Invoke accepts surplus arguments and leaves the argument
        // index of a type mismatch unset; both are checked here.
        const Signature sig = SignatureOf(ti, id, flags);
        if (sig.found && args.cArgs > sig.maxArgs + (args.cNamedArgs && (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) ? 1 : 0)) {
            hr = DISP_E_BADPARAMCOUNT;
            return;
        }
        SetErrorInfo(0, nullptr);
        hr = ti->Invoke(self, id, flags, &args, result, excep, argErr);
        if (hr == DISP_E_TYPEMISMATCH && argErr && sig.found) {
            const int bad = FirstMismatch(sig, args);
            if (bad >= 0) *argErr = static_cast<UINT>(bad);
        }
    });
    return hr;
}

}  // namespace quillon
