// Splitter windows in a document's frame: a static 2 x 1 splitter with its pane ids and bar, and a
// dynamic one split and joined again up to 2 x 2.
#include <gtest/gtest.h>

#include "framework/docview/SplitterWnd.h"
#include "tests/framework/DocViewTestSupport.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// Two views of the document one above the other, the upper 100 pixels high.
class CStaticSplitFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CStaticSplitFrame)
public:
    CSplitterWnd m_wndSplitter;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_wndSplitter.CreateStatic(this, 2, 1) &&
               m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CTestView), CSize(0, 100), pContext) &&
               m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CTestView), CSize(0, 0), pContext);
    }
};

IMPLEMENT_DYNCREATE(CStaticSplitFrame, CMDIChildWnd)

// One view that the user may split into up to 2 x 2; rows and columns under 20 pixels go.
class CDynamicSplitFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CDynamicSplitFrame)
public:
    CSplitterWnd m_wndSplitter;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_wndSplitter.Create(this, 2, 2, CSize(20, 20), pContext);
    }
};

IMPLEMENT_DYNCREATE(CDynamicSplitFrame, CMDIChildWnd)

class Splitters : public MdiProgramTest
{
protected:
    CTestDoc* pDoc = nullptr;
    CSplitterWnd* pSplitter = nullptr;

    template <class Frame>
    void OpenWith(CRuntimeClass* pFrameClass)
    {
        auto* pSplitTemplate =
            new CMultiDocTemplate(IDR_TEST_DOCTYPE, RUNTIME_CLASS(CTestDoc), pFrameClass, RUNTIME_CLASS(CTestView));
        app.AddDocTemplate(pSplitTemplate);
        pDoc = static_cast<CTestDoc*>(pSplitTemplate->OpenDocumentFile(nullptr));
        ASSERT_NE(pDoc, nullptr);
        PumpPendingMessages();
        auto* pFrame = dynamic_cast<Frame*>(FrameOf(Views(pDoc)[0]));
        ASSERT_NE(pFrame, nullptr);
        pSplitter = &pFrame->m_wndSplitter;
    }
    CRect PaneRect(int row, int col) const
    {
        CRect rect;
        pSplitter->GetPane(row, col)->GetWindowRect(&rect);
        pSplitter->ScreenToClient(&rect);
        return rect;
    }
    // The mouse presses at from, moves and lets go at to, in the splitter's client coordinates.
    void Drag(CPoint from, CPoint to)
    {
        pSplitter->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        pSplitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        pSplitter->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
};

TEST_F(Splitters, AStaticSplitterNumbersItsPanesByRowAndColumn)
{
    OpenWith<CStaticSplitFrame>(RUNTIME_CLASS(CStaticSplitFrame));
    ASSERT_EQ(pSplitter->GetRowCount(), 2);
    ASSERT_EQ(pSplitter->GetColumnCount(), 1);
    EXPECT_EQ(pSplitter->IdFromRowCol(1, 0), 59664);
    EXPECT_EQ(pSplitter->IdFromRowCol(0, 1), 59649);

    std::vector<CTestView*> views = Views(pDoc);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(pSplitter->GetPane(0, 0), views[0]);
    EXPECT_EQ(pSplitter->GetPane(1, 0), views[1]);
    EXPECT_EQ(views[1]->GetDlgCtrlID(), 59664);
    int row = -1;
    int col = -1;
    EXPECT_TRUE(pSplitter->IsChildPane(views[1], &row, &col));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 0);
    EXPECT_TRUE(pSplitter->IsChildPane(views[0], &row, &col));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 0);
    EXPECT_FALSE(pSplitter->IsChildPane(FrameOf(views[0]), &row, &col));
    EXPECT_FALSE(pSplitter->IsChildPane(nullptr, &row, &col));

    // Both views are in one window of the document, the first pane active.
    EXPECT_EQ(FrameOf(views[0]), FrameOf(views[1]));
    EXPECT_EQ(CaptionOf(FrameOf(views[0])), "Doc1");
    EXPECT_EQ(FrameOf(views[0])->GetActiveView(), views[0]);
    EXPECT_EQ(views[1]->initialUpdates, 1);
    EXPECT_EQ(pSplitter->GetActivePane(&row, &col), views[0]);

    // The upper pane as high as asked, the bar, then the lower pane to the bottom.
    CRect client;
    pSplitter->GetClientRect(&client);
    EXPECT_EQ(PaneRect(0, 0), CRect(0, 0, client.right, 100));
    EXPECT_EQ(PaneRect(1, 0), CRect(0, 100 + pSplitter->m_cySplitter, client.right, client.bottom));
}

