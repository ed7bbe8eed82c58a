// The title component: fonts, measuring, word wrapping, fitting and drawing of text in a rectangle.
#include "chart/model/GraphTitle.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphData.h"
#include "chart/model/LabelBlock.h"
#include "chart/model/TemplateFields.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

#include <algorithm>
#include <cmath>
#include <cstring>

IMPLEMENT_SERIAL(QVGraphTitle, QVGraphComponent, VERSIONABLE_SCHEMA | 1)

namespace {
// Lines drawn at most by DrawText.
const int kMaxDrawnLines = 32;

bool IsBlank(char c)
{
    return c == ' ';
}

bool EndsWord(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}
}  // namespace

QVGraphTitle::QVGraphTitle()
    : m_nAlignment(alignCentre),
      m_strText(" "),
      m_pFont(NULL),
      m_crText(0),
      m_bFontRebuild(1),
      m_nFontSize(10),
      m_nFontStyle(0),
      m_strFaceName("Arial"),
      m_bFixedText(0),
      m_pOwnFont(NULL)
{
    std::memset(&m_logFont, 0, sizeof m_logFont);
    m_nTypeId = IDS_QVG_TITLE;
}

QVGraphTitle::~QVGraphTitle()
{
    delete m_pOwnFont;
}

void QVGraphTitle::Serialize(CArchive& ar)
{
    QVGraphComponent::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nAlignment << int(m_crText) << m_nFontSize << m_nFontStyle;
        ar << m_strText << m_strFaceName << m_bFixedText;
        return;
    }
    int color = 0;
    ar >> m_nAlignment >> color >> m_nFontSize >> m_nFontStyle;
    ar >> m_strText >> m_strFaceName;
    m_crText = COLORREF(color);
    m_bFontRebuild = 1;
    // Always written, so always read: skipping it by schema would shift every later field.
    ar >> m_bFixedText;
}

double QVGraphTitle::GetFontAngle()
{
    return 0.0;
}

CFont* QVGraphTitle::MakeFont(int nSize, int nStyleFlags, double angle)
{
    const int flags = nStyleFlags & 0x0F;
    if (m_pChart != NULL)
        return m_pChart->GetFont(m_strFaceName, nSize, flags, int(angle), m_pDC);
    // Without a chart the title keeps a font of its own.
    int logPixelsY = 96;
    if (m_pDC != NULL && m_pDC->GetSafeHdc() != NULL)
        logPixelsY = m_pDC->GetDeviceCaps(LOGPIXELSY);
    LOGFONT logFont;
    std::memset(&logFont, 0, sizeof logFont);
    std::strncpy(logFont.lfFaceName, m_strFaceName, LF_FACESIZE - 1);
    logFont.lfHeight = nSize >= 0 ? -::MulDiv(nSize, logPixelsY, 72) : nSize;
    logFont.lfEscapement = logFont.lfOrientation = LONG(angle * 10);
    logFont.lfWeight = (flags & fontBold) ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = BYTE((flags & fontItalic) != 0);
    logFont.lfUnderline = BYTE((flags & fontUnderline) != 0);
    logFont.lfStrikeOut = BYTE((flags & fontStrikeOut) != 0);
    delete m_pOwnFont;
    m_pOwnFont = new CFont;
    m_pOwnFont->CreateFontIndirect(&logFont);
    return m_pOwnFont;
}

void QVGraphTitle::RebuildFont()
{
    m_pFont = MakeFont(GetFontSize(), m_nFontStyle, GetFontAngle());
    if (m_pFont != NULL && m_pFont->GetSafeHandle() != NULL)
        ::GetObject(m_pFont->GetSafeHandle(), sizeof m_logFont, &m_logFont);
}

void QVGraphTitle::SetFontRebuild(BOOL bRebuild)
{
    m_bFontRebuild = bRebuild ? 1 : 0;
}

