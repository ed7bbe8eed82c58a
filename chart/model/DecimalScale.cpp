// Decimal and logarithmic scales: the common frame of label generation, steps, number texts, orientation.
#include "chart/model/AxisScale.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphException.h"
#include "framework/core/Archive.h"
#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstring>

IMPLEMENT_SERIAL(QVGDecimalScale, QVGraphLabelBlock, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(QVGLogScale, QVGDecimalScale, VERSIONABLE_SCHEMA | 1)

namespace {
const double kEmptyRange = 2.220446049250313e-14;
const double kEpsilon = 2.220446049250313e-16;
const double kRadiansPerDegree = 0.017453292222222222;
const double kDegreesPerRadian = 57.295779513082323;
// A walk never makes more labels than this, whatever the range and step.
const int kMaxLabels = 2000;

bool IsPercentGraphType(QVGraph* pChart)
{
    if (pChart == NULL)
        return false;
    QVGraphComponent* pDrawn = pChart->GetCurrentComponent();
    if (pDrawn == NULL)
        return false;
    const int graphType = pDrawn->GetStyle()->GetGraphType();
    return (pDrawn->GetTypeId() == IDS_QVG_DISPLAY && graphType == 0x2f) || graphType == 0x30 ||
           graphType == 0x31 || graphType == 0x32;
}
}  // namespace

QVGDecimalScale::QVGDecimalScale()
    : m_bAscending(1), m_ptStart(0, 0), m_ptEnd(0, 0), m_dMin(0.0), m_dMax(0.0), m_dStep(0.0), m_nLabelSide(0)
{
    m_nTypeId = IDS_QVG_DECIMAL_SCALE;
    m_bOverlapCheck = 0;
    m_style.m_dTextAngle = 0.0;
}

QVGDecimalScale::~QVGDecimalScale() {}

void QVGDecimalScale::Serialize(CArchive& ar)
{
    QVGraphLabelBlock::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bAscending << int(m_ptStart.x) << int(m_ptStart.y) << int(m_ptEnd.x) << int(m_ptEnd.y);
        ar << m_dMin << m_dMax << m_dStep << m_nLabelSide << m_strFormat;
        return;
    }
    int startX = 0, startY = 0, endX = 0, endY = 0;
    ar >> m_bAscending >> startX >> startY >> endX >> endY;
    ar >> m_dMin >> m_dMax >> m_dStep >> m_nLabelSide >> m_strFormat;
    m_ptStart = CPoint(startX, startY);
    m_ptEnd = CPoint(endX, endY);
}

CPoint QVGDecimalScale::GetLabelShift()
{
    return CPoint(0, 0);
}

CPoint QVGDecimalScale::GetLabelOffset()
{
    // The gap is the second stored size, taken as device units whatever the measurement mode.
    const double gap = m_dSizeY;
    const double axisAngle = LineAngle(m_ptStart.x, m_ptStart.y, m_ptEnd.x, m_ptEnd.y);
    const double angle = axisAngle + (m_nLabelSide != 0 ? 90.0 : -90.0) * kRadiansPerDegree;
    return CPoint(int(std::floor(gap * std::cos(angle) + 0.5)), int(std::floor(gap * std::sin(angle) + 0.5)));
}

void QVGDecimalScale::SetStartPoint(int x, int y)
{
    m_ptStart = CPoint(x, y);
}

void QVGDecimalScale::SetEndPoint(int x, int y)
{
    m_ptEnd = CPoint(x, y);
}

void QVGDecimalScale::SetStep(double step)
{
    m_dStep = step;
}

void QVGDecimalScale::SetMax(double value)
{
    m_dMax = value;
}

void QVGDecimalScale::SetMin(double value)
{
    m_dMin = value;
}

void QVGDecimalScale::SetFormat(LPCTSTR lpszFormat)
{
    m_strFormat = lpszFormat != NULL ? lpszFormat : "";
}

