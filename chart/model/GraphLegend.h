// The legend: one key per data series of the display it belongs to, each a small sample of the series'
// line, marker or fill beside the series' text, laid out in a grid of cells that fills (or sizes) its
// rectangle.
#pragma once

#include "chart/model/GraphTitle.h"
#include "chart/model/LabelBlock.h"

#include <vector>

class QVGDisplayBase;

class QVGraphLegend : public QVGraphTitle
{
    DECLARE_SERIAL(QVGraphLegend)
public:
    // Key kinds: the low byte of the axis option word.
    enum { keyNone = 0, keyAutomatic = 1, keyPerIndex = 2, keyPerGroup = 3, keyPerItem = 4, keyPerIndexToo = 6 };
    // Sample styles: the nibble at bits 12-15 of the flag word (5 takes each item's own).
    enum { sampleNone = 0, sampleSeries = 1, sampleLine = 2, sampleBox = 3, sampleLineAndMarker = 4,
           sampleFromItem = 5 };
    // Bits of SetKeyOptions and of the template's option value.
    enum { keyFitWidth = 1, keyFitHeight = 2, keyAnchorLeft = 4, keyAnchorTop = 8 };
    // Bits of the option word: columns from the height, key box left of the text, no line samples.
    enum { optionColumnsFromHeight = 1, optionKeyBoxLeft = 3, optionNoLineSamples = 17 };

    QVGraphLegend();
    ~QVGraphLegend() override;

    void Serialize(CArchive& ar) override;
    void SetChart(QVGraph* pChart) override;
    void Draw(CDC* pDC, CWnd* pView) override;
    void DrawContent() override;
    // The automatic size (font-style bit 4) fits all keys into the rectangle.
    int GetFontSize() override;
    // The key size of the measurement mode, besides the component's sizes.
    void Recalculate() override;
    int ReadTemplateDetails(LPCTSTR lpszText) override;
    LPCTSTR GetTemplateKeyword() override;
    void WriteTemplateDetails(CStdioFile* pFile) override;

    virtual void DrawKey(const CRect& rect, int nIndex, int nGroup, int nKey);
    // The key size in device pixels; 30 without a device context.
    virtual int GetKeySizePixels();
    virtual void DrawCustomKey(const CRect& rect, int nIndex, int nGroup, int nKey);
    // ((widest character + 3 average characters) / 4, character height) of the font.
    virtual CSize GetCharSize(CFont* pFont);
    virtual void SetKeyOptions(int nOptions);
    virtual void SetGrowAndKeepInside(int bGrow);
    virtual int GetGrowAndKeepInside();

    // The key texts of the display's data range, rebuilt in the key block.
    void RefreshKeys();
    // The stored kind, or for automatic the kind the display's graph type asks for.
    int GetKeyKind();
    int GetStoredKeyKind() const { return m_style.m_nAxisOptions & 0xFF; }
    void SetKeyKind(int nKind) { m_style.m_nAxisOptions = (m_style.m_nAxisOptions & ~0xFF) | (nKind & 0xFF); }
    int GetSampleStyle() const { return (m_style.m_nFlags >> 12) & 0xF; }
    void SetSampleStyle(int nStyle) { m_style.m_nFlags = (m_style.m_nFlags & ~0xF000) | ((nStyle & 0xF) << 12); }
    int GetKeyOptions() const;
    double GetKeySize() const { return m_dKeySize; }
    int GetTextWidth() const { return m_nTextWidth; }
    void SetTextWidth(int nCharacters) { m_nTextWidth = nCharacters; }
    int GetRowFactor() const { return m_nRowFactor; }
    void SetRowFactor(int nFactor) { m_nRowFactor = nFactor; }
    int GetKeyCount() const { return m_nKeyCount; }
    QVGraphLabelBlock& GetKeyBlock() { return m_keys; }
    QVGDisplayBase* GetDisplay() const { return m_pDisplay; }
    int GetColumns() const { return m_nColumns; }
    int GetRows() const { return m_nRows; }
    CSize GetCellSize() const { return m_cellSize; }
    // The rectangle drawn last (device units); with grow-and-keep-inside a layout runs first.
    CRect GetDrawnRect();

protected:
    // The display the legend belongs to: the first display after it in the chart's list (or inside a
    // compound component after it); its data limits become the legend's.
    void FindDisplay();
    // Columns, rows, key area and cells of the keys in the inner rectangle; moves the legend into the
    // chart when it grows and keeps inside.
    void LayOut();
    // The key area inflated by the border and the component's margins.
    CRect FrameOf(const CRect& area);
    // Keeps the frame inside the chart's drawing area, moving the component's rectangle along.
    void KeepInside(CRect& area);
    // The character height (negative) with which every key fits.
    int ComputeKeyFitSize();
    void AddKey(int nIndex, int nGroup, LPCTSTR lpszText);
    bool IsLineGraphType(int nGraphType) const;

public:
    QVGraphLabelBlock m_keys;
    QVGDisplayBase* m_pDisplay;
    int m_bAnchorTop;
    int m_bAnchorLeft;
    int m_bFitWidth;
    int m_bFitHeight;
    int m_bGrowAndKeepInside;
    QVGraphRect m_drawnRect;
    double m_dKeySize;
    int m_nKeyCount;
    int m_nTextWidth;
    int m_nRowFactor;

protected:
    // The cell grid of the last layout, kept per legend.
    int m_nColumns;
    int m_nRows;
    CSize m_cellSize;
    CRect m_rectArea;
    // The item each key stands for, in key order.
    std::vector<CPoint> m_keyItems;  // (index, group)
};
