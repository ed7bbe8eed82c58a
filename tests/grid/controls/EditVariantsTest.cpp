// The edit-cell variants in a real grid window: the spin edit stepping within bounds by its arrow
// buttons, the password cell, the scroll-bar edit and the hot-spot edit; and how the factory and
// the styles map know them.
#include "grid/controls/Buttons.h"
#include "grid/controls/HotSpotEdit.h"
#include "grid/controls/PasswordControl.h"
#include "grid/controls/SpinEdit.h"
#include "grid/controls/VScrollEdit.h"
#include "grid/core/ControlFactory.h"

#include "framework/win/SeamRecorders.h"

#include "EditCellTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
class EditVariantsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        grid.GetParam()->m_bGridPastesOwnFormat = FALSE;
        ROWCOL nRow = 0, nCol = 0;
        ASSERT_EQ(grid.HitTest(CPoint(130, 45), &nRow, &nCol), GX_CELLHIT);
        ASSERT_EQ(nRow, 2u);
        ASSERT_EQ(nCol, 2u);
    }
    void TearDown() override { HoldKeys({}); }

    template <class Control>
    Control* Registered(UINT nId)
    {
        Control* pControl = dynamic_cast<Control*>(grid.GetRegisteredControl(static_cast<WORD>(nId)));
        EXPECT_NE(pControl, nullptr) << nId;
        return pControl;
    }
    // Makes the cell current (the grid attaches its control).
    void MakeCurrent(ROWCOL nRow, ROWCOL nCol) { ASSERT_TRUE(grid.MoveCurrentCell(nRow, nCol)); }
    // Lays the active editor over its cell as the grid's painting would.
    static void Show(CGXEditControl* pEdit, CGXGridWnd& gridWnd)
    {
        CClientDC dc(&gridWnd);
        pEdit->Draw(&dc, gridWnd.CalcCellRect(pEdit->m_nRow, pEdit->m_nCol), pEdit->m_nRow, pEdit->m_nCol,
                    pEdit->GetCachedStyle(), nullptr);
        pEdit->UpdateEditStyle();
    }

    // The middle of a child where the control lays it out for its own cell (painting other cells of
    // the control moves its children there).
    static CPoint CentreOf(CGXControl* pControl, CGXChild* pChild)
    {
        pControl->LayoutChildren(pControl->m_nRow, pControl->m_nCol,
                                 pControl->CGXControl::GetCellRect(pControl->m_nRow, pControl->m_nCol));
        return pChild->GetRect().CenterPoint();
    }

    ButtonHookGrid grid;
};

// A spin cell with the given value and bound attributes ("" leaves one out).
CGXStyle SpinStyle(LPCTSTR pszValue, LPCTSTR pszMin, LPCTSTR pszMax, LPCTSTR pszWrap, LPCTSTR pszStart = "")
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_SPINEDIT).SetValue(pszValue);
    if (*pszMin != 0)
        style.SetUserAttribute(GX_IDS_UA_SPINBOUND_MIN, pszMin);
    if (*pszMax != 0)
        style.SetUserAttribute(GX_IDS_UA_SPINBOUND_MAX, pszMax);
    if (*pszWrap != 0)
        style.SetUserAttribute(GX_IDS_UA_SPINBOUND_WRAP, pszWrap);
    if (*pszStart != 0)
        style.SetUserAttribute(GX_IDS_UA_SPINSTART, pszStart);
    return style;
}
}  // namespace

