// The label component: anchor, justification, rotation, background outline and drawing of a text at a point.
#include "chart/model/GraphLabel.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/CompiledPolygon.h"
#include "chart/model/Graph.h"
#include "chart/model/LabelBlock.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

IMPLEMENT_SERIAL(QVGraphLabel, QVGraphTitle, VERSIONABLE_SCHEMA | 1)

namespace {
const double kRadiansPerDegree = 0.017453292222222222;
const double kRootTwo = 1.41421356237;

// Background shapes by the shape nibble of the flag word.
enum { shapeBox = 0, shapeCircle = 3, shapeFlash = 4 };

int RoundToInt(double value)
{
    return int(std::floor(value + 0.5));
}

// Calls onLine(start, length) for each line of the text, split at line feeds, without a line's
// carriage return.
template <class OnLine>
void ForEachLine(const char* pText, OnLine onLine)
{
    while (true) {
        const char* end = std::strchr(pText, '\n');
        int length = end != NULL ? int(end - pText) : int(std::strlen(pText));
        if (length > 0 && pText[length - 1] == '\r')
            --length;
        onLine(pText, length);
        if (end == NULL)
            return;
        pText = end + 1;
    }
}
}  // namespace

QVGraphLabel::QVGraphLabel()
    : m_dY(0.0),
      m_dX(0.0),
      m_bAxisDirection(1),
      m_bSnappedAngle(1),
      m_nLabelFurther(0),
      m_dDirX(1.0),
      m_dDirY(0.0),
      m_nJustification(1),
      m_pBlock(NULL),
      m_bInBlock(0),
      m_bOwnStyle(1),
      m_nAnchorX(0),
      m_nAnchorY(0)
{
    m_nTypeId = IDS_QVG_LABEL;
    m_nAlignment = alignLeft;
    m_strFaceName = "Arial";
    m_nFontSize = 10;
    m_nFontStyle = 0;
    m_style.m_dTextAngle = 0.0;
}

QVGraphLabel::~QVGraphLabel() {}

void QVGraphLabel::Serialize(CArchive& ar)
{
    QVGraphTitle::Serialize(ar);
    m_annotations.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bInBlock << m_bSnappedAngle << m_nLabelFurther << m_bOwnStyle << m_bAxisDirection;
        ar << m_dX << m_dY << m_dDirX << m_dDirY << m_nJustification << m_nAnchorX << m_nAnchorY;
        return;
    }
    ar >> m_bInBlock >> m_bSnappedAngle >> m_nLabelFurther >> m_bOwnStyle >> m_bAxisDirection;
    ar >> m_dX >> m_dY >> m_dDirX >> m_dDirY >> m_nJustification >> m_nAnchorX >> m_nAnchorY;
    m_outline.clear();
}

void QVGraphLabel::SetBlock(QVGraphLabelBlock* pBlock, BOOL bOwnStyle)
{
    m_pBlock = pBlock;
    m_bInBlock = pBlock != NULL;
    m_bOwnStyle = bOwnStyle ? 1 : 0;
}

void QVGraphLabel::SetChart(QVGraph* pChart)
{
    QVGraphTitle::SetChart(pChart);
}

int QVGraphLabel::GetDefaultSize()
{
    return 12;
}

void QVGraphLabel::ClearOutline()
{
    m_outline.clear();
}

void QVGraphLabel::FromTextDescription(const QVGraphStyle& record)
{
    const unsigned flags = unsigned(record.m_nFlags);
    const int angleCode = int((flags >> 24) & 0xF);
    m_style.m_dTextAngle = (angleCode >= 1 && angleCode <= 7) ? angleCode * 45.0 : 0.0;
    const int justification = int((flags >> 20) & 0xF);
    if (justification <= 3)
        m_nJustification = justification + 4;
    else if (justification <= 7)
        m_nJustification = justification - 4;
    else
        m_nJustification = 8;
    m_style.m_crColor = record.m_crColor;
    m_crText = record.m_crLineColor;
    m_style.m_nFlags = (m_style.m_nFlags & ~0x000F0000) | int(flags & 0x000F0000);
    switch ((flags >> 28) & 0x3) {
    case 1: m_nFontSize = 8; break;
    case 2: m_nFontSize = 12; break;
    case 3: m_nFontSize = 10; break;
    default: m_nFontSize = GetDefaultSize(); break;
    }
    m_bFontRebuild = 1;
}

