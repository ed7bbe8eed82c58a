#include "quarrow/pages/Separator.h"

#include <initializer_list>
#include <span>

#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"
#include "framework/win/Seams.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/app/QuarrowDlg.h"
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/PlotDataFile.h"
#include "quarrow/pages/ResultDependencies.h"
#include "quarrow/pages/SeparatorCriteria.h"
#include "resources/quarrow/resource.h"

namespace {

using TextField = CString CProjectData::*;

const TextField BaseD15 = &CProjectData::m_strBaseD15;
const TextField BaseD50 = &CProjectData::m_strBaseD50;
const TextField SubgradeD15 = &CProjectData::m_strSubgradeD15;
const TextField SubgradeD50 = &CProjectData::m_strSubgradeD50;
const TextField SubgradeD85 = &CProjectData::m_strSubgradeD85;
const TextField SubgradeP200 = &CProjectData::m_strSubgradeP200;
const TextField SubgradeK = &CProjectData::m_strSubgradeK;
const TextField SubgradeCu = &CProjectData::m_strSubgradeCu;
const TextField SeparatorD12 = &CProjectData::m_strSeparatorD12;
const TextField SeparatorD15 = &CProjectData::m_strSeparatorD15;
const TextField SeparatorD50 = &CProjectData::m_strSeparatorD50;
const TextField SeparatorD85 = &CProjectData::m_strSeparatorD85;
const TextField OpeningSize = &CProjectData::m_strApparentOpeningSize;       // AOS
const TextField LeastK = &CProjectData::m_strSeparatorMinK;                  // k min
const TextField GeotextileK = &CProjectData::m_strGeotextilePermeability;    // k separator
const TextField MaxThickness = &CProjectData::m_strGeotextileLength;         // t max

// The edits and the record fields they show. Subgrade D85 has an edit in both layouts.
const struct { int nEdit; TextField field; } EditFields[] = {
    {IDC_SP_BASE_D15, BaseD15},     {IDC_SP_BASE_D50, BaseD50},         {IDC_SP_SUB_D50, SubgradeD50},
    {IDC_SP_SUB_D85, SubgradeD85},  {IDC_SP_SEP_D12, SeparatorD12},     {IDC_SP_SEP_D15, SeparatorD15},
    {IDC_SP_SEP_D50, SeparatorD50}, {IDC_SP_SEP_D85, SeparatorD85},     {IDC_SP_GEO_SUB_D15, SubgradeD15},
    {IDC_SP_GEO_SUB_D85, SubgradeD85}, {IDC_SP_P200, SubgradeP200},     {IDC_SP_KSUB, SubgradeK},
    {IDC_SP_CU, SubgradeCu},        {IDC_SP_AOS, OpeningSize},          {IDC_SP_KMIN, LeastK},
    {IDC_SP_KSEP, GeotextileK},     {IDC_SP_TMAX, MaxThickness},
};

// What each button reads from the record.
const TextField OpeningSizeInputs[] = {SubgradeP200, SubgradeCu, SubgradeD15, SubgradeD85, SubgradeK};
const TextField ThicknessInputs[] = {SubgradeP200, GeotextileK};
const TextField NoneCriteriaInputs[] = {BaseD15, BaseD50, SubgradeD50, SubgradeD85};
const TextField AggregateCriteriaInputs[] = {BaseD15, BaseD50, SubgradeD50, SubgradeD85,
                                             SeparatorD12, SeparatorD15, SeparatorD50, SeparatorD85};
const TextField GeotextileCriteriaInputs[] = {OpeningSize, GeotextileK, SubgradeP200, SubgradeCu,
                                              SubgradeD15, SubgradeK, SubgradeD85};

// The check and plot buttons read what the criteria of the kind compare; nothing is known of
// another kind word.
std::span<const TextField> CriteriaInputs(const CString& strKind)
{
    if (strKind == "none")
        return NoneCriteriaInputs;
    if (strKind == "aggregate")
        return AggregateCriteriaInputs;
    if (strKind == "geotextile")
        return GeotextileCriteriaInputs;
    return {};
}

bool IsKnownKind(const CString& strKind)
{
    return strKind == "none" || strKind == "aggregate" || strKind == "geotextile";
}

// Every field set, but the one whose edit the engineer is in: that one counts as typed.
bool AllSetBut(const CProjectData& data, std::span<const TextField> fields, TextField typed = nullptr)
{
    for (TextField field : fields)
        if (field != typed && (data.*field).IsEmpty())
            return false;
    return true;
}

// Entering an edit readies the buttons that read its field once the value is typed: each is
// enabled when the other fields it reads are set, and disabled otherwise.
enum class Reads { OpeningSize, Thickness, CriteriaOfKind, AggregateCriteria };

const struct FocusRule
{
    int nEdit;
    TextField field;
    Reads reads;
    std::initializer_list<int> buttons;
} FocusRules[] = {
    {IDC_SP_P200, SubgradeP200, Reads::OpeningSize, {IDC_SP_CALC_AOS}},
    {IDC_SP_P200, SubgradeP200, Reads::Thickness, {IDC_SP_CALC_TMAX}},
    {IDC_SP_KSUB, SubgradeK, Reads::OpeningSize, {IDC_SP_CALC_AOS}},
    {IDC_SP_CU, SubgradeCu, Reads::OpeningSize, {IDC_SP_CALC_AOS}},
    {IDC_SP_GEO_SUB_D15, SubgradeD15, Reads::OpeningSize, {IDC_SP_CALC_AOS}},
    {IDC_SP_GEO_SUB_D85, SubgradeD85, Reads::OpeningSize, {IDC_SP_CALC_AOS}},
    {IDC_SP_BASE_D15, BaseD15, Reads::CriteriaOfKind, {IDC_SP_CHECK, IDC_SP_PLOT}},
    {IDC_SP_BASE_D50, BaseD50, Reads::CriteriaOfKind, {IDC_SP_CHECK, IDC_SP_PLOT}},
    {IDC_SP_SUB_D50, SubgradeD50, Reads::CriteriaOfKind, {IDC_SP_CHECK, IDC_SP_PLOT}},
    {IDC_SP_SUB_D85, SubgradeD85, Reads::CriteriaOfKind, {IDC_SP_CHECK, IDC_SP_PLOT}},
    {IDC_SP_SEP_D12, SeparatorD12, Reads::AggregateCriteria, {IDC_SP_CHECK, IDC_SP_PLOT}},
    {IDC_SP_SEP_D15, SeparatorD15, Reads::AggregateCriteria, {IDC_SP_CHECK, IDC_SP_PLOT}},
    {IDC_SP_SEP_D50, SeparatorD50, Reads::AggregateCriteria, {IDC_SP_CHECK, IDC_SP_PLOT}},
    {IDC_SP_SEP_D85, SeparatorD85, Reads::AggregateCriteria, {IDC_SP_CHECK, IDC_SP_PLOT}},
    {IDC_SP_KSEP, GeotextileK, Reads::Thickness, {IDC_SP_CALC_TMAX}},
};

std::span<const TextField> FieldsRead(Reads reads, const CString& strKind)
{
    switch (reads)
    {
    case Reads::OpeningSize: return OpeningSizeInputs;
    case Reads::Thickness: return ThicknessInputs;
    case Reads::AggregateCriteria: return AggregateCriteriaInputs;
    case Reads::CriteriaOfKind:
        // The grain-size edits of the base and the subgrade serve these two kinds.
        if (strKind == "none" || strKind == "aggregate")
            return CriteriaInputs(strKind);
        return {};
    }
    return {};
}

// Leaving an edit stores a typed value in its format: fixed decimals from the bound on, an
// exponent below it.
struct NumberFormat
{
    double bound;
    const char* pszFixed;
};
const NumberFormat GrainSize = {0.001, "%.4f"};
const NumberFormat Coarse = {0.1, "%.1f"};

// The geotextile requirements computed from the subgrade.
const TextField Requirements[] = {OpeningSize, LeastK, MaxThickness};
const TextField RequirementsAndK[] = {OpeningSize, LeastK, MaxThickness, GeotextileK};
const TextField MaxThicknessOnly[] = {MaxThickness};
// What the choices of the geotextile criteria decide.
const TextField OpeningSizeAndLeastK[] = {OpeningSize, LeastK};

// Emptied or changed, a criteria input makes the verdicts of its old value stale; the fields
// computed from it go as well. The advice is shown in normal mode for a subgrade value that the
// sieve analysis would compute.
const struct StoreRule
{
    int nEdit;
    TextField field;
    NumberFormat format;
    std::span<const TextField> emptiedWith;
    std::span<const TextField> changedClears;
    bool bAdvice;
} StoreRules[] = {
    {IDC_SP_BASE_D15, BaseD15, GrainSize, {}, {}, false},
    {IDC_SP_BASE_D50, BaseD50, GrainSize, {}, {}, false},
    {IDC_SP_SUB_D50, SubgradeD50, GrainSize, {}, {}, false},
    {IDC_SP_SUB_D85, SubgradeD85, GrainSize, {}, {}, false},
    {IDC_SP_SEP_D12, SeparatorD12, GrainSize, {}, {}, false},
    {IDC_SP_SEP_D15, SeparatorD15, GrainSize, {}, {}, false},
    {IDC_SP_SEP_D50, SeparatorD50, GrainSize, {}, {}, false},
    {IDC_SP_SEP_D85, SeparatorD85, GrainSize, {}, {}, false},
    {IDC_SP_P200, SubgradeP200, Coarse, Requirements, Requirements, true},
    {IDC_SP_KSUB, SubgradeK, Coarse, Requirements, RequirementsAndK, false},
    {IDC_SP_CU, SubgradeCu, GrainSize, Requirements, RequirementsAndK, true},
    {IDC_SP_GEO_SUB_D15, SubgradeD15, GrainSize, Requirements, RequirementsAndK, true},
    {IDC_SP_GEO_SUB_D85, SubgradeD85, GrainSize, Requirements, RequirementsAndK, true},
    {IDC_SP_KSEP, GeotextileK, Coarse, MaxThicknessOnly, MaxThicknessOnly, false},
};

const StoreRule* FindStoreRule(UINT nID)
{
    for (const StoreRule& rule : StoreRules)
        if (rule.nEdit == static_cast<int>(nID))
            return &rule;
    return nullptr;
}

CString StoredText(const CString& strTyped, const NumberFormat& format)
{
    return PageFixedFromBound(TypedNumber(strTyped), format.bound, format.pszFixed, "%.2e");
}

// The controls of each layout.
enum : unsigned { Aggregate = 1, Geotextile = 2, NoSeparator = 4, AnyKind = 7 };

const struct { int nID; unsigned kinds; } LayoutControls[] = {
    {IDC_SP_GROUP_CHOICES, Geotextile}, {IDC_SP_LABEL_RETENTION, Geotextile},
    {IDC_SP_LABEL_PERMEABILITY, Geotextile}, {IDC_SP_LABEL_CLOGGING, Geotextile},
    {IDC_SP_STEADY, Geotextile}, {IDC_SP_DYNAMIC, Geotextile}, {IDC_SP_PERMEABILITY_NORMAL, Geotextile},
    {IDC_SP_PERMEABILITY_CRITICAL, Geotextile}, {IDC_SP_CLOGGING_NORMAL, Geotextile},
    {IDC_SP_CLOGGING_CRITICAL, Geotextile},

    {IDC_SP_GROUP_BASE, Aggregate | NoSeparator}, {IDC_SP_PIC_BASE_D15, Aggregate | NoSeparator},
    {IDC_SP_BASE_D15, Aggregate | NoSeparator}, {IDC_SP_UNIT_BASE_D15, Aggregate | NoSeparator},
    {IDC_SP_PIC_BASE_D50, Aggregate | NoSeparator}, {IDC_SP_BASE_D50, Aggregate | NoSeparator},
    {IDC_SP_UNIT_BASE_D50, Aggregate | NoSeparator}, {IDC_SP_SIEVE_BASE, Aggregate | NoSeparator},
    {IDC_SP_GROUP_SUBGRADE, Aggregate | NoSeparator}, {IDC_SP_PIC_SUB_D50, Aggregate | NoSeparator},
    {IDC_SP_SUB_D50, Aggregate | NoSeparator}, {IDC_SP_UNIT_SUB_D50, Aggregate | NoSeparator},
    {IDC_SP_PIC_SUB_D85, Aggregate | NoSeparator}, {IDC_SP_SUB_D85, Aggregate | NoSeparator},
    {IDC_SP_UNIT_SUB_D85, Aggregate | NoSeparator}, {IDC_SP_SIEVE_SUBGRADE, Aggregate | NoSeparator},

    {IDC_SP_GROUP_AGGREGATE, Aggregate}, {IDC_SP_PIC_SEP_D12, Aggregate}, {IDC_SP_SEP_D12, Aggregate},
    {IDC_SP_UNIT_SEP_D12, Aggregate}, {IDC_SP_PIC_SEP_D15, Aggregate}, {IDC_SP_SEP_D15, Aggregate},
    {IDC_SP_UNIT_SEP_D15, Aggregate}, {IDC_SP_PIC_SEP_D50, Aggregate}, {IDC_SP_SEP_D50, Aggregate},
    {IDC_SP_UNIT_SEP_D50, Aggregate}, {IDC_SP_PIC_SEP_D85, Aggregate}, {IDC_SP_SEP_D85, Aggregate},
    {IDC_SP_UNIT_SEP_D85, Aggregate}, {IDC_SP_SIEVE_SEPARATOR, Aggregate},

    {IDC_SP_GROUP_GEO_SUBGRADE, Geotextile}, {IDC_SP_PIC_P200, Geotextile}, {IDC_SP_P200, Geotextile},
    {IDC_SP_UNIT_P200, Geotextile}, {IDC_SP_PIC_KSUB, Geotextile}, {IDC_SP_KSUB, Geotextile},
    {IDC_SP_UNIT_KSUB, Geotextile}, {IDC_SP_PIC_CU, Geotextile}, {IDC_SP_CU, Geotextile},
    {IDC_SP_SIEVE_GEO_SUBGRADE, Geotextile}, {IDC_SP_PIC_GEO_SUB_D15, Geotextile},
    {IDC_SP_GEO_SUB_D15, Geotextile}, {IDC_SP_UNIT_GEO_SUB_D15, Geotextile},
    {IDC_SP_PIC_GEO_SUB_D85, Geotextile}, {IDC_SP_GEO_SUB_D85, Geotextile},
    {IDC_SP_UNIT_GEO_SUB_D85, Geotextile},

    {IDC_SP_GROUP_GEOTEXTILE, Geotextile}, {IDC_SP_WOVEN, Geotextile}, {IDC_SP_NONWOVEN, Geotextile},
    {IDC_SP_PIC_AOS, Geotextile}, {IDC_SP_AOS, Geotextile}, {IDC_SP_UNIT_AOS, Geotextile},
    {IDC_SP_CALC_AOS, Geotextile}, {IDC_SP_PIC_KMIN, Geotextile}, {IDC_SP_KMIN, Geotextile},
    {IDC_SP_UNIT_KMIN, Geotextile}, {IDC_SP_PIC_KSEP, Geotextile}, {IDC_SP_KSEP, Geotextile},
    {IDC_SP_UNIT_KSEP, Geotextile}, {IDC_SP_PIC_TMAX, Geotextile}, {IDC_SP_TMAX, Geotextile},
    {IDC_SP_UNIT_TMAX, Geotextile}, {IDC_SP_CALC_TMAX, Geotextile},

    {IDC_SP_GROUP_CRITERIA, Aggregate | Geotextile}, {IDC_SP_GROUP_CRITERIA_NONE, NoSeparator},
    {IDC_SP_CRITERION_1, Aggregate | NoSeparator}, {IDC_SP_CRITERION_2, Aggregate | NoSeparator},
    {IDC_SP_CRITERION_3, Aggregate}, {IDC_SP_CRITERION_4, Aggregate}, {IDC_SP_CRITERION_5, Aggregate},
    {IDC_SP_VERDICT_1, AnyKind}, {IDC_SP_VERDICT_2, AnyKind}, {IDC_SP_VERDICT_3, Aggregate | Geotextile},
    {IDC_SP_VERDICT_4, Aggregate}, {IDC_SP_VERDICT_5, Aggregate},
    {IDC_SP_GEO_CRITERION_AOS, Geotextile}, {IDC_SP_GEO_CRITERION_CU, Geotextile},
    {IDC_SP_CHECK, AnyKind}, {IDC_SP_PLOT, Aggregate | NoSeparator},
    {IDC_SP_LABEL_RECOMMENDATION, Geotextile}, {IDC_SP_RECOMMENDATION, Geotextile},
};

const int VerdictIds[CSeparatorCriteria::MaxVerdicts] = {IDC_SP_VERDICT_1, IDC_SP_VERDICT_2, IDC_SP_VERDICT_3,
                                                         IDC_SP_VERDICT_4, IDC_SP_VERDICT_5};

// Control id and help context id pairs of the context-help popups, ended by two zeros.
const DWORD HelpIds[] = {
    IDC_SP_PIC_BASE_D15, 1500, IDC_SP_PIC_BASE_D50, 1501, IDC_SP_PIC_SUB_D50, 1502, IDC_SP_PIC_SUB_D85, 1503,
    IDC_SP_SIEVE_BASE, 1504, IDC_SP_SIEVE_SUBGRADE, 1505, IDC_SP_PIC_SEP_D12, 1506, IDC_SP_PIC_SEP_D15, 1507,
    IDC_SP_PIC_SEP_D50, 1508, IDC_SP_PIC_SEP_D85, 1509, IDC_SP_SIEVE_SEPARATOR, 1510, IDC_SP_PIC_P200, 1511,
    IDC_SP_PIC_KSUB, 1512, IDC_SP_PIC_CU, 1513, IDC_SP_PIC_GEO_SUB_D15, 1514, IDC_SP_PIC_GEO_SUB_D85, 1515,
    IDC_SP_SIEVE_GEO_SUBGRADE, 1516, IDC_SP_PIC_AOS, 1517, IDC_SP_PIC_KMIN, 1518, IDC_SP_PIC_KSEP, 1519,
    IDC_SP_PIC_TMAX, 1520, IDC_SP_CALC_AOS, 1521, IDC_SP_CALC_TMAX, 1522, IDC_SP_AGGREGATE, 1523,
    IDC_SP_GEOTEXTILE, 1524, IDC_SP_NONE, 1525, IDC_SP_WOVEN, 1526, IDC_SP_NONWOVEN, 1527,
    IDC_SP_LABEL_RETENTION, 1528, IDC_SP_STEADY, 1529, IDC_SP_DYNAMIC, 1530, IDC_SP_LABEL_PERMEABILITY, 1531,
    IDC_SP_PERMEABILITY_NORMAL, 1532, IDC_SP_PERMEABILITY_CRITICAL, 1533, IDC_SP_LABEL_CLOGGING, 1534,
    IDC_SP_CLOGGING_NORMAL, 1535, IDC_SP_CLOGGING_CRITICAL, 1536, IDC_SP_CHECK, 1537, IDC_SP_PLOT, 1538,
    IDC_SP_CRITERION_1, 1539, IDC_SP_CRITERION_2, 1540, IDC_SP_CRITERION_3, 1541, IDC_SP_CRITERION_4, 1542,
    IDC_SP_CRITERION_5, 1543, IDC_SP_LABEL_RECOMMENDATION, 1544, IDC_SP_RECOMMENDATION, 1545,
    IDC_SP_VERDICT_1, IDC_SP_VERDICT_1, IDC_SP_VERDICT_2, IDC_SP_VERDICT_2, IDC_SP_VERDICT_3, IDC_SP_VERDICT_3,
    IDC_SP_VERDICT_4, IDC_SP_VERDICT_4, IDC_SP_VERDICT_5, IDC_SP_VERDICT_5,
    0, 0,
};

// The separator line of the main dialog's summary panel comes from the main dialog's own routine.
void UpdateSummaryStatus()
{
    if (auto* pMainDialog = dynamic_cast<CQuarrowDlg*>(AfxGetMainWnd());
        pMainDialog != nullptr && pMainDialog->GetSafeHwnd() != nullptr)
        pMainDialog->UpdateMaterialStatus();
}

} // namespace

