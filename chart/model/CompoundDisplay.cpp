#include "chart/model/CompoundDisplay.h"

#include "chart/model/AxisManager.h"
#include "chart/model/AxisScale.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/DataWatcher.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GridLines.h"
#include "chart/model/TickMarks.h"
#include "framework/core/Archive.h"

#include <algorithm>
#include <utility>

IMPLEMENT_SERIAL(QVGCompoundDisplay, QVGCompoundComponent, VERSIONABLE_SCHEMA | 1)

namespace {
// The side of each axis's labels and ticks: away from the inner rectangle (below the bottom axis,
// left of the left one, ...).
const int kLabelSide[QVGCompoundDisplay::sideCount] = {1, 0, 0, 1};

bool IsVertical(int nSide)
{
    return nSide == QVGCompoundDisplay::sideLeft || nSide == QVGCompoundDisplay::sideRight;
}

CScale RangeOf(double low, double high)
{
    CScale range;
    range.Include(low);
    range.Include(high);
    return range;
}
}  // namespace

QVGCompoundDisplay::QVGCompoundDisplay()
    : m_nValueSide(1),
      m_nSecondaryIndexSide(1),
      m_nIndexSide(1),
      m_bSecondaryIndexAxis(0),
      m_bSecondaryValueAxis(0),
      m_dSecondaryIndexFactor(0.0),
      m_dSecondaryValueFactor(0.0)
{
    m_nTypeId = IDS_QVG_COMPOUND_DISPLAY;
    // Two passes (layout, then drawing), draw-after children, and no empty-condition hook.
    m_bTwoPass = 1;
    m_bAfterPass = 1;
    m_nHookSuppress = 1;
    for (int side = 0; side < sideCount; ++side)
        AddSubComponent(new QVGAxisManager);
}

QVGCompoundDisplay::~QVGCompoundDisplay()
{
    // The scales hold the anchor lists without owning them: they let go before the lists go.
    while (!m_children.IsEmpty())
        delete m_children.RemoveHead();
}

QVGAxisManager* QVGCompoundDisplay::GetAxis(int nSide)
{
    if (nSide < 0 || nSide >= m_children.GetCount())
        return NULL;
    CObject* pChild = m_children.GetAt(m_children.FindIndex(nSide));
    return pChild->IsKindOf(RUNTIME_CLASS(QVGAxisManager)) ? static_cast<QVGAxisManager*>(pChild) : NULL;
}

QVGAxisManager* QVGCompoundDisplay::GetBottomAxis()
{
    return GetAxis(sideBottom);
}

QVGAxisManager* QVGCompoundDisplay::GetTopAxis()
{
    return GetAxis(sideTop);
}

QVGAxisManager* QVGCompoundDisplay::GetLeftAxis()
{
    return GetAxis(sideLeft);
}

QVGAxisManager* QVGCompoundDisplay::GetRightAxis()
{
    return GetAxis(sideRight);
}

void QVGCompoundDisplay::SetInnerRect(int left, int top, int right, int bottom, int bFixed)
{
    m_rectInner.SetRect(left, top, right, bottom);
    m_style.SetOption(7, bFixed != 0);
}

double QVGCompoundDisplay::ConvertSecondaryValue(double value)
{
    return value;
}

double QVGCompoundDisplay::ConvertSecondaryIndex(double value)
{
    return value;
}

void QVGCompoundDisplay::SetSecondaryIndexAxis(int bOn)
{
    m_bSecondaryIndexAxis = bOn;
}

void QVGCompoundDisplay::SetSecondaryValueAxis(int bOn)
{
    m_bSecondaryValueAxis = bOn;
}

void QVGCompoundDisplay::SetSecondaryIndexSide(int nSide)
{
    m_nSecondaryIndexSide = nSide;
}

void QVGCompoundDisplay::SetValueSide(int nSide)
{
    m_nValueSide = nSide;
}

