#pragma once
// Self-registration of QuillonLib: the Quillon class, its ProgIDs and the
// type library, machine-wide (HKLM\Software\Classes) or for the current
// user only (HKCU\Software\Classes).
#include <windows.h>

namespace quillon {

enum class RegistrationScope { Machine, User };

HRESULT RegisterServer(RegistrationScope scope);
// Removes every key RegisterServer writes for that scope.
HRESULT UnregisterServer(RegistrationScope scope);

}  // namespace quillon
