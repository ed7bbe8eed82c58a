#include "grid/features/NumberFormattingImp.h"

#include "framework/core/NumberText.h"
#include "framework/core/Time.h"
#include "grid/core/AppData.h"
#include "grid/core/Style.h"

#include <windows.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <new>

namespace
{

char DecimalSeparator()
{
    const char c = GXGetAppData()->m_cDecimalSeparator;
    return c != '\0' ? c : '.';
}

char ThousandSeparator()
{
    const char c = GXGetAppData()->m_cThousandSeparator;
    return c != '\0' ? c : ',';
}

// The runtime writes a point; the text shows the library's decimal separator.
std::string WithDecimalSeparator(std::string text)
{
    const char cSeparator = DecimalSeparator();
    if (cSeparator != '.')
    {
        const std::string::size_type nAt = text.find('.');
        if (nAt != std::string::npos)
            text[nAt] = cSeparator;
    }
    return text;
}

std::string Printed(double v, char conversion, unsigned nPlaces)
{
    return WithDecimalSeparator(NumberText::FormatDouble(v, conversion, static_cast<int>(nPlaces)));
}

// |v| with its places and thousands separators, wrapped by its sign: codes 4, 5 and 23.
CString Grouped(double v, unsigned nPlaces, const char* pszPositive, const char* pszNegative)
{
    const std::string digits =
        GXGroupDigits(Printed(std::fabs(v), 'f', nPlaces), DecimalSeparator(), ThousandSeparator());
    // Zero and negative zero count as not negative.
    const char* pszWrap = v < 0 ? pszNegative : pszPositive;
    CString text;
    text.Format(pszWrap, digits.c_str());
    return text;
}

CString Hex(double v)
{
    double dAbs = std::fabs(v);
    unsigned long uValue = 0;
    // Beyond 32 bits the value is clamped to the largest one; NaN shows as 0.
    if (dAbs >= 4294967296.0)
        uValue = 0xFFFFFFFFul;
    else if (dAbs >= 1.0)
        uValue = static_cast<unsigned long>(dAbs);
    CString text;
    text.Format("0x%lX", uValue);
    return text;
}

CString Logic(double v)
{
    if (v >= 0 && v < 1)
        return "0";
    if (v >= 1 && v < 2)
        return "1";
    return "?";
}

CString Fraction(double v, unsigned nPlaces)
{
    if (nPlaces < 1 || nPlaces > 6)
        nPlaces = 3;
    long long nDenominator = 1;
    for (unsigned i = 0; i < nPlaces + 2; ++i)
        nDenominator *= 10;
    const double dAbs = std::fabs(v);
    const double dWhole = std::floor(dAbs);
    long long nNumerator = 0;
    if (std::isfinite(dAbs))
        nNumerator = static_cast<long long>((dAbs - dWhole) * static_cast<double>(nDenominator));
    GXReduceFraction(nNumerator, nDenominator);

    // The whole part is printed from the double, so a value beyond 2^31 keeps its digits.
    const std::string whole = dAbs >= 1 ? NumberText::FormatDouble(dWhole, 'f', 0) : std::string();
    CString text;
    text.Format("%c%s %lld/%lld", v < 0 ? '-' : ' ', whole.c_str(), nNumerator, nDenominator);
    return text;
}

CString Percent(double v, unsigned nPlaces)
{
    if (v >= 1.7976931348623156e306)
        return " Percent! ";
    return CString((Printed(v * 100.0, 'f', nPlaces) + "%").c_str());
}

// The automation date's calendar fields through strftime, C locale names.
CString DateFields(double v, LPCTSTR pszFormat)
{
    return COleDateTime(v).Format(pszFormat);
}

// The platform's automation text for the user's locale: a zero date or time part is left out.
CString LocaleDate(double v)
{
    return COleDateTime(v).Format(static_cast<DWORD>(0), LOCALE_USER_DEFAULT);
}

CString LocaleNumber(double v, unsigned nPlaces)
{
    const std::string number = NumberText::FormatDouble(v, 'g', 14);
    char szFormatted[256];
    if (::GetNumberFormatA(LOCALE_USER_DEFAULT, 0, number.c_str(), nullptr, szFormatted, sizeof szFormatted) == 0)
        return Grouped(v, nPlaces, "%s ", "(%s)");
    CString text(szFormatted);
    const int nLength = text.GetLength();
    if (nLength > 0 && text[nLength - 1] >= '0' && text[nLength - 1] <= '9')
        text += " ";
    return text;
}

} // namespace

