#include "framework/core/Time.h"

#include "framework/core/Calendar.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {
bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }
} // namespace

long long DaysFromCivil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

namespace {

// 30 December 1899, day 0 of the DATE scale, is day -25569 of the 1970 scale.
constexpr long long kDateEpochFrom1970 = -25569;
// DATE covers 1 January 100 to 31 December 9999.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.0;

bool IsDateInRange(double date)
{
    return std::isfinite(date) && date > kMinDate - 1.0 && date < kMaxDate + 1.0;
}

CString InvalidDateTimeText() { return CString("Invalid DateTime"); }

// A file time (UTC) as the local calendar time both time classes take it in.
bool LocalSystemTime(const FILETIME& time, SYSTEMTIME& local)
{
    FILETIME localFileTime;
    return FileTimeToLocalFileTime(&time, &localFileTime) && FileTimeToSystemTime(&localFileTime, &local);
}

} // namespace

CString AfxFormatTm(LPCTSTR format, const struct tm& time)
{
    static const char kKnownCodes[] = "aAbBcdHIjmMpSUwWxXyYzZ";
    std::string out;
    if (!format)
        return CString();
    for (const char* p = format; *p;) {
        if (*p != '%') {
            out.push_back(*p++);
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out.push_back('%');
            ++p;
            continue;
        }
        const bool alternate = *p == '#';
        if (alternate)
            ++p;
        if (*p == '\0' || !std::strchr(kKnownCodes, *p)) {
            // Unknown or cut-off code: keep it as written rather than hand it to the runtime.
            if (*p)
                ++p;
            out.append(start, p);
            continue;
        }
        const char code[4] = {'%', alternate ? '#' : *p, alternate ? *p : '\0', '\0'};
        ++p;
        for (std::size_t size = 128; size <= 8192; size *= 2) {
            std::string buffer(size, '\0');
            const std::size_t length = std::strftime(buffer.data(), size, code, &time);
            if (length > 0 || size == 8192) {
                out.append(buffer.data(), length);
                break;
            }
        }
    }
    return CString(out.data(), static_cast<int>(out.size()));
}

// ---- CTime ----

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int daylightSaving)
{
    struct tm time = {};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_isdst = daylightSaving;
    m_time = _mktime64(&time);
}

CTime::CTime(const SYSTEMTIME& time, int daylightSaving)
    : CTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, daylightSaving)
{
}

CTime::CTime(const FILETIME& time, int daylightSaving)
{
    SYSTEMTIME system;
    if (LocalSystemTime(time, system))
        *this = CTime(system, daylightSaving);
    else
        m_time = -1;
}

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

struct tm* CTime::GetLocalTm(struct tm* out) const
{
    return out && _localtime64_s(out, &m_time) == 0 ? out : nullptr;
}

struct tm* CTime::GetGmtTm(struct tm* out) const
{
    return out && _gmtime64_s(out, &m_time) == 0 ? out : nullptr;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& out) const
{
    struct tm time;
    if (!GetLocalTm(&time))
        return FALSE;
    out = SYSTEMTIME{};
    out.wYear = static_cast<WORD>(time.tm_year + 1900);
    out.wMonth = static_cast<WORD>(time.tm_mon + 1);
    out.wDayOfWeek = static_cast<WORD>(time.tm_wday);
    out.wDay = static_cast<WORD>(time.tm_mday);
    out.wHour = static_cast<WORD>(time.tm_hour);
    out.wMinute = static_cast<WORD>(time.tm_min);
    out.wSecond = static_cast<WORD>(time.tm_sec);
    return TRUE;
}

namespace {
template <typename Field>
int LocalField(const CTime& time, Field field)
{
    struct tm local;
    return time.GetLocalTm(&local) ? field(local) : -1;
}
} // namespace

int CTime::GetYear() const { return LocalField(*this, [](const tm& t) { return t.tm_year + 1900; }); }
int CTime::GetMonth() const { return LocalField(*this, [](const tm& t) { return t.tm_mon + 1; }); }
int CTime::GetDay() const { return LocalField(*this, [](const tm& t) { return t.tm_mday; }); }
int CTime::GetHour() const { return LocalField(*this, [](const tm& t) { return t.tm_hour; }); }
int CTime::GetMinute() const { return LocalField(*this, [](const tm& t) { return t.tm_min; }); }
int CTime::GetSecond() const { return LocalField(*this, [](const tm& t) { return t.tm_sec; }); }
int CTime::GetDayOfWeek() const { return LocalField(*this, [](const tm& t) { return t.tm_wday + 1; }); }

