#include "quarrow/pages/EdgeDrain.h"

#include <algorithm>
#include <initializer_list>

#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/app/QuarrowDlg.h"
#include "quarrow/pages/EdgeDrainCalc.h"
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/ResultDependencies.h"
#include "resources/quarrow/resource.h"

namespace {

using TextField = CString CProjectData::*;

const TextField LongSlope = &CProjectData::m_strLongitudinalSlope;       // S
const TextField Diameter = &CProjectData::m_strPipeDiameter;             // D
const TextField Roughness = &CProjectData::m_strManningCoefficient;      // n
const TextField FlowZone = &CProjectData::m_strFlowZoneDepth;            // D1
const TextField OutletDepth = &CProjectData::m_strOutletDepth;           // D2
const TextField FinDrainConstant = &CProjectData::m_strFinDrainConstant; // C
const TextField Width = &CProjectData::m_strBaseWidth;                   // W
const TextField Thickness = &CProjectData::m_strBaseThickness;           // H
const TextField Permeability = &CProjectData::m_strBaseK;                // k
const TextField EffectivePorosity = &CProjectData::m_strBaseEffectivePorosity;  // Ne
const TextField Drained = &CProjectData::m_strPercentDrained;            // U
const TextField TimeToDrain = &CProjectData::m_strTimeToDrain;           // t
const TextField Discharge = &CProjectData::m_strBaseDischargeRate;       // q_d
const TextField Infiltration = &CProjectData::m_strInfiltrationRate;     // q_i
const TextField PipeFlow = &CProjectData::m_strPipeFlow;                 // Q
const TextField Spacing = &CProjectData::m_strOutletSpacing;             // L_o

const char HelpTopic[] = "edge_drain.htm";

// Control id and help context id pairs of the context-help popups, ended by two zeros.
const DWORD HelpIds[] = {
    IDC_ED_GEOCOMPOSITE, 1604, IDC_ED_PIPE, 1605, IDC_ED_PIC_S, 1606, IDC_ED_PIC_D, 1601, IDC_ED_PIC_D1, 1607,
    IDC_ED_PIC_D2, 1608, IDC_ED_PIC_C, 1609, IDC_ED_PIC_N, 1610, IDC_ED_INFILTRATION, 1611,
    IDC_ED_PERMEABLE, 1612, IDC_ED_TTD, 1613, IDC_ED_PIC_W, 1614, IDC_ED_PIC_QD, 1615, IDC_ED_PIC_U, 1616,
    IDC_ED_PIC_H, 1617, IDC_ED_PIC_NE, 1618, IDC_ED_PIC_K, 1619, IDC_ED_PIC_T, 1620, IDC_ED_PIC_Q, 1603,
    IDC_ED_PIC_LO, 1621, IDC_ED_CALC_PIPE, 1622, IDC_ED_CALC_GEOCOMPOSITE, 1623, IDC_ED_CALC_SPACING, 1624,
    IDC_ED_SMOOTH, 1625, IDC_ED_CORRUGATED, 1626, IDC_ED_FORMULA_TTD, 1627, IDC_ED_FORMULA_PERMEABLE, 1628,
    IDC_ED_FORMULA_INFILTRATION, 1629, IDC_ED_FACTORS, 1630, IDC_ED_PIC_QI, 1631, IDC_ED_FORMULA_PIPE, 1632,
    0, 0,
};

// Which controls the drain type shows.
const std::initializer_list<int> PipeControls = {
    IDC_ED_PIC_D, IDC_ED_PIC_N, IDC_ED_N, IDC_ED_D, IDC_ED_FORMULA_PIPE, IDC_ED_CALC_PIPE, IDC_ED_CALC_SPACING,
    IDC_ED_SMOOTH, IDC_ED_CORRUGATED, IDC_ED_ROUGHNESS_TEXT, IDC_ED_ROUGHNESS_FRAME, IDC_ED_PIPE_CUTAWAY,
};
const std::initializer_list<int> GeocompositeControls = {
    IDC_ED_FACTORS, IDC_ED_FACTORS_TEXT, IDC_ED_PIC_D1, IDC_ED_PIC_D2, IDC_ED_PIC_C, IDC_ED_D1, IDC_ED_D2,
    IDC_ED_UNIT_D2, IDC_ED_C, IDC_ED_FIN_SECTION, IDC_ED_FORMULA_FIN, IDC_ED_CALC_GEOCOMPOSITE,
};

// Which groups of inputs each discharge approach shows (1) or hides (0); -1 leaves them as they are.
struct ApproachGroup
{
    std::initializer_list<int> ids;
    int infiltration, permeable, timeToDrain;
};
const ApproachGroup ApproachGroups[] = {
    {{IDC_ED_FORMULA_INFILTRATION}, 1, 0, 0},
    {{IDC_ED_FORMULA_PERMEABLE}, 0, 1, 0},
    {{IDC_ED_FORMULA_TTD}, 0, 0, 1},
    {{IDC_ED_PIC_W, IDC_ED_W, IDC_ED_UNIT_W}, 1, 0, 1},
    {{IDC_ED_PIC_QI, IDC_ED_QI, IDC_ED_UNIT_QI}, 1, 0, 0},
    {{IDC_ED_PIC_H, IDC_ED_H, IDC_ED_UNIT_H}, 0, 0, 1},
    {{IDC_ED_PIC_QD, IDC_ED_QD, IDC_ED_UNIT_QD}, 0, 1, 0},
    // Nothing on the page computes with k; the permeable approach leaves it as it was.
    {{IDC_ED_PIC_K, IDC_ED_K, IDC_ED_UNIT_K}, 0, -1, 0},
    {{IDC_ED_PIC_NE, IDC_ED_NE, IDC_ED_PIC_U, IDC_ED_U, IDC_ED_UNIT_U, IDC_ED_PIC_T, IDC_ED_T, IDC_ED_UNIT_T}, 0, 0,
     1},
};

// Leaving an edit: an emptied edit empties its field and the first list; a text other than the
// record's is stored (with a warning shown at once in normal mode) and empties the second list.
enum Refresh : unsigned { Fields = 1, Buttons = 2, Summary = 4 };

struct LeaveRule
{
    int nEdit;
    TextField field;
    std::initializer_list<TextField> emptiedClears;
    std::initializer_list<TextField> changedClears;
    const char* pszWarning;
    CString (*StoredText)(const CString& strTyped);
    unsigned refresh;
};

CString SlopeText(const CString& strTyped)
{
    return PageFixedOrExponent(TypedNumber(strTyped), 0.0001, "%.4f", "%.2e");
}

const unsigned AllRefresh = Fields | Buttons | Summary;
const LeaveRule LeaveRules[] = {
    {IDC_ED_S, LongSlope,
     {PipeFlow, Spacing, &CProjectData::m_strResultantSlope, &CProjectData::m_strResultantLength},
     {PipeFlow, Spacing, &CProjectData::m_strResultantSlope, &CProjectData::m_strResultantLength}, nullptr,
     SlopeText, AllRefresh},
    {IDC_ED_D, Diameter, {PipeFlow, Spacing}, {PipeFlow, Spacing}, nullptr, PageTypedDigits5, AllRefresh},
    {IDC_ED_D1, FlowZone, {PipeFlow, Spacing}, {PipeFlow, Spacing}, nullptr, PageTypedDigits5, AllRefresh},
    {IDC_ED_C, FinDrainConstant, {PipeFlow, Spacing}, {PipeFlow, Spacing}, nullptr, PageTypedDigits5, AllRefresh},
    {IDC_ED_N, Roughness, {PipeFlow, Spacing}, {PipeFlow, Spacing}, nullptr, PageTypedDigits5, AllRefresh},
    {IDC_ED_D2, OutletDepth, {PipeFlow, Spacing}, {PipeFlow, Spacing}, nullptr, PageTypedDigits5, AllRefresh},
    {IDC_ED_W, Width,
     {Spacing, &CProjectData::m_strGeometryCoefficientB, &CProjectData::m_strResultantLength},
     {Spacing, &CProjectData::m_strGeometryCoefficientB, &CProjectData::m_strResultantLength},
     CEdgeDrain::WidthWarning, PageTypedDigits5, AllRefresh},
    {IDC_ED_H, Thickness, {Spacing}, {Spacing}, nullptr, PageTypedDigits5, AllRefresh},
    {IDC_ED_NE, EffectivePorosity, {Spacing}, {Spacing}, CEdgeDrain::PorosityWarning, PageTypedDigits5, AllRefresh},
    {IDC_ED_U, Drained, {Spacing, Discharge}, {Spacing, Discharge}, CEdgeDrain::DrainedWarning, PageTypedDigits5,
     Buttons | Summary},
    {IDC_ED_T, TimeToDrain, {Spacing}, {Spacing}, CEdgeDrain::TimeToDrainWarning, PageTypedDigits5, AllRefresh},
};

const LeaveRule* FindLeaveRule(UINT nID)
{
    for (const LeaveRule& rule : LeaveRules)
        if (rule.nEdit == static_cast<int>(nID))
            return &rule;
    return nullptr;
}

// The edits whose focus-enter handlers make the calculate buttons ready (Q and L_o too).
const std::initializer_list<int> EnterEdits = {IDC_ED_S, IDC_ED_D, IDC_ED_D1, IDC_ED_C, IDC_ED_N, IDC_ED_D2,
                                               IDC_ED_W, IDC_ED_H, IDC_ED_K, IDC_ED_NE, IDC_ED_U, IDC_ED_T,
                                               IDC_ED_Q, IDC_ED_LO};

} // namespace

