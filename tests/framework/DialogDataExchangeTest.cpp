// A dialog from a resource template runs modally, driven through the modal hook; data exchange moves
// values both ways and refuses bad input with the framework's messages.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "framework/core/Exceptions.h"
#include "framework/win/DataExchange.h"
#include "framework/win/Dialog.h"
#include "framework/win/SeamRecorders.h"
#include "tests/framework/WinCoreTestResources.h"
#include "tests/framework/WinTestSupport.h"

namespace {

const UINT WM_DESTROY_YOURSELF = WM_APP + 5;

class CExchangeDlg : public CDialog
{
public:
    explicit CExchangeDlg(CWnd* pParent = nullptr) : CDialog(IDD_EXCHANGE, pParent) {}

    CString m_strName = "Name";
    int m_nCount = 42;
    double m_dRatio = 2.5;
    UINT m_nSize = 7;
    float m_fLevel = 0.5f;
    int m_bEnabled = 1;
    int m_nRadio = 1;
    int m_nChoice = 2;
    int m_nList = 0;

    BOOL OnInitDialog() override
    {
        for (const char* choice : {"Low", "Medium", "High"})
            SendDlgItemMessage(IDC_CHOICE, CB_ADDSTRING, 0, (LPARAM)choice);
        for (const char* item : {"Base", "Subgrade", "Separator"})
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)item);
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 8);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 100);
        DDX_Text(pDX, IDC_RATIO, m_dRatio);
        DDX_Text(pDX, IDC_AMOUNT, m_nSize);
        DDX_Text(pDX, IDC_LEVEL, m_fLevel);
        DDV_MinMaxFloat(pDX, m_fLevel, 0.0f, 1.5f);
        DDX_Check(pDX, IDC_ENABLED, m_bEnabled);
        DDX_Radio(pDX, IDC_RADIO_FIRST, m_nRadio);
        DDX_CBIndex(pDX, IDC_CHOICE, m_nChoice);
        DDX_LBIndex(pDX, IDC_LIST, m_nList);
    }

    afx_msg LRESULT OnDestroyYourself(WPARAM, LPARAM)
    {
        DestroyWindow();
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDlg, CDialog)
    ON_MESSAGE(WM_DESTROY_YOURSELF, OnDestroyYourself)
END_MESSAGE_MAP()

class DialogDataExchange : public ::testing::Test
{
protected:
    CRecordingMessageBox boxes;
    CScopedMessageBoxSeam boxSeam{&boxes};
};

