// The label block: its list of labels, anchor recording, angles and layout, and overlap-aware drawing.
#include "chart/model/LabelBlock.h"

#include "chart/model/ChartArchive.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphException.h"
#include "chart/model/ListCursor.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(QVGraphLabelBlock, QVGraphLabel, VERSIONABLE_SCHEMA | 1)

namespace {
// A label that keeps overlapping after this many moves cannot be placed.
const int kMaxMoves = 1000;
}  // namespace

QVGraphLabelBlock::QVGraphLabelBlock()
    : m_labels(10),
      m_nCursor(-1),
      m_posCursor(NULL),
      m_bOverlapCheck(1),
      m_rectBounds(0, 0, 0, 0),
      m_bRecordAnchors(0),
      m_pAnchors(NULL),
      m_bOwnsAnchors(0),
      m_pClipRegion(NULL),
      m_nBlockFurther(0),
      m_nIdentifier(0)
{
    m_nTypeId = IDS_QVG_LABEL_BLOCK;
    m_style.SetShadowStyle(overlapHide);
}

QVGraphLabelBlock::~QVGraphLabelBlock()
{
    TrimLabels(0);
    if (m_bOwnsAnchors)
        delete m_pAnchors;
    delete m_pClipRegion;
}

void QVGraphLabelBlock::Serialize(CArchive& ar)
{
    QVGraphLabel::Serialize(ar);
    if (ar.IsStoring()) {
        for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;) {
            QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
            pLabel->SetBlock(this, pLabel->HasOwnStyle());
        }
    } else {
        TrimLabels(0);
    }
    // Only labels, each owned by the block alone: an archive may name any class, or an object twice.
    SerializeOwnedChartList(ar, m_labels, RUNTIME_CLASS(QVGraphLabel));
    if (ar.IsStoring()) {
        ar << m_nBlockFurther << m_bOverlapCheck << m_bRecordAnchors;
        return;
    }
    ar >> m_nBlockFurther >> m_bOverlapCheck >> m_bRecordAnchors;
    ClearBounds();
    m_nCursor = -1;
    m_posCursor = NULL;
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;) {
        QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
        pLabel->SetBlock(this, pLabel->HasOwnStyle());
    }
}

void QVGraphLabelBlock::SetChart(QVGraph* pChart)
{
    QVGraphLabel::SetChart(pChart);
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;) {
        QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
        pLabel->SetChart(pChart);
        pLabel->SetBlock(this, pLabel->HasOwnStyle());
    }
}

double QVGraphLabelBlock::GetFontAngle()
{
    // The block's own font measures; each label makes its font at its own angle.
    return 0.0;
}

int QVGraphLabelBlock::RecordAnchors(int dx, int dy)
{
    if (!m_bRecordAnchors)
        return 0;
    if (m_pAnchors == NULL) {
        m_pAnchors = new QVGAnchorList(10);
        m_bOwnsAnchors = 1;
    }
    m_pAnchors->RemoveAll();
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;) {
        QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
        pLabel->ComputeAnchor();
        m_pAnchors->AddTail(pLabel->GetAnchor() + CPoint(dx, dy));
    }
    return int(m_pAnchors->GetCount());
}

void QVGraphLabelBlock::GenerateLabels() {}

int QVGraphLabelBlock::GetLabelCount()
{
    return int(m_labels.GetCount());
}

void QVGraphLabelBlock::TrimLabels(int nKeep)
{
    while (m_labels.GetCount() > std::max(nKeep, 0))
        delete m_labels.RemoveTail();
    m_nCursor = -1;
    m_posCursor = NULL;
    ClearBounds();
}

void QVGraphLabelBlock::RemoveLastLabel()
{
    if (!m_labels.IsEmpty())
        TrimLabels(int(m_labels.GetCount()) - 1);
}

void QVGraphLabelBlock::RemoveAllLabels()
{
    TrimLabels(0);
}

void QVGraphLabelBlock::SetIdentifier(int nIdentifier)
{
    m_nIdentifier = nIdentifier;
}

int QVGraphLabelBlock::GetIdentifier()
{
    return m_nIdentifier;
}

QVGraphLabel* QVGraphLabelBlock::GetLabel(int nIndex)
{
    if (m_labels.IsEmpty())
        return NULL;
    if (nIndex == -1)
        return static_cast<QVGraphLabel*>(m_labels.GetHead());
    if (nIndex == -2)
        return static_cast<QVGraphLabel*>(m_labels.GetTail());
    const POSITION pos = FindListPosition(m_labels, nIndex, m_posCursor, m_nCursor);
    if (pos == NULL)
        return NULL;
    return static_cast<QVGraphLabel*>(m_labels.GetAt(pos));
}

