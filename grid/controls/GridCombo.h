#pragma once
// What the combo-box cells share: the pop-up window that holds the drop-down list of a grid-drawn
// combo (CGXGridCombo), the row of column titles above a tabbed combo's list (CGXTabbedLBoxHeader),
// and the routines for rows of tab-separated fields (widths, drawing with column lines, height).
// A field that begins with a bitmap reference of the bitmap pool ("#BMP(...)") is that bitmap.

#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

class CListBox;

class CGXGridCombo : public CWnd
{
    DECLARE_DYNAMIC(CGXGridCombo)

public:
    // A pop-up on the desktop at the rectangle (one pixel further left and wider) that passes its
    // list box's notifications to pNotifyWnd (the grid window). The library-wide pop-up flag is set
    // while the window is created.
    CGXGridCombo(CWnd* pNotifyWnd, CWnd* pCombo, const CRect& rect);
    // Deletes the list box and destroys the window.
    ~CGXGridCombo() override;

    // Takes ownership of the list box.
    void SetListBox(CListBox* pListBox) { m_pListBox = pListBox; }
    CListBox* GetListBox() const { return m_pListBox; }
    // The list box is drawn in these colours from then on.
    void SetColors(COLORREF rgbText, COLORREF rgbBack);
    BOOL HasColors() const { return m_bColors; }

    // The library-wide pop-up flag, set by the combos around opening and closing their lists.
    static void SetDropDownFlag(BOOL bDropDown);
    // The library's pop-up window class (CS_SAVEBITS, no cursor, brush or icon).
    static CString GetWindowClassName();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    CListBox* m_pListBox = nullptr;
    CWnd* m_pNotifyWnd;
    BOOL m_bColors = FALSE;
    CBrush m_brBack;
    COLORREF m_rgbText = 0;
    COLORREF m_rgbBack = 0;
};

// The column titles above a tabbed combo's list: a top-most pop-up that never takes the activation
// (the list keeps the focus). The owning combo sets the fields before every show.
class CGXTabbedLBoxHeader : public CWnd
{
    DECLARE_DYNAMIC(CGXTabbedLBoxHeader)

public:
    CGXTabbedLBoxHeader() = default;
    ~CGXTabbedLBoxHeader() override;

    BOOL Create(CWnd* pParentWnd);
    // Places the header top-most over the rectangle (screen coordinates) and shows it without
    // activating it.
    void ShowAt(const CRect& rect);
    void HideHeader();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();

    BOOL m_bShowAllColumns = TRUE;
    int m_nTextColumn = 0;
    int m_nTabStops = 0;
    const int* m_pTabStops = nullptr;
    CFont* m_pFont = nullptr;
    CString m_strTitle;
};

// The bitmap a field (or a cell's text) begins with, NULL for a text field.
HGLOBAL GXFieldBitmap(LPCTSTR pszField);
// Widens each width (up to nMaxColumns of them) to the width of its field of the row.
void GXMeasureTabbedColumns(CDC* pDC, LPCTSTR pszRow, int nMaxColumns, int* pnWidths);
// One row: a background fill, a line left of every tab stop (unless text only), then each shown
// field in its column (text left-aligned and vertically centred, bitmaps at their natural size).
void GXDrawTabbedRow(CDC* pDC, const CRect& rect, LPCTSTR pszRow, BOOL bTextOnly, int nTextColumn, int nTabStops,
                     const int* pnTabStops, COLORREF rgbLine, COLORREF rgbBack, COLORREF rgbText);
// Raises the height to the tallest bitmap among the shown fields; text never changes it.
void GXCalcTabbedRowHeight(LPCTSTR pszRow, int& nHeight, BOOL bTextOnly, int nTextColumn, int nTabStops);