void QVGDecimalScale::SetLabelSide(int nSide)
{
    m_nLabelSide = nSide;
}

void QVGDecimalScale::SetAscending()
{
    m_bAscending = 1;
}

void QVGDecimalScale::SetDescending()
{
    m_bAscending = 0;
}

CPoint QVGDecimalScale::GetStartPoint()
{
    return m_ptStart;
}

CPoint QVGDecimalScale::GetEndPoint()
{
    return m_ptEnd;
}

double QVGDecimalScale::GetStep()
{
    return m_dStep;
}

double QVGDecimalScale::GetMax()
{
    return m_dMax;
}

double QVGDecimalScale::GetMin()
{
    return m_dMin;
}

CString QVGDecimalScale::GetFormat()
{
    return m_strFormat;
}

int QVGDecimalScale::GetLabelSide()
{
    return m_nLabelSide;
}

bool QVGDecimalScale::IsSafeNumberFormat(const CString& format)
{
    int conversions = 0;
    const char* p = format;
    while (*p != '\0') {
        if (*p++ != '%')
            continue;
        if (*p == '%') {
            ++p;
            continue;
        }
        while (*p != '\0' && std::strchr("-+ #0", *p) != NULL)
            ++p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        if (*p == 'l')
            ++p;
        if (*p == '\0' || std::strchr("eEfFgG", *p) == NULL)
            return false;
        ++p;
        ++conversions;
    }
    return conversions == 1;
}

CString QVGDecimalScale::FormatValue(const CString& format, double value)
{
    // A format from a template or a caller is checked before printf sees it: anything but one floating
    // conversion would read arguments that are not there.
    const CString safe = IsSafeNumberFormat(format) ? format : CString(" %g ");
    return CString(NumberText::Format(static_cast<LPCTSTR>(safe), value).c_str());
}

CString QVGDecimalScale::TidyNumberText(LPCTSTR lpszText)
{
    std::string text = lpszText != NULL ? lpszText : "";
    static const char* const kExponents[] = {"e+0", "E+0", "e-0", "E-0"};
    for (const char* marker : kExponents) {
        const size_t at = text.find(marker);
        if (at == std::string::npos)
            continue;
        std::string rest = text.substr(at + 3);
        if (!rest.empty() && rest[0] == '0')
            rest.erase(0, 1);
        return CString((text.substr(0, at + 1) + (marker[1] == '-' ? "-" : "") + rest).c_str());
    }
    if (!m_style.GetOption(optionThousands))
        return CString(text.c_str());
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return CString();
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const size_t runStart = text.find_first_of("0123456789.");
    if (runStart == std::string::npos)
        return CString(text.c_str());
    size_t runEnd = text.find_first_not_of("0123456789.", runStart);
    if (runEnd == std::string::npos)
        runEnd = text.size();
    const size_t point = text.find('.', runStart);
    const size_t digitsEnd = (point != std::string::npos && point < runEnd) ? point : runEnd;
    const std::string digits = text.substr(runStart, digitsEnd - runStart);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return CString((text.substr(0, runStart) + grouped + text.substr(digitsEnd)).c_str());
}

int QVGDecimalScale::CurrentTextHeight(LPCTSTR lpszText)
{
    if (m_pDC == NULL)
        return 0;
    const CSize size = m_pDC->GetTextExtent(lpszText, int(std::strlen(lpszText)));
    if (size.cy > 0)
        return size.cy;
    TEXTMETRIC metrics;
    std::memset(&metrics, 0, sizeof metrics);
    m_pDC->GetTextMetrics(&metrics);
    return metrics.tmHeight;
}

