// Tick marks that follow an axis scale: one major stroke per anchor point of the scale and minor strokes
// between and beyond them, perpendicular to the axis.
#pragma once

#include "chart/model/GraphComponent.h"
#include "chart/model/LabelBlock.h"

class QVGTickMarks : public QVGraphComponent
{
    DECLARE_SERIAL(QVGTickMarks)
public:
    QVGTickMarks();
    ~QVGTickMarks() override;

    void Serialize(CArchive& ar) override;
    void Draw(CDC* pDC, CWnd* pView) override;
    void DrawContent() override;

    // Moves both points of a scale's line past the ticks (by the longer of major and minor length).
    virtual void OffsetByTickLength(CPoint& p1, CPoint& p2);
    // The point moved by length along the angle (radians, screen y down).
    virtual CPoint OffsetPoint(int x, int y, int nLength, double angle);
    virtual void DrawTick(int x, int y, int nLength, double angle, int nWidth, COLORREF crColor);
    virtual void SetMinorCount(int nCount);
    virtual int GetMinorCount();
    virtual void SetMinorColour(COLORREF crColor);
    virtual COLORREF GetMinorColour();
    virtual void SetMajorColour(COLORREF crColor);
    virtual COLORREF GetMajorColour();
    virtual void SetMajorWidth(int nWidth);
    virtual int GetMajorWidth();
    virtual void SetMinorWidth(int nWidth);
    virtual int GetMinorWidth();
    // The anchor list of the scale the marks follow; not owned.
    virtual void SetScaleSource(QVGAnchorList* pAnchors);
    virtual QVGAnchorList* GetScaleSource();
    // 0: marks point to the axis angle minus 90 degrees, otherwise plus 90.
    virtual void SetSide(int nSide);
    virtual int GetSide();
    virtual void SetTickSize(int nLength);
    virtual int GetTickSize();
    virtual void SetMinorRatio(double ratio);
    virtual double GetMinorRatio();
    virtual void SetExtentRect(const CRect& rect);
    virtual CRect GetExtentRect();

    int GetMinorLength() const { return int(m_nMajorLength * m_dMinorRatio + 0.5); }

public:
    int m_nMinorWidth;
    int m_nMajorWidth;
    COLORREF m_crMinor;
    COLORREF m_crMajor;
    int m_nSide;
    int m_nMajorLength;
    double m_dMinorRatio;
    QVGAnchorList* m_pAnchors;
    CRect m_rectExtent;
    int m_nMinorCount;
};
