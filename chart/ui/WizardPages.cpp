// The chart wizard's pages: their controls and what they tell the sheet.
#include "chart/ui/WizardPages.h"

#include <algorithm>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/TextPanel.h"
#include "chart/ui/ChartWizardIds.h"
#include "chart/ui/WizSheet.h"
#include "framework/core/Object.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/FontDialog.h"
#include "framework/win/Dc.h"

namespace {

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

} // namespace

// ---- CWizardPage ----

IMPLEMENT_DYNAMIC(CWizardPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CWizardPage, CPropertyPage)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CWizardPage::CWizardPage(UINT nIDTemplate, QVGWizSheet* pSheet) : CPropertyPage(nIDTemplate), m_pSheet(pSheet)
{
}

BOOL CWizardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_pSheet->PreparePage(this);
    return TRUE;
}

void CWizardPage::ChoiceChanged(int nIndex)
{
    if (m_pSheet->IsLoading())
        return;
    m_pSheet->SetCurrentIndex(nIndex);
    m_pSheet->SendMessage(WM_QVG_WIZ_CHOICE_CHANGED);
}

void CWizardPage::SettingChanged()
{
    if (m_pSheet->IsLoading())
        return;
    SetModified(TRUE);
    m_pSheet->SendMessage(WM_QVG_WIZ_SETTING_CHANGED);
}

HBRUSH CWizardPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC && pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_QVG_WIZ_PROMPT) {
        pDC->SetTextColor(RGB(0, 0, 255));
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
    }
    return CPropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

// ---- CMainPage ----

IMPLEMENT_DYNAMIC(CMainPage, CWizardPage)

CMainPage::CMainPage(QVGWizSheet* pSheet) : CWizardPage(IDD_QVG_WIZ_MAIN, pSheet)
{
}

BOOL CMainPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_groups[groupDisplay].Create(IDD_QVG_WIZ_DISPLAY_GROUP, IDC_QVG_WIZ_GROUP_PLACE, this);
    m_groups[groupLegend].Create(IDD_QVG_WIZ_LEGEND_GROUP, IDC_QVG_WIZ_GROUP_PLACE, this);
    m_groups[groupTitle].Create(IDD_QVG_WIZ_TITLE_GROUP, IDC_QVG_WIZ_TEXT_PLACE, this);
    m_groups[groupTextPanel].Create(IDD_QVG_WIZ_TEXT_PANEL_GROUP, IDC_QVG_WIZ_TEXT_PLACE, this);
    m_shown = groupNone;
    m_pSheet->PreparePage(this);
    return TRUE;
}

void CMainPage::ShowGroup(Group group)
{
    if (group == m_shown)
        return;
    for (int n = 0; n < groupNone; ++n)
        if (n != group)
            m_groups[n].Hide();
    if (group != groupNone)
        m_groups[group].Show();
    m_shown = group;
}

BOOL CMainPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (lParam == 0 || m_pSheet->IsLoading())
        return CWizardPage::OnCommand(wParam, lParam);
    switch (nID) {
    case IDC_QVG_WIZ_COMPONENT:
        if (nCode == CBN_SELCHANGE) {
            ChoiceChanged(int(SendDlgItemMessage(nID, CB_GETCURSEL)));
        } else if (nCode == CBN_EDITCHANGE) {
            CString name;
            GetDlgItemText(nID, name);
            m_pSheet->SendMessage(WM_QVG_WIZ_RENAMED, 0, reinterpret_cast<LPARAM>((LPCTSTR)name));
        }
        return TRUE;
    case IDC_QVG_WIZ_GRAPH_TYPE:
        if (nCode == CBN_SELCHANGE) {
            SetModified(TRUE);
            m_pSheet->SendMessage(WM_QVG_WIZ_GRAPH_TYPE_CHANGED);
        }
        return TRUE;
    case IDC_QVG_WIZ_AXIS_STYLE:
        if (nCode == CBN_SELCHANGE) {
            SetModified(TRUE);
            m_pSheet->SendMessage(WM_QVG_WIZ_AXIS_STYLE_CHANGED);
        }
        return TRUE;
    default:
        break;
    }
    // Any other setting: an edit that changed, a choice, a check box.
    if (nCode == EN_CHANGE || nCode == CBN_SELCHANGE || nCode == BN_CLICKED) {
        SettingChanged();
        return TRUE;
    }
    return CWizardPage::OnCommand(wParam, lParam);
}

