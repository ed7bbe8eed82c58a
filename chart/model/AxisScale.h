// Axis scales: label blocks whose labels are generated from numbers along an axis line in device pixels.
// Decimal (linear), logarithmic (decades), date, index (one label per data index) and group scales.
#pragma once

#include "chart/model/LabelBlock.h"

#include <string>

class QVGDecimalScale : public QVGraphLabelBlock
{
    DECLARE_SERIAL(QVGDecimalScale)
public:
    // Bits of the scale's option word.
    enum { optionThousands = 18, optionFixedAngle = 31, optionVerticalLabels = 29 };

    QVGDecimalScale();
    ~QVGDecimalScale() override;

    void Serialize(CArchive& ar) override;
    void GenerateLabels() override;

    virtual CPoint GetLabelShift();
    // The gap between the axis line and the labels, turned to the labels' side of the line.
    virtual CPoint GetLabelOffset();
    virtual void SetStartPoint(int x, int y);
    virtual void SetEndPoint(int x, int y);
    virtual void SetStep(double step);
    virtual void SetMax(double value);
    virtual void SetMin(double value);
    virtual void SetFormat(LPCTSTR lpszFormat);
    virtual void SetLabelSide(int nSide);
    virtual void SetAscending();
    virtual void SetDescending();
    virtual CPoint GetStartPoint();
    virtual CPoint GetEndPoint();
    virtual double GetStep();
    virtual double GetMax();
    virtual double GetMin();
    virtual CString GetFormat();
    virtual int GetLabelSide();
    virtual void OrientLabels();
    // Short exponents ("1e+005" -> "1e5"); thousands separators under option bit 18.
    virtual CString TidyNumberText(LPCTSTR lpszText);

    BOOL IsAscending() const { return m_bAscending; }
    // The label text of a value in a printf-style format of one double (Microsoft runtime texts).
    static CString FormatValue(const CString& format, double value);
    // A format that holds exactly one floating-point conversion and nothing a printf could misread.
    static bool IsSafeNumberFormat(const CString& format);

protected:
    // The common start of a generation: device context, range, axis length, font, factors and offset.
    struct Frame
    {
        double sx;
        double sy;
        CPoint offset;
        int axisLength;
        CFont* pOldFont;
    };
    // False when nothing is to be generated (labels removed for an empty range).
    bool BeginFrame(double low, double high, bool requireLength, Frame& frame);
    // Removes the labels from nUsed on, orients the labels, records anchors and restores the font.
    void EndFrame(const Frame& frame, int nUsed);
    int CurrentTextHeight(LPCTSTR lpszText);
    // Places label i at the line point start + offset + (dx, dy).
    void PlaceLabel(QVGraphLabel* pLabel, const Frame& frame, double dx, double dy);

public:
    int m_bAscending;
    CPoint m_ptStart;
    CPoint m_ptEnd;
    double m_dMin;
    double m_dMax;
    double m_dStep;             // 0 = automatic
    CString m_strFormat;        // empty = the scale's default
    int m_nLabelSide;
};

class QVGLogScale : public QVGDecimalScale
{
    DECLARE_SERIAL(QVGLogScale)
public:
    QVGLogScale();
    // Raises chart error 22 for an end of 0 or less.
    void GenerateLabels() override;
};

class QVGDateScale : public QVGDecimalScale
{
    DECLARE_SERIAL(QVGDateScale)
public:
    QVGDateScale();
    void GenerateLabels() override;

    // Dates as day counts since 30 December 1899 (fraction = time of day).
    virtual void SetMaxDate(double date);
    virtual void SetMinDate(double date);
    virtual void SetStepSpan(double days);

    // strftime over the date; "Invalid DateTime" outside the calendar.
    static CString FormatDate(const CString& format, double date);
    // The automatic step (days) for a range of r days with room for n labels.
    static double AutomaticStep(double rangeDays, int nLabels);
    // The default format for a range of r days.
    static const char* DefaultFormat(double rangeDays);
};

class QVGIndexScale : public QVGDecimalScale
{
    DECLARE_SERIAL(QVGIndexScale)
public:
    QVGIndexScale();

    void Serialize(CArchive& ar) override;
    void GenerateLabels() override;

    virtual int GetLabelsAtEdges();
    virtual void SetLabelsAtEdges(int n);

    // The label step k for c categories with room for f labels and a fixed step.
    static int LabelStep(int nCategories, int nFitting, double fixedStep);

protected:
    // Shared walk of index and group scales: texts by TextOf over [first, first + (c-1) x stride].
    void GenerateCategoryLabels(int nFirst, int nLast, int nStride, bool bGroups, int nTextGroup);
    // The strides of the chart display being drawn, when one is: its categories are the scale's.
    void TakeDisplayStrides();

public:
    int m_bLabelsAtEdges;
};

class QVGGroupScale : public QVGIndexScale
{
    DECLARE_SERIAL(QVGGroupScale)
public:
    QVGGroupScale();
    void GenerateLabels() override;
};
