#include "grid/controls/CurrencyEdit.h"

#include "framework/core/NumberText.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"
#include "grid/controls/Calculator.h"
#include "grid/controls/WindowPainting.h"
#include "grid/core/AppData.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CGXBCurrencyEdit, CGXBDropEdit)

namespace
{
const char kClassName[] = "CGXBCurrencyEdit";

struct Pattern
{
    const char* prefix;
    const char* suffix;
};
const Pattern kPositive[4] = {{"%s", ""}, {"", "%s"}, {"%s ", ""}, {"", " %s"}};
const Pattern kNegative[16] = {{"(%s", ")"}, {"-%s", ""},   {"%s-", ""},   {"%s", "-"},   {"(", "%s)"}, {"-", "%s"},
                               {"", "-%s"},  {"", "%s-"},   {"-", " %s"},  {"-%s ", ""},  {"", " %s-"}, {"%s ", "-"},
                               {"%s -", ""}, {"", "- %s"},  {"(%s ", ")"}, {"(", " %s)"}};

CString FillPiece(const char* pszPiece, const CString& symbol)
{
    CString piece = pszPiece;
    if (piece.Find('%') < 0)
        return piece;
    piece.Replace("%s", symbol);
    return piece;
}

char RuntimePoint()
{
    const lconv* pConv = std::localeconv();
    return pConv != nullptr && pConv->decimal_point != nullptr && *pConv->decimal_point != '\0'
               ? *pConv->decimal_point
               : '.';
}

// The metrics of a font in the window's DC.
TEXTMETRICA FontMetrics(HWND hWnd, HFONT hFont)
{
    const HDC hDC = ::GetDC(hWnd);
    const HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hWnd, hDC);
    return tm;
}

BOOL IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

CString LocaleText(LCTYPE type, LPCTSTR pszFallback)
{
    char sz[256] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, sz, sizeof sz) == 0 || sz[0] == '\0')
        return pszFallback;
    return sz;
}

BOOL ShiftHeld()
{
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}
BOOL CtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// Registers the window class of the currency windows once.
BOOL RegisterCurrencyClass()
{
    WNDCLASSA wc = {};
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::GetClassInfoA(hInstance, kClassName, &wc))
        return TRUE;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_IBEAM);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}
}  // namespace

// ---- Format ----

CGXBCurrencyEdit::Format::Format() : markerColor(::GetSysColor(COLOR_BTNSHADOW))
{
}

CGXBCurrencyEdit::Format::Format(BOOL bFromLocale) : Format()
{
    if (!bFromLocale)
        return;
    currencySymbol = LocaleText(LOCALE_SCURRENCY, "$");
    positiveFormat = std::atoi(LocaleText(LOCALE_ICURRENCY, "0"));
    grouping = LocaleText(LOCALE_SMONGROUPING, "3;0");
    decimalPlaces = std::atoi(LocaleText(LOCALE_ICURRDIGITS, "2"));
    negativeFormat = std::atoi(LocaleText(LOCALE_INEGCURR, "0"));
    thousandSeparator = LocaleText(LOCALE_SMONTHOUSANDSEP, ",")[0];
    decimalSeparator = LocaleText(LOCALE_SMONDECIMALSEP, ".")[0];
    leadingZero = std::atoi(LocaleText(LOCALE_ILZERO, "1"));
    // LOCALE_IDIGITS counts fractional digits (2 in en-US): as a limit on the integer part it
    // would show 1234.56 as "$12.56", so the locale leaves the integer part unlimited.
    integerDigits = -1;
}

bool CGXBCurrencyEdit::Format::operator==(const Format& o) const
{
    return leadingZero == o.leadingZero && drawDecimalMarker == o.drawDecimalMarker &&
           keepAllIntegerDigits == o.keepAllIntegerDigits && padBeforeGrouping == o.padBeforeGrouping &&
           currencySymbol == o.currencySymbol && grouping == o.grouping && thousandSeparator == o.thousandSeparator &&
           decimalSeparator == o.decimalSeparator && padChar == o.padChar && backgroundColor == o.backgroundColor &&
           negativeColor == o.negativeColor && positiveColor == o.positiveColor && markerColor == o.markerColor &&
           colorFlags == o.colorFlags && positiveFormat == o.positiveFormat && negativeFormat == o.negativeFormat &&
           integerDigits == o.integerDigits && decimalPlaces == o.decimalPlaces;
}

BOOL CGXBCurrencyEdit::Format::SetPadChar(char c)
{
    if (c >= '1' && c <= '9')
        return FALSE;
    padChar = c;
    return TRUE;
}

BOOL CGXBCurrencyEdit::Format::GetBackgroundColor(COLORREF& color) const
{
    color = backgroundColor;
    return (colorFlags & colorBackground) != 0;
}
BOOL CGXBCurrencyEdit::Format::GetNegativeColor(COLORREF& color) const
{
    color = negativeColor;
    return (colorFlags & colorNegative) != 0;
}
BOOL CGXBCurrencyEdit::Format::GetPositiveColor(COLORREF& color) const
{
    color = positiveColor;
    return (colorFlags & colorPositive) != 0;
}
void CGXBCurrencyEdit::Format::SetBackgroundColor(COLORREF color)
{
    backgroundColor = color;
    colorFlags |= colorBackground;
}
void CGXBCurrencyEdit::Format::SetNegativeColor(COLORREF color)
{
    negativeColor = color;
    colorFlags |= colorNegative;
}
void CGXBCurrencyEdit::Format::SetPositiveColor(COLORREF color)
{
    positiveColor = color;
    colorFlags |= colorPositive;
}

double CGXBCurrencyEdit::Format::TruncateIntegerDigits(double magnitude) const
{
    if (magnitude == 0.0 || integerDigits == -1)
        return magnitude;
    const int e = static_cast<int>(std::log10(magnitude));
    const int d = e - (integerDigits - 1);
    if (e == 0 || d <= 0)
        return magnitude;
    const double whole = std::trunc(magnitude);
    const double fraction = magnitude - whole;
    return std::trunc(whole / std::trunc(std::pow(10.0, d))) + fraction;
}

