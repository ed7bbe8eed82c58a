#include "grid/features/GridPrintImp.h"

#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/Document.h"
#include "framework/docview/PrintInfo.h"
#include "framework/docview/View.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/Font.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace
{
// The headers and frozen columns (rows) as far as the given extent shows them: the sum stops once
// it passes the extent, so a frozen count larger than any page (a stored count can name billions of
// frozen lines) costs no more than a page's lines.
int FrozenColsWidth(CGXGridCore* pGrid, int nExtent)
{
    return pGrid->CalcSumOfColWidths(0, pGrid->GetFrozenCols(), std::max(1, nExtent + 1));
}

int FrozenRowsHeight(CGXGridCore* pGrid, int nExtent)
{
    return pGrid->CalcSumOfRowHeights(0, pGrid->GetFrozenRows(), std::max(1, nExtent + 1));
}

// The print-time span pools of floating cells, made when the pool components exist.
void CreatePrintPools(CGXGridParam* pParam)
{
    CGXAppData* pAppData = GXGetAppData();
    if (pParam == nullptr)
        return;
    if (pParam->m_pPrintFloatCellsPool == nullptr && pAppData->m_pSpanCellPoolImp != nullptr)
        pParam->m_pPrintFloatCellsPool = pAppData->m_pSpanCellPoolImp->CreatePool();
    if (pParam->m_pPrintDelayedFloatCellsPool == nullptr && pAppData->m_pDelayedRangePoolImp != nullptr)
        pParam->m_pPrintDelayedFloatCellsPool = pAppData->m_pDelayedRangePoolImp->CreatePool();
}

void DeletePrintPools(CGXGridParam* pParam)
{
    if (pParam == nullptr)
        return;
    delete pParam->m_pPrintFloatCellsPool;
    pParam->m_pPrintFloatCellsPool = nullptr;
    delete pParam->m_pPrintDelayedFloatCellsPool;
    pParam->m_pPrintDelayedFloatCellsPool = nullptr;
}

CGXAbstractPropertiesPrintImp* FindPrintImp(const CGXProperties& properties)
{
    CGXGridCore* pGrid = GXGetAppData()->GetFirstGridUser(&properties);
    return pGrid != nullptr ? dynamic_cast<CGXGridPrintImp*>(pGrid->m_pPrintImp) : nullptr;
}

// A header or footer line's font, selected for the moment when it differs from the DC's current
// one (logical fonts compared bytewise); restores the old font when it goes.
class CLineFont
{
public:
    CLineFont(CDC* pDC, const CGXStyle& style) : m_hDC(pDC->m_hDC)
    {
        if (!style.GetIncludeFont())
            return;
        LOGFONT wanted = style.GetFont().GetLogFont();
        LOGFONT current = {};
        ::GetObjectA(::GetCurrentObject(m_hDC, OBJ_FONT), sizeof(current), &current);
        if (std::memcmp(&wanted, &current, sizeof(LOGFONT)) == 0)
            return;
        // A font that cannot be made leaves the line in the current font.
        m_hFont = ::CreateFontIndirectA(&wanted);
        if (m_hFont != nullptr)
            m_hOld = ::SelectObject(m_hDC, m_hFont);
    }
    ~CLineFont()
    {
        if (m_hOld != nullptr)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hFont != nullptr)
            ::DeleteObject(m_hFont);
    }
    CLineFont(const CLineFont&) = delete;
    CLineFont& operator=(const CLineFont&) = delete;

private:
    HDC m_hDC;
    HFONT m_hFont = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

int LineHeight(CDC* pDC)
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(pDC->m_hDC, "X", 1, &size);
    return size.cy;
}

const ROWCOL kBlockRows = 10;
const ROWCOL kBlockCols = 3;
} // namespace

// ---- Breaks ----

CRect CGXGridPrintImp::CalcPrintableRect(CGXGridCore* pGrid, CDC* pDC)
{
    CRect rect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    ::DPtoLP(pDC->m_hDC, reinterpret_cast<POINT*>(&rect), 2);
    if (CGXProperties* pProperties = pGrid->GetProperties())
    {
        int nTop = 0;
        int nLeft = 0;
        int nBottom = 0;
        int nRight = 0;
        pProperties->GetMargins(nTop, nLeft, nBottom, nRight);
        rect.DeflateRect(nLeft, nTop, nRight, nBottom);
    }
    return rect;
}

