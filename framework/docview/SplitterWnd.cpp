#include "framework/docview/SplitterWnd.h"

#include <algorithm>

#include "framework/docview/Document.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/View.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

namespace {

constexpr int kMaxPanes = 16;   // rows or columns of a static splitter
constexpr int kMaxDynamicPanes = 2;

} // namespace

CSplitterWnd::CSplitterWnd() = default;

CSplitterWnd::~CSplitterWnd() = default;

// ---- Creation ----

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || nRows < 1 || nCols < 1 || nRows > kMaxPanes || nCols > kMaxPanes)
        return FALSE;
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;
    m_rows.assign((size_t)nRows, CRowColInfo());
    m_cols.assign((size_t)nCols, CRowColInfo());
    m_dwSplitterStyle = dwStyle & SPLS_DYNAMIC_SPLIT;
    const DWORD dwWindowStyle = (dwStyle & ~(DWORD)SPLS_DYNAMIC_SPLIT) | WS_CHILD | WS_CLIPCHILDREN;
    return CWnd::CreateEx(0,
                          AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                              reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                          nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSplitterWnd::Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                          DWORD dwStyle, UINT nID)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr || nMaxRows < 1 || nMaxCols < 1 ||
        nMaxRows > kMaxDynamicPanes || nMaxCols > kMaxDynamicPanes)
        return FALSE;
    if (!CreateStatic(pParentWnd, 1, 1, dwStyle | SPLS_DYNAMIC_SPLIT, nID))
        return FALSE;
    m_nMaxRows = nMaxRows;
    m_nMaxCols = nMaxCols;
    m_rows.resize((size_t)nMaxRows);
    m_cols.resize((size_t)nMaxCols);
    m_sizeMin = CSize(sizeMin.cx, sizeMin.cy);
    for (CRowColInfo& row : m_rows)
        row.nMinSize = sizeMin.cy;
    for (CRowColInfo& col : m_cols)
        col.nMinSize = sizeMin.cx;
    m_pDynamicViewClass = pContext->m_pNewViewClass;
    return CreateView(0, 0, m_pDynamicViewClass, CSize(0, 0), pContext);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || col < 0 || row >= m_nRows || col >= m_nCols || pViewClass == nullptr || GetPane(row, col) != nullptr)
        return FALSE;
    m_rows[(size_t)row].nIdealSize = sizeInit.cy;
    m_cols[(size_t)col].nIdealSize = sizeInit.cx;
    auto* pWnd = AfxCreateObjectAs<CWnd>(pViewClass);
    if (pWnd == nullptr)
        return FALSE;
    // Panes butt against the bars: no border of their own.
    if (!pWnd->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, CRect(0, 0, 0, 0), this,
                      (UINT)IdFromRowCol(row, col), pContext))
        return FALSE;   // the view has deleted itself
    RecalcLayout();
    return TRUE;
}

// ---- Rows, columns and panes ----

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    const CRowColInfo& info = m_rows[(size_t)std::clamp(row, 0, (int)m_rows.size() - 1)];
    cyCur = info.nCurSize;
    cyMin = info.nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= (int)m_rows.size())
        return;
    m_rows[(size_t)row].nIdealSize = cyIdeal;
    m_rows[(size_t)row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    const CRowColInfo& info = m_cols[(size_t)std::clamp(col, 0, (int)m_cols.size() - 1)];
    cxCur = info.nCurSize;
    cxMin = info.nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= (int)m_cols.size())
        return;
    m_cols[(size_t)col].nIdealSize = cxIdeal;
    m_cols[(size_t)col].nMinSize = cxMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (m_hWnd == nullptr || row < 0 || col < 0 || row >= m_nRows || col >= m_nCols)
        return nullptr;
    return FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    const int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    const int row = nID / 16;
    const int col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != nullptr)
        *pRow = row;
    if (pCol != nullptr)
        *pCol = col;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CWnd* pPane = nullptr;
    if (CFrameWnd* pFrame = GetParentFrame())
        pPane = pFrame->GetActiveView();
    if (!IsChildPane(pPane, pRow, pCol))
    {
        pPane = GetFocus();
        if (!IsChildPane(pPane, pRow, pCol))
            return nullptr;
    }
    return pPane;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != nullptr ? pWnd : GetPane(row, col);
    if (pPane == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (auto* pView = dynamic_cast<CView*>(pPane); pView != nullptr && pFrame != nullptr)
        pFrame->SetActiveView(pView);
    else
        pPane->SetFocus();
}