void QVGCompoundDisplay::SetSecondaryIndexFactor(double factor)
{
    m_dSecondaryIndexFactor = factor;
}

void QVGCompoundDisplay::SetSecondaryValueFactor(double factor)
{
    m_dSecondaryValueFactor = factor;
}

int QVGCompoundDisplay::GetSecondaryIndexAxis()
{
    return m_bSecondaryIndexAxis;
}

int QVGCompoundDisplay::GetSecondaryValueAxis()
{
    return m_bSecondaryValueAxis;
}

int QVGCompoundDisplay::GetSecondaryIndexSide()
{
    return m_nSecondaryIndexSide;
}

int QVGCompoundDisplay::GetValueSide()
{
    return m_nValueSide;
}

double QVGCompoundDisplay::GetSecondaryIndexFactor()
{
    return m_dSecondaryIndexFactor;
}

double QVGCompoundDisplay::GetSecondaryValueFactor()
{
    return m_dSecondaryValueFactor;
}

void QVGCompoundDisplay::SetIndexSide(int nSide)
{
    m_nIndexSide = nSide;
}

int QVGCompoundDisplay::GetIndexSide()
{
    return m_nIndexSide;
}

void QVGCompoundDisplay::AttachAnchorList(QVGAxisManager* pManager, QVGAnchorList* pList)
{
    if (pManager == NULL)
        return;
    if (QVGDecimalScale* pScale = pManager->GetScale())
        pScale->SetAnchorList(pList);
    if (QVGTickMarks* pTicks = pManager->GetTickMarks())
        pTicks->SetScaleSource(pList);
}

void QVGCompoundDisplay::AttachBottomAnchors()
{
    AttachAnchorList(GetBottomAxis(), &m_anchors[sideBottom]);
}

void QVGCompoundDisplay::AttachTopAnchors()
{
    AttachAnchorList(GetTopAxis(), &m_anchors[sideTop]);
}

void QVGCompoundDisplay::AttachLeftAnchors()
{
    AttachAnchorList(GetLeftAxis(), &m_anchors[sideLeft]);
}

void QVGCompoundDisplay::AttachRightAnchors()
{
    AttachAnchorList(GetRightAxis(), &m_anchors[sideRight]);
}

#define FORWARD_TO_AXIS(Operation, Side, Type, Setter)              \
    void QVGCompoundDisplay::Operation(Type* pComponent)            \
    {                                                               \
        if (QVGAxisManager* pManager = GetAxis(Side))               \
            pManager->Setter(pComponent);                           \
    }

FORWARD_TO_AXIS(SetBottomScale, sideBottom, QVGDecimalScale, SetScale)
FORWARD_TO_AXIS(SetTopScale, sideTop, QVGDecimalScale, SetScale)
FORWARD_TO_AXIS(SetLeftScale, sideLeft, QVGDecimalScale, SetScale)
FORWARD_TO_AXIS(SetRightScale, sideRight, QVGDecimalScale, SetScale)
FORWARD_TO_AXIS(SetLeftGridLines, sideLeft, QVGGridLines, SetGridLines)
FORWARD_TO_AXIS(SetRightGridLines, sideRight, QVGGridLines, SetGridLines)
FORWARD_TO_AXIS(SetBottomGridLines, sideBottom, QVGGridLines, SetGridLines)
FORWARD_TO_AXIS(SetTopGridLines, sideTop, QVGGridLines, SetGridLines)
FORWARD_TO_AXIS(SetBottomTickMarks, sideBottom, QVGTickMarks, SetTickMarks)
FORWARD_TO_AXIS(SetTopTickMarks, sideTop, QVGTickMarks, SetTickMarks)
FORWARD_TO_AXIS(SetLeftTickMarks, sideLeft, QVGTickMarks, SetTickMarks)
FORWARD_TO_AXIS(SetRightTickMarks, sideRight, QVGTickMarks, SetTickMarks)
FORWARD_TO_AXIS(SetBottomDisplay, sideBottom, QVGDisplayBase, SetDisplay)
FORWARD_TO_AXIS(SetTopDisplay, sideTop, QVGDisplayBase, SetDisplay)
FORWARD_TO_AXIS(SetLeftDisplay, sideLeft, QVGDisplayBase, SetDisplay)
FORWARD_TO_AXIS(SetRightDisplay, sideRight, QVGDisplayBase, SetDisplay)
FORWARD_TO_AXIS(SetBottomWatcher, sideBottom, QVGDataWatcher, SetWatcher)
FORWARD_TO_AXIS(SetTopWatcher, sideTop, QVGDataWatcher, SetWatcher)
FORWARD_TO_AXIS(SetLeftWatcher, sideLeft, QVGDataWatcher, SetWatcher)
FORWARD_TO_AXIS(SetRightWatcher, sideRight, QVGDataWatcher, SetWatcher)

