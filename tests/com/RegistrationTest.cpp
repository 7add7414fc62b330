// Self-registration through regsvr32 under Wine, machine-wide and per
// user: what is written, that COM finds the class and the type library,
// and that unregistration removes every key again.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "control/Guids.h"
#include "control/ole/ComPtr.h"

namespace quillon::test {
namespace {

std::wstring Text(REFGUID g) {
    wchar_t buf[64] = {};
    StringFromGUID2(g, buf, 64);
    return buf;
}

std::wstring DllPath() {
    wchar_t buf[MAX_PATH] = {};
    GetFullPathNameW(L"QuillonLib.dll", MAX_PATH, buf, nullptr);
    return buf;
}

// Runs regsvr32 with `args` and the DLL's full path; returns its exit code.
DWORD RunRegsvr32(const std::wstring& args) {
    std::wstring cmd = L"regsvr32.exe " + args + L" \"" + DllPath() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring Value(HKEY root, const std::wstring& path, const wchar_t* name = nullptr) {
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf;
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS) return L"<none>";
    return buf;
}

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(towlower(c));
    return s;
}

// Every key the registration writes, relative to Software\Classes.
std::vector<std::wstring> WrittenKeys() {
    const std::wstring clsid = L"CLSID\\" + Text(CLSID_Quillon);
    std::vector<std::wstring> keys = {clsid,
                                      clsid + L"\\InprocServer32",
                                      clsid + L"\\ProgID",
                                      clsid + L"\\VersionIndependentProgID",
                                      clsid + L"\\Control",
                                      clsid + L"\\MiscStatus",
                                      clsid + L"\\MiscStatus\\1",
                                      clsid + L"\\ToolboxBitmap32",
                                      clsid + L"\\TypeLib",
                                      clsid + L"\\Version",
                                      L"QuillonLib.Quillon",
                                      L"QuillonLib.Quillon\\CLSID",
                                      L"QuillonLib.Quillon\\CurVer",
                                      L"QuillonLib.Quillon.1",
                                      L"QuillonLib.Quillon.1\\CLSID",
                                      L"TypeLib\\" + Text(LIBID_QuillonLib),
                                      L"TypeLib\\" + Text(LIBID_QuillonLib) + L"\\1.0"};
    for (REFIID iid : {IID__cSubclassListener, IID__Quillon, DIID___Quillon})
        keys.push_back(L"Interface\\" + Text(iid));
    return keys;
}

void ExpectRegisteredUnder(HKEY root) {
    for (const auto& k : WrittenKeys()) EXPECT_TRUE(KeyExists(root, k)) << std::string(k.begin(), k.end());
    const std::wstring clsid = L"CLSID\\" + Text(CLSID_Quillon);
    EXPECT_EQ(Lower(DllPath()), Lower(Value(root, clsid + L"\\InprocServer32")));
    EXPECT_EQ(L"Apartment", Value(root, clsid + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(std::to_wstring(OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_INSIDEOUT),
              Value(root, clsid + L"\\MiscStatus\\1"));
    EXPECT_EQ(Lower(DllPath()) + L", 101", Lower(Value(root, clsid + L"\\ToolboxBitmap32")));
    EXPECT_EQ(Text(LIBID_QuillonLib), Value(root, clsid + L"\\TypeLib"));
    EXPECT_EQ(L"1.0", Value(root, clsid + L"\\Version"));
    EXPECT_EQ(L"QuillonLib.Quillon.1", Value(root, L"QuillonLib.Quillon\\CurVer"));
    EXPECT_EQ(Text(CLSID_Quillon), Value(root, L"QuillonLib.Quillon\\CLSID"));
#ifdef _WIN64
    const wchar_t* platform = L"\\1.0\\0\\win64";
#else
    const wchar_t* platform = L"\\1.0\\0\\win32";
#endif
    EXPECT_EQ(Lower(DllPath()), Lower(Value(root, L"TypeLib\\" + Text(LIBID_QuillonLib) + platform)));
}

void ExpectNothingUnder(HKEY root) {
    for (const auto& k : WrittenKeys()) EXPECT_FALSE(KeyExists(root, k)) << std::string(k.begin(), k.end());
}

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_READ | KEY_WRITE, &machine));
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ,
                                                 nullptr, &user, nullptr));
        // A clean start, whatever an earlier run left.
        RunRegsvr32(L"/s /u");
        RunRegsvr32(L"/s /u /n /i:user");
    }
    void TearDown() override {
        RegCloseKey(machine);
        RegCloseKey(user);
    }
    HKEY machine = nullptr;
    HKEY user = nullptr;
};

