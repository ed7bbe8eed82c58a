// The text panel: measuring of body and title strip, keeping the box inside the chart, and drawing of the
// body lines and the (possibly upright) title lines.
#include "chart/model/TextPanel.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/TemplateFields.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <map>

IMPLEMENT_SERIAL(QVGTextPanel, QVGraphTitle, VERSIONABLE_SCHEMA | 3)

namespace {
// Title lines drawn at most.
const int kMaxTitleLines = 32;

// The lines of the list in the order of their numbers, a missing number giving an empty line.
CString JoinLines(const QVGraphAnnotationList& lines)
{
    std::map<int, CString> byNumber;
    for (POSITION pos = lines.GetHeadPosition(); pos != NULL;) {
        const QVGraphAnnotation* pLine = lines.GetNext(pos);
        byNumber[pLine->m_nIndex] = pLine->m_strText;
    }
    CString text;
    if (byNumber.empty())
        return text;
    for (int n = byNumber.begin()->first;; ++n) {
        const auto found = byNumber.find(n);
        if (found != byNumber.end())
            text += found->second;
        if (n == byNumber.rbegin()->first)
            break;
        text += "\n";
    }
    return text;
}

// The title's alignment for a justification of the panel.
int AlignmentOf(int nJustification)
{
    switch (nJustification) {
    case QVGTextPanel::justifyStart: return QVGraphTitle::alignLeft;
    case QVGTextPanel::justifyCentre: return QVGraphTitle::alignCentre;
    default: return QVGraphTitle::alignRight;
    }
}

void SetComponentStyleKind(QVGraphStyle& style)
{
    style.m_nFlags = (style.m_nFlags & ~0xF) | 0x1;
}
}  // namespace

QVGTextPanel::QVGTextPanel()
    : m_nTitlePosition(titleAbove),
      m_nBodyJustification(justifyStart),
      m_nTitleJustification(justifyCentre),
      m_rectBody(0, 0, 0, 0),
      m_rectTitleSize(0, 0, 0, 0),
      m_rectTitle(0, 0, 0, 0),
      m_bMeasuring(0),
      m_crBody(0),
      m_crTitle(0),
      m_nThird(0),
      m_pTitleFont(NULL),
      m_rectText(0, 0, 0, 0),
      m_bTitleShown(1),
      m_bAutoSize(1),
      m_nTitleFontSize(10),
      m_nBodyFontSize(10),
      m_nTitleFontStyle(0),
      m_nBodyFontStyle(0),
      m_strTitleFace("Arial"),
      m_strBodyFace("Arial")
{
    m_nTypeId = IDS_QVG_TEXT_PANEL;
    m_nMinIndex = m_nMaxIndex = m_nMinGroup = m_nMaxGroup = -1;
    m_dSize = m_dSizeX = m_dSizeY = 5.0;
    m_bChanged = 1;
    SetComponentStyleKind(m_style);
    SetComponentStyleKind(m_titleStyle);
}

QVGTextPanel::~QVGTextPanel() {}

void QVGTextPanel::Serialize(CArchive& ar)
{
    QVGraphTitle::Serialize(ar);
    m_titleStyle.Serialize(ar);
    m_titleLines.Serialize(ar);
    m_bodyLines.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bMeasuring << m_bTitleShown << m_bAutoSize << int(m_crBody) << int(m_crTitle) << m_nThird;
        ar << m_nTitleFontSize << m_nBodyFontSize << m_nTitleFontStyle << m_nBodyFontStyle;
        ar << m_strTitleFace << m_strBodyFace;
        ar << m_nTitlePosition << m_nBodyJustification << m_nTitleJustification;
        return;
    }
    const UINT schema = ar.GetObjectSchema();
    int body = 0, title = 0;
    ar >> m_bMeasuring >> m_bTitleShown >> m_bAutoSize >> body >> title >> m_nThird;
    ar >> m_nTitleFontSize >> m_nBodyFontSize >> m_nTitleFontStyle >> m_nBodyFontStyle;
    ar >> m_strTitleFace >> m_strBodyFace;
    m_crBody = COLORREF(body);
    m_crTitle = COLORREF(title);
    // A panel stored while it measured itself is not measuring now.
    m_bMeasuring = 0;
    if (schema > 1)
        ar >> m_nTitlePosition;
    if (schema > 2)
        ar >> m_nBodyJustification >> m_nTitleJustification;
    m_pTitleFont = NULL;
}

LPCTSTR QVGTextPanel::GetTemplateKeyword()
{
    return "textpanel ";
}

