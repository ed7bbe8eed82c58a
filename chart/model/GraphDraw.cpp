// The chart's draw pass: target rectangle, off-screen bitmap, the component loop, banded printing,
// fixed-rectangle placement and clipping.
#include "chart/model/Graph.h"

#include "chart/model/GraphComponent.h"
#include "chart/model/GraphException.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

#include <algorithm>

namespace {
// One draw pass at a time in the process: a message handled while drawing must not start another.
int g_bDrawPassRunning = 0;

const int kBandHeight = 128;
}  // namespace

BOOL QVGraph::IsPrinterDC(CDC* pDC)
{
    if (pDC == NULL)
        return FALSE;
    return pDC->IsPrinting() || pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER;
}

BOOL QVGraph::IsAnyDrawPassRunning()
{
    return g_bDrawPassRunning;
}

CRect QVGraph::ClientRectOf(CWnd* pView) const
{
    CRect client(0, 0, 0, 0);
    if (pView != NULL && pView->GetSafeHwnd() != NULL)
        pView->GetClientRect(&client);
    return client;
}

void QVGraph::PrepareDrawing(CDC* pDC, CWnd* pView)
{
    CRect target;
    if (IsPrinterDC(pDC))
        target.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    else if (pView != NULL && pView->GetSafeHwnd() != NULL)
        target = ClientRectOf(pView);
    else
        target.SetRect(0, 0, 250, 150);
    m_pDC = pDC;
    m_pView = pView;
    m_rectDrawing = DrawingAreaIn(target);
}

CRect QVGraph::DrawingAreaIn(const CRect& target)
{
    if (!m_bFixedRect)
        return target;
    CRect placed = m_rectFixed;
    PlaceFixedRect(target, placed);
    return placed;
}

void QVGraph::ResetDrawContext()
{
    m_pDC = NULL;
    m_pView = NULL;
    m_bDrawing = 0;
}

CSize QVGraph::GetDrawingSize()
{
    if (m_bFixedRect)
        return m_rectFixed.Size();
    if (m_pDC != NULL && IsPrinterDC(m_pDC))
        return CSize(m_pDC->GetDeviceCaps(HORZRES), m_pDC->GetDeviceCaps(VERTRES));
    if (m_bDrawing && m_bDoubleBuffering && m_pDC != NULL) {
        if (HGDIOBJ hBitmap = ::GetCurrentObject(m_pDC->GetSafeHdc(), OBJ_BITMAP)) {
            BITMAP info = {};
            if (::GetObjectA(hBitmap, sizeof info, &info) != 0 && info.bmWidth > 1)
                return CSize(info.bmWidth, info.bmHeight);
        }
    }
    if (m_pView != NULL && m_pView->GetSafeHwnd() != NULL)
        return ClientRectOf(m_pView).Size();
    return CSize(200, 150);
}

void QVGraph::PlaceFixedRect(const CRect& target, CRect& rect)
{
    if (!m_bFixedRect)
        return;
    int margin = 0;
    if (m_bDrawing && m_pDC != NULL && IsPrinterDC(m_pDC))
        margin = m_pDC->GetDeviceCaps(LOGPIXELSX) / 4;
    const int width = rect.Width(), height = rect.Height();
    int top = rect.top, left = rect.left;
    switch (m_nPlacement & 0x0F) {
    case 0:
    case 4:
        break;
    case 1:
        top = target.top + margin;
        break;
    case 3:
        top = target.bottom - margin - height;
        break;
    default:
        top = target.top + (target.Height() - height) / 2;
        break;
    }
    switch (m_nPlacement & 0xF0) {
    case 0x00:
    case 0x40:
        break;
    case 0x10:
        left = target.left + margin;
        break;
    case 0x30:
        left = target.right - margin - width;
        break;
    default:
        left = target.left + (target.Width() - width) / 2;
        break;
    }
    rect.SetRect(left, top, left + width, top + height);
}

// Step 8 of a pass: every component in list order, on pDC. A chart exception ends the loop and is shown.
void QVGraph::DrawComponents(CDC* pDC, CWnd* pView)
{
    m_pDC = pDC;
    m_pView = pView;
    m_bDrawing = 1;
    POSITION pos = m_components.GetHeadPosition();
    try {
        while (pos != NULL) {
            m_posCurrent = pos;
            QVGraphComponent* pComponent = static_cast<QVGraphComponent*>(m_components.GetAt(pos));
            pComponent->SetVisible(TRUE);
            pComponent->Draw(pDC, pView);
            // Components the drawing added come after the current one as the list now stands.
            pos = m_posCurrent;
            if (pos != NULL)
                m_components.GetNext(pos);
        }
    } catch (QVGraphException* e) {
        if (QVGraphComponent* pComponent = GetCurrentComponent())
            pComponent->EndDrawing();
        e->ReportError();
        e->Delete();
    }
    m_posCurrent = NULL;
}

