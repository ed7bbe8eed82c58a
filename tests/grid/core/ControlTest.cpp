#include "grid/core/Control.h"

#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include "ControlTestSupport.h"

#include <gtest/gtest.h>

#include <mbctype.h>

// ---- Choice lists ----

TEST(CGXControl, FindStringInChoiceListPrefersAnExactMatch)
{
    struct Case
    {
        LPCSTR text;
        LPCSTR list;
        BOOL exact;
        int expected;
        LPCSTR item;
    } cases[] = {
        {"ab", "Abc\nAB", FALSE, 1, "AB"},
        {"a", "Abc\nAB", TRUE, -1, ""},
        {"a", "Abc\nAB", FALSE, 0, "Abc"},
        {"b", "Abc\nAB", FALSE, -1, ""},
        {"", "Abc\nAB", FALSE, -1, ""},
        {"ab", "x\r\nAB\r\nab", FALSE, 1, "AB"},
        {"AB", "x\rab", TRUE, 1, "ab"},
    };
    RecordingGrid grid;
    CGXControl control(&grid);
    for (const Case& c : cases)
    {
        CString item = "stale";
        EXPECT_EQ(control.FindStringInChoiceList(item, c.text, c.list, c.exact), c.expected) << c.text << " in " << c.list;
        EXPECT_EQ(item, c.item) << c.text << " in " << c.list;
    }
}

TEST(CGXControl, GetChoiceListItemCutsLinesUpToTheIndex)
{
    struct Case
    {
        LPCSTR list;
        int index;
        BOOL found;
        LPCSTR item;
    } cases[] = {
        {"Abc\nAB", 1, TRUE, "AB"}, {"Abc\nAB", 0, TRUE, "Abc"}, {"Abc\nAB", 2, FALSE, ""},
        {"Abc\nAB", -1, FALSE, ""}, {"a\r\nb\rc", 2, TRUE, "c"},  {nullptr, 0, FALSE, ""},
    };
    RecordingGrid grid;
    CGXControl control(&grid);
    for (const Case& c : cases)
    {
        CString item = "stale";
        EXPECT_EQ(control.GetChoiceListItem(item, c.list, c.index), c.found) << c.index;
        EXPECT_EQ(item, c.item) << c.index;
    }
}

// ---- Validation ----

TEST(CGXControl, OnValidateChecksTheRangeAttributesAndHandsTheWarningToTheGrid)
{
    struct Case
    {
        LPCSTR value;
        LPCSTR minimum;
        LPCSTR maximum;
        BOOL valid;
    } cases[] = {
        {"5", "1", "10", TRUE},   {"0", "1", "10", FALSE}, {"11", "1", "10", FALSE}, {"1", "1", "10", TRUE},
        {"10", "1", "10", TRUE},  {"abc", "1", "", FALSE}, {"-3", "", "10", TRUE},   {"", "1", "10", TRUE},
        {"1e3", "", "999", FALSE},
    };
    for (const Case& c : cases)
    {
        RecordingGrid grid;
        CGXStyle style;
        style.SetValue(c.value);
        if (*c.minimum != '\0')
            style.SetUserAttribute(GX_IDS_UA_VALID_MIN, c.minimum);
        if (*c.maximum != '\0')
            style.SetUserAttribute(GX_IDS_UA_VALID_MAX, c.maximum);
        style.SetUserAttribute(GX_IDS_UA_VALID_MSG, "Out of range");
        grid.StoreCell(2, 3, style);
        EditingControl control(&grid);
        control.Init(2, 3);
        control.SetActive(TRUE);
        control.SetModify(TRUE);

        EXPECT_EQ(control.OnValidate(), c.valid) << c.value;
        EXPECT_EQ(grid.nWarnings, c.valid ? 0 : 1) << c.value;
        EXPECT_EQ(grid.GetValidationWarning(), c.valid ? "" : "Out of range") << c.value;
        // The grid's own hook has the last word only when the range check passed.
        EXPECT_EQ(grid.nValidateHookCalls, c.valid ? 1 : 0) << c.value;
    }
}

TEST(CGXControl, OnValidateWithoutActiveEditingAsksOnlyTheGrid)
{
    RecordingGrid grid;
    CGXStyle style;
    style.SetValue("0").SetUserAttribute(GX_IDS_UA_VALID_MIN, "1");
    grid.StoreCell(1, 1, style);
    EditingControl control(&grid);
    control.Init(1, 1);
    control.SetModify(TRUE);  // modified but not active
    EXPECT_TRUE(control.OnValidate());
    grid.bValidateHookAnswer = FALSE;
    EXPECT_FALSE(control.OnValidate());
    EXPECT_EQ(grid.nWarnings, 0);
}