int QVGraphTitle::GetFontSize()
{
    if (m_nFontStyle & fontAutoSize)
        return ComputeFitSize();
    return m_nFontSize;
}

COLORREF QVGraphTitle::GetTextColor()
{
    return m_crText;
}

void QVGraphTitle::SetTextColor(COLORREF crColor)
{
    m_crText = crColor;
}

void QVGraphTitle::SetFaceName(LPCTSTR lpszFace)
{
    m_strFaceName = lpszFace != NULL ? lpszFace : "";
    m_bFontRebuild = 1;
}

void QVGraphTitle::SetFaceNameString(const CString& strFace)
{
    SetFaceName(strFace);
}

CString QVGraphTitle::GetFaceName()
{
    return m_strFaceName;
}

void QVGraphTitle::SetFont(int nSize, int nStyleFlags, LPCTSTR lpszFace)
{
    m_nFontSize = nSize;
    m_nFontStyle = nStyleFlags;
    if (lpszFace != NULL && *lpszFace != '\0')
        m_strFaceName = lpszFace;
    m_bFontRebuild = 1;
    m_bChanged = 1;
}

void QVGraphTitle::SetText(LPCTSTR lpszText, int nAlignment)
{
    m_strText = (lpszText == NULL || *lpszText == '\0') ? " " : lpszText;
    m_nAlignment = nAlignment;
}

void QVGraphTitle::SetLogFont(const LOGFONT& logFont)
{
    if (logFont.lfFaceName[0] != '\0')
        m_strFaceName = logFont.lfFaceName;
    if (logFont.lfHeight != 0)
        m_nFontSize = -std::abs(int(logFont.lfHeight));
    int flags = m_nFontStyle & ~0xFF;
    flags |= (m_nFontStyle & 0xF0);
    if (logFont.lfWeight > 500)
        flags |= fontBold;
    if (logFont.lfItalic)
        flags |= fontItalic;
    if (logFont.lfUnderline)
        flags |= fontUnderline;
    if (logFont.lfStrikeOut)
        flags |= fontStrikeOut;
    m_nFontStyle = flags;
    m_logFont = logFont;
    m_bFontRebuild = 1;
}

int QVGraphTitle::CountLines(LPCTSTR lpszText)
{
    if (lpszText == NULL || *lpszText == '\0')
        return 0;
    int lines = 1;
    for (const char* p = lpszText; *p != '\0'; ++p)
        if (*p == '\n')
            ++lines;
    return lines;
}

int QVGraphTitle::LineHeight()
{
    TEXTMETRIC metrics;
    std::memset(&metrics, 0, sizeof metrics);
    if (m_pDC == NULL || !m_pDC->GetTextMetrics(&metrics))
        return 0;
    return metrics.tmHeight + metrics.tmExternalLeading;
}

void QVGraphTitle::SplitLines(LPCTSTR lpszText, int nLength, BOOL bWrap, int nWidth,
                              std::vector<std::pair<int, int>>& lines)
{
    lines.clear();
    if (lpszText == NULL || nLength <= 0)
        return;
    const bool wrap = bWrap && nWidth >= 1 && m_pDC != NULL;
    int lineStart = 0;
    int i = 0;
    bool brokeAtEnd = false;
    while (i < nLength) {
        const char c = lpszText[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::make_pair(lineStart, i - lineStart));
            if (c == '\r' && i + 1 < nLength && lpszText[i + 1] == '\n')
                ++i;
            ++i;
            lineStart = i;
            brokeAtEnd = i >= nLength;
            continue;
        }
        // A word: its leading blanks, then characters up to a blank or a line break.
        int end = i;
        while (end < nLength && IsBlank(lpszText[end]))
            ++end;
        while (end < nLength && !EndsWord(lpszText[end]))
            end += (::IsDBCSLeadByte(BYTE(lpszText[end])) && end + 1 < nLength) ? 2 : 1;
        if (wrap && i > lineStart && m_pDC->GetTextExtent(lpszText + lineStart, end - lineStart).cx > nWidth) {
            // The word goes to a new line; a word that alone exceeds the width stays on its own line.
            lines.push_back(std::make_pair(lineStart, i - lineStart));
            while (i < end && IsBlank(lpszText[i]))
                ++i;
            lineStart = i;
        }
        i = end;
    }
    if (lineStart < nLength || brokeAtEnd)
        lines.push_back(std::make_pair(lineStart, nLength - lineStart));
}

