// Keys written (under the scope's Software\Classes):
//   CLSID\{Quillon}                    "Quillon"
//     InprocServer32                   module path; ThreadingModel=Apartment
//     ProgID / VersionIndependentProgID, Control, MiscStatus (+ \1),
//     ToolboxBitmap32 "path, 101", TypeLib {lib}, Version "1.0"
//   QuillonLib.Quillon                 CLSID, CurVer -> QuillonLib.Quillon.1
//   QuillonLib.Quillon.1               CLSID
//   TypeLib\{lib}\1.0                  name; 0\win32|win64 path; FLAGS; HELPDIR
//   Interface\{iid}                    every interface of the type library
// Unregistering leaves what the build of the other bitness still needs.
#include "control/ole/Registration.h"
#include <shlwapi.h>
#include <string>
#include <vector>
#include "control/Guids.h"
#include "control/ole/ComPtr.h"
#include "control/ole/Module.h"
#include "control/ole/OleControl.h"
#include "control/ole/ResourceIds.h"
#include "control/ole/TypeLibrary.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

const wchar_t kProgId[] = L"QuillonLib.Quillon";
const wchar_t kVersionedProgId[] = L"QuillonLib.Quillon.1";
const wchar_t kClassName[] = L"Quillon";
// The type library's entry of this build, and of the other bitness.
#ifdef _WIN64
const wchar_t kPlatform[] = L"win64";
const wchar_t kOtherPlatform[] = L"win32";
#else
const wchar_t kPlatform[] = L"win32";
const wchar_t kOtherPlatform[] = L"win64";
#endif
// PSOAInterface: the automation marshaler for dual and dispatch interfaces.
const wchar_t kAutomationProxy[] = L"{00020424-0000-0000-C000-000000000046}";

std::wstring Text(REFGUID g) {
    wchar_t buf[64] = {};
    StringFromGUID2(g, buf, 64);
    return buf;
}

