// Text of the drawing toolbox: line breaking, alignment, ellipses and "#" fill, hit testing.
#include "grid/core/DrawingAndFormatting.h"

#include "DrawingTestSupport.h"

namespace
{
CGXDrawingAndFormatting& Drawing() { return *CGXDrawingAndFormatting::GetInstance(); }

class DrawingText : public DrawingCanvas
{
protected:
    // The lines BreakLines makes of the text in a rectangle.
    std::vector<CString> Break(LPCTSTR pszText, CRect rect, UINT nFormat, int nMax = 32)
    {
        int starts[64];
        int lengths[64];
        const int nLines = Drawing().BreakLines(&dc, pszText, -1, rect, nFormat, starts, lengths, nMax);
        std::vector<CString> lines;
        for (int i = 0; i < nLines; ++i)
            lines.push_back(CString(pszText + starts[i], lengths[i]));
        return lines;
    }
};
}  // namespace

TEST_F(DrawingText, InstanceIsOneForTheProcess)
{
    EXPECT_EQ(CGXDrawingAndFormatting::GetInstance(), CGXDrawingAndFormatting::GetInstance());
}

TEST_F(DrawingText, BreakLinesStopsAt32Lines)
{
    CString text;
    for (int i = 0; i < 40; ++i)
        text += "line\n";
    const CRect tall(0, 0, 300, 1200);
    EXPECT_EQ(32u, Break(text, tall, DT_WORDBREAK).size());
    EXPECT_EQ(40u, Break(text, tall, DT_WORDBREAK, 64).size()) << "the cap is the caller's";
    CRect measured = tall;
    EXPECT_EQ(32 * LineHeight(), Drawing().CalcTextRect(&dc, text, -1, measured, DT_WORDBREAK));
    EXPECT_EQ(32 * LineHeight(), measured.Height());
    EXPECT_EQ(Width("line"), measured.Width());
}

TEST_F(DrawingText, WordsWrapAtTheWidthAndBreaksAtCrLf)
{
    const CRect rect(0, 0, Width("alpha beta") + 1, 10 * LineHeight());
    const std::vector<CString> wrapped = Break("alpha beta gamma", rect, DT_WORDBREAK);
    ASSERT_EQ(2u, wrapped.size());
    EXPECT_STREQ("alpha beta", wrapped[0]);
    EXPECT_STREQ("gamma", wrapped[1]);

    const std::vector<CString> broken = Break("one\r\ntwo\n\nfour\rfive", CRect(0, 0, 300, 300), DT_WORDBREAK);
    ASSERT_EQ(5u, broken.size()) << "CR LF counts as one break, LF LF as two";
    EXPECT_STREQ("one", broken[0]);
    EXPECT_STREQ("two", broken[1]);
    EXPECT_STREQ("", broken[2]);
    EXPECT_STREQ("four", broken[3]);
    EXPECT_STREQ("five", broken[4]);
}

TEST_F(DrawingText, AWordWiderThanTheRectangleStandsAlone)
{
    const CRect rect(0, 0, Width("ab"), 10 * LineHeight());
    const std::vector<CString> lines = Break("ab abcdefgh ab", rect, DT_WORDBREAK);
    ASSERT_EQ(3u, lines.size());
    EXPECT_STREQ("abcdefgh", lines[1]);
}

TEST_F(DrawingText, ARectangleOfOneLineHoldsOneLine)
{
    const CRect rect(0, 0, Width("alpha"), LineHeight());
    EXPECT_EQ(1u, Break("alpha beta gamma", rect, DT_WORDBREAK).size());
    EXPECT_EQ(1u, Break("alpha\nbeta", CRect(0, 0, 300, 300), DT_SINGLELINE).size());
}

TEST_F(DrawingText, VerticalAlignmentMovesTheTop)
{
    const int nHeight = 10 * LineHeight();
    struct
    {
        UINT nFormat;
        int nTop;
    } const cases[] = {
        {DT_TOP, 0},
        {DT_VCENTER, (nHeight - 2 * LineHeight() + tm.tmExternalLeading) / 2},
        {DT_BOTTOM, nHeight - 2 * LineHeight()},
    };
    for (const auto& c : cases)
    {
        CRect rect(0, 0, 300, nHeight);
        int starts[32], lengths[32];
        EXPECT_EQ(2, Drawing().BreakLines(&dc, "a\nb", -1, rect, c.nFormat | DT_WORDBREAK, starts, lengths, 32));
        EXPECT_EQ(c.nTop, rect.top) << c.nFormat;
    }
    CRect small(0, 0, 300, 2 * LineHeight());
    int starts[32], lengths[32];
    Drawing().BreakLines(&dc, "a\nb\nc", -1, small, DT_BOTTOM, starts, lengths, 32);
    EXPECT_EQ(0, small.top) << "text taller than the rectangle stays at the top";
}

