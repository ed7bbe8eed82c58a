// Every caption of the pages shows whole: a text that its control cuts off (a note, a check box's
// label) tells a person less than the program means to, or something else.
#include "tests/quarrow/pages/PageTestSupport.h"

#include <vector>

#include "quarrow/app/DlgPropSheet.h"

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

} // namespace

class CaptionsFitTest : public MainDialogPageTest
{
};

TEST_F(CaptionsFitTest, EveryCaptionOfThePagesShowsWhole)
{
    RunMainDialog([](CQuarrowDlg& dlg) {
        for (int nPage = CQuarrowDlg::PageRoadway; nPage <= CQuarrowDlg::PageEdgeDrain; ++nPage) {
            dlg.m_pSheet->SetActivePage(nPage);
            PumpMessages();
            CPropertyPage* pPage = dlg.m_pSheet->GetActivePage();
            ASSERT_NE(pPage, nullptr);
            EXPECT_EQ(CutCaptions(pPage->GetSafeHwnd()), std::vector<std::string>{}) << "page " << nPage;
        }
    });
}
