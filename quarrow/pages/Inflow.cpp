#include "quarrow/pages/Inflow.h"

#include <initializer_list>

#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/app/QuarrowDlg.h"
#include "quarrow/pages/HeaveDlg.h"
#include "quarrow/pages/MeltwaterDlg.h"
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/ResultDependencies.h"
#include "resources/quarrow/resource.h"

namespace {

using TextField = CString CProjectData::*;

const TextField Inflow = &CProjectData::m_strInfiltrationRate;        // q_i
const TextField Ratio = &CProjectData::m_strInfiltrationRatio;        // C
const TextField Rainfall = &CProjectData::m_strRainfallRate;          // R
const TextField Crack = &CProjectData::m_strCrackInfiltrationRate;    // Ic
const TextField Cracks = &CProjectData::m_strLongitudinalCracks;      // Nc
const TextField JointLength = &CProjectData::m_strTransverseCrackLength;   // Wc
const TextField Width = &CProjectData::m_strBaseWidth;                // W
const TextField JointSpacing = &CProjectData::m_strTransverseCrackSpacing; // Cs
const TextField PavementK = &CProjectData::m_strPavementK;            // kp
const TextField Heave = &CProjectData::m_strHeaveRate;
const TextField SubgradeK = &CProjectData::m_strSubgradeK;            // k_sub
const TextField PavementWeight = &CProjectData::m_strPavementUnitWeight;   // gamma_s
const TextField BaseWeight = &CProjectData::m_strBaseUnitWeight;      // gamma_b
const TextField PavementThickness = &CProjectData::m_strPavementLayerThickness; // Hs
const TextField BaseThickness = &CProjectData::m_strBaseThickness;    // Hb
const TextField Load = &CProjectData::m_strPavementLoad;              // sigma
const TextField Meltwater = &CProjectData::m_strMeltwaterFlow;        // q_m

// Ratio method: F turns in/hr of rain into ft/day of inflow; metric rain is turned into in/hr first
// and the inflow into m/s.
const double RainfallFactor = 2.0;
const double InchesPerMillimetre = 0.03937007874015748;
const double MetresPerSecondPerFootPerDay = 3.528e-06;
const double SecondsPerDay = 86400.0;

const char TypicalRatioPortland[] = "0.585";
const char TypicalRatioAsphalt[] = "0.415";
const char NotePortland[] = "Note: Appropriate values for C range from 0.5 to 0.67";
const char NoteAsphalt[] = "Note: Appropriate values for C range from 0.33 to 0.50";
const char ZeroWidthOrSpacing[] = "W or Cs must not be set equal to zero";

// Control id and help context id pairs of the context-help popups, ended by two zeros.
const DWORD HelpIds[] = {
    IDC_IN_RATIO, 1302, IDC_IN_CRACK, 1303, IDC_IN_PCC, 1304, IDC_IN_ACC, 1305,
    IDC_IN_RAIN_ONE, 1306, IDC_IN_RAIN_TWO, 1307, IDC_IN_FORMULA_CRACK, 1308, IDC_IN_FORMULA_RATIO, 1309,
    IDC_IN_FORMULA_LOAD, 1310, IDC_IN_PIC_C, 1311, IDC_IN_PIC_R, 1312, IDC_IN_PIC_IC, 1313,
    IDC_IN_PIC_NC, 1314, IDC_IN_PIC_WC, 1315, IDC_IN_PIC_W, 1316, IDC_IN_PIC_CS, 1317,
    IDC_IN_PIC_KP, 1318, IDC_IN_PIC_QI, 1300, IDC_IN_PIC_HEAVE, 1320, IDC_IN_PIC_KSUB, 1321,
    IDC_IN_PIC_GAMMA_S, 1322, IDC_IN_PIC_GAMMA_B, 1323, IDC_IN_PIC_HS, 1324,
    // The remaining symbols and the buttons, each beside the quantity it belongs to.
    IDC_IN_PIC_HB, 1325, IDC_IN_PIC_LOAD, 1326, IDC_IN_PIC_QM, 1327, IDC_IN_MELTWATER, 1328,
    IDC_IN_MEAN_C, 1311, IDC_IN_RAIN_MAP, 1312, IDC_IN_CALC_QI, 1300, IDC_IN_CALC_HEAVE, 1320,
    IDC_IN_SUBGRADE_LINK, 1321, IDC_IN_CALC_LOAD, 1326, IDC_IN_CALC_QM, 1327,
    0, 0,
};

bool AllSet(const CProjectData& data, std::initializer_list<TextField> fields)
{
    for (TextField field : fields)
        if ((data.*field).IsEmpty())
            return false;
    return true;
}

// A typed meltwater inflow: two decimals, or an exponent below 0.01.
CString MeltwaterText(const CString& strTyped)
{
    return PageFixedFromBound(TypedNumber(strTyped), 0.01, "%.2f", "%.2e");
}

// The inputs of the meltwater button.
const std::initializer_list<TextField> MeltwaterInputs = {Load, Heave, SubgradeK};

// Entering an edit: its button is ready when the button's other inputs are in the record.
struct EnterRule
{
    int nEdit;
    int nButton;
    std::initializer_list<TextField> others;
    bool bEnableOnly;  // never disables (the rainfall edit)
};

const EnterRule EnterRules[] = {
    {IDC_IN_R, IDC_IN_CALC_QI, {Ratio}, true},
    {IDC_IN_IC, IDC_IN_CALC_QI, {JointLength, Width, Cracks, JointSpacing, PavementK}, false},
    {IDC_IN_NC, IDC_IN_CALC_QI, {Crack, JointLength, Width, JointSpacing, PavementK}, false},
    {IDC_IN_WC, IDC_IN_CALC_QI, {Crack, Width, Cracks, JointSpacing, PavementK}, false},
    {IDC_IN_W, IDC_IN_CALC_QI, {Crack, JointLength, Cracks, JointSpacing, PavementK}, false},
    {IDC_IN_CS, IDC_IN_CALC_QI, {Crack, JointLength, Width, Cracks, PavementK}, false},
    {IDC_IN_KP, IDC_IN_CALC_QI, {Crack, JointLength, Width, Cracks, JointSpacing}, false},
    {IDC_IN_HEAVE, IDC_IN_CALC_QM, {SubgradeK, Load}, false},
    {IDC_IN_KSUB, IDC_IN_CALC_QM, {Heave, Load}, false},
    {IDC_IN_LOAD, IDC_IN_CALC_QM, {Heave, SubgradeK}, false},
    {IDC_IN_GAMMA_S, IDC_IN_CALC_LOAD, {BaseWeight, BaseThickness, PavementThickness}, false},
    {IDC_IN_GAMMA_B, IDC_IN_CALC_LOAD, {PavementWeight, BaseThickness, PavementThickness}, false},
    {IDC_IN_HS, IDC_IN_CALC_LOAD, {PavementWeight, BaseWeight, BaseThickness}, false},
    {IDC_IN_HB, IDC_IN_CALC_LOAD, {PavementWeight, BaseWeight, PavementThickness}, false},
};

// Leaving an edit. Erased (the edit empty): the field and what hangs on it go. Changed (a text
// other than the record's): it is stored and what hangs on it goes. Either ends with a refresh;
// then the rule's last step runs whatever the text.
enum class Then { Nothing, Refresh, InflowButton, LoadButton, MeltwaterButton };

struct LeaveRule
{
    int nEdit;
    TextField field;
    CString (*StoredText)(const CString& strTyped);
    std::initializer_list<TextField> erasedClears;  // besides the field
    std::initializer_list<TextField> changedClears;
    const char* pszWarning;        // queued in normal mode when changed
    bool bUnchangedClears;         // the changed path's clears run for an unchanged text too
    Then then;
};

const LeaveRule LeaveRules[] = {
    {IDC_IN_R, Rainfall, PageTypedDigits5, {Inflow}, {Inflow}, nullptr, true, Then::Refresh},
    {IDC_IN_C, Ratio, PageTypedDigits5, {Inflow}, {Inflow}, nullptr, false, Then::Nothing},
    {IDC_IN_IC, Crack, PageTypedDigits5, {Inflow}, {Inflow}, nullptr, false, Then::InflowButton},
    {IDC_IN_NC, Cracks, PageTypedDigits5, {Inflow}, {Inflow}, nullptr, false, Then::InflowButton},
    {IDC_IN_CS, JointSpacing, PageTypedDigits5, {Inflow}, {Inflow}, nullptr, false, Then::InflowButton},
    {IDC_IN_KP, PavementK, PageTypedDigits5, {Inflow}, {Inflow}, nullptr, false, Then::InflowButton},
    {IDC_IN_WC, JointLength, PageTypedDigits5, {Inflow}, {Inflow}, CInflow::JointLengthWarning, false,
     Then::InflowButton},
    {IDC_IN_W, Width, PageTypedDigits5,
     {&CProjectData::m_strGeometryCoefficientC, &CProjectData::m_strResultantLength, Inflow},
     {Inflow, &CProjectData::m_strGeometryCoefficientC, &CProjectData::m_strResultantLength},
     CInflow::WidthWarning, false, Then::InflowButton},
    {IDC_IN_HEAVE, Heave, PageTypedDigits5, {Meltwater, Load}, {Meltwater}, nullptr, false, Then::LoadButton},
    {IDC_IN_KSUB, SubgradeK, PageTypedDigits5, {Meltwater}, {Meltwater}, nullptr, false, Then::LoadButton},
    {IDC_IN_GAMMA_S, PavementWeight, PageTypedDigits5, {Meltwater, Load}, {Load, Meltwater}, nullptr, false,
     Then::LoadButton},
    {IDC_IN_GAMMA_B, BaseWeight, PageTypedDigits5, {Meltwater, Load}, {Load, Meltwater}, nullptr, false,
     Then::LoadButton},
    {IDC_IN_HS, PavementThickness, PageTypedDigits5, {Meltwater, Load}, {Load, Meltwater}, nullptr, false,
     Then::LoadButton},
    {IDC_IN_HB, BaseThickness, PageTypedDigits5, {Meltwater, Load}, {Load, Meltwater}, nullptr, false,
     Then::LoadButton},
    {IDC_IN_LOAD, Load, PageTypedDigits5, {Meltwater}, {Meltwater}, nullptr, false, Then::MeltwaterButton},
    {IDC_IN_QM, Meltwater, MeltwaterText, {}, {}, nullptr, false, Then::Refresh},
};

const EnterRule* FindEnterRule(UINT nID)
{
    for (const EnterRule& rule : EnterRules)
        if (rule.nEdit == static_cast<int>(nID))
            return &rule;
    return nullptr;
}

const LeaveRule* FindLeaveRule(UINT nID)
{
    for (const LeaveRule& rule : LeaveRules)
        if (rule.nEdit == static_cast<int>(nID))
            return &rule;
    return nullptr;
}

// q_i by the record's method; false (nothing stored) for a crack method without width or spacing.
bool CalcInfiltrationRate(CProjectData& data)
{
    double dInflow = 0.0;
    if (data.m_strInfiltrationMethod == "ratio")
    {
        const double dRatio = TypedNumber(data.*Ratio);
        const double dRainfall = TypedNumber(data.*Rainfall);
        if (data.IsMetric())
            dInflow = RainfallFactor * (dRainfall * InchesPerMillimetre) * dRatio * MetresPerSecondPerFootPerDay;
        else
            dInflow = RainfallFactor * dRatio * dRainfall;
    }
    else
    {
        const double dJointLength = TypedNumber(data.*JointLength);
        const double dSpacing = TypedNumber(data.*JointSpacing);
        const double dCracks = TypedNumber(data.*Cracks);
        const double dWidth = TypedNumber(data.*Width);
        const double dCrack = TypedNumber(data.*Crack);
        double dPavementK = TypedNumber(data.*PavementK);
        if (dSpacing == 0.0 || dWidth == 0.0)
            return false;
        // The metric crack term is per second, the pavement's permeability per day.
        if (data.IsMetric())
            dPavementK /= SecondsPerDay;
        dInflow = dCrack * (dCracks / dWidth + dJointLength / (dWidth * dSpacing)) + dPavementK;
    }
    data.*Inflow = PageDigits5(dInflow);
    data.m_strBaseMinThickness.Empty();
    return true;
}

} // namespace

