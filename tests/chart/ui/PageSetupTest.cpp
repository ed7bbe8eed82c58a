// The page setup dialogs as the view's commands run them: what they show of the view's layout, their
// enabling, the units switch, the range checks and what they give back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChartViewTestSupport.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/ui/PageSetup.h"
#include "tests/framework/WinTestSupport.h"

namespace {

bool IsEnabledItem(HWND hDialog, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(hDialog, nID)) != FALSE;
}

bool IsChecked(HWND hDialog, int nID)
{
    return ::IsDlgButtonChecked(hDialog, nID) == BST_CHECKED;
}

using Group = std::vector<int>;
const Group kVertical = {IDC_QVG_TOP, IDC_QVG_CENTER, IDC_QVG_BOTTOM, IDC_QVG_VERTICAL_CUSTOM};
const Group kHorizontal = {IDC_QVG_LEFT, IDC_QVG_MIDDLE, IDC_QVG_RIGHT, IDC_QVG_HORIZONTAL_CUSTOM};
const Group kSize = {IDC_QVG_FULL_PAGE, IDC_QVG_FULL_WIDTH, IDC_QVG_FULL_HEIGHT, IDC_QVG_CUSTOM_SIZE};
const Group kUnits = {IDC_QVG_CENTIMETERS, IDC_QVG_INCHES};

// Checks one radio button of its group and tells the dialog, as a click does.
void ClickRadio(HWND hDialog, const Group& group, int nID)
{
    for (int nButton : group)
        ::CheckDlgButton(hDialog, nButton, nButton == nID ? BST_CHECKED : BST_UNCHECKED);
    PressButton(hDialog, nID);
}

void SetText(HWND hDialog, int nID, const char* text)
{
    ::SetDlgItemTextA(hDialog, nID, text);
}

} // namespace

TEST_F(ChartViewTest, PageSetupShowsTheLayoutAndGivesBackTheChoice)
{
    pView->m_nPageSize = 4;
    pView->m_nVertical = 2;
    pView->m_nHorizontal = 0;
    pView->m_bPrintLayout = 0;
    int nDialogs = 0;
    hook.onDialog = [&](CWnd* pDialog) {
        ++nDialogs;
        HWND hDialog = pDialog->m_hWnd;
        EXPECT_EQ("Page Setup", WindowText(hDialog));
        HWND hList = ::GetDlgItem(hDialog, IDC_QVG_SIZE_LIST);
        ASSERT_EQ(10, (int)::SendMessageA(hList, CB_GETCOUNT, 0, 0));
        const char* names[] = {"320 X 240", "640 X 480", "800 X 600", "1024 X 768", "A4 Portrait", "A4 Landscape",
                               "A5 Portrait", "A5 Landscape", "US Letter Portrait", "US Letter Landscape"};
        for (int n = 0; n < 10; ++n) {
            char text[64] = "";
            ::SendMessageA(hList, CB_GETLBTEXT, n, (LPARAM)text);
            EXPECT_STREQ(names[n], text);
        }
        EXPECT_EQ(4, (int)::SendMessageA(hList, CB_GETCURSEL, 0, 0));
        EXPECT_TRUE(IsChecked(hDialog, IDC_QVG_BOTTOM));
        EXPECT_TRUE(IsChecked(hDialog, IDC_QVG_LEFT));
        // "Use max size" is the layout in force: unchecked, the alignment and the list are off.
        EXPECT_FALSE(IsChecked(hDialog, IDC_QVG_USE_MAX_SIZE));
        for (int nID = IDC_QVG_TOP; nID <= IDC_QVG_RIGHT; ++nID)
            EXPECT_FALSE(IsEnabledItem(hDialog, nID)) << nID;
        EXPECT_FALSE(IsEnabledItem(hDialog, IDC_QVG_SIZE_LIST));

        ::CheckDlgButton(hDialog, IDC_QVG_USE_MAX_SIZE, BST_CHECKED);
        PressButton(hDialog, IDC_QVG_USE_MAX_SIZE);
        for (int nID = IDC_QVG_TOP; nID <= IDC_QVG_RIGHT; ++nID)
            EXPECT_TRUE(IsEnabledItem(hDialog, nID)) << nID;
        EXPECT_TRUE(IsEnabledItem(hDialog, IDC_QVG_SIZE_LIST));
        ::SendMessageA(hList, CB_SETCURSEL, 8, 0);
        ClickRadio(hDialog, {IDC_QVG_TOP, IDC_QVG_CENTER, IDC_QVG_BOTTOM}, IDC_QVG_CENTER);
        ClickRadio(hDialog, {IDC_QVG_LEFT, IDC_QVG_MIDDLE, IDC_QVG_RIGHT}, IDC_QVG_RIGHT);
        PressButton(hDialog, IDOK);
    };
    Command(ID_QVG_PAGE_SETUP);
    EXPECT_EQ(1, nDialogs);
    EXPECT_EQ(8, pView->m_nPageSize);
    EXPECT_EQ(1, pView->m_nVertical);
    EXPECT_EQ(2, pView->m_nHorizontal);
    EXPECT_EQ(1, pView->m_bPrintLayout);
}