// ---- Storing texts and values ----

TEST(CGXControl, SetControlTextStoresTheTextCutToTheMaximumLength)
{
    RecordingGrid grid;
    CGXStyle limited;
    limited.SetMaxLength(3);
    grid.StoreCell(1, 1, limited);
    CGXControl* pControl = grid.GetRegisteredControl(0);
    ASSERT_NE(pControl, nullptr);
    EXPECT_TRUE(pControl->SetControlText(1, 1, "abcdef"));
    EXPECT_EQ(grid.StoredValue(1, 1), "abc");
    EXPECT_TRUE(pControl->SetControlText(2, 1, "abcdef"));
    EXPECT_EQ(grid.StoredValue(2, 1), "abcdef");
    EXPECT_EQ(grid.m_pStyleBeingStored, nullptr);
}

TEST(CGXControl, SetControlTextRefusesReadOnlyCellsOnlyWhileTheyAreLocked)
{
    RecordingGrid grid;
    CGXStyle readOnly;
    readOnly.SetReadOnly(TRUE);
    grid.StoreCell(1, 1, readOnly);
    CGXControl* pControl = grid.GetRegisteredControl(0);
    EXPECT_FALSE(pControl->SetControlText(1, 1, "x"));
    EXPECT_EQ(grid.StoredValue(1, 1), "");

    grid.GetParam()->SetLockReadOnly(FALSE);
    EXPECT_TRUE(pControl->SetControlText(1, 1, "x"));
    EXPECT_EQ(grid.StoredValue(1, 1), "x");
}

TEST(CGXControl, IsReadOnlyOnlyWhileTheLockIsOn)
{
    RecordingGrid grid;
    CGXStyle readOnly;
    readOnly.SetReadOnly(TRUE);
    grid.StoreCell(1, 1, readOnly);
    CGXControl control(&grid);
    control.Init(1, 1);
    EXPECT_TRUE(control.IsReadOnly());
    grid.GetParam()->SetLockReadOnly(FALSE);
    EXPECT_FALSE(control.IsReadOnly());

    grid.GetParam()->SetLockReadOnly(TRUE);
    control.Init(2, 2);
    EXPECT_FALSE(control.IsReadOnly());
    grid.SetReadOnly(TRUE);
    EXPECT_TRUE(control.IsReadOnly());
}

TEST(CGXControl, SetValueChangesTheCachedStyleOnly)
{
    RecordingGrid grid;
    CGXStyle style;
    style.SetValue("old");
    grid.StoreCell(1, 1, style);
    CGXControl control(&grid);
    control.SetValue("ignored");  // not initialised: nothing
    control.Init(1, 1);
    control.SetValue("new");
    CString value;
    ASSERT_TRUE(control.GetValue(value));
    EXPECT_EQ(value, "new");
    EXPECT_EQ(grid.StoredValue(1, 1), "old");
    // Init drops the cached style.
    control.Init(1, 1);
    control.GetValue(value);
    EXPECT_EQ(value, "old");
}

TEST(CGXControl, ReplaceSelStoresTheTextOnlyInTheCurrentCell)
{
    RecordingGrid grid;
    CGXControl* pControl = grid.GetRegisteredControl(0);
    pControl->Init(3, 2);
    pControl->ReplaceSel("typed");
    EXPECT_EQ(grid.StoredValue(3, 2), "-");
    grid.SetCurrentCellInfo(TRUE, 3, 2);
    pControl->ReplaceSel("typed");
    EXPECT_EQ(grid.StoredValue(3, 2), "typed");
}

TEST(CGXControl, ApplyStyleToCellTakesTheNewValueForItsOwnCell)
{
    RecordingGrid grid;
    EditingControl control(&grid);
    control.Init(1, 1);
    control.SetModify(TRUE);
    CGXStyle style;
    style.SetValue("applied");
    ASSERT_TRUE(control.ApplyStyleToCell(1, 1, &style, gxOverride, 0, nullptr));
    CString value;
    control.GetValue(value);
    EXPECT_EQ(value, "applied");
    EXPECT_TRUE(control.GetModify());
    EXPECT_EQ(grid.StoredValue(1, 1), "applied");
}

// ---- Keys ----

