#pragma once
// A month calendar: a title with the month, the year and up to four navigation buttons, a bar of
// weekday names and 42 day boxes (six weeks), all windowless panels drawn into the calendar
// window. One date can be selected and dates can be marked. The pop-up form drops below a
// rectangle of its owner and reports the choice by posted messages (2007 chosen, 2008 cancelled).
// Every stored date is kept at noon of its day.

#include "framework/core/CString.h"
#include "framework/core/Lists.h"
#include "framework/core/Time.h"
#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

class CDC;
class CGXBCalendar;

// Posted to the notify window: selected or deselected (wParam the state, lParam the box), marked
// (wParam the state, lParam the box), chosen (lParam the box or 0), cancelled.
const UINT GXBM_CALENDAR_SELECTED = 2005;
const UINT GXBM_CALENDAR_MARKED = 2006;
const UINT GXBM_CALENDAR_CHOSEN = 2007;
const UINT GXBM_CALENDAR_CANCELLED = 2008;

// Ids of the title buttons.
const UINT GX_IDC_CAL_NEXTMONTH = 20029;
const UINT GX_IDC_CAL_PREVYEAR = 20030;
const UINT GX_IDC_CAL_NEXTYEAR = 20031;
const UINT GX_IDC_CAL_PREVMONTH = 20032;

// Calendar style bits (also the behaviour style of every day box).
enum : DWORD
{
    GXBCAL_DBLCLKCHOOSES = 0x00000100,
    GXBCAL_OTHERMONTHSELECTABLE = 0x00000200,
    GXBCAL_SELECTABLE = 0x00004000,
    GXBCAL_MARKABLE = 0x00008000,
    GXBCAL_FITFONTS = 0x00010000,
    GXBCAL_SIZETOCONTENT = 0x00020000,
    GXBCAL_CHOOSEONSELECT = 0x00040000,
    GXBCAL_MONTHBUTTONS = 0x00080000,
    GXBCAL_YEARBUTTONS = 0x00100000,
    GXBCAL_KEYBOARD = 0x00200000,
    GXBCAL_FIXEDMONTH = 0x00400000,
    GXBCAL_RESIZABLE = 0x00800000,
    GXBCAL_CLICKSELECTS = 0x01000000
};

class CGXBPanel : public CObject
{
    DECLARE_DYNCREATE(CGXBPanel)

public:
    CGXBPanel() = default;

    virtual void Create(const RECT& rect, CWnd* pOwner, BOOL bSelected, BOOL bMarked, DWORD dwFrameStyle,
                        DWORD dwBehaviour, int nInset);

    virtual void DrawMarkFrame(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void DrawInsetFrame(CDC* pDC);
    virtual void DrawOuterFrame(CDC* pDC);
    virtual void FillInside(CDC* pDC);
    virtual void DrawText(CDC* pDC);

    CRect SetRect(const RECT& rect);
    DWORD SetBehaviour(DWORD dwBehaviour);
    DWORD SetFrameStyle(DWORD dwStyle);
    int SetInset(int nInset);
    COLORREF SetTextColor(COLORREF color);
    void SetOtherMonthColor(COLORREF color) { m_otherMonthColor = color; }
    void SetText(LPCTSTR pszText) { m_strText = pszText; }
    const CString& GetText() const { return m_strText; }

    BOOL SetSelected(BOOL bSelected, BOOL bRedraw);
    BOOL SetMarked(BOOL bMarked, BOOL bRedraw);
    BOOL IsSelected() const { return m_bSelected; }
    BOOL IsMarked() const { return m_bMarked; }
    BOOL HitTest(CPoint point) const { return m_rect.PtInRect(point); }
    CRect GetInnerRect();
    const CRect& GetRect() const { return m_rect; }
    DWORD GetBehaviour() const { return m_dwBehaviour; }
    DWORD GetFrameStyle() const { return m_dwFrameStyle; }

protected:
    void Layout();
    void Invalidate();
    // Draws the text at the panel's place (centred or a tenth in), with the theme or opaque.
    void DrawPanelText(CDC* pDC, const CString& text, COLORREF color);
    BOOL Themed() const;

    COLORREF m_otherMonthColor = 0;
    CWnd* m_pOwner = nullptr;
    DWORD m_dwBehaviour = 0;
    DWORD m_dwFrameStyle = 0x17F;
    CString m_strText;
    CRect m_rect;
    int m_nInset = 3;
    int m_nSpare = 2;
    BOOL m_bSelected = FALSE;
    BOOL m_bMarked = FALSE;
    COLORREF m_frameColor = 0;
    COLORREF m_markColor = 0xFF;
    COLORREF m_textColor = 0;
    BOOL m_bNeedsLayout = TRUE;
    BOOL m_bCreated = FALSE;
    int m_nOuter = 0;
    int m_nInsetFrame = 0;
    int m_nMarkFrame = 0;
    int m_nTotalInset = 0;
};

class CGXBDayBox : public CGXBPanel
{
    DECLARE_DYNCREATE(CGXBDayBox)

public:
    COleDateTime SetDate(const COleDateTime& date);
    const COleDateTime& GetDate() const { return m_date; }
    BOOL SetOtherMonth(BOOL bOther);
    BOOL IsOtherMonth() const { return m_bOtherMonth; }
    void DrawText(CDC* pDC) override;