const char CEdgeDrain::WidthWarning[] =
    "W should be calculated on the Roadway Geometry page. Manual edit W at your own risk.";
const char CEdgeDrain::PorosityWarning[] =
    "Ne should be set on the Sieve Analysis page. Manual edit Ne at your own risk.";
const char CEdgeDrain::DrainedWarning[] = "U should be set on the Permeable Base page. Manual edit U at your own risk.";
const char CEdgeDrain::TimeToDrainWarning[] =
    "t should be set on the Permeable Base page. Manual edit t at your own risk.";

const CEdgeDrain::FlowFactor CEdgeDrain::FlowFactors[6] = {
    {"Hydraway", "1333", "1195"},      {"Akwadrain", "528", "473"},         {"Hitek 20", "584", "523"},
    {"Hitek 40", "2030", "1820"},      {"Miradrain 6000", "250", "224"},    {"Strip Drain 1000", "1390", "1246"},
};

IMPLEMENT_DYNCREATE(CEdgeDrain, CPropertyPage)

BEGIN_MESSAGE_MAP(CEdgeDrain, CPropertyPage)
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
    ON_WM_HELPINFO()
    ON_BN_CLICKED(IDC_ED_GEOCOMPOSITE, OnGeocomposite)
    ON_BN_CLICKED(IDC_ED_PIPE, OnPipe)
    ON_BN_CLICKED(IDC_ED_INFILTRATION, OnInfiltrationApproach)
    ON_BN_CLICKED(IDC_ED_PERMEABLE, OnPermeableApproach)
    ON_BN_CLICKED(IDC_ED_TTD, OnTimeToDrainApproach)
    ON_BN_CLICKED(IDC_ED_SMOOTH, OnSmoothPipe)
    ON_BN_CLICKED(IDC_ED_CORRUGATED, OnCorrugatedPipe)
    ON_BN_CLICKED(IDC_ED_CALC_PIPE, OnCalcPipeCapacity)
    ON_BN_CLICKED(IDC_ED_CALC_GEOCOMPOSITE, OnCalcGeocomposite)
    ON_BN_CLICKED(IDC_ED_CALC_SPACING, OnCalcPipeSpacing)
    ON_CONTROL(CPageTableGrid::CurrentCellChanged, IDC_ED_FACTORS, OnFlowFactorPicked)
    ON_STN_CLICKED(IDC_ED_PIC_QI, OnInflowLink)
    ON_STN_CLICKED(IDC_ED_PIC_W, OnWidthLink)
    ON_STN_CLICKED(IDC_ED_PIC_H, OnThicknessLink)
    ON_STN_CLICKED(IDC_ED_PIC_QD, OnDischargeLink)
    ON_STN_CLICKED(IDC_ED_PIC_NE, OnPorosityLink)
    ON_STN_CLICKED(IDC_ED_PIC_K, OnPermeabilityLink)
    ON_STN_CLICKED(IDC_ED_PIC_U, OnPercentDrainedLink)
    ON_STN_CLICKED(IDC_ED_PIC_T, OnTimeToDrainLink)
    ON_EN_KILLFOCUS(IDC_ED_Q, OnPipeFlowKillFocus)
    ON_CONTROL_RANGE(EN_SETFOCUS, IDC_ED_W, IDC_ED_N, OnEnterEdit)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_ED_W, IDC_ED_N, OnLeaveEdit)
