#include "quarrow/pages/PermeableBase.h"

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
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/PermeableBaseCalc.h"
#include "quarrow/pages/PlotDataFile.h"
#include "quarrow/pages/ResultDependencies.h"
#include "resources/quarrow/resource.h"

namespace {

using TextField = CString CProjectData::*;

const TextField EffectivePorosity = &CProjectData::m_strBaseEffectivePorosity;  // Ne
const TextField Porosity = &CProjectData::m_strBasePorosity;                    // n
const TextField Permeability = &CProjectData::m_strBaseK;                       // k
const TextField Slope = &CProjectData::m_strResultantSlope;                     // S
const TextField Length = &CProjectData::m_strResultantLength;                   // L
const TextField Thickness = &CProjectData::m_strBaseThickness;                  // H
const TextField MinThickness = &CProjectData::m_strBaseMinThickness;            // Hmin
const TextField Discharge = &CProjectData::m_strBaseDischargeRate;              // Q
const TextField Saturation = &CProjectData::m_strPercentSaturation;             // Psat
const TextField Drained = &CProjectData::m_strPercentDrained;                   // U
const TextField TimeToDrain = &CProjectData::m_strTimeToDrain;                  // t
const TextField Infiltration = &CProjectData::m_strInfiltrationRate;            // q_i
const TextField TotalInflow = &CProjectData::m_strTotalInflow;                  // q_i + q_m
const TextField Meltwater = &CProjectData::m_strMeltwaterFlow;                  // q_m

// A thickness above this many feet (or metres) is more likely typed in inches or millimetres.
const double PlausibleThickness = 3.0;

const char HelpTopicTimeToDrain[] = "permeable_base_TTD.htm";
const char HelpTopicDepthOfFlow[] = "permeable_base_DOF.htm";

// Control id and help context id pairs of the context-help popups, ended by two zeros.
const DWORD HelpIds[] = {
    IDC_PB_TTD, 1404, IDC_PB_DOF, 1405, IDC_PB_BARBER, 1406, IDC_PB_CASAGRANDE, 1407,
    IDC_PB_AASHTO, 1408, IDC_PB_PRM, 1409, IDC_PB_PIC_INPUT, 1410, IDC_PB_PIC_K, 1411,
    IDC_PB_PIC_S, 1412, IDC_PB_PIC_L, 1413, IDC_PB_PIC_H, 1400, IDC_PB_FORMULA_TTD, 1414,
    IDC_PB_PIC_N, 1415, IDC_PB_PIC_HMIN, 1416, IDC_PB_PIC_Q, 1403, IDC_PB_PIC_T, 1402,
    IDC_PB_PIC_U, 1401, IDC_PB_SIEVE_INPUT, 1417, IDC_PB_SIEVE_K, 1418, IDC_PB_CALC_PSAT, 1419,
    IDC_PB_CALC_HMIN, 1420, IDC_PB_PLOT_DOF, 1421, IDC_PB_CALC_U, 1422, IDC_PB_CALC_T, 1423,
    IDC_PB_PLOT_TTD, 1424,
    0, 0,
};

// Controls that only one analysis type shows.
const std::initializer_list<int> TimeToDrainControls = {
    IDC_PB_SIEVE_INPUT, IDC_PB_CALC_T, IDC_PB_PLOT_TTD, IDC_PB_BARBER, IDC_PB_CASAGRANDE, IDC_PB_AASHTO,
    IDC_PB_PRM, IDC_PB_FORMULA_TTD, IDC_PB_PIC_N, IDC_PB_PIC_U, IDC_PB_PIC_T, IDC_PB_PIC_PSAT, IDC_PB_PSAT,
    IDC_PB_N, IDC_PB_U, IDC_PB_T, IDC_PB_UNIT_PSAT, IDC_PB_UNIT_U, IDC_PB_UNIT_T, IDC_PB_QUALITY,
    IDC_PB_GROUP_METHOD, IDC_PB_GROUP_CRITERION,
};
const std::initializer_list<int> DepthOfFlowControls = {
    IDC_PB_CALC_HMIN, IDC_PB_PLOT_DOF, IDC_PB_CALC_Q, IDC_PB_PIC_HMIN, IDC_PB_PIC_Q, IDC_PB_HMIN, IDC_PB_Q,
    IDC_PB_NOTE, IDC_PB_UNIT_HMIN, IDC_PB_UNIT_Q, IDC_PB_UNIT_INPUT,
};

bool IsTimeToDrain(const CProjectData& data)
{
    return data.m_strBaseMethod == "TTD";
}

// The field that the first edit shows: Ne for time to drain, else the design inflow.
TextField InputField(const CProjectData& data)
{
    if (IsTimeToDrain(data))
        return EffectivePorosity;
    return data.m_strMeltwater == "no" ? Infiltration : TotalInflow;
}

void SetReadOnly(CWnd* pPage, int nID, bool bReadOnly)
{
    if (HWND hEdit = ::GetDlgItem(pPage->GetSafeHwnd(), nID))
        ::SendMessageA(hEdit, EM_SETREADONLY, bReadOnly ? TRUE : FALSE, 0);
}

CString SlopeText(const CString& strTyped)
{
    return PageFixedOrExponent(TypedNumber(strTyped), 0.0001, "%.4f", "%.2e");
}

// Leaving an edit whose text differs from its record field: the value is stored (and shown back),
// the results that hung on the old value are emptied, a warning may be queued, and the page is
// refreshed by the rule's steps. A text as stored changes nothing but the refresh.
enum Refresh : unsigned { Fields = 1, Buttons = 2, Summary = 4, Repaint = 8 };

enum class Analysis { Any, TimeToDrain, InfiltrationOnly, WithMeltwater };

enum class Warn { Never, NormalMode, Thickness };

struct LeaveRule
{
    int nEdit;
    Analysis when;                     // the rule applies while the first edit shows this field
    TextField field;
    CString (*StoredText)(const CString& strTyped);
    const char* pszWarning;
    Warn warn;
    std::initializer_list<TextField> clears;
    unsigned refresh;
};

const LeaveRule LeaveRules[] = {
    {IDC_PB_INPUT, Analysis::TimeToDrain, EffectivePorosity, PageTypedDigits5, CPermeableBase::PorosityWarning,
     Warn::NormalMode, {Drained, TimeToDrain}, Fields | Repaint},
    {IDC_PB_INPUT, Analysis::InfiltrationOnly, Infiltration, PageTypedDigits5, CPermeableBase::InflowWarning,
     Warn::NormalMode, {MinThickness}, Fields | Buttons | Summary},
    {IDC_PB_INPUT, Analysis::WithMeltwater, TotalInflow, PageTypedDigits5, CPermeableBase::TotalInflowWarning,
     Warn::NormalMode, {Infiltration, Meltwater, MinThickness}, Fields | Buttons | Summary},
    {IDC_PB_K, Analysis::Any, Permeability, PageTypedDigits5, nullptr, Warn::Never, {TimeToDrain, MinThickness},
     Fields | Buttons | Summary | Repaint},
    {IDC_PB_S, Analysis::Any, Slope, SlopeText, CPermeableBase::SlopeWarning, Warn::NormalMode,
     {TimeToDrain, MinThickness}, Fields | Buttons | Summary | Repaint},
    {IDC_PB_L, Analysis::Any, Length, PageTypedDigits5, CPermeableBase::LengthWarning, Warn::NormalMode,
     {TimeToDrain, MinThickness}, Fields | Buttons | Summary | Repaint},
    {IDC_PB_H, Analysis::Any, Thickness, PageTypedDigits5, nullptr, Warn::Thickness, {TimeToDrain, Meltwater},
     Fields | Buttons | Summary | Repaint},
    {IDC_PB_PSAT, Analysis::Any, Saturation, PageTypedDigits5, nullptr, Warn::Never, {Drained, TimeToDrain},
     Fields | Buttons | Summary},
    {IDC_PB_N, Analysis::Any, Porosity, PageTypedDigits5, nullptr, Warn::Never, {Drained}, Fields | Buttons | Summary},
    {IDC_PB_U, Analysis::Any, Drained, PageTypedDigits5, nullptr, Warn::Never, {Saturation, TimeToDrain},
     Fields | Buttons | Summary | Repaint},
};

bool RuleApplies(const LeaveRule& rule, const CProjectData& data)
{
    switch (rule.when)
    {
    case Analysis::Any:
        return true;
    case Analysis::TimeToDrain:
        return IsTimeToDrain(data);
    case Analysis::InfiltrationOnly:
        return !IsTimeToDrain(data) && data.m_strMeltwater == "no";
    case Analysis::WithMeltwater:
        return !IsTimeToDrain(data) && data.m_strMeltwater != "no";
    }
    return false;
}

const LeaveRule* FindLeaveRule(UINT nID, const CProjectData& data)
{
    for (const LeaveRule& rule : LeaveRules)
        if (rule.nEdit == static_cast<int>(nID) && RuleApplies(rule, data))
            return &rule;
    return nullptr;
}

// The thickness warnings, in any mode: the meltwater note, replaced by the doubt about the unit
// when the thickness is implausibly large.
const char* ThicknessWarningFor(const CProjectData& data, double dThickness)
{
    const char* pszWarning = nullptr;
    if (data.m_strMeltwater == "yes")
        pszWarning = CPermeableBase::MeltwaterWarning;
    if (dThickness > PlausibleThickness)
        pszWarning = CPermeableBase::ThicknessWarning;
    return pszWarning;
}

// The edits whose focus-enter handlers make their buttons ready; the summary is refreshed for all
// but S and L.
const std::initializer_list<int> EnterEdits = {IDC_PB_INPUT, IDC_PB_K, IDC_PB_S, IDC_PB_L,
                                               IDC_PB_H, IDC_PB_PSAT, IDC_PB_N, IDC_PB_U};

} // namespace