const char CInflow::JointLengthWarning[] =
    "The default Wc is determined from parameter b and c\nunder roadway geometry.Manually edit at your own risk.";
const char CInflow::WidthWarning[] =
    "Width of drainage layer should be calculated from parameter b and c\nunder roadway geometry.Manually edit at "
    "your own risk.";
const char CInflow::InflowWarning[] =
    "It is recommended that the value for qi be calcultated from using the Crack Infiltration or the Infiltration "
    "Ratio method.";

IMPLEMENT_DYNCREATE(CInflow, CPropertyPage)

BEGIN_MESSAGE_MAP(CInflow, CPropertyPage)
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
    ON_WM_HELPINFO()
    ON_BN_CLICKED(IDC_IN_RATIO, OnRatioMethod)
    ON_BN_CLICKED(IDC_IN_CRACK, OnCrackMethod)
    ON_BN_CLICKED(IDC_IN_PCC, OnPortlandCement)
    ON_BN_CLICKED(IDC_IN_ACC, OnAsphaltCement)
    ON_BN_CLICKED(IDC_IN_RAIN_ONE, OnOneYearRain)
    ON_BN_CLICKED(IDC_IN_RAIN_TWO, OnTwoYearRain)
    ON_BN_CLICKED(IDC_IN_MEAN_C, OnTypicalRatio)
    ON_BN_CLICKED(IDC_IN_CALC_QI, OnCalcInflow)
    ON_BN_CLICKED(IDC_IN_RAIN_MAP, OnRainfallMap)
    ON_BN_CLICKED(IDC_IN_MELTWATER, OnMeltwaterCheck)
    ON_BN_CLICKED(IDC_IN_CALC_HEAVE, OnHeave)
    ON_BN_CLICKED(IDC_IN_SUBGRADE_LINK, OnSubgradeLink)
    ON_BN_CLICKED(IDC_IN_CALC_LOAD, OnCalcLoad)
    ON_BN_CLICKED(IDC_IN_CALC_QM, OnMeltwater)
    ON_STN_CLICKED(IDC_IN_PIC_WC, OnJointLengthLink)
    ON_STN_CLICKED(IDC_IN_PIC_W, OnWidthLink)
    ON_STN_CLICKED(IDC_IN_PIC_HB, OnThicknessLink)
    ON_EN_KILLFOCUS(IDC_IN_QI, OnLeaveInflow)
    ON_CONTROL_RANGE(EN_SETFOCUS, IDC_IN_HEAVE, IDC_IN_KP, OnEnterEdit)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_IN_HEAVE, IDC_IN_KP, OnLeaveEdit)
