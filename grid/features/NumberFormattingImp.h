#pragma once
// Number formatting: the display text of a cell value under its style's format code and places, and
// the reading of a typed number in its common written forms ("1,234.50", "$1,000", "(12.5)", "1.5e3").
// One object serves every grid of the process; the drawing-and-formatting object reaches it through
// the library links.

#include "framework/core/CString.h"
#include "grid/core/LibraryLinks.h"

#include <string>

// Format codes of a style's "Format" attribute (their display names are string 20066).
enum : unsigned
{
    GX_FMT_DEFAULT = 0,
    GX_FMT_SCIENTIFIC = 1,
    GX_FMT_FIXED = 2,
    GX_FMT_GEN = 3,
    GX_FMT_DOLLARS = 4,
    GX_FMT_COMMA = 5,
    GX_FMT_HEX = 6,
    GX_FMT_LOGIC = 7,
    GX_FMT_DAY_MONTH_YEAR = 8,
    GX_FMT_DAY_MONTH = 9,
    GX_FMT_MONTH_YEAR = 10,
    GX_FMT_DATE = 11,
    GX_FMT_HIDDEN = 12,
    GX_FMT_TIME = 13,
    GX_FMT_PERCENT = 14,
    GX_FMT_TEXT = 15,
    GX_FMT_INTL_DATE = 16,
    GX_FMT_ISO8061_DATE = 17,
    GX_FMT_DATETIME = 18,
    GX_FMT_USER1 = 19,
    GX_FMT_USER4 = 22,
    GX_FMT_FIXED_PARENS = 23,
    GX_FMT_FRACTION = 24,
    GX_FMT_HOUR12_MINUTE = 25,
    GX_FMT_HOUR12_MINUTE_SECOND = 26,
    GX_FMT_HOUR24_MINUTE = 27,
    GX_FMT_LOCALE_NUMBER = 28
};

class CGXNumberFormattingImp : public CGXAbstractNumberFormattingImp
{
public:
    // The display text of a value: the style's value and value type when pszValue is NULL, else the
    // given text under nValueType. The two reserved arguments are not read.
    CString FormatValue(const CGXStyle* pStyle, LPCTSTR pszValue, unsigned nValueType, int nReserved1,
                        int nReserved2) override;
    // TRUE when the text is a number; its value, format code and places go to the out arguments
    // (the last two may be NULL), which are written only then.
    BOOL ParseValue(LPCTSTR pszText, double& dValue, unsigned* pnFormat, unsigned* pnPlaces) override;

    // The text of a number under a format code and places, the value being v.
    static CString FormatNumber(double v, unsigned nFormat, unsigned nPlaces);
};

// Creates the application-wide number formatting once and hands it to the library's application data.
void InstallNumberFormattingImp();

// Thousands separators between the integer digits: "1234567.891" becomes "1,234,567.891".
std::string GXGroupDigits(const std::string& text, char cDecimalSeparator, char cThousandSeparator);

// Divides numerator and denominator by the small primes they share (2 to 37), stopping at the first
// prime above the square root of the numerator.
void GXReduceFraction(long long& nNumerator, long long& nDenominator);