TEST_F(ChartViewTest, PageSetupKeepsWhatItsControlsCannotShow)
{
    // A size and custom margins chosen in the other dialog.
    pView->m_nPageSize = 13;
    pView->m_nVertical = 3;
    pView->m_nHorizontal = 3;
    pView->m_bPrintLayout = 1;
    hook.onDialog = [&](CWnd* pDialog) {
        HWND hDialog = pDialog->m_hWnd;
        EXPECT_EQ(CB_ERR, (int)::SendDlgItemMessageA(hDialog, IDC_QVG_SIZE_LIST, CB_GETCURSEL, 0, 0));
        PressButton(hDialog, IDOK);
    };
    Command(ID_QVG_PAGE_SETUP);
    EXPECT_EQ(13, pView->m_nPageSize);
    EXPECT_EQ(3, pView->m_nVertical);
    EXPECT_EQ(3, pView->m_nHorizontal);
    EXPECT_EQ(1, pView->m_bPrintLayout);

    // Cancel gives nothing back.
    hook.onDialog = [&](CWnd* pDialog) {
        ::SendDlgItemMessageA(pDialog->m_hWnd, IDC_QVG_SIZE_LIST, CB_SETCURSEL, 2, 0);
        PressButton(pDialog->m_hWnd, IDCANCEL);
    };
    Command(ID_QVG_PAGE_SETUP);
    EXPECT_EQ(13, pView->m_nPageSize);
}

class PrintPageSetupTest : public ChartViewTest
{
protected:
    void SetUp() override
    {
        ChartViewTest::SetUp();
        pView->m_bInches = 1;
        pView->m_nPageSize = 13;
        pView->m_nVertical = 3;
        pView->m_nHorizontal = 3;
    }
    // The four edit boxes: vertical margin, horizontal margin, width, height.
    static std::string Edits(HWND hDialog)
    {
        return ItemText(hDialog, IDC_QVG_VERTICAL_MARGIN) + " " + ItemText(hDialog, IDC_QVG_HORIZONTAL_MARGIN) + " " +
               ItemText(hDialog, IDC_QVG_CUSTOM_WIDTH) + " " + ItemText(hDialog, IDC_QVG_CUSTOM_HEIGHT);
    }
    static std::string Units(HWND hDialog)
    {
        std::string units;
        for (int nID = IDC_QVG_VERTICAL_MARGIN_UNIT; nID <= IDC_QVG_HEIGHT_UNIT; ++nID)
            units += ItemText(hDialog, nID) + (nID < IDC_QVG_HEIGHT_UNIT ? " " : "");
        return units;
    }
};

