// The text component: a rectangle-bound, word-wrapped, optionally auto-sized text with its own font,
// colour, alignment and raised or sunken effect. The base of every component that shows text.
#pragma once

#include "chart/model/GraphComponent.h"
#include "framework/core/CString.h"

#include <vector>

class CFont;

class QVGraphTitle : public QVGraphComponent
{
    DECLARE_SERIAL(QVGraphTitle)
public:
    // Font-style flags.
    enum {
        fontBold = 0x01,
        fontItalic = 0x02,
        fontUnderline = 0x04,
        fontStrikeOut = 0x08,
        fontAutoSize = 0x10,
        fontRaised = 0x20,
        fontSunken = 0x40,
        fontSingleLine = 0x80
    };
    enum { alignLeft = 0, alignRight = 1, alignCentre = 2 };

    QVGraphTitle();
    ~QVGraphTitle() override;

    void Serialize(CArchive& ar) override;
    void DrawContent() override;
    // Data labels of the items this component draws, placed and kept as the chart's data-label mode says.
    void DrawItemLabel(int x, int y, QVGraphData* pItem) override;
    QVGraphComponent* CreateLabel() override;
    // Template: the title fields (text colour, face, size, style flags, alignment), no text.
    int ReadTemplateDetails(LPCTSTR lpszText) override;
    LPCTSTR GetTemplateKeyword() override;
    void WriteTemplateText(CStdioFile* pFile) override;

    virtual void RebuildFont();
    // 0 for an empty text, else line feeds + 1.
    virtual int CountLines(LPCTSTR lpszText);
    // Starts and lengths of at most nMax lines of the text as drawn into the rectangle; returns the count.
    virtual int BreakLines(LPCTSTR lpszText, int nLength, const CRect& rect, BOOL bWrap, int* pStarts, int* pLengths,
                           int nMax);
    virtual void DrawText(LPCTSTR lpszText, const CRect& rect, BOOL bWrap);
    virtual void DrawTextNoWrap(LPCTSTR lpszText, const CRect& rect);
    virtual void DrawString(LPCTSTR lpszText, const CRect& rect);
    virtual void SetLogFont(const LOGFONT& logFont);
    // The character height (negative) that fills the inner rectangle; -10 without a device context.
    virtual int ComputeFitSize();
    virtual void SetFontRebuild(BOOL bRebuild);
    // (widest line, lines x line height) with the font selected in the device context.
    virtual CSize MeasureText(LPCTSTR lpszText, BOOL bWrap, int nWidth);
    virtual CSize MeasureString(LPCTSTR lpszText);
    virtual COLORREF GetTextColor();
    virtual void SetFaceName(LPCTSTR lpszFace);
    virtual void SetFaceNameString(const CString& strFace);
    virtual CString GetFaceName();
    // Marks the font for rebuilding.
    virtual void SetFont(int nSize, int nStyleFlags, LPCTSTR lpszFace);
    // An empty text is stored as a single blank.
    virtual void SetText(LPCTSTR lpszText, int nAlignment);
    virtual void SetTextColor(COLORREF crColor);
    // ComputeFitSize under automatic size, else the stored size.
    virtual int GetFontSize();

    // Stores the flags with the automatic-size bit cleared.
    void SetFontStyle(int nFlags) { m_nFontStyle = nFlags & ~fontAutoSize; m_bFontRebuild = 1; }
    int GetFontStyle() const { return m_nFontStyle; }
    void SetFontStyleFlags(int nFlags) { m_nFontStyle = nFlags; m_bFontRebuild = 1; }
    const CString& GetText() const { return m_strText; }
    int GetAlignment() const { return m_nAlignment; }
    void SetAlignment(int nAlignment) { m_nAlignment = nAlignment; }
    BOOL IsFixedText() const { return m_bFixedText; }
    void SetFixedText(BOOL bFixed) { m_bFixedText = bFixed ? 1 : 0; }
    int GetStoredFontSize() const { return m_nFontSize; }
    CFont* GetCurrentFont() const { return m_pFont; }

protected:
    // The orientation in degrees the font is made with (labels turn their text).
    virtual double GetFontAngle();
    // Makes the font of the given size (>= 0 points, < 0 character height) through the chart's cache.
    CFont* MakeFont(int nSize, int nStyleFlags, double angle);
    // Lines of the text by the word rule: wrap within nWidth when bWrap; (start, length) each.
    void SplitLines(LPCTSTR lpszText, int nLength, BOOL bWrap, int nWidth, std::vector<std::pair<int, int>>& lines);
    int LineHeight();
    // Before drawing: the font anew when anything it depends on may have changed.
    void RebuildFontIfStale();
    // One line with the raised or sunken effect when the style asks for it.
    void OutputLine(int x, int y, const CRect* pClip, LPCTSTR lpszText, int nLength);
    void OutputStyledLine(int x, int y, const CRect* pClip, LPCTSTR lpszText, int nLength, COLORREF crText,
                          int nStyleFlags);
    // The character height (negative) at which the text fills the rectangle: from 10 points it grows
    // while the text fits, then shrinks until it fits again; -10 when nothing can be measured.
    int FitTextHeight(LPCTSTR lpszText, const CRect& rect, BOOL bWrap);

public:
    int m_nAlignment;
    CString m_strText;
    CFont* m_pFont;             // from the chart's font cache, or m_ownFont without a chart
    COLORREF m_crText;
    int m_bFontRebuild;
    int m_nFontSize;            // points; negative: a character height in pixels
    int m_nFontStyle;
    CString m_strFaceName;
    int m_bFixedText;           // 0: the text follows the chart's title annotation
    LOGFONT m_logFont;          // the font description last applied

private:
    CFont* m_pOwnFont;
};
