#include "quarrow/pages/SieveAnalysis.h"

#include <cmath>
#include <initializer_list>

#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"
#include "framework/win/Seams.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/MaterialLayer.h"
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/PlotDataFile.h"
#include "quarrow/pages/ResultDependencies.h"
#include "quarrow/pages/WaterLossDlg.h"
#include "resources/quarrow/resource.h"

namespace {

const char HelpTopic[] = "Sieve Analysis.htm";

// Control id and help context id pairs of the context-help popups, ended by two zeros.
const DWORD HelpIds[] = {
    IDC_SV_RANGE, 1203, IDC_SV_VALUE, 1204, IDC_SV_GRID, 1205, IDC_SV_ADD, 1206, IDC_SV_REMOVE, 1207,
    IDC_SV_BASE, 1208, IDC_SV_SUBGRADE, 1209, IDC_SV_SEPARATOR, 1210, IDC_SV_AGGREGATE_SEPARATOR, 1211,
    IDC_SV_LABEL_P200, 1212, IDC_SV_P200, 1212, IDC_SV_UNIT_P200, 1212,
    IDC_SV_LABEL_D10, 1213, IDC_SV_D10, 1213, IDC_SV_UNIT_D10, 1213,
    IDC_SV_LABEL_D12, 1214, IDC_SV_D12, 1214, IDC_SV_UNIT_D12, 1214,
    IDC_SV_LABEL_D15, 1215, IDC_SV_D15, 1215, IDC_SV_UNIT_D15, 1215,
    IDC_SV_LABEL_D30, 1216, IDC_SV_D30, 1216, IDC_SV_UNIT_D30, 1216,
    IDC_SV_LABEL_D50, 1217, IDC_SV_D50, 1217, IDC_SV_UNIT_D50, 1217,
    IDC_SV_LABEL_D60, 1218, IDC_SV_D60, 1218, IDC_SV_UNIT_D60, 1218,
    IDC_SV_LABEL_D85, 1219, IDC_SV_D85, 1219, IDC_SV_UNIT_D85, 1219,
    IDC_SV_LABEL_CU, 1220, IDC_SV_CU, 1220,
    IDC_SV_LABEL_CC, 1221, IDC_SV_CC, 1221,
    IDC_SV_GRADATION, 1222, IDC_SV_PLOT, 1223,
    IDC_SV_LABEL_UW, 1224, IDC_SV_UNIT_UW, 1224,
    IDC_SV_LABEL_SG, 1225, IDC_SV_LABEL_POROSITY, 1226, IDC_SV_CALC_POROSITY, 1227,
    IDC_SV_WATER_LOSS, 1228, IDC_SV_WATER_CONTENT, 1229,
    IDC_SV_WATER_CAPTION, 1230, IDC_SV_UNIT_WATER, 1230,
    IDC_SV_CALC_EFFECTIVE, 1231, IDC_SV_LABEL_EFFECTIVE, 1232, IDC_SV_CALC_PERMEABILITY, 1233,
    IDC_SV_PIC_K, 1234,
    0, 0,
};

// Metric sieve labels, finest first; the #10 sieve reads 2.00 although its size is 1.888 mm.
const char* const MetricSieveLabels[CProjectData::SieveCount] = {
    "0.001", "0.002", "0.020", "0.075", "0.150", "0.212", "0.250", "0.300", "0.425", "0.600", "0.931", "1.18",
    "2.00",  "2.36",  "4.75",  "9.5",   "12.5",  "19.0",  "25.0",  "37.5",  "50.0",  "63.0",  "75.0", "90.0",
};

const int GrainSizeFields[CMaterialLayer::GrainSizeCount] = {
    IDC_SV_D10, IDC_SV_D12, IDC_SV_D15, IDC_SV_D30, IDC_SV_D50, IDC_SV_D60, IDC_SV_D85,
};
const int GrainSizeUnits[CMaterialLayer::GrainSizeCount] = {
    IDC_SV_UNIT_D10, IDC_SV_UNIT_D12, IDC_SV_UNIT_D15, IDC_SV_UNIT_D30,
    IDC_SV_UNIT_D50, IDC_SV_UNIT_D60, IDC_SV_UNIT_D85,
};

const COLORREF OutOfOrderColour = RGB(255, 0, 0);
const COLORREF InOrderColour = RGB(0, 0, 0);

// Unit weight of water: lb/ft3, kg/m3.
const double WaterUnitWeightEnglish = 62.4;
const double WaterUnitWeightMetric = 1000.0;
const double MillimetresPerInch = 25.4;
const double MetresPerFoot = 0.3048;

using LayerField = CMaterialLayer::TextField CMaterialLayer::*;

int LayerRadio(const CMaterialLayer& layer)
{
    switch (layer.nIndex)
    {
    case CProjectData::LayerSubgrade: return IDC_SV_SUBGRADE;
    case CProjectData::LayerSeparator: return IDC_SV_SEPARATOR;
    default: return IDC_SV_BASE;
    }
}

// ---- Leaving an edit of the material panel ----

CString ThreeDecimalsText(double value)
{
    CString strText;
    strText.Format("%.3f", value);
    return strText;
}

CString TwoDecimalsText(double value)
{
    CString strText;
    strText.Format("%.2f", value);
    return strText;
}

CString PermeabilityText(double value)
{
    return PageFixedOrExponent(value, 0.01, "%.2f", "%.3e");
}

struct LeaveRule
{
    int nEdit;
    LayerField field;
    CString (*StoredText)(double value);
    std::initializer_list<LayerField> changedClears;
    std::initializer_list<LayerField> emptiedClears;   // besides the field itself
    const char* CMaterialLayer::*pWarning;             // queued in normal mode when changed
};

const LeaveRule LeaveRules[] = {
    {IDC_SV_UNIT_WEIGHT, &CMaterialLayer::unitWeight, PageDigits5,
     {&CMaterialLayer::porosity, &CMaterialLayer::effectivePorosity}, {}, nullptr},
    {IDC_SV_SPECIFIC_GRAVITY, &CMaterialLayer::specificGravity, PageDigits5,
     {&CMaterialLayer::porosity, &CMaterialLayer::effectivePorosity}, {}, nullptr},
    {IDC_SV_POROSITY, &CMaterialLayer::porosity, ThreeDecimalsText,
     {&CMaterialLayer::specificGravity, &CMaterialLayer::effectivePorosity}, {&CMaterialLayer::effectivePorosity},
     &CMaterialLayer::pszPorosityWarning},
    {IDC_SV_WATER, &CMaterialLayer::water, TwoDecimalsText, {&CMaterialLayer::effectivePorosity}, {}, nullptr},
    {IDC_SV_EFFECTIVE_POROSITY, &CMaterialLayer::effectivePorosity, TwoDecimalsText, {}, {},
     &CMaterialLayer::pszEffectivePorosityWarning},
    {IDC_SV_PERMEABILITY, &CMaterialLayer::permeability, PermeabilityText, {}, {}, nullptr},
};

const LeaveRule* FindLeaveRule(UINT nID)
{
    for (const LeaveRule& rule : LeaveRules)
        if (rule.nEdit == static_cast<int>(nID))
            return &rule;
    return nullptr;
}

} // namespace

