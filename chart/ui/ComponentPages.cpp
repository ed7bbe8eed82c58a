// The property pages of the component style editors: their data exchange and their few commands.
#include "chart/ui/ComponentPages.h"

#include "chart/ui/ChartEditIds.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/FontDialog.h"
#include "framework/win/DataExchange.h"

// ---- QVGCTypeAndPos ----

IMPLEMENT_DYNAMIC(QVGCTypeAndPos, CPropertyPage)

QVGCTypeAndPos::QVGCTypeAndPos() : CPropertyPage(IDD_QVG_TYPE_AND_POS)
{
}

void QVGCTypeAndPos::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_QVG_TYPE_NAME, m_strTypeName);
    DDX_Text(pDX, IDC_QVG_RECT_LEFT, m_dLeft);
    DDX_Text(pDX, IDC_QVG_RECT_TOP, m_dTop);
    DDX_Text(pDX, IDC_QVG_RECT_RIGHT, m_dRight);
    DDX_Text(pDX, IDC_QVG_RECT_BOTTOM, m_dBottom);
    DDX_Radio(pDX, IDC_QVG_PIXELS, m_nMeasurement);
    DDX_Text(pDX, IDC_QVG_VIEW_X, m_dViewX);
    DDV_MinMaxDouble(pDX, m_dViewX, 0, 360);
    DDX_Text(pDX, IDC_QVG_VIEW_Y, m_dViewY);
    DDV_MinMaxDouble(pDX, m_dViewY, 0, 360);
    DDX_Text(pDX, IDC_QVG_VIEW_Z, m_dViewZ);
    DDV_MinMaxDouble(pDX, m_dViewZ, 0, 360);
}

// ---- QVGCFillStyle ----

IMPLEMENT_DYNAMIC(QVGCFillStyle, CPropertyPage)

BEGIN_MESSAGE_MAP(QVGCFillStyle, CPropertyPage)
    ON_BN_CLICKED(IDC_QVG_FILL_COLOR1, OnColor1)
    ON_BN_CLICKED(IDC_QVG_FILL_COLOR2, OnColor2)
    ON_BN_CLICKED(IDC_QVG_FILL_BROWSE, OnBrowse)
END_MESSAGE_MAP()

QVGCFillStyle::QVGCFillStyle() : CPropertyPage(IDD_QVG_FILL_STYLE)
{
}

void QVGCFillStyle::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QVG_FILL_COLOR1, m_color1);
    DDX_Control(pDX, IDC_QVG_FILL_COLOR2, m_color2);
    DDX_Radio(pDX, IDC_QVG_FILL_NONE, m_nFillType);
    DDX_Text(pDX, IDC_QVG_FILL_ANGLE, m_dAngle);
    DDX_Text(pDX, IDC_QVG_FILL_RESOURCE, m_strResource);
}

void QVGCFillStyle::OnColor1()
{
    m_color1.ChooseColor(this);
}

void QVGCFillStyle::OnColor2()
{
    m_color2.ChooseColor(this);
}

void QVGCFillStyle::OnBrowse()
{
    CFileDialog dialog(TRUE, ".PLY", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Polygon file|*.PLY||", this);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_QVG_FILL_RESOURCE, dialog.GetPathName());
}

// ---- QVGCBorderStyle, QVGCShadowStyle ----

IMPLEMENT_DYNAMIC(QVGCBorderStyle, CPropertyPage)

QVGCBorderStyle::QVGCBorderStyle() : CPropertyPage(IDD_QVG_BORDER_STYLE)
{
}

void QVGCBorderStyle::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_QVG_BORDER_NONE, m_nBorderStyle);
}

IMPLEMENT_DYNAMIC(QVGCShadowStyle, CPropertyPage)

QVGCShadowStyle::QVGCShadowStyle() : CPropertyPage(IDD_QVG_SHADOW_STYLE)
{
}

void QVGCShadowStyle::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_QVG_SHADOW_NONE, m_nShadowStyle);
}

// ---- QVGCFontStyle ----

IMPLEMENT_DYNAMIC(QVGCFontStyle, CPropertyPage)

BEGIN_MESSAGE_MAP(QVGCFontStyle, CPropertyPage)
    ON_BN_CLICKED(IDC_QVG_FONT_CHOOSE, OnChooseFont)
    ON_BN_CLICKED(IDC_QVG_FONT_COLOR, OnColor)
END_MESSAGE_MAP()

QVGCFontStyle::QVGCFontStyle() : CPropertyPage(IDD_QVG_FONT_STYLE)
{
}