QVGraphLabelBlock* QVGraphLabel::GetOwningBlock() const
{
    return (m_bInBlock && m_pBlock != this) ? m_pBlock : NULL;
}

int QVGraphLabel::GetFontPixelSize()
{
    if (QVGraphLabelBlock* pBlock = GetOwningBlock())
        return pBlock->GetFontPixelSize();
    if (m_nFontSize < 0)
        return -m_nFontSize;
    int logX = 0, logY = 0;
    GetChartLogPixels(m_pDC, logX, logY);
    return RoundToInt(m_nFontSize * logY / 72.0);
}

void QVGraphLabel::SetFontSizeValue(int nSize)
{
    m_nFontSize = nSize;
    m_bFontRebuild = 1;
}

void QVGraphLabel::SetX(double x)
{
    m_dX = x;
    if (m_rect.GetMeasurement() == QVGraphRect::pixels)
        m_nAnchorX = RoundToInt(x);
}

void QVGraphLabel::SetY(double y)
{
    m_dY = y;
    if (m_rect.GetMeasurement() == QVGraphRect::pixels)
        m_nAnchorY = RoundToInt(y);
}

void QVGraphLabel::SetPosition(double x, double y)
{
    SetX(x);
    SetY(y);
}

CString QVGraphLabel::GetAnnotationText(int nNumber)
{
    return m_annotations.GetText(nNumber);
}

QVGraph* QVGraphLabel::GetLabelChart()
{
    if (QVGraphLabelBlock* pBlock = GetOwningBlock())
        return pBlock->GetChart();
    return m_pChart;
}

CWnd* QVGraphLabel::GetLabelView()
{
    return m_pView;
}

CPoint QVGraphLabel::GetMidpoint()
{
    if (m_outline.empty())
        return GetAnchor();
    return GetOutlineBounds().CenterPoint();
}

void QVGraphLabel::SetDirectionCode(int nCode)
{
    switch (nCode) {
    case 0: SetDirection(0, -1); break;
    case 1: SetDirection(-1, 0); break;
    case 2: SetDirection(1, 0); break;
    case 3: SetDirection(0, 1); break;
    default: m_bAxisDirection = 0; return;
    }
    m_bAxisDirection = 1;
}

CRgn* QVGraphLabel::GetOutlineRegion()
{
    if (m_outline.size() < 3)
        return NULL;
    CRgn* pRegion = new CRgn;
    pRegion->CreatePolygonRgn(m_outline.data(), int(m_outline.size()), ALTERNATE);
    return pRegion;
}

void QVGraphLabel::SetAnchorMode(int nMode)
{
    if (nMode >= 0 && nMode <= 3) {
        m_style.m_dTextAngle = nMode * 90.0;
        m_bSnappedAngle = 1;
    } else {
        m_bSnappedAngle = 0;
    }
}

double QVGraphLabel::GetFontAngle()
{
    return m_style.m_dTextAngle;
}

CFont* QVGraphLabel::GetFont()
{
    if (UsesBlockStyle()) {
        // The block's face, size and flags at this label's own angle.
        QVGraph* pChart = GetLabelChart();
        if (pChart != NULL)
            return pChart->GetFont(m_pBlock->GetFaceName(), m_pBlock->GetFontSize(), m_pBlock->GetFontStyle() & 0x0F,
                                   int(m_style.m_dTextAngle), m_pDC);
        return m_pBlock->GetCurrentFont();
    }
    if (m_pFont == NULL)
        RebuildFont();
    return m_pFont;
}

QVGraphStyle* QVGraphLabel::GetTextStyle()
{
    if (UsesBlockStyle())
        return m_pBlock->GetStyle();
    return &m_style;
}

COLORREF QVGraphLabel::GetTextColor()
{
    if (UsesBlockStyle())
        return m_pBlock->GetTextColor();
    return m_crText;
}

void QVGraphLabel::RebuildFont()
{
    QVGraphTitle::RebuildFont();
}