CString CTime::Format(LPCTSTR format) const
{
    struct tm local;
    return GetLocalTm(&local) ? AfxFormatTm(format, local) : CString();
}

CString CTime::Format(UINT formatId) const
{
    CString format;
    format.LoadString(formatId);
    return Format(format);
}

CString CTime::FormatGmt(LPCTSTR format) const
{
    struct tm utc;
    return GetGmtTm(&utc) ? AfxFormatTm(format, utc) : CString();
}

// ---- COleDateTimeSpan ----

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    m_span = days + hours / 24.0 + minutes / (24.0 * 60) + seconds / (24.0 * 60 * 60);
    m_status = valid;
}

namespace {
long long RoundedSeconds(double days) { return std::llround(days * 86400.0); }
} // namespace

long COleDateTimeSpan::GetDays() const { return static_cast<long>(RoundedSeconds(m_span) / 86400); }
long COleDateTimeSpan::GetHours() const { return static_cast<long>(RoundedSeconds(m_span) / 3600 % 24); }
long COleDateTimeSpan::GetMinutes() const { return static_cast<long>(RoundedSeconds(m_span) / 60 % 60); }
long COleDateTimeSpan::GetSeconds() const { return static_cast<long>(RoundedSeconds(m_span) % 60); }

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result(m_span + other.m_span);
    if (m_status != valid || other.m_status != valid)
        result.m_status = m_status == null || other.m_status == null ? null : invalid;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const
{
    return *this + (-other);
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

// ---- COleDateTime ----

double COleDateTime::LinearFromDate(DATE date)
{
    if (date >= 0)
        return date;
    const double day = std::ceil(date);
    return day - (date - day);
}

DATE COleDateTime::DateFromLinear(double linear)
{
    if (linear >= 0)
        return linear;
    const double day = std::floor(linear);
    return day + (day - linear);
}

COleDateTime::COleDateTime() : m_dt(0), m_status(valid) {}

COleDateTime::COleDateTime(DATE date) : m_dt(0), m_status(valid) { *this = date; }

COleDateTime::COleDateTime(const VARIANT& source) : m_dt(0), m_status(valid) { *this = source; }

COleDateTime::COleDateTime(__time64_t time) : m_dt(0), m_status(valid) { *this = time; }

COleDateTime::COleDateTime(const SYSTEMTIME& time) : m_dt(0), m_status(valid) { *this = time; }

COleDateTime::COleDateTime(const FILETIME& time) : m_dt(0), m_status(valid) { *this = time; }

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) : m_dt(0), m_status(valid)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return COleDateTime(now);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const bool ok = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                    day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 &&
                    second >= 0 && second <= 59;
    if (!ok) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    const long long dayIndex = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                               kDateEpochFrom1970;
    const double timeOfDay = (hour * 3600 + minute * 60 + second) / 86400.0;
    m_dt = dayIndex >= 0 ? static_cast<double>(dayIndex) + timeOfDay : static_cast<double>(dayIndex) - timeOfDay;
    m_status = valid;
    return 0;
}

bool COleDateTime::GetFields(Fields& out) const
{
    if (m_status != valid || !IsDateInRange(m_dt))
        return false;
    // Day number and time of day, rounded to the second; the fraction always counts forwards.
    long long dayIndex = static_cast<long long>(m_dt);
    long long seconds = std::llround(std::fabs(m_dt - static_cast<double>(dayIndex)) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++dayIndex;
    }
    const long long days1970 = dayIndex + kDateEpochFrom1970;
    CivilFromDays(days1970, out.year, out.month, out.day);
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
    // 1 January 1970 was a Thursday (weekday 4 counting from Sunday = 0).
    out.dayOfWeek = static_cast<int>(((days1970 % 7) + 7 + 4) % 7) + 1;
    out.dayOfYear = static_cast<int>(days1970 - DaysFromCivil(out.year, 1, 1)) + 1;
    return true;
}

int COleDateTime::GetYear() const { Fields f; return GetFields(f) ? f.year : -1; }
int COleDateTime::GetMonth() const { Fields f; return GetFields(f) ? f.month : -1; }
int COleDateTime::GetDay() const { Fields f; return GetFields(f) ? f.day : -1; }
int COleDateTime::GetHour() const { Fields f; return GetFields(f) ? f.hour : -1; }
int COleDateTime::GetMinute() const { Fields f; return GetFields(f) ? f.minute : -1; }
int COleDateTime::GetSecond() const { Fields f; return GetFields(f) ? f.second : -1; }
int COleDateTime::GetDayOfWeek() const { Fields f; return GetFields(f) ? f.dayOfWeek : -1; }
int COleDateTime::GetDayOfYear() const { Fields f; return GetFields(f) ? f.dayOfYear : -1; }

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& out) const
{
    Fields f;
    if (!GetFields(f))
        return FALSE;
    out = SYSTEMTIME{};
    out.wYear = static_cast<WORD>(f.year);
    out.wMonth = static_cast<WORD>(f.month);
    out.wDayOfWeek = static_cast<WORD>(f.dayOfWeek - 1);
    out.wDay = static_cast<WORD>(f.day);
    out.wHour = static_cast<WORD>(f.hour);
    out.wMinute = static_cast<WORD>(f.minute);
    out.wSecond = static_cast<WORD>(f.second);
    return TRUE;
}