TEST_F(DialogDataExchange, ShowsTheMembersAndDeliversTheEditedValuesOnOK)
{
    CExchangeDlg dlg;
    std::string shown[5];
    bool checkedShown = false;
    int radioShown = 0, choiceShown = -1;
    CWnd* pHooked = nullptr;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        pHooked = pWnd;
        HWND hDlg = pWnd->m_hWnd;
        int ids[5] = {IDC_NAME, IDC_COUNT, IDC_RATIO, IDC_AMOUNT, IDC_LEVEL};
        for (int i = 0; i < 5; ++i)
            shown[i] = ItemText(hDlg, ids[i]);
        checkedShown = ::IsDlgButtonChecked(hDlg, IDC_ENABLED) == BST_CHECKED;
        radioShown = pWnd->GetCheckedRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD);
        choiceShown = (int)::SendDlgItemMessageA(hDlg, IDC_CHOICE, CB_GETCURSEL, 0, 0);

        pWnd->SetDlgItemText(IDC_NAME, "Quarrow");
        pWnd->SetDlgItemText(IDC_COUNT, " 17 ");
        pWnd->SetDlgItemText(IDC_RATIO, "1.25e-3");
        pWnd->SetDlgItemText(IDC_AMOUNT, "12");
        pWnd->SetDlgItemText(IDC_LEVEL, "0.75");
        pWnd->CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
        pWnd->CheckRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD, IDC_RADIO_THIRD);
        ::SendDlgItemMessageA(hDlg, IDC_CHOICE, CB_SETCURSEL, 0, 0);
        ::SendDlgItemMessageA(hDlg, IDC_LIST, LB_SETCURSEL, 2, 0);
        PressButton(hDlg, IDOK);
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(pHooked, &dlg);
    EXPECT_EQ(shown[0], "Name");
    EXPECT_EQ(shown[1], "42");
    EXPECT_EQ(shown[2], "2.5");
    EXPECT_EQ(shown[3], "7");
    EXPECT_EQ(shown[4], "0.5");
    EXPECT_TRUE(checkedShown);
    EXPECT_EQ(radioShown, IDC_RADIO_SECOND);
    EXPECT_EQ(choiceShown, 2);

    EXPECT_STREQ(dlg.m_strName, "Quarrow");
    EXPECT_EQ(dlg.m_nCount, 17);
    EXPECT_DOUBLE_EQ(dlg.m_dRatio, 0.00125);
    EXPECT_EQ(dlg.m_nSize, 12u);
    EXPECT_FLOAT_EQ(dlg.m_fLevel, 0.75f);
    EXPECT_EQ(dlg.m_bEnabled, 0);
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_EQ(dlg.m_nChoice, 0);
    EXPECT_EQ(dlg.m_nList, 2);
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogDataExchange, CancelLeavesTheMembersAlone)
{
    CExchangeDlg dlg;
    CFunctionModalHook hook([](CWnd* pWnd) {
        pWnd->SetDlgItemText(IDC_COUNT, "99");
        PressButton(pWnd->m_hWnd, IDCANCEL);
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nCount, 42);
}

struct RejectedInput
{
    int nIDC;
    const char* text;
    const char* message;
    UINT nType;
};

class DialogRejectsInput : public DialogDataExchange, public ::testing::WithParamInterface<RejectedInput>
{
};

TEST_P(DialogRejectsInput, WithTheFrameworkMessageAndStaysOpenOnTheControl)
{
    const RejectedInput& input = GetParam();
    CExchangeDlg dlg;
    bool stillOpen = false;
    HWND focusAfter = nullptr;
    HWND failingControl = nullptr;
    size_t boxesAfterFirstOK = 0;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        failingControl = ::GetDlgItem(pWnd->m_hWnd, input.nIDC);
        pWnd->SetDlgItemText(input.nIDC, input.text);
        PressButton(pWnd->m_hWnd, IDOK);
        boxesAfterFirstOK = boxes.calls.size();
        stillOpen = ::IsWindow(pWnd->m_hWnd) && pWnd->ContinueModal();
        focusAfter = ::GetFocus();
        PressButton(pWnd->m_hWnd, IDCANCEL);
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(focusAfter, failingControl);
    ASSERT_EQ(boxesAfterFirstOK, 1u);
    EXPECT_EQ(boxes.calls[0].text, input.message);
    EXPECT_EQ(boxes.calls[0].nType, input.nType);
}

INSTANTIATE_TEST_SUITE_P(
    BadNumbers, DialogRejectsInput,
    ::testing::Values(RejectedInput{IDC_COUNT, "12x", "Please enter an integer.", MB_OK},
                      RejectedInput{IDC_COUNT, "", "Please enter an integer.", MB_OK},
                      RejectedInput{IDC_COUNT, "99999999999", "Please enter an integer.", MB_OK},
                      RejectedInput{IDC_COUNT, "150", "Please enter an integer between 0 and 100.", MB_ICONEXCLAMATION},
                      RejectedInput{IDC_RATIO, "abc", "Please enter a number.", MB_OK},
                      RejectedInput{IDC_RATIO, "2.5 ft", "Please enter a number.", MB_OK},
                      RejectedInput{IDC_RATIO, "1e999", "Please enter a number.", MB_OK},
                      RejectedInput{IDC_RATIO, "nan", "Please enter a number.", MB_OK},
                      RejectedInput{IDC_AMOUNT, "-1", "Please enter a positive integer.", MB_OK},
                      RejectedInput{IDC_LEVEL, "1e39", "Please enter a number.", MB_OK},
                      RejectedInput{IDC_LEVEL, "2", "Please enter a number between 0 and 1.5.", MB_ICONEXCLAMATION},
                      RejectedInput{IDC_NAME, "Much too long", "Please enter no more than 8 characters.",
                                    MB_ICONEXCLAMATION}));

struct AcceptedReal
{
    const char* text;
    double value;
};

class DialogAcceptsReal : public DialogDataExchange, public ::testing::WithParamInterface<AcceptedReal>
{
};

TEST_P(DialogAcceptsReal, AndStoresItsValue)
{
    CExchangeDlg dlg;
    CFunctionModalHook hook([](CWnd* pWnd) {
        pWnd->SetDlgItemText(IDC_RATIO, GetParam().text);
        PressButton(pWnd->m_hWnd, IDOK);
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.m_dRatio, GetParam().value);
    EXPECT_TRUE(boxes.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, DialogAcceptsReal,
                         ::testing::Values(AcceptedReal{" 7.5 ", 7.5}, AcceptedReal{".5", 0.5},
                                           AcceptedReal{"-0", 0.0}, AcceptedReal{"1e3", 1000.0},
                                           AcceptedReal{"-2.25", -2.25}));

TEST_F(DialogDataExchange, NumbersAreShownWithTheirSignificantDigits)
{
    CExchangeDlg dlg;
    dlg.m_dRatio = 1.0 / 3.0;
    dlg.m_fLevel = 0.1f;
    std::string ratio, level;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        ratio = ItemText(pWnd->m_hWnd, IDC_RATIO);
        level = ItemText(pWnd->m_hWnd, IDC_LEVEL);
        PressButton(pWnd->m_hWnd, IDCANCEL);
    });
    CScopedModalHook hookSeam(&hook);

    dlg.DoModal();
    EXPECT_EQ(ratio, "0.333333333333333");
    EXPECT_EQ(level, "0.1");
}

TEST_F(DialogDataExchange, DestroyingTheWindowEndsTheModalLoopAndFreesTheOwner)
{
    HWND hOwner = ::CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hOwner, nullptr);
    CWnd owner;
    owner.Attach(hOwner);
    CExchangeDlg dlg(&owner);
    bool ownerDisabledWhileModal = false;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        ownerDisabledWhileModal = !::IsWindowEnabled(hOwner);
        // Handled inside the modal loop, as a command handler would do it.
        pWnd->PostMessage(WM_DESTROY_YOURSELF);
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(ownerDisabledWhileModal);
    EXPECT_TRUE(::IsWindowEnabled(hOwner));
    owner.DestroyWindow();
}

