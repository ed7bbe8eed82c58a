// Small controls of the chart wizard: a layout cell that shows a small chart, a tool-tip control for
// windows and rectangles, and the component list whose entries are dragged to new places.
#pragma once

#include "framework/win/Controls.h"
#include "framework/win/DragListBox.h"
#include "framework/win/ToolTipCtrl.h"

class QVGraph;

// A layout cell of the layout step: draws its chart, with a focus rectangle 5 pixels inside when it is
// the chosen one. It holds the colours its chart's components get, by kind.
class QVGStatic : public CStatic
{
    DECLARE_DYNAMIC(QVGStatic)
public:
    enum Kind { kindBackground, kindTitle, kindDisplay, kindLegend, kindCount };

    QVGStatic();

    COLORREF GetKindColor(int nKind) const { return m_colors[nKind]; }
    void SetKindColor(int nKind, COLORREF color) { m_colors[nKind] = color; }
    // The chart the cell shows (not owned; none for a cell without a layout).
    void SetChart(QVGraph* pChart);
    QVGraph* GetChart() const { return m_pChart; }
    void SetHighlight(BOOL bHighlight);
    BOOL IsHighlighted() const { return m_bHighlight; }

protected:
    afx_msg void OnPaint();

    COLORREF m_colors[kindCount];
    QVGraph* m_pChart;
    BOOL m_bHighlight;

    DECLARE_MESSAGE_MAP()
};

// Tool tips for whole windows (subclassed, so that they need no relaying) or for rectangles of a window,
// with a text or a string of the resource module.
class QVGToolTipCtrl : public CToolTipCtrl
{
    DECLARE_DYNAMIC(QVGToolTipCtrl)
public:
    QVGToolTipCtrl() = default;

    BOOL AddWindowTool(CWnd* pWnd, LPCTSTR lpszText);
    BOOL AddWindowTool(CWnd* pWnd, UINT nIDText);
    BOOL AddRectTool(CWnd* pWnd, const RECT& rect, UINT_PTR nIDTool, LPCTSTR lpszText);
    BOOL AddRectTool(CWnd* pWnd, const RECT& rect, UINT_PTR nIDTool, UINT nIDText);
    // The text of a window's tool; empty when it has none.
    CString GetWindowToolText(CWnd* pWnd);
};

// The component list of the advanced page: a drop or Shift with an arrow key asks the target window to
// move the entry from one place to another (WM_USER + 14, wParam the entry, lParam the place before
// which it goes, counted before the move). The last entry, a blank, stands for the end of the list.
class QVGDragListBox : public CDragListBox
{
    DECLARE_DYNAMIC(QVGDragListBox)
public:
    QVGDragListBox() = default;

    void SetTarget(CWnd* pTarget) { m_pTarget = pTarget; }
    // Asks the target to move entry nFrom before place nBefore.
    void AskMove(int nFrom, int nBefore);

    BOOL BeginDrag(CPoint pt) override;
    void Dropped(int nSrcIndex, CPoint pt) override;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    CWnd* m_pTarget = nullptr;

    DECLARE_MESSAGE_MAP()
};
