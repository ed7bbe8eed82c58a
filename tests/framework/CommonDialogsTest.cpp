// Colour, font, print and page setup dialogs answered through the modal hook, the print dialog's
// reading of printer names, and the modeless find and replace dialog with its registered message.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "framework/dialogs/ColorDialog.h"
#include "framework/dialogs/FindReplaceDialog.h"
#include "framework/dialogs/FontDialog.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// Answers common dialogs of type T with fill(dialog) and IDOK.
template <class T>
CFunctionModalHook AnswerWith(std::function<void(T&)> fill, int* pCalls = nullptr)
{
    CFunctionModalHook hook;
    hook.onCommonDialog = [fill, pCalls](CCommonDialog* pDialog, INT_PTR& nResult) {
        auto* pTyped = dynamic_cast<T*>(pDialog);
        if (pTyped == nullptr)
            return FALSE;
        if (pCalls != nullptr)
            ++*pCalls;
        fill(*pTyped);
        nResult = IDOK;
        return TRUE;
    };
    return hook;
}

// A DEVNAMES block with the three names, in movable memory as the system makes it.
HGLOBAL MakeDevNames(const char* driver, const char* device, const char* port)
{
    size_t nDriver = strlen(driver) + 1, nDevice = strlen(device) + 1, nPort = strlen(port) + 1;
    HGLOBAL hNames = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVNAMES) + nDriver + nDevice + nPort);
    auto* pNames = static_cast<DEVNAMES*>(::GlobalLock(hNames));
    char* pText = reinterpret_cast<char*>(pNames);
    pNames->wDriverOffset = sizeof(DEVNAMES);
    pNames->wDeviceOffset = (WORD)(pNames->wDriverOffset + nDriver);
    pNames->wOutputOffset = (WORD)(pNames->wDeviceOffset + nDevice);
    pNames->wDefault = DN_DEFAULTPRN;
    memcpy(pText + pNames->wDriverOffset, driver, nDriver);
    memcpy(pText + pNames->wDeviceOffset, device, nDevice);
    memcpy(pText + pNames->wOutputOffset, port, nPort);
    ::GlobalUnlock(hNames);
    return hNames;
}

