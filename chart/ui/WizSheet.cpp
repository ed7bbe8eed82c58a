// The chart wizard's sheet: its making (the preview beside the pages, the working chart, sample data),
// the steps, the pages' messages, the caption's turns, OK and close, and the copies of the chart.
#include "chart/ui/WizSheet.h"

#include <cstdlib>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDataList.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphTitle.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/ui/ChartWizardIds.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/win/Dc.h"

IMPLEMENT_DYNAMIC(QVGWizSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(QVGWizSheet, CPropertySheet)
    ON_MESSAGE(WM_QVG_WIZ_CHOICE_CHANGED, OnChoiceChanged)
    ON_MESSAGE(WM_QVG_WIZ_SETTING_CHANGED, OnSettingChanged)
    ON_MESSAGE(WM_QVG_WIZ_GRAPH_TYPE_CHANGED, OnGraphTypeChanged)
    ON_MESSAGE(WM_QVG_WIZ_AXIS_STYLE_CHANGED, OnAxisStyleChanged)
    ON_MESSAGE(WM_QVG_WIZ_RENAMED, OnRenamed)
    ON_MESSAGE(WM_QVG_WIZ_MOVE, OnMove)
    ON_WM_TIMER()
    ON_WM_SYSCOMMAND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The Apply button of the system's property sheet.
constexpr UINT kApplyNow = 0x3021;

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

} // namespace

const int QVGWizSheet::s_kinds[5] = {IDS_QVG_BACKGROUND, IDS_QVG_DISPLAY, IDS_QVG_TITLE, IDS_QVG_LEGEND,
                                     IDS_QVG_TEXT_PANEL};

QVGWizSheet::QVGWizSheet(QVGraph* pChart, LPCTSTR lpszCaption, CWnd* pParent, UINT nFirstPage, int nPreviewWidth,
                         int nPreviewHeight, BOOL bCopyData)
    : CPropertySheet(lpszCaption, pParent, nFirstPage),
      m_mainPage(this),
      m_fillPage(this),
      m_fontPage(this),
      m_advancedPage(this),
      m_pChart(pChart),
      m_previewSize(nPreviewWidth, nPreviewHeight),
      m_givenPreviewSize(nPreviewWidth, nPreviewHeight),
      m_rectPreview(0, 0, 0, 0),
      m_bCopyData(bCopyData)
{
    AddPage(&m_mainPage);
    AddPage(&m_fillPage);
    AddPage(&m_fontPage);
    AddPage(&m_advancedPage);
}

QVGWizSheet::~QVGWizSheet()
{
    delete m_pPreview;
    delete m_pLayoutPage;
    delete m_pChartTypePage;
    delete m_pFinishPage;
    delete m_pWorking;
}

// ---- Making ----

BOOL QVGWizSheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    m_pWorking = new QVGraph;

    // The sheet grows to the right for the preview.
    CRect window;
    GetWindowRect(&window);
    const int nOldWidth = window.Width();
    const int nOldHeight = window.Height();
    SetWindowPos(nullptr, 0, 0, nOldWidth + previewWidth, nOldHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_rectPreview.SetRect(nOldWidth - 3, 3, nOldWidth + previewWidth - 7, nOldHeight - 27);
    // The frame lies under the preview and never paints over it.
    m_previewFrame.Create(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_ETCHEDFRAME, m_rectPreview, this,
                          IDC_QVG_WIZ_PREVIEW_FRAME);
    CRect inner = m_rectPreview;
    inner.DeflateRect(3, 3);
    if (m_previewSize.cx <= 0 || m_previewSize.cy <= 0)
        m_previewSize = inner.Size();
    m_pPreview = new QVGWizView;
    m_pPreview->SetGraph(m_pWorking);
    m_pPreview->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, inner, this,
                       IDC_QVG_WIZARD_VIEW, nullptr);
    ::SetWindowPos(m_pPreview->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pPreview->SetScrollSizes(MM_TEXT, m_previewSize);
    m_pWorking->SetFixedRect(CRect(CPoint(0, 0), m_previewSize), 0);

    m_toolTip.Create(this, TTS_ALWAYSTIP);
    m_toolTip.Activate(TRUE);

    // A chart whose data streams in keeps it: the wizard works on sample data.
    BOOL bDynamic = m_pChart != nullptr && m_pChart->IsDynamic();
    if (m_pChart != nullptr) {
        for (POSITION pos = m_pChart->GetFirstGroupPosition(); pos != nullptr && !bDynamic;)
            bDynamic = m_pChart->GetNextGroup(pos)->IsDynamic();
    }
    if (bDynamic)
        m_bCopyData = FALSE;
    if (m_pChart != nullptr)
        CopyChart(*m_pChart, *m_pWorking, m_bCopyData);
    if (!m_bCopyData)
        FillSampleData();

    if (!InitLists()) {
        EndDialog(IDCANCEL);
        return bResult;
    }
    if (m_bWizardSteps)
        StartSteps();
    return bResult;
}