TEST(CGXControl, DispatchKeyMessageRoutesByMessage)
{
    RecordingGrid grid;
    EditingControl control(&grid);
    EXPECT_TRUE(control.DispatchKeyMessage(WM_KEYDOWN, VK_F2, 1, 0));
    EXPECT_TRUE(control.DispatchKeyMessage(WM_CHAR, 'a', 1, 0));
    EXPECT_FALSE(control.DispatchKeyMessage(WM_KEYUP, VK_F2, 1, 0));
    EXPECT_FALSE(control.DispatchKeyMessage(WM_SYSCHAR, 'x', 1, 0));
    EXPECT_FALSE(control.DispatchKeyMessage(WM_MOUSEMOVE, 0, 0, 0));
    EXPECT_EQ(control.keyDowns, std::vector<UINT>{VK_F2});
    EXPECT_EQ(control.chars, std::vector<UINT>{'a'});
}

TEST(CGXControl, ALeadByteAndItsTrailByteReachCharDbcsOnce)
{
    const int nPreviousCodePage = _getmbcp();
    ASSERT_EQ(_setmbcp(932), 0);
    RecordingGrid grid;
    EditingControl control(&grid);
    EXPECT_TRUE(control.DispatchKeyMessage(WM_CHAR, 0x82, 1, 0));
    EXPECT_TRUE(control.dbcs.empty());
    EXPECT_TRUE(control.DispatchKeyMessage(WM_CHAR, 0xA0, 1, 0));
    EXPECT_TRUE(control.DispatchKeyMessage(WM_CHAR, 'b', 1, 0));
    _setmbcp(nPreviousCodePage);

    ASSERT_EQ(control.dbcs.size(), 1u);
    EXPECT_EQ(control.dbcs[0], "\x82\xA0");
    EXPECT_EQ(control.chars, std::vector<UINT>{'b'});
}

// ---- Class records, children and tips ----

namespace
{
class DerivedControl : public CGXControl
{
    GRID_DECLARE_CONTROL(DerivedControl)
public:
    using CGXControl::CGXControl;
};
GRID_IMPLEMENT_CONTROL(DerivedControl, CGXControl)

// A record of another class that happens to carry the name "DerivedControl".
const CGXControlClassInfo sameNameRecord = {"DerivedControl", nullptr};
const CGXControlClassInfo otherRecord = {"OtherControl", nullptr};
} // namespace

TEST(CGXControl, IsKindOfWalksTheBaseRecordsAndComparesNames)
{
    RecordingGrid grid;
    DerivedControl derived(&grid);
    CGXControl base(&grid);
    EXPECT_TRUE(derived.IsKindOf(GRID_CONTROL_CLASSINFO(CGXControl)));
    EXPECT_TRUE(derived.IsKindOf(GRID_CONTROL_CLASSINFO(DerivedControl)));
    EXPECT_TRUE(derived.IsKindOf(&sameNameRecord));
    EXPECT_FALSE(derived.IsKindOf(&otherRecord));
    EXPECT_FALSE(base.IsKindOf(GRID_CONTROL_CLASSINFO(DerivedControl)));
    EXPECT_STREQ(base.GetClassInfo()->m_lpszClassName, "CGXControl");
}

namespace
{
struct ChildLog
{
    int draws = 0;
    int downs = 0;
    int moves = 0;
    int notifications = 0;
    int deleted = 0;
};

class LoggingChild : public CGXChild
{
public:
    LoggingChild(CGXControl* pControl, ChildLog& log, const CRect& rect) : CGXChild(pControl), m_log(log)
    {
        SetRect(rect);
    }
    ~LoggingChild() override { ++m_log.deleted; }
    void OnDraw(CDC*, BOOL) override { ++m_log.draws; }
    BOOL LButtonDown(UINT, CPoint) override
    {
        ++m_log.downs;
        return TRUE;
    }
    BOOL MouseMove(UINT, CPoint) override
    {
        ++m_log.moves;
        return TRUE;
    }
    void OnGridSysColorChange() override { ++m_log.notifications; }
    void OnGridCancelMode() override { ++m_log.notifications; }
    void OnGridWinIniChange(LPCTSTR) override { ++m_log.notifications; }
    ChildLog& m_log;
};
} // namespace

