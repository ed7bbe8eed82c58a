// Text of the drawing toolbox: line breaking, aligned and clipped output, ellipses, hit testing.
#include "grid/core/DrawingAndFormatting.h"

#include "grid/core/LibraryLinks.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstring>

namespace
{
const int kMaxDrawLines = 32;

int CharLength(LPCTSTR psz, int nPos, int nLength)
{
    return (nPos + 1 < nLength && ::IsDBCSLeadByte(static_cast<BYTE>(psz[nPos]))) ? 2 : 1;
}

bool IsBreakChar(char ch) { return ch == ' ' || ch == '\r' || ch == '\n'; }

int TextWidth(CDC* pDC, LPCTSTR psz, int nLength)
{
    return nLength > 0 ? pDC->GetTextExtent(psz, nLength).cx : 0;
}

// Height of one line as the metric gives it.
int LineHeight(const TEXTMETRIC& tm) { return std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading)); }

// The step between drawn lines: tall fonts close up by one pixel.
int DrawLineStep(const TEXTMETRIC& tm)
{
    const int nHeight = LineHeight(tm);
    return nHeight > 19 ? nHeight - 1 : nHeight;
}

int TextLength(LPCTSTR pszText, int nLength)
{
    if (pszText == nullptr)
        return 0;
    return nLength < 0 ? static_cast<int>(std::strlen(pszText)) : nLength;
}

// Output clipped to the clip rectangle; the DC's own clipping region comes back afterwards.
class ScopedClip
{
public:
    ScopedClip(CDC* pDC, const RECT& clip) : m_hDC(pDC->m_hDC), m_hSaved(::CreateRectRgn(0, 0, 0, 0))
    {
        m_bHadRegion = ::GetClipRgn(m_hDC, m_hSaved) == 1;
        ::IntersectClipRect(m_hDC, clip.left, clip.top, clip.right, clip.bottom);
    }
    ~ScopedClip()
    {
        ::SelectClipRgn(m_hDC, m_bHadRegion ? m_hSaved : nullptr);
        ::DeleteObject(m_hSaved);
    }
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

private:
    HDC m_hDC;
    HRGN m_hSaved;
    BOOL m_bHadRegion = FALSE;
};

// The lines the last BreakLines of this class made, with their widths and the text metric it read.
// DrawText breaks the text through the overridable BreakLines and then needs the same measures: it
// takes them from here when the answer it got is the one recorded, instead of measuring again.
struct MeasuredLines
{
    CDC* pDC = nullptr;
    LPCTSTR pszText = nullptr;
    int nLength = 0;
    int nLines = 0;
    TEXTMETRIC tm = {};
    int starts[kMaxDrawLines] = {};
    int lengths[kMaxDrawLines] = {};
    int widths[kMaxDrawLines] = {};

    BOOL Matches(CDC* pDCAsked, LPCTSTR pszAsked, int nLengthAsked, int nLinesGot, const int* pnStarts,
                 const int* pnLengths) const
    {
        return pDC == pDCAsked && pszText == pszAsked && nLength == nLengthAsked && nLines == nLinesGot &&
               std::equal(starts, starts + nLines, pnStarts) && std::equal(lengths, lengths + nLines, pnLengths);
    }
};
thread_local MeasuredLines t_lastBreak;

int AlignedLeft(const RECT& rect, int nWidth, UINT nFormat)
{
    int x = rect.left;
    if (nFormat & DT_RIGHT)
        x = rect.right - nWidth;
    else if (nFormat & DT_CENTER)
        x = rect.left + (rect.right - rect.left - nWidth) / 2;
    return std::max(x, static_cast<int>(rect.left));
}
}  // namespace

