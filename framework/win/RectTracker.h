// CRectTracker: a rectangle with a border and resize handles that the user moves and resizes with
// the mouse. m_rect is in client pixels of the window the tracker is drawn in and tracked over.
#pragma once

#include <windows.h>

#include "framework/core/Geometry.h"

class CDC;
class CWnd;

class CRectTracker
{
public:
    enum StyleFlags
    {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };

    // Handles are numbered clockwise from the top-left corner, then the edge middles.
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() = default;

    UINT m_nStyle = 0;
    CRect m_rect;
    CSize m_sizeMin;          // the smallest the rectangle may become while tracked
    int m_nHandleSize;        // side of a resize handle and width of a hatched border

    // Draws the border, hatching and handles that m_nStyle asks for.
    void Draw(CDC* pDC) const;
    // m_rect with whatever the style draws outside it (outside handles, hatched border).
    void GetTrueRect(LPRECT lpTrueRect) const;
    // Sets the cursor of the handle under the mouse for WM_SETCURSOR; FALSE when the mouse is not
    // over the tracker (the caller's default cursor applies then).
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Follows the mouse from point (client coordinates of pWnd, where the left button went down)
    // until the button comes up: the handle under point moves, or the whole rectangle when point
    // is inside it. Returns TRUE when the button came up over a changed rectangle; Esc, the right
    // button or a lost capture put m_rect back and return FALSE. Without bAllowInvert the
    // rectangle cannot be turned inside out. pWndClipTo (NULL: pWnd) clips the feedback drawing.
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
    // The part of the tracker under point: a handle, hitMiddle or hitNothing.
    int HitTest(CPoint point) const;
    // The handle a hit stands for once the rectangle is normalised (an inverted rectangle swaps
    // its sides).
    int NormalizeHit(int nHandle) const;

    // The feedback drawn while tracking: an inverted focus rectangle, drawn once to show and once
    // more to remove.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // Called with each rectangle the mouse asks for, before it becomes m_rect; the base keeps it
    // at least m_sizeMin and, without bAllowInvert, right side out.
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    // Called after m_rect changed while tracking (rectOld: the rectangle before).
    virtual void OnChangedRect(const CRect& rectOld);
    // Bit n set: handle n is shown and can be hit. The edge-middle handles go when the rectangle is
    // too small to hold them apart from the corners.
    virtual UINT GetHandleMask() const;

protected:
    BOOL m_bAllowInvert = FALSE;

    // A handle, hitMiddle inside the true rectangle, or hitNothing.
    int HitTestHandles(CPoint point) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

private:
    // The rectangle the mouse asks for: rectStart with the sides of nHandle moved by offset.
    static CRect MovedRect(const CRect& rectStart, int nHandle, CSize offset);
};