void CGXGridPrintImp::CalcBreaks(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, int nAvailable,
                                 const CDWordArray& userBreaks, CDWordArray& breaks, INT_PTR nMaxPages)
{
    breaks.RemoveAll();
    breaks.Add(nFirst);
    INT_PTR nUser = 0;
    ROWCOL nCurrent = nFirst;
    // Pages no print job can reach are not laid out: a table of billions of rows would otherwise be
    // measured row by row before its first page.
    while (nCurrent <= nLast && breaks.GetSize() <= nMaxPages)
    {
        ROWCOL nNext = nCurrent;
        int nUsed = 0;
        while (nNext <= nLast)
        {
            const int nSize = bRows ? pGrid->GetRowHeight(nNext) : pGrid->GetColWidth(nNext);
            if (nUsed + nSize > nAvailable)
                break;
            nUsed += nSize;
            ++nNext;
        }
        // Each page takes at least one line, however large.
        if (nNext == nCurrent)
            ++nNext;
        while (nUser < userBreaks.GetSize() && userBreaks[nUser] <= nCurrent)
            ++nUser;
        if (nUser < userBreaks.GetSize() && userBreaks[nUser] <= nNext)
            nNext = userBreaks[nUser++];
        breaks.Add(nNext);
        nCurrent = nNext;
    }
    // The last page ends one past the printed range also after a user break (which could lie
    // beyond it and print lines that were not asked for).
    breaks[breaks.GetSize() - 1] = nLast + 1;
}

void CGXGridPrintImp::ComputeBreaks(CGXGridCore* pGrid, ROWCOL nFirstRow, ROWCOL nFirstCol, ROWCOL nLastRow,
                                    ROWCOL nLastCol)
{
    const CRect rect = pGrid->GetPrintRect();
    CGXProperties* pProperties = pGrid->GetProperties();
    const CDWordArray empty;
    const ROWCOL nFrozenRows = pGrid->GetFrozenRows();
    const ROWCOL nFrozenCols = pGrid->GetFrozenCols();
    nFirstRow = std::max<ROWCOL>(nFirstRow, nFrozenRows + 1);
    nFirstCol = std::max<ROWCOL>(nFirstCol, nFrozenCols + 1);
    const int nWidth = rect.Width() - FrozenColsWidth(pGrid, rect.Width());
    const int nHeight = rect.Height() - FrozenRowsHeight(pGrid, rect.Height());
    CalcBreaks(pGrid, FALSE, nFirstCol, nLastCol, nWidth,
               pProperties != nullptr ? pProperties->m_awColBreaks : empty, pGrid->m_awPrintColBreaks);
    const INT_PTR nColPages = std::max<INT_PTR>(1, pGrid->m_awPrintColBreaks.GetSize() - 1);
    CalcBreaks(pGrid, TRUE, nFirstRow, nLastRow, nHeight,
               pProperties != nullptr ? pProperties->m_awRowBreaks : empty, pGrid->m_awPrintRowBreaks,
               std::max<INT_PTR>(1, kMaxPages / nColPages));
    // A table whose columns (rows) are all frozen has nothing to break: one page holds them.
    if (pGrid->m_awPrintColBreaks.GetSize() == 1 && nFrozenCols != 0 && nLastCol != 0)
        pGrid->m_awPrintColBreaks.Add(nLastCol + 1);
    if (pGrid->m_awPrintRowBreaks.GetSize() == 1 && nFrozenRows != 0 && nLastRow != 0)
        pGrid->m_awPrintRowBreaks.Add(nLastRow + 1);
    pGrid->m_nPrintPageCount = static_cast<UINT>((pGrid->m_awPrintRowBreaks.GetSize() - 1) *
                                                 (pGrid->m_awPrintColBreaks.GetSize() - 1));
}

void CGXGridPrintImp::PagePosition(CGXGridCore* pGrid, UINT nPage, ROWCOL& nPageRow, ROWCOL& nPageCol)
{
    const ROWCOL nRowPages = static_cast<ROWCOL>(std::max<INT_PTR>(1, pGrid->m_awPrintRowBreaks.GetSize() - 1));
    const ROWCOL nColPages = static_cast<ROWCOL>(std::max<INT_PTR>(1, pGrid->m_awPrintColBreaks.GetSize() - 1));
    const ROWCOL nIndex = nPage > 0 ? nPage - 1 : 0;
    CGXProperties* pProperties = pGrid->GetProperties();
    if (pProperties != nullptr && pProperties->GetPageOrder() == 1)
    {
        nPageRow = nIndex % nRowPages;
        nPageCol = nIndex / nRowPages;
    }
    else
    {
        nPageRow = nIndex / nColPages;
        nPageCol = nIndex % nColPages;
    }
}

// ---- The print protocol ----

