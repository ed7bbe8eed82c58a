// Grid engine: the per-grid caches of composed styles and drawing objects, the grid DC, the hooks to
// the data object, and the redraw operations every other part of the engine calls after a change.

#include "grid/core/GridCore.h"

#include "framework/core/Exceptions.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/Seams.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/GridPaintContext.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylePenBrush.h"
#include "grid/core/StylesMap.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// Buckets of the font, brush and pen caches.
const UINT kDrawingCacheHashSize = 257;

// A handle that GDI no longer knows (deleted behind the cache's back) counts as gone.
BOOL IsGdiHandleAlive(HGDIOBJ hObject)
{
    return hObject != nullptr && ::GetObjectType(hObject) != 0;
}

// Forgets a dead handle without deleting it again.
void DropDeadHandle(CGdiObject& object)
{
    if (object.GetSafeHandle() != nullptr && !IsGdiHandleAlive(object.GetSafeHandle()))
        object.Detach();
}

BOOL MakeBrush(CBrush& brush, const CGXStyleBrush& record)
{
    LOGBRUSH lb{};
    lb.lbColor = record.GetColor();
    switch (record.GetStyle())
    {
    case CGXStyleBrush::bsHollow:
        lb.lbStyle = BS_HOLLOW;
        break;
    case CGXStyleBrush::bsHatched:
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = record.GetHatch();
        break;
    case CGXStyleBrush::bsPattern:
    {
        // A pattern number beyond the library's patterns draws nothing.
        CBitmap* pBitmap =
            CGXDrawingAndFormatting::GetInstance()->GetPatternBitmap(static_cast<int>(record.GetPattern()));
        if (pBitmap != nullptr && pBitmap->GetSafeHandle() != nullptr)
        {
            lb.lbStyle = BS_PATTERN;
            lb.lbHatch = reinterpret_cast<ULONG_PTR>(pBitmap->GetSafeHandle());
        }
        else
            lb.lbStyle = BS_HOLLOW;
        break;
    }
    default:
        lb.lbStyle = BS_SOLID;
        break;
    }
    return brush.CreateBrushIndirect(&lb);
}

BOOL MakePen(CPen& pen, const CGXStylePen& record, BOOL bSimple)
{
    LOGPEN lp{};
    record.GetLogPen(lp);
    if (bSimple)
        return pen.CreatePenIndirect(&lp);
    LOGBRUSH lb{};
    lb.lbStyle = BS_SOLID;
    lb.lbColor = lp.lopnColor;
    return pen.CreatePen(static_cast<int>(PS_GEOMETRIC | PS_ENDCAP_SQUARE | record.GetStyle()),
                         static_cast<int>(record.GetWidth()), &lb);
}
}  // namespace

// ---- Composed styles ----

CGXStyle* CGXGridCore::NewStyle()
{
    if (const INT_PTR nFree = m_FreeStyles.GetSize(); nFree > 0)
    {
        auto* pStyle = static_cast<CGXStyle*>(m_FreeStyles.GetAt(nFree - 1));
        m_FreeStyles.RemoveAt(nFree - 1);
        return pStyle;
    }
    CGXStylesMap* pStylesMap = GetStylesMap();
    return pStylesMap != nullptr ? pStylesMap->CreateStyle() : new CGXStyle;
}

void CGXGridCore::RecycleStyle(CGXStyle* pStyle)
{
    if (pStyle == nullptr)
        return;
    if (m_FreeStyles.GetSize() >= kMaxFreeStyles)
    {
        delete pStyle;
        return;
    }
    pStyle->ClearAll();
    m_FreeStyles.Add(pStyle);
}