void QVGWizSheet::FillSampleData()
{
    for (int g = 0; g < 4; ++g)
        for (int i = 0; i < 10; ++i) {
            m_pWorking->SetValue(i, g, double(std::rand() % 150));
            CString text;
            text.Format(" (%d, %d) ", i, g);
            m_pWorking->GetItem(i, g)->SetAnnotationText(text, TRUE, 1);
        }
}

void QVGWizSheet::StartSteps()
{
    m_nCurrent = -1;
    const HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    m_next.Create(LoadText(IDS_QVG_WIZ_NEXT) + " > ", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, CRect(0, 0, 80, 24), this,
                  IDC_QVG_WIZ_NEXT);
    m_back.Create(LoadText(IDS_QVG_WIZ_BACK) + " < ", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, CRect(0, 0, 80, 24), this,
                  IDC_QVG_WIZ_BACK);
    m_next.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
    m_back.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
    ReadLayouts();

    m_pLayoutPage = new CLayoutPage(this);
    AddPage(m_pLayoutPage);
    for (CPropertyPage* pPage : std::vector<CPropertyPage*>{&m_mainPage, &m_fillPage, &m_fontPage, &m_advancedPage})
        RemovePage(pPage);
    SetActivePage(m_pLayoutPage);
    ShowStepButtons(TRUE);

    const UINT tips[] = {IDS_QVG_WIZ_TIP_BACKGROUND, IDS_QVG_WIZ_TIP_TITLE, IDS_QVG_WIZ_TIP_DISPLAY,
                         IDS_QVG_WIZ_TIP_LEGEND, IDS_QVG_WIZ_TIP_PREVIOUS, IDS_QVG_WIZ_TIP_NEXT};
    const UINT controls[] = {IDC_QVG_WIZ_BACKGROUND_COLOR, IDC_QVG_WIZ_TITLE_COLOR, IDC_QVG_WIZ_DISPLAY_COLOR,
                             IDC_QVG_WIZ_LEGEND_COLOR, IDC_QVG_WIZ_PREVIOUS_LAYOUTS, IDC_QVG_WIZ_NEXT_LAYOUTS};
    for (size_t n = 0; n < 6; ++n)
        if (CWnd* pControl = m_pLayoutPage->GetDlgItem(controls[n]))
            m_toolTip.AddWindowTool(pControl, tips[n]);
    SetWindowText(LoadText(IDS_QVG_WIZ_STEP_LAYOUT));
}

void QVGWizSheet::ReadLayouts()
{
    m_layouts.clear();
    CString text;
    if (LoadLayoutText("LAYOUT", text))
        m_layouts = ParseLayouts(text);
}

// ---- The sheet's buttons ----

void QVGWizSheet::PlaceStepButtons()
{
    auto placeAt = [this](CButton& button, UINT nWhere) {
        CWnd* pPlace = GetDlgItem(nWhere);
        if (pPlace == nullptr || button.m_hWnd == nullptr)
            return;
        CRect rect;
        pPlace->GetWindowRect(&rect);
        ScreenToClient(&rect);
        button.MoveWindow(&rect);
    };
    placeAt(m_next, kApplyNow);
    placeAt(m_back, IDOK);
}

void QVGWizSheet::ShowStepButtons(BOOL bSteps)
{
    PlaceStepButtons();
    if (CTabCtrl* pTab = GetTabControl())
        pTab->ShowWindow(bSteps ? SW_HIDE : SW_SHOW);
    for (UINT nID : {UINT(IDOK), kApplyNow})
        if (CWnd* pButton = GetDlgItem(nID))
            pButton->ShowWindow(bSteps ? SW_HIDE : SW_SHOW);
    if (m_next.m_hWnd != nullptr)
        m_next.ShowWindow(bSteps ? SW_SHOW : SW_HIDE);
    if (m_back.m_hWnd != nullptr && !bSteps)
        m_back.ShowWindow(SW_HIDE);
}