END_MESSAGE_MAP()

CEdgeDrain::CEdgeDrain() : CPropertyPage(IDD_EDGE_DRAIN)
{
}

CEdgeDrain::~CEdgeDrain()
{
    if (m_gridFactors.GetSafeHwnd() != nullptr)
        m_gridFactors.DestroyWindow();
}

void CEdgeDrain::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ED_UNIT_QD, m_picDischargeUnit);
    DDX_Control(pDX, IDC_ED_PIC_QI, m_picInflowLink);
    DDX_Control(pDX, IDC_ED_UNIT_QI, m_picInflowUnit);
    DDX_Control(pDX, IDC_ED_UNIT_Q, m_picFlowUnit);
    DDX_Control(pDX, IDC_ED_FORMULA_TTD, m_picFormulaTimeToDrain);
    DDX_Control(pDX, IDC_ED_FORMULA_PERMEABLE, m_picFormulaPermeable);
    DDX_Control(pDX, IDC_ED_FORMULA_INFILTRATION, m_picFormulaInfiltration);
    DDX_Control(pDX, IDC_ED_ROUGHNESS_FRAME, m_frameRoughness);
    DDX_Control(pDX, IDC_ED_SMOOTH, m_chkSmooth);
    DDX_Control(pDX, IDC_ED_CORRUGATED, m_chkCorrugated);
    DDX_Control(pDX, IDC_ED_CALC_PIPE, m_btnCalcPipe);
    DDX_Control(pDX, IDC_ED_FORMULA_PIPE, m_picFormulaPipe);
    DDX_Control(pDX, IDC_ED_FORMULA_FIN, m_picFormulaFin);
    DDX_Control(pDX, IDC_ED_CALC_GEOCOMPOSITE, m_btnCalcGeocomposite);
    DDX_Control(pDX, IDC_ED_CALC_SPACING, m_btnCalcSpacing);
}