const CGXStyle& CGXGridCore::LookupCellStyle(ROWCOL nRow, ROWCOL nCol)
{
    const BOOL bCurrent = IsCurrentCell(nRow, nCol);
    // The copy answers only for the cell it was made for: the current cell may have moved since.
    if (bCurrent && m_bUseCurrentCellStyle && m_pCurrentCellStyle != nullptr && !m_pCurrentCellStyle->IsEmpty() &&
        m_nCurrentStyleRow == nRow && m_nCurrentStyleCol == nCol)
        return *m_pCurrentCellStyle;
    const BOOL bUseCache = !bCurrent || m_bCurrentCellUsesCache;
    CObject* pCached = nullptr;
    if (bUseCache && m_StyleCache.Lookup(nRow, nCol, pCached))
        return *static_cast<CGXStyle*>(pCached);

    CGXStyle* pStyle = NewStyle();
    BuildEffectiveStyle(nRow, nCol, *pStyle);
    // The cell is drawn from this style: the value it shows counts as drawn.
    if (CGXData* pData = GetData(); pData != nullptr && pData->MarksChangedCells())
        pData->MarkCellChanged(nRow, nCol, FALSE);
    if (IsReadOnly())
        pStyle->SetReadOnly(TRUE);
    if (bUseCache)
        m_StyleCache.SetAt(nRow, nCol, pStyle);
    else
        m_CurrentCellStyles.Add(pStyle);

    if (bCurrent)
    {
        m_pCurrentCellStyleControl = GetRegisteredControl(pStyle->GetControl());
        if (m_pCurrentCellStyle == nullptr)
            m_pCurrentCellStyle = NewStyle();
        *m_pCurrentCellStyle = *pStyle;
        m_nCurrentStyleRow = nRow;
        m_nCurrentStyleCol = nCol;
    }
    return *pStyle;
}

void CGXGridCore::ResetCurrentCellStyle()
{
    if (m_pCurrentCellStyle != nullptr)
        m_pCurrentCellStyle->ClearAll();
    m_pCurrentCellStyleControl = nullptr;
}

void CGXGridCore::SetPinnedStyleCells(ROWCOL nRow1, ROWCOL nCol1, ROWCOL nRow2, ROWCOL nCol2)
{
    m_anPinnedRows[0] = nRow1;
    m_anPinnedCols[0] = nCol1;
    m_anPinnedRows[1] = nRow2;
    m_anPinnedCols[1] = nCol2;
}

// ---- Drawing objects ----

CFont* CGXGridCore::GetCachedFont(const CGXFont& font)
{
    // The lowest bit only says whether the font holds shared data; equal fonts differ there.
    const ULONGLONG key = font.GetKey() >> 1;
    if (m_FontCache.IsEmpty())
        m_FontCache.InitHashTable(kDrawingCacheHashSize);
    CFont* pFont = nullptr;
    if (!m_FontCache.Lookup(key, pFont) || pFont == nullptr)
    {
        pFont = new CFont;
        m_FontCache[key] = pFont;
    }
    DropDeadHandle(*pFont);
    if (pFont->GetSafeHandle() == nullptr)
        pFont->CreateFontIndirect(&font.GetLogFont());
    return pFont;
}

HBRUSH CGXGridCore::GetCachedBrush(const CGXStyleBrush& brush)
{
    const GXByte8Key key{brush.GetWord0(), brush.GetWord1()};
    if (m_BrushCache.IsEmpty())
        m_BrushCache.InitHashTable(kDrawingCacheHashSize);
    void* pValue = nullptr;
    CBrush* pBrush = m_BrushCache.Lookup(key, pValue) ? static_cast<CBrush*>(pValue) : nullptr;
    if (pBrush == nullptr)
    {
        pBrush = new CBrush;
        m_BrushCache.SetAt(key, pBrush);
    }
    DropDeadHandle(*pBrush);
    if (pBrush->GetSafeHandle() == nullptr)
        MakeBrush(*pBrush, brush);
    return static_cast<HBRUSH>(pBrush->GetSafeHandle());
}

BOOL CGXGridCore::UseSimplePens() const
{
    return m_pAppData != nullptr && m_pAppData->m_bNotNT;
}