END_MESSAGE_MAP()

CInflow::CInflow() : CPropertyPage(IDD_INFLOW)
{
}

CInflow::~CInflow() = default;

void CInflow::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IN_MELTWATER, m_chkMeltwater);
}

BOOL CInflow::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    m_btnHeave.SubclassDlgItem(IDC_IN_CALC_HEAVE, this);
    m_btnSubgrade.SubclassDlgItem(IDC_IN_SUBGRADE_LINK, this);
    m_btnLoad.SubclassDlgItem(IDC_IN_CALC_LOAD, this);
    m_btnMeltwater.SubclassDlgItem(IDC_IN_CALC_QM, this);
    m_btnInflow.SubclassDlgItem(IDC_IN_CALC_QI, this);
    m_btnMean.SubclassDlgItem(IDC_IN_MEAN_C, this);
    m_btnRainfallMap.SubclassDlgItem(IDC_IN_RAIN_MAP, this);
    m_bmpCalculator.LoadBitmap(IDB_CALCULATOR);
    for (CButton* pButton : {&m_btnHeave, &m_btnSubgrade, &m_btnLoad, &m_btnMeltwater, &m_btnInflow, &m_btnRainfallMap})
        pButton->SetBitmap(m_bmpCalculator);
    m_bmpMean.LoadBitmap(IDB_MEAN);
    m_btnMean.SetBitmap(m_bmpMean);

    m_bmpInflowEnglish.LoadBitmap(IDB_INFLOW_UNITS_ENGLISH);
    m_bmpInflowMetric.LoadBitmap(IDB_INFLOW_UNITS_METRIC);
    m_bmpLoadEnglish.LoadBitmap(IDB_UNIT_LOAD_ENGLISH);
    m_bmpLoadMetric.LoadBitmap(IDB_UNIT_LOAD_METRIC);
    m_bmpDensityEnglish.LoadBitmap(IDB_UNIT_DENSITY_ENGLISH);
    m_bmpDensityMetric.LoadBitmap(IDB_UNIT_DENSITY_METRIC);
    m_bmpCrackEnglish.LoadBitmap(IDB_UNIT_CRACK_ENGLISH);
    m_bmpCrackMetric.LoadBitmap(IDB_UNIT_CRACK_METRIC);
    return TRUE;
}

