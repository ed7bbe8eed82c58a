#pragma once
// A single-line edit window with a small push button in its own non-client area (right edge by
// default): the button shows a bitmap, tracks the mouse like a push button and is also clicked by
// F4 or Alt+Down. A click calls OnClicked, which tells the parent by WM_COMMAND; derived windows
// drop something down instead (the currency edit opens its calculator).

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"

class CDC;

class CGXBDropEdit : public CEdit
{
    DECLARE_DYNAMIC(CGXBDropEdit)

public:
    // Flag bits.
    enum : WORD
    {
        flagPressed = 0x01,
        flagTracking = 0x02,
        flagRightEdge = 0x04,
        flagHot = 0x08
    };

    CGXBDropEdit();
    ~CGXBDropEdit() override;

    // Refreshes the system-colour cache and creates the window; with an image the non-client area is
    // recalculated at once.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Whether the point lies on the button: client coordinates of this window (bClient) or screen.
    virtual BOOL HitTest(int x, int y, BOOL bClient);
    // The button was clicked: WM_COMMAND (the control id, code 0, this window) to the parent.
    virtual void OnClicked();
    // Paints the button face and image into the rectangle.
    virtual void DrawButton(CDC* pDC, CRect rect);

    // Loads the image of the button (0 removes the button); TRUE always. A resource that cannot be
    // loaded leaves no button.
    BOOL SetBitmap(LPCTSTR lpszResourceName);
    BOOL SetBitmap(UINT nIDResource) { return SetBitmap(MAKEINTRESOURCEA(nIDResource)); }
    // The image; NULL when there is no button.
    HBITMAP GetBitmapHandle() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }
    // In the parent's client coordinates; empty without a button.
    const CRect& GetButtonRect() const { return m_rectButton; }
    WORD GetFlags() const { return m_wFlags; }
    // Left margin + 4 + image width + right margin; 0 without an image.
    int GetButtonWidth() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The window itself (the system edit here); the currency edit creates its own class.
    virtual BOOL CreateEditWindow(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Repaints the button (the window's frame); bNow: at once.
    void RedrawButton(BOOL bNow);
    // SetWindowPos with SWP_FRAMECHANGED only.
    void RecalcFrame();
    void SetFlag(WORD wFlag, BOOL bSet);
    void OnNcCalcSizeButton(RECT* pRect);
    void PaintButton();
    // The embossed look of a disabled window, drawn over the area of the target.
    static void DrawDisabledLook(HDC hDC, int x, int y, int cx, int cy);

    CRect m_rectButton;
    CBitmap m_bitmap;
    LPCTSTR m_lpszImageName = nullptr;
    CString m_strImageName;
    WORD m_wFlags = flagRightEdge;
    WORD m_nLeftMargin = 1;
    WORD m_nRightMargin = 1;
};
