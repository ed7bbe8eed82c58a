// The chart wizard: a modal property sheet that edits a working copy of a chart while a live preview of
// the copy is drawn beside its pages. A chart without components is first built in three steps (layout,
// chart type, finish); then, and at once for a chart that has components, four editing pages change each
// component's settings, fill and font and the list of components. After OK the caller copies the working
// chart back into its own (CopyBack).
#pragma once

#include <vector>

#include "chart/ui/WizView.h"
#include "chart/ui/WizardPages.h"
#include "chart/ui/WizardText.h"

class QVGraph;
class QVGraphComponent;

// The item data of the main page's graph-type choice: the graph type value (the type in bits 16-23) and
// the name of the resource of its axis styles.
class CGraphTypeEntry
{
public:
    DWORD m_nValue = 0;
    CString m_strWord;
};

class QVGWizSheet : public CPropertySheet, public QVGWizPreviewOwner
{
    DECLARE_DYNAMIC(QVGWizSheet)
public:
    // The caption's timer and its turns; how far the sheet widens for its preview.
    enum { captionTimerId = 101, captionPeriod = 3000, captionTurns = 5, previewWidth = 400 };
    // The kinds a component can be added as (the type ids of the component-kind table).
    static const int s_kinds[5];

    // The chart view passes its chart, the caption, no parent, page 0, no preview size and copy-data 1.
    QVGWizSheet(QVGraph* pChart, LPCTSTR lpszCaption, CWnd* pParent, UINT nFirstPage, int nPreviewWidth,
                int nPreviewHeight, BOOL bCopyData);
    ~QVGWizSheet() override;

    // After IDOK: the working chart's components into the caller's chart, with its data too when
    // bWithData and the copy-data flag are set.
    void CopyBack(BOOL bWithData);
    // A chart copied through a memory archive: the whole chart, or its components alone.
    static void CopyChart(QVGraph& source, QVGraph& destination, BOOL bWithData);

    // ---- Sheet operations of the pages ----
    // A choice list from a "GRAPHTYPE" resource (the value as item data); FALSE when there is none.
    BOOL FillChoiceList(CComboBox& list, LPCTSTR lpszResource);
    // The main page's graph types (a CGraphTypeEntry each).
    BOOL FillGraphTypeChoice(CComboBox& list);
    // The chart-type step's types (the value as item data, without "None" and "Freestyle").
    BOOL FillGraphTypeList(CListBox& list);
    // The layouts of the "LAYOUT" resource, or of the file of that name without one.
    void ReadLayouts();
    // Fills a page's lists and loads the current component into it; the pages call it when made.
    void PreparePage(CWizardPage* pPage);
    void LoadComponent(int nIndex);
    void ApplyMain();
    void ApplyFill();
    void ApplyFont();
    // The active editing page's settings into the current component, and the preview repainted.
    void ApplyActivePage();
    // Gives a new component its place, name and entries; returns it.
    QVGraphComponent* AddComponent(LPCTSTR lpszName, QVGraphComponent* pComponent);
    // Asks, then removes and deletes the current component.
    void DeleteCurrentComponent();
    // Moves the component at place nFrom before the one at place nBefore (counted before the move; the
    // count of components is the end).
    void MoveComponent(int nFrom, int nBefore);
    // The next tag: "@" steps to "A", ..., "Z", then "AZ", "BZ", ...
    CString NewTag();
    // The name a component is listed under (its tag, made unique).
    CString NameFor(QVGraphComponent* pComponent);
    // The layout chosen on the layout step becomes the working chart's components.
    void ChooseLayout(int nLayout);
    // The type chosen on the chart-type step goes to the first display.
    void ChooseChartType(DWORD nValue);
    // Builds a chart's components from a layout, in the colours of the four kinds.
    void BuildLayoutChart(QVGraph& chart, const CLayout& layout, const COLORREF colors[4]);
    // The steps.
    void NextStep();
    void PreviousStep();
    void SwitchToEditing();
    // The preview repainted.
    void RepaintPreview();
    // The preview takes the given preview size (TRUE) or the size of its place.
    void SetUsePreviewSize(BOOL bUse);

    // ---- Hooks ----
    // A graph type the library does not know, chosen on the main page.
    virtual void OnCustomGraphType(const CGraphTypeEntry& entry);

    // ---- The preview's questions ----
    BOOL IsEditingAllowed() override { return m_bEditingAllowed; }
    BOOL IsSnapToGrid() override { return m_bSnapToGrid; }
    int GetGridStep() override { return m_nGridStep; }
    BOOL IsGridShown() override { return m_bShowGrid; }
    BOOL IsLiveResult() override { return m_bLiveResult; }
    CSize GetPreviewSize() override { return m_previewSize; }
    CSize GetPreviewRectSize() override { return m_rectPreview.Size(); }
    BOOL CanPickComponent(QVGraphComponent* pComponent) override;
    void OnComponentPicked(QVGraphComponent* pComponent) override;
    void OnComponentMoved(QVGraphComponent* pComponent) override;