#undef FORWARD_TO_AXIS

void QVGCompoundDisplay::AdjustHeldDisplays()
{
    for (int side : {sideLeft, sideBottom, sideRight, sideTop}) {
        QVGAxisManager* pManager = GetAxis(side);
        QVGDisplayBase* pDisplay = pManager != NULL ? pManager->GetDisplay() : NULL;
        if (pDisplay == NULL)
            continue;
        switch (pDisplay->GetGraphType()) {
        case 4: case 13: case 18: case 23: case 26: case 27:
            // Pies, webs and polar charts have no axes to share.
            pDisplay->SetGraphType(3);
            pDisplay->SetAxisStyle(2);
            pDisplay->GetStyle()->m_bModified = 1;
            break;
        case 9: case 10: case 17:
            pDisplay->SetGraphType(15);
            pDisplay->SetAxisStyle(11);
            pDisplay->GetStyle()->m_bModified = 1;
            break;
        default:
            break;
        }
    }
}

CSize QVGCompoundDisplay::DepthOffset()
{
    const int depth = int(m_style.GetBarDepthOrDefault());
    return CSize(int(depth * GetDeviceScaleX(m_pDC) + 0.5), int(depth * GetDeviceScaleY(m_pDC) + 0.5));
}

bool QVGCompoundDisplay::IsThreeD(QVGDisplayBase* pDisplay)
{
    const int axisStyle = pDisplay->GetAxisStyle(), type = pDisplay->GetGraphType();
    switch (axisStyle) {
    case 11: case 13: case 16: case 20: case 21: case 22:
        return true;
    case 1:
        return type == 15 || type == 16;
    default:
        return false;
    }
}

void QVGCompoundDisplay::FeedAxis(int nSide, double low, double high, QVGDisplayBase* pDisplay, bool bThreeD)
{
    QVGAxisManager* pManager = GetAxis(nSide);
    if (pManager == NULL)
        return;
    if (low > high)
        std::swap(low, high);
    pManager->SetRangeMinimum(low);
    pManager->SetRangeMaximum(high);
    int minIndex = 0, maxIndex = 0, minGroup = 0, maxGroup = 0;
    pDisplay->GetDataRange(minIndex, maxIndex, minGroup, maxGroup);
    pManager->SetDataRange(minIndex, maxIndex, minGroup, maxGroup);
    pManager->SetIndexStride(pDisplay->GetIndexStride());
    pManager->SetGroupStride(pDisplay->GetGroupStride());
    // Along its edge of the inner rectangle, from the bottom or the left corner; a 3D display's far end
    // stops one depth short.
    const CRect& inner = m_rectInner;
    const CSize depth = bThreeD ? DepthOffset() : CSize(0, 0);
    switch (nSide) {
    case sideLeft:
        pManager->SetAxisStart(inner.left, inner.bottom);
        pManager->SetAxisEnd(inner.left, inner.top + depth.cy);
        break;
    case sideRight:
        pManager->SetAxisStart(inner.right, inner.bottom);
        pManager->SetAxisEnd(inner.right, inner.top + depth.cy);
        break;
    case sideBottom:
        pManager->SetAxisStart(inner.left, inner.bottom);
        pManager->SetAxisEnd(inner.right - depth.cx, inner.bottom);
        break;
    default:
        pManager->SetAxisStart(inner.left, inner.top);
        pManager->SetAxisEnd(inner.right - depth.cx, inner.top);
        break;
    }
    // Grid lines and the watcher draw as the display does (3D grid lines over its back wall).
    const int typeBytes = pDisplay->GetStyle()->m_nLineStyle & int(0xFFFF0000u);
    for (QVGraphComponent* pPart : {static_cast<QVGraphComponent*>(pManager->GetGridLines()),
                                    static_cast<QVGraphComponent*>(pManager->GetWatcher())}) {
        if (pPart == NULL)
            continue;
        QVGraphStyle* pStyle = pPart->GetStyle();
        pStyle->m_nLineStyle = (pStyle->m_nLineStyle & 0x0000FFFF) | typeBytes;
        pStyle->m_bModified = 1;
    }
    if (QVGDataWatcher* pWatcher = pManager->GetWatcher())
        pWatcher->m_valueDataRange = RangeOf(low, high);
}