BOOL CGXGridPrintImp::OnGridBeginPrinting(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo)
{
    CreatePrintPools(pGrid->GetParam());
    const ROWCOL nScreenTop = pGrid->GetTopRow();
    const ROWCOL nScreenLeft = pGrid->GetLeftCol();
    pGrid->SetPrinting(TRUE);
    pGrid->PrepareGridDC(pDC, TRUE);
    pGrid->SetPrintRect(CalcPrintableRect(pGrid, pDC));

    // The range: the whole table, or with the dialog's selection option the first selected range;
    // without a selection one page from the screen's first scrolled row and column.
    const BOOL bSelection = pInfo != nullptr && pInfo->m_pPD != nullptr && (pInfo->m_pPD->m_pd.Flags & PD_SELECTION) != 0;
    CGXGridParam* pParam = pGrid->GetParam();
    const BOOL bHasSelection = pParam != nullptr && !pParam->m_SelRects.IsEmpty();
    m_bWholeTable = !bSelection;
    m_nFirstRow = 1;
    m_nFirstCol = 1;
    m_nLastRow = pGrid->GetRowCount();
    m_nLastCol = pGrid->GetColCount();
    if (bSelection && bHasSelection)
    {
        const CGXRange& range = *pParam->m_SelRects.GetHead();
        if (!range.IsCols() && !range.IsTable())
        {
            m_nFirstRow = std::max<ROWCOL>(1, range.top);
            m_nLastRow = std::min<ROWCOL>(range.bottom, m_nLastRow);
        }
        if (!range.IsRows() && !range.IsTable())
        {
            m_nFirstCol = std::max<ROWCOL>(1, range.left);
            m_nLastCol = std::min<ROWCOL>(range.right, m_nLastCol);
        }
    }
    else if (bSelection)
    {
        m_nFirstRow = nScreenTop;
        m_nFirstCol = nScreenLeft;
    }
    ComputeBreaks(pGrid, m_nFirstRow, m_nFirstCol, m_nLastRow, m_nLastCol);
    if (bSelection && !bHasSelection)
    {
        // One page: what fits from the screen's top left.
        pGrid->m_awPrintRowBreaks.SetSize(std::min<INT_PTR>(2, pGrid->m_awPrintRowBreaks.GetSize()));
        pGrid->m_awPrintColBreaks.SetSize(std::min<INT_PTR>(2, pGrid->m_awPrintColBreaks.GetSize()));
        pGrid->m_nPrintPageCount = 1;
    }

    const UINT nPages = std::max<UINT>(1, pGrid->m_nPrintPageCount);
    ROWCOL nPageRow = 0;
    ROWCOL nPageCol = 0;
    while (nPageRow + 1 < static_cast<ROWCOL>(pGrid->m_awPrintRowBreaks.GetSize() - 1) &&
           pGrid->m_awPrintRowBreaks[nPageRow + 1] <= nScreenTop)
        ++nPageRow;
    while (nPageCol + 1 < static_cast<ROWCOL>(pGrid->m_awPrintColBreaks.GetSize() - 1) &&
           pGrid->m_awPrintColBreaks[nPageCol + 1] <= nScreenLeft)
        ++nPageCol;
    const UINT nRowPages = static_cast<UINT>(pGrid->m_awPrintRowBreaks.GetSize() - 1);
    const UINT nColPages = static_cast<UINT>(pGrid->m_awPrintColBreaks.GetSize() - 1);
    CGXProperties* pProperties = pGrid->GetProperties();
    pGrid->m_nPreviewStartPage = pProperties != nullptr && pProperties->GetPageOrder() == 1
                                     ? nRowPages * nPageCol + nPageRow + 1
                                     : nColPages * nPageRow + nPageCol + 1;
    if (pInfo != nullptr)
    {
        pInfo->SetMaxPage(nPages);
        CString suffix;
        suffix.Format(" / %u", nPages);
        pInfo->m_strPageDesc += suffix;
        if (pInfo->m_bPreview)
            pInfo->m_nCurPage = pGrid->m_nPreviewStartPage;
    }
    pGrid->SetPrinting(FALSE);
    return TRUE;
}

