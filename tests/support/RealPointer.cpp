#include "tests/support/RealPointer.h"
#include <string>

namespace quillon::test {
namespace {

constexpr const char* kXdotoolWindowsPath = "Z:\\usr\\bin\\xdotool";
constexpr const char* kXdotoolUnixPath = "/usr/bin/xdotool";

// Wine starts Unix programs named by their Unix path; the exit status does
// not come back, so success is judged by where the pointer ends up.
bool RunXdotool(POINT p) {
    std::string command = std::string(kXdotoolUnixPath) + " mousemove --sync " + std::to_string(p.x) + " " +
                          std::to_string(p.y);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

void SendMove(POINT p) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((p.x * 65536 + sw / 2) / sw);
    in.mi.dy = static_cast<LONG>((p.y * 65536 + sh / 2) / sh);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

bool ArrivesAt(POINT p, DWORD waitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y) return true;
        if (GetTickCount() - start > waitMs) return false;
        Sleep(10);
    }
}

}  // namespace

bool HaveXdotool() { return GetFileAttributesA(kXdotoolWindowsPath) != INVALID_FILE_ATTRIBUTES; }

PointerDriver MovePointerTo(POINT p, DWORD waitMs) {
    if (HaveXdotool() && RunXdotool(p) && ArrivesAt(p, waitMs)) return PointerDriver::Xdotool;
    SendMove(p);
    return ArrivesAt(p, waitMs) ? PointerDriver::SendInput : PointerDriver::None;
}

}  // namespace quillon::test