// ---- CFillStyle ----

IMPLEMENT_DYNAMIC(CFillStyle, CWizardPage)

namespace {
// Fill choice -> fill type: none, solid, angled shade, resource image, horizontal, vertical, image file.
const int kFillTypeOfChoice[] = {0, 1, 4, 5, 3, 2, 6};
} // namespace

CFillStyle::CFillStyle(QVGWizSheet* pSheet) : CWizardPage(IDD_QVG_WIZ_FILL, pSheet)
{
}

int CFillStyle::FillTypeOfChoice(int nChoice)
{
    return nChoice >= 0 && nChoice < int(std::size(kFillTypeOfChoice)) ? kFillTypeOfChoice[nChoice] : 0;
}

int CFillStyle::ChoiceOfFillType(int nFillType)
{
    for (int n = 0; n < int(std::size(kFillTypeOfChoice)); ++n)
        if (kFillTypeOfChoice[n] == nFillType)
            return n;
    return choiceNone;
}

BOOL CFillStyle::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_color1.SubclassDlgItem(IDC_QVG_WIZ_FILL_COLOR1, this);
    m_color2.SubclassDlgItem(IDC_QVG_WIZ_FILL_COLOR2, this);
    m_color1.SetColor(RGB(255, 255, 255));
    static_cast<CComboBox*>(GetDlgItem(IDC_QVG_WIZ_FILL_CHOICE))->SetCurSel(0);
    m_pSheet->PreparePage(this);
    UpdateEnabling();
    return TRUE;
}

void CFillStyle::UpdateEnabling()
{
    const int nChoice = int(SendDlgItemMessage(IDC_QVG_WIZ_FILL_CHOICE, CB_GETCURSEL));
    m_nChoice = nChoice;
    GetDlgItem(IDC_QVG_WIZ_FILL_ANGLE)->EnableWindow(nChoice == choiceAngled);
    GetDlgItem(IDC_QVG_WIZ_FILL_NAME)->EnableWindow(nChoice == choiceResource || nChoice == choiceFile);
    GetDlgItem(IDC_QVG_WIZ_FILL_BROWSE)->EnableWindow(nChoice == choiceFile);
    SetDlgItemText(IDC_QVG_WIZ_FILL_BROWSE,
                   LoadText(nChoice == choiceResource ? IDS_QVG_WIZ_BROWSE_RESOURCE : IDS_QVG_WIZ_BROWSE_FILE));
}

BOOL CFillStyle::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (lParam == 0 || m_pSheet->IsLoading())
        return CWizardPage::OnCommand(wParam, lParam);
    switch (nID) {
    case IDC_QVG_WIZ_COMPONENT:
        if (nCode == CBN_SELCHANGE)
            ChoiceChanged(int(SendDlgItemMessage(nID, CB_GETCURSEL)));
        return TRUE;
    case IDC_QVG_WIZ_FILL_CHOICE:
        if (nCode == CBN_SELCHANGE) {
            UpdateEnabling();
            SettingChanged();
        }
        return TRUE;
    case IDC_QVG_WIZ_FILL_COLOR1:
    case IDC_QVG_WIZ_FILL_COLOR2:
        if (nCode == BN_CLICKED && (nID == IDC_QVG_WIZ_FILL_COLOR1 ? m_color1 : m_color2).ChooseColor(this))
            SettingChanged();
        return TRUE;
    case IDC_QVG_WIZ_FILL_BROWSE:
        if (nCode == BN_CLICKED)
            Browse();
        return TRUE;
    default:
        break;
    }
    if (nCode == EN_CHANGE || nCode == BN_CLICKED) {
        SettingChanged();
        return TRUE;
    }
    return CWizardPage::OnCommand(wParam, lParam);
}

void CFillStyle::Browse()
{
    // Only what an image-file fill can load: bitmaps.
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       "Bitmap files(*.bmp)|*.bmp|Dib files(*.dib)|*.dib|All files(*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    HANDLE hImage = ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (hImage == nullptr) {
        CString message;
        message.Format(LoadText(IDS_QVG_WIZ_IMAGE_NOT_LOADED), (LPCTSTR)path);
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ::DeleteObject(hImage);
    SetDlgItemText(IDC_QVG_WIZ_FILL_NAME, path);   // the name's change applies it
}

