// Every page handler that changes the record marks the design modified, so that Exit, New and Open
// ask before the change is lost; also the handlers that show nothing else of the change.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/EdgeDrain.h"
#include "quarrow/pages/Inflow.h"
#include "quarrow/pages/Roadway.h"
#include "resources/quarrow/resource.h"

#include <functional>

namespace {

using PageChangesTest = MainDialogPageTest;

TEST_F(PageChangesTest, ChoicesThatChangeTheRecordMarkTheDesignModified)
{
    const struct
    {
        const char* name;
        int nPage;
        std::function<void(CProjectData&)> arrange;
        int nButton;
        std::function<bool(const CProjectData&)> changed;
    } cases[] = {
        {"roadway geometry B", CQuarrowDlg::PageRoadway, [](CProjectData&) {}, IDC_RW_GEOMETRY_B,
         [](const CProjectData& d) { return d.m_strGeometryChoice == "B"; }},
        {"two-year rainfall", CQuarrowDlg::PageInflow, [](CProjectData& d) { d.m_strInfiltrationMethod = "ratio"; },
         IDC_IN_RAIN_TWO, [](const CProjectData& d) { return d.m_strRain == "two"; }},
        {"one-year rainfall", CQuarrowDlg::PageInflow,
         [](CProjectData& d) {
             d.m_strInfiltrationMethod = "ratio";
             d.m_strRain = "two";
         },
         IDC_IN_RAIN_ONE, [](const CProjectData& d) { return d.m_strRain == "one"; }},
        {"meltwater left out", CQuarrowDlg::PageInflow, [](CProjectData& d) { d.m_strMeltwater = "yes"; },
         IDC_IN_MELTWATER, [](const CProjectData& d) { return d.m_strMeltwater == "no"; }},
        {"geocomposite drain", CQuarrowDlg::PageEdgeDrain, [](CProjectData& d) { d.m_strEdgeDrainType = "pipe"; },
         IDC_ED_GEOCOMPOSITE, [](const CProjectData& d) { return d.m_strEdgeDrainType == "geocomposite"; }},
        {"pipe drain", CQuarrowDlg::PageEdgeDrain, [](CProjectData& d) { d.m_strEdgeDrainType = "geocomposite"; },
         IDC_ED_PIPE, [](const CProjectData& d) { return d.m_strEdgeDrainType == "pipe"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool bChanged = false;
        int nModified = -1;
        RunMainDialog([&](CQuarrowDlg& dlg) {
            c.arrange(*dlg.m_pProjectData);
            dlg.m_pSheet->SetActivePage(c.nPage);
            PumpMessages();
            dlg.m_pProjectData->m_bModified = 0;
            HWND hButton = ::GetDlgItem(dlg.m_pSheet->GetActivePage()->GetSafeHwnd(), c.nButton);
            ASSERT_NE(hButton, nullptr);
            ::SendMessageA(hButton, BM_CLICK, 0, 0);
            PumpMessages();
            bChanged = c.changed(*dlg.m_pProjectData);
            nModified = dlg.m_pProjectData->m_bModified;
        });
        EXPECT_TRUE(bChanged);
        EXPECT_EQ(nModified, 1);
    }
}

TEST_F(PageChangesTest, APickedFlowFactorMarksTheDesignModified)
{
    CString strConstant;
    int nModified = -1;
    RunMainDialog([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_strEdgeDrainType = "geocomposite";
        dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageEdgeDrain);
        PumpMessages();
        dlg.m_pProjectData->m_bModified = 0;
        CPageTableGrid& grid = dlg.m_pEdgeDrainPage->m_gridFactors;
        const CPoint point = grid.CalcCellRect(3, 1).CenterPoint();
        ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        PumpMessages();
        strConstant = dlg.m_pProjectData->m_strFinDrainConstant;
        nModified = dlg.m_pProjectData->m_bModified;
    });
    EXPECT_FALSE(strConstant.IsEmpty());
    EXPECT_EQ(nModified, 1);
}

} // namespace