void CGXBCurrencyEdit::Format::FormatValue(double magnitude, CString& text, BOOL negative) const
{
    if (!keepAllIntegerDigits)
        magnitude = TruncateIntegerDigits(magnitude);
    const Pattern& pattern = negative ? kNegative[std::clamp(negativeFormat, 0, 15)]
                                      : kPositive[std::clamp(positiveFormat, 0, 3)];
    const CString prefix = FillPiece(pattern.prefix, currencySymbol);
    const CString suffix = FillPiece(pattern.suffix, currencySymbol);

    std::string number = NumberText::FormatDouble(magnitude, 'f', std::max(decimalPlaces, 0));
    if (magnitude < 1.0 && !leadingZero && !number.empty())
    {
        number[0] = ' ';
        number.erase(0, number.find_first_not_of(' '));
    }
    const std::string::size_type nPoint = number.rfind(RuntimePoint());
    if (nPoint != std::string::npos)
        number[nPoint] = decimalSeparator != 0 ? decimalSeparator : ' ';
    std::string integer = number.substr(0, nPoint == std::string::npos ? number.size() : nPoint);
    const std::string rest = nPoint == std::string::npos ? std::string() : number.substr(nPoint);

    auto group = [&](std::string part) {
        int g = 0;
        int g2 = 0;
        if (thousandSeparator == 0 || std::sscanf(grouping, "%i;%i", &g, &g2) < 1 || g <= 0 ||
            static_cast<int>(part.size()) <= g)
            return part;
        std::string grouped;
        int n = 0;
        for (auto it = part.rbegin(); it != part.rend(); ++it)
        {
            if (n > 0 && n % g == 0)
                grouped.insert(grouped.begin(), thousandSeparator);
            grouped.insert(grouped.begin(), *it);
            ++n;
        }
        return grouped;
    };
    if (integerDigits != -1)
    {
        const int nLength = static_cast<int>(integer.size());
        if (nLength > integerDigits)
            integer = integer.substr(static_cast<size_t>(nLength - integerDigits));
        else if (padBeforeGrouping)
            integer.insert(0, static_cast<size_t>(integerDigits - nLength), padChar);
        integer = group(integer);
        if (!padBeforeGrouping && nLength < integerDigits)
            integer.insert(0, static_cast<size_t>(integerDigits - nLength), padChar);
    }
    else
        integer = group(integer);
    text = prefix + CString((integer + rest).c_str()) + suffix;
}

int CGXBCurrencyEdit::Format::FindDecimalSeparator(const CString& text, char c) const
{
    return text.ReverseFind(c != 0 ? c : decimalSeparator);
}

BOOL CGXBCurrencyEdit::Format::FindNumberSpan(const CString& text, int& first, int& last) const
{
    first = last = -1;
    for (int i = text.GetLength() - 1; i >= 0; --i)
        if (IsDigit(text[i]))
        {
            last = i;
            break;
        }
    if (last < 0)
        return FALSE;
    BOOL bSeparator = FALSE;
    first = last;
    while (first > 0)
    {
        const char c = text[first - 1];
        if (IsDigit(c) || (thousandSeparator != 0 && c == thousandSeparator))
            --first;
        else if (c == decimalSeparator && !bSeparator)
        {
            bSeparator = TRUE;
            --first;
        }
        else
            break;
    }
    return TRUE;
}

BOOL CGXBCurrencyEdit::Format::Parse(const CString& input, double& magnitude, BOOL& negative) const
{
    negative = FALSE;
    magnitude = 0.0;
    if (input.IsEmpty())
        return TRUE;
    CString text = input;
    text.Trim();
    const int nOpen = text.Find('(');
    const int nClose = text.ReverseFind(')');
    if ((nOpen >= 0) != (nClose >= 0))
        return FALSE;
    if (nOpen >= 0)
        negative = TRUE;
    int first = 0;
    int last = 0;
    if (!FindNumberSpan(text, first, last))
        return FALSE;
    const CString span = text.Mid(first, last - first + 1);
    if (span.GetLength() == 1 && span[0] == decimalSeparator)
        return FALSE;
    if (text.Left(first).Find('-') >= 0 || text.Mid(last + 1).Find('-') >= 0)
        negative = TRUE;
    const int nSep = span.ReverseFind(decimalSeparator);
    CString integer = nSep >= 0 ? span.Left(nSep) : span;
    const CString fraction = nSep >= 0 ? span.Mid(nSep + 1) : CString();
    if (thousandSeparator != 0)
        integer.Remove(thousandSeparator);
    for (int i = 0; i < integer.GetLength(); ++i)
        if (!IsDigit(integer[i]))
            return FALSE;
    for (int i = 0; i < fraction.GetLength(); ++i)
        if (!IsDigit(fraction[i]))
            return FALSE;
    const CString number = integer + CString(RuntimePoint()) + fraction;
    magnitude = std::strtod(number, nullptr);
    return TRUE;
}

// ---- Window ----

CGXBCurrencyEdit::CGXBCurrencyEdit() : m_pFormat(new Format(TRUE))
{
}

CGXBCurrencyEdit::~CGXBCurrencyEdit()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_pFormat;
}

BOOL CGXBCurrencyEdit::CreateEditWindow(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!RegisterCurrencyClass())
        return FALSE;
    if (!CreateEx(0, kClassName, "", dwStyle, rect, pParentWnd, nID))
        return FALSE;
    CString text;
    m_pFormat->FormatValue(m_value, text, m_bNegative);
    WriteFormatted(text);
    return TRUE;
}

