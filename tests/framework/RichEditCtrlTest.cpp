// CRichEditCtrl on riched20: RTF streamed in and out again (through callbacks that hand out and
// take the text in pieces), character formats, the layout into a device context, and the
// EN_REQUESTRESIZE notification reflected to the control object.
#include "framework/win/RichEditCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// Bold switched off by a control word: Wine's riched20 keeps a group's bold past the group's end.
const char kBoldRtf[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\b Bold\\b0  plain}";

// Hands the text out in pieces of at most 7 bytes, however much the control asks for.
struct SourceText
{
    std::string text;
    size_t position = 0;

    static DWORD CALLBACK Read(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
    {
        auto* pSource = reinterpret_cast<SourceText*>(dwCookie);
        const size_t nPiece = std::min<size_t>({static_cast<size_t>(cb), 7, pSource->text.size() - pSource->position});
        std::memcpy(pbBuff, pSource->text.data() + pSource->position, nPiece);
        pSource->position += nPiece;
        *pcb = static_cast<LONG>(nPiece);
        return 0;
    }
};

DWORD CALLBACK AppendText(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    reinterpret_cast<std::string*>(dwCookie)->append(reinterpret_cast<const char*>(pbBuff), static_cast<size_t>(cb));
    *pcb = cb;
    return 0;
}

long StreamInText(CRichEditCtrl& edit, int nFormat, const std::string& text)
{
    SourceText source{text};
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&source), 0, &SourceText::Read};
    return edit.StreamIn(nFormat, es);
}

std::string StreamOutText(CRichEditCtrl& edit, int nFormat)
{
    std::string text;
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&text), 0, &AppendText};
    edit.StreamOut(nFormat, es);
    return text;
}

CString WindowTextOf(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

// Counts EN_REQUESTRESIZE reflected back to the control and keeps the size asked for.
class ResizingRichEdit : public CRichEditCtrl
{
public:
    int requests = 0;
    CRect requested;

    void OnRequestResize(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++requests;
        requested = reinterpret_cast<REQRESIZE*>(pNMHDR)->rc;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ResizingRichEdit, CRichEditCtrl)
    ON_NOTIFY_REFLECT(EN_REQUESTRESIZE, OnRequestResize)
END_MESSAGE_MAP()

class RichEditCtrl : public ::testing::Test
{
protected:
    CWnd parent;
    ResizingRichEdit edit;

    void SetUp() override
    {
        ASSERT_TRUE(AfxInitRichEdit());
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Rich", WS_POPUP | WS_VISIBLE, 40, 40, 320, 200,
                                    nullptr, nullptr));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(10, 10, 300, 150), &parent, 303));
    }

    void TearDown() override
    {
        parent.DestroyWindow();
        PumpPendingMessages();
    }
};

TEST_F(RichEditCtrl, RtfStreamedInShowsItsTextAndKeepsItsFormatOnTheWayOut)
{
    EXPECT_GT(StreamInText(edit, SF_RTF, kBoldRtf), 0);
    EXPECT_STREQ(WindowTextOf(edit), "Bold plain");
    EXPECT_EQ(StreamOutText(edit, SF_TEXT), "Bold plain");

    const std::string rtf = StreamOutText(edit, SF_RTF);
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << rtf;
    EXPECT_NE(rtf.find("\\b"), std::string::npos) << rtf;

    // What came out goes into a second control as the same formatted text.
    ResizingRichEdit copy;
    ASSERT_TRUE(copy.Create(WS_CHILD | ES_MULTILINE, CRect(10, 160, 300, 190), &parent, 304));
    StreamInText(copy, SF_RTF, rtf);
    EXPECT_STREQ(WindowTextOf(copy), "Bold plain");
    struct Case
    {
        long start, end;
        bool bold;
    };
    for (const Case& c : {Case{0, 4, true}, Case{5, 10, false}})
    {
        copy.SetSel(c.start, c.end);
        CHARFORMAT cf = {};
        EXPECT_NE(copy.GetSelectionCharFormat(cf) & CFM_BOLD, 0u);
        EXPECT_EQ((cf.dwEffects & CFE_BOLD) != 0, c.bold) << c.start;
    }
}

TEST_F(RichEditCtrl, SelectionStreamReplacesOnlyTheSelection)
{
    StreamInText(edit, SF_TEXT, "one two three");
    edit.SetSel(4, 7);
    EXPECT_STREQ(edit.GetSelText(), "two");
    StreamInText(edit, SF_TEXT | SFF_SELECTION, "2");
    EXPECT_STREQ(WindowTextOf(edit), "one 2 three");
    edit.SetSel(0, 3);
    EXPECT_EQ(StreamOutText(edit, SF_TEXT | SFF_SELECTION), "one");
}

TEST_F(RichEditCtrl, ModifyFlagAndSelectionCharFormat)
{
    StreamInText(edit, SF_TEXT, "abc");
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());
    edit.SetSel(0, 1);
    CHARFORMAT cf = {};
    cf.dwMask = CFM_ITALIC;
    cf.dwEffects = CFE_ITALIC;
    EXPECT_TRUE(edit.SetSelectionCharFormat(cf));
    EXPECT_TRUE(edit.GetModify());
    EXPECT_NE(StreamOutText(edit, SF_RTF).find("\\i"), std::string::npos);
}

