// The control turns menu animation off while its program is active, for the
// session only: the user's setting in the profile is never rewritten.
#include <memory>
#include <vector>
#include "control/MenuAnimation.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

// The profile value Windows keeps the menu-animation bit in.
std::vector<BYTE> PersistedPreferences() {
    std::vector<BYTE> data(64);
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    LONG rc = RegQueryValueExA(key, "UserPreferencesMask", nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return {};
    data.resize(size);
    return data;
}

TEST(MenuAnimationSession, TheProfileIsNeverWrittenAndReleaseRestoresTheStartValue) {
    // Make sure the profile holds "on" and the session starts with it.
    SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(TRUE), SPIF_UPDATEINIFILE);
    std::vector<BYTE> before = PersistedPreferences();
    ASSERT_FALSE(before.empty()) << "the prefix keeps UserPreferencesMask";
    {
        RecordingWindow form;
        HostedControl q(form.hwnd());
        SendMessageA(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
        SendMessageA(form.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
        EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(FALSE)) << "off for the session";
        EXPECT_EQ(PersistedPreferences(), before) << "the user's own setting is untouched";
    }
    EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(TRUE)) << "released: the start-up value is back";
    EXPECT_EQ(PersistedPreferences(), before);
}

// A second control starts while the first has animation off: it restores
// the user's setting, not the "off" it found, and so does every release.
TEST(MenuAnimationSession, EveryControlRestoresTheSettingTheFirstOneFound) {
    MenuAnimation::SetForSession(TRUE);
    RecordingWindow firstForm, secondForm;
    auto first = std::make_unique<HostedControl>(firstForm.hwnd());
    {
        SendMessageA(firstForm.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
        ASSERT_EQ(MenuAnimation::Read(), static_cast<UINT>(FALSE));
        HostedControl second(secondForm.hwnd());
        SendMessageA(secondForm.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
        EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(TRUE)) << "the program went to the background";
        SendMessageA(secondForm.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    }
    EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(FALSE)) << "the first control still runs";
    first.reset();
    EXPECT_EQ(MenuAnimation::Read(), static_cast<UINT>(TRUE)) << "the last release";
}

TEST(MenuAnimationSession, TheProfileCheckCanSeeAWrite) {
    // The comparison above is meaningful: a profile write does show up.
    std::vector<BYTE> before = PersistedPreferences();
    SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(FALSE), SPIF_UPDATEINIFILE);
    EXPECT_NE(PersistedPreferences(), before);
    SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(TRUE), SPIF_UPDATEINIFILE);
    EXPECT_EQ(PersistedPreferences(), before);
}

}  // namespace
