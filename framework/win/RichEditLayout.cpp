// CRichEditCtrl::FormatRange, with the layout the control itself should do for EM_FORMATRANGE
// where it does not (Wine's riched20 answers the message without laying anything out).
#include "framework/win/RichEditCtrl.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const int kTwipsPerInch = 1440;

bool IsParagraphEnd(wchar_t ch)
{
    return ch == L'\r' || ch == L'\n';
}

// What decides how a character looks.
bool SameLook(const CHARFORMATA& a, const CHARFORMATA& b)
{
    const DWORD effects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_AUTOCOLOR;
    return (a.dwEffects & effects) == (b.dwEffects & effects) && a.yHeight == b.yHeight &&
           ((a.dwEffects & CFE_AUTOCOLOR) != 0 || a.crTextColor == b.crTextColor) && a.bCharSet == b.bCharSet &&
           std::strcmp(a.szFaceName, b.szFaceName) == 0;
}

// The text of the range with each character's look and each paragraph's alignment, read from the
// control by moving its selection (put back afterwards, with its scroll position and events).
struct RangeContent
{
    std::wstring text;
    std::vector<CHARFORMATA> looks;
    std::vector<size_t> lookOf;          // per character, an index into looks
    std::vector<WORD> alignmentOf;       // per character, its paragraph's PFA_ alignment
};

// The whole text as UTF-16 with one character per position (a paragraph ends in "\r"): the
// ANSI window gives its text in bytes, whose count differs from the positions for double-byte text.
std::wstring ReadText(HWND hWnd)
{
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT nChars = ::SendMessageA(hWnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (nChars <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(nChars) + 1, L'\0');
    GETTEXTEX request = {};
    request.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    request.flags = GT_DEFAULT;
    request.codepage = 1200;
    const LRESULT nRead = ::SendMessageA(hWnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                         reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), nRead > 0 ? static_cast<size_t>(nRead) : 0);
}

RangeContent ReadRange(HWND hWnd, long first, long last)
{
    RangeContent content;
    const std::wstring whole = ReadText(hWnd);
    if (static_cast<size_t>(first) < whole.size())
        content.text = whole.substr(static_cast<size_t>(first), static_cast<size_t>(last - first));

    CHARRANGE savedSel = {0, 0};
    ::SendMessageA(hWnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&savedSel));
    POINT savedScroll = {0, 0};
    ::SendMessageA(hWnd, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&savedScroll));
    const LRESULT savedEvents = ::SendMessageA(hWnd, EM_SETEVENTMASK, 0, 0);

    WORD alignment = PFA_LEFT;
    for (size_t i = 0; i < content.text.size(); ++i)
    {
        const long position = first + static_cast<long>(i);
        CHARRANGE one = {position, position + 1};
        ::SendMessageA(hWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMATA cf = {};
        cf.cbSize = sizeof cf;
        ::SendMessageA(hWnd, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        size_t look = 0;
        while (look < content.looks.size() && !SameLook(content.looks[look], cf))
            ++look;
        if (look == content.looks.size())
            content.looks.push_back(cf);
        content.lookOf.push_back(look);

        if (i == 0 || IsParagraphEnd(content.text[i - 1]))
        {
            PARAFORMAT2 pf = {};
            pf.cbSize = sizeof pf;
            ::SendMessageA(hWnd, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
            alignment = (pf.dwMask & PFM_ALIGNMENT) != 0 ? pf.wAlignment : PFA_LEFT;
        }
        content.alignmentOf.push_back(alignment);
    }

    ::SendMessageA(hWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&savedSel));
    ::SendMessageA(hWnd, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&savedScroll));
    ::SendMessageA(hWnd, EM_SETEVENTMASK, 0, savedEvents);
    return content;
}

// The fonts of the looks on one device, made on first use.
class CLookFonts
{
public:
    CLookFonts(HDC hDC, const std::vector<CHARFORMATA>& looks) : m_hDC(hDC), m_looks(looks), m_fonts(looks.size())
    {
        m_nPixelsY = ::GetDeviceCaps(hDC, LOGPIXELSY);
    }
    ~CLookFonts()
    {
        for (const Font& font : m_fonts)
            if (font.hFont != nullptr)
                ::DeleteObject(font.hFont);
    }
    CLookFonts(const CLookFonts&) = delete;
    CLookFonts& operator=(const CLookFonts&) = delete;

    struct Font
    {
        HFONT hFont = nullptr;
        int nAscent = 0;
        int nDescent = 0;
    };