    // ---- State ----
    QVGraph* GetWorkingChart() const { return m_pWorking; }
    QVGraph* GetChart() const { return m_pChart; }
    QVGWizView* GetPreview() const { return m_pPreview; }
    BOOL IsInWizardSteps() const { return m_bWizardSteps; }
    BOOL GetCopyData() const { return m_bCopyData; }
    int GetCurrentIndex() const { return m_nCurrent; }
    void SetCurrentIndex(int nIndex) { m_nCurrent = nIndex; }
    QVGraphComponent* GetCurrentComponent();
    // The components in the order of the lists (the chart's list order).
    std::vector<QVGraphComponent*> GetListedComponents();
    BOOL IsLoading() const { return m_bLoading; }
    const std::vector<CLayout>& GetLayouts() const { return m_layouts; }
    DWORD GetChosenType() const { return m_nChosenType; }
    CLayoutPage* GetLayoutPage() const { return m_pLayoutPage; }
    CStandardChartPage* GetChartTypePage() const { return m_pChartTypePage; }
    CFinishPage* GetFinishPage() const { return m_pFinishPage; }
    CButton& GetNextButton() { return m_next; }
    CButton& GetBackButton() { return m_back; }
    QVGToolTipCtrl& GetToolTip() { return m_toolTip; }
    int GetCaptionTurn() const { return m_nCaptionTurn; }

    CMainPage m_mainPage;
    CFillStyle m_fillPage;
    CFontStyle m_fontPage;
    CAdvancedPage m_advancedPage;

    // The preview's settings (the advanced page's check boxes).
    BOOL m_bEditingAllowed = TRUE;
    BOOL m_bSnapToGrid = FALSE;
    int m_nGridStep = 10;
    BOOL m_bShowGrid = FALSE;
    BOOL m_bLiveResult = TRUE;
    BOOL m_bUsePreviewSize = FALSE;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnChoiceChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSettingChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGraphTypeChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAxisStyleChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRenamed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMove(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnDestroy();

    // Fills the lists of the pages and the component entries; FALSE without components.
    BOOL InitLists();
    // The wizard steps: step buttons, layouts, the layout page in place of the editing pages.
    void StartSteps();
    void FillSampleData();
    void RegisterToolTips();
    // The component choices of the main, fill and font pages and the advanced page's list.
    std::vector<CComboBox*> ComponentChoices();
    CListBox* ComponentList();
    void SelectEntry(int nIndex);
    // The main page's settings of the current component, kind by kind.
    void LoadMain(QVGraphComponent* pComponent);
    void LoadFill(QVGraphComponent* pComponent);
    void LoadFont(QVGraphComponent* pComponent);
    // The graph type of the main page's choice applied to the display, with the questions of the candle
    // types.
    void ApplyGraphType(QVGraphComponent* pDisplay, const CGraphTypeEntry& entry);
    void FillAxisStyles(const CGraphTypeEntry* pEntry);
    // The entries of "GRAPH_TYPES", read once; the entry of a graph type, NULL when none has it.
    void ReadGraphTypes();
    const CGraphTypeEntry* EntryOfType(int nType);
    // The component entries of every page's list again, from the chart's list, and the current one chosen.
    void RefillLists();
    // The line ends of the vector types on the data styles, or none.
    void SetVectorLineEnds(QVGraph& chart, BOOL bVectors);
    // Shows or hides the sheet's own buttons for the steps or for editing.
    void ShowStepButtons(BOOL bSteps);
    void PlaceStepButtons();
    void StartCaptionTimer();

    QVGraph* m_pChart;
    QVGraph* m_pWorking = nullptr;
    CSize m_previewSize;
    CSize m_givenPreviewSize;
    CRect m_rectPreview;
    BOOL m_bCopyData;
    BOOL m_bWizardSteps = TRUE;
    int m_nCurrent = -1;
    CLayoutPage* m_pLayoutPage = nullptr;
    CStandardChartPage* m_pChartTypePage = nullptr;
    CFinishPage* m_pFinishPage = nullptr;
    CButton m_next;
    CButton m_back;
    CStatic m_previewFrame;
    QVGWizView* m_pPreview = nullptr;
    QVGToolTipCtrl m_toolTip;
    std::vector<CLayout> m_layouts;
    int m_nFirstLayout = 0;
    DWORD m_nChosenType = 0x10000;   // line plot until a type is chosen
    CString m_strTag = "@";
    BOOL m_bLoading = FALSE;
    int m_nCaptionTurn = 0;
    BOOL m_bTimer = FALSE;
    std::vector<CGraphTypeEntry> m_graphTypes;
    std::vector<CString> m_graphTypeNames;

    DECLARE_MESSAGE_MAP()
};
