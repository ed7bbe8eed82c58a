#pragma once

#include "framework/win/Dialog.h"
#include "grid/core/GridWnd.h"

class CProjectData;

// The table of water losses: a click remembers the cell, a double click accepts it.
class CWaterLossGrid : public CGXGridWnd
{
public:
    BOOL OnCellLeftClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point) override;
    BOOL OnCellLeftDblClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point) override;

    // The cell clicked last; until a click, the interpolated loss of a gravel.
    ROWCOL m_nSelectedRow = 1;
    ROWCOL m_nSelectedCol = 5;
};

// "Water Loss": the water loss of the current layer by the kind and amount of its fines, for a
// gravel (row 1) or a sand (row 2), with column 5 interpolated at the layer's p200. OK stores the
// text of the cell clicked last as the layer's water value.
class CWaterLossDlg : public CDialog
{
public:
    // The water losses in percent of one kind of fines at 0, 2.5, 5 and 10 % fines, and the value
    // at 100 % that carries the last segment on.
    struct FinesTable
    {
        const char* pszWord;    // the record's `FillType`
        int nRadio;
        const char* gravel[5];
        const char* sand[5];
    };
    static const FinesTable FinesTables[3];
    static const double FinesBreakpoints[5];

    explicit CWaterLossDlg(CWnd* pParent = nullptr);
    ~CWaterLossDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    // The table of the record's kind of fines, column 5 at its p200.
    virtual void FillTable();

    CWaterLossGrid m_grid;
    CProjectData* m_pProjectData = nullptr;   // set by the caller, not owned
    HWND m_hFiller = nullptr;
    HWND m_hSilt = nullptr;
    HWND m_hClay = nullptr;

protected:
    void SelectFines(const char* pszWord);

    afx_msg void OnFiller();
    afx_msg void OnSilt();
    afx_msg void OnClay();
    afx_msg void OnGridDoubleClick();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};