HPEN CGXGridCore::GetCachedPen(const CGXStylePen& pen)
{
    const GXByte8Key key{pen.GetWord0(), pen.GetWord1()};
    if (m_PenCache.IsEmpty())
        m_PenCache.InitHashTable(kDrawingCacheHashSize);
    void* pValue = nullptr;
    if (m_PenCache.Lookup(key, pValue) && pValue != nullptr)
    {
        auto* pCached = static_cast<CPen*>(pValue);
        DropDeadHandle(*pCached);
        if (pCached->GetSafeHandle() != nullptr || MakePen(*pCached, pen, UseSimplePens()))
            return static_cast<HPEN>(pCached->GetSafeHandle());
        m_PenCache.RemoveKey(key);
        delete pCached;
        return nullptr;
    }
    // A pen that cannot be made is not cached, so that the next request tries again.
    auto* pNew = new CPen;
    if (!MakePen(*pNew, pen, UseSimplePens()))
    {
        delete pNew;
        return nullptr;
    }
    m_PenCache.SetAt(key, pNew);
    return static_cast<HPEN>(pNew->GetSafeHandle());
}

CFont* CGXGridCore::SelectZoomedFont(CDC* pDC, const CGXFont& font)
{
    if (pDC == nullptr)
        return nullptr;
    CGXFont zoomed(font);
    zoomed.SetSize(font.GetSize() * GetZoom() / 100);
    CFont* pFont = GetCachedFont(zoomed);
    if (pFont == nullptr || pFont->GetSafeHandle() == nullptr)
        return nullptr;
    const HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), pFont->GetSafeHandle());
    return hOld != nullptr ? CFont::FromHandle(static_cast<HFONT>(hOld)) : nullptr;
}

CFont* CGXGridCore::SelectCellFont(CDC* pDC, const CGXStyle& style, const CGXStyle* pPreviousStyle)
{
    if (pPreviousStyle != nullptr &&
        (!style.GetIncludeFont() ||
         (pPreviousStyle->GetIncludeFont() &&
          memcmp(&style.GetFont().GetLogFont(), &pPreviousStyle->GetFont().GetLogFont(), sizeof(LOGFONT)) == 0)))
        return nullptr;
    return SelectZoomedFont(pDC, style.GetFont());
}

// ---- Flushing ----

void CGXGridCore::DeleteDrawingObjects()
{
    // A grid DC that outlives the flush must not hold a font about to be deleted.
    if (m_pGridDC != nullptr && m_hGridDCOldFont != nullptr)
    {
        ::SelectObject(m_pGridDC->GetSafeHdc(), m_hGridDCOldFont);
        m_hGridDCOldFont = nullptr;
    }
    for (POSITION pos = m_FontCache.GetStartPosition(); pos != nullptr;)
    {
        const auto* pAssoc = m_FontCache.GetNextAssoc(pos);
        if (pAssoc != nullptr && pAssoc->value != nullptr)
        {
            pAssoc->value->DeleteObject();
            delete pAssoc->value;
        }
    }
    m_FontCache.RemoveAll();
    for (CGXMapByte8ToPtr* pMap : {&m_BrushCache, &m_PenCache})
    {
        for (POSITION pos = pMap->GetStartPosition(); pos != nullptr;)
        {
            GXByte8Key key{};
            void* pValue = nullptr;
            pMap->GetNextAssoc(pos, key, pValue);
            if (auto* pObject = static_cast<CGdiObject*>(pValue))
            {
                pObject->DeleteObject();
                delete pObject;
            }
        }
        pMap->RemoveAll();
    }
}