void QVGraphLabelBlock::AddLabel(QVGraphLabel* pLabel, BOOL bOwnStyle)
{
    if (pLabel == NULL)
        return;
    pLabel->SetBlock(this, bOwnStyle);
    pLabel->SetChart(m_pChart);
    m_labels.AddTail(pLabel);
    ClearBounds();
}

QVGraphLabel* QVGraphLabelBlock::AddTextLabel(LPCTSTR lpszText)
{
    QVGraphLabel* pLabel = new QVGraphLabel;
    AddLabel(pLabel, FALSE);
    pLabel->SetAnnotationText(lpszText);
    return pLabel;
}

void QVGraphLabelBlock::SetLabelTextAt(LPCTSTR lpszText, int nIndex, int nNumber)
{
    if (nIndex < 0)
        return;
    if (nIndex < GetLabelCount()) {
        GetLabel(nIndex)->SetAnnotation(nNumber, lpszText);
        ClearBounds();
        return;
    }
    while (GetLabelCount() < nIndex)
        AddTextLabel("");
    QVGraphLabel* pLabel = new QVGraphLabel;
    AddLabel(pLabel, FALSE);
    pLabel->SetAnnotation(nNumber, lpszText);
}

QVGraphLabel* QVGraphLabelBlock::LabelForGeneration(int nIndex)
{
    if (nIndex < GetLabelCount())
        return GetLabel(nIndex);
    QVGraphLabel* pLabel = new QVGraphLabel;
    AddLabel(pLabel, FALSE);
    return pLabel;
}

void QVGraphLabelBlock::SetLabelJustification(int nJustification)
{
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;)
        static_cast<QVGraphLabel*>(m_labels.GetNext(pos))->SetJustification(nJustification);
    ClearBounds();
}

void QVGraphLabelBlock::SetLabelAngle(double degrees)
{
    double a = std::fmod(degrees, 360.0);
    if (std::fabs(a - 360.0) < 0.2 || std::fabs(a + 360.0) < 0.2)
        a = 0.0;
    const bool snapped = std::fabs(std::fmod(a, 90.0)) < 2.0;
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;) {
        QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
        if (snapped) {
            pLabel->SetAnchorMode(int((std::fabs(a) + 2.0) / 90.0) & 3);
        } else {
            pLabel->SetTextAngle(a);
            pLabel->SetAnchorMode(4);
        }
    }
    ClearBounds();
}

int QVGraphLabelBlock::SpreadLabels(int x1, int y1, int x2, int y2)
{
    const int n = GetLabelCount();
    int k = 0;
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL; ++k) {
        QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
        if (n == 1)
            pLabel->SetPosition(x2, y2);
        else
            pLabel->SetPosition(double(x1 + k * (x2 - x1) / (n - 1)), double(y1 + k * (y2 - y1) / (n - 1)));
    }
    ClearBounds();
    return RecordAnchors(0, 0);
}

void QVGraphLabelBlock::SetLabelDirection(double dx, double dy)
{
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;) {
        QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
        pLabel->SetDirection(dx, dy);
        pLabel->m_bAxisDirection = 0;
    }
}

CRect QVGraphLabelBlock::GetLabelBounds()
{
    return m_rectBounds;
}

void QVGraphLabelBlock::SetAnchorList(QVGAnchorList* pList)
{
    if (m_bOwnsAnchors && m_pAnchors != pList)
        delete m_pAnchors;
    m_pAnchors = pList;
    m_bOwnsAnchors = 0;
}

void QVGraphLabelBlock::SetRecordAnchors(BOOL bRecord)
{
    m_bRecordAnchors = bRecord ? 1 : 0;
}

QVGAnchorList* QVGraphLabelBlock::GetAnchorList()
{
    return m_pAnchors;
}

void QVGraphLabelBlock::SetOverlapCheck(BOOL bCheck)
{
    m_bOverlapCheck = bCheck ? 1 : 0;
}

BOOL QVGraphLabelBlock::GetOverlapCheck()
{
    return m_bOverlapCheck;
}

void QVGraphLabelBlock::SetClipRegion(CRgn* pRegion)
{
    delete m_pClipRegion;
    m_pClipRegion = NULL;
    if (pRegion != NULL && pRegion->GetSafeHandle() != NULL) {
        m_pClipRegion = new CRgn;
        m_pClipRegion->CreateRectRgn(0, 0, 0, 0);
        m_pClipRegion->CopyRgn(pRegion);
    }
}

