// The chart wizard's preview: drawing through an off-screen bitmap, the grid, picking and moving a
// component with the tracker, the context menu and the commands.
#include "chart/ui/WizView.h"

#include <algorithm>

#include "chart/model/Graph.h"
#include "chart/model/GraphComponent.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/ui/PageSetup.h"
#include "chart/ui/WizardText.h"
#include "chart/ui/image/Dib.h"
#include "chart/ui/image/Jpeg.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Menu.h"

// ---- QVGRectTracker ----

void QVGRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
        m_pOwner->SendMessage(WM_QVG_TRACKER_ADJUST, WPARAM(nHandle), reinterpret_cast<LPARAM>(lpRect));
    CRectTracker::AdjustRect(nHandle, lpRect);
}

void QVGRectTracker::OnChangedRect(const CRect& rectOld)
{
    if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
        m_pOwner->SendMessage(WM_QVG_TRACKER_CHANGED, 0, reinterpret_cast<LPARAM>(&rectOld));
    CRectTracker::OnChangedRect(rectOld);
}

// ---- QVGWizView ----

IMPLEMENT_DYNCREATE(QVGWizView, QVEScrollView)

BEGIN_MESSAGE_MAP(QVGWizView, QVEScrollView)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_QVG_TRACKER_CHANGED, OnTrackerChanged)
    ON_MESSAGE(WM_QVG_TRACKER_ADJUST, OnTrackerAdjust)
    ON_WM_MOUSEACTIVATE()
    ON_COMMAND(ID_QVG_WIZ_COPY, OnCopy)
    ON_COMMAND(ID_QVG_WIZ_SAVE_LAYOUT, OnSaveLayout)
    ON_COMMAND(ID_QVG_WIZ_CANCEL_TRACKING, OnCancelTracking)
    ON_COMMAND(ID_QVG_WIZ_PRINT, OnPrintWithSetup)
    ON_COMMAND(ID_QVG_SAVE_DIB, OnSaveDib)
    ON_COMMAND(ID_QVG_SAVE_JPEG, OnSaveJpeg)
END_MESSAGE_MAP()

QVGWizView::QVGWizView()
    : m_pSelected(nullptr), m_bTracking(0), m_rectTracker(0, 0, 0, 0), m_nTrackerHandle(CRectTracker::hitNothing),
      m_bGridShown(0)
{
    m_tracker.SetOwner(this);
    m_tracker.m_nStyle = trackerStyle;
}

QVGWizView::~QVGWizView() = default;

QVGWizPreviewOwner* QVGWizView::GetOwner()
{
    if (m_hWnd == nullptr)
        return nullptr;
    return dynamic_cast<QVGWizPreviewOwner*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

// ---- Drawing and the grid ----

CSize QVGWizView::DrawingSize()
{
    CSize size = GetClientSize();
    if (QVGWizPreviewOwner* pOwner = GetOwner()) {
        const CSize preview = pOwner->GetPreviewSize();
        const CSize place = pOwner->GetPreviewRectSize();
        size = CSize(std::max(preview.cx, place.cx), std::max(preview.cy, place.cy));
    }
    return CSize(std::max(1L, size.cx), std::max(1L, size.cy));
}

void QVGWizView::OnDraw(CDC* pDC)
{
    QVGraph* pChart = GetGraph();
    if (pDC->IsPrinting()) {
        // A page carries the print layout's rectangle while it draws.
        if (HasPageChartRect())
            DrawChartOnPage(pDC);
        else
            DrawChart(pDC);
        return;
    }
    const CSize size = DrawingSize();
    CDC memoryDC;
    CBitmap bitmap;
    if (!memoryDC.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, size.cx, size.cy))
        return;
    CBitmap* pOld = memoryDC.SelectObject(&bitmap);
    memoryDC.PatBlt(0, 0, size.cx, size.cy, WHITENESS);
    if (pChart != nullptr) {
        // The bitmap is the chart's buffer already.
        const BOOL bDoubleBuffering = pChart->GetDoubleBuffering();
        pChart->SetDoubleBuffering(FALSE);
        pChart->Draw(&memoryDC, this);
        pChart->SetDoubleBuffering(bDoubleBuffering);
    }
    pDC->BitBlt(0, 0, size.cx, size.cy, &memoryDC, 0, 0, SRCCOPY);
    memoryDC.SelectObject(pOld);

    if (m_bTracking) {
        // The tracker's rectangle is in client coordinates.
        const int nSaved = pDC->SaveDC();
        pDC->SetViewportOrg(0, 0);
        m_tracker.Draw(pDC);
        pDC->RestoreDC(nSaved);
    }
    m_bGridShown = 0;
    QVGWizPreviewOwner* pOwner = GetOwner();
    if (pOwner != nullptr && pOwner->IsGridShown()) {
        const int nSaved = pDC->SaveDC();
        const int nStep = GridStep();
        const CSize total = GetTotalSize();
        pDC->SetROP2(R2_NOT);
        for (int y = 0; y < total.cy; y += nStep)
            for (int x = 0; x < total.cx; x += nStep) {
                pDC->MoveTo(x, y);
                pDC->LineTo(x + 1, y);
            }
        pDC->RestoreDC(nSaved);
        m_bGridShown = 1;
    }
}

