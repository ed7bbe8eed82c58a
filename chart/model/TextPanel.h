// A text panel: a boxed block of text lines with an optional title strip on one of its four sides. It
// sizes its box to its text, keeps itself inside the chart and can fit its font to the box, without ever
// changing the rectangle it was given.
#pragma once

#include "chart/model/GraphAnnotation.h"
#include "chart/model/GraphTitle.h"

class QVGTextPanel : public QVGraphTitle
{
    DECLARE_SERIAL(QVGTextPanel)
public:
    // Sides of the title strip.
    enum { titleAbove = 0, titleLeft = 1, titleRight = 2, titleBelow = 3 };
    // Justifications of body and title lines; any other value ends the lines at the rectangle's end.
    enum { justifyStart = 1, justifyCentre = 2, justifyEnd = 3 };
    // DrawTitleLines flag: the lines run upwards in a strip on the left or right.
    enum { titleVertical = 1 };

    QVGTextPanel();
    ~QVGTextPanel() override;

    void Serialize(CArchive& ar) override;
    void Draw(CDC* pDC, CWnd* pView) override;
    void DrawContent() override;
    void DrawInterior() override;
    // The body font's height: automatic (flag 0x10) fits the body lines into the body rectangle.
    int GetFontSize() override;
    COLORREF GetTextColor() override;
    // Template: the body group of title fields, then the title group.
    int ReadTemplateDetails(LPCTSTR lpszText) override;
    LPCTSTR GetTemplateKeyword() override;
    void WriteTemplateText(CStdioFile* pFile) override;

    virtual void DrawTitleLines(const CRect& rect, int nFlags);
    virtual CString GetTitleLine(int n);
    virtual void SetTitlePosition(int nPosition);
    virtual int GetTitlePosition();
    virtual void SetTitleColor(COLORREF crColor);
    virtual void SetBodyColor(COLORREF crColor);
    virtual COLORREF GetTitleColor();
    virtual COLORREF GetBodyColor();
    // The style record of the title strip.
    virtual QVGraphStyle* GetTitleStyle();
    virtual CFont* CreateTitleFont();
    // (length, thickness) of the title lines broken for a strip of the given length.
    virtual CSize MeasureTitle(int nLength);
    virtual void SetBodyLine(int n, LPCTSTR lpszText);
    virtual CString GetBodyLine(int n);
    virtual void SetTitleLine(int n, LPCTSTR lpszText);
    virtual void SetBodyFontSize(int nSize);
    virtual int GetBodyFontSize();
    virtual void SetTitleFontSize(int nSize);
    virtual int GetTitleFontSize();
    virtual void SetBodyFontStyle(int nFlags);
    virtual int GetBodyFontStyle();
    virtual void SetTitleFontStyle(int nFlags);
    virtual int GetTitleFontStyle();
    virtual void SetBodyFace(LPCTSTR lpszFace);
    virtual CString GetBodyFace();
    virtual void SetTitleFace(LPCTSTR lpszFace);
    virtual CString GetTitleFace();
    virtual int IsTitleShown();
    virtual void ShowTitle(int bShow);
    virtual void SetAutoSize(int bAutoSize);
    virtual int IsAutoSize();
    virtual void SetTitleJustification(int nJustification);

    // Where the panel was last drawn (device units).
    CRect GetPlacedRect();
    // The box the panel takes when drawn now: with auto-size measured anew (the chart must be drawing or
    // prepared), otherwise where it was last drawn.
    CRect GetBoundingRect();
    void SetBodyJustification(int nJustification) { m_nBodyJustification = nJustification; }
    int GetBodyJustification() const { return m_nBodyJustification; }
    int GetTitleJustification() const { return m_nTitleJustification; }
    const CRect& GetBodyRect() const { return m_rectBody; }
    const CRect& GetTitleRect() const { return m_rectTitle; }
    const CRect& GetTextRect() const { return m_rectText; }
    // The lines as one text, in the order of their numbers.
    CString GetBodyText() const;
    CString GetTitleText() const;

protected:
    // Body, title strip and text rectangles from the component rectangle, the text and the fonts.
    void Measure();
    // Measures and moves the box into the chart's drawing area; returns the box.
    CRect Place();
    bool IsTitleVertical() const { return m_nTitlePosition == titleLeft || m_nTitlePosition == titleRight; }
    // The title font at an angle (0 flat, 90 upwards).
    CFont* MakeTitleFont(int nAngle);

public:
    int m_nTitlePosition;
    int m_nBodyJustification;
    int m_nTitleJustification;
    CRect m_rectBody;
    CRect m_rectTitleSize;
    QVGraphStyle m_titleStyle;
    CRect m_rectTitle;
    int m_bMeasuring;
    COLORREF m_crBody;
    COLORREF m_crTitle;
    int m_nThird;
    CFont* m_pTitleFont;        // from the chart's font cache
    QVGraphAnnotationList m_titleLines;
    QVGraphAnnotationList m_bodyLines;
    CRect m_rectText;
    int m_bTitleShown;
    int m_bAutoSize;
    QVGraphRect m_placedRect;
    int m_nTitleFontSize;
    int m_nBodyFontSize;
    int m_nTitleFontStyle;
    int m_nBodyFontStyle;
    CString m_strTitleFace;
    CString m_strBodyFace;
};
