// What the renderers draw through the component base: lines with their ends, markers, symbols, shapes
// and data labels.
#include "chart/model/GraphComponent.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/CompiledPolygon.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
const double kDegreesPerRadian = 57.295780490442965;

bool IsMarkerShape(int nShapeType)
{
    return nShapeType == 12 || nShapeType == 13 || nShapeType == 14 || nShapeType == 21 || nShapeType == 22;
}

// Label direction codes 0-7 as angles: 0 = 0 degrees, 1-7 = 315, 270, ... 45.
int DirectionAngle(int nCode)
{
    return nCode == 0 ? 0 : 360 - 45 * nCode;
}
}  // namespace

CRect BoundsOfPoints(const POINT* pPoints, int nCount)
{
    if (pPoints == NULL || nCount <= 0)
        return CRect(0, 0, 0, 0);
    CRect bounds(pPoints[0].x, pPoints[0].y, pPoints[0].x, pPoints[0].y);
    for (int i = 1; i < nCount; ++i) {
        bounds.left = std::min(bounds.left, pPoints[i].x);
        bounds.top = std::min(bounds.top, pPoints[i].y);
        bounds.right = std::max(bounds.right, pPoints[i].x);
        bounds.bottom = std::max(bounds.bottom, pPoints[i].y);
    }
    return bounds;
}

double LineLength(double x1, double y1, double x2, double y2)
{
    return std::fabs(std::hypot(x2 - x1, y2 - y1));
}

double LineAngle(double x1, double y1, double x2, double y2)
{
    if (x2 - x1 == 0.0 && y2 - y1 == 0.0)
        return 0.0;
    return std::atan2(y2 - y1, x2 - x1);
}