CString CGXBCurrencyEdit::GetText() const
{
    if (m_hWnd == nullptr)
        return CString();
    const int nLength = ::GetWindowTextLengthA(m_hWnd);
    CString text;
    ::GetWindowTextA(m_hWnd, text.GetBuffer(nLength + 1), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

void CGXBCurrencyEdit::WriteFormatted(const CString& text)
{
    if (m_hWnd == nullptr)
        return;
    const BOOL bOld = m_bReformatOnSetText;
    m_bReformatOnSetText = FALSE;
    ::SendMessageA(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
    m_bReformatOnSetText = bOld;
}

BOOL CGXBCurrencyEdit::TakeText(const CString& text)
{
    double magnitude = 0.0;
    BOOL bNegative = FALSE;
    if (!m_pFormat->Parse(text, magnitude, bNegative))
        return FALSE;
    CString formatted;
    m_pFormat->FormatValue(magnitude, formatted, bNegative);
    if (magnitude != m_value || bNegative != m_bNegative || formatted != GetText())
        SaveUndo();
    m_value = magnitude;
    m_bNegative = bNegative;
    if (formatted != GetText())
        WriteFormatted(formatted);
    return TRUE;
}

void CGXBCurrencyEdit::Notify(UINT nCode)
{
    const HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr)
        ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), nCode), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGXBCurrencyEdit::Repaint()
{
    if (m_hWnd != nullptr && m_bRepaintEnabled)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CGXBCurrencyEdit::SetValue(double value, BOOL bRedraw)
{
    const double magnitude = std::fabs(value);
    const BOOL bNegative = value < 0.0;
    if (magnitude == m_value && bNegative == m_bNegative && (m_hWnd == nullptr || !GetText().IsEmpty()))
        return;
    if (m_hWnd != nullptr)
        SaveUndo();
    m_value = magnitude;
    m_bNegative = bNegative;
    CString text;
    m_pFormat->FormatValue(m_value, text, m_bNegative);
    WriteFormatted(text);
    if (bRedraw)
        Repaint();
}

void CGXBCurrencyEdit::SetFormat(const Format& format)
{
    if (format == *m_pFormat)
        return;
    if (m_hWnd != nullptr)
        SaveUndo();
    *m_pFormat = format;
    CString text;
    m_pFormat->FormatValue(m_value, text, m_bNegative);
    WriteFormatted(text);
    Repaint();
}

// ---- Caret and selection ----

namespace
{
// The selection as an ordered range; FALSE when there is none.
BOOL SelectionRange(int nStart, int nEnd, int nLength, int& a, int& b)
{
    if (nStart == -1 || nStart == nEnd)
        return FALSE;
    a = nStart;
    b = nEnd == -1 ? nLength : nEnd;
    if (a > b)
        std::swap(a, b);
    a = std::clamp(a, 0, nLength);
    b = std::clamp(b, 0, nLength);
    return a != b;
}
}  // namespace

BOOL CGXBCurrencyEdit::HasSelection() const
{
    return m_nSelStart != -1 && m_nSelStart != m_nSelEnd;
}

void CGXBCurrencyEdit::GetSel(int& nStart, int& nEnd) const
{
    if (!SelectionRange(m_nSelStart, m_nSelEnd, GetText().GetLength(), nStart, nEnd))
        nStart = nEnd = m_nCaret;
}

BOOL CGXBCurrencyEdit::SetSel(int nStart, int nEnd)
{
    const int nLength = GetText().GetLength();
    if (nStart < -1 || nStart > nLength || nEnd < -1 || nEnd > nLength)
        return FALSE;
    m_nSelStart = nStart;
    m_nSelEnd = nEnd;
    int a = 0;
    int b = 0;
    if (SelectionRange(nStart, nEnd, nLength, a, b))
    {
        m_nCaret = nEnd == -1 ? nLength : nEnd;
        PlaceSystemCaret();
    }
    Repaint();
    return TRUE;
}

BOOL CGXBCurrencyEdit::IsWholeNumberSelected(BOOL* pbBeyond) const
{
    const CString text = GetText();
    int first = 0;
    int last = 0;
    int a = 0;
    int b = 0;
    if (pbBeyond != nullptr)
        *pbBeyond = FALSE;
    if (!m_pFormat->FindNumberSpan(text, first, last) ||
        !SelectionRange(m_nSelStart, m_nSelEnd, text.GetLength(), a, b))
        return FALSE;
    if (a > first || b < last + 1)
        return FALSE;
    if (pbBeyond != nullptr)
        *pbBeyond = a < first || b > last + 1;
    return TRUE;
}

void CGXBCurrencyEdit::SetCaretPos(int nIndex, BOOL bSelect)
{
    const int nLength = GetText().GetLength();
    if (nIndex < 0 || nIndex > nLength)
    {
        if (bSelect && !ShiftHeld())
        {
            m_nSelStart = -1;
            m_nSelEnd = 0;
            Repaint();
        }
        return;
    }
    if (bSelect)
    {
        if (ShiftHeld() || m_bMouseSelecting)
        {
            const int nAnchor = HasSelection() ? (m_nSelStart == -1 ? 0 : m_nSelStart) : m_nCaret;
            m_nSelStart = nAnchor;
            m_nSelEnd = nIndex;
        }
        else
        {
            m_nSelStart = -1;
            m_nSelEnd = 0;
        }
        Repaint();
    }
    m_nCaret = nIndex;
    PlaceSystemCaret();
}

HFONT CGXBCurrencyEdit::CurrentFont() const
{
    return m_hFont != nullptr ? m_hFont : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
}

int CGXBCurrencyEdit::TextHeight() const
{
    return FontMetrics(m_hWnd, CurrentFont()).tmHeight;
}

int CGXBCurrencyEdit::TextStart() const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    client.left += m_nLeftMargin;
    client.right -= m_nRightMargin;
    const CString text = GetText();
    const HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ hOld = ::SelectObject(hDC, CurrentFont());
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    const int cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    switch (GetAlignment())
    {
    case 1:
        return client.left + (client.right - client.left - size.cx) / 2;
    case 2:
        return client.right - cxBorder - size.cx;
    default:
        return client.left + cxBorder;
    }
}

int CGXBCurrencyEdit::CharFromPoint(int x) const
{
    const CString text = GetText();
    const int nStart = TextStart();
    const HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ hOld = ::SelectObject(hDC, CurrentFont());
    int nResult = text.GetLength();
    for (int i = 0; i < text.GetLength(); ++i)
    {
        SIZE before = {};
        SIZE after = {};
        ::GetTextExtentPoint32A(hDC, text, i, &before);
        ::GetTextExtentPoint32A(hDC, text, i + 1, &after);
        if (nStart + (before.cx + after.cx) / 2 > x)
        {
            nResult = i;
            break;
        }
    }
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return nResult;
}

void CGXBCurrencyEdit::PlaceSystemCaret()
{
    if (!m_bHasCaret || m_hWnd == nullptr)
        return;
    const CString text = GetText();
    const HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ hOld = ::SelectObject(hDC, CurrentFont());
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, text, std::min(m_nCaret, text.GetLength()), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    ::SetCaretPos(TextStart() + size.cx, ::GetSystemMetrics(SM_CYBORDER));
}

void CGXBCurrencyEdit::CreateEditCaret()
{
    ::CreateCaret(m_hWnd, nullptr, ::GetSystemMetrics(SM_CXBORDER), TextHeight());
    m_bHasCaret = TRUE;
    PlaceSystemCaret();
    ::ShowCaret(m_hWnd);
}

void CGXBCurrencyEdit::HideEditCaret()
{
    if (!m_bHasCaret)
        return;
    ::HideCaret(m_hWnd);
    ::DestroyCaret();
    m_bHasCaret = FALSE;
}

// ---- Look ----

BOOL CGXBCurrencyEdit::IsReadOnly() const
{
    return m_hWnd != nullptr && (::GetWindowLongA(m_hWnd, GWL_STYLE) & ES_READONLY) != 0;
}

int CGXBCurrencyEdit::GetAlignment() const
{
    const LONG style = m_hWnd != nullptr ? ::GetWindowLongA(m_hWnd, GWL_STYLE) : 0;
    if ((style & ES_RIGHT) != 0)
        return 2;
    if ((style & ES_CENTER) != 0)
        return 1;
    return 0;
}

void CGXBCurrencyEdit::SetAlignment(int nAlign)
{
    if (m_hWnd == nullptr)
        return;
    LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE) & ~(ES_CENTER | ES_RIGHT);
    if (nAlign == 1)
        style |= ES_CENTER;
    else if (nAlign == 2)
        style |= ES_RIGHT;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, style);
    Repaint();
}

