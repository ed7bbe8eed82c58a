// The thin common-control classes where they do more than pass one message: an image list made
// from a bitmap resource with a mask colour, tree items with images and data found again by a hit
// test, and tooltip tools for a window and for a rectangle, with a text from the string table.
#include "framework/win/ImageList.h"
#include "framework/win/ToolTipCtrl.h"
#include "framework/win/TreeCtrl.h"

#include <gtest/gtest.h>

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinCoreTestResources.h"
#include "tests/framework/WinTestSupport.h"

namespace {

class CommonControls : public ::testing::Test
{
protected:
    CWnd parent;

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Common", WS_POPUP | WS_VISIBLE, 40, 40, 320, 260,
                                    nullptr, nullptr));
    }

    void TearDown() override
    {
        parent.DestroyWindow();
        PumpPendingMessages();
    }
};

TEST(ImageList, BitmapResourceSplitsIntoImagesWithTheMaskColourTransparent)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_TREE_IMAGES, 16, 1, RGB(255, 255, 255)));
    EXPECT_EQ(images.GetImageCount(), 3);

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(16, 16, 1, 32, nullptr));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    CBrush grey(RGB(128, 128, 128));
    CRect all(0, 0, 16, 16);
    dc.FillRect(&all, &grey);
    EXPECT_TRUE(images.Draw(&dc, 2, CPoint(0, 0), ILD_TRANSPARENT));
    const COLORREF corner = dc.GetPixel(1, 1);
    const COLORREF centre = dc.GetPixel(8, 8);
    dc.SelectObject(pOld);
    EXPECT_EQ(corner, RGB(128, 128, 128));   // white was the mask colour
    EXPECT_EQ(centre, RGB(0, 0, 255));       // the third image is the blue one
}

TEST(ImageList, DestroysItsListAndLetsADetachedOneLive)
{
    HIMAGELIST hKept = nullptr;
    {
        CImageList images;
        ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 1));
        EXPECT_EQ(CImageList::FromHandlePermanent(images.m_hImageList), &images);
        hKept = images.Detach();
    }
    EXPECT_EQ(ImageList_GetImageCount(hKept), 0);   // still a valid list
    CImageList* pTemporary = CImageList::FromHandle(hKept);
    EXPECT_EQ(pTemporary->m_hImageList, hKept);
    CImageList::DeleteTempMap();
    EXPECT_TRUE(ImageList_Destroy(hKept));
}

TEST_F(CommonControls, TreeItemsKeepImagesAndDataAndAreFoundByHitTest)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_TREE_IMAGES, 16, 1, RGB(255, 255, 255)));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                            CRect(10, 10, 300, 240), &parent, 305));
    EXPECT_EQ(tree.SetImageList(&images, TVSIL_NORMAL), nullptr);

    HTREEITEM hRoot = tree.InsertItem("Chart", 1, 0);
    HTREEITEM hComponents = tree.InsertItem("Components", 2, 2, hRoot);
    HTREEITEM hLegend = tree.InsertItem("Legend", 0, 1, hComponents);
    tree.SetItemData(hLegend, 0x5150);
    tree.Expand(hRoot, TVE_EXPAND);
    tree.Expand(hComponents, TVE_EXPAND);
    PumpPendingMessages();

    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), hRoot);
    EXPECT_EQ(tree.GetChildItem(hRoot), hComponents);
    EXPECT_EQ(tree.GetParentItem(hLegend), hComponents);
    EXPECT_STREQ(tree.GetItemText(hLegend), "Legend");
    EXPECT_EQ(tree.GetItemData(hLegend), 0x5150u);
    int nImage = -1;
    int nSelected = -1;
    ASSERT_TRUE(tree.GetItemImage(hRoot, nImage, nSelected));
    EXPECT_EQ(nImage, 1);
    EXPECT_EQ(nSelected, 0);

    CRect rectText;
    ASSERT_TRUE(tree.GetItemRect(hLegend, &rectText, TRUE));
    UINT nFlags = 0;
    EXPECT_EQ(tree.HitTest(rectText.CenterPoint(), &nFlags), hLegend);
    EXPECT_NE(nFlags & TVHT_ONITEMLABEL, 0u);
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), &images);

    EXPECT_TRUE(tree.SetItemText(hLegend, "Title"));
    EXPECT_STREQ(tree.GetItemText(hLegend), "Title");
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(CommonControls, ToolTipToolsForAWindowAndForARectangle)
{
    CWnd button;
    ASSERT_TRUE(button.Create("BUTTON", "Zoom", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40), &parent, 306));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&parent, TTS_ALWAYSTIP));
    ASSERT_TRUE(tips.AddTool(&button, "Zoom Out"));
    const CRect area(100, 100, 200, 150);
    ASSERT_TRUE(tips.AddTool(&parent, IDS_TEST_PROMPT, &area, 7));
    EXPECT_EQ(tips.GetToolCount(), 2);

    CString text;
    tips.GetText(text, &button);
    EXPECT_STREQ(text, "Zoom Out");
    tips.GetText(text, &parent, 7);
    EXPECT_STREQ(text, "Unsaved data will be lost. Save now?");

    tips.UpdateTipText("Zoom In", &button);
    tips.GetText(text, &button);
    EXPECT_STREQ(text, "Zoom In");

    TTTOOLINFOA info;
    EXPECT_TRUE(tips.HitTest(&parent, CPoint(150, 120), &info));
    EXPECT_EQ(info.uId, 7u);
    EXPECT_FALSE(tips.HitTest(&parent, CPoint(20, 200), &info));

    tips.DelTool(&button);
    EXPECT_EQ(tips.GetToolCount(), 1);
}

} // namespace