void QVGCFontStyle::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QVG_FONT_COLOR, m_color);
    DDX_Text(pDX, IDC_QVG_FONT_FACE, m_strFace);
    DDX_Text(pDX, IDC_QVG_FONT_SIZE, m_nSize);
    DDX_Radio(pDX, IDC_QVG_FONT_POINTS, m_nSizeUnit);
    DDX_Check(pDX, IDC_QVG_FONT_AUTOSIZE, m_bAutoSize);
    DDX_Check(pDX, IDC_QVG_FONT_BOLD, m_bBold);
    DDX_Check(pDX, IDC_QVG_FONT_ITALIC, m_bItalic);
    DDX_Check(pDX, IDC_QVG_FONT_UNDERLINE, m_bUnderline);
    DDX_Check(pDX, IDC_QVG_FONT_STRIKEOUT, m_bStrikeOut);
    DDX_Radio(pDX, IDC_QVG_JUSTIFY_RIGHT, m_nJustification);
}

void QVGCFontStyle::OnChooseFont()
{
    // The dialog starts from what the page shows.
    if (!UpdateData(TRUE))
        return;
    LOGFONTA logFont = {};
    lstrcpynA(logFont.lfFaceName, m_strFace, LF_FACESIZE);
    logFont.lfWeight = m_bBold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = BYTE(m_bItalic ? 1 : 0);
    logFont.lfUnderline = BYTE(m_bUnderline ? 1 : 0);
    logFont.lfStrikeOut = BYTE(m_bStrikeOut ? 1 : 0);
    CFontDialog dialog(&logFont, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    dialog.m_cf.rgbColors = m_color.GetColor();
    if (dialog.DoModal() != IDOK)
        return;
    m_bBold = dialog.GetWeight() == FW_BOLD ? 1 : 0;
    m_bItalic = dialog.IsItalic() ? 1 : 0;
    m_bUnderline = dialog.IsUnderline() ? 1 : 0;
    m_bStrikeOut = dialog.IsStrikeOut() ? 1 : 0;
    m_nSize = dialog.GetSize() / 10;
    m_strFace = dialog.GetFaceName();
    m_color.SetColor(dialog.GetColor());
    m_nSizeUnit = sizeInPoints;
    UpdateData(FALSE);
    Invalidate();
}

void QVGCFontStyle::OnColor()
{
    m_color.ChooseColor(this);
}

// ---- QVGCDisplayStyle ----

IMPLEMENT_DYNAMIC(QVGCDisplayStyle, CPropertyPage)

QVGCDisplayStyle::QVGCDisplayStyle() : CPropertyPage(IDD_QVG_DISPLAY_STYLE)
{
}

void QVGCDisplayStyle::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_QVG_GRAPH_STYLE, m_nGraphStyle);
    DDX_CBIndex(pDX, IDC_QVG_AXIS_STYLE, m_nAxisStyle);
    DDX_CBIndex(pDX, IDC_QVG_LABEL_STYLE, m_nLabelStyle);
    DDX_Text(pDX, IDC_QVG_FIRST_GROUP, m_nFirstGroup);
    DDX_Text(pDX, IDC_QVG_LAST_GROUP, m_nLastGroup);
    DDX_Text(pDX, IDC_QVG_FIRST_INDEX, m_nFirstIndex);
    DDX_Text(pDX, IDC_QVG_LAST_INDEX, m_nLastIndex);
    for (int n = 0; n < checkCount; ++n)
        DDX_Check(pDX, IDC_QVG_LOG_SCALE + n, m_bChecks[n]);
}

// ---- QVGCLegendEdit ----

IMPLEMENT_DYNAMIC(QVGCLegendEdit, CPropertyPage)

QVGCLegendEdit::QVGCLegendEdit() : CPropertyPage(IDD_QVG_LEGEND_EDIT)
{
}

void QVGCLegendEdit::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_QVG_LEGEND_TYPE, m_nLegendType);
    DDX_CBIndex(pDX, IDC_QVG_KEY_STYLE, m_nKeyStyle);
    DDX_Text(pDX, IDC_QVG_FIRST_GROUP, m_nFirstGroup);
    DDX_Text(pDX, IDC_QVG_LAST_GROUP, m_nLastGroup);
    DDX_Text(pDX, IDC_QVG_FIRST_INDEX, m_nFirstIndex);
    DDX_Text(pDX, IDC_QVG_LAST_INDEX, m_nLastIndex);
}

// ---- QVGCLabelStyle ----