TEST_F(DialogDataExchange, EndDialogFromTheLoopReturnsItsResult)
{
    CExchangeDlg dlg;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        // Queued, so that the loop itself ends the dialog.
        pWnd->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(pWnd->m_hWnd, IDOK));
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(DialogDataExchange, ControlBindingSubclassesOnce)
{
    class CBoundDlg : public CExchangeDlg
    {
    public:
        CWnd m_nameEdit;
        void DoDataExchange(CDataExchange* pDX) override
        {
            DDX_Control(pDX, IDC_NAME, m_nameEdit);
            CExchangeDlg::DoDataExchange(pDX);
        }
    };
    CBoundDlg dlg;
    HWND bound = nullptr, control = nullptr;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        bound = dlg.m_nameEdit.m_hWnd;
        control = ::GetDlgItem(pWnd->m_hWnd, IDC_NAME);
        PressButton(pWnd->m_hWnd, IDOK);   // a second exchange must not bind again
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(bound, control);
    EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
    EXPECT_TRUE(boxes.calls.empty());
}

class CKeyWatchingDlg : public CExchangeDlg
{
public:
    int childKeys = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && ::IsChild(m_hWnd, pMsg->hwnd))
            ++childKeys;
        return CExchangeDlg::PreTranslateMessage(pMsg);
    }
};

TEST_F(DialogDataExchange, TheModalLoopPreTranslatesKeysOfItsControlsIntoDialogCommands)
{
    CKeyWatchingDlg dlg;
    CFunctionModalHook hook([](CWnd* pWnd) {
        HWND hEdit = ::GetDlgItem(pWnd->m_hWnd, IDC_NAME);
        ::PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.childKeys, 1);
}

class CFailingInitException : public CException
{
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override
    {
        lstrcpynA(lpszError, "Initialisation failed.", (int)nMaxError);
        if (pnHelpContext != nullptr)
            *pnHelpContext = 0;
        return TRUE;
    }
};

class CFailingInitDlg : public CExchangeDlg
{
public:
    BOOL OnInitDialog() override { throw new CFailingInitException; }
};

TEST_F(DialogDataExchange, AnExceptionFromOnInitDialogIsReportedAndTheDialogStillRuns)
{
    CFailingInitDlg dlg;
    bool ran = false;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        ran = true;
        PressButton(pWnd->m_hWnd, IDCANCEL);
    });
    CScopedModalHook hookSeam(&hook);

    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(ran);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Initialisation failed.");
}

} // namespace
