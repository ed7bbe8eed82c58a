// The date scale: label steps from seconds to decades, calendar months and years, date texts.
#include "chart/model/AxisScale.h"

#include "chart/model/ChartResourceIds.h"
#include "framework/core/Calendar.h"
#include "framework/win/Dc.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>

IMPLEMENT_SERIAL(QVGDateScale, QVGDecimalScale, VERSIONABLE_SCHEMA | 1)

namespace {
// Steps in days: 1, 2, 5, 10, 30 seconds; 1, 2, 5, 10, 30 minutes; 1, 2, 3, 4, 6, 8 hours; days to decades.
const double kDateSteps[] = {1.157407407407e-05, 2.314814814814e-05, 5.787037037035e-05, 0.0001157407407407,
                             0.0003472222222221, 0.0006944444444444, 0.001388888888889, 0.003472222222222,
                             0.006944444444444,  0.02083333333333,   0.04166666666667,  0.083333333332,
                             0.125,              0.166666666664,     0.25,              0.333333333333,
                             1,                  7,                  14,                30,
                             90,                 180,                365,               730,
                             1825,               3650};
// The calendar the OLE dates cover (years 100 to 9999).
const double kFirstDate = -657434.0;
const double kLastDate = 2958465.99999;
const double kMonthWalkLimit = 29.999999;

// 1 January 1970, day 0 of the calendar arithmetic, is day 25569 of the OLE dates.
const long long kOleDayOf1970 = 25569;

// strftime reaches the runtime's invalid-parameter handler for unknown conversions: only these pass.
bool IsSafeDateFormat(const CString& format)
{
    const char* p = format;
    while (*p != '\0') {
        if (*p++ != '%')
            continue;
        if (*p == '#')
            ++p;
        if (*p == '\0' || std::strchr("aAbBcdHIjmMpSUwWxXyYzZ%", *p) == NULL)
            return false;
        ++p;
    }
    return true;
}
}  // namespace

QVGDateScale::QVGDateScale()
{
    m_nTypeId = IDS_QVG_DATE_SCALE;
    m_bOverlapCheck = 1;
    m_style.m_dTextAngle = -500.0;
}

void QVGDateScale::SetMaxDate(double date)
{
    m_dMax = date;
}

void QVGDateScale::SetMinDate(double date)
{
    m_dMin = date;
}

void QVGDateScale::SetStepSpan(double days)
{
    m_dStep = days;
}

CString QVGDateScale::FormatDate(const CString& format, double date)
{
    if (!std::isfinite(date) || date < kFirstDate || date > kLastDate)
        return CString("Invalid DateTime");
    long long days = (long long)std::floor(date);
    long long seconds = (long long)std::floor((date - double(days)) * 86400.0 + 0.5);
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    int year = 0, month = 0, day = 0;
    CivilFromDays(days - kOleDayOf1970, year, month, day);
    std::tm broken;
    std::memset(&broken, 0, sizeof broken);
    broken.tm_year = year - 1900;
    broken.tm_mon = month - 1;
    broken.tm_mday = day;
    broken.tm_hour = int(seconds / 3600);
    broken.tm_min = int(seconds / 60 % 60);
    broken.tm_sec = int(seconds % 60);
    broken.tm_wday = int(((days - 1) % 7 + 7) % 7);  // 30 December 1899 was a Saturday
    broken.tm_yday = int(days - kOleDayOf1970 - DaysFromCivil(year, 1, 1));
    broken.tm_isdst = -1;
    const CString safe = IsSafeDateFormat(format) ? format : CString("%x");
    char buffer[256];
    const size_t length = std::strftime(buffer, sizeof buffer, safe, &broken);
    buffer[std::min(length, sizeof buffer - 1)] = '\0';
    return CString(buffer);
}

double QVGDateScale::AutomaticStep(double rangeDays, int nLabels)
{
    double s = rangeDays / std::max(nLabels, 1);
    s = std::max(s, kDateSteps[0]);
    for (size_t i = 1; i < sizeof kDateSteps / sizeof kDateSteps[0]; ++i)
        if (kDateSteps[i] >= s)
            return kDateSteps[i];
    return 3650.0;
}

const char* QVGDateScale::DefaultFormat(double rangeDays)
{
    if (rangeDays <= 0.0006944444444444)
        return "%S";
    if (rangeDays <= 0.04166666666667)
        return "%M:%S";
    if (rangeDays <= 1.0)
        return "%H:%M:%S";
    return "%x";
}

void QVGDateScale::GenerateLabels()
{
    Frame frame;
    if (!BeginFrame(m_dMin, m_dMax, false, frame))
        return;
    TEXTMETRIC metrics;
    std::memset(&metrics, 0, sizeof metrics);
    m_pDC->GetTextMetrics(&metrics);
    const int fitting = std::max(1, frame.axisLength / std::max(1, int(metrics.tmHeight * 6 / 5)));
    const double range = m_dMax - m_dMin;
    const double step = (m_dStep == 0.0 || m_dStep == 0.1) ? AutomaticStep(std::fabs(range), fitting) : m_dStep;
    const CString format = m_strFormat.IsEmpty() ? CString(DefaultFormat(std::fabs(range))) : m_strFormat;
    if (!(step > 0)) {
        EndFrame(frame, 0);
        return;
    }

    const double start = m_bAscending ? m_dMin : m_dMax;
    const double farEnd = m_bAscending ? m_dMax : m_dMin;
    int used = 0;
    auto label = [&](double v) {
        QVGraphLabel* pLabel = LabelForGeneration(used++);
        pLabel->SetAnnotationText(FormatDate(format, v));
        const double distance = std::fabs(v - start);
        PlaceLabel(pLabel, frame, distance * frame.sx, distance * frame.sy);
    };
    // A value at or past the far end is put on it; the far end is labelled once, then the walk stops.
    auto arrive = [&](double& v, int& arrivals) {
        const bool beyond = m_bAscending ? v >= farEnd : v <= farEnd;
        if (beyond) {
            v = farEnd;
            ++arrivals;
        }
        return arrivals < 2;
    };
    const int kMaxLabels = 2000;
    int arrivals = 0;
    if (step <= kMonthWalkLimit) {
        double v = start;
        while (used < kMaxLabels && arrive(v, arrivals)) {
            label(v);
            v = m_bAscending ? v + step : v - step;
        }
    } else {
        // Calendar steps: months for 30, 90 and 180 days, years for 730, 1825 and 3650, else one year.
        const int wholeDays = int(step);
        int months = 12;
        switch (wholeDays) {
        case 30: months = 1; break;
        case 90: months = 3; break;
        case 180: months = 6; break;
        case 730: months = 24; break;
        case 1825: months = 60; break;
        case 3650: months = 120; break;
        default: months = 12; break;
        }
        if (!m_bAscending)
            months = -months;
        int year = 0, month = 0, day = 0;
        CivilFromDays((long long)std::floor(start) - kOleDayOf1970, year, month, day);
        double v = double((long long)std::floor(start));
        int monthCount = year * 12 + (month - 1);
        while (used < kMaxLabels && arrive(v, arrivals)) {
            label(v);
            monthCount += months;
            const int nextYear = monthCount / 12;
            const int nextMonth = monthCount % 12 + 1;
            if (nextYear < 100 || nextYear > 9999)
                v = farEnd;
            else
                v = double(kOleDayOf1970 + DaysFromCivil(nextYear, unsigned(nextMonth),
                                                         unsigned(std::min(day, DaysInMonth(nextYear, nextMonth)))));
        }
    }
    EndFrame(frame, used);
}