void CGXGridCore::FlushDrawingCaches()
{
    // A paint in progress still reads its composed styles and has fonts selected: a flush from
    // inside it (a nested paint, a redraw a control asks for while drawing) waits for its end.
    if (m_bLockFlush || m_nPaintDepth > 0)
        return;
    if (!m_bLockGDI)
    {
        ReleaseGridDC();
        DeleteDrawingObjects();
    }

    const BOOL bPinned = m_anPinnedRows[0] != 0 || m_anPinnedCols[0] != 0 || m_anPinnedRows[1] != 0 ||
                         m_anPinnedCols[1] != 0;
    if (!bPinned)
    {
        for (POSITION pos = m_StyleCache.GetStartPosition(); pos != nullptr;)
        {
            ROWCOL nRow = 0;
            ROWCOL nCol = 0;
            CObject* pStyle = nullptr;
            m_StyleCache.GetNextAssoc(pos, nRow, nCol, pStyle);
            RecycleStyle(static_cast<CGXStyle*>(pStyle));
        }
        m_StyleCache.RemoveAll();
        if (!m_bCurrentCellUsesCache)
            ResetCurrentCellStyle();
    }
    else
    {
        ROWCOL nCurrentRow = GX_INVALID;
        ROWCOL nCurrentCol = GX_INVALID;
        if (!GetCurrentCell(nCurrentRow, nCurrentCol))
            nCurrentRow = nCurrentCol = GX_INVALID;
        auto isKept = [&](ROWCOL nRow, ROWCOL nCol) {
            return (nRow == m_anPinnedRows[0] && nCol == m_anPinnedCols[0]) ||
                   (nRow == m_anPinnedRows[1] && nCol == m_anPinnedCols[1]) ||
                   (nRow == nCurrentRow && nCol == nCurrentCol);
        };
        struct Entry
        {
            ROWCOL nRow;
            ROWCOL nCol;
            CObject* pStyle;
        };
        std::vector<Entry> dropped;
        for (POSITION pos = m_StyleCache.GetStartPosition(); pos != nullptr;)
        {
            Entry entry{0, 0, nullptr};
            m_StyleCache.GetNextAssoc(pos, entry.nRow, entry.nCol, entry.pStyle);
            if (!isKept(entry.nRow, entry.nCol))
                dropped.push_back(entry);
        }
        for (const Entry& entry : dropped)
        {
            m_StyleCache.RemoveKey(entry.nRow, entry.nCol);
            RecycleStyle(static_cast<CGXStyle*>(entry.pStyle));
        }
    }

    for (INT_PTR i = 0; i < m_CurrentCellStyles.GetSize(); ++i)
        delete m_CurrentCellStyles.GetAt(i);
    m_CurrentCellStyles.RemoveAll();
}

void CGXGridCore::DeleteDrawingCaches()
{
    m_bLockFlush = FALSE;
    m_bLockGDI = FALSE;
    SetPinnedStyleCells(0, 0, 0, 0);
    m_nLongOperation = 0;
    const int nPaintDepth = m_nPaintDepth;
    m_nPaintDepth = 0;
    FlushDrawingCaches();
    m_nPaintDepth = nPaintDepth;
    for (INT_PTR i = 0; i < m_FreeStyles.GetSize(); ++i)
        delete m_FreeStyles.GetAt(i);
    m_FreeStyles.RemoveAll();
    delete m_pCurrentCellStyle;
    m_pCurrentCellStyle = nullptr;
    m_pCurrentCellStyleControl = nullptr;
}

// ---- The grid DC ----

CDC* CGXGridCore::GetGridDC()
{
    if (m_pPaintContext != nullptr && m_pPaintContext->m_pDC != nullptr)
        return m_pPaintContext->m_pDC;
    if (m_pGridDC == nullptr)
    {
        if (m_pGridWnd->GetSafeHwnd() == nullptr)
            return nullptr;
        m_pGridDC = new CClientDC(m_pGridWnd);
        PrepareGridDC(m_pGridDC);
    }
    if (m_hGridDCOldFont == nullptr)
    {
        if (m_pStyleStandard == nullptr)
            LookupBaseStyles();
        if (m_pStyleStandard != nullptr && m_pStyleStandard->GetIncludeFont())
            if (CFont* pOld = SelectCellFont(m_pGridDC, *m_pStyleStandard))
                m_hGridDCOldFont = pOld->GetSafeHandle();
    }
    return m_pGridDC;
}

void CGXGridCore::ReleaseGridDC()
{
    if (m_pGridDC == nullptr || m_nPaintDepth > 0 || m_nLongOperation > 0)
        return;
    if (m_hGridDCOldFont != nullptr)
        ::SelectObject(m_pGridDC->GetSafeHdc(), m_hGridDCOldFont);
    m_hGridDCOldFont = nullptr;
    delete m_pGridDC;
    m_pGridDC = nullptr;
}

