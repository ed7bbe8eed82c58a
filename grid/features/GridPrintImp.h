#pragma once
// Printing a grid and its print preview: the grid is cut into pages of rows and columns that fit
// the printable rectangle (with the user's page breaks), the frozen rows and columns repeat on every
// page, the block is centred and framed when asked, and the properties' header and footer blocks
// are printed with their tokens filled in.

#include "grid/core/GridComponents.h"
#include "grid/core/Properties.h"

class CDWordArray;

class CGXGridPrintImp : public CGXAbstractGridPrintImp, public CGXAbstractPropertiesPrintImp
{
public:
    // ---- The grid's print protocol ----
    BOOL OnGridBeginPrinting(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) override;
    BOOL OnGridPrint(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) override;
    BOOL OnGridEndPrinting(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) override;

    // ---- Header and footer ----
    BOOL OnPrintHeaderAndFooter(CGXProperties& properties, CDC* pDC, CPrintInfo* pInfo, CDocument* pDoc,
                                CGXGridParam* pParam) override;
    int CalcHeaderFooterHeight(CGXProperties& properties, CDC* pDC, CGXData* pData,
                               const CGXStylesMap* pStylesMap) override;
    void PrintHeaderFooterData(CGXProperties& properties, CDC* pDC, CPrintInfo* pInfo, const RECT& rect,
                               CGXData* pData, const CGXStylesMap* pStylesMap) override;

    // The page rectangle left for the grid: the device's printable area in logical units less the
    // properties' margins.
    static CRect CalcPrintableRect(CGXGridCore* pGrid, CDC* pDC);
    // Breaks of one direction from nFirst on (rows when bRows): each page ends before the first
    // line that does not fit, or at a user break; the last break lies one past nLast. At most
    // nMaxPages pages: the last of them then runs to the end.
    static void CalcBreaks(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, int nAvailable,
                           const CDWordArray& userBreaks, CDWordArray& breaks, INT_PTR nMaxPages = kMaxPages);
    // A print job holds at most this many pages: the print dialog's page numbers are 16 bits.
    static const INT_PTR kMaxPages = 0xFFFF;

private:
    // The page row and column of page nPage (from 1) in the grid's page order.
    static void PagePosition(CGXGridCore* pGrid, UINT nPage, ROWCOL& nPageRow, ROWCOL& nPageCol);
    // The breaks of the printed range (rows and columns from nFirst to nLast).
    void ComputeBreaks(CGXGridCore* pGrid, ROWCOL nFirstRow, ROWCOL nFirstCol, ROWCOL nLastRow, ROWCOL nLastCol);

    // The grid being printed (for the document title of the header and footer).
    CGXGridCore* m_pGrid = nullptr;
    // The printed range: the whole table unless the print dialog asked for the selection.
    BOOL m_bWholeTable = TRUE;
    ROWCOL m_nFirstRow = 1;
    ROWCOL m_nFirstCol = 1;
    ROWCOL m_nLastRow = 0;
    ROWCOL m_nLastCol = 0;
};