const char CSieveAnalysis::EmptyTableMessage[] = "Enter sieve data before calculating gradation analysis.";
const char CSieveAnalysis::NoFinesMessage[] = "The percent passing the #200 sieve must be greater than 0";
const char CSieveAnalysis::NoPorosityMessage[] = "The porosity must be greater than 0";
const char CSieveAnalysis::SpecificGravityMessage[] = "Specific gravity must be greater than zero.";
const char CSieveAnalysis::NegativeEffectivePorosityMessage[] =
    "The effective porosity computed from these values is negative; check the water content or water loss.";

IMPLEMENT_DYNCREATE(CSieveAnalysis, CPropertyPage)

BEGIN_MESSAGE_MAP(CSieveAnalysis, CPropertyPage)
    ON_WM_PAINT()
    ON_WM_KILLFOCUS()
    ON_WM_CONTEXTMENU()
    ON_WM_HELPINFO()
    ON_CONTROL(CSieveGrid::CellEditedCode, IDC_SV_GRID, OnSieveCellEdited)
    ON_CONTROL(CSieveGrid::LeaveTableCode, IDC_SV_GRID, OnSieveGridLeave)
    ON_BN_CLICKED(IDC_SV_RANGE, OnRangeMode)
    ON_BN_CLICKED(IDC_SV_VALUE, OnValueMode)
    ON_BN_CLICKED(IDC_SV_BASE, OnBaseLayer)
    ON_BN_CLICKED(IDC_SV_SUBGRADE, OnSubgradeLayer)
    ON_BN_CLICKED(IDC_SV_SEPARATOR, OnSeparatorLayer)
    ON_BN_CLICKED(IDC_SV_AGGREGATE_SEPARATOR, OnIncludeAggregateSeparator)
    ON_BN_CLICKED(IDC_SV_GRADATION, OnGradationAnalysis)
    ON_BN_CLICKED(IDC_SV_PLOT, OnPlotGradation)
    ON_BN_CLICKED(IDC_SV_CALC_POROSITY, OnCalcPorosity)
    ON_BN_CLICKED(IDC_SV_CALC_EFFECTIVE, OnCalcEffectivePorosity)
    ON_BN_CLICKED(IDC_SV_CALC_PERMEABILITY, OnCalcPermeability)
    ON_BN_CLICKED(IDC_SV_WATER_LOSS, OnWaterLossMethod)
    ON_BN_CLICKED(IDC_SV_WATER_CONTENT, OnWaterContentMethod)
    ON_EN_SETFOCUS(IDC_SV_UNIT_WEIGHT, OnEnterUnitWeight)
    ON_EN_SETFOCUS(IDC_SV_SPECIFIC_GRAVITY, OnEnterSpecificGravity)
    ON_EN_SETFOCUS(IDC_SV_POROSITY, OnEnterPorosity)
    ON_EN_SETFOCUS(IDC_SV_WATER, OnEnterWater)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_SV_UNIT_WEIGHT, IDC_SV_PERMEABILITY, OnLeaveEdit)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_SV_EFFECTIVE_POROSITY, IDC_SV_EFFECTIVE_POROSITY, OnLeaveEdit)
    ON_BN_CLICKED(IDC_SV_ADD, OnAddToLibrary)
    ON_CBN_SELCHANGE(IDC_SV_LIBRARY, OnSelectLibraryGradation)
    ON_CBN_DBLCLK(IDC_SV_LIBRARY, OnLibraryDoubleClick)
    ON_BN_CLICKED(IDC_SV_REMOVE, OnRemoveFromLibrary)
