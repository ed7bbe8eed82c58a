// Controls on real windows: text, selection, check state and lists, and owner drawing reflected
// from the parent to the control object.
#include "framework/win/Controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "tests/framework/WinTestSupport.h"

namespace {

constexpr COLORREF kSwatch = RGB(200, 30, 90);

LPCTSTR ParentClassName()
{
    static const char* name = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "ControlsTestParent";
        ::RegisterClassA(&wc);
        return "ControlsTestParent";
    }();
    return name;
}

class Controls : public ::testing::Test
{
protected:
    CWnd parent;

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, ParentClassName(), "Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                    420, 320, nullptr, nullptr));
        PumpPendingMessages();
    }

    void TearDown() override
    {
        if (parent.m_hWnd != nullptr)
            parent.DestroyWindow();
        PumpPendingMessages();
    }

    CString TextOf(const CWnd& wnd)
    {
        CString text;
        wnd.GetWindowText(text);
        return text;
    }
};

// A colour swatch: an owner-drawn button that fills itself with one colour.
class SwatchButton : public CButton
{
public:
    int drawCount = 0;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++drawCount;
        CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
        CBrush brush(kSwatch);
        pDC->FillRect(&lpDrawItemStruct->rcItem, &brush);
    }
};

// A list that keeps its items as numbers, sorted by them, and says what the system asked of it.
class NumberList : public CListBox
{
public:
    std::vector<int> drawn;
    int measured = 0;
    int compared = 0;
    std::vector<DWORD_PTR> deleted;

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        ++measured;
        lpMeasureItemStruct->itemHeight = 20;
    }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        if (lpDrawItemStruct->itemID != static_cast<UINT>(-1))
            drawn.push_back(static_cast<int>(lpDrawItemStruct->itemData));
    }

    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override
    {
        ++compared;
        auto first = static_cast<int>(lpCompareItemStruct->itemData1);
        auto second = static_cast<int>(lpCompareItemStruct->itemData2);
        return first < second ? -1 : (first > second ? 1 : 0);
    }

    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override { deleted.push_back(lpDeleteItemStruct->itemData); }
};

// A combo that draws its items itself and says which it was asked for.
class DrawnCombo : public CComboBox
{
public:
    int measured = 0;
    std::vector<UINT> drawnStates;

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        ++measured;
        lpMeasureItemStruct->itemHeight = 18;
    }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        if (lpDrawItemStruct->itemID != static_cast<UINT>(-1))
            drawnStates.push_back(lpDrawItemStruct->itemState);
    }
};

class PaintedWnd : public CWnd
{
public:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        paintedHere = dc.m_ps.hdc != nullptr && dc.GetSafeHdc() == dc.m_ps.hdc;
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, kSwatch);
    }
    bool paintedHere = false;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintedWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

TEST_F(Controls, EditKeepsTextAndSelection)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &parent, 100));
    edit.SetWindowText("0.0125 ft/ft");
    edit.SetSel(2, 6);
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 6);
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(2, 6)));

    edit.ReplaceSel("99", TRUE);
    EXPECT_STREQ(TextOf(edit), "0.99 ft/ft");
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    EXPECT_STREQ(TextOf(edit), "0.0125 ft/ft");

    edit.SetModify(TRUE);
    EXPECT_TRUE(edit.GetModify());
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());

    edit.LimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5u);
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetReadOnly(FALSE);
    EXPECT_FALSE(edit.GetStyle() & ES_READONLY);
}

TEST_F(Controls, EditCutAndPasteGoThroughTheClipboard)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &parent, 101));
    edit.SetWindowText("abcdef");
    edit.SetSel(0, 3);
    edit.Cut();
    EXPECT_STREQ(TextOf(edit), "def");
    edit.SetSel(3, 3);
    edit.Paste();
    EXPECT_STREQ(TextOf(edit), "defabc");
    edit.SetSel(0, -1);
    edit.Clear();
    EXPECT_STREQ(TextOf(edit), "");
}

TEST_F(Controls, MultiLineEditGivesLines)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, CRect(10, 10, 300, 120), &parent,
                            102));
    edit.SetWindowText("first\r\nsecond line\r\n");
    EXPECT_EQ(edit.GetLineCount(), 3);
    EXPECT_EQ(edit.LineIndex(1), 7);
    EXPECT_EQ(edit.LineFromChar(9), 1);
    EXPECT_EQ(edit.LineLength(edit.LineIndex(1)), 11);

    CString line;
    EXPECT_EQ(edit.GetLine(1, line), 11);
    EXPECT_STREQ(line, "second line");

    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(edit.GetLine(0, buffer, 3), 3);  // cut to the buffer, no room for a terminator
    EXPECT_EQ(std::string(buffer, 3), "fir");
    char one[1] = {'x'};
    EXPECT_EQ(edit.GetLine(1, one, 1), 1);
    EXPECT_EQ(one[0], 's');
    EXPECT_EQ(edit.GetLine(2, line), 0);
    EXPECT_STREQ(line, "");
}