int CompareDoublesAscending(const void* a, const void* b)
{
    const double x = *static_cast<const double*>(a), y = *static_cast<const double*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

int CompareDoublesDescending(const void* a, const void* b)
{
    return CompareDoublesAscending(b, a);
}

int CompareBySecondInt(const void* a, const void* b)
{
    const int x = static_cast<const int*>(a)[1], y = static_cast<const int*>(b)[1];
    return x < y ? -1 : (x > y ? 1 : 0);
}

QVGCompiledPolygon* QVGraphComponent::FindShape(LPCTSTR lpszName, LPCTSTR lpszType, double angle)
{
    if (m_pChart == NULL || lpszName == NULL || *lpszName == '\0')
        return NULL;
    QVGCompiledPolygon* pPolygon = NULL;
    if (!m_pChart->FindStockShape(lpszName, lpszType, pPolygon, angle))
        return NULL;
    return pPolygon;
}

void QVGraphComponent::DrawLine(int x1, int y1, int x2, int y2, QVGraphStyle* pStyle, int nColorCode, int nLineType,
                                QVGraphData*)
{
    if (m_pDC == NULL)
        return;
    if (pStyle == NULL)
        pStyle = &m_style;
    if (nLineType < 0)
        nLineType = pStyle->GetLineType();
    if (nColorCode < 0)
        nColorCode = m_nColorCode;
    const int width = pStyle->m_nLineWidth;
    CPen* pOldPen = m_pDC->GetCurrentPen();
    SelectColorPen(nColorCode, width);
    const int oldBkMode = m_pDC->SetBkMode(TRANSPARENT);

    if (pStyle->GetShapeType() == 11) {
        // A ribbon: the line and its copy moved back by the depth, filled between them.
        const int depth = int(pStyle->GetBarDepthOrDefault());
        const POINT band[5] = {{x1, y1}, {x2, y2}, {x2 + depth, y2 - depth}, {x1 + depth, y1 - depth}, {x1, y1}};
        CBrush brush;
        brush.CreateSolidBrush(g_qvgColorTable[nColorCode & 15]);
        CBrush* pOldBrush = m_pDC->SelectObject(&brush);
        m_pDC->Polygon(band, 5);
        m_pDC->SelectObject(pOldBrush);
    } else if (nLineType != 0) {
        CPen* pPen = NULL;
        CPen patternPen;
        switch (nLineType) {
        case 1:
            pPen = m_pPen;
            break;
        case 2:
        case 4:
            pPen = GetPen(PS_SOLID, width, pStyle->m_crLineColor);
            break;
        case 3: {
            CBitmap pattern;
            CBitmap* pBitmap = NULL;
            if (!pStyle->m_strPatternImage.IsEmpty() && LoadChartBitmap(pattern, pStyle->m_strPatternImage))
                pBitmap = &pattern;
            else
                pBitmap = GetPatternBitmap();
            if (pBitmap != NULL) {
                LOGBRUSH brush = {BS_PATTERN, 0, ULONG_PTR(pBitmap->GetSafeHandle())};
                patternPen.CreatePen(PS_GEOMETRIC | PS_SOLID, std::max(width, 1), &brush);
                pPen = &patternPen;
            }
            break;
        }
        case 5:
            pPen = GetPen(PS_DASH, width, pStyle->m_crLineColor);
            break;
        case 6:
            pPen = GetPen(PS_DOT, width, pStyle->m_crLineColor);
            break;
        case 7:
            pPen = GetPen(PS_DASHDOT, width, pStyle->m_crLineColor);
            break;
        case 8:
            pPen = GetPen(PS_DASHDOTDOT, width, pStyle->m_crLineColor);
            break;
        default:
            pPen = GetDefaultPen();
            break;
        }
        if (pPen != NULL && pPen->GetSafeHandle() != NULL) {
            m_pDC->SelectObject(pPen);
            m_pDC->MoveTo(x1, y1);
            m_pDC->LineTo(x2, y2);
        }
        // Out before the pattern pen is destroyed: a selected pen cannot be deleted.
        m_pDC->SelectObject(pOldPen);
    }
    m_pDC->SetBkMode(oldBkMode);
    m_pDC->SelectObject(pOldPen);
}

void QVGraphComponent::DrawLineItem(int x1, int y1, int x2, int y2, QVGraphStyle* pStyle, int nEndKind,
                                    QVGraphData* pItem)
{
    if (pStyle == NULL)
        pStyle = &m_style;
    const int shape = pStyle->GetShapeType();
    switch (shape) {
    case 0:
        return;
    case 1:
    case 3:
    case 18: {
        DrawLine(x1, y1, x2, y2, pStyle, -1, -1, pItem);
        if (nEndKind == 0 || nEndKind == 2)
            DrawSymbol(x1, y1, pStyle, pItem);
        if (nEndKind == 1 || nEndKind == 2)
            DrawSymbol(x2, y2, pStyle, pItem);
        const double angle = -(LineAngle(x1, y1, x2, y2) * kDegreesPerRadian);
        DrawLineEnd(x1, y1, pStyle, 1, angle);
        DrawLineEnd(x2, y2, pStyle, 2, angle);
        return;
    }
    case 2:
        DrawSymbol(x2, y2, pStyle, pItem);
        return;
    case 4:
    case 11:
        DrawLine(x1, y1, x2, y2, pStyle, -1, -1, pItem);
        DrawItemLabel(x2, y2, pItem);
        return;
    default:
        DrawLine(x1, y1, x2, y2, pStyle, -1, -1, pItem);
        if (IsMarkerShape(shape))
            DrawMarker(x2, y2, pStyle, pItem);
        else
            DrawCustomMarker(x2, y2, pStyle, pItem);
        return;
    }
}

void QVGraphComponent::DrawMarker(int x, int y, QVGraphStyle* pStyle, QVGraphData* pItem)
{
    if (m_pDC == NULL)
        return;
    if (pStyle == NULL)
        pStyle = &m_style;
    const int shape = pStyle->GetShapeType();
    if (shape == 0)
        return;
    double half = pStyle->GetMarkerSizeOrDefault();
    if (!(half > 1.0))
        half = 2.0;
    if (IsPrinting())
        half *= GetDeviceScaleX(m_pDC);
    // A marker larger than a device's 16-bit coordinates reach covers all it can show already; a
    // stored size of millions would overflow the corners or keep GDI rasterising a shape mostly off
    // the device.
    const double kMaxHalf = 32767.0;
    if (!(half <= kMaxHalf))
        half = kMaxHalf;
    const int h = int(half);

    CPen* pOldPen = m_pDC->GetCurrentPen();
    CBrush* pOldBrush = m_pDC->GetCurrentBrush();
    CBrush fillBrush;
    if (pStyle->GetMarkerFill() == 0x10) {
        SelectColorBrush(m_nColorCode, m_pChart != NULL ? m_pChart->GetPaletteSize() : 16);
        SelectColorPen(m_nColorCode, pStyle->m_nLineWidth);
    } else {
        CPen* pPen = GetPen(PS_SOLID, 1, pStyle->m_crFill1);
        if (pPen != NULL)
            m_pDC->SelectObject(pPen);
        fillBrush.CreateSolidBrush(pStyle->m_crFill1);
        m_pDC->SelectObject(&fillBrush);
    }
    switch (shape) {
    case 13:
        m_pDC->Rectangle(x - h, y - h, x + h + 1, y + h + 1);
        break;
    case 14: {
        const POINT up[3] = {{x, y - h}, {x + h, y + h}, {x - h, y + h}};
        m_pDC->Polygon(up, 3);
        break;
    }
    case 21: {
        const POINT down[3] = {{x - h, y - h}, {x + h, y - h}, {x, y + h}};
        m_pDC->Polygon(down, 3);
        break;
    }
    case 22: {
        const POINT diamond[4] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}};
        m_pDC->Polygon(diamond, 4);
        break;
    }
    default:
        m_pDC->Ellipse(x - h, y - h, x + h + 1, y + h + 1);
        break;
    }
    m_pDC->SelectObject(pOldBrush);
    m_pDC->SelectObject(pOldPen);
    DrawItemLabel(x, y, pItem);
}

