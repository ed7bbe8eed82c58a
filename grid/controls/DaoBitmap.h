#pragma once
// The bitmap cell (control id 20128): a picture that a database field delivers as bytes. The cell's
// style carries them as a VARIANT byte array in user attribute 52794 (a CGXOleVarUserAttribute):
// a bitmap file, possibly after a leading header of any length. The cell draws that bitmap at its
// natural size, aligned by the style; without the attribute it is a static-text cell.

#include "grid/controls/Static.h"

#include <windows.h>
#include <oleauto.h>

// A new movable, zero-filled block with the bitmap found in a VT_ARRAY | VT_UI1 variant: from the
// first "BM" on, with its 14-byte file header (bKeepFileHeader) or as a packed DIB. NULL for any
// other variant, bytes without "BM", a bitmap whose headers, colour table or bits run past the data,
// and a run-length bitmap whose picture would take more than 64 MB expanded.
HGLOBAL GXDIBFromVariantBytes(const VARIANT* pVariant, BOOL bKeepFileHeader = FALSE);
// Draws the variant's bitmap (converted unless a handle is given) with CGXDIB::Draw; a run-length
// bitmap is expanded first, and the pixels its runs skip keep what the device showed. Frees the
// handle when asked. The handle, or NULL when the conversion failed (or the handle was freed).
HGLOBAL GXDrawVariantBitmap(CDC* pDC, const VARIANT* pVariant, const RECT& rect, int nMode, UINT nAlign,
                            const RECT* pSrcRect = nullptr, HGLOBAL hDIB = nullptr, BOOL bFree = FALSE);

class CGXDaoBitmap : public CGXStatic
{
    GRID_DECLARE_CONTROL(CGXDaoBitmap)

public:
    explicit CGXDaoBitmap(CGXGridCore* pGrid);

    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL DrawsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
};