const char CPermeableBase::PorosityWarning[] =
    "Ne should be calculated on the sieve analysis page. Manual edit Ne at your own risk.";
const char CPermeableBase::InflowWarning[] =
    "Inflow q_i should be calculated on the inflow page. Manual edit q_i at your own risk.";
const char CPermeableBase::TotalInflowWarning[] =
    "Inflow q_i and q_m should be calculated on the inflow page. Manual edit q_i at your own risk.";
const char CPermeableBase::SlopeWarning[] =
    "Sr should be calculated on the Roadway Geometry page. Manual edit Sr at your own risk.";
const char CPermeableBase::LengthWarning[] =
    "Lr should be calculated on the Roadway Geometry page. Manual edit Sr at your own risk.";
const char CPermeableBase::MeltwaterWarning[] =
    "Changing the depth of the permeable base effects the meltwater infiltration.";
const char CPermeableBase::ThicknessWarning[] =
    "Base thickness is measured in terms of ft(or meters).  Is your input value correct.";

const char* const CPermeableBase::AashtoTimes[5] = {"2-Hours", "1-Day", "7-Day", "1-Month", "Does Not Drain"};
const char* const CPermeableBase::SaturationTimes[5] = {"Less than 2 Hours", "2 to 5 Hours", "5 to 10 Hours",
                                                        "Greater Than 10 Hours", "Much Greater than 10 Hours"};

