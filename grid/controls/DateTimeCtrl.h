#pragma once
// A window that shows and edits one date/time value as a row of fields (gadgets) built from a
// date/time format: numbers, pick lists of names, literal text, and optionally a spin pair and a
// drop-down button that opens the pop-up calendar. Every change is validated against a minimum and
// a maximum before it is taken, and the parent hears of it (WM_COMMAND, code 0x100).

#include "framework/core/Arrays.h"
#include "framework/core/CString.h"
#include "framework/core/Time.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

class CDC;
class CGXBDateTimeCtrl;
class CGXBPopupCalendar;

// Window styles of the control.
const DWORD GXDT_DTS_CALENDAR = 0x1;
const DWORD GXDT_DTS_UPDOWN = 0x2;
const DWORD GXDT_DTS_CENTURY = 0x10;
// The notification of an accepted change.
const UINT GXDT_DTN_CHANGED = 0x100;

class CGXBDTGadget : public CObject
{
    DECLARE_DYNAMIC(CGXBDTGadget)

public:
    enum : UINT
    {
        flagFocus = 1,
        flagMouse = 2,
        flagFixed = 4
    };

    CGXBDTGadget() = default;

    virtual void CalcSize(CDC* pDC) = 0;
    virtual void Draw(CDC* pDC) = 0;
    virtual void SetFocusState(BOOL bFocus);
    virtual void OnKeyDown(UINT) {}
    virtual void OnChar(UINT) {}
    virtual void OnLButtonDown(UINT, CPoint) {}
    virtual void OnLButtonUp(UINT, CPoint) {}
    virtual void OnMouseMove(UINT, CPoint) {}
    virtual void OnCancelMode() {}
    virtual void OnTimer() {}
    virtual void OnSysColorChange() {}

    // The text the field shows (numbers with their width, list strings, literal text).
    virtual CString GetText() const { return CString(); }

    void Redraw();
    // Thread timers without a window; a process-wide map leads their ticks back to the gadget.
    void StartTimer(UINT nElapse);
    void StopTimer();
    BOOL HasTimer() const { return m_nTimer != 0; }
    // What the timer procedure does for a timer id (tests call it for a tick).
    static void TimerTick(UINT_PTR nId);
    static UINT_PTR TimerOf(const CGXBDTGadget* pGadget);

    CRect m_rect;
    BOOL m_bFocus = FALSE;
    UINT m_nFlags = flagFocus;
    int m_nId = -1;
    int m_nValue = 0;
    CGXBDateTimeCtrl* m_pCtrl = nullptr;

protected:
    UINT_PTR m_nTimer = 0;
};

class CGXBDTStaticGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTStaticGadget)

public:
    explicit CGXBDTStaticGadget(LPCTSTR pszText = "") : m_strText(pszText) { m_nFlags = 0; }
    void CalcSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    CString GetText() const override { return m_strText; }
    CString m_strText;
};

class CGXBDTNumericGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTNumericGadget)

public:
    CGXBDTNumericGadget(int nId, int nMin, int nMax, BOOL bLeadingZero);
    void CalcSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void SetFocusState(BOOL bFocus) override;
    void OnKeyDown(UINT nChar) override;
    void OnChar(UINT nChar) override;
    void OnCancelMode() override;
    CString GetText() const override;
    // Commits a typed number; FALSE when it was refused.
    BOOL Commit();
    BOOL IsTyping() const { return m_nTypedCount > 0; }

    int m_nMin;
    int m_nMax;
    int m_nWidth;
    int m_nTyped = 0;
    int m_nTypedCount = 0;
    BOOL m_bLeadingZero;
};

class CGXBDTListGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTListGadget)

public:
    explicit CGXBDTListGadget(int nId) { m_nId = nId; }
    void CalcSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void SetFocusState(BOOL bFocus) override;
    void OnKeyDown(UINT nChar) override;
    void OnChar(UINT nChar) override;
    void OnCancelMode() override;
    void OnTimer() override;
    CString GetText() const override;
    // The next item from nFrom (wrapping) that begins with the text and that the field accepts; -1.
    int FindItem(const CString& text, int nFrom);
    void EndTypeAhead();

    CStringArray m_strings;
    CString m_strPrefix;
};

class CGXBDTSpinGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTSpinGadget)

public:
    CGXBDTSpinGadget();
    void CalcSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnCancelMode() override;
    void OnTimer() override;
    virtual UINT GetInitialDelay();
    virtual UINT GetRepeatDelay();

    enum : UINT
    {
        spinUp = 1,
        spinDown = 2,
        spinPressed = 4,
        spinRepeating = 8
    };
    UINT m_nSpinState = 0;
    UINT m_nRepeatCount = 0;

protected:
    void Release();
};

class CGXBDTButtonGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTButtonGadget)

public:
    explicit CGXBDTButtonGadget(UINT nBitmapId);
    ~CGXBDTButtonGadget() override;
    void CalcSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnCancelMode() override;
    void OnSysColorChange() override;
    BOOL LoadImage();

    BOOL m_bPressed = FALSE;
    HBITMAP m_hBitmap = nullptr;
    UINT m_nBitmapId;
};

class CGXBDTGadgetArray : public CPtrArray
{
public:
    CGXBDTGadget* GetAt(INT_PTR i) const { return static_cast<CGXBDTGadget*>(CPtrArray::GetAt(i)); }
};

class CGXBDateTimeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CGXBDateTimeCtrl)

