# OLE plumbing of the control (placeholder lists; filled as the server grows).
set(QUILLON_OLE_SOURCES)
set(QUILLON_DLL_SOURCES)
set(QUILLON_RESOURCE_SOURCES)
