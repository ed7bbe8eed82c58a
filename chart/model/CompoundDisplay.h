// A compound display: up to four displays laid out against four shared axes, one axis manager on each
// side (bottom, top, left, right) of an inner plot rectangle, with optional secondary value and index
// axes whose values are the primary ones times a factor or passed through a conversion.
#pragma once

#include "chart/model/CompoundComponent.h"
#include "chart/model/LabelBlock.h"

class QVGAxisManager;
class QVGDataWatcher;
class QVGDecimalScale;
class QVGDisplayBase;
class QVGGridLines;
class QVGTickMarks;

class QVGCompoundDisplay : public QVGCompoundComponent
{
    DECLARE_SERIAL(QVGCompoundDisplay)
public:
    enum Side { sideBottom = 0, sideTop = 1, sideLeft = 2, sideRight = 3, sideCount = 4 };

    QVGCompoundDisplay();
    ~QVGCompoundDisplay() override;

    void Serialize(CArchive& ar) override;
    // Adjusts the held displays to graph types that suit shared axes, then draws in two passes: the
    // first lays the axes out and fits the inner rectangle, the second draws the axis managers.
    void Draw(CDC* pDC, CWnd* pView) override;
    void DrawContent() override;

    // Ranges, lines and settings of the four axis managers.
    virtual void LayoutAxes();
    // LayoutAxes, then the data watchers get the inner rectangle.
    virtual void LayoutAndPlace();
    // Shrinks the inner rectangle by the room the axes need (not while the pass mark is set, nor when
    // the rectangle is fixed); a rectangle the axes would turn inside out collapses to its middle line.
    virtual void FitInnerRect();
    virtual void SetInnerRect(int left, int top, int right, int bottom, int bFixed);
    // A primary axis value as the secondary axis shows it; the value itself here.
    virtual double ConvertSecondaryValue(double value);
    virtual double ConvertSecondaryIndex(double value);
    virtual void SetSecondaryIndexAxis(int bOn);
    virtual void SetSecondaryValueAxis(int bOn);
    virtual void SetSecondaryIndexSide(int nSide);
    virtual void SetValueSide(int nSide);
    virtual void SetSecondaryIndexFactor(double factor);
    virtual void SetSecondaryValueFactor(double factor);
    virtual int GetSecondaryIndexAxis();
    virtual int GetSecondaryValueAxis();
    virtual int GetSecondaryIndexSide();
    virtual int GetValueSide();
    virtual double GetSecondaryIndexFactor();
    virtual double GetSecondaryValueFactor();
    // Gives the list to the manager's scale (as its anchor points) and to its tick marks.
    virtual void AttachAnchorList(QVGAxisManager* pManager, QVGAnchorList* pList);
    virtual void AttachBottomAnchors();
    virtual void AttachTopAnchors();
    virtual void AttachLeftAnchors();
    virtual void AttachRightAnchors();
    // The n-th sub-component of the compound; none when the list is shorter or it is no axis manager.
    virtual QVGAxisManager* GetBottomAxis();
    virtual QVGAxisManager* GetTopAxis();
    virtual QVGAxisManager* GetLeftAxis();
    virtual QVGAxisManager* GetRightAxis();
    virtual void SetBottomScale(QVGDecimalScale* pScale);
    virtual void SetTopScale(QVGDecimalScale* pScale);
    virtual void SetLeftScale(QVGDecimalScale* pScale);
    virtual void SetRightScale(QVGDecimalScale* pScale);
    virtual void SetLeftGridLines(QVGGridLines* pGridLines);
    virtual void SetRightGridLines(QVGGridLines* pGridLines);
    virtual void SetBottomGridLines(QVGGridLines* pGridLines);
    virtual void SetTopGridLines(QVGGridLines* pGridLines);
    virtual void SetBottomTickMarks(QVGTickMarks* pTickMarks);
    virtual void SetTopTickMarks(QVGTickMarks* pTickMarks);
    virtual void SetLeftTickMarks(QVGTickMarks* pTickMarks);
    virtual void SetRightTickMarks(QVGTickMarks* pTickMarks);
    virtual void SetBottomDisplay(QVGDisplayBase* pDisplay);
    virtual void SetTopDisplay(QVGDisplayBase* pDisplay);
    virtual void SetLeftDisplay(QVGDisplayBase* pDisplay);
    virtual void SetRightDisplay(QVGDisplayBase* pDisplay);
    virtual void SetBottomWatcher(QVGDataWatcher* pWatcher);
    virtual void SetTopWatcher(QVGDataWatcher* pWatcher);
    virtual void SetLeftWatcher(QVGDataWatcher* pWatcher);
    virtual void SetRightWatcher(QVGDataWatcher* pWatcher);
    virtual void SetIndexSide(int nSide);
    virtual int GetIndexSide();

    QVGAxisManager* GetAxis(int nSide);
    BOOL IsInnerRectFixed() { return m_style.GetOption(7); }

protected:
    // Pies, webs and polar charts become vertical bars, the isometric charts 3D bars.
    void AdjustHeldDisplays();
    // The depth of the 3D displays in device units, and whether a display is drawn in three dimensions.
    CSize DepthOffset();
    static bool IsThreeD(QVGDisplayBase* pDisplay);
    // Hands a manager a range, the display's limits and strides, and its axis line along its side.
    void FeedAxis(int nSide, double low, double high, QVGDisplayBase* pDisplay, bool bThreeD);
    void PlaceAxisLabels();

    QVGAnchorList m_anchors[sideCount];
    int m_nValueSide;
    int m_nSecondaryIndexSide;
    int m_nIndexSide;
    int m_bSecondaryIndexAxis;
    int m_bSecondaryValueAxis;
    double m_dSecondaryIndexFactor;
    double m_dSecondaryValueFactor;
};