// ---- CFontStyle ----

IMPLEMENT_DYNAMIC(CFontStyle, CWizardPage)

CFontStyle::CFontStyle(QVGWizSheet* pSheet) : CWizardPage(IDD_QVG_WIZ_FONT, pSheet)
{
}

BOOL CFontStyle::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_color.SubclassDlgItem(IDC_QVG_WIZ_FONT_COLOR, this);
    CheckRadioButton(IDC_QVG_WIZ_FONT_TITLE, IDC_QVG_WIZ_FONT_BODY, IDC_QVG_WIZ_FONT_TITLE);
    m_pSheet->PreparePage(this);
    ShowValues();
    return TRUE;
}

void CFontStyle::ShowValues()
{
    if (m_hWnd == nullptr)
        return;
    m_color.SetColor(m_crColor);
    CString sample;
    sample.Format("%s, %d pt", (LPCTSTR)m_strFace, m_nSize);
    const char* const styles[] = {", bold", ", italic", ", underlined", ", struck out", ", fitted"};
    for (int n = 0; n < 5; ++n)
        if (m_nFlags & (1 << n))
            sample += styles[n];
    SetDlgItemText(IDC_QVG_WIZ_FONT_SAMPLE, sample);
}

void CFontStyle::ChooseFont()
{
    LOGFONTA logFont = {};
    lstrcpynA(logFont.lfFaceName, m_strFace, LF_FACESIZE);
    logFont.lfWeight = (m_nFlags & 1) ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = BYTE((m_nFlags & 2) ? 1 : 0);
    logFont.lfUnderline = BYTE((m_nFlags & 4) ? 1 : 0);
    logFont.lfStrikeOut = BYTE((m_nFlags & 8) ? 1 : 0);
    CFontDialog dialog(&logFont, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    dialog.m_cf.rgbColors = m_crColor;
    if (dialog.DoModal() != IDOK)
        return;
    m_nSize = dialog.GetSize() / 10;
    m_nFlags = (m_nFlags & 0x10) | (dialog.GetWeight() == FW_BOLD ? 1 : 0) | (dialog.IsItalic() ? 2 : 0) |
               (dialog.IsUnderline() ? 4 : 0) | (dialog.IsStrikeOut() ? 8 : 0);
    m_strFace = dialog.GetFaceName();
    m_crColor = dialog.GetColor();
    ShowValues();
    SettingChanged();
}

BOOL CFontStyle::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (lParam == 0 || m_pSheet->IsLoading())
        return CWizardPage::OnCommand(wParam, lParam);
    switch (nID) {
    case IDC_QVG_WIZ_COMPONENT:
        if (nCode == CBN_SELCHANGE)
            ChoiceChanged(int(SendDlgItemMessage(nID, CB_GETCURSEL)));
        return TRUE;
    case IDC_QVG_WIZ_FONT:
        if (nCode == BN_CLICKED)
            ChooseFont();
        return TRUE;
    case IDC_QVG_WIZ_FONT_COLOR:
        if (nCode == BN_CLICKED && m_color.ChooseColor(this)) {
            m_crColor = m_color.GetColor();
            ShowValues();
            SettingChanged();
        }
        return TRUE;
    case IDC_QVG_WIZ_FONT_TITLE:
    case IDC_QVG_WIZ_FONT_BODY:
        if (nCode == BN_CLICKED) {
            // The panel's other font is shown, not changed.
            m_bBodyFont = nID == IDC_QVG_WIZ_FONT_BODY;
            m_pSheet->SendMessage(WM_QVG_WIZ_CHOICE_CHANGED);
        }
        return TRUE;
    case IDC_QVG_WIZ_JUSTIFICATION:
        if (nCode == CBN_SELCHANGE) {
            m_nJustification = int(SendDlgItemMessage(nID, CB_GETCURSEL));
            SettingChanged();
        }
        return TRUE;
    default:
        return CWizardPage::OnCommand(wParam, lParam);
    }
}

// ---- CAdvancedPage ----