TEST_F(DrawingText, DrawTextAlignsEachLine)
{
    const CRect rect(10, 10, 310, 10 + 4 * LineHeight());
    struct
    {
        UINT nFormat;
        int x;
    } const cases[] = {
        {DT_LEFT, 10},
        {DT_RIGHT, 310 - Width("word")},
        {DT_CENTER, 10 + (300 - Width("word")) / 2},
    };
    for (const auto& c : cases)
    {
        dc.texts.clear();
        CRect r = rect;
        Drawing().DrawText(&dc, "word", -1, r, c.nFormat | DT_SINGLELINE);
        ASSERT_EQ(1u, dc.texts.size());
        EXPECT_EQ(c.x, dc.texts[0].x);
        EXPECT_EQ(10, dc.texts[0].y);
    }
    // Never left of the left edge.
    dc.texts.clear();
    CRect narrow(10, 10, 12, 30);
    Drawing().DrawText(&dc, "word", -1, narrow, DT_RIGHT | DT_SINGLELINE);
    ASSERT_EQ(1u, dc.texts.size());
    EXPECT_EQ(10, dc.texts[0].x);
}

TEST_F(DrawingText, TooWideLineIsClippedToTheClipRectangle)
{
    const CRect rect(20, 20, 20 + Width("W"), 20 + LineHeight());
    CRect r = rect;
    Drawing().DrawText(&dc, "WWWWWWWW", -1, r, DT_SINGLELINE);
    int nDark = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.right; x < rect.right + 40; ++x)
            nDark += dc.GetPixel(x, y) != RGB(255, 255, 255);
    EXPECT_EQ(0, nDark) << "nothing drawn beyond the clip rectangle";
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(dc.m_hDC, hRegion)) << "the DC's clipping is given back";
    ::DeleteObject(hRegion);
}

TEST_F(DrawingText, OverlongTextIsShortenedWithAnEllipsis)
{
    const CRect rect(0, 0, Width("Hello wo"), LineHeight());
    Drawing().DrawTextEllipsis(&dc, "Hello wonderful world", -1, rect, DT_SINGLELINE, nullptr, gxDotEllipse);
    ASSERT_EQ(1u, dc.texts.size());
    const CString shown = dc.texts[0].text;
    EXPECT_EQ(0, shown.Find("Hello"));
    EXPECT_EQ(shown.GetLength() - 3, shown.Find("..."));
    EXPECT_LE(Width(shown), rect.Width());
}

TEST_F(DrawingText, EllipsisShortensCharactersFirstThenDots)
{
    for (LPCTSTR pszExpected : {"He...", "H...", "H..", "H.", "H"})
    {
        dc.texts.clear();
        const CRect rect(0, 0, Width(pszExpected), LineHeight());
        Drawing().DrawTextEllipsis(&dc, "Hello world", -1, rect, DT_SINGLELINE, nullptr, gxDotEllipse);
        ASSERT_EQ(1u, dc.texts.size());
        EXPECT_STREQ(pszExpected, dc.texts[0].text);
    }
}

TEST_F(DrawingText, ShortTextIsDrawnAsItStands)
{
    const CRect rect(0, 0, 300, LineHeight());
    Drawing().DrawTextEllipsis(&dc, "fits", -1, rect, DT_SINGLELINE, nullptr, gxDotEllipse);
    ASSERT_EQ(1u, dc.texts.size());
    EXPECT_STREQ("fits", dc.texts[0].text);
}

TEST_F(DrawingText, NumberThatDoesNotFitIsDrawnAsPounds)
{
    // A number that is one word: the single-line cell shows one "#".
    CRect rect(0, 0, Width("1234"), LineHeight());
    Drawing().DrawTextEllipsis(&dc, "123456789", -1, rect, DT_SINGLELINE | DT_RIGHT, nullptr, gxPoundEllipse);
    ASSERT_EQ(1u, dc.texts.size());
    EXPECT_STREQ("#", dc.texts[0].text);

    // A grouped number that breaks: as many "#" as the cell holds.
    dc.texts.clear();
    rect = CRect(0, 0, Width("1 234"), LineHeight());
    Drawing().DrawTextEllipsis(&dc, "1 234 567", -1, rect, DT_SINGLELINE | DT_RIGHT, nullptr, gxPoundEllipse);
    ASSERT_EQ(1u, dc.texts.size());
    EXPECT_EQ(CString('#', rect.Width() / Width("#")), dc.texts[0].text);

    // Too narrow for one "#": one is still drawn, clipped.
    dc.texts.clear();
    rect = CRect(0, 0, 2, LineHeight());
    Drawing().DrawTextEllipsis(&dc, "1 234", -1, rect, DT_SINGLELINE, nullptr, gxPoundEllipse);
    ASSERT_EQ(1u, dc.texts.size());
    EXPECT_STREQ("#", dc.texts[0].text);
}

