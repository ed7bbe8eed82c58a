// Axis scales: steps and label texts of decimal, logarithmic, date and index scales.
#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// A scale of the chart drawing into the canvas, along a vertical axis of 300 pixels.
template <class Scale>
void SetUpScale(Scale& scale, QVGraph& chart, CMemoryCanvas& canvas, double low, double high)
{
    scale.SetChart(&chart);
    scale.SetDrawContext(&canvas.dc, nullptr);
    scale.SetFont(-15, 0, "Arial");
    scale.SetStartPoint(60, 350);
    scale.SetEndPoint(60, 50);
    scale.SetMin(low);
    scale.SetMax(high);
}

std::vector<std::string> Texts(QVGraphLabelBlock& block)
{
    std::vector<std::string> texts;
    for (int i = 0; i < block.GetLabelCount(); ++i)
        texts.push_back(static_cast<LPCTSTR>(block.GetLabel(i)->GetCurrentText()));
    return texts;
}

std::vector<std::string> NonEmpty(const std::vector<std::string>& texts)
{
    std::vector<std::string> result;
    for (const std::string& text : texts)
        if (!text.empty())
            result.push_back(text);
    return result;
}
}  // namespace

TEST(DecimalScale, ZeroToOneOnThreeHundredPixelsStepsByATenth)
{
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGDecimalScale scale;
    SetUpScale(scale, chart, canvas, 0.0, 1.0);
    scale.SetRecordAnchors(TRUE);
    scale.GenerateLabels();
    const std::vector<std::string> expected = {" 0 ",   " 0.1 ", " 0.2 ", " 0.3 ", " 0.4 ", " 0.5 ",
                                               " 0.6 ", " 0.7 ", " 0.8 ", " 0.9 ", " 1 "};
    EXPECT_EQ(expected, Texts(scale));
    EXPECT_EQ(CString(" %g "), scale.GetFormat());
    // Anchors lie on the axis line, one every 30 pixels; labels sit the gap away on the left.
    ASSERT_EQ(11, scale.GetAnchorList()->GetCount());
    EXPECT_EQ(CPoint(60, 350), scale.GetAnchorList()->GetHead());
    EXPECT_EQ(CPoint(60, 320), scale.GetAnchorList()->GetAt(scale.GetAnchorList()->FindIndex(1)));
    EXPECT_EQ(CPoint(60, 50), scale.GetAnchorList()->GetTail());
    scale.GetLabel(0)->ComputeAnchor();
    EXPECT_LT(scale.GetLabel(0)->GetAnchor().x, 60);
}

TEST(DecimalScale, DescendingWalksFromTheMaximum)
{
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGDecimalScale scale;
    SetUpScale(scale, chart, canvas, 0.0, 1.0);
    scale.SetDescending();
    scale.GenerateLabels();
    ASSERT_EQ(11, scale.GetLabelCount());
    EXPECT_EQ(std::string(" 1 "), Texts(scale).front());
    EXPECT_EQ(std::string(" 0 "), Texts(scale).back());
}

TEST(DecimalScale, EqualEndsGiveNoLabels)
{
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGDecimalScale scale;
    SetUpScale(scale, chart, canvas, 0.0, 1.0);
    scale.GenerateLabels();
    ASSERT_GT(scale.GetLabelCount(), 0);
    scale.SetMin(3.0);
    scale.SetMax(3.0);
    scale.GenerateLabels();
    EXPECT_EQ(0, scale.GetLabelCount());
}

TEST(DecimalScale, ValuesVanishingAgainstTheStepPrintAsZero)
{
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGDecimalScale scale;
    SetUpScale(scale, chart, canvas, -0.3, 0.3);
    scale.SetStep(0.1);
    scale.GenerateLabels();
    const std::vector<std::string> texts = Texts(scale);
    ASSERT_EQ(7u, texts.size());
    EXPECT_EQ(std::string(" 0 "), texts[3]);   // -0.3 + 3 x 0.1 is about 5.6e-17
}

TEST(DecimalScale, NoLabelsWithoutADeviceContext)
{
    QVGDecimalScale scale;
    scale.SetStartPoint(0, 300);
    scale.SetMax(1.0);
    scale.GenerateLabels();
    EXPECT_EQ(0, scale.GetLabelCount());
}

struct TidyCase
{
    const char* input;
    bool thousands;
    const char* expected;
};

class TidyNumberText : public ::testing::TestWithParam<TidyCase>
{
};

TEST_P(TidyNumberText, ShortensExponentsAndGroupsThousands)
{
    QVGDecimalScale scale;
    scale.GetStyle()->SetOption(QVGDecimalScale::optionThousands, GetParam().thousands);
    EXPECT_EQ(std::string(GetParam().expected), std::string(scale.TidyNumberText(GetParam().input)));
}