BOOL CEdgeDrain::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitFactorTable();
    m_bmpCalculator.LoadBitmap(IDB_CALCULATOR);
    for (CButton* pButton : {&m_btnCalcPipe, &m_btnCalcSpacing, &m_btnCalcGeocomposite})
        pButton->SetBitmap(m_bmpCalculator);
    m_bmpFlowMetric.LoadBitmap(IDB_PIPEFLOW_UNITS_METRIC);
    m_bmpFlowEnglish.LoadBitmap(IDB_PIPEFLOW_UNITS_ENGLISH);
    m_bmpInflowMetric.LoadBitmap(IDB_INFLOW_UNITS_METRIC);
    m_bmpInflowEnglish.LoadBitmap(IDB_INFLOW_UNITS_ENGLISH);
    m_bmpDischargeMetric.LoadBitmap(IDB_DISCHARGE_UNITS_METRIC);
    m_bmpDischargeEnglish.LoadBitmap(IDB_DISCHARGE_UNITS_ENGLISH);
    m_bmpInflowLink.LoadBitmap(IDB_INFILTRATION_LINK);
    m_bmpTotalInflowLink.LoadBitmap(IDB_TOTAL_INFLOW_LINK);
    return TRUE;
}

void CEdgeDrain::InitFactorTable()
{
    if (!m_gridFactors.SubclassDlgItem(IDC_ED_FACTORS, this))
        return;
    m_gridFactors.Initialize();
    CGXGridParam* pParam = m_gridFactors.GetParam();
    pParam->EnableUndo(FALSE);
    pParam->SetRowResizeFlags(0);
    pParam->SetColResizeFlags(0);
    m_gridFactors.SetRowCount(6);
    m_gridFactors.SetColCount(2);
    const CRect rcGrid = m_gridFactors.GetGridRect();
    m_gridFactors.HideCols(0, 0);
    m_gridFactors.SetValueRange(CGXRange(0, 1), "Geocomposite");
    m_gridFactors.SetValueRange(CGXRange(0, 2), "Flow Factor");
    // Seven equal rows and two halves, the second a pixel narrower, fill the window.
    m_gridFactors.SetRowHeight(0, 6, rcGrid.Height() / 7);
    m_gridFactors.SetColWidth(1, 1, rcGrid.Width() / 2);
    m_gridFactors.SetColWidth(2, 2, rcGrid.Width() / 2 - 1);
    for (ROWCOL nRow = 1; nRow <= 6; ++nRow)
        m_gridFactors.SetValueRange(CGXRange(nRow, 1), FlowFactors[nRow - 1].pszProduct);
    CGXStyle staticText;
    staticText.SetControl(GX_IDS_CTRL_STATIC);
    m_gridFactors.SetStyleRange(CGXRange(1, 1, 6, 2), staticText, gxOverride);
    m_gridFactors.SetReadOnly(TRUE);
}

