#pragma once
// Geometry shared by the item painters.
#include <windows.h>
#include "control/QuillonInterfaces.h"

namespace quillon {

// How much of a popup item the border painter takes: Flat with Shadow keeps
// two pixels on the right of every item and below the last one for the
// shadow; Flat gives the two pixels of the system's 3D edge back.
struct ShadowAllowance {
    LONG dx = 0;
    LONG dy = 0;
};

inline ShadowAllowance ShadowAllowanceOf(LONG menuBorder, bool lastItem) noexcept {
    switch (menuBorder) {
    case qlBorderFlatWithShadow: return {2, lastItem ? 2 : 0};
    case qlBorderFlat: return {-2, 0};
    default: return {};
    }
}

}  // namespace quillon