// ---- Hooks to the data object ----

BOOL CGXGridCore::DataCellQuery(ROWCOL nRow, ROWCOL nCol)
{
    CGXData* pData = GetData();
    if (pData == nullptr)
        return FALSE;
    // A covered cell answers for its whole range through the range's top-left cell.
    CGXRange covered;
    if (GetCoveredCellsRowCol(nRow, nCol, covered) && covered.IsValid())
    {
        nRow = covered.top;
        nCol = covered.left;
    }
    return pData->OnCellQuery(nRow, nCol) != FALSE;
}

void CGXGridCore::DataCellNotify(ROWCOL nRow, ROWCOL nCol, DWORD dwReason)
{
    if (CGXData* pData = GetData())
        pData->OnCellNotify(nRow, nCol, dwReason);
}

void CGXGridCore::DataNotify(DWORD dwReason)
{
    if (m_bLockDataNotify)
        return;
    if (CGXData* pData = GetData())
        pData->OnNotify(dwReason);
}

void CGXGridCore::NotifyDataRange(const CGXRange& range)
{
    if (m_bLockDataNotify)
        return;
    if (CGXData* pData = GetData())
        pData->OnRangeChanging(range);
}

void CGXGridCore::SetDataUpdateFlag(BOOL bFlag)
{
    if (CGXData* pData = GetData())
        pData->OnUpdateFlag(bFlag);
}

void CGXGridCore::DataSetState(DWORD dwState)
{
    if (CGXData* pData = GetData())
        pData->OnSetState(dwState);
}

void CGXGridCore::DataResetState()
{
    if (CGXData* pData = GetData())
        pData->OnResetState();
}

BOOL CGXGridCore::DataValidate(CString& message)
{
    CGXData* pData = GetData();
    return pData != nullptr && pData->OnValidate(message);
}

BOOL CGXGridCore::CommitDataChanges(BOOL bSave, BOOL bQuiet, BOOL bCreateHint)
{
    CGXData* pData = GetData();
    if (pData == nullptr || GetRowCount() == 0 || GetColCount() == 0 || pData->IsReadOnlyState())
        return TRUE;
    if (bSave)
    {
        DataResetState();
        DataSetState(1);
    }

    // The drawn cells land in the pending list; the drawing objects must outlive the nested flushes.
    const BOOL bOldLockGDI = m_bLockGDI;
    const BOOL bOldCommitRedraw = m_bCommitRedraw;
    m_bLockGDI = TRUE;
    m_bCommitRedraw = TRUE;
    RedrawGrid(GX_SMART, FALSE);
    m_bCommitRedraw = bOldCommitRedraw;
    m_bLockGDI = bOldLockGDI;

    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintRecalc(this, nullptr);

    CGXRangeList& pending = m_pParam->GetPendingCells();
    if (bSave)
    {
        CString message;
        if (DataValidate(message))
        {
            if (!bQuiet)
                AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            DataResetState();
            // The cells stay pending for the commit that follows the correction.
            return FALSE;
        }
    }
    // The list is taken over first: a notification may draw and so add entries for the next commit.
    std::vector<CGXRange> cells;
    for (POSITION pos = pending.GetHeadPosition(); pos != nullptr;)
        if (const CGXRange* pRange = pending.GetNext(pos))
            cells.push_back(*pRange);
    pending.DeleteAll();
    for (const CGXRange& cell : cells)
        DataCellNotify(cell.top, cell.left, 1);
    return TRUE;
}

// ---- Spanned cells ----