TEST_F(EditVariantsTest, SpinArrowsStepWithinTheBoundsWrappingOnlyWhenAskedTo)
{
    struct Case
    {
        const char* pszValue;
        const char* pszMin;
        const char* pszMax;
        const char* pszWrap;
        const char* pszStart;
        BOOL bUp;
        const char* pszResult;
    } cases[] = {
        {"10", "0", "10", "1", "", TRUE, "0"},
        {"0", "0", "10", "1", "", FALSE, "10"},
        {"10", "0", "10", "", "", TRUE, "10"},
        {"0", "0", "10", "0", "", FALSE, "0"},
        {"5", "", "5", "1", "", TRUE, "5"},      // no minimum to wrap to
        {"4", "0", "10", "", "", TRUE, "5"},
        {"4", "0", "10", "", "", FALSE, "3"},
        {"", "", "", "", "7", TRUE, "7"},        // an empty cell takes the start value
        {"", "", "", "", "7", FALSE, "7"},
        {"", "10", "20", "", "7", TRUE, "10"},   // clamped into the bounds
        {"abc", "", "", "", "", TRUE, "1"},
        {"25", "0", "10", "", "", FALSE, "10"},  // out of bounds: clamped
        {"2147483647", "", "", "", "", TRUE, "2147483647"},    // no overflow past the largest number
        {"-2147483648", "", "", "", "", FALSE, "-2147483648"},
    };
    CGXSpinEdit* pSpin = Registered<CGXSpinEdit>(GX_IDS_CTRL_SPINEDIT);
    ASSERT_NE(pSpin, nullptr);
    int nCase = 0;
    for (const Case& c : cases)
    {
        // A cell of its own for each case, so no attribute of another case stays.
        const ROWCOL nRow = nCase % 9 + 1;
        const ROWCOL nCol = 2 + 2 * (nCase++ / 9);
        grid.SetCell(nRow, nCol, SpinStyle(c.pszValue, c.pszMin, c.pszMax, c.pszWrap, c.pszStart));
        MakeCurrent(nRow, nCol);
        ASSERT_EQ(grid.GetCurrentCellControl(), pSpin);
        CGXArrowButton* pArrow = c.bUp ? static_cast<CGXArrowButton*>(pSpin->GetUpButton()) : pSpin->GetDownButton();
        grid.Click(CentreOf(pSpin, pArrow));
        EXPECT_EQ(WindowTextOf(pSpin->m_hWnd), c.pszResult) << c.pszValue << (c.bUp ? " up" : " down");
        EXPECT_TRUE(pSpin->IsActive());
        // Leaving the cell stores the stepped value.
        MakeCurrent(nRow, 1);
        EXPECT_EQ(grid.Stored(nRow, nCol), c.pszResult) << c.pszValue;
    }
}

TEST_F(EditVariantsTest, EverySpinStepReachesTheGridsButtonHook)
{
    grid.SetCell(2, 2, SpinStyle("1", "", "", ""));
    MakeCurrent(2, 2);
    CGXSpinEdit* pSpin = Registered<CGXSpinEdit>(GX_IDS_CTRL_SPINEDIT);
    grid.Click(CentreOf(pSpin, pSpin->GetUpButton()));
    grid.Click(CentreOf(pSpin, pSpin->GetUpButton()));
    EXPECT_EQ(WindowTextOf(pSpin->m_hWnd), "3");
    ASSERT_EQ(grid.buttonClicks.size(), 2u);
    EXPECT_EQ(grid.buttonClicks[0], std::make_pair(ROWCOL(2), ROWCOL(2)));
}

