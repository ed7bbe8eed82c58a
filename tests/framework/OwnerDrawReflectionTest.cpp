// Owner-drawn list and combo boxes measure their items through their framework objects: the
// WM_MEASUREITEM their parent gets (also the ones sent while the control is being created, before
// CreateWindowEx returns) reaches the control's MeasureItem, and WM_DRAWITEM its DrawItem.
#include "framework/win/CheckListBox.h"
#include "framework/win/Controls.h"
#include "framework/win/WinApp.h"

#include <gtest/gtest.h>

#include "tests/framework/WinTestSupport.h"

#include <vector>

namespace {

const UINT kControlID = 411;
const UINT kItemHeight = 31;

class MeasuredList : public CListBox
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasure) override
    {
        measured.push_back(static_cast<int>(lpMeasure->itemID));
        lpMeasure->itemHeight = kItemHeight;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDraw) override { drawn.push_back(static_cast<int>(lpDraw->itemID)); }
    std::vector<int> measured;
    std::vector<int> drawn;
};

class MeasuredCombo : public CComboBox
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasure) override
    {
        measured.push_back(static_cast<int>(lpMeasure->itemID));
        lpMeasure->itemHeight = kItemHeight;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override {}
    std::vector<int> measured;
};

class OwnerDrawReflection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_POPUP | WS_VISIBLE, 40, 40, 300, 240,
                                    nullptr, nullptr));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        PumpPendingMessages();
    }
    CWnd parent;
};

} // namespace

TEST_F(OwnerDrawReflection, AFixedListIsMeasuredWhileItIsCreated)
{
    MeasuredList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 100, 100), &parent,
                            kControlID));
    EXPECT_FALSE(list.measured.empty()) << "measured during its creation";
    EXPECT_EQ(list.GetItemHeight(0), static_cast<int>(kItemHeight));
    list.AddString("one");
    list.UpdateWindow();
    PumpPendingMessages();
    EXPECT_EQ(list.drawn, std::vector<int>{0});
}

TEST_F(OwnerDrawReflection, AVariableComboIsMeasuredForItsFieldAndItsItems)
{
    MeasuredCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS,
                             CRect(0, 0, 100, 200), &parent, kControlID));
    ASSERT_FALSE(combo.measured.empty()) << "the field is measured while the combo is created";
    EXPECT_EQ(combo.measured.front(), -1);
    // The system adds the field's own margins to the measured height.
    EXPECT_GE(combo.GetItemHeight(-1), static_cast<int>(kItemHeight));
    combo.AddString("one");
    EXPECT_EQ(combo.measured.back(), 0);
    EXPECT_EQ(combo.GetItemHeight(0), static_cast<int>(kItemHeight));
}
