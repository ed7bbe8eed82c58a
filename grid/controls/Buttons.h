#pragma once
// Buttons drawn inside a cell: the push button with its caption, the small hot-spot button of the
// hot-spot edit, the auto-repeating arrow buttons of the spin edit and the drop-down arrows of the
// combo cells. Each reports a click to its
// owning control (CGXControl::OnClickedButton); what the click does is the owner's business. Faces
// are drawn themed when the visual-styles engine offers a theme, else in the classic look.

#include "grid/core/Control.h"

// The user attribute with a push button's face colour (a decimal COLORREF).
const WORD GX_IDS_UA_PUSHBUTTON_FACECOLOR = 52569;

class CGXButton : public CGXChild
{
public:
    explicit CGXButton(CGXControl* pComposite);

    // With the face-colour attribute the face is that colour in the classic look, else OnDraw.
    void Draw(CDC* pDC, BOOL bActive, const CGXStyle& style) override;
    void OnDraw(CDC* pDC, BOOL bActive) override;
    BOOL MouseMove(UINT nFlags, CPoint point) override;
    BOOL LButtonDown(UINT nFlags, CPoint point) override;
    // A release inside the pressed button is a click.
    BOOL LButtonUp(UINT nFlags, CPoint point) override;
    // Space presses the focus button; its release clicks.
    BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL KeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnGridCancelMode() override;

    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsTracking() const { return m_bTracking; }

protected:
    // How the button looks down: in the current cell, the focus child, and pressed.
    BOOL IsPushed(BOOL bActive) const { return bActive && HasFocus() && m_bPressed; }
    // The face: themed through the class list's part and state when a theme is there (TRUE), else
    // classic (button-face fill with a raised or sunken edge).
    BOOL DrawFace(CDC* pDC, BOOL bPushed, LPCWSTR pszClassList, int nPart, int nState);
    void DrawClassicFace(CDC* pDC, BOOL bPushed, COLORREF face);
    void DrawCaption(CDC* pDC, UINT nState);
    void SetPressed(BOOL bPressed, BOOL bTracking);

    BOOL m_bPressed = FALSE;
    BOOL m_bTracking = FALSE;
    BOOL m_bRedrawOnChange = TRUE;
};

// A 13-pixel button with a bent arrow, shown only in the current cell.
class CGXHotSpotButton : public CGXButton
{
public:
    explicit CGXHotSpotButton(CGXControl* pComposite);
    void OnDraw(CDC* pDC, BOOL bActive) override;
};

// Clicks once when pressed, then again on mouse moves while held inside it: after 500 ms, 150 ms,
// and 5 ms less each time down to 50 ms (the clock seam's tick count). No timer of its own.
class CGXArrowButton : public CGXButton
{
public:
    explicit CGXArrowButton(CGXControl* pComposite);
    BOOL MouseMove(UINT nFlags, CPoint point) override;
    BOOL LButtonDown(UINT nFlags, CPoint point) override;
    // No click on release.
    BOOL LButtonUp(UINT nFlags, CPoint point) override;

    DWORD GetRepeatDelay() const { return m_dwRepeatDelay; }

protected:
    // The classic face with a triangle of one-pixel rows (bUp: pointing up), or the themed spin part.
    void DrawArrow(CDC* pDC, BOOL bActive, BOOL bUp);

    DWORD m_dwLastTick = 0;
    DWORD m_dwRepeatDelay = 500;
};

class CGXUpArrowButton : public CGXArrowButton
{
public:
    explicit CGXUpArrowButton(CGXControl* pComposite);
    void OnDraw(CDC* pDC, BOOL bActive) override;
};

class CGXDownArrowButton : public CGXArrowButton
{
public:
    explicit CGXDownArrowButton(CGXControl* pComposite);
    void OnDraw(CDC* pDC, BOOL bActive) override;
};

// The drop-down arrow of a grid-drawn combo cell: drawn in the current cell, and in every cell when
// the combo lays out every cell.
class CGXComboBoxButton : public CGXButton
{
public:
    explicit CGXComboBoxButton(CGXControl* pComposite);
    void OnDraw(CDC* pDC, BOOL bActive) override;

protected:
    // The arrow (themed, else the classic face with the arrow bitmap) with showAlways telling that
    // every cell shows it; bDisabled takes the disabled arrow.
    void DrawDropButton(CDC* pDC, BOOL bActive, BOOL bShowAlways, BOOL bDisabled);
};

// The drop-down arrow of a cell on a Windows combo: hidden while the real combo window is shown,
// which draws its own.
class CGXComboBoxWndButton : public CGXComboBoxButton
{
public:
    explicit CGXComboBoxWndButton(CGXControl* pComposite);
    void Draw(CDC* pDC, BOOL bActive, const CGXStyle& style) override;
    void OnDraw(CDC* pDC, BOOL bActive) override;
};
