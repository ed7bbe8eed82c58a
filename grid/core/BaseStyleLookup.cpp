#include "grid/core/Style.h"

// No styles map class exists in the library yet, so no base-style id resolves.
const CGXStyle* GXLookupBaseStyle(const CGXStylesMap*, WORD) { return nullptr; }
