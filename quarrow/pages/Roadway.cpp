#include "quarrow/pages/Roadway.h"

#include <initializer_list>

#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/ResultDependencies.h"
#include "quarrow/pages/RoadwayCalc.h"
#include "resources/quarrow/resource.h"

namespace {

const char HelpTopic[] = "roadwaygeometry.htm";

// Control id and help context id pairs of the context-help popups, ended by two zeros.
const DWORD HelpIds[] = {
    IDC_RW_PIC_B, 1100, IDC_RW_UNIT_B, 1100,
    IDC_RW_PIC_C, 1101, IDC_RW_UNIT_C, 1101,
    IDC_RW_GEOMETRY_A, 1102,
    IDC_RW_GEOMETRY_B, 1103,
    IDC_RW_FORMULA_W, 1104,
    IDC_RW_CALC_W, 1105,
    IDC_RW_PIC_W, 1106, IDC_RW_UNIT_W, 1106,
    IDC_RW_PIC_S, 1107, IDC_RW_UNIT_S, 1107,
    IDC_RW_PIC_SX, 1108, IDC_RW_UNIT_SX, 1108,
    IDC_RW_FORMULA_SR, 1109,
    IDC_RW_CALC_SR, 1110,
    IDC_RW_PIC_SR, 1111, IDC_RW_UNIT_SR, 1111,
    IDC_RW_FORMULA_LR, 1112,
    IDC_RW_CALC_LR, 1113,
    IDC_RW_PIC_LR, 1114, IDC_RW_UNIT_LR, 1114,
    IDC_RW_PLAN_A, 1115,
    IDC_RW_PLAN_B, 1116,
    IDC_RW_CUTAWAY_A, 1117,
    IDC_RW_FLOW_PATH, 1118,
    0, 0,
};

CString SlopeText(const CString& strTyped)
{
    return PageFixedOrExponent(TypedNumber(strTyped), 0.0001, "%.4f", "%.1e");
}

using TextField = CString CProjectData::*;

// The edit's text against the record field: emptied, typed differently, or as stored.
enum class Edit { Erased, Changed, Unchanged };

Edit Compare(const CString& strEdit, const CString& strField)
{
    if (strEdit.IsEmpty() && !strField.IsEmpty())
        return Edit::Erased;
    return strEdit == strField ? Edit::Unchanged : Edit::Changed;
}

// One input of the pairs that a compute button combines: b and c give W, S and Sx give Sr.
struct PairedInput
{
    int nEdit;
    int nPartnerEdit;
    CButton CRoadway::*pButton;
    TextField pField;
    CString (*StoredText)(const CString& strTyped);
    std::initializer_list<TextField> erasedClears;  // besides the input itself
    std::initializer_list<TextField> changedClears;
    // Left unchanged, the button follows the pair and is also disabled (c only).
    bool bUnchangedFollowsPair;
};

const PairedInput CoefficientB = {
    IDC_RW_B, IDC_RW_C, &CRoadway::m_btnCalcWidth, &CProjectData::m_strGeometryCoefficientB, PageTypedDigits5,
    {&CProjectData::m_strBaseWidth, &CProjectData::m_strResultantLength, &CProjectData::m_strInfiltrationRate,
     &CProjectData::m_strPipeFlow, &CProjectData::m_strOutletSpacing, &CProjectData::m_strBaseDischargeRate,
     &CProjectData::m_strTimeToDrain},
    {&CProjectData::m_strBaseWidth, &CProjectData::m_strResultantLength, &CProjectData::m_strInfiltrationRate},
    false,
};

const PairedInput CoefficientC = {
    IDC_RW_C, IDC_RW_B, &CRoadway::m_btnCalcWidth, &CProjectData::m_strGeometryCoefficientC, PageTypedDigits5,
    {&CProjectData::m_strBaseWidth, &CProjectData::m_strResultantLength, &CProjectData::m_strInfiltrationRate,
     &CProjectData::m_strPipeFlow, &CProjectData::m_strOutletSpacing, &CProjectData::m_strBaseDischargeRate,
     &CProjectData::m_strTimeToDrain},
    {&CProjectData::m_strBaseWidth, &CProjectData::m_strResultantLength, &CProjectData::m_strInfiltrationRate},
    true,
};

const PairedInput LongitudinalSlope = {
    IDC_RW_S, IDC_RW_SX, &CRoadway::m_btnCalcSlope, &CProjectData::m_strLongitudinalSlope, SlopeText,
    {&CProjectData::m_strResultantSlope, &CProjectData::m_strResultantLength, &CProjectData::m_strBaseMinThickness,
     &CProjectData::m_strBaseDischargeRate, &CProjectData::m_strTimeToDrain, &CProjectData::m_strPipeFlow,
     &CProjectData::m_strOutletSpacing},
    {&CProjectData::m_strResultantSlope, &CProjectData::m_strResultantLength},
    false,
};

const PairedInput CrossSlope = {
    IDC_RW_SX, IDC_RW_S, &CRoadway::m_btnCalcSlope, &CProjectData::m_strCrossSlope, SlopeText,
    {&CProjectData::m_strResultantSlope},
    {&CProjectData::m_strResultantSlope, &CProjectData::m_strResultantLength, &CProjectData::m_strBaseMinThickness,
     &CProjectData::m_strBaseDischargeRate, &CProjectData::m_strTimeToDrain, &CProjectData::m_strPipeFlow,
     &CProjectData::m_strOutletSpacing},
    false,
};

// Entering the edit: the button is ready once the value is typed, when the partner holds one.
void EnterPairedInput(CRoadway& page, const PairedInput& input)
{
    if (!PageItemText(&page, input.nPartnerEdit).IsEmpty())
        (page.*input.pButton).EnableWindow(TRUE);
}

// Leaving the edit. Erased: the input and what hangs on it go, and neither its button nor the
// length button can compute. Typed anew: stored, its results go. The button is ready whenever
// both edits of the pair hold text.
Edit LeavePairedInput(CRoadway& page, CProjectData& data, const PairedInput& input)
{
    const CString strTyped = PageItemText(&page, input.nEdit);
    const bool bBothTyped = !strTyped.IsEmpty() && !PageItemText(&page, input.nPartnerEdit).IsEmpty();
    CButton& button = page.*input.pButton;
    const Edit edit = Compare(strTyped, data.*input.pField);
    switch (edit)
    {
    case Edit::Erased:
        button.EnableWindow(FALSE);
        page.m_btnCalcLength.EnableWindow(FALSE);
        (data.*input.pField).Empty();
        PageClearFields(data, input.erasedClears);
        break;
    case Edit::Changed:
        CRecordChange::StoreTyped(data, input.pField, input.StoredText(strTyped));
        PageClearFields(data, input.changedClears);
        if (bBothTyped)
            button.EnableWindow(TRUE);
        break;
    case Edit::Unchanged:
        if (bBothTyped || input.bUnchangedFollowsPair)
            button.EnableWindow(bBothTyped);
        break;
    }
    return edit;
}

// A result typed by hand: W, Sr or Lr.
struct TypedResult
{
    int nEdit;
    TextField pField;
    CString (*StoredText)(const CString& strTyped);
    const char* pszWarning;
    // The inputs it would be computed from that go with the typed value, so that the computed and
    // the typed value cannot disagree. They are forgotten, not changed: what else was computed
    // from them stays (Sr and q_i stay with a typed Lr).
    std::initializer_list<TextField> forgets;
    // The results that hang on the typed value.
    std::initializer_list<TextField> clears;
};

const TypedResult BaseWidth = {
    IDC_RW_W, &CProjectData::m_strBaseWidth, PageTypedDigits5, CRoadway::WidthWarning,
    {&CProjectData::m_strGeometryCoefficientC},
    {&CProjectData::m_strInfiltrationRate, &CProjectData::m_strResultantLength, &CProjectData::m_strPipeFlow,
     &CProjectData::m_strOutletSpacing},
};

const TypedResult ResultantSlope = {
    IDC_RW_SR, &CProjectData::m_strResultantSlope, SlopeText, CRoadway::SlopeWarning,
    {&CProjectData::m_strCrossSlope},
    {&CProjectData::m_strResultantLength, &CProjectData::m_strPipeFlow, &CProjectData::m_strOutletSpacing,
     &CProjectData::m_strBaseDischargeRate, &CProjectData::m_strBaseMinThickness, &CProjectData::m_strTimeToDrain},
};

const TypedResult ResultantLength = {
    IDC_RW_LR, &CProjectData::m_strResultantLength, PageTypedDigits5, CRoadway::LengthWarning,
    {&CProjectData::m_strBaseWidth, &CProjectData::m_strLongitudinalSlope},
    {&CProjectData::m_strBaseMinThickness, &CProjectData::m_strBaseDischargeRate, &CProjectData::m_strTimeToDrain,
     &CProjectData::m_strPipeFlow, &CProjectData::m_strOutletSpacing},
};

// Leaving the edit of a result: a text other than the stored one replaces the computed value
// (an emptied edit stays empty rather than becoming 0) and queues the warning. FALSE when the
// text was left as stored.
bool LeaveTypedResult(CRoadway& page, CProjectData& data, const TypedResult& result)
{
    const CString strTyped = PageItemText(&page, result.nEdit);
    if (Compare(strTyped, data.*result.pField) == Edit::Unchanged)
        return false;
    page.m_warning.Queue(data, result.pszWarning);
    for (TextField input : result.forgets)
        CRecordChange::Forget(data, input);
    PageClearFields(data, result.clears);
    CRecordChange::StoreTyped(data, result.pField, strTyped.IsEmpty() ? CString() : result.StoredText(strTyped));
    return true;
}

} // namespace

