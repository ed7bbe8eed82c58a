#include "grid/features/GridOldDrawingImp.h"

#include "framework/win/Dc.h"
#include "grid/core/Control.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"

#include <new>

namespace
{
// A cell whose own interior is still to be filled and that is no span member.
BOOL WantsBackground(CGXGridPaintContext& context, UINT r, UINT c)
{
    const WORD flags = context.Flags(r, c);
    return context.Style(r, c) != nullptr && (flags & GX_PAINT_BACKGROUND) != 0 && (flags & GX_PAINT_COVERED) == 0;
}
} // namespace

BOOL CGXGridOldDrawingImp::PaintGrid(CGXGridCore* pGrid, CDC* pDC, CGXGridPaintContext& context)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pDC == nullptr || (!pGrid->m_bOldDrawing && !pParam->m_bRowBandedDrawing))
        return FALSE;
    pGrid->m_bOldDrawing = TRUE;
    const HDC hDC = pDC->GetSafeHdc();

    // A screen DC that already clips to a region of its own is left alone; a printout may drop the bands.
    BOOL bClip = TRUE;
    if (pDC->IsPrinting())
        bClip = !pParam->m_bRowBandedNoClipPrinting;
    else if (HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0))
    {
        if (::GetClipRgn(hDC, hRegion) == 1)
            bClip = FALSE;
        ::DeleteObject(hRegion);
    }

    pGrid->DrawGridLinesOldStyle(pDC);

    const UINT nRows = context.m_nRows;
    const UINT nCols = context.m_nCols;
    const int nLeft = context.m_nStartX;
    const int nRight = nCols > 0 ? context.m_anColLefts[nCols - 1] + context.m_anColWidths[nCols - 1] : nLeft;
    for (UINT r = 0; r < nRows; ++r)
    {
        const int nTop = context.m_anRowTops[r];
        const int nBottom = nTop + context.m_anRowHeights[r];
        int nSaved = 0;
        if (bClip)
        {
            nSaved = ::SaveDC(hDC);
            ::IntersectClipRect(hDC, nLeft, nTop, nRight, nBottom);
        }
        for (UINT c = 0; c < nCols; ++c)
        {
            // A span reaches into the rows below its first: it is drawn outside the row's band.
            const WORD flags = context.Flags(r, c);
            if ((flags & GX_PAINT_COVERED) != 0 && (flags & GX_PAINT_SPANLATER) == 0)
                continue;
            context.m_rectCell = context.CellRect(r, c);
            pGrid->DrawCellInContext(context, r, c);
        }
        if (bClip)
            ::RestoreDC(hDC, nSaved);
        for (UINT c = 0; c < nCols; ++c)
        {
            const WORD flags = context.Flags(r, c);
            if ((flags & GX_PAINT_COVERED) == 0 || (flags & GX_PAINT_SPANLATER) != 0)
                continue;
            context.m_rectCell = context.CellRect(r, c);
            pGrid->DrawCellInContext(context, r, c);
        }
    }
    for (UINT c = 0; c < nCols; ++c)
        pGrid->DrawVertGridLines(context, c);
    for (UINT r = 0; r < nRows; ++r)
        pGrid->DrawHorzGridLines(context, r);

    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    if (context.m_pCurrentControl != nullptr && !context.m_rectCurrentInner.IsRectEmpty() &&
        pGrid->GetCurrentCell(nCurRow, nCurCol))
        context.m_pCurrentControl->DrawFrame(pDC, context.m_rectCurrentInner, nCurRow, nCurCol,
                                             pGrid->LookupCellStyle(nCurRow, nCurCol));
    if (context.m_bDrawSelection)
        pGrid->DrawInvertSelectedCells(context);
    return TRUE;
}

