// A free-standing text placed at an anchor point: rotated to any angle, positioned by one of nine
// justifications, with an optional background shape, its texts held as numbered annotations. Labels are
// the items of label blocks and axis scales.
#pragma once

#include "chart/model/GraphAnnotation.h"
#include "chart/model/GraphTitle.h"

#include <vector>

class QVGraphLabelBlock;

class QVGraphLabel : public QVGraphTitle
{
    DECLARE_SERIAL(QVGraphLabel)
public:
    QVGraphLabel();
    ~QVGraphLabel() override;

    void Serialize(CArchive& ar) override;
    void Draw(CDC* pDC, CWnd* pView) override;
    void DrawInterior() override;
    void DrawBorder() override;
    void DrawShadow() override;
    void DrawContent() override;
    void SetChart(QVGraph* pChart) override;
    void SetLogFont(const LOGFONT& logFont) override;
    void RebuildFont() override;
    COLORREF GetTextColor() override;
    // Template: the title fields, then position, direction, text angle, own-style and in-block flags;
    // the annotations follow as lines of their own.
    int ReadTemplateDetails(LPCTSTR lpszText) override;
    LPCTSTR GetTemplateKeyword() override;
    void WriteTemplateDetails(CStdioFile* pFile) override;

    virtual int GetDefaultSize();
    virtual void ClearOutline();
    // A text description record: angle, justification, shape and size from its flag word.
    virtual void FromTextDescription(const QVGraphStyle& record);
    virtual int GetFontPixelSize();
    virtual void SetFontSizeValue(int nSize);
    virtual void SetX(double x);
    virtual void SetY(double y);
    virtual void SetPosition(double x, double y);
    virtual CString GetAnnotationText(int nNumber);
    virtual QVGraph* GetLabelChart();
    virtual CPoint GetMidpoint();
    virtual CWnd* GetLabelView();
    // 0 up, 1 left, 2 right, 3 down; other codes clear the axis-direction flag.
    virtual void SetDirectionCode(int nCode);
    // A polygon region of the outline; the caller deletes it. NULL without an outline.
    virtual CRgn* GetOutlineRegion();
    // The background shape around the text at the anchor; points and count receive it when given.
    virtual int BuildOutline(POINT* pPoints = NULL, int nCount = 0);
    // Top-left corner of the text: the justification's offset turned by the text angle, plus the anchor.
    virtual CPoint TextOrigin();
    virtual CPoint GetAnchor();
    // 0-3 snap the text angle to 0, 90, 180, 270 degrees; any other mode clears the snapped mark.
    virtual void SetAnchorMode(int nMode);
    // The font and text style: the owning block's for a label in a block without its own style.
    virtual CFont* GetFont();
    virtual QVGraphStyle* GetTextStyle();
    // Annotation number = the chart's label annotation (1 without a chart).
    virtual void SetAnnotationText(LPCTSTR lpszText);
    virtual void SetAnnotation(int nNumber, LPCTSTR lpszText);
    virtual void DrawCustomInterior();
    virtual void DrawCustomLabelBorder();
    virtual void DrawCustomLabelShadow();

    // The text shown now: the annotation of the chart's label annotation number.
    CString GetCurrentText();
    // Measure of the current text with the label's font selected; (0, 0) without a device context.
    CSize MeasureCurrentText();
    // Computes the anchor from the position without drawing.
    void ComputeAnchor();
    double GetTextAngle() const { return m_style.m_dTextAngle; }
    void SetTextAngle(double degrees) { m_style.m_dTextAngle = degrees; }
    int GetJustification() const { return m_nJustification; }
    void SetJustification(int nJustification) { m_nJustification = nJustification; }
    void SetDirection(double dx, double dy) { m_dDirX = dx; m_dDirY = dy; }
    double GetDirectionX() const { return m_dDirX; }
    double GetDirectionY() const { return m_dDirY; }
    BOOL IsSnapped() const { return m_bSnappedAngle; }
    double GetX() const { return m_dX; }
    double GetY() const { return m_dY; }
    void SetBlock(QVGraphLabelBlock* pBlock, BOOL bOwnStyle);
    QVGraphLabelBlock* GetBlock() const { return m_pBlock; }
    BOOL IsInBlock() const { return m_bInBlock; }
    BOOL HasOwnStyle() const { return m_bOwnStyle; }
    const std::vector<CPoint>& GetOutline() const { return m_outline; }
    // Empty without an outline.
    CRect GetOutlineBounds() const { return BoundsOfPoints(m_outline.data(), int(m_outline.size())); }
    // Moves outline and anchor (overlap moves in a block).
    void Shift(int dx, int dy);
    QVGraphAnnotationList& GetAnnotations() { return m_annotations; }

protected:
    double GetFontAngle() override;
    // The text box corner relative to the anchor before turning, by justification.
    CPoint JustificationOffset(const CSize& size) const;
    // A point relative to the anchor turned by the text angle (counter-clockwise on the screen).
    CPoint Turn(double x, double y) const;
    // The block the label sits in; NULL outside one (a block is never its own).
    QVGraphLabelBlock* GetOwningBlock() const;
    // The owning block's font, text colour and style stand in for the label's own.
    bool UsesBlockStyle() const { return !m_bOwnStyle && GetOwningBlock() != NULL; }

public:
    QVGraphAnnotationList m_annotations;
    std::vector<CPoint> m_outline;
    double m_dY;
    double m_dX;
    int m_bAxisDirection;
    int m_bSnappedAngle;
    int m_nLabelFurther;
    double m_dDirX;
    double m_dDirY;
    int m_nJustification;
    QVGraphLabelBlock* m_pBlock;
    int m_bInBlock;
    int m_bOwnStyle;
    int m_nAnchorX;
    int m_nAnchorY;
};