void QVGraph::Draw(CDC* pDC, CWnd* pView)
{
    if (pDC == NULL || m_components.IsEmpty() || g_bDrawPassRunning)
        return;
    g_bDrawPassRunning = 1;
    const int savedDoubleBuffering = m_bDoubleBuffering;
    int savedState = 0;
    CDC* pMemoryDC = NULL;
    CBitmap* pOldBitmap = NULL;
    CPalette* pOldPalette = NULL;
    // Whatever leaves the pass, the DC, the flags and the process-wide pass flag are put back, so an
    // unexpected exception cannot leave every chart unable to draw.
    auto finish = [&] {
        if (pMemoryDC != NULL) {
            if (pOldPalette != NULL)
                pMemoryDC->SelectPalette(pOldPalette, FALSE);
            if (pOldBitmap != NULL)
                pMemoryDC->SelectObject(pOldBitmap);
            delete pMemoryDC;
            pMemoryDC = NULL;
        }
        m_pDC = NULL;
        m_pView = NULL;
        m_bDrawing = 0;
        m_bDoubleBuffering = savedDoubleBuffering;
        if (savedState != 0)
            pDC->RestoreDC(-1);
        g_bDrawPassRunning = 0;
    };
    try {
        if (m_chartStyle.GetDataLabelMode() != 1) {
            RemoveTaggedComponents(QVG_TEMPORARY_TAG);
            RemoveTaggedComponents(QVG_BLOCK_TAG);
        }
        savedState = pDC->SaveDC();
        const BOOL printer = IsPrinterDC(pDC);
        if (printer && m_bBanding) {
            DrawBanded(pDC, pView);
            finish();
            return;
        }
        if (m_bImageCached)
            m_bDoubleBuffering = 1;
        if (printer)
            m_bDoubleBuffering = 0;
        m_bPaletteDevice = (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
        if (m_bPaletteDevice)
            CreateDefaultPalette();

        CRect target;
        if (printer)
            target = m_bBanding ? m_rectPage : CRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        else if (m_bBanding)
            target = m_rectPage;
        else if (m_bFixedRect)
            target = m_rectFixed;
        else if (pView != NULL && pView->GetSafeHwnd() != NULL)
            target = ClientRectOf(pView);
        else
            target = CRect(CPoint(0, 0), GetDrawingSize());

        CDC* pDrawDC = pDC;
        if (m_bDoubleBuffering) {
            if (target != m_rectCachedImage || m_pBitmap == NULL) {
                delete m_pBitmap;
                m_pBitmap = new CBitmap;
                const CSize size = m_bFixedRect
                                       ? CSize(m_rectFixed.left + target.Width(), m_rectFixed.top + target.Height())
                                       : CSize(target.right, target.bottom);
                if (!m_pBitmap->CreateCompatibleBitmap(pDC, std::max(1, int(size.cx)), std::max(1, int(size.cy)))) {
                    delete m_pBitmap;
                    m_pBitmap = NULL;
                }
                m_bImageCached = 0;
            }
            if (m_pBitmap != NULL) {
                pMemoryDC = new CDC;
                if (pMemoryDC->CreateCompatibleDC(pDC)) {
                    pMemoryDC->SetMapMode(pDC->GetMapMode());
                    pOldBitmap = pMemoryDC->SelectObject(m_pBitmap);
                    m_rectCachedImage = target;
                    if (m_bPaletteDevice && m_pPalette != NULL) {
                        pOldPalette = pMemoryDC->SelectPalette(m_pPalette, FALSE);
                        pMemoryDC->RealizePalette();
                    }
                    pDrawDC = pMemoryDC;
                    // What the DC shows stays behind the components: a new bitmap is black, and an old
                    // one holds the last pass.
                    if (!m_bImageCached)
                        pMemoryDC->BitBlt(target.left, target.top, target.Width(), target.Height(), pDC,
                                          target.left, target.top, SRCCOPY);
                } else {
                    delete pMemoryDC;
                    pMemoryDC = NULL;
                }
            }
            if (pMemoryDC == NULL)
                m_bDoubleBuffering = 0;
        }

        // The placement reads the printer's margin from the pass, so the pass is set up first.
        m_pDC = pDrawDC;
        m_pView = pView;
        m_bDrawing = 1;
        m_rectDrawing = DrawingAreaIn(target);

        if (!m_bImageCached) {
            DeleteFeedback();
            DrawComponents(pDrawDC, pView);
        }

        m_pDC = NULL;
        m_pView = NULL;
        m_bDrawing = 0;
        m_bChanged = 0;
        m_bInvalidatePending = 0;
        if (pMemoryDC != NULL) {
            pDC->BitBlt(m_rectDrawing.left, m_rectDrawing.top, m_rectDrawing.Width(), m_rectDrawing.Height(),
                        pMemoryDC, m_rectDrawing.left, m_rectDrawing.top, SRCCOPY);
        }
        if (printer)
            Refresh();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void QVGraph::DrawBanded(CDC* pPrinterDC, CWnd* pView)
{
    m_bBanding = 1;
    m_rectPage.SetRect(0, 0, pPrinterDC->GetDeviceCaps(HORZRES), pPrinterDC->GetDeviceCaps(VERTRES));
    const int pageWidth = m_rectPage.Width(), pageHeight = m_rectPage.Height();
    const int bandHeight = std::min(pageHeight, kBandHeight);
    const int savedFeedback = m_bFeedbackEnabled;
    const int savedDoubleBuffering = m_bDoubleBuffering;
    const int hadFixedRect = m_bFixedRect;

    CDC memoryDC;
    CBitmap band;
    if (pageWidth <= 0 || bandHeight <= 0 || !memoryDC.CreateCompatibleDC(pPrinterDC) ||
        !band.CreateCompatibleBitmap(pPrinterDC, pageWidth, bandHeight)) {
        m_bBanding = 0;
        return;
    }
    // The bands are the printer's pages in pieces: components scale as for the printer.
    memoryDC.m_bPrinting = TRUE;
    CBitmap* pOldBitmap = memoryDC.SelectObject(&band);
    m_bFeedbackEnabled = 0;
    m_bDoubleBuffering = 0;
    m_pDC = pPrinterDC;
    m_bDrawing = 1;
    m_rectDrawing = DrawingAreaIn(m_rectPage);
    Refresh();
    if (!m_bFixedRect) {
        m_rectFixed = m_rectPage;
        m_bFixedRect = 1;
    }
    auto restore = [&] {
        memoryDC.SetViewportOrg(0, 0);
        memoryDC.SelectObject(pOldBitmap);
        m_bFeedbackEnabled = savedFeedback;
        m_bDoubleBuffering = savedDoubleBuffering;
        m_bFixedRect = hadFixedRect;
        m_pDC = NULL;
        m_pView = NULL;
        m_bDrawing = 0;
        m_bChanged = 0;
        Refresh();
        m_bBanding = 0;
    };
    try {
        for (int top = 0; top < pageHeight; top += kBandHeight) {
            const int height = std::min(kBandHeight, pageHeight - top);
            const CRect bandRect(0, top, pageWidth, top + height);
            CRect overlap;
            if (!overlap.IntersectRect(&bandRect, &m_rectDrawing))
                continue;
            memoryDC.SetViewportOrg(0, -top);
            CGdiObject* pOldBrush = memoryDC.SelectStockObject(WHITE_BRUSH);
            CGdiObject* pOldPen = memoryDC.SelectStockObject(NULL_PEN);
            memoryDC.Rectangle(m_rectPage.left, m_rectPage.top, m_rectPage.right + 1, m_rectPage.bottom + 1);
            memoryDC.SelectObject(pOldPen);
            memoryDC.SelectObject(pOldBrush);
            DrawComponents(&memoryDC, pView);
            memoryDC.SetViewportOrg(0, 0);
            pPrinterDC->BitBlt(0, top, pageWidth, height, &memoryDC, 0, 0, SRCCOPY);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void QVGraph::ClipToPolygon(const POINT* pPoints, int nCount, int nMode)
{
    if (m_pDC == NULL || pPoints == NULL || nCount < 2)
        return;
    m_pDC->BeginPath();
    m_pDC->Polyline(pPoints, nCount);
    m_pDC->CloseFigure();
    m_pDC->EndPath();
    m_pDC->SelectClipPath(nMode);
}

void QVGraph::ClipToRect(int left, int top, int right, int bottom, int nMode)
{
    POINT corners[5];
    ClosedCornersOf(CRect(left, top, right, bottom), corners);
    ClipToPolygon(corners, 5, nMode);
}

void QVGraph::SaveClip()
{
    if (m_pDC == NULL)
        return;
    CRgn* pRegion = new CRgn;
    pRegion->CreateRectRgn(0, 0, 0, 0);
    if (::GetClipRgn(m_pDC->GetSafeHdc(), static_cast<HRGN>(pRegion->GetSafeHandle())) != 1) {
        delete pRegion;
        pRegion = NULL;
    }
    m_clipStack.AddHead(pRegion);
}

void QVGraph::RestoreClip()
{
    if (m_clipStack.IsEmpty())
        return;
    CRgn* pRegion = static_cast<CRgn*>(m_clipStack.RemoveHead());
    if (m_pDC != NULL)
        m_pDC->SelectClipRgn(pRegion);
    delete pRegion;
}