TEST(CGXControl, ChildrenAreDrawnGivenTheMouseAndDeletedWithTheControl)
{
    RecordingGrid grid;
    ChildLog log;
    {
        CGXControl control(&grid);
        EXPECT_EQ(control.GetChildCount(), 0);
        control.OnGridSysColorChange();  // no children: nothing happens
        control.AddChild(new LoggingChild(&control, log, CRect(0, 0, 10, 10)));
        control.AddChild(new LoggingChild(&control, log, CRect(10, 0, 20, 10)));
        EXPECT_EQ(control.GetChildCount(), 2);

        control.Draw(nullptr, CRect(0, 0, 20, 10), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
        EXPECT_EQ(log.draws, 2);

        EXPECT_FALSE(control.MouseMove(0, CPoint(5, 5)));  // no focus child yet
        EXPECT_TRUE(control.LButtonDown(0, CPoint(15, 5), 0));
        EXPECT_EQ(control.GetFocusChild(), control.GetChild(1));
        EXPECT_TRUE(control.MouseMove(0, CPoint(15, 5)));
        EXPECT_EQ(log.moves, 1);

        control.OnGridSysColorChange();
        control.OnGridCancelMode();
        control.OnGridWinIniChange(nullptr);
        EXPECT_EQ(log.notifications, 6);
    }
    EXPECT_EQ(log.deleted, 2);
}

TEST(CGXControl, AReleaseInsideTheCellTellsTheGridOfTheClick)
{
    RecordingGrid grid;
    CGXControl control(&grid);
    control.Init(2, 3);
    // Cell (2, 3) covers x 60..79 and y 20..29.
    control.LButtonUp(0, CPoint(65, 25), 0);
    control.LButtonUp(0, CPoint(5, 5), 0);
    ASSERT_EQ(grid.clicked.size(), 1u);
    EXPECT_EQ(grid.clicked[0], std::make_pair(ROWCOL(2), ROWCOL(3)));
}

namespace
{
class FixedTip : public CGXCellTipBase
{
public:
    explicit FixedTip(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~FixedTip() override { ++m_nDeleted; }
    UINT GetTipFlags(ROWCOL, ROWCOL, const CGXStyle&) override { return GX_TIP_WIDER; }
    int GetTipKind(ROWCOL, ROWCOL, const CGXStyle&) override { return GX_TIP_BITMAP; }
    void InitTipWindow(ROWCOL, ROWCOL, const CGXStyle&, CGXCellTipWnd*) override {}
    int& m_nDeleted;
};
} // namespace

TEST(CGXControl, TipQueriesForwardToTheAttachedTip)
{
    RecordingGrid grid;
    const CGXStyle style;
    int nDeleted = 0;
    {
        CGXControl control(&grid);
        EXPECT_EQ(control.GetCellTipFlags(1, 1, style), 0u);
        EXPECT_EQ(control.GetCellTipKind(1, 1, style), 0x7FFFFFFF);
        control.AttachCellTip(new FixedTip(nDeleted));
        EXPECT_EQ(control.GetCellTipFlags(1, 1, style), static_cast<UINT>(GX_TIP_WIDER));
        EXPECT_EQ(control.GetCellTipKind(1, 1, style), GX_TIP_BITMAP);
    }
    EXPECT_EQ(nDeleted, 1);
}

// ---- State ----

TEST(CGXControl, InitAndResetMoveBetweenTheStates)
{
    RecordingGrid grid;
    CGXControl control(&grid);
    EXPECT_EQ(control.m_nRow, GX_INVALID);
    EXPECT_FALSE(control.IsInit());
    control.Init(4, 2);
    EXPECT_TRUE(control.IsInit());
    EXPECT_TRUE(control.IsInitAt(4, 2));
    EXPECT_FALSE(control.IsInitAt(4, 3));
    control.Reset();
    EXPECT_FALSE(control.IsInit());
}

TEST(CGXControl, InitActivatesAtOnceWhenTheParameterObjectSaysSo)
{
    RecordingGrid grid;
    EditingControl control(&grid);
    control.Init(1, 1);
    EXPECT_FALSE(control.IsActive());
    grid.GetParam()->m_wActivateCell = 4;
    control.Init(1, 1);
    EXPECT_TRUE(control.IsActive());
}

TEST(CGXControl, CanCutNeedsAnInitialisedWritableCell)
{
    RecordingGrid grid;
    CGXControl control(&grid);
    EXPECT_FALSE(control.CanCut());
    control.Init(1, 1);
    EXPECT_TRUE(control.CanCut());
    grid.SetReadOnly(TRUE);
    EXPECT_FALSE(control.CanCut());
}

// ---- Clipboard ----

namespace
{
// A hidden window that owns the clipboard while a test fills it.
struct ClipboardWindow
{
    ClipboardWindow()
        : hWnd(::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                               nullptr))
    {
    }
    ~ClipboardWindow() { ::DestroyWindow(hWnd); }
    void PutText(LPCSTR text)
    {
        CClipboard clipboard(hWnd);
        ASSERT_TRUE(clipboard.IsOpen());
        clipboard.Empty();
        clipboard.SetText(text);
    }
    CString GetText()
    {
        CClipboard clipboard(hWnd);
        CString text;
        clipboard.GetText(text);
        return text;
    }
    HWND hWnd;
};
} // namespace

TEST(CGXControl, CanPasteIsFalseForAnInactiveControlEvenWithText)
{
    ClipboardWindow window;
    window.PutText("pasted");
    RecordingGrid grid;
    EditingControl control(&grid);
    control.Init(1, 1);
    EXPECT_FALSE(control.CanPaste());
    control.SetActive(TRUE);
    EXPECT_TRUE(control.CanPaste());
}

TEST(CGXControl, PasteInsertsTheClipboardTextIntoTheCurrentCell)
{
    ClipboardWindow window;
    window.PutText("pasted");
    RecordingGrid grid;
    grid.SetCurrentCellInfo(TRUE, 2, 2);
    EditingControl control(&grid);
    control.Init(2, 2);
    EXPECT_FALSE(control.Paste());  // not active
    EXPECT_EQ(grid.StoredValue(2, 2), "-");
    control.SetActive(TRUE);
    EXPECT_TRUE(control.Paste());
    EXPECT_EQ(grid.StoredValue(2, 2), "pasted");
}

TEST(CGXControl, CopyPutsTheCellTextOnTheClipboard)
{
    ClipboardWindow window;
    window.PutText("before");
    RecordingGrid grid;
    CGXStyle style;
    style.SetValue("copied text");
    grid.StoreCell(1, 1, style);
    CGXControl control(&grid);
    control.Init(1, 1);
    EXPECT_TRUE(control.Copy());
    EXPECT_EQ(window.GetText(), "copied text");
}

// ---- Drawing ----

TEST(CGXControl, DrawFrameInvertsAThinFrameByDefault)
{
    RecordingGrid grid;
    grid.GetParam()->m_wHideCurrentCell = 0;  // frame always shown
    CGXControl control(&grid);
    WhiteCanvas canvas(20, 20);
    control.DrawFrame(&canvas.dc, CRect(2, 2, 12, 12), 1, 1, grid.LookupStyleRowCol(1, 1));
    EXPECT_EQ(canvas.At(2, 5), 0u);         // left strip inverted
    EXPECT_EQ(canvas.At(11, 5), 0u);        // right strip
    EXPECT_EQ(canvas.At(6, 2), 0u);         // top strip
    EXPECT_EQ(canvas.At(6, 6), 0xFFFFFFu);  // inside untouched
    EXPECT_EQ(canvas.At(2, 2), 0u);         // corners inverted once
}

TEST(CGXControl, DrawBackgroundFillsTheInterior)
{
    RecordingGrid grid;
    CGXControl control(&grid);
    WhiteCanvas canvas(10, 10);
    CGXStyle style;
    style.SetInterior(RGB(255, 0, 0));
    control.DrawBackground(&canvas.dc, CRect(0, 0, 10, 10), style);
    EXPECT_EQ(canvas.At(5, 5), static_cast<COLORREF>(RGB(255, 0, 0)));
}

TEST(CGXControl, DrawBackgroundShowsBothColoursOfHatchesAndPatterns)
{
    const COLORREF kRed = RGB(255, 0, 0);
    const COLORREF kBlue = RGB(0, 0, 255);
    CGXStyleBrush hatched(CGXStyleBrush::bsHatched, kRed, HS_CROSS);
    hatched.SetBkColor(kBlue);
    CGXStyleBrush pattern;
    pattern.SetPattern(5).SetColor(kRed).SetBkColor(kBlue);
    CGXStyleBrush hollow(CGXStyleBrush::bsHollow, kRed);
    hollow.SetBkColor(kBlue);
    struct Case
    {
        const char* name;
        CGXStyleBrush brush;
        bool bFore;
        bool bBack;
    } cases[] = {{"hatched", hatched, true, true}, {"pattern", pattern, true, true}, {"hollow", hollow, false, false}};
    RecordingGrid grid;
    CGXControl control(&grid);
    for (const Case& c : cases)
    {
        WhiteCanvas canvas(16, 16);
        CGXStyle style;
        style.SetInterior(c.brush);
        control.DrawBackground(&canvas.dc, CRect(0, 0, 16, 16), style);
        EXPECT_EQ(c.bFore, canvas.Count(kRed) > 10) << c.name;
        EXPECT_EQ(c.bBack, canvas.Count(kBlue) > 10) << c.name;
    }
}