void QVGraphLabel::SetLogFont(const LOGFONT& logFont)
{
    QVGraphTitle::SetLogFont(logFont);
    m_style.m_dTextAngle = logFont.lfEscapement * 0.1;
}

void QVGraphLabel::SetAnnotationText(LPCTSTR lpszText)
{
    QVGraph* pChart = GetLabelChart();
    SetAnnotation(pChart != NULL ? pChart->GetLabelAnnotation() : 1, lpszText);
}

void QVGraphLabel::SetAnnotation(int nNumber, LPCTSTR lpszText)
{
    m_annotations.SetAnnotation(nNumber, lpszText != NULL ? lpszText : "");
}

CString QVGraphLabel::GetCurrentText()
{
    QVGraph* pChart = GetLabelChart();
    return m_annotations.GetText(pChart != NULL ? pChart->GetLabelAnnotation() : 1);
}

CSize QVGraphLabel::MeasureCurrentText()
{
    if (m_pDC == NULL)
        return CSize(0, 0);
    const CString text = GetCurrentText();
    if (text.IsEmpty())
        return CSize(0, 0);
    CFont* pOld = m_pDC->SelectObject(GetFont());
    // Lines at line feeds, measured unturned.
    int widest = 0;
    int lines = 0;
    ForEachLine(text, [&](const char* p, int n) {
        if (n > 0)
            widest = std::max(widest, int(m_pDC->GetTextExtent(p, n).cx));
        ++lines;
    });
    const int height = lines * LineHeight();
    m_pDC->SelectObject(pOld);
    return CSize(widest, height);
}

void QVGraphLabel::ComputeAnchor()
{
    const CSize area = m_pChart != NULL ? m_pChart->GetDrawingArea().Size() : CSize(0, 0);
    double factorX = 1.0, factorY = 1.0;
    GetMeasurementFactors(m_rect.GetMeasurement(), m_pDC, area, kInchesPerMillimetreFromDevice, factorX, factorY);
    m_nAnchorX = RoundToInt(m_dX * factorX);
    m_nAnchorY = RoundToInt(m_dY * factorY);
    if (!m_bInBlock && m_pChart != NULL && m_pChart->HasFixedRect() && !IsSubComponent()) {
        m_nAnchorX += m_pChart->GetDrawingArea().left;
        m_nAnchorY += m_pChart->GetDrawingArea().top;
    }
}

CPoint QVGraphLabel::GetAnchor()
{
    return CPoint(m_nAnchorX, m_nAnchorY);
}

CPoint QVGraphLabel::JustificationOffset(const CSize& size) const
{
    const int w = size.cx;
    const int h = size.cy;
    switch (m_nJustification) {
    case 0: return CPoint(0, -h / 2);
    case 1: return CPoint(0, 0);
    case 2: return CPoint(-w / 2, 0);
    case 3: return CPoint(-w, 0);
    case 4: return CPoint(-w, -h / 2);
    case 5: return CPoint(-w, -h);
    case 6: return CPoint(-w / 2, -h);
    case 7: return CPoint(0, -h);
    default: return CPoint(-w / 2, -h / 2);
    }
}

CPoint QVGraphLabel::Turn(double x, double y) const
{
    const double a = m_style.m_dTextAngle * kRadiansPerDegree;
    const double c = std::cos(a);
    const double s = std::sin(a);
    return CPoint(RoundToInt(x * c + y * s), RoundToInt(y * c - x * s));
}

CPoint QVGraphLabel::TextOrigin()
{
    const CPoint offset = JustificationOffset(MeasureCurrentText());
    return GetAnchor() + Turn(offset.x, offset.y);
}

