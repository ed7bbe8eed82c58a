// The display base: fields, preparation of a drawing, rounded axis ranges and the three selectors.
#include "chart/model/DisplayBase.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DataWatcher.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphException.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

IMPLEMENT_SERIAL(QVGDisplayBase, QVGraphTitle, VERSIONABLE_SCHEMA | 1)

namespace {
// The display owns its scales and label block: a replaced one is deleted.
void ReplaceOwned(QVGraphComponent*& pSlot, QVGraphComponent* pNew)
{
    if (pSlot != pNew)
        delete pSlot;
    pSlot = pNew;
}

const double kSecondsPerDay = 86400.0;

bool IsDateAxisStyle(int nAxisStyle)
{
    return (nAxisStyle >= 18 && nAxisStyle <= 23) || nAxisStyle == 25 || nAxisStyle == 27;
}

bool IsDateScale(QVGraphComponent* pScale)
{
    return pScale != NULL && pScale->GetTypeId() == IDS_QVG_DATE_SCALE;
}

bool IsBubbleOrVector(int nGraphType)
{
    return nGraphType >= 41 && nGraphType <= 45;
}

bool UsesAxisRanges(int nGraphType)
{
    return (nGraphType >= 19 && nGraphType <= 21) || nGraphType == 26 || nGraphType == 27 ||
           (nGraphType >= 32 && nGraphType <= 34) || IsBubbleOrVector(nGraphType);
}

void SetRange(CScale& range, double low, double high)
{
    range.Reset();
    range.Include(low);
    range.Include(high);
}

// Widens the range by (margin - 1) of its width, half on each side, where an end within that reach of
// zero stops at zero; returns the new width.
double WidenByMargin(CScale& range, double width, double margin)
{
    if (margin == 1.0)
        return width;
    const double d = (margin - 1) * width * 0.5;
    const double low = (range.m_dMin >= 0 && range.m_dMin <= d) ? 0.0 : range.m_dMin - d;
    const double high = (range.m_dMax >= -d && range.m_dMax <= 0) ? 0.0 : range.m_dMax + d;
    range.Include(low);
    range.Include(high);
    return range.m_dMax - range.m_dMin;
}
}  // namespace

QVGDisplayBase::QVGDisplayBase()
    : m_dFixedValueMin(0.0),
      m_dFixedValueMax(0.0),
      m_dValueAxisSpan(0.0),
      m_dFixedIndexMin(0.0),
      m_dFixedIndexMax(0.0),
      m_dIndexAxisSpan(0.0),
      m_pIndexScale(NULL),
      m_pValueScale(NULL),
      m_pLabelBlock(NULL),
      m_ownedList1(10),
      m_ownedList2(10),
      m_ownedList3(10),
      m_rectWork1(0, 0, 0, 0),
      m_rectWork2(0, 0, 0, 0),
      m_rectPlot(0, 0, 0, 0),
      m_nScalesDiscarded(0),
      m_bPrepared(0),
      m_bValueAxisAutomatic(0),
      m_bIndexAxisAutomatic(0),
      m_dFirstScaleStep(0.0),
      m_dSecondScaleStep(0.0),
      m_nScaleFlags(0xF),
      m_nCurrentSeries(0),
      m_bIncludeHistory(FALSE)
{
    m_nTypeId = IDS_QVG_DISPLAY;
}

QVGDisplayBase::~QVGDisplayBase()
{
    DeleteOwnedParts();
}

void QVGDisplayBase::DeleteOwnedParts()
{
    delete m_pIndexScale;
    delete m_pValueScale;
    delete m_pLabelBlock;
    m_pIndexScale = m_pValueScale = m_pLabelBlock = NULL;
    DeleteListObjects(&m_ownedList1);
    DeleteListObjects(&m_ownedList2);
    DeleteListObjects(&m_ownedList3);
}

void QVGDisplayBase::Serialize(CArchive& ar)
{
    QVGraphTitle::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_dFixedValueMax << m_dFixedValueMin << m_dFixedIndexMax << m_dFixedIndexMin;
        ar << int(m_rectPlot.left) << int(m_rectPlot.top) << int(m_rectPlot.right) << int(m_rectPlot.bottom);
        return;
    }
    int left = 0, top = 0, right = 0, bottom = 0;
    ar >> m_dFixedValueMax >> m_dFixedValueMin >> m_dFixedIndexMax >> m_dFixedIndexMin;
    ar >> left >> top >> right >> bottom;
    m_rectPlot.SetRect(left, top, right, bottom);
}

