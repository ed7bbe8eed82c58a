// CTime (a time_t in local time), COleDateTime (an OLE automation DATE with a status) and their spans.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>
#include <oleauto.h>

#include <ctime>

// winbase.h maps GetCurrentTime() to GetTickCount(); the time classes need the name for themselves.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

// strftime over a broken-down time, safe for any format: codes the runtime does not know are copied
// as written instead of reaching its invalid-parameter handler. The result grows as needed.
CString AfxFormatTm(LPCTSTR format, const struct tm& time);

class CTimeSpan {
public:
    CTimeSpan() : m_span(0) {}
    CTimeSpan(__time64_t seconds) : m_span(seconds) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds)
        : m_span(((static_cast<__time64_t>(days) * 24 + hours) * 60 + minutes) * 60 + seconds) {}

    LONGLONG GetDays() const { return m_span / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONGLONG GetTotalSeconds() const { return m_span; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
    __time64_t GetTimeSpan() const { return m_span; }

    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_span + other.m_span); }
    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_span - other.m_span); }
    bool operator==(CTimeSpan other) const { return m_span == other.m_span; }
    bool operator!=(CTimeSpan other) const { return m_span != other.m_span; }
    bool operator<(CTimeSpan other) const { return m_span < other.m_span; }
    bool operator>(CTimeSpan other) const { return m_span > other.m_span; }

private:
    __time64_t m_span;
};

class CTime {
public:
    CTime() : m_time(0) {}
    CTime(__time64_t time) : m_time(time) {}
    // Local time; daylightSaving -1 lets the runtime decide.
    CTime(int year, int month, int day, int hour, int minute, int second, int daylightSaving = -1);
    CTime(const SYSTEMTIME& time, int daylightSaving = -1);
    CTime(const FILETIME& time, int daylightSaving = -1);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    struct tm* GetLocalTm(struct tm* out) const;
    struct tm* GetGmtTm(struct tm* out) const;
    BOOL GetAsSystemTime(SYSTEMTIME& out) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday

    // strftime codes over the local time (FormatGmt: over UTC).
    CString Format(LPCTSTR format) const;
    CString Format(UINT formatId) const;
    CString FormatGmt(LPCTSTR format) const;

    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }
    bool operator<(CTime other) const { return m_time < other.m_time; }
    bool operator>(CTime other) const { return m_time > other.m_time; }
    bool operator<=(CTime other) const { return m_time <= other.m_time; }
    bool operator>=(CTime other) const { return m_time >= other.m_time; }

private:
    __time64_t m_time;
};

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() : m_span(0), m_status(valid) {}
    COleDateTimeSpan(double days) : m_span(days), m_status(valid) {}
    COleDateTimeSpan(long days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    // Whole parts, each rounded to the second; a negative span gives negative parts.
    long GetDays() const;
    long GetHours() const;
    long GetMinutes() const;
    long GetSeconds() const;

    operator double() const { return m_span; }
    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-() const;
    bool operator==(const COleDateTimeSpan& other) const { return m_status == other.m_status && m_span == other.m_span; }
    bool operator!=(const COleDateTimeSpan& other) const { return !(*this == other); }
    bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }
    bool operator>(const COleDateTimeSpan& other) const { return m_span > other.m_span; }

    double m_span;
    DateTimeSpanStatus m_status;
};

// A date as an OLE automation DATE: days since 30 December 1899, the fraction the time of day.
// Before that day the whole part counts backwards while the fraction still counts forwards
// (-1.25 is 29 December 1899 06:00), so arithmetic and comparison go through a linear scale.
class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime();
    COleDateTime(DATE date);
    COleDateTime(const VARIANT& source);
    COleDateTime(__time64_t time);
    COleDateTime(const SYSTEMTIME& time);
    COleDateTime(const FILETIME& time);
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // Years 100 to 9999 only; a date that does not exist makes the value invalid. Return 0 when valid.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

    // Fields rounded to the second; -1 when the value is not valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    int GetDayOfYear() const;  // 1 = 1 January
    BOOL GetAsSystemTime(SYSTEMTIME& out) const;

    // The system's automation parser (VarDateFromStr); false and status invalid when the text is no date.
    bool ParseDateTime(LPCTSTR text, DWORD flags = 0, LCID locale = LANG_USER_DEFAULT);
    // The system's automation text (VarBstrFromDate) in the locale.
    CString Format(DWORD flags = 0, LCID locale = LANG_USER_DEFAULT) const;
    // strftime codes over the date's fields ("%#c", "%Y-%m-%d", ...).
    CString Format(LPCTSTR format) const;
    CString Format(UINT formatId) const;

    operator DATE() const { return m_dt; }
    COleDateTime& operator=(DATE date);
    COleDateTime& operator=(const VARIANT& source);
    COleDateTime& operator=(__time64_t time);
    COleDateTime& operator=(const SYSTEMTIME& time);
    COleDateTime& operator=(const FILETIME& time);

    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const;
    bool operator<=(const COleDateTime& other) const;
    bool operator>=(const COleDateTime& other) const;

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    // DATE to the linear scale (days since 30 December 1899, time included) and back.
    static double LinearFromDate(DATE date);
    static DATE DateFromLinear(double linear);

    DATE m_dt;
    DateTimeStatus m_status;

private:
    struct Fields {
        int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
    };
    bool GetFields(Fields& out) const;
};