TEST(ColorDialog, StartsOnTheGivenColourAndGivesTheChosenOne)
{
    CWinApp app{"Dialog Test"};
    COLORREF seenStart = 0;
    DWORD seenFlags = 0;
    CFunctionModalHook hook = AnswerWith<CColorDialog>([&](CColorDialog& dlg) {
        seenStart = dlg.m_cc.rgbResult;
        seenFlags = dlg.m_cc.Flags;
        EXPECT_EQ(dlg.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
        dlg.m_cc.rgbResult = RGB(255, 128, 64);
    });
    CScopedModalHook seam(&hook);
    CColorDialog dlg(RGB(125, 125, 0), CC_FULLOPEN);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(seenStart, RGB(125, 125, 0));
    EXPECT_EQ(seenFlags, (DWORD)(CC_FULLOPEN | CC_RGBINIT));
    EXPECT_EQ(dlg.GetColor(), RGB(255, 128, 64));
}

TEST(FontDialog, GivesTheChosenFontItsSizeAndColour)
{
    CWinApp app{"Dialog Test"};
    bool bStartedOnGiven = false;
    CFunctionModalHook hook = AnswerWith<CFontDialog>([&](CFontDialog& dlg) {
        bStartedOnGiven = (dlg.m_cf.Flags & CF_INITTOLOGFONTSTRUCT) && strcmp(dlg.m_cf.lpLogFont->lfFaceName, "Arial") == 0;
        LOGFONTA& lf = *dlg.m_cf.lpLogFont;
        lstrcpynA(lf.lfFaceName, "Times New Roman", LF_FACESIZE);
        lf.lfWeight = FW_BOLD;
        lf.lfItalic = TRUE;
        lf.lfUnderline = FALSE;
        lf.lfStrikeOut = TRUE;
        dlg.m_cf.iPointSize = 140;
        dlg.m_cf.rgbColors = RGB(0, 0, 255);
    });
    CScopedModalHook seam(&hook);

    LOGFONTA initial = {};
    lstrcpynA(initial.lfFaceName, "Arial", LF_FACESIZE);
    initial.lfHeight = -16;
    CFontDialog dlg(&initial);
    EXPECT_TRUE(dlg.m_cf.Flags & CF_EFFECTS);
    EXPECT_TRUE(dlg.m_cf.Flags & CF_SCREENFONTS);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(bStartedOnGiven);
    EXPECT_STREQ(dlg.GetFaceName(), "Times New Roman");
    EXPECT_EQ(dlg.GetSize(), 140);
    EXPECT_EQ(dlg.GetWeight(), 700);
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_TRUE(dlg.IsItalic());
    EXPECT_FALSE(dlg.IsUnderline());
    EXPECT_TRUE(dlg.IsStrikeOut());
    EXPECT_EQ(dlg.GetColor(), RGB(0, 0, 255));
    LOGFONTA current = {};
    dlg.GetCurrentFont(&current);
    EXPECT_STREQ(current.lfFaceName, "Times New Roman");
}

TEST(FontDialog, CancelReturnsIdcancel)
{
    CWinApp app{"Dialog Test"};
    CFunctionModalHook hook;
    hook.onCommonDialog = [](CCommonDialog*, INT_PTR& nResult) {
        nResult = IDCANCEL;
        return TRUE;
    };
    CScopedModalHook seam(&hook);
    CFontDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(PrintDialog, PrintSetupFormKeepsTheGivenFlags)
{
    CPrintDialog setup(TRUE, 0x14000C);
    EXPECT_EQ(setup.m_pd.Flags, (DWORD)(0x14000C | PD_PRINTSETUP));
    CPrintDialog print(FALSE);
    EXPECT_EQ(print.m_pd.Flags, (DWORD)(PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION | PD_RETURNDC));
    EXPECT_TRUE(print.PrintAll());
}

TEST(PrintDialog, DefaultsAreAskedWithoutAWindowAndTheHookMayGiveThem)
{
    CWinApp app{"Dialog Test"};
    DWORD seenFlags = 0;
    CFunctionModalHook hook = AnswerWith<CPrintDialog>([&](CPrintDialog& dlg) {
        seenFlags = dlg.m_pd.Flags;
        dlg.m_pd.hDevNames = MakeDevNames("winspool", "Plotter 7", "LPT1:");
    });
    CScopedModalHook seam(&hook);
    CPrintDialog dlg(TRUE, 0x14000C);
    ASSERT_TRUE(dlg.GetDefaults());
    EXPECT_TRUE(seenFlags & PD_RETURNDEFAULT);
    EXPECT_FALSE(dlg.m_pd.Flags & PD_RETURNDEFAULT);
    EXPECT_STREQ(dlg.GetDriverName(), "winspool");
    EXPECT_STREQ(dlg.GetDeviceName(), "Plotter 7");
    EXPECT_STREQ(dlg.GetPortName(), "LPT1:");
    ::GlobalFree(dlg.m_pd.hDevNames);
}

TEST(PrintDialog, APrintRunAnsweredWithARangeAndCopies)
{
    CWinApp app{"Dialog Test"};
    CFunctionModalHook hook = AnswerWith<CPrintDialog>([](CPrintDialog& dlg) {
        dlg.m_pd.Flags = (dlg.m_pd.Flags & ~PD_USEDEVMODECOPIES) | PD_PAGENUMS | PD_COLLATE;
        dlg.m_pd.nFromPage = 2;
        dlg.m_pd.nToPage = 5;
        dlg.m_pd.nCopies = 3;
    });
    CScopedModalHook seam(&hook);
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.PrintRange());
    EXPECT_FALSE(dlg.PrintAll());
    EXPECT_EQ(dlg.GetFromPage(), 2);
    EXPECT_EQ(dlg.GetToPage(), 5);
    EXPECT_EQ(dlg.GetCopies(), 3);
    EXPECT_TRUE(dlg.PrintCollate());
}

// A device mode's bytes past its own size are the driver's: a short mode, as a settings file may
// hold it, gives the dialog's count even when those bytes look like a count of copies.
TEST(PrintDialog, CopiesComeFromTheDeviceModeOnlyWhenItsSizeHoldsThem)
{
    const WORD nCopiesEnd = offsetof(DEVMODEA, dmCopies) + sizeof(short);
    struct Case
    {
        WORD nModeSize;
        int nCopies;
    };
    const Case cases[] = {{sizeof(DEVMODEA), 4},
                          {nCopiesEnd, 4},
                          {nCopiesEnd - 1, 2},
                          {offsetof(DEVMODEA, dmFields) + sizeof(DWORD), 2},
                          {offsetof(DEVMODEA, dmFields), 2}};
    for (const Case& c : cases)
    {
        CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES);
        dlg.m_pd.nCopies = 2;
        dlg.m_pd.hDevMode = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
        auto* pMode = static_cast<DEVMODEA*>(::GlobalLock(dlg.m_pd.hDevMode));
        pMode->dmSize = c.nModeSize;
        pMode->dmDriverExtra = static_cast<WORD>(sizeof(DEVMODEA) - c.nModeSize);
        pMode->dmFields = DM_COPIES;
        pMode->dmCopies = 4;
        ::GlobalUnlock(dlg.m_pd.hDevMode);
        EXPECT_EQ(dlg.GetCopies(), c.nCopies) << c.nModeSize;
        ::GlobalFree(dlg.m_pd.hDevMode);
    }
}