BOOL CInflow::OnSetActive()
{
    m_warning.Drop();
    if (m_pProjectData != nullptr)
    {
        CProjectData& data = *m_pProjectData;
        if ((data.*Crack).IsEmpty())
        {
            if (data.m_strUnits == "english")
                data.*Crack = "2.4";
            else if (data.IsMetric())
                data.*Crack = "2.58e-06";
        }
        ShowRecordInEdits();
        PageSetSummaryText(IDC_INFILTRATION_RATE, data.*Inflow);
        PageSetSummaryText(IDC_MELTWATER_FLOW, data.*Meltwater);

        if (data.m_strInfiltrationMethod == "ratio")
        {
            m_btnInflow.EnableWindow(AllSet(data, {Ratio, Rainfall}));
            CheckRadioButton(IDC_IN_RATIO, IDC_IN_CRACK, IDC_IN_RATIO);
            ShowConcrete();
            ShowRainfallChoice();
        }
        else
        {
            CheckRadioButton(IDC_IN_RATIO, IDC_IN_CRACK, IDC_IN_CRACK);
        }
        ShowMethodControls();
        const bool bMeltwater = data.m_strMeltwater == "yes";
        m_chkMeltwater.SetCheck(bMeltwater ? BST_CHECKED : BST_UNCHECKED);
        EnableMeltwaterControls(bMeltwater);
        UpdateInflowButton();
        UpdateLoadButton();
    }
    return CPropertyPage::OnSetActive();
}