void QVGCompoundDisplay::PlaceAxisLabels()
{
    const CRect& inner = m_rectInner;
    const CPoint middle = inner.CenterPoint();
    const bool fixed = IsInnerRectFixed() != FALSE;
    const bool pass = m_bVisible != 0;
    // Orientation (0 level, 1 upwards, 3 downwards) and anchor of each label, loose and fixed.
    static const int kOrientation[sideCount] = {0, 0, 1, 3};
    static const int kLooseAnchor[sideCount] = {6, 2, 2, 2};
    static const int kFixedAnchor[sideCount] = {2, 6, 6, 6};
    for (int side = 0; side < sideCount; ++side) {
        QVGAxisManager* pManager = GetAxis(side);
        QVGraphLabel* pLabel = pManager != NULL ? pManager->GetAxisLabel() : NULL;
        if (pLabel == NULL)
            continue;
        if (pass && !fixed) {
            // Only along its side: the label keeps its distance from the edge found in the first pass.
            if (IsVertical(side))
                pLabel->SetY(middle.y);
            else
                pLabel->SetX(middle.x);
            continue;
        }
        CPoint at;
        if (!fixed) {
            switch (side) {
            case sideLeft: at = CPoint(inner.left, middle.y); break;
            case sideRight: at = CPoint(inner.right, middle.y); break;
            case sideBottom: at = CPoint(middle.x, inner.bottom); break;
            default: at = CPoint(middle.x, inner.top); break;
            }
        } else {
            // Outside the labels of the scale beside it.
            QVGDecimalScale* pScale = pManager->GetScale();
            const CRect labels = pScale != NULL ? pScale->MeasureLabelExtent() : CRect(0, 0, 0, 0);
            switch (side) {
            case sideLeft: at = CPoint(inner.left - labels.Width(), middle.y); break;
            case sideRight: at = CPoint(inner.right + labels.Width(), middle.y); break;
            case sideBottom: at = CPoint(middle.x, inner.bottom + labels.Height()); break;
            default: at = CPoint(middle.x, inner.top - labels.Height()); break;
            }
        }
        pLabel->SetAnchorMode(kOrientation[side]);
        pLabel->SetJustification(fixed ? kFixedAnchor[side] : kLooseAnchor[side]);
        pLabel->SetPosition(at.x, at.y);
    }
}