int QVGDisplayBase::GetFontSize()
{
    if (m_nFontStyle & fontAutoSize)
        return -(m_rectPlot.Height() / 25);
    return m_nFontSize;
}

int QVGDisplayBase::ReadTemplateDetails(LPCTSTR lpszText)
{
    int consumed = QVGraphTitle::ReadTemplateDetails(lpszText);
    int axisStyle = 0, graphType = 0, mask = 0, log = 0, more = 0;
    if (std::sscanf(lpszText + consumed, " %d %d %d %d %n", &axisStyle, &graphType, &mask, &log, &more) < 4)
        RaiseChartError(12);
    SetAxisStyle(axisStyle);
    SetGraphType(graphType);
    SetOption(optionFirstLabelsTurned, (mask & 1) != 0);
    SetOption(optionSecondLabelsTurned, (mask & 2) != 0);
    SetAxisOption(axisAlternateLabels, (mask & 4) == 0);
    SetOption(optionLogValues, log != 0);
    m_style.m_bModified = 1;
    return consumed + more;
}

LPCTSTR QVGDisplayBase::GetTemplateKeyword()
{
    return "data ";
}

void QVGDisplayBase::WriteTemplateDetails(CStdioFile* pFile)
{
    const int mask = (GetOption(optionFirstLabelsTurned) ? 1 : 0) | (GetOption(optionSecondLabelsTurned) ? 2 : 0) |
                     (GetAxisOption(axisAlternateLabels) ? 0 : 4);
    pFile->WriteString(NumberText::Format("%d %d %d %d", GetAxisStyle(), GetGraphType(), mask,
                                          GetOption(optionLogValues) ? 1 : 0)
                           .c_str());
}

void QVGDisplayBase::SetValueAxisAutomatic(int bAutomatic)
{
    m_bValueAxisAutomatic = bAutomatic;
}

int QVGDisplayBase::IsValueAxisAutomatic()
{
    return m_bValueAxisAutomatic;
}

void QVGDisplayBase::SetIndexAxisAutomatic(int bAutomatic)
{
    m_bIndexAxisAutomatic = bAutomatic;
}

int QVGDisplayBase::IsIndexAxisAutomatic()
{
    return m_bIndexAxisAutomatic;
}

void QVGDisplayBase::SetIndexScale(QVGraphComponent* pScale)
{
    ReplaceOwned(m_pIndexScale, pScale);
}

QVGraphComponent* QVGDisplayBase::GetIndexScale()
{
    return m_pIndexScale;
}

void QVGDisplayBase::SetValueScale(QVGraphComponent* pScale)
{
    ReplaceOwned(m_pValueScale, pScale);
}

QVGraphComponent* QVGDisplayBase::GetValueScale()
{
    return m_pValueScale;
}

void QVGDisplayBase::SetLabelBlock(QVGraphComponent* pBlock)
{
    ReplaceOwned(m_pLabelBlock, pBlock);
}

QVGraphComponent* QVGDisplayBase::GetLabelBlock()
{
    return m_pLabelBlock;
}

double QVGDisplayBase::GetValueAxisSpan()
{
    return m_dValueAxisSpan;
}

double QVGDisplayBase::GetIndexAxisSpan()
{
    return m_dIndexAxisSpan;
}

void QVGDisplayBase::DiscardScales()
{
    DeleteOwnedParts();
    m_bChanged = 1;
    m_nScalesDiscarded = 0;
}

void QVGDisplayBase::SetIndexAxisRange(const CScale& range)
{
    m_indexAxisRange = range;
}

void QVGDisplayBase::SetValueAxisRange(const CScale& range)
{
    m_valueAxisRange = range;
}

CScale QVGDisplayBase::GetIndexAxisRange()
{
    return m_indexAxisRange;
}

CScale QVGDisplayBase::GetValueAxisRange()
{
    return m_valueAxisRange;
}

void QVGDisplayBase::ResetIndexAxisRange()
{
    m_indexAxisRange.Reset();
}

void QVGDisplayBase::ResetValueAxisRange()
{
    m_valueAxisRange.Reset();
}

CRect QVGDisplayBase::GetPlotRect()
{
    return m_rectPlot;
}

double QVGDisplayBase::GetFixedValueMin()
{
    return m_dFixedValueMin;
}

double QVGDisplayBase::GetFixedValueMax()
{
    return m_dFixedValueMax;
}

void QVGDisplayBase::SetFixedValueMin(double value)
{
    m_dFixedValueMin = value;
}