IMPLEMENT_DYNCREATE(CPermeableBase, CPropertyPage)

BEGIN_MESSAGE_MAP(CPermeableBase, CPropertyPage)
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
    ON_WM_HELPINFO()
    ON_BN_CLICKED(IDC_PB_TTD, OnTimeToDrainAnalysis)
    ON_BN_CLICKED(IDC_PB_DOF, OnDepthOfFlowAnalysis)
    ON_BN_CLICKED(IDC_PB_BARBER, OnBarber)
    ON_BN_CLICKED(IDC_PB_CASAGRANDE, OnCasagrande)
    ON_BN_CLICKED(IDC_PB_AASHTO, OnAashto)
    ON_BN_CLICKED(IDC_PB_PRM, OnRehabilitationManual)
    ON_BN_CLICKED(IDC_PB_CALC_T, OnCalcTimeToDrain)
    ON_BN_CLICKED(IDC_PB_PLOT_TTD, PlotTimeToDrainSensitivity)
    ON_BN_CLICKED(IDC_PB_CALC_HMIN, OnCalcMinThickness)
    ON_BN_CLICKED(IDC_PB_PLOT_DOF, PlotDepthOfFlowSensitivity)
    ON_BN_CLICKED(IDC_PB_CALC_Q, OnCalcDischarge)
    ON_BN_CLICKED(IDC_PB_CALC_U, OnCalcPercentDrained)
    ON_BN_CLICKED(IDC_PB_CALC_PSAT, OnCalcPercentSaturation)
    ON_BN_CLICKED(IDC_PB_SIEVE_INPUT, OnSieveAnalysisButton)
    ON_BN_CLICKED(IDC_PB_SIEVE_K, OnSieveAnalysisButton)
    ON_STN_CLICKED(IDC_PB_PIC_INPUT, OnInputLink)
    ON_STN_CLICKED(IDC_PB_PIC_K, OnPermeabilityLink)
    ON_STN_CLICKED(IDC_PB_PIC_N, OnPorosityLink)
    ON_STN_CLICKED(IDC_PB_PIC_S, OnSlopeLink)
    ON_STN_CLICKED(IDC_PB_PIC_L, OnLengthLink)
    ON_CONTROL(CPageTableGrid::TabPressed, IDC_PB_QUALITY, OnQualityTableTab)
    ON_CONTROL_RANGE(EN_SETFOCUS, IDC_PB_INPUT, IDC_PB_U, OnEnterEdit)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_PB_INPUT, IDC_PB_U, OnLeaveEdit)
