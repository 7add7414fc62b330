// A stand-in for a "QuillonRes.dll" planted by someone else: if its code
// ever runs inside the test process, it leaves a named event behind.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) CreateEventA(nullptr, TRUE, TRUE, "QuillonPlantedLibraryRan");
    return TRUE;
}
