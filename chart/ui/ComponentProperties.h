// The component property sheet: edits one chart component, or the style of one data group or data item,
// through the pages its kind asks for. The chart edit dialog loads the pages from the object, runs the
// sheet and, on OK, writes the values back; Cancel leaves the object as it was.
#pragma once

#include "chart/ui/ComponentPages.h"

class QVGraphComponent;
class QVGraphDataList;
class QVGraphStyle;

class QVGraphComponentProperties : public CPropertySheet
{
    DECLARE_DYNAMIC(QVGraphComponentProperties)
public:
    // nKind: the component's type id, or 53555 (a data group) or 53556 (a data item). With bWithFont
    // the font page comes last.
    QVGraphComponentProperties(CWnd* pParent, BOOL bWithFont, int nKind);
    ~QVGraphComponentProperties() override;

    // Whether the component's font is edited: displays, titles, legends, label blocks, and labels that
    // do not take their font from a label block.
    static BOOL TakesFontPage(QVGraphComponent* pComponent);

    // The pages' values from a component, and the component from the pages' values.
    void LoadComponent(QVGraphComponent* pComponent);
    void ApplyComponent(QVGraphComponent* pComponent);
    // The same for the style of a data group or data item; for a group with "All Objects in this List"
    // checked, pGroup's items take the group's style as well.
    void LoadDataStyle(const QVGraphStyle& style);
    void ApplyDataStyle(QVGraphStyle& style, QVGraphDataList* pGroup);

    // Object list index and stored object (shape type), frame and interior: one table each way.
    static int ObjectIndexOf(int nShapeType);
    static int ObjectOfIndex(int nIndex);
    static int FrameIndexOf(int nLineType);
    static int FrameOfIndex(int nIndex);
    static int InteriorIndexOf(int nFillMode);
    static int InteriorOfIndex(int nIndex);

    int GetKind() const { return m_nKind; }

    QVGCTypeAndPos m_typeAndPos;
    QVGCFillStyle m_fill;
    QVGCBorderStyle m_border;
    QVGCShadowStyle m_shadow;
    QVGCFontStyle m_font;
    QVGCDisplayStyle m_display;
    QVGCLegendEdit m_legend;
    QVGCLabelStyle m_label;
    QVGCLabelStyle m_labelBlock;
    QVGObjStyle m_object;
    QVGInteriorEdit m_interior;

protected:
    int m_nKind;
    BOOL m_bWithFont;
    // The view angles X, Y and Z as the type and position page was given them.
    double m_dShownView[3] = {0.0, 0.0, 0.0};
};
