// One data item of a group: its value, the range of every value it has held, its style and texts.
#pragma once

#include "chart/model/GraphAnnotation.h"
#include "chart/model/GraphStyle.h"
#include "chart/model/RangeRecord.h"

class QVGraphData : public CObject
{
    DECLARE_SERIAL(QVGraphData)
public:
    QVGraphData();

    void Serialize(CArchive& ar) override;

    virtual QVGraphStyle* GetStyle();
    virtual void SetNull(BOOL bNull);
    virtual BOOL IsNull();
    // log10 of the value; -99 for 0 or less.
    virtual double GetLogValue();
    // Value 0 and an empty range.
    virtual void Reset();
    virtual CScale GetValueRange();
    virtual BOOL IsDynamic();
    virtual const CString& GetAnnotationText(int nIndex);
    virtual double GetValue(BOOL bLog = FALSE);
    // Stores the value, widens the range and clears the null flag.
    virtual void SetValue(double value);
    virtual void SetAnnotationText(LPCTSTR lpszText, BOOL bClearFirst, int nIndex);
    virtual void SetAnnotation(int nIndex, LPCTSTR lpszText);
    virtual QVGraphAnnotationList* GetAnnotations();
    virtual CScale* GetRangeRecord();

    // A data style: flag word bits 0, 2, 3 cleared and bit 1 set.
    static void MakeDataStyle(QVGraphStyle& style);

protected:
    CScale m_range;
    double m_dValue;
    QVGraphAnnotationList m_annotations;
    QVGraphStyle m_style;
    int m_bNull;
};

// What the data manager hands out for a missing item: null, value 0, deaf to every set operation.
class QVGraphDummyData : public QVGraphData
{
    DECLARE_SERIAL(QVGraphDummyData)
public:
    QVGraphDummyData();

    void SetNull(BOOL bNull) override;
    void SetValue(double value) override;
    void SetAnnotationText(LPCTSTR lpszText, BOOL bClearFirst, int nIndex) override;
    void SetAnnotation(int nIndex, LPCTSTR lpszText) override;
};