void QVGraphComponent::DrawCustomMarker(int, int, QVGraphStyle*, QVGraphData*) {}

void QVGraphComponent::DrawSymbol(int x, int y, QVGraphStyle* pStyle, QVGraphData* pItem)
{
    if (m_pDC == NULL)
        return;
    if (pStyle == NULL)
        pStyle = &m_style;
    QVGraphStyle highlighted;
    if (pStyle->GetHighlight() != 0) {
        highlighted.CopyFrom(*pStyle);
        HighlightSized(highlighted);
        pStyle = &highlighted;
    }
    const int shape = pStyle->GetShapeType();
    if (shape == 0)
        return;
    if (IsMarkerShape(shape)) {
        DrawMarker(x, y, pStyle, pItem);
        return;
    }
    CString name;
    if (shape == 1 || ((shape == 2 || shape == 3) && pStyle->m_strText.IsEmpty())) {
        name.LoadString(IDS_QVG_SYMBOL_FIRST + (m_nColorCode & 7));
    } else if (shape == 2 || shape == 3) {
        const int bar = pStyle->m_strText.Find('|');
        name = bar >= 0 ? pStyle->m_strText.Left(bar) : pStyle->m_strText;
    } else {
        name = pStyle->m_strText;
    }
    QVGCompiledPolygon* pPolygon = FindShape(name, "WIGETS", 0.0);
    if (pPolygon == NULL)
        return;
    if (pStyle->HasExplicitSizes()) {
        double width = pStyle->m_dSymbolWidth * 10.0, height = pStyle->m_dMarkerSize * 10.0;
        if (IsPrinting()) {
            width *= GetDeviceScaleX(m_pDC);
            height *= GetDeviceScaleY(m_pDC);
        }
        // As a marker's: no larger than 16-bit coordinates reach, and no size without a number.
        const double kMaxExtent = 65534.0;
        auto bounded = [kMaxExtent](double extent) {
            return std::isnan(extent) ? 0.0 : std::clamp(extent, -kMaxExtent, kMaxExtent);
        };
        width = bounded(width);
        height = bounded(height);
        const CRect box(int(x - width / 2), int(y - height / 2), int(x + width / 2), int(y + height / 2));
        pPolygon->FitToRect(box);
    } else {
        pPolygon->SetScaleX(GetDeviceScaleX(m_pDC));
        pPolygon->SetScaleY(GetDeviceScaleY(m_pDC));
        pPolygon->Transform(x, y);
    }
    const int count = pPolygon->GetPointCount();
    POINT* pPoints = pPolygon->GetPoints();
    // Symbols pick their colours from the code's upper bits.
    const int savedCode = m_nColorCode;
    m_nColorCode >>= 3;
    FillPolygon(pPoints, count, pStyle);
    OutlinePolygon(pPoints, count, pStyle);
    m_nColorCode = savedCode;
    DrawItemLabel(x, y, pItem);
}

