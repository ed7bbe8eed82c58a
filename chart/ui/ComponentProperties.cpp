// The component property sheet: which pages a kind gets, and the values between the pages and the
// component or data style.
#include "chart/ui/ComponentProperties.h"

#include <cmath>
#include <cstdlib>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDataList.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphStyle.h"
#include "chart/model/GraphTitle.h"
#include "chart/ui/ChartEditIds.h"

IMPLEMENT_DYNAMIC(QVGraphComponentProperties, CPropertySheet)

namespace {

// The display page's check boxes: the option bit each stands for and whether it is checked when the
// bit is set (else when it is clear).
struct DisplayCheck
{
    int nBit;
    bool bCheckedWhenSet;
};
const DisplayCheck kDisplayChecks[QVGCDisplayStyle::checkCount] = {
    {27, true},    // Log Scale
    {13, false},   // Always Show Zero
    {23, false},   // Show X Labels
    {24, false},   // Show Y Labels
    {22, false},   // Show Z Labels
    {16, false},   // Show X Grid Lines
    {15, false},   // Show Y Grid Lines
    {14, false},   // Show Z Grid Lines
    {12, false},   // Show Tick Marks
    {8, true},     // Show Grid on Top
};

// Object list index -> stored object; 7, 8 and 9 are not offered and store None.
const int kObjectOfIndex[] = {0, 1, 2, 3, 4, 5, 6, 0, 0, 0, 10, 11};
const int kFrameOfIndex[] = {0, 1, 2, 0, 4};
const int kInteriorOfIndex[] = {0, 1, 2, 3, 4, 5, 6, 0, 8};

template <size_t N>
int IndexOf(const int (&table)[N], int nValue)
{
    for (size_t n = 0; n < N; ++n)
        if (table[n] == nValue)
            return int(n);
    return 0;   // a value the list does not offer shows as its first entry, None
}

template <size_t N>
int ValueOf(const int (&table)[N], int nIndex)
{
    return nIndex >= 0 && size_t(nIndex) < N ? table[nIndex] : 0;
}

// The font page's justification radios (right, left, centred) and a title's alignment (left, right,
// centred) name the same three places in different orders.
const int kAlignmentOfJustification[] = {QVGraphTitle::alignRight, QVGraphTitle::alignLeft, QVGraphTitle::alignCentre};

int JustificationOf(int nAlignment)
{
    for (int n = 0; n < 3; ++n)
        if (kAlignmentOfJustification[n] == nAlignment)
            return n;
    return QVGCFontStyle::justifyCentred;
}

bool IsLabelKind(int nKind)
{
    return nKind == IDS_QVG_LABEL || nKind == IDS_QVG_LABEL_BLOCK;
}

// The label page's location radios in their order (Top Left, Mid Left, Bottom Left, Top Center, Mid
// Center, Bottom Center, Top Right, Mid Right, Bottom Right) and the label's anchor code each names
// (0 left middle, 1 top left, 2 top centre, 3 top right, 4 right middle, 5 bottom right, 6 bottom
// centre, 7 bottom left, 8 centre).
const int kAnchorOfLocation[] = {1, 0, 7, 2, 8, 6, 3, 4, 5};

// The radio of an anchor code; -1 (no radio) for a code the page does not offer, which then stays.
int LocationOfAnchor(int nAnchor)
{
    for (int n = 0; n < 9; ++n)
        if (kAnchorOfLocation[n] == nAnchor)
            return n;
    return -1;
}

// A view angle as the page shows it, within the 0 to 360 it accepts: a label turned by -30 degrees
// holds -30, and the scales' -500 means that they have no angle of their own.
double ShownViewAngle(double stored)
{
    if (!std::isfinite(stored))
        return 0.0;
    double angle = std::fmod(stored, 360.0);
    if (angle < 0)
        angle += 360.0;
    return angle < 360.0 ? angle : 0.0;
}

} // namespace