void QVGCompoundDisplay::LayoutAxes()
{
    AttachBottomAnchors();
    AttachTopAnchors();
    AttachLeftAnchors();
    AttachRightAnchors();
    for (int side = 0; side < sideCount; ++side)
        if (QVGAxisManager* pManager = GetAxis(side))
            pManager->SetLabelSide(kLabelSide[side]);
    PlaceAxisLabels();
    const bool pass = m_bVisible != 0;
    for (int side : {sideLeft, sideRight, sideBottom, sideTop}) {
        QVGAxisManager* pManager = GetAxis(side);
        QVGDisplayBase* pDisplay = pManager != NULL ? pManager->GetDisplay() : NULL;
        if (pDisplay == NULL)
            continue;
        if (!pass) {
            // Current data and axis ranges, taken anew at every drawing.
            pDisplay->SetChart(m_pChart);
            pDisplay->SetValueAxisAutomatic(1);
            pDisplay->SetIndexAxisAutomatic(1);
            pDisplay->m_bPrepared = 0;
            pDisplay->PrepareDisplay();
        }
        CScale values = pDisplay->GetValueAxisRange();
        if (values.IsEmpty())
            values = pDisplay->ValueDataRange();
        CScale indexes = pDisplay->GetIndexAxisRange();
        if (indexes.IsEmpty())
            indexes = pDisplay->IndexDataRange();
        // Axis option 29 lays the values along the horizontal axis.
        if (pDisplay->GetAxisOption(29))
            std::swap(values, indexes);
        const bool threeD = IsThreeD(pDisplay);
        const int valueManager = IsVertical(side) ? side : (m_nValueSide ? sideLeft : sideRight);
        const int indexManager = IsVertical(side) ? (m_nIndexSide ? sideBottom : sideTop) : side;
        FeedAxis(valueManager, values.m_dMin, values.m_dMax, pDisplay, threeD);
        FeedAxis(indexManager, indexes.m_dMin, indexes.m_dMax, pDisplay, threeD);
        // The secondary value axis shows the primary display's values on the other vertical side.
        const bool primaryValues = valueManager == (m_nValueSide ? sideLeft : sideRight);
        if (m_bSecondaryValueAxis && primaryValues) {
            auto convert = [&](double value) {
                return m_dSecondaryValueFactor != 0 ? value * m_dSecondaryValueFactor : ConvertSecondaryValue(value);
            };
            FeedAxis(valueManager == sideLeft ? sideRight : sideLeft, convert(values.m_dMin), convert(values.m_dMax),
                     pDisplay, threeD);
        }
        // The secondary index axis shows the indexes of the display on the bottom axis (side flag set)
        // or on the top axis (clear) on the horizontal side opposite it.
        const bool primaryIndexes = indexManager == (m_nSecondaryIndexSide ? sideBottom : sideTop);
        if (m_bSecondaryIndexAxis && primaryIndexes) {
            auto convert = [&](double value) {
                return m_dSecondaryIndexFactor != 0 ? value * m_dSecondaryIndexFactor : ConvertSecondaryIndex(value);
            };
            FeedAxis(indexManager == sideBottom ? sideTop : sideBottom, convert(indexes.m_dMin),
                     convert(indexes.m_dMax), pDisplay, threeD);
        }
    }
    const CRect& inner = m_rectInner;
    for (int side = 0; side < sideCount; ++side) {
        QVGAxisManager* pManager = GetAxis(side);
        if (pManager == NULL)
            continue;
        if (QVGDisplayBase* pDisplay = pManager->GetDisplay())
            pDisplay->SetPlotRect(inner.left, inner.top, inner.right, inner.bottom, 1);
        if (QVGGridLines* pGrid = pManager->GetGridLines()) {
            pGrid->SetExtentRect(inner);
            pGrid->SetOrientation(IsVertical(side) ? 0 : 1);
        }
        if (QVGTickMarks* pTicks = pManager->GetTickMarks())
            pTicks->SetExtentRect(inner);
    }
}

void QVGCompoundDisplay::LayoutAndPlace()
{
    LayoutAxes();
    for (int side = 0; side < sideCount; ++side) {
        QVGAxisManager* pManager = GetAxis(side);
        if (QVGDataWatcher* pWatcher = pManager != NULL ? pManager->GetWatcher() : NULL) {
            pWatcher->SetExtentRect(m_rectInner);
            pWatcher->SetOrientation(IsVertical(side) ? 0 : 1);
        }
    }
}