void QVGTextPanel::WriteTemplateText(CStdioFile* pFile)
{
    QVGTitleFields body;
    body.crText = m_crBody;
    body.strFace = m_strBodyFace;
    body.nSize = m_nBodyFontSize;
    body.nStyleFlags = m_nBodyFontStyle;
    body.nAlignment = m_nBodyJustification;
    WriteTitleFields(pFile, body);
    QVGTitleFields title;
    title.crText = m_crTitle;
    title.strFace = m_strTitleFace;
    title.nSize = m_nTitleFontSize;
    title.nStyleFlags = m_nTitleFontStyle;
    title.nAlignment = m_nTitleJustification;
    WriteTitleFields(pFile, title);
}

int QVGTextPanel::ReadTemplateDetails(LPCTSTR lpszText)
{
    QVGTitleFields body;
    int consumed = ReadTitleFields(lpszText, body);
    m_crBody = body.crText;
    m_strBodyFace = body.strFace;
    m_nBodyFontSize = body.nSize;
    m_nBodyFontStyle = body.nStyleFlags;
    m_nBodyJustification = body.nAlignment;
    SetText("", AlignmentOf(m_nBodyJustification));
    // A line of one group (as older writers read them) keeps the title font as it was.
    const char* pRest = lpszText + consumed;
    while (*pRest == ' ' || *pRest == '\t')
        ++pRest;
    if (*pRest != '\0') {
        QVGTitleFields title;
        consumed += ReadTitleFields(lpszText + consumed, title);
        m_crTitle = title.crText;
        m_strTitleFace = title.strFace;
        m_nTitleFontSize = title.nSize;
        m_nTitleFontStyle = title.nStyleFlags;
        m_nTitleJustification = title.nAlignment;
    }
    m_bFontRebuild = 1;
    return consumed;
}

CString QVGTextPanel::GetBodyText() const
{
    return JoinLines(m_bodyLines);
}

CString QVGTextPanel::GetTitleText() const
{
    return JoinLines(m_titleLines);
}

int QVGTextPanel::GetFontSize()
{
    if (!(m_nBodyFontStyle & fontAutoSize))
        return m_nBodyFontSize;
    if (!m_bDrawing)
        return -10;
    return FitTextHeight(GetBodyText(), m_rectBody, (m_nBodyFontStyle & fontSingleLine) == 0);
}

COLORREF QVGTextPanel::GetTextColor()
{
    return m_crBody;
}

CFont* QVGTextPanel::MakeTitleFont(int nAngle)
{
    if (m_pChart == NULL)
        return m_pFont;
    int size = m_nTitleFontSize;
    if ((m_nTitleFontStyle & fontAutoSize) && !m_rectTitle.IsRectEmpty()) {
        // The height follows the strip's thickness: its height above or below the body, its width beside it.
        const int thickness = IsTitleVertical() ? m_rectTitle.Width() : m_rectTitle.Height();
        const int margin = 2 * int(IsTitleVertical() ? GetSizeX() : GetSizeY());
        const int lines = std::max(1, CountLines(GetTitleText()));
        size = -std::max(3, (thickness - margin) / lines);
    }
    return m_pChart->GetFont(m_strTitleFace, size, m_nTitleFontStyle & 0x0F, nAngle, m_pDC);
}

CFont* QVGTextPanel::CreateTitleFont()
{
    m_pTitleFont = MakeTitleFont(0);
    return m_pTitleFont;
}

CSize QVGTextPanel::MeasureTitle(int nLength)
{
    if (m_pDC == NULL)
        return CSize(0, 0);
    CFont* pFont = CreateTitleFont();
    CFont* pOld = pFont != NULL ? m_pDC->SelectObject(pFont) : NULL;
    const CSize size = MeasureText(GetTitleText(), TRUE, nLength);
    if (pOld != NULL)
        m_pDC->SelectObject(pOld);
    m_rectTitleSize.SetRect(0, 0, size.cx, size.cy);
    return size;
}