BOOL CGXGridCore::EvalSpannedCellsInPanes(ROWCOL nTopRow, ROWCOL nLeftCol, ROWCOL nFrozenRows, ROWCOL nFrozenCols,
                                          ROWCOL nBottomRow, ROWCOL nRightCol, BOOL bUpdateLocked,
                                          CGXRange* pRangeChanged, BOOL bNoCache, UINT nFlags)
{
    return m_pDrawSpannedCellsImp != nullptr
               ? m_pDrawSpannedCellsImp->EvalSpannedCellsInPanes(this, nTopRow, nLeftCol, nFrozenRows, nFrozenCols,
                                                                 nBottomRow, nRightCol, bUpdateLocked, pRangeChanged,
                                                                 bNoCache, nFlags)
               : FALSE;
}

BOOL CGXGridCore::EvalVisibleSpannedCells(BOOL bUpdateLocked, CGXRange* pRangeChanged, BOOL bNoCache)
{
    if (m_pDrawSpannedCellsImp == nullptr)
        return FALSE;
    return EvalSpannedCellsInPanes(GetTopRow(), GetLeftCol(), GetFrozenRows(), GetFrozenCols(), GetLastVisibleRow(),
                                   GetLastVisibleCol(), bUpdateLocked, pRangeChanged, bNoCache, GX_INVALIDATE);
}

// ---- The printed page ----

void CGXGridCore::ApplyPrintMargins(CDC*, CPrintInfo* pInfo)
{
    CGXProperties* pProperties = GetProperties();
    if (pInfo == nullptr || pProperties == nullptr)
        return;
    int nTop = 0;
    int nLeft = 0;
    int nBottom = 0;
    int nRight = 0;
    pProperties->GetMargins(nTop, nLeft, nBottom, nRight);
    pInfo->m_rectDraw.left += nLeft;
    pInfo->m_rectDraw.top += nTop;
    pInfo->m_rectDraw.right -= nRight;
    pInfo->m_rectDraw.bottom -= nBottom;
}

BOOL CGXGridCore::PrintHeaderFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CGXProperties* pProperties = GetProperties();
    return pProperties != nullptr && pProperties->OnPrintHeaderAndFooter(pDC, pInfo, m_pDocument, m_pParam);
}

// ---- Redraw ----

namespace
{
// Invalidated cells are painted at once for GX_UPDATENOW (0) and for the smart flag (2).
BOOL IsImmediateRedraw(UINT nFlags)
{
    return nFlags == GX_UPDATENOW || (nFlags & GX_SMART) != 0;
}
}  // namespace

void CGXGridCore::HintRedraw(const CGXRange* pRange, UINT nFlags, BOOL bCreateHint)
{
    if (!bCreateHint || !m_bHintsEnabled || m_pUpdateHintImp == nullptr)
        return;
    if (pRange != nullptr)
        m_pUpdateHintImp->HintRedrawRange(this, *pRange, nFlags);
    else
        m_pUpdateHintImp->HintRedrawGrid(this, nFlags);
}

void CGXGridCore::RedrawGrid(UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    // Flags 0 (GX_UPDATENOW) is no "do nothing": every caller passes it for an immediate redraw.
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (hWnd == nullptr || IsLockUpdate())
        return;
    // A table that shrank below the scrolled position is shown from its end.
    if (m_nTopRow > GetRowCount() && GetRowCount() > GetFrozenRows())
        m_nTopRow = GetRowCount();
    if (m_nLeftCol > GetColCount() && GetColCount() > GetFrozenCols())
        m_nLeftCol = GetColCount();
    FlushDrawingCaches();
    EvalVisibleSpannedCells();
    const CRect rectGrid = GetGridRect();
    ::InvalidateRect(hWnd, &rectGrid, TRUE);
    UpdateScrollbars();
    if (IsImmediateRedraw(nFlags))
        ::UpdateWindow(hWnd);
    HintRedraw(nullptr, nFlags, bCreateHint);
}