INSTANTIATE_TEST_SUITE_P(Cases, TidyNumberText,
                         ::testing::Values(TidyCase{"1e+005", false, "1e5"}, TidyCase{"-2.5E-012", false, "-2.5E-12"},
                                           TidyCase{"1.5e-005", false, "1.5e-5"}, TidyCase{"1e+010", false, "1e10"},
                                           TidyCase{" 1e+005 ", false, " 1e5 "},
                                           TidyCase{"1234567.5", true, "1,234,567.5"},
                                           TidyCase{"-12345", true, "-12,345"}, TidyCase{" 999 ", true, "999"},
                                           TidyCase{"1234567.5", false, "1234567.5"}));

TEST(DecimalScale, FormatsWithMoreThanOneNumberFallBackToTheDefault)
{
    EXPECT_TRUE(QVGDecimalScale::IsSafeNumberFormat(" %.2f%% "));
    EXPECT_FALSE(QVGDecimalScale::IsSafeNumberFormat("%s"));
    EXPECT_FALSE(QVGDecimalScale::IsSafeNumberFormat("%g %g"));
    EXPECT_FALSE(QVGDecimalScale::IsSafeNumberFormat("%*g"));
    EXPECT_EQ(CString(" 2.5 "), QVGDecimalScale::FormatValue("%s", 2.5));
    EXPECT_EQ(CString("5.00e-004"), QVGDecimalScale::FormatValue("%.2e", 0.0005));
}

TEST(LogScale, OneToThousandLabelsTheDecades)
{
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGLogScale scale;
    SetUpScale(scale, chart, canvas, 1.0, 1000.0);
    scale.SetRecordAnchors(TRUE);
    scale.GenerateLabels();
    const std::vector<std::string> texts = Texts(scale);
    EXPECT_EQ((std::vector<std::string>{"1", "10", "100", "1000"}), NonEmpty(texts));
    EXPECT_EQ(28u, texts.size());   // a tick at every whole multiple within each decade
    // 10 lies one decade, a third of the axis, above the start.
    EXPECT_EQ(CPoint(60, 250), scale.GetAnchorList()->GetAt(scale.GetAnchorList()->FindIndex(9)));
}

TEST(LogScale, OneDecadeLabelsEveryTick)
{
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGLogScale scale;
    SetUpScale(scale, chart, canvas, 1.0, 10.0);
    scale.GenerateLabels();
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}), Texts(scale));
}

TEST(LogScale, NonPositiveEndRaisesErrorTwentyTwo)
{
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGLogScale scale;
    SetUpScale(scale, chart, canvas, 0.0, 100.0);
    EXPECT_EQ(22, ChartErrorOf([&] { scale.GenerateLabels(); }));
}

TEST(DateScale, HalfADayWithAnEmptyFormatShowsTimes)
{
    EXPECT_STREQ("%H:%M:%S", QVGDateScale::DefaultFormat(0.5));
    EXPECT_STREQ("%M:%S", QVGDateScale::DefaultFormat(0.01));
    EXPECT_STREQ("%x", QVGDateScale::DefaultFormat(3.0));
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGDateScale scale;
    SetUpScale(scale, chart, canvas, 40000.25, 40000.75);
    scale.GenerateLabels();
    const std::vector<std::string> texts = Texts(scale);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(std::string("06:00:00"), texts.front());
    EXPECT_EQ(std::string("18:00:00"), texts.back());   // the far end is always labelled
    EXPECT_TRUE(scale.GetFormat().IsEmpty());          // the default is not stored
}

TEST(DateScale, FixedStepOfATenthCountsAsAutomatic)
{
    CMemoryCanvas canvas(200, 400);
    QVGraph chart;
    QVGDateScale scale;
    SetUpScale(scale, chart, canvas, 40000.0, 40010.0);
    scale.SetStepSpan(0.1);
    scale.GenerateLabels();
    EXPECT_LT(scale.GetLabelCount(), 20);   // 0.1 days would make 101 labels
    EXPECT_GE(scale.GetLabelCount(), 2);
}

TEST(DateScale, DatesAndInvalidDates)
{
    EXPECT_EQ(CString("2009-07-06 12:00:00"), QVGDateScale::FormatDate("%Y-%m-%d %H:%M:%S", 40000.5));
    EXPECT_EQ(CString("1899-12-30"), QVGDateScale::FormatDate("%Y-%m-%d", 0.0));
    EXPECT_EQ(CString("Invalid DateTime"), QVGDateScale::FormatDate("%x", 1e9));
    EXPECT_DOUBLE_EQ(1.0, QVGDateScale::AutomaticStep(10.0, 20));
    EXPECT_DOUBLE_EQ(3650.0, QVGDateScale::AutomaticStep(1e6, 2));
}

