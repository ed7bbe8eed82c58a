// Groups of controls built from dialog templates of both forms at a placeholder of a dialog: what is
// read from the template, the controls made on the first showing (those that cannot be made are
// reported and the others made still), their texts kept across hiding, and a template that is missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GenDialogTestIds.h"
#include "chart/ui/GenDialog.h"
#include "framework/win/Dialog.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

class GenDialogTest : public ::testing::Test
{
protected:
    CWinApp app{"ControlGroups"};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CDialog host;

    void SetUp() override
    {
        ASSERT_TRUE(host.Create(IDD_GEN_HOST));
        host.ShowWindow(SW_SHOW);
        PumpPendingMessages();
    }
    void TearDown() override
    {
        host.DestroyWindow();
        PumpPendingMessages();
    }

    // The placeholder's corner in the host's client area.
    CPoint Origin()
    {
        CRect place;
        host.GetDlgItem(IDC_GEN_PLACE)->GetWindowRect(&place);
        host.ScreenToClient(&place);
        return place.TopLeft();
    }
    // A rectangle of dialog units of the host in pixels.
    CRect Pixels(int x, int y, int cx, int cy)
    {
        RECT rect = {x, y, x + cx, y + cy};
        ::MapDialogRect(host.m_hWnd, &rect);
        return CRect(rect);
    }
    HWND Control(int nID) { return ::GetDlgItem(host.m_hWnd, nID); }
};

TEST_F(GenDialogTest, BothTemplateFormsGiveTheirFontClassesIdsAndPlacesAtThePlaceholder)
{
    const struct
    {
        const char* name;
        UINT nTemplate;
        int nPlace;
        bool bExtended;
        int nPointSize;
        const char* face;
        std::vector<std::string> classes;
        std::vector<UINT> ids;
        CRect firstInUnits;   // x, y, cx, cy of the first control
    } cases[] = {
        {"plain", IDD_GEN_PLAIN, IDC_GEN_PLACE, false, 8, "MS Sans Serif",
         {"EDIT", "STATIC", "{8D2F6C1E-3B4A-4C5D-9E7F-A1B2C3D4E5F6}", "NOSUCHWINDOWCLASS", "BUTTON"},
         {IDC_GEN_EDIT, IDC_GEN_LABEL, IDC_GEN_ACTIVEX, IDC_GEN_UNKNOWN, IDC_GEN_BUTTON},
         CRect(4, 6, 80, 12)},
        {"extended", IDD_GEN_EXTENDED, IDC_GEN_PLACE, true, 9, "Tahoma", {"LISTBOX", "COMBOBOX"},
         {IDC_GEN_LIST, IDC_GEN_COMBO}, CRect(0, 0, 80, 40)},
        {"extended without a placeholder", IDD_GEN_EXTENDED, -1, true, 9, "Tahoma", {"LISTBOX", "COMBOBOX"},
         {IDC_GEN_LIST, IDC_GEN_COMBO}, CRect(0, 0, 80, 40)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CGenDialog group;
        ASSERT_TRUE(group.Create(c.nTemplate, c.nPlace, &host));
        EXPECT_TRUE(group.IsCreated());
        EXPECT_EQ(group.IsExtended() != FALSE, c.bExtended);
        EXPECT_EQ(group.GetPointSize(), c.nPointSize);
        EXPECT_EQ(std::string(group.GetFaceName()), c.face);
        EXPECT_EQ(group.GetItemCount(), int(c.ids.size()));
        std::vector<std::string> classes;
        std::vector<UINT> ids;
        for (const CGenDialog::ControlRecord& record : group.GetControls()) {
            classes.emplace_back(record.strClass);
            ids.push_back(record.nID);
        }
        EXPECT_EQ(classes, c.classes);
        EXPECT_EQ(ids, c.ids);
        CRect expected = Pixels(c.firstInUnits.left, c.firstInUnits.top, c.firstInUnits.right, c.firstInUnits.bottom);
        if (c.nPlace != -1)
            expected.OffsetRect(Origin());
        EXPECT_EQ(group.GetControls()[0].rect, expected);
    }
    // The placeholder does stand away from the corner, so the offset above was seen.
    EXPECT_NE(Origin(), CPoint(0, 0));
}

TEST_F(GenDialogTest, ShowingMakesTheControlsOnceAndReportsThoseThatCannotBeMade)
{
    CGenDialog group;
    ASSERT_TRUE(group.Create(IDD_GEN_PLAIN, IDC_GEN_PLACE, &host));
    EXPECT_EQ(Control(IDC_GEN_EDIT), nullptr);   // nothing is made before the first showing

    group.Show();
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[0].text, "Can't create control: {8D2F6C1E-3B4A-4C5D-9E7F-A1B2C3D4E5F6}\n");
    EXPECT_EQ(messageBox.calls[1].text, "Can't create control: NOSUCHWINDOWCLASS\n");
    for (int nID : {IDC_GEN_EDIT, IDC_GEN_LABEL, IDC_GEN_BUTTON}) {
        ASSERT_NE(Control(nID), nullptr) << nID;
        EXPECT_TRUE(::IsWindowVisible(Control(nID))) << nID;
    }
    EXPECT_EQ(Control(IDC_GEN_ACTIVEX), nullptr);
    EXPECT_EQ(Control(IDC_GEN_UNKNOWN), nullptr);
    EXPECT_EQ(WindowText(Control(IDC_GEN_LABEL)), "Label");
    // An edit control gets the sunken edge; a label does not.
    EXPECT_TRUE(::GetWindowLongA(Control(IDC_GEN_EDIT), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(::GetWindowLongA(Control(IDC_GEN_LABEL), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    CRect placed;
    ::GetWindowRect(Control(IDC_GEN_BUTTON), &placed);
    host.ScreenToClient(&placed);
    EXPECT_EQ(placed, group.GetControls()[4].rect);

    // Showing again makes nothing new and reports nothing more.
    const HWND hEdit = Control(IDC_GEN_EDIT);
    group.Show();
    EXPECT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(Control(IDC_GEN_EDIT), hEdit);
}

TEST_F(GenDialogTest, HidingKeepsTheTextsThatTheNextShowingGivesBack)
{
    CGenDialog group;
    ASSERT_TRUE(group.Create(IDD_GEN_PLAIN, IDC_GEN_PLACE, &host));
    group.Show();
    ::SetWindowTextA(Control(IDC_GEN_EDIT), "typed by the user");
    group.Hide();
    EXPECT_FALSE(::IsWindowVisible(Control(IDC_GEN_EDIT)));
    EXPECT_FALSE(::IsWindowVisible(Control(IDC_GEN_BUTTON)));
    ::SetWindowTextA(Control(IDC_GEN_EDIT), "changed while hidden");
    group.Show();
    EXPECT_TRUE(::IsWindowVisible(Control(IDC_GEN_EDIT)));
    EXPECT_EQ(WindowText(Control(IDC_GEN_EDIT)), "typed by the user");
}

TEST_F(GenDialogTest, AMissingTemplateLeavesTheGroupUnmadeAndShowingDoesNothing)
{
    CGenDialog group;
    EXPECT_FALSE(group.Create(IDD_GEN_MISSING, IDC_GEN_PLACE, &host));
    EXPECT_FALSE(group.IsCreated());
    group.Show();
    group.Hide();
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_EQ(::GetWindow(Control(IDC_GEN_PLACE), GW_HWNDNEXT), nullptr);
}

} // namespace
