// The edit dialog's component tree: where the pointer was seen and which item a press hit.
#include <gtest/gtest.h>

#include "ChartViewTestSupport.h"
#include "chart/ui/GTreeCtrl.h"
#include "tests/framework/WinTestSupport.h"

TEST_F(ChartViewTest, TheTreeRemembersThePointerAndTheItemAPressHit)
{
    QVGTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES, CRect(10, 10, 210, 160), pView, 100));
    HTREEITEM hFirst = tree.InsertItem("Background");
    HTREEITEM hSecond = tree.InsertItem("Display");
    PumpPendingMessages();

    tree.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));
    CPoint screen(30, 40);
    tree.ClientToScreen(&screen);
    EXPECT_EQ(screen, tree.GetCursorPoint());

    const struct
    {
        UINT nDown;
        UINT nUp;
        HTREEITEM hItem;   // NULL: below the items
    } presses[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, hSecond},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, hFirst},
        {WM_LBUTTONDOWN, WM_LBUTTONUP, nullptr},
    };
    for (const auto& press : presses) {
        CPoint point(20, 130);
        if (press.hItem != nullptr) {
            CRect item;
            ASSERT_TRUE(tree.GetItemRect(press.hItem, &item, TRUE));
            point = item.CenterPoint();
        }
        // The control follows a press until the button comes up: the release waits in the queue.
        tree.PostMessage(press.nUp, 0, MAKELPARAM(point.x, point.y));
        tree.SendMessage(press.nDown, press.nDown == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON,
                         MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
        EXPECT_EQ(press.hItem, tree.GetHitItem()) << press.nDown;
    }
    tree.DestroyWindow();
}