const char CRoadway::WidthWarning[] =
    "Width of drainage layer should be calculated from parameter b and c\nManually edit at your own risk.";
const char CRoadway::SlopeWarning[] =
    "Resultant slope should be calculated from parameter Sx and S.\nManually edit at your own risk.";
const char CRoadway::LengthWarning[] =
    "Resultant drainage length should be calculated from parameter Sx and S and W.\nManually edit at your own risk.";

IMPLEMENT_DYNCREATE(CRoadway, CPropertyPage)

BEGIN_MESSAGE_MAP(CRoadway, CPropertyPage)
    ON_WM_PAINT()
    ON_WM_KILLFOCUS()
    ON_WM_CONTEXTMENU()
    ON_WM_HELPINFO()
    ON_BN_CLICKED(IDC_RW_GEOMETRY_A, OnGeometryA)
    ON_BN_CLICKED(IDC_RW_GEOMETRY_B, OnGeometryB)
    ON_BN_CLICKED(IDC_RW_CALC_W, OnCalcWidth)
    ON_BN_CLICKED(IDC_RW_CALC_SR, OnCalcResultantSlope)
    ON_BN_CLICKED(IDC_RW_CALC_LR, OnCalcResultantLength)
    ON_EN_SETFOCUS(IDC_RW_B, OnEnterCoefficientB)
    ON_EN_SETFOCUS(IDC_RW_C, OnEnterCoefficientC)
    ON_EN_SETFOCUS(IDC_RW_S, OnEnterLongitudinalSlope)
    ON_EN_SETFOCUS(IDC_RW_SX, OnEnterCrossSlope)
    ON_EN_KILLFOCUS(IDC_RW_B, OnLeaveCoefficientB)
    ON_EN_KILLFOCUS(IDC_RW_C, OnLeaveCoefficientC)
    ON_EN_KILLFOCUS(IDC_RW_W, OnLeaveBaseWidth)
    ON_EN_KILLFOCUS(IDC_RW_SX, OnLeaveCrossSlope)
    ON_EN_KILLFOCUS(IDC_RW_S, OnLeaveLongitudinalSlope)
    ON_EN_KILLFOCUS(IDC_RW_SR, OnLeaveResultantSlope)
    ON_EN_KILLFOCUS(IDC_RW_LR, OnLeaveResultantLength)