IMPLEMENT_DYNAMIC(CAdvancedPage, CWizardPage)

CAdvancedPage::CAdvancedPage(QVGWizSheet* pSheet) : CWizardPage(IDD_QVG_WIZ_ADVANCED, pSheet)
{
}

BOOL CAdvancedPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_components.SubclassDlgItem(IDC_QVG_WIZ_COMPONENTS, this);
    m_components.SetTarget(m_pSheet);
    m_pSheet->PreparePage(this);
    return TRUE;
}

void CAdvancedPage::AddChosenKind()
{
    auto* pKinds = static_cast<CComboBox*>(GetDlgItem(IDC_QVG_WIZ_KINDS));
    const int nChoice = pKinds->GetCurSel();
    if (nChoice < 0)
        return;
    CString kind;
    pKinds->GetLBText(nChoice, kind);
    if (AfxMessageBox(LoadText(IDS_QVG_WIZ_ADD) + "\n" + kind, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const int nTypeId = int(pKinds->GetItemData(nChoice));
    QVGraphComponent* pComponent = nullptr;
    switch (nTypeId) {
    case IDS_QVG_BACKGROUND: pComponent = new QVGraphBackground; break;
    case IDS_QVG_DISPLAY: pComponent = new QVGraphDisplay; break;
    case IDS_QVG_TITLE: pComponent = new QVGraphTitle; break;
    case IDS_QVG_LEGEND: pComponent = new QVGraphLegend; break;
    case IDS_QVG_TEXT_PANEL: pComponent = new QVGTextPanel; break;
    default: return;
    }
    m_pSheet->AddComponent(kind, pComponent);
}

void CAdvancedPage::MoveSelected(UINT nButton)
{
    const int nSelected = m_components.GetCurSel();
    const int nCount = m_components.GetCount() - 1;   // without the blank at the end
    if (nSelected < 0 || nSelected >= nCount)
        return;
    int nBefore = nSelected;
    switch (nButton) {
    case IDC_QVG_WIZ_UP: nBefore = nSelected - 1; break;
    case IDC_QVG_WIZ_DOWN: nBefore = nSelected + 2; break;
    case IDC_QVG_WIZ_TOP_OF_LIST: nBefore = 0; break;
    case IDC_QVG_WIZ_BOTTOM_OF_LIST: nBefore = nCount; break;
    default: return;
    }
    if (nBefore < 0 || nBefore > nCount)
        return;
    m_components.AskMove(nSelected, nBefore);
}

void CAdvancedPage::UpdateEnabling()
{
    const BOOL bGrid = IsDlgButtonChecked(IDC_QVG_WIZ_SHOW_GRID) == BST_CHECKED;
    GetDlgItem(IDC_QVG_WIZ_GRID_STEP)->EnableWindow(bGrid);
    GetDlgItem(IDC_QVG_WIZ_SNAP)->EnableWindow(bGrid);
}

BOOL CAdvancedPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (lParam == 0 || m_pSheet->IsLoading())
        return CWizardPage::OnCommand(wParam, lParam);
    auto checked = [this](UINT nCheck) { return IsDlgButtonChecked(nCheck) == BST_CHECKED; };
    switch (nID) {
    case IDC_QVG_WIZ_COMPONENTS:
        if (nCode == LBN_SELCHANGE) {
            const int nSelected = m_components.GetCurSel();
            if (nSelected >= 0 && nSelected < m_components.GetCount() - 1)
                ChoiceChanged(nSelected);
        }
        return TRUE;
    case IDC_QVG_WIZ_ADD:
        if (nCode == BN_CLICKED)
            AddChosenKind();
        return TRUE;
    case IDC_QVG_WIZ_DELETE:
        if (nCode == BN_CLICKED)
            m_pSheet->DeleteCurrentComponent();
        return TRUE;
    case IDC_QVG_WIZ_UP:
    case IDC_QVG_WIZ_DOWN:
    case IDC_QVG_WIZ_TOP_OF_LIST:
    case IDC_QVG_WIZ_BOTTOM_OF_LIST:
        if (nCode == BN_CLICKED)
            MoveSelected(nID);
        return TRUE;
    case IDC_QVG_WIZ_USE_PREVIEW_SIZE:
        if (nCode == BN_CLICKED)
            m_pSheet->SetUsePreviewSize(checked(nID));
        return TRUE;
    case IDC_QVG_WIZ_SHOW_GRID:
    case IDC_QVG_WIZ_SNAP:
    case IDC_QVG_WIZ_ALLOW_EDITING:
    case IDC_QVG_WIZ_LIVE_RESULT:
        if (nCode == BN_CLICKED) {
            m_pSheet->m_bShowGrid = checked(IDC_QVG_WIZ_SHOW_GRID);
            m_pSheet->m_bSnapToGrid = checked(IDC_QVG_WIZ_SNAP);
            m_pSheet->m_bEditingAllowed = checked(IDC_QVG_WIZ_ALLOW_EDITING);
            m_pSheet->m_bLiveResult = checked(IDC_QVG_WIZ_LIVE_RESULT);
            UpdateEnabling();
            m_pSheet->RepaintPreview();
        }
        return TRUE;
    case IDC_QVG_WIZ_GRID_STEP:
        if (nCode == EN_CHANGE) {
            BOOL bRead = FALSE;
            const int nStep = int(GetDlgItemInt(nID, &bRead, FALSE));
            if (bRead && nStep > 0)
                m_pSheet->m_nGridStep = nStep;
            m_pSheet->RepaintPreview();
        }
        return TRUE;
    default:
        return CWizardPage::OnCommand(wParam, lParam);
    }
}

// ---- CLayoutPage ----

IMPLEMENT_DYNAMIC(CLayoutPage, CWizardPage)

CLayoutPage::CLayoutPage(QVGWizSheet* pSheet) : CWizardPage(IDD_QVG_WIZ_LAYOUT, pSheet)
{
    for (int n = 0; n < QVGStatic::kindCount; ++n)
        m_colors[n] = m_cells[0].GetKindColor(n);
}

CLayoutPage::~CLayoutPage() = default;

BOOL CLayoutPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetDlgItemText(IDC_QVG_WIZ_PROMPT, LoadText(IDS_QVG_WIZ_LAYOUT_PROMPT));
    for (int n = 0; n < cellCount; ++n)
        m_cells[n].SubclassDlgItem(IDC_QVG_WIZ_CELL_FIRST + n, this);
    for (int n = 0; n < QVGStatic::kindCount; ++n) {
        m_colorButtons[n].SubclassDlgItem(IDC_QVG_WIZ_BACKGROUND_COLOR + n, this);
        m_colorButtons[n].SetColor(m_colors[n]);
    }
    ShowLayouts(m_nFirst);
    return TRUE;
}

