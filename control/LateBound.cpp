#include "control/LateBound.h"

namespace quillon::LateBound {

DISPID MemberId(IDispatch* object, const wchar_t* name) noexcept {
    if (!object) return DISPID_UNKNOWN;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
    return id;
}

bool GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value) noexcept {
    VariantInit(value);
    DISPID id = MemberId(object, name);
    if (id == DISPID_UNKNOWN) return false;
    DISPPARAMS none{};
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none,
                                value, nullptr, nullptr);
    if (FAILED(hr)) {
        VariantClear(value);
        return false;
    }
    return true;
}

IDispatch* GetObjectProperty(IDispatch* object, const wchar_t* name) noexcept {
    VARIANT v;
    if (!GetProperty(object, name, &v)) return nullptr;
    IDispatch* result = nullptr;
    if (V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v)) {
        result = V_DISPATCH(&v);
        result->AddRef();
    } else if (V_VT(&v) == VT_UNKNOWN && V_UNKNOWN(&v)) {
        V_UNKNOWN(&v)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&result));
    }
    VariantClear(&v);
    return result;
}

}  // namespace quillon::LateBound
