// The document's chart editing commands: titles and axis labels, lines with their legends and the axis
// scaling, and the print positions; and the conversions between the dialogs' choices and the chart's
// colour words and line codes.
#include "fennick/FennickDoc.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "fennick/ChartDialogs.h"
#include "fennick/FennickApp.h"
#include "fennick/GradationDisplay.h"
#include "fennick/SensitivityDisplay.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/win/WinApp.h"

#include <cstddef>

namespace {

const COLORREF Colors[CLinesLegendsDlg::ColorCount] = {RGB(0, 0, 0), RGB(0, 128, 0), RGB(255, 0, 0), RGB(0, 0, 255),
                                                       RGB(255, 255, 0)};
// Line codes by line-type index: "Solid", "None", "Dotted", "Dashed", "Dash-Dot".
const int LineCodes[CLinesLegendsDlg::LineTypeCount] = {CFennickDoc::LineSolid, CFennickDoc::LineNone,
                                                        CFennickDoc::LineDotted, CFennickDoc::LineDashed,
                                                        CFennickDoc::LineDashDot};

// The orientation of the application's printer; portrait without one or when its mode ends before it.
bool IsDefaultPrinterLandscape()
{
    CWinApp* pApp = AfxGetApp();
    PRINTDLGA defaults = {};
    if (pApp == nullptr || !pApp->GetPrinterDeviceDefaults(&defaults) || defaults.hDevMode == nullptr)
        return false;
    bool bLandscape = false;
    if (const auto* pDevMode = static_cast<const DEVMODEA*>(::GlobalLock(defaults.hDevMode)))
    {
        const size_t nOrientationEnd = offsetof(DEVMODEA, dmOrientation) + sizeof pDevMode->dmOrientation;
        bLandscape = AfxDevModeHolds(pDevMode, nOrientationEnd) && pDevMode->dmOrientation == DMORIENT_LANDSCAPE;
        ::GlobalUnlock(defaults.hDevMode);
    }
    return bLandscape;
}

} // namespace

// ---- Conversions ----

int CFennickDoc::ColorToIndex(COLORREF crColor)
{
    for (int i = 0; i < CLinesLegendsDlg::ColorCount; ++i)
        if (Colors[i] == crColor)
            return i;
    return 0;
}

COLORREF CFennickDoc::IndexToColor(int nIndex)
{
    if (nIndex == -1)
        return Colors[0];
    if (nIndex >= 0 && nIndex < CLinesLegendsDlg::ColorCount)
        return Colors[nIndex];
    return static_cast<COLORREF>(nIndex);
}

int CFennickDoc::LineStyleToIndex(int nLineCode)
{
    switch (nLineCode)
    {
    case 1: case 2: case LineSolid: return 0;
    case LineNone: return 1;
    case LineDotted: return 2;
    case LineDashed: return 3;
    case LineDashDot: return 4;
    default: return -1;
    }
}

int CFennickDoc::IndexToLineStyle(int nIndex)
{
    // Without a selection the line stays solid (code 2 draws solid as 4 does).
    if (nIndex == -1)
        return 2;
    if (nIndex >= 0 && nIndex < CLinesLegendsDlg::LineTypeCount)
        return LineCodes[nIndex];
    return nIndex;
}

// ---- Titles and Labels ----

void CFennickDoc::OnTitlesAndLabels()
{
    // The builders add the Y-axis label, the X-axis label and the title as the first three labels.
    QVGraphLabel* pLabels[3] = {};
    for (int i = 0; i < 3; ++i)
        pLabels[i] = dynamic_cast<QVGraphLabel*>(m_chart.FindComponent(i, IDS_QVG_LABEL));

    CTitlesDlg dlg;
    CString* texts[3] = {&dlg.m_strYAxis, &dlg.m_strXAxis, &dlg.m_strTitle};
    int* sizes[3] = {&dlg.m_nYAxisSize, &dlg.m_nXAxisSize, &dlg.m_nTitleSize};
    for (int i = 0; i < 3; ++i)
    {
        if (pLabels[i] == nullptr)
            continue;
        *texts[i] = pLabels[i]->GetCurrentText();
        *sizes[i] = pLabels[i]->GetStoredFontSize();
    }
    if (dlg.DoModal() == IDOK)
    {
        for (int i = 0; i < 3; ++i)
        {
            if (pLabels[i] == nullptr)
                continue;
            pLabels[i]->SetAnnotationText(*texts[i]);
            pLabels[i]->SetFontSizeValue(*sizes[i]);
        }
        m_chart.Refresh();
    }
    UpdateAllViews(nullptr);
}

// ---- Lines/Legends and Scale ----

