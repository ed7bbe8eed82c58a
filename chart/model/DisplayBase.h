// The base of every chart display: the component that draws a chart's data inside a plot rectangle with
// the scales around it and the plot area behind it. It prepares every drawing (data limits, strides, data
// ranges, rounded axis ranges) and runs the drawing through three selectors whose operations the chart
// display supplies.
#pragma once

#include "chart/model/GraphTitle.h"
#include "chart/model/RangeRecord.h"
#include "framework/core/Lists.h"

class QVGraphLabelBlock;

class QVGDisplayBase : public QVGraphTitle
{
    DECLARE_SERIAL(QVGDisplayBase)
public:
    // Bits of the option word that the display reads.
    enum {
        optionNoFrame = 1,
        optionCombineRanges = 2,
        optionFirstLabelsTurned = 5,
        optionSecondLabelsTurned = 4,
        optionFixedPlotRect = 7,
        optionPlotAreaLast = 8,
        optionNoValueTicks = 11,
        optionNoIndexTicks = 12,
        optionKeepZeroOut = 13,
        optionNoValueGrid = 15,
        optionNoIndexGrid = 16,
        optionBreakAtNull = 18,
        optionEqualUnits = 21,
        optionNoFirstScale = 23,
        optionNoSecondScale = 24,
        optionNoGraphPicture = 25,
        optionFixedRanges = 26,
        optionLogValues = 27,
        optionFillPlotArea = 29
    };
    // Bits of the axis option word.
    enum { axisOwnLimits = 27, axisAlternateLabels = 30, axisLogIndex = 31 };

    QVGDisplayBase();
    ~QVGDisplayBase() override;

    void Serialize(CArchive& ar) override;
    void DrawContent() override;
    // An automatic text height: minus the plot rectangle's height / 25.
    int GetFontSize() override;
    // Template: the title fields, then axis style, graph type, label option mask and log flag.
    int ReadTemplateDetails(LPCTSTR lpszText) override;
    LPCTSTR GetTemplateKeyword() override;
    void WriteTemplateDetails(CStdioFile* pFile) override;

    virtual void SetValueAxisAutomatic(int bAutomatic);
    virtual int IsValueAxisAutomatic();
    virtual void SetIndexAxisAutomatic(int bAutomatic);
    virtual int IsIndexAxisAutomatic();
    // Data limits, strides, data ranges and axis ranges; once per drawing.
    virtual void PrepareDisplay();
    virtual void SetIndexScale(QVGraphComponent* pScale);
    virtual QVGraphComponent* GetIndexScale();
    virtual void SetValueScale(QVGraphComponent* pScale);
    virtual QVGraphComponent* GetValueScale();
    virtual void SetLabelBlock(QVGraphComponent* pBlock);
    virtual QVGraphComponent* GetLabelBlock();
    virtual double GetValueAxisSpan();
    virtual double GetIndexAxisSpan();
    virtual void DiscardScales();
    virtual void SetIndexAxisRange(const CScale& range);
    virtual void SetValueAxisRange(const CScale& range);
    virtual CScale GetIndexAxisRange();
    virtual CScale GetValueAxisRange();
    virtual void ResetIndexAxisRange();
    virtual void ResetValueAxisRange();
    virtual CRect GetPlotRect();
    virtual double GetFixedValueMin();
    virtual double GetFixedValueMax();
    virtual void SetFixedValueMin(double value);
    virtual void SetFixedValueMax(double value);
    virtual double GetFixedIndexMin();
    virtual double GetFixedIndexMax();
    virtual void SetFixedIndexMin(double value);
    virtual void SetFixedIndexMax(double value);
    // Stores the rectangle; bFixed sets option bit 7 (the rectangle is not recomputed per drawing).
    virtual void SetPlotRect(int left, int top, int right, int bottom, int bFixed);
    virtual void SetDrawnValueAxisRange(const CScale& range);
    virtual CScale GetDrawnValueAxisRange();
    virtual void SetDrawnIndexAxisRange(const CScale& range);
    virtual CScale GetDrawnIndexAxisRange();
    virtual void ChooseRenderers();
    virtual void ChoosePlotArea();
    virtual void ChooseScales();
    virtual void DrawNoGraph();
    virtual CObList* GetOwnedList2();
    virtual CObList* GetOwnedList1();
    virtual CObList* GetOwnedList3();
    virtual void DeleteListObjects(CObList* pList);
    virtual double GetValueMargin();
    virtual double GetIndexMargin();
    // "%g" texts of 0, step, 2 step, ... up to the value axis span; chart error 18 outside drawing.
    virtual void FillValueLabels(double step, CStringList& labels);
    virtual double GetValueUnit();
    virtual void ComputeAxisRanges();
    virtual void NiceLinearRange(CScale& range, double margin);
    virtual void NiceLogRange(CScale& range, BOOL bWholeDecades);
    virtual void NiceDateRange(CScale& range, double margin);
    virtual void SetDefaultStrides();
    virtual void ComputeDefaultRanges();