BOOL CEdgeDrain::OnSetActive()
{
    if (m_pProjectData != nullptr)
    {
        const CProjectData& data = *m_pProjectData;
        const bool bPipe = data.m_strEdgeDrainType == "pipe";
        CheckDlgButton(IDC_ED_PIPE, bPipe ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_ED_GEOCOMPOSITE, bPipe ? BST_UNCHECKED : BST_CHECKED);
        const int nApproach = data.m_strDischarge == "Infiltration" ? IDC_ED_INFILTRATION
                              : data.m_strDischarge == "TTD"        ? IDC_ED_TTD
                                                                    : IDC_ED_PERMEABLE;
        for (int nID : {IDC_ED_INFILTRATION, IDC_ED_PERMEABLE, IDC_ED_TTD})
            SendDlgItemMessage(nID, BM_SETCHECK, nID == nApproach ? BST_CHECKED : BST_UNCHECKED, 0);
        m_gridFactors.m_pProjectData = m_pProjectData;
        UpdateFields();
        UpdateButtonStates();
        UpdateControlVisibility();
    }
    return CPropertyPage::OnSetActive();
}

BOOL CEdgeDrain::OnKillActive()
{
    PageFocusSink(this, IDC_ED_FOCUS_SINK);
    return CPropertyPage::OnKillActive();
}

// ---- What the page shows ----

void CEdgeDrain::UpdateFields()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const struct { int nID; TextField field; } inputs[] = {
        {IDC_ED_S, LongSlope}, {IDC_ED_D, Diameter}, {IDC_ED_D1, FlowZone}, {IDC_ED_D2, OutletDepth},
        {IDC_ED_C, FinDrainConstant}, {IDC_ED_N, Roughness}, {IDC_ED_W, Width}, {IDC_ED_H, Thickness},
        {IDC_ED_QD, Discharge}, {IDC_ED_K, Permeability},
    };
    for (const auto& input : inputs)
        PageSetTextIfDifferent(this, input.nID, data.*input.field);
    data.m_bModified = 1;

    CString strDesignInflow;
    if (data.m_strMeltwater == "no")
    {
        strDesignInflow = data.m_strInfiltrationRate;
        m_dDesignInflow = TypedNumber(data.m_strInfiltrationRate);
    }
    else
    {
        m_dDesignInflow = TypedNumber(data.m_strInfiltrationRate) + TypedNumber(data.m_strMeltwaterFlow);
        strDesignInflow = PageFixedOrExponent(m_dDesignInflow, 0.01, "%.2f", "%.2e");
    }
    PageSetTextIfDifferent(this, IDC_ED_QI, strDesignInflow);

    const struct { int nID; TextField field; } results[] = {
        {IDC_ED_NE, EffectivePorosity}, {IDC_ED_U, Drained}, {IDC_ED_T, TimeToDrain}, {IDC_ED_Q, PipeFlow},
        {IDC_ED_LO, Spacing},
    };
    for (const auto& result : results)
        PageSetTextIfDifferent(this, result.nID, data.*result.field);
}

void CEdgeDrain::UpdateButtonStates()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    auto filled = [&](int nEdit, TextField field) { return PageFieldFilled(this, nEdit, data.*field); };
    auto approachReady = [&]() {
        if (data.m_strDischarge == "Infiltration")
            return filled(IDC_ED_W, Width) && !data.m_strInfiltrationRate.IsEmpty();
        if (data.m_strDischarge == "Permeable")
            return filled(IDC_ED_QD, Discharge);
        return filled(IDC_ED_W, Width) && filled(IDC_ED_H, Thickness) && filled(IDC_ED_NE, EffectivePorosity) &&
               filled(IDC_ED_T, TimeToDrain) && filled(IDC_ED_U, Drained);
    };
    // The button of the other drain type is hidden and keeps its state.
    if (data.m_strEdgeDrainType == "pipe")
    {
        PageEnableControl(this, IDC_ED_CALC_PIPE, filled(IDC_ED_S, LongSlope) && filled(IDC_ED_D, Diameter) &&
                                           filled(IDC_ED_N, Roughness));
        PageEnableControl(this, IDC_ED_CALC_SPACING, approachReady() && filled(IDC_ED_Q, PipeFlow));
    }
    else
    {
        PageEnableControl(this, IDC_ED_CALC_GEOCOMPOSITE, filled(IDC_ED_S, LongSlope) && filled(IDC_ED_D1, FlowZone) &&
                                                   filled(IDC_ED_D2, OutletDepth) && filled(IDC_ED_C, FinDrainConstant) &&
                                                   approachReady());
    }
}