int CGXDrawingAndFormatting::BreakLines(CDC* pDC, LPCTSTR pszText, int nLength, LPRECT lpRect, UINT nFormat,
                                        int* pnLineStart, int* pnLineLength, int nMaxLines)
{
    nLength = TextLength(pszText, nLength);
    if (pDC == nullptr || lpRect == nullptr || nMaxLines <= 0)
        return 0;
    TEXTMETRIC tm = {};
    pDC->GetTextMetrics(&tm);
    const int nLineHeight = LineHeight(tm);
    const int nHeight = lpRect->bottom - lpRect->top;
    const int nWidth = lpRect->right - lpRect->left;

    // Lines that fit the height; a cell that holds one line or less still shows one.
    int nFit = nHeight / nLineHeight;
    if (nHeight - nLineHeight / 3 <= nLineHeight)
        nFit = 0;
    int nCap = std::min(nMaxLines, std::max(nFit, 1));
    if (nFormat & DT_SINGLELINE)
        nCap = 1;

    int nLines = 0;
    int nPos = 0;
    bool bAfterWrap = false;
    int widths[kMaxDrawLines];
    while (nPos < nLength && nLines < nCap)
    {
        if (bAfterWrap)
            while (nPos < nLength && pszText[nPos] == ' ')
                ++nPos;
        const int nStart = nPos;
        int nEnd = nPos;
        int nScan = nPos;
        int nEndWidth = 0;
        bool bFirstWord = true;
        for (;;)
        {
            int nWordEnd = nScan;
            while (nWordEnd < nLength && pszText[nWordEnd] == ' ')
                ++nWordEnd;
            while (nWordEnd < nLength && !IsBreakChar(pszText[nWordEnd]))
                nWordEnd += CharLength(pszText, nWordEnd, nLength);
            if (nWordEnd == nScan)
                break;  // a line break or the end of the text
            const int nLineWidth = TextWidth(pDC, pszText + nStart, nWordEnd - nStart);
            if (!bFirstWord && nLineWidth > nWidth + 1)
                break;  // this word goes to the next line
            nEnd = nScan = nWordEnd;
            nEndWidth = nLineWidth;
            bFirstWord = false;
            if (nLineWidth > nWidth + 1)
                break;  // a word wider than the rectangle stands alone
        }
        pnLineStart[nLines] = nStart;
        pnLineLength[nLines] = nEnd - nStart;
        if (nLines < kMaxDrawLines)
            widths[nLines] = nEndWidth;
        ++nLines;
        nPos = nEnd;
        bAfterWrap = false;
        if (nPos < nLength && pszText[nPos] == '\r')
        {
            ++nPos;
            if (nPos < nLength && pszText[nPos] == '\n')
                ++nPos;
        }
        else if (nPos < nLength && pszText[nPos] == '\n')
            ++nPos;
        else
            bAfterWrap = true;
    }

    if (nLines <= kMaxDrawLines)
    {
        MeasuredLines& measured = t_lastBreak;
        measured.pDC = pDC;
        measured.pszText = pszText;
        measured.nLength = nLength;
        measured.nLines = nLines;
        measured.tm = tm;
        std::copy(pnLineStart, pnLineStart + nLines, measured.starts);
        std::copy(pnLineLength, pnLineLength + nLines, measured.lengths);
        std::copy(widths, widths + nLines, measured.widths);
    }

    const int nTextHeight = nLines * nLineHeight;
    if (nTextHeight <= nHeight)
    {
        if (nFormat & DT_VCENTER)
            lpRect->top += (nHeight - nTextHeight + tm.tmExternalLeading) / 2;
        else if (nFormat & DT_BOTTOM)
            lpRect->top += nHeight - nTextHeight;
    }
    return nLines;
}

int CGXDrawingAndFormatting::CalcTextRect(CDC* pDC, LPCTSTR pszText, int nLength, LPRECT lpRect, UINT nFormat)
{
    nLength = TextLength(pszText, nLength);
    if (pDC == nullptr || lpRect == nullptr)
        return 0;
    int starts[kMaxDrawLines];
    int lengths[kMaxDrawLines];
    CRect rect(*lpRect);
    // Measured without vertical alignment: the rectangle grows from its top.
    const int nLines = BreakLines(pDC, pszText, nLength, rect, nFormat & ~(DT_VCENTER | DT_BOTTOM), starts,
                                  lengths, kMaxDrawLines);
    TEXTMETRIC tm = {};
    pDC->GetTextMetrics(&tm);
    int nMaxWidth = 0;
    for (int i = 0; i < nLines; ++i)
        nMaxWidth = std::max(nMaxWidth, TextWidth(pDC, pszText + starts[i], lengths[i]));
    const int nHeight = nLines * LineHeight(tm);
    lpRect->right = lpRect->left + nMaxWidth;
    lpRect->bottom = lpRect->top + nHeight;
    return nHeight;
}

