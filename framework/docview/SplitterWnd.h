// CSplitterWnd: panes (normally views) in rows and columns with bars between them that the user
// drags.
//
// A static splitter has its rows and columns from the start; a dynamic one starts with one pane and
// is split (at most into 2 x 2) by SplitRow and SplitColumn or by dragging a split box, the strip
// along its top (rows) or left (columns) edge; dragging a bar onto an edge removes that row or
// column again. Pane (row, col) is the child window with the id AFX_IDW_PANE_FIRST + 16 row + col.
#pragma once

#include <vector>

#include "framework/core/Geometry.h"
#include "framework/win/Wnd.h"

class CView;
struct CCreateContext;

// The style that makes a splitter dynamic.
#define SPLS_DYNAMIC_SPLIT 0x0001

class CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    // ---- Creation ----
    // Dynamic: one pane of the context's view class now, split later into at most nMaxRows x nMaxCols
    // (each 1 or 2); a row or column smaller than sizeMin is removed.
    BOOL Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | SPLS_DYNAMIC_SPLIT, UINT nID = AFX_IDW_PANE_FIRST);
    // Static: nRows x nCols panes (1 to 16 each), each made by CreateView before the splitter is used.
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // The pane (row, col) as a view of pViewClass; sizeInit is its row's height and its column's width.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    // ---- Rows, columns and panes ----
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetMaxRowCount() const { return m_nMaxRows; }
    int GetMaxColumnCount() const { return m_nMaxCols; }
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    // Whether pWnd is one of the panes, and which.
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    // The pane that is the frame's active view (or has the focus), and where it is.
    CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
    void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
    BOOL IsDynamic() const { return (m_dwSplitterStyle & SPLS_DYNAMIC_SPLIT) != 0; }
    // Places the panes and the bars for the window's size.
    virtual void RecalcLayout();

    // ---- Dynamic splitting ----
    // A second row (column) below (right of) the first, cyBefore (cxBefore) pixels down (across);
    // its panes show the same document in new views. FALSE when the maximum is reached.
    virtual BOOL SplitRow(int cyBefore);
    virtual BOOL SplitColumn(int cxBefore);
    virtual void DeleteRow(int rowDelete);
    virtual void DeleteColumn(int colDelete);

    // The gap between panes, and the split boxes' depth.
    int m_cxSplitter = 6;
    int m_cySplitter = 6;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();

protected:
    struct CRowColInfo
    {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;
    };
    // What a point of the splitter is: a bar (between row or column n and n + 1), a split box, or
    // nothing to drag.
    enum HitTest
    {
        noHit,
        hSplitterBar,     // between rows: moves vertically
        vSplitterBar,     // between columns: moves horizontally
        splitterIntersection,
        hSplitBox,        // the top strip of a dynamic splitter with one row
        vSplitBox,        // the left strip of a dynamic splitter with one column
    };

    int m_nMaxRows = 1;
    int m_nMaxCols = 1;
    int m_nRows = 0;
    int m_nCols = 0;
    DWORD m_dwSplitterStyle = 0;
    std::vector<CRowColInfo> m_rows;
    std::vector<CRowColInfo> m_cols;
    CRuntimeClass* m_pDynamicViewClass = nullptr;
    CSize m_sizeMin;

    // Tracking a drag.
    HitTest m_htTrack = noHit;
    int m_nTrackIndex = 0;     // the row or column before the bar
    CSize m_sizeTrackOffset;   // where the bar was grabbed, from its top-left corner
    CRect m_rectTracker;       // where the dragged bar is drawn now (inverted)
    BOOL m_bTrackerShown = FALSE;

    // The part of the client area the panes share (without the split boxes).
    CRect InsideRect() const;
    // The pane's rectangle as laid out now.
    CRect PaneRect(int row, int col) const;
    int RowTop(int row) const;
    int ColumnLeft(int col) const;
    HitTest HitTestAt(CPoint point, int& nIndex) const;
    void StartTracking(HitTest ht, int nIndex, CPoint point);
    void StopTracking(BOOL bAccept, CPoint point);
    void DrawTracker(const CRect& rect);
    CRect TrackerRect(CPoint point) const;
    // A new view in pane (row, col) on the document of the pane shown first.
    BOOL CreateDynamicView(int row, int col);

    DECLARE_MESSAGE_MAP()
};