void CEdgeDrain::UpdateControlVisibility()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    const bool bPipe = data.m_strEdgeDrainType == "pipe";
    PageShowControls(this, PipeControls, bPipe);
    PageShowControls(this, GeocompositeControls, !bPipe);

    int ApproachGroup::*shown = nullptr;
    if (data.m_strDischarge == "Infiltration")
        shown = &ApproachGroup::infiltration;
    else if (data.m_strDischarge == "Permeable")
        shown = &ApproachGroup::permeable;
    else if (data.m_strDischarge == "TTD")
        shown = &ApproachGroup::timeToDrain;
    if (shown == nullptr)
        return;
    for (const ApproachGroup& group : ApproachGroups)
        if (group.*shown >= 0)
            PageShowControls(this, group.ids, group.*shown == 1);
}

void CEdgeDrain::RefreshSummaryPanel()
{
    if (m_pProjectData == nullptr)
        return;
    PageSetSummaryText(IDC_PIPE_DIAMETER, m_pProjectData->m_strPipeDiameter);
    PageSetSummaryText(IDC_OUTLET_SPACING, m_pProjectData->m_strOutletSpacing);
    PageSetSummaryText(IDC_PIPE_FLOW, m_pProjectData->m_strPipeFlow);
}

void CEdgeDrain::ShowRecord()
{
    if (m_pProjectData == nullptr)
        return;
    UpdateFields();
    UpdateButtonStates();
    RefreshSummaryPanel();
    PageShowSummary(*m_pProjectData);
}

BOOL CEdgeDrain::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CRecordChange change(m_pProjectData);
    const BOOL bHandled = CPropertyPage::OnCommand(wParam, lParam);
    if (change.ClearStaleResults())
        ShowRecord();
    return bHandled;
}

// ---- Painting and help ----

void CEdgeDrain::OnPaint()
{
    if (m_pProjectData != nullptr)
    {
        CProjectData& data = *m_pProjectData;
        PageSetPictureIfDifferent(this, IDC_ED_PIC_QI,
                              data.m_strMeltwater == "no" ? (HBITMAP)m_bmpInflowLink : (HBITMAP)m_bmpTotalInflowLink);
        const bool bMetric = data.IsMetric();
        PageSetTextIfDifferent(this, IDC_ED_UNIT_S, bMetric ? "m/m" : "ft/ft");
        for (int nID : {IDC_ED_UNIT_D, IDC_ED_UNIT_D2})
            PageSetTextIfDifferent(this, nID, bMetric ? "mm" : "in");
        for (int nID : {IDC_ED_UNIT_W, IDC_ED_UNIT_H, IDC_ED_UNIT_LO})
            PageSetTextIfDifferent(this, nID, bMetric ? "m" : "ft");
        // The record holds the base's k per day in both systems.
        PageSetTextIfDifferent(this, IDC_ED_UNIT_K, bMetric ? "m/d" : "ft/d");
        PageSetPictureIfDifferent(this, IDC_ED_UNIT_Q, bMetric ? (HBITMAP)m_bmpFlowMetric : (HBITMAP)m_bmpFlowEnglish);
        PageSetPictureIfDifferent(this, IDC_ED_UNIT_QI, bMetric ? (HBITMAP)m_bmpInflowMetric : (HBITMAP)m_bmpInflowEnglish);
        PageSetPictureIfDifferent(this, IDC_ED_UNIT_QD,
                              bMetric ? (HBITMAP)m_bmpDischargeMetric : (HBITMAP)m_bmpDischargeEnglish);
        if (m_gridFactors.GetSafeHwnd() != nullptr)
        {
            m_gridFactors.SetReadOnly(FALSE);
            for (ROWCOL nRow = 1; nRow <= 6; ++nRow)
            {
                const FlowFactor& factor = FlowFactors[nRow - 1];
                const char* pszFactor = bMetric ? factor.pszMetric : factor.pszEnglish;
                if (m_gridFactors.GetValueRowCol(nRow, 2) != pszFactor)
                    m_gridFactors.SetValueRange(CGXRange(nRow, 2), pszFactor);
            }
            m_gridFactors.SetReadOnly(TRUE);
        }
        PageHonourFocusRequest(this, data);
    }
    // Validates what the work above invalidated as well.
    CPaintDC dc(this);
}