const char CSeparator::PassText[] = "=>  Pass";
const char CSeparator::FailText[] = "=>  Fail";
const char CSeparator::SieveAnalysisAdvice[] =
    "Consider setting grain size distribution parameters with Sieve Analysis.";

IMPLEMENT_DYNCREATE(CSeparator, CPropertyPage)

BEGIN_MESSAGE_MAP(CSeparator, CPropertyPage)
    ON_WM_PAINT()
    ON_WM_HELPINFO()
    ON_WM_CONTEXTMENU()
    ON_BN_CLICKED(IDC_SP_AGGREGATE, OnSeparatorAggregate)
    ON_BN_CLICKED(IDC_SP_GEOTEXTILE, OnSeparatorGeotextile)
    ON_BN_CLICKED(IDC_SP_NONE, OnSeparatorNone)
    ON_BN_CLICKED(IDC_SP_STEADY, OnRetentionSteady)
    ON_BN_CLICKED(IDC_SP_DYNAMIC, OnRetentionDynamic)
    ON_BN_CLICKED(IDC_SP_PERMEABILITY_NORMAL, OnPermeabilityNormal)
    ON_BN_CLICKED(IDC_SP_PERMEABILITY_CRITICAL, OnPermeabilityCritical)
    ON_BN_CLICKED(IDC_SP_CLOGGING_NORMAL, OnCloggingNormal)
    ON_BN_CLICKED(IDC_SP_LABEL_CLOGGING, OnCloggingNormal)
    ON_BN_CLICKED(IDC_SP_CLOGGING_CRITICAL, OnCloggingCritical)
    ON_BN_CLICKED(IDC_SP_WOVEN, OnGeotextileWoven)
    ON_BN_CLICKED(IDC_SP_NONWOVEN, OnGeotextileNonwoven)
    ON_BN_CLICKED(IDC_SP_SIEVE_BASE, OnSieveBase)
    ON_BN_CLICKED(IDC_SP_SIEVE_SUBGRADE, OnSieveSubgrade)
    ON_BN_CLICKED(IDC_SP_SIEVE_GEO_SUBGRADE, OnSieveSubgrade)
    ON_BN_CLICKED(IDC_SP_SIEVE_SEPARATOR, OnSieveSeparator)
    ON_BN_CLICKED(IDC_SP_CALC_AOS, OnCalcOpeningSize)
    ON_BN_CLICKED(IDC_SP_CALC_TMAX, OnCalcMaxThickness)
    ON_BN_CLICKED(IDC_SP_CHECK, OnCheckCriteria)
    ON_BN_CLICKED(IDC_SP_PLOT, PlotGradationCriteria)
    ON_CONTROL_RANGE(EN_SETFOCUS, IDC_SP_BASE_D15, IDC_SP_TMAX, OnEnterEdit)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_SP_BASE_D15, IDC_SP_TMAX, OnLeaveEdit)