QVGraphComponentProperties::QVGraphComponentProperties(CWnd* pParent, BOOL bWithFont, int nKind)
    : CPropertySheet(IDS_QVG_PROPERTIES_CAPTION, pParent, 0), m_nKind(nKind), m_bWithFont(bWithFont)
{
    const bool bData = nKind == IDS_QVG_DATA_LIST || nKind == IDS_QVG_DATA_ITEM;
    if (!bData) {
        AddPage(&m_typeAndPos);
        AddPage(&m_fill);
        AddPage(&m_border);
        AddPage(&m_shadow);
    }
    switch (nKind) {
    case IDS_QVG_DISPLAY: AddPage(&m_display); break;
    case IDS_QVG_LEGEND: AddPage(&m_legend); break;
    case IDS_QVG_LABEL: AddPage(&m_label); break;
    case IDS_QVG_LABEL_BLOCK: AddPage(&m_labelBlock); break;
    case IDS_QVG_DATA_LIST:
    case IDS_QVG_DATA_ITEM:
        AddPage(&m_object);
        AddPage(&m_interior);
        break;
    default: break;
    }
    if (bWithFont)
        AddPage(&m_font);
    m_object.m_bGroup = nKind == IDS_QVG_DATA_LIST;
}

QVGraphComponentProperties::~QVGraphComponentProperties() = default;

BOOL QVGraphComponentProperties::TakesFontPage(QVGraphComponent* pComponent)
{
    if (pComponent == nullptr)
        return FALSE;
    const int nKind = pComponent->GetTypeId();
    if (nKind == IDS_QVG_DISPLAY || nKind == IDS_QVG_TITLE || nKind == IDS_QVG_LEGEND || nKind == IDS_QVG_LABEL_BLOCK)
        return TRUE;
    if (nKind == IDS_QVG_LABEL) {
        auto* pLabel = dynamic_cast<QVGraphLabel*>(pComponent);
        return pLabel != nullptr && (pLabel->HasOwnStyle() || pLabel->GetBlock() == nullptr);
    }
    return FALSE;
}

int QVGraphComponentProperties::ObjectIndexOf(int nShapeType)
{
    return IndexOf(kObjectOfIndex, nShapeType);
}

int QVGraphComponentProperties::ObjectOfIndex(int nIndex)
{
    return ValueOf(kObjectOfIndex, nIndex);
}

int QVGraphComponentProperties::FrameIndexOf(int nLineType)
{
    return IndexOf(kFrameOfIndex, nLineType);
}

int QVGraphComponentProperties::FrameOfIndex(int nIndex)
{
    return ValueOf(kFrameOfIndex, nIndex);
}

int QVGraphComponentProperties::InteriorIndexOf(int nFillMode)
{
    return IndexOf(kInteriorOfIndex, nFillMode);
}

int QVGraphComponentProperties::InteriorOfIndex(int nIndex)
{
    return ValueOf(kInteriorOfIndex, nIndex);
}

// ---- Components ----