void QVGDisplayBase::SetFixedValueMax(double value)
{
    m_dFixedValueMax = value;
}

double QVGDisplayBase::GetFixedIndexMin()
{
    return m_dFixedIndexMin;
}

double QVGDisplayBase::GetFixedIndexMax()
{
    return m_dFixedIndexMax;
}

void QVGDisplayBase::SetFixedIndexMin(double value)
{
    m_dFixedIndexMin = value;
}

void QVGDisplayBase::SetFixedIndexMax(double value)
{
    m_dFixedIndexMax = value;
}

void QVGDisplayBase::SetPlotRect(int left, int top, int right, int bottom, int bFixed)
{
    m_rectPlot.SetRect(left, top, right, bottom);
    SetOption(optionFixedPlotRect, bFixed != 0);
}

void QVGDisplayBase::SetDrawnValueAxisRange(const CScale& range)
{
    m_drawnValueAxisRange = range;
}

CScale QVGDisplayBase::GetDrawnValueAxisRange()
{
    return m_drawnValueAxisRange;
}

void QVGDisplayBase::SetDrawnIndexAxisRange(const CScale& range)
{
    m_drawnIndexAxisRange = range;
}

CScale QVGDisplayBase::GetDrawnIndexAxisRange()
{
    return m_drawnIndexAxisRange;
}

CObList* QVGDisplayBase::GetOwnedList2()
{
    return &m_ownedList2;
}

CObList* QVGDisplayBase::GetOwnedList1()
{
    return &m_ownedList1;
}

CObList* QVGDisplayBase::GetOwnedList3()
{
    return &m_ownedList3;
}

void QVGDisplayBase::DeleteListObjects(CObList* pList)
{
    if (pList == NULL)
        return;
    while (!pList->IsEmpty())
        delete pList->RemoveHead();
}

bool QVGDisplayBase::IsValueDates()
{
    return IsDateAxisStyle(GetAxisStyle()) || IsDateScale(m_pValueScale);
}

bool QVGDisplayBase::IsIndexDates()
{
    return GetAxisStyle() == 26 || IsDateScale(m_pIndexScale);
}

double QVGDisplayBase::GetValueMargin()
{
    if (IsValueDates() || IsBubbleOrVector(GetGraphType()))
        return 1.0;
    return 1.1;
}

double QVGDisplayBase::GetIndexMargin()
{
    if (IsIndexDates() || IsBubbleOrVector(GetGraphType()))
        return 1.0;
    return 1.1;
}

bool QVGDisplayBase::IsValueLog()
{
    return GetOption(optionLogValues) != 0;
}

bool QVGDisplayBase::IsIndexLog()
{
    const int type = GetGraphType();
    if (type >= 32 && type <= 34)
        return GetAxisOption(axisLogIndex) != 0;
    return GetOption(optionLogValues) != 0;
}

void QVGDisplayBase::FillValueLabels(double step, CStringList& labels)
{
    if (!IsDrawing())
        RaiseChartError(18);
    if (!(step > 0))
        return;
    for (int i = 0; i * step <= m_dValueAxisSpan && i < 10000; ++i)
        labels.AddTail(CString(NumberText::Format("%g", i * step).c_str()));
}

double QVGDisplayBase::GetValueUnit()
{
    double s = m_dValueAxisSpan;
    if (!(s > 0) || !std::isfinite(s))
        return 0.1;
    double u = 1.0;
    if (s > 1) {
        while (s >= 10) {
            u *= 10;
            s /= 10;
        }
    } else {
        u = 0.1;
        while (s < 1) {
            u *= 0.1;
            s *= 10;
        }
    }
    return u * 0.1;
}

void QVGDisplayBase::NiceLinearRange(CScale& range, double margin)
{
    double w = range.m_dMax - range.m_dMin;
    if (!(w > 0) || !std::isfinite(w))
        return;
    w = WidenByMargin(range, w, margin);
    int p = int(std::floor(std::log10(w)));
    if (p < 0)
        --p;
    if (w / std::pow(10.0, p) <= 4)
        --p;
    const double e = w * 0.001;
    const double unit = std::pow(10.0, p);
    static const double kSteps[] = {3.5, 2.5, 3.0, 2.0, 5.0, 1.0};
    const double minimum = range.m_dMin;
    const double maximum = range.m_dMax;
    double bestLow = minimum, bestLowGap = HUGE_VAL;
    double bestHigh = maximum, bestHighGap = HUGE_VAL;
    for (double factor : kSteps) {
        const double s = factor * unit;
        double low = std::floor(minimum / s) * s;
        if (low > minimum + e)
            low -= s;
        if (minimum - low <= bestLowGap) {
            bestLowGap = minimum - low;
            bestLow = low;
        }
        double high = std::floor(maximum / s) * s;
        if (high < maximum - e)
            high += s;
        if (high - maximum <= bestHighGap) {
            bestHighGap = high - maximum;
            bestHigh = high;
        }
    }
    range.Include(bestLow);
    range.Include(bestHigh);
}

