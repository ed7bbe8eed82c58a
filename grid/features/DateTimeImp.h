#pragma once
// Dates and times of cell values: the application-wide date/time component in its two variants.
// CGXOleDateTimeImp leaves parsing and formatting to the platform's automation dates; CGXNoOleDateTimeImp
// reads the locale's short-date pattern and time separator and parses and formats by itself. Both fill
// the one pointer CGXAppData::m_pDateTimeImp; whichever is installed first serves.

#include "grid/core/AppComponents.h"

class CGXOleDateTimeImp : public CGXAbstractDateTimeImp
{
public:
    void InitDateTimeFormats() override;
    BOOL ParseDateTime(LPCTSTR pszText, double& dValue) override;
    void UpdateLocaleFormats() override;
    // 3 (unknown): the platform knows the order.
    int GetDateOrder(BOOL bReload, BOOL& bFourDigitYear, char& cSeparator) override;
    char GetTimeSeparator(BOOL bReload) override;
    // The platform's parser for the user's locale; the order is not used.
    BOOL ParseDateTimeFields(GXDateTimeRecord& record, LPCTSTR pszText, int nOrder) override;
    BOOL ParseDateTimeTm(struct tm& time, LPCTSTR pszText, int nOrder) override;
    // "%c" for a date with a time, "%X" for a time alone, "%x" for a date alone.
    void FormatDateTimeFields(CString& text, const GXDateTimeRecord& record) override;
    void FormatTimeValue(CString& text, __time64_t time) override;
};

class CGXNoOleDateTimeImp : public CGXAbstractDateTimeImp
{
public:
    void InitDateTimeFormats() override;
    BOOL ParseDateTime(LPCTSTR pszText, double& dValue) override;
    void UpdateLocaleFormats() override;
    // The locale's order, read once (again with bReload).
    int GetDateOrder(BOOL bReload, BOOL& bFourDigitYear, char& cSeparator) override;
    char GetTimeSeparator(BOOL bReload) override;
    // A date, a time or both ("12/31/2002 10:30", "10:30 PM", "311202"); an empty text is TRUE.
    BOOL ParseDateTimeFields(GXDateTimeRecord& record, LPCTSTR pszText, int nOrder) override;
    BOOL ParseDateTimeTm(struct tm& time, LPCTSTR pszText, int nOrder) override;
    // The locale's date order and separator, two or four digits of the year, and "hh:mm:ss".
    void FormatDateTimeFields(CString& text, const GXDateTimeRecord& record) override;
    void FormatTimeValue(CString& text, __time64_t time) override;

private:
    // The fields read from a text, before they go to one of the two outputs.
    struct Fields
    {
        int year = 0;
        int month = 0;
        int day = 0;
        int hour = 0;
        int minute = 0;
        int second = 0;
        bool bTime = false;
        bool bDate = false;
    };
    BOOL Parse(Fields& fields, LPCTSTR pszText, int nOrder);

    // The locale cache, shared by every grid of the process.
    int m_nDateOrder = 3;
    char m_cDateSeparator = '/';
    BOOL m_bFourDigitYear = FALSE;
    char m_cTimeSeparator = '\0';
};

void InstallOleDateTimeImp();
void InstallNoOleDateTimeImp();

// The installed component's date order, or 3 without one.
int GXGetDateOrder(BOOL bReload, BOOL& bFourDigitYear, char& cSeparator);
// The installed component's time separator, or ':' without one.
char GXGetTimeSeparator(BOOL bReload);

// The date order of a short-date pattern ("dd.MM.yyyy" is 0, day first; "M/d/yy" 1; "yyyy-MM-dd" 2),
// whether it writes four-digit years, and its separator (the first character that is no letter, or a
// blank). An empty pattern gives 1 and leaves the two outputs alone.
int GXDateOrderFromPattern(LPCTSTR pszPattern, BOOL& bFourDigitYear, char& cSeparator);