TEST_F(PrintPageSetupTest, InchesToCentimetresAndBackShowTheSameNumbers)
{
    int nDialogs = 0;
    hook.onDialog = [&](CWnd* pDialog) {
        ++nDialogs;
        HWND hDialog = pDialog->m_hWnd;
        EXPECT_EQ("Page Setup for Printing Chart", WindowText(hDialog));
        EXPECT_EQ("1 1 6 9", Edits(hDialog));
        EXPECT_EQ("in in in in", Units(hDialog));
        EXPECT_TRUE(IsChecked(hDialog, IDC_QVG_INCHES));
        EXPECT_TRUE(IsChecked(hDialog, IDC_QVG_CUSTOM_SIZE));

        ClickRadio(hDialog, kUnits, IDC_QVG_CENTIMETERS);
        EXPECT_EQ("2.54 2.54 15.24 22.86", Edits(hDialog));
        EXPECT_EQ("cm cm cm cm", Units(hDialog));
        ClickRadio(hDialog, kUnits, IDC_QVG_INCHES);
        EXPECT_EQ("1 1 6 9", Edits(hDialog));
        EXPECT_EQ("in in in in", Units(hDialog));
        PressButton(hDialog, IDOK);
    };
    Command(ID_QVG_PRINT_PAGE_SETUP);
    EXPECT_EQ(1, nDialogs);
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_NEAR(1.0, pView->m_dVerticalMargin, 1e-12);
    EXPECT_NEAR(1.0, pView->m_dHorizontalMargin, 1e-12);
    EXPECT_NEAR(6.0, pView->m_dCustomWidth, 1e-12);
    EXPECT_NEAR(9.0, pView->m_dCustomHeight, 1e-12);
    EXPECT_EQ(1, pView->m_bInches);
    EXPECT_EQ(13, pView->m_nPageSize);
    EXPECT_EQ(1, pView->m_bPrintLayout);
}

TEST_F(PrintPageSetupTest, NumbersEnteredInCentimetresAreKeptInInches)
{
    pView->m_bInches = 0;
    pView->m_nPageSize = 2;   // a size of the other dialog: the choice starts at full page
    hook.onDialog = [&](CWnd* pDialog) {
        HWND hDialog = pDialog->m_hWnd;
        EXPECT_TRUE(IsChecked(hDialog, IDC_QVG_CENTIMETERS));
        EXPECT_TRUE(IsChecked(hDialog, IDC_QVG_FULL_PAGE));
        EXPECT_EQ("cm cm cm cm", Units(hDialog));
        SetText(hDialog, IDC_QVG_CUSTOM_WIDTH, "25.4");
        SetText(hDialog, IDC_QVG_VERTICAL_MARGIN, "5.08");
        ClickRadio(hDialog, kSize, IDC_QVG_FULL_WIDTH);
        ClickRadio(hDialog, kVertical, IDC_QVG_TOP);
        PressButton(hDialog, IDOK);
    };
    Command(ID_QVG_PRINT_PAGE_SETUP);
    EXPECT_NEAR(10.0, pView->m_dCustomWidth, 1e-12);
    EXPECT_NEAR(2.0, pView->m_dVerticalMargin, 1e-12);
    EXPECT_EQ(0, pView->m_bInches);
    EXPECT_EQ(11, pView->m_nPageSize);
    EXPECT_EQ(0, pView->m_nVertical);
    EXPECT_EQ(3, pView->m_nHorizontal);
    EXPECT_EQ(1, pView->m_bPrintLayout);
}

