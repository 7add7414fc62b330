// Programs that host the control the way third parties do find it by its
// ProgID: the program runs in an OLE apartment with the control registered
// for the current user through the DLL's own DllInstall (what
// "regsvr32 /n /i:user" calls), and unregistered at the end, leaving no key.
#include <gtest/gtest.h>
#include <ole2.h>
#include <string>
#include <vector>
#include "control/Guids.h"

namespace {

using Install = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);

std::wstring Text(REFGUID g) {
    wchar_t buf[64] = {};
    StringFromGUID2(g, buf, 64);
    return buf;
}

// How many of the registration's main keys exist under HKCU\Software\Classes.
size_t UserKeysPresent() {
    const std::vector<std::wstring> keys = {L"CLSID\\" + Text(quillon::CLSID_Quillon), L"QuillonLib.Quillon",
                                            L"QuillonLib.Quillon.1", L"TypeLib\\" + Text(quillon::LIBID_QuillonLib),
                                            L"Interface\\" + Text(quillon::IID__Quillon)};
    size_t present = 0;
    for (const auto& k : keys) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + k).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        RegCloseKey(key);
        ++present;
    }
    return present;
}

class UserRegistration : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        m_dll = LoadLibraryW(L"QuillonLib.dll");
        ASSERT_NE(m_dll, nullptr);
        m_install = reinterpret_cast<Install>(reinterpret_cast<void*>(GetProcAddress(m_dll, "DllInstall")));
        ASSERT_NE(m_install, nullptr);
        m_install(FALSE, L"user");  // whatever an earlier run left
        ASSERT_EQ(S_OK, m_install(TRUE, L"user"));
        ASSERT_EQ(5u, UserKeysPresent());
    }
    void TearDown() override {
        if (m_install) EXPECT_EQ(S_OK, m_install(FALSE, L"user"));
        EXPECT_EQ(0u, UserKeysPresent());
        OleUninitialize();
    }

private:
    HMODULE m_dll = nullptr;  // kept loaded: COM loads the same module
    Install m_install = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_registration =
    ::testing::AddGlobalTestEnvironment(new UserRegistration);

}  // namespace