END_MESSAGE_MAP()

CSieveAnalysis::CSieveAnalysis() : CPropertyPage(IDD_SIEVE_ANALYSIS)
{
}

CSieveAnalysis::~CSieveAnalysis()
{
    if (m_grid.GetSafeHwnd() != nullptr)
        m_grid.DestroyWindow();
}

void CSieveAnalysis::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SV_PIC_K, m_picPermeability);
    DDX_Control(pDX, IDC_SV_LIBRARY, m_cboLibrary);
}

const CMaterialLayer* CSieveAnalysis::CurrentLayer() const
{
    return m_pProjectData != nullptr ? CMaterialLayer::Find(m_pProjectData->m_strSieveLayer) : nullptr;
}

// ---- Set-up, activation and leaving ----

BOOL CSieveAnalysis::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    FillLibraryList();
    m_grid.SubclassDlgItem(IDC_SV_GRID, this);
    m_grid.Initialize();

    m_btnGradation.SubclassDlgItem(IDC_SV_GRADATION, this);
    m_btnPlot.SubclassDlgItem(IDC_SV_PLOT, this);
    m_btnPorosity.SubclassDlgItem(IDC_SV_CALC_POROSITY, this);
    m_btnEffectivePorosity.SubclassDlgItem(IDC_SV_CALC_EFFECTIVE, this);
    m_btnPermeability.SubclassDlgItem(IDC_SV_CALC_PERMEABILITY, this);
    m_bmpCalculator.LoadBitmap(IDB_CALCULATOR);
    m_bmpPlot.LoadBitmap(IDB_PLOT);
    m_bmpPermeabilityBase.LoadBitmap(IDB_SYMBOL_K_LINK);
    m_bmpPermeabilitySubgrade.LoadBitmap(IDB_K_SUBGRADE);
    m_bmpPermeabilitySeparator.LoadBitmap(IDB_K_SEPARATOR);
    m_bmpUnitWeightMetric.LoadBitmap(IDB_UNIT_DENSITY_METRIC);
    m_bmpUnitWeightEnglish.LoadBitmap(IDB_UNIT_DENSITY_ENGLISH);
    for (CButton* pButton : {&m_btnGradation, &m_btnPorosity, &m_btnEffectivePorosity, &m_btnPermeability})
        pButton->SetBitmap(m_bmpCalculator);
    m_btnPlot.SetBitmap(m_bmpPlot);

    m_bLibraryMaterial = TRUE;
    // The first analysis whose table is in order enables the plot.
    m_btnPlot.EnableWindow(FALSE);
    m_bReloadSieveTable = TRUE;
    LayoutSieveGrid();
    return TRUE;
}

BOOL CSieveAnalysis::OnSetActive()
{
    m_warning.Drop();
    if (m_pProjectData != nullptr)
    {
        const CProjectData& data = *m_pProjectData;
        CheckRadioButton(IDC_SV_RANGE, IDC_SV_VALUE, data.m_strSieveType == "range" ? IDC_SV_RANGE : IDC_SV_VALUE);
        UpdateLayerControls();
        const bool bAggregate = data.m_strSeparatorType == "aggregate";
        if (CWnd* pSeparator = GetDlgItem(IDC_SV_SEPARATOR))
            pSeparator->EnableWindow(bAggregate);
        CheckDlgButton(IDC_SV_AGGREGATE_SEPARATOR, bAggregate ? BST_CHECKED : BST_UNCHECKED);
        LayoutSieveGrid();
    }
    return CPropertyPage::OnSetActive();
}

BOOL CSieveAnalysis::OnKillActive()
{
    StoreSieveTable();
    // Ends the editing of a sieve cell.
    PageFocusSink(this, IDC_SV_FOCUS_SINK);
    return CPropertyPage::OnKillActive();
}

void CSieveAnalysis::OnKillFocus(CWnd* pNewWnd)
{
    CPropertyPage::OnKillFocus(pNewWnd);
    StoreSieveTable();
}

