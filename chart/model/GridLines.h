// Grid lines that follow an axis scale: one major line across the plot per anchor point of the scale and
// minor lines between and beyond them.
#pragma once

#include "chart/model/GraphComponent.h"
#include "chart/model/LabelBlock.h"

#include <vector>

class QVGGridLines : public QVGraphComponent
{
    DECLARE_SERIAL(QVGGridLines)
public:
    // Pen style of a user-defined dash pattern.
    enum { styleUserDash = 7 };

    QVGGridLines();
    ~QVGGridLines() override;

    void Serialize(CArchive& ar) override;
    void DrawContent() override;

    virtual void SetMajorDashCount(int nCount);
    virtual int GetMajorDashCount();
    virtual void SetMinorCount(int nCount);
    virtual int GetMinorCount();
    virtual void SetMinorPen(CPen* pPen);
    virtual void SetMajorPen(CPen* pPen);
    virtual void SetMajorDashArray(const DWORD* pDashes, int nCount);
    virtual void SetMinorDashArray(const DWORD* pDashes, int nCount);
    virtual CPen* GetMinorPen();
    virtual CPen* GetMajorPen();
    virtual const DWORD* GetMajorDashArray();
    virtual const DWORD* GetMinorDashArray();
    virtual void SetExtentRect(const CRect& rect);
    virtual CRect GetExtentRect();
    // 0: lines drawn by DrawHorizontalGridLine, otherwise by DrawVerticalGridLine.
    virtual void SetOrientation(int nOrientation);
    virtual int GetOrientation();
    virtual void SetAnchorList(QVGAnchorList* pAnchors);
    virtual QVGAnchorList* GetAnchorList();
    virtual void SetMajorColour(COLORREF crColor);
    virtual void SetMinorColour(COLORREF crColor);
    virtual void SetMajorWidth(int nWidth);
    virtual void SetMinorWidth(int nWidth);
    virtual void SetMajorStyle(int nStyle);
    virtual void SetMinorStyle(int nStyle);
    virtual COLORREF GetMajorColour();
    virtual COLORREF GetMinorColour();
    virtual int GetMajorWidth();
    virtual int GetMinorWidth();
    virtual int GetMajorStyle();
    virtual int GetMinorStyle();
    virtual void DrawHorizontalGridLine(int x, int y, CPen* pPen);
    virtual void DrawVerticalGridLine(int x, int y, CPen* pPen);

    // The depth offset of lines on the back wall of a three-dimensional plot.
    void SetDepth(int nDepth, BOOL bUseDepth) { m_nDepth = nDepth; m_bUseDepth = bUseDepth; }

protected:
    // One line through (x, y) by the three-dimensional kind of the line-style word's high byte.
    void DrawGridLine(int x, int y, CPen* pPen, bool bHorizontal);
    // A pen for the fields given; bCreated tells that the caller deletes it.
    CPen* MakePen(CPen* pGiven, int nStyle, int nWidth, COLORREF crColor, const std::vector<DWORD>& dashes,
                  bool& bCreated);

public:
    int m_nMinorCount;
    int m_nMajorStyle;
    int m_nMinorStyle;
    int m_nMajorWidth;
    int m_nMinorWidth;
    QVGAnchorList* m_pAnchors;
    COLORREF m_crMajor;
    COLORREF m_crMinor;
    int m_nOrientation;
    CRect m_rectExtent;
    CPen* m_pMinorPen;
    CPen* m_pMajorPen;
    std::vector<DWORD> m_majorDashes;
    std::vector<DWORD> m_minorDashes;
    int m_nDepth;
    BOOL m_bUseDepth;
};
