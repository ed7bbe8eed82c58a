// Dragging the spreadsheet-like fill handle of the test host's grid with real mouse messages, and
// where the frame puts its handle.
#include "tests/grid/features/GestureTestSupport.h"

#include "grid/core/Range.h"
#include "framework/win/Dc.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{

class GridExcelLikeFillTest : public GestureTest
{
protected:
    void StartFillHost(const char* pszFillFlags)
    {
        ASSERT_NO_FATAL_FAILURE(StartGestureHost(12, 6));
        Command(ID_GRIDHOST_FILLOPTIONS, {pszFillFlags});
        Command(ID_GRIDHOST_SPREADSHEETFRAME);
    }
    std::string Value(ROWCOL nRow, ROWCOL nCol)
    {
        return static_cast<LPCTSTR>(Grid().GetStoredValueRowCol(nRow, nCol));
    }
    // The handle sits on the bottom-right corner of the block's last cell.
    CPoint Handle(ROWCOL nRow, ROWCOL nCol)
    {
        const CRect cell = Cell(nRow, nCol);
        return CPoint(cell.right - 1, cell.bottom - 1);
    }
    // A point in the lower half of the cell: the drag reaches that row.
    CPoint LowerHalf(ROWCOL nRow, ROWCOL nCol)
    {
        const CRect cell = Cell(nRow, nCol);
        return CPoint(cell.CenterPoint().x, cell.bottom - 2);
    }
    void DragHandle(ROWCOL nRow, ROWCOL nCol, CPoint to) { Drag(Handle(nRow, nCol), {to}, to); }
};

TEST_F(GridExcelLikeFillTest, DraggingTheHandleDownRepeatsTheBlockAndOneUndoRemovesIt)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("1"));
    Command(ID_GRIDHOST_SELECTRANGE, {"1", "1", "2", "2"});
    DragHandle(2, 2, LowerHalf(6, 2));

    for (ROWCOL nRow = 3; nRow <= 6; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 2; ++nCol)
        {
            const ROWCOL nFrom = (nRow - 3) % 2 + 1;
            EXPECT_EQ(Value(nRow, nCol), std::to_string(nFrom) + ":" + std::to_string(nCol)) << nRow << "," << nCol;
        }
    EXPECT_EQ(Value(7, 1), "7:1") << "the fill stops at the pointer's row";
    EXPECT_EQ(Value(3, 3), "3:3") << "only the block's columns are filled";
    EXPECT_EQ(Selection(), std::vector<std::string>{"range cells 1 1 6 2"}) << "the filled block is selected";

    ASSERT_TRUE(Grid().Undo());
    for (ROWCOL nRow = 3; nRow <= 6; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 2; ++nCol)
            EXPECT_EQ(Value(nRow, nCol), std::to_string(nRow) + ":" + std::to_string(nCol)) << "undone " << nRow;
}

TEST_F(GridExcelLikeFillTest, StylesFillDownAndValuesFillRight)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("2"));
    CGXStyle red;
    red.SetInterior(RGB(255, 0, 0));
    Grid().SetStyleRange(CGXRange(1, 1), red, gxApplyNew);
    Command(ID_GRIDHOST_SELECTRANGE, {"1", "1", "2", "2"});
    DragHandle(2, 2, LowerHalf(4, 2));
    CGXStyle style;
    Grid().GetStoredStyleRowCol(3, 1, style, gxCopy, 0);
    EXPECT_TRUE(style.GetIncludeInterior()) << "the style of (1,1) went to (3,1)";
    EXPECT_EQ(Value(3, 1), "1:1") << "with its value";
    EXPECT_EQ(Value(4, 2), "2:2");
    EXPECT_EQ(Value(5, 1), "5:1");

    Command(ID_GRIDHOST_FILLOPTIONS, {"1"});
    Command(ID_GRIDHOST_SELECTRANGE, {"6", "1", "6", "2"});
    const CRect target = Cell(6, 5);
    const CPoint rightHalf(target.right - 2, target.CenterPoint().y);
    DragHandle(6, 2, rightHalf);
    const char* expected[] = {"6:1", "6:2", "6:1", "6:2", "6:1", "6:6"};
    for (ROWCOL nCol = 1; nCol <= 6; ++nCol)
        EXPECT_EQ(Value(6, nCol), expected[nCol - 1]) << "column " << nCol;
    EXPECT_EQ(Selection(), std::vector<std::string>{"range cells 6 1 6 5"});
}

