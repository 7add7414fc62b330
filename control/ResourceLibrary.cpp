#include "control/ResourceLibrary.h"
#include <vector>

namespace quillon::ResourceLibrary {
namespace {
const std::wstring* g_folderOverride = nullptr;
}

void SetFolderOverride(const std::wstring* folder) noexcept { g_folderOverride = folder; }

std::wstring ControlFolder(HMODULE module) { return g_folderOverride ? *g_folderOverride : FolderOf(module); }

std::wstring FolderOf(HMODULE module) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return std::wstring();
        if (n < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    std::wstring path(buffer.data());
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

HMODULE Load(const std::wstring& folder) noexcept {
    if (folder.empty()) return nullptr;  // never fall back to the search order
    try {
        std::wstring path = folder;
        if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
        path += kFileName;
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
        HMODULE lib = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        // Systems before Vista know only the plain data-file mapping.
        if (!lib) lib = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        return lib;
    } catch (...) {
        return nullptr;
    }
}

void Free(HMODULE library) noexcept {
    if (library) FreeLibrary(library);
}

}  // namespace quillon::ResourceLibrary
