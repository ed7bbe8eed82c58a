// The legend: key texts by key kind, the grid of key cells, samples drawn for the plotting program's
// charts, keeping inside the chart, and its archive.
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLegend.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// A legend whose font measures 7 by 14 pixels a character, whatever the device.
class CFixedCharLegend : public QVGraphLegend
{
public:
    CSize GetCharSize(CFont*) override { return CSize(7, 14); }
};

// Groups 0 .. n-1 with one value each and the texts "Series 0" ...
void AddGroups(QVGraph& chart, int nGroups)
{
    for (int group = 0; group < nGroups; ++group) {
        chart.SetValue(0, group, 1.0 + group);
        chart.SetGroupText(group, CString(("Series " + std::to_string(group)).c_str()));
    }
}

CString KeyText(QVGraphLegend& legend, int nKey)
{
    QVGraphLabel* pLabel = legend.GetKeyBlock().GetLabel(nKey);
    return pLabel != nullptr ? pLabel->GetAnnotationText(1) : CString("<none>");
}

// Counts the pixels of the colour in the rectangle.
int CountPixels(CMemoryCanvas& canvas, const CRect& rect, COLORREF color)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (canvas.Pixel(x, y) == color)
                ++count;
    return count;
}
}  // namespace

struct LegendGridCase
{
    int innerWidth;
    int keys;
    int columns;
    int rows;
    int cellWidth;
};

class LegendGrid : public ::testing::TestWithParam<LegendGridCase>
{
};

// Text columns of 10 characters of 7 pixels and a key box of 24 pixels (a 20-pixel key, a fifth wider)
// make cells of at least 94 pixels.
TEST_P(LegendGrid, FillsTheInnerWidthWithWholeCells)
{
    const LegendGridCase c = GetParam();
    CMemoryCanvas canvas(600, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 600, 300), 0);
    AddGroups(chart, c.keys);
    CFixedCharLegend* pLegend = new CFixedCharLegend;
    pLegend->SetMeasurement(QVGraphRect::pixels);
    const int margin = int(pLegend->GetSizeX());
    pLegend->SetIntRect(CRect(10, 10, 10 + c.innerWidth + 2 * margin, 10 + 100 + 2 * margin));
    pLegend->SetKeyKind(QVGraphLegend::keyPerGroup);
    chart.AddComponent(pLegend);
    chart.Draw(&canvas.dc, nullptr);

    EXPECT_EQ(c.keys, pLegend->GetKeyCount());
    EXPECT_EQ(c.columns, pLegend->GetColumns());
    EXPECT_EQ(c.rows, pLegend->GetRows());
    EXPECT_EQ(c.cellWidth, pLegend->GetCellSize().cx);
    // Key i sits in column i mod c and row i / c, from the inner rectangle's corner.
    const int left = 10 + margin;
    for (int key = 0; key < c.keys; ++key) {
        QVGraphLabel* pLabel = pLegend->GetKeyBlock().GetLabel(key);
        ASSERT_NE(nullptr, pLabel);
        EXPECT_EQ(left + (key % c.columns) * c.cellWidth, int(pLabel->GetX())) << key;
        if (c.rows > 1) {
            EXPECT_EQ(10 + margin + (key / c.columns) * pLegend->GetCellSize().cy, int(pLabel->GetY())) << key;
        }
        EXPECT_EQ(CString(("Series " + std::to_string(key)).c_str()), KeyText(*pLegend, key));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LegendGrid,
                         ::testing::Values(LegendGridCase{300, 5, 3, 2, 100},   // the documented case
                                           LegendGridCase{300, 6, 3, 2, 100},
                                           LegendGridCase{300, 2, 2, 1, 150},   // one row shares out its width
                                           LegendGridCase{90, 3, 1, 3, 94}));   // narrower than one cell

TEST(Legend, KeysPerItemNameEmptyItemsByTheirPlace)
{
    QVGraph chart;
    for (int index = 0; index < 3; ++index)
        chart.SetValue(index, 0, index);
    chart.SetItemText(0, 0, "first");
    chart.SetItemText(1, 0, "second");
    QVGraphLegend* pLegend = new QVGraphLegend;
    pLegend->SetKeyKind(QVGraphLegend::keyPerItem);
    chart.AddComponent(pLegend);
    pLegend->RefreshKeys();
    ASSERT_EQ(3, pLegend->GetKeyCount());
    EXPECT_EQ(CString("first"), KeyText(*pLegend, 0));
    EXPECT_EQ(CString("second"), KeyText(*pLegend, 1));
    EXPECT_EQ(CString("Data at group 0 index 2 "), KeyText(*pLegend, 2));
}

