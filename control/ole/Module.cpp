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
    wchar_t buf[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameW(Instance(), buf, static_cast<DWORD>(sizeof buf / sizeof buf[0]));
    return std::wstring(buf, n);
}

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
LONG ObjectCount() { return g_objects; }
void Lock() { InterlockedIncrement(&g_locks); }
void Unlock() { InterlockedDecrement(&g_locks); }
LONG LockCount() { return g_locks; }
bool CanUnload() { return g_objects == 0 && g_locks == 0; }

}  // namespace quillon::module