// A white 32-bit bitmap in a memory DC, to lay rich text out into and read back.
class CanvasDC
{
public:
    CanvasDC(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateBitmap(nWidth, nHeight, 1, 32, nullptr);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        ::PatBlt(m_dc.GetSafeHdc(), 0, 0, nWidth, nHeight, WHITENESS);
    }
    ~CanvasDC() { m_dc.SelectObject(m_pOld); }

    HDC Hdc() { return m_dc.GetSafeHdc(); }
    // A rectangle of pixels as twips of this DC.
    RECT Twips(int left, int top, int right, int bottom)
    {
        const int x = 1440 / m_dc.GetDeviceCaps(LOGPIXELSX);
        const int y = 1440 / m_dc.GetDeviceCaps(LOGPIXELSY);
        return {left * x, top * y, right * x, bottom * y};
    }
    // Dark pixels in the columns [left, right).
    int DarkPixels(int left, int right)
    {
        int nDark = 0;
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = left; x < right; ++x)
                if (GetRValue(m_dc.GetPixel(x, y)) < 128)
                    ++nDark;
        return nDark;
    }

private:
    int m_nWidth;
    int m_nHeight;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};

FORMATRANGE RangeOn(CanvasDC& canvas, RECT rc)
{
    FORMATRANGE range = {};
    range.hdc = range.hdcTarget = canvas.Hdc();
    range.rcPage = rc;
    range.rc = rc;
    range.chrg = {0, -1};
    return range;
}

TEST_F(RichEditCtrl, FormatRangeDrawsTheTextIntoADeviceContext)
{
    StreamInText(edit, SF_RTF, kBoldRtf);
    edit.SetSel(2, 6);
    CanvasDC canvas(200, 40);
    FORMATRANGE range = RangeOn(canvas, canvas.Twips(0, 0, 200, 40));
    // As the grid draws a cell: empty the cache, render, empty it again.
    edit.FormatRange(nullptr, FALSE);
    EXPECT_EQ(edit.FormatRange(&range, TRUE), edit.GetTextLength());
    edit.FormatRange(nullptr, FALSE);
    EXPECT_GT(canvas.DarkPixels(0, 200), 20) << "no text was drawn";
    // Laying out moved nothing the user sees.
    long nStart = -1;
    long nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 2);
    EXPECT_EQ(nEnd, 6);
}

TEST_F(RichEditCtrl, FormatRangeMeasuresWhereTheRectangleIsFull)
{
    // One line high and about one word wide: the second word wraps to a line that does not fit.
    StreamInText(edit, SF_RTF, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 one two}");
    CanvasDC canvas(100, 40);
    FORMATRANGE oneLine = RangeOn(canvas, canvas.Twips(0, 0, 30, 20));
    EXPECT_EQ(edit.FormatRange(&oneLine, FALSE), 4);
    FORMATRANGE twoLines = RangeOn(canvas, canvas.Twips(0, 0, 30, 40));
    EXPECT_EQ(edit.FormatRange(&twoLines, FALSE), 7);
    EXPECT_EQ(canvas.DarkPixels(0, 100), 0) << "measuring drew";
}

TEST_F(RichEditCtrl, FormatRangeFollowsTheParagraphAlignment)
{
    StreamInText(edit, SF_RTF, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 right}");
    edit.SetSel(0, -1);
    PARAFORMAT2 pf = {};
    pf.dwMask = PFM_ALIGNMENT;
    pf.wAlignment = PFA_RIGHT;
    ASSERT_TRUE(edit.SetParaFormat(pf));
    CanvasDC canvas(200, 30);
    FORMATRANGE range = RangeOn(canvas, canvas.Twips(0, 0, 200, 30));
    edit.FormatRange(&range, TRUE);
    EXPECT_EQ(canvas.DarkPixels(0, 100), 0);
    EXPECT_GT(canvas.DarkPixels(100, 200), 20);
}

TEST_F(RichEditCtrl, RequestResizeReachesTheControlObject)
{
    edit.SetEventMask(ENM_REQUESTRESIZE);
    EXPECT_EQ(edit.GetEventMask(), static_cast<DWORD>(ENM_REQUESTRESIZE));
    StreamInText(edit, SF_TEXT, "one\rtwo\rthree\rfour");
    edit.requests = 0;
    edit.RequestResize();
    EXPECT_GE(edit.requests, 1);
    // Four lines need more than one line's height.
    EXPECT_GT(edit.requested.Height(), 30);
}

TEST_F(RichEditCtrl, OptionsAndTextLimit)
{
    edit.SetOptions(ECOOP_SET, ECO_NOHIDESEL);
    edit.SetReadOnly(TRUE);
    EXPECT_EQ(edit.GetOptions() & (ECO_NOHIDESEL | ECO_READONLY), static_cast<UINT>(ECO_NOHIDESEL | ECO_READONLY));
    edit.LimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5);
}

} // namespace
