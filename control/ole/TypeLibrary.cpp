#include "control/ole/TypeLibrary.h"
#include <vector>
#include "control/ole/Module.h"

namespace quillon::typelib {
namespace {

struct Entry {
    GUID guid;
    bool vtableView;
    ITypeInfo* info;
};

ITypeLib* g_library = nullptr;
bool g_tried = false;
std::vector<Entry> g_cache;

ITypeInfo* Cached(REFGUID guid, bool vtableView) {
    for (const auto& e : g_cache)
        if (e.vtableView == vtableView && IsEqualGUID(e.guid, guid)) return e.info;
    return nullptr;
}

}  // namespace

ITypeLib* Library() {
    if (!g_library && !g_tried) {
        g_tried = true;
        if (FAILED(LoadTypeLibEx(module::FilePath().c_str(), REGKIND_NONE, &g_library))) g_library = nullptr;
    }
    return g_library;
}

ITypeInfo* InfoOf(REFGUID guid) {
    if (ITypeInfo* hit = Cached(guid, false)) return hit;
    ITypeLib* lib = Library();
    ITypeInfo* info = nullptr;
    if (!lib || FAILED(lib->GetTypeInfoOfGuid(guid, &info)) || !info) return nullptr;
    g_cache.push_back({guid, false, info});
    return info;
}

ITypeInfo* InterfaceInfoOf(REFIID iid) {
    if (ITypeInfo* hit = Cached(iid, true)) return hit;
    ITypeInfo* info = InfoOf(iid);
    if (!info) return nullptr;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return nullptr;
    const TYPEKIND kind = attr->typekind;
    info->ReleaseTypeAttr(attr);
    ITypeInfo* view = nullptr;
    if (kind == TKIND_INTERFACE) {
        view = info;
        view->AddRef();
    } else {
        // A dual interface listed as a dispinterface: its vtable view is
        // the implemented type -1.
        HREFTYPE ref = 0;
        if (FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) ||
            FAILED(info->GetRefTypeInfo(ref, &view)))
            return nullptr;
    }
    g_cache.push_back({iid, true, view});
    return view;
}

void Release() {
    for (auto& e : g_cache) e.info->Release();
    g_cache.clear();
    if (g_library) g_library->Release();
    g_library = nullptr;
    g_tried = false;
}

}  // namespace quillon::typelib
