#pragma once
// Geometry shared by the item painters.
#include <windows.h>
#include "control/QuillonInterfaces.h"

namespace quillon {

// How much of a popup item the border painter takes: Flat with Shadow keeps
// the shadow's width (two pixels at 96 DPI) on the right of every item and
// below the last one; Flat gives as much of the system's 3D edge back.
struct ShadowAllowance {
    LONG dx = 0;
    LONG dy = 0;
};

inline ShadowAllowance ShadowAllowanceOf(LONG menuBorder, bool lastItem, LONG shadowWidth) noexcept {
    switch (menuBorder) {
    case qlBorderFlatWithShadow: return {shadowWidth, lastItem ? shadowWidth : 0};
    case qlBorderFlat: return {-shadowWidth, 0};
    default: return {};
    }
}

}  // namespace quillon
