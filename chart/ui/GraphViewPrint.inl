// The chart view on paper: the page setup dialogs, the chart rectangle of the print layout and the
// spread of a large chart over several pages.

#include <algorithm>

#include "chart/model/Graph.h"
#include "chart/ui/PageSetup.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"

template <class TBase>
void QVGraphViewImpl<TBase>::OnPageSetup()
{
    PageSetup dialog(this);
    dialog.m_nVertical = m_nVertical;
    dialog.m_nHorizontal = m_nHorizontal;
    dialog.m_nSizeIndex = m_nPageSize;
    dialog.m_bUseMaxSize = m_bPrintLayout;
    if (dialog.DoModal() != IDOK)
        return;
    m_nVertical = dialog.m_nVertical;
    m_nHorizontal = dialog.m_nHorizontal;
    m_nPageSize = dialog.m_nSizeIndex;
    m_bPrintLayout = dialog.m_bUseMaxSize;
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnPrintPageSetup()
{
    PageSetup2 dialog(this);
    dialog.m_nVertical = m_nVertical;
    dialog.m_nHorizontal = m_nHorizontal;
    dialog.m_nChartSize = m_nPageSize >= 10 ? m_nPageSize - 10 : 0;
    dialog.m_nUnitInForce = m_bInches ? PageSetup2::unitInches : PageSetup2::unitCentimetres;
    dialog.m_dInches[PageSetup2::horizontalMargin] = m_dHorizontalMargin;
    dialog.m_dInches[PageSetup2::verticalMargin] = m_dVerticalMargin;
    dialog.m_dInches[PageSetup2::customWidth] = m_dCustomWidth;
    dialog.m_dInches[PageSetup2::customHeight] = m_dCustomHeight;
    if (dialog.DoModal() != IDOK)
        return;
    m_nVertical = dialog.m_nVertical;
    m_nHorizontal = dialog.m_nHorizontal;
    m_nPageSize = dialog.m_nChartSize + 10;
    m_bInches = dialog.m_nUnitInForce == PageSetup2::unitInches;
    m_dHorizontalMargin = dialog.m_dInches[PageSetup2::horizontalMargin];
    m_dVerticalMargin = dialog.m_dInches[PageSetup2::verticalMargin];
    m_dCustomWidth = dialog.m_dInches[PageSetup2::customWidth];
    m_dCustomHeight = dialog.m_dInches[PageSetup2::customHeight];
    m_bPrintLayout = 1;
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::ComputePrintRect(CDC* pPrinterDC, CRect& rect)
{
    const int pixelsX = pPrinterDC->GetDeviceCaps(LOGPIXELSX);
    const int pixelsY = pPrinterDC->GetDeviceCaps(LOGPIXELSY);
    const int pageWidth = pPrinterDC->GetDeviceCaps(HORZRES);
    const int pageHeight = pPrinterDC->GetDeviceCaps(VERTRES);
    // A custom margin where the side's position asks for one, else a quarter inch.
    const int marginX = m_nHorizontal == 3 ? int(m_dHorizontalMargin * pixelsX) : pixelsX / 4;
    const int marginY = m_nVertical == 3 ? int(m_dVerticalMargin * pixelsY) : pixelsY / 4;
    auto inches = [&](double width, double height) {
        return CRect(0, 0, int(width * pixelsX), int(height * pixelsY));
    };
    switch (m_nPageSize) {
    case 0: rect.SetRect(0, 0, 320, 240); break;
    case 1: rect.SetRect(0, 0, 640, 480); break;
    case 2: rect.SetRect(0, 0, 800, 600); break;
    case 3: rect.SetRect(0, 0, 1024, 768); break;
    case 4: rect = inches(7.767, 11.192); break;   // A4 portrait
    case 5: rect = inches(11.192, 7.767); break;
    case 6: rect = inches(5.374, 7.767); break;    // A5 portrait
    case 7: rect = inches(7.767, 5.374); break;
    case 8: rect = inches(8.0, 10.5); break;       // US Letter portrait
    case 9: rect = inches(10.5, 8.0); break;
    case 10: rect.SetRect(marginX, marginY, pageWidth - marginX, pageHeight - marginY); break;
    case 11: rect.SetRect(marginX, marginY, pageWidth - marginX, pageHeight / 2 - pixelsY / 4); break;
    case 12: rect.SetRect(marginX, marginY, pageWidth / 2 - pixelsX / 4, pageHeight - marginY); break;
    case 13:
        rect.SetRect(marginX, marginY, marginX + int(m_dCustomWidth * pixelsX), marginY + int(m_dCustomHeight * pixelsY));
        break;
    default:
        // No such size: the chart prints as without a layout.
        return FALSE;
    }
    return TRUE;
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->m_pPD->m_pd.Flags ^= PD_HIDEPRINTTOFILE;
    pInfo->m_pPD->m_pd.Flags |= PD_NOPAGENUMS;
    return this->DoPreparePrinting(pInfo);
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    QVGraph* pChart = GetGraph();
    const int pageWidth = pDC->GetDeviceCaps(HORZRES);
    const int pageHeight = pDC->GetDeviceCaps(VERTRES);
    m_nPrintColumns = m_nPrintRows = 1;
    m_bPageChartRect = 0;
    if (pChart != nullptr) {
        CRect rect;
        if (m_bPrintLayout && ComputePrintRect(pDC, rect))
            SetPageChartRect(rect, GetPrintPlacement());
        // A chart larger than the page is spread over pages, whether the layout or the chart fixes its size.
        const BOOL bFixed = m_bPageChartRect || pChart->HasFixedRect();
        const CRect fixed = m_bPageChartRect ? m_rectPageChart : pChart->GetFixedRect();
        if (bFixed && pageWidth > 0 && pageHeight > 0) {
            m_nPrintColumns = std::max(1, int((fixed.right + pageWidth - 1) / pageWidth));
            m_nPrintRows = std::max(1, int((fixed.bottom + pageHeight - 1) / pageHeight));
        }
    }
    pInfo->SetMaxPage(UINT(m_nPrintColumns * m_nPrintRows));
    pInfo->m_nCurPage = 1;
    pInfo->m_nNumPreviewPages = 1;
}

template <class TBase>
void QVGraphViewImpl<TBase>::SetPageChartRect(const CRect& rect, int nPlacement)
{
    m_rectPageChart = rect;
    m_nPageChartPlacement = nPlacement;
    m_bPageChartRect = 1;
}

template <class TBase>
void QVGraphViewImpl<TBase>::DrawChartOnPage(CDC* pDC)
{
    QVGraph* pChart = GetGraph();
    m_bSavedChartRect = pChart->HasFixedRect();
    m_rectSavedChart = pChart->GetFixedRect();
    m_nSavedPlacement = pChart->GetPlacement();
    auto restore = [&] {
        pChart->SetFixedRect(m_rectSavedChart, m_nSavedPlacement);
        if (!m_bSavedChartRect)
            pChart->ClearFixedRect();
    };
    pChart->SetFixedRect(m_rectPageChart, m_nPageChartPlacement);
    try {
        DrawChart(pDC);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    TBase::OnPrepareDC(pDC, pInfo);
    if (pInfo == nullptr || m_nPrintColumns < 1)
        return;
    // Page n shows its own tile of the chart.
    const int page = int(pInfo->m_nCurPage) - 1;
    const int column = page % m_nPrintColumns;
    const int row = page / m_nPrintColumns;
    pDC->SetWindowOrg(column * pDC->GetDeviceCaps(HORZRES), row * pDC->GetDeviceCaps(VERTRES));
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_bPageChartRect = 0;
    QVGraph* pChart = GetGraph();
    if (pChart == nullptr)
        return;
    pChart->Refresh();
    this->Invalidate(FALSE);
}