TEST_F(DrawingText, NumberWiderThanItsCellButNotTheClipFloatsLeft)
{
    const CRect rect(100, 0, 100 + Width("12"), LineHeight());
    const CRect clip(0, 0, rect.right, LineHeight());
    Drawing().DrawTextEllipsis(&dc, "123456", -1, rect, DT_SINGLELINE | DT_RIGHT, clip, gxPoundEllipse);
    ASSERT_EQ(1u, dc.texts.size());
    EXPECT_STREQ("123456", dc.texts[0].text);
    EXPECT_EQ(clip.right - Width("123456"), dc.texts[0].x);
}

TEST_F(DrawingText, TextPositionFromPoint)
{
    const CRect rect(10, 10, 10 + Width("abc def") + 1, 10 + 5 * LineHeight());
    const LPCTSTR pszText = "abc def\nxyz";
    const int yLine1 = 10 + LineHeight() / 2;
    const int yLine2 = 10 + LineHeight() + LineHeight() / 2;
    EXPECT_EQ(0, Drawing().GetTextPosFromPoint(&dc, pszText, -1, rect, DT_WORDBREAK, 10, yLine1));
    EXPECT_EQ(2, Drawing().GetTextPosFromPoint(&dc, pszText, -1, rect, DT_WORDBREAK, 10 + Width("ab") + 1, yLine1));
    EXPECT_EQ(9, Drawing().GetTextPosFromPoint(&dc, pszText, -1, rect, DT_WORDBREAK, 10 + Width("x") + 1, yLine2));
    // Below the last line, and far left of the text.
    EXPECT_EQ(-1, Drawing().GetTextPosFromPoint(&dc, pszText, -1, rect, DT_WORDBREAK, 12, 10 + 2 * LineHeight()));
    EXPECT_EQ(-1, Drawing().GetTextPosFromPoint(&dc, pszText, -1, rect, DT_WORDBREAK, 12, 10 + 4 * LineHeight()));
    const int nTolerance = tm.tmMaxCharWidth / 3;
    EXPECT_EQ(-1, Drawing().GetTextPosFromPoint(&dc, pszText, -1, rect, DT_WORDBREAK, 10 - nTolerance - 1, yLine1));
}

TEST_F(DrawingText, EmptyOrNullCaptionDrawsOnlyAFrameSizedForTwoDashes)
{
    const CRect rect(0, 0, 200, 100);
    for (LPCTSTR pszCaption : {static_cast<LPCTSTR>(nullptr), ""})
    {
        dc.texts.clear();
        dc.FillSolidRect(0, 0, 200, 100, RGB(255, 255, 255));
        const CRect box = Drawing().DrawCenteredCaption(&dc, rect, TRUE, pszCaption, DT_SINGLELINE);
        EXPECT_TRUE(dc.texts.empty());
        EXPECT_EQ(Width("--") + 6, box.Width());
        EXPECT_EQ((200 - box.Width()) / 2, box.left);
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        EXPECT_EQ(shadow, dc.GetPixel(box.left + 2, box.top));
        EXPECT_EQ(shadow, dc.GetPixel(box.left, box.top + 2));
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(box.left, box.top)) << "corners stay open";
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(box.right - 1, box.bottom - 1));
    }
    dc.texts.clear();
    Drawing().DrawCenteredCaption(&dc, rect, FALSE, "OK", DT_SINGLELINE);
    ASSERT_EQ(1u, dc.texts.size());
    EXPECT_STREQ("OK", dc.texts[0].text);
}

TEST_F(DrawingText, TallFontsCloseUpTheirLinesByOnePixel)
{
    CFont tall;
    ASSERT_TRUE(tall.CreateFont(-28, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial"));
    CFont* pPrevious = dc.SelectObject(&tall);
    TEXTMETRIC tallMetric = {};
    dc.GetTextMetrics(&tallMetric);
    const int nLineHeight = tallMetric.tmHeight + tallMetric.tmExternalLeading;
    ASSERT_GT(nLineHeight, 19);
    CRect rect(0, 0, 300, 5 * nLineHeight);
    const int nDrawn = Drawing().DrawText(&dc, "one\ntwo", -1, rect, DT_WORDBREAK);
    dc.SelectObject(pPrevious);
    ASSERT_EQ(2u, dc.texts.size());
    EXPECT_EQ(nLineHeight - 1, dc.texts[1].y - dc.texts[0].y);
    EXPECT_EQ(2 * (nLineHeight - 1), nDrawn);
}

TEST_F(DrawingText, EllipsisGoesOnTheLastLineThatHasRoom)
{
    const CRect rect(0, 0, Width("alpha beta") + 1, 2 * LineHeight());
    Drawing().DrawTextEllipsis(&dc, "alpha beta gamma delta epsilon", -1, rect, DT_WORDBREAK, nullptr,
                               gxDotEllipse);
    ASSERT_EQ(2u, dc.texts.size());
    EXPECT_STREQ("alpha beta", dc.texts[0].text);
    const CString second = dc.texts[1].text;
    EXPECT_EQ(second.GetLength() - 3, second.Find("...")) << second;
    EXPECT_EQ(0, second.Find("gamma")) << second;
    EXPECT_EQ(dc.texts[0].y + LineHeight(), dc.texts[1].y);
}
