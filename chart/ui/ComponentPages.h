// The property pages of the component style editors. Each page only holds and shows its values; the
// component property sheet fills them from the edited object and writes them back (ComponentProperties.h).
#pragma once

#include "chart/ui/SwatchButton.h"
#include "framework/core/CString.h"
#include "framework/win/PropertySheet.h"

// Type and position: the kind's name, the rectangle, its measurement and the three view angles.
class QVGCTypeAndPos : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGCTypeAndPos)
public:
    QVGCTypeAndPos();

    CString m_strTypeName;
    double m_dLeft = 0;
    double m_dTop = 0;
    double m_dRight = 0;
    double m_dBottom = 0;
    int m_nMeasurement = 0;   // 0 pixels, 1 millimetres, 2 inches, 3 percent
    double m_dViewX = 0;      // degrees, 0 to 360
    double m_dViewY = 0;
    double m_dViewZ = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Fill: the fill type (0 none, 1 solid, 2 vertical, 3 horizontal, 4 angled shade, 5 resource image),
// two colours, the angle and the resource name, which "..." looks for as a polygon file.
class QVGCFillStyle : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGCFillStyle)
public:
    QVGCFillStyle();

    int m_nFillType = 0;      // -1: none of the radios (a fill the page does not offer)
    double m_dAngle = 0;
    CString m_strResource;
    QVSwatchButton m_color1;
    QVSwatchButton m_color2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnColor1();
    afx_msg void OnColor2();
    afx_msg void OnBrowse();

    DECLARE_MESSAGE_MAP()
};

// Border: the border style (0-7) as a radio index.
class QVGCBorderStyle : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGCBorderStyle)
public:
    QVGCBorderStyle();

    int m_nBorderStyle = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Shadow: the shadow style (0-3) as a radio index.
class QVGCShadowStyle : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGCShadowStyle)
public:
    QVGCShadowStyle();

    int m_nShadowStyle = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Font: face, size in points or pixels, the style checks, the justification and the colour.
class QVGCFontStyle : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGCFontStyle)
public:
    // The justification radios, in template order.
    enum { justifyRight = 0, justifyLeft = 1, justifyCentred = 2 };
    enum { sizeInPoints = 0, sizeInPixels = 1 };

    QVGCFontStyle();

    CString m_strFace;
    int m_nSize = 10;
    int m_nSizeUnit = sizeInPoints;
    int m_bAutoSize = 0;
    int m_bBold = 0;
    int m_bItalic = 0;
    int m_bUnderline = 0;
    int m_bStrikeOut = 0;
    int m_nJustification = justifyCentred;
    QVSwatchButton m_color;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChooseFont();
    afx_msg void OnColor();

    DECLARE_MESSAGE_MAP()
};

// Display: graph, axis and label style (list index = stored value), the data scope and ten checks.
class QVGCDisplayStyle : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGCDisplayStyle)
public:
    // The check boxes, in the order of m_bChecks.
    enum { logScale, showZero, showXLabels, showYLabels, showZLabels, showXGrid, showYGrid, showZGrid,
           showTicks, gridOnTop, checkCount };

    QVGCDisplayStyle();

    int m_nGraphStyle = 0;
    int m_nAxisStyle = 0;
    int m_nLabelStyle = 0;
    int m_nFirstGroup = -1;
    int m_nLastGroup = -1;
    int m_nFirstIndex = -1;
    int m_nLastIndex = -1;
    int m_bChecks[checkCount] = {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Legend: the legend type (5 entries) and the key style (16 entries) as list indexes, and the scope.
class QVGCLegendEdit : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGCLegendEdit)
public:
    QVGCLegendEdit();

    int m_nLegendType = 0;
    int m_nKeyStyle = 0;
    int m_nFirstGroup = -1;
    int m_nLastGroup = -1;
    int m_nFirstIndex = -1;
    int m_nLastIndex = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Label: the location point (justification 0-8), the orientation in degrees and the text position.
class QVGCLabelStyle : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGCLabelStyle)
public:
    QVGCLabelStyle();

    int m_nLocation = 0;
    double m_dOrientation = 0;
    double m_dTextX = 0;
    double m_dTextY = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Object style of a data group or item: the object and frame lists, frame width and colour, the
// dimensions (enabled with "Use Max Dimensions") and, for a group, "All Objects in this List".
class QVGObjStyle : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGObjStyle)
public:
    QVGObjStyle();

    int m_nObject = 0;
    int m_nFrame = 0;
    int m_nFrameWidth = 1;    // 1 to 10
    double m_dWidth = 0;
    double m_dHeight = 0;
    double m_dDepth = 0;
    int m_bUseMaxDimensions = 0;
    int m_bAllObjects = 0;
    BOOL m_bGroup = FALSE;    // a data group is edited: "All Objects in this List" is offered
    QVSwatchButton m_frameColor;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnFrameColor();
    afx_msg void OnUseMaxDimensions();
    void UpdateEnabling();

    DECLARE_MESSAGE_MAP()
};

// Interior of a data group or item: the style list, two colours, angle, resource, name and "Stretch".
class QVGInteriorEdit : public CPropertyPage
{
    DECLARE_DYNAMIC(QVGInteriorEdit)
public:
    QVGInteriorEdit();

    int m_nInterior = 0;
    double m_dAngle = 0;
    CString m_strResource;
    CString m_strName;
    int m_bStretch = 0;
    QVSwatchButton m_color1;
    QVSwatchButton m_color2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnColor1();
    afx_msg void OnColor2();

    DECLARE_MESSAGE_MAP()
};
