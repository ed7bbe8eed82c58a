#pragma once
// The window layout the edit-type cells share (the edit cell and its variants, the masked edit):
// the edit window laid over the current cell's text with the cell's font scaled by the zoom, the
// vertical placement of a single line, the alignment, the background, the formatting rectangle, and
// the re-creation of the window whenever the style its text needs changes. The owning control keeps
// one and hands it its window and the two steps that differ between controls: computing the needed
// window style and creating the window.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/core/GridTypes.h"

#include <windows.h>

#include <functional>

class CDC;
class CEdit;
class CGXControl;
class CGXStatic;
class CGXStyle;

class CGXEditWindowLayout
{
public:
    using CreateWindowFn = std::function<BOOL(DWORD dwStyle, const RECT* pRect)>;
    using ComputeStyleFn = std::function<DWORD(RECT* pRect, int* pLineHeight)>;

    CGXEditWindowLayout(CEdit& wnd, CGXStatic& control, CreateWindowFn createWindow, ComputeStyleFn computeStyle);
    ~CGXEditWindowLayout();
    CGXEditWindowLayout(const CGXEditWindowLayout&) = delete;
    CGXEditWindowLayout& operator=(const CGXEditWindowLayout&) = delete;

    // Takes the cell's font (zoomed), colours, alignment and flags, draws the cell's background and
    // moves the (hidden) window over the cell's text without repainting; the text rectangle.
    CRect PlaceOverCell(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                        const CGXStyle* pStandardStyle);
    // Takes the focus from the grid window (when it has it), shows the window with its read-only
    // state, lets it repaint only the part of a cell scrolled away behind the frozen rows or columns
    // that the DC's clip box shows, and updates it.
    void Show(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, BOOL bReadOnly);
    // Hides the window at (0, 0, 0, 0) while the grid ignores the focus change.
    void Hide();
    // The window style the current text needs, and the formatting rectangle: multi-line, scrolling
    // sideways in a single line or a cell too low for more, word-wrapped with an optional scroll bar;
    // a text wider than the window is edited left-aligned.
    DWORD ComputeStyle(RECT* pRect, int* pLineHeight);
    // Re-creates the window (text, selection, font, modified and read-only state kept) when the
    // needed style differs from the window's, sets the formatting rectangle and scrolls the caret's
    // line into view; TRUE when it re-created the window.
    BOOL Update();
    // WM_ERASEBKGND: white, then the cell's interior colour.
    void EraseBackground(HDC hDC, const CGXStyle* pStyle);
    // The messages every edit-type cell's window answers alike: released and system keys offered to
    // the grid, the focus handed on to the grid, the keys the dialog manager must leave to the
    // window, the cell's background (pStyle), the window re-laid out when shown, focused or after a
    // released key, no context menu. bKeepOnCaretKeys: a released Shift, Home, End, Up or Down does
    // not re-lay it out. TRUE when the message is answered with lResult; FALSE leaves it to the
    // window class.
    BOOL HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, const CGXStyle* pStyle,
                             BOOL bKeepOnCaretKeys, LRESULT& lResult);
    // Creates the window as a "GXEDIT" child of the grid window with the id (reading right to left
    // for a right-to-left cell); FALSE while the grid has no window.
    BOOL CreateOverGrid(DWORD dwStyle, const RECT* pRect, UINT nID);
    // The selected part of the window's text and TRUE; without a selection the whole text, and
    // while the cell is not active (bActive) or has no window its current text, and FALSE.
    BOOL GetSelectedText(CString& text, BOOL bActive) const;

    HWND GetSafeHwnd() const;
    BOOL HasWindow() const;
    CString WindowText() const;
    void SetSelection(int nStart, int nEnd, BOOL bScroll = TRUE);
    void GetSelection(int& nStart, int& nEnd) const;
    BOOL IsRightToLeftWindow() const;
    // The window's modified flag (FALSE without a window).
    void SetModified(BOOL bModified);
    BOOL IsModified() const;

    HFONT m_hFont = nullptr;
    // The window style the window was last created with.
    DWORD m_dwCurrentStyle = 0;
    // ES_LEFT, ES_CENTER or ES_RIGHT from the cell's horizontal alignment.
    DWORD m_dwAlignStyle = 0;
    BOOL m_bRecreating = FALSE;
    int m_nLineHeight = 0;
    int m_nMaxCharWidth = 0;
    COLORREF m_rgbBackground = 0;
    BOOL m_bAllowEnter = FALSE;
    BOOL m_bWrapText = FALSE;
    BOOL m_bVertScrollBar = FALSE;
    BOOL m_bForceLeft = FALSE;
    BOOL m_bRightToLeft = FALSE;
    // The window's text limit (0: the system's), restored when it is re-created.
    int m_nMaxLength = 0;
    // Set, the window always edits one line: the style's wrapping, Enter and scroll-bar settings
    // are not taken.
    BOOL m_bSingleLine = FALSE;

private:
    CEdit& m_wnd;
    CGXStatic& m_control;
    CreateWindowFn m_createWindow;
    ComputeStyleFn m_computeStyle;
};