// ---- Steps ----

void QVGWizSheet::NextStep()
{
    CPropertyPage* pActive = GetActivePage();
    if (pActive == m_pLayoutPage) {
        if (m_pChartTypePage == nullptr) {
            m_pChartTypePage = new CStandardChartPage(this);
            AddPage(m_pChartTypePage);
        }
        SetActivePage(m_pChartTypePage);
        m_back.ShowWindow(SW_SHOW);
        SetWindowText(LoadText(IDS_QVG_WIZ_STEP_TYPE));
    } else if (pActive != nullptr && pActive == m_pChartTypePage) {
        if (m_pFinishPage == nullptr) {
            m_pFinishPage = new CFinishPage(this);
            AddPage(m_pFinishPage);
        }
        SetActivePage(m_pFinishPage);
        m_next.SetWindowText(LoadText(IDS_QVG_WIZ_FINISH));
        SetWindowText(LoadText(IDS_QVG_WIZ_STEP_FINISH));
    } else if (pActive != nullptr && pActive == m_pFinishPage) {
        SendMessage(WM_COMMAND, IDOK);
    }
}

void QVGWizSheet::PreviousStep()
{
    CPropertyPage* pActive = GetActivePage();
    if (pActive != nullptr && pActive == m_pChartTypePage) {
        SetActivePage(m_pLayoutPage);
        m_back.ShowWindow(SW_HIDE);
        SetWindowText(LoadText(IDS_QVG_WIZ_STEP_LAYOUT));
    } else if (pActive != nullptr && pActive == m_pFinishPage) {
        SetActivePage(m_pChartTypePage);
        m_next.SetWindowText(LoadText(IDS_QVG_WIZ_NEXT) + " >");
        SetWindowText(LoadText(IDS_QVG_WIZ_STEP_TYPE));
    }
}

void QVGWizSheet::SwitchToEditing()
{
    // The editing pages come in before the steps go, so that the sheet is never without a page.
    for (CPropertyPage* pPage : std::vector<CPropertyPage*>{&m_mainPage, &m_fillPage, &m_fontPage, &m_advancedPage})
        AddPage(pPage);
    SetActivePage(&m_mainPage);
    auto dropStep = [this](auto*& pStep) {
        if (pStep != nullptr) {
            RemovePage(pStep);
            delete pStep;
            pStep = nullptr;
        }
    };
    dropStep(m_pLayoutPage);
    dropStep(m_pChartTypePage);
    dropStep(m_pFinishPage);
    ShowStepButtons(FALSE);
    SetWindowText(LoadText(IDS_QVG_WIZ_EDITING));
    InitLists();
    SelectEntry(-1);
    RepaintPreview();
}

void QVGWizSheet::ChooseLayout(int nLayout)
{
    if (nLayout < 0 || size_t(nLayout) >= m_layouts.size() || m_pLayoutPage == nullptr)
        return;
    COLORREF colors[QVGStatic::kindCount];
    for (int n = 0; n < QVGStatic::kindCount; ++n)
        colors[n] = m_pLayoutPage->GetKindColor(n);
    BuildLayoutChart(*m_pWorking, m_layouts[size_t(nLayout)], colors);
    RepaintPreview();
}