    void OnClick();
    void OnRightClick();
    void OnDoubleClick();

protected:
    CGXBCalendar* Calendar() const;

    COleDateTime m_date;
    BOOL m_bOtherMonth = FALSE;
};

class CGXBDayBar : public CGXBPanel
{
public:
    void DrawText(CDC* pDC) override;
    // The weekday names from Sunday (1) on, abbreviated or (style 0x20000000) full.
    CString GetDayName(int nWeekday) const;
    int m_nFirstDayOfWeek = 1;
};

class CGXBCalTitle : public CGXBPanel
{
    DECLARE_DYNCREATE(CGXBCalTitle)

public:
    ~CGXBCalTitle() override;
    // Creates the buttons the calendar style asks for.
    void CreateButtons(CGXBCalendar* pCalendar, DWORD dwCalendarStyle);
    virtual void SetTitleRect(const RECT& rect);
    virtual void SetDate(const COleDateTime& date);
    void Draw(CDC* pDC) override;
    CButton* GetButton(UINT nId);

protected:
    CGXBCalendar* m_pCalendar = nullptr;
    CButton* m_pButtons[4] = {};
};

class CGXBCalendar : public CWnd
{
    DECLARE_DYNAMIC(CGXBCalendar)

public:
    CGXBCalendar();
    ~CGXBCalendar() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, LPVOID lpParam = nullptr);

    virtual BOOL NextDay(BOOL bSelection);
    virtual BOOL PrevDay(BOOL bSelection);
    virtual BOOL NextWeek(BOOL bSelection);
    virtual BOOL PrevWeek(BOOL bSelection);
    virtual BOOL NextMonth(BOOL bSelection);
    virtual BOOL PrevMonth(BOOL bSelection);
    virtual BOOL NextYear(BOOL bSelection);
    virtual BOOL PrevYear(BOOL bSelection);
    virtual BOOL MoveSelectionBy(const COleDateTimeSpan& span);
    virtual BOOL ShowBy(const COleDateTimeSpan& span);
    virtual void SetMark(const COleDateTime& date, BOOL bMark);
    virtual void SelectDate(const COleDateTime& date, BOOL bSelect);
    virtual void ToggleDate(const COleDateTime& date);
    virtual void ToggleMark(const COleDateTime& date);
    virtual BOOL IsValidMonth(int nYear, int nMonth, int nDay);
    virtual void LoadColors();
    virtual void Beep();
    virtual UINT GetClassStyle() { return CS_DBLCLKS; }

