#pragma once

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/PropertySheet.h"

class CProjectData;

// Page 4: the separator layer between the permeable base and the subgrade. The engineer chooses
// its kind (an aggregate layer, a geotextile or none), enters or takes over from the sieve analysis
// the grain sizes the filter criteria compare, computes what a geotextile must meet, checks the
// criteria (CSeparatorCriteria) and plots the gradations with the bounds the criteria set. Every
// value lives in the record; every repaint shows the page anew from it.
class CSeparator : public CPropertyPage
{
    DECLARE_DYNCREATE(CSeparator)
public:
    CSeparator();
    ~CSeparator() override;

    // Verdict texts beside the criteria.
    static const char PassText[];
    static const char FailText[];
    // Shown in normal mode when a subgrade value the sieve analysis computes is typed.
    static const char SieveAnalysisAdvice[];

    // Marks the design changed; the record's values into the edits; the radios, the controls and
    // pictures of the record's separator kind and the recommendation; the separator line of the
    // main dialog's summary panel.
    void UpdateFields();
    // Each compute, check and plot button enabled exactly when the record holds every value it
    // reads; then ClearVerdicts.
    void UpdateButtonStates();
    // Empties the five verdicts while the record says they are stale (`Criteria evaluated` 0).
    void ClearVerdicts();
    // The page, its buttons and verdicts and the whole summary panel from the record.
    void ShowRecord();

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

    CBitmap m_bmpCalculator;                  // on the compute and sieve-analysis buttons
    CBitmap m_bmpPlot;                        // on the plot button
    CBitmap m_bmpBalance;                     // on the check button
    CBitmap m_bmpNoneBaseD15;                 // criteria labels of no separator
    CBitmap m_bmpNoneBaseD50;
    CBitmap m_bmpAggregateBaseD15;            // criteria labels of an aggregate separator
    CBitmap m_bmpAggregateBaseD50;
    CStatic m_picCriterion2;                  // the first two criteria labels change with the kind
    CStatic m_picCriterion1;
    CButton m_btnPlot;
    CButton m_btnCheck;
    CButton m_btnCalcThickness;
    CButton m_btnCalcOpeningSize;
    CButton m_btnSieveGeotextileSubgrade;
    CButton m_btnSieveSubgrade;
    CButton m_btnSieveSeparator;
    CButton m_btnSieveBase;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Every command: what it changed empties the results computed from it (CRecordChange).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The edits of the record's fields; an edit the engineer is typing in keeps its text.
    void ShowRecordInEdits();
    // Shows the controls of the separator kind ("aggregate", "geotextile" or anything else for
    // no separator) and hides the others.
    void ShowLayout(const CString& strKind);
    void SelectKind(const char* pszKind);
    // A choice of the geotextile criteria: its word, and the requirements computed under the old
    // one are gone.
    void SelectChoice(CString CProjectData::*pChoice, const char* pszWord);
    void ShowSieveAnalysis(const char* pszLayer);

    afx_msg void OnPaint();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnSeparatorAggregate();
    afx_msg void OnSeparatorGeotextile();
    afx_msg void OnSeparatorNone();
    afx_msg void OnRetentionSteady();
    afx_msg void OnRetentionDynamic();
    afx_msg void OnPermeabilityNormal();
    afx_msg void OnPermeabilityCritical();
    afx_msg void OnCloggingNormal();
    afx_msg void OnCloggingCritical();
    afx_msg void OnGeotextileWoven();
    afx_msg void OnGeotextileNonwoven();
    afx_msg void OnSieveBase();
    afx_msg void OnSieveSubgrade();
    afx_msg void OnSieveSeparator();
    afx_msg void OnCalcOpeningSize();
    afx_msg void OnCalcMaxThickness();
    afx_msg void OnCheckCriteria();
    afx_msg void PlotGradationCriteria();
    afx_msg void OnEnterEdit(UINT nID);
    afx_msg void OnLeaveEdit(UINT nID);

    DECLARE_MESSAGE_MAP()
};