BOOL CSieveAnalysis::PreTranslateMessage(MSG* pMsg)
{
    m_warning.ShowPending(this);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

// ---- The sieve table ----

void CSieveAnalysis::SetCellText(ROWCOL nRow, ROWCOL nCol, const CString& strText)
{
    const BOOL bWasWriting = m_bWritingGrid;
    m_bWritingGrid = TRUE;
    m_grid.SetValueRange(CGXRange(nRow, nCol), strText);
    m_bWritingGrid = bWasWriting;
}

void CSieveAnalysis::LayoutSieveGrid()
{
    if (m_pProjectData == nullptr || m_grid.GetSafeHwnd() == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CMaterialLayer* pLayer = CurrentLayer();
    const bool bRange = data.m_strSieveType == "range";
    const bool bEnglish = data.m_strUnits == "english";

    // An edit still open in the grid belongs to the table it replaces.
    m_grid.TransferCurrentCellValue(FALSE);
    CGXGridParam* pParam = m_grid.GetParam();
    // Undo and redo would write one table's cells into another: another layer, mode or design
    // starts without them.
    if (m_bReloadSieveTable || m_strGridLayer != data.m_strSieveLayer || m_strGridMode != data.m_strSieveType)
    {
        pParam->EmptyUndoList();
        pParam->EmptyRedoList();
    }
    const BOOL bUndo = pParam->IsEnableUndo();
    pParam->EnableUndo(FALSE);
    const BOOL bLocked = m_grid.SetLockUpdate(TRUE);
    m_grid.SetRowCount(CProjectData::SieveCount);
    pParam->SetRowResizeFlags(0);
    pParam->SetColResizeFlags(0);

    const int nUnit = m_grid.GetColSizeUnit();
    const CRect rcGrid = m_grid.GetGridRect();
    const int nWidth = rcGrid.right - rcGrid.left;
    m_grid.SetRowHeight(0, 0, 6 * nUnit);
    m_grid.SetColWidth(0, 0, 8 * nUnit);
    for (ROWCOL nRow = 1; nRow <= CProjectData::SieveCount; ++nRow)
        SetCellText(nRow, 0, bEnglish ? CProjectData::SieveLabels[nRow - 1] : MetricSieveLabels[nRow - 1]);
    SetCellText(0, 0, bEnglish ? "Sieve" : "Sieve (mm)");

    auto layerText = [&](int nRow, int nPart) {
        return pLayer != nullptr ? pLayer->SieveText(data, nRow, nPart) : CString();
    };
    if (bRange)
    {
        m_grid.SetColCount(2);
        m_grid.SetColWidth(1, 2, (nWidth - 8 * nUnit) / 2);
        SetCellText(0, 1, "Lower Bound");
        SetCellText(0, 2, "Upper Bound");
        for (ROWCOL nRow = 1; nRow <= CProjectData::SieveCount; ++nRow)
        {
            SetCellText(nRow, 1, layerText(nRow - 1, CProjectData::SieveLower));
            SetCellText(nRow, 2, layerText(nRow - 1, CProjectData::SieveUpper));
        }
    }
    else
    {
        m_grid.SetColCount(1);
        m_grid.SetColWidth(1, 1, nWidth - 8 * nUnit - 1);
        SetCellText(0, 1, "Percent Passing");
        for (ROWCOL nRow = 1; nRow <= CProjectData::SieveCount; ++nRow)
            SetCellText(nRow, 1, layerText(nRow - 1, CProjectData::SieveValue));
    }
    m_strGridLayer = data.m_strSieveLayer;
    m_strGridMode = data.m_strSieveType;
    m_bReloadSieveTable = FALSE;

    m_grid.SetLockUpdate(bLocked);
    pParam->EnableUndo(bUndo);
    m_grid.RedrawGrid();
}

void CSieveAnalysis::StoreSieveTable()
{
    if (m_pProjectData == nullptr || m_grid.GetSafeHwnd() == nullptr || m_bReloadSieveTable)
        return;
    CProjectData& data = *m_pProjectData;
    // The grid shows the table it was laid out for, whatever the layer word says by now.
    const CMaterialLayer* pLayer = CMaterialLayer::Find(m_strGridLayer);
    if (pLayer == nullptr)
        return;
    const int nSelected = m_cboLibrary.GetSafeHwnd() != nullptr ? m_cboLibrary.GetCurSel() : CB_ERR;
    if (nSelected != CB_ERR)
        m_cboLibrary.GetLBText(nSelected, data.*pLayer->description);
    if (data.m_strSieveSource != "sieve")
        return;

    // The text being typed into a cell is part of the table.
    m_grid.TransferCurrentCellValue(TRUE);
    CGXGridParam* pParam = m_grid.GetParam();
    const BOOL bUndo = pParam->IsEnableUndo();
    pParam->EnableUndo(FALSE);
    const BOOL bLocked = m_grid.SetLockUpdate(TRUE);
    const bool bRange = m_strGridMode == "range";
    for (ROWCOL nRow = 1; nRow <= CProjectData::SieveCount; ++nRow)
    {
        for (ROWCOL nCol = 1; nCol <= (bRange ? 2u : 1u); ++nCol)
        {
            const int nPart = !bRange ? CProjectData::SieveValue
                              : nCol == 1 ? CProjectData::SieveLower
                                          : CProjectData::SieveUpper;
            const CString strCell = m_grid.GetValueRowCol(nRow, nCol);
            const CString strText = CGradationAnalysis::PercentText(strCell);
            pLayer->SieveText(data, nRow - 1, nPart) = strText;
            pLayer->SieveNumber(data, nRow - 1, nPart) = strText.IsEmpty() ? -1.0 : TypedNumber(strText);
            if (strText != strCell)
                SetCellText(nRow, nCol, strText);
        }
    }
    m_grid.SetLockUpdate(bLocked);
    pParam->EnableUndo(bUndo);
    m_grid.RedrawGrid();
}

void CSieveAnalysis::OnSieveCellEdited()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (m_bWritingGrid || pLayer == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    // The old gradation and everything derived from it, the material itself included, are gone,
    // with what the other pages computed from them.
    CResultDependencies::ClearResultsOf(data, {CDesignValue::SieveTable(pLayer->nIndex)});
    CGradationAnalysis::ClearResults(data, *pLayer);
    for (LayerField field : {&CMaterialLayer::unitWeight, &CMaterialLayer::specificGravity,
                             &CMaterialLayer::permeability, &CMaterialLayer::porosity,
                             &CMaterialLayer::effectivePorosity, &CMaterialLayer::water})
        (data.*(pLayer->*field)).Empty();
    data.*pLayer->description = UserDefinedMaterial;
    m_bLibraryMaterial = FALSE;
    data.m_bSeparatorChecked = 0;
    RefreshPage();
}

void CSieveAnalysis::ClearGradationResults()
{
    if (const CMaterialLayer* pLayer = CurrentLayer())
        CGradationAnalysis::ClearResults(*m_pProjectData, *pLayer);
    RefreshPage();
}

void CSieveAnalysis::OnSieveGridLeave()
{
    if (CWnd* pGradation = GetDlgItem(IDC_SV_GRADATION))
        pGradation->SetFocus();
}

// ---- Mode and layer ----

void CSieveAnalysis::SelectMode(const char* pszMode)
{
    if (m_pProjectData == nullptr)
        return;
    StoreSieveTable();
    m_pProjectData->m_strSieveType = pszMode;
    LayoutSieveGrid();
}

void CSieveAnalysis::OnRangeMode()
{
    SelectMode("range");
}

void CSieveAnalysis::OnValueMode()
{
    SelectMode("value");
}

void CSieveAnalysis::SelectLayer(const char* pszLayer)
{
    if (m_pProjectData == nullptr)
        return;
    StoreSieveTable();
    m_pProjectData->m_strSieveLayer = pszLayer;
    LayoutSieveGrid();
    RefreshPage();
}

void CSieveAnalysis::OnBaseLayer()
{
    SelectLayer("base");
}

void CSieveAnalysis::OnSubgradeLayer()
{
    SelectLayer("subgrade");
}

void CSieveAnalysis::OnSeparatorLayer()
{
    SelectLayer("seperator");
}

void CSieveAnalysis::OnIncludeAggregateSeparator()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    StoreSieveTable();
    const bool bIncluded = IsDlgButtonChecked(IDC_SV_AGGREGATE_SEPARATOR) == BST_CHECKED;
    data.m_strSeparatorType = bIncluded ? "aggregate" : "none";
    // The separator criteria were judged for the other kind.
    data.m_bSeparatorChecked = 0;
    CWnd* pSeparator = GetDlgItem(IDC_SV_SEPARATOR);
    if (pSeparator != nullptr)
        pSeparator->EnableWindow(bIncluded);
    if (!bIncluded && IsDlgButtonChecked(IDC_SV_SEPARATOR) == BST_CHECKED)
    {
        CheckRadioButton(IDC_SV_BASE, IDC_SV_SEPARATOR, IDC_SV_BASE);
        OnBaseLayer();
        return;
    }
    RefreshPage();
}

// ---- Refreshing the page from the record ----

void CSieveAnalysis::OnPaint()
{
    if (m_pProjectData != nullptr)
    {
        // Painting changes nothing of the design.
        const BOOL bModified = m_pProjectData->m_bModified;
        RefreshPage();
        m_pProjectData->m_bModified = bModified;
    }
    // Validates what the work above invalidated as well.
    CPaintDC dc(this);
}

void CSieveAnalysis::RefreshPage()
{
    if (m_pProjectData == nullptr || GetSafeHwnd() == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    DrawLayerPictures();
    // The main dialog's status links switch the layer while the grid still shows the old one.
    if (!m_bReloadSieveTable && (m_strGridLayer != data.m_strSieveLayer || m_strGridMode != data.m_strSieveType))
    {
        StoreSieveTable();
        m_bReloadSieveTable = TRUE;
    }
    if (m_bReloadSieveTable)
        LayoutSieveGrid();
    ShowLayerValues();
    UpdateLayerControls();
    ShowGradationResults();
    ShowUnitCaptions();
    SelectLibraryMaterial();
    PageHonourFocusRequest(this, data);
}

void CSieveAnalysis::ShowRecord()
{
    if (m_pProjectData == nullptr)
        return;
    RefreshPage();
    PageShowSummary(*m_pProjectData);
}

BOOL CSieveAnalysis::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CRecordChange change(m_pProjectData);
    const BOOL bHandled = CPropertyPage::OnCommand(wParam, lParam);
    if (change.ClearStaleResults())
        ShowRecord();
    return bHandled;
}

void CSieveAnalysis::DrawLayerPictures()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr || m_picPermeability.GetSafeHwnd() == nullptr)
        return;
    CBitmap* pSymbol = &m_bmpPermeabilityBase;
    if (pLayer->nIndex == CProjectData::LayerSubgrade)
        pSymbol = &m_bmpPermeabilitySubgrade;
    else if (pLayer->nIndex == CProjectData::LayerSeparator)
        pSymbol = &m_bmpPermeabilitySeparator;
    PageSetPictureIfDifferent(this, IDC_SV_PIC_K, static_cast<HBITMAP>(pSymbol->GetSafeHandle()));
}