END_MESSAGE_MAP()

CPermeableBase::CPermeableBase() : CPropertyPage(IDD_PERMEABLE_BASE)
{
}

CPermeableBase::~CPermeableBase()
{
    if (m_gridQuality.GetSafeHwnd() != nullptr)
        m_gridQuality.DestroyWindow();
}

void CPermeableBase::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PB_UNIT_Q, m_picDischargeUnit);
}

BOOL CPermeableBase::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    m_bmpCalculator.LoadBitmap(IDB_CALCULATOR);
    m_bmpPlot.LoadBitmap(IDB_PLOT);
    m_bmpInflow.LoadBitmap(IDB_INFILTRATION);
    m_bmpTotalInflow.LoadBitmap(IDB_TOTAL_INFLOW_LINK);
    m_bmpPorosity.LoadBitmap(IDB_SYMBOL_NE_LINK);
    m_bmpInflowMetric.LoadBitmap(IDB_INFLOW_UNITS_METRIC);
    m_bmpInflowEnglish.LoadBitmap(IDB_INFLOW_UNITS_ENGLISH);
    m_bmpDischargeMetric.LoadBitmap(IDB_DISCHARGE_UNITS_METRIC);
    m_bmpDischargeEnglish.LoadBitmap(IDB_DISCHARGE_UNITS_ENGLISH);
    for (int nID : {IDC_PB_SIEVE_INPUT, IDC_PB_SIEVE_K, IDC_PB_CALC_HMIN, IDC_PB_CALC_U, IDC_PB_CALC_T,
                    IDC_PB_CALC_PSAT, IDC_PB_CALC_Q})
        SendDlgItemMessage(nID, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>((HBITMAP)m_bmpCalculator));
    for (int nID : {IDC_PB_PLOT_DOF, IDC_PB_PLOT_TTD})
        SendDlgItemMessage(nID, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>((HBITMAP)m_bmpPlot));

    InitQualityTable();
    return TRUE;
}

void CPermeableBase::InitQualityTable()
{
    if (!m_gridQuality.SubclassDlgItem(IDC_PB_QUALITY, this))
        return;
    m_gridQuality.Initialize();
    CGXGridParam* pParam = m_gridQuality.GetParam();
    pParam->EnableUndo(FALSE);
    pParam->SetRowResizeFlags(0);
    pParam->SetColResizeFlags(0);
    m_gridQuality.SetRowCount(5);
    m_gridQuality.SetColCount(2);
    m_gridQuality.HideCols(0, 0);

    m_gridQuality.SetValueRange(CGXRange(0, 1), "Quality of Drainage");
    m_gridQuality.SetValueRange(CGXRange(0, 2), "Time to Drain");
    const char* const qualities[5] = {"Excellent", "Good", "Fair", "Poor", "Very Poor"};
    for (ROWCOL nRow = 1; nRow <= 5; ++nRow)
        m_gridQuality.SetValueRange(CGXRange(nRow, 1), qualities[nRow - 1]);
    ShowQualityTimes(m_pProjectData == nullptr || m_pProjectData->m_strDrainMethod == "AASHTO");
    CGXStyle staticText;
    staticText.SetControl(GX_IDS_CTRL_STATIC);
    m_gridQuality.SetStyleRange(CGXRange(1, 1, 5, 2), staticText, gxOverride);

    // Six equal rows and two halves fill the window.
    CRect rcGrid = m_gridQuality.GetGridRect();
    m_gridQuality.SetRowHeight(0, 5, rcGrid.Height() / 6);
    m_gridQuality.SetColWidth(1, 1, rcGrid.Width() / 2);
    m_gridQuality.SetColWidth(2, 2, rcGrid.Width() / 2 - 1);

    m_posVerdict = pParam->m_SelRects.AddTail(new CGXRange());
    // Typing would change the criteria shown.
    m_gridQuality.SetReadOnly(TRUE);
}