    // The month of the date becomes the displayed one; FALSE (with a beep) when it may not.
    BOOL ShowDate(const COleDateTime& date, BOOL bRepaint = TRUE);
    const COleDateTime& GetDisplayedDate() const { return m_displayed; }
    // The selected date; NULL when nothing is selected.
    const COleDateTime* GetSelectedDate() const { return m_pSelected; }
    // The selected box's date (what the owner reads after 2007); invalid when none.
    COleDateTime GetSelectedBoxDate() const;
    CGXBDayBox* GetDayBox(int nIndex) { return nIndex >= 0 && nIndex < 42 ? &m_boxes[nIndex] : nullptr; }
    CGXBDayBar& GetDayBar() { return m_dayBar; }
    CGXBCalTitle& GetTitle() { return m_title; }
    BOOL IsMarked(const COleDateTime& date) const;

    void SetCalendarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetCalendarStyle() const { return m_dwStyle; }
    void SetDayStyle(DWORD dwStyle) { m_dwDayStyle = dwStyle; }
    DWORD GetDayStyle() const { return m_dwDayStyle; }
    void SetOtherDayStyle(DWORD dwStyle) { m_dwOtherDayStyle = dwStyle; }
    void SetSizeToContent(BOOL bOn);
    // 1 turns it on, anything else off; the previous state as 1 (on) or 2 (off).
    int SetAutoClose(int nOn);
    void SetNotifyWindow(HWND hWnd) { m_hNotify = hWnd; }
    HWND GetNotifyWindow() const { return m_hNotify; }
    // The date shown when the window is created (a zero date means today).
    void SetInitialDate(const COleDateTime& date);
    // Natural size of the content (for size to content and the pop-up).
    CSize CalcNaturalSize(CDC* pDC);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Noon of the date's day.
    static COleDateTime Noon(const COleDateTime& date);

protected:
    friend class CGXBDayBox;

    void FillBoxes();
    void LayoutPanels();
    void FitFonts(CDC* pDC);
    void CreateFonts();
    void Paint(CDC* pDC);
    CGXBDayBox* BoxAt(CPoint point);
    void Post(UINT message, WPARAM wParam, LPARAM lParam);
    // Moves the selection (or the displayed month) to the date; re-applies the selection.
    BOOL MoveTo(const COleDateTime& date, BOOL bSelection);
    BOOL StepDays(int nDays, BOOL bSelection);
    BOOL StepMonth(int nDirection, BOOL bSelection);
    BOOL StepYear(int nDirection, BOOL bSelection);
    void FocusSelf();

    CGXBDayBar m_dayBar;
    CGXBCalTitle m_title;
    int m_nPanelInset = 2;
    HWND m_hNotify = nullptr;
    HWND m_hOwner = nullptr;
    BOOL m_bCreated = FALSE;
    COleDateTime m_displayed;
    COleDateTime m_selected;
    COleDateTime* m_pSelected = nullptr;
    COleDateTime m_anchor;
    CGXBDayBox m_boxes[42];
    CGXBDayBox* m_pSelectedBox = nullptr;
    BOOL m_bTracking = FALSE;
    BOOL m_bHaveTrackedDate = FALSE;
    COleDateTime m_tracked;
    CList<COleDateTime, const COleDateTime&> m_marked;
    LOGFONTA m_lfTitle = {};
    LOGFONTA m_lfDayBar = {};
    LOGFONTA m_lfDayBox = {};
    CFont m_fontTitle;
    CFont m_fontDayBar;
    CFont m_fontDayBox;
    COLORREF m_colors[7] = {};
    DWORD m_dwDayStyle = 0x101;
    DWORD m_dwOtherDayStyle = 0x1000017F;
    DWORD m_dwStyle = 0x0039C000;
    BOOL m_bAutoClose = FALSE;
};

class CGXBPopupCalendar : public CGXBCalendar
{
    DECLARE_DYNAMIC(CGXBPopupCalendar)

public:
    CGXBPopupCalendar();
    // Beside the owner rectangle (screen coordinates), inside the work area.
    virtual BOOL Create(DWORD dwStyle, const RECT& rectOwner, CWnd* pParent);
    UINT GetClassStyle() override { return CS_DBLCLKS | CS_SAVEBITS; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