void QVGDisplayBase::NiceLogRange(CScale& range, BOOL bWholeDecades)
{
    const double lo = range.m_dMin > 0 ? range.m_dMin : 0.0001;
    const double hi = (range.m_dMax <= 0 || range.m_dMax <= lo) ? lo * 10 : range.m_dMax;
    const double L = std::log10(lo);
    const double H = std::log10(hi);
    const double span = H - L;
    bool whole = bWholeDecades || span > 5;
    if (whole) {
        auto decade = [](double x) { return int(x) - (x < 0 ? 1 : 0); };
        if (span <= 0.6 && decade(L) == decade(H))
            whole = false;
    }
    if (whole) {
        int a = int(std::floor(L));
        if ((a + 1) - L < span * 0.01)
            ++a;
        int b = int(std::ceil(H));
        if ((H + 1) - b < span * 0.01)
            --b;
        if (a >= b)
            b = a + 1;
        SetRange(range, std::pow(10.0, a), std::pow(10.0, b));
        return;
    }
    double u = std::pow(10.0, std::floor(std::log10(lo)));
    if ((hi - lo) / u < 3)
        u /= 10;
    const double newLow = std::floor(lo / u) * u;
    double v = std::pow(10.0, std::floor(std::log10(hi)));
    if ((hi - newLow) / v < 3.1)
        v /= 10;
    const double newHigh = std::ceil(hi / v) * v;
    SetRange(range, newLow > 0 ? newLow : lo, newHigh);
}

void QVGDisplayBase::NiceDateRange(CScale& range, double margin)
{
    double w = range.m_dMax - range.m_dMin;
    if (!(w > 0) || !std::isfinite(w))
        return;
    w = WidenByMargin(range, w, margin);
    if (w <= 5.787037037035e-05)
        return;
    const double day = std::floor(range.m_dMin);
    // Seconds of the day, nudged so that a time stored a hair below a whole second keeps it.
    const double seconds = std::floor((range.m_dMin - day) * kSecondsPerDay + 1e-6);
    double unit = 86400.0;
    if (w <= 0.0006944444444444)
        unit = 1.0;
    else if (w <= 0.20833333333335)
        unit = 60.0;
    else if (w <= 5.0)
        unit = 3600.0;
    range.Include(day + std::floor(seconds / unit) * unit / kSecondsPerDay);
}

void QVGDisplayBase::SetDefaultStrides()
{
    SetIndexStride(1);
    SetGroupStride(1);
}

void QVGDisplayBase::ComputeDefaultRanges()
{
    SetDefaultStrides();
}

void QVGDisplayBase::ComputeDataRanges() {}

void QVGDisplayBase::DrawGraphOfType(int) {}

void QVGDisplayBase::DrawPlotAreaOfStyle(int, int) {}

void QVGDisplayBase::DrawScalesOfStyle(int, int) {}

void QVGDisplayBase::PrepareDisplay()
{
    if (m_bPrepared)
        return;
    ResolveDataLimits();

    const int type = GetGraphType();
    switch (type) {
    case 19: case 20: case 32: case 33:
        SetIndexStride(2);
        SetGroupStride(1);
        break;
    case 21: case 26: case 27: case 30: case 34:
        SetIndexStride(1);
        SetGroupStride(2);
        break;
    case 41: case 42:
        SetIndexStride(1);
        SetGroupStride(3);
        break;
    case 28: case 29: case 43: case 44: case 45: case 46:
        SetIndexStride(1);
        SetGroupStride(4);
        break;
    default:
        if (type > 50)
            SetDefaultStrides();
        else {
            SetIndexStride(1);
            SetGroupStride(1);
        }
        break;
    }

    m_valueDataRange.Reset();
    m_indexDataRange.Reset();
    ComputeDataRanges();

    // A range of no width is widened before anything divides by it.
    for (CScale* pRange : {&m_valueDataRange, &m_indexDataRange}) {
        if (pRange->GetRange() != 0)
            continue;
        if (pRange->m_dMin != 0) {
            pRange->Include(1.01 * pRange->m_dMax);
        } else {
            pRange->Include(0.0);
            pRange->Include(1.0);
        }
    }
    ComputeAxisRanges();
    m_bPrepared = 1;
}