TEST(Legend, AutomaticKindFollowsTheGraphTypeOfTheDisplayAfterIt)
{
    QVGraph chart;
    AddGroups(chart, 4);
    chart.SetValue(1, 0, 1.0);
    chart.SetValue(2, 0, 1.0);
    QVGraphLegend* pLegend = new QVGraphLegend;   // automatic key kind
    chart.AddComponent(pLegend);
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetDataRange(-1, -1, 1, 2);         // groups 1 and 2 of items 0 to 2
    chart.AddComponent(pDisplay);

    struct Case
    {
        int graphType;
        int kind;
        int keys;
        const char* firstKey;
    };
    const Case cases[] = {
        {0x22, QVGraphLegend::keyPerGroup, 2, "Series 1"},
        {0x14, QVGraphLegend::keyPerIndex, 3, ""},                          // texts of group 1's items
        {0x04, QVGraphLegend::keyPerItem, 2, "Data at group 1 index 0 "},   // groups 1 and 2 hold one item each
    };
    for (const Case& c : cases) {
        pDisplay->SetGraphType(c.graphType);
        pLegend->RefreshKeys();
        EXPECT_EQ(pDisplay, pLegend->GetDisplay()) << c.graphType;
        EXPECT_EQ(c.kind, pLegend->GetKeyKind()) << c.graphType;
        EXPECT_EQ(c.keys, pLegend->GetKeyCount()) << c.graphType;
        EXPECT_EQ(CString(c.firstKey), KeyText(*pLegend, 0)) << c.graphType;
    }
}

// The plotting program's charts: series of an x group and a y group, the legend last, stepping over the
// y groups, key boxes left of the texts and samples by each series.
TEST(Legend, PlottingChartShowsOneLineSampleAndTextPerSeries)
{
    CMemoryCanvas canvas(500, 360);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 500, 360), 0);
    const double xs[] = {0.1, 0.2, 0.3, 0.4, 0.5};
    for (int i = 0; i < 5; ++i) {
        chart.SetValue(i, 0, xs[i]);
        chart.SetValue(i, 1, 10.0 * (i + 1));
        chart.SetValue(i, 2, xs[i]);
        chart.SetValue(i, 3, 6.0 * (i + 1));
    }
    chart.SetGroupText(0, "Barber/Sawyer");
    chart.SetGroupText(2, "Casagrande/Shannon");
    QVGraphStyle green, red;
    for (QVGraphStyle* pStyle : {&green, &red}) {
        pStyle->SetLineType(pStyle == &green ? 4 : 5);
        pStyle->SetShapeType(4);
        pStyle->m_nLineWidth = 2;
    }
    green.m_crLineColor = RGB(0, 0x80, 0);
    red.m_crLineColor = RGB(0xFF, 0, 0);
    chart.ApplyStyle(0, 1, -1, -1, green, TRUE);
    chart.ApplyStyle(2, 3, -1, -1, red, TRUE);

    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->GetStyle()->m_crFill1 = RGB(255, 255, 255);
    chart.AddComponent(pBackground);
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetIntRect(CRect(0, 0, 500, 290));
    pDisplay->SetGraphType(34);
    pDisplay->SetAxisStyle(15);
    chart.AddComponent(pDisplay);
    QVGraphLegend* pLegend = new QVGraphLegend;
    pLegend->SetIntRect(CRect(25, 300, 475, 350));
    pLegend->GetStyle()->SetBorderStyle(7);
    pLegend->SetKeyKind(QVGraphLegend::keyPerGroup);
    pLegend->SetSampleStyle(QVGraphLegend::sampleSeries);
    pLegend->GetStyle()->SetOption(QVGraphLegend::optionKeyBoxLeft, TRUE);
    pLegend->SetGroupStride(2);
    chart.AddComponent(pLegend);
    chart.Draw(&canvas.dc, nullptr);
    canvas.SaveBmp("chart_legend_series.bmp");

    ASSERT_EQ(2, pLegend->GetKeyCount());
    EXPECT_EQ(CString("Barber/Sawyer"), KeyText(*pLegend, 0));
    EXPECT_EQ(CString("Casagrande/Shannon"), KeyText(*pLegend, 1));
    EXPECT_EQ(nullptr, pLegend->GetDisplay());   // nothing follows the legend: line samples only

    // Each key's box (left in its cell) shows its series' line and no other colour of a series.
    const CSize cell = pLegend->GetCellSize();
    const int keyBox = 24;
    for (int key = 0; key < 2; ++key) {
        QVGraphLabel* pLabel = pLegend->GetKeyBlock().GetLabel(key);
        const CRect box(int(pLabel->GetX()), int(pLabel->GetY()), int(pLabel->GetX()) + keyBox,
                        int(pLabel->GetY()) + cell.cy);
        const COLORREF own = key == 0 ? green.m_crLineColor : red.m_crLineColor;
        const COLORREF other = key == 0 ? red.m_crLineColor : green.m_crLineColor;
        EXPECT_GE(CountPixels(canvas, box, own), 10) << key;
        EXPECT_EQ(0, CountPixels(canvas, box, other)) << key;
        // The text stands right of the box.
        const CRect text(box.right, box.top, int(pLabel->GetX()) + cell.cx, box.bottom);
        EXPECT_GT(CountPixels(canvas, text, RGB(0, 0, 0)), 20) << key;
    }
}