BOOL CInflow::OnKillActive()
{
    PageFocusSink(this, IDC_IN_FOCUS_SINK);
    return CPropertyPage::OnKillActive();
}

BOOL CInflow::PreTranslateMessage(MSG* pMsg)
{
    // The inflow warning is queued in either mode; expert mode drops it unseen.
    if (m_pProjectData != nullptr && m_pProjectData->m_strMode == "expert")
        m_warning.Drop();
    else
        m_warning.ShowPending(this);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CInflow::RefreshFields()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    data.m_bModified = 1;
    ShowRecordInEdits();
    PageSetSummaryText(IDC_INFILTRATION_RATE, data.*Inflow);
    PageSetSummaryText(IDC_MELTWATER_FLOW, data.*Meltwater);
}

void CInflow::ShowRecord()
{
    if (m_pProjectData == nullptr)
        return;
    RefreshFields();
    PageShowSummary(*m_pProjectData);
}

BOOL CInflow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CRecordChange change(m_pProjectData);
    const BOOL bHandled = CPropertyPage::OnCommand(wParam, lParam);
    if (change.ClearStaleResults())
    {
        StoreTotalInflow(true);
        ShowRecord();
    }
    return bHandled;
}

void CInflow::StoreTotalInflow(bool bOnlyWhenEmpty)
{
    CProjectData& data = *m_pProjectData;
    if (data.m_strMeltwater == "no" || (bOnlyWhenEmpty && !data.m_strTotalInflow.IsEmpty()))
        return;
    const CString strBefore = data.m_strTotalInflow;
    if (AllSet(data, {Inflow, Meltwater}))
        data.m_strTotalInflow = PageDigits5(TypedNumber(data.*Inflow) + TypedNumber(data.*Meltwater));
    else
        data.m_strTotalInflow.Empty();
    if (data.m_strTotalInflow != strBefore)
        CResultDependencies::ClearResultsOf(data, {&CProjectData::m_strTotalInflow});
}

void CInflow::ShowRecordInEdits()
{
    const CProjectData& data = *m_pProjectData;
    const struct { int nID; TextField field; } edits[] = {
        {IDC_IN_C, Ratio}, {IDC_IN_IC, Crack}, {IDC_IN_CS, JointSpacing}, {IDC_IN_R, Rainfall},
        {IDC_IN_QI, Inflow}, {IDC_IN_NC, Cracks}, {IDC_IN_WC, JointLength}, {IDC_IN_W, Width},
        {IDC_IN_KSUB, SubgradeK}, {IDC_IN_KP, PavementK}, {IDC_IN_GAMMA_S, PavementWeight},
        {IDC_IN_GAMMA_B, BaseWeight}, {IDC_IN_HS, PavementThickness}, {IDC_IN_HB, BaseThickness},
        {IDC_IN_LOAD, Load}, {IDC_IN_QM, Meltwater}, {IDC_IN_HEAVE, Heave},
    };
    for (const auto& edit : edits)
        PageSetTextIfDifferent(this, edit.nID, data.*edit.field);
}

void CInflow::ShowConcrete()
{
    const bool bPortland = m_pProjectData->m_strConcrete == "PCC";
    CheckRadioButton(IDC_IN_PCC, IDC_IN_ACC, bPortland ? IDC_IN_PCC : IDC_IN_ACC);
    SetDlgItemText(IDC_IN_NOTE_C, bPortland ? NotePortland : NoteAsphalt);
}

void CInflow::ShowRainfallChoice()
{
    CheckRadioButton(IDC_IN_RAIN_ONE, IDC_IN_RAIN_TWO,
                     m_pProjectData->m_strRain == "one" ? IDC_IN_RAIN_ONE : IDC_IN_RAIN_TWO);
}

