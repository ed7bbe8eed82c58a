// Every caption, table column and picture of the pages and their dialogs shows whole: a text that
// its control cuts off (a note, a check box's label, a column of a table) or a picture under another
// control tells a person less than the program means to, or something else.
#include "tests/quarrow/pages/PageTestSupport.h"

#include <functional>
#include <vector>

#include "grid/core/Control.h"
#include "grid/core/Font.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/pages/AddGradationDlg.h"
#include "quarrow/pages/HeaveDlg.h"
#include "quarrow/pages/MeltwaterDlg.h"
#include "quarrow/pages/WaterLossDlg.h"

namespace {

// The captions of the static texts and text buttons among the window's children, shown or not, that
// their controls cannot show whole: "id: text".
std::vector<std::string> CutCaptions(HWND hParent)
{
    std::vector<std::string> cut;
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[64] = {};
        ::GetClassNameA(hChild, szClass, sizeof szClass);
        const std::string text = WindowText(hChild);
        const LONG style = ::GetWindowLongA(hChild, GWL_STYLE);
        if (text.empty())
            continue;
        UINT nFormat = DT_CALCRECT | DT_WORDBREAK;
        int nMark = 0;   // room taken by the box or circle of a check box or radio button
        if (std::string(szClass) == "Static") {
            const LONG type = style & SS_TYPEMASK;
            if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
                continue;
            if (style & SS_NOPREFIX)
                nFormat |= DT_NOPREFIX;
        } else if (std::string(szClass) == "Button") {
            const LONG type = style & BS_TYPEMASK;
            if (type == BS_GROUPBOX || (style & BS_BITMAP))
                continue;
            if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)
                nMark = 16;
        } else {
            continue;
        }
        RECT client{};
        ::GetClientRect(hChild, &client);
        HDC hDC = ::GetDC(hChild);
        const HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HFONT>(::SendMessageA(hChild, WM_GETFONT, 0, 0)));
        RECT needed{0, 0, client.right - nMark, 0};
        ::DrawTextA(hDC, text.c_str(), -1, &needed, nFormat);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(hChild, hDC);
        if (needed.bottom > client.bottom || needed.right > client.right - nMark)
            cut.push_back(std::to_string(::GetDlgCtrlID(hChild)) + ": " + text);
    }
    return cut;
}

std::string ClassName(HWND hWnd)
{
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    return szClass;
}

