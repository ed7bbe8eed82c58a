// The legend: key texts from the display's data, the grid of key cells, the key samples and the fit of
// the font to the keys.
#include "chart/model/GraphLegend.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/CompoundComponent.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphException.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

IMPLEMENT_SERIAL(QVGraphLegend, QVGraphTitle, VERSIONABLE_SCHEMA | 4)

namespace {
// The key size of a measurement mode: pixels, millimetres, inches, percent.
double DefaultKeySize(int nMeasurement)
{
    switch (nMeasurement) {
    case QVGraphRect::millimetres: return 10.0;
    case QVGraphRect::inches: return 0.4;
    case QVGraphRect::percent: return 5.0;
    default: return 20.0;
    }
}

int CeilToInt(double value)
{
    return int(std::ceil(value));
}

// The key box of a key size in pixels: a fifth wider than the sample.
int KeyBoxOf(int nKeySizePixels)
{
    return CeilToInt(nKeySizePixels * 1.2);
}
}  // namespace

QVGraphLegend::QVGraphLegend()
    : m_pDisplay(NULL),
      m_bAnchorTop(0),
      m_bAnchorLeft(0),
      m_bFitWidth(0),
      m_bFitHeight(0),
      m_bGrowAndKeepInside(0),
      m_dKeySize(20.0),
      m_nKeyCount(0),
      m_nTextWidth(10),
      m_nRowFactor(1),
      m_nColumns(0),
      m_nRows(0),
      m_cellSize(0, 0),
      m_rectArea(0, 0, 0, 0)
{
    m_nTypeId = IDS_QVG_LEGEND;
    // Key texts read from the key box towards the cell's end.
    m_nAlignment = alignLeft;
    // What a chart is told when it asks its components for their value range.
    m_valueDataRange.Include(4.0);
    m_valueDataRange.Include(0.0);
}

QVGraphLegend::~QVGraphLegend() {}

void QVGraphLegend::Serialize(CArchive& ar)
{
    QVGraphTitle::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bFitWidth << m_bFitHeight << m_bAnchorLeft << m_bAnchorTop << m_dKeySize;
        ar << m_nTextWidth << m_nRowFactor << m_bGrowAndKeepInside;
        return;
    }
    const UINT schema = ar.GetObjectSchema();
    ar >> m_bFitWidth >> m_bFitHeight >> m_bAnchorLeft >> m_bAnchorTop >> m_dKeySize;
    if (schema > 2)
        ar >> m_nTextWidth >> m_nRowFactor;
    if (schema > 3)
        ar >> m_bGrowAndKeepInside;
    m_pDisplay = NULL;
}

void QVGraphLegend::SetChart(QVGraph* pChart)
{
    QVGraphTitle::SetChart(pChart);
    m_keys.SetChart(pChart);
}

void QVGraphLegend::Recalculate()
{
    QVGraphTitle::Recalculate();
    m_dKeySize = DefaultKeySize(m_rect.GetMeasurement());
}

int QVGraphLegend::GetKeyOptions() const
{
    return (m_bFitWidth ? keyFitWidth : 0) | (m_bFitHeight ? keyFitHeight : 0) | (m_bAnchorLeft ? keyAnchorLeft : 0) |
           (m_bAnchorTop ? keyAnchorTop : 0);
}

void QVGraphLegend::SetKeyOptions(int nOptions)
{
    m_bFitWidth = (nOptions & keyFitWidth) != 0;
    m_bFitHeight = (nOptions & keyFitHeight) != 0;
    m_bAnchorLeft = (nOptions & keyAnchorLeft) != 0;
    m_bAnchorTop = (nOptions & keyAnchorTop) != 0;
    m_bChanged = 1;
}

void QVGraphLegend::SetGrowAndKeepInside(int bGrow)
{
    m_bGrowAndKeepInside = bGrow != 0;
    m_bChanged = 1;
}

int QVGraphLegend::GetGrowAndKeepInside()
{
    return m_bGrowAndKeepInside;
}

