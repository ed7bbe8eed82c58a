#include "quarrow/pages/Roadway.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PageNumberText.h"
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

// A typed number as the runtime reads it (an empty or non-numeric text is 0). A text that reads
// as infinite ("1e999") counts as 0 too, so that no infinite value reaches the record.
double TypedNumber(const CString& strText)
{
    double value = atof(strText);
    return std::isfinite(value) ? value : 0.0;
}

CString LengthText(const CString& strTyped)
{
    return PageDigits5(TypedNumber(strTyped));
}

CString SlopeText(const CString& strTyped)
{
    return PageFixedOrExponent(TypedNumber(strTyped), 0.0001, "%.4f", "%.1e");
}

void Clear(std::initializer_list<CString*> fields)
{
    for (CString* pField : fields)
        pField->Empty();
}

// The edit's text against the record field: emptied, typed differently, or as stored.
enum class Edit { Erased, Changed, Unchanged };

Edit Compare(const CString& strEdit, const CString& strField)
{
    if (strEdit.IsEmpty() && !strField.IsEmpty())
        return Edit::Erased;
    return strEdit == strField ? Edit::Unchanged : Edit::Changed;
}

void SetTextIfDifferent(CWnd* pPage, int nID, const char* pszText)
{
    CString strShown;
    pPage->GetDlgItemText(nID, strShown);
    if (strShown != pszText)
        pPage->SetDlgItemText(nID, pszText);
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
    m_warning.Drop();
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

BOOL CRoadway::OnKillActive()
{
    return CPropertyPage::OnKillActive();
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

CString CRoadway::EditText(int nID) const
{
    CString strText;
    GetDlgItemText(nID, strText);
    return strText;
}

// ---- Painting, focus and help ----

void CRoadway::OnPaint()
{
    if (m_pProjectData != nullptr)
    {
        const bool bMetric = m_pProjectData->m_strUnits == "metric";
        for (int nID : {IDC_RW_UNIT_B, IDC_RW_UNIT_C, IDC_RW_UNIT_W, IDC_RW_UNIT_LR})
            SetTextIfDifferent(this, nID, bMetric ? "m" : "ft");
        for (int nID : {IDC_RW_UNIT_S, IDC_RW_UNIT_SX, IDC_RW_UNIT_SR})
            SetTextIfDifferent(this, nID, bMetric ? "m/m" : "ft/ft");
        ShowGeometryPictures();
        PageHonourFocusRequest(this, *m_pProjectData);
    }
    // Validates what the work above invalidated as well.
    CPaintDC dc(this);
}

void CRoadway::OnKillFocus(CWnd* pNewWnd)
{
    if (HWND hSink = ::GetDlgItem(m_hWnd, IDC_RW_FOCUS_SINK))
        ::SetFocus(hSink);
    CPropertyPage::OnKillFocus(pNewWnd);
}

void CRoadway::OnContextMenu(CWnd* pWnd, CPoint point)
{
    HWND hControl = pWnd->GetSafeHwnd();
    // Unit labels and disabled buttons let the mouse through, so a right click on them arrives
    // as one on the page: the control is then the visible one with an id under the point.
    if (hControl == m_hWnd && !(point.x == -1 && point.y == -1))
    {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            RECT rcChild;
            if (::IsWindowVisible(hChild) && ::GetDlgCtrlID(hChild) > 0 && ::GetWindowRect(hChild, &rcChild) &&
                ::PtInRect(&rcChild, point))
            {
                hControl = hChild;
                break;
            }
        }
    }
    if (hControl != nullptr && hControl != m_hWnd && ::GetDlgCtrlID(hControl) > 0)
        PageShowContextHelp(CWnd::FromHandle(hControl), HelpIds);
}

BOOL CRoadway::OnHelpInfo(HELPINFO*)
{
    // The request ends here: passed on, it would reach the main dialog, whose contents topic
    // would replace the page's.
    PageShowHelpTopic(this, HelpTopic);
    return TRUE;
}

// ---- Geometry and compute buttons ----

void CRoadway::OnGeometryA()
{
    if (m_pProjectData == nullptr)
        return;
    CRoadwayCalc::SetGeometry(*m_pProjectData, "A");
    SetDlgItemText(IDC_RW_W, "");
    SetDlgItemText(IDC_RW_LR, "");
    ShowGeometryPictures();
    UpdateSummaryGeometry();
}

void CRoadway::OnGeometryB()
{
    if (m_pProjectData == nullptr)
        return;
    CRoadwayCalc::SetGeometry(*m_pProjectData, "B");
    SetDlgItemText(IDC_RW_W, "");
    SetDlgItemText(IDC_RW_LR, "");
    ShowGeometryPictures();
    UpdateSummaryGeometry();
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
    if (!EditText(IDC_RW_C).IsEmpty())
        m_btnCalcWidth.EnableWindow(TRUE);
}

void CRoadway::OnEnterCoefficientC()
{
    if (!EditText(IDC_RW_B).IsEmpty())
        m_btnCalcWidth.EnableWindow(TRUE);
}

void CRoadway::OnEnterLongitudinalSlope()
{
    if (!EditText(IDC_RW_SX).IsEmpty())
        m_btnCalcSlope.EnableWindow(TRUE);
}

void CRoadway::OnEnterCrossSlope()
{
    if (!EditText(IDC_RW_S).IsEmpty())
        m_btnCalcSlope.EnableWindow(TRUE);
}

// ---- Leaving an edit: store the value and clear what depended on the old one ----

void CRoadway::OnLeaveCoefficientB()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strB = EditText(IDC_RW_B);
    const bool bBothTyped = !strB.IsEmpty() && !EditText(IDC_RW_C).IsEmpty();
    switch (Compare(strB, data.m_strGeometryCoefficientB))
    {
    case Edit::Erased:
        m_btnCalcWidth.EnableWindow(FALSE);
        m_btnCalcLength.EnableWindow(FALSE);
        Clear({&data.m_strGeometryCoefficientB, &data.m_strBaseWidth, &data.m_strResultantLength,
               &data.m_strInfiltrationRate, &data.m_strPipeFlow, &data.m_strOutletSpacing,
               &data.m_strBaseDischargeRate, &data.m_strTimeToDrain});
        break;
    case Edit::Changed:
        data.m_strGeometryCoefficientB = LengthText(strB);
        Clear({&data.m_strBaseWidth, &data.m_strResultantLength, &data.m_strInfiltrationRate});
        if (bBothTyped)
            m_btnCalcWidth.EnableWindow(TRUE);
        CRoadwayCalc::SetTransverseCrackLength(data);
        break;
    case Edit::Unchanged:
        if (bBothTyped)
            m_btnCalcWidth.EnableWindow(TRUE);
        break;
    }
    RefreshValues();
}