// A picture with something to show: not a reading line a pixel wide drawn over another picture.
bool IsPicture(HWND hWnd)
{
    if (ClassName(hWnd) != "Static" || (::GetWindowLongA(hWnd, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
        return false;
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    return rect.right - rect.left > 2 && rect.bottom - rect.top > 2;
}

// A control that a picture must not lie under: what shows a value or takes a click.
bool CoversPictures(HWND hWnd)
{
    const std::string className = ClassName(hWnd);
    if (className == "Button")
        return (::GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
    return className == "Edit" || className == "ComboBox" || className == "GXWND" || IsPicture(hWnd);
}

RECT RectInParent(HWND hChild, HWND hParent)
{
    RECT rect{};
    ::GetWindowRect(hChild, &rect);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The shown pictures among the window's children that lie partly outside it or under another shown
// control: "id: reason".
std::vector<std::string> HiddenPictures(HWND hParent)
{
    std::vector<std::string> hidden;
    RECT client{};
    ::GetClientRect(hParent, &client);
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (!IsPicture(hChild) || !::IsWindowVisible(hChild))
            continue;
        const RECT picture = RectInParent(hChild, hParent);
        const std::string name = std::to_string(::GetDlgCtrlID(hChild));
        RECT inside{};
        if (!::IntersectRect(&inside, &picture, &client) || !::EqualRect(&inside, &picture))
            hidden.push_back(name + ": outside");
        for (HWND hOther = ::GetWindow(hParent, GW_CHILD); hOther != nullptr; hOther = ::GetWindow(hOther, GW_HWNDNEXT)) {
            if (hOther == hChild || !::IsWindowVisible(hOther) || !CoversPictures(hOther))
                continue;
            const RECT other = RectInParent(hOther, hParent);
            RECT overlap{};
            if (::IntersectRect(&overlap, &picture, &other))
                hidden.push_back(name + ": under " + std::to_string(::GetDlgCtrlID(hOther)));
        }
    }
    return hidden;
}

// The columns of the window's tables that the table cannot show whole, wider together than the
// table or too narrow for a text of theirs: "table id, column: reason".
std::vector<std::string> CutColumns(HWND hParent)
{
    std::vector<std::string> cut;
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        auto* pGrid = dynamic_cast<CGXGridWnd*>(CWnd::FromHandlePermanent(hChild));
        if (pGrid == nullptr)
            continue;
        CGXGridWnd& grid = *pGrid;
        const std::string table = std::to_string(::GetDlgCtrlID(hChild));
        RECT client{};
        ::GetClientRect(hChild, &client);
        int nTotal = 0;
        for (ROWCOL nCol = 0; nCol <= grid.GetColCount(); ++nCol)
            if (!grid.IsColHidden(nCol))
                nTotal += grid.GetColWidth(nCol);
        if (nTotal > client.right)
            cut.push_back(table + ": columns " + std::to_string(nTotal) + " wide in " + std::to_string(client.right));

        const CGXStyle* pStandard = grid.GetStylesMap() != nullptr ? grid.GetStylesMap()->GetStandardStyle() : nullptr;
        HDC hDC = ::GetDC(hChild);
        for (ROWCOL nCol = 0; nCol <= grid.GetColCount(); ++nCol) {
            if (grid.IsColHidden(nCol))
                continue;
            for (ROWCOL nRow = 0; nRow <= grid.GetRowCount(); ++nRow) {
                const CGXStyle& style = grid.LookupStyleRowCol(nRow, nCol);
                CGXControl* pControl = grid.GetControl(nRow, nCol);
                CString text;
                pControl->GetControlText(text, nRow, nCol, nullptr, style);
                if (text.IsEmpty())
                    continue;
                CGXFont font;
                if (pStandard != nullptr && pStandard->GetIncludeFont())
                    font = pStandard->GetFont();
                if (style.GetIncludeFont())
                    font.ChangeFont(style.GetFont(), gxOverride);
                const LOGFONT lf = font.GetLogFontZoomed(grid.GetZoom());
                const HFONT hFont = ::CreateFontIndirectA(&lf);
                const HGDIOBJ hOld = ::SelectObject(hDC, hFont);
                CRect cell(0, 0, grid.GetColWidth(nCol), grid.GetRowHeight(nRow));
                const CRect inner = pControl->GetCellRect(nRow, nCol, &cell, &style);
                RECT needed{0, 0, inner.Width(), 0};
                const UINT nFormat = DT_CALCRECT | DT_NOPREFIX | (style.GetWrapText() ? DT_WORDBREAK : DT_SINGLELINE);
                ::DrawTextA(hDC, text, -1, &needed, nFormat);
                ::SelectObject(hDC, hOld);
                ::DeleteObject(hFont);
                if (needed.right > inner.Width() || needed.bottom > inner.Height())
                    cut.push_back(table + ", column " + std::to_string(nCol) + ": " + static_cast<LPCTSTR>(text));
            }
        }
        ::ReleaseDC(hChild, hDC);
    }
    return cut;
}

// Everything a window shows that it does not show whole.
std::vector<std::string> NotWhole(HWND hWnd)
{
    std::vector<std::string> all = CutCaptions(hWnd);
    for (const std::string& item : HiddenPictures(hWnd))
        all.push_back("picture " + item);
    for (const std::string& item : CutColumns(hWnd))
        all.push_back("table " + item);
    return all;
}

} // namespace

class CaptionsFitTest : public MainDialogPageTest
{
};

TEST_F(CaptionsFitTest, EveryCaptionColumnAndPictureOfThePagesShowsWhole)
{
    // Each page in the layouts that its choices give it.
    const struct
    {
        const char* pszLayout;
        int nPage;
        std::function<void(CProjectData&)> choose;
    } layouts[] = {
        {"geometry A", CQuarrowDlg::PageRoadway, [](CProjectData& d) { d.m_strGeometryChoice = "A"; }},
        {"geometry B", CQuarrowDlg::PageRoadway, [](CProjectData& d) { d.m_strGeometryChoice = "B"; }},
        {"sieve analysis", CQuarrowDlg::PageSieveAnalysis, [](CProjectData&) {}},
        {"ratio method", CQuarrowDlg::PageInflow, [](CProjectData& d) { d.m_strInfiltrationMethod = "ratio"; }},
        {"crack method with meltwater", CQuarrowDlg::PageInflow,
         [](CProjectData& d) {
             d.m_strInfiltrationMethod = "crack";
             d.m_strMeltwater = "yes";
         }},
        {"time to drain", CQuarrowDlg::PagePermeableBase, [](CProjectData& d) { d.m_strBaseMethod = "TTD"; }},
        {"depth of flow with meltwater", CQuarrowDlg::PagePermeableBase,
         [](CProjectData& d) {
             d.m_strBaseMethod = "DOF";
             d.m_strMeltwater = "yes";
         }},
        {"aggregate separator", CQuarrowDlg::PageSeparator, [](CProjectData& d) { d.m_strSeparatorType = "aggregate"; }},
        {"geotextile separator", CQuarrowDlg::PageSeparator,
         [](CProjectData& d) { d.m_strSeparatorType = "geotextile"; }},
        {"no separator", CQuarrowDlg::PageSeparator, [](CProjectData& d) { d.m_strSeparatorType = "none"; }},
        {"pipe, infiltration with meltwater", CQuarrowDlg::PageEdgeDrain,
         [](CProjectData& d) {
             d.m_strEdgeDrainType = "pipe";
             d.m_strDischarge = "Infiltration";
             d.m_strMeltwater = "yes";
         }},
        {"geocomposite, infiltration with meltwater", CQuarrowDlg::PageEdgeDrain,
         [](CProjectData& d) {
             d.m_strEdgeDrainType = "geocomposite";
             d.m_strDischarge = "Infiltration";
             d.m_strMeltwater = "yes";
         }},
        {"geocomposite, permeable base", CQuarrowDlg::PageEdgeDrain,
         [](CProjectData& d) {
             d.m_strEdgeDrainType = "geocomposite";
             d.m_strDischarge = "Permeable";
         }},
        {"pipe, time to drain", CQuarrowDlg::PageEdgeDrain,
         [](CProjectData& d) {
             d.m_strEdgeDrainType = "pipe";
             d.m_strDischarge = "TTD";
         }},
    };
    RunMainDialog([&](CQuarrowDlg& dlg) {
        for (const auto& layout : layouts) {
            layout.choose(*dlg.m_pProjectData);
            // Shown anew, the page lays itself out for the choices.
            dlg.m_pSheet->SetActivePage(layout.nPage == CQuarrowDlg::PageRoadway ? CQuarrowDlg::PageInflow
                                                                                 : CQuarrowDlg::PageRoadway);
            dlg.m_pSheet->SetActivePage(layout.nPage);
            PumpMessages();
            CPropertyPage* pPage = dlg.m_pSheet->GetActivePage();
            ASSERT_NE(pPage, nullptr);
            pPage->UpdateWindow();
            EXPECT_EQ(NotWhole(pPage->GetSafeHwnd()), std::vector<std::string>{}) << layout.pszLayout;
        }
    });
}

TEST_F(CaptionsFitTest, EveryCaptionColumnAndPictureOfTheDialogsShowsWhole)
{
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        for (const char* pszUnits : {"english", "metric"}) {
            data.m_strUnits = pszUnits;
            CHeaveDlg heave(&dlg);
            heave.m_pProjectData = &data;
            RunDrivenDialog<CHeaveDlg>(heave, [&](CHeaveDlg& shown) {
                PumpMessages();
                EXPECT_EQ(NotWhole(shown.GetSafeHwnd()), std::vector<std::string>{}) << "heave, " << pszUnits;
            });
        }
        data.m_strUnits = "english";
        CMeltwaterDlg meltwater(nullptr);
        meltwater.m_pProjectData = &data;
        RunDrivenDialog<CMeltwaterDlg>(meltwater, [](CMeltwaterDlg& shown) {
            PumpMessages();
            EXPECT_EQ(NotWhole(shown.GetSafeHwnd()), std::vector<std::string>{}) << "meltwater";
        });
        CAddGradationDlg addGradation(&dlg);
        RunDrivenDialog<CAddGradationDlg>(addGradation, [](CAddGradationDlg& shown) {
            PumpMessages();
            EXPECT_EQ(NotWhole(shown.GetSafeHwnd()), std::vector<std::string>{}) << "add gradation";
        });
        data.m_strBaseP200 = "7.5";
        CWaterLossDlg waterLoss(nullptr);
        waterLoss.m_pProjectData = &data;
        RunDrivenDialog<CWaterLossDlg>(waterLoss, [](CWaterLossDlg& shown) {
            PumpMessages();
            EXPECT_EQ(NotWhole(shown.GetSafeHwnd()), std::vector<std::string>{}) << "water loss";
        });
    });
}