void QVGraphComponent::DrawLineEnd(int x, int y, QVGraphStyle* pStyle, int nWhich, double angle)
{
    if (m_pDC == NULL)
        return;
    if (pStyle == NULL)
        pStyle = &m_style;
    const int bar = pStyle->m_strText.Find('|');
    if (bar < 0)
        return;
    const CString name = nWhich == 1 ? pStyle->m_strText.Left(bar) : pStyle->m_strText.Mid(bar + 1);
    if (name.IsEmpty())
        return;
    QVGCompiledPolygon* pPolygon = FindShape(name, "LINE_ENDS", angle);
    if (pPolygon == NULL)
        return;
    const double scale = pStyle->GetBarDepthOrDefault() * GetDeviceScaleX(m_pDC);
    pPolygon->SetScaleX(scale);
    pPolygon->SetScaleY(scale);
    pPolygon->Transform(x, y);
    const int count = pPolygon->GetPointCount();
    POINT* pPoints = pPolygon->GetPoints();
    FillPolygon(pPoints, count, pStyle);
    OutlinePolygon(pPoints, count, pStyle);
}

void QVGraphComponent::DrawShape(int left, int top, int right, int bottom, int nIndex, int nGroup,
                                 QVGraphStyle* pStyle, int nShapeType, QVGraphData* pItem)
{
    if (m_pDC == NULL)
        return;
    if (pStyle == NULL)
        pStyle = &m_style;
    QVGraphStyle highlighted;
    if (pStyle->GetHighlight() != 0) {
        highlighted.CopyFrom(*pStyle);
        HighlightRed(highlighted);
        pStyle = &highlighted;
    }
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    // The rectangle as a closed outline: the plain shape, and the front face of the box.
    POINT outline[5];
    ClosedCornersOf(rect, outline);
    const int outlineKind = pStyle->GetLineType() == 1 ? 2 : kindFromStyle;
    auto drawFace = [&](const POINT* pPoints, int nCount) {
        if (m_pChart != NULL)
            m_pChart->AddFeedbackPolygon(pPoints, nCount, nIndex, nGroup);
        FillPolygon(pPoints, nCount, pStyle);
        OutlinePolygon(pPoints, nCount, pStyle, outlineKind);
    };
    switch (nShapeType) {
    case 0:
        return;
    case 6: {
        double depth = pStyle->GetBarDepthOrDefault();
        if (IsPrinting())
            depth *= GetDeviceScaleX(m_pDC);
        const int d = int(depth);
        const POINT topFace[5] = {{rect.left, rect.top}, {rect.left + d, rect.top - d}, {rect.right + d, rect.top - d},
                                  {rect.right, rect.top}, {rect.left, rect.top}};
        const POINT side[5] = {{rect.right, rect.top}, {rect.right + d, rect.top - d},
                               {rect.right + d, rect.bottom - d}, {rect.right, rect.bottom}, {rect.right, rect.top}};
        drawFace(outline, 5);
        drawFace(topFace, 5);
        drawFace(side, 5);
        if (pStyle->GetOption(28)) {
            // Shaded faces: a light overlay on the top, a dark one on the side.
            auto overlay = [&](const POINT* pPoints, UINT nBitmap, int nMode) {
                CBitmap bitmap;
                CBrush brush;
                if (!LoadChartBitmap(bitmap, nBitmap) || !brush.CreatePatternBrush(&bitmap))
                    return;
                CBrush* pOldBrush = m_pDC->SelectObject(&brush);
                CGdiObject* pOldPen = m_pDC->SelectStockObject(NULL_PEN);
                const int oldMode = m_pDC->SetROP2(nMode);
                m_pDC->Polygon(pPoints, 5);
                m_pDC->SetROP2(oldMode);
                m_pDC->SelectObject(pOldPen);
                m_pDC->SelectObject(pOldBrush);
            };
            overlay(topFace, IDB_QVG_BOX_TOP, R2_MERGEPEN);
            overlay(side, IDB_QVG_BOX_SIDE, R2_MASKPEN);
        }
        break;
    }
    case 10:
    case 17: {
        QVGCompiledPolygon* pPolygon = NULL;
        if (nShapeType == 10) {
            for (POSITION pos = m_polygons.GetHeadPosition(); pos != NULL && pPolygon == NULL;) {
                QVGCompiledPolygon* pCandidate = static_cast<QVGCompiledPolygon*>(m_polygons.GetNext(pos));
                if (pCandidate->GetName() == pStyle->m_strText)
                    pPolygon = pCandidate;
            }
            if (pPolygon == NULL)
                pPolygon = FindShape(pStyle->m_strText, "POLYGON", 0.0);
        } else {
            pPolygon = FindShape(QVG_STOCK_SHAPE_PREFIX "CIRCLE", "POLYGON", 0.0);
        }
        if (pPolygon == NULL)
            break;
        pPolygon->FitToRect(rect);
        drawFace(pPolygon->GetPoints(), pPolygon->GetPointCount());
        break;
    }
    case 19:
        DrawLine(rect.CenterPoint().x, rect.top, rect.CenterPoint().x, rect.bottom, pStyle, -1, -1, pItem);
        break;
    case 20:
        DrawLine(rect.left, rect.CenterPoint().y, rect.right, rect.CenterPoint().y, pStyle, -1, -1, pItem);
        break;
    default:
        drawFace(outline, 5);
        break;
    }
    if (pItem == NULL)
        return;
    // The label sits where the item's direction code points on the shape.
    const CPoint centre = rect.CenterPoint();
    static const int kAnchorX[9] = {0, 0, 1, 2, 2, 2, 1, 0, 1};   // 0 left, 1 centre, 2 right
    static const int kAnchorY[9] = {1, 0, 0, 0, 1, 2, 2, 2, 1};   // 0 top, 1 middle, 2 bottom
    const int direction = std::clamp(pItem->GetStyle()->GetLabelDirection(), 0, 8);
    const int xs[3] = {rect.left, centre.x, rect.right};
    const int ys[3] = {rect.top, centre.y, rect.bottom};
    DrawItemLabel(xs[kAnchorX[direction]], ys[kAnchorY[direction]], pItem);
}