TEST(PrintDialog, PrinterNamesOutsideTheirBlockReadAsEmpty)
{
    CPrintDialog dlg(TRUE);
    dlg.m_pd.hDevNames = MakeDevNames("winspool", "Plotter", "FILE:");
    auto* pNames = static_cast<DEVNAMES*>(::GlobalLock(dlg.m_pd.hDevNames));
    pNames->wDeviceOffset = 0x7000;   // as a damaged settings file might give it
    ::GlobalUnlock(dlg.m_pd.hDevNames);
    EXPECT_STREQ(dlg.GetDriverName(), "winspool");
    EXPECT_STREQ(dlg.GetDeviceName(), "");
    EXPECT_EQ(dlg.CreatePrinterDC(), nullptr);
    ::GlobalFree(dlg.m_pd.hDevNames);

    CPrintDialog empty(TRUE);
    EXPECT_STREQ(empty.GetDeviceName(), "");
    EXPECT_EQ(empty.GetDevMode(), nullptr);
    EXPECT_EQ(empty.CreatePrinterDC(), nullptr);
}

TEST(PageSetupDialog, GivesPaperAndMargins)
{
    CWinApp app{"Dialog Test"};
    CFunctionModalHook hook = AnswerWith<CPageSetupDialog>([](CPageSetupDialog& dlg) {
        dlg.m_psd.ptPaperSize = {8500, 11000};
        dlg.m_psd.rtMargin = {1000, 1500, 1000, 1500};
        dlg.m_psd.rtMinMargin = {250, 250, 250, 250};
    });
    CScopedModalHook seam(&hook);
    CPageSetupDialog dlg(PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPaperSize(), CSize(8500, 11000));
    RECT margins, minimum;
    dlg.GetMargins(&margins, &minimum);
    EXPECT_EQ(margins.top, 1500);
    EXPECT_EQ(minimum.left, 250);
}