END_MESSAGE_MAP()

CRoadway::CRoadway() : CPropertyPage(IDD_ROADWAY)
{
}

CRoadway::~CRoadway() = default;

void CRoadway::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RW_FORMULA_W, m_picFormula);
}

BOOL CRoadway::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    m_btnCalcWidth.SubclassDlgItem(IDC_RW_CALC_W, this);
    m_btnCalcLength.SubclassDlgItem(IDC_RW_CALC_LR, this);
    m_btnCalcSlope.SubclassDlgItem(IDC_RW_CALC_SR, this);
    m_bmpCalculator.LoadBitmap(IDB_CALCULATOR);
    for (CButton* pButton : {&m_btnCalcWidth, &m_btnCalcLength, &m_btnCalcSlope})
        pButton->SetBitmap(m_bmpCalculator);
    m_bmpFormulaA.LoadBitmap(IDB_FORMULA_WIDTH_A);
    m_bmpFormulaB.LoadBitmap(IDB_FORMULA_WIDTH_B);
    if (m_pProjectData != nullptr)
        ShowGeometryPictures();
    return TRUE;
}

BOOL CRoadway::OnSetActive()
{
    m_warning.Drop();
    if (m_pProjectData != nullptr)
    {
        const CProjectData& data = *m_pProjectData;
        if (data.m_strGeometryCoefficientB.IsEmpty() || data.m_strGeometryCoefficientC.IsEmpty())
            m_btnCalcWidth.EnableWindow(FALSE);
        m_btnCalcSlope.EnableWindow(!data.m_strLongitudinalSlope.IsEmpty() && !data.m_strCrossSlope.IsEmpty());
        EnableLengthButtonFromRecord();
        CheckRadioButton(IDC_RW_GEOMETRY_A, IDC_RW_GEOMETRY_B,
                         data.m_strGeometryChoice == "A" ? IDC_RW_GEOMETRY_A : IDC_RW_GEOMETRY_B);
        ShowRecordInEdits();
        PageSetSummaryText(IDC_BASE_WIDTH, data.m_strBaseWidth);
        PageSetSummaryText(IDC_RESULTANT_SLOPE, data.m_strResultantSlope);
        PageSetSummaryText(IDC_RESULTANT_LENGTH, data.m_strResultantLength);
    }
    return CPropertyPage::OnSetActive();
}