// ---- Layout ----

CRect CSplitterWnd::InsideRect() const
{
    CRect rect;
    GetClientRect(&rect);
    // A dynamic splitter keeps a strip for its split box while it can still split.
    if (IsDynamic() && m_nRows < m_nMaxRows)
        rect.top += m_cySplitter;
    if (IsDynamic() && m_nCols < m_nMaxCols)
        rect.left += m_cxSplitter;
    return rect;
}

int CSplitterWnd::RowTop(int row) const
{
    int y = InsideRect().top;
    for (int r = 0; r < row; ++r)
        y += m_rows[(size_t)r].nCurSize + m_cySplitter;
    return y;
}

int CSplitterWnd::ColumnLeft(int col) const
{
    int x = InsideRect().left;
    for (int c = 0; c < col; ++c)
        x += m_cols[(size_t)c].nCurSize + m_cxSplitter;
    return x;
}

CRect CSplitterWnd::PaneRect(int row, int col) const
{
    const int x = ColumnLeft(col);
    const int y = RowTop(row);
    return CRect(x, y, x + m_cols[(size_t)col].nCurSize, y + m_rows[(size_t)row].nCurSize);
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || m_nRows == 0 || m_nCols == 0)
        return;
    const CRect inside = InsideRect();
    // Each row as high as it asks, within what is left; the last takes the rest.
    auto lay = [](std::vector<CRowColInfo>& infos, int nCount, int nAvailable, int nGap) {
        int nLeft = std::max(0, nAvailable - (nCount - 1) * nGap);
        for (int i = 0; i < nCount; ++i)
        {
            CRowColInfo& info = infos[(size_t)i];
            info.nCurSize = i == nCount - 1 ? nLeft : std::clamp(info.nIdealSize, 0, nLeft);
            nLeft -= info.nCurSize;
        }
    };
    lay(m_rows, m_nRows, inside.Height(), m_cySplitter);
    lay(m_cols, m_nCols, inside.Width(), m_cxSplitter);

    HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
    for (int row = 0; row < m_nRows; ++row)
    {
        for (int col = 0; col < m_nCols; ++col)
        {
            CWnd* pPane = GetPane(row, col);
            if (pPane == nullptr)
                continue;
            const CRect rect = PaneRect(row, col);
            hDWP = ::DeferWindowPos(hDWP, pPane->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    ::EndDeferWindowPos(hDWP);
    Invalidate(TRUE);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // The bars (and split boxes) are what the panes leave of the client area; give them raised edges.
    auto drawBar = [&](CRect rect) {
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        dc.DrawEdge(&rect, EDGE_RAISED, BF_RECT);
    };
    const CRect inside = InsideRect();
    if (inside.top > client.top)
        drawBar(CRect(client.left, client.top, client.right, inside.top));
    if (inside.left > client.left)
        drawBar(CRect(client.left, inside.top, inside.left, client.bottom));
    for (int row = 0; row + 1 < m_nRows; ++row)
    {
        const int y = RowTop(row) + m_rows[(size_t)row].nCurSize;
        drawBar(CRect(inside.left, y, inside.right, y + m_cySplitter));
    }
    for (int col = 0; col + 1 < m_nCols; ++col)
    {
        const int x = ColumnLeft(col) + m_cols[(size_t)col].nCurSize;
        drawBar(CRect(x, inside.top, x + m_cxSplitter, inside.bottom));
    }
}

// ---- Dragging the bars ----

CSplitterWnd::HitTest CSplitterWnd::HitTestAt(CPoint point, int& nIndex) const
{
    nIndex = 0;
    const CRect inside = InsideRect();
    if (IsDynamic() && m_nRows < m_nMaxRows && point.y < inside.top)
        return hSplitBox;
    if (IsDynamic() && m_nCols < m_nMaxCols && point.x < inside.left)
        return vSplitBox;
    int nRowBar = -1;
    for (int row = 0; row + 1 < m_nRows; ++row)
    {
        const int y = RowTop(row) + m_rows[(size_t)row].nCurSize;
        if (point.y >= y && point.y < y + m_cySplitter)
            nRowBar = row;
    }
    int nColBar = -1;
    for (int col = 0; col + 1 < m_nCols; ++col)
    {
        const int x = ColumnLeft(col) + m_cols[(size_t)col].nCurSize;
        if (point.x >= x && point.x < x + m_cxSplitter)
            nColBar = col;
    }
    if (nRowBar >= 0 && nColBar >= 0)
    {
        nIndex = nRowBar * 16 + nColBar;
        return splitterIntersection;
    }
    if (nRowBar >= 0)
    {
        nIndex = nRowBar;
        return hSplitterBar;
    }
    if (nColBar >= 0)
    {
        nIndex = nColBar;
        return vSplitterBar;
    }
    return noHit;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this)
    {
        POINT point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        int nIndex = 0;
        LPCSTR lpszCursor = nullptr;
        switch (m_htTrack != noHit ? m_htTrack : HitTestAt(point, nIndex))
        {
        case hSplitterBar:
        case hSplitBox:
            lpszCursor = MAKEINTRESOURCEA(32645);   // IDC_SIZENS
            break;
        case vSplitterBar:
        case vSplitBox:
            lpszCursor = MAKEINTRESOURCEA(32644);   // IDC_SIZEWE
            break;
        case splitterIntersection:
            lpszCursor = MAKEINTRESOURCEA(32646);   // IDC_SIZEALL
            break;
        default:
            break;
        }
        if (lpszCursor != nullptr)
        {
            ::SetCursor(::LoadCursorA(nullptr, lpszCursor));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

CRect CSplitterWnd::TrackerRect(CPoint point) const
{
    point -= m_sizeTrackOffset;
    const CRect inside = InsideRect();
    CRect client;
    GetClientRect(&client);
    const int y = std::clamp((int)point.y, (int)client.top, (int)client.bottom - m_cySplitter);
    const int x = std::clamp((int)point.x, (int)client.left, (int)client.right - m_cxSplitter);
    switch (m_htTrack)
    {
    case hSplitterBar:
    case hSplitBox:
        return CRect(inside.left, y, inside.right, y + m_cySplitter);
    case vSplitterBar:
    case vSplitBox:
        return CRect(x, inside.top, x + m_cxSplitter, inside.bottom);
    default:
        return CRect();
    }
}

void CSplitterWnd::DrawTracker(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    // Inverted over the panes too, so that the same call takes it away again.
    HDC hDC = ::GetDCEx(m_hWnd, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (hDC == nullptr)
        hDC = ::GetDC(m_hWnd);
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
    ::ReleaseDC(m_hWnd, hDC);
}

void CSplitterWnd::StartTracking(HitTest ht, int nIndex, CPoint point)
{
    if (ht == splitterIntersection)
    {
        // A corner: the row bar first; the column bar follows in a second drag.
        nIndex /= 16;
        ht = hSplitterBar;
    }
    m_htTrack = ht;
    m_nTrackIndex = nIndex;
    // A bar keeps the place where it was grabbed under the mouse; a split box opens at the mouse.
    m_sizeTrackOffset = CSize(0, 0);
    if (ht == hSplitterBar)
        m_sizeTrackOffset.cy = point.y - (RowTop(nIndex) + m_rows[(size_t)nIndex].nCurSize);
    else if (ht == vSplitterBar)
        m_sizeTrackOffset.cx = point.x - (ColumnLeft(nIndex) + m_cols[(size_t)nIndex].nCurSize);
    SetCapture();
    m_rectTracker = TrackerRect(point);
    DrawTracker(m_rectTracker);
    m_bTrackerShown = TRUE;
}

void CSplitterWnd::StopTracking(BOOL bAccept, CPoint point)
{
    if (m_htTrack == noHit)
        return;
    if (m_bTrackerShown)
        DrawTracker(m_rectTracker);
    m_bTrackerShown = FALSE;
    const HitTest ht = m_htTrack;
    const int nIndex = m_nTrackIndex;
    m_htTrack = noHit;
    if (GetCapture() == this)
        ReleaseCapture();
    if (!bAccept)
        return;
    point -= m_sizeTrackOffset;   // where the bar's top-left corner goes

    const CRect inside = InsideRect();
    switch (ht)
    {
    case hSplitBox:
        if (point.y - inside.top >= m_sizeMin.cy)
            SplitRow(point.y - inside.top);
        return;
    case vSplitBox:
        if (point.x - inside.left >= m_sizeMin.cx)
            SplitColumn(point.x - inside.left);
        return;
    case hSplitterBar:
    {
        // The row above gets what lies between its top and the point.
        const int nNewSize = point.y - RowTop(nIndex);
        const int nBelow = RowTop(nIndex + 1) + m_rows[(size_t)nIndex + 1].nCurSize - (point.y + m_cySplitter);
        if (IsDynamic() && nNewSize < m_rows[(size_t)nIndex].nMinSize)
            DeleteRow(nIndex);
        else if (IsDynamic() && nBelow < m_rows[(size_t)nIndex + 1].nMinSize)
            DeleteRow(nIndex + 1);
        else
        {
            m_rows[(size_t)nIndex].nIdealSize = std::max(0, nNewSize);
            // The rows after it stay where they are.
            if (nIndex + 2 < m_nRows)
                m_rows[(size_t)nIndex + 1].nIdealSize = std::max(0, m_rows[(size_t)nIndex + 1].nCurSize -
                                                                      (nNewSize - m_rows[(size_t)nIndex].nCurSize));
            RecalcLayout();
        }
        return;
    }
    case vSplitterBar:
    {
        const int nNewSize = point.x - ColumnLeft(nIndex);
        const int nRight = ColumnLeft(nIndex + 1) + m_cols[(size_t)nIndex + 1].nCurSize - (point.x + m_cxSplitter);
        if (IsDynamic() && nNewSize < m_cols[(size_t)nIndex].nMinSize)
            DeleteColumn(nIndex);
        else if (IsDynamic() && nRight < m_cols[(size_t)nIndex + 1].nMinSize)
            DeleteColumn(nIndex + 1);
        else
        {
            m_cols[(size_t)nIndex].nIdealSize = std::max(0, nNewSize);
            if (nIndex + 2 < m_nCols)
                m_cols[(size_t)nIndex + 1].nIdealSize = std::max(0, m_cols[(size_t)nIndex + 1].nCurSize -
                                                                      (nNewSize - m_cols[(size_t)nIndex].nCurSize));
            RecalcLayout();
        }
        return;
    }
    default:
        return;
    }
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    if (m_htTrack != noHit)
        return;
    int nIndex = 0;
    const HitTest ht = HitTestAt(point, nIndex);
    if (ht != noHit)
        StartTracking(ht, nIndex, point);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (m_htTrack == noHit)
        return;
    const CRect rect = TrackerRect(point);
    if (rect == m_rectTracker)
        return;
    if (m_bTrackerShown)
        DrawTracker(m_rectTracker);
    m_rectTracker = rect;
    DrawTracker(m_rectTracker);
    m_bTrackerShown = TRUE;
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint point)
{
    StopTracking(TRUE, point);
}

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE, CPoint(0, 0));
    CWnd::OnCancelMode();
}

// ---- Dynamic splitting ----

BOOL CSplitterWnd::CreateDynamicView(int row, int col)
{
    // The new pane shows the document of the pane seen first, as the same kind of view.
    CView* pExisting = nullptr;
    for (int r = 0; r < m_nRows && pExisting == nullptr; ++r)
        for (int c = 0; c < m_nCols && pExisting == nullptr; ++c)
            pExisting = dynamic_cast<CView*>(GetPane(r, c));
    CCreateContext context;
    context.m_pNewViewClass = m_pDynamicViewClass;
    context.m_pCurrentDoc = pExisting != nullptr ? pExisting->GetDocument() : nullptr;
    context.m_pLastView = pExisting;
    context.m_pCurrentFrame = GetParentFrame();
    const int nIdealRow = m_rows[(size_t)row].nIdealSize;
    const int nIdealCol = m_cols[(size_t)col].nIdealSize;
    if (!CreateView(row, col, m_pDynamicViewClass, CSize(nIdealCol, nIdealRow), &context))
        return FALSE;
    // A view made after its frame was complete is told so.
    GetPane(row, col)->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

BOOL CSplitterWnd::SplitRow(int cyBefore)
{
    if (!IsDynamic() || m_nRows >= m_nMaxRows || m_pDynamicViewClass == nullptr)
        return FALSE;
    const int nOldRows = m_nRows;
    m_rows[0].nIdealSize = cyBefore;
    m_nRows = nOldRows + 1;
    for (int col = 0; col < m_nCols; ++col)
    {
        if (!CreateDynamicView(nOldRows, col))
        {
            // Without its views the new row goes again.
            DeleteRow(nOldRows);
            return FALSE;
        }
    }
    RecalcLayout();
    return TRUE;
}

BOOL CSplitterWnd::SplitColumn(int cxBefore)
{
    if (!IsDynamic() || m_nCols >= m_nMaxCols || m_pDynamicViewClass == nullptr)
        return FALSE;
    const int nOldCols = m_nCols;
    m_cols[0].nIdealSize = cxBefore;
    m_nCols = nOldCols + 1;
    for (int row = 0; row < m_nRows; ++row)
    {
        if (!CreateDynamicView(row, nOldCols))
        {
            DeleteColumn(nOldCols);
            return FALSE;
        }
    }
    RecalcLayout();
    return TRUE;
}

void CSplitterWnd::DeleteRow(int rowDelete)
{
    if (rowDelete < 0 || rowDelete >= m_nRows || m_nRows <= 1)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    for (int col = 0; col < m_nCols; ++col)
    {
        CWnd* pPane = GetPane(rowDelete, col);
        if (pPane == nullptr)
            continue;
        if (pFrame != nullptr && pFrame->GetActiveView() == pPane)
            pFrame->SetActiveView(nullptr, FALSE);
        pPane->DestroyWindow();
    }
    // The rows below move up one place.
    for (int row = rowDelete + 1; row < m_nRows; ++row)
    {
        for (int col = 0; col < m_nCols; ++col)
            if (CWnd* pPane = GetPane(row, col))
                pPane->SetDlgCtrlID(IdFromRowCol(row - 1, col));
        m_rows[(size_t)row - 1] = m_rows[(size_t)row];
    }
    --m_nRows;
    m_rows[(size_t)m_nRows].nIdealSize = 0;
    m_rows[(size_t)m_nRows].nCurSize = 0;
    if (pFrame != nullptr && pFrame->GetActiveView() == nullptr)
        SetActivePane(0, 0);
    RecalcLayout();
}

void CSplitterWnd::DeleteColumn(int colDelete)
{
    if (colDelete < 0 || colDelete >= m_nCols || m_nCols <= 1)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    for (int row = 0; row < m_nRows; ++row)
    {
        CWnd* pPane = GetPane(row, colDelete);
        if (pPane == nullptr)
            continue;
        if (pFrame != nullptr && pFrame->GetActiveView() == pPane)
            pFrame->SetActiveView(nullptr, FALSE);
        pPane->DestroyWindow();
    }
    for (int col = colDelete + 1; col < m_nCols; ++col)
    {
        for (int row = 0; row < m_nRows; ++row)
            if (CWnd* pPane = GetPane(row, col))
                pPane->SetDlgCtrlID(IdFromRowCol(row, col - 1));
        m_cols[(size_t)col - 1] = m_cols[(size_t)col];
    }
    --m_nCols;
    m_cols[(size_t)m_nCols].nIdealSize = 0;
    m_cols[(size_t)m_nCols].nCurSize = 0;
    if (pFrame != nullptr && pFrame->GetActiveView() == nullptr)
        SetActivePane(0, 0);
    RecalcLayout();
}