// The owner of a find dialog: keeps what every notification said.
class CFindOwner : public CWnd
{
public:
    struct Notice
    {
        CFindReplaceDialog* pDialog;
        std::string findText;
        std::string replaceText;
        bool findNext, replaceCurrent, replaceAll, terminating, down, matchCase, wholeWord;
    };
    std::vector<Notice> notices;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CFindReplaceDialog::GetFindReplaceMessage())
        {
            CFindReplaceDialog* pDialog = CFindReplaceDialog::GetNotifier(lParam);
            notices.push_back({pDialog, (LPCTSTR)pDialog->GetFindString(), (LPCTSTR)pDialog->GetReplaceString(),
                               pDialog->FindNext() != FALSE, pDialog->ReplaceCurrent() != FALSE,
                               pDialog->ReplaceAll() != FALSE, pDialog->IsTerminating() != FALSE,
                               pDialog->SearchDown() != FALSE, pDialog->MatchCase() != FALSE,
                               pDialog->MatchWholeWord() != FALSE});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class FindReplaceDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Grid", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                   nullptr));
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        PumpPendingMessages();
    }

    CWinApp app{"Dialog Test"};
    CFindOwner owner;
};

TEST_F(FindReplaceDialog, FindNextTellsTheOwnerTheTextAndFlags)
{
    auto* pDialog = new CFindReplaceDialog;
    ASSERT_TRUE(pDialog->Create(TRUE, "Base", nullptr, FR_DOWN | FR_HIDEWHOLEWORD, &owner));
    HWND hDialog = pDialog->m_hWnd;
    ASSERT_NE(hDialog, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hDialog), pDialog);
    EXPECT_EQ(ItemText(hDialog, 0x480), "Base");   // edt1, the find text

    ::SetDlgItemTextA(hDialog, 0x480, "Subgrade");
    ::CheckDlgButton(hDialog, 0x411, BST_CHECKED);   // chx2, match case
    PressButton(hDialog, IDOK);                       // Find Next
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_EQ(owner.notices[0].pDialog, pDialog);
    EXPECT_EQ(owner.notices[0].findText, "Subgrade");
    EXPECT_TRUE(owner.notices[0].findNext);
    EXPECT_TRUE(owner.notices[0].down);
    EXPECT_TRUE(owner.notices[0].matchCase);
    EXPECT_FALSE(owner.notices[0].replaceAll);
    EXPECT_FALSE(owner.notices[0].terminating);

    // Closing it tells the owner once more; the object goes with its window.
    PressButton(hDialog, IDCANCEL);
    PumpPendingMessages();
    ASSERT_EQ(owner.notices.size(), 2u);
    EXPECT_TRUE(owner.notices[1].terminating);
    EXPECT_FALSE(::IsWindow(hDialog));
    EXPECT_EQ(CWnd::FromHandlePermanent(hDialog), nullptr);
}

TEST_F(FindReplaceDialog, ReplaceAllGivesBothTexts)
{
    auto* pDialog = new CFindReplaceDialog;
    ASSERT_TRUE(pDialog->Create(FALSE, "0.25", "0.30", FR_DOWN | FR_HIDEWHOLEWORD, &owner));
    HWND hDialog = pDialog->m_hWnd;
    PressButton(hDialog, 0x401);   // psh2, Replace All
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_TRUE(owner.notices[0].replaceAll);
    EXPECT_FALSE(owner.notices[0].replaceCurrent);
    EXPECT_EQ(owner.notices[0].findText, "0.25");
    EXPECT_EQ(owner.notices[0].replaceText, "0.30");
    ::SendMessageA(hDialog, WM_CLOSE, 0, 0);
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(hDialog));
}

TEST_F(FindReplaceDialog, WithoutAnOwnerNoDialogIsMade)
{
    CFindReplaceDialog* pDialog = new CFindReplaceDialog;
    EXPECT_FALSE(pDialog->Create(TRUE, "x", nullptr, FR_DOWN, nullptr));
    EXPECT_EQ(pDialog->m_hWnd, nullptr);
    delete pDialog;
}

} // namespace