void CSieveAnalysis::ShowGradationResults()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    for (int nSize = 0; nSize < CMaterialLayer::GrainSizeCount; ++nSize)
        PageSetTextIfDifferent(this, GrainSizeFields[nSize], data.*pLayer->grainSizes[nSize]);
    PageSetTextIfDifferent(this, IDC_SV_P200, data.*pLayer->p200);
    PageSetTextIfDifferent(this, IDC_SV_CU, data.*pLayer->cu);
    PageSetTextIfDifferent(this, IDC_SV_CC, data.*pLayer->cc);
}

void CSieveAnalysis::SelectLibraryMaterial()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr || m_cboLibrary.GetSafeHwnd() == nullptr)
        return;
    const CString& strDescription = m_pProjectData->*pLayer->description;
    // The whole name, without regard to case as file names go; a name the list lacks selects nothing.
    const int nEntry = m_cboLibrary.FindStringExact(0, strDescription);
    if (m_cboLibrary.GetCurSel() != nEntry)
        m_cboLibrary.SetCurSel(nEntry);
    if (pLayer->nIndex == CProjectData::LayerBase)
        m_bLibraryMaterial = strDescription != UserDefinedMaterial;
}

void CSieveAnalysis::UpdateLayerControls()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    auto filled = [&](int nEdit, LayerField field) { return PageFieldFilled(this, nEdit, data.*(pLayer->*field)); };

    CheckRadioButton(IDC_SV_BASE, IDC_SV_SEPARATOR, LayerRadio(*pLayer));
    m_btnPorosity.EnableWindow(filled(IDC_SV_UNIT_WEIGHT, &CMaterialLayer::unitWeight) &&
                               filled(IDC_SV_SPECIFIC_GRAVITY, &CMaterialLayer::specificGravity));
    const bool bPorosity = filled(IDC_SV_POROSITY, &CMaterialLayer::porosity);
    m_btnPermeability.EnableWindow(!(data.*pLayer->grainSizes[0]).IsEmpty() && bPorosity);
    const bool bContent = data.*pLayer->waterMethod == "content";
    CheckRadioButton(IDC_SV_WATER_LOSS, IDC_SV_WATER_CONTENT, bContent ? IDC_SV_WATER_CONTENT : IDC_SV_WATER_LOSS);
    PageSetTextIfDifferent(this, IDC_SV_WATER_CAPTION, bContent ? "Grav. Water Content" : "Water Loss");
    // The water content method also needs the unit weight and the water content.
    m_btnEffectivePorosity.EnableWindow(
        bPorosity && (!bContent || (filled(IDC_SV_UNIT_WEIGHT, &CMaterialLayer::unitWeight) &&
                                    filled(IDC_SV_WATER, &CMaterialLayer::water))));
    DrawLayerPictures();
}