    // Hooks the chart display fills (empty here).
    virtual void ComputeDataRanges();
    virtual void DrawGraphOfType(int nGraphType);
    virtual void DrawPlotAreaOfStyle(int nAxisStyle, int nGraphType);
    virtual void DrawScalesOfStyle(int nAxisStyle, int nGraphType);

    double GetValueScaleStep() const { return m_dFirstScaleStep; }
    double GetIndexScaleStep() const { return m_dSecondScaleStep; }
    void SetValueScaleStep(double step) { m_dFirstScaleStep = step; }
    void SetIndexScaleStep(double step) { m_dSecondScaleStep = step; }
    CString& GetValueScaleFormat() { return m_strFirstScaleFormat; }
    CString& GetIndexScaleFormat() { return m_strSecondScaleFormat; }

    int GetGraphType() { return m_style.GetGraphType(); }
    void SetGraphType(int nType) { m_style.SetGraphType(nType); }
    int GetAxisStyle() { return m_style.GetAxisStyle(); }
    void SetAxisStyle(int nStyle) { m_style.SetAxisStyle(nStyle); }
    BOOL GetOption(int nBit) { return m_style.GetOption(nBit); }
    void SetOption(int nBit, BOOL bSet) { m_style.SetOption(nBit, bSet); }
    BOOL GetAxisOption(int nBit) { return m_style.GetAxisOption(nBit); }
    void SetAxisOption(int nBit, BOOL bSet) { m_style.SetAxisOption(nBit, bSet); }
    // Log flags of the two ranges as the range rounding reads them.
    bool IsValueLog();
    bool IsIndexLog();
    CScale& ValueDataRange() { return m_valueDataRange; }
    CScale& IndexDataRange() { return m_indexDataRange; }
    // The scales-flag nibble (bits 4-7 of the further flag word): all clear hides classic and scatter scales.
    int GetScaleFlags() const { return m_nScaleFlags; }
    void SetScaleFlags(int nFlags) { m_nScaleFlags = nFlags; }
    int GetCurrentSeries() const { return m_nCurrentSeries; }
    void SetCurrentSeries(int nSeries) { m_nCurrentSeries = nSeries; }
    BOOL GetIncludeHistory() const { return m_bIncludeHistory; }
    void SetIncludeHistory(BOOL bInclude) { m_bIncludeHistory = bInclude; }

protected:
    bool IsValueDates();
    bool IsIndexDates();
    // The data watchers that stand right before the display in the chart's list, drawn as limit lines
    // across the plot rectangle (nearest first).
    void DrawWatchers();
    // The scales, label block and owned lists, deleted.
    void DeleteOwnedParts();

public:
    CScale m_valueAxisRange;
    CScale m_indexAxisRange;
    double m_dFixedValueMin;
    double m_dFixedValueMax;
    double m_dValueAxisSpan;
    double m_dFixedIndexMin;
    double m_dFixedIndexMax;
    double m_dIndexAxisSpan;
    QVGraphComponent* m_pIndexScale;
    QVGraphComponent* m_pValueScale;
    QVGraphComponent* m_pLabelBlock;
    CObList m_ownedList1;
    CObList m_ownedList2;
    CObList m_ownedList3;
    CRect m_rectWork1;
    CRect m_rectWork2;
    CRect m_rectPlot;
    int m_nScalesDiscarded;
    int m_bPrepared;
    int m_bValueAxisAutomatic;
    int m_bIndexAxisAutomatic;
    double m_dFirstScaleStep;
    double m_dSecondScaleStep;
    CString m_strFirstScaleFormat;
    CString m_strSecondScaleFormat;
    CString m_strThird;
    CScale m_drawnValueAxisRange;
    CScale m_drawnIndexAxisRange;
    int m_nScaleFlags;
    int m_nCurrentSeries;
    BOOL m_bIncludeHistory;
};