int QVGraphComponent::RotateLabelDirection(QVGraphStyle* pStyle, QVGraphComponent*)
{
    const int code = pStyle->GetLabelDirection();
    if (code > 7)
        return code;   // centred labels have no direction to turn
    const int rotation = pStyle->GetRotation() & 7;
    const int angle = ((DirectionAngle(code) - 45 * rotation) % 360 + 360) % 360;
    return angle == 0 ? 0 : (360 - angle) / 45;
}

bool QVGraphComponent::GetItemLabelText(QVGraphData* pItem, CString& text)
{
    if (pItem == NULL)
        return false;
    switch (pItem->GetStyle()->GetLabelKind()) {
    case 0x20:
        text = NumberText::Format("%g", pItem->GetValue()).c_str();
        return true;
    case 0x50:
        text = pItem->GetAnnotationText(GetChartAnnotationIndex());
        return true;
    case 0x60:
        text = NumberText::Format("%s (%g)", static_cast<LPCTSTR>(pItem->GetAnnotationText(GetChartAnnotationIndex())),
                                  pItem->GetValue())
                   .c_str();
        return true;
    default:
        return false;
    }
}

CPoint QVGraphComponent::GetItemLabelAnchor(int x, int y, int nDirection)
{
    int offset = 10;
    if (IsPrinting())
        offset = int(offset * GetDeviceScaleX(m_pDC));
    switch (nDirection) {
    case 0: return CPoint(x - offset, y);
    case 1: case 2: case 3: return CPoint(x, y - offset);
    case 4: return CPoint(x + offset, y);
    case 5: case 6: case 7: return CPoint(x, y + offset);
    default: return CPoint(x, y);
    }
}

// The base has no label component to draw with (CreateLabel gives none): the text components override
// this with GetItemLabelText, RotateLabelDirection and GetItemLabelAnchor.
void QVGraphComponent::DrawItemLabel(int, int, QVGraphData*) {}
