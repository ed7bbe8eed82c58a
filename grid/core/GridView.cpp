#include "grid/core/GridView.h"

#include "framework/docview/Document.h"
#include "framework/docview/SplitterWnd.h"
#include "framework/win/Dc.h"
#include "grid/core/GridHint.h"
#include "grid/core/GridWindowMessages.h"

IMPLEMENT_DYNCREATE(CGXGridView, CView)

const AFX_MSGMAP* CGXGridView::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* PASCAL CGXGridView::GetThisMessageMap()
{
    static const AFX_MSGMAP messageMap = {&CView::GetThisMessageMap,
                                          GXGridWindowMessageEntries<CGXGridView, CView>()};
    return &messageMap;
}

CGXGridView::CGXGridView() : CView(), CGXGridCore(nullptr, nullptr, nullptr)
{
    m_pGridWnd = this;
    m_nGridId = defaultGridId;
}

CGXGridView::~CGXGridView() = default;

BOOL CGXGridView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CView::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return TRUE;
}

void CGXGridView::OnInitialUpdate()
{
    UpdatePaneInfo();
    SetDocumentLink(GetDocument(), TRUE);
    m_bHintsEnabled = TRUE;
    if (!IsInitialized())
    {
        const DWORD dwStyle = GetStyle();
        SetScrollBarMode(SB_VERT, (dwStyle & WS_VSCROLL) != 0 ? 10 : 0, FALSE);
        SetScrollBarMode(SB_HORZ, (dwStyle & WS_HSCROLL) != 0 ? 10 : 0, FALSE);
        OnGridInitialize();
    }
    CView::OnInitialUpdate();
}

void CGXGridView::OnGridInitialize()
{
    InitializeGrid();
}

void CGXGridView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (pHint != nullptr && pHint->IsKindOf(RUNTIME_CLASS(CGXGridHint)))
    {
        if (IsInitialized())
        {
            UpdatePaneInfo();
            OnGridUpdate(static_cast<CGXGridHint*>(pHint));
        }
        return;
    }
    CView::OnUpdate(pSender, lHint, pHint);
}

void CGXGridView::UpdatePaneInfo()
{
    CWnd* pParent = GetParent();
    int nRow = 0;
    int nCol = 0;
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)) &&
        static_cast<CSplitterWnd*>(pParent)->IsChildPane(this, &nRow, &nCol))
        SetSplitterPane(static_cast<CSplitterWnd*>(pParent), nRow, nCol);
    else
        SetSplitterPane(nullptr, 0, 0);
}

BOOL CGXGridView::OnGridSize(UINT nType, int cx, int cy)
{
    UpdatePaneInfo();
    return CGXGridCore::OnGridSize(nType, cx, cy);
}

void CGXGridView::OnDraw(CDC* pDC)
{
    if (!IsInitialized())
        return;
    PrepareGridDC(pDC);
    DrawGridArea(pDC);
}

void CGXGridView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridBeginPrinting(pDC, pInfo);
}

void CGXGridView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridPrint(pDC, pInfo);
}

void CGXGridView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridEndPrinting(pDC, pInfo);
}

CScrollBar* CGXGridView::GetScrollBarCtrl(int nBar) const
{
    CGXGridView* pSelf = const_cast<CGXGridView*>(this);
    if (CScrollBar* pBar = pSelf->CGXGridCore::GetScrollBarCtrl(nBar))
        return pBar;
    return CView::GetScrollBarCtrl(nBar);
}

BOOL CGXGridView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (!OnGridCommand(wParam, lParam))
        return CView::OnCommand(wParam, lParam);
    return TRUE;
}

BOOL CGXGridView::PreTranslateMessage(MSG* pMsg)
{
    if (PreTranslateGridMessage(pMsg))
        return TRUE;
    return CView::PreTranslateMessage(pMsg);
}

LRESULT CGXGridView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ProcessPluginMessage(message, wParam, lParam, result))
        return result;
    return CView::WindowProc(message, wParam, lParam);
}
