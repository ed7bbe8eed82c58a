#pragma once
// A memory DC for the drawing tests: 32-bit pixels painted white, a known font selected, and every
// TextOut recorded with its position.

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <gtest/gtest.h>

#include <vector>

struct RecordedText
{
    int x;
    int y;
    CString text;
};

class RecordingDC : public CDC
{
public:
    using CDC::TextOut;
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) override
    {
        texts.push_back({x, y, CString(lpszString, nCount)});
        return CDC::TextOut(x, y, lpszString, nCount);
    }
    std::vector<RecordedText> texts;
};

class DrawingCanvas : public ::testing::Test
{
protected:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 1200;
    RecordingDC dc;
    CBitmap bitmap;
    CFont font;
    CBitmap* pOldBitmap = nullptr;
    CFont* pOldFont = nullptr;
    TEXTMETRIC tm = {};

    void SetUp() override
    {
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateBitmap(kWidth, kHeight, 1, 32, nullptr));
        pOldBitmap = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 255));
        ASSERT_TRUE(font.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial"));
        pOldFont = dc.SelectObject(&font);
        dc.GetTextMetrics(&tm);
    }

    void TearDown() override
    {
        dc.SelectObject(pOldFont);
        dc.SelectObject(pOldBitmap);
    }

    int Width(LPCTSTR psz) { return dc.GetTextExtent(psz, static_cast<int>(lstrlenA(psz))).cx; }
    int LineHeight() const { return tm.tmHeight + tm.tmExternalLeading; }
};