void CGXGridCore::RedrawCellRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, UINT nFlags,
                                  BOOL bCreateHint)
{
    // As for the whole grid, flags 0 (GX_UPDATENOW) redraws at once rather than not at all.
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (hWnd == nullptr || IsLockUpdate() || !::IsWindowVisible(hWnd))
        return;
    const CGXRange range(nTop, nLeft, nBottom, nRight);
    // Spans of the range are brought up to date before their extent widens the rectangle; what a
    // changed span covered before (cells that lose floating text) is redrawn too.
    CGXRange changed;
    EvalMergeCells(range, FALSE, &changed);
    EvalFloatCells(range, FALSE, &changed);
    const CRect rectCovered = CalcRangeRectFromRange(range);
    const CRect rectSpanned = CalcSpanRect(range);
    CRect rect;
    rect.UnionRect(&rectCovered, &rectSpanned);
    if (changed.IsValid())
    {
        const CRect rectChanged = CalcSpanRect(changed);
        rect.UnionRect(&rect, &rectChanged);
    }
    if (!rect.IsRectEmpty())
        ::InvalidateRect(hWnd, &rect, TRUE);
    if (IsImmediateRedraw(nFlags))
        ::UpdateWindow(hWnd);
    HintRedraw(&range, nFlags, bCreateHint);
}

void CGXGridCore::RedrawRange(const CGXRange& range, UINT nFlags, BOOL bCreateHint)
{
    CGXRange cells = range;
    cells.ExpandToCells(0, 0, GetRowCount(), GetColCount());
    RedrawCellRange(cells.top, cells.left, cells.bottom, cells.right, nFlags, bCreateHint);
}

void CGXGridCore::ArmRecalcMessage()
{
    if (CGXData* pData = GetData())
        pData->ArmMessage();
}

