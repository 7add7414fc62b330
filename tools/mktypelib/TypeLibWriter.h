#pragma once
#include <string>
#include "tools/mktypelib/LibraryModel.h"

namespace quillon::tlb {

// Writes `lib` to `path` with ICreateTypeLib2 for `platform`.
// On failure returns the HRESULT and names the failing step in `where`.
HRESULT WriteTypeLibrary(const Library& lib, const wchar_t* path, SYSKIND platform, std::string& where);

}  // namespace quillon::tlb