    const Font& Get(size_t look)
    {
        Font& font = m_fonts[look];
        if (font.hFont != nullptr)
            return font;
        const CHARFORMATA& cf = m_looks[look];
        LOGFONTA lf = {};
        lf.lfHeight = -::MulDiv(cf.yHeight, m_nPixelsY, kTwipsPerInch);
        lf.lfWeight = (cf.dwEffects & CFE_BOLD) != 0 ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (cf.dwEffects & CFE_ITALIC) != 0;
        lf.lfUnderline = (cf.dwEffects & CFE_UNDERLINE) != 0;
        lf.lfStrikeOut = (cf.dwEffects & CFE_STRIKEOUT) != 0;
        lf.lfCharSet = cf.bCharSet;
        lf.lfPitchAndFamily = cf.bPitchAndFamily;
        lstrcpynA(lf.lfFaceName, cf.szFaceName, LF_FACESIZE);
        font.hFont = ::CreateFontIndirectA(&lf);
        HGDIOBJ hOld = ::SelectObject(m_hDC, font.hFont);
        TEXTMETRICA metrics = {};
        ::GetTextMetricsA(m_hDC, &metrics);
        ::SelectObject(m_hDC, hOld);
        font.nAscent = metrics.tmAscent;
        font.nDescent = metrics.tmDescent;
        return font;
    }

    COLORREF ColourOf(size_t look) const
    {
        const CHARFORMATA& cf = m_looks[look];
        return (cf.dwEffects & CFE_AUTOCOLOR) != 0 ? ::GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor;
    }

private:
    HDC m_hDC;
    const std::vector<CHARFORMATA>& m_looks;
    std::vector<Font> m_fonts;
    int m_nPixelsY = 96;
};

// Lays the content out line by line in rect and draws the lines that fit when bDisplay.
class CRangeLayout
{
public:
    CRangeLayout(HDC hDC, const RangeContent& content, const RECT& rect, BOOL bDisplay)
        : m_hDC(hDC), m_content(content), m_rect(rect), m_bDisplay(bDisplay), m_fonts(hDC, content.looks)
    {
    }

    // The index (in the content) of the first character that did not fit.
    size_t Run()
    {
        const std::wstring& text = m_content.text;
        size_t lineStart = 0;
        int y = m_rect.top;
        while (lineStart < text.size())
        {
            const size_t lineEnd = LineEnd(lineStart);
            const LineHeight height = HeightOf(lineStart, lineEnd);
            if (y + height.nAscent + height.nDescent > m_rect.bottom)
                return lineStart;
            if (m_bDisplay)
                DrawLine(lineStart, lineEnd, y + height.nAscent);
            y += height.nAscent + height.nDescent;
            lineStart = NextLineStart(lineEnd);
        }
        return text.size();
    }

private:
    struct LineHeight
    {
        int nAscent = 0;
        int nDescent = 0;
    };

    int WidthOf(size_t first, size_t last)
    {
        int width = 0;
        for (size_t start = first; start < last;)
        {
            size_t end = start;
            while (end < last && m_content.lookOf[end] == m_content.lookOf[start])
                ++end;
            HGDIOBJ hOld = ::SelectObject(m_hDC, m_fonts.Get(m_content.lookOf[start]).hFont);
            SIZE size = {0, 0};
            ::GetTextExtentPoint32W(m_hDC, m_content.text.data() + start, static_cast<int>(end - start), &size);
            ::SelectObject(m_hDC, hOld);
            width += size.cx;
            start = end;
        }
        return width;
    }

    // The end of the line that starts at first: before its paragraph end, or where the next word
    // no longer fits (a word wider than the whole line still gets a line of its own).
    size_t LineEnd(size_t first)
    {
        const std::wstring& text = m_content.text;
        const int nWidth = m_rect.right - m_rect.left;
        size_t end = first;
        while (end < text.size() && !IsParagraphEnd(text[end]))
        {
            size_t wordEnd = end;
            while (wordEnd < text.size() && !IsParagraphEnd(text[wordEnd]) && text[wordEnd] != L' ')
                ++wordEnd;
            // Trailing blanks stay on the line whether or not they fit.
            size_t blanksEnd = wordEnd;
            while (blanksEnd < text.size() && text[blanksEnd] == L' ')
                ++blanksEnd;
            if (end > first && WidthOf(first, wordEnd) > nWidth)
                break;
            end = blanksEnd;
        }
        return end;
    }