TEST_F(Controls, ButtonHoldsCheckStateAndStyle)
{
    CButton check;
    ASSERT_TRUE(check.Create("Use &Max Dimensions", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 40, 200, 60),
                             &parent, 103));
    EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(check.GetState() & BST_CHECKED);
    check.Click();
    PumpPendingMessages();
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);

    check.SetButtonStyle(BS_AUTO3STATE);
    EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_AUTO3STATE));
    check.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(check.GetCheck(), BST_INDETERMINATE);

    check.SetState(TRUE);
    EXPECT_TRUE(check.GetState() & BST_PUSHED);
    check.SetState(FALSE);
    EXPECT_FALSE(check.GetState() & BST_PUSHED);
}

TEST_F(Controls, ImagesOnStaticsAndButtons)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));
    CStatic picture;
    ASSERT_TRUE(picture.Create("", WS_CHILD | WS_VISIBLE | SS_BITMAP, CRect(10, 70, 40, 100), &parent));
    picture.SetBitmap(bitmap);
    EXPECT_EQ(picture.GetBitmap(), static_cast<HBITMAP>(bitmap.m_hObject));

    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    CStatic iconStatic;
    ASSERT_TRUE(iconStatic.Create("", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(50, 70, 90, 110), &parent));
    iconStatic.SetIcon(icon);
    EXPECT_EQ(iconStatic.GetIcon(), icon);

    CButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_BITMAP, CRect(100, 70, 140, 100), &parent, 104));
    button.SetBitmap(bitmap);
    EXPECT_EQ(button.GetBitmap(), static_cast<HBITMAP>(bitmap.m_hObject));
    picture.DestroyWindow();
    button.DestroyWindow();
}

TEST_F(Controls, ListBoxStringsDataAndSelection)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, CRect(10, 10, 200, 150), &parent, 105));
    EXPECT_EQ(list.AddString("Beta"), 0);
    EXPECT_EQ(list.AddString("alpha"), 1);
    EXPECT_EQ(list.AddString("Gamma"), 2);
    EXPECT_EQ(list.InsertString(1, "Delta"), 1);
    EXPECT_EQ(list.GetCount(), 4);

    CString text;
    list.GetText(1, text);
    EXPECT_STREQ(text, "Delta");
    EXPECT_EQ(list.GetTextLen(2), 5);
    list.GetText(17, text);
    EXPECT_STREQ(text, "");

    EXPECT_EQ(list.FindString(-1, "ga"), 3);  // prefix, case ignored
    EXPECT_EQ(list.FindStringExact(-1, "ALPHA"), 2);
    EXPECT_EQ(list.FindStringExact(-1, "alp"), LB_ERR);
    EXPECT_EQ(list.SelectString(-1, "del"), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.SetCurSel(3), 3);
    EXPECT_EQ(list.GetCurSel(), 3);

    list.SetItemData(2, 0x12345678ABull);
    EXPECT_EQ(list.GetItemData(2), static_cast<DWORD_PTR>(0x12345678ABull));
    int value = 7;
    list.SetItemDataPtr(0, &value);
    EXPECT_EQ(list.GetItemDataPtr(0), &value);

    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(list.GetCount(), 3);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
}

TEST_F(Controls, MultipleSelectionListBox)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_EXTENDEDSEL, CRect(10, 10, 200, 150), &parent, 106));
    for (const char* item : {"a", "b", "c", "d", "e"})
        list.AddString(item);
    list.SelItemRange(TRUE, 1, 3);
    EXPECT_EQ(list.GetSelCount(), 3);
    list.SetSel(2, FALSE);
    int selected[5] = {};
    ASSERT_EQ(list.GetSelItems(5, selected), 2);
    EXPECT_EQ(selected[0], 1);
    EXPECT_EQ(selected[1], 3);
    EXPECT_TRUE(list.GetSel(3));
    EXPECT_FALSE(list.GetSel(0));

    CRect item;
    ASSERT_NE(list.GetItemRect(1, &item), LB_ERR);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(CPoint(item.left + 2, item.top + 1), outside), 1u);
    EXPECT_FALSE(outside);
}