int QVGraphTitle::BreakLines(LPCTSTR lpszText, int nLength, const CRect& rect, BOOL bWrap, int* pStarts,
                             int* pLengths, int nMax)
{
    std::vector<std::pair<int, int>> lines;
    SplitLines(lpszText, nLength, bWrap, rect.Width(), lines);
    const int count = std::min(int(lines.size()), nMax);
    for (int i = 0; i < count; ++i) {
        if (pStarts != NULL)
            pStarts[i] = lines[size_t(i)].first;
        if (pLengths != NULL)
            pLengths[i] = lines[size_t(i)].second;
    }
    return count;
}

CSize QVGraphTitle::MeasureText(LPCTSTR lpszText, BOOL bWrap, int nWidth)
{
    if (lpszText == NULL || *lpszText == '\0' || m_pDC == NULL)
        return CSize(0, 0);
    std::vector<std::pair<int, int>> lines;
    SplitLines(lpszText, int(std::strlen(lpszText)), bWrap, nWidth, lines);
    int widest = 0;
    for (const auto& line : lines)
        if (line.second > 0)
            widest = std::max(widest, int(m_pDC->GetTextExtent(lpszText + line.first, line.second).cx));
    return CSize(widest, int(lines.size()) * LineHeight());
}

CSize QVGraphTitle::MeasureString(LPCTSTR lpszText)
{
    return MeasureText(lpszText, FALSE, 0);
}

void QVGraphTitle::OutputLine(int x, int y, const CRect* pClip, LPCTSTR lpszText, int nLength)
{
    OutputStyledLine(x, y, pClip, lpszText, nLength, GetTextColor(), m_nFontStyle);
}

void QVGraphTitle::OutputStyledLine(int x, int y, const CRect* pClip, LPCTSTR lpszText, int nLength,
                                    COLORREF crText, int nStyleFlags)
{
    const UINT options = pClip != NULL ? ETO_CLIPPED : 0;
    if (nStyleFlags & (fontRaised | fontSunken)) {
        const int sign = (nStyleFlags & fontRaised) ? 1 : -1;
        const int sx = sign * int(GetDeviceScaleX(m_pDC) + 0.5);
        const int sy = sign * int(GetDeviceScaleY(m_pDC) + 0.5);
        m_pDC->SetTextColor(RGB(255, 255, 255));
        m_pDC->ExtTextOut(x + sx, y + sy, options, pClip, lpszText, UINT(nLength), NULL);
        m_pDC->SetTextColor(RGB(0, 0, 0));
        m_pDC->ExtTextOut(x - sx, y - sy, options, pClip, lpszText, UINT(nLength), NULL);
    }
    m_pDC->SetTextColor(crText);
    m_pDC->ExtTextOut(x, y, options, pClip, lpszText, UINT(nLength), NULL);
}

