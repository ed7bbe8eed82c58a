// A container of labels that lays them out and draws them, hiding or moving labels that would overlap,
// and records the points on an axis line where its labels sit so tick marks and grid lines can follow.
#pragma once

#include "chart/model/GraphLabel.h"
#include "framework/core/Lists.h"

// Points on an axis line where a scale placed its labels.
typedef CList<CPoint, const CPoint&> QVGAnchorList;

class QVGraphLabelBlock : public QVGraphLabel
{
    DECLARE_SERIAL(QVGraphLabelBlock)
public:
    // Overlap modes in the shadow nibble of the component style word.
    enum { overlapHide = 9, overlapMove = 10 };

    QVGraphLabelBlock();
    ~QVGraphLabelBlock() override;

    void Serialize(CArchive& ar) override;
    void SetChart(QVGraph* pChart) override;
    void Draw(CDC* pDC, CWnd* pView) override;
    void DrawInterior() override;
    void DrawBorder() override;
    void DrawShadow() override;
    void DrawContent() override;

    // With record-anchors set: the anchor list becomes every label's anchor plus (dx, dy).
    virtual int RecordAnchors(int dx, int dy);
    int RecordAnchors() { return RecordAnchors(0, 0); }
    virtual void GenerateLabels();
    virtual int GetLabelCount();
    virtual void RemoveLastLabel();
    virtual void RemoveAllLabels();
    virtual void SetIdentifier(int nIdentifier);
    virtual int GetIdentifier();
    // Annotation nNumber of label nIndex; appends empty labels up to the index when it is beyond the end.
    virtual void SetLabelTextAt(LPCTSTR lpszText, int nIndex, int nNumber);
    // -1 first, -2 last, 0..count-1; NULL when empty or out of range.
    virtual QVGraphLabel* GetLabel(int nIndex);
    virtual QVGraphLabel* AddTextLabel(LPCTSTR lpszText);
    virtual void AddLabel(QVGraphLabel* pLabel, BOOL bOwnStyle);
    virtual void SetLabelJustification(int nJustification);
    // Snaps angles within 2 degrees of a right angle; others turn the label freely.
    virtual void SetLabelAngle(double degrees);
    virtual int SpreadLabels(int x1, int y1, int x2, int y2);
    virtual void SetLabelDirection(double dx, double dy);
    virtual CRect GetLabelBounds();
    // An anchor list handed in is not owned.
    virtual void SetAnchorList(QVGAnchorList* pList);
    virtual void SetRecordAnchors(BOOL bRecord);
    virtual QVGAnchorList* GetAnchorList();
    virtual void SetOverlapCheck(BOOL bCheck);
    virtual BOOL GetOverlapCheck();

    // The box the labels take when drawn now, computed without drawing (for layout).
    CRect MeasureLabelExtent();
    BOOL GetRecordAnchors() const { return m_bRecordAnchors; }
    int GetOverlapMode() const { return m_style.GetShadowStyle(); }
    void SetOverlapMode(int nMode) { m_style.SetShadowStyle(nMode); }
    // Labels must not overlap this region (copied); NULL for none.
    void SetClipRegion(CRgn* pRegion);

protected:
    double GetFontAngle() override;
    // Label i of a generation: the existing one, or a new one appended.
    QVGraphLabel* LabelForGeneration(int nIndex);
    // Removes and deletes the labels from nKeep on.
    void TrimLabels(int nKeep);
    void ClearBounds() { m_rectBounds.SetRectEmpty(); }
    // Gives the label the block's device context, flags and view, and computes its outline.
    void PrepareLabel(QVGraphLabel* pLabel);

public:
    CObList m_labels;
    int m_nCursor;
    POSITION m_posCursor;
    int m_bOverlapCheck;
    CRect m_rectBounds;
    int m_bRecordAnchors;
    QVGAnchorList* m_pAnchors;
    int m_bOwnsAnchors;
    CRgn* m_pClipRegion;
    int m_nBlockFurther;
    int m_nIdentifier;
};
