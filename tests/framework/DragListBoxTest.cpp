// CDragListBox with the common controls' drag list: a press, moves and a release over the list box
// reach the object's BeginDrag, Dragging and Dropped through its framework parent, and the default
// Dropped moves the item with its data.
#include "framework/win/DragListBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// Records the drag notifications before the default handling.
class RecordingDragList : public CDragListBox
{
public:
    std::vector<std::string> calls;
    int droppedSource = -2;

    BOOL BeginDrag(CPoint pt) override
    {
        calls.push_back("begin");
        return CDragListBox::BeginDrag(pt);
    }
    UINT Dragging(CPoint pt) override
    {
        calls.push_back("dragging");
        return CDragListBox::Dragging(pt);
    }
    void Dropped(int nSrcIndex, CPoint pt) override
    {
        calls.push_back("dropped");
        droppedSource = nSrcIndex;
        CDragListBox::Dropped(nSrcIndex, pt);
    }
    void CancelDrag(CPoint pt) override
    {
        calls.push_back("cancel");
        CDragListBox::CancelDrag(pt);
    }
};

class DragListBox : public ::testing::Test
{
protected:
    CWnd parent;
    RecordingDragList list;

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Drag", WS_POPUP | WS_VISIBLE, 40, 40, 300, 260,
                                    nullptr, nullptr));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(20, 10, 220, 220), &parent, 302));
        int nData = 100;
        // The components of a chart, and the blank entry that stands for the end of the list.
        for (const char* item : {"Background", "Display", "Legend", "Title", " "})
            list.SetItemData(list.AddString(item), static_cast<DWORD_PTR>(nData++));
        PumpPendingMessages();
    }

    void TearDown() override
    {
        if (CWnd::GetCapture() != nullptr)
            CWnd::ReleaseCapture();
        parent.DestroyWindow();
        PumpPendingMessages();
    }

    // The middle of item nIndex in the list's client coordinates.
    CPoint ItemCentre(int nIndex)
    {
        CRect rectItem;
        list.GetItemRect(nIndex, &rectItem);
        return rectItem.CenterPoint();
    }

    // A mouse message at a client point of the list, with the cursor put there too (the drag list
    // may read either).
    void Mouse(UINT message, CPoint point, WPARAM wParam)
    {
        CPoint screen = point;
        list.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        list.SendMessage(message, wParam, MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
    }

    void DragItem(int nFrom, int nTo)
    {
        Mouse(WM_LBUTTONDOWN, ItemCentre(nFrom), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, ItemCentre(nFrom) + CSize(0, 3), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, ItemCentre(nTo), MK_LBUTTON);
        Mouse(WM_LBUTTONUP, ItemCentre(nTo), 0);
    }

    std::string Items()
    {
        std::string items;
        for (int i = 0; i < list.GetCount(); ++i)
        {
            CString text;
            list.GetText(i, text);
            if (i > 0)
                items += ',';
            items += text;
            items += '=';
            items += std::to_string(list.GetItemData(i));
        }
        return items;
    }
};

TEST_F(DragListBox, DragNotificationsReachTheListObjectInOrder)
{
    DragItem(0, 3);
    ASSERT_GE(list.calls.size(), 3u);
    EXPECT_EQ(list.calls.front(), "begin");
    EXPECT_EQ(list.calls[1], "dragging");
    EXPECT_EQ(list.calls.back(), "dropped");
    EXPECT_EQ(list.droppedSource, 0);
}

TEST_F(DragListBox, DroppedItemMovesInFrontOfTheItemUnderTheDropWithItsData)
{
    DragItem(0, 3);
    EXPECT_EQ(Items(), "Display=101,Legend=102,Background=100,Title=103, =104");
    EXPECT_EQ(list.GetCurSel(), 2);
}

TEST_F(DragListBox, DropOnTheTrailingBlankMovesToTheEnd)
{
    DragItem(1, 4);
    EXPECT_EQ(Items(), "Background=100,Legend=102,Title=103,Display=101, =104");
}

TEST_F(DragListBox, DropOnItselfOrJustBehindChangesNothing)
{
    const std::string before = Items();
    DragItem(2, 2);
    EXPECT_EQ(Items(), before);
    DragItem(2, 3);
    EXPECT_EQ(Items(), before);
}

TEST_F(DragListBox, MovingUpward)
{
    DragItem(3, 1);
    EXPECT_EQ(Items(), "Background=100,Title=103,Display=101,Legend=102, =104");
}

} // namespace