BOOL CGXGridPrintImp::OnGridPrint(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    m_pGrid = pGrid;
    pGrid->SetPrinting(TRUE);
    pGrid->PrepareGridDC(pDC, TRUE);
    const CRect page = CalcPrintableRect(pGrid, pDC);
    pGrid->SetPrintRect(page);
    // Rows or columns added to the table since the job began get pages of their own.
    if (pGrid->m_awPrintRowBreaks.GetSize() < 2 || pGrid->m_awPrintColBreaks.GetSize() < 2 ||
        (m_bWholeTable && (pGrid->GetRowCount() > m_nLastRow || pGrid->GetColCount() > m_nLastCol)))
    {
        if (m_bWholeTable)
        {
            m_nLastRow = pGrid->GetRowCount();
            m_nLastCol = pGrid->GetColCount();
        }
        ComputeBreaks(pGrid, m_nFirstRow, m_nFirstCol, m_nLastRow, m_nLastCol);
    }

    ROWCOL nPageRow = 0;
    ROWCOL nPageCol = 0;
    PagePosition(pGrid, pInfo->m_nCurPage, nPageRow, nPageCol);
    if (nPageRow + 1 >= static_cast<ROWCOL>(pGrid->m_awPrintRowBreaks.GetSize()) ||
        nPageCol + 1 >= static_cast<ROWCOL>(pGrid->m_awPrintColBreaks.GetSize()))
    {
        pInfo->m_bContinuePrinting = FALSE;
        pGrid->SetPrinting(FALSE);
        return FALSE;
    }
    const ROWCOL nFirstRow = pGrid->m_awPrintRowBreaks[nPageRow];
    const ROWCOL nFirstCol = pGrid->m_awPrintColBreaks[nPageCol];
    const ROWCOL nLastRow = std::min<ROWCOL>(pGrid->m_awPrintRowBreaks[nPageRow + 1], pGrid->GetRowCount() + 1) - 1;
    const ROWCOL nLastCol = std::min<ROWCOL>(pGrid->m_awPrintColBreaks[nPageCol + 1], pGrid->GetColCount() + 1) - 1;
    pGrid->SetPrintTopLeft(nFirstRow, nFirstCol);

    // Nothing beyond the paper shows: the sums stop there (the last of the pages a job holds can run
    // over billions of rows).
    CRect paper(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    ::DPtoLP(pDC->m_hDC, reinterpret_cast<POINT*>(&paper), 2);
    const int nWidthShown = std::max<int>(1, paper.right - page.left);
    const int nHeightShown = std::max<int>(1, paper.bottom - page.top);
    const int nFrozenWidth = FrozenColsWidth(pGrid, nWidthShown);
    const int nFrozenHeight = FrozenRowsHeight(pGrid, nHeightShown);
    const int nWidth =
        nFrozenWidth + (nLastCol >= nFirstCol
                            ? pGrid->CalcSumOfColWidths(nFirstCol, nLastCol, std::max(1, nWidthShown - nFrozenWidth + 1))
                            : 0);
    const int nHeight = nFrozenHeight + (nLastRow >= nFirstRow ? pGrid->CalcSumOfRowHeights(
                                                                     nFirstRow, nLastRow,
                                                                     std::max(1, nHeightShown - nFrozenHeight + 1))
                                                               : 0);
    CRect block(page.left, page.top, page.left + nWidth, page.top + nHeight);
    CGXProperties* pProperties = pGrid->GetProperties();
    if (pProperties != nullptr && pProperties->GetCenterHorizontal())
        block.OffsetRect(std::max(0, page.Width() - nWidth) / 2, 0);
    if (pProperties != nullptr && pProperties->GetCenterVertical())
        block.OffsetRect(0, std::max(0, page.Height() - nHeight) / 2);
    pGrid->SetPrintRect(block);

    pGrid->PrintHeaderFooter(pDC, pInfo);
    if (pProperties != nullptr && pProperties->GetPrintFrame())
    {
        HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, ::GetStockObject(BLACK_PEN));
        const POINT frame[5] = {{block.left, block.top},
                                {block.right, block.top},
                                {block.right, block.bottom},
                                {block.left, block.bottom},
                                {block.left, block.top}};
        for (int i = 0; i < 4; ++i)
        {
            ::MoveToEx(pDC->m_hDC, frame[i].x, frame[i].y, nullptr);
            ::LineTo(pDC->m_hDC, frame[i + 1].x, frame[i + 1].y);
        }
        ::SelectObject(pDC->m_hDC, hOld);
    }
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&block);
    pGrid->DrawGridArea(pDC);
    pDC->RestoreDC(nSaved);

    pInfo->m_bContinuePrinting = pInfo->m_nCurPage < pGrid->m_nPrintPageCount;
    pGrid->SetPrinting(FALSE);
    m_pGrid = nullptr;
    return TRUE;
}

BOOL CGXGridPrintImp::OnGridEndPrinting(CGXGridCore* pGrid, CDC*, CPrintInfo*)
{
    if (HWND hWnd = pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr)
        ::InvalidateRect(hWnd, nullptr, TRUE);
    DeletePrintPools(pGrid->GetParam());
    return TRUE;
}