void CGXGridCore::ReportRecalcMessage()
{
    CGXData* pData = GetData();
    CString message;
    if (pData == nullptr || pData->IsRecalcHeld() || !pData->GetMessage(message))
        return;
    pData->ArmMessage();
    if (!message.IsEmpty())
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

namespace
{
// Runs the end of a scope's hold (or lock) from a destructor: nothing that it throws leaves it.
template <class End>
void EndQuietly(End end) noexcept
{
    try
    {
        end();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}
} // namespace

CGXRecalcHold::CGXRecalcHold(CGXGridCore* pGrid) : m_pData(pGrid != nullptr ? pGrid->GetData() : nullptr)
{
    if (m_pData != nullptr)
        m_pData->HoldRecalc(TRUE);
}

CGXRecalcHold::~CGXRecalcHold()
{
    if (m_pData != nullptr)
        EndQuietly([this] { Release(); });
}

void CGXRecalcHold::Release()
{
    // Ended before the recalculation runs: whatever it throws, the hold is over.
    CGXData* pData = m_pData;
    m_pData = nullptr;
    if (pData != nullptr)
        pData->HoldRecalc(FALSE);
}

CGXLockUpdateScope::CGXLockUpdateScope(CGXGridCore* pGrid, BOOL bLock)
    : m_pGrid(bLock ? pGrid : nullptr), m_bOldLock(bLock ? pGrid->SetLockUpdate(TRUE) : FALSE)
{
}

CGXLockUpdateScope::~CGXLockUpdateScope()
{
    if (m_pGrid != nullptr)
        EndQuietly([this] { Restore(); });
}

void CGXLockUpdateScope::Restore()
{
    CGXGridCore* pGrid = m_pGrid;
    m_pGrid = nullptr;
    if (pGrid != nullptr)
        pGrid->SetLockUpdate(m_bOldLock);
}

CGXTransactionScope::CGXTransactionScope(CGXGridCore* pGrid, LPCTSTR pszName, BOOL bBegin)
    : m_pGrid(pGrid), m_bOpen(bBegin)
{
    if (bBegin)
        pGrid->BeginTrans(pszName);
}

CGXTransactionScope::~CGXTransactionScope()
{
    if (m_bOpen)
        EndQuietly([this] { Commit(); });
}

void CGXTransactionScope::Commit()
{
    if (!m_bOpen)
        return;
    m_bOpen = FALSE;
    m_pGrid->CommitTrans();
}

void CGXTransactionScope::Rollback()
{
    if (!m_bOpen)
        return;
    m_bOpen = FALSE;
    m_pGrid->Rollback();
}

void CGXGridCore::Recalc(BOOL bRecalc, CString* pErrorText, BOOL bCreateHint)
{
    CGXData* pData = GetData();
    if (pData == nullptr)
        return;
    CString message;
    if (bRecalc)
    {
        // What the views still hold in their edits counts for the values computed from it.
        TransferCurrentCellValue(TRUE, bCreateHint);
        pData->RecalcSheet(FALSE);
        pData->GetMessage(message);
        // The next report is the next error's: this one is shown once.
        pData->ArmMessage();
    }
    RedrawGrid(GX_INVALIDATE, FALSE);
    if (bRecalc)
    {
        if (pErrorText != nullptr)
            *pErrorText = message;
        else if (!message.IsEmpty())
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintRecalc(this, pErrorText);
}

void CGXGridCore::RedrawChangedCells(UINT nFlags)
{
    CGXData* pData = GetData();
    // A command that holds the recalculation redraws when it is over.
    if (pData == nullptr || !pData->MarksChangedCells() || pData->IsRecalcHeld())
        return;
    // The marks are the data object's, shared by every view of it, and a view clears them as it
    // draws: all views take the changed cells before this one draws (the other views hear of the
    // store only after that).
    BOOL bAny = InvalidateChangedCells(*pData);
    if (const CPtrList* pUsers = m_pAppData->GetGridUsers(m_pParam))
        for (POSITION pos = pUsers->GetHeadPosition(); pos != nullptr;)
        {
            CGXGridCore* pGrid = static_cast<CGXGridCore*>(pUsers->GetNext(pos));
            if (pGrid != this && pGrid->GetData() == pData)
                pGrid->InvalidateChangedCells(*pData);
        }
    if (bAny && IsImmediateRedraw(nFlags))
        ::UpdateWindow(m_pGridWnd->GetSafeHwnd());
}

BOOL CGXGridCore::InvalidateChangedCells(CGXData& data)
{
    HWND hWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || IsLockUpdate() || !::IsWindowVisible(hWnd))
        return FALSE;
    const ROWCOL nFrozenRows = std::min(GetFrozenRows(), GetRowCount());
    const ROWCOL nFrozenCols = std::min(GetFrozenCols(), GetColCount());
    const ROWCOL nLastRow = std::min(GetLastVisibleRow(), GetRowCount());
    const ROWCOL nLastCol = std::min(GetLastVisibleCol(), GetColCount());
    // The frozen lines, then the scrolled ones from the top row (left column) on.
    auto visibleLines = [](ROWCOL nFrozen, ROWCOL nFirst, ROWCOL nLast) {
        std::vector<ROWCOL> lines;
        for (ROWCOL n = 1; n <= nFrozen; ++n)
            lines.push_back(n);
        for (ROWCOL n = std::max(nFirst, nFrozen + 1); n <= nLast; ++n)
            lines.push_back(n);
        return lines;
    };
    const std::vector<ROWCOL> rows = visibleLines(nFrozenRows, GetTopRow(), nLastRow);
    const std::vector<ROWCOL> cols = visibleLines(nFrozenCols, GetLeftCol(), nLastCol);
    BOOL bAny = FALSE;
    for (ROWCOL nRow : rows)
        for (ROWCOL nCol : cols)
            if (data.IsCellChanged(nRow, nCol))
            {
                RedrawCellRange(nRow, nCol, nRow, nCol, GX_INVALIDATE, FALSE);
                bAny = TRUE;
            }
    return bAny;
}

BOOL CGXGridCore::SetLockUpdate(BOOL bLock)
{
    if (m_pParam == nullptr)
        return FALSE;
    const BOOL bOld = m_pParam->m_bLockUpdate;
    m_pParam->m_bLockUpdate = bLock;
    // Whatever stores cells under the lock is one command: the values that follow them are worked
    // out once, when the lock goes.
    if (CGXData* pData = GetData(); pData != nullptr && !bOld != !bLock)
        pData->HoldRecalc(bLock);
    return bOld;
}

BOOL CGXGridCore::IsLockUpdate() const
{
    return m_pParam != nullptr && m_pParam->m_bLockUpdate;
}