TEST_F(Splitters, DraggingTheBarMovesItByTheDistanceDragged)
{
    OpenWith<CStaticSplitFrame>(RUNTIME_CLASS(CStaticSplitFrame));
    CRect client;
    pSplitter->GetClientRect(&client);
    const int nBar = pSplitter->m_cySplitter;
    const struct
    {
        int dy;
        int expectedUpper;   // -1: as low as the splitter allows
    } drags[] = {{40, 140}, {-30, 110}, {-200, 0}, {5000, -1}};
    for (const auto& drag : drags)
    {
        const CRect upper = PaneRect(0, 0);
        const CPoint grab(client.right / 2, upper.bottom + nBar / 2);
        Drag(grab, CPoint(grab.x, grab.y + drag.dy));
        const int expected = drag.expectedUpper == -1 ? client.Height() - nBar : drag.expectedUpper;
        EXPECT_EQ(PaneRect(0, 0).Height(), expected) << drag.dy;
        EXPECT_EQ(PaneRect(1, 0).top, expected + nBar) << drag.dy;
        EXPECT_EQ(PaneRect(1, 0).bottom, client.bottom) << drag.dy;
    }
    // A static splitter keeps both panes however far the bar goes.
    EXPECT_EQ(pSplitter->GetRowCount(), 2);
    EXPECT_EQ(Views(pDoc).size(), 2u);
}

TEST_F(Splitters, ADynamicSplitterSplitsUpToTwoByTwoAndJoinsAgain)
{
    OpenWith<CDynamicSplitFrame>(RUNTIME_CLASS(CDynamicSplitFrame));
    EXPECT_EQ(pSplitter->GetRowCount(), 1);
    EXPECT_EQ(pSplitter->GetColumnCount(), 1);
    CTestView* pFirst = Views(pDoc)[0];

    ASSERT_TRUE(pSplitter->SplitRow(80));
    ASSERT_TRUE(pSplitter->SplitColumn(120));
    EXPECT_FALSE(pSplitter->SplitRow(40));   // two rows at most
    EXPECT_EQ(pSplitter->GetRowCount(), 2);
    EXPECT_EQ(pSplitter->GetColumnCount(), 2);
    std::vector<CTestView*> views = Views(pDoc);
    ASSERT_EQ(views.size(), 4u);   // every pane a view of the same document
    for (CTestView* pView : views)
        EXPECT_EQ(pView->initialUpdates, 1);
    EXPECT_EQ(PaneRect(0, 0).Height(), 80);
    EXPECT_EQ(PaneRect(0, 0).Width(), 120);
    CWnd* pLowerLeft = pSplitter->GetPane(1, 0);
    EXPECT_EQ(pLowerLeft->GetDlgCtrlID(), 59664);

    // The upper row goes: the lower panes move up and take its ids.
    pSplitter->DeleteRow(0);
    EXPECT_EQ(pSplitter->GetRowCount(), 1);
    EXPECT_EQ(pSplitter->GetPane(0, 0), pLowerLeft);
    EXPECT_EQ(pLowerLeft->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(Views(pDoc).size(), 2u);
    EXPECT_NE(FrameOf(Views(pDoc)[0])->GetActiveView(), nullptr);
    (void)pFirst;

    // The column bar dragged onto the left edge removes the left column.
    const CRect left = PaneRect(0, 0);
    Drag(CPoint(left.right + 2, left.Height() / 2), CPoint(left.left + 5, left.Height() / 2));
    EXPECT_EQ(pSplitter->GetColumnCount(), 1);
    EXPECT_EQ(Views(pDoc).size(), 1u);
    EXPECT_EQ(CTestDoc::s_nAlive, 1);
}

TEST_F(Splitters, DraggingTheSplitBoxSplitsWhereItIsLetGo)
{
    OpenWith<CDynamicSplitFrame>(RUNTIME_CLASS(CDynamicSplitFrame));
    const CRect pane = PaneRect(0, 0);
    ASSERT_GT(pane.top, 0);   // the split box lies above the pane
    Drag(CPoint(pane.Width() / 2, pane.top / 2), CPoint(pane.Width() / 2, pane.top + 90));
    EXPECT_EQ(pSplitter->GetRowCount(), 2);
    EXPECT_EQ(PaneRect(0, 0).Height(), 90);
    EXPECT_EQ(Views(pDoc).size(), 2u);
    // A press on a pane is no drag.
    Drag(CPoint(50, 50), CPoint(50, 10));
    EXPECT_EQ(pSplitter->GetRowCount(), 2);
}

} // namespace
