#pragma once
// Resource identifiers of QuillonLib.rc (shared with the code that loads them).
#define IDB_QUILLON_TOOLBOX 101  // 16 x 16 toolbox bitmap (ToolboxBitmap32)
#define IDB_QUILLON_DESIGN 102   // 32 x 32 design-time picture