bool QVGDecimalScale::BeginFrame(double low, double high, bool requireLength, Frame& frame)
{
    if (m_pDC == NULL)
        return false;
    if (std::fabs(high - low) <= kEmptyRange) {
        RemoveAllLabels();
        return false;
    }
    frame.axisLength = int(LineLength(m_ptStart.x, m_ptStart.y, m_ptEnd.x, m_ptEnd.y));
    if (requireLength && frame.axisLength < 1)
        return false;
    RebuildFont();
    frame.pOldFont = m_pDC->SelectObject(m_pFont);
    const double range = high - low;
    frame.sx = range > 0 ? (m_ptEnd.x - m_ptStart.x) / range : 0.0;
    frame.sy = range > 0 ? (m_ptEnd.y - m_ptStart.y) / range : 0.0;
    frame.offset = GetLabelOffset();
    ClearBounds();
    return true;
}

void QVGDecimalScale::EndFrame(const Frame& frame, int nUsed)
{
    TrimLabels(nUsed);
    OrientLabels();
    RecordAnchors(-frame.offset.x, -frame.offset.y);
    if (frame.pOldFont != NULL)
        m_pDC->SelectObject(frame.pOldFont);
}

void QVGDecimalScale::PlaceLabel(QVGraphLabel* pLabel, const Frame& frame, double dx, double dy)
{
    pLabel->SetPosition(dx + m_ptStart.x + frame.offset.x, dy + m_ptStart.y + frame.offset.y);
}

void QVGDecimalScale::GenerateLabels()
{
    Frame frame;
    if (!BeginFrame(m_dMin, m_dMax, true, frame))
        return;
    const bool percent = IsPercentGraphType(m_pChart);
    if (m_strFormat.IsEmpty())
        m_strFormat = percent ? " %.0f%% " : " %g ";
    const double range = m_dMax - m_dMin;
    const double textHeight = CurrentTextHeight(FormatValue(m_strFormat, m_dMax));
    const double e = std::max(std::fabs(m_dMax), std::fabs(m_dMin)) * kEpsilon;
    const double m = std::max(textHeight * range * 1.2 / frame.axisLength, e);
    if (!std::isfinite(m) || !std::isfinite(range) || m <= 0) {
        EndFrame(frame, 0);
        return;
    }

    double s = m_dStep > 0 ? m_dStep : 1.0;
    if (range <= m) {
        s = range;
    } else if (m_dStep <= 0) {
        // Percent steps grow and shrink by whole units; counted at once so a vast range cannot stall.
        if (percent) {
            if (s < m)
                s += std::ceil(m - s);
            if (s > m && s > 10 * e)
                s -= std::ceil(s - m);
        } else {
            while (s < m)
                s *= 10;
            while (s > m && s > 10 * e)
                s *= 0.1;
        }
        for (double factor : {1.0, 2.0, 5.0, 10.0}) {
            if (s * factor >= m) {
                s *= factor;
                break;
            }
        }
    } else if (percent) {
        if (s < 0.2 * m)
            s += std::ceil((0.2 * m - s) / m_dStep) * m_dStep;
        if (s > range && s > 10 * e)
            s -= std::ceil((s - range) / m_dStep) * m_dStep;
    } else {
        while (s < 0.2 * m)
            s *= 10;
        while (s > range && s > 10 * e)
            s *= 0.1;
    }
    if (s <= 0)
        s = 1.0;
    if (m_dMin + s <= m_dMin)
        s *= 10;
    if (m_dMin + s <= m_dMin) {
        // The step still vanishes against the minimum: no walk can advance.
        EndFrame(frame, 0);
        return;
    }

    const double start = m_bAscending ? m_dMin : m_dMax;
    const double tolerance = s * 0.01;
    double v = start;
    int used = 0;
    while (used < kMaxLabels && (m_bAscending ? v <= m_dMax + tolerance : v >= m_dMin - tolerance)) {
        const double shown = std::fabs(v) < s * 0.0001 ? 0.0 : v;
        CString text = FormatValue(m_strFormat, shown);
        if (!text.IsEmpty())
            text = TidyNumberText(text);
        QVGraphLabel* pLabel = LabelForGeneration(used++);
        pLabel->SetAnnotationText(text);
        const double distance = std::fabs(v - start);
        PlaceLabel(pLabel, frame, distance * frame.sx, distance * frame.sy);
        v = m_bAscending ? v + s : v - s;
    }
    EndFrame(frame, used);
}