void QVGCompoundDisplay::FitInnerRect()
{
    if (m_bVisible || IsInnerRectFixed())
        return;
    CRect& inner = m_rectInner;
    // How far the labels of the horizontal scales reach out to the left and to the right.
    int outLeft = 0, outRight = 0;
    for (int side : {sideBottom, sideTop}) {
        QVGAxisManager* pManager = GetAxis(side);
        QVGDecimalScale* pScale = pManager != NULL ? pManager->GetScale() : NULL;
        if (pScale == NULL)
            continue;
        const CRect labels = pScale->MeasureLabelExtent();
        if (labels.Width() <= 0)
            continue;
        outLeft = std::max(outLeft, std::max(0, int(inner.left - labels.left)));
        outRight = std::max(outRight, std::max(0, int(labels.right - inner.right)));
    }
    auto required = [&](int nSide, bool bWidth) {
        QVGAxisManager* pManager = GetAxis(nSide);
        if (pManager == NULL)
            return 0;
        pManager->SetDrawContext(m_pDC, m_pView);
        return bWidth ? pManager->GetRequiredWidth() : pManager->GetRequiredHeight();
    };
    inner.left += std::max(outLeft, required(sideLeft, true));
    inner.right -= std::max(outRight, required(sideRight, true));
    inner.bottom -= required(sideBottom, false);
    inner.top += required(sideTop, false);
    if (inner.right < inner.left)
        inner.left = inner.right = (inner.left + inner.right) / 2;
    if (inner.bottom < inner.top)
        inner.top = inner.bottom = (inner.top + inner.bottom) / 2;
}

void QVGCompoundDisplay::Draw(CDC* pDC, CWnd* pView)
{
    AdjustHeldDisplays();
    QVGCompoundComponent::Draw(pDC, pView);
}

void QVGCompoundDisplay::DrawContent()
{
    const int pass = m_bVisible;
    for (int side = 0; side < sideCount; ++side)
        if (QVGAxisManager* pManager = GetAxis(side)) {
            pManager->SetChart(m_pChart);
            pManager->SetDrawContext(m_pDC, m_pView);
            pManager->SetVisible(pass);
        }
    if (!pass) {
        // The layout pass: the axes measure their labels and the inner rectangle makes room for them.
        if (!IsInnerRectFixed())
            m_rectInner = GetInnerRect(m_rect.ToDeviceRect(m_pDC, m_pView));
        LayoutAxes();
        for (int side = 0; side < sideCount; ++side)
            if (QVGAxisManager* pManager = GetAxis(side))
                pManager->LayoutAxis();
        FitInnerRect();
        return;
    }
    LayoutAndPlace();
    for (int side = 0; side < sideCount; ++side)
        if (QVGAxisManager* pManager = GetAxis(side))
            pManager->LayoutAxis();
    for (int side = 0; side < sideCount; ++side)
        if (QVGAxisManager* pManager = GetAxis(side))
            pManager->Draw(m_pDC, m_pView);
}

void QVGCompoundDisplay::Serialize(CArchive& ar)
{
    if (!ar.IsStoring()) {
        while (!m_children.IsEmpty())
            delete m_children.RemoveHead();
    }
    QVGCompoundComponent::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nValueSide << m_nSecondaryIndexSide << m_nIndexSide << m_bSecondaryIndexAxis << m_bSecondaryValueAxis;
        ar << m_dSecondaryIndexFactor << m_dSecondaryValueFactor;
        return;
    }
    ar >> m_nValueSide >> m_nSecondaryIndexSide >> m_nIndexSide >> m_bSecondaryIndexAxis >> m_bSecondaryValueAxis;
    ar >> m_dSecondaryIndexFactor >> m_dSecondaryValueFactor;
}
