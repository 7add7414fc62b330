#include "tests/support/GdiTally.h"
#include <cstdio>
#include <cstring>
#include <map>

namespace quillon::test {

namespace {

SRWLOCK g_lock = SRWLOCK_INIT;
bool g_running = false;
long g_created = 0;
long g_deleted = 0;
long g_dcsGot = 0;
std::map<HANDLE, const char*> g_objects;              // made, not deleted
std::map<HANDLE, std::pair<int, const char*>> g_dcs;  // got, not released (count)

struct Locked {
    Locked() { AcquireSRWLockExclusive(&g_lock); }
    ~Locked() { ReleaseSRWLockExclusive(&g_lock); }
};

void Made(HANDLE h, const char* by) {
    if (!h) return;
    Locked lock;
    if (!g_running) return;
    g_objects[h] = by;
    ++g_created;
}

void Freed(HANDLE h, BOOL ok) {
    if (!ok || !h) return;
    Locked lock;
    if (g_objects.erase(h)) ++g_deleted;
}

void Got(HDC dc, const char* by) {
    if (!dc) return;
    Locked lock;
    if (!g_running) return;
    ++g_dcsGot;
    auto& entry = g_dcs[dc];
    ++entry.first;
    entry.second = by;
}

void Released(HDC dc, int ok) {
    if (!ok || !dc) return;
    Locked lock;
    auto it = g_dcs.find(dc);
    if (it != g_dcs.end() && --it->second.first <= 0) g_dcs.erase(it);
}

// One replacement per patched function; each calls the original through
// the pointer saved when the slot was patched, never through the table.
#define TALLY_CREATE(ret, name, params, args)            \
    using name##_fn = ret(WINAPI*) params;               \
    name##_fn g_##name = nullptr;                        \
    ret WINAPI Tally_##name params {                     \
        ret made = g_##name args;                        \
        Made(reinterpret_cast<HANDLE>(made), #name);     \
        return made;                                     \
    }

TALLY_CREATE(HDC, CreateCompatibleDC, (HDC a), (a))
TALLY_CREATE(HDC, CreateDCA, (LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d), (a, b, c, d))
TALLY_CREATE(HDC, CreateDCW, (LPCWSTR a, LPCWSTR b, LPCWSTR c, const DEVMODEW* d), (a, b, c, d))
TALLY_CREATE(HBITMAP, CreateCompatibleBitmap, (HDC a, int b, int c), (a, b, c))
TALLY_CREATE(HBITMAP, CreateBitmap, (int a, int b, UINT c, UINT d, const void* e), (a, b, c, d, e))
TALLY_CREATE(HBITMAP, CreateBitmapIndirect, (const BITMAP* a), (a))
TALLY_CREATE(HBITMAP, CreateDIBSection, (HDC a, const BITMAPINFO* b, UINT c, void** d, HANDLE e, DWORD f),
             (a, b, c, d, e, f))
TALLY_CREATE(HBITMAP, CreateDIBitmap,
             (HDC a, const BITMAPINFOHEADER* b, DWORD c, const void* d, const BITMAPINFO* e, UINT f),
             (a, b, c, d, e, f))
TALLY_CREATE(HBRUSH, CreateSolidBrush, (COLORREF a), (a))
TALLY_CREATE(HBRUSH, CreateBrushIndirect, (const LOGBRUSH* a), (a))
TALLY_CREATE(HBRUSH, CreatePatternBrush, (HBITMAP a), (a))
TALLY_CREATE(HBRUSH, CreateHatchBrush, (int a, COLORREF b), (a, b))
TALLY_CREATE(HBRUSH, CreateDIBPatternBrushPt, (const void* a, UINT b), (a, b))
TALLY_CREATE(HPEN, CreatePen, (int a, int b, COLORREF c), (a, b, c))
TALLY_CREATE(HPEN, CreatePenIndirect, (const LOGPEN* a), (a))
TALLY_CREATE(HPEN, ExtCreatePen, (DWORD a, DWORD b, const LOGBRUSH* c, DWORD d, const DWORD* e), (a, b, c, d, e))
TALLY_CREATE(HFONT, CreateFontIndirectA, (const LOGFONTA* a), (a))
TALLY_CREATE(HFONT, CreateFontIndirectW, (const LOGFONTW* a), (a))
TALLY_CREATE(HFONT, CreateFontA,
             (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j, DWORD k, DWORD l,
              DWORD m, LPCSTR n),
             (a, b, c, d, e, f, g, h, i, j, k, l, m, n))
TALLY_CREATE(HFONT, CreateFontW,
             (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j, DWORD k, DWORD l,
              DWORD m, LPCWSTR n),
             (a, b, c, d, e, f, g, h, i, j, k, l, m, n))
TALLY_CREATE(HRGN, CreateRectRgn, (int a, int b, int c, int d), (a, b, c, d))
TALLY_CREATE(HRGN, CreateRectRgnIndirect, (const RECT* a), (a))
TALLY_CREATE(HRGN, CreateRoundRectRgn, (int a, int b, int c, int d, int e, int f), (a, b, c, d, e, f))
TALLY_CREATE(HRGN, CreateEllipticRgn, (int a, int b, int c, int d), (a, b, c, d))
TALLY_CREATE(HRGN, CreatePolygonRgn, (const POINT* a, int b, int c), (a, b, c))
TALLY_CREATE(HPALETTE, CreatePalette, (const LOGPALETTE* a), (a))
#undef TALLY_CREATE

using DeleteObject_fn = BOOL(WINAPI*)(HGDIOBJ);
DeleteObject_fn g_DeleteObject = nullptr;
BOOL WINAPI Tally_DeleteObject(HGDIOBJ h) {
    BOOL ok = g_DeleteObject(h);
    Freed(h, ok);
    return ok;
}

using DeleteDC_fn = BOOL(WINAPI*)(HDC);
DeleteDC_fn g_DeleteDC = nullptr;
BOOL WINAPI Tally_DeleteDC(HDC h) {
    BOOL ok = g_DeleteDC(h);
    Freed(h, ok);
    return ok;
}

using GetDC_fn = HDC(WINAPI*)(HWND);
GetDC_fn g_GetDC = nullptr;
GetDC_fn g_GetWindowDC = nullptr;
HDC WINAPI Tally_GetDC(HWND w) {
    HDC dc = g_GetDC(w);
    Got(dc, "GetDC");
    return dc;
}
HDC WINAPI Tally_GetWindowDC(HWND w) {
    HDC dc = g_GetWindowDC(w);
    Got(dc, "GetWindowDC");
    return dc;
}

using GetDCEx_fn = HDC(WINAPI*)(HWND, HRGN, DWORD);
GetDCEx_fn g_GetDCEx = nullptr;
HDC WINAPI Tally_GetDCEx(HWND w, HRGN r, DWORD f) {
    HDC dc = g_GetDCEx(w, r, f);
    Got(dc, "GetDCEx");
    return dc;
}

using ReleaseDC_fn = int(WINAPI*)(HWND, HDC);
ReleaseDC_fn g_ReleaseDC = nullptr;
int WINAPI Tally_ReleaseDC(HWND w, HDC dc) {
    int ok = g_ReleaseDC(w, dc);
    Released(dc, ok);
    return ok;
}

struct Hook {
    const char* dll;
    const char* name;
    void* replacement;
    void** original;
};

#define GDI_HOOK(name) {"gdi32.dll", #name, reinterpret_cast<void*>(&Tally_##name), reinterpret_cast<void**>(&g_##name)}
#define USER_HOOK(name) {"user32.dll", #name, reinterpret_cast<void*>(&Tally_##name), reinterpret_cast<void**>(&g_##name)}
const Hook kHooks[] = {
    GDI_HOOK(CreateCompatibleDC), GDI_HOOK(CreateDCA), GDI_HOOK(CreateDCW), GDI_HOOK(CreateCompatibleBitmap),
    GDI_HOOK(CreateBitmap), GDI_HOOK(CreateBitmapIndirect), GDI_HOOK(CreateDIBSection), GDI_HOOK(CreateDIBitmap),
    GDI_HOOK(CreateSolidBrush), GDI_HOOK(CreateBrushIndirect), GDI_HOOK(CreatePatternBrush),
    GDI_HOOK(CreateHatchBrush), GDI_HOOK(CreateDIBPatternBrushPt), GDI_HOOK(CreatePen), GDI_HOOK(CreatePenIndirect),
    GDI_HOOK(ExtCreatePen), GDI_HOOK(CreateFontIndirectA), GDI_HOOK(CreateFontIndirectW), GDI_HOOK(CreateFontA),
    GDI_HOOK(CreateFontW), GDI_HOOK(CreateRectRgn), GDI_HOOK(CreateRectRgnIndirect), GDI_HOOK(CreateRoundRectRgn),
    GDI_HOOK(CreateEllipticRgn), GDI_HOOK(CreatePolygonRgn), GDI_HOOK(CreatePalette), GDI_HOOK(DeleteObject),
    GDI_HOOK(DeleteDC), USER_HOOK(GetDC), USER_HOOK(GetWindowDC), USER_HOOK(GetDCEx), USER_HOOK(ReleaseDC),
};
#undef GDI_HOOK
#undef USER_HOOK

struct PatchedSlot {
    ULONG_PTR* slot;
    ULONG_PTR before;
};
std::vector<PatchedSlot> g_slots;

bool WriteSlot(ULONG_PTR* slot, ULONG_PTR value) {
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return false;
    *slot = value;
    DWORD ignored = 0;
    VirtualProtect(slot, sizeof *slot, old, &ignored);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof *slot);
    return true;
}

// The hook for import `index` of a descriptor: by name through the
// original thunks, else by the address the loader bound.
const Hook* MatchImport(const char* dll, BYTE* base, const IMAGE_IMPORT_DESCRIPTOR& desc, size_t index,
                        ULONG_PTR bound) {
    const char* name = nullptr;
    if (desc.OriginalFirstThunk) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc.OriginalFirstThunk);
        if (!IMAGE_SNAP_BY_ORDINAL(names[index].u1.Ordinal))
            name = reinterpret_cast<const char*>(
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[index].u1.AddressOfData)->Name);
    }
    for (const Hook& hook : kHooks) {
        if (lstrcmpiA(hook.dll, dll) != 0) continue;
        if (name) {
            if (std::strcmp(name, hook.name) == 0) return &hook;
        } else if (HMODULE module = GetModuleHandleA(hook.dll)) {
            if (reinterpret_cast<ULONG_PTR>(GetProcAddress(module, hook.name)) == bound) return &hook;
        }
    }
    return nullptr;
}

