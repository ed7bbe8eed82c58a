#include "chart/ui/PageSetup.h"

#include "chart/ui/ChartViewIds.h"
#include "framework/win/DataExchange.h"

// ---- PageSetup ----

IMPLEMENT_DYNAMIC(PageSetup, CDialog)

BEGIN_MESSAGE_MAP(PageSetup, CDialog)
    ON_BN_CLICKED(IDC_QVG_USE_MAX_SIZE, OnUseMaxSize)
END_MESSAGE_MAP()

const char* const PageSetup::s_sizeNames[10] = {
    "320 X 240",   "640 X 480",          "800 X 600",           "1024 X 768",
    "A4 Portrait", "A4 Landscape",       "A5 Portrait",         "A5 Landscape",
    "US Letter Portrait", "US Letter Landscape",
};

PageSetup::PageSetup(CWnd* pParent)
    : CDialog(IDD_QVG_PAGE_SETUP, pParent), m_nSizeIndex(0), m_bUseMaxSize(0), m_nVertical(1), m_nHorizontal(1)
{
}

void PageSetup::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // A position the radios cannot show (a custom margin) stays as it was when none of them is checked.
    int nVertical = m_nVertical;
    int nHorizontal = m_nHorizontal;
    DDX_Radio(pDX, IDC_QVG_TOP, nVertical);
    DDX_Radio(pDX, IDC_QVG_LEFT, nHorizontal);
    if (pDX->m_bSaveAndValidate) {
        if (nVertical >= 0)
            m_nVertical = nVertical;
        if (nHorizontal >= 0)
            m_nHorizontal = nHorizontal;
    }
    DDX_Check(pDX, IDC_QVG_USE_MAX_SIZE, m_bUseMaxSize);
    DDX_Control(pDX, IDC_QVG_SIZE_LIST, m_sizeList);
}

BOOL PageSetup::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_sizeList.GetCount() == 0) {
        for (const char* name : s_sizeNames)
            m_sizeList.AddString(name);
    }
    m_sizeList.SetCurSel(m_nSizeIndex >= 0 && m_nSizeIndex < m_sizeList.GetCount() ? m_nSizeIndex : -1);
    UpdateEnabling();
    return TRUE;
}

void PageSetup::UpdateEnabling()
{
    const BOOL bEnable = IsDlgButtonChecked(IDC_QVG_USE_MAX_SIZE) != 0;
    for (int nID = IDC_QVG_TOP; nID <= IDC_QVG_RIGHT; ++nID) {
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(bEnable);
    }
    m_sizeList.EnableWindow(bEnable);
}

void PageSetup::OnUseMaxSize()
{
    UpdateEnabling();
}

void PageSetup::OnOK()
{
    // Without a selection (a code from the other dialog has no entry) the code stays as it was.
    const int nSelection = m_sizeList.GetCurSel();
    if (nSelection != CB_ERR)
        m_nSizeIndex = nSelection;
    CDialog::OnOK();
}

// ---- PageSetup2 ----

IMPLEMENT_DYNAMIC(PageSetup2, CDialog)

BEGIN_MESSAGE_MAP(PageSetup2, CDialog)
    ON_BN_CLICKED(IDC_QVG_TOP, OnVerticalFixed)
    ON_BN_CLICKED(IDC_QVG_CENTER, OnVerticalFixed)
    ON_BN_CLICKED(IDC_QVG_BOTTOM, OnVerticalFixed)
    ON_BN_CLICKED(IDC_QVG_VERTICAL_CUSTOM, OnVerticalCustom)
    ON_BN_CLICKED(IDC_QVG_LEFT, OnHorizontalFixed)
    ON_BN_CLICKED(IDC_QVG_MIDDLE, OnHorizontalFixed)
    ON_BN_CLICKED(IDC_QVG_RIGHT, OnHorizontalFixed)
    ON_BN_CLICKED(IDC_QVG_HORIZONTAL_CUSTOM, OnHorizontalCustom)
    ON_BN_CLICKED(IDC_QVG_FULL_PAGE, OnSizeFixed)
    ON_BN_CLICKED(IDC_QVG_FULL_WIDTH, OnSizeFixed)
    ON_BN_CLICKED(IDC_QVG_FULL_HEIGHT, OnSizeFixed)
    ON_BN_CLICKED(IDC_QVG_CUSTOM_SIZE, OnSizeCustom)
    ON_BN_CLICKED(IDC_QVG_CENTIMETERS, OnCentimetres)
    ON_BN_CLICKED(IDC_QVG_INCHES, OnInches)
END_MESSAGE_MAP()

namespace {
const double kCentimetresPerInch = 2.54;
const double kInchesPerCentimetre = 0.39370078740157477;
} // namespace

PageSetup2::PageSetup2(CWnd* pParent)
    : CDialog(IDD_QVG_PAGE_SETUP2, pParent),
      m_nUnits(unitInches),
      m_nVertical(-1),
      m_nHorizontal(-1),
      m_nChartSize(-1),
      m_dShown{0.0, 0.0, 0.0, 0.0},
      m_dInches{0.0, 0.0, 0.0, 0.0},
      m_nUnitInForce(unitInches)
{
}