END_MESSAGE_MAP()

CSeparator::CSeparator() : CPropertyPage(IDD_SEPARATOR)
{
}

CSeparator::~CSeparator() = default;

void CSeparator::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SP_CRITERION_2, m_picCriterion2);
    DDX_Control(pDX, IDC_SP_CRITERION_1, m_picCriterion1);
    DDX_Control(pDX, IDC_SP_PLOT, m_btnPlot);
    DDX_Control(pDX, IDC_SP_CHECK, m_btnCheck);
    DDX_Control(pDX, IDC_SP_CALC_TMAX, m_btnCalcThickness);
    DDX_Control(pDX, IDC_SP_CALC_AOS, m_btnCalcOpeningSize);
    DDX_Control(pDX, IDC_SP_SIEVE_GEO_SUBGRADE, m_btnSieveGeotextileSubgrade);
    DDX_Control(pDX, IDC_SP_SIEVE_SUBGRADE, m_btnSieveSubgrade);
    DDX_Control(pDX, IDC_SP_SIEVE_SEPARATOR, m_btnSieveSeparator);
    DDX_Control(pDX, IDC_SP_SIEVE_BASE, m_btnSieveBase);
}

BOOL CSeparator::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    m_bmpCalculator.LoadBitmap(IDB_CALCULATOR);
    m_bmpPlot.LoadBitmap(IDB_PLOT);
    m_bmpBalance.LoadBitmap(IDB_BALANCE);
    m_bmpNoneBaseD15.LoadBitmap(IDB_SP_NONE_BASE_D15);
    m_bmpNoneBaseD50.LoadBitmap(IDB_SP_NONE_BASE_D50);
    m_bmpAggregateBaseD15.LoadBitmap(IDB_SP_AGG_BASE_D15);
    m_bmpAggregateBaseD50.LoadBitmap(IDB_SP_AGG_BASE_D50);
    for (CButton* pButton : {&m_btnSieveBase, &m_btnSieveSubgrade, &m_btnSieveSeparator, &m_btnSieveGeotextileSubgrade,
                             &m_btnCalcThickness, &m_btnCalcOpeningSize})
        pButton->SetBitmap(m_bmpCalculator);
    m_btnCheck.SetBitmap(m_bmpBalance);
    m_btnPlot.SetBitmap(m_bmpPlot);

    UpdateButtonStates();
    UpdateFields();
    return TRUE;
}