TEST_F(GridExcelLikeFillTest, DraggingBackIntoTheBlockClearsTheRowsGivenUp)
{
    struct Case
    {
        const char* pszFlags;
        BOOL bStylesKept;
    };
    // Each case works on its own two columns.
    const Case cases[] = {{"1", TRUE}, {"2", FALSE}, {"3", FALSE}};
    ASSERT_NO_FATAL_FAILURE(StartFillHost("0"));
    ROWCOL nLeft = 1;
    for (const Case& c : cases)
    {
        const ROWCOL nRight = nLeft + 1;
        Command(ID_GRIDHOST_FILLOPTIONS, {c.pszFlags});
        CGXStyle red;
        red.SetInterior(RGB(255, 0, 0));
        Grid().SetStyleRange(CGXRange(3, nLeft, 4, nRight), red, gxApplyNew);
        Command(ID_GRIDHOST_SELECTRANGE, {"1", std::to_string(nLeft), "4", std::to_string(nRight)});
        DragHandle(4, nRight, LowerHalf(2, nRight));

        for (ROWCOL nRow = 3; nRow <= 4; ++nRow)
            EXPECT_EQ(Value(nRow, nLeft), "") << "flags " << c.pszFlags << " row " << nRow;
        EXPECT_EQ(Value(2, nRight), "2:" + std::to_string(nRight)) << "the kept rows stay";
        EXPECT_EQ(Value(5, nLeft), "5:" + std::to_string(nLeft));
        CGXStyle style;
        Grid().GetStoredStyleRowCol(3, nLeft, style, gxCopy, 0);
        EXPECT_EQ(style.GetIncludeInterior(), c.bStylesKept) << "flags " << c.pszFlags;
        EXPECT_EQ(Selection(), std::vector<std::string>{"range cells 1 " + std::to_string(nLeft) + " 2 " +
                                                        std::to_string(nRight)});
        nLeft += 2;
    }
}

TEST_F(GridExcelLikeFillTest, NoFillFlagsAPressBesideTheHandleOrCancelModeFillNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("0"));
    Command(ID_GRIDHOST_SELECTRANGE, {"1", "1", "2", "2"});
    DragHandle(2, 2, LowerHalf(5, 2));
    EXPECT_EQ(Value(3, 1), "3:1");
    EXPECT_EQ(Value(5, 2), "5:2");

    Command(ID_GRIDHOST_FILLOPTIONS, {"1"});
    Command(ID_GRIDHOST_SELECTRANGE, {"1", "1", "2", "2"});
    Drag(Center(2, 2), {LowerHalf(5, 2)}, LowerHalf(5, 2));
    EXPECT_EQ(Value(3, 1), "3:1") << "a drag from inside the block selects, it does not fill";

    // Cancel mode in the middle of a drag ends it without a fill.
    Command(ID_GRIDHOST_SELECTRANGE, {"1", "1", "2", "2"});
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Handle(2, 2));
    Post(WM_MOUSEMOVE, MK_LBUTTON, LowerHalf(5, 2));
    Grid().OnGridCancelMode();
    Post(WM_LBUTTONUP, 0, LowerHalf(5, 2));
    EXPECT_EQ(Value(3, 1), "3:1") << "cancelled";
    EXPECT_EQ(Grid().GetMouseTrackState() & GX_TRACK_FILLDRAG, 0);
    Drag(Center(4, 4), {Center(5, 5)}, Center(5, 5));
    EXPECT_EQ(Selection(), std::vector<std::string>{"range cells 4 4 5 5"}) << "the next drag selects";
    EXPECT_EQ(Value(3, 1), "3:1");
}

TEST_F(GridExcelLikeFillTest, TheFrameHandleSitsWhereTheSelectionShapeAsks)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("1"));
    struct Case
    {
        std::vector<std::string> range;
        int nHandle;
        CGXRange frame;
    };
    const Case cases[] = {
        {{"2", "2", "3", "3"}, 0, CGXRange(2, 2, 3, 3)},
        {{"2", "0", "3", "0"}, 2, CGXRange(2, 1, 3, 6)},
        {{"0", "2", "0", "3"}, 7, CGXRange(1, 2, 12, 3)},
    };
    for (const Case& c : cases)
    {
        Command(ID_GRIDHOST_SELECTRANGE, c.range);
        Grid().RefreshExcelLikeFrame();
        EXPECT_TRUE(Grid().m_bExcelFrameShown);
        EXPECT_EQ(Grid().m_nExcelFrameHandle, c.nHandle) << c.range[0] << "," << c.range[1];
        const CGXRange& frame = Grid().m_rangeExcelFrame;
        EXPECT_EQ(CGXRange(frame.top, frame.left, frame.bottom, frame.right), c.frame) << c.nHandle;
    }
}