int CGXDrawingAndFormatting::DrawText(CDC* pDC, LPCTSTR pszText, int nLength, LPRECT lpRect, UINT nFormat,
                                      LPCRECT lpClipRect)
{
    nLength = TextLength(pszText, nLength);
    if (pDC == nullptr || lpRect == nullptr || nLength == 0)
        return 0;
    int starts[kMaxDrawLines];
    int lengths[kMaxDrawLines];
    CRect rect(*lpRect);
    t_lastBreak.pDC = nullptr;
    const int nLines = BreakLines(pDC, pszText, nLength, rect, nFormat, starts, lengths, kMaxDrawLines);
    const MeasuredLines& measured = t_lastBreak;
    const BOOL bMeasured = measured.Matches(pDC, pszText, nLength, nLines, starts, lengths);
    TEXTMETRIC tm = {};
    if (bMeasured)
        tm = measured.tm;
    else
        pDC->GetTextMetrics(&tm);
    const int nStep = DrawLineStep(tm);
    const CRect clip = lpClipRect != nullptr ? CRect(*lpClipRect) : CRect(*lpRect);

    int y = rect.top;
    for (int i = 0; i < nLines; ++i, y += nStep)
    {
        const LPCTSTR pszLine = pszText + starts[i];
        const int nLineWidth = bMeasured ? measured.widths[i] : TextWidth(pDC, pszLine, lengths[i]);
        const int x = AlignedLeft(rect, nLineWidth, nFormat);
        if (nLineWidth > clip.Width())
        {
            ScopedClip clipping(pDC, clip);
            pDC->TextOut(x, y, pszLine, lengths[i]);
        }
        else
            pDC->TextOut(x, y, pszLine, lengths[i]);
    }
    return nLines * nStep;
}

int CGXDrawingAndFormatting::DrawTextEllipsis(CDC* pDC, LPCTSTR pszText, int nLength, CRect rect, UINT nFormat,
                                              LPCRECT lpClipRect, int nEllipseType)
{
    if (nEllipseType == gxNoEllipse)
        return DrawText(pDC, pszText, nLength, rect, nFormat, lpClipRect);
    nLength = TextLength(pszText, nLength);
    if (pDC == nullptr || nLength == 0)
        return 0;
    const CRect clip = lpClipRect != nullptr ? CRect(*lpClipRect) : rect;

    int starts[kMaxDrawLines];
    int lengths[kMaxDrawLines];
    const int nLines = BreakLines(pDC, pszText, nLength, rect, nFormat, starts, lengths, kMaxDrawLines);
    TEXTMETRIC tm = {};
    pDC->GetTextMetrics(&tm);
    const int nStep = DrawLineStep(tm);
    const bool bSingleLine = (nFormat & DT_SINGLELINE) != 0;

    int y = rect.top;
    for (int i = 0; i < nLines; ++i, y += nStep)
    {
        const LPCTSTR pszLine = pszText + starts[i];
        const int nLineLength = lengths[i];
        const bool bMoreText = starts[i] + nLineLength < nLength;
        const int nLineWidth = TextWidth(pDC, pszLine, nLineLength);

        bool bTooWide = false;
        int x;
        if (!bMoreText && nLineWidth > clip.Width())
        {
            bTooWide = true;
            x = clip.left;
        }
        else if (!bMoreText && nLineWidth > rect.Width())
            x = std::min(static_cast<int>(rect.left), static_cast<int>(clip.right) - nLineWidth);
        else
            x = AlignedLeft(rect, nLineWidth, nFormat);

        if (bTooWide)
        {
            ScopedClip clipping(pDC, clip);
            if (nEllipseType == gxPoundEllipse && bSingleLine)
                pDC->TextOut(x, y, "#", 1);
            else
                pDC->TextOut(x, y, pszLine, nLineLength);
            continue;
        }

        // The last line, or one below whose top too little room is left for another line.
        const bool bLastWithRoom = i == nLines - 1 || rect.bottom - y < nStep + tm.tmAscent * 3 / 4;
        if (nEllipseType == gxDotEllipse && bLastWithRoom && bMoreText && nLineLength >= 1)
        {
            // Drop characters until the line with its ellipsis fits; the last character stays and the
            // ellipsis shortens instead.
            int nKeep = nLineLength;
            int nDots = 3;
            CString shown;
            for (;;)
            {
                shown = CString(pszLine, nKeep) + CString('.', nDots);
                if (TextWidth(pDC, shown, shown.GetLength()) <= rect.Width())
                    break;
                if (nKeep > 1)
                {
                    int nPrev = 0;
                    for (int nPos = 0; nPos < nKeep;)
                    {
                        nPrev = nPos;
                        nPos += CharLength(pszLine, nPos, nKeep);
                    }
                    nKeep = std::max(1, nPrev);
                }
                else if (nDots > 0)
                    --nDots;
                else
                    break;
            }
            const int nShownWidth = TextWidth(pDC, shown, shown.GetLength());
            pDC->TextOut(AlignedLeft(rect, nShownWidth, nFormat), y, shown, shown.GetLength());
            break;  // the ellipsis ends the drawn text
        }
        if (nEllipseType == gxPoundEllipse && bSingleLine && bMoreText)
        {
            const int nPoundWidth = std::max(1, static_cast<int>(pDC->GetTextExtent("#", 1).cx));
            const int nPounds = rect.Width() / nPoundWidth;
            if (nPounds < 1)
            {
                ScopedClip clipping(pDC, clip);
                pDC->TextOut(rect.left, y, "#", 1);
            }
            else
            {
                const CString pounds('#', nPounds);
                pDC->TextOut(AlignedLeft(rect, nPounds * nPoundWidth, nFormat), y, pounds, nPounds);
            }
            continue;
        }
        pDC->TextOut(x, y, pszLine, nLineLength);
    }
    return 0;
}