void QVGraphLegend::FindDisplay()
{
    m_pDisplay = NULL;
    if (m_pChart == NULL)
        return;
    CObList* pList = m_pChart->GetComponentList();
    POSITION pos = pList->Find(this);
    if (pos == NULL)
        return;
    pList->GetNext(pos);
    while (pos != NULL && m_pDisplay == NULL) {
        QVGraphComponent* pComponent = static_cast<QVGraphComponent*>(pList->GetNext(pos));
        if (pComponent->GetTypeId() == IDS_QVG_DISPLAY && pComponent->IsKindOf(RUNTIME_CLASS(QVGDisplayBase))) {
            m_pDisplay = static_cast<QVGDisplayBase*>(pComponent);
        } else if (QVGCompoundComponent* pCompound = AsCompound(pComponent)) {
            int counter = 0;
            QVGraphComponent* pInside = pCompound->FindComponent(0, IDS_QVG_DISPLAY, counter);
            if (pInside != NULL && pInside->IsKindOf(RUNTIME_CLASS(QVGDisplayBase)))
                m_pDisplay = static_cast<QVGDisplayBase*>(pInside);
        }
    }
    if (m_pDisplay != NULL) {
        int minIndex = -1, maxIndex = -1, minGroup = -1, maxGroup = -1;
        m_pDisplay->GetDataRange(minIndex, maxIndex, minGroup, maxGroup);
        SetDataRange(minIndex, maxIndex, minGroup, maxGroup);
    }
}

int QVGraphLegend::GetKeyKind()
{
    const int kind = GetStoredKeyKind();
    if (kind != keyAutomatic)
        return kind;
    if (m_pDisplay == NULL)
        return keyPerGroup;
    switch (m_pDisplay->GetGraphType()) {
    case 0x04: case 0x0d:
        return keyPerItem;
    case 0x14: case 0x21: case 0x27: case 0x28: case 0x31: case 0x32:
        return keyPerIndex;
    default:
        return keyPerGroup;
    }
}

void QVGraphLegend::AddKey(int nIndex, int nGroup, LPCTSTR lpszText)
{
    m_keys.SetLabelTextAt(lpszText, int(m_keyItems.size()), 1);
    m_keyItems.push_back(CPoint(nIndex, nGroup));
}

void QVGraphLegend::RefreshKeys()
{
    FindDisplay();
    ResolveDataLimits();
    m_keyItems.clear();
    if (m_pChart != NULL) {
        const int groups = m_pChart->GetGroupCount();
        const int indexStride = std::max(1, m_nIndexStride);
        const int groupStride = std::max(1, m_nGroupStride);
        const int firstGroup = std::max(0, m_nFirstGroup);
        const int lastGroup = std::min(m_nLastGroup, groups - 1);
        const int firstIndex = std::max(0, m_nFirstIndex);
        switch (GetKeyKind()) {
        case keyPerIndex:
        case keyPerIndexToo:
            if (firstGroup <= lastGroup)
                for (int index = firstIndex; index <= m_nLastIndex; index += indexStride)
                    AddKey(index, firstGroup,
                           m_pChart->GetItemText(firstGroup, index, GetInheritedAnnotationIndex()));
            break;
        case keyPerItem:
            for (int group = firstGroup; group <= lastGroup; group += groupStride) {
                const int last = std::min(m_nLastIndex, m_pChart->GetGroupSize(group) - 1);
                for (int index = firstIndex; index <= last; index += indexStride) {
                    CString text = m_pChart->GetItemText(group, index, 1);
                    if (text.IsEmpty())
                        text = NumberText::Format("Data at group %d index %d ", group, index).c_str();
                    AddKey(index, group, text);
                }
            }
            break;
        default:
            for (int group = firstGroup; group <= lastGroup; group += groupStride)
                AddKey(firstIndex, group, m_pChart->GetGroupText(group, 1));
            break;
        }
    }
    m_nKeyCount = int(m_keyItems.size());
    while (m_keys.GetLabelCount() > m_nKeyCount)
        m_keys.RemoveLastLabel();
}

CSize QVGraphLegend::GetCharSize(CFont* pFont)
{
    if (m_pDC == NULL)
        return CSize(0, 0);
    CFont* pOld = pFont != NULL ? m_pDC->SelectObject(pFont) : NULL;
    TEXTMETRIC metrics = {};
    m_pDC->GetTextMetrics(&metrics);
    if (pOld != NULL)
        m_pDC->SelectObject(pOld);
    return CSize((metrics.tmMaxCharWidth + 3 * metrics.tmAveCharWidth) / 4, metrics.tmHeight);
}