COLORREF CGXBCurrencyEdit::GetBackgroundColor() const
{
    COLORREF color = 0;
    const BOOL bEnabled = m_hWnd == nullptr || ::IsWindowEnabled(m_hWnd);
    if (m_pFormat->GetBackgroundColor(color) && bEnabled)
        return color;
    return ::GetSysColor(IsReadOnly() || !bEnabled ? COLOR_BTNFACE : COLOR_WINDOW);
}

COLORREF CGXBCurrencyEdit::GetTextColor() const
{
    if (m_hWnd != nullptr && !::IsWindowEnabled(m_hWnd))
        return ::GetSysColor(COLOR_GRAYTEXT);
    COLORREF color = 0;
    if (m_bNegative ? m_pFormat->GetNegativeColor(color) : m_pFormat->GetPositiveColor(color))
        return color;
    return ::GetSysColor(COLOR_WINDOWTEXT);
}

// ---- Editing ----

void CGXBCurrencyEdit::SaveUndo(LPCTSTR pszText, int nCaret)
{
    m_strUndoText = pszText != nullptr ? CString(pszText) : GetText();
    m_nUndoCaret = nCaret == -1 ? m_nCaret : nCaret;
    if (HasSelection())
    {
        m_nUndoSelStart = m_nSelStart;
        m_nUndoSelEnd = m_nSelEnd;
    }
    else
    {
        m_nUndoSelStart = -1;
        m_nUndoSelEnd = 0;
    }
    m_bCanUndo = TRUE;
}

void CGXBCurrencyEdit::BringCaretIntoSpan(const CString& text)
{
    int first = 0;
    int last = 0;
    if (!m_pFormat->FindNumberSpan(text, first, last))
        return;
    if (m_nCaret >= first && m_nCaret <= last + 1)
        return;
    const int nSep = m_pFormat->FindDecimalSeparator(text);
    if (nSep >= 0)
        m_nCaret = m_pFormat->integerDigits == 0 ? nSep + 1 : nSep;
    else
        m_nCaret = last + 1;
}

int CGXBCurrencyEdit::CaretKeepingDistance(const CString& before, int nCaret, const CString& after) const
{
    // The digits between the caret and the decimal separator (or the end of the number) stay the
    // same in the reformatted text; separators and symbols around them may not.
    auto anchor = [this](const CString& text) {
        const int nSep = m_pFormat->FindDecimalSeparator(text);
        if (nSep >= 0)
            return nSep;
        int first = 0;
        int last = 0;
        return m_pFormat->FindNumberSpan(text, first, last) ? last + 1 : text.GetLength();
    };
    const int nAnchorBefore = anchor(before);
    int nPos = anchor(after);
    int nDigits = 0;
    for (int i = std::min(nCaret, nAnchorBefore); i < std::max(nCaret, nAnchorBefore); ++i)
        nDigits += i < before.GetLength() && IsDigit(before[i]) ? 1 : 0;
    if (nCaret <= nAnchorBefore)
    {
        while (nDigits > 0 && nPos > 0)
            if (IsDigit(after[--nPos]))
                --nDigits;
    }
    else
        nPos += 1 + nDigits;
    int first = 0;
    int last = -1;
    m_pFormat->FindNumberSpan(after, first, last);
    return std::clamp(nPos, 0, std::max(last + 1, 0));
}

int CGXBCurrencyEdit::ZeroValueCaret(const CString& text) const
{
    const int nSep = m_pFormat->FindDecimalSeparator(text);
    if (nSep < 0)
    {
        int first = 0;
        int last = 0;
        return m_pFormat->FindNumberSpan(text, first, last) ? last + 1 : text.GetLength();
    }
    return m_pFormat->integerDigits == 0 ? nSep + 1 : nSep;
}