void PageSetup2::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_QVG_TOP, m_nVertical);
    DDX_Text(pDX, IDC_QVG_VERTICAL_MARGIN, m_dShown[verticalMargin]);
    DDV_MinMaxDouble(pDX, m_dShown[verticalMargin], 0.0, 15.0);
    DDX_Radio(pDX, IDC_QVG_LEFT, m_nHorizontal);
    DDX_Text(pDX, IDC_QVG_HORIZONTAL_MARGIN, m_dShown[horizontalMargin]);
    DDV_MinMaxDouble(pDX, m_dShown[horizontalMargin], 0.0, 15.0);
    DDX_Radio(pDX, IDC_QVG_FULL_PAGE, m_nChartSize);
    DDX_Text(pDX, IDC_QVG_CUSTOM_WIDTH, m_dShown[customWidth]);
    DDV_MinMaxDouble(pDX, m_dShown[customWidth], 0.5, 250.0);
    DDX_Text(pDX, IDC_QVG_CUSTOM_HEIGHT, m_dShown[customHeight]);
    DDV_MinMaxDouble(pDX, m_dShown[customHeight], 0.5, 250.0);
    DDX_Radio(pDX, IDC_QVG_CENTIMETERS, m_nUnits);
}

BOOL PageSetup2::OnInitDialog()
{
    m_nUnits = m_nUnitInForce;
    const double factor = m_nUnitInForce == unitInches ? 1.0 : kCentimetresPerInch;
    for (int i = 0; i < 4; ++i)
        m_dShown[i] = m_dInches[i] * factor;
    CDialog::OnInitDialog();
    SetUnitLabels();
    EnableEdit(IDC_QVG_VERTICAL_MARGIN, m_nVertical == 3);
    EnableEdit(IDC_QVG_HORIZONTAL_MARGIN, m_nHorizontal == 3);
    EnableEdit(IDC_QVG_CUSTOM_WIDTH, m_nChartSize == 3);
    EnableEdit(IDC_QVG_CUSTOM_HEIGHT, m_nChartSize == 3);
    return TRUE;
}

void PageSetup2::SetUnitLabels()
{
    const char* unit = m_nUnitInForce == unitInches ? "in" : "cm";
    for (int nID = IDC_QVG_VERTICAL_MARGIN_UNIT; nID <= IDC_QVG_HEIGHT_UNIT; ++nID)
        SetDlgItemText(nID, unit);
}

void PageSetup2::EnableEdit(int nID, BOOL bEnable)
{
    if (CWnd* pEdit = GetDlgItem(nID))
        pEdit->EnableWindow(bEnable);
}

void PageSetup2::OnVerticalFixed()
{
    EnableEdit(IDC_QVG_VERTICAL_MARGIN, FALSE);
}

void PageSetup2::OnVerticalCustom()
{
    EnableEdit(IDC_QVG_VERTICAL_MARGIN, TRUE);
}

void PageSetup2::OnHorizontalFixed()
{
    EnableEdit(IDC_QVG_HORIZONTAL_MARGIN, FALSE);
}

void PageSetup2::OnHorizontalCustom()
{
    EnableEdit(IDC_QVG_HORIZONTAL_MARGIN, TRUE);
}

void PageSetup2::OnSizeFixed()
{
    EnableEdit(IDC_QVG_CUSTOM_WIDTH, FALSE);
    EnableEdit(IDC_QVG_CUSTOM_HEIGHT, FALSE);
}

void PageSetup2::OnSizeCustom()
{
    EnableEdit(IDC_QVG_CUSTOM_WIDTH, TRUE);
    EnableEdit(IDC_QVG_CUSTOM_HEIGHT, TRUE);
}

void PageSetup2::OnCentimetres()
{
    if (m_nUnitInForce == unitInches)
        SwitchUnits(unitCentimetres);
}

void PageSetup2::OnInches()
{
    if (m_nUnitInForce == unitCentimetres)
        SwitchUnits(unitInches);
}

void PageSetup2::SwitchUnits(int nNewUnit)
{
    if (!UpdateData(TRUE)) {
        // The numbers were not converted: the units radio must keep saying what they are in.
        m_nUnits = m_nUnitInForce;
        CheckRadioButton(IDC_QVG_INCHES, IDC_QVG_CENTIMETERS,
                         m_nUnitInForce == unitInches ? IDC_QVG_INCHES : IDC_QVG_CENTIMETERS);
        return;
    }
    if (nNewUnit == unitCentimetres) {
        for (int i = 0; i < 4; ++i) {
            m_dInches[i] = m_dShown[i];
            m_dShown[i] *= kCentimetresPerInch;
        }
    } else {
        for (int i = 0; i < 4; ++i) {
            m_dShown[i] *= kInchesPerCentimetre;
            m_dInches[i] = m_dShown[i];
        }
    }
    m_nUnitInForce = nNewUnit;
    SetUnitLabels();
    UpdateData(FALSE);
}

void PageSetup2::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_nUnitInForce = m_nUnits;
    const double factor = m_nUnitInForce == unitInches ? 1.0 : kCentimetresPerInch;
    for (int i = 0; i < 4; ++i)
        m_dInches[i] = m_dShown[i] / factor;
    EndDialog(IDOK);
}

// ---- CSelectQuery ----

IMPLEMENT_DYNAMIC(CSelectQuery, CDialog)

BEGIN_MESSAGE_MAP(CSelectQuery, CDialog)
END_MESSAGE_MAP()

CSelectQuery::CSelectQuery(CWnd* pParent) : CDialog(IDD_QVG_SELECT_QUERY, pParent), m_nChoice(-1)
{
}

void CSelectQuery::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_QVG_TOP, m_nChoice);
}