int QVGraphLegend::GetKeySizePixels()
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL)
        return 30;
    int logX = 0, logY = 0;
    GetChartLogPixels(m_pDC, logX, logY);
    switch (m_rect.GetMeasurement()) {
    case QVGraphRect::millimetres:
        return int(m_dKeySize * logX * kInchesPerMillimetreFromDevice + 0.5);
    case QVGraphRect::inches:
        return int(m_dKeySize * logX + 0.5);
    case QVGraphRect::percent: {
        const CSize view = m_pChart != NULL ? m_pChart->GetDrawingArea().Size() : CSize(0, 0);
        const double size = m_dKeySize * std::max(view.cx, view.cy) * 0.01;
        return int(std::max(size, 10.0 * GetDeviceScaleX(m_pDC)) + 0.5);
    }
    default:
        return int(m_dKeySize + 0.5);
    }
}

CRect QVGraphLegend::FrameOf(const CRect& area)
{
    CRect frame(area);
    const int border = GetBorderWidth();
    frame.InflateRect(border + int(GetSizeX()), border + int(GetSizeY()));
    return frame;
}

void QVGraphLegend::KeepInside(CRect& area)
{
    if (m_pChart == NULL)
        return;
    const CRect view = m_pChart->GetDrawingArea();
    CRect frame = FrameOf(area);
    const int shadow = GetShadowExtent();
    frame.right += shadow;
    frame.bottom += shadow;
    // Left or right, up or down, each at most as far as the view's edge.
    int dx = 0, dy = 0;
    if (frame.right > view.right)
        dx = view.right - frame.right;
    if (frame.left + dx < view.left)
        dx = view.left - frame.left;
    if (frame.bottom > view.bottom)
        dy = view.bottom - frame.bottom;
    if (frame.top + dy < view.top)
        dy = view.top - frame.top;
    if (dx == 0 && dy == 0)
        return;
    area.OffsetRect(dx, dy);
    CRect device = m_rect.GetDeviceRect();
    device.OffsetRect(dx, dy);
    m_rect.FromDeviceRect(device, m_pDC);
}

void QVGraphLegend::LayOut()
{
    m_rectArea = GetInnerRect(m_rect.GetDeviceRect());
    if (m_nKeyCount == 0 || m_pDC == NULL) {
        m_nColumns = m_nRows = 0;
        m_cellSize = CSize(0, 0);
        return;
    }
    // Before the grid is recomputed: an automatic size with a fixed grid fits the last one.
    RebuildFontIfStale();
    const CSize character = GetCharSize(m_pFont);
    const int textWidth = m_nTextWidth * int(character.cx);
    const int rowHeight = std::max(1, CeilToInt((m_nRowFactor + 0.15) * character.cy));
    const int keyBox = KeyBoxOf(GetKeySizePixels());
    const int cellWidth = std::max(1, textWidth + keyBox);
    CRect area = m_rectArea;

    int columns = 1;
    if (m_style.GetOption(optionColumnsFromHeight)) {
        const int rows = std::max(1, area.Height() / rowHeight);
        columns = (m_nKeyCount + rows - 1) / rows;
    } else {
        columns = area.Width() / cellWidth;
    }
    columns = std::max(1, columns);
    int rows = (m_nKeyCount + columns - 1) / columns;
    if (rows == 1 && m_nKeyCount < columns)
        columns = m_nKeyCount;

    if (m_bFitWidth) {
        if (m_bAnchorLeft)
            area.right = area.left + cellWidth * columns;
        else
            area.left = area.right - cellWidth * columns;
    }
    if (m_bFitHeight) {
        if (m_bAnchorTop)
            area.bottom = area.top + rows * rowHeight;
        else
            area.top = area.bottom - rows * rowHeight;
    }
    if (m_bGrowAndKeepInside) {
        if (!m_bFitWidth && !m_bFitHeight)
            area.bottom = area.top + rows * rowHeight;
        KeepInside(area);
    }

    m_nColumns = columns;
    m_nRows = rows;
    m_cellSize.cx = std::max(cellWidth, area.Width() / columns);
    m_cellSize.cy = std::max(rowHeight, area.Height() / rows);
    int top = area.top;
    if (rows == 1) {
        m_cellSize.cy = rowHeight;
        top = area.top + (area.Height() - rowHeight) / 2;
    }
    m_rectArea = area;
    for (int key = 0; key < m_nKeyCount; ++key) {
        QVGraphLabel* pLabel = m_keys.GetLabel(key);
        if (pLabel == NULL)
            continue;
        pLabel->SetPosition(area.left + (key % columns) * m_cellSize.cx, top + (key / columns) * m_cellSize.cy);
        pLabel->SetJustification(3);
    }
}