BOOL CSeparator::OnKillActive()
{
    PageFocusSink(this, IDC_SP_FOCUS_SINK);
    return CPropertyPage::OnKillActive();
}

// ---- The page from the record ----

void CSeparator::ShowRecord()
{
    if (m_pProjectData == nullptr)
        return;
    UpdateFields();
    UpdateButtonStates();
    PageShowSummary(*m_pProjectData);
}

BOOL CSeparator::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CRecordChange change(m_pProjectData);
    const BOOL bHandled = CPropertyPage::OnCommand(wParam, lParam);
    if (change.ClearStaleResults())
        ShowRecord();
    return bHandled;
}

void CSeparator::UpdateFields()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    data.m_bModified = 1;
    ShowRecordInEdits();

    const CString& strKind = data.m_strSeparatorType;
    if (strKind == "aggregate")
    {
        CheckRadioButton(IDC_SP_GEOTEXTILE, IDC_SP_NONE, IDC_SP_AGGREGATE);
        PageSetPictureIfDifferent(this, IDC_SP_CRITERION_1, m_bmpAggregateBaseD15);
        PageSetPictureIfDifferent(this, IDC_SP_CRITERION_2, m_bmpAggregateBaseD50);
    }
    else if (strKind == "geotextile")
    {
        CheckRadioButton(IDC_SP_GEOTEXTILE, IDC_SP_NONE, IDC_SP_GEOTEXTILE);
        CheckRadioButton(IDC_SP_STEADY, IDC_SP_DYNAMIC, data.m_strRetention == "steady" ? IDC_SP_STEADY : IDC_SP_DYNAMIC);
        CheckRadioButton(IDC_SP_PERMEABILITY_NORMAL, IDC_SP_PERMEABILITY_CRITICAL,
                         data.m_strPermeabilityChoice == "normal" ? IDC_SP_PERMEABILITY_NORMAL
                                                                  : IDC_SP_PERMEABILITY_CRITICAL);
        CheckRadioButton(IDC_SP_CLOGGING_NORMAL, IDC_SP_CLOGGING_CRITICAL,
                         data.m_strClogging == "normal" ? IDC_SP_CLOGGING_NORMAL : IDC_SP_CLOGGING_CRITICAL);
        CheckRadioButton(IDC_SP_WOVEN, IDC_SP_NONWOVEN,
                         data.m_strGeotextileType == "nonwoven" ? IDC_SP_NONWOVEN : IDC_SP_WOVEN);
        PageSetTextIfDifferent(this, IDC_SP_RECOMMENDATION, CSeparatorCriteria::Recommendation(data));
    }
    else
    {
        CheckRadioButton(IDC_SP_GEOTEXTILE, IDC_SP_NONE, IDC_SP_NONE);
        PageSetPictureIfDifferent(this, IDC_SP_CRITERION_1, m_bmpNoneBaseD15);
        PageSetPictureIfDifferent(this, IDC_SP_CRITERION_2, m_bmpNoneBaseD50);
    }
    ShowLayout(strKind);
    UpdateSummaryStatus();
}