void QVGraphTitle::DrawText(LPCTSTR lpszText, const CRect& rect, BOOL bWrap)
{
    if (m_pDC == NULL || lpszText == NULL || *lpszText == '\0')
        return;
    const int length = int(std::strlen(lpszText));
    int starts[kMaxDrawnLines];
    int lengths[kMaxDrawnLines];
    const int count = BreakLines(lpszText, length, rect, bWrap, starts, lengths, kMaxDrawnLines);
    const int lineHeight = LineHeight();
    const int top = rect.top + std::max(0, (rect.Height() - count * lineHeight) / 2);
    UINT align = TA_TOP | TA_LEFT;
    int x = rect.left;
    if (m_nAlignment == alignRight) {
        align = TA_TOP | TA_RIGHT;
        x = rect.right;
    } else if (m_nAlignment == alignCentre) {
        align = TA_TOP | TA_CENTER;
        x = rect.left + rect.Width() / 2;
    }
    const UINT oldAlign = m_pDC->SetTextAlign(align);
    for (int i = 0; i < count; ++i) {
        int n = lengths[i];
        while (n > 0 && IsBlank(lpszText[starts[i] + n - 1]))
            --n;
        if (n > 0)
            OutputLine(x, top + i * lineHeight, &rect, lpszText + starts[i], n);
    }
    m_pDC->SetTextAlign(oldAlign);
}

void QVGraphTitle::DrawTextNoWrap(LPCTSTR lpszText, const CRect& rect)
{
    DrawText(lpszText, rect, FALSE);
}

void QVGraphTitle::DrawString(LPCTSTR lpszText, const CRect& rect)
{
    DrawText(lpszText, rect, FALSE);
}

int QVGraphTitle::ComputeFitSize()
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL)
        return -10;
    return FitTextHeight(m_strText, GetInnerRect(m_rect.ToDeviceRect(m_pDC, m_pView)),
                         (m_nFontStyle & fontSingleLine) == 0);
}

int QVGraphTitle::FitTextHeight(LPCTSTR lpszText, const CRect& rect, BOOL bWrap)
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL)
        return -10;
    const int step = std::max(1, int(GetDeviceScaleY(m_pDC)));
    const int lowest = 3 * step;
    int h = 10 * m_pDC->GetDeviceCaps(LOGPIXELSY) / 72;
    bool growing = true;
    CFont* pOld = NULL;
    while (h >= lowest) {
        if (growing && h > rect.Height()) {
            h = rect.Height();
            growing = false;
            if (h < lowest)
                break;
        }
        CFont* pFont = MakeFont(-h, m_nFontStyle, GetFontAngle());
        CFont* pPrevious = m_pDC->SelectObject(pFont);
        if (pOld == NULL)
            pOld = pPrevious;
        const CSize size = MeasureText(lpszText, bWrap, rect.Width());
        if (size.cx == 0 || size.cy == 0) {
            m_pDC->SelectObject(pOld);
            return -10;
        }
        const bool fits = size.cy < rect.Height() && size.cx < rect.Width();
        if (growing) {
            if (fits) {
                h += 2 * step;
            } else {
                growing = false;
                h -= step;
            }
        } else if (fits) {
            break;
        } else {
            h -= step;
        }
    }
    if (pOld != NULL)
        m_pDC->SelectObject(pOld);
    return -std::max(h, 1);
}

void QVGraphTitle::DrawContent()
{
    if (!m_bVisible || !m_bDrawing || m_pDC == NULL)
        return;
    // The text follows the chart's title annotation unless it is fixed; an empty annotation leaves the
    // title's own text, so a title set by the program is not blanked by a chart without one.
    if (!m_bFixedText && m_pChart != NULL) {
        const CString chartTitle = m_pChart->GetManagerText(m_nAnnotationIndex);
        if (!chartTitle.IsEmpty())
            SetText(chartTitle, m_nAlignment);
    }
    RebuildFontIfStale();
    CFont* pOldFont = m_pDC->SelectObject(m_pFont);
    const COLORREF oldColor = m_pDC->SetTextColor(m_crText);
    const int oldMode = m_pDC->SetBkMode(TRANSPARENT);
    const CRect inner = GetInnerRect(m_rect.GetDeviceRect());
    DrawText(m_strText, inner, (m_nFontStyle & fontSingleLine) == 0);
    m_pDC->SetBkMode(oldMode);
    m_pDC->SetTextColor(oldColor);
    m_pDC->SelectObject(pOldFont);
}

