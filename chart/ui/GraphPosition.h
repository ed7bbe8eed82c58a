// Where a point of a chart lies: which displays it hits (within 20 pixels of their plot rectangles) and
// which data value and data item it stands for in a display.
#pragma once

#include "chart/model/RangeRecord.h"
#include "framework/core/Geometry.h"
#include "framework/core/Lists.h"

class CWnd;
class QVGDisplayBase;
class QVGraph;

class QVGraphPosition : public CObject
{
    DECLARE_DYNAMIC(QVGraphPosition)
public:
    // The flags word.
    enum {
        kindMask = 0x0F,        // bits 0-3: the hit kind
        value1Valid = 0x10,
        value2Valid = 0x20,
        indexValid = 0x40,      // the first data coordinate
        groupValid = 0x80,      // the second data coordinate
        modeShift = 16,         // bits 16-19: the coordinate mode
        modeMask = 0xF0000
    };
    enum Kind { hitNothing = 0, hitOne = 1, hitSeveral = 2 };
    // How a zoom band is shaped in the display: a strip across the index axis, a strip across the
    // vertical axis, a rectangle, a web sector, a polar sector.
    enum Mode { modeIndexStrip = 0, modeVerticalStrip = 1, modeRectangle = 2, modeWeb = 3, modePolar = 4 };
    // How far outside its plot rectangle a point still hits a display.
    enum { hitMargin = 20 };

    // Hits every display of the chart (component type 53528) at the client point of pView.
    QVGraphPosition(QVGraph* pChart, int x, int y, CWnd* pView);
    ~QVGraphPosition() override;
    QVGraphPosition(const QVGraphPosition&) = delete;
    QVGraphPosition& operator=(const QVGraphPosition&) = delete;

    int HitKind() const { return m_nFlags & kindMask; }
    // Keeps the other bits of the flags word.
    void SetKind(int nKind) { m_nFlags = (m_nFlags & ~kindMask) | (nKind & kindMask); }
    BOOL IsValue1Valid() const { return (m_nFlags & value1Valid) != 0; }
    BOOL IsValue2Valid() const { return (m_nFlags & value2Valid) != 0; }
    BOOL IsIndexValid() const { return (m_nFlags & indexValid) != 0; }
    BOOL IsGroupValid() const { return (m_nFlags & groupValid) != 0; }
    int CoordinateMode() const { return (m_nFlags & modeMask) >> modeShift; }
    int GetFlags() const { return m_nFlags; }

    // The displays hit: one for kind 1, the list's length for kind 2.
    int GetDisplayCount() const;
    // The display of a kind-1 hit, or the i-th display of a kind-2 hit, with the values and coordinates
    // resolved again in it; NULL when there is none.
    QVGDisplayBase* Display(int i = 0);
    // The values and data coordinates of the point in the display (any display of the chart).
    void ResolveIn(QVGDisplayBase* pDisplay);

    // Value 1 is read along the value axis (vertical for most types), value 2 along the other axis.
    double GetValue1() const { return m_dValue1; }
    double GetValue2() const { return m_dValue2; }
    void SetValue1(double value) { m_dValue1 = value; m_nFlags |= value1Valid; }
    void SetValue2(double value) { m_dValue2 = value; m_nFlags |= value2Valid; }
    int GetIndex() const { return m_nIndex; }
    int GetGroup() const { return m_nGroup; }
    void SetIndex(int nIndex) { m_nIndex = nIndex; m_nFlags |= indexValid; }
    void SetGroup(int nGroup) { m_nGroup = nGroup; m_nFlags |= groupValid; }
    void SetCoordinateMode(int nMode) { m_nFlags = (m_nFlags & ~modeMask) | ((nMode << modeShift) & modeMask); }
    QVGraph* GetChart() const { return m_pChart; }
    CPoint GetPoint() const { return m_point; }
    CWnd* GetView() const { return m_pView; }

protected:
    // For graph types the table does not know; resolves nothing here.
    virtual void ResolveOtherType(QVGDisplayBase* pDisplay, int nGraphType);

    int m_nFlags;
    QVGDisplayBase* m_pDisplay;   // kind 1
    CObList* m_pDisplays;         // kind 2, owned (the displays are the chart's)
    QVGraph* m_pChart;
    double m_dValue1;
    double m_dValue2;
    int m_nIndex;
    int m_nGroup;
    CPoint m_point;
    CWnd* m_pView;
};

// A value at offset device units along an extent of a range: linear, or in decades on a logarithmic axis
// (a minimum of 0 or less taken as 0.001, as the scatter renderer draws it).
double ValueAlongRange(double offset, double extent, const CScale& range, bool bLog);
// The range a display showed along its value axis and along its index axis at its last drawing: the
// drawn axis range, or the data range for types that keep no axis range.
CScale ShownValueRangeOf(QVGDisplayBase* pDisplay);
CScale ShownIndexRangeOf(QVGDisplayBase* pDisplay);
// The rectangle the display's data lies in: its plot rectangle less the depth of the three-dimensional
// axis styles.
CRect DataRectOf(QVGDisplayBase* pDisplay);