int QVGraphLabel::BuildOutline(POINT* pPoints, int nCount)
{
    const CSize size = MeasureCurrentText();
    if (size.cx == 0 && size.cy == 0) {
        m_outline.clear();
        return 0;
    }
    const CPoint corner = JustificationOffset(size);
    const double inflate = size.cy / 6.0;
    double left = corner.x - inflate;
    double top = corner.y - inflate;
    double right = corner.x + size.cx + inflate;
    double bottom = corner.y + size.cy + inflate;
    const int shape = (m_style.m_nFlags >> 16) & 0xF;
    std::vector<std::pair<double, double>> points;
    if (shape == shapeCircle || shape == shapeFlash) {
        const double cx = (left + right) / 2;
        const double cy = (top + bottom) / 2;
        const double rx = (right - left) / 2 * kRootTwo;
        const double ry = (bottom - top) / 2 * kRootTwo;
        if (shape == shapeCircle) {
            for (int i = 0; i <= 18; ++i) {
                const double a = (i % 18) * 20.0 * kRadiansPerDegree;
                points.emplace_back(cx + rx * std::cos(a), cy + ry * std::sin(a));
            }
        } else {
            for (const auto& vertex : QVGCompiledPolygon::s_flashVertices)
                points.emplace_back(cx + rx * vertex[0] / 25.0, cy + ry * vertex[1] / 10.0);
        }
    } else {
        points = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    }
    m_outline.clear();
    const CPoint anchor = GetAnchor();
    for (const auto& p : points)
        m_outline.push_back(anchor + Turn(p.first, p.second));
    const int count = int(m_outline.size());
    if (pPoints != NULL)
        for (int i = 0; i < std::min(count, nCount); ++i)
            pPoints[i] = m_outline[size_t(i)];
    return count;
}

void QVGraphLabel::Shift(int dx, int dy)
{
    for (CPoint& p : m_outline)
        p.Offset(dx, dy);
    m_nAnchorX += dx;
    m_nAnchorY += dy;
    if (m_rect.GetMeasurement() == QVGraphRect::pixels) {
        m_dX += dx;
        m_dY += dy;
    }
}

void QVGraphLabel::Draw(CDC* pDC, CWnd* pView)
{
    SetDrawContext(pDC, pView);
    if (!m_bInBlock && (m_bFontRebuild || m_bChanged || m_pFont == NULL || IsPrinting()))
        RebuildFont();
    ComputeAnchor();
    BuildOutline();
    DrawInterior();
    DrawBorder();
    DrawContent();
    DrawShadow();
    m_bDrawing = 0;
    m_bChanged = 0;
}

void QVGraphLabel::DrawInterior()
{
    if (!m_bOwnStyle || m_outline.size() < 3 || m_style.GetFillType() == 0)
        return;
    FillPolygon(m_outline.data(), int(m_outline.size()), &m_style);
}

void QVGraphLabel::DrawBorder()
{
    if (!m_bOwnStyle || m_outline.size() < 2 || m_pDC == NULL)
        return;
    const int style = m_style.GetBorderStyle();
    if (style == 0)
        return;
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF grey = 0xB3B3B3;
    const COLORREF black = 0;
    CPen* pOld = NULL;
    for (size_t i = 0; i + 1 < m_outline.size(); ++i) {
        const CPoint& from = m_outline[i];
        const CPoint& to = m_outline[i + 1];
        COLORREF color = m_style.m_crLineColor;
        int width = 3;
        if (style == 1 || style == 2) {
            // The edge's direction relative to the text, in octants: upper and left edges light.
            const double edge = std::atan2(-double(to.y - from.y), double(to.x - from.x)) / kRadiansPerDegree;
            double turned = std::fmod(edge - m_style.m_dTextAngle + 27.5, 360.0);
            if (turned < 0)
                turned += 360.0;
            const int octant = int(turned / 45.0) & 7;
            static const int kLight[8] = {2, 1, 2, 1, 0, 1, 0, 1};  // 2 light, 1 grey, 0 dark
            int shade = kLight[octant];
            if (style == 2)
                shade = 2 - shade;
            color = shade == 2 ? white : (shade == 1 ? grey : black);
            width = 1;
        } else if (style == 3) {
            width = 1;
        }
        CPen* pPen = GetPen(PS_SOLID, width, color);
        if (pPen == NULL)
            continue;
        CPen* pPrevious = m_pDC->SelectObject(pPen);
        if (pOld == NULL)
            pOld = pPrevious;
        m_pDC->MoveTo(from);
        m_pDC->LineTo(to);
    }
    if (pOld != NULL)
        m_pDC->SelectObject(pOld);
}