void CFennickDoc::OnLinesLegendsScale()
{
    // The display's own class says which limits the chart has: a later plot of another kind changes
    // only the application's current type, never this chart.
    QVGraphComponent* pDisplay = m_chart.FindComponent(0, IDS_QVG_DISPLAY);
    auto* pGradation = dynamic_cast<CGradationDisplay*>(pDisplay);
    auto* pSensitivity = dynamic_cast<CSensitivityDisplay*>(pDisplay);

    CLinesLegendsDlg dlg;
    if (pGradation != nullptr)
    {
        dlg.m_dYMax = 100.0;
        dlg.m_dYTick = pGradation->m_dYStep;
        dlg.m_bAxisEdit = 0;
    }
    else if (pSensitivity != nullptr)
    {
        dlg.m_dYMax = pSensitivity->GetFixedValueMax();
        dlg.m_dXMax = pSensitivity->GetFixedIndexMax();
        dlg.m_dXMin = pSensitivity->GetFixedIndexMin();
        dlg.m_dYMin = pSensitivity->GetFixedValueMin();
        dlg.m_dXTick = pSensitivity->m_dXStep;
        dlg.m_dYTick = pSensitivity->m_dYStep;
        dlg.m_bAxisEdit = 1;
    }

    const int nStyledLines = 3;
    for (int line = 0; line < CLinesLegendsDlg::LineCount; ++line)
    {
        const int nGroup = 2 * line;
        const QVGraphStyle* pStyle = m_chart.FindItem(0, nGroup)->GetStyle();
        dlg.m_nThickness[line] = pStyle->m_nLineWidth;
        if (line < nStyledLines)
        {
            if (nGroup < m_chart.GetGroupCount())
                dlg.m_strLegend[line] = m_chart.GetGroupText(nGroup, 1);
            dlg.m_nLineType[line] = LineStyleToIndex(pStyle->GetLineType());
            dlg.m_nColor[line] = ColorToIndex(pStyle->m_crLineColor);
        }
        else
        {
            // The criteria's symbols show their colour on their edge, the line colour.
            dlg.m_nColor[line] = ColorToIndex(pStyle->m_crLineColor);
        }
    }
    auto* pLegend = dynamic_cast<QVGraphLegend*>(m_chart.FindComponent(0, IDS_QVG_LEGEND));
    if (pLegend != nullptr)
        dlg.m_nLegendFontSize = pLegend->GetStoredFontSize();

    // Lines without a legend are greyed in the dialog, so nothing of theirs was chosen.
    bool bEditable[CLinesLegendsDlg::LineCount] = {};
    for (int line = 0; line < CLinesLegendsDlg::LineCount; ++line)
        bEditable[line] = !dlg.m_strLegend[line].IsEmpty();

    if (dlg.DoModal() != IDOK)
        return;

    if (pGradation != nullptr)
    {
        pGradation->SetYStep(dlg.m_dYTick);
    }
    else if (pSensitivity != nullptr)
    {
        pSensitivity->SetFixedValueMax(dlg.m_dYMax);
        pSensitivity->SetFixedIndexMax(dlg.m_dXMax);
        pSensitivity->SetFixedValueMin(dlg.m_dYMin);
        pSensitivity->SetFixedIndexMin(dlg.m_dXMin);
        pSensitivity->m_dXStep = dlg.m_dXTick;
        pSensitivity->m_dYStep = dlg.m_dYTick;
    }

    // Legends: a line of type "None" keeps a blank in its key, so the key shows no name.
    for (int line = 0; line < nStyledLines; ++line)
    {
        const int nGroup = 2 * line;
        const CString& strLegend = dlg.m_strLegend[line];
        const bool bNone = dlg.m_nLineType[line] == CLinesLegendsDlg::LineTypeNone;
        if (line < 2 && bNone)
            m_chart.SetGroupText(nGroup, " ", TRUE);
        else if (!strLegend.IsEmpty())
            m_chart.SetGroupText(nGroup, strLegend, TRUE);
    }
    if (pLegend != nullptr)
        pLegend->SetFont(dlg.m_nLegendFontSize, pLegend->GetFontStyle(), pLegend->GetFaceName());

    // The styles of lines 1 to 3; the criteria's symbols (lines 4 and 5) are never written back.
    for (int line = 0; line < nStyledLines; ++line)
    {
        const int nGroup = 2 * line;
        if (!bEditable[line] || nGroup >= m_chart.GetGroupCount() || m_chart.GetGroupSize(nGroup) == 0)
            continue;
        QVGraphStyle style(*m_chart.FindItem(0, nGroup)->GetStyle());
        style.m_nLineWidth = dlg.m_nThickness[line];
        style.SetLineType(IndexToLineStyle(dlg.m_nLineType[line]));
        style.m_crLineColor = IndexToColor(dlg.m_nColor[line]);
        m_chart.ApplyStyle(nGroup, nGroup + 1, -1, -1, style, TRUE);
    }
    m_chart.Refresh();
    UpdateAllViews(nullptr);
}

// ---- Print Page Setup ----

void CFennickDoc::OnPrintPageSetup()
{
    CFennickApp* pApp = FennickApp();
    if (pApp == nullptr)
        return;
    double* positions = IsDefaultPrinterLandscape() ? pApp->m_dLandscapePositions : pApp->m_dPortraitPositions;
    CPrintPageSetupDlg dlg;
    dlg.m_dTop = positions[CFennickApp::PositionTop];
    dlg.m_dBottom = positions[CFennickApp::PositionBottom];
    dlg.m_dLeft = positions[CFennickApp::PositionLeft];
    dlg.m_dRight = positions[CFennickApp::PositionRight];
    if (dlg.DoModal() != IDOK)
        return;
    positions[CFennickApp::PositionTop] = dlg.m_dTop;
    positions[CFennickApp::PositionBottom] = dlg.m_dBottom;
    positions[CFennickApp::PositionLeft] = dlg.m_dLeft;
    positions[CFennickApp::PositionRight] = dlg.m_dRight;
}
