// One side of a compound display: a compound component of six fixed places (scale, tick marks, grid
// lines, data watcher, display, axis label) and the line its axis runs along. An empty place holds a
// placeholder component and its getter returns none.
#pragma once

#include "chart/model/CompoundComponent.h"

class QVGDataWatcher;
class QVGDecimalScale;
class QVGDisplayBase;
class QVGGridLines;
class QVGraphLabel;
class QVGTickMarks;

class QVGAxisManager : public QVGCompoundComponent
{
    DECLARE_SERIAL(QVGAxisManager)
public:
    enum Place {
        placeScale = 0,
        placeTickMarks = 1,
        placeGridLines = 2,
        placeWatcher = 3,
        placeDisplay = 4,
        placeAxisLabel = 5,
        placeCount = 6
    };

    QVGAxisManager();
    ~QVGAxisManager() override;

    void Serialize(CArchive& ar) override;
    // The limits go to every sub-component.
    void SetDataRange(int nMinIndex, int nMaxIndex, int nMinGroup, int nMaxGroup) override;

    // Prepares the scale, tick marks and grid lines for drawing: line, strides, label gap, labels, anchors.
    virtual void LayoutAxis();
    virtual void LayoutAxisAgain();
    // Each puts a new placeholder into its place and clears its flag; bDelete FALSE hands the old
    // sub-component back (no longer held by a compound), TRUE deletes it. An empty place gives none.
    virtual QVGraphComponent* RemoveTickMarks(BOOL bDelete);
    virtual QVGraphComponent* RemoveGridLines(BOOL bDelete);
    virtual QVGraphComponent* RemoveWatcher(BOOL bDelete);
    virtual QVGraphComponent* RemoveScale(BOOL bDelete);
    virtual QVGraphComponent* RemoveDisplay(BOOL bDelete);
    virtual QVGraphComponent* RemoveAxisLabel(BOOL bDelete);
    virtual QVGGridLines* GetGridLines();
    virtual void SetGridLines(QVGGridLines* pGridLines);
    // An integer of the manager that the layout does not read.
    virtual void SetManagerOption(int nOption);
    virtual int GetManagerOption();
    // The side of the scale's labels and of the tick marks.
    virtual void SetLabelSide(int nSide);
    virtual void SetRangeMinimum(double value);
    virtual void SetRangeMaximum(double value);
    virtual QVGDataWatcher* GetWatcher();
    virtual QVGTickMarks* GetTickMarks();
    virtual QVGDecimalScale* GetScale();
    virtual QVGDisplayBase* GetDisplay();
    virtual QVGraphLabel* GetAxisLabel();
    // The room the axis needs beside the inner rectangle: labels, ticks and the axis label.
    virtual int GetRequiredWidth();
    virtual int GetRequiredHeight();
    // The display is drawn without a frame of its own and without ticks, grid lines or scales.
    virtual void SetDisplay(QVGDisplayBase* pDisplay);
    virtual void SetAxisStart(int x, int y);
    virtual void SetAxisEnd(int x, int y);
    virtual CPoint GetAxisStart();
    virtual CPoint GetAxisEnd();
    virtual void SetTickMarks(QVGTickMarks* pTickMarks);
    virtual void SetScale(QVGDecimalScale* pScale);
    virtual void SetWatcher(QVGDataWatcher* pWatcher);
    virtual void SetAxisLabel(QVGraphLabel* pLabel);

    BOOL IsPresent(int nPlace) const { return nPlace >= 0 && nPlace < placeCount && m_bPresent[nPlace]; }

protected:
    // The sub-component in a place, NULL beyond the list.
    QVGraphComponent* PlaceAt(int nPlace);
    void SetPlace(int nPlace, QVGraphComponent* pComponent);
    QVGraphComponent* RemovePlace(int nPlace, BOOL bDelete);
    static QVGraphComponent* NewPlaceholder();
    // How far the axis label's outline spreads along the device's x axis (bHorizontal) or its y axis.
    int AxisLabelSpread(bool bHorizontal);

    int m_bPresent[placeCount];
    CPoint m_ptEnd;
    CPoint m_ptStart;
    int m_nManagerOption;
};
