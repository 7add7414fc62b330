// Programs that host the control the way third parties do find it by its
// ProgID: they run in an OLE apartment with the control registered by the
// DLL's own entry points, and unregistered at the end, leaving no key.
// Registration is per user (DllInstall "user", what "regsvr32 /n /i:user"
// calls); under Wine, whose COM does not read HKCU\Software\Classes (it is
// not merged into HKEY_CLASSES_ROOT), it is machine-wide (DllRegisterServer).
#include <gtest/gtest.h>
#include <ole2.h>
#include <functional>
#include <string>
#include <vector>
#include "control/ApiDeclares.h"
#include "control/Guids.h"

namespace {

using Install = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
using Register = HRESULT(STDAPICALLTYPE*)();

std::wstring Text(REFGUID g) {
    wchar_t buf[64] = {};
    StringFromGUID2(g, buf, 64);
    return buf;
}

// How many of the registration's main keys exist under `root`\Software\Classes.
size_t KeysPresent(HKEY root) {
    const std::vector<std::wstring> keys = {L"CLSID\\" + Text(quillon::CLSID_Quillon), L"QuillonLib.Quillon",
                                            L"QuillonLib.Quillon.1", L"TypeLib\\" + Text(quillon::LIBID_QuillonLib),
                                            L"Interface\\" + Text(quillon::IID__Quillon)};
    size_t present = 0;
    for (const auto& k : keys) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, (L"Software\\Classes\\" + k).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        RegCloseKey(key);
        ++present;
    }
    return present;
}

template <class F>
F Export(HMODULE dll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

class ProgIdRegistration : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        HMODULE dll = LoadLibraryW(L"QuillonLib.dll");  // kept loaded: COM loads the same module
        ASSERT_NE(dll, nullptr);
        auto install = Export<Install>(dll, "DllInstall");
        auto reg = Export<Register>(dll, "DllRegisterServer"), unreg = Export<Register>(dll, "DllUnregisterServer");
        ASSERT_TRUE(install && reg && unreg);
        if (quillon::ApiDeclares::RunningOnWine()) {
            m_root = HKEY_LOCAL_MACHINE;
            m_register = reg;
            m_unregister = unreg;
        } else {
            m_register = [install] { return install(TRUE, L"user"); };
            m_unregister = [install] { return install(FALSE, L"user"); };
        }
        m_unregister();  // whatever an earlier run left
        ASSERT_EQ(S_OK, m_register());
        ASSERT_EQ(5u, KeysPresent(m_root));
    }
    void TearDown() override {
        if (m_unregister) {
            EXPECT_EQ(S_OK, m_unregister());
        }
        EXPECT_EQ(0u, KeysPresent(m_root));
        OleUninitialize();
    }

private:
    HKEY m_root = HKEY_CURRENT_USER;
    std::function<HRESULT()> m_register, m_unregister;
};

[[maybe_unused]] ::testing::Environment* const g_registration =
    ::testing::AddGlobalTestEnvironment(new ProgIdRegistration);

}  // namespace