TEST_F(EditVariantsTest, AHeldSpinArrowStepsAgainWhenTheMouseMovesAfterTheWait)
{
    CManualTickClock clock;
    CScopedTickClock seam(&clock);
    grid.SetCell(2, 2, SpinStyle("0", "", "", ""));
    MakeCurrent(2, 2);
    CGXSpinEdit* pSpin = Registered<CGXSpinEdit>(GX_IDS_CTRL_SPINEDIT);
    const CPoint point = CentreOf(pSpin, pSpin->GetDownButton());
    ::SendMessageA(grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(WindowTextOf(pSpin->m_hWnd), "-1");
    clock.now = 499;
    ::SendMessageA(grid.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(WindowTextOf(pSpin->m_hWnd), "-1");
    clock.now = 500;
    ::SendMessageA(grid.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(WindowTextOf(pSpin->m_hWnd), "-2");
    clock.now = 650;
    ::SendMessageA(grid.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(WindowTextOf(pSpin->m_hWnd), "-3");
    ::SendMessageA(grid.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(WindowTextOf(pSpin->m_hWnd), "-3") << "no step on release";
    EXPECT_EQ(grid.buttonClicks.size(), 3u);
}

TEST_F(EditVariantsTest, SpinButtonsStandOneAboveTheOtherAlongTheRightEdge)
{
    CGXSpinEdit* pSpin = Registered<CGXSpinEdit>(GX_IDS_CTRL_SPINEDIT);
    pSpin->LayoutChildren(1, 1, CRect(100, 40, 180, 61));
    EXPECT_EQ(pSpin->GetUpButton()->GetRect(), CRect(165, 41, 179, 50));
    EXPECT_EQ(pSpin->GetDownButton()->GetRect(), CRect(165, 50, 179, 60));
    // The text leaves room for them.
    grid.SetCell(1, 1, SpinStyle("1", "", "", ""));
    const CRect rect(100, 40, 180, 60);
    EXPECT_EQ(pSpin->GetCellRect(1, 1, &rect).right, pSpin->CGXStatic::GetCellRect(1, 1, &rect).right - 14);
}

TEST_F(EditVariantsTest, APasswordCellShowsStarsEditsTheRealTextAndCopiesNothing)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_PASSWORD).SetValue("abc");
    grid.SetCell(1, 1, style);
    CGXPasswordControl* pPassword = Registered<CGXPasswordControl>(GX_IDS_CTRL_PASSWORD);
    ASSERT_NE(pPassword, nullptr);
    CString shown;
    pPassword->GetControlText(shown, 1, 1, nullptr, grid.LookupStyleRowCol(1, 1));
    EXPECT_EQ(shown, "***");

    MakeCurrent(1, 1);
    PutTextOnClipboard("before");
    EXPECT_TRUE(pPassword->KeyDown(VK_END, 1, 0));
    Show(pPassword, grid);
    EXPECT_EQ(WindowTextOf(pPassword->m_hWnd), "abc");
    EXPECT_EQ(::SendMessageA(pPassword->m_hWnd, EM_GETPASSWORDCHAR, 0, 0), '*');
    const LONG lStyle = ::GetWindowLongA(pPassword->m_hWnd, GWL_STYLE);
    EXPECT_NE(lStyle & ES_PASSWORD, 0);
    EXPECT_EQ(lStyle & ES_MULTILINE, 0);

    ::SendMessageA(pPassword->m_hWnd, EM_SETSEL, 0, -1);
    HoldKeys({VK_CONTROL});
    ::SendMessageA(pPassword->m_hWnd, WM_CHAR, 3, 1);
    ::SendMessageA(pPassword->m_hWnd, WM_CHAR, 0x18, 1);
    HoldKeys({});
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_TRUE(pPassword->Copy());
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_EQ(WindowTextOf(pPassword->m_hWnd), "abc") << "nothing was cut";

    ::SendMessageA(pPassword->m_hWnd, EM_SETSEL, 3, 3);
    ::SendMessageA(pPassword->m_hWnd, WM_CHAR, 'd', 1);
    MakeCurrent(2, 1);
    EXPECT_EQ(grid.Stored(1, 1), "abcd");
}

TEST_F(EditVariantsTest, TheScrollBarEditHasItsBarOnlyInWordWrappedCells)
{
    CGXVScrollEdit* pEdit = Registered<CGXVScrollEdit>(GX_IDS_CTRL_SCROLLEDIT);
    ASSERT_NE(pEdit, nullptr);
    struct Case
    {
        BOOL bWrap;
        BOOL bScrollBar;
    } cases[] = {{TRUE, TRUE}, {FALSE, FALSE}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_SCROLLEDIT).SetWrapText(c.bWrap).SetValue("one two three four five six");
        grid.SetCell(3, 2, style);
        MakeCurrent(3, 2);
        pEdit->KeyDown(VK_HOME, 1, 0);
        Show(pEdit, grid);
        const LONG lStyle = ::GetWindowLongA(pEdit->m_hWnd, GWL_STYLE);
        EXPECT_EQ((lStyle & WS_VSCROLL) != 0, c.bScrollBar) << c.bWrap;
        EXPECT_EQ((lStyle & ES_AUTOHSCROLL) != 0, !c.bWrap) << c.bWrap;
        MakeCurrent(1, 1);
    }
    const CRect rect(0, 0, 100, 20);
    const CGXStyle& style = grid.LookupStyleRowCol(3, 2);
    EXPECT_EQ(pEdit->GetCellRect(3, 2, &rect, &style).right,
              pEdit->CGXStatic::GetCellRect(3, 2, &rect, &style).right - ::GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(EditVariantsTest, TheHotSpotButtonSitsInTheTopRightCorner)
{
    CGXHotSpotEdit* pHotSpot = Registered<CGXHotSpotEdit>(GX_IDS_CTRL_HOTSPOT);
    ASSERT_NE(pHotSpot, nullptr);
    struct Case
    {
        CRect cell;
        CRect button;
    } cases[] = {
        {CRect(100, 40, 180, 60), CRect(166, 41, 179, 54)},   // one pixel down in a taller cell
        {CRect(100, 40, 180, 54), CRect(166, 40, 179, 53)},
        {CRect(100, 40, 180, 50), CRect(166, 40, 179, 50)},   // cut to the cell
        {CRect(100, 40, 110, 60), CRect(100, 41, 109, 54)},
    };
    for (const Case& c : cases)
    {
        pHotSpot->LayoutChildren(1, 1, c.cell);
        EXPECT_EQ(pHotSpot->GetButton()->GetRect(), c.button) << c.cell.Height();
    }
}

TEST_F(EditVariantsTest, AClickOnTheHotSpotReachesTheGridsButtonHook)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_HOTSPOT).SetValue("text");
    grid.SetCell(2, 3, style);
    MakeCurrent(2, 3);
    CGXHotSpotEdit* pHotSpot = Registered<CGXHotSpotEdit>(GX_IDS_CTRL_HOTSPOT);
    CentreOf(pHotSpot, pHotSpot->GetButton());
    const CRect button = pHotSpot->GetButton()->GetRect();
    EXPECT_TRUE(grid.CalcCellRect(2, 3).PtInRect(button.TopLeft()));
    grid.Click(button.CenterPoint());
    ASSERT_EQ(grid.buttonClicks.size(), 1u);
    EXPECT_EQ(grid.buttonClicks[0], std::make_pair(ROWCOL(2), ROWCOL(3)));
    // A click beside the button is none of its business.
    grid.Click(CPoint(button.left - 20, button.top + 2));
    EXPECT_EQ(grid.buttonClicks.size(), 1u);
}

TEST_F(EditVariantsTest, TheFactoryMakesEachVariantForItsId)
{
    CGXControlFactory factory;
    struct Case
    {
        UINT nId;
        const CGXControlClassInfo* pClass;
    } cases[] = {
        {GX_IDS_CTRL_PASSWORD, GRID_CONTROL_CLASSINFO(CGXPasswordControl)},
        {GX_IDS_CTRL_SCROLLEDIT, GRID_CONTROL_CLASSINFO(CGXVScrollEdit)},
        {GX_IDS_CTRL_HOTSPOT, GRID_CONTROL_CLASSINFO(CGXHotSpotEdit)},
        {GX_IDS_CTRL_SPINEDIT, GRID_CONTROL_CLASSINFO(CGXSpinEdit)},
    };
    for (const Case& c : cases)
    {
        std::unique_ptr<CGXControl> pControl(factory.CreateControl(c.nId, &grid));
        ASSERT_NE(pControl, nullptr);
        EXPECT_EQ(pControl->GetClassInfo(), c.pClass) << c.nId;
        EXPECT_TRUE(pControl->IsKindOf(GRID_CONTROL_CLASSINFO(CGXEditControl)));
        CGXEditControl* pEdit = dynamic_cast<CGXEditControl*>(pControl.get());
        ASSERT_NE(pEdit, nullptr);
        EXPECT_STREQ(pEdit->GetWndRuntimeClass()->m_lpszClassName, c.pClass->m_lpszClassName);
        EXPECT_FALSE(pEdit->IsFloatCandidate(1, 1, grid.LookupStyleRowCol(1, 1), FALSE));
    }
}

TEST_F(EditVariantsTest, TheSpinAttributesAreRegisteredWithTheirNamesAndEditingControls)
{
    CGXStylesMap stylesMap;
    CGXControlFactory factory;
    factory.RegisterAllUserAttributes(&stylesMap);
    struct Case
    {
        WORD nId;
        const char* pszName;
        UINT nControl;
    } cases[] = {
        {GX_IDS_UA_SPINBOUND_MIN, "SpinBound: Min. Value", GX_IDS_CTRL_SPINEDIT},
        {GX_IDS_UA_SPINBOUND_MAX, "SpinBound: Max. Value", GX_IDS_CTRL_SPINEDIT},
        {GX_IDS_UA_SPINBOUND_WRAP, "SpinBound: Wrap Value", GX_IDS_CTRL_CHECKBOX3D},
        {GX_IDS_UA_SPINSTART, "SpinEdit: start value", GX_IDS_CTRL_SPINEDIT},
    };
    for (const Case& c : cases)
    {
        const CGXStylesMapUserAttributeInfo* pInfo = stylesMap.LookupUserAttributeInfo(c.nId);
        ASSERT_NE(pInfo, nullptr) << c.nId;
        EXPECT_EQ(pInfo->sName, c.pszName);
        ASSERT_NE(pInfo->pStyle, nullptr);
        EXPECT_EQ(pInfo->pStyle->GetControl(), c.nControl) << c.nId;
    }
}
