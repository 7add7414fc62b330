// Default colours and the cached GDI objects built from them.
#include "control/Quillon.h"

namespace quillon {

void Quillon::ComputeDefaultColors() {}

void Quillon::RefreshColors(HWND) { ++m_colorRefreshes; }

}  // namespace quillon