void CInflow::ShowMethodControls()
{
    if (m_pProjectData == nullptr)
        return;
    const bool bRatio = m_pProjectData->m_strInfiltrationMethod == "ratio";
    if (bRatio)
        ShowConcrete();
    PageShowControls(this, {IDC_IN_PCC, IDC_IN_ACC, IDC_IN_MEAN_C, IDC_IN_PIC_C, IDC_IN_C, IDC_IN_FRAME_C, IDC_IN_NOTE_C,
                IDC_IN_RAIN_ONE, IDC_IN_RAIN_TWO, IDC_IN_RAIN_MAP, IDC_IN_PIC_R, IDC_IN_R, IDC_IN_FRAME_R,
                IDC_IN_NOTE_R, IDC_IN_UNIT_R, IDC_IN_FORMULA_RATIO},
         bRatio);
    PageShowControls(this, {IDC_IN_PIC_IC, IDC_IN_PIC_NC, IDC_IN_PIC_WC, IDC_IN_PIC_W, IDC_IN_PIC_CS, IDC_IN_PIC_KP, IDC_IN_IC,
                IDC_IN_NC, IDC_IN_WC, IDC_IN_W, IDC_IN_CS, IDC_IN_KP, IDC_IN_UNIT_WC, IDC_IN_UNIT_W, IDC_IN_UNIT_CS,
                IDC_IN_UNIT_KP, IDC_IN_UNIT_IC, IDC_IN_FORMULA_CRACK},
         !bRatio);
}

void CInflow::UpdateInflowButton()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    auto filled = [&](int nEdit, TextField field) { return PageFieldFilled(this, nEdit, data.*field); };
    bool bReady = false;
    if (data.m_strInfiltrationMethod == "crack")
        bReady = filled(IDC_IN_IC, Crack) && filled(IDC_IN_WC, JointLength) && filled(IDC_IN_W, Width) &&
                 filled(IDC_IN_NC, Cracks) && filled(IDC_IN_CS, JointSpacing) && filled(IDC_IN_KP, PavementK);
    else if (data.m_strInfiltrationMethod == "ratio")
        bReady = filled(IDC_IN_R, Rainfall) && filled(IDC_IN_C, Ratio);
    m_btnInflow.EnableWindow(bReady);
}

void CInflow::UpdateLoadButton()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    auto filled = [&](int nEdit, TextField field) { return PageFieldFilled(this, nEdit, data.*field); };
    m_btnLoad.EnableWindow(filled(IDC_IN_GAMMA_S, PavementWeight) && filled(IDC_IN_GAMMA_B, BaseWeight) &&
                           filled(IDC_IN_HB, BaseThickness) && filled(IDC_IN_HS, PavementThickness));
}

void CInflow::UpdateMeltwaterButton()
{
    if (m_pProjectData == nullptr)
        return;
    m_btnMeltwater.EnableWindow(AllSet(*m_pProjectData, MeltwaterInputs));
}

void CInflow::EnableMeltwaterControls(bool bIncluded)
{
    PageEnableControl(this, IDC_IN_MELT_GROUP, bIncluded);
    for (int nID : {IDC_IN_HEAVE, IDC_IN_KSUB, IDC_IN_GAMMA_S, IDC_IN_GAMMA_B, IDC_IN_HS, IDC_IN_HB, IDC_IN_LOAD,
                    IDC_IN_QM})
        PageEnableControl(this, nID, bIncluded);
    m_btnHeave.EnableWindow(bIncluded);
    m_btnSubgrade.EnableWindow(bIncluded);
    if (bIncluded)
    {
        UpdateLoadButton();
        UpdateMeltwaterButton();
    }
    else
    {
        m_btnLoad.EnableWindow(FALSE);
        m_btnMeltwater.EnableWindow(FALSE);
    }
}

// ---- Painting and help ----

void CInflow::OnPaint()
{
    if (m_pProjectData != nullptr)
    {
        const bool bMetric = m_pProjectData->IsMetric();
        PageSetTextIfDifferent(this, IDC_IN_UNIT_HEAVE, bMetric ? "mm/day" : "in/day");
        PageSetTextIfDifferent(this, IDC_IN_UNIT_KSUB, bMetric ? "m/day" : "ft/d");
        for (int nID : {IDC_IN_UNIT_HS, IDC_IN_UNIT_HB, IDC_IN_UNIT_WC, IDC_IN_UNIT_W, IDC_IN_UNIT_CS})
            PageSetTextIfDifferent(this, nID, bMetric ? "m" : "ft");
        PageSetTextIfDifferent(this, IDC_IN_UNIT_R, bMetric ? "mm/hr" : "in/hr");
        PageSetTextIfDifferent(this, IDC_IN_UNIT_KP, bMetric ? "m/d" : "ft/d");
        for (int nID : {IDC_IN_UNIT_GAMMA_S, IDC_IN_UNIT_GAMMA_B})
            PageSetPictureIfDifferent(this, nID, bMetric ? (HBITMAP)m_bmpDensityMetric : (HBITMAP)m_bmpDensityEnglish);
        PageSetPictureIfDifferent(this, IDC_IN_UNIT_LOAD, bMetric ? (HBITMAP)m_bmpLoadMetric : (HBITMAP)m_bmpLoadEnglish);
        for (int nID : {IDC_IN_UNIT_QM, IDC_IN_UNIT_QI})
            PageSetPictureIfDifferent(this, nID, bMetric ? (HBITMAP)m_bmpInflowMetric : (HBITMAP)m_bmpInflowEnglish);
        PageSetPictureIfDifferent(this, IDC_IN_UNIT_IC, bMetric ? (HBITMAP)m_bmpCrackMetric : (HBITMAP)m_bmpCrackEnglish);
        PageHonourFocusRequest(this, *m_pProjectData);
    }
    // Validates what the work above invalidated as well.
    CPaintDC dc(this);
}