void CGXBCurrencyEdit::ApplyEdit(const CString& oldText, int nOldCaret, int nOldSelStart, int nOldSelEnd,
                                 const CString& newText, int nNewCaret)
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    const BOOL bTaken = TakeText(newText);
    ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    if (!bTaken)
    {
        Repaint();
        return;
    }
    const CString now = GetText();
    m_nCaret = nNewCaret;
    m_nSelStart = -1;
    m_nSelEnd = 0;
    PlaceSystemCaret();
    if (now != oldText)
    {
        m_strUndoText = oldText;
        m_nUndoCaret = nOldCaret;
        m_nUndoSelStart = nOldSelStart;
        m_nUndoSelEnd = nOldSelEnd;
        m_bCanUndo = TRUE;
        Notify(EN_UPDATE);
        Repaint();
        Notify(EN_CHANGE);
    }
    else
        Repaint();
}

void CGXBCurrencyEdit::InsertText(const CString& s)
{
    if (IsReadOnly() || s.IsEmpty())
        return;
    const CString text = GetText();
    const int nOldCaret = m_nCaret;
    const int nOldSelStart = m_nSelStart;
    const int nOldSelEnd = m_nSelEnd;
    BringCaretIntoSpan(text);
    const int nSep = m_pFormat->FindDecimalSeparator(text);
    int a = 0;
    int b = 0;
    const BOOL bSelection = SelectionRange(m_nSelStart, m_nSelEnd, text.GetLength(), a, b);
    if (m_bOverwrite && !bSelection && m_nCaret < text.GetLength())
    {
        const char c = text[m_nCaret];
        if (c == m_pFormat->decimalSeparator || (m_pFormat->thousandSeparator != 0 && c == m_pFormat->thousandSeparator))
            ++m_nCaret;
    }
    CString raw;
    int nCaret = m_nCaret;
    BOOL bWholeReplaced = FALSE;
    if (bSelection)
    {
        bWholeReplaced = IsWholeNumberSelected();
        raw = text.Left(a) + s + text.Mid(b);
        nCaret = a + s.GetLength();
    }
    else if (nSep < 0 || m_nCaret <= nSep)
    {
        if (!m_bOverwrite || (nSep < 0 && m_nCaret == text.GetLength()))
            raw = text.Left(m_nCaret) + s + text.Mid(m_nCaret);
        else
            raw = text.Left(m_nCaret) + s.Left(1) + text.Mid(m_nCaret + 1);
        nCaret = m_nCaret + (m_bOverwrite ? 1 : s.GetLength());
    }
    else
    {
        int first = 0;
        int last = 0;
        m_pFormat->FindNumberSpan(text, first, last);
        if (m_nCaret <= last)
        {
            const int nCount = std::min(s.GetLength(), last + 1 - m_nCaret);
            raw = text.Left(m_nCaret) + s.Left(nCount) + text.Mid(m_nCaret + nCount);
            nCaret = m_nCaret + nCount;
        }
        else
        {
            if (!m_bKeepAllIntegerDigits)
                return;
            const CString fraction = text.Mid(nSep + 1, last - nSep) + s;
            const int nPlaces = std::max(m_pFormat->decimalPlaces, 0);
            raw = text.Left(nSep + 1) + fraction.Right(nPlaces) + text.Mid(last + 1);
            nCaret = m_nCaret;
        }
    }
    ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    double magnitude = 0.0;
    BOOL bNegative = FALSE;
    const BOOL bReads = m_pFormat->Parse(raw, magnitude, bNegative);
    ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    if (!bReads)
        return;
    CString formatted;
    m_pFormat->FormatValue(magnitude, formatted, bNegative);
    int nNewCaret = CaretKeepingDistance(raw, nCaret, formatted);
    if (bWholeReplaced)
    {
        const int nNewSep = m_pFormat->FindDecimalSeparator(formatted);
        if (nNewSep >= 0)
            nNewCaret = m_pFormat->integerDigits == 0 ? nNewSep + 1 : nNewSep;
    }
    ApplyEdit(text, nOldCaret, nOldSelStart, nOldSelEnd, raw, nNewCaret);
}

void CGXBCurrencyEdit::OnBackspace()
{
    if (IsReadOnly())
        return;
    if (HasSelection())
    {
        OnDelete();
        return;
    }
    const CString text = GetText();
    int first = 0;
    int last = 0;
    if (!m_pFormat->FindNumberSpan(text, first, last))
        return;
    int nDigit = std::min(m_nCaret, last + 1) - 1;
    while (nDigit >= first && !IsDigit(text[nDigit]))
        --nDigit;
    if (nDigit < first)
        return;
    const int nSep = m_pFormat->FindDecimalSeparator(text);
    CString raw = (nSep < 0 || nDigit < nSep) ? text.Left(nDigit) + text.Mid(nDigit + 1)
                                              : text.Left(nDigit) + "0" + text.Mid(nDigit + 1);
    double magnitude = 0.0;
    CString formatted;
    if (!ReformatRemoved(raw, magnitude, formatted))
        return;
    const int nCaret = magnitude == 0.0 ? ZeroValueCaret(formatted) : CaretKeepingDistance(raw, nDigit, formatted);
    ApplyEdit(text, m_nCaret, m_nSelStart, m_nSelEnd, raw, nCaret);
}

BOOL CGXBCurrencyEdit::ReformatRemoved(CString& raw, double& magnitude, CString& formatted) const
{
    int first = 0;
    int last = 0;
    if (!m_pFormat->FindNumberSpan(raw, first, last))
        raw = "0";
    BOOL bNegative = FALSE;
    if (!m_pFormat->Parse(raw, magnitude, bNegative))
        return FALSE;
    m_pFormat->FormatValue(magnitude, formatted, bNegative);
    return TRUE;
}

