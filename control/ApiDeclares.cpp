#include "control/ApiDeclares.h"
#include <optional>

namespace quillon::ApiDeclares {
namespace {

std::optional<VersionOverride> g_override;

bool ReadVersion(OSVERSIONINFOA& info) noexcept {
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    if (g_override) {
        if (g_override->fail) return false;
        info.dwPlatformId = g_override->platformId;
        info.dwMajorVersion = g_override->major;
        info.dwMinorVersion = g_override->minor;
        return true;
    }
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // deprecated, but the only call that says what we need
#endif
    return GetVersionExA(&info) != FALSE;
}

}  // namespace

void SetVersionOverride(const VersionOverride* version) noexcept {
    if (version)
        g_override = *version;
    else
        g_override.reset();
}

double OSVersionNumber() noexcept {
    OSVERSIONINFOA v;
    if (!ReadVersion(v)) return 0;
    // Minor versions read as decimals: 4.10 is 4.1, 4.90 is 4.9.
    double minor = v.dwMinorVersion;
    while (minor >= 1) minor /= 10;
    return v.dwMajorVersion + minor;
}

bool IsWindows95() noexcept {
    OSVERSIONINFOA v;
    return ReadVersion(v) && v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && v.dwMinorVersion == 0;
}

bool IsWindows98Me() noexcept {
    OSVERSIONINFOA v;
    return ReadVersion(v) && v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && v.dwMinorVersion != 0;
}

bool IsWindowsNT3() noexcept {
    OSVERSIONINFOA v;
    return ReadVersion(v) && v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion == 3;
}

bool IsWindowsNT4() noexcept {
    OSVERSIONINFOA v;
    return ReadVersion(v) && v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion == 4;
}

bool RunningOnWine() noexcept {
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

bool MenusReportMouseSelection() noexcept { return !RunningOnWine(); }

bool MenusKnowRightOrder() noexcept { return !RunningOnWine(); }

}  // namespace quillon::ApiDeclares