void QVGWizSheet::BuildLayoutChart(QVGraph& chart, const CLayout& layout, const COLORREF colors[4])
{
    chart.DeleteAllComponents();
    for (const CLayoutItem& item : layout) {
        QVGraphComponent* pComponent = nullptr;
        int nKind = 0;
        if (item.m_strName.CompareNoCase("Background") == 0) {
            pComponent = new QVGraphBackground;
            nKind = QVGStatic::kindBackground;
        } else if (item.m_strName.CompareNoCase("Title") == 0) {
            auto* pTitle = new QVGraphTitle;
            const CString text = LoadText(IDS_QVG_WIZ_TITLE_TEXT);
            pTitle->SetText(text, QVGraphTitle::alignCentre);
            pTitle->SetFont(16, pTitle->GetFontStyle(), pTitle->GetFaceName());
            if (chart.GetManagerText(1).IsEmpty())
                chart.SetManagerText(text, 1);
            pComponent = pTitle;
            nKind = QVGStatic::kindTitle;
        } else if (item.m_strName.CompareNoCase("Display") == 0) {
            auto* pDisplay = new QVGraphDisplay;
            pDisplay->SetGraphType(int((m_nChosenType >> 16) & 0xFF));
            pDisplay->SetAxisStyle(1);
            pComponent = pDisplay;
            nKind = QVGStatic::kindDisplay;
        } else if (item.m_strName.CompareNoCase("Legend") == 0) {
            pComponent = new QVGraphLegend;
            nKind = QVGStatic::kindLegend;
        } else {
            continue;   // a name the layouts do not know
        }
        pComponent->SetFillColors(colors[nKind], colors[nKind]);
        pComponent->SetMeasurement(item.m_nMeasurement);
        pComponent->SetRect(item.m_nLeft, item.m_nTop, item.m_nRight, item.m_nBottom);
        QVGraphStyle* pStyle = pComponent->GetStyle();
        pStyle->SetBorderStyle(item.m_nBorderStyle);
        pStyle->SetShadowStyle(item.m_nShadowStyle);
        pStyle->SetFillType(item.m_nFill > 0 ? 1 : 0);
        chart.AddComponent(pComponent);
    }
    chart.Refresh();
}

void QVGWizSheet::ChooseChartType(DWORD nValue)
{
    m_nChosenType = nValue;
    if (auto* pDisplay = dynamic_cast<QVGDisplayBase*>(m_pWorking->FindComponent(0, IDS_QVG_DISPLAY))) {
        pDisplay->SetGraphType(int((nValue >> 16) & 0xFF));
        pDisplay->SetAxisStyle(1);
        pDisplay->SetChanged(TRUE);
    }
    const int nType = int((nValue >> 16) & 0xFF);
    SetVectorLineEnds(*m_pWorking, nType >= 43 && nType <= 45);
    RepaintPreview();
}

void QVGWizSheet::SetVectorLineEnds(QVGraph& chart, BOOL bVectors)
{
    const int nGroups = chart.GetGroupCount();
    // Vectors take their groups in whole blocks of four.
    const int nVectorGroups = nGroups / 4 * 4;
    int g = 0;
    for (POSITION pos = chart.GetFirstGroupPosition(); pos != nullptr; ++g) {
        QVGraphDataList* pGroup = chart.GetNextGroup(pos);
        const bool bArrows = bVectors && g < nVectorGroups;
        if (!bVectors || bArrows) {
            CObList& items = pGroup->GetItemList();
            for (POSITION itemPos = items.GetHeadPosition(); itemPos != nullptr;)
                static_cast<QVGraphData*>(items.GetNext(itemPos))->GetStyle()->m_strText = bArrows ? "TAILA|ARROWA" : "";
        }
    }
    chart.Refresh();
}

// ---- Copies ----

void QVGWizSheet::CopyChart(QVGraph& source, QVGraph& destination, BOOL bWithData)
{
    CMemFile file(4096);
    {
        CArchive store(&file, CArchive::store);
        if (bWithData)
            source.Serialize(store);
        else
            source.SerializeComponents(store);
        store.Close();
    }
    file.SeekToBegin();
    if (bWithData)
        destination.Clear();
    else
        destination.DeleteAllComponents();
    {
        CArchive load(&file, CArchive::load);
        if (bWithData)
            destination.Serialize(load);
        else
            destination.SerializeComponents(load);
        load.Close();
    }
    CObList* pList = destination.GetComponentList();
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
        static_cast<QVGraphComponent*>(pList->GetNext(pos))->SetChart(&destination);
    destination.Refresh();
}

void QVGWizSheet::CopyBack(BOOL bWithData)
{
    if (m_pChart != nullptr && m_pWorking != nullptr)
        CopyChart(*m_pWorking, *m_pChart, bWithData && m_bCopyData);
}

// ---- Commands and messages ----