void CInflow::OnContextMenu(CWnd* pWnd, CPoint point)
{
    QuarrowShowContextHelp(this, pWnd, point, HelpIds);
}

BOOL CInflow::OnHelpInfo(HELPINFO*)
{
    const bool bCrack = m_pProjectData != nullptr && m_pProjectData->m_strInfiltrationMethod == "crack";
    // The request ends here: passed on, it would reach the main dialog, whose contents topic
    // would replace the page's.
    QuarrowShowHelpTopic(GetSafeHwnd(), bCrack ? "inflow_crack.htm" : "inflow_ratio.htm");
    return TRUE;
}

void CInflow::OnRainfallMap()
{
    if (m_pProjectData == nullptr)
        return;
    QuarrowShowHelpTopic(nullptr,
                         m_pProjectData->m_strRain == "one" ? "oneyear.htm>MapPopup" : "twoyear.htm>MapPopup");
    if (CWnd* pRainfall = GetDlgItem(IDC_IN_R))
        pRainfall->SetFocus();
}

// ---- Methods and choices ----

void CInflow::OnRatioMethod()
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strInfiltrationMethod = "ratio";
    m_pProjectData->*Inflow = "";
    RefreshFields();
    ShowMethodControls();
    // The radio buttons show the stored rainfall choice, the one that the map button, the summary
    // and the project file use; checking "1-Year" over a stored "two" would contradict them.
    ShowRainfallChoice();
}

void CInflow::OnCrackMethod()
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strInfiltrationMethod = "crack";
    m_pProjectData->*Inflow = "";
    RefreshFields();
    ShowMethodControls();
}

void CInflow::OnPortlandCement()
{
    if (m_pProjectData == nullptr)
        return;
    SetDlgItemText(IDC_IN_NOTE_C, NotePortland);
    m_pProjectData->m_strConcrete = "PCC";
    PageClearFields(*m_pProjectData, {Ratio, Inflow});
    RefreshFields();
    m_btnInflow.EnableWindow(FALSE);
}

void CInflow::OnAsphaltCement()
{
    if (m_pProjectData == nullptr)
        return;
    SetDlgItemText(IDC_IN_NOTE_C, NoteAsphalt);
    m_pProjectData->m_strConcrete = "ACC";
    PageClearFields(*m_pProjectData, {Ratio, Inflow});
    RefreshFields();
    m_btnInflow.EnableWindow(FALSE);
}

// The rainfall choice is stored in the project file: like every change of the record, it must be
// saved or asked about.
void CInflow::OnOneYearRain()
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strRain = "one";
    m_pProjectData->m_bModified = 1;
}

void CInflow::OnTwoYearRain()
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strRain = "two";
    m_pProjectData->m_bModified = 1;
}

void CInflow::OnMeltwaterCheck()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    PageClearFields(data, {&CProjectData::m_strBaseDischargeRate, &CProjectData::m_strOutletSpacing});
    const bool bIncluded = m_chkMeltwater.GetCheck() == BST_CHECKED;
    data.m_strMeltwater = bIncluded ? "yes" : "no";
    data.m_bModified = 1;
    // The total stood still while meltwater was left out.
    if (bIncluded)
        StoreTotalInflow(false);
    EnableMeltwaterControls(bIncluded);
}

// ---- Compute buttons ----

void CInflow::OnTypicalRatio()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    data.*Ratio = data.m_strConcrete == "PCC" ? TypicalRatioPortland : TypicalRatioAsphalt;
    data.*Inflow = "";
    RefreshFields();
    m_btnInflow.EnableWindow(!(data.*Rainfall).IsEmpty());
}

void CInflow::OnCalcInflow()
{
    if (m_pProjectData == nullptr)
        return;
    if (!CalcInfiltrationRate(*m_pProjectData))
    {
        CPageCalcResult result = CPageCalcResult::Message(ZeroWidthOrSpacing);
        PageShowCalcResult(m_pSheetOfPage, result);
        return;
    }
    RefreshFields();
}