void CSeparator::ShowRecordInEdits()
{
    const CProjectData& data = *m_pProjectData;
    const HWND hFocus = ::GetFocus();
    for (const auto& edit : EditFields)
    {
        // A repaint while the engineer types must not put the stored value over the typed one;
        // leaving the edit stores it.
        const HWND hEdit = ::GetDlgItem(m_hWnd, edit.nEdit);
        if (hEdit != nullptr && hEdit == hFocus && ::SendMessageA(hEdit, EM_GETMODIFY, 0, 0))
            continue;
        PageSetTextIfDifferent(this, edit.nEdit, data.*edit.field);
    }
}

void CSeparator::ShowLayout(const CString& strKind)
{
    unsigned kind = NoSeparator;
    if (strKind == "aggregate")
        kind = Aggregate;
    else if (strKind == "geotextile")
        kind = Geotextile;
    for (const auto& control : LayoutControls)
        PageShowControl(this, control.nID, (control.kinds & kind) != 0);
    // The permeability criterion of a geotextile, by its permeability condition.
    const bool bNormal = m_pProjectData->m_strPermeabilityChoice == "normal";
    PageShowControl(this, IDC_SP_GEO_CRITERION_K, kind == Geotextile && bNormal);
    PageShowControl(this, IDC_SP_GEO_CRITERION_K10, kind == Geotextile && !bNormal);
    PageShowControl(this, IDC_SP_GEO_CRITERION_KMIN, false);
}