std::string GXGroupDigits(const std::string& text, char cDecimalSeparator, char cThousandSeparator)
{
    std::string::size_type nIntegerDigits = text.find(cDecimalSeparator);
    if (nIntegerDigits == std::string::npos)
        nIntegerDigits = text.size();
    std::string grouped;
    grouped.reserve(text.size() + text.size() / 3);
    for (char c : text)
    {
        grouped += c;
        if (nIntegerDigits > 3)
        {
            --nIntegerDigits;
            if (nIntegerDigits % 3 == 0)
                grouped += cThousandSeparator;
        }
    }
    return grouped;
}

void GXReduceFraction(long long& nNumerator, long long& nDenominator)
{
    static const int primes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    for (int nPrime : primes)
    {
        if (static_cast<double>(nPrime) > std::sqrt(static_cast<double>(nNumerator)))
            return;
        while (nDenominator % nPrime == 0 && nNumerator % nPrime == 0)
        {
            nDenominator /= nPrime;
            nNumerator /= nPrime;
        }
    }
}

CString CGXNumberFormattingImp::FormatNumber(double v, unsigned nFormat, unsigned nPlaces)
{
    switch (nFormat)
    {
    case GX_FMT_SCIENTIFIC:
        return Printed(v, 'e', nPlaces).c_str();
    case GX_FMT_FIXED:
        return Printed(v, 'f', nPlaces).c_str();
    case GX_FMT_GEN:
        return Printed(v, 'g', nPlaces).c_str();
    case GX_FMT_DOLLARS:
        return Grouped(v, nPlaces, "$%s ", "($%s)");
    case GX_FMT_COMMA:
        return Grouped(v, nPlaces, "%s ", "(%s)");
    case GX_FMT_FIXED_PARENS:
        return Grouped(v, nPlaces, " %s ", "(%s)");
    case GX_FMT_HEX:
        return Hex(v);
    case GX_FMT_LOGIC:
        return Logic(v);
    case GX_FMT_DAY_MONTH_YEAR:
        return DateFields(v, "%d-%b-%y");
    case GX_FMT_DAY_MONTH:
        return DateFields(v, "%d-%b");
    case GX_FMT_MONTH_YEAR:
        return DateFields(v, "%b-%y");
    case GX_FMT_INTL_DATE:
        return DateFields(v, "%d.%m.%Y");
    case GX_FMT_ISO8061_DATE:
        return DateFields(v, "%Y-%m-%d");
    case GX_FMT_HOUR12_MINUTE:
        return DateFields(v, "%I:%M %p");
    case GX_FMT_HOUR12_MINUTE_SECOND:
        return DateFields(v, "%I:%M:%S %p");
    case GX_FMT_HOUR24_MINUTE:
        return DateFields(v, "%H:%M");
    case GX_FMT_DATE:
        return LocaleDate(std::trunc(v));
    case GX_FMT_TIME:
        return LocaleDate(std::fmod(v, 1.0));
    case GX_FMT_DATETIME:
        return LocaleDate(v);
    case GX_FMT_HIDDEN:
        return CString();
    case GX_FMT_PERCENT:
        return Percent(v, nPlaces);
    case GX_FMT_FRACTION:
        return Fraction(v, nPlaces);
    case GX_FMT_LOCALE_NUMBER:
        return LocaleNumber(v, nPlaces);
    default:
        return " Format? ";
    }
}

CString CGXNumberFormattingImp::FormatValue(const CGXStyle* pStyle, LPCTSTR pszValue, unsigned nValueType, int,
                                            int)
{
    if (pStyle == nullptr)
        return CString(pszValue);
    CString value;
    if (pszValue == nullptr)
    {
        value = pStyle->GetValue();
        nValueType = pStyle->GetValueType();
    }
    else
    {
        value = pszValue;
    }
    if (!pStyle->GetIncludeFormat())
        return value;
    const unsigned nFormat = pStyle->GetFormat();
    if (nFormat == GX_FMT_HIDDEN)
        return CString();
    // Codes that show the text as it stands, and every value that is not a number.
    if (nValueType != GX_VT_NUMERIC || nFormat == GX_FMT_DEFAULT || nFormat == GX_FMT_TEXT ||
        (nFormat >= GX_FMT_USER1 && nFormat <= GX_FMT_USER4))
        return value;
    // Stored numbers are written with a point whatever the separator shown.
    return FormatNumber(std::atof(value), nFormat, pStyle->GetPlaces());
}

