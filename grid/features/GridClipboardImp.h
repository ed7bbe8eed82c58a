#pragma once
// The grid's clipboard: copy, cut, paste and clear, and the two forms the cells take on the
// clipboard (tab-separated text and the private style archive). Each component is a stateless
// object made once per grid; all state lives in the grid core and its parameter object.

#include "grid/core/GridComponents.h"

// Clipboard flags of the grid core (CGXGridCore::m_nClipboardFlags).
enum : DWORD
{
    GX_CLIP_ROWHEADERS = 0x0001,
    GX_CLIP_COLHEADERS = 0x0002,
    GX_CLIP_TEXT = 0x0008,
    GX_CLIP_STYLES = 0x0010,
    GX_CLIP_COMPOSED = 0x0020,
    GX_CLIP_CHECKSIZE = 0x0100,
    GX_CLIP_NOADDROWS = 0x0200,
    GX_CLIP_NOADDCOLS = 0x0400,
    GX_CLIP_STYLETYPE = 0x0800,
    GX_CLIP_ESCAPE = 0x1000
};

// The format that tells a paste the clipboard came from this very grid; registered on first use.
UINT GXGetDirectCopyFormat();

class CGXGridTextDataExchangeImp : public CGXAbstractGridTextDataExchangeImp
{
public:
    BOOL CopyTextToFile(CGXGridCore* pGrid, CFile& file, const CGXRangeList& ranges) override;
    CString GetCopyTextRowCol(CGXGridCore* pGrid, CString& text, ROWCOL nRow, ROWCOL nCol) override;
    // Never reads past dwSize bytes.
    BOOL PasteTextFromBuffer(CGXGridCore* pGrid, LPCSTR pszBuffer, DWORD dwSize, const CGXRange& target) override;
    BOOL PasteTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags,
                         const CGXStyle* pStyle) override;
    BOOL CalcTextSize(CGXGridCore* pGrid, LPCSTR pszBuffer, DWORD dwSize, ROWCOL& nRows, ROWCOL& nCols) override;
};

class CGXGridStyleDataExchangeImp : public CGXAbstractGridStyleDataExchangeImp
{
public:
    BOOL CopyStylesToArchive(CGXGridCore* pGrid, CArchive& ar, const CGXRangeList& ranges, BOOL bComposed) override;
    BOOL GetStyleForCopy(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bComposed) override;
    // Refuses, changing nothing, data whose sizes or entries do not make a block of styles.
    BOOL PasteStylesFromArchive(CGXGridCore* pGrid, CArchive& ar, const CGXRange& target,
                                BOOL bNoSizeCheck) override;
};

class CGXGridCutPasteImp : public CGXAbstractGridCutPasteImp
{
public:
    BOOL CanCopy(CGXGridCore* pGrid) override;
    // With nothing to copy the user's clipboard stays as it was.
    BOOL Copy(CGXGridCore* pGrid) override;
    BOOL CopyRangesToClipboard(CGXGridCore* pGrid, const CGXRangeList& ranges) override;
    BOOL CopyCellsAsText(CGXGridCore* pGrid, const CGXRangeList& ranges) override;
    BOOL CopyCellsAsStyles(CGXGridCore* pGrid, const CGXRangeList& ranges, BOOL bComposed) override;
    BOOL CanCut(CGXGridCore* pGrid) override;
    BOOL Cut(CGXGridCore* pGrid) override;
    BOOL CutRanges(CGXGridCore* pGrid, const CGXRangeList& ranges, BOOL bStyles) override;
    BOOL CanPaste(CGXGridCore* pGrid) override;
    BOOL IsPasteFormatAvailable(CGXGridCore* pGrid) override;
    BOOL Paste(CGXGridCore* pGrid) override;
    BOOL PasteDirect(CGXGridCore* pGrid, const CGXRange& target) override;
    BOOL PasteFromClipboard(CGXGridCore* pGrid, const CGXRange& target) override;
    BOOL ConfirmSizeMismatch(CGXGridCore* pGrid) override;
};

class CGXGridClearCellsImp : public CGXAbstractGridClearCellsImp
{
public:
    BOOL CanClear(CGXGridCore* pGrid) override;
    BOOL Clear(CGXGridCore* pGrid, BOOL bStyles) override;
    // FALSE after a failure or an abort (rolled back when the user asked).
    BOOL ClearCells(CGXGridCore* pGrid, const CGXRangeList& ranges, BOOL bStyles) override;
};

// Spans of a range list: rows and columns, each sorted, disjoint and merged.
struct GXRangeSpans
{
    CDWordArray rowStarts, rowEnds, colStarts, colEnds;
    ROWCOL nRows = 0;
    ROWCOL nCols = 0;
    void Build(CGXGridCore* pGrid, const CGXRangeList& ranges);
};