void QVGDecimalScale::OrientLabels()
{
    const double axisDegrees = LineAngle(m_ptStart.x, m_ptStart.y, m_ptEnd.x, m_ptEnd.y) * kDegreesPerRadian;
    double a = std::fmod(axisDegrees + 90.0, 360.0);
    if (a < 0)
        a += 360.0;
    const double c = std::cos(a * kRadiansPerDegree);
    const double s = std::sin(a * kRadiansPerDegree);
    if (m_style.GetOption(optionFixedAngle)) {
        double angle = m_style.m_dTextAngle;
        // The constructors' -500 means "no angle of its own": level text, or upright with bit 29.
        if (angle <= -360.0)
            angle = m_style.GetOption(optionVerticalLabels) ? 90.0 : 0.0;
        SetLabelAngle(angle);
        SetLabelJustification(m_nJustification);
        SetLabelDirection(m_nLabelSide != 0 ? c : -c, s);
        return;
    }
    // The axis angle is measured on the screen (y down); the text turns the other way.
    SetLabelAngle(360.0 - a);
    if (m_nLabelSide != 0) {
        SetLabelJustification(0);
        SetLabelDirection(c, s);
    } else {
        SetLabelJustification(4);
        SetLabelDirection(-c, s);
    }
}

QVGLogScale::QVGLogScale()
{
    m_bOverlapCheck = 1;
}

void QVGLogScale::GenerateLabels()
{
    if (m_pDC == NULL)
        return;
    if (m_dMin <= 0 || m_dMax <= 0)
        RaiseChartError(22);
    const double logMin = std::log10(m_dMin);
    const double logMax = std::log10(m_dMax);
    Frame frame;
    if (!BeginFrame(logMin, logMax, true, frame))
        return;
    const CString format = m_strFormat.IsEmpty() ? CString("%g") : m_strFormat;
    const double textHeight = std::max(1, CurrentTextHeight(FormatValue(format, m_dMin)));
    int fitting = int(frame.axisLength / (textHeight * 1.25));
    if (fitting < 16)
        fitting = 16;
    const bool dense = logMax - logMin <= 1.01;
    double b = std::pow(10.0, std::floor(logMin));
    if ((m_dMax - m_dMin) / b < 3.2)
        b *= 0.1;
    const bool fineSteps = (m_dMax - m_dMin) / b < fitting;

    auto place = [&](int index, double value) {
        QVGraphLabel* pLabel = GetLabel(index);
        const double distance = std::log10(value) - logMin;
        PlaceLabel(pLabel, frame, distance * frame.sx, distance * frame.sy);
    };
    int index = 0;
    double v = m_dMin;
    if (v / b < 7) {
        SetLabelTextAt(TidyNumberText(FormatValue(format, m_dMin)), index, 1);
        place(index, m_dMin);
        ++index;
        v = m_dMin + b;
    }
    while (v < m_dMax - 0.5 * b && index < kMaxLabels) {
        const double q = v / b;
        bool labelled = dense;
        if (q <= 1.2) {
            v = b;
            labelled = true;
        } else if (q > 9.9) {
            labelled = true;
            if (!fineSteps) {
                b *= 10;
                v = b;
            }
        }
        if (v > 0.95 && b >= 1)
            v = std::floor(v + 0.5);
        SetLabelTextAt(labelled ? TidyNumberText(FormatValue(format, v)) : CString(""), index, 1);
        place(index, v);
        ++index;
        v += b;
    }
    SetLabelTextAt(TidyNumberText(FormatValue(format, m_dMax)), index, 1);
    place(index, m_dMax);
    ++index;
    EndFrame(frame, index);
}