    size_t NextLineStart(size_t lineEnd) const
    {
        const std::wstring& text = m_content.text;
        if (lineEnd < text.size() && text[lineEnd] == L'\r')
            ++lineEnd;
        if (lineEnd < text.size() && text[lineEnd] == L'\n')
            ++lineEnd;
        return lineEnd;
    }

    LineHeight HeightOf(size_t first, size_t last)
    {
        LineHeight height;
        // An empty line is as tall as the font of its paragraph end.
        const size_t lookEnd = last > first ? last : (first < m_content.text.size() ? first + 1 : first);
        for (size_t i = first; i < lookEnd; ++i)
        {
            const CLookFonts::Font& font = m_fonts.Get(m_content.lookOf[i]);
            height.nAscent = font.nAscent > height.nAscent ? font.nAscent : height.nAscent;
            height.nDescent = font.nDescent > height.nDescent ? font.nDescent : height.nDescent;
        }
        return height;
    }

    void DrawLine(size_t first, size_t last, int baseline)
    {
        // Trailing blanks do not count for the alignment.
        size_t visibleEnd = last;
        while (visibleEnd > first && m_content.text[visibleEnd - 1] == L' ')
            --visibleEnd;
        const int nSpare = (m_rect.right - m_rect.left) - WidthOf(first, visibleEnd);
        int x = m_rect.left;
        if (first < m_content.alignmentOf.size() && nSpare > 0)
        {
            if (m_content.alignmentOf[first] == PFA_RIGHT)
                x += nSpare;
            else if (m_content.alignmentOf[first] == PFA_CENTER)
                x += nSpare / 2;
        }
        for (size_t start = first; start < last;)
        {
            size_t end = start;
            const size_t look = m_content.lookOf[start];
            while (end < last && m_content.lookOf[end] == look)
                ++end;
            const CLookFonts::Font& font = m_fonts.Get(look);
            HGDIOBJ hOld = ::SelectObject(m_hDC, font.hFont);
            ::SetTextColor(m_hDC, m_fonts.ColourOf(look));
            const int nCount = static_cast<int>(end - start);
            ::TextOutW(m_hDC, x, baseline - font.nAscent, m_content.text.data() + start, nCount);
            SIZE size = {0, 0};
            ::GetTextExtentPoint32W(m_hDC, m_content.text.data() + start, nCount, &size);
            ::SelectObject(m_hDC, hOld);
            x += size.cx;
            start = end;
        }
    }

    HDC m_hDC;
    const RangeContent& m_content;
    RECT m_rect;
    BOOL m_bDisplay;
    CLookFonts m_fonts;
};

} // namespace

long CRichEditCtrl::FormatRange(FORMATRANGE* pfr, BOOL bDisplay)
{
    const long nNext = (long)::SendMessageA(m_hWnd, EM_FORMATRANGE, bDisplay, (LPARAM)pfr);
    if (pfr == nullptr || nNext != 0 || pfr->hdc == nullptr)
        return nNext;
    return LayOutRange(*pfr, bDisplay);
}

long CRichEditCtrl::LayOutRange(const FORMATRANGE& range, BOOL bDisplay)
{
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    const long nLength = static_cast<long>(::SendMessageA(m_hWnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    const long first = range.chrg.cpMin < 0 ? 0 : (range.chrg.cpMin > nLength ? nLength : range.chrg.cpMin);
    const long last = range.chrg.cpMax < 0 || range.chrg.cpMax > nLength ? nLength : range.chrg.cpMax;
    if (first >= last)
        return first;

    const RangeContent content = ReadRange(m_hWnd, first, last);
    HDC hDC = range.hdc;
    // The rectangle in twips, in the logical units of the device (its pixels per inch).
    const int nPixelsX = ::GetDeviceCaps(hDC, LOGPIXELSX);
    const int nPixelsY = ::GetDeviceCaps(hDC, LOGPIXELSY);
    const RECT rect = {::MulDiv(range.rc.left, nPixelsX, kTwipsPerInch), ::MulDiv(range.rc.top, nPixelsY, kTwipsPerInch),
                       ::MulDiv(range.rc.right, nPixelsX, kTwipsPerInch),
                       ::MulDiv(range.rc.bottom, nPixelsY, kTwipsPerInch)};

    const int nSaved = ::SaveDC(hDC);
    if (bDisplay)
    {
        ::IntersectClipRect(hDC, rect.left, rect.top, rect.right, rect.bottom);
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextAlign(hDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    }
    CRangeLayout layout(hDC, content, rect, bDisplay);
    const size_t nFitted = layout.Run();
    ::RestoreDC(hDC, nSaved);
    return first + static_cast<long>(nFitted);
}