TEST_F(RegistrationTest, MachineWide) {
    ASSERT_EQ(0u, RunRegsvr32(L"/s"));
    ExpectRegisteredUnder(machine);
    ExpectNothingUnder(user);

    CLSID clsid{};
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"QuillonLib.Quillon", &clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_Quillon, clsid));
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"QuillonLib.Quillon.1", &clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_Quillon, clsid));
    {
        ComPtr<IOleObject> object;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_Quillon, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                         object.put_void()));
        DWORD status = 0;
        EXPECT_EQ(S_OK, object->GetMiscStatus(DVASPECT_CONTENT, &status));
        EXPECT_TRUE(status & OLEMISC_INVISIBLEATRUNTIME);
        object->Close(OLECLOSE_NOSAVE);
    }
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(S_OK, LoadRegTypeLib(LIBID_QuillonLib, 1, 0, LOCALE_NEUTRAL, lib.put()));
    ComPtr<ITypeInfo> ti;
    EXPECT_EQ(S_OK, lib->GetTypeInfoOfGuid(CLSID_Quillon, ti.put()));

    ASSERT_EQ(0u, RunRegsvr32(L"/s /u"));
    ExpectNothingUnder(machine);
    ComPtr<ITypeLib> gone;
    EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_QuillonLib, 1, 0, LOCALE_NEUTRAL, gone.put())));
    EXPECT_TRUE(FAILED(CLSIDFromProgID(L"QuillonLib.Quillon", &clsid)));
}

TEST_F(RegistrationTest, PerUser) {
    ASSERT_EQ(0u, RunRegsvr32(L"/s /n /i:user"));
    ExpectRegisteredUnder(user);
    ExpectNothingUnder(machine);
    ASSERT_EQ(0u, RunRegsvr32(L"/s /u /n /i:user"));
    ExpectNothingUnder(user);
}

// On 64-bit Windows the build of the other bitness registers the same
// ProgIDs and type library key, shared by both registry views, under its own
// platform entry. Unregistering this build leaves them to it; the last
// build to go takes them.
TEST_F(RegistrationTest, UnregisteringLeavesTheOtherBitnessRegistered) {
    ASSERT_EQ(0u, RunRegsvr32(L"/s"));
    const std::wstring version = L"TypeLib\\" + Text(LIBID_QuillonLib) + L"\\1.0";
#ifdef _WIN64
    const std::wstring own = version + L"\\0\\win64", other = version + L"\\0\\win32";
#else
    const std::wstring own = version + L"\\0\\win32", other = version + L"\\0\\win64";
#endif
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(machine, other.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                             nullptr));
    RegCloseKey(key);
    ASSERT_EQ(0u, RunRegsvr32(L"/s /u"));
    EXPECT_FALSE(KeyExists(machine, own));
    EXPECT_FALSE(KeyExists(machine, L"CLSID\\" + Text(CLSID_Quillon))) << "kept per registry view";
    for (const std::wstring& shared : {other, std::wstring(L"QuillonLib.Quillon\\CLSID"),
                                       std::wstring(L"QuillonLib.Quillon.1\\CLSID")})
        EXPECT_TRUE(KeyExists(machine, shared)) << std::string(shared.begin(), shared.end());
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(machine, other.c_str()));
    ASSERT_EQ(0u, RunRegsvr32(L"/s /u"));
    ExpectNothingUnder(machine);
}

// An install folder deeper than MAX_PATH: the server's path is registered
// whole, never cut short.
TEST_F(RegistrationTest, ADeepInstallPathIsRegisteredWhole) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
    std::wstring folder = std::wstring(L"\\\\?\\") + temp + L"quillon-deep";
    std::vector<std::wstring> made = {folder};
    for (wchar_t c = L'a'; c < L'm'; ++c) made.push_back(folder = folder + L"\\" + std::wstring(48, c));
    for (const auto& f : made) CreateDirectoryW(f.c_str(), nullptr);
    const std::wstring copy = folder + L"\\QuillonLib.dll";
    ASSERT_TRUE(CopyFileW(DllPath().c_str(), copy.c_str(), FALSE));
    HMODULE server = LoadLibraryW(copy.c_str());
    ASSERT_NE(nullptr, server);
    using InstallFn = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
    auto install = reinterpret_cast<InstallFn>(reinterpret_cast<void*>(GetProcAddress(server, "DllInstall")));
    std::wstring loaded(40000, L'\0');
    loaded.resize(GetModuleFileNameW(server, loaded.data(), static_cast<DWORD>(loaded.size())));
    EXPECT_GT(loaded.size(), 2u * MAX_PATH);
    ASSERT_EQ(S_OK, install(TRUE, L"user"));
    std::vector<wchar_t> value(loaded.size() + 16);
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    const std::wstring server32 = L"CLSID\\" + Text(CLSID_Quillon) + L"\\InprocServer32";
    EXPECT_EQ(ERROR_SUCCESS,
              RegGetValueW(user, server32.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value.data(), &size));
    EXPECT_EQ(Lower(loaded), Lower(value.data()));
    EXPECT_EQ(S_OK, install(FALSE, L"user"));
    ExpectNothingUnder(user);
    FreeLibrary(server);
    DeleteFileW(copy.c_str());
    for (auto f = made.rbegin(); f != made.rend(); ++f) RemoveDirectoryW(f->c_str());
}

}  // namespace
}  // namespace quillon::test
