#pragma once
// The library-wide toolbox with which the grid engine and every cell control draw text, frames,
// 3-D edges and pattern bitmaps, and handle choice lists (one entry per line, fields separated
// by tabs). One instance per process; it holds no data of its own.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

class CGXStyle;

// Ellipsis types of DrawTextEllipsis.
enum
{
    gxNoEllipse = 0,
    gxDotEllipse = 1,   // "..." at the end of the last line that has room
    gxPoundEllipse = 2  // "#" in place of a single-line text that does not fit
};

// The number of pattern bitmaps (pattern brushes of styles name them by index).
const int GX_PATTERN_COUNT = 25;

class CGXDrawingAndFormatting
{
public:
    CGXDrawingAndFormatting() = default;
    virtual ~CGXDrawingAndFormatting() = default;

    // The process's instance, created on first use.
    static CGXDrawingAndFormatting* GetInstance();

    // The 8x8 monochrome bitmap of a pattern, built on first use; NULL for an index out of range.
    virtual CBitmap* GetPatternBitmap(int nPattern);

    // Text cut with "..." or replaced by "#" when it does not fit. A length of -1 reads up to the
    // terminating zero; a NULL clip rectangle is the rectangle. Type 0 is DrawText.
    virtual int DrawTextEllipsis(CDC* pDC, LPCTSTR pszText, int nLength, CRect rect, UINT nFormat,
                                 LPCRECT lpClipRect, int nEllipseType);
    // Wrapped and aligned text, line by line (at most 32 lines); returns the drawn height.
    virtual int DrawText(CDC* pDC, LPCTSTR pszText, int nLength, LPRECT lpRect, UINT nFormat,
                         LPCRECT lpClipRect = nullptr);
    // Through the rotated-text component; 0 without it.
    virtual int DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, CRect rect, UINT nFormat, LONG lfOrientation,
                                LPCRECT lpClipRect = nullptr);
    // Index in the text of the character under (x, y), -1 when no character is there.
    virtual int GetTextPosFromPoint(CDC* pDC, LPCTSTR pszText, int nLength, CRect rect, UINT nFormat, int x, int y);
    // The rectangle's right and bottom become those of the broken lines; returns their height.
    virtual int CalcTextRect(CDC* pDC, LPCTSTR pszText, int nLength, LPRECT lpRect, UINT nFormat);
    // Splits the text into lines that fit the rectangle's width (and its height, at least one line),
    // moves the rectangle's top by the vertical alignment, and returns the number of lines.
    virtual int BreakLines(CDC* pDC, LPCTSTR pszText, int nLength, LPRECT lpRect, UINT nFormat, int* pnLineStart,
                           int* pnLineLength, int nMaxLines);
    // The display text of a value (the style's value and value type when pszValue is NULL, else the
    // text under nValueType): through the number-formatting component when installed, else the value
    // text itself (empty when the style has none).
    virtual CString FormatValueText(const CGXStyle& style, LPCTSTR pszValue = nullptr, unsigned nValueType = 0);
    // Through the number-formatting component's parser; FALSE without it.
    virtual BOOL ConvertValueText(LPCTSTR pszText, double& dValue, unsigned* pnFormat = nullptr,
                                  unsigned* pnPlaces = nullptr);
    // Raised or sunken frame: per level top and left in the first colour, bottom and right in the second.
    virtual void Draw3dFrame(CDC* pDC, int left, int top, int right, int bottom, int nDepth, COLORREF rgbTopLeft,
                             COLORREF rgbBottomRight);
    // The rectangle is shrunk by the drawn edges.
    virtual void DrawEdgeFrame(CDC* pDC, CRect& rect, BOOL bOuter, BOOL bInner);
    // The caption centred in the rectangle, optionally framed with open corners; returns the box.
    virtual CRect DrawCenteredCaption(CDC* pDC, CRect rect, BOOL bFrame, LPCTSTR pszCaption, UINT nFormat);

    // Opaque fills in a grid colour (system colours resolved); the DC's background colour is kept.
    static void FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF color);
    static void FillSolidRect(CDC* pDC, const RECT& rect, COLORREF color);
    // Inverts the rectangle, clipped to the clip rectangle unless that one is empty.
    static void InvertRectClipped(CDC* pDC, const RECT& rect, const RECT& clip);
    // DrawEdge over four coordinates: BF_RECT, with BF_ADJUST when asked.
    static BOOL DrawEdgeRect(CDC* pDC, int left, int top, int right, int bottom, UINT nEdge, BOOL bAdjust = FALSE);
    int DrawTextAligned(CDC* pDC, const CString& text, LPRECT lpRect, UINT nFormat)
    {
        return DrawText(pDC, text, text.GetLength(), lpRect, nFormat);
    }

    // A bitmap resource copied into a movable, zero-filled global block; NULL when it is missing.
    static HGLOBAL CopyBitmapResource(HINSTANCE hInstance, LPCTSTR pszResourceName);
    // A screen-compatible bitmap from a resource, with black, greys and white of its colour table
    // replaced by the current button colours. FALSE when the resource is missing or GDI fails.
    static BOOL LoadBitmapResource(CBitmap& bitmap, LPCTSTR pszResourceName);

    // Choice lists.
    // Field n of a tab-separated entry into a buffer of nBufferSize bytes (always terminated; the
    // field is cut to fit). Fewer fields give an empty text.
    static void GetTabbedField(LPCTSTR pszEntry, int nField, LPTSTR pszBuffer, int nBufferSize);
    static CString GetTabbedField(LPCTSTR pszEntry, int nField);
    // Moves the first line into sLine and removes it with its break (CR LF counts as one) from the
    // list; returns the break's position, -1 when the list has no break (the list stays).
    static int CutFirstLine(CString& sList, CString& sLine);
    // The index of the line whose field (the whole line for a negative field) equals the text:
    // exactly when bExact, else ignoring case over the text's length. -1 when none does.
    static int FindChoiceListItem(LPCTSTR pszText, int nField, LPCTSTR pszChoiceList, BOOL bExact,
                                  BOOL bSkipFirstLine = FALSE);
    // Case-insensitive order of two lines: whole lines for a field below 1, else that field.
    static int CompareChoiceLines(LPCTSTR pszLine1, LPCTSTR pszLine2, int nField);
    // Sorts the lines (the first stays on top when kept); every line of the result ends with CR LF.
    static void SortChoiceList(CString& sList, int nField, BOOL bKeepFirstLine);
};

// The colour-table entries of a packed DIB's header: its colours-used field, else 2, 16 or 256 for
// 1, 4 or 8 bits per pixel, else none.
UINT GXGetDibNumColors(const BITMAPINFOHEADER* pHeader);
// The bytes of a row of a DIB's pixels of that width and depth, padded to a whole DWORD.
inline unsigned long long GXGetDibStride(LONG nWidth, WORD nBitCount)
{
    return ((static_cast<unsigned long long>(nWidth) * nBitCount + 31) / 32) * 4;
}

CRect GXDrawCenteredCaption(CDC* pDC, CRect rect, BOOL bFrame, LPCTSTR pszCaption, UINT nFormat);

// The grid's text drawing (CGXDrawingAndFormatting::DrawText) of nLength bytes of a text (-1: up to
// its zero); returns the drawn height.
int GridDrawText(CDC* pDC, LPCTSTR pszText, int nLength, LPRECT lpRect, UINT nFormat, LPCRECT lpClipRect = nullptr);