BOOL CGXNumberFormattingImp::ParseValue(LPCTSTR pszText, double& dValue, unsigned* pnFormat, unsigned* pnPlaces)
{
    if (pszText == nullptr)
        return FALSE;
    const char cDecimal = DecimalSeparator();
    const char cThousand = ThousandSeparator();

    const char* p = pszText;
    while (*p == ' ')
        ++p;
    bool bParenthesised = false;
    bool bDollar = false;
    if (*p == '(')
    {
        bParenthesised = true;
        ++p;
    }
    if (*p == '$')
    {
        bDollar = true;
        ++p;
    }

    // The walk copies what the runtime converts (a point for the decimal separator) and remembers
    // where separators, the decimal point, the exponent and the closing parenthesis stand.
    const int maxWalk = 257;
    const int maxSeparators = 19;
    std::string buffer;
    int anSeparators[maxSeparators];
    int nSeparators = 0;
    int nDecimalAt = -1;
    int nExponentAt = -1;
    int nCloseAt = -1;
    int nDigits = 0;
    int nDecimals = 0;
    int nPos = 0;
    for (; p[nPos] != '\0'; ++nPos)
    {
        if (nPos >= maxWalk)
            return FALSE;
        const char c = p[nPos];
        if (c == cThousand)
        {
            if (nSeparators == maxSeparators)
                return FALSE;
            anSeparators[nSeparators++] = nPos;
        }
        else if (c == cDecimal)
        {
            if (nDecimalAt >= 0)
                return FALSE;
            nDecimalAt = nPos;
            buffer += '.';
        }
        else if (c == 'e' || c == 'E')
        {
            if (nExponentAt >= 0 || bParenthesised)
                return FALSE;
            nExponentAt = nPos;
            buffer += c;
        }
        else if (c == '+' || c == '-')
        {
            if (bParenthesised)
                return FALSE;
            buffer += c;
        }
        else if (c >= '0' && c <= '9')
        {
            buffer += c;
            if (nExponentAt < 0)
            {
                ++nDigits;
                if (nDecimalAt >= 0)
                    ++nDecimals;
            }
        }
        else if (c == ')' && bParenthesised)
        {
            if (p[nPos + 1] != '\0')
                return FALSE;
            nCloseAt = nPos;
            buffer += c;
        }
        else if (c == ' ')
        {
            for (const char* pRest = p + nPos; *pRest != '\0'; ++pRest)
                if (*pRest != ' ')
                    return FALSE;
            break;
        }
        else
        {
            return FALSE;
        }
    }
    // An opened parenthesis must be closed.
    if (bParenthesised && nCloseAt < 0)
        return FALSE;

    if (nSeparators > 0)
    {
        const int nReference = nDecimalAt >= 0  ? nDecimalAt
                               : nCloseAt >= 0  ? nCloseAt
                               : nExponentAt >= 0 ? nExponentAt
                                                  : nPos;
        for (int i = 0; i < nSeparators; ++i)
        {
            const int nDistance = nReference - anSeparators[i];
            if (nDistance <= 0 || nDistance % 4 != 0)
                return FALSE;
        }
    }

    if (buffer.empty() || (buffer.size() == 1 && (buffer[0] < '0' || buffer[0] > '9')))
        return FALSE;
    char* pEnd = nullptr;
    errno = 0;
    double dParsed = std::strtod(buffer.c_str(), &pEnd);
    const std::string::size_type nConsumed = static_cast<std::string::size_type>(pEnd - buffer.c_str());
    const std::string::size_type nExpected = bParenthesised ? buffer.size() - 1 : buffer.size();
    if (nConsumed != nExpected)
        return FALSE;
    // A number too large for a double is no number a cell can hold.
    if (!std::isfinite(dParsed))
        return FALSE;
    if (bParenthesised)
        dParsed = -dParsed;

    dValue = dParsed;
    if (pnFormat != nullptr && pnPlaces != nullptr)
    {
        nDecimals = nDecimals > 15 ? 15 : nDecimals;
        nDigits = nDigits > 16 ? 16 : nDigits;
        if (nExponentAt >= 0)
        {
            *pnFormat = GX_FMT_SCIENTIFIC;
            *pnPlaces = nDigits > 0 ? static_cast<unsigned>(nDigits - 1) : 0;
        }
        else
        {
            *pnFormat = bDollar ? GX_FMT_DOLLARS : (nSeparators > 0 || bParenthesised) ? GX_FMT_COMMA : GX_FMT_FIXED;
            *pnPlaces = static_cast<unsigned>(nDecimals);
        }
    }
    return TRUE;
}

void InstallNumberFormattingImp()
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pNumberFormattingImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    CGXNumberFormattingImp* pImp = new (std::nothrow) CGXNumberFormattingImp;
    if (pImp == nullptr)
        return;
    links.pNumberFormattingImp = pImp;
    GXGetAppData()->AddOwnedObject(pImp);
}
