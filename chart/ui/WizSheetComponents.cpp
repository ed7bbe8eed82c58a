// The chart wizard's components: their names and entries in the pages' lists, their settings loaded into
// the main, fill and font pages and applied back, and adding, deleting and moving them.
#include "chart/ui/WizSheet.h"

#include <cmath>
#include <cstdlib>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/TextPanel.h"
#include "chart/ui/ChartWizardIds.h"
#include "framework/win/Dc.h"

namespace {

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

CComboBox* ComboOf(CWnd& page, UINT nID)
{
    return page.m_hWnd != nullptr ? static_cast<CComboBox*>(page.GetDlgItem(nID)) : nullptr;
}

void SelectByData(CComboBox* pList, DWORD_PTR value)
{
    if (pList == nullptr)
        return;
    for (int n = 0; n < pList->GetCount(); ++n)
        if (pList->GetItemData(n) == value) {
            pList->SetCurSel(n);
            return;
        }
    pList->SetCurSel(-1);
}

// The item data of the list's selection; nDefault without one.
DWORD_PTR SelectedData(CComboBox* pList, DWORD_PTR nDefault)
{
    if (pList == nullptr || pList->GetCurSel() < 0)
        return nDefault;
    return pList->GetItemData(pList->GetCurSel());
}

void SetChecked(CWnd& page, UINT nID, bool bChecked)
{
    page.CheckDlgButton(nID, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

bool IsChecked(CWnd& page, UINT nID)
{
    return page.IsDlgButtonChecked(nID) == BST_CHECKED;
}

void SetNumber(CWnd& page, UINT nID, double value)
{
    CString text;
    text.Format("%g", value);
    page.SetDlgItemText(nID, text);
}

double GetNumber(CWnd& page, UINT nID)
{
    CString text;
    page.GetDlgItemText(nID, text);
    return std::atof(text);
}

void EnableItem(CWnd& page, UINT nID, BOOL bEnable)
{
    if (CWnd* pItem = page.GetDlgItem(nID))
        pItem->EnableWindow(bEnable);
}

// Lines of a text panel from an edit's text (lines end in CR LF or LF).
void SetPanelLines(QVGTextPanel* pPanel, const CString& text, bool bTitle)
{
    CString rest = text;
    rest.Remove('\r');
    int n = 0;
    for (;;) {
        const int nBreak = rest.Find('\n');
        const CString line = nBreak < 0 ? rest : rest.Left(nBreak);
        if (bTitle)
            pPanel->SetTitleLine(n, line);
        else
            pPanel->SetBodyLine(n, line);
        ++n;
        if (nBreak < 0)
            break;
        rest = rest.Mid(nBreak + 1);
    }
}

CString PanelText(const CString& lines)
{
    CString text = lines;
    text.Replace("\r\n", "\n");
    text.Replace("\n", "\r\n");
    return text;
}

// Tool tips of the editing pages' controls, strings 53623 on in this order.
const UINT kMainTips[] = {IDC_QVG_WIZ_COMPONENT, IDC_QVG_WIZ_MEASUREMENT, IDC_QVG_WIZ_BORDER, IDC_QVG_WIZ_SHADOW,
                          IDC_QVG_WIZ_LEFT, IDC_QVG_WIZ_TOP, IDC_QVG_WIZ_RIGHT, IDC_QVG_WIZ_BOTTOM,
                          IDC_QVG_WIZ_FIRST_GROUP, IDC_QVG_WIZ_LAST_GROUP, IDC_QVG_WIZ_FIRST_INDEX,
                          IDC_QVG_WIZ_LAST_INDEX, IDC_QVG_WIZ_GRAPH_TYPE, IDC_QVG_WIZ_AXIS_STYLE,
                          IDC_QVG_WIZ_LOG_SCALE, IDC_QVG_WIZ_SHOW_ZERO, IDC_QVG_WIZ_X_GRID, IDC_QVG_WIZ_Y_GRID,
                          IDC_QVG_WIZ_TICKS, IDC_QVG_WIZ_HIDE, IDC_QVG_WIZ_EXPLICIT_SIZE, IDC_QVG_WIZ_SIZE_VALUE,
                          IDC_QVG_WIZ_LEGEND_TYPE, IDC_QVG_WIZ_KEY_STYLE, IDC_QVG_WIZ_FIT_WIDTH,
                          IDC_QVG_WIZ_FIT_HEIGHT, IDC_QVG_WIZ_TEXT_WIDTH, IDC_QVG_WIZ_ROW_FACTOR,
                          IDC_QVG_WIZ_KEY_SIZE, IDC_QVG_WIZ_TITLE_TEXT, IDC_QVG_WIZ_PANEL_TITLE,
                          IDC_QVG_WIZ_PANEL_BODY, IDC_QVG_WIZ_PANEL_SHOW_TITLE, IDC_QVG_WIZ_PANEL_AUTOSIZE};
const UINT kFillTips[] = {IDC_QVG_WIZ_COMPONENT, IDC_QVG_WIZ_FILL_CHOICE, IDC_QVG_WIZ_FILL_COLOR1,
                          IDC_QVG_WIZ_FILL_COLOR2, IDC_QVG_WIZ_FILL_ANGLE, IDC_QVG_WIZ_FILL_NAME,
                          IDC_QVG_WIZ_FILL_BROWSE, IDC_QVG_WIZ_FILL_STRETCH};
const UINT kFontTips[] = {IDC_QVG_WIZ_COMPONENT, IDC_QVG_WIZ_FONT, IDC_QVG_WIZ_FONT_COLOR, IDC_QVG_WIZ_FONT_TITLE,
                          IDC_QVG_WIZ_FONT_BODY, IDC_QVG_WIZ_JUSTIFICATION};

} // namespace

// ---- Components and their names ----

std::vector<QVGraphComponent*> QVGWizSheet::GetListedComponents()
{
    std::vector<QVGraphComponent*> listed;
    if (m_pWorking == nullptr)
        return listed;
    CObList* pList = m_pWorking->GetComponentList();
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
        listed.push_back(static_cast<QVGraphComponent*>(pList->GetNext(pos)));
    return listed;
}

QVGraphComponent* QVGWizSheet::GetCurrentComponent()
{
    const std::vector<QVGraphComponent*> listed = GetListedComponents();
    return m_nCurrent >= 0 && size_t(m_nCurrent) < listed.size() ? listed[size_t(m_nCurrent)] : nullptr;
}

CString QVGWizSheet::NewTag()
{
    // The first character steps on; after 'Z' an 'A' goes in front ("Z", "AZ", "BZ", ...).
    if (!m_strTag.IsEmpty() && m_strTag[0] == 'Z')
        m_strTag = "A" + m_strTag;
    else if (!m_strTag.IsEmpty())
        m_strTag.SetAt(0, char(m_strTag[0] + 1));
    return m_strTag;
}

CString QVGWizSheet::NameFor(QVGraphComponent* pComponent)
{
    // The names listed so far are those of the components before this one.
    bool bListed = false;
    const CString tag = pComponent->GetTag();
    for (QVGraphComponent* pOther : GetListedComponents()) {
        if (pOther == pComponent)
            break;
        bListed = bListed || pOther->GetTag() == tag;
    }
    CString name;
    if (tag.IsEmpty())
        name = LoadText(UINT(pComponent->GetTypeId())) + "_" + NewTag();
    else if (bListed)
        name = tag + "_" + NewTag();
    else
        name = tag;
    pComponent->SetTag(name);
    return name;
}

// ---- Lists ----

std::vector<CComboBox*> QVGWizSheet::ComponentChoices()
{
    std::vector<CComboBox*> choices;
    for (CWnd* pPage : std::vector<CWnd*>{&m_mainPage, &m_fillPage, &m_fontPage})
        if (CComboBox* pChoice = ComboOf(*pPage, IDC_QVG_WIZ_COMPONENT))
            choices.push_back(pChoice);
    return choices;
}

CListBox* QVGWizSheet::ComponentList()
{
    return m_advancedPage.m_components.m_hWnd != nullptr ? &m_advancedPage.m_components : nullptr;
}

void QVGWizSheet::SelectEntry(int nIndex)
{
    m_nCurrent = nIndex;
    for (CComboBox* pChoice : ComponentChoices())
        pChoice->SetCurSel(nIndex);
    if (CListBox* pList = ComponentList())
        pList->SetCurSel(nIndex);
}

BOOL QVGWizSheet::FillChoiceList(CComboBox& list, LPCTSTR lpszResource)
{
    list.ResetContent();
    CString text;
    if (!LoadWizardResource(lpszResource, text))
        return FALSE;
    QVGWizardLines lines(text);
    CString line;
    while (lines.Next(line)) {
        DWORD value = 0;
        CString entry;
        if (!ParseChoiceLine(line, value, entry))
            continue;
        const int nIndex = list.AddString(entry);
        list.SetItemData(nIndex, value);
    }
    return TRUE;
}

void QVGWizSheet::ReadGraphTypes()
{
    if (!m_graphTypes.empty())
        return;
    CString text;
    if (!LoadWizardResource("GRAPH_TYPES", text))
        return;
    QVGWizardLines lines(text);
    CString line;
    while (lines.Next(line)) {
        CGraphTypeEntry entry;
        CString name;
        if (ParseGraphTypeLine(line, entry.m_nValue, entry.m_strWord, name)) {
            m_graphTypes.push_back(entry);
            m_graphTypeNames.push_back(name);
        }
    }
}

BOOL QVGWizSheet::FillGraphTypeChoice(CComboBox& list)
{
    list.ResetContent();
    ReadGraphTypes();
    for (size_t n = 0; n < m_graphTypes.size(); ++n) {
        const int nIndex = list.AddString(m_graphTypeNames[n]);
        list.SetItemDataPtr(nIndex, &m_graphTypes[n]);
    }
    return !m_graphTypes.empty();
}

BOOL QVGWizSheet::FillGraphTypeList(CListBox& list)
{
    ReadGraphTypes();
    list.ResetContent();
    for (size_t n = 0; n < m_graphTypes.size(); ++n) {
        // The step offers no empty display and no free-style chart.
        if (m_graphTypes[n].m_nValue == 0 || m_graphTypes[n].m_nValue == 0x190000)
            continue;
        const int nIndex = list.AddString(m_graphTypeNames[n]);
        list.SetItemData(nIndex, m_graphTypes[n].m_nValue);
        if (m_graphTypes[n].m_nValue == m_nChosenType)
            list.SetCurSel(nIndex);
    }
    return !m_graphTypes.empty();
}

const CGraphTypeEntry* QVGWizSheet::EntryOfType(int nType)
{
    for (const CGraphTypeEntry& entry : m_graphTypes)
        if (int((entry.m_nValue >> 16) & 0xFF) == nType)
            return &entry;
    return nullptr;
}

void QVGWizSheet::FillAxisStyles(const CGraphTypeEntry* pEntry)
{
    CComboBox* pAxes = ComboOf(m_mainPage, IDC_QVG_WIZ_AXIS_STYLE);
    if (pAxes == nullptr)
        return;
    if (pEntry == nullptr) {
        pAxes->ResetContent();
        return;
    }
    FillChoiceList(*pAxes, pEntry->m_strWord);
}

void QVGWizSheet::RefillLists()
{
    m_bLoading = TRUE;
    const std::vector<QVGraphComponent*> listed = GetListedComponents();
    for (CComboBox* pChoice : ComponentChoices()) {
        pChoice->ResetContent();
        for (QVGraphComponent* pComponent : listed)
            pChoice->SetItemDataPtr(pChoice->AddString(pComponent->GetTag()), pComponent);
    }
    if (CListBox* pList = ComponentList()) {
        pList->ResetContent();
        for (QVGraphComponent* pComponent : listed)
            pList->SetItemDataPtr(pList->AddString(pComponent->GetTag()), pComponent);
        // The blank stands for the end of the list.
        pList->AddString(" ");
    }
    SelectEntry(m_nCurrent);
    m_bLoading = FALSE;
}

BOOL QVGWizSheet::InitLists()
{
    if (m_pWorking->GetComponentList()->IsEmpty())
        return TRUE;
    m_bWizardSteps = FALSE;
    for (QVGraphComponent* pComponent : GetListedComponents())
        NameFor(pComponent);
    m_nCurrent = 0;
    for (CWizardPage* pPage : std::vector<CWizardPage*>{&m_mainPage, &m_fillPage, &m_fontPage, &m_advancedPage})
        if (pPage->m_hWnd != nullptr)
            PreparePage(pPage);
    LoadComponent(m_nCurrent);
    RegisterToolTips();
    StartCaptionTimer();
    return TRUE;
}

void QVGWizSheet::PreparePage(CWizardPage* pPage)
{
    if (m_bWizardSteps || pPage == nullptr || pPage->m_hWnd == nullptr)
        return;
    m_bLoading = TRUE;
    if (pPage == &m_mainPage) {
        FillChoiceList(*ComboOf(m_mainPage, IDC_QVG_WIZ_MEASUREMENT), "MEASUREMENT");
        FillChoiceList(*ComboOf(m_mainPage, IDC_QVG_WIZ_BORDER), "BORDERSTYLE");
        FillChoiceList(*ComboOf(m_mainPage, IDC_QVG_WIZ_SHADOW), "SHADOWSTYLE");
    } else if (pPage == &m_advancedPage) {
        CComboBox* pKinds = ComboOf(m_advancedPage, IDC_QVG_WIZ_KINDS);
        pKinds->ResetContent();
        for (int nKind : s_kinds)
            pKinds->SetItemData(pKinds->AddString(LoadText(UINT(nKind))), DWORD_PTR(nKind));
        pKinds->SetCurSel(0);
        SetChecked(m_advancedPage, IDC_QVG_WIZ_USE_PREVIEW_SIZE, m_bUsePreviewSize != 0);
        SetChecked(m_advancedPage, IDC_QVG_WIZ_SHOW_GRID, m_bShowGrid != 0);
        SetChecked(m_advancedPage, IDC_QVG_WIZ_SNAP, m_bSnapToGrid != 0);
        SetChecked(m_advancedPage, IDC_QVG_WIZ_ALLOW_EDITING, m_bEditingAllowed != 0);
        SetChecked(m_advancedPage, IDC_QVG_WIZ_LIVE_RESULT, m_bLiveResult != 0);
        m_advancedPage.SetDlgItemInt(IDC_QVG_WIZ_GRID_STEP, UINT(m_nGridStep), FALSE);
        EnableItem(m_advancedPage, IDC_QVG_WIZ_GRID_STEP, m_bShowGrid);
        EnableItem(m_advancedPage, IDC_QVG_WIZ_SNAP, m_bShowGrid);
    }
    m_bLoading = FALSE;
    RefillLists();
    LoadComponent(m_nCurrent);
    RegisterToolTips();
}

void QVGWizSheet::RegisterToolTips()
{
    if (m_toolTip.m_hWnd == nullptr)
        return;
    UINT nString = IDS_QVG_WIZ_TIP_FIRST;
    auto registerPage = [this, &nString](CWnd& page, const UINT* pIds, size_t nCount) {
        for (size_t n = 0; n < nCount; ++n, ++nString) {
            CWnd* pControl = page.m_hWnd != nullptr ? page.GetDlgItem(pIds[n]) : nullptr;
            if (pControl == nullptr)
                continue;
            m_toolTip.DelTool(pControl);
            m_toolTip.AddWindowTool(pControl, nString);
        }
    };
    registerPage(m_mainPage, kMainTips, std::size(kMainTips));
    registerPage(m_fillPage, kFillTips, std::size(kFillTips));
    registerPage(m_fontPage, kFontTips, std::size(kFontTips));
}

// ---- Loading a component into the pages ----

void QVGWizSheet::LoadComponent(int nIndex)
{
    m_bLoading = TRUE;
    SelectEntry(nIndex);
    QVGraphComponent* pComponent = GetCurrentComponent();
    LoadMain(pComponent);
    LoadFill(pComponent);
    LoadFont(pComponent);
    m_bLoading = FALSE;
    RegisterToolTips();
}

void QVGWizSheet::LoadMain(QVGraphComponent* pComponent)
{
    CMainPage& page = m_mainPage;
    if (page.m_hWnd == nullptr)
        return;
    if (pComponent == nullptr) {
        page.ShowGroup(CMainPage::groupNone);
        return;
    }
    QVGraphStyle* pStyle = pComponent->GetStyle();
    QVGraphRect* pRect = pComponent->GetRectObject();
    SelectByData(ComboOf(page, IDC_QVG_WIZ_MEASUREMENT), DWORD_PTR(pRect->GetMeasurement()));
    page.SetDlgItemInt(IDC_QVG_WIZ_LEFT, UINT(int(pRect->m_dLeft)), TRUE);
    page.SetDlgItemInt(IDC_QVG_WIZ_TOP, UINT(int(pRect->m_dTop)), TRUE);
    page.SetDlgItemInt(IDC_QVG_WIZ_RIGHT, UINT(int(pRect->m_dRight)), TRUE);
    page.SetDlgItemInt(IDC_QVG_WIZ_BOTTOM, UINT(int(pRect->m_dBottom)), TRUE);
    SelectByData(ComboOf(page, IDC_QVG_WIZ_BORDER), DWORD_PTR(pStyle->GetBorderStyle()));
    SelectByData(ComboOf(page, IDC_QVG_WIZ_SHADOW), DWORD_PTR(pStyle->GetShadowStyle()));

    int nMinIndex = -1, nMaxIndex = -1, nMinGroup = -1, nMaxGroup = -1;
    pComponent->GetDataRange(nMinIndex, nMaxIndex, nMinGroup, nMaxGroup);
    page.SetDlgItemInt(IDC_QVG_WIZ_FIRST_GROUP, UINT(nMinGroup), TRUE);
    page.SetDlgItemInt(IDC_QVG_WIZ_LAST_GROUP, UINT(nMaxGroup), TRUE);
    page.SetDlgItemInt(IDC_QVG_WIZ_FIRST_INDEX, UINT(nMinIndex), TRUE);
    page.SetDlgItemInt(IDC_QVG_WIZ_LAST_INDEX, UINT(nMaxIndex), TRUE);
    auto* pDisplay = dynamic_cast<QVGDisplayBase*>(pComponent);
    auto* pLegend = dynamic_cast<QVGraphLegend*>(pComponent);
    auto* pPanel = dynamic_cast<QVGTextPanel*>(pComponent);
    const BOOL bScope = pDisplay != nullptr || pLegend != nullptr;
    for (UINT nID : {IDC_QVG_WIZ_FIRST_GROUP, IDC_QVG_WIZ_LAST_GROUP, IDC_QVG_WIZ_FIRST_INDEX, IDC_QVG_WIZ_LAST_INDEX})
        EnableItem(page, nID, bScope);

    const int nKind = pComponent->GetTypeId();
    if (pDisplay != nullptr) {
        page.ShowGroup(CMainPage::groupDisplay);
        CComboBox* pTypes = ComboOf(page, IDC_QVG_WIZ_GRAPH_TYPE);
        if (pTypes != nullptr)
            FillGraphTypeChoice(*pTypes);
        const int nType = pStyle->GetGraphType();
        const CGraphTypeEntry* pEntry = EntryOfType(nType);
        SelectByData(pTypes, reinterpret_cast<DWORD_PTR>(pEntry));
        FillAxisStyles(pEntry);
        SelectByData(ComboOf(page, IDC_QVG_WIZ_AXIS_STYLE), DWORD_PTR(DWORD(pStyle->GetAxisStyle()) << 24));
        SetChecked(page, IDC_QVG_WIZ_LOG_SCALE, pStyle->GetOption(27) != 0);
        SetChecked(page, IDC_QVG_WIZ_SHOW_ZERO, pStyle->GetOption(13) == 0);
        SetChecked(page, IDC_QVG_WIZ_X_GRID, pStyle->GetOption(16) == 0);
        SetChecked(page, IDC_QVG_WIZ_Y_GRID, pStyle->GetOption(15) == 0);
        SetChecked(page, IDC_QVG_WIZ_TICKS, pStyle->GetOption(12) == 0);
        SetChecked(page, IDC_QVG_WIZ_HIDE, pStyle->GetOption(11) == 0);
        const BOOL bSizes = nType >= 41 && nType <= 44;
        EnableItem(page, IDC_QVG_WIZ_EXPLICIT_SIZE, bSizes);
        EnableItem(page, IDC_QVG_WIZ_SIZE_VALUE, bSizes);
        SetChecked(page, IDC_QVG_WIZ_EXPLICIT_SIZE, pStyle->HasExplicitSizes() != 0);
        SetNumber(page, IDC_QVG_WIZ_SIZE_VALUE, pStyle->HasExplicitSizes() ? pStyle->m_dBarDepth : 10.0);
    } else if (pLegend != nullptr) {
        page.ShowGroup(CMainPage::groupLegend);
        CComboBox* pTypes = ComboOf(page, IDC_QVG_WIZ_LEGEND_TYPE);
        CComboBox* pKeys = ComboOf(page, IDC_QVG_WIZ_KEY_STYLE);
        if (pTypes != nullptr)
            FillChoiceList(*pTypes, "LEGENDSTYLE");
        if (pKeys != nullptr)
            FillChoiceList(*pKeys, "KEYSTYLE");
        SelectByData(pTypes, DWORD_PTR(pLegend->GetStoredKeyKind()));
        SelectByData(pKeys, DWORD_PTR(pLegend->GetSampleStyle()));
        SetChecked(page, IDC_QVG_WIZ_FIT_WIDTH, pLegend->m_bFitWidth != 0);
        SetChecked(page, IDC_QVG_WIZ_FIT_HEIGHT, pLegend->m_bFitHeight != 0);
        page.SetDlgItemInt(IDC_QVG_WIZ_TEXT_WIDTH, UINT(pLegend->GetTextWidth()), TRUE);
        page.SetDlgItemInt(IDC_QVG_WIZ_ROW_FACTOR, UINT(pLegend->GetRowFactor()), TRUE);
        page.SetDlgItemInt(IDC_QVG_WIZ_KEY_SIZE, UINT(int(pLegend->GetKeySize())), TRUE);
    } else if (pPanel != nullptr) {
        page.ShowGroup(CMainPage::groupTextPanel);
        page.SetDlgItemText(IDC_QVG_WIZ_PANEL_TITLE, PanelText(pPanel->GetTitleText()));
        page.SetDlgItemText(IDC_QVG_WIZ_PANEL_BODY, PanelText(pPanel->GetBodyText()));
        SetChecked(page, IDC_QVG_WIZ_PANEL_SHOW_TITLE, pPanel->IsTitleShown() != 0);
        SetChecked(page, IDC_QVG_WIZ_PANEL_AUTOSIZE, pPanel->IsAutoSize() != 0);
    } else if (nKind == IDS_QVG_TITLE) {
        page.ShowGroup(CMainPage::groupTitle);
        page.SetDlgItemText(IDC_QVG_WIZ_TITLE_TEXT, m_pWorking->GetManagerText(1));
    } else {
        page.ShowGroup(CMainPage::groupNone);
    }
}

void QVGWizSheet::LoadFill(QVGraphComponent* pComponent)
{
    CFillStyle& page = m_fillPage;
    if (page.m_hWnd == nullptr || pComponent == nullptr)
        return;
    QVGraphStyle* pStyle = pComponent->GetStyle();
    page.m_nChoice = CFillStyle::ChoiceOfFillType(pStyle->GetFillType());
    ComboOf(page, IDC_QVG_WIZ_FILL_CHOICE)->SetCurSel(page.m_nChoice);
    page.m_color1.SetColor(pStyle->m_crFill1);
    page.m_color2.SetColor(pStyle->m_crFill2);
    SetNumber(page, IDC_QVG_WIZ_FILL_ANGLE, pStyle->m_dFillValue);
    page.SetDlgItemText(IDC_QVG_WIZ_FILL_NAME, pStyle->m_strFillImage);
    SetChecked(page, IDC_QVG_WIZ_FILL_STRETCH, pStyle->IsImageStretched() != 0);
    page.UpdateEnabling();
}

void QVGWizSheet::LoadFont(QVGraphComponent* pComponent)
{
    CFontStyle& page = m_fontPage;
    if (page.m_hWnd == nullptr || pComponent == nullptr)
        return;
    auto* pPanel = dynamic_cast<QVGTextPanel*>(pComponent);
    EnableItem(page, IDC_QVG_WIZ_FONT_TITLE, pPanel != nullptr);
    EnableItem(page, IDC_QVG_WIZ_FONT_BODY, pPanel != nullptr);
    if (pPanel != nullptr) {
        const bool bBody = page.m_bBodyFont != FALSE;
        page.m_strFace = bBody ? pPanel->GetBodyFace() : pPanel->GetTitleFace();
        page.m_crColor = bBody ? pPanel->GetBodyColor() : pPanel->GetTitleColor();
        const int nFlags = bBody ? pPanel->GetBodyFontStyle() : pPanel->GetTitleFontStyle();
        page.m_nFlags = nFlags & 0x1F;
        page.m_nSize = (nFlags & QVGraphTitle::fontAutoSize)
                           ? 10
                           : std::abs(bBody ? pPanel->GetBodyFontSize() : pPanel->GetTitleFontSize());
    } else if (auto* pTitle = dynamic_cast<QVGraphTitle*>(pComponent)) {
        page.m_strFace = pTitle->GetFaceName();
        page.m_crColor = pTitle->GetTextColor();
        page.m_nFlags = pTitle->GetFontStyle() & 0x1F;
        page.m_nSize = (page.m_nFlags & QVGraphTitle::fontAutoSize) ? 10 : std::abs(pTitle->GetStoredFontSize());
        page.m_nJustification = pTitle->GetAlignment();
    }
    SetChecked(page, IDC_QVG_WIZ_FONT_TITLE, !page.m_bBodyFont);
    SetChecked(page, IDC_QVG_WIZ_FONT_BODY, page.m_bBodyFont != 0);
    ComboOf(page, IDC_QVG_WIZ_JUSTIFICATION)->SetCurSel(page.m_nJustification);
    page.ShowValues();
}

// ---- Applying the pages ----

void QVGWizSheet::ApplyActivePage()
{
    switch (GetActiveIndex()) {
    case 0: ApplyMain(); break;
    case 1: ApplyFill(); break;
    case 2: ApplyFont(); break;
    default: break;
    }
    RepaintPreview();
}

void QVGWizSheet::ApplyMain()
{
    CMainPage& page = m_mainPage;
    QVGraphComponent* pComponent = GetCurrentComponent();
    if (page.m_hWnd == nullptr || pComponent == nullptr)
        return;
    m_bLoading = TRUE;   // the fields written back below must not apply again
    QVGraphStyle* pStyle = pComponent->GetStyle();
    const int nMeasurement = int(SelectedData(ComboOf(page, IDC_QVG_WIZ_MEASUREMENT), 0));
    if (nMeasurement != pComponent->GetRectObject()->GetMeasurement())
        pComponent->SetMeasurement(nMeasurement);
    pComponent->SetRect(GetNumber(page, IDC_QVG_WIZ_LEFT), GetNumber(page, IDC_QVG_WIZ_TOP),
                        GetNumber(page, IDC_QVG_WIZ_RIGHT), GetNumber(page, IDC_QVG_WIZ_BOTTOM));
    pStyle->SetBorderStyle(int(SelectedData(ComboOf(page, IDC_QVG_WIZ_BORDER), 0)));
    const int nShadow = int(SelectedData(ComboOf(page, IDC_QVG_WIZ_SHADOW), 0));
    pStyle->SetShadowStyle(nShadow >= 1 && nShadow <= 3 ? nShadow : 0);

    auto* pDisplay = dynamic_cast<QVGDisplayBase*>(pComponent);
    auto* pLegend = dynamic_cast<QVGraphLegend*>(pComponent);
    auto* pPanel = dynamic_cast<QVGTextPanel*>(pComponent);
    if (pDisplay != nullptr || pLegend != nullptr) {
        int scope[4] = {};
        const UINT ids[4] = {IDC_QVG_WIZ_FIRST_INDEX, IDC_QVG_WIZ_LAST_INDEX, IDC_QVG_WIZ_FIRST_GROUP,
                             IDC_QVG_WIZ_LAST_GROUP};
        for (int n = 0; n < 4; ++n) {
            scope[n] = int(page.GetDlgItemInt(ids[n], nullptr, TRUE));
            if (scope[n] < 0) {
                scope[n] = -1;
                page.SetDlgItemText(ids[n], "-1");
            }
        }
        pComponent->SetDataRange(scope[0], scope[1], scope[2], scope[3]);
    }
    if (pDisplay != nullptr) {
        pStyle->SetLogScale(IsChecked(page, IDC_QVG_WIZ_LOG_SCALE));
        pStyle->SetOption(13, !IsChecked(page, IDC_QVG_WIZ_SHOW_ZERO));
        pStyle->SetOption(16, !IsChecked(page, IDC_QVG_WIZ_X_GRID));
        pStyle->SetOption(15, !IsChecked(page, IDC_QVG_WIZ_Y_GRID));
        pStyle->SetOption(12, !IsChecked(page, IDC_QVG_WIZ_TICKS));
        pStyle->SetOption(11, !IsChecked(page, IDC_QVG_WIZ_HIDE));
        if (CComboBox* pAxes = ComboOf(page, IDC_QVG_WIZ_AXIS_STYLE); pAxes != nullptr && pAxes->GetCurSel() >= 0)
            pStyle->SetAxisStyle(int(DWORD(pAxes->GetItemData(pAxes->GetCurSel())) >> 24));
        const int nType = pStyle->GetGraphType();
        if (nType >= 41 && nType <= 44) {
            const bool bSizes = IsChecked(page, IDC_QVG_WIZ_EXPLICIT_SIZE);
            pStyle->SetOption(30, bSizes);
            if (bSizes)
                pStyle->m_dBarDepth = std::fabs(GetNumber(page, IDC_QVG_WIZ_SIZE_VALUE));
        }
        pStyle->m_bModified = 1;
    } else if (pLegend != nullptr) {
        pLegend->SetKeyKind(int(SelectedData(ComboOf(page, IDC_QVG_WIZ_LEGEND_TYPE), 1)));
        pLegend->SetSampleStyle(int(SelectedData(ComboOf(page, IDC_QVG_WIZ_KEY_STYLE), 1)));
        int nOptions = pLegend->GetKeyOptions() & ~(QVGraphLegend::keyFitWidth | QVGraphLegend::keyFitHeight);
        nOptions |= (IsChecked(page, IDC_QVG_WIZ_FIT_WIDTH) ? QVGraphLegend::keyFitWidth : 0) |
                    (IsChecked(page, IDC_QVG_WIZ_FIT_HEIGHT) ? QVGraphLegend::keyFitHeight : 0);
        pLegend->SetKeyOptions(nOptions);
        // A negative number falls back to 5 characters, a row factor of 3 and keys of 3.
        auto number = [&page](UINT nID, int nFallback) {
            int value = int(page.GetDlgItemInt(nID, nullptr, TRUE));
            if (value < 0) {
                value = nFallback;
                page.SetDlgItemInt(nID, UINT(value), TRUE);
            }
            return value;
        };
        pLegend->SetTextWidth(number(IDC_QVG_WIZ_TEXT_WIDTH, 5));
        pLegend->SetRowFactor(number(IDC_QVG_WIZ_ROW_FACTOR, 3));
        pLegend->m_dKeySize = number(IDC_QVG_WIZ_KEY_SIZE, 3);
    } else if (pPanel != nullptr) {
        CString title, body;
        page.GetDlgItemText(IDC_QVG_WIZ_PANEL_TITLE, title);
        page.GetDlgItemText(IDC_QVG_WIZ_PANEL_BODY, body);
        SetPanelLines(pPanel, title, true);
        SetPanelLines(pPanel, body, false);
        pPanel->ShowTitle(IsChecked(page, IDC_QVG_WIZ_PANEL_SHOW_TITLE));
        pPanel->SetAutoSize(IsChecked(page, IDC_QVG_WIZ_PANEL_AUTOSIZE));
    } else if (pComponent->GetTypeId() == IDS_QVG_TITLE) {
        CString text;
        page.GetDlgItemText(IDC_QVG_WIZ_TITLE_TEXT, text);
        m_pWorking->SetManagerText(text, 1);
    }
    pComponent->SetChanged(TRUE);
    m_pWorking->Refresh();
    m_bLoading = FALSE;
}

void QVGWizSheet::ApplyGraphType(QVGraphComponent* pComponent, const CGraphTypeEntry& entry)
{
    auto* pDisplay = dynamic_cast<QVGDisplayBase*>(pComponent);
    if (pDisplay == nullptr)
        return;
    int nType = int((entry.m_nValue >> 16) & 0xFF);
    const int nOld = pDisplay->GetGraphType();
    // The candle types read their data in fours: the user confirms them, else gets a step chart.
    if ((nType == 28 || nType == 46) && nOld != 28 && nOld != 46 &&
        AfxMessageBox(IDS_QVG_WIZ_CANDLE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        nType = 36;
    else if (nType == 29 && nOld != 29 && AfxMessageBox(IDS_QVG_WIZ_HI_LO, MB_YESNO | MB_ICONQUESTION) != IDYES)
        nType = 36;
    pDisplay->SetGraphType(nType);
    pDisplay->SetChanged(TRUE);
    if (nType == 36 && int((entry.m_nValue >> 16) & 0xFF) != 36) {
        const CGraphTypeEntry* pStep = EntryOfType(36);
        m_bLoading = TRUE;
        SelectByData(ComboOf(m_mainPage, IDC_QVG_WIZ_GRAPH_TYPE), reinterpret_cast<DWORD_PTR>(pStep));
        FillAxisStyles(pStep);
        SelectByData(ComboOf(m_mainPage, IDC_QVG_WIZ_AXIS_STYLE), 0x1000000);
        m_bLoading = FALSE;
    }
    if (nType >= 43 && nType <= 45)
        SetVectorLineEnds(*m_pWorking, TRUE);
}

LRESULT QVGWizSheet::OnGraphTypeChanged(WPARAM, LPARAM)
{
    if (m_bLoading)
        return 0;
    CComboBox* pTypes = ComboOf(m_mainPage, IDC_QVG_WIZ_GRAPH_TYPE);
    if (pTypes == nullptr || pTypes->GetCurSel() < 0)
        return 0;
    const auto* pEntry = static_cast<const CGraphTypeEntry*>(pTypes->GetItemDataPtr(pTypes->GetCurSel()));
    if (pEntry == nullptr)
        return 0;
    if (((pEntry->m_nValue >> 16) & 0xFF) > 50 || (pEntry->m_nValue & 0xFF00FFFF) != 0) {
        OnCustomGraphType(*pEntry);
    } else {
        m_bLoading = TRUE;
        FillAxisStyles(pEntry);
        SelectByData(ComboOf(m_mainPage, IDC_QVG_WIZ_AXIS_STYLE), 0x1000000);
        m_bLoading = FALSE;
        ApplyGraphType(GetCurrentComponent(), *pEntry);
    }
    ApplyMain();
    RepaintPreview();
    return 0;
}

void QVGWizSheet::ApplyFill()
{
    CFillStyle& page = m_fillPage;
    QVGraphComponent* pComponent = GetCurrentComponent();
    if (page.m_hWnd == nullptr || pComponent == nullptr)
        return;
    const int nChoice = ComboOf(page, IDC_QVG_WIZ_FILL_CHOICE)->GetCurSel();
    CString name;
    page.GetDlgItemText(IDC_QVG_WIZ_FILL_NAME, name);
    // An image waits for its name.
    if ((nChoice == CFillStyle::choiceResource || nChoice == CFillStyle::choiceFile) && name.IsEmpty())
        return;
    if (nChoice < 0)
        return;
    QVGraphStyle* pStyle = pComponent->GetStyle();
    pStyle->SetFillType(CFillStyle::FillTypeOfChoice(nChoice));
    const COLORREF color1 = page.m_color1.GetColor();
    const COLORREF color2 = page.m_color2.GetColor();
    switch (nChoice) {
    case CFillStyle::choiceSolid:
        pStyle->m_crFill1 = color1;
        break;
    case CFillStyle::choiceAngled:
        pComponent->SetFillColors(color1, color2);
        pStyle->m_dFillValue = GetNumber(page, IDC_QVG_WIZ_FILL_ANGLE);
        break;
    case CFillStyle::choiceHorizontal:
    case CFillStyle::choiceVertical:
        pComponent->SetFillColors(color1, color2);
        break;
    case CFillStyle::choiceResource:
    case CFillStyle::choiceFile:
        pComponent->SetFillImageName(name);
        // Stretched when the box says so.
        pStyle->SetImageStretched(IsChecked(page, IDC_QVG_WIZ_FILL_STRETCH));
        break;
    default:
        break;
    }
    pComponent->SetChanged(TRUE);
    m_pWorking->Refresh();
}

void QVGWizSheet::ApplyFont()
{
    CFontStyle& page = m_fontPage;
    QVGraphComponent* pComponent = GetCurrentComponent();
    if (page.m_hWnd == nullptr || pComponent == nullptr)
        return;
    if (auto* pPanel = dynamic_cast<QVGTextPanel*>(pComponent)) {
        if (page.m_bBodyFont) {
            pPanel->SetBodyColor(page.m_crColor);
            pPanel->SetBodyFontSize(page.m_nSize);
            pPanel->SetBodyFace(page.m_strFace);
            pPanel->SetBodyFontStyle((pPanel->GetBodyFontStyle() & ~0x1F) | page.m_nFlags);
        } else {
            pPanel->SetTitleColor(page.m_crColor);
            pPanel->SetTitleFontSize(page.m_nSize);
            pPanel->SetTitleFace(page.m_strFace);
            pPanel->SetTitleFontStyle((pPanel->GetTitleFontStyle() & ~0x1F) | page.m_nFlags);
        }
    } else if (auto* pTitle = dynamic_cast<QVGraphTitle*>(pComponent)) {
        pTitle->SetTextColor(page.m_crColor);
        pTitle->SetFont(page.m_nSize, pTitle->GetFontStyle(), page.m_strFace);
        pTitle->SetFontStyleFlags((pTitle->GetFontStyle() & ~0x1F) | page.m_nFlags);
        if (page.m_nJustification >= 0)
            pTitle->SetAlignment(page.m_nJustification);
        pTitle->SetFontRebuild(TRUE);
    }
    pComponent->SetChanged(TRUE);
    m_pWorking->Refresh();
}

// ---- Adding, deleting, moving and renaming ----

QVGraphComponent* QVGWizSheet::AddComponent(LPCTSTR lpszName, QVGraphComponent* pComponent)
{
    if (pComponent == nullptr)
        return nullptr;
    const bool bWasEmpty = m_pWorking->GetComponentList()->IsEmpty();
    pComponent->SetRect(10, 10, m_rectPreview.Width() / 2, m_rectPreview.Height() / 2);
    m_pWorking->AddComponent(pComponent);
    pComponent->SetTag(CString(lpszName) + "_" + NewTag());
    if (bWasEmpty)
        m_nCurrent = 0;
    RefillLists();
    if (bWasEmpty)
        LoadComponent(m_nCurrent);
    RepaintPreview();
    return pComponent;
}

void QVGWizSheet::DeleteCurrentComponent()
{
    QVGraphComponent* pComponent = GetCurrentComponent();
    if (pComponent == nullptr)
        return;
    const int nKind = pComponent->GetTypeId();
    CString question;
    if (nKind == IDS_QVG_COMPOUND_DISPLAY || nKind == IDS_QVG_LABEL || nKind == IDS_QVG_LABEL_BLOCK)
        question = LoadText(IDS_QVG_WIZ_DELETE_HOLDER);
    else
        question = LoadText(IDS_QVG_WIZ_DELETE) + "\n" + pComponent->GetTag();
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CObList* pList = m_pWorking->GetComponentList();
    pList->RemoveAt(pList->Find(pComponent));
    if (m_pPreview != nullptr && m_pPreview->GetSelectedComponent() == pComponent)
        m_pPreview->CancelTracking();
    delete pComponent;
    m_nCurrent = pList->IsEmpty() ? -1 : 0;
    RefillLists();
    LoadComponent(m_nCurrent);
    RepaintPreview();
}

void QVGWizSheet::MoveComponent(int nFrom, int nBefore)
{
    std::vector<QVGraphComponent*> listed = GetListedComponents();
    const int nCount = int(listed.size());
    // The blank (or nothing) does not move; a drop on itself or just after it changes nothing.
    if (nFrom < 0 || nFrom >= nCount || nBefore < 0 || nBefore > nCount || nBefore == nFrom || nBefore == nFrom + 1)
        return;
    QVGraphComponent* pMoved = listed[size_t(nFrom)];
    QVGraphComponent* pCurrent = GetCurrentComponent();
    CObList* pList = m_pWorking->GetComponentList();
    pList->RemoveAt(pList->Find(pMoved));
    if (nBefore == nCount)
        pList->AddTail(pMoved);
    else
        pList->InsertBefore(pList->Find(listed[size_t(nBefore)]), pMoved);
    const std::vector<QVGraphComponent*> now = GetListedComponents();
    for (size_t n = 0; n < now.size(); ++n)
        if (now[n] == pCurrent)
            m_nCurrent = int(n);
    RefillLists();
    // The moved entry stays the chosen one in the list.
    if (CListBox* pListBox = ComponentList())
        pListBox->SetCurSel(nFrom < nBefore ? nBefore - 1 : nBefore);
    m_pWorking->Refresh();
    RepaintPreview();
}

LRESULT QVGWizSheet::OnRenamed(WPARAM, LPARAM lParam)
{
    QVGraphComponent* pComponent = GetCurrentComponent();
    if (pComponent == nullptr || lParam == 0)
        return 0;
    const CString name = reinterpret_cast<LPCTSTR>(lParam);
    pComponent->SetTag(name);
    m_bLoading = TRUE;
    // The entries change; the main page's edit field keeps what is being typed.
    for (CComboBox* pChoice : ComponentChoices()) {
        if (m_nCurrent >= pChoice->GetCount())
            continue;
        pChoice->DeleteString(UINT(m_nCurrent));
        pChoice->InsertString(m_nCurrent, name);
        pChoice->SetItemDataPtr(m_nCurrent, pComponent);
        if (pChoice != ComboOf(m_mainPage, IDC_QVG_WIZ_COMPONENT))
            pChoice->SetCurSel(m_nCurrent);
    }
    if (CListBox* pList = ComponentList(); pList != nullptr && m_nCurrent < pList->GetCount()) {
        pList->DeleteString(UINT(m_nCurrent));
        pList->InsertString(m_nCurrent, name);
        pList->SetItemDataPtr(m_nCurrent, pComponent);
        pList->SetCurSel(m_nCurrent);
    }
    // The other pages show the component again; the main page's edit field keeps what is typed.
    LoadFill(pComponent);
    LoadFont(pComponent);
    m_bLoading = FALSE;
    return 0;
}
