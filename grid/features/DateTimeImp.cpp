#include "grid/features/DateTimeImp.h"

#include "framework/core/Time.h"
#include "grid/core/AppData.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace
{

const int maxLocaleText = 128;
const int maxTimeText = 128;

void ClearRecord(GXDateTimeRecord& record) { std::memset(&record, 0, sizeof record); }

void ClearTm(struct tm& time) { std::memset(&time, 0, sizeof time); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLeapYear(int nYear) { return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0; }

int DaysInMonth(int nYear, int nMonth)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return nMonth == 2 && IsLeapYear(nYear) ? 29 : days[nMonth - 1];
}

void TrimLeadingBlanks(std::string& text)
{
    const std::string::size_type nFirst = text.find_first_not_of(' ');
    text.erase(0, nFirst == std::string::npos ? text.size() : nFirst);
}

bool EndsWith(const std::string& text, const char* pszEnd)
{
    const std::string::size_type nEnd = std::strlen(pszEnd);
    if (text.size() < nEnd)
        return false;
    for (std::string::size_type i = 0; i < nEnd; ++i)
        if (std::toupper(static_cast<unsigned char>(text[text.size() - nEnd + i])) != pszEnd[i])
            return false;
    return true;
}

int Number(const std::string& text, std::string::size_type nAt, std::string::size_type nLength)
{
    return nAt < text.size() ? std::atoi(text.substr(nAt, nLength).c_str()) : 0;
}

enum FieldKind
{
    fieldDay,
    fieldMonth,
    fieldYear
};

// Reads one field of a date off the front of the text: blanks and then one separator character go
// first; -1 when no field of that kind is there.
int ReadField(std::string& text, FieldKind kind)
{
    if (text.empty())
        return -1;
    TrimLeadingBlanks(text);
    if (!text.empty() && !IsDigit(text[0]))
        text.erase(0, 1);
    std::string::size_type nDigits = 0;
    while (nDigits < text.size() && IsDigit(text[nDigits]))
        ++nDigits;
    if (nDigits < 1 || nDigits > (kind == fieldYear ? 4u : 2u))
        return -1;
    int nValue = std::atoi(text.substr(0, nDigits).c_str());
    if ((kind == fieldDay && (nValue < 1 || nValue > 31)) || (kind == fieldMonth && (nValue < 1 || nValue > 12)))
        return -1;
    // Two-digit years are 1901 to 1999.
    if (kind == fieldYear && nDigits <= 2 && nValue >= 1 && nValue <= 99)
        nValue += 1900;
    text.erase(0, nDigits);
    return nValue;
}

// Years since 1900 for the calendar structure: 0 to 37 stand for 2000 to 2037, 38 to 99 for
// 1938 to 1999, and a full year counts from 1900.
int TmYear(int nYear)
{
    if (nYear >= 100)
        return nYear - 1900;
    if (nYear <= 37)
        return nYear + 100;
    return nYear;
}

CString FormatTm(LPCTSTR pszFormat, const struct tm& time, int nMaxLength)
{
    CString text = AfxFormatTm(pszFormat, time);
    if (text.GetLength() > nMaxLength)
        text = text.Left(nMaxLength);
    return text;
}

template <class TImp>
void InstallDateTimeImp()
{
    CGXAppData* pAppData = GXGetAppData();
    if (pAppData->m_pDateTimeImp != nullptr)
        return;
    TImp* pImp = new (std::nothrow) TImp;
    if (pImp == nullptr)
        return;
    pAppData->m_pDateTimeImp = pImp;
    pAppData->AddOwnedObject(pImp);
}

// Both variants: the local time of a time value, with its date alone when it falls on midnight.
void FormatLocalTime(CString& text, __time64_t time)
{
    struct tm local;
    if (_localtime64_s(&local, &time) != 0)
    {
        text.Empty();
        return;
    }
    const bool bTime = local.tm_hour != 0 || local.tm_min != 0 || local.tm_sec != 0;
    text = FormatTm(bTime ? "%c" : "%x", local, maxTimeText);
}

} // namespace

// ---------------------------------------------------------------------------------------------