void QVGraphTitle::RebuildFontIfStale()
{
    // A printer's font is made for every drawing and leaves the screen's rebuild mark as it was.
    const BOOL printing = IsPrinting();
    if (printing || m_bChanged || m_bFontRebuild || (m_nFontStyle & fontAutoSize) || m_pFont == NULL) {
        RebuildFont();
        if (!printing)
            m_bFontRebuild = 0;
    }
}

QVGraphComponent* QVGraphTitle::CreateLabel()
{
    return new QVGraphLabel;
}

void QVGraphTitle::DrawItemLabel(int x, int y, QVGraphData* pItem)
{
    if (!m_bDrawing || m_pDC == NULL || pItem == NULL)
        return;
    CString text;
    if (!GetItemLabelText(pItem, text))
        return;
    if (m_pLabel == NULL)
        m_pLabel = CreateLabel();
    QVGraphLabel* pLabel = dynamic_cast<QVGraphLabel*>(m_pLabel);
    if (pLabel == NULL)
        return;
    pLabel->SetChart(m_pChart);
    pLabel->SetDrawContext(m_pDC, m_pView);
    pLabel->SetSubComponent(TRUE);   // its anchor is in device units already: no chart origin added
    const int direction = RotateLabelDirection(pItem->GetStyle(), pLabel);
    // The label lies away from the point: left of it, above it, right of it, below it, or on it.
    static const int kJustification[9] = {4, 6, 6, 6, 0, 2, 2, 2, 8};
    pLabel->SetJustification(kJustification[direction >= 0 && direction <= 8 ? direction : 8]);
    pLabel->SetAnnotationText(text);
    const CPoint anchor = GetItemLabelAnchor(x, y, direction);
    pLabel->SetPosition(anchor.x, anchor.y);
    pLabel->GetStyle()->SetFillType(0);
    pLabel->GetStyle()->SetBorderStyle(0);
    const int mode = m_pChart != NULL ? m_pChart->GetChartStyle()->GetDataLabelMode() : 0;
    if (mode == 2 && m_pChart != NULL) {
        pLabel->SetTag(QVG_TEMPORARY_TAG);
        pLabel->SetTemporary(TRUE);
        m_pChart->AddComponent(pLabel);
        m_pLabel = NULL;
        return;
    }
    if (mode == 3 && m_pChart != NULL) {
        QVGraphLabelBlock* pBlock = dynamic_cast<QVGraphLabelBlock*>(m_pChart->FindComponentByTag(QVG_BLOCK_TAG));
        if (pBlock == NULL) {
            pBlock = new QVGraphLabelBlock;
            pBlock->GetStyle()->CopyFrom(*pItem->GetStyle());
            pBlock->GetStyle()->SetShadowStyle(QVGraphLabelBlock::overlapHide);
            pBlock->SetTag(QVG_BLOCK_TAG);
            m_pChart->AddComponent(pBlock);
        }
        pBlock->AddLabel(pLabel, TRUE);
        m_pLabel = NULL;
        return;
    }
    pLabel->SetVisible(TRUE);
    pLabel->Draw(m_pDC, m_pView);
    pLabel->SetDrawContext(NULL, NULL);
}

int QVGraphTitle::ReadTemplateDetails(LPCTSTR lpszText)
{
    QVGTitleFields fields;
    const int consumed = ReadTitleFields(lpszText, fields);
    SetText("", fields.nAlignment);
    SetTextColor(fields.crText);
    SetFont(fields.nSize, fields.nStyleFlags, fields.strFace);
    return consumed;
}

LPCTSTR QVGraphTitle::GetTemplateKeyword()
{
    return "title ";
}

void QVGraphTitle::WriteTemplateText(CStdioFile* pFile)
{
    QVGTitleFields fields;
    fields.crText = m_crText;
    fields.strFace = m_strFaceName;
    fields.nSize = m_nFontSize;
    fields.nStyleFlags = m_nFontStyle;
    fields.nAlignment = m_nAlignment;
    WriteTitleFields(pFile, fields);
}