IMPLEMENT_DYNAMIC(QVGCLabelStyle, CPropertyPage)

QVGCLabelStyle::QVGCLabelStyle() : CPropertyPage(IDD_QVG_LABEL_STYLE)
{
}

void QVGCLabelStyle::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_QVG_LOCATION_FIRST, m_nLocation);
    DDX_Text(pDX, IDC_QVG_ORIENTATION, m_dOrientation);
    DDX_Text(pDX, IDC_QVG_TEXT_X, m_dTextX);
    DDX_Text(pDX, IDC_QVG_TEXT_Y, m_dTextY);
}

// ---- QVGObjStyle ----

IMPLEMENT_DYNAMIC(QVGObjStyle, CPropertyPage)

BEGIN_MESSAGE_MAP(QVGObjStyle, CPropertyPage)
    ON_BN_CLICKED(IDC_QVG_FRAME_COLOR, OnFrameColor)
    ON_BN_CLICKED(IDC_QVG_USE_MAX_DIMENSIONS, OnUseMaxDimensions)
END_MESSAGE_MAP()

QVGObjStyle::QVGObjStyle() : CPropertyPage(IDD_QVG_OBJECT_STYLE)
{
}

BOOL QVGObjStyle::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    UpdateEnabling();
    return TRUE;
}

void QVGObjStyle::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QVG_FRAME_COLOR, m_frameColor);
    DDX_CBIndex(pDX, IDC_QVG_OBJECT, m_nObject);
    DDX_CBIndex(pDX, IDC_QVG_FRAME, m_nFrame);
    DDX_Text(pDX, IDC_QVG_FRAME_WIDTH, m_nFrameWidth);
    DDV_MinMaxInt(pDX, m_nFrameWidth, 1, 10);
    DDX_Text(pDX, IDC_QVG_OBJECT_WIDTH, m_dWidth);
    DDX_Text(pDX, IDC_QVG_OBJECT_HEIGHT, m_dHeight);
    DDX_Text(pDX, IDC_QVG_OBJECT_DEPTH, m_dDepth);
    DDX_Check(pDX, IDC_QVG_USE_MAX_DIMENSIONS, m_bUseMaxDimensions);
    DDX_Check(pDX, IDC_QVG_ALL_OBJECTS, m_bAllObjects);
}

void QVGObjStyle::UpdateEnabling()
{
    const BOOL bDimensions = IsDlgButtonChecked(IDC_QVG_USE_MAX_DIMENSIONS) == BST_CHECKED;
    for (int nID : {IDC_QVG_OBJECT_WIDTH, IDC_QVG_OBJECT_HEIGHT, IDC_QVG_OBJECT_DEPTH})
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(bDimensions);
    if (CWnd* pAll = GetDlgItem(IDC_QVG_ALL_OBJECTS))
        pAll->EnableWindow(m_bGroup);
}

void QVGObjStyle::OnFrameColor()
{
    m_frameColor.ChooseColor(this);
}

void QVGObjStyle::OnUseMaxDimensions()
{
    UpdateEnabling();
}

// ---- QVGInteriorEdit ----

IMPLEMENT_DYNAMIC(QVGInteriorEdit, CPropertyPage)

BEGIN_MESSAGE_MAP(QVGInteriorEdit, CPropertyPage)
    ON_BN_CLICKED(IDC_QVG_INTERIOR_COLOR1, OnColor1)
    ON_BN_CLICKED(IDC_QVG_INTERIOR_COLOR2, OnColor2)
END_MESSAGE_MAP()

QVGInteriorEdit::QVGInteriorEdit() : CPropertyPage(IDD_QVG_INTERIOR_EDIT)
{
}

void QVGInteriorEdit::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QVG_INTERIOR_COLOR1, m_color1);
    DDX_Control(pDX, IDC_QVG_INTERIOR_COLOR2, m_color2);
    DDX_CBIndex(pDX, IDC_QVG_INTERIOR, m_nInterior);
    DDX_Text(pDX, IDC_QVG_INTERIOR_ANGLE, m_dAngle);
    DDX_Text(pDX, IDC_QVG_INTERIOR_RESOURCE, m_strResource);
    DDX_Text(pDX, IDC_QVG_INTERIOR_NAME, m_strName);
    DDX_Check(pDX, IDC_QVG_INTERIOR_STRETCH, m_bStretch);
}

void QVGInteriorEdit::OnColor1()
{
    m_color1.ChooseColor(this);
}

void QVGInteriorEdit::OnColor2()
{
    m_color2.ChooseColor(this);
}