BOOL CLayoutPage::OnSetActive()
{
    ShowLayouts(m_nFirst);
    return TRUE;
}

void CLayoutPage::ShowLayouts(int nFirst)
{
    const std::vector<CLayout>& layouts = m_pSheet->GetLayouts();
    m_nFirst = std::max(0, nFirst);
    // Small charts of the layouts, on the working chart's data.
    m_charts.clear();
    for (int n = 0; n < cellCount; ++n) {
        const size_t nLayout = size_t(m_nFirst + n);
        QVGraph* pChart = nullptr;
        if (nLayout < layouts.size()) {
            m_charts.push_back(std::make_unique<QVGraph>());
            pChart = m_charts.back().get();
            pChart->SetDataManager(m_pSheet->GetWorkingChart()->GetDataManager(), FALSE);
            for (int k = 0; k < QVGStatic::kindCount; ++k)
                m_cells[n].SetKindColor(k, m_colors[k]);
            COLORREF colors[QVGStatic::kindCount];
            for (int k = 0; k < QVGStatic::kindCount; ++k)
                colors[k] = m_cells[n].GetKindColor(k);
            m_pSheet->BuildLayoutChart(*pChart, layouts[nLayout], colors);
        }
        if (m_cells[n].m_hWnd != nullptr) {
            m_cells[n].SetChart(pChart);
            m_cells[n].SetHighlight(int(nLayout) == m_nChosen);
        }
    }
    if (m_hWnd == nullptr)
        return;
    // Six more must follow for Next; Previous while the first shown is not the first.
    GetDlgItem(IDC_QVG_WIZ_NEXT_LAYOUTS)->EnableWindow(int(layouts.size()) - m_nFirst - 1 >= cellCount);
    GetDlgItem(IDC_QVG_WIZ_PREVIOUS_LAYOUTS)->EnableWindow(m_nFirst > 0);
}