// The frame as the paint draws it, on a white bitmap the size of the grid window.
class FrameCanvas
{
public:
    explicit FrameCanvas(HWND hWnd)
    {
        ::GetClientRect(hWnd, &m_rect);
        HDC hScreen = ::GetDC(hWnd);
        m_hBitmap = ::CreateCompatibleBitmap(hScreen, m_rect.Width(), m_rect.Height());
        ::ReleaseDC(hWnd, hScreen);
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_hOld = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
        ::FillRect(m_dc.GetSafeHdc(), &m_rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~FrameCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
        ::DeleteObject(m_hBitmap);
    }
    FrameCanvas(const FrameCanvas&) = delete;
    FrameCanvas& operator=(const FrameCanvas&) = delete;

    CDC* DC() { return &m_dc; }
    BOOL Inverted(int x, int y) { return (::GetPixel(m_dc.GetSafeHdc(), x, y) & 0xFFFFFF) != 0xFFFFFF; }
    int CountInverted()
    {
        int nCount = 0;
        for (int y = 0; y < m_rect.bottom; ++y)
            for (int x = 0; x < m_rect.right; ++x)
                nCount += Inverted(x, y) ? 1 : 0;
        return nCount;
    }

private:
    CRect m_rect;
    CDC m_dc;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

TEST_F(GridExcelLikeFillTest, TheFrameIsInvertedSoThatDrawingItTwiceRemovesIt)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("1"));
    // The offsets as given for grid lines on the left and top of the cells.
    Grid().GetParam()->m_bLinesRightBottom = FALSE;
    struct Case
    {
        std::vector<std::string> range;
        const char* pszHandle;
        int nCorner;
    };
    const Case cases[] = {
        {{"2", "2", "3", "3"}, "bottom-right", 0},
        {{"2", "0", "3", "0"}, "bottom-left", 1},
        {{"0", "2", "0", "3"}, "top-right", 2},
    };
    for (const Case& c : cases)
    {
        Command(ID_GRIDHOST_SELECTRANGE, c.range);
        FrameCanvas canvas(GridHwnd());
        ASSERT_TRUE(Grid().DrawExcelLikeFrame(canvas.DC(), 0, 0, 0, 0, FALSE, TRUE)) << c.pszHandle;
        const CGXRange& frame = Grid().m_rangeExcelFrame;
        const CRect rect = Grid().CalcRangeRectFromRange(CGXRange(frame.top, frame.left, frame.bottom, frame.right));
        // A pixel that only the handle covers, beyond the frame's lines, at each corner.
        const CPoint corners[] = {{rect.right + 2, rect.bottom + 2},
                                  {rect.left + 3, rect.bottom + 2},
                                  {rect.right + 2, rect.top + 3}};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(canvas.Inverted(corners[i].x, corners[i].y), i == c.nCorner) << c.pszHandle << " corner " << i;
        // A block from the first column keeps its outer left line out of the row headers' pane: its
        // inner line shows.
        const BOOL bFromFirstColumn = frame.left == 1;
        EXPECT_TRUE(canvas.Inverted(bFromFirstColumn ? rect.left + 2 : rect.left - 1, rect.top + 4))
            << c.pszHandle << ": the left line";
        EXPECT_FALSE(bFromFirstColumn && canvas.Inverted(rect.left - 1, rect.top + 4)) << c.pszHandle;
        EXPECT_FALSE(canvas.Inverted(rect.CenterPoint().x, rect.CenterPoint().y)) << c.pszHandle;
        Grid().DrawExcelLikeFrame(canvas.DC(), 0, 0, 0, 0, FALSE, TRUE);
        EXPECT_EQ(canvas.CountInverted(), 0) << c.pszHandle << ": drawn twice, the frame is gone";
    }

    const BOOL bOldLock = Grid().LockExcelLikeFrame(TRUE, FALSE);
    EXPECT_FALSE(bOldLock);
    FrameCanvas locked(GridHwnd());
    EXPECT_FALSE(Grid().DrawExcelLikeFrame(locked.DC(), 0, 0, 0, 0, FALSE, TRUE)) << "locked";
    EXPECT_TRUE(Grid().LockExcelLikeFrame(FALSE, FALSE));

    Command(ID_GRIDHOST_SPREADSHEETFRAME);
    FrameCanvas off(GridHwnd());
    EXPECT_FALSE(Grid().DrawExcelLikeFrame(off.DC(), 0, 0, 0, 0, FALSE, TRUE)) << "frame switched off";
    EXPECT_EQ(off.CountInverted(), 0);
    EXPECT_FALSE(Grid().LockExcelLikeFrame(TRUE, FALSE)) << "a frame switched off never locks";
}