void QVGraphComponentProperties::LoadComponent(QVGraphComponent* pComponent)
{
    QVGraphStyle* pStyle = pComponent->GetStyle();
    QVGraphRect* pRect = pComponent->GetRectObject();
    m_typeAndPos.m_strTypeName.LoadString(UINT(pComponent->GetTypeId()));
    m_typeAndPos.m_dLeft = pRect->m_dLeft;
    m_typeAndPos.m_dTop = pRect->m_dTop;
    m_typeAndPos.m_dRight = pRect->m_dRight;
    m_typeAndPos.m_dBottom = pRect->m_dBottom;
    m_typeAndPos.m_nMeasurement = pRect->GetMeasurement();
    m_dShownView[0] = m_typeAndPos.m_dViewX = ShownViewAngle(pStyle->m_dValue1);
    m_dShownView[1] = m_typeAndPos.m_dViewY = ShownViewAngle(pStyle->m_dValue2);
    m_dShownView[2] = m_typeAndPos.m_dViewZ = ShownViewAngle(pStyle->m_dTextAngle);

    m_fill.m_nFillType = pStyle->GetFillType();
    m_fill.m_color1.SetColor(pStyle->m_crFill1);
    m_fill.m_color2.SetColor(pStyle->m_crFill2);
    m_fill.m_dAngle = pStyle->m_dFillValue;
    m_fill.m_strResource = pStyle->m_strFillImage;
    m_border.m_nBorderStyle = pStyle->GetBorderStyle();
    m_shadow.m_nShadowStyle = pStyle->GetShadowStyle();

    if (auto* pTitle = dynamic_cast<QVGraphTitle*>(pComponent)) {
        const int nSize = pTitle->GetStoredFontSize();
        const int nFlags = pTitle->GetFontStyle();
        m_font.m_strFace = pTitle->GetFaceName();
        m_font.m_nSize = std::abs(nSize);
        m_font.m_nSizeUnit = nSize < 0 ? QVGCFontStyle::sizeInPixels : QVGCFontStyle::sizeInPoints;
        m_font.m_color.SetColor(pTitle->GetTextColor());
        m_font.m_nJustification = JustificationOf(pTitle->GetAlignment());
        m_font.m_bBold = (nFlags & QVGraphTitle::fontBold) ? 1 : 0;
        m_font.m_bItalic = (nFlags & QVGraphTitle::fontItalic) ? 1 : 0;
        m_font.m_bUnderline = (nFlags & QVGraphTitle::fontUnderline) ? 1 : 0;
        m_font.m_bStrikeOut = (nFlags & QVGraphTitle::fontStrikeOut) ? 1 : 0;
        m_font.m_bAutoSize = (nFlags & QVGraphTitle::fontAutoSize) ? 1 : 0;
    }

    int nMinIndex = -1, nMaxIndex = -1, nMinGroup = -1, nMaxGroup = -1;
    pComponent->GetDataRange(nMinIndex, nMaxIndex, nMinGroup, nMaxGroup);
    if (auto* pDisplay = dynamic_cast<QVGDisplayBase*>(pComponent)) {
        m_display.m_nGraphStyle = pStyle->GetGraphType();
        m_display.m_nAxisStyle = pStyle->GetAxisStyle();
        m_display.m_nLabelStyle = pStyle->GetLabelKind() >> 4;
        m_display.m_nFirstGroup = nMinGroup;
        m_display.m_nLastGroup = nMaxGroup;
        m_display.m_nFirstIndex = nMinIndex;
        m_display.m_nLastIndex = nMaxIndex;
        for (int n = 0; n < QVGCDisplayStyle::checkCount; ++n) {
            const bool bSet = pStyle->GetOption(kDisplayChecks[n].nBit) != 0;
            m_display.m_bChecks[n] = bSet == kDisplayChecks[n].bCheckedWhenSet ? 1 : 0;
        }
        (void)pDisplay;
    }
    if (auto* pLegend = dynamic_cast<QVGraphLegend*>(pComponent)) {
        m_legend.m_nLegendType = pLegend->GetStoredKeyKind();
        m_legend.m_nKeyStyle = pLegend->GetSampleStyle();
        m_legend.m_nFirstGroup = nMinGroup;
        m_legend.m_nLastGroup = nMaxGroup;
        m_legend.m_nFirstIndex = nMinIndex;
        m_legend.m_nLastIndex = nMaxIndex;
    }
    if (auto* pLabel = dynamic_cast<QVGraphLabel*>(pComponent)) {
        QVGCLabelStyle& page = m_nKind == IDS_QVG_LABEL_BLOCK ? m_labelBlock : m_label;
        page.m_nLocation = LocationOfAnchor(pLabel->GetJustification());
        page.m_dOrientation = pLabel->GetTextAngle();
        page.m_dTextX = pLabel->GetX();
        page.m_dTextY = pLabel->GetY();
    }
}

