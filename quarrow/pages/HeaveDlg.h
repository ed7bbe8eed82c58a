#pragma once

#include "framework/win/Dialog.h"
#include "grid/core/GridWnd.h"

class CProjectData;

// The table of frost-susceptibility classes: a click remembers the row, a double click accepts it.
class CHeaveGrid : public CGXGridWnd
{
public:
    BOOL OnCellLeftClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point) override;
    BOOL OnCellLeftDblClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point) override;

    ROWCOL m_nSelectedRow = 0;  // 0 until a cell is clicked
};

// "Heave Determination": the engineer picks a soil and the middle of its heave rates becomes the
// record's heave rate (in/day or mm/day), or nothing when no row was picked.
class CHeaveDlg : public CDialog
{
public:
    // One class of the table: heave rates in mm/day.
    struct SoilClass
    {
        const char* pszSoilType;
        const char* pszSymbol;
        double dPassing200Above;
        double dPassing200Below;
        double dMinHeave;
        double dMaxHeave;
        const char* pszFrostSusceptibility;
    };
    static const int SoilClassCount = 26;
    static const SoilClass SoilClasses[SoilClassCount];

    explicit CHeaveDlg(CWnd* pParent);
    ~CHeaveDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    CHeaveGrid m_grid;
    CProjectData* m_pProjectData = nullptr;  // set by the caller, not owned

protected:
    // Column widths and the header's height from the texts of the table.
    void FitColumns();

    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnGridDoubleClick();

    DECLARE_MESSAGE_MAP()
};
