#pragma once
// IDispatch for a dual interface, answered from its type information in
// the embedded type library. A dual object forwards its four IDispatch
// methods here, passing the pointer to its dual interface as `self`.
#include <windows.h>
#include <oaidl.h>

namespace quillon {

class TypeInfoDispatch {
public:
    explicit TypeInfoDispatch(REFIID dualIid) : m_iid(dualIid) {}

    HRESULT GetTypeInfoCount(UINT* count);
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info);
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids);
    // ITypeInfo::Invoke on `self`: argument coercion, optional and by-ref
    // arguments, and for a failing method DISP_E_EXCEPTION with EXCEPINFO
    // filled from the IErrorInfo the method set.
    HRESULT Invoke(void* self, DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr);

private:
    IID m_iid;
};

}  // namespace quillon
