// The sieve analysis page inside the real main dialog, driven as the engineer would: its grid by
// keys and values, its buttons, radios and edits by their notifications.
#pragma once

#include "tests/quarrow/pages/PageTestSupport.h"

#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/MaterialLayer.h"
#include "quarrow/pages/SieveAnalysis.h"
#include "resources/quarrow/resource.h"

// A picture for a person, once the display has caught up with the painting.
inline void SaveSettledPicture(HWND hWnd, const char* pszPath)
{
    PumpMessages();
    ::Sleep(300);
    SaveScreenPicture(hWnd, pszPath);
}

// Sieve rows of the record's tables (0 = the finest, 0.001 mm).
enum SieveRow
{
    No200 = 3, No100 = 4, No40 = 8, No20 = 10, No10 = 12, No8 = 13, No4 = 14, ThreeEighths = 15, Half = 16,
    ThreeQuarters = 17, One = 18, OneAndHalf = 19, ThreeAndHalf = 23
};

class SievePage : public PageDriver<CSieveAnalysis>
{
public:
    explicit SievePage(CQuarrowDlg& dlg) : PageDriver(dlg, *dlg.m_pSievePage) {}

    CSieveGrid& Grid() { return m_page.m_grid; }
    // The text a cell of the grid holds.
    std::string Cell(ROWCOL nRow, ROWCOL nCol) { return static_cast<LPCTSTR>(Grid().GetValueRowCol(nRow, nCol)); }
    COLORREF CellColour(ROWCOL nRow, ROWCOL nCol) { return Grid().LookupStyleRowCol(nRow, nCol).GetTextColor(); }
    // A value put into a cell as the page itself would: no edit of the engineer.
    void SetCell(ROWCOL nRow, ROWCOL nCol, const char* pszText) { Grid().SetValueRange(CGXRange(nRow, nCol), pszText); }
    // Percentages of the value column by record row, as cells of the grid.
    void SetValues(std::initializer_list<std::pair<int, const char*>> values)
    {
        for (const auto& value : values)
            SetCell(value.first + 1, 1, value.second);
    }
    // Typing into a cell of the grid: the current cell moves there, the characters go to the window
    // with the focus (the grid, then its cell editor), and Enter-free leaving stores nothing yet.
    void TypeIntoCell(ROWCOL nRow, ROWCOL nCol, const char* pszText)
    {
        Grid().SetFocus();
        Grid().MoveCurrentCell(nRow, nCol);
        PumpMessages();
        for (const char* p = pszText; *p != 0; ++p) {
            ::SendMessageA(::GetFocus(), WM_CHAR, static_cast<BYTE>(*p), 1);
            PumpMessages();
        }
    }
    // A key press at the window with the focus, with the keys held.
    void Key(UINT nKey, std::initializer_list<int> held = {})
    {
        BYTE state[256] = {};
        for (int key : held)
            state[key] = 0x80;
        ::SetKeyboardState(state);
        ::SendMessageA(::GetFocus(), WM_KEYDOWN, nKey, 1);
        PumpMessages();
        ::SendMessageA(::GetFocus(), WM_KEYUP, nKey, 0xC0000001);
        BYTE none[256] = {};
        ::SetKeyboardState(none);
        PumpMessages();
    }

    // The next message for the page goes through its pre-translation.
    void NextMessage()
    {
        ::PostMessageA(Item(IDC_SV_UNIT_WEIGHT), WM_NULL, 0, 0);
        PumpMessages();
    }
    // The sheet shows the page again.
    void Activate()
    {
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageSieveAnalysis);
        PumpMessages();
    }
    std::string LibrarySelection()
    {
        const int nSelected = m_page.m_cboLibrary.GetCurSel();
        if (nSelected == CB_ERR)
            return "<none>";
        CString strText;
        m_page.m_cboLibrary.GetLBText(nSelected, strText);
        return static_cast<LPCTSTR>(strText);
    }
};

class SievePageTest : public MainDialogPageTest
{
protected:
    SievePageTest() { GXStartLibrary(); }

    // Runs body on the sieve analysis page of a main dialog whose record prepare has set up.
    void Run(const std::function<void(SievePage&)>& body, const std::function<void(CProjectData&)>& prepare = {})
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            if (prepare)
                prepare(*dlg.m_pProjectData);
            dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageSieveAnalysis);
            ASSERT_NE(dlg.m_pSievePage->GetSafeHwnd(), nullptr);
            PumpMessages();
            SievePage page(dlg);
            body(page);
        });
    }
};

// The record row's texts of a layer: lower bound, value, upper bound.
inline std::string SieveText(const CProjectData& data, int nLayer, int nRow, int nPart)
{
    return static_cast<LPCTSTR>(data.m_strSieve[nRow][nLayer * 3 + nPart]);
}

inline double SieveNumber(const CProjectData& data, int nLayer, int nRow, int nPart)
{
    return data.m_dSieve[nRow][nLayer * 3 + nPart];
}