TEST(IndexScale, LabelStepRoundsUp)
{
    EXPECT_EQ(200, QVGIndexScale::LabelStep(1000, 7, 0.0));
    EXPECT_EQ(1, QVGIndexScale::LabelStep(10, 20, 0.0));
    EXPECT_EQ(10, QVGIndexScale::LabelStep(30, 4, 0.0));
    EXPECT_EQ(3, QVGIndexScale::LabelStep(30, 4, 3.7));
}

TEST(IndexScale, LabelsShowTheItemTextsInTheMiddleOfTheirSlots)
{
    CMemoryCanvas canvas(400, 200);
    QVGraph chart;
    for (int i = 0; i < 4; ++i) {
        chart.SetValue(i, 0, i * 2.0);
        chart.SetItemText(i, 0, std::string(1, char('P' + i)).c_str());
    }
    QVGIndexScale scale;
    scale.SetChart(&chart);
    scale.SetDrawContext(&canvas.dc, nullptr);
    scale.SetStartPoint(0, 100);
    scale.SetEndPoint(400, 100);
    scale.SetRecordAnchors(TRUE);
    scale.GenerateLabels();
    EXPECT_EQ((std::vector<std::string>{"P", "Q", "R", "S"}), Texts(scale));
    EXPECT_EQ(CPoint(50, 100), scale.GetAnchorList()->GetHead());
    EXPECT_EQ(CPoint(350, 100), scale.GetAnchorList()->GetTail());
}

TEST(LabelBlock, AnArchiveWhoseLabelListHoldsSomethingElseIsRefused)
{
    // Only labels may stand in a block's list: anything else would be used as one. The archive is
    // written in the block's own layout; a live block never holds anything but labels (storing one
    // that did would use the foreign object as a label).
    QVGraphLabelBlock block;
    CObList foreign;
    foreign.AddTail(new QVGraphLabel);
    foreign.AddTail(new CScale);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        block.QVGraphLabel::Serialize(ar);
        foreign.Serialize(ar);
        ar << block.m_nBlockFurther << block.m_bOverlapCheck << block.m_bRecordAnchors;
        ar.Close();
    }
    while (!foreign.IsEmpty())
        delete foreign.RemoveHead();
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    QVGraphLabelBlock loaded;
    bool refused = false;
    try {
        loaded.Serialize(ar);
    } catch (CArchiveException* e) {
        refused = e->m_cause == CArchiveException::badClass;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

TEST(DecimalScale, LabelsWithoutAFixedAngleTurnWithTheirAxisAndStayOnTheirSide)
{
    // Without the fixed-angle bit the labels are turned a quarter turn from the axis: along a horizontal
    // axis they stand upright and read from the line outwards, on the side the label side names.
    const struct
    {
        const char* name;
        CPoint start;
        CPoint end;
        int nLabelSide;
        char side;      // where the labels lie: 'b'elow, 'a'bove, 'l'eft or 'r'ight of the line
    } cases[] = {
        {"horizontal, labels below", {50, 200}, {350, 200}, 1, 'b'},
        {"horizontal, labels above", {50, 200}, {350, 200}, 0, 'a'},
        {"vertical, labels left", {200, 350}, {200, 50}, 0, 'l'},
        {"vertical, labels right", {200, 350}, {200, 50}, 1, 'r'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryCanvas canvas(400, 400);
        QVGraph chart;
        QVGDecimalScale scale;
        scale.SetChart(&chart);
        scale.SetDrawContext(&canvas.dc, nullptr);
        scale.SetFont(-15, 0, "Arial");
        scale.GetStyle()->SetOption(QVGDecimalScale::optionFixedAngle, FALSE);
        scale.SetStartPoint(c.start.x, c.start.y);
        scale.SetEndPoint(c.end.x, c.end.y);
        scale.SetLabelSide(c.nLabelSide);
        scale.SetMin(100.0);
        scale.SetMax(500.0);
        scale.GenerateLabels();
        scale.SetVisible(TRUE);
        scale.Draw(&canvas.dc, nullptr);
        ASSERT_GT(scale.GetLabelCount(), 2);
        for (int i = 0; i < scale.GetLabelCount(); ++i) {
            const CRect box = scale.GetLabel(i)->GetOutlineBounds();
            ASSERT_FALSE(box.IsRectEmpty()) << i;
            switch (c.side) {
            case 'b': EXPECT_GE(box.top, c.start.y) << i; EXPECT_GT(box.Height(), box.Width()) << i; break;
            case 'a': EXPECT_LE(box.bottom, c.start.y) << i; EXPECT_GT(box.Height(), box.Width()) << i; break;
            case 'l': EXPECT_LE(box.right, c.start.x) << i; EXPECT_GT(box.Width(), box.Height()) << i; break;
            default: EXPECT_GE(box.left, c.start.x) << i; EXPECT_GT(box.Width(), box.Height()) << i; break;
            }
        }
    }
}