void QVGraphComponentProperties::ApplyComponent(QVGraphComponent* pComponent)
{
    QVGraphStyle* pStyle = pComponent->GetStyle();
    if (m_typeAndPos.m_nMeasurement >= 0)
        pComponent->SetMeasurement(m_typeAndPos.m_nMeasurement);
    pComponent->SetRect(m_typeAndPos.m_dLeft, m_typeAndPos.m_dTop, m_typeAndPos.m_dRight, m_typeAndPos.m_dBottom);
    // An angle the person left as shown keeps its stored value (which may lie outside 0 to 360).
    if (m_typeAndPos.m_dViewX != m_dShownView[0])
        pStyle->m_dValue1 = m_typeAndPos.m_dViewX;
    if (m_typeAndPos.m_dViewY != m_dShownView[1])
        pStyle->m_dValue2 = m_typeAndPos.m_dViewY;
    if (m_typeAndPos.m_dViewZ != m_dShownView[2])
        pStyle->m_dTextAngle = m_typeAndPos.m_dViewZ;

    // A style the radios do not offer (no radio checked) stays as it was.
    if (m_fill.m_nFillType >= 0)
        pStyle->SetFillType(m_fill.m_nFillType);
    pComponent->SetFillColors(m_fill.m_color1.GetColor(), m_fill.m_color2.GetColor());
    pStyle->m_dFillValue = m_fill.m_dAngle;
    pComponent->SetFillImageName(m_fill.m_strResource);
    if (m_border.m_nBorderStyle >= 0)
        pStyle->SetBorderStyle(m_border.m_nBorderStyle);
    if (m_shadow.m_nShadowStyle >= 0)
        pStyle->SetShadowStyle(m_shadow.m_nShadowStyle);

    auto* pTitle = dynamic_cast<QVGraphTitle*>(pComponent);
    if (m_bWithFont && pTitle != nullptr) {
        int nFlags = pTitle->GetFontStyle() & ~0x1F;
        nFlags |= (m_font.m_bBold ? QVGraphTitle::fontBold : 0) | (m_font.m_bItalic ? QVGraphTitle::fontItalic : 0) |
                  (m_font.m_bUnderline ? QVGraphTitle::fontUnderline : 0) |
                  (m_font.m_bStrikeOut ? QVGraphTitle::fontStrikeOut : 0) |
                  (m_font.m_bAutoSize ? QVGraphTitle::fontAutoSize : 0);
        const int nSize = std::abs(m_font.m_nSize);
        const int nStoredSize = m_font.m_nSizeUnit == QVGCFontStyle::sizeInPixels ? -nSize : nSize;
        pTitle->SetFaceName(m_font.m_strFace);
        pTitle->SetTextColor(m_font.m_color.GetColor());
        pTitle->SetFont(nStoredSize, pTitle->GetFontStyle(), m_font.m_strFace);
        pTitle->SetFontStyleFlags(nFlags);
        if (m_font.m_nJustification >= 0 && m_font.m_nJustification < 3)
            pTitle->SetAlignment(kAlignmentOfJustification[m_font.m_nJustification]);
        pTitle->SetFontRebuild(TRUE);
    }

    if (dynamic_cast<QVGDisplayBase*>(pComponent) != nullptr && m_nKind == IDS_QVG_DISPLAY) {
        if (m_display.m_nGraphStyle >= 0)
            pStyle->SetGraphType(m_display.m_nGraphStyle);
        if (m_display.m_nAxisStyle >= 0)
            pStyle->SetAxisStyle(m_display.m_nAxisStyle);
        if (m_display.m_nLabelStyle >= 0)
            pStyle->m_nFlags = (pStyle->m_nFlags & ~0xF0) | ((m_display.m_nLabelStyle & 0xF) << 4);
        for (int n = 0; n < QVGCDisplayStyle::checkCount; ++n) {
            const bool bSet = (m_display.m_bChecks[n] != 0) == kDisplayChecks[n].bCheckedWhenSet;
            if (kDisplayChecks[n].nBit == QVGDisplayBase::optionLogValues)
                pStyle->SetLogScale(bSet);
            else
                pStyle->SetOption(kDisplayChecks[n].nBit, bSet);
        }
        pStyle->m_bModified = 1;
        pComponent->SetDataRange(m_display.m_nFirstIndex, m_display.m_nLastIndex, m_display.m_nFirstGroup,
                                 m_display.m_nLastGroup);
    }
    if (auto* pLegend = dynamic_cast<QVGraphLegend*>(pComponent); pLegend != nullptr && m_nKind == IDS_QVG_LEGEND) {
        if (m_legend.m_nLegendType >= 0)
            pLegend->SetKeyKind(m_legend.m_nLegendType);
        if (m_legend.m_nKeyStyle >= 0)
            pLegend->SetSampleStyle(m_legend.m_nKeyStyle);
        pComponent->SetDataRange(m_legend.m_nFirstIndex, m_legend.m_nLastIndex, m_legend.m_nFirstGroup,
                                 m_legend.m_nLastGroup);
    }
    if (auto* pLabel = dynamic_cast<QVGraphLabel*>(pComponent); pLabel != nullptr && IsLabelKind(m_nKind)) {
        const QVGCLabelStyle& page = m_nKind == IDS_QVG_LABEL_BLOCK ? m_labelBlock : m_label;
        if (page.m_nLocation >= 0 && page.m_nLocation < 9)
            pLabel->SetJustification(kAnchorOfLocation[page.m_nLocation]);
        pLabel->SetTextAngle(page.m_dOrientation);
        pLabel->SetX(page.m_dTextX);
        pLabel->SetY(page.m_dTextY);
    }
    pComponent->SetChanged(TRUE);
}

