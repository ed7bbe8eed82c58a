#pragma once
// A small four-function calculator: a display line above a pad of drawn buttons, worked with the
// mouse and the keyboard. Operators chain left to right without precedence. The pop-up form opens
// below a rectangle of its owner (the currency edit) and hands the result back as text (message
// 2019) when "=" or Enter is pressed.

#include "framework/core/Arrays.h"
#include "framework/core/CString.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

class CDC;

// The calculator's result to its owner: wParam 0, lParam the display text.
const UINT GXBM_CALCULATOR_RESULT = 0x7E3;
// Calculator styles: its own two-pixel frame; an etched line above the display; "=" sends the
// result and closes (pop-up).
const DWORD GXBCS_OWNFRAME = 0x1;
const DWORD GXBCS_ETCHED = 0x2;
const DWORD GXBCS_SENDONEQUALS = 0x10;

class CGXBCalcBtn : public CObject
{
    DECLARE_DYNAMIC(CGXBCalcBtn)

public:
    enum : UINT
    {
        statePressed = 0x1,
        stateNewRow = 0x2,
        stateHot = 0x4
    };

    CGXBCalcBtn() = default;
    CGXBCalcBtn(int nOp, LPCTSTR pszLabel, LPCTSTR pszKeys, UINT nVirtKey, int nWidth, BOOL bNewRow,
                COLORREF textColor, HFONT hFont, HBITMAP* phBitmap);

    // Paints the face, the image and the label.
    virtual void Draw(CDC* pDC);

    void SetKeys(LPCTSTR pszKeys);
    BOOL HasKey(char ch) const;

    HFONT m_hFont = nullptr;
    HBITMAP* m_phBitmap = nullptr;
    COLORREF m_textColor = 0;
    CString m_strLabel;
    CString m_strKeys;
    int m_nWidth = 1;
    UINT m_nVirtKey = 0;
    CRect m_rect;
    UINT m_nState = 0;
    int m_nOp = 0;
};

class CGXBCalculator : public CWnd
{
    DECLARE_DYNAMIC(CGXBCalculator)

public:
    // Operation codes.
    enum : int
    {
        opNone = 0,
        opMultiply = 1,
        opAdd = 2,
        opSubtract = 3,
        opDivide = 4,
        opPercent = 5,
        opEquals = 6,
        opClear = 7,
        opClearEntry = 8,
        opDigit0 = 9,
        opDigit9 = 18,
        opDecimal = 19,
        opBackspace = 20
    };
    // State bits.
    enum : UINT
    {
        stateCaptured = 0x1,
        stateLeadByte = 0x2,
        stateValueSet = 0x4,
        stateError = 0x8
    };

    class CGXBCalcBtnArray : public CObArray
    {
    public:
        CGXBCalcBtn* GetAt(INT_PTR i) const { return static_cast<CGXBCalcBtn*>(CObArray::GetAt(i)); }
    };

    CGXBCalculator();
    ~CGXBCalculator() override;

    BOOL Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                LPVOID lpParam = nullptr);

    // Resets the calculator and shows the value; before the window exists only records it.
    void SetValue(double value);
    double GetValue() const { return m_dAccum; }
    BOOL IsError() const { return (m_nState & stateError) != 0; }
    // The display text as the user sees it ("20.", "Error ", "0." for an empty text).
    CString GetDisplayText() const;
    // The text behind the display (empty until something is typed or computed).
    const CString& GetRawText() const { return m_strDisplay; }
    int GetDigitCapacity() const { return m_nDigitCapacity; }
    int GetDecimals() const { return m_nDecimals; }
    const CGXBCalcBtnArray& GetButtons() const { return m_buttons; }
    // The button of an operation code, NULL when none.
    CGXBCalcBtn* FindButton(int nOp) const;
    const CRect& GetDisplayRect() const { return m_rectDisplay; }

    // Presses the button as a key does: pressed, redraw, execute, released, redraw.
    void PressButton(CGXBCalcBtn* pButton);

    virtual BOOL CreateButtons(CWnd* pParent);
    virtual void CreateDisplayFont();
    // Executes an operation code.
    virtual void Execute(int nOp);
    virtual CString GetDecimalSeparator();
    virtual UINT GetClassStyle() { return 0; }
    virtual void Draw(CDC* pDC);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void Reset();
    void Layout();
    // The display text rebuilt from the accumulator.
    void ShowAccumulator();
    void MeasureDigitCapacity();
    // Sizes the window to the pad plus its frame (pop-up: the caller places it).
    CSize WindowSizeFor(DWORD dwStyle, DWORD dwExStyle);
    BOOL EnsureResources(CWnd* pParent);
    int ButtonAt(CPoint point) const;
    void RedrawButton(int nIndex);
    void DrawDisplay(CDC* pDC);
    void DrawFrame(CDC* pDC);
    BOOL HandleKey(UINT nChar);
    BOOL HandleChar(char ch);
    void ClearHot();
    void LoadEnterBitmap();

    BYTE m_nLeadByte = 0;
    UINT m_nState = 0;
    double m_dAccum = 0.0;
    int m_nPendingOp = opNone;
    BOOL m_bStartNew = TRUE;
    int m_nDecimals = 15;
    int m_nDigitCapacity = 15;
    CRect m_rectDisplay;
    CString m_strDisplay;
    CString m_strSeparator;
    CFont m_buttonFont;
    CFont m_displayFont;
    HBITMAP m_hEnterBitmap = nullptr;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    int m_nTopMargin = 1;
    int m_nLeftMargin = 4;
    int m_nRowGap = 1;
    int m_nColGap = 0;
    int m_nCaptured = -1;
    CGXBCalcBtnArray m_buttons;
    DWORD m_dwCalcStyle = 0;
    int m_nDisplayHeight = 0;
    BOOL m_bTrackingLeave = FALSE;
};

class CGXBPopupCalculator : public CGXBCalculator
{
    DECLARE_DYNAMIC(CGXBPopupCalculator)

public:
    // Below the owner rectangle (screen coordinates), kept inside the work area; takes the focus.
    BOOL Create(DWORD dwStyle, const RECT& rectOwner, CWnd* pOwner, UINT nID = 0);
    UINT GetClassStyle() override { return CS_SAVEBITS; }
    // Sends the result (2019) to the owner when there is one and no error.
    virtual void SendResult();
    void SetOwnerWnd(HWND hOwner) { m_hOwner = hOwner; }
    HWND GetOwnerWnd() const { return m_hOwner; }
    void SetDeleteOnDestroy(BOOL bDelete) { m_bDeleteOnDestroy = bDelete; }

    void Execute(int nOp) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

protected:
    BOOL m_bDeleteOnDestroy = FALSE;
    HWND m_hOwner = nullptr;
};