BOOL CGXGridOldDrawingImp::DrawGridLinesOldStyle(CGXGridCore* pGrid, CDC* pDC)
{
    CGXGridPaintContext* pContext = pGrid->GetPaintContext();
    CGXGridParam* pParam = pGrid->GetParam();
    if (pContext == nullptr || pDC == nullptr || pParam == nullptr)
        return FALSE;
    CGXGridPaintContext& context = *pContext;
    const UINT nRows = context.m_nRows;
    const UINT nCols = context.m_nCols;
    if (nRows == 0 || nCols == 0)
        return FALSE;

    // The area right of and below the table, as the normal paint fills it.
    CGXProperties* pProperties = pGrid->GetProperties();
    const COLORREF background = pGrid->IsPrinting() ? RGB(255, 255, 255) : pGrid->GetPropertyColor(4);
    const BOOL bRightBottom = pParam->m_bLinesRightBottom;
    CRect rectBlock(context.m_nStartX, context.m_nStartY,
                    context.m_anColLefts[nCols - 1] + context.m_anColWidths[nCols - 1],
                    context.m_anRowTops[nRows - 1] + context.m_anRowHeights[nRows - 1]);
    if (pGrid->ClientColToCol(context.m_nRightClientCol) >= pGrid->GetColCount())
    {
        CRect rect = pGrid->GetGridRectRightOfCol(pGrid->GetColCount());
        rect.bottom += 5;
        if (!rect.IsRectEmpty())
            CGXDrawingAndFormatting::FillSolidRect(pDC, rect, background);
        if ((pProperties == nullptr || pProperties->GetDisplayVertLines()) && !bRightBottom)
            pGrid->DrawGridLine(pDC, 1, context.m_nRightClientCol + 1, 0);
    }
    if (pGrid->ClientRowToRow(context.m_nBottomClientRow) >= pGrid->GetRowCount())
    {
        const CRect rect = pGrid->GetGridRectBelowRow(pGrid->GetRowCount());
        if (!rect.IsRectEmpty())
            CGXDrawingAndFormatting::FillSolidRect(pDC, rect, background);
        if ((pProperties == nullptr || pProperties->GetDisplayHorzLines()) && !bRightBottom)
            pGrid->DrawGridLine(pDC, 2, context.m_nBottomClientRow + 1, 0);
    }

    // The block in the standard interior; black and white printing fills it white.
    CGXStyleBrush standard;
    if (const CGXStyle* pStandard = pGrid->GetStandardStyle())
        standard = pStandard->GetInterior();
    else
        standard.SetStyle(CGXStyleBrush::bsSolid).SetColor(context.m_colorBackground);
    if (!context.m_bNotBlackWhite)
        standard = CGXStyleBrush().SetStyle(CGXStyleBrush::bsSolid).SetColor(RGB(255, 255, 255));
    pGrid->DrawBrushRect(pDC, rectBlock, standard);

    // Cells with an interior of their own, in rectangles of equal interior: right along the row,
    // then down by whole rows. A rectangle of one cell is left to the cell.
    for (UINT r = 0; r < nRows; ++r)
        for (UINT c = 0; c < nCols; ++c)
        {
            if (!WantsBackground(context, r, c))
                continue;
            const CGXStyleBrush& brush = context.Style(r, c)->GetInterior();
            auto joins = [&](UINT rr, UINT cc) {
                return WantsBackground(context, rr, cc) && context.Style(rr, cc)->GetInterior() == brush;
            };
            UINT nEndCol = c + 1;
            while (nEndCol < nCols && joins(r, nEndCol))
                ++nEndCol;
            UINT nEndRow = r + 1;
            for (; nEndRow < nRows; ++nEndRow)
            {
                BOOL bAll = TRUE;
                for (UINT cc = c; cc < nEndCol && bAll; ++cc)
                    bAll = joins(nEndRow, cc);
                if (!bAll)
                    break;
            }
            if (nEndCol == c + 1 && nEndRow == r + 1)
                continue;
            for (UINT rr = r; rr < nEndRow; ++rr)
                for (UINT cc = c; cc < nEndCol; ++cc)
                    context.Flags(rr, cc) &= static_cast<WORD>(~GX_PAINT_BACKGROUND);
            const CRect rect(context.m_anColLefts[c], context.m_anRowTops[r],
                             context.m_anColLefts[nEndCol - 1] + context.m_anColWidths[nEndCol - 1],
                             context.m_anRowTops[nEndRow - 1] + context.m_anRowHeights[nEndRow - 1]);
            pGrid->DrawBrushRect(pDC, rect, context.m_bNotBlackWhite ? brush : standard);
        }
    return TRUE;
}

void CGXGridCore::InstallOldDrawing()
{
    if (m_pOldDrawingImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridOldDrawingImp;
    if (pImp == nullptr)
        return;
    m_pOldDrawingImp = pImp;
    AddImplementationObject(pImp);
}