BOOL CRoadway::PreTranslateMessage(MSG* pMsg)
{
    m_warning.ShowPending(this);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CRoadway::RefreshValues()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    data.m_bModified = 1;
    ShowRecordInEdits();
    PageSetSummaryText(IDC_INFILTRATION_RATE, data.m_strInfiltrationRate);
    PageSetSummaryText(IDC_BASE_WIDTH, data.m_strBaseWidth);
    PageSetSummaryText(IDC_RESULTANT_SLOPE, data.m_strResultantSlope);
    PageSetSummaryText(IDC_RESULTANT_LENGTH, data.m_strResultantLength);
}

void CRoadway::ShowRecord()
{
    if (m_pProjectData == nullptr)
        return;
    RefreshValues();
    PageShowSummary(*m_pProjectData);
}

BOOL CRoadway::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CRecordChange change(m_pProjectData);
    const BOOL bHandled = CPropertyPage::OnCommand(wParam, lParam);
    if (change.ClearStaleResults())
        ShowRecord();
    return bHandled;
}

void CRoadway::ShowRecordInEdits()
{
    const CProjectData& data = *m_pProjectData;
    SetDlgItemText(IDC_RW_B, data.m_strGeometryCoefficientB);
    SetDlgItemText(IDC_RW_C, data.m_strGeometryCoefficientC);
    SetDlgItemText(IDC_RW_W, data.m_strBaseWidth);
    SetDlgItemText(IDC_RW_S, data.m_strLongitudinalSlope);
    SetDlgItemText(IDC_RW_SX, data.m_strCrossSlope);
    SetDlgItemText(IDC_RW_SR, data.m_strResultantSlope);
    SetDlgItemText(IDC_RW_LR, data.m_strResultantLength);
}

