#include "control/MenuAnimation.h"

namespace quillon::MenuAnimation {
namespace {
struct ThreadSetting {
    int controls = 0;
    UINT user = TRUE;
};
thread_local ThreadSetting t_setting;
}  // namespace

UINT Read() noexcept {
    BOOL on = TRUE;
    if (!SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &on, 0)) return TRUE;
    return on ? TRUE : FALSE;
}

void SetForSession(UINT on) noexcept {
    SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(on ? TRUE : FALSE)), 0);
}

void Join() noexcept {
    if (t_setting.controls++ == 0) t_setting.user = Read();
}

UINT UserSetting() noexcept { return t_setting.user; }

void Leave() noexcept {
    if (t_setting.controls == 0) return;
    if (--t_setting.controls == 0) SetForSession(t_setting.user);
}

}  // namespace quillon::MenuAnimation
