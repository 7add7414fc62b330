#include "control/MenuAnimation.h"

namespace quillon::MenuAnimation {

UINT Read() noexcept {
    BOOL on = TRUE;
    if (!SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &on, 0)) return TRUE;
    return on ? TRUE : FALSE;
}

void SetForSession(UINT on) noexcept {
    SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(on ? TRUE : FALSE)), 0);
}

}  // namespace quillon::MenuAnimation