int GXDateOrderFromPattern(LPCTSTR pszPattern, BOOL& bFourDigitYear, char& cSeparator)
{
    if (pszPattern == nullptr || *pszPattern == '\0')
        return 1;
    std::string pattern(pszPattern);
    for (char& c : pattern)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    int nOrder = 1;
    if (pattern[0] == 'D')
        nOrder = 0;
    else if (pattern[0] == 'Y')
        nOrder = 2;
    bFourDigitYear = pattern.find("YYYY") != std::string::npos;
    cSeparator = '\0';
    for (char c : pattern)
        if (!std::isalpha(static_cast<unsigned char>(c)) || c == ' ')
        {
            cSeparator = c;
            break;
        }
    return nOrder;
}

int GXGetDateOrder(BOOL bReload, BOOL& bFourDigitYear, char& cSeparator)
{
    CGXAbstractDateTimeImp* pImp = GXGetAppData()->m_pDateTimeImp;
    return pImp != nullptr ? pImp->GetDateOrder(bReload, bFourDigitYear, cSeparator) : 3;
}

char GXGetTimeSeparator(BOOL bReload)
{
    CGXAbstractDateTimeImp* pImp = GXGetAppData()->m_pDateTimeImp;
    return pImp != nullptr ? pImp->GetTimeSeparator(bReload) : ':';
}

// ---------------------------------------------------------------------------------------------
// Without automation dates

void CGXNoOleDateTimeImp::InitDateTimeFormats() { UpdateLocaleFormats(); }

void CGXNoOleDateTimeImp::UpdateLocaleFormats()
{
    BOOL bFourDigitYear = FALSE;
    char cSeparator = 0;
    GetDateOrder(TRUE, bFourDigitYear, cSeparator);
    GetTimeSeparator(TRUE);
}

int CGXNoOleDateTimeImp::GetDateOrder(BOOL bReload, BOOL& bFourDigitYear, char& cSeparator)
{
    if (m_nDateOrder == 3 || bReload)
    {
        char szPattern[maxLocaleText] = "";
        if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, szPattern, maxLocaleText) == 0)
            szPattern[0] = '\0';
        m_nDateOrder = GXDateOrderFromPattern(szPattern, m_bFourDigitYear, m_cDateSeparator);
    }
    bFourDigitYear = m_bFourDigitYear;
    cSeparator = m_cDateSeparator;
    return m_nDateOrder;
}

char CGXNoOleDateTimeImp::GetTimeSeparator(BOOL bReload)
{
    if (m_cTimeSeparator == '\0' || bReload)
    {
        char szSeparator[maxLocaleText] = "";
        if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, szSeparator, maxLocaleText) == 0)
            szSeparator[0] = '\0';
        m_cTimeSeparator = szSeparator[0] != '\0' ? szSeparator[0] : ':';
    }
    return m_cTimeSeparator;
}