void QVGraphLabelBlock::PrepareLabel(QVGraphLabel* pLabel)
{
    pLabel->SetFontStyleFlags(m_nFontStyle);
    pLabel->SetDrawContext(m_pDC, m_pView);
    if (pLabel->HasOwnStyle())
        pLabel->RebuildFont();
    pLabel->ComputeAnchor();
    pLabel->BuildOutline();
}

CRect QVGraphLabelBlock::MeasureLabelExtent()
{
    CRect extent(0, 0, 0, 0);
    if (m_pDC == NULL)
        return extent;
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;) {
        QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
        CDC* pOwnDC = pLabel->GetDC();
        const BOOL wasDrawing = pLabel->IsDrawing();
        PrepareLabel(pLabel);
        const CRect box = pLabel->GetOutlineBounds();
        if (!box.IsRectEmpty())
            extent.UnionRect(&extent, &box);
        if (!wasDrawing)
            pLabel->SetDrawContext(pOwnDC, NULL);
    }
    return extent;
}

void QVGraphLabelBlock::Draw(CDC* pDC, CWnd* pView)
{
    SetDrawContext(pDC, pView);
    m_rect.ToDeviceRect(pDC, pView);
    DrawContent();
    m_bDrawing = 0;
    m_bChanged = 0;
}

void QVGraphLabelBlock::DrawInterior() {}

void QVGraphLabelBlock::DrawBorder() {}

void QVGraphLabelBlock::DrawShadow() {}

void QVGraphLabelBlock::DrawContent()
{
    if (m_labels.IsEmpty() || m_pDC == NULL)
        return;
    if (m_bChanged || m_bFontRebuild || m_pFont == NULL || (m_pChart != NULL && m_pChart->IsChanged()) ||
        (m_nFontStyle & fontAutoSize))
        RebuildFont();
    CRgn drawn;
    drawn.CreateRectRgn(0, 0, 0, 0);
    if (m_pClipRegion != NULL)
        drawn.CopyRgn(m_pClipRegion);
    ClearBounds();
    const bool moveMode = GetOverlapMode() == overlapMove;
    for (POSITION pos = m_labels.GetHeadPosition(); pos != NULL;) {
        QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(m_labels.GetNext(pos));
        PrepareLabel(pLabel);
        if (pLabel->GetCurrentText().IsEmpty() || pLabel->GetOutline().size() < 3)
            continue;
        if (m_bOverlapCheck) {
            bool hidden = false;
            for (int moves = 0;; ++moves) {
                CRgn labelRegion;
                labelRegion.CreatePolygonRgn(pLabel->GetOutline().data(), int(pLabel->GetOutline().size()), ALTERNATE);
                CRgn overlap;
                overlap.CreateRectRgn(0, 0, 0, 0);
                if (overlap.CombineRgn(&drawn, &labelRegion, RGN_AND) == NULLREGION) {
                    drawn.CombineRgn(&drawn, &labelRegion, RGN_OR);
                    break;
                }
                if (!moveMode) {
                    hidden = true;
                    break;
                }
                if (moves >= kMaxMoves)
                    RaiseChartError(17);
                CRect box;
                overlap.GetRgnBox(&box);
                int dx = 0, dy = 0;
                for (int f = 1; f <= 10 && dx == 0 && dy == 0; ++f) {
                    dx = int(pLabel->GetDirectionX() * box.Width() * f);
                    dy = int(pLabel->GetDirectionY() * box.Height() * f);
                }
                if (dx == 0 && dy == 0)
                    RaiseChartError(17);
                pLabel->Shift(dx, dy);
            }
            if (hidden)
                continue;
        }
        const CRect box = pLabel->GetOutlineBounds();
        m_rectBounds.UnionRect(&m_rectBounds, &box);
        pLabel->m_nLabelFurther = m_nIdentifier;
        if (m_style.GetAxisOption(26)) {
            const CPoint anchor = pLabel->GetAnchor();
            CPen* pPen = GetPen(PS_SOLID, 3, GetTextColor());
            CPen* pOldPen = pPen != NULL ? m_pDC->SelectObject(pPen) : NULL;
            CGdiObject* pOldBrush = m_pDC->SelectStockObject(NULL_BRUSH);
            m_pDC->Rectangle(anchor.x - 2, anchor.y - 2, anchor.x + 2, anchor.y + 2);
            m_pDC->SelectObject(pOldBrush);
            if (pOldPen != NULL)
                m_pDC->SelectObject(pOldPen);
        }
        pLabel->SetVisible(TRUE);
        pLabel->Draw(m_pDC, m_pView);
        pLabel->SetDrawContext(m_pDC, m_pView);
    }
    m_bChanged = 0;
}