void CRoadway::OnLeaveCoefficientC()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strC = EditText(IDC_RW_C);
    const bool bBothTyped = !strC.IsEmpty() && !EditText(IDC_RW_B).IsEmpty();
    switch (Compare(strC, data.m_strGeometryCoefficientC))
    {
    case Edit::Erased:
        m_btnCalcWidth.EnableWindow(FALSE);
        m_btnCalcLength.EnableWindow(FALSE);
        Clear({&data.m_strGeometryCoefficientC, &data.m_strBaseWidth, &data.m_strResultantLength,
               &data.m_strInfiltrationRate, &data.m_strPipeFlow, &data.m_strOutletSpacing,
               &data.m_strBaseDischargeRate, &data.m_strTimeToDrain});
        break;
    case Edit::Changed:
        data.m_strGeometryCoefficientC = LengthText(strC);
        Clear({&data.m_strInfiltrationRate, &data.m_strBaseWidth, &data.m_strResultantLength});
        if (bBothTyped)
            m_btnCalcWidth.EnableWindow(TRUE);
        break;
    case Edit::Unchanged:
        m_btnCalcWidth.EnableWindow(bBothTyped);
        break;
    }
    RefreshValues();
}

void CRoadway::OnLeaveBaseWidth()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strW = EditText(IDC_RW_W);
    if (Compare(strW, data.m_strBaseWidth) == Edit::Unchanged)
    {
        if (!data.m_strGeometryCoefficientB.IsEmpty() && !data.m_strGeometryCoefficientC.IsEmpty())
            m_btnCalcWidth.EnableWindow(TRUE);
    }
    else
    {
        // A typed width replaces the computed one: c goes, so the two cannot disagree.
        Clear({&data.m_strInfiltrationRate, &data.m_strGeometryCoefficientC, &data.m_strResultantLength,
               &data.m_strPipeFlow, &data.m_strOutletSpacing});
        m_warning.Queue(data, WidthWarning);
        // An emptied width stays empty rather than becoming a width of 0.
        data.m_strBaseWidth = strW.IsEmpty() ? CString() : LengthText(strW);
        if (!strW.IsEmpty() && !EditText(IDC_RW_SX).IsEmpty() && !EditText(IDC_RW_S).IsEmpty())
            m_btnCalcLength.EnableWindow(TRUE);
        m_btnCalcWidth.EnableWindow(FALSE);
    }
    RefreshValues();
}