void CEdgeDrain::OnContextMenu(CWnd* pWnd, CPoint point)
{
    QuarrowShowContextHelp(this, pWnd, point, HelpIds);
}

BOOL CEdgeDrain::OnHelpInfo(HELPINFO*)
{
    // The request ends here, as on the other pages: passed on, it would reach the main dialog,
    // whose contents topic would replace the page's.
    QuarrowShowHelpTopic(nullptr, HelpTopic);
    return TRUE;
}

// ---- Drain type, approach and roughness ----

void CEdgeDrain::OnGeocomposite()
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strEdgeDrainType = "geocomposite";
    // A stored choice: the change must be saved or asked about.
    m_pProjectData->m_bModified = 1;
    UpdateButtonStates();
    UpdateControlVisibility();
}

void CEdgeDrain::OnPipe()
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strEdgeDrainType = "pipe";
    m_pProjectData->m_bModified = 1;
    UpdateButtonStates();
    UpdateControlVisibility();
}

void CEdgeDrain::OnInfiltrationApproach()
{
    SelectApproach("Infiltration");
}

void CEdgeDrain::OnPermeableApproach()
{
    SelectApproach("Permeable");
}

void CEdgeDrain::OnTimeToDrainApproach()
{
    SelectApproach("TTD");
}

void CEdgeDrain::SelectApproach(const char* pszApproach)
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strDischarge = pszApproach;
    PageClearFields(*m_pProjectData, {Spacing, PipeFlow});
    UpdateControlVisibility();
    UpdateFields();
    UpdateButtonStates();
}

void CEdgeDrain::OnSmoothPipe()
{
    PickRoughness(IDC_ED_SMOOTH, IDC_ED_CORRUGATED, "0.012");
}

void CEdgeDrain::OnCorrugatedPipe()
{
    PickRoughness(IDC_ED_CORRUGATED, IDC_ED_SMOOTH, "0.024");
}

void CEdgeDrain::PickRoughness(int nChecked, int nOther, const char* pszRoughness)
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    if (IsDlgButtonChecked(nChecked) == BST_CHECKED)
    {
        CheckDlgButton(nOther, BST_UNCHECKED);
        data.m_strManningCoefficient = pszRoughness;
    }
    else
    {
        data.m_strManningCoefficient.Empty();
    }
    SetDlgItemText(IDC_ED_N, data.m_strManningCoefficient);
    UpdateButtonStates();
    UpdateFields();
    UpdateControlVisibility();
    RefreshSummaryPanel();
}

// ---- Calculate buttons and the flow-factor table ----

void CEdgeDrain::ShowCalcResult(const CPageCalcResult& result)
{
    if (result.bStored)
    {
        UpdateFields();
        UpdateButtonStates();
        RefreshSummaryPanel();
    }
    PageShowCalcResult(m_pSheetOfPage, result);
}

void CEdgeDrain::OnCalcPipeCapacity()
{
    if (m_pProjectData != nullptr)
        ShowCalcResult(CEdgeDrainCalc::PipeCapacity(*m_pProjectData));
}

void CEdgeDrain::OnCalcPipeSpacing()
{
    if (m_pProjectData != nullptr)
        ShowCalcResult(CEdgeDrainCalc::PipeSpacing(*m_pProjectData, m_dDesignInflow));
}

void CEdgeDrain::OnCalcGeocomposite()
{
    if (m_pProjectData != nullptr)
        ShowCalcResult(CEdgeDrainCalc::Geocomposite(*m_pProjectData, m_dDesignInflow));
}