// ---- Header and footer ----

BOOL CGXGridPrintImp::OnPrintHeaderAndFooter(CGXProperties& properties, CDC* pDC, CPrintInfo* pInfo,
                                             CDocument* pDoc, CGXGridParam* pParam)
{
    if (pDC == nullptr || pInfo == nullptr)
        return FALSE;
    if (pDoc == nullptr && m_pGrid != nullptr && m_pGrid->GridWnd() != nullptr &&
        m_pGrid->GridWnd()->IsKindOf(RUNTIME_CLASS(CView)))
        pDoc = static_cast<CView*>(m_pGrid->GridWnd())->GetDocument();
    FillTokenArguments(properties, pDoc != nullptr ? static_cast<LPCTSTR>(pDoc->GetTitle()) : "", AfxGetAppName(),
                       pInfo->m_nCurPage, pInfo->GetMinPage(), pInfo->GetMaxPage(),
                       pParam != nullptr ? static_cast<LPCTSTR>(pParam->m_sSheetName) : "");
    const CRect printed = m_pGrid != nullptr ? m_pGrid->GetPrintRect() : CRect(pInfo->m_rectDraw);
    CRect pageRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    ::DPtoLP(pDC->m_hDC, reinterpret_cast<POINT*>(&pageRect), 2);
    int nHeaderDistance = 0;
    int nFooterDistance = 0;
    properties.GetDistances(nHeaderDistance, nFooterDistance);
    // Header and footer span the printed block, so that they stay over it when it is centred.
    const int nLeft = printed.left;
    const int nRight = printed.right;
    const CRect header(nLeft, pageRect.top + nHeaderDistance, nRight, printed.top);
    PrintHeaderFooterData(properties, pDC, pInfo, header, &properties.GetDataHeader(), nullptr);
    const int nFooterBottom = pageRect.bottom - nFooterDistance;
    const int nFooterTop = std::max(static_cast<int>(nFooterBottom -
                                        CalcHeaderFooterHeight(properties, pDC, &properties.GetDataFooter(), nullptr)),
                                    static_cast<int>(printed.bottom));
    const CRect footer(nLeft, nFooterTop, nRight, nFooterBottom);
    PrintHeaderFooterData(properties, pDC, pInfo, footer, &properties.GetDataFooter(), nullptr);
    return TRUE;
}

int CGXGridPrintImp::CalcHeaderFooterHeight(CGXProperties&, CDC* pDC, CGXData* pData, const CGXStylesMap*)
{
    if (pDC == nullptr || pData == nullptr)
        return 0;
    int nTallest = 0;
    for (ROWCOL nCol = 1; nCol <= kBlockCols; ++nCol)
    {
        int nSum = 0;
        for (ROWCOL nRow = 1; nRow <= kBlockRows; ++nRow)
        {
            CGXStyle style;
            if (!pData->GetStyleRowCol(nRow, nCol, style, gxCopy) || style.GetValue().IsEmpty())
                continue;
            CLineFont font(pDC, style);
            nSum += LineHeight(pDC);
        }
        nTallest = std::max(nTallest, nSum);
    }
    return nTallest;
}

void CGXGridPrintImp::PrintHeaderFooterData(CGXProperties& properties, CDC* pDC, CPrintInfo*, const RECT& rect,
                                            CGXData* pData, const CGXStylesMap*)
{
    if (pDC == nullptr || pData == nullptr)
        return;
    static const UINT kAlign[kBlockCols] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    ::SetBkMode(pDC->m_hDC, TRANSPARENT);
    for (ROWCOL nCol = 1; nCol <= kBlockCols; ++nCol)
    {
        int nTop = rect.top;
        for (ROWCOL nRow = 1; nRow <= kBlockRows; ++nRow)
        {
            CGXStyle style;
            if (!pData->GetStyleRowCol(nRow, nCol, style, gxCopy) || style.GetValue().IsEmpty())
                continue;
            CLineFont font(pDC, style);
            const int nHeight = LineHeight(pDC);
            const CString text = SubstTokenText(properties, style.GetValue());
            RECT line = {rect.left + 8, nTop, rect.right - 8, nTop + nHeight};
            ::DrawTextA(pDC->m_hDC, text, text.GetLength(), &line,
                        kAlign[nCol - 1] | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
            nTop += nHeight;
        }
    }
}

void CGXGridCore::InstallPrinting()
{
    if (m_pPrintImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridPrintImp;
    if (pImp == nullptr)
        return;
    m_pPrintImp = pImp;
    AddImplementationObject(pImp);
    CGXProperties::s_pfnFindPrintImp = &FindPrintImp;
}