bool PatchMainModule() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return false;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name; ++desc) {
        const char* dll = reinterpret_cast<const char*>(base + desc->Name);
        auto* iat = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (size_t i = 0; iat[i].u1.Function; ++i) {
            ULONG_PTR* slot = reinterpret_cast<ULONG_PTR*>(&iat[i].u1.Function);
            const Hook* hook = MatchImport(dll, base, *desc, i, *slot);
            if (!hook) continue;
            const ULONG_PTR before = *slot;
            if (!*hook->original) *hook->original = reinterpret_cast<void*>(before);
            if (WriteSlot(slot, reinterpret_cast<ULONG_PTR>(hook->replacement))) g_slots.push_back({slot, before});
        }
    }
    return !g_slots.empty();
}

}  // namespace

bool GdiTally::Start() {
    Stop();
    {
        Locked lock;
        g_objects.clear();
        g_dcs.clear();
        g_created = g_deleted = g_dcsGot = 0;
        g_running = true;
    }
    if (PatchMainModule()) return true;
    Locked lock;
    g_running = false;
    return false;
}

void GdiTally::Stop() {
    for (auto it = g_slots.rbegin(); it != g_slots.rend(); ++it) WriteSlot(it->slot, it->before);
    g_slots.clear();
    Locked lock;
    g_running = false;
}