void CInflow::OnCalcLoad()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    data.*Load = PageDigits5(TypedNumber(data.*PavementWeight) * TypedNumber(data.*PavementThickness) +
                             TypedNumber(data.*BaseWeight) * TypedNumber(data.*BaseThickness));
    data.*Meltwater = "";
    RefreshFields();
    m_btnMeltwater.EnableWindow(AllSet(data, {Heave, SubgradeK}));
}

// ---- Dialogs and links ----

void CInflow::OnHeave()
{
    if (m_pProjectData == nullptr)
        return;
    CHeaveDlg dlg(this);
    dlg.m_pProjectData = m_pProjectData;
    dlg.DoModal();
    SetDlgItemText(IDC_IN_HEAVE, m_pProjectData->*Heave);
    if (CWnd* pHeave = GetDlgItem(IDC_IN_HEAVE))
        pHeave->SetFocus();
    m_pProjectData->m_nFocusControl = 0;
}

void CInflow::OnMeltwater()
{
    if (m_pProjectData == nullptr)
        return;
    CMeltwaterDlg dlg(nullptr);
    dlg.m_pProjectData = m_pProjectData;
    dlg.DoModal();
    m_pProjectData->m_strBaseMinThickness.Empty();
    RefreshFields();
}

void CInflow::OnSubgradeLink()
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strSieveLayer = "subgrade";
    if (m_pSheetOfPage != nullptr && m_pSheetOfPage->GetSafeHwnd() != nullptr)
        m_pSheetOfPage->SetActivePage(CQuarrowDlg::PageSieveAnalysis);
}

void CInflow::OnJointLengthLink()
{
    if (m_pSheetOfPage != nullptr && m_pSheetOfPage->GetSafeHwnd() != nullptr)
        m_pSheetOfPage->SetActivePage(CQuarrowDlg::PageRoadway);
}

void CInflow::OnWidthLink()
{
    if (m_pProjectData != nullptr)
        PageGoTo(m_pSheetOfPage, *m_pProjectData, CQuarrowDlg::PageRoadway, IDC_RW_W, true);
}

void CInflow::OnThicknessLink()
{
    if (m_pProjectData != nullptr)
        PageGoTo(m_pSheetOfPage, *m_pProjectData, CQuarrowDlg::PagePermeableBase, IDC_PB_H, true);
}

// ---- Entering and leaving the edits ----

void CInflow::OnEnterEdit(UINT nID)
{
    const EnterRule* pRule = FindEnterRule(nID);
    if (pRule == nullptr || m_pProjectData == nullptr)
        return;
    const bool bReady = AllSet(*m_pProjectData, pRule->others);
    if (bReady || !pRule->bEnableOnly)
        PageEnableControl(this, pRule->nButton, bReady);
}

void CInflow::OnLeaveEdit(UINT nID)
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
        PageClearFields(data, pRule->erasedClears);
        RefreshFields();
    }
    else if (strTyped != strField)
    {
        PageClearFields(data, pRule->changedClears);
        if (pRule->pszWarning != nullptr)
            m_warning.Queue(data, pRule->pszWarning);
        CRecordChange::StoreTyped(data, pRule->field, pRule->StoredText(strTyped));
        if (pRule->field == Meltwater)
            data.m_strBaseMinThickness.Empty();
        RefreshFields();
    }
    else if (pRule->bUnchangedClears)
    {
        PageClearFields(data, pRule->changedClears);
        RefreshFields();
    }

    switch (pRule->then)
    {
    case Then::Nothing:
        break;
    case Then::Refresh:
        RefreshFields();
        break;
    case Then::InflowButton:
        UpdateInflowButton();
        break;
    case Then::LoadButton:
        UpdateLoadButton();
        break;
    case Then::MeltwaterButton:
        RefreshFields();
        UpdateMeltwaterButton();
        break;
    }
}

void CInflow::OnLeaveInflow()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strTyped = PageItemText(this, IDC_IN_QI);
    if (!strTyped.IsEmpty())
    {
        if (strTyped != data.*Inflow)
            m_warning.QueueInAnyMode(InflowWarning);
        CRecordChange::StoreTyped(data, Inflow, PageTypedDigits5(strTyped));
        // A q_m typed meanwhile is taken first; the total then follows both.
        if (data.m_strMeltwater != "no")
            OnLeaveEdit(IDC_IN_QM);
        data.m_strBaseMinThickness.Empty();
    }
    RefreshFields();
}
