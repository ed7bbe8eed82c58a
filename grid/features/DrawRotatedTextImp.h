#pragma once
// Text drawn at an angle inside a cell's rectangle: the library's text drawing hands cells whose
// font has an orientation to this application-wide component. The font selected into the DC
// carries the escapement already; this places the text.

#include "framework/core/Geometry.h"
#include "grid/core/LibraryLinks.h"

class CGXDrawRotatedTextImp : public CGXAbstractDrawRotatedTextImp
{
public:
    // A length of -1 is the whole zero-terminated text; the clip rectangle (NULL: the rectangle)
    // bounds what shows. Returns 0.
    int DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, RECT& rect, UINT nFormat, LONG lfOrientation,
                        const RECT* pClipRect) override;
};

// Where text of the extent starts (the point TextOut gets) in the rectangle for an angle in tenths
// of a degree (any value; 3600 is 0) and DT_ alignment bits: DT_CENTER or DT_RIGHT, DT_VCENTER or
// DT_BOTTOM.
CPoint GXRotatedTextOrigin(const RECT& rect, CSize extent, UINT nFormat, LONG lfOrientation);

void InstallDrawRotatedTextImp();