int CGXDrawingAndFormatting::DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, CRect rect, UINT nFormat,
                                             LONG lfOrientation, LPCRECT lpClipRect)
{
    CGXAbstractDrawRotatedTextImp* pImp = GXGetLibraryLinks().pDrawRotatedTextImp;
    if (pImp == nullptr)
        return 0;
    return pImp->DrawRotatedText(pDC, pszText, TextLength(pszText, nLength), rect, nFormat, lfOrientation,
                                 lpClipRect);
}

int CGXDrawingAndFormatting::GetTextPosFromPoint(CDC* pDC, LPCTSTR pszText, int nLength, CRect rect, UINT nFormat,
                                                 int x, int y)
{
    nLength = TextLength(pszText, nLength);
    if (pDC == nullptr || nLength == 0)
        return -1;
    int starts[kMaxDrawLines];
    int lengths[kMaxDrawLines];
    const int nLines = BreakLines(pDC, pszText, nLength, rect, nFormat, starts, lengths, kMaxDrawLines);
    TEXTMETRIC tm = {};
    pDC->GetTextMetrics(&tm);
    const int nStep = LineHeight(tm);
    if (y < rect.top || y >= rect.top + nLines * nStep)
        return -1;
    const int nLine = (y - rect.top) / nStep;

    const LPCTSTR pszLine = pszText + starts[nLine];
    const int nLineLength = lengths[nLine];
    const int nLineWidth = TextWidth(pDC, pszLine, nLineLength);
    UINT nPlaceFormat = nFormat;
    if (pDC->GetTextAlign() & TA_RTLREADING)
    {
        // Right-to-left reading mirrors the placement.
        if (nFormat & DT_RIGHT)
            nPlaceFormat &= ~DT_RIGHT;
        else if (!(nFormat & DT_CENTER))
            nPlaceFormat |= DT_RIGHT;
    }
    const int xStart = AlignedLeft(rect, nLineWidth, nPlaceFormat);
    const int nTolerance = tm.tmMaxCharWidth / 3;
    if (x < xStart - nTolerance || x > xStart + nLineWidth + nTolerance)
        return -1;

    for (int nPos = 0; nPos < nLineLength;)
    {
        const int nNext = nPos + CharLength(pszLine, nPos, nLineLength);
        if (xStart + TextWidth(pDC, pszLine, nNext) > x)
            return starts[nLine] + nPos;
        nPos = nNext;
    }
    return starts[nLine] + nLineLength;
}

CString CGXDrawingAndFormatting::FormatValueText(const CGXStyle& style, LPCTSTR pszValue, unsigned nValueType)
{
    if (CGXAbstractNumberFormattingImp* pImp = GXGetLibraryLinks().pNumberFormattingImp)
        return pImp->FormatValue(&style, pszValue, nValueType, 0, 0);
    if (pszValue != nullptr)
        return CString(pszValue);
    return style.GetIncludeValue() ? style.GetValue() : CString();
}

BOOL CGXDrawingAndFormatting::ConvertValueText(LPCTSTR pszText, double& dValue, unsigned* pnFormat,
                                               unsigned* pnPlaces)
{
    CGXAbstractNumberFormattingImp* pImp = GXGetLibraryLinks().pNumberFormattingImp;
    if (pImp == nullptr || pszText == nullptr)
        return FALSE;
    return pImp->ParseValue(pszText, dValue, pnFormat, pnPlaces);
}