// ---- Data styles ----

void QVGraphComponentProperties::LoadDataStyle(const QVGraphStyle& style)
{
    m_object.m_nObject = ObjectIndexOf(style.GetShapeType());
    m_object.m_nFrame = FrameIndexOf(style.GetLineType());
    m_object.m_nFrameWidth = style.m_nLineWidth;
    m_object.m_frameColor.SetColor(style.m_crLineColor);
    m_object.m_dWidth = style.m_dSymbolWidth;
    m_object.m_dHeight = style.m_dMarkerSize;
    m_object.m_dDepth = style.m_dBarDepth;
    m_object.m_bUseMaxDimensions = style.HasExplicitSizes() ? 1 : 0;
    m_object.m_bAllObjects = 0;
    m_interior.m_nInterior = InteriorIndexOf(style.GetMarkerFill() >> 4);
    m_interior.m_color1.SetColor(style.m_crFill1);
    m_interior.m_color2.SetColor(style.m_crFill2);
    m_interior.m_dAngle = style.m_dFillValue;
    m_interior.m_strResource = style.m_strFillImage;
    m_interior.m_strName = style.m_strText;
    m_interior.m_bStretch = style.IsImageStretched() ? 1 : 0;
}

void QVGraphComponentProperties::ApplyDataStyle(QVGraphStyle& style, QVGraphDataList* pGroup)
{
    style.SetShapeType(ObjectOfIndex(m_object.m_nObject));
    style.SetLineType(FrameOfIndex(m_object.m_nFrame));
    style.m_nLineWidth = m_object.m_nFrameWidth;
    style.m_crLineColor = m_object.m_frameColor.GetColor();
    style.m_dSymbolWidth = m_object.m_dWidth;
    style.m_dMarkerSize = m_object.m_dHeight;
    style.m_dBarDepth = m_object.m_dDepth;
    style.SetOption(30, m_object.m_bUseMaxDimensions != 0);
    style.SetMarkerFill(InteriorOfIndex(m_interior.m_nInterior) << 4);
    style.m_crFill1 = m_interior.m_color1.GetColor();
    style.m_crFill2 = m_interior.m_color2.GetColor();
    style.m_dFillValue = m_interior.m_dAngle;
    style.SetImageName(m_interior.m_strResource);
    style.m_strText = m_interior.m_strName;
    style.SetImageStretched(m_interior.m_bStretch != 0);
    if (pGroup != nullptr && m_object.m_bAllObjects) {
        CObList& items = pGroup->GetItemList();
        for (POSITION pos = items.GetHeadPosition(); pos != nullptr;) {
            auto* pItem = static_cast<QVGraphData*>(items.GetNext(pos));
            pItem->GetStyle()->CopyFrom(style);
        }
    }
}