BOOL CGXNoOleDateTimeImp::Parse(Fields& fields, LPCTSTR pszText, int nOrder)
{
    fields = Fields();
    BOOL bResult = TRUE;
    const char cTimeSeparator = GetTimeSeparator(FALSE);
    const std::string text = pszText != nullptr ? pszText : "";

    // A blank before the time separator parts the date from the time; otherwise the text is a time
    // when it holds the separator, else a date.
    std::string datePart;
    std::string timePart;
    const std::string::size_type nBlank = text.find(' ');
    const std::string::size_type nColon = text.find(cTimeSeparator);
    if (nBlank != std::string::npos && nColon != std::string::npos && nBlank < nColon)
    {
        datePart = text.substr(0, nBlank);
        timePart = text.substr(nBlank + 1);
    }
    else if (nColon != std::string::npos)
        timePart = text;
    else
        datePart = text;
    TrimLeadingBlanks(datePart);
    TrimLeadingBlanks(timePart);

    if (!timePart.empty())
    {
        fields.bTime = true;
        const bool bPm = EndsWith(timePart, "PM") || EndsWith(timePart, "P");
        const bool bAm = !bPm && (EndsWith(timePart, "AM") || EndsWith(timePart, "A"));
        int nHour = std::atoi(timePart.c_str());
        const std::string::size_type nSeparator = timePart.find(cTimeSeparator);
        if (bPm)
        {
            nHour += 12;
            if (nHour == 24)
                nHour = 12;
        }
        else if (bAm)
        {
            if (nHour >= 13)
                return FALSE;
            if (nHour == 12)
                nHour = 0;
        }
        if (nHour < 0 || nHour > 24)
            return FALSE;
        fields.hour = nHour;
        const int nMinute = nSeparator != std::string::npos ? Number(timePart, nSeparator + 1, 2) : 0;
        if (nMinute < 0 || nMinute > 59)
            return FALSE;
        fields.minute = nMinute;
        // Minutes are always two characters and one separator, so the seconds start three further on.
        const int nSecond = nSeparator != std::string::npos ? Number(timePart, nSeparator + 4, 2) : 0;
        if (nSecond < 0 || nSecond > 59)
            return FALSE;
        fields.second = nSecond;
    }

    if (!datePart.empty())
    {
        if (datePart.find_first_not_of("0123456789/-. ") != std::string::npos)
            bResult = FALSE;
        if (datePart.size() == 6 && datePart.find_first_not_of("0123456789") == std::string::npos)
            datePart = datePart.substr(0, 2) + "/" + datePart.substr(2, 2) + "/" + datePart.substr(4, 2);
        if (nOrder == 3)
        {
            BOOL bFourDigitYear = FALSE;
            char cSeparator = 0;
            nOrder = GetDateOrder(FALSE, bFourDigitYear, cSeparator);
        }
        if (bResult)
        {
            static const FieldKind orders[3][3] = {{fieldDay, fieldMonth, fieldYear},
                                                   {fieldMonth, fieldDay, fieldYear},
                                                   {fieldYear, fieldMonth, fieldDay}};
            const FieldKind* pKinds = orders[nOrder >= 0 && nOrder <= 2 ? nOrder : 1];
            for (int i = 0; i < 3 && bResult; ++i)
            {
                const int nValue = ReadField(datePart, pKinds[i]);
                if (nValue < 0)
                    bResult = FALSE;
                else if (pKinds[i] == fieldDay)
                    fields.day = nValue;
                else if (pKinds[i] == fieldMonth)
                    fields.month = nValue;
                else
                    fields.year = nValue;
            }
            if (bResult && fields.day > DaysInMonth(fields.year, fields.month))
                bResult = FALSE;
            fields.bDate = bResult != FALSE;
        }
    }
    return bResult;
}

BOOL CGXNoOleDateTimeImp::ParseDateTimeFields(GXDateTimeRecord& record, LPCTSTR pszText, int nOrder)
{
    ClearRecord(record);
    Fields fields;
    const BOOL bResult = Parse(fields, pszText, nOrder);
    if (fields.bDate)
    {
        record.year = static_cast<SHORT>(fields.year);
        record.month = static_cast<USHORT>(fields.month);
        record.day = static_cast<USHORT>(fields.day);
    }
    else if (fields.bTime)
    {
        // A time alone: the record holds no date (month 0).
        record.year = 70;
        record.day = 1;
    }
    record.hour = static_cast<USHORT>(fields.hour);
    record.minute = static_cast<USHORT>(fields.minute);
    record.second = static_cast<USHORT>(fields.second);
    return bResult;
}

BOOL CGXNoOleDateTimeImp::ParseDateTimeTm(struct tm& time, LPCTSTR pszText, int nOrder)
{
    ClearTm(time);
    Fields fields;
    const BOOL bResult = Parse(fields, pszText, nOrder);
    if (fields.bDate)
    {
        time.tm_year = TmYear(fields.year);
        time.tm_mon = fields.month - 1;
        time.tm_mday = fields.day;
    }
    else if (fields.bTime)
    {
        // A time alone is on 1 January 1970.
        time.tm_year = 70;
        time.tm_mday = 1;
    }
    time.tm_hour = fields.hour;
    time.tm_min = fields.minute;
    time.tm_sec = fields.second;
    return bResult;
}

BOOL CGXNoOleDateTimeImp::ParseDateTime(LPCTSTR pszText, double& dValue)
{
    if (pszText == nullptr || std::strspn(pszText, " ") == std::strlen(pszText))
        return FALSE;
    Fields fields;
    if (!Parse(fields, pszText, 3))
        return FALSE;
    COleDateTime date;
    if (fields.bDate)
        date.SetDateTime(fields.year, fields.month, fields.day, fields.hour, fields.minute, fields.second);
    else
        date.SetTime(fields.hour, fields.minute, fields.second);
    if (date.GetStatus() != COleDateTime::valid)
        return FALSE;
    dValue = date.m_dt;
    return TRUE;
}