void QVGraphLabel::DrawShadow()
{
    if (!m_bOwnStyle || m_outline.size() < 3 || m_pDC == NULL)
        return;
    const int style = m_style.GetShadowStyle();
    if (style == 0)
        return;
    if (style > 3) {
        DrawCustomLabelShadow();
        return;
    }
    const int offset = style == 1 ? 3 : (style == 2 ? 8 : 16);
    std::vector<CPoint> shadow(m_outline);
    for (CPoint& p : shadow)
        p.Offset(offset, offset);
    CRgn shadowRegion;
    shadowRegion.CreatePolygonRgn(shadow.data(), int(shadow.size()), ALTERNATE);
    CRgn labelRegion;
    labelRegion.CreatePolygonRgn(m_outline.data(), int(m_outline.size()), ALTERNATE);
    // Only the part the label does not cover darkens.
    shadowRegion.CombineRgn(&shadowRegion, &labelRegion, RGN_DIFF);
    CBrush brush;
    brush.CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    m_pDC->FillRgn(&shadowRegion, &brush);
}

void QVGraphLabel::DrawContent()
{
    if (!m_bVisible || m_pDC == NULL)
        return;
    const CString text = GetCurrentText();
    if (text.IsEmpty())
        return;
    CFont* pOldFont = m_pDC->SelectObject(GetFont());
    const int oldMode = m_pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = m_pDC->GetTextColor();
    const CSize size = MeasureCurrentText();
    const double a = m_style.m_dTextAngle * kRadiansPerDegree;
    CPoint start = TextOrigin();
    UINT align = TA_LEFT | TA_TOP;
    if (m_nAlignment == alignRight) {
        align = TA_RIGHT | TA_TOP;
        start += CPoint(RoundToInt(std::cos(a) * size.cx), RoundToInt(-std::sin(a) * size.cx));
    } else if (m_nAlignment == alignCentre) {
        align = TA_CENTER | TA_TOP;
        start += CPoint(RoundToInt(std::cos(a) * size.cx / 2), RoundToInt(-std::sin(a) * size.cx / 2));
    }
    const UINT oldAlign = m_pDC->SetTextAlign(align);
    const int lineHeight = LineHeight();
    int line = 0;
    ForEachLine(text, [&](const char* p, int n) {
        const int x = start.x + RoundToInt(line * lineHeight * std::sin(a));
        const int y = start.y + RoundToInt(line * lineHeight * std::cos(a));
        if (n > 0)
            OutputLine(x, y, NULL, p, n);
        ++line;
    });
    m_pDC->SetTextAlign(oldAlign);
    m_pDC->SetTextColor(oldColor);
    m_pDC->SetBkMode(oldMode);
    m_pDC->SelectObject(pOldFont);
}

void QVGraphLabel::DrawCustomInterior() {}

void QVGraphLabel::DrawCustomLabelBorder() {}

void QVGraphLabel::DrawCustomLabelShadow() {}

int QVGraphLabel::ReadTemplateDetails(LPCTSTR lpszText)
{
    int consumed = QVGraphTitle::ReadTemplateDetails(lpszText);
    double x = 0, y = 0, dirX = 0, dirY = 0, angle = 0;
    int ownStyle = 0, inBlock = 0, more = 0;
    // A line without the label's values keeps the label as it was.
    if (std::sscanf(lpszText + consumed, " %lf %lf %lf %lf %lf %d %d%n", &x, &y, &dirX, &dirY, &angle, &ownStyle,
                    &inBlock, &more) < 7)
        return consumed;
    SetPosition(x, y);
    SetDirection(dirX, dirY);
    SetTextAngle(angle);
    m_bOwnStyle = ownStyle != 0;
    // Only a block makes a label one of its own: a flag without one would leave the label fontless.
    m_bInBlock = inBlock != 0 && m_pBlock != NULL;
    return consumed + more;
}

LPCTSTR QVGraphLabel::GetTemplateKeyword()
{
    return "label ";
}

void QVGraphLabel::WriteTemplateDetails(CStdioFile* pFile)
{
    pFile->WriteString(NumberText::Format(" %g %g %g %g %g %d %d\n", m_dX, m_dY, m_dDirX, m_dDirY,
                                          m_style.m_dTextAngle, m_bOwnStyle, m_bInBlock)
                           .c_str());
    m_annotations.WriteTemplate(pFile);
}