void QVGTextPanel::Measure()
{
    const CRect outer = m_rect.ToDeviceRect(m_pDC, m_pView);
    const int border = GetBorderWidth();
    const int marginX = int(GetSizeX()), marginY = int(GetSizeY());
    CRect body = GetInnerRect(outer);
    CRect title(0, 0, 0, 0);
    const bool vertical = IsTitleVertical();
    if (m_bTitleShown) {
        const CSize size = MeasureTitle(vertical ? body.Height() : body.Width());
        // Twice the margin across the strip, the border and the margin along it.
        const int across = size.cy + 2 * (vertical ? marginX : marginY);
        const int along = size.cx + border + (vertical ? marginY : marginX);
        switch (m_nTitlePosition) {
        case titleLeft:
            title.SetRect(body.left, body.top, body.left + across, body.top + along);
            body.left = title.right;
            break;
        case titleRight:
            title.SetRect(body.right - across, body.top, body.right, body.top + along);
            body.right = title.left;
            break;
        case titleBelow:
            title.SetRect(body.left, body.bottom - across, body.left + along, body.bottom);
            body.bottom = title.top;
            break;
        default:
            title.SetRect(body.left, body.top, body.left + along, body.top + across);
            body.top = title.bottom;
            break;
        }
    }
    m_rectBody = body;
    // The title base draws the body: its font is the body font.
    m_nFontSize = m_nBodyFontSize;
    m_nFontStyle = m_nBodyFontStyle;
    m_strFaceName = m_strBodyFace;
    RebuildFont();
    if (!m_bAutoSize) {
        if (vertical) {
            title.top = body.top;
            title.bottom = body.bottom;
        } else {
            title.left = body.left;
            title.right = body.right;
        }
    } else {
        CFont* pOld = m_pDC->SelectObject(m_pFont);
        const CSize text =
            MeasureText(GetBodyText(), (m_nBodyFontStyle & fontSingleLine) == 0, body.Width() - 2 * marginX);
        m_pDC->SelectObject(pOld);
        // The body shrinks to its text from the corner it starts at; the strip stays beside it.
        const int width = text.cx + 2 * marginX, height = text.cy + 2 * marginY;
        switch (m_nTitlePosition) {
        case titleLeft:
        case titleRight: {
            const int common = m_bTitleShown ? std::max(height, title.Height()) : height;
            if (m_nTitlePosition == titleRight) {
                const int across = title.Width();
                body.right = body.left + width;
                title.SetRect(body.right, body.top, body.right + across, body.top + common);
            } else {
                body.right = body.left + width;
                title.bottom = title.top + common;
            }
            body.bottom = body.top + common;
            break;
        }
        default: {
            const int common = m_bTitleShown ? std::max(width, title.Width()) : width;
            body.right = body.left + common;
            if (m_nTitlePosition == titleBelow) {
                const int across = title.Height();
                body.bottom = body.top + height;
                title.SetRect(body.left, body.bottom, body.left + common, body.bottom + across);
            } else {
                body.bottom = body.top + height;
                title.right = title.left + common;
            }
            break;
        }
        }
    }
    if (!m_bTitleShown)
        title.SetRectEmpty();
    m_rectBody = body;
    m_rectTitle = title;
    m_rectText = body;
    m_rectText.DeflateRect(marginX, marginY);
}

CRect QVGTextPanel::Place()
{
    m_bMeasuring = 1;
    try {
        Measure();
    } catch (...) {
        m_bMeasuring = 0;
        throw;
    }
    m_bMeasuring = 0;
    CRect box = m_rectBody;
    if (!m_rectTitle.IsRectEmpty())
        box.UnionRect(&m_rectBody, &m_rectTitle);
    if (m_pChart != NULL) {
        const CRect area = m_pChart->GetDrawingArea();
        // In this order: a box wider than the chart keeps its left edge in view, a taller one its bottom.
        int dx = 0, dy = 0;
        if (box.right > area.right)
            dx = area.right - box.right;
        if (box.left + dx < area.left)
            dx = area.left - box.left;
        if (box.top < area.top)
            dy = area.top - box.top;
        if (box.bottom + dy > area.bottom)
            dy = area.bottom - box.bottom;
        box.OffsetRect(dx, dy);
        m_rectBody.OffsetRect(dx, dy);
        m_rectTitle.OffsetRect(dx, dy);
        m_rectText.OffsetRect(dx, dy);
    }
    return box;
}

void QVGTextPanel::Draw(CDC* pDC, CWnd* pView)
{
    const QVGraphRect kept(m_rect);
    SetDrawContext(pDC, pView);
    // The panel is drawn where it fits; what it was given stays as it was, whatever ends the drawing.
    try {
        const CRect box = Place();
        m_rect.FromDeviceRect(box, pDC);
        DrawInterior();
        DrawBorder();
        DrawShadow();
        DrawContent();
    } catch (...) {
        m_rect.CopyFrom(kept);
        m_bDrawing = 0;
        throw;
    }
    m_placedRect.CopyFrom(m_rect);
    m_placedRect.SetChart(m_pChart);
    m_rect.CopyFrom(kept);
    m_bDrawing = 0;
    m_bChanged = 0;
}

