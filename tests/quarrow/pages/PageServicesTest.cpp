// The services every design page uses, on the running main dialog: a computation's message and
// the page it sends the engineer to, fields counted as filled while typed, hand-edit warnings.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/PermeableBaseCalc.h"
#include "quarrow/pages/Roadway.h"
#include "resources/quarrow/resource.h"

namespace {

using PageServicesTest = MainDialogPageTest;

TEST_F(PageServicesTest, CalcResultShowsItsMessageThenThePageItNames)
{
    int nActiveAfterStored = -1, nActiveAfterMessage = -1;
    RunMainDialog([&](CQuarrowDlg& dlg) {
        PageShowCalcResult(dlg.m_pSheet, CPageCalcResult::Stored());
        nActiveAfterStored = dlg.m_pSheet->GetActiveIndex();
        PageShowCalcResult(dlg.m_pSheet,
                           CPageCalcResult::Message("Porosity, N, must be set under Sieve Analysis.", 1));
        nActiveAfterMessage = dlg.m_pSheet->GetActiveIndex();
    });
    EXPECT_EQ(nActiveAfterStored, CQuarrowDlg::PageRoadway);
    EXPECT_EQ(nActiveAfterMessage, CQuarrowDlg::PageSieveAnalysis);
    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_messages.calls[0].text, "Porosity, N, must be set under Sieve Analysis.");
    EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL));
}

// "Porosity must be set": the message first, then the layer word, the page change and the focus
// request. While a real message box is up, the page in front repaints; a request made before the
// message would be taken by that page and never reach the sieve analysis page.
TEST_F(PageServicesTest, RedirectChangesTheRecordOnlyAfterItsMessage)
{
    struct PaintingMessageBox : CMessageBoxSeam
    {
        HWND hPageInFront = nullptr;
        CProjectData* pData = nullptr;
        std::string layerDuringMessage;
        int nFocusDuringMessage = -1;
        int Show(HWND, LPCTSTR, LPCTSTR, UINT) override
        {
            layerDuringMessage = pData->m_strSieveLayer;
            nFocusDuringMessage = pData->m_nFocusControl;
            ::RedrawWindow(hPageInFront, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return IDOK;
        }
    } box;
    int nActive = -1;
    CString strLayer;
    int nFocusRequest = -1;
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        data.m_strBasePorosity = "";
        data.m_strSieveLayer = "subgrade";
        box.pData = &data;
        box.hPageInFront = dlg.m_pRoadwayPage->GetSafeHwnd();
        CScopedMessageBoxSeam scoped(&box);

        PageShowCalcResult(dlg.m_pSheet, CPermeableBaseCalc::PercentSaturation(data));
        nActive = dlg.m_pSheet->GetActiveIndex();
        strLayer = data.m_strSieveLayer;
        nFocusRequest = data.m_nFocusControl;
    });
    EXPECT_EQ(box.layerDuringMessage, "subgrade");
    EXPECT_EQ(box.nFocusDuringMessage, 0);
    EXPECT_EQ(nActive, CQuarrowDlg::PageSieveAnalysis);
    EXPECT_EQ(strLayer, "base");
    EXPECT_EQ(nFocusRequest, 1151) << "the request waits for the sieve analysis page";
}

TEST_F(PageServicesTest, FieldCountsAsFilledWhileItsEditHasTheFocus)
{
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CRoadway* pPage = dlg.m_pRoadwayPage;
        const CString strEmpty, strFilled = "10.";
        ::SetFocus(::GetDlgItem(pPage->GetSafeHwnd(), IDC_RW_B));
        EXPECT_TRUE(PageFieldFilled(pPage, IDC_RW_B, strEmpty));
        EXPECT_FALSE(PageFieldFilled(pPage, IDC_RW_C, strEmpty));
        EXPECT_TRUE(PageFieldFilled(pPage, IDC_RW_C, strFilled));
    });
}

TEST_F(PageServicesTest, WarningIsQueuedInNormalModeAndShownOnceByItsPage)
{
    HWND hPage = nullptr;
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        hPage = dlg.m_pRoadwayPage->GetSafeHwnd();
        CHandEditWarning warning;
        data.m_strMode = "expert";
        warning.Queue(data, "typed by hand");
        EXPECT_FALSE(warning.IsPending());

        data.m_strMode = "normal";
        warning.Queue(data, "typed by hand");
        EXPECT_TRUE(warning.IsPending());
        warning.ShowPending(dlg.m_pRoadwayPage);
        warning.ShowPending(dlg.m_pRoadwayPage);
        EXPECT_FALSE(warning.IsPending());

        warning.Queue(data, "dropped");
        warning.Drop();
        warning.ShowPending(dlg.m_pRoadwayPage);
    });
    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_messages.calls[0].text, "typed by hand");
    EXPECT_EQ(m_messages.calls[0].caption, "Warning");
    EXPECT_EQ(m_messages.calls[0].hWndOwner, hPage);
}

} // namespace
