// The "Add Gradation to Library" dialog on the virtual display: the names it accepts and the ones it
// refuses with the dialog kept open, the length limit, and help.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "quarrow/pages/AddGradationDlg.h"
#include "resources/quarrow/resource.h"

namespace {

class AddGradationDlgTest : public ::testing::Test
{
protected:
    // Types the name, presses OK, and gives back the dialog's result; a dialog that stayed open is
    // cancelled (IDCANCEL). bStayedOpen tells which.
    INT_PTR Enter(const std::string& name, bool& bStayedOpen, CString& strAccepted)
    {
        CAddGradationDlg dlg(nullptr);
        CFunctionModalHook hook([&](CWnd* pWnd) {
            if (pWnd != &dlg)
                return;
            ::SetDlgItemTextA(dlg.GetSafeHwnd(), IDC_AG_NAME, name.c_str());
            ::SendMessageA(::GetDlgItem(dlg.GetSafeHwnd(), IDOK), BM_CLICK, 0, 0);
            bStayedOpen = (dlg.m_nFlags & CWnd::WF_CONTINUEMODAL) != 0;
            if (bStayedOpen)
                dlg.EndDialog(IDCANCEL);
        });
        CScopedModalHook scopedHook(&hook);
        const INT_PTR nResult = dlg.DoModal();
        strAccepted = dlg.m_strName;
        return nResult;
    }

    CRecordingMessageBox m_messages;
    CScopedMessageBoxSeam m_scopedMessages{&m_messages};
    CRecordingHtmlHelp m_help;
    CScopedHtmlHelpSeam m_scopedHelp{&m_help};
};

TEST_F(AddGradationDlgTest, NamesThatMakeAFileOfTheFolderAreAccepted)
{
    for (const char* pszName : {"base 1", "Crushed 57", "a.b", "x y", "CONSOLE", "COM10", "LPT0", "-1", ".hidden"}) {
        m_messages.calls.clear();
        bool bStayedOpen = true;
        CString strAccepted;
        EXPECT_EQ(Enter(pszName, bStayedOpen, strAccepted), IDOK) << pszName;
        EXPECT_FALSE(bStayedOpen) << pszName;
        EXPECT_EQ(strAccepted, pszName);
        EXPECT_TRUE(m_messages.calls.empty()) << pszName;
    }
}

TEST_F(AddGradationDlgTest, NamesThatCannotBeALibraryFileAreRefusedAndTheDialogStaysOpen)
{
    const char ControlCharacters[] = "File system control characters (:\\?*) not allowed";
    const char Unusable[] = "This name cannot be used for a library file.";
    const struct
    {
        std::string name;
        const char* pszMessage;
    } cases[] = {
        {"a:b", ControlCharacters}, {"a\\b", ControlCharacters}, {"what?", ControlCharacters},
        {"*", ControlCharacters}, {"..\\x", ControlCharacters},
        {"../x", Unusable}, {"a/b", Unusable}, {"", Unusable}, {"CON", Unusable}, {"con.txt", Unusable},
        {"Nul", Unusable}, {"COM1", Unusable}, {"lpt9.sgd", Unusable}, {"AUX .x", Unusable}, {".", Unusable},
        {"..", Unusable}, {"ends with a dot.", Unusable}, {"ends with a blank ", Unusable}, {"a<b", Unusable},
        {"a>b", Unusable}, {"a|b", Unusable}, {"a\"b", Unusable}, {"tab\there", Unusable},
    };
    for (const auto& c : cases) {
        m_messages.calls.clear();
        bool bStayedOpen = false;
        CString strAccepted;
        EXPECT_EQ(Enter(c.name, bStayedOpen, strAccepted), IDCANCEL) << c.name;
        EXPECT_TRUE(bStayedOpen) << c.name;
        ASSERT_EQ(m_messages.calls.size(), 1u) << c.name;
        EXPECT_EQ(m_messages.calls[0].text, c.pszMessage) << c.name;
        EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL)) << c.name;
    }
}

TEST_F(AddGradationDlgTest, EightyCharactersAreTheLongestName)
{
    bool bStayedOpen = true;
    CString strAccepted;
    EXPECT_EQ(Enter(std::string(80, 'n'), bStayedOpen, strAccepted), IDOK);
    EXPECT_EQ(strAccepted.GetLength(), 80);

    EXPECT_EQ(Enter(std::string(81, 'n'), bStayedOpen, strAccepted), IDCANCEL);
    EXPECT_TRUE(bStayedOpen);
    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_NE(m_messages.calls[0].text.find("80"), std::string::npos) << m_messages.calls[0].text;
}

TEST_F(AddGradationDlgTest, F1ShowsTheTopicAndTheNoteTellsWhatIsCreated)
{
    CAddGradationDlg dlg(nullptr);
    std::string note;
    HWND hName = nullptr;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        if (pWnd != &dlg)
            return;
        EXPECT_EQ(WindowText(dlg.GetSafeHwnd()), "Add Gradation to Library");
        for (HWND hChild = ::GetWindow(dlg.GetSafeHwnd(), GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            if (WindowText(hChild).rfind("(Note:", 0) == 0)
                note = WindowText(hChild);
        hName = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_AG_NAME);
        EXPECT_EQ(SendHelpRequest(dlg, hName), TRUE);
        SaveScreenPicture(dlg.GetSafeHwnd(), "add-gradation-dialog.bmp");
        dlg.EndDialog(IDCANCEL);
    });
    CScopedModalHook scopedHook(&hook);
    dlg.DoModal();
    EXPECT_EQ(note, "(Note: An ascii file with a *.sgd file extension is created using this library name.  Care "
                    "should be taken not to use file control characters. (* , \\ , :, ?)");
    ASSERT_EQ(m_help.calls.size(), 1u);
    EXPECT_EQ(m_help.calls[0].file.substr(m_help.calls[0].file.size() - 14), "/add_sieve.htm");
    EXPECT_EQ(m_help.calls[0].hWndCaller, hName);
}

} // namespace
