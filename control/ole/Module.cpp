#include "control/ole/Module.h"

namespace quillon::module {
namespace {
HINSTANCE g_instance = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;
}  // namespace

void SetInstance(HINSTANCE instance) { g_instance = instance; }

HINSTANCE Instance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }

std::wstring FilePath() {
    // Install paths may be longer than MAX_PATH; a name cut short would
    // register a wrong server, so the buffer grows until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
        path.resize(size);
        SetLastError(ERROR_SUCCESS);
        const DWORD n = GetModuleFileNameW(Instance(), path.data(), size);
        if (n == 0) return std::wstring();
        if (n < size && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            path.resize(n);
            return path;
        }
    }
    return std::wstring();
}

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
LONG ObjectCount() { return g_objects; }
void Lock() { InterlockedIncrement(&g_locks); }
void Unlock() { InterlockedDecrement(&g_locks); }
LONG LockCount() { return g_locks; }
bool CanUnload() { return g_objects == 0 && g_locks == 0; }

}  // namespace quillon::module