class Root {
public:
    explicit Root(RegistrationScope scope) {
        HKEY base = scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        m_status = RegCreateKeyExW(base, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    ~Root() { if (m_key) RegCloseKey(m_key); }
    Root(const Root&) = delete;
    Root& operator=(const Root&) = delete;
    HKEY key() const { return m_key; }
    LONG status() const { return m_status; }

private:
    HKEY m_key = nullptr;
    LONG m_status;
};

void Check(LONG status) {
    if (status != ERROR_SUCCESS) throw Win32Failure(HRESULT_FROM_WIN32(status));
}

// Creates `path` under `root` and sets its value `name` (null: default).
void SetValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    Check(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
    LONG st = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    Check(st);
}

void CreateKey(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    Check(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
    RegCloseKey(key);
}

void DeleteTree(HKEY root, const std::wstring& path) { SHDeleteKeyW(root, path.c_str()); }

// Deletes `path` only when it has no subkeys and no values left.
void DeleteIfEmpty(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD subkeys = 0, values = 0;
    LONG st = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr);
    RegCloseKey(key);
    if (st == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyW(root, path.c_str());
}

std::wstring Directory(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

struct LibraryFacts {
    std::wstring name;
    std::wstring help;
    WORD major = 1, minor = 0;
    std::vector<std::pair<IID, std::wstring>> interfaces;
};

LibraryFacts ReadLibrary(const std::wstring& path) {
    ComPtr<ITypeLib> lib;
    HRESULT hr = typelib::LoadFromFile(path, lib.put());
    if (FAILED(hr)) throw Win32Failure(hr);
    LibraryFacts facts;
    TLIBATTR* attr = nullptr;
    if (SUCCEEDED(lib->GetLibAttr(&attr))) {
        facts.major = attr->wMajorVerNum;
        facts.minor = attr->wMinorVerNum;
        lib->ReleaseTLibAttr(attr);
    }
    BSTR name = nullptr, help = nullptr;
    if (SUCCEEDED(lib->GetDocumentation(-1, &name, &help, nullptr, nullptr))) {
        facts.name = name ? name : L"";
        facts.help = help ? help : L"";
    }
    SysFreeString(name);
    SysFreeString(help);
    const UINT count = lib->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        TYPEKIND kind{};
        if (FAILED(lib->GetTypeInfoType(i, &kind)) || (kind != TKIND_INTERFACE && kind != TKIND_DISPATCH)) continue;
        ComPtr<ITypeInfo> info;
        if (FAILED(lib->GetTypeInfo(i, info.put()))) continue;
        TYPEATTR* ta = nullptr;
        if (FAILED(info->GetTypeAttr(&ta))) continue;
        IID iid = ta->guid;
        info->ReleaseTypeAttr(ta);
        BSTR iname = nullptr;
        lib->GetDocumentation(static_cast<INT>(i), &iname, nullptr, nullptr, nullptr);
        facts.interfaces.emplace_back(iid, iname ? iname : L"");
        SysFreeString(iname);
    }
    return facts;
}

std::wstring VersionText(const LibraryFacts& f) { return std::to_wstring(f.major) + L"." + std::to_wstring(f.minor); }

void WriteKeys(HKEY root, const std::wstring& path, const LibraryFacts& lib) {
    const std::wstring clsid = L"CLSID\\" + Text(CLSID_Quillon);
    const std::wstring libid = Text(LIBID_QuillonLib);
    const std::wstring version = VersionText(lib);

    SetValue(root, clsid, nullptr, kClassName);
    SetValue(root, clsid + L"\\InprocServer32", nullptr, path);
    SetValue(root, clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    SetValue(root, clsid + L"\\ProgID", nullptr, kVersionedProgId);
    SetValue(root, clsid + L"\\VersionIndependentProgID", nullptr, kProgId);
    CreateKey(root, clsid + L"\\Control");
    const std::wstring misc = std::to_wstring(kControlMiscStatus);
    SetValue(root, clsid + L"\\MiscStatus", nullptr, misc);
    SetValue(root, clsid + L"\\MiscStatus\\1", nullptr, misc);
    SetValue(root, clsid + L"\\ToolboxBitmap32", nullptr, path + L", " + std::to_wstring(IDB_QUILLON_TOOLBOX));
    SetValue(root, clsid + L"\\TypeLib", nullptr, libid);
    SetValue(root, clsid + L"\\Version", nullptr, version);

    SetValue(root, kProgId, nullptr, kClassName);
    SetValue(root, std::wstring(kProgId) + L"\\CLSID", nullptr, Text(CLSID_Quillon));
    SetValue(root, std::wstring(kProgId) + L"\\CurVer", nullptr, kVersionedProgId);
    SetValue(root, kVersionedProgId, nullptr, kClassName);
    SetValue(root, std::wstring(kVersionedProgId) + L"\\CLSID", nullptr, Text(CLSID_Quillon));

    const std::wstring tl = L"TypeLib\\" + libid + L"\\" + version;
    SetValue(root, tl, nullptr, lib.help.empty() ? lib.name : lib.help);
    SetValue(root, tl + L"\\0\\" + kPlatform, nullptr, path);
    SetValue(root, tl + L"\\FLAGS", nullptr, L"0");
    SetValue(root, tl + L"\\HELPDIR", nullptr, Directory(path));

    for (const auto& [iid, name] : lib.interfaces) {
        const std::wstring key = L"Interface\\" + Text(iid);
        SetValue(root, key, nullptr, name);
        SetValue(root, key + L"\\ProxyStubClsid", nullptr, kAutomationProxy);
        SetValue(root, key + L"\\ProxyStubClsid32", nullptr, kAutomationProxy);
        SetValue(root, key + L"\\TypeLib", nullptr, libid);
        SetValue(root, key + L"\\TypeLib", L"Version", version);
    }
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// On 64-bit Windows each build registers in the registry view of its own
// bitness. CLSID and Interface keys are kept per view: they are this
// build's alone. The ProgIDs and the type library's key are shared by both
// views (the library names each build under its platform), so they go only
// when no other build's platform entry is left.
void DeleteKeys(HKEY root, const LibraryFacts* lib) {
    const std::wstring libid = Text(LIBID_QuillonLib);
    DeleteTree(root, L"CLSID\\" + Text(CLSID_Quillon));
    if (lib)
        for (const auto& entry : lib->interfaces) DeleteTree(root, L"Interface\\" + Text(entry.first));
    const std::wstring version = lib ? VersionText(*lib) : L"1.0";
    const std::wstring tl = L"TypeLib\\" + libid + L"\\" + version;
    DeleteTree(root, tl + L"\\0\\" + kPlatform);
    if (KeyExists(root, tl + L"\\0\\" + kOtherPlatform)) return;
    DeleteTree(root, kProgId);
    DeleteTree(root, kVersionedProgId);
    DeleteTree(root, tl);
    DeleteIfEmpty(root, L"TypeLib\\" + libid);
}

}  // namespace

HRESULT RegisterServer(RegistrationScope scope) {
    try {
        Root root(scope);
        Check(root.status());
        const std::wstring path = module::FilePath();
        if (path.empty()) throw Win32Failure(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
        const LibraryFacts lib = ReadLibrary(path);
        try {
            WriteKeys(root.key(), path, lib);
        } catch (...) {
            DeleteKeys(root.key(), &lib);  // nothing half-registered stays
            throw;
        }
        return S_OK;
    } catch (const Win32Failure& f) {
        return f.hr();
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

HRESULT UnregisterServer(RegistrationScope scope) {
    try {
        Root root(scope);
        Check(root.status());
        LibraryFacts lib;
        const bool haveLib = Trap([&] { lib = ReadLibrary(module::FilePath()); });
        DeleteKeys(root.key(), haveLib ? &lib : nullptr);
        return S_OK;
    } catch (const Win32Failure& f) {
        return f.hr();
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

}  // namespace quillon
