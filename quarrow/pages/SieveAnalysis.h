#pragma once

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/PropertySheet.h"
#include "quarrow/pages/GradationAnalysis.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/SieveGrid.h"

class CProjectData;
struct CMaterialLayer;

// Page 1: the gradations and porosities of the base, subgrade and separator materials. The sieve
// table of the layer that `Sieve Layer` names is edited in the grid; the gradation analysis turns it
// into D10 ... D85, p200, CU and CC; unit weight, specific gravity, porosity, water value, effective
// porosity and permeability are entered or computed beside it. Every value lives in the record.
class CSieveAnalysis : public CPropertyPage
{
    DECLARE_DYNCREATE(CSieveAnalysis)
public:
    CSieveAnalysis();
    ~CSieveAnalysis() override;

    // Messages of the page (OK and Cancel, no icon).
    static const char EmptyTableMessage[];
    static const char NoFinesMessage[];
    static const char NoPorosityMessage[];
    static const char SpecificGravityMessage[];
    static const char NegativeEffectivePorosityMessage[];
    static const char EmptyLibraryTableMessage[];
    static const char FileNotCreatedMessage[];
    static const char MaterialTooLargeMessage[];
    static const char OverwriteQuestion[];
    static const char UnreadableLibraryFileMessage[];

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    // The grid no longer shows the record's table (New, Open, a change of units, a library
    // gradation): it is laid out again when the page paints, and nothing is stored from it before.
    BOOL m_bReloadSieveTable = FALSE;

    // ---- The sieve table ----
    // Takes the grid's cells into the table of the layer and mode the grid was laid out for,
    // each text normalised (see CGradationAnalysis::PercentText) and written back, and the layer's
    // `Description` from the library list when an entry is selected there.
    void StoreSieveTable();
    // Lays the grid out for the record's units, layer and mode, and fills it from the record.
    void LayoutSieveGrid();
    // Empties the grain-size results of the current layer and refreshes the page.
    void ClearGradationResults();
    // The results of the point list of the last analysis into the current layer; refreshes the page.
    void ComputeGradationParameters();

    // ---- The page from the record (each step on its own; RefreshPage does them all) ----
    // Everything the page shows follows the record; the grid is laid out again when it must be.
    void RefreshPage();
    // The page and the whole summary panel from the record.
    void ShowRecord();
    // The permeability symbol of the current layer.
    void DrawLayerPictures();
    // D10 ... D85, p200, CU and CC of the current layer into their fields.
    void ShowGradationResults();
    // The library entry named by the current layer's `Description`, or none; for the base layer
    // also whether its material is a library one. (Elsewhere: the page's SelectLibraryEntry.)
    void SelectLibraryMaterial();
    // Layer radio, compute buttons, water method radio and caption, permeability symbol.
    // (Elsewhere: the page's ShowLayerValues.)
    void UpdateLayerControls();
    // Marks the design changed, writes the current layer's six values into their edits and the
    // three material states into the summary panel. (Elsewhere: the page's UpdateLayerStatus.)
    void ShowLayerValues();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    CSieveGrid m_grid;
    CComboBox m_cboLibrary;                   // the material library: "<user defined>" first
    CStatic m_picPermeability;                // the k symbol of the current layer
    CButton m_btnGradation;
    CButton m_btnPlot;
    CButton m_btnPorosity;
    CButton m_btnEffectivePorosity;
    CButton m_btnPermeability;
    CBitmap m_bmpCalculator;
    CBitmap m_bmpPlot;
    CBitmap m_bmpPermeabilityBase, m_bmpPermeabilitySubgrade, m_bmpPermeabilitySeparator;
    CBitmap m_bmpUnitWeightMetric, m_bmpUnitWeightEnglish;
    CHandEditWarning m_warning;
    BOOL m_bWaterLossBusy = FALSE;            // set while the Water Loss dialog runs
    // 1 while the current table is a library gradation (or the table at set-up); 0 after a cell edit.
    BOOL m_bLibraryMaterial = FALSE;
    BOOL m_bGradationValid = FALSE;           // the last analysis found the table in order
    GradationPoints m_points;                 // the curve of the last analysis

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Every command: what it changed empties the results computed from it (CRecordChange).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The layer that the record's `Sieve Layer` names; nullptr for another word.
    const CMaterialLayer* CurrentLayer() const;
    // The library list: "<user defined>", then the entries of the library folder.
    void FillLibraryList();
    // The text of the library list's selection; empty without one.
    CString SelectedLibraryEntry() const;
    // Stores, switches the layer and shows it.
    void SelectLayer(const char* pszLayer);
    void SelectMode(const char* pszMode);
    // The grid's own writes are no edits of the engineer.
    void SetCellText(ROWCOL nRow, ROWCOL nCol, const CString& strText);
    void ShowUnitCaptions();

    afx_msg void OnPaint();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnSieveCellEdited();
    afx_msg void OnSieveGridLeave();
    afx_msg void OnRangeMode();
    afx_msg void OnValueMode();
    afx_msg void OnBaseLayer();
    afx_msg void OnSubgradeLayer();
    afx_msg void OnSeparatorLayer();
    afx_msg void OnIncludeAggregateSeparator();
    afx_msg void OnGradationAnalysis();
    afx_msg void OnPlotGradation();
    afx_msg void OnCalcPorosity();
    afx_msg void OnCalcEffectivePorosity();
    afx_msg void OnCalcPermeability();
    afx_msg void OnWaterLossMethod();
    afx_msg void OnWaterContentMethod();
    afx_msg void OnEnterUnitWeight();
    afx_msg void OnEnterSpecificGravity();
    afx_msg void OnEnterPorosity();
    afx_msg void OnEnterWater();
    afx_msg void OnLeaveEdit(UINT nID);
    // The material library (SieveAnalysisLibrary.cpp).
    afx_msg void OnAddToLibrary();
    afx_msg void OnSelectLibraryGradation();
    afx_msg void OnLibraryDoubleClick();
    afx_msg void OnRemoveFromLibrary();

    DECLARE_MESSAGE_MAP()

private:
    // The layer and mode words the grid was laid out for.
    CString m_strGridLayer;
    CString m_strGridMode;
    BOOL m_bWritingGrid = FALSE;
};