void CPermeableBase::ShowQualityTimes(bool bAashto)
{
    if (m_gridQuality.GetSafeHwnd() == nullptr)
        return;
    const char* const* times = bAashto ? AashtoTimes : SaturationTimes;
    const BOOL bReadOnly = m_gridQuality.IsReadOnly();
    m_gridQuality.SetReadOnly(FALSE);
    for (ROWCOL nRow = 1; nRow <= 5; ++nRow)
        m_gridQuality.SetValueRange(CGXRange(nRow, 2), times[nRow - 1]);
    m_gridQuality.SetReadOnly(bReadOnly);
}

BOOL CPermeableBase::OnSetActive()
{
    m_warning.Drop();
    if (m_pProjectData != nullptr)
    {
        CProjectData& data = *m_pProjectData;
        data.m_bModified = 1;
        CheckRadioButton(IDC_PB_TTD, IDC_PB_DOF, IsTimeToDrain(data) ? IDC_PB_TTD : IDC_PB_DOF);
        const bool bAashto = data.m_strDrainMethod == "AASHTO";
        CheckDlgButton(IDC_PB_AASHTO, bAashto ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_PB_PRM, bAashto ? BST_UNCHECKED : BST_CHECKED);
        ShowQualityTimes(bAashto);
        CheckRadioButton(IDC_PB_BARBER, IDC_PB_CASAGRANDE,
                         data.m_strTimeToDrainMethod == "Barber" ? IDC_PB_BARBER : IDC_PB_CASAGRANDE);
        RefreshFields();
        ApplyAnalysisType();
        m_gridQuality.m_pProjectData = m_pProjectData;
    }
    return CPropertyPage::OnSetActive();
}

BOOL CPermeableBase::OnKillActive()
{
    PageFocusSink(this, IDC_PB_FOCUS_SINK);
    return CPropertyPage::OnKillActive();
}

BOOL CPermeableBase::PreTranslateMessage(MSG* pMsg)
{
    m_warning.ShowPending(this);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

// ---- What the page shows ----

void CPermeableBase::RefreshFields()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    const struct { int nID; TextField field; } edits[] = {
        {IDC_PB_INPUT, InputField(data)}, {IDC_PB_K, Permeability}, {IDC_PB_S, Slope}, {IDC_PB_L, Length},
        {IDC_PB_H, Thickness}, {IDC_PB_HMIN, MinThickness}, {IDC_PB_Q, Discharge}, {IDC_PB_PSAT, Saturation},
        {IDC_PB_N, Porosity}, {IDC_PB_T, TimeToDrain}, {IDC_PB_U, Drained},
    };
    for (const auto& edit : edits)
        PageSetTextIfDifferent(this, edit.nID, data.*edit.field);

    // Under the AASHTO criterion U is given and Psat follows; under the manual's it is the reverse.
    const bool bAashto = data.m_strDrainMethod == "AASHTO";
    const bool bTimeToDrain = IsTimeToDrain(data);
    SetReadOnly(this, IDC_PB_PSAT, bAashto);
    SetReadOnly(this, IDC_PB_U, !bAashto);
    PageShowControls(this, {IDC_PB_CALC_PSAT}, bTimeToDrain && bAashto);
    PageShowControls(this, {IDC_PB_CALC_U}, bTimeToDrain && !bAashto);
}