void CRoadway::OnLeaveCrossSlope()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strSx = EditText(IDC_RW_SX);
    const bool bBothTyped = !strSx.IsEmpty() && !EditText(IDC_RW_S).IsEmpty();
    switch (Compare(strSx, data.m_strCrossSlope))
    {
    case Edit::Erased:
        m_btnCalcSlope.EnableWindow(FALSE);
        m_btnCalcLength.EnableWindow(FALSE);
        Clear({&data.m_strResultantSlope, &data.m_strCrossSlope});
        break;
    case Edit::Changed:
        Clear({&data.m_strResultantSlope, &data.m_strResultantLength});
        if (bBothTyped)
            m_btnCalcSlope.EnableWindow(TRUE);
        Clear({&data.m_strBaseMinThickness, &data.m_strBaseDischargeRate, &data.m_strTimeToDrain,
               &data.m_strPipeFlow, &data.m_strOutletSpacing});
        data.m_strCrossSlope = SlopeText(strSx);
        break;
    case Edit::Unchanged:
        if (bBothTyped)
            m_btnCalcSlope.EnableWindow(TRUE);
        break;
    }
    RefreshValues();
}

void CRoadway::OnLeaveLongitudinalSlope()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strS = EditText(IDC_RW_S);
    const bool bBothTyped = !strS.IsEmpty() && !EditText(IDC_RW_SX).IsEmpty();
    switch (Compare(strS, data.m_strLongitudinalSlope))
    {
    case Edit::Erased:
        m_btnCalcSlope.EnableWindow(FALSE);
        m_btnCalcLength.EnableWindow(FALSE);
        Clear({&data.m_strLongitudinalSlope, &data.m_strResultantSlope, &data.m_strResultantLength,
               &data.m_strBaseMinThickness, &data.m_strBaseDischargeRate, &data.m_strTimeToDrain,
               &data.m_strPipeFlow, &data.m_strOutletSpacing});
        break;
    case Edit::Changed:
        Clear({&data.m_strResultantSlope, &data.m_strResultantLength});
        if (bBothTyped)
            m_btnCalcSlope.EnableWindow(TRUE);
        data.m_strLongitudinalSlope = SlopeText(strS);
        break;
    case Edit::Unchanged:
        if (bBothTyped)
            m_btnCalcSlope.EnableWindow(TRUE);
        break;
    }
    RefreshValues();
}

void CRoadway::OnLeaveResultantSlope()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strSr = EditText(IDC_RW_SR);
    if (Compare(strSr, data.m_strResultantSlope) != Edit::Unchanged)
    {
        // A typed resultant slope replaces the computed one: Sx goes.
        m_warning.Queue(data, SlopeWarning);
        Clear({&data.m_strCrossSlope, &data.m_strResultantLength, &data.m_strPipeFlow, &data.m_strOutletSpacing,
               &data.m_strBaseDischargeRate, &data.m_strBaseMinThickness, &data.m_strTimeToDrain});
        m_btnCalcSlope.EnableWindow(FALSE);
        data.m_strResultantSlope = strSr.IsEmpty() ? CString() : SlopeText(strSr);
    }
    EnableLengthButtonFromRecord();
    RefreshValues();
}

void CRoadway::OnLeaveResultantLength()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strLr = EditText(IDC_RW_LR);
    if (Compare(strLr, data.m_strResultantLength) != Edit::Unchanged)
    {
        // A typed resultant length replaces the computed one: W and S go.
        m_warning.Queue(data, LengthWarning);
        Clear({&data.m_strBaseWidth, &data.m_strLongitudinalSlope, &data.m_strBaseMinThickness,
               &data.m_strBaseDischargeRate, &data.m_strTimeToDrain, &data.m_strPipeFlow, &data.m_strOutletSpacing});
        data.m_strResultantLength = strLr.IsEmpty() ? CString() : LengthText(strLr);
    }
    EnableLengthButtonFromRecord();
    RefreshValues();
}