void CRoadway::ShowGeometryPictures()
{
    const bool bGeometryA = m_pProjectData->m_strGeometryChoice == "A";
    HBITMAP hFormula = bGeometryA ? (HBITMAP)m_bmpFormulaA : (HBITMAP)m_bmpFormulaB;
    if (m_picFormula.GetSafeHwnd() != nullptr && m_picFormula.GetBitmap() != hFormula)
        m_picFormula.SetBitmap(hFormula);
    if (CWnd* pCutawayA = GetDlgItem(IDC_RW_CUTAWAY_A))
        pCutawayA->ShowWindow(bGeometryA ? SW_SHOW : SW_HIDE);
    if (CWnd* pCutawayB = GetDlgItem(IDC_RW_CUTAWAY_B))
        pCutawayB->ShowWindow(bGeometryA ? SW_HIDE : SW_SHOW);
}

void CRoadway::UpdateSummaryGeometry()
{
    PageSetSummaryText(IDC_BASE_WIDTH, m_pProjectData->m_strBaseWidth);
    PageSetSummaryText(IDC_RESULTANT_LENGTH, m_pProjectData->m_strResultantLength);
}

void CRoadway::EnableLengthButtonFromRecord()
{
    m_btnCalcLength.EnableWindow(CRoadwayCalc::CanCalcResultantLength(*m_pProjectData));
}

// ---- Painting, focus and help ----

void CRoadway::OnPaint()
{
    if (m_pProjectData != nullptr)
    {
        const bool bMetric = m_pProjectData->IsMetric();
        for (int nID : {IDC_RW_UNIT_B, IDC_RW_UNIT_C, IDC_RW_UNIT_W, IDC_RW_UNIT_LR})
            PageSetTextIfDifferent(this, nID, bMetric ? "m" : "ft");
        for (int nID : {IDC_RW_UNIT_S, IDC_RW_UNIT_SX, IDC_RW_UNIT_SR})
            PageSetTextIfDifferent(this, nID, bMetric ? "m/m" : "ft/ft");
        ShowGeometryPictures();
        PageHonourFocusRequest(this, *m_pProjectData);
    }
    // Validates what the work above invalidated as well.
    CPaintDC dc(this);
}

void CRoadway::OnKillFocus(CWnd* pNewWnd)
{
    PageFocusSink(this, IDC_RW_FOCUS_SINK);
    CPropertyPage::OnKillFocus(pNewWnd);
}

void CRoadway::OnContextMenu(CWnd* pWnd, CPoint point)
{
    QuarrowShowContextHelp(this, pWnd, point, HelpIds);
}

BOOL CRoadway::OnHelpInfo(HELPINFO*)
{
    // The request ends here: passed on, it would reach the main dialog, whose contents topic
    // would replace the page's.
    QuarrowShowHelpTopic(GetSafeHwnd(), HelpTopic);
    return TRUE;
}

// ---- Geometry and compute buttons ----

void CRoadway::OnGeometryA()
{
    SelectGeometry("A");
}

void CRoadway::OnGeometryB()
{
    SelectGeometry("B");
}

void CRoadway::SelectGeometry(const char* pszGeometry)
{
    if (m_pProjectData == nullptr)
        return;
    CRoadwayCalc::SetGeometry(*m_pProjectData, pszGeometry);
    SetDlgItemText(IDC_RW_W, "");
    SetDlgItemText(IDC_RW_LR, "");
    ShowGeometryPictures();
    UpdateSummaryGeometry();
    // The switch cleared W and Lr: like every change of the record, it must be saved or asked about.
    m_pProjectData->m_bModified = 1;
}