CRect QVGTextPanel::GetPlacedRect()
{
    return m_placedRect.GetDeviceRect();
}

CRect QVGTextPanel::GetBoundingRect()
{
    CDC* pDC = m_pDC != NULL ? m_pDC : (m_pChart != NULL ? m_pChart->GetDC() : NULL);
    if (!m_bAutoSize || pDC == NULL)
        return GetPlacedRect();
    const QVGraphRect kept(m_rect);
    CDC* pKeptDC = m_pDC;
    CWnd* pKeptView = m_pView;
    const int keptDrawing = m_bDrawing;
    SetDrawContext(pDC, m_pChart != NULL ? m_pChart->GetView() : m_pView);
    CRect box;
    try {
        box = Place();
    } catch (...) {
        m_rect.CopyFrom(kept);
        m_pDC = pKeptDC;
        m_pView = pKeptView;
        m_bDrawing = keptDrawing;
        throw;
    }
    m_rect.CopyFrom(kept);
    m_placedRect.CopyFrom(kept);
    m_placedRect.SetChart(m_pChart);
    m_placedRect.FromDeviceRect(box, pDC);
    m_pDC = pKeptDC;
    m_pView = pKeptView;
    m_bDrawing = keptDrawing;
    return box;
}

void QVGTextPanel::DrawInterior()
{
    auto fill = [this](const CRect& rect, QVGraphStyle* pStyle) {
        POINT corners[5];
        ClosedCornersOf(rect, corners);
        FillPolygon(corners, 5, pStyle);
    };
    fill(m_rectBody, &m_style);
    if (m_bTitleShown && !m_rectTitle.IsRectEmpty())
        fill(m_rectTitle, &m_titleStyle);
}

void QVGTextPanel::DrawContent()
{
    if (m_bMeasuring || !m_bDrawing || m_pDC == NULL)
        return;
    CFont* pOldFont = m_pDC->SelectObject(m_pFont);
    const COLORREF oldColor = m_pDC->SetTextColor(m_crBody);
    const int oldMode = m_pDC->SetBkMode(TRANSPARENT);
    const int alignment = m_nAlignment;
    m_nAlignment = AlignmentOf(m_nBodyJustification);
    DrawText(GetBodyText(), m_rectText, (m_nBodyFontStyle & fontSingleLine) == 0);
    m_nAlignment = alignment;
    if (m_bTitleShown && !m_rectTitle.IsRectEmpty())
        DrawTitleLines(m_rectTitle, IsTitleVertical() ? titleVertical : 0);
    m_pDC->SetBkMode(oldMode);
    m_pDC->SetTextColor(oldColor);
    m_pDC->SelectObject(pOldFont);
}

void QVGTextPanel::DrawTitleLines(const CRect& rect, int nFlags)
{
    if (m_pDC == NULL)
        return;
    const CString text = GetTitleText();
    if (text.IsEmpty())
        return;
    const bool vertical = (nFlags & titleVertical) != 0;
    const int marginX = int(GetSizeX()), marginY = int(GetSizeY());
    CFont* pFlat = CreateTitleFont();
    CFont* pOld = m_pDC->SelectObject(pFlat);
    // The lines are broken for the strip's length: its width above or below the body, its height beside it.
    const int length = vertical ? rect.Height() - 2 * marginY : rect.Width() - 2 * marginX;
    int starts[kMaxTitleLines];
    int lengths[kMaxTitleLines];
    const int count = BreakLines(text, text.GetLength(), CRect(0, 0, length, 1), TRUE, starts, lengths, kMaxTitleLines);
    const int lineHeight = LineHeight();
    int widths[kMaxTitleLines];
    for (int i = 0; i < count; ++i) {
        while (lengths[i] > 0 && text[starts[i] + lengths[i] - 1] == ' ')
            --lengths[i];
        widths[i] = lengths[i] > 0 ? int(m_pDC->GetTextExtent(LPCTSTR(text) + starts[i], lengths[i]).cx) : 0;
    }
    if (vertical)
        m_pDC->SelectObject(MakeTitleFont(90));
    const UINT oldAlign = m_pDC->SetTextAlign(TA_TOP | TA_LEFT);
    const int block = count * lineHeight;
    for (int i = 0; i < count; ++i) {
        if (lengths[i] == 0)
            continue;
        int x = 0, y = 0;
        if (vertical) {
            // Upright text runs upwards from its point, its lines side by side.
            x = rect.left + (rect.Width() - block) / 2 + i * lineHeight;
            switch (m_nTitleJustification) {
            case justifyStart: y = rect.bottom - marginY; break;
            case justifyCentre: y = rect.top + (rect.Height() + widths[i]) / 2; break;
            default: y = rect.top + marginY + widths[i]; break;
            }
        } else {
            y = rect.top + (rect.Height() - block) / 2 + i * lineHeight;
            switch (m_nTitleJustification) {
            case justifyStart: x = rect.left + marginX; break;
            case justifyCentre: x = rect.left + (rect.Width() - widths[i]) / 2; break;
            default: x = rect.right - marginX - widths[i]; break;
            }
        }
        OutputStyledLine(x, y, &rect, LPCTSTR(text) + starts[i], lengths[i], m_crTitle, m_nTitleFontStyle);
    }
    m_pDC->SetTextAlign(oldAlign);
    m_pDC->SelectObject(pOld);
}