TEST(Legend, WithoutGroupsDrawsOnlyItsFrame)
{
    CMemoryCanvas canvas(200, 100);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 200, 100), 0);
    QVGraphLegend* pLegend = new QVGraphLegend;
    pLegend->SetIntRect(CRect(10, 10, 190, 90));
    pLegend->GetStyle()->SetBorderStyle(7);
    chart.AddComponent(pLegend);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(0, pLegend->GetKeyCount());
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(10, 50));                               // the frame
    EXPECT_EQ(0, CountPixels(canvas, CRect(12, 12, 189, 89), RGB(0, 0, 0)));     // and nothing inside
}

TEST(Legend, GrowingLegendKeepsInsideTheChart)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    AddGroups(chart, 2);
    CFixedCharLegend* pLegend = new CFixedCharLegend;
    pLegend->SetIntRect(CRect(350, 100, 550, 160));
    pLegend->GetStyle()->SetShadowStyle(1);
    pLegend->SetGrowAndKeepInside(TRUE);
    chart.AddComponent(pLegend);
    chart.Draw(&canvas.dc, nullptr);

    const CRect drawn = pLegend->GetDrawnRect();
    EXPECT_EQ(400 - 3, drawn.right);             // its shadow ends at the chart's edge
    EXPECT_EQ(200, drawn.Width());
    // The stored rectangle moved with it; its height follows the one row of keys.
    EXPECT_DOUBLE_EQ(350.0 - (550 + 3 - 400), pLegend->GetRectObject()->m_dLeft);
    EXPECT_EQ(1, pLegend->GetRows());
    EXPECT_LT(drawn.Height(), 60);
}

TEST(Legend, ArchiveKeepsItsLayoutOptions)
{
    QVGraphLegend source;
    source.SetKeyOptions(QVGraphLegend::keyFitWidth | QVGraphLegend::keyAnchorTop);
    source.SetTextWidth(14);
    source.SetRowFactor(2);
    source.SetGrowAndKeepInside(TRUE);
    source.SetKeyKind(QVGraphLegend::keyPerItem);
    QVGraphLegend target;
    RoundTrip(source, target);
    EXPECT_EQ(QVGraphLegend::keyFitWidth | QVGraphLegend::keyAnchorTop, target.GetKeyOptions());
    EXPECT_EQ(14, target.GetTextWidth());
    EXPECT_EQ(2, target.GetRowFactor());
    EXPECT_EQ(1, target.GetGrowAndKeepInside());
    EXPECT_EQ(QVGraphLegend::keyPerItem, target.GetStoredKeyKind());
    EXPECT_DOUBLE_EQ(20.0, target.GetKeySize());
}

