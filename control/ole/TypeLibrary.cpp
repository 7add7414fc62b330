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

// Controls of several apartments (threads) share the library and the cache:
// one lock serves them, so the library is loaded once and the cache never
// grows under a reader.
SRWLOCK g_lock = SRWLOCK_INIT;
ITypeLib* g_library = nullptr;
bool g_tried = false;
std::vector<Entry> g_cache;

class Locked {
public:
    Locked() noexcept { AcquireSRWLockExclusive(&g_lock); }
    ~Locked() { ReleaseSRWLockExclusive(&g_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

ITypeInfo* Cached(REFGUID guid, bool vtableView) {
    for (const auto& e : g_cache)
        if (e.vtableView == vtableView && IsEqualGUID(e.guid, guid)) return e.info;
    return nullptr;
}

// The functions below run with the lock held.
ITypeLib* LoadedLibrary() {
    if (!g_library && !g_tried) {
        g_tried = true;
        if (FAILED(LoadFromFile(module::FilePath(), &g_library))) g_library = nullptr;
    }
    return g_library;
}

ITypeInfo* CachedInfoOf(REFGUID guid) {
    if (ITypeInfo* hit = Cached(guid, false)) return hit;
    ITypeLib* lib = LoadedLibrary();
    ITypeInfo* info = nullptr;
    if (!lib || FAILED(lib->GetTypeInfoOfGuid(guid, &info)) || !info) return nullptr;
    g_cache.push_back({guid, false, info});
    return info;
}

ITypeInfo* CachedInterfaceInfoOf(REFIID iid) {
    if (ITypeInfo* hit = Cached(iid, true)) return hit;
    ITypeInfo* info = CachedInfoOf(iid);
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

}  // namespace

ITypeLib* Library() {
    Locked lock;
    return LoadedLibrary();
}

ITypeInfo* InfoOf(REFGUID guid) {
    Locked lock;
    return CachedInfoOf(guid);
}

ITypeInfo* InterfaceInfoOf(REFIID iid) {
    Locked lock;
    return CachedInterfaceInfoOf(iid);
}

HRESULT LoadFromFile(const std::wstring& path, ITypeLib** library) {
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
    if (SUCCEEDED(hr) || path.size() < MAX_PATH) return hr;
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return hr;
    std::wstring shortPath(size, L'\0');
    shortPath.resize(GetShortPathNameW(path.c_str(), shortPath.data(), size));
    return shortPath.empty() ? hr : LoadTypeLibEx(shortPath.c_str(), REGKIND_NONE, library);
}

void Release() {
    Locked lock;
    for (auto& e : g_cache) e.info->Release();
    g_cache.clear();
    if (g_library) g_library->Release();
    g_library = nullptr;
    g_tried = false;
}

}  // namespace quillon::typelib