TEST_F(PrintPageSetupTest, NumbersOutOfRangeAreRefusedWithTheRangeMessage)
{
    const struct
    {
        int nID;
        const char* text;
        const char* message;
    } cases[] = {
        {IDC_QVG_VERTICAL_MARGIN, "16", "Please enter a number between 0 and 15."},
        {IDC_QVG_HORIZONTAL_MARGIN, "-0.5", "Please enter a number between 0 and 15."},
        {IDC_QVG_CUSTOM_WIDTH, "0.4", "Please enter a number between 0.5 and 250."},
        {IDC_QVG_CUSTOM_HEIGHT, "251", "Please enter a number between 0.5 and 250."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        messageBox.calls.clear();
        bool bStillOpen = false;
        hook.onDialog = [&](CWnd* pDialog) {
            HWND hDialog = pDialog->m_hWnd;
            SetText(hDialog, c.nID, c.text);
            PressButton(hDialog, IDOK);
            bStillOpen = ::IsWindow(hDialog) && ::IsWindowVisible(hDialog);
            PressButton(hDialog, IDCANCEL);
        };
        pView->m_bPrintLayout = 0;
        Command(ID_QVG_PRINT_PAGE_SETUP);
        EXPECT_TRUE(bStillOpen);
        ASSERT_EQ(1u, messageBox.calls.size());
        EXPECT_EQ(c.message, messageBox.calls[0].text);
        EXPECT_EQ(0, pView->m_bPrintLayout);
        EXPECT_DOUBLE_EQ(1.0, pView->m_dVerticalMargin);
    }
}

TEST_F(PrintPageSetupTest, AUnitSwitchWithANumberOutOfRangeKeepsTheUnit)
{
    hook.onDialog = [&](CWnd* pDialog) {
        HWND hDialog = pDialog->m_hWnd;
        SetText(hDialog, IDC_QVG_CUSTOM_WIDTH, "300");
        ClickRadio(hDialog, kUnits, IDC_QVG_CENTIMETERS);
        EXPECT_TRUE(IsChecked(hDialog, IDC_QVG_INCHES));
        EXPECT_FALSE(IsChecked(hDialog, IDC_QVG_CENTIMETERS));
        EXPECT_EQ("in in in in", Units(hDialog));
        EXPECT_EQ("1 1 300 9", Edits(hDialog));
        PressButton(hDialog, IDCANCEL);
    };
    Command(ID_QVG_PRINT_PAGE_SETUP);
    EXPECT_EQ(1u, messageBox.calls.size());
}

TEST_F(PrintPageSetupTest, TheEditsAreEnabledOnlyForTheCustomChoices)
{
    pView->m_nVertical = 1;
    pView->m_nHorizontal = 3;
    pView->m_nPageSize = 10;
    hook.onDialog = [&](CWnd* pDialog) {
        HWND hDialog = pDialog->m_hWnd;
        EXPECT_FALSE(IsEnabledItem(hDialog, IDC_QVG_VERTICAL_MARGIN));
        EXPECT_TRUE(IsEnabledItem(hDialog, IDC_QVG_HORIZONTAL_MARGIN));
        EXPECT_FALSE(IsEnabledItem(hDialog, IDC_QVG_CUSTOM_WIDTH));
        EXPECT_FALSE(IsEnabledItem(hDialog, IDC_QVG_CUSTOM_HEIGHT));
        const struct
        {
            const Group& group;
            int nClick;
            int nEdit;
            bool bEnabled;
        } clicks[] = {
            {kVertical, IDC_QVG_VERTICAL_CUSTOM, IDC_QVG_VERTICAL_MARGIN, true},
            {kVertical, IDC_QVG_BOTTOM, IDC_QVG_VERTICAL_MARGIN, false},
            {kHorizontal, IDC_QVG_MIDDLE, IDC_QVG_HORIZONTAL_MARGIN, false},
            {kHorizontal, IDC_QVG_HORIZONTAL_CUSTOM, IDC_QVG_HORIZONTAL_MARGIN, true},
            {kSize, IDC_QVG_CUSTOM_SIZE, IDC_QVG_CUSTOM_WIDTH, true},
            {kSize, IDC_QVG_CUSTOM_SIZE, IDC_QVG_CUSTOM_HEIGHT, true},
            {kSize, IDC_QVG_FULL_HEIGHT, IDC_QVG_CUSTOM_HEIGHT, false},
        };
        for (const auto& click : clicks) {
            ClickRadio(hDialog, click.group, click.nClick);
            EXPECT_EQ(click.bEnabled, IsEnabledItem(hDialog, click.nEdit)) << click.nClick;
        }
        PressButton(hDialog, IDCANCEL);
    };
    Command(ID_QVG_PRINT_PAGE_SETUP);
}