int QVGWizView::GridStep()
{
    QVGWizPreviewOwner* pOwner = GetOwner();
    return pOwner != nullptr ? std::max(1, pOwner->GetGridStep()) : 1;
}

void QVGWizView::DrawGrid(BOOL bShow)
{
    if ((bShow ? 1 : 0) == m_bGridShown || m_hWnd == nullptr)
        return;
    // The dots are inverted: drawing them again takes them away.
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.SetROP2(R2_NOT);
    const int nStep = GridStep();
    const CSize total = GetTotalSize();
    for (int y = 0; y < total.cy; y += nStep)
        for (int x = 0; x < total.cx; x += nStep) {
            dc.MoveTo(x, y);
            dc.LineTo(x + 1, y);
        }
    m_bGridShown = bShow ? 1 : 0;
}

int QVGWizView::SnapValue(int value)
{
    const int nStep = GridStep();
    int nRemainder = value % nStep;
    if (nRemainder < 0)
        nRemainder += nStep;
    return nRemainder * 2 > nStep ? value - nRemainder + nStep : value - nRemainder;
}

void QVGWizView::SnapRect(CRect& rect)
{
    rect.OffsetRect(SnapValue(rect.left) - rect.left, SnapValue(rect.top) - rect.top);
}

// ---- Picking and moving ----

CRect QVGWizView::ComponentRect(QVGraphComponent* pComponent)
{
    CRect rect = pComponent->GetRectObject()->ToDeviceRect(nullptr, this);
    rect.NormalizeRect();
    return rect;
}

void QVGWizView::ApplyTrackerRect()
{
    if (m_pSelected == nullptr)
        return;
    CRect rect = m_tracker.m_rect;
    rect.NormalizeRect();
    rect.OffsetRect(GetDeviceScrollPosition());
    m_pSelected->GetRectObject()->FromDeviceRect(rect, nullptr);
    m_pSelected->SetChanged(TRUE);
}

void QVGWizView::OnLButtonDown(UINT nFlags, CPoint point)
{
    QVGWizPreviewOwner* pOwner = GetOwner();
    if (pOwner == nullptr || !pOwner->IsEditingAllowed() || (!(nFlags & MK_SHIFT) && !m_bTracking)) {
        QVEScrollView::OnLButtonDown(nFlags, point);
        return;
    }
    const CPoint scroll = GetDeviceScrollPosition();
    if (!m_bTracking) {
        const CPoint chartPoint = point + scroll;
        QVGraphComponent* pComponent = ComponentAt(chartPoint.x, chartPoint.y);
        if (pComponent != nullptr && !pOwner->CanPickComponent(pComponent))
            pComponent = nullptr;
        if (pComponent == nullptr)
            return;
        m_bTracking = 1;
        m_pSelected = pComponent;
        m_tracker.m_nStyle = trackerStyle;
        CRect rect = ComponentRect(pComponent);
        rect.OffsetRect(-scroll);
        m_tracker.m_rect = rect;
        pOwner->OnComponentPicked(pComponent);
    }
    if (m_tracker.Track(this, point) && m_pSelected != nullptr) {
        if (pOwner->IsSnapToGrid()) {
            CRect rect = m_tracker.m_rect;
            rect.OffsetRect(scroll);
            SnapRect(rect);
            rect.OffsetRect(-scroll);
            m_tracker.m_rect = rect;
        }
        ApplyTrackerRect();
        pOwner->OnComponentMoved(m_pSelected);
    }
    Invalidate(FALSE);
}

void QVGWizView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        QVEScrollView::OnLButtonUp(nFlags, point);
        return;
    }
    CancelTracking();
}

void QVGWizView::CancelTracking()
{
    if (!m_bTracking)
        return;
    m_bTracking = 0;
    m_nTrackerHandle = CRectTracker::hitNothing;
    m_rectTracker.SetRectEmpty();
    m_pSelected = nullptr;
    Invalidate(FALSE);
}