void QVGDisplayBase::ComputeAxisRanges()
{
    const bool valueDates = IsValueDates();
    const bool indexDates = IsIndexDates();
    const double valueMargin = GetValueMargin();
    const double indexMargin = GetIndexMargin();
    const bool valueLog = IsValueLog();
    const bool indexLog = IsIndexLog();
    const bool keepZeroOut = GetOption(optionKeepZeroOut) != 0;
    auto logSpan = [](const CScale& r) {
        return (r.m_dMin > 0 && r.m_dMax > 0) ? std::log10(r.m_dMax) - std::log10(r.m_dMin) : 0.0;
    };
    // A data range rounded out to whole decades or steps (from zero unless kept out); gives its span.
    auto roundDataRange = [&](CScale& range, bool log, bool dates, double margin) {
        if (log) {
            NiceLogRange(range, TRUE);
            return logSpan(range);
        }
        if (!keepZeroOut)
            range.Include(0.0);
        if (dates)
            NiceDateRange(range, margin);
        else
            NiceLinearRange(range, margin);
        return range.GetRange();
    };
    // An axis range is rounded again only when its width is not its data range's; gives its span.
    auto roundAxisRange = [&](CScale& axis, const CScale& data, bool log, bool dates) {
        if (log) {
            NiceLogRange(axis, FALSE);
            return logSpan(axis);
        }
        if (axis.GetRange() != data.GetRange()) {
            if (dates)
                NiceDateRange(axis, 1.0);
            else
                NiceLinearRange(axis, 1.0);
        }
        return axis.GetRange();
    };

    if (!GetOption(optionFixedRanges)) {
        m_dValueAxisSpan = roundDataRange(m_valueDataRange, valueLog, valueDates, valueMargin);
        m_dIndexAxisSpan = roundDataRange(m_indexDataRange, indexLog, indexDates, indexMargin);
    } else {
        if (valueLog)
            NiceLogRange(m_valueDataRange, FALSE);
        if (GetAxisOption(axisLogIndex))
            NiceLogRange(m_indexDataRange, FALSE);
        m_dValueAxisSpan = valueLog ? logSpan(m_valueDataRange) : m_valueDataRange.GetRange();
        m_dIndexAxisSpan = GetAxisOption(axisLogIndex) ? logSpan(m_indexDataRange) : m_indexDataRange.GetRange();
    }

    if (!UsesAxisRanges(GetGraphType())) {
        m_valueAxisRange.Reset();
        m_indexAxisRange.Reset();
        return;
    }
    if (m_valueAxisRange.IsEmpty()) {
        m_valueAxisRange = m_valueDataRange;
        m_bValueAxisAutomatic = 1;
    }
    if (m_indexAxisRange.IsEmpty()) {
        m_indexAxisRange = m_indexDataRange;
        m_bIndexAxisAutomatic = 1;
    }
    m_dValueAxisSpan = roundAxisRange(m_valueAxisRange, m_valueDataRange, valueLog, valueDates);
    m_dIndexAxisSpan = roundAxisRange(m_indexAxisRange, m_indexDataRange, indexLog, indexDates);
}

void QVGDisplayBase::ChooseRenderers()
{
    if (m_pChart == NULL)
        return;
    m_pChart->SaveClip();
    const int half = m_style.m_nLineWidth / 2 + 1;
    const int extra = GetGraphType() == 1 ? int(GetDeviceScaleY(m_pDC) * 10 + 0.5) : 0;
    m_pChart->ClipToRect(m_rectPlot.left - extra - half, m_rectPlot.top - half, m_rectPlot.right + 1 + extra + half,
                         m_rectPlot.bottom + 1 + half, RGN_AND);
    try {
        DrawGraphOfType(GetGraphType());
    } catch (...) {
        m_pChart->RestoreClip();
        throw;
    }
    m_pChart->RestoreClip();
}

void QVGDisplayBase::ChoosePlotArea()
{
    const int axisStyle = GetAxisStyle();
    DrawPlotAreaOfStyle(axisStyle, GetGraphType());
    // Without axes (style 0) or as a pie (style 9) there is no value axis for a limit to lie on.
    if (axisStyle != 0 && axisStyle != 9)
        DrawWatchers();
}