TEST_F(Controls, ComboBoxStringsEditSelectionAndDropDown)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                             CRect(10, 10, 200, 200), &parent, 107));
    combo.AddString("No legend");
    combo.AddString("Automatic line legend");
    combo.AddString("Legend from Groups");
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);

    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_STREQ(TextOf(combo), "Automatic line legend");
    CString text;
    combo.GetLBText(2, text);
    EXPECT_STREQ(text, "Legend from Groups");
    EXPECT_EQ(combo.GetLBTextLen(0), 9);
    combo.GetLBText(9, text);
    EXPECT_STREQ(text, "");

    EXPECT_EQ(combo.FindString(-1, "legend"), 2);
    EXPECT_EQ(combo.FindStringExact(-1, "no legend"), 0);
    EXPECT_EQ(combo.SelectString(-1, "Legend"), 2);
    EXPECT_EQ(combo.GetCurSel(), 2);

    combo.SetItemData(0, 42);
    EXPECT_EQ(combo.GetItemData(0), 42u);

    combo.SetEditSel(0, 6);
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(0, 6)));

    combo.ShowDropDown(TRUE);
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    EXPECT_FALSE(combo.GetDroppedState());

    EXPECT_EQ(combo.InsertString(0, "First"), 0);
    EXPECT_EQ(combo.DeleteString(1), 3);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(Controls, ScrollBarRangePositionAndLimit)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(10, 200, 300, 220), &parent, 108));
    bar.SetScrollRange(0, 100);
    bar.SetScrollPos(40);
    EXPECT_EQ(bar.GetScrollPos(), 40);
    int low = -1;
    int high = -1;
    bar.GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    EXPECT_EQ(bar.GetScrollLimit(), 100);

    SCROLLINFO info = {};
    info.fMask = SIF_PAGE;
    info.nPage = 10;
    bar.SetScrollInfo(&info);
    EXPECT_EQ(bar.GetScrollLimit(), 91);
    SCROLLINFO back = {};
    ASSERT_TRUE(bar.GetScrollInfo(&back));
    EXPECT_EQ(back.nPage, 10u);
    EXPECT_EQ(back.nPos, 40);
    EXPECT_EQ(bar.SetScrollPos(200), 40);
    EXPECT_EQ(bar.GetScrollPos(), 91);  // clamped to the limit
}

TEST_F(Controls, OwnerDrawnButtonDrawsItselfWhenItsParentIsAsked)
{
    SwatchButton swatch;
    ASSERT_TRUE(swatch.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 60, 40), &parent, 109));
    swatch.UpdateWindow();
    PumpPendingMessages();
    EXPECT_GT(swatch.drawCount, 0);
    CClientDC dc(&swatch);
    EXPECT_EQ(dc.GetPixel(25, 15), kSwatch);
}

TEST_F(Controls, OwnerDrawnListBoxMeasuresComparesDrawsAndDeletes)
{
    NumberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_SORT, CRect(10, 10, 200, 200),
                            &parent, 110));
    list.AddString(reinterpret_cast<LPCTSTR>(30));
    list.AddString(reinterpret_cast<LPCTSTR>(10));
    list.AddString(reinterpret_cast<LPCTSTR>(20));
    EXPECT_EQ(list.measured, 3);
    EXPECT_GT(list.compared, 0);
    EXPECT_EQ(list.GetItemData(0), 10u);
    EXPECT_EQ(list.GetItemData(2), 30u);
    EXPECT_EQ(list.GetItemHeight(1), 20);

    list.Invalidate();
    list.UpdateWindow();
    PumpPendingMessages();
    ASSERT_GE(list.drawn.size(), 3u);
    EXPECT_EQ(list.drawn[0], 10);

    list.DeleteString(1);
    ASSERT_EQ(list.deleted.size(), 1u);
    EXPECT_EQ(list.deleted[0], 20u);
}

TEST_F(Controls, OwnerDrawnComboMeasuresAndDrawsTheSelectedItem)
{
    DrawnCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS,
                             CRect(10, 10, 200, 200), &parent, 112));
    int measuredAtCreation = combo.measured;
    combo.AddString("Line only");
    combo.AddString("Box ");
    EXPECT_EQ(combo.measured - measuredAtCreation, 2);
    EXPECT_EQ(combo.GetItemHeight(1), 18);

    combo.SetCurSel(1);
    combo.Invalidate();
    combo.UpdateWindow();
    PumpPendingMessages();
    ASSERT_FALSE(combo.drawnStates.empty());
    EXPECT_TRUE(combo.drawnStates.back() & ODS_COMBOBOXEDIT);
}

TEST_F(Controls, PaintDCPaintsTheInvalidPart)
{
    PaintedWnd painted;
    ASSERT_TRUE(painted.CreateEx(0, ParentClassName(), "", WS_CHILD | WS_VISIBLE, CRect(100, 100, 160, 140), &parent,
                                 111));
    painted.Invalidate();
    painted.UpdateWindow();
    EXPECT_TRUE(painted.paintedHere);
    CClientDC dc(&painted);
    EXPECT_EQ(dc.GetPixel(30, 20), kSwatch);
    RECT update = {};
    EXPECT_FALSE(painted.GetUpdateRect(&update));  // EndPaint validated it
}

TEST_F(Controls, WindowDCReachesTheFrame)
{
    CWindowDC windowDC(&parent);
    CClientDC clientDC(&parent);
    CRect windowClip;
    CRect clientClip;
    windowDC.GetClipBox(&windowClip);
    clientDC.GetClipBox(&clientClip);
    EXPECT_GT(windowClip.Width(), clientClip.Width());
    EXPECT_GT(windowClip.Height(), clientClip.Height());
}

TEST(WindowDc, ClientDCWithoutAWindowIsTheScreens)
{
    CClientDC screen(nullptr);
    ASSERT_NE(screen.GetSafeHdc(), nullptr);
    EXPECT_EQ(screen.GetDeviceCaps(HORZRES), ::GetSystemMetrics(SM_CXSCREEN));
}