CString QVGTextPanel::GetTitleLine(int n)
{
    return m_titleLines.GetText(n);
}

void QVGTextPanel::SetTitlePosition(int nPosition)
{
    m_nTitlePosition = nPosition;
    m_bChanged = 1;
}

int QVGTextPanel::GetTitlePosition()
{
    return m_nTitlePosition;
}

void QVGTextPanel::SetTitleColor(COLORREF crColor)
{
    m_crTitle = crColor;
}

void QVGTextPanel::SetBodyColor(COLORREF crColor)
{
    m_crBody = crColor;
}

COLORREF QVGTextPanel::GetTitleColor()
{
    return m_crTitle;
}

COLORREF QVGTextPanel::GetBodyColor()
{
    return m_crBody;
}

QVGraphStyle* QVGTextPanel::GetTitleStyle()
{
    return &m_titleStyle;
}

void QVGTextPanel::SetBodyLine(int n, LPCTSTR lpszText)
{
    m_bodyLines.SetAnnotation(n, lpszText);
    m_bChanged = 1;
}

CString QVGTextPanel::GetBodyLine(int n)
{
    return m_bodyLines.GetText(n);
}

void QVGTextPanel::SetTitleLine(int n, LPCTSTR lpszText)
{
    m_titleLines.SetAnnotation(n, lpszText);
    m_bChanged = 1;
}

void QVGTextPanel::SetBodyFontSize(int nSize)
{
    m_nBodyFontSize = nSize;
    m_bFontRebuild = 1;
}

int QVGTextPanel::GetBodyFontSize()
{
    return m_nBodyFontSize;
}

void QVGTextPanel::SetTitleFontSize(int nSize)
{
    m_nTitleFontSize = nSize;
}

int QVGTextPanel::GetTitleFontSize()
{
    return m_nTitleFontSize;
}

void QVGTextPanel::SetBodyFontStyle(int nFlags)
{
    m_nBodyFontStyle = nFlags;
    m_bFontRebuild = 1;
}

int QVGTextPanel::GetBodyFontStyle()
{
    return m_nBodyFontStyle;
}

void QVGTextPanel::SetTitleFontStyle(int nFlags)
{
    m_nTitleFontStyle = nFlags;
}

int QVGTextPanel::GetTitleFontStyle()
{
    return m_nTitleFontStyle;
}

void QVGTextPanel::SetBodyFace(LPCTSTR lpszFace)
{
    m_strBodyFace = lpszFace != NULL ? lpszFace : "";
    m_bFontRebuild = 1;
}

CString QVGTextPanel::GetBodyFace()
{
    return m_strBodyFace;
}

void QVGTextPanel::SetTitleFace(LPCTSTR lpszFace)
{
    m_strTitleFace = lpszFace != NULL ? lpszFace : "";
}

CString QVGTextPanel::GetTitleFace()
{
    return m_strTitleFace;
}

int QVGTextPanel::IsTitleShown()
{
    return m_bTitleShown;
}

void QVGTextPanel::ShowTitle(int bShow)
{
    m_bTitleShown = bShow != 0;
    m_bChanged = 1;
}

void QVGTextPanel::SetAutoSize(int bAutoSize)
{
    m_bAutoSize = bAutoSize != 0;
    m_bChanged = 1;
}

int QVGTextPanel::IsAutoSize()
{
    return m_bAutoSize;
}

void QVGTextPanel::SetTitleJustification(int nJustification)
{
    m_nTitleJustification = nJustification;
}