void CRoadway::OnCalcWidth()
{
    if (m_pProjectData == nullptr)
        return;
    if (!CRoadwayCalc::CalcWidth(*m_pProjectData).bStored)
    {
        m_btnCalcWidth.EnableWindow(FALSE);
        return;
    }
    RefreshValues();
    EnableLengthButtonFromRecord();
}

void CRoadway::OnCalcResultantSlope()
{
    if (m_pProjectData == nullptr)
        return;
    CRoadwayCalc::CalcResultantSlope(*m_pProjectData);
    RefreshValues();
    EnableLengthButtonFromRecord();
}

void CRoadway::OnCalcResultantLength()
{
    if (m_pProjectData == nullptr)
        return;
    CPageCalcResult result = CRoadwayCalc::CalcResultantLength(*m_pProjectData);
    RefreshValues();
    PageShowCalcResult(m_pSheetOfPage, result);
}

// ---- Entering an edit: its button is ready once the value is typed ----

void CRoadway::OnEnterCoefficientB()
{
    EnterPairedInput(*this, CoefficientB);
}

void CRoadway::OnEnterCoefficientC()
{
    EnterPairedInput(*this, CoefficientC);
}

void CRoadway::OnEnterLongitudinalSlope()
{
    EnterPairedInput(*this, LongitudinalSlope);
}

void CRoadway::OnEnterCrossSlope()
{
    EnterPairedInput(*this, CrossSlope);
}

// ---- Leaving an edit: store the value and clear what depended on the old one ----

void CRoadway::OnLeaveCoefficientB()
{
    if (m_pProjectData == nullptr)
        return;
    if (LeavePairedInput(*this, *m_pProjectData, CoefficientB) == Edit::Changed)
        CRoadwayCalc::SetTransverseCrackLength(*m_pProjectData);
    RefreshValues();
}

void CRoadway::OnLeaveCoefficientC()
{
    if (m_pProjectData == nullptr)
        return;
    LeavePairedInput(*this, *m_pProjectData, CoefficientC);
    RefreshValues();
}

void CRoadway::OnLeaveCrossSlope()
{
    if (m_pProjectData == nullptr)
        return;
    LeavePairedInput(*this, *m_pProjectData, CrossSlope);
    RefreshValues();
}

void CRoadway::OnLeaveLongitudinalSlope()
{
    if (m_pProjectData == nullptr)
        return;
    LeavePairedInput(*this, *m_pProjectData, LongitudinalSlope);
    RefreshValues();
}

void CRoadway::OnLeaveBaseWidth()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    if (LeaveTypedResult(*this, data, BaseWidth))
    {
        if (!data.m_strBaseWidth.IsEmpty() && !PageItemText(this, IDC_RW_SX).IsEmpty() &&
            !PageItemText(this, IDC_RW_S).IsEmpty())
            m_btnCalcLength.EnableWindow(TRUE);
        m_btnCalcWidth.EnableWindow(FALSE);
    }
    else if (!data.m_strGeometryCoefficientB.IsEmpty() && !data.m_strGeometryCoefficientC.IsEmpty())
    {
        m_btnCalcWidth.EnableWindow(TRUE);
    }
    RefreshValues();
}

void CRoadway::OnLeaveResultantSlope()
{
    if (m_pProjectData == nullptr)
        return;
    if (LeaveTypedResult(*this, *m_pProjectData, ResultantSlope))
        m_btnCalcSlope.EnableWindow(FALSE);
    EnableLengthButtonFromRecord();
    RefreshValues();
}

void CRoadway::OnLeaveResultantLength()
{
    if (m_pProjectData == nullptr)
        return;
    LeaveTypedResult(*this, *m_pProjectData, ResultantLength);
    EnableLengthButtonFromRecord();
    RefreshValues();
}
