// The background picture tiled behind popup items.
#include "control/Quillon.h"

namespace quillon {

void Quillon::TileBackground(HDC, LONG, LONG, LONG, LONG) {}

}  // namespace quillon