void CSeparator::UpdateButtonStates()
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    PageEnableControl(this, IDC_SP_CALC_AOS, AllSetBut(data, OpeningSizeInputs));
    PageEnableControl(this, IDC_SP_CALC_TMAX, AllSetBut(data, ThicknessInputs));
    // Another kind word leaves the check and plot buttons as they are.
    if (IsKnownKind(data.m_strSeparatorType))
    {
        const bool bReady = AllSetBut(data, CriteriaInputs(data.m_strSeparatorType));
        PageEnableControl(this, IDC_SP_CHECK, bReady);
        PageEnableControl(this, IDC_SP_PLOT, bReady);
    }
    ClearVerdicts();
}

void CSeparator::ClearVerdicts()
{
    if (m_pProjectData == nullptr || m_pProjectData->m_bSeparatorChecked)
        return;
    for (int nID : VerdictIds)
        PageSetTextIfDifferent(this, nID, "");
}

// ---- Painting and help ----

void CSeparator::OnPaint()
{
    if (m_pProjectData != nullptr)
    {
        UpdateFields();
        const bool bMetric = m_pProjectData->IsMetric();
        for (int nID : {IDC_SP_UNIT_BASE_D15, IDC_SP_UNIT_BASE_D50, IDC_SP_UNIT_SUB_D50, IDC_SP_UNIT_SUB_D85,
                        IDC_SP_UNIT_SEP_D12, IDC_SP_UNIT_SEP_D15, IDC_SP_UNIT_SEP_D50, IDC_SP_UNIT_SEP_D85,
                        IDC_SP_UNIT_GEO_SUB_D15, IDC_SP_UNIT_GEO_SUB_D85, IDC_SP_UNIT_AOS, IDC_SP_UNIT_TMAX})
            PageSetTextIfDifferent(this, nID, bMetric ? "mm" : "in");
        for (int nID : {IDC_SP_UNIT_KSUB, IDC_SP_UNIT_KMIN, IDC_SP_UNIT_KSEP})
            PageSetTextIfDifferent(this, nID, bMetric ? "m/d" : "ft/d");
        UpdateButtonStates();
        PageHonourFocusRequest(this, *m_pProjectData);
    }
    // Validates what the work above invalidated as well.
    CPaintDC dc(this);
}