public:
    // Field ids.
    enum : int
    {
        idHour12 = 1,
        idHour24 = 2,
        idMinute = 4,
        idSecond = 8,
        idAmPm = 16,
        idDay = 32,
        idDayName = 64,
        idMonth = 128,
        idMonthName = 256,
        idYear2 = 512,
        idYear4 = 1024,
        idButton = 0x4000,
        idSpin = 0x8000
    };
    // Field actions.
    enum : int
    {
        actUp = 1,
        actDown = 2,
        actUpBy = 3,
        actDownBy = 4,
        actButton = 5,
        actTest = 6,
        actSet = 7,
        actFirst = 8,
        actLast = 9,
        actTyping = 10,
        actComplete = 11
    };
    // Format types.
    enum : int
    {
        fmtTime = 0,
        fmtShortDate = 1,
        fmtLongDate = 2,
        fmtCustom = 3,
        fmtDateTime = 4
    };
    // Non-editable field bits.
    enum : UINT
    {
        noEditYear = 1,
        noEditMonth = 2,
        noEditDay = 4,
        noEditHour = 8,
        noEditMinute = 16,
        noEditSecond = 32
    };

    CGXBDateTimeCtrl();
    ~CGXBDateTimeCtrl() override;

    virtual BOOL Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                        LPVOID lpParam = nullptr);

    void SetFormatType(int nType);
    void SetCustomFormat(LPCTSTR pszFormat);
    int GetFormatType() const { return m_nFormatType; }
    void SetNoEdit(UINT nMask);
    UINT GetNoEdit() const { return m_nNoEdit; }
    // A valid date is stored and the fields that changed are refreshed.
    BOOL SetDateTime(const COleDateTime& value);
    const COleDateTime& GetDateTime() const { return m_value; }
    BOOL SetRange(const COleDateTime& minimum, const COleDateTime& maximum, int nMode);
    const COleDateTime& GetMinimum() const { return m_min; }
    const COleDateTime& GetMaximum() const { return m_max; }
    UINT GetState() const { return m_nState; }
    void SetFastInput(BOOL bFast) { m_bFastInput = bFast; }
    BOOL HasDateFields() const { return m_bHasDateFields; }

    virtual BOOL GetFastInput() { return m_bFastInput; }
    virtual BOOL Validate(COleDateTime& date, int nLevel);
    virtual BOOL OnChanging(const COleDateTime& date);
    virtual void OnChanged();
    virtual int GetCenturyOffset(int nTwoDigitYear);
    virtual void LayoutGadgets();
    virtual void DrawGadgets(CDC* pDC);
    virtual void ShowCalendar();
    virtual void CreateCalendar();
    virtual BOOL OnFieldAction(int nAction, int nId, int nValue);

    // ---- Gadgets ----
    int GetGadgetCount() const { return static_cast<int>(m_gadgets.GetSize()); }
    CGXBDTGadget* GetGadget(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetGadgetCount() ? m_gadgets.GetAt(nIndex) : nullptr;
    }
    int GetCurrentIndex() const { return m_nCurrent; }
    CGXBDTGadget* GetCurrentGadget() const { return GetGadget(m_nCurrent); }
    int GetFixedCount() const { return m_nFixed; }
    // Makes the gadget current (it must take focus); the focus states follow.
    BOOL SetCurrentIndex(int nIndex);
    // The nearest focusable gadget after (bForward) or before the current one; -1 when none.
    int NextFocusable(int nFrom, BOOL bForward) const;
    void MoveToNext(BOOL bForward);
    // The concatenated texts of the fields.
    CString GetFieldsText() const;
    CGXBPopupCalendar* GetCalendar() const { return m_pCalendar; }
    BOOL IsPM() const { return m_bPM; }
    HFONT GetFont() const { return m_hFont; }
    void SetFieldFocusStates();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    COLORREF m_textColor;
    COLORREF m_backColor;
    COLORREF m_backInUse = 0;
    int m_nDisabledBackIndex = COLOR_BTNFACE;
    UINT m_nButtonBitmap = 20028;
    UINT m_nSpinDelay = 500;
    UINT m_nSpinRepeat = 100;

protected:
    struct Parts
    {
        int year, month, day, hour, minute, second, dayOfWeek;
    };
    static BOOL Split(const COleDateTime& date, Parts& parts);
    static BOOL Build(const Parts& parts, COleDateTime& date);
    // The comparable of a date under the validation mode.
    BOOL Comparable(const COleDateTime& date, COleDateTime& comparable) const;
    void ParseFormat();
    void RebuildGadgets();
    void AddGadget(CGXBDTGadget* pGadget);
    void AddStatic(const CString& text);
    CString FormatString() const;
    void RefreshGadgets(const Parts* pOld);
    void DeleteCalendar();
    void EndCapture();
    CGXBDTGadget* HitTest(CPoint point) const;
    void ScrollIntoView(int nIndex);
    void Paint(HDC hDC, const RECT& clip);
    void DeleteScrollingGadgets();

    UINT m_nState = 0;
    UINT m_nNoEdit = 0;
    BOOL m_bFastInput = TRUE;
    COleDateTime m_value;
    COleDateTime m_min;
    COleDateTime m_max;
    int m_nMode = 0;
    int m_nFormatType = fmtShortDate;
    CString m_strCustom;
    HFONT m_hFont = nullptr;
    int m_nCurrent = 0;
    int m_nScroll = 0;
    int m_nFixedWidth = 0;
    int m_nFixed = 0;
    CGXBDTGadget* m_pCaptured = nullptr;
    CGXBPopupCalendar* m_pCalendar = nullptr;
    BOOL m_bPM = FALSE;
    BOOL m_bHasDateFields = FALSE;
    CGXBDTGadgetArray m_gadgets;

    friend class CGXBDTGadget;
    friend class CGXBDTSpinGadget;
    friend class CGXBDTButtonGadget;
};