CRect QVGraphLegend::GetDrawnRect()
{
    if (m_bGrowAndKeepInside && m_pDC != NULL) {
        m_rect.ToDeviceRect(m_pDC, m_pView);
        RefreshKeys();
        LayOut();
        return m_nKeyCount > 0 ? FrameOf(m_rectArea) : m_rect.GetDeviceRect();
    }
    return m_drawnRect.GetDeviceRect();
}

void QVGraphLegend::Draw(CDC* pDC, CWnd* pView)
{
    SetDrawContext(pDC, pView);
    m_rect.ToDeviceRect(pDC, pView);
    RefreshKeys();
    LayOut();
    // The frame follows the key area, which fitting or growing may have moved or shrunk.
    if (m_nKeyCount > 0)
        m_rect.m_rectDevice = FrameOf(m_rectArea);
    m_drawnRect.CopyFrom(m_rect);
    DrawInterior();
    DrawShadow();
    DrawBorder();
    DrawContent();
    m_bDrawing = 0;
    m_bChanged = 0;
}

void QVGraphLegend::DrawContent()
{
    if (!m_bDrawing || m_pDC == NULL || m_nKeyCount == 0 || m_nColumns == 0)
        return;
    if (m_pChart != NULL) {
        m_pChart->SaveClip();
        m_pChart->ClipToRect(m_rectArea.left - 1, m_rectArea.top - 1, m_rectArea.right + 1, m_rectArea.bottom + 1,
                             RGN_AND);
    }
    CFont* pOldFont = m_pDC->SelectObject(m_pFont);
    const COLORREF oldColor = m_pDC->SetTextColor(m_crText);
    const int oldMode = m_pDC->SetBkMode(TRANSPARENT);
    const int keySize = GetKeySizePixels();
    const int keyBox = KeyBoxOf(keySize);
    const bool boxLeft = m_style.GetOption(optionKeyBoxLeft) != 0;
    auto restore = [&] {
        m_pDC->SetBkMode(oldMode);
        m_pDC->SetTextColor(oldColor);
        m_pDC->SelectObject(pOldFont);
        if (m_pChart != NULL)
            m_pChart->RestoreClip();
    };
    try {
        for (int key = 0; key < m_nKeyCount; ++key) {
            QVGraphLabel* pLabel = m_keys.GetLabel(key);
            if (pLabel == NULL)
                continue;
            const int x = int(pLabel->GetX()), y = int(pLabel->GetY());
            const CRect cell(x, y, x + m_cellSize.cx, y + m_cellSize.cy);
            const int boxLeftEdge = boxLeft ? cell.left : cell.right - keyBox;
            const CRect sample(boxLeftEdge + (keyBox - keySize) / 2, cell.top + (cell.Height() - keySize) / 2,
                               boxLeftEdge + (keyBox - keySize) / 2 + keySize,
                               cell.top + (cell.Height() - keySize) / 2 + keySize);
            const CPoint item = m_keyItems[size_t(key)];
            DrawKey(sample, item.x, item.y, key);
            // The sample may have chosen its own pens and colours.
            m_pDC->SelectObject(m_pFont);
            m_pDC->SetTextColor(m_crText);
            m_pDC->SetBkMode(TRANSPARENT);
            const CRect text = boxLeft ? CRect(cell.left + keyBox, cell.top, cell.right, cell.bottom)
                                       : CRect(cell.left, cell.top, cell.right - keyBox, cell.bottom);
            DrawString(pLabel->GetAnnotationText(1), text);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

bool QVGraphLegend::IsLineGraphType(int nGraphType) const
{
    switch (nGraphType) {
    case 0x01: case 0x07: case 0x08: case 0x12: case 0x13: case 0x14: case 0x15: case 0x17: case 0x19: case 0x1a:
    case 0x1b: case 0x1d: case 0x1f: case 0x20: case 0x21: case 0x22: case 0x23: case 0x24: case 0x2b: case 0x2c:
    case 0x2d:
        return true;
    default:
        return false;
    }
}

void QVGraphLegend::DrawKey(const CRect& rect, int nIndex, int nGroup, int nKey)
{
    if (m_pDC == NULL || m_pChart == NULL)
        return;
    QVGraphData* pItem = m_pChart->FindItem(nIndex, nGroup);
    QVGraphStyle* pStyle = pItem->GetStyle();
    const int kind = GetSampleStyle() == sampleFromItem ? (pStyle->m_nFlags >> 12) & 0xF : GetSampleStyle();
    const bool lines = !m_style.GetOption(optionNoLineSamples);
    const CPoint centre = rect.CenterPoint();
    auto line = [&] {
        if (lines)
            DrawLine(rect.left, centre.y, rect.right, centre.y, pStyle);
    };
    auto marker = [&] { DrawSymbol(centre.x, centre.y, pStyle, NULL); };
    auto box = [&] {
        POINT corners[5];
        ClosedCornersOf(rect, corners);
        FillPolygon(corners, 5, pStyle);
        OutlinePolygon(corners, 5, pStyle);
    };
    switch (kind) {
    case sampleNone:
        break;
    case sampleSeries: {
        if (m_pDisplay == NULL) {
            line();
            break;
        }
        const int type = m_pDisplay->GetGraphType();
        if (!IsLineGraphType(type)) {
            box();
            break;
        }
        line();
        if (pStyle->GetShapeType() != 4 && type != 0x1f)
            marker();
        break;
    }
    case sampleLine:
        line();
        break;
    case sampleBox:
        box();
        break;
    case sampleLineAndMarker:
        line();
        marker();
        break;
    default:
        DrawCustomKey(rect, nIndex, nGroup, nKey);
        break;
    }
}

void QVGraphLegend::DrawCustomKey(const CRect&, int, int, int) {}

int QVGraphLegend::GetFontSize()
{
    if (m_nFontStyle & fontAutoSize)
        return ComputeKeyFitSize();
    return m_nFontSize;
}

int QVGraphLegend::ComputeKeyFitSize()
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL || m_nKeyCount == 0)
        return -10;
    const CRect inner = GetInnerRect(m_rect.GetDeviceRect());
    if (inner.Width() < 1 || inner.Height() < 1)
        return -10;
    const int step = std::max(1, int(GetDeviceScaleY(m_pDC)));
    const int lowest = 3 * step;
    const int keyBox = KeyBoxOf(GetKeySizePixels());
    const bool fixedGrid = m_style.GetOption(optionColumnsFromHeight) != 0;
    const int fixedColumns = std::max(1, m_nColumns), fixedRows = std::max(1, m_nRows);
    int h = std::min(inner.Width(), inner.Height());
    while (h > lowest) {
        CFont* pFont = MakeFont(-h, m_nFontStyle, 0.0);
        const CSize character = GetCharSize(pFont);
        const double cellWidth = keyBox + double(m_nTextWidth) * character.cx;
        const double rowHeight = (m_nRowFactor + 0.15) * character.cy;
        if (cellWidth <= 0 || rowHeight <= 0)
            break;
        if (fixedGrid) {
            if (cellWidth <= double(inner.Width()) / fixedColumns && rowHeight <= double(inner.Height()) / fixedRows)
                break;
            h -= step;
            continue;
        }
        const double across = inner.Width() / cellWidth;
        const double down = inner.Height() / rowHeight;
        if (across < 1 || down < 1) {
            // Far too big: jump straight to the height that could hold one cell.
            int scaled = int(h * std::min(across, down));
            if (scaled >= h)
                scaled = h - step;
            h = scaled;
            continue;
        }
        if (int(across) * int(down) >= m_nKeyCount)
            break;
        h -= step;
    }
    return -std::max(h, lowest);
}

int QVGraphLegend::ReadTemplateDetails(LPCTSTR lpszText)
{
    int consumed = QVGraphTitle::ReadTemplateDetails(lpszText);
    int options = 0, kind = 0, showLines = 0, sample = 1, more = 0;
    double keySize = 0;
    if (std::sscanf(lpszText + consumed, " %d %lg %d %d%n", &options, &keySize, &kind, &showLines, &more) < 4)
        RaiseChartError(11);
    consumed += more;
    // An older line ends here: its keys show each series' own sample.
    more = 0;
    if (std::sscanf(lpszText + consumed, " %d%n", &sample, &more) < 1)
        sample = 1;
    consumed += more;
    SetKeyOptions(options);
    m_dKeySize = keySize;
    SetKeyKind(kind);
    m_style.SetOption(optionNoLineSamples, showLines == 0);
    SetSampleStyle(sample);
    return consumed;
}

LPCTSTR QVGraphLegend::GetTemplateKeyword()
{
    return "legend ";
}

void QVGraphLegend::WriteTemplateDetails(CStdioFile* pFile)
{
    pFile->WriteString(NumberText::Format(" %d %f %d %d %d ", GetKeyOptions(), m_dKeySize, GetStoredKeyKind(),
                                          m_style.GetOption(optionNoLineSamples) ? 0 : 1, GetSampleStyle())
                           .c_str());
}
