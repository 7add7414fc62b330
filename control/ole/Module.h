#pragma once
// Process-wide state of the server module: where its resources and type
// library live, and what keeps it loaded (DllCanUnloadNow).
#include <windows.h>
#include <string>

namespace quillon::module {

// QuillonLib.dll sets its own handle from DllMain; a program that links the
// control statically uses its own executable (GetModuleHandle(NULL)).
void SetInstance(HINSTANCE instance);
HINSTANCE Instance();
// Full path of that module (the file that holds the type library), of any
// length; empty when it cannot be read whole.
std::wstring FilePath();

// Live control objects and IClassFactory::LockServer locks.
void ObjectCreated();
void ObjectDestroyed();
LONG ObjectCount();
void Lock();
void Unlock();
LONG LockCount();
bool CanUnload();

}  // namespace quillon::module