void CPermeableBase::UpdateButtonStates()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    const bool bTimeToDrain = IsTimeToDrain(data);
    auto filled = [&](int nEdit, TextField field) { return PageFieldFilled(this, nEdit, data.*field); };
    // Ne is typed in the first edit only while it shows Ne.
    const bool bPorosity = bTimeToDrain ? filled(IDC_PB_INPUT, EffectivePorosity)
                                        : !data.m_strBaseEffectivePorosity.IsEmpty();
    const bool bInput = filled(IDC_PB_INPUT, InputField(data));
    const bool bK = filled(IDC_PB_K, Permeability);
    const bool bS = filled(IDC_PB_S, Slope);
    const bool bL = filled(IDC_PB_L, Length);
    const bool bH = filled(IDC_PB_H, Thickness);
    const bool bU = filled(IDC_PB_U, Drained);

    const bool bDepthOfFlow = bInput && bK && bS && bL;
    PageEnableControl(this, IDC_PB_CALC_HMIN, bDepthOfFlow);
    PageEnableControl(this, IDC_PB_PLOT_DOF, bDepthOfFlow);
    PageEnableControl(this, IDC_PB_CALC_Q, bK && bS && bH);
    PageEnableControl(this, IDC_PB_CALC_U, filled(IDC_PB_PSAT, Saturation) && filled(IDC_PB_N, Porosity) && bPorosity);
    const bool bTime = bPorosity && bK && bS && bL && bH && bU;
    PageEnableControl(this, IDC_PB_CALC_T, bTime);
    PageEnableControl(this, IDC_PB_PLOT_TTD, bTime);
    PageEnableControl(this, IDC_PB_CALC_PSAT, bU && bPorosity);
}

void CPermeableBase::RefreshSummary()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    PageSetSummaryText(IDC_BASE_THICKNESS, data.m_strBaseThickness);
    PageSetSummaryText(IDC_PERCENT_DRAINED, data.m_strPercentDrained);
    PageSetSummaryText(IDC_TIME_TO_DRAIN, data.m_strTimeToDrain);
    PageSetSummaryText(IDC_BASE_DISCHARGE, data.m_strBaseDischargeRate);
    PageSetSummaryText(IDC_INFILTRATION_RATE, data.m_strInfiltrationRate);
}

void CPermeableBase::ApplyAnalysisType()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    const bool bTimeToDrain = IsTimeToDrain(data);
    HBITMAP hInput = bTimeToDrain ? (HBITMAP)m_bmpPorosity
                                  : data.m_strMeltwater == "no" ? (HBITMAP)m_bmpInflow : (HBITMAP)m_bmpTotalInflow;
    PageSetPictureIfDifferent(this, IDC_PB_PIC_INPUT, hInput);
    PageShowControls(this, TimeToDrainControls, bTimeToDrain);
    PageShowControls(this, DepthOfFlowControls, !bTimeToDrain);
    RefreshFields();
    UpdateButtonStates();
    RefreshSummary();
}

void CPermeableBase::ShowRecord()
{
    if (m_pProjectData == nullptr)
        return;
    RefreshFields();
    UpdateButtonStates();
    RefreshSummary();
    PageShowSummary(*m_pProjectData);
    if (IsTimeToDrain(*m_pProjectData))
        MarkVerdictRow();
}

BOOL CPermeableBase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CRecordChange change(m_pProjectData);
    const BOOL bHandled = CPropertyPage::OnCommand(wParam, lParam);
    if (change.ClearStaleResults())
        ShowRecord();
    return bHandled;
}

void CPermeableBase::MarkVerdictRow()
{
    if (m_pProjectData == nullptr || m_posVerdict == nullptr || m_gridQuality.GetSafeHwnd() == nullptr)
        return;
    CGXRange* pVerdict = m_gridQuality.GetParam()->m_SelRects.GetAt(m_posVerdict);
    const int nRow = CPermeableBaseCalc::DrainageQualityRow(*m_pProjectData);
    const CGXRange marked = nRow > 0 ? CGXRange(static_cast<ROWCOL>(nRow), 1, static_cast<ROWCOL>(nRow), 2)
                                     : CGXRange();
    if (*pVerdict == marked)
        return;
    *pVerdict = marked;
    m_gridQuality.RedrawGrid(GX_INVALIDATE);
}

// ---- Painting, focus and help ----