void QVGDisplayBase::DrawWatchers()
{
    if (m_pChart == NULL || m_pDC == NULL)
        return;
    CObList* pList = m_pChart->GetComponentList();
    POSITION pos = pList->Find(this);
    if (pos == NULL)
        return;
    pList->GetPrev(pos);
    while (pos != NULL) {
        CObject* pObject = pList->GetPrev(pos);
        if (!pObject->IsKindOf(RUNTIME_CLASS(QVGDataWatcher)))
            break;
        QVGDataWatcher* pWatcher = static_cast<QVGDataWatcher*>(pObject);
        m_pChart->SaveClip();
        try {
            m_pChart->ClipToRect(m_rectPlot.left, m_rectPlot.top, m_rectPlot.right + 1, m_rectPlot.bottom + 1, RGN_AND);
            pWatcher->SetExtentRect(m_rectPlot);
            pWatcher->SetDrawContent(1);
            pWatcher->SetDrawContext(m_pDC, m_pView);
            pWatcher->m_indexDataRange = m_indexDataRange;
            pWatcher->m_valueDataRange = m_valueDataRange;
            QVGraphStyle* pStyle = pWatcher->GetStyle();
            pStyle->m_nLineStyle = (pStyle->m_nLineStyle & 0x0000FFFF) | (m_style.m_nLineStyle & int(0xFFFF0000u));
            pStyle->m_bModified = 1;
            pWatcher->DrawContent();
            pWatcher->SetDrawContent(0);
            pWatcher->EndDrawing();
        } catch (...) {
            pWatcher->EndDrawing();
            m_pChart->RestoreClip();
            throw;
        }
        m_pChart->RestoreClip();
    }
}

void QVGDisplayBase::ChooseScales()
{
    DrawScalesOfStyle(GetAxisStyle(), GetGraphType());
}

void QVGDisplayBase::DrawNoGraph()
{
    if (!GetOption(optionNoGraphPicture) || m_pDC == NULL)
        return;
    CBitmap picture;
    if (!LoadChartBitmap(picture, UINT(IDB_QVG_NO_GRAPH)))
        return;
    BITMAP info;
    picture.GetBitmap(&info);
    CDC memory;
    memory.CreateCompatibleDC(m_pDC);
    CBitmap* pOld = memory.SelectObject(&picture);
    const CPoint centre = m_rectPlot.CenterPoint();
    m_pDC->BitBlt(centre.x - info.bmWidth / 2, centre.y - info.bmHeight / 2, info.bmWidth, info.bmHeight, &memory, 0,
                  0, SRCCOPY);
    memory.SelectObject(pOld);
}

void QVGDisplayBase::DrawContent()
{
    if (!m_bVisible || m_pDC == NULL)
        return;
    if (m_style.m_bModified) {
        DiscardScales();
        m_style.m_bModified = 0;
    }
    m_rectWork1.SetRectEmpty();
    m_rectWork2.SetRectEmpty();
    if (!GetOption(optionFixedPlotRect))
        m_rectPlot = m_rect.ToDeviceRect(m_pDC, m_pView);
    RebuildFontIfStale();
    if (!m_bPrepared) {
        m_bValueAxisAutomatic = 0;
        m_bIndexAxisAutomatic = 0;
        PrepareDisplay();
    }
    m_bPrepared = 0;
    if (!GetOption(optionFixedPlotRect))
        m_rectPlot = GetInnerRect(m_rectPlot);

    // Automatic axis ranges are put back whatever ends the drawing, so the next one computes them anew.
    auto finish = [this] {
        if (m_bIndexAxisAutomatic)
            m_indexAxisRange.Reset();
        if (m_bValueAxisAutomatic)
            m_valueAxisRange.Reset();
    };
    try {
        if (m_rectPlot.Width() > 1 && m_rectPlot.Height() > 1) {
            const bool frame = !GetOption(optionNoFrame);
            if (frame)
                ChooseScales();
            if (m_rectPlot.Width() >= 2 && m_rectPlot.Height() >= 2) {
                if (GetOption(optionPlotAreaLast)) {
                    ChooseRenderers();
                    if (frame)
                        ChoosePlotArea();
                } else {
                    if (frame)
                        ChoosePlotArea();
                    ChooseRenderers();
                }
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    m_drawnValueAxisRange = m_valueAxisRange;
    m_drawnIndexAxisRange = m_indexAxisRange;
    finish();
}