BOOL CSeparator::OnHelpInfo(HELPINFO*)
{
    const char* pszTopic = "separator_geotextile.htm";
    if (m_pProjectData != nullptr && m_pProjectData->m_strSeparatorType == "none")
        pszTopic = "separator_none.htm";
    else if (m_pProjectData != nullptr && m_pProjectData->m_strSeparatorType == "aggregate")
        pszTopic = "separator_aggregate.htm";
    // The request ends here: passed on, it would reach the main dialog, whose contents topic
    // would replace the page's.
    QuarrowShowHelpTopic(GetSafeHwnd(), pszTopic);
    return TRUE;
}

void CSeparator::OnContextMenu(CWnd* pWnd, CPoint point)
{
    QuarrowShowContextHelp(this, pWnd, point, HelpIds);
}

// ---- Separator kind and the choices of a geotextile ----

void CSeparator::OnSeparatorAggregate()
{
    SelectKind("aggregate");
}

void CSeparator::OnSeparatorGeotextile()
{
    SelectKind("geotextile");
}

void CSeparator::OnSeparatorNone()
{
    SelectKind("none");
}

void CSeparator::SelectKind(const char* pszKind)
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strSeparatorType = pszKind;
    m_pProjectData->m_bSeparatorChecked = FALSE;
    UpdateFields();
    UpdateButtonStates();
}

void CSeparator::OnRetentionSteady()
{
    SelectChoice(&CProjectData::m_strRetention, "steady");
}

void CSeparator::OnRetentionDynamic()
{
    SelectChoice(&CProjectData::m_strRetention, "dynamic");
}

void CSeparator::OnPermeabilityNormal()
{
    SelectChoice(&CProjectData::m_strPermeabilityChoice, "normal");
}

