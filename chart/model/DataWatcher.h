// A data watcher: watches the data of a display against an upper and a lower limit, marks the items
// that break its condition (so that they are drawn highlighted), tells through two hooks whether the
// condition holds, and draws its limits as lines across the plot area of the display it stands before.
#pragma once

#include "chart/model/GridLines.h"

class QVGDisplayBase;

class QVGDataWatcher : public QVGGridLines
{
    DECLARE_SERIAL(QVGDataWatcher)
public:
    // Conditions; any other value holds.
    enum {
        conditionAboveUpper = 0,
        conditionBelowLower = 1,
        conditionMeanAboveUpper = 2,
        conditionMeanBelowLower = 3,
        conditionInsideBand = 4,
        conditionOutsideBand = 5,
        conditionMeanOutsideBand = 6,
        conditionMeanInsideBand = 7
    };
    // The highlight nibble of a marked item.
    enum { markHighlight = 3 };

    QVGDataWatcher();
    ~QVGDataWatcher() override;

    void Serialize(CArchive& ar) override;
    // Evaluates in a pass of the chart; draws the limit lines only while the draw-content flag is set.
    void Draw(CDC* pDC, CWnd* pView) override;
    void DrawContent() override;
    LPCTSTR GetTemplateKeyword() override;

    virtual void OnWatchedValue(double value);
    virtual void UnmarkItem(int nIndex, int nGroup);
    virtual void OnItemMarked(int nIndex, int nGroup);
    virtual void SetCondition(int nCondition);
    virtual int GetCondition();
    virtual void SetFollowDisplay(int bFollow);
    virtual int GetFollowDisplay();
    virtual void SetUpperLimit(double limit);
    virtual void SetLowerLimit(double limit);
    virtual double GetUpperLimit();
    virtual double GetLowerLimit();
    virtual void SetDrawContent(int bDraw);
    virtual int IsDrawContent();
    virtual void DrawCustom();
    // Data limits and strides of the followed display (or the watcher's own); returns the index count.
    virtual int ComputeDataLimits();
    virtual void MarkItem(int nIndex, int nGroup);
    virtual void OnConditionBroken();
    virtual void OnConditionHolds();
    // Runs the condition and the hook its result calls; returns the result (1 holds).
    virtual int Evaluate();
    virtual int CheckAboveUpper();
    virtual int CheckBelowLower();
    virtual int CheckMeanAboveUpper();
    virtual int CheckMeanBelowLower();
    virtual int CheckInsideBand();
    virtual int CheckOutsideBand();
    virtual int CheckMeanOutsideBand();
    virtual int CheckMeanInsideBand();
    virtual int CheckNone();

    // The points the limit lines were drawn through last.
    const QVGAnchorList& GetLimitPoints() const { return m_limitPoints; }

protected:
    // The display the watcher follows: the first display after it, over further watchers only.
    QVGDisplayBase* FindFollowedDisplay();
    // Visits the watched items' values in order; returns how many were visited.
    template <class Visit>
    int ForEachWatchedItem(Visit visit);
    // Marks the items for which the test holds and unmarks the others; 0 when any was marked, else 1.
    template <class Test>
    int MarkItemsWhere(Test test);
    // The mean of the watched values; FALSE when none was visited.
    BOOL GetMean(double& mean);
    // The limit's point on the extent rectangle by the value range; FALSE when it lies outside.
    BOOL PlaceLimit(double limit);

public:
    int m_bDrawContent;
    int m_bFollowDisplay;
    double m_dUpperLimit;
    double m_dLowerLimit;
    int m_nCondition;
    QVGAnchorList m_limitPoints;
};