void CGXBCurrencyEdit::OnDelete()
{
    if (IsReadOnly())
        return;
    const CString text = GetText();
    int a = 0;
    int b = 0;
    const BOOL bSelection = SelectionRange(m_nSelStart, m_nSelEnd, text.GetLength(), a, b);
    if (!bSelection && m_nCaret >= text.GetLength())
        return;
    CString raw;
    int nAt = 0;
    if (bSelection)
    {
        raw = text.Left(a) + text.Mid(b);
        nAt = a;
    }
    else
    {
        int nDigit = m_nCaret;
        while (nDigit < text.GetLength() && !IsDigit(text[nDigit]))
            ++nDigit;
        if (nDigit >= text.GetLength())
            return;
        const int nSep = m_pFormat->FindDecimalSeparator(text);
        if (nSep < 0 || nDigit < nSep)
        {
            raw = text.Left(nDigit) + text.Mid(nDigit + 1);
            nAt = nDigit;
        }
        else
        {
            raw = text.Left(nDigit) + "0" + text.Mid(nDigit + 1);
            nAt = nDigit + 1;
        }
    }
    double magnitude = 0.0;
    CString formatted;
    if (!ReformatRemoved(raw, magnitude, formatted))
        return;
    int nCaret = 0;
    if (magnitude == 0.0)
        nCaret = ZeroValueCaret(formatted);
    else
    {
        // The digit that now stands where the removed one stood, counted among the digits.
        int nDigitsBefore = 0;
        for (int i = 0; i < std::min(nAt, raw.GetLength()); ++i)
            nDigitsBefore += IsDigit(raw[i]) ? 1 : 0;
        nCaret = formatted.GetLength();
        for (int i = 0, n = 0; i < formatted.GetLength(); ++i)
            if (IsDigit(formatted[i]) && n++ == nDigitsBefore)
            {
                nCaret = i;
                break;
            }
    }
    ApplyEdit(text, m_nCaret, m_nSelStart, m_nSelEnd, raw, nCaret);
}

void CGXBCurrencyEdit::ToggleSign()
{
    if (IsReadOnly())
        return;
    const CString text = GetText();
    int first = 0;
    int last = 0;
    const BOOL bSpan = m_pFormat->FindNumberSpan(text, first, last);
    BOOL bBeyond = FALSE;
    const BOOL bWhole = IsWholeNumberSelected(&bBeyond);
    SaveUndo();
    if (bWhole && bBeyond)
        m_bNegative = TRUE;
    else
        m_bNegative = !m_bNegative;
    CString formatted;
    m_pFormat->FormatValue(m_value, formatted, m_bNegative);
    WriteFormatted(formatted);
    int nFirst = 0;
    int nLast = 0;
    m_pFormat->FindNumberSpan(formatted, nFirst, nLast);
    if (bWhole && bBeyond)
    {
        m_nSelStart = nFirst;
        m_nSelEnd = nLast + 1;
        m_nCaret = nLast + 1;
    }
    else
        m_nCaret = std::clamp(m_nCaret + (bSpan ? nLast - last : 0), 0, formatted.GetLength());
    PlaceSystemCaret();
    if (formatted != text)
    {
        Notify(EN_UPDATE);
        Repaint();
        Notify(EN_CHANGE);
    }
}

void CGXBCurrencyEdit::ToggleOverwrite()
{
    m_bOverwrite = !m_bOverwrite;
}

void CGXBCurrencyEdit::FilterPasteText(CString& text)
{
    if (IsWholeNumberSelected())
        return;
    CString digits;
    for (int i = 0; i < text.GetLength(); ++i)
        if (IsDigit(text[i]))
            digits += text[i];
    text = digits;
}

void CGXBCurrencyEdit::DoCopy()
{
    const CString text = GetText();
    int a = 0;
    int b = 0;
    if (!SelectionRange(m_nSelStart, m_nSelEnd, text.GetLength(), a, b))
        return;
    CClipboard clipboard(m_hWnd);
    if (!clipboard.IsOpen())
        return;
    clipboard.Empty();
    clipboard.SetText(text.Mid(a, b - a));
}

void CGXBCurrencyEdit::DoPaste()
{
    if (IsReadOnly())
        return;
    CString text;
    {
        CClipboard clipboard(m_hWnd);
        if (!clipboard.IsOpen() || !clipboard.GetText(text))
            return;
    }
    FilterPasteText(text);
    InsertText(text);
}

void CGXBCurrencyEdit::DoClear()
{
    if (IsReadOnly())
        return;
    if (HasSelection())
    {
        OnDelete();
        m_nSelStart = -1;
        m_nSelEnd = 0;
    }
    else
        SetValue(0.0, TRUE);
    if (::GetFocus() == m_hWnd)
        SetCaretPos(0, FALSE);
}

void CGXBCurrencyEdit::DoUndo()
{
    if (IsReadOnly() || !m_bCanUndo)
        return;
    const CString text = m_strUndoText;
    const int nCaret = m_nUndoCaret;
    const int nSelStart = m_nUndoSelStart;
    const int nSelEnd = m_nUndoSelEnd;
    SaveUndo();
    TakeText(text);
    m_nSelStart = nSelStart;
    m_nSelEnd = nSelEnd;
    if (::GetFocus() == m_hWnd && nCaret >= 0)
        SetCaretPos(nCaret, FALSE);
    else if (nCaret >= 0)
        m_nCaret = nCaret;
    Repaint();
}

CMenu* CGXBCurrencyEdit::BuildContextMenu()
{
    CMenu* pMenu = new CMenu;
    pMenu->CreatePopupMenu();
    const CString text = GetText();
    const BOOL bReadOnly = IsReadOnly();
    const BOOL bSelection = HasSelection();
    BOOL bPasteable = FALSE;
    if (!bReadOnly && ::IsClipboardFormatAvailable(CF_TEXT))
    {
        CString clip;
        CClipboard clipboard(m_hWnd);
        double magnitude = 0.0;
        BOOL bNegative = FALSE;
        bPasteable = clipboard.IsOpen() && clipboard.GetText(clip) && m_pFormat->Parse(clip, magnitude, bNegative);
    }
    auto state = [](BOOL bEnabled) { return MF_STRING | (bEnabled ? MF_ENABLED : MF_GRAYED); };
    pMenu->AppendMenu(state(m_bCanUndo && !bReadOnly), ID_EDIT_UNDO, "&Undo\tCtrl+Z");
    pMenu->AppendMenu(MF_SEPARATOR);
    pMenu->AppendMenu(state(!text.IsEmpty() && bSelection && !bReadOnly), ID_EDIT_CUT, "Cu&t\tCtrl+X");
    pMenu->AppendMenu(state(!text.IsEmpty() && bSelection), ID_EDIT_COPY, "&Copy\tCtrl+C");
    pMenu->AppendMenu(state(bPasteable), ID_EDIT_PASTE, "&Paste\tCtrl+V");
    pMenu->AppendMenu(state(!text.IsEmpty() && bSelection && !bReadOnly), ID_EDIT_CLEAR, "&Delete\tDelete");
    pMenu->AppendMenu(MF_SEPARATOR);
    pMenu->AppendMenu(state(!text.IsEmpty()), ID_EDIT_SELECT_ALL, "Select &All");
    return pMenu;
}