void CSieveAnalysis::ShowLayerValues()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    data.m_bModified = 1;
    PageSetTextIfDifferent(this, IDC_SV_UNIT_WEIGHT, data.*pLayer->unitWeight);
    PageSetTextIfDifferent(this, IDC_SV_SPECIFIC_GRAVITY, data.*pLayer->specificGravity);
    PageSetTextIfDifferent(this, IDC_SV_POROSITY, data.*pLayer->porosity);
    PageSetTextIfDifferent(this, IDC_SV_WATER, data.*pLayer->water);
    PageSetTextIfDifferent(this, IDC_SV_PERMEABILITY, data.*pLayer->permeability);
    PageSetTextIfDifferent(this, IDC_SV_EFFECTIVE_POROSITY, data.*pLayer->effectivePorosity);
    PageSetSummaryText(IDC_BASE_STATUS, MaterialStatusText(data, CProjectData::LayerBase));
    PageSetSummaryText(IDC_SUBGRADE_STATUS, MaterialStatusText(data, CProjectData::LayerSubgrade));
    PageSetSummaryText(IDC_SEPARATOR_STATUS, MaterialStatusText(data, CProjectData::LayerSeparator));
}

void CSieveAnalysis::ShowUnitCaptions()
{
    const bool bMetric = m_pProjectData->IsMetric();
    for (int nID : GrainSizeUnits)
        PageSetTextIfDifferent(this, nID, bMetric ? "mm" : "in.");
    PageSetTextIfDifferent(this, IDC_SV_UNIT_K, bMetric ? "m/d" : "ft/d");
    PageSetPictureIfDifferent(this, IDC_SV_UNIT_UW,
                          static_cast<HBITMAP>(bMetric ? m_bmpUnitWeightMetric.GetSafeHandle()
                                                       : m_bmpUnitWeightEnglish.GetSafeHandle()));
}

