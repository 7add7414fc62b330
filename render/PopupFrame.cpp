// Popup frames, shadows and the screen capture they are computed from.
#include "control/Quillon.h"

namespace quillon {

void Quillon::GrabScreen() {}

void Quillon::ReleaseScreenCapture() {}

}  // namespace quillon