TEST_F(GridExcelLikeFillTest, TheFrameIsDrawnPaneByPaneAndStaysOpenWhereTheBlockGoesOnScrolledOut)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("1"));
    Grid().GetParam()->m_bLinesRightBottom = FALSE;
    Grid().SetColCount(40);
    Grid().SetFrozenCols(1, 0);
    Grid().SetLeftCol(4);
    PumpPendingMessages();
    ASSERT_EQ(Grid().GetLeftCol(), 4u);
    // Columns 1 to 3: the frozen column 1, then columns 2 and 3, which are scrolled out.
    Command(ID_GRIDHOST_SELECTRANGE, {"2", "1", "3", "3"});
    FrameCanvas canvas(GridHwnd());
    ASSERT_TRUE(Grid().DrawExcelLikeFrame(canvas.DC(), 0, 0, 0, 0, FALSE, TRUE));
    const CRect first = Cell(2, 1);
    const CRect last = Cell(3, 1);
    const int nSplit = first.right;
    EXPECT_TRUE(canvas.Inverted(first.left - 1, first.top + 4)) << "the left line";
    EXPECT_TRUE(canvas.Inverted(first.left + 4, first.top - 1)) << "the top line";
    EXPECT_TRUE(canvas.Inverted(first.left + 4, last.bottom)) << "the bottom line";
    for (int x = nSplit - 3; x <= nSplit + 3; ++x)
        for (int y = first.top + 4; y <= last.bottom - 3; ++y)
            ASSERT_FALSE(canvas.Inverted(x, y)) << "no right edge at the split: " << x << "," << y;
    for (int x = nSplit; x <= nSplit + 3; ++x)
        for (int y = last.bottom - 2; y <= last.bottom + 3; ++y)
            ASSERT_FALSE(canvas.Inverted(x, y)) << "no handle at the split: " << x << "," << y;
    const CRect scrolled = Cell(2, 4);
    for (int x = scrolled.left + 4; x < scrolled.right; ++x)
        for (int y = first.top - 1; y <= last.bottom + 3; ++y)
            ASSERT_FALSE(canvas.Inverted(x, y)) << "nothing in the scrolled pane: " << x << "," << y;
}

// The pixels of the window's rectangle as the screen shows them.
std::vector<COLORREF> ShownPixels(HWND hWnd, const CRect& rect)
{
    HDC hWindow = ::GetDC(hWnd);
    HDC hMemory = ::CreateCompatibleDC(hWindow);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hWindow, rect.Width(), rect.Height());
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    ::BitBlt(hMemory, 0, 0, rect.Width(), rect.Height(), hWindow, rect.left, rect.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            pixels.push_back(::GetPixel(hMemory, x, y));
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(hWnd, hWindow);
    return pixels;
}

TEST_F(GridExcelLikeFillTest, WithGridLinesOnTheRightAndBottomFrameAndFeedbackStayOffThem)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("1"));
    struct Case
    {
        const char* name;
        BOOL bRightBottom;
        int nOuterLine;
        int nFeedbackLeft;
        int nFeedbackRight;
    };
    const CRect block = Grid().CalcRangeRectFromRange(CGXRange(2, 2, 4, 2));
    const Case cases[] = {
        {"lines left and top", FALSE, block.left - 1, block.left + 1, block.right - 1},
        {"lines right and bottom", TRUE, block.left - 2, block.left, block.right - 2},
    };
    for (const Case& c : cases)
    {
        Grid().GetParam()->m_bLinesRightBottom = c.bRightBottom;
        Command(ID_GRIDHOST_SELECTRANGE, {"2", "2", "2", "2"});
        FrameCanvas canvas(GridHwnd());
        ASSERT_TRUE(Grid().DrawExcelLikeFrame(canvas.DC(), 0, 0, 0, 0, FALSE, TRUE)) << c.name;
        const int y = Cell(2, 2).CenterPoint().y;
        EXPECT_TRUE(canvas.Inverted(c.nOuterLine, y)) << c.name;
        EXPECT_FALSE(canvas.Inverted(c.nOuterLine + (c.bRightBottom ? 1 : -1), y)) << c.name;

        // The handle dragged two rows down shows the feedback of rows 2 to 4; where it lies is
        // read from the screen.
        Post(WM_LBUTTONDOWN, MK_LBUTTON, Handle(2, 2));
        CRect area = block;
        area.InflateRect(6, 6);
        const std::vector<COLORREF> before = ShownPixels(GridHwnd(), area);
        Post(WM_MOUSEMOVE, MK_LBUTTON, LowerHalf(4, 2));
        const std::vector<COLORREF> after = ShownPixels(GridHwnd(), area);
        Grid().SendMessage(WM_CANCELMODE);
        PumpPendingMessages();
        int nLeft = area.right;
        int nRight = area.left;
        for (int i = 0; i < static_cast<int>(before.size()); ++i)
            if (before[static_cast<size_t>(i)] != after[static_cast<size_t>(i)])
            {
                const int x = area.left + i % area.Width();
                nLeft = std::min(nLeft, x);
                nRight = std::max(nRight, x);
            }
        EXPECT_EQ(nLeft, c.nFeedbackLeft) << c.name;
        EXPECT_EQ(nRight, c.nFeedbackRight) << c.name;
    }
}
} // namespace
