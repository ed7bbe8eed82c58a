// Index and group scales: one label per category, texts from the chart's data.
#include "chart/model/AxisScale.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

IMPLEMENT_SERIAL(QVGIndexScale, QVGDecimalScale, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(QVGGroupScale, QVGIndexScale, VERSIONABLE_SCHEMA | 1)

QVGIndexScale::QVGIndexScale() : m_bLabelsAtEdges(0)
{
    m_nTypeId = IDS_QVG_INDEX_SCALE;
    m_bOverlapCheck = 0;
    m_style.m_dTextAngle = -500.0;
}

void QVGIndexScale::Serialize(CArchive& ar)
{
    QVGDecimalScale::Serialize(ar);
    if (ar.IsStoring())
        ar << m_bLabelsAtEdges;
    else
        ar >> m_bLabelsAtEdges;
}

int QVGIndexScale::GetLabelsAtEdges()
{
    return m_bLabelsAtEdges;
}

void QVGIndexScale::SetLabelsAtEdges(int n)
{
    m_bLabelsAtEdges = n;
}

int QVGIndexScale::LabelStep(int nCategories, int nFitting, double fixedStep)
{
    int k = int(fixedStep);
    if (k >= 1)
        return k;
    k = (nCategories + std::max(nFitting, 1) - 1) / std::max(nFitting, 1);
    if (k > 500)
        k = k / 500 * 500 + 500;
    else if (k > 100)
        k = k / 100 * 100 + 100;
    else if (k > 5)
        k = k / 10 * 10 + 10;
    return std::max(k, 1);
}

void QVGIndexScale::GenerateCategoryLabels(int nFirst, int nLast, int nStride, bool bGroups, int nTextGroup)
{
    if (m_pDC == NULL || m_pChart == NULL)
        return;
    const int stride = std::max(nStride, 1);
    const int categories = std::max((nLast - nFirst + 1) / stride, 1);
    CPoint start = m_ptStart;
    CPoint end = m_ptEnd;
    if (!m_bLabelsAtEdges) {
        // Half a category in from both ends: labels sit in the middle of their slots.
        const int halfX = int(std::floor(double(end.x - start.x) / categories / 2 + 0.5));
        const int halfY = int(std::floor(double(end.y - start.y) / categories / 2 + 0.5));
        start.Offset(halfX, halfY);
        end.Offset(-halfX, -halfY);
    }
    RebuildFont();
    CFont* pOldFont = m_pDC->SelectObject(m_pFont);
    const int perLabel = std::max(1, std::abs(int(m_logFont.lfHeight) * 6 / 5));
    const int lineLength = int(LineLength(start.x, start.y, end.x, end.y));
    const int fitting = std::max(1, lineLength / perLabel);
    int k = LabelStep(categories, fitting, m_dStep);
    int labels = (categories - 1) / k + 1;
    if (m_bLabelsAtEdges && labels < 2) {
        k = categories < 2 ? 0 : categories - 1;
        labels = 2;
    }
    double spacingX = 0, spacingY = 0;
    if (categories < 2) {
        spacingX = end.x - start.x;
        spacingY = end.y - start.y;
    } else {
        spacingX = double(end.x - start.x) / (categories - 1) * k;
        spacingY = double(end.y - start.y) / (categories - 1) * k;
    }
    const CPoint offset = GetLabelOffset();
    const int annotation = m_pChart->GetLabelAnnotation();
    const int lastCategory = (categories - 1) * stride + nFirst;
    for (int j = 0; j < labels; ++j) {
        const int at = std::min(nFirst + j * k * stride, lastCategory);
        const CString text = bGroups ? m_pChart->GetGroupText(at, annotation)
                                     : m_pChart->GetItemText(nTextGroup, at, annotation);
        QVGraphLabel* pLabel = LabelForGeneration(j);
        pLabel->SetAnnotationText(text);
        pLabel->SetPosition(start.x + offset.x + j * spacingX, start.y + offset.y + j * spacingY);
    }
    TrimLabels(labels);
    OrientLabels();
    RecordAnchors(-offset.x, -offset.y);
    m_pDC->SelectObject(pOldFont);
}

void QVGIndexScale::TakeDisplayStrides()
{
    QVGraphComponent* pDrawn = m_pChart->GetCurrentComponent();
    if (pDrawn != NULL && pDrawn->GetTypeId() == IDS_QVG_DISPLAY) {
        m_nIndexStride = pDrawn->GetIndexStride();
        m_nGroupStride = pDrawn->GetGroupStride();
    }
}

void QVGIndexScale::GenerateLabels()
{
    if (m_pChart == NULL || m_pChart->GetGroupCount() < 1 || m_pChart->GetMaxGroupSize() < 1)
        return;
    const int first = m_nMinIndex == -1 ? 0 : m_nMinIndex;
    const int last = m_nMaxIndex == -1 ? m_pChart->GetMaxGroupSize() - 1 : m_nMaxIndex;
    const int textGroup = m_nMinGroup == -1 ? 0 : m_nMinGroup;
    TakeDisplayStrides();
    GenerateCategoryLabels(first, last, m_nIndexStride, false, textGroup);
}

QVGGroupScale::QVGGroupScale()
{
    m_nTypeId = IDS_QVG_GROUP_SCALE;
}

void QVGGroupScale::GenerateLabels()
{
    if (m_pChart == NULL || m_pChart->GetGroupCount() < 1)
        return;
    const int first = m_nMinGroup == -1 ? 0 : m_nMinGroup;
    const int last = m_nMaxGroup == -1 ? m_pChart->GetGroupCount() - 1 : m_nMaxGroup;
    TakeDisplayStrides();
    GenerateCategoryLabels(first, last, m_nGroupStride, true, 0);
}