void CEdgeDrain::OnFlowFactorPicked()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const int nRow = data.m_nPickedValue;
    if (nRow < 1 || nRow > 6)
        return;
    const FlowFactor& factor = FlowFactors[nRow - 1];
    data.m_strFinDrainConstant = data.IsMetric() ? factor.pszMetric : factor.pszEnglish;
    SetDlgItemText(IDC_ED_C, data.m_strFinDrainConstant);
    PageClearFields(data, {PipeFlow, Spacing});
    data.m_bModified = 1;
    SetDlgItemText(IDC_ED_Q, "");
    SetDlgItemText(IDC_ED_LO, "");
    RefreshSummaryPanel();
    UpdateButtonStates();
}

// ---- Links to the pages where the inputs are found ----

void CEdgeDrain::GoToPage(int nPage, int nFocus, const char* pszBaseMethod, bool bBaseLayer, bool bRepaintSheet)
{
    if (m_pProjectData == nullptr || m_pSheetOfPage == nullptr)
        return;
    if (pszBaseMethod != nullptr)
        m_pProjectData->m_strBaseMethod = pszBaseMethod;
    if (bBaseLayer)
        m_pProjectData->m_strSieveLayer = "base";
    PageGoTo(m_pSheetOfPage, *m_pProjectData, nPage, nFocus, bRepaintSheet);
}

void CEdgeDrain::OnInflowLink()
{
    GoToPage(CQuarrowDlg::PageInflow, 0, nullptr, false, false);
}

void CEdgeDrain::OnWidthLink()
{
    GoToPage(CQuarrowDlg::PageRoadway, IDC_RW_W, nullptr, false, true);
}

void CEdgeDrain::OnThicknessLink()
{
    GoToPage(CQuarrowDlg::PagePermeableBase, IDC_PB_H, nullptr, false, true);
}

void CEdgeDrain::OnDischargeLink()
{
    GoToPage(CQuarrowDlg::PagePermeableBase, 0, "DOF", false, false);
}

void CEdgeDrain::OnPorosityLink()
{
    GoToPage(CQuarrowDlg::PageSieveAnalysis, IDC_SV_EFFECTIVE_POROSITY, nullptr, true, true);
}

void CEdgeDrain::OnPermeabilityLink()
{
    GoToPage(CQuarrowDlg::PageSieveAnalysis, IDC_SV_PERMEABILITY, nullptr, true, true);
}

void CEdgeDrain::OnPercentDrainedLink()
{
    GoToPage(CQuarrowDlg::PagePermeableBase, IDC_PB_U, "TTD", false, true);
}

void CEdgeDrain::OnTimeToDrainLink()
{
    GoToPage(CQuarrowDlg::PagePermeableBase, 0, "TTD", false, false);
}

// ---- Entering and leaving the edits ----

void CEdgeDrain::OnEnterEdit(UINT nID)
{
    const bool bKnown = std::find(EnterEdits.begin(), EnterEdits.end(), static_cast<int>(nID)) != EnterEdits.end();
    if (!bKnown || m_pProjectData == nullptr)
        return;
    UpdateButtonStates();
    RefreshSummaryPanel();
}

void CEdgeDrain::OnPipeFlowKillFocus()
{
    UpdateFields();
    UpdateButtonStates();
    RefreshSummaryPanel();
}

void CEdgeDrain::OnLeaveEdit(UINT nID)
{
    const LeaveRule* pRule = FindLeaveRule(nID);
    if (pRule == nullptr || m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strTyped = PageItemText(this, pRule->nEdit);
    CString& strField = data.*pRule->field;
    if (strTyped.IsEmpty())
    {
        strField.Empty();
        PageClearFields(data, pRule->emptiedClears);
    }
    if (strField != strTyped)
    {
        PageClearFields(data, pRule->changedClears);
        CRecordChange::StoreTyped(data, pRule->field, pRule->StoredText(strTyped));
        PageSetTextIfDifferent(this, pRule->nEdit, strField);
        // Shown at once; the value is already stored and the answer changes nothing.
        if (pRule->pszWarning != nullptr && data.m_strMode == "normal")
            AfxMessageBox(pRule->pszWarning, MB_OKCANCEL);
    }
    if (pRule->refresh & Fields)
        UpdateFields();
    if (pRule->refresh & Buttons)
        UpdateButtonStates();
    if (pRule->refresh & Summary)
        RefreshSummaryPanel();
}