void CSeparator::OnPermeabilityCritical()
{
    SelectChoice(&CProjectData::m_strPermeabilityChoice, "critical");
}

void CSeparator::OnCloggingNormal()
{
    SelectChoice(&CProjectData::m_strClogging, "normal");
}

void CSeparator::OnCloggingCritical()
{
    SelectChoice(&CProjectData::m_strClogging, "critical");
}

void CSeparator::OnGeotextileWoven()
{
    SelectChoice(&CProjectData::m_strGeotextileType, "woven");
}

void CSeparator::OnGeotextileNonwoven()
{
    SelectChoice(&CProjectData::m_strGeotextileType, "nonwoven");
}

void CSeparator::SelectChoice(CString CProjectData::*pChoice, const char* pszWord)
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    data.*pChoice = pszWord;
    PageClearFields(data, OpeningSizeAndLeastK);
    data.m_bSeparatorChecked = FALSE;
    UpdateFields();
    // The check button needs the opening size just emptied, and the verdicts of the old choice
    // are stale: both follow at once, not at the next repaint.
    UpdateButtonStates();
}

// ---- Links to the sieve analysis ----

void CSeparator::OnSieveBase()
{
    ShowSieveAnalysis("base");
}

void CSeparator::OnSieveSubgrade()
{
    ShowSieveAnalysis("subgrade");
}

void CSeparator::OnSieveSeparator()
{
    ShowSieveAnalysis("seperator");
}

void CSeparator::ShowSieveAnalysis(const char* pszLayer)
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strSieveLayer = pszLayer;
    if (m_pSheetOfPage != nullptr && m_pSheetOfPage->GetSafeHwnd() != nullptr)
        m_pSheetOfPage->SetActivePage(CQuarrowDlg::PageSieveAnalysis);
    m_pProjectData->m_nFocusControl = 0;
}

// ---- Compute, check and plot ----

void CSeparator::OnCalcOpeningSize()
{
    if (m_pProjectData == nullptr)
        return;
    CSeparatorCriteria::CalcOpeningSize(*m_pProjectData);
    UpdateFields();
    UpdateButtonStates();
}

void CSeparator::OnCalcMaxThickness()
{
    if (m_pProjectData == nullptr)
        return;
    CSeparatorCriteria::CalcMaxThickness(*m_pProjectData);
    UpdateFields();
}

void CSeparator::OnCheckCriteria()
{
    if (m_pProjectData == nullptr)
        return;
    int passed[CSeparatorCriteria::MaxVerdicts] = {};
    const int nVerdicts = CSeparatorCriteria::Evaluate(*m_pProjectData, passed);
    if (nVerdicts == 0)
        return;
    for (int i = 0; i < nVerdicts; ++i)
        SetDlgItemText(VerdictIds[i], passed[i] ? PassText : FailText);
    m_pProjectData->m_bSeparatorChecked = TRUE;
}

void CSeparator::PlotGradationCriteria()
{
    if (m_pProjectData != nullptr)
        PlotToFennick(CPlotDataFile::WriteSeparatorCriteria, *m_pProjectData);
}

// ---- Entering and leaving the edits ----

void CSeparator::OnEnterEdit(UINT nID)
{
    if (m_pProjectData == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    for (const FocusRule& rule : FocusRules)
    {
        if (rule.nEdit != static_cast<int>(nID))
            continue;
        const std::span<const TextField> fields = FieldsRead(rule.reads, data.m_strSeparatorType);
        if (fields.empty())
            continue;
        const bool bReady = AllSetBut(data, fields, rule.field);
        for (int nButton : rule.buttons)
            PageEnableControl(this, nButton, bReady);
    }
}

void CSeparator::OnLeaveEdit(UINT nID)
{
    const StoreRule* pRule = FindStoreRule(nID);
    if (pRule == nullptr || m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    const CString strTyped = PageItemText(this, pRule->nEdit);
    // What was typed is taken now; the refresh below may show the stored form of it.
    ::SendDlgItemMessageA(m_hWnd, pRule->nEdit, EM_SETMODIFY, FALSE, 0);
    CString& strField = data.*pRule->field;
    // The same value typed again ("3" for "3.0000") changes nothing either.
    if (strTyped == strField || (!strTyped.IsEmpty() && StoredText(strTyped, pRule->format) == strField))
        return;

    // Verdicts of the old value are stale.
    data.m_bSeparatorChecked = FALSE;
    if (strTyped.IsEmpty())
    {
        strField.Empty();
        PageClearFields(data, pRule->emptiedWith);
    }
    else
    {
        CRecordChange::StoreTyped(data, pRule->field, StoredText(strTyped, pRule->format));
        PageClearFields(data, pRule->changedClears);
    }
    UpdateFields();
    UpdateButtonStates();
    if (!strTyped.IsEmpty() && pRule->bAdvice && data.m_strMode == "normal")
        AfxMessageBox(SieveAnalysisAdvice, MB_OKCANCEL);
}