void CGXBCurrencyEdit::DestroyContextMenu(CMenu* pMenu)
{
    if (pMenu == nullptr)
        return;
    pMenu->DestroyMenu();
    delete pMenu;
}

// ---- Calculator ----

void CGXBCurrencyEdit::OnClicked()
{
    OpenCalculator();
}

BOOL CGXBCurrencyEdit::OpenCalculator()
{
    GXSetPopupOpening(TRUE);
    CGXBPopupCalculator* pCalc = new CGXBPopupCalculator;
    pCalc->SetValue(m_value);
    pCalc->SetDeleteOnDestroy(TRUE);
    RECT rect;
    ::GetWindowRect(m_hWnd, &rect);
    // A failed creation deletes the object itself.
    const BOOL bCreated = pCalc->Create(WS_POPUP | WS_VISIBLE | GXBCS_SENDONEQUALS, rect, this);
    if (bCreated)
    {
        pCalc->SetOwnerWnd(m_hWnd);
        double value = 0.0;
        GetSignedValue(value);
        pCalc->SetValue(value);
    }
    GXSetPopupOpening(FALSE);
    return bCreated;
}

// ---- Painting ----

void CGXBCurrencyEdit::PaintBackground(CDC* pDC)
{
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    ::InflateRect(&rect, 1, 1);
    const HBRUSH hBrush = ::CreateSolidBrush(GetBackgroundColor());
    ::FillRect(pDC->GetSafeHdc(), &rect, hBrush);
    ::DeleteObject(hBrush);
}

void CGXBCurrencyEdit::DrawDecimalMarker(CDC* pDC, int x)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const COLORREF color = IsReadOnly() ? ::GetSysColor(COLOR_BTNSHADOW) : m_pFormat->markerColor;
    const HPEN hPen = ::CreatePen(PS_SOLID, 1, color);
    const HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), hPen);
    ::MoveToEx(pDC->GetSafeHdc(), x, client.top, nullptr);
    ::LineTo(pDC->GetSafeHdc(), x, client.bottom);
    ::SelectObject(pDC->GetSafeHdc(), hOld);
    ::DeleteObject(hPen);
}

void CGXBCurrencyEdit::Paint(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    PaintBackground(pDC);
    CString text = GetText();
    const int nSep = m_pFormat->FindDecimalSeparator(text);
    if (m_pFormat->drawDecimalMarker && nSep >= 0)
        text.SetAt(nSep, ' ');
    const HGDIOBJ hOldFont = ::SelectObject(hDC, CurrentFont());
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const COLORREF oldText = ::SetTextColor(hDC, GetTextColor());
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int nStart = TextStart();
    const int nTop = ::GetSystemMetrics(SM_CYBORDER);
    auto extent = [&](int n) {
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, text, n, &size);
        return static_cast<int>(size.cx);
    };
    RECT line = {nStart, nTop, client.right - m_nRightMargin, nTop + TextHeight()};
    int a = 0;
    int b = 0;
    if (SelectionRange(m_nSelStart, m_nSelEnd, text.GetLength(), a, b) && ::GetFocus() == m_hWnd)
    {
        ::DrawTextA(hDC, text, a, &line, DT_SINGLELINE | DT_NOPREFIX);
        RECT selected = line;
        selected.left = nStart + extent(a);
        selected.right = nStart + extent(b);
        ::SetBkMode(hDC, OPAQUE);
        const COLORREF oldBack = ::SetBkColor(hDC, ::GetSysColor(COLOR_HIGHLIGHT));
        ::SetTextColor(hDC, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        ::DrawTextA(hDC, static_cast<LPCTSTR>(text) + a, b - a, &selected, DT_SINGLELINE | DT_NOPREFIX);
        ::SetBkColor(hDC, oldBack);
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, GetTextColor());
        RECT rest = line;
        rest.left = selected.right;
        rest.right = nStart + extent(text.GetLength());
        ::DrawTextA(hDC, static_cast<LPCTSTR>(text) + b, text.GetLength() - b, &rest,
                    DT_SINGLELINE | DT_NOPREFIX | DT_RIGHT);
    }
    else
        ::DrawTextA(hDC, text, text.GetLength(), &line, DT_SINGLELINE | DT_NOPREFIX);
    if (m_pFormat->drawDecimalMarker && nSep >= 0)
        DrawDecimalMarker(pDC, nStart + (extent(nSep) + extent(nSep + 1)) / 2);
    ::SetTextColor(hDC, oldText);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldFont);
}

// ---- Messages ----