BOOL QVGWizView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bTracking && m_tracker.SetCursor(this, nHitTest))
        return TRUE;
    return QVEScrollView::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT QVGWizView::OnTrackerChanged(WPARAM, LPARAM)
{
    if (m_pSelected == nullptr)
        return 0;
    ApplyTrackerRect();
    QVGWizPreviewOwner* pOwner = GetOwner();
    if (pOwner != nullptr) {
        pOwner->OnComponentMoved(m_pSelected);
        // The chart with the tracker (and the grid when shown) as the component now lies.
        if (pOwner->IsLiveResult())
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return 0;
}

LRESULT QVGWizView::OnTrackerAdjust(WPARAM wParam, LPARAM lParam)
{
    auto* pRect = reinterpret_cast<RECT*>(lParam);
    const int nHandle = int(wParam);
    m_nTrackerHandle = nHandle;
    QVGWizPreviewOwner* pOwner = GetOwner();
    if (pRect != nullptr && pOwner != nullptr && pOwner->IsSnapToGrid()) {
        const CPoint scroll = GetDeviceScrollPosition();
        CRect rect(*pRect);
        rect.OffsetRect(scroll);
        if (nHandle == CRectTracker::hitMiddle) {
            SnapRect(rect);
        } else {
            // The sides the handle drags fall on the grid.
            const bool bLeft = nHandle == CRectTracker::hitTopLeft || nHandle == CRectTracker::hitBottomLeft ||
                               nHandle == CRectTracker::hitLeft;
            const bool bRight = nHandle == CRectTracker::hitTopRight || nHandle == CRectTracker::hitBottomRight ||
                                nHandle == CRectTracker::hitRight;
            const bool bTop = nHandle == CRectTracker::hitTopLeft || nHandle == CRectTracker::hitTopRight ||
                              nHandle == CRectTracker::hitTop;
            const bool bBottom = nHandle == CRectTracker::hitBottomLeft || nHandle == CRectTracker::hitBottomRight ||
                                 nHandle == CRectTracker::hitBottom;
            if (bLeft)
                rect.left = SnapValue(rect.left);
            if (bRight)
                rect.right = SnapValue(rect.right);
            if (bTop)
                rect.top = SnapValue(rect.top);
            if (bBottom)
                rect.bottom = SnapValue(rect.bottom);
        }
        rect.OffsetRect(-scroll);
        *pRect = rect;
    }
    if (pRect != nullptr)
        m_rectTracker = *pRect;
    return 0;
}

// ---- Context menu and commands ----

void QVGWizView::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_QVG_WIZ_VIEW_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    pPopup->EnableMenuItem(ID_QVG_ZOOM_OUT, MF_BYCOMMAND | (GetZoomStack().IsEmpty() ? MF_GRAYED : MF_ENABLED));
    pPopup->EnableMenuItem(ID_QVG_WIZ_CANCEL_TRACKING, MF_BYCOMMAND | (m_bTracking ? MF_ENABLED : MF_GRAYED));
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: at the window's corner.
        point = CPoint(0, 0);
        ClientToScreen(&point);
    }
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void QVGWizView::OnCopy()
{
    CopyToClipboard(GetTotalSize());
}

void QVGWizView::OnCancelTracking()
{
    CancelTracking();
}

void QVGWizView::SaveScrollPicture(BWKPicture& picture, LPCTSTR lpszDefExt, LPCTSTR lpszFilter,
                                   LPCTSTR lpszFillFailed)
{
    const CString path = AskSavePath(lpszDefExt, lpszFilter);
    if (!path.IsEmpty())
        SavePicture(picture, path, lpszFillFailed, GetTotalSize());
}

void QVGWizView::OnSaveDib()
{
    BWKDib picture;
    SaveScrollPicture(picture, nullptr, "Dib bitmap files(*.bmp)|*.bmp|All files(*.*)|*.*||",
                      "Create Image form bitmap failed.");
}

void QVGWizView::OnSaveJpeg()
{
    BWKJpeg picture;
    SaveScrollPicture(picture, nullptr, "Jpeg files(*.jpg)|*.jpg|All files(*.*)|*.*||", "Can't create jpeg image.");
}

void QVGWizView::OnSaveLayout()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Layout Files(*.txt)|*.txt | All Files(*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return;
    if (!AppendToLayoutFile(dialog.GetPathName(), FormatLayoutLine(GetGraph(), GetTotalSize())))
        AfxMessageBox("File could not be opened ");
}

void QVGWizView::OnPrintWithSetup()
{
    PageSetup dialog(this);
    dialog.m_nVertical = m_nVertical;
    dialog.m_nHorizontal = m_nHorizontal;
    dialog.m_nSizeIndex = m_nPageSize;
    dialog.m_bUseMaxSize = m_bPrintLayout;
    if (dialog.DoModal() != IDOK)
        return;
    // The setup holds for this print only.
    const int nVertical = m_nVertical;
    const int nHorizontal = m_nHorizontal;
    const int nPageSize = m_nPageSize;
    const int bPrintLayout = m_bPrintLayout;
    m_nVertical = dialog.m_nVertical;
    m_nHorizontal = dialog.m_nHorizontal;
    m_nPageSize = dialog.m_nSizeIndex;
    m_bPrintLayout = dialog.m_bUseMaxSize;

    CDummyDocument* pDummy = nullptr;
    if (m_pDocument == nullptr) {
        pDummy = new CDummyDocument;
        pDummy->m_bAutoDelete = FALSE;
        pDummy->AddView(this);
    }
    CView::OnFilePrint();
    if (pDummy != nullptr) {
        pDummy->RemoveView(this);
        delete pDummy;
    }
    m_nVertical = nVertical;
    m_nHorizontal = nHorizontal;
    m_nPageSize = nPageSize;
    m_bPrintLayout = bPrintLayout;
}