void CPermeableBase::OnPaint()
{
    if (m_pProjectData != nullptr)
    {
        CProjectData& data = *m_pProjectData;
        const bool bMetric = data.IsMetric();
        PageSetTextIfDifferent(this, IDC_PB_UNIT_K, bMetric ? "m/d" : "ft/d");
        PageSetTextIfDifferent(this, IDC_PB_UNIT_S, bMetric ? "m/m" : "ft/ft");
        for (int nID : {IDC_PB_UNIT_L, IDC_PB_UNIT_H, IDC_PB_UNIT_HMIN})
            PageSetTextIfDifferent(this, nID, bMetric ? "m" : "ft");
        PageSetPictureIfDifferent(this, IDC_PB_UNIT_Q, bMetric ? (HBITMAP)m_bmpDischargeMetric : (HBITMAP)m_bmpDischargeEnglish);
        PageSetPictureIfDifferent(this, IDC_PB_UNIT_INPUT, bMetric ? (HBITMAP)m_bmpInflowMetric : (HBITMAP)m_bmpInflowEnglish);
        if (IsTimeToDrain(data))
            MarkVerdictRow();
        PageHonourFocusRequest(this, data);
        RefreshFields();
        UpdateButtonStates();
    }
    // Validates what the work above invalidated as well.
    CPaintDC dc(this);
}

void CPermeableBase::OnContextMenu(CWnd* pWnd, CPoint point)
{
    QuarrowShowContextHelp(this, pWnd, point, HelpIds);
}

BOOL CPermeableBase::OnHelpInfo(HELPINFO*)
{
    // The request ends here: passed on, the main dialog's contents topic would replace the page's.
    const bool bTimeToDrain = m_pProjectData == nullptr || IsTimeToDrain(*m_pProjectData);
    QuarrowShowHelpTopic(GetSafeHwnd(), bTimeToDrain ? HelpTopicTimeToDrain : HelpTopicDepthOfFlow);
    return TRUE;
}

// ---- Choices ----

void CPermeableBase::OnTimeToDrainAnalysis()
{
    SelectAnalysis("TTD");
}

void CPermeableBase::OnDepthOfFlowAnalysis()
{
    SelectAnalysis("DOF");
}

void CPermeableBase::SelectAnalysis(const char* pszAnalysis)
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strBaseMethod = pszAnalysis;
    ApplyAnalysisType();
}

void CPermeableBase::OnBarber()
{
    SelectTimeToDrainMethod("Barber");
}

void CPermeableBase::OnCasagrande()
{
    SelectTimeToDrainMethod("Cassagrande");
}

void CPermeableBase::SelectTimeToDrainMethod(const char* pszMethod)
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strTimeToDrainMethod = pszMethod;
    m_pProjectData->m_strTimeToDrain.Empty();
    RefreshFields();
    Invalidate();
}

void CPermeableBase::OnAashto()
{
    SelectDrainCriterion("AASHTO");
}

void CPermeableBase::OnRehabilitationManual()
{
    SelectDrainCriterion("PRM");
}

void CPermeableBase::SelectDrainCriterion(const char* pszCriterion)
{
    if (m_pProjectData == nullptr)
        return;
    const bool bAashto = CString(pszCriterion) == "AASHTO";
    ShowQualityTimes(bAashto);
    m_pProjectData->m_strDrainMethod = pszCriterion;
    RefreshFields();
    UpdateButtonStates();
    // The same time to drain may fall in another row under the other criterion.
    MarkVerdictRow();
}

// ---- Compute and plot buttons ----

void CPermeableBase::ShowCalcResult(const CPageCalcResult& result)
{
    RefreshFields();
    UpdateButtonStates();
    RefreshSummary();
    if (result.bStored)
        Invalidate();
    PageShowCalcResult(m_pSheetOfPage, result);
}

void CPermeableBase::OnCalcTimeToDrain()
{
    if (m_pProjectData != nullptr)
        ShowCalcResult(CPermeableBaseCalc::TimeToDrain(*m_pProjectData));
}

void CPermeableBase::OnCalcPercentDrained()
{
    if (m_pProjectData != nullptr)
        ShowCalcResult(CPermeableBaseCalc::PercentDrained(*m_pProjectData));
}

void CPermeableBase::OnCalcPercentSaturation()
{
    if (m_pProjectData != nullptr)
        ShowCalcResult(CPermeableBaseCalc::PercentSaturation(*m_pProjectData));
}

void CPermeableBase::OnCalcMinThickness()
{
    if (m_pProjectData != nullptr)
        ShowCalcResult(CPermeableBaseCalc::MinThickness(*m_pProjectData));
}