// ---- Gradation analysis and plot ----

void CSieveAnalysis::OnGradationAnalysis()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    m_bGradationValid = TRUE;
    StoreSieveTable();
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
    {
        m_bGradationValid = FALSE;
        return;
    }
    if (CGradationAnalysis::IsTableEmpty(data, *pLayer))
    {
        AfxMessageBox(EmptyTableMessage, MB_OKCANCEL);
        return;
    }
    // Only sieve data are ever entered; a table of another kind is not checked, so not in order.
    if (data.m_strSieveSource != "sieve")
    {
        m_bGradationValid = FALSE;
        return;
    }

    const bool bRange = data.m_strSieveType == "range";
    CGradationAnalysis::ReadTexts(data, *pLayer, bRange);
    const CGradationAnalysis::OrderCheck check = CGradationAnalysis::CheckOrder(data, *pLayer, bRange);
    const BOOL bLocked = m_grid.SetLockUpdate(TRUE);
    const ROWCOL nColumns = bRange && m_grid.GetColCount() >= 2 ? 2 : 1;
    for (ROWCOL nRow = 1; nRow <= CProjectData::SieveCount; ++nRow)
    {
        for (ROWCOL nCol = 1; nCol <= nColumns; ++nCol)
        {
            CGXStyle colour;
            colour.SetTextColor(check.bBadCell[nRow - 1][nCol - 1] ? OutOfOrderColour : InOrderColour);
            m_grid.SetStyleRange(CGXRange(nRow, nCol), colour, gxOverride);
        }
    }
    m_grid.SetLockUpdate(bLocked);
    m_points = check.points;
    m_bGradationValid = check.bValid;
    if (m_bGradationValid)
    {
        ComputeGradationParameters();
        data.m_bSeparatorChecked = 0;
        m_btnPlot.EnableWindow(TRUE);
    }
    m_grid.RedrawGrid();
    CGradationAnalysis::CompleteTable(data, *pLayer, data.m_strSieveType);
}

void CSieveAnalysis::ComputeGradationParameters()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr || m_points.size() < 2)
        return;
    CGradationAnalysis::StoreParameters(*m_pProjectData, *pLayer, CGradationAnalysis::ComputeParameters(m_points));
    RefreshPage();
}

void CSieveAnalysis::OnPlotGradation()
{
    if (m_pProjectData == nullptr)
        return;
    // A cell edited since the analysis is plotted as the grid shows it.
    StoreSieveTable();
    PlotToFennick(CPlotDataFile::WriteGradation, *m_pProjectData);
    m_btnPlot.EnableWindow(FALSE);
}

// ---- Material commands ----

void CSieveAnalysis::OnCalcPorosity()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const double dUnitWeight = TypedNumber(PageItemText(this, IDC_SV_UNIT_WEIGHT));
    const double dSpecificGravity = TypedNumber(PageItemText(this, IDC_SV_SPECIFIC_GRAVITY));
    if (dSpecificGravity <= 0.0)
    {
        AfxMessageBox(SpecificGravityMessage, MB_OKCANCEL);
        return;
    }
    const double dWater = data.IsMetric() ? WaterUnitWeightMetric : WaterUnitWeightEnglish;
    (data.*pLayer->porosity).Format("%.3f", 1.0 - dUnitWeight / (dSpecificGravity * dWater));
    RefreshPage();
}

void CSieveAnalysis::OnCalcEffectivePorosity()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const double dPorosity = TypedNumber(PageItemText(this, IDC_SV_POROSITY));
    const double dWater = TypedNumber(PageItemText(this, IDC_SV_WATER));
    const CString& strMethod = data.*pLayer->waterMethod;
    double dEffective = 0.0;
    if (strMethod == "content")
    {
        const double dUnitWeight = TypedNumber(PageItemText(this, IDC_SV_UNIT_WEIGHT));
        const double dWaterWeight = data.IsMetric() ? WaterUnitWeightMetric : WaterUnitWeightEnglish;
        dEffective = dPorosity - dUnitWeight * (dWater * 0.01) / dWaterWeight;
    }
    else if (strMethod == "loss")
    {
        dEffective = dPorosity * dWater * 0.01;
    }
    else
    {
        return;
    }
    if (dEffective < 0.0)
    {
        AfxMessageBox(NegativeEffectivePorosityMessage, MB_OKCANCEL);
        return;
    }
    (data.*pLayer->effectivePorosity).Format("%.3f", dEffective);
    RefreshPage();
}

