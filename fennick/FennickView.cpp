#include "fennick/FennickView.h"

#include "fennick/FennickApp.h"
#include "fennick/FennickDoc.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"

IMPLEMENT_DYNCREATE(CFennickView, QVGraphView)

BEGIN_MESSAGE_MAP(CFennickView, QVGraphView)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CFennickView::CFennickView() : m_rectPrint(0, 0, 0, 0)
{
    SetDataDragEnabled(FALSE);
    SetZoomEnabled(FALSE);
}

CFennickView::~CFennickView() = default;

CFennickDoc* CFennickView::GetDocument() const
{
    return dynamic_cast<CFennickDoc*>(m_pDocument);
}

void CFennickView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_rectPrint = pInfo->m_rectDraw;
    QVGraphView::OnPrint(pDC, pInfo);
}

void CFennickView::OnDraw(CDC* pDC)
{
    QVGraph* pChart = GetGraph();
    const CFennickApp* pApp = FennickApp();
    if (pDC->IsPrinting() && pChart != nullptr && pApp != nullptr)
    {
        const int width = m_rectPrint.right;
        const int height = m_rectPrint.bottom;
        // A square page counts as landscape.
        const double* positions = width < height ? pApp->m_dPortraitPositions : pApp->m_dLandscapePositions;
        const CRect chart(int(width * positions[CFennickApp::PositionLeft] * 0.01),
                          int(height * positions[CFennickApp::PositionTop] * 0.01),
                          int(width * positions[CFennickApp::PositionRight] * 0.01),
                          int(height * positions[CFennickApp::PositionBottom] * 0.01));
        // Placed as it is, for this page only: the chart view gives it to the chart while the page draws.
        SetPageChartRect(chart, 0);
    }
    QVGraphView::OnDraw(pDC);
}