bool COleDateTime::ParseDateTime(LPCTSTR text, DWORD flags, LCID locale)
{
    m_dt = 0;
    m_status = invalid;
    if (!text || !*text)
        return false;
    const CString source(text);
    BSTR wide = source.AllocSysString();
    if (!wide)
        return false;
    DATE parsed = 0;
    const HRESULT hr = VarDateFromStr(wide, locale, flags, &parsed);
    SysFreeString(wide);
    if (FAILED(hr) || !IsDateInRange(parsed))
        return false;
    m_dt = parsed;
    m_status = valid;
    return true;
}

CString COleDateTime::Format(DWORD flags, LCID locale) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid || !IsDateInRange(m_dt))
        return InvalidDateTimeText();
    BSTR text = nullptr;
    if (FAILED(VarBstrFromDate(m_dt, locale, flags, &text)) || !text)
        return InvalidDateTimeText();
    const CString result(static_cast<LPCWSTR>(text));
    SysFreeString(text);
    return result;
}

CString COleDateTime::Format(LPCTSTR format) const
{
    if (m_status == null)
        return CString();
    Fields f;
    if (!GetFields(f))
        return InvalidDateTimeText();
    struct tm time = {};
    time.tm_year = f.year - 1900;
    time.tm_mon = f.month - 1;
    time.tm_mday = f.day;
    time.tm_hour = f.hour;
    time.tm_min = f.minute;
    time.tm_sec = f.second;
    time.tm_wday = f.dayOfWeek - 1;
    time.tm_yday = f.dayOfYear - 1;
    time.tm_isdst = -1;
    return AfxFormatTm(format, time);
}

CString COleDateTime::Format(UINT formatId) const
{
    CString format;
    format.LoadString(formatId);
    return Format(static_cast<LPCTSTR>(format));
}

COleDateTime& COleDateTime::operator=(DATE date)
{
    m_dt = date;
    m_status = IsDateInRange(date) ? valid : invalid;
    return *this;
}

COleDateTime& COleDateTime::operator=(const VARIANT& source)
{
    VARIANT converted;
    VariantInit(&converted);
    if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&source), 0, VT_DATE))) {
        *this = converted.date;
    } else {
        m_dt = 0;
        m_status = invalid;
    }
    VariantClear(&converted);
    return *this;
}

COleDateTime& COleDateTime::operator=(__time64_t time)
{
    SYSTEMTIME system;
    if (CTime(time).GetAsSystemTime(system)) {
        *this = system;
    } else {
        m_dt = 0;
        m_status = invalid;
    }
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& time)
{
    SetDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(const FILETIME& time)
{
    SYSTEMTIME system;
    if (LocalSystemTime(time, system)) {
        *this = system;
    } else {
        m_dt = 0;
        m_status = invalid;
    }
    return *this;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && m_dt == other.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& other) const { return LinearFromDate(m_dt) < LinearFromDate(other.m_dt); }
bool COleDateTime::operator>(const COleDateTime& other) const { return LinearFromDate(m_dt) > LinearFromDate(other.m_dt); }
bool COleDateTime::operator<=(const COleDateTime& other) const { return LinearFromDate(m_dt) <= LinearFromDate(other.m_dt); }
bool COleDateTime::operator>=(const COleDateTime& other) const { return LinearFromDate(m_dt) >= LinearFromDate(other.m_dt); }

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result;
    if (m_status != valid || span.m_status != COleDateTimeSpan::valid) {
        result.m_status = m_status == null || span.m_status == COleDateTimeSpan::null ? null : invalid;
        return result;
    }
    return COleDateTime(DateFromLinear(LinearFromDate(m_dt) + span.m_span));
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    return *this + (-span);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan result(LinearFromDate(m_dt) - LinearFromDate(other.m_dt));
    if (m_status != valid || other.m_status != valid)
        result.m_status = m_status == null || other.m_status == null ? COleDateTimeSpan::null : COleDateTimeSpan::invalid;
    return result;
}
