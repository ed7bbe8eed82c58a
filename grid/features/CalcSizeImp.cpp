#include "grid/features/CalcSizeImp.h"

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "grid/controls/DIBPool.h"
#include "grid/core/Control.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <new>

namespace
{
// Wrapped text is measured by its first lines only, as it is drawn.
const int kMaxLines = 32;

// The widest of the text's lines between explicit line breaks (CR, LF, CR LF).
int WidestExplicitLine(CDC* pDC, const CString& text)
{
    const LPCTSTR psz = text;
    const int nLength = text.GetLength();
    int nWidest = 0;
    int nStart = 0;
    for (int i = 0; i <= nLength; ++i)
    {
        if (i < nLength && psz[i] != '\r' && psz[i] != '\n')
            continue;
        if (i > nStart)
            nWidest = std::max(nWidest, static_cast<int>(pDC->GetTextExtent(psz + nStart, i - nStart).cx));
        if (i + 1 < nLength && psz[i] == '\r' && psz[i + 1] == '\n')
            ++i;
        nStart = i + 1;
    }
    return nWidest;
}
} // namespace

CSize CGXCalcSizeImp::CalcCellSize(CGXGridCore* pGrid, CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol,
                                   const CGXStyle& style, const CGXStyle*, BOOL bVert)
{
    if (pControl == nullptr || pDC == nullptr)
        return CSize(0, 0);
    CString text;
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam != nullptr && pParam->m_bShowStoredValues)
        text = style.GetValue();
    else
        pControl->GetControlText(text, nRow, nCol, nullptr, style);

    const CSize borders = pControl->GetBorderSize(nRow, nCol, style);
    if (!text.IsEmpty())
        if (HGLOBAL hDIB = GXGetDIBPool()->LookupDIB(text))
        {
            CGXDIB dib;
            CSize size(0, 0);
            if (dib.Attach(hDIB))
                size = CSize(dib.GetWidth(), dib.GetHeight());
            dib.Detach();
            return CSize(size.cx + borders.cx, size.cy + borders.cy);
        }

    CFont* pOldFont = pGrid->SelectCellFont(pDC, style);
    // The cell's space is its whole span's.
    CGXRange span(nRow, nCol);
    if (!pGrid->GetCellRangeRowCol(nRow, nCol, span))
        span = CGXRange(nRow, nCol);
    const CRect rect(0, 0, pGrid->CalcSumOfColWidths(span.left, span.right),
                     pGrid->CalcSumOfRowHeights(span.top, span.bottom));
    const CRect inner = pControl->GetCellRect(nRow, nCol, &rect, &style);

    TEXTMETRIC tm = {};
    pDC->GetTextMetrics(&tm);
    CSize size(inner.Width(), inner.Height());
    if (text.IsEmpty())
        size = CSize(tm.tmMaxCharWidth, tm.tmHeight + tm.tmExternalLeading + 1);
    else
    {
        const int nLineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
        const BOOL bWrap = style.GetIncludeWrapText() && style.GetWrapText();
        int nLines = 1;
        int anStarts[kMaxLines];
        int anLengths[kMaxLines];
        if (bWrap)
        {
            // Room for every line: the lines that the cell's width makes are wanted, not those that fit.
            CRect rectBreak(0, 0, std::max(1, inner.Width()), nLineHeight * (kMaxLines + 1));
            nLines = CGXDrawingAndFormatting::GetInstance()->BreakLines(
                pDC, text, text.GetLength(), rectBreak, DT_WORDBREAK | DT_NOPREFIX, anStarts, anLengths, kMaxLines);
            nLines = std::max(1, nLines);
        }
        if (bVert)
            size.cy = nLines * nLineHeight + 1;
        else if (!bWrap || nLines * nLineHeight + 1 > inner.Height())
            size.cx = WidestExplicitLine(pDC, text);
        else
        {
            int nWidest = 0;
            for (int i = 0; i < nLines; ++i)
                nWidest = std::max(nWidest, static_cast<int>(pDC->GetTextExtent(static_cast<LPCTSTR>(text) + anStarts[i],
                                                                                 anLengths[i]).cx));
            size.cx = nWidest;
        }
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    return CSize(size.cx + borders.cx, size.cy + borders.cy);
}

void CGXGridCore::InstallCalcSize()
{
    if (m_pCalcSizeImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXCalcSizeImp;
    if (pImp == nullptr)
        return;
    m_pCalcSizeImp = pImp;
    AddImplementationObject(pImp);
}