BOOL QVGWizSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        if (m_pFinishPage != nullptr && GetActivePage() == m_pFinishPage) {
            EndDialog(IDOK);
        } else if (m_bWizardSteps) {
            EndDialog(IDCANCEL);
        } else {
            ApplyActivePage();
            EndDialog(IDOK);
        }
        return TRUE;
    case kApplyNow:
        ApplyActivePage();
        return TRUE;
    case IDC_QVG_WIZ_NEXT:
        NextStep();
        return TRUE;
    case IDC_QVG_WIZ_BACK:
        PreviousStep();
        return TRUE;
    case IDC_QVG_WIZ_EDIT:
        SwitchToEditing();
        return TRUE;
    default:
        return CPropertySheet::OnCommand(wParam, lParam);
    }
}

LRESULT QVGWizSheet::OnChoiceChanged(WPARAM, LPARAM)
{
    LoadComponent(m_nCurrent);
    return 0;
}

LRESULT QVGWizSheet::OnSettingChanged(WPARAM, LPARAM)
{
    if (!m_bLoading)
        ApplyActivePage();
    return 0;
}

LRESULT QVGWizSheet::OnAxisStyleChanged(WPARAM, LPARAM)
{
    if (m_bLoading)
        return 0;
    ApplyMain();
    RepaintPreview();
    return 0;
}

LRESULT QVGWizSheet::OnMove(WPARAM wParam, LPARAM lParam)
{
    MoveComponent(int(wParam), int(lParam));
    return 0;
}

void QVGWizSheet::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != captionTimerId) {
        CPropertySheet::OnTimer(nIDEvent);
        return;
    }
    SetWindowText("Chart Wizard: " + LoadText(UINT(IDS_QVG_WIZ_CAPTION_FIRST + m_nCaptionTurn)));
    m_nCaptionTurn = (m_nCaptionTurn + 1) % captionTurns;
}

void QVGWizSheet::StartCaptionTimer()
{
    if (!m_bWizardSteps && m_hWnd != nullptr) {
        SetTimer(captionTimerId, captionPeriod);
        m_bTimer = TRUE;
    }
}

void QVGWizSheet::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == SC_CLOSE) {
        // Yes goes on editing; No closes the sheet.
        if (AfxMessageBox(IDS_QVG_WIZ_KEEP_EDITING, MB_YESNO | MB_ICONQUESTION) != IDYES)
            EndDialog(IDCANCEL);
        return;
    }
    CPropertySheet::OnSysCommand(nID, lParam);
}

void QVGWizSheet::OnDestroy()
{
    if (m_bTimer) {
        KillTimer(captionTimerId);
        m_bTimer = FALSE;
    }
    CPropertySheet::OnDestroy();
}

void QVGWizSheet::RepaintPreview()
{
    if (m_pWorking != nullptr)
        m_pWorking->Refresh();
    if (m_pPreview != nullptr && m_pPreview->m_hWnd != nullptr)
        m_pPreview->Invalidate(FALSE);
}

void QVGWizSheet::SetUsePreviewSize(BOOL bUse)
{
    m_bUsePreviewSize = bUse;
    CRect inner = m_rectPreview;
    inner.DeflateRect(3, 3);
    m_previewSize = bUse && m_givenPreviewSize.cx > 0 && m_givenPreviewSize.cy > 0 ? m_givenPreviewSize : inner.Size();
    if (m_pPreview != nullptr && m_pPreview->m_hWnd != nullptr)
        ::SetWindowPos(m_pPreview->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pPreview->SetScrollSizes(MM_TEXT, m_previewSize);
    m_pWorking->SetFixedRect(CRect(CPoint(0, 0), m_previewSize), m_pWorking->GetPlacement());
    RepaintPreview();
}

// ---- The preview's questions ----

BOOL QVGWizSheet::CanPickComponent(QVGraphComponent* pComponent)
{
    // Only what the lists hold can be picked: the components of the chart's own list.
    return !m_bWizardSteps && pComponent != nullptr && m_pWorking->GetComponentList()->Find(pComponent) != nullptr;
}

void QVGWizSheet::OnComponentPicked(QVGraphComponent* pComponent)
{
    const std::vector<QVGraphComponent*> listed = GetListedComponents();
    for (size_t n = 0; n < listed.size(); ++n)
        if (listed[n] == pComponent) {
            m_nCurrent = int(n);
            LoadComponent(m_nCurrent);
        }
}

void QVGWizSheet::OnComponentMoved(QVGraphComponent* pComponent)
{
    if (pComponent == GetCurrentComponent())
        LoadComponent(m_nCurrent);
}

void QVGWizSheet::OnCustomGraphType(const CGraphTypeEntry&)
{
}