void CPermeableBase::OnCalcDischarge()
{
    if (m_pProjectData != nullptr)
        ShowCalcResult(CPermeableBaseCalc::DischargeCapacity(*m_pProjectData));
}

void CPermeableBase::PlotTimeToDrainSensitivity()
{
    if (m_pProjectData != nullptr)
        PlotToFennick(CPlotDataFile::WriteTimeToDrain, *m_pProjectData);
}

void CPermeableBase::PlotDepthOfFlowSensitivity()
{
    if (m_pProjectData != nullptr)
        PlotToFennick(CPlotDataFile::WriteDepthOfFlow, *m_pProjectData);
}

// ---- Links to the pages where the inputs are found ----

void CPermeableBase::GoToPage(int nPage, int nFocus, bool bBaseLayer, bool bRepaintSheet)
{
    if (m_pProjectData == nullptr || m_pSheetOfPage == nullptr)
        return;
    if (bBaseLayer)
        m_pProjectData->m_strSieveLayer = "base";
    PageGoTo(m_pSheetOfPage, *m_pProjectData, nPage, nFocus, bRepaintSheet);
}

void CPermeableBase::OnSieveAnalysisButton()
{
    GoToPage(CQuarrowDlg::PageSieveAnalysis, 0, true, false);
}

void CPermeableBase::OnInputLink()
{
    if (m_pProjectData == nullptr)
        return;
    // Ne of the base layer, or the design inflow.
    if (IsTimeToDrain(*m_pProjectData))
        GoToPage(CQuarrowDlg::PageSieveAnalysis, IDC_SV_EFFECTIVE_POROSITY, true, true);
    else
        GoToPage(CQuarrowDlg::PageInflow, IDC_IN_QI, false, true);
}

void CPermeableBase::OnPermeabilityLink()
{
    GoToPage(CQuarrowDlg::PageSieveAnalysis, IDC_SV_PERMEABILITY, true, true);
}

void CPermeableBase::OnPorosityLink()
{
    GoToPage(CQuarrowDlg::PageSieveAnalysis, IDC_SV_POROSITY, true, true);
}

void CPermeableBase::OnSlopeLink()
{
    GoToPage(CQuarrowDlg::PageRoadway, IDC_RW_SR, false, true);
}

void CPermeableBase::OnLengthLink()
{
    GoToPage(CQuarrowDlg::PageRoadway, IDC_RW_LR, false, true);
}

void CPermeableBase::OnQualityTableTab()
{
    if (HWND hRadio = ::GetDlgItem(m_hWnd, IDC_PB_TTD))
        ::SetFocus(hRadio);
}

// ---- Entering and leaving the edits ----

void CPermeableBase::OnEnterEdit(UINT nID)
{
    const bool bKnown = std::find(EnterEdits.begin(), EnterEdits.end(), static_cast<int>(nID)) != EnterEdits.end();
    if (!bKnown || m_pProjectData == nullptr)
        return;
    UpdateButtonStates();
    if (nID != IDC_PB_S && nID != IDC_PB_L)
        RefreshSummary();
}

void CPermeableBase::OnLeaveEdit(UINT nID)
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const LeaveRule* pRule = FindLeaveRule(nID, data);
    if (pRule == nullptr)
        return;
    const CString strTyped = PageItemText(this, pRule->nEdit);
    CString& strField = data.*pRule->field;
    if (strTyped != strField)
    {
        PageClearFields(data, pRule->clears);
        if (strTyped.IsEmpty())
        {
            // An emptied edit empties its field; it is no typed value to warn about.
            strField.Empty();
        }
        else
        {
            CRecordChange::StoreTyped(data, pRule->field, pRule->StoredText(strTyped));
            if (pRule->warn == Warn::NormalMode)
                m_warning.Queue(data, pRule->pszWarning);
            else if (pRule->warn == Warn::Thickness)
            {
                if (const char* pszWarning = ThicknessWarningFor(data, TypedNumber(strTyped)))
                    m_warning.QueueInAnyMode(pszWarning);
            }
        }
        PageSetTextIfDifferent(this, pRule->nEdit, strField);
    }
    if (pRule->refresh & Fields)
        RefreshFields();
    if (pRule->refresh & Buttons)
        UpdateButtonStates();
    if (pRule->refresh & Summary)
        RefreshSummary();
    if (pRule->refresh & Repaint)
        Invalidate();
}