struct KeySampleCase
{
    int sample;        // the legend's sample nibble
    int graphType;     // of the display after the legend; -1 for none
    int itemShape;     // the series' point or shape type
    bool line;         // the series' line across the middle
    bool marker;       // its marker in the centre
    bool box;          // a box filled like the series
};

class LegendKeySample : public ::testing::TestWithParam<KeySampleCase>
{
};

TEST_P(LegendKeySample, DrawsWhatTheSampleStyleAsks)
{
    const KeySampleCase c = GetParam();
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    chart.SetValue(0, 0, 1.0);
    QVGraphStyle* pItem = chart.FindItem(0, 0)->GetStyle();
    pItem->SetLineType(2);
    pItem->m_crLineColor = RGB(255, 0, 0);
    pItem->m_nLineWidth = 3;
    pItem->SetShapeType(c.itemShape);
    pItem->SetMarkerFill(0x20);
    pItem->m_crFill1 = RGB(0, 0, 255);
    pItem->m_nFlags = (pItem->m_nFlags & ~0xF000) | (3 << 12);   // an item that asks for a box
    QVGraphLegend* pLegend = new QVGraphLegend;
    pLegend->SetSampleStyle(c.sample);
    chart.AddComponent(pLegend);
    if (c.graphType >= 0) {
        QVGraphDisplay* pDisplay = new QVGraphDisplay;
        pDisplay->SetGraphType(c.graphType);
        chart.AddComponent(pDisplay);
    }
    pLegend->RefreshKeys();
    pLegend->SetDrawContext(&canvas.dc, nullptr);
    pLegend->DrawKey(CRect(10, 10, 50, 50), 0, 0, 0);

    const COLORREF white = RGB(255, 255, 255), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    EXPECT_EQ(c.line ? red : (c.box ? blue : white), canvas.Pixel(13, 30));
    EXPECT_EQ(c.marker || c.box ? blue : (c.line ? red : white), canvas.Pixel(30, 30));
    EXPECT_EQ(c.box ? blue : white, canvas.Pixel(13, 13));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LegendKeySample,
    ::testing::Values(KeySampleCase{0, -1, 13, false, false, false},    // none
                      KeySampleCase{2, -1, 13, true, false, false},     // a line
                      KeySampleCase{3, -1, 13, false, false, true},     // a box
                      KeySampleCase{4, -1, 13, true, true, false},      // a line and a marker
                      KeySampleCase{1, -1, 13, true, false, false},     // the series' own: without a display a line
                      KeySampleCase{1, 0x22, 13, true, true, false},    // a curve: line and marker
                      KeySampleCase{1, 0x22, 4, true, false, false},    // a curve drawn without markers
                      KeySampleCase{1, 0x1f, 13, true, false, false},   // lines only
                      KeySampleCase{1, 3, 13, false, false, true},      // bars: a box
                      KeySampleCase{5, -1, 13, false, false, true}));   // each item's own: this one a box

TEST(Legend, AutomaticFontFitsEveryKeyAndFollowsTheRoom)
{
    int heights[2] = {0, 0};
    const CRect rects[2] = {CRect(10, 10, 210, 60), CRect(10, 10, 590, 290)};
    for (int i = 0; i < 2; ++i) {
        CMemoryCanvas canvas(600, 300);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 600, 300), 0);
        AddGroups(chart, 6);
        QVGraphLegend* pLegend = new QVGraphLegend;
        pLegend->SetIntRect(rects[i]);
        pLegend->SetKeyKind(QVGraphLegend::keyPerGroup);
        pLegend->SetFontStyleFlags(QVGraphTitle::fontAutoSize);
        chart.AddComponent(pLegend);
        chart.Draw(&canvas.dc, nullptr);
        heights[i] = -pLegend->m_logFont.lfHeight;
        // Every key has a whole cell inside the inner rectangle.
        const CRect inner = pLegend->GetInnerRect(rects[i]);
        EXPECT_GE(pLegend->GetColumns() * pLegend->GetRows(), 6) << i;
        EXPECT_LE(pLegend->GetRows() * pLegend->GetCellSize().cy, inner.Height()) << i;
        EXPECT_LE(pLegend->GetColumns() * pLegend->GetCellSize().cx, inner.Width()) << i;
    }
    EXPECT_GT(heights[0], 2);
    EXPECT_GT(heights[1], heights[0]);
}