void CLayoutPage::ChooseColor(int nKind)
{
    if (!m_colorButtons[nKind].ChooseColor(this))
        return;
    m_colors[nKind] = m_colorButtons[nKind].GetColor();
    ShowLayouts(m_nFirst);
    if (m_nChosen >= 0)
        m_pSheet->ChooseLayout(m_nChosen);
}

BOOL CLayoutPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (lParam == 0)
        return CWizardPage::OnCommand(wParam, lParam);
    if (nID >= IDC_QVG_WIZ_CELL_FIRST && nID < IDC_QVG_WIZ_CELL_FIRST + cellCount) {
        const int nLayout = m_nFirst + int(nID - IDC_QVG_WIZ_CELL_FIRST);
        if (nCode == STN_CLICKED && size_t(nLayout) < m_pSheet->GetLayouts().size()) {
            m_nChosen = nLayout;
            for (int n = 0; n < cellCount; ++n)
                m_cells[n].SetHighlight(m_nFirst + n == m_nChosen);
            m_pSheet->ChooseLayout(nLayout);
        }
        return TRUE;
    }
    if (nCode != BN_CLICKED)
        return CWizardPage::OnCommand(wParam, lParam);
    switch (nID) {
    case IDC_QVG_WIZ_PREVIOUS_LAYOUTS: ShowLayouts(m_nFirst - cellCount); return TRUE;
    case IDC_QVG_WIZ_NEXT_LAYOUTS: ShowLayouts(m_nFirst + cellCount); return TRUE;
    case IDC_QVG_WIZ_BACKGROUND_COLOR:
    case IDC_QVG_WIZ_TITLE_COLOR:
    case IDC_QVG_WIZ_DISPLAY_COLOR:
    case IDC_QVG_WIZ_LEGEND_COLOR: ChooseColor(int(nID - IDC_QVG_WIZ_BACKGROUND_COLOR)); return TRUE;
    default: return CWizardPage::OnCommand(wParam, lParam);
    }
}

// ---- CStandardChartPage ----

IMPLEMENT_DYNAMIC(CStandardChartPage, CWizardPage)

CStandardChartPage::CStandardChartPage(QVGWizSheet* pSheet) : CWizardPage(IDD_QVG_WIZ_CHART_TYPE, pSheet)
{
}

BOOL CStandardChartPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetDlgItemText(IDC_QVG_WIZ_PROMPT, LoadText(IDS_QVG_WIZ_TYPE_PROMPT));
    m_pSheet->FillGraphTypeList(*static_cast<CListBox*>(GetDlgItem(IDC_QVG_WIZ_CHART_TYPES)));
    return TRUE;
}

BOOL CStandardChartPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_QVG_WIZ_CHART_TYPES && HIWORD(wParam) == LBN_SELCHANGE) {
        auto* pList = static_cast<CListBox*>(GetDlgItem(IDC_QVG_WIZ_CHART_TYPES));
        if (pList->GetCurSel() >= 0)
            m_pSheet->ChooseChartType(DWORD(pList->GetItemData(pList->GetCurSel())));
        return TRUE;
    }
    return CWizardPage::OnCommand(wParam, lParam);
}

// ---- CFinishPage ----

IMPLEMENT_DYNAMIC(CFinishPage, CWizardPage)

CFinishPage::CFinishPage(QVGWizSheet* pSheet) : CWizardPage(IDD_QVG_WIZ_FINISH, pSheet)
{
}

BOOL CFinishPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetDlgItemText(IDC_QVG_WIZ_PROMPT, LoadText(IDS_QVG_WIZ_FINISH_PROMPT));
    return TRUE;
}

BOOL CFinishPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_QVG_WIZ_EDIT && HIWORD(wParam) == BN_CLICKED) {
        // The sheet takes this page away: it goes on after this message.
        m_pSheet->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_QVG_WIZ_EDIT, BN_CLICKED));
        return TRUE;
    }
    return CWizardPage::OnCommand(wParam, lParam);
}