bool GdiTally::Running() {
    Locked lock;
    return g_running;
}

std::vector<GdiTally::Handle> GdiTally::Live() {
    Locked lock;
    std::vector<Handle> live;
    for (auto it = g_objects.begin(); it != g_objects.end();) {
        if (!GetObjectType(it->first)) {
            it = g_objects.erase(it);  // freed by a module that is not patched
            continue;
        }
        live.push_back({it->first, it->second});
        ++it;
    }
    for (const auto& [dc, entry] : g_dcs) live.push_back({dc, entry.second});
    return live;
}

bool GdiTally::IsLive(HANDLE handle) {
    for (const Handle& h : Live())
        if (h.handle == handle) return true;
    return false;
}

long GdiTally::Created() {
    Locked lock;
    return g_created;
}

long GdiTally::Deleted() {
    Locked lock;
    return g_deleted;
}

long GdiTally::DCsGot() {
    Locked lock;
    return g_dcsGot;
}

int GdiTally::Patched() { return static_cast<int>(g_slots.size()); }

std::string GdiTally::Describe(const std::vector<Handle>& handles) {
    std::string out;
    for (const Handle& h : handles) {
        char line[96];
        std::snprintf(line, sizeof line, "  %p type %lu from %s\n", h.handle,
                      static_cast<unsigned long>(GetObjectType(h.handle)), h.madeBy);
        out += line;
    }
    return out;
}

}  // namespace quillon::test