void CGXNoOleDateTimeImp::FormatDateTimeFields(CString& text, const GXDateTimeRecord& record)
{
    const bool bTime = record.hour != 0 || record.minute != 0 || record.second != 0;
    const bool bDate = record.month > 0;
    CString date;
    if (bDate)
    {
        BOOL bFourDigitYear = FALSE;
        char cSeparator = '/';
        const int nOrder = GetDateOrder(FALSE, bFourDigitYear, cSeparator);
        const int nYear = bFourDigitYear ? record.year : record.year % 100;
        const char* pszFormat = bFourDigitYear ? "%02d%c%02d%c%04d" : "%02d%c%02d%c%02d";
        if (nOrder == 0)
            date.Format(pszFormat, record.day, cSeparator, record.month, cSeparator, nYear);
        else if (nOrder == 2)
            date.Format(bFourDigitYear ? "%04d%c%02d%c%02d" : "%02d%c%02d%c%02d", nYear, cSeparator, record.month,
                        cSeparator, record.day);
        else
            date.Format(pszFormat, record.month, cSeparator, record.day, cSeparator, nYear);
    }
    CString time;
    if (bTime)
    {
        const char cSeparator = GetTimeSeparator(FALSE);
        time.Format("%02d%c%02d%c%02d", record.hour, cSeparator, record.minute, cSeparator, record.second);
    }
    text = date;
    if (bDate && bTime)
        text += " ";
    text += time;
}

void CGXNoOleDateTimeImp::FormatTimeValue(CString& text, __time64_t time) { FormatLocalTime(text, time); }

// ---------------------------------------------------------------------------------------------
// With automation dates

void CGXOleDateTimeImp::InitDateTimeFormats() { UpdateLocaleFormats(); }

void CGXOleDateTimeImp::UpdateLocaleFormats() {}

int CGXOleDateTimeImp::GetDateOrder(BOOL, BOOL&, char&) { return 3; }

char CGXOleDateTimeImp::GetTimeSeparator(BOOL) { return '\0'; }

BOOL CGXOleDateTimeImp::ParseDateTime(LPCTSTR pszText, double& dValue)
{
    COleDateTime date;
    if (pszText == nullptr || !date.ParseDateTime(pszText, 0, LOCALE_USER_DEFAULT))
        return FALSE;
    dValue = date.m_dt;
    return TRUE;
}

BOOL CGXOleDateTimeImp::ParseDateTimeFields(GXDateTimeRecord& record, LPCTSTR pszText, int)
{
    ClearRecord(record);
    COleDateTime date;
    if (pszText == nullptr || !date.ParseDateTime(pszText, 0, LOCALE_USER_DEFAULT))
        return FALSE;
    record.year = static_cast<SHORT>(date.GetYear());
    record.month = static_cast<USHORT>(date.GetMonth());
    record.day = static_cast<USHORT>(date.GetDay());
    record.hour = static_cast<USHORT>(date.GetHour());
    record.minute = static_cast<USHORT>(date.GetMinute());
    record.second = static_cast<USHORT>(date.GetSecond());
    return TRUE;
}

BOOL CGXOleDateTimeImp::ParseDateTimeTm(struct tm& time, LPCTSTR pszText, int)
{
    ClearTm(time);
    COleDateTime date;
    if (pszText == nullptr || !date.ParseDateTime(pszText, 0, LOCALE_USER_DEFAULT))
        return FALSE;
    time.tm_year = date.GetYear() - 1900;
    time.tm_mon = date.GetMonth() - 1;
    time.tm_mday = date.GetDay();
    time.tm_hour = date.GetHour();
    time.tm_min = date.GetMinute();
    time.tm_sec = date.GetSecond();
    return TRUE;
}

void CGXOleDateTimeImp::FormatDateTimeFields(CString& text, const GXDateTimeRecord& record)
{
    const bool bTime = record.hour != 0 || record.minute != 0 || record.second != 0;
    COleDateTime date;
    if (record.month > 0)
        date.SetDateTime(record.year, record.month, record.day, record.hour, record.minute, record.second);
    else
        date.SetTime(record.hour, record.minute, record.second);
    if (date.GetStatus() != COleDateTime::valid)
    {
        text = "Invalid DateTime";
        return;
    }
    text = date.Format(!bTime ? "%x" : record.month > 0 ? "%c" : "%X");
}

void CGXOleDateTimeImp::FormatTimeValue(CString& text, __time64_t time) { FormatLocalTime(text, time); }

void InstallOleDateTimeImp() { InstallDateTimeImp<CGXOleDateTimeImp>(); }

void InstallNoOleDateTimeImp() { InstallDateTimeImp<CGXNoOleDateTimeImp>(); }