LRESULT CGXBCurrencyEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        GXPaintBuffered(m_hWnd, [this](CDC* pDC) { Paint(pDC); });
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SETFOCUS:
        CreateEditCaret();
        SetSel(0, -1);
        Notify(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        m_nSelStart = -1;
        m_nSelEnd = 0;
        HideEditCaret();
        Repaint();
        Notify(EN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETTEXT:
        if (m_bReformatOnSetText)
            return TakeText(lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "");
        break;
    case WM_SETFONT:
        m_hFont = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0)
            Repaint();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_hFont);
    case WM_CUT:
        if (!IsReadOnly() && HasSelection())
        {
            DoCopy();
            OnDelete();
        }
        return 0;
    case WM_COPY:
        DoCopy();
        return 0;
    case WM_PASTE:
        DoPaste();
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        DoUndo();
        return TRUE;
    case EM_CANUNDO:
        return m_bCanUndo;
    case EM_EMPTYUNDOBUFFER:
        m_bCanUndo = FALSE;
        return 0;
    case EM_GETSEL:
    {
        int nStart = m_nSelStart;
        int nEnd = m_nSelEnd;
        if (wParam != 0)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(nStart);
        if (lParam != 0)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(nEnd);
        if (static_cast<unsigned>(nStart) >= 65535 || static_cast<unsigned>(nEnd) >= 65535)
            return -1;
        return MAKELRESULT(nStart, nEnd);
    }
    case EM_SETSEL:
        return SetSel(static_cast<int>(wParam), static_cast<int>(lParam));
    case EM_SETREADONLY:
    {
        const BOOL bReadOnly = wParam != 0;
        if (bReadOnly != IsReadOnly())
        {
            const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
            ::SetWindowLongA(m_hWnd, GWL_STYLE, bReadOnly ? style | ES_READONLY : style & ~ES_READONLY);
            Repaint();
        }
        return TRUE;
    }
    case EM_SETMARGINS:
        if (wParam == EC_USEFONTINFO)
            m_nLeftMargin = m_nRightMargin = FontMetrics(m_hWnd, CurrentFont()).tmAveCharWidth;
        else
        {
            if ((wParam & EC_LEFTMARGIN) != 0)
                m_nLeftMargin = LOWORD(lParam);
            if ((wParam & EC_RIGHTMARGIN) != 0)
                m_nRightMargin = HIWORD(lParam);
        }
        Repaint();
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam))
        {
        case ID_EDIT_CLEAR:
            DoClear();
            return 0;
        case ID_EDIT_COPY:
            DoCopy();
            return 0;
        case ID_EDIT_CUT:
            ::SendMessageA(m_hWnd, WM_CUT, 0, 0);
            return 0;
        case ID_EDIT_PASTE:
            DoPaste();
            return 0;
        case ID_EDIT_SELECT_ALL:
            SetSel(0, -1);
            return 0;
        case ID_EDIT_UNDO:
            DoUndo();
            return 0;
        default:
            break;
        }
        break;
    case WM_LBUTTONDOWN:
    {
        ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
        if (::GetFocus() != m_hWnd)
            ::SetFocus(m_hWnd);
        ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
        m_nSelStart = -1;
        m_nSelEnd = 0;
        SetCaretPos(CharFromPoint(GET_X_LPARAM(lParam)), FALSE);
        m_bMouseSelecting = TRUE;
        ::SetCapture(m_hWnd);
        Repaint();
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_bMouseSelecting)
        {
            SetCaretPos(CharFromPoint(GET_X_LPARAM(lParam)), TRUE);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_bMouseSelecting)
        {
            m_bMouseSelecting = FALSE;
            ::ReleaseCapture();
            int first = 0;
            int last = 0;
            if (!HasSelection() && m_pFormat->FindNumberSpan(GetText(), first, last) &&
                (m_nCaret < first || m_nCaret > last + 1))
                SetSel(0, -1);
            return 0;
        }
        break;
    case WM_LBUTTONDBLCLK:
        SetSel(0, -1);
        return 0;
    case WM_RBUTTONUP:
    {
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ClientToScreen(m_hWnd, &point);
        CMenu* pMenu = BuildContextMenu();
        pMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
        DestroyContextMenu(pMenu);
        return 0;
    }
    case WM_KEYDOWN:
    {
        const UINT nKey = static_cast<UINT>(wParam);
        const BOOL bCtrl = CtrlHeld();
        const BOOL bShift = ShiftHeld();
        switch (nKey)
        {
        case VK_BACK:
            OnBackspace();
            break;
        case VK_DELETE:
            if (bShift)
                ::SendMessageA(m_hWnd, WM_CUT, 0, 0);
            else
                OnDelete();
            break;
        case VK_INSERT:
            if (bCtrl)
                ::SendMessageA(m_hWnd, WM_COPY, 0, 0);
            else if (bShift)
                ::SendMessageA(m_hWnd, WM_PASTE, 0, 0);
            else
                ToggleOverwrite();
            break;
        case VK_HOME:
            SetCaretPos(0, TRUE);
            break;
        case VK_END:
            SetCaretPos(GetText().GetLength(), TRUE);
            break;
        case VK_LEFT:
            SetCaretPos(m_nCaret - 1, TRUE);
            break;
        case VK_RIGHT:
            SetCaretPos(m_nCaret + 1, TRUE);
            break;
        case 'C':
        case 'V':
        case 'X':
        case 'Z':
            if (bCtrl)
            {
                const UINT nMessage = nKey == 'C' ? WM_COPY : nKey == 'V' ? WM_PASTE : nKey == 'X' ? WM_CUT : WM_UNDO;
                ::SendMessageA(m_hWnd, nMessage, 0, 0);
            }
            break;
        case VK_F2:
            if (GetBitmapHandle() != nullptr)
                OpenCalculator();
            break;
        default:
            break;
        }
        break;
    }
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10 && ShiftHeld())
        {
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            ::PostMessageA(m_hWnd, WM_RBUTTONUP, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
        }
        else if (wParam == VK_BACK)
            ::PostMessageA(m_hWnd, WM_UNDO, 0, 0);
        break;
    case WM_CHAR:
    {
        const char ch = static_cast<char>(wParam);
        const CString text = GetText();
        if (ch == m_pFormat->decimalSeparator)
        {
            m_nSelStart = -1;
            m_nSelEnd = 0;
            const int nSep = m_pFormat->FindDecimalSeparator(text);
            int first = 0;
            int last = 0;
            if (nSep >= 0)
                SetCaretPos(nSep + 1, FALSE);
            else if (m_pFormat->FindNumberSpan(text, first, last))
                SetCaretPos(last + 1, FALSE);
            Repaint();
        }
        else if (ch == '-')
            ToggleSign();
        else if (IsDigit(ch))
            InsertText(CString(ch));
        return 0;
    }
    default:
        break;
    }
    return CGXBDropEdit::WindowProc(message, wParam, lParam);
}