void CSieveAnalysis::OnCalcPermeability()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const double dPorosity = TypedNumber(data.*pLayer->porosity);
    const double dFines = TypedNumber(data.*pLayer->p200);
    double dD10 = TypedNumber(data.*pLayer->grainSizes[0]);
    // The power of a negative percentage has no value either.
    if (dFines <= 0.0)
    {
        AfxMessageBox(NoFinesMessage, MB_OKCANCEL);
        return;
    }
    // A porosity below 0 has no power either, and one of 0 no permeability.
    if (dPorosity <= 0.0)
    {
        AfxMessageBox(NoPorosityMessage, MB_OKCANCEL);
        return;
    }
    if (data.m_strUnits == "english")
        dD10 *= MillimetresPerInch;
    // Feet per day, from D10 in millimetres and p200 in percent.
    double dPermeability = 621400.0 * std::pow(dD10, 1.478) * std::pow(dPorosity, 6.654) / std::pow(dFines, 0.597);
    if (data.IsMetric())
        dPermeability *= MetresPerFoot;
    data.*pLayer->permeability = PageFixedOrExponent(dPermeability, 0.01, "%.3f", "%.3e");
    RefreshPage();
}

void CSieveAnalysis::OnWaterLossMethod()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    // The radio reports a click again while the dialog runs and when it gets the focus back.
    if (m_bWaterLossBusy || pLayer == nullptr)
        return;
    m_bWaterLossBusy = TRUE;
    CProjectData& data = *m_pProjectData;
    data.*pLayer->waterMethod = "loss";
    (data.*pLayer->effectivePorosity).Empty();
    CWaterLossDlg dlg(nullptr);
    dlg.m_pProjectData = m_pProjectData;
    dlg.DoModal();
    RefreshPage();
    m_bWaterLossBusy = FALSE;
}

void CSieveAnalysis::OnWaterContentMethod()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    data.*pLayer->waterMethod = "content";
    (data.*pLayer->effectivePorosity).Empty();
    (data.*pLayer->water).Empty();
    RefreshPage();
}

// ---- Entering and leaving the edits of the material panel ----

void CSieveAnalysis::OnEnterUnitWeight()
{
    if (!PageItemText(this, IDC_SV_SPECIFIC_GRAVITY).IsEmpty())
        m_btnPorosity.EnableWindow(TRUE);
}

void CSieveAnalysis::OnEnterSpecificGravity()
{
    if (!PageItemText(this, IDC_SV_UNIT_WEIGHT).IsEmpty())
        m_btnPorosity.EnableWindow(TRUE);
}

void CSieveAnalysis::OnEnterPorosity()
{
    UpdateLayerControls();
}

void CSieveAnalysis::OnEnterWater()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    const bool bPorosity = !PageItemText(this, IDC_SV_POROSITY).IsEmpty();
    if (m_pProjectData->*pLayer->waterMethod != "content")
        m_btnEffectivePorosity.EnableWindow(bPorosity);
    else
        m_btnEffectivePorosity.EnableWindow(bPorosity || (!PageItemText(this, IDC_SV_UNIT_WEIGHT).IsEmpty() &&
                                                          !PageItemText(this, IDC_SV_SPECIFIC_GRAVITY).IsEmpty()));
}

void CSieveAnalysis::OnLeaveEdit(UINT nID)
{
    const LeaveRule* pRule = FindLeaveRule(nID);
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pRule == nullptr || pLayer == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    CString& strField = data.*(pLayer->*pRule->field);
    const CString strTyped = PageItemText(this, pRule->nEdit);
    if (strTyped.IsEmpty())
    {
        strField.Empty();
        for (LayerField field : pRule->emptiedClears)
            (data.*(pLayer->*field)).Empty();
        RefreshPage();
        return;
    }
    const double value = TypedNumber(strTyped);
    const CString strText = pRule->StoredText(value);
    // The same number as stored, typed or tabbed through, changes nothing: a computed "0.204"
    // is not an edit of the effective porosity.
    const bool bUnchanged = strText == strField || (!strField.IsEmpty() && value == TypedNumber(strField));
    if (!bUnchanged)
    {
        CRecordChange::StoreTyped(data, pLayer->*pRule->field, strText);
        for (LayerField field : pRule->changedClears)
            (data.*(pLayer->*field)).Empty();
        if (pRule->pWarning != nullptr)
            m_warning.Queue(data, pLayer->*pRule->pWarning);
        // The base's minimum thickness was computed from its permeability.
        if (pRule->field == &CMaterialLayer::permeability && pLayer->nIndex == CProjectData::LayerBase)
            data.m_strBaseMinThickness.Empty();
    }
    RefreshPage();
}

// ---- Help ----

void CSieveAnalysis::OnContextMenu(CWnd* pWnd, CPoint point)
{
    QuarrowShowContextHelp(this, pWnd, point, HelpIds);
}

BOOL CSieveAnalysis::OnHelpInfo(HELPINFO*)
{
    // The request ends here: passed on, it would reach the main dialog, whose contents topic
    // would replace the page's.
    QuarrowShowHelpTopic(GetSafeHwnd(), HelpTopic);
    return TRUE;
}
