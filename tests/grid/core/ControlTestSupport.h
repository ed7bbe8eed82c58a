#pragma once
// A grid engine with its own parameter object, data object, styles map and properties, recording
// the hooks its cell controls call, a control that can be made active and modified, and a white
// memory canvas to draw cells into.

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <gtest/gtest.h>

// Grids are made after the library's start-up.
struct StartedLibrary
{
    StartedLibrary() { GXStartLibrary(); }
};

class RecordingGrid : private StartedLibrary, public CGXGridCore
{
public:
    explicit RecordingGrid(CWnd* pWnd = nullptr) : StartedLibrary(), CGXGridCore(pWnd)
    {
        SetParam(nullptr, TRUE);
        GetParam()->SetData(new CGXData, TRUE);
        CGXStylesMap* pStylesMap = new CGXStylesMap;
        pStylesMap->CreateStandardStyles();
        GetParam()->SetStylesMap(pStylesMap, TRUE);
        CGXProperties* pProperties = new CGXProperties;
        pProperties->AddDefaultUserProperties();
        GetParam()->SetProperties(pProperties, TRUE);
        GetParam()->GetData()->SetRowCount(10);
        GetParam()->GetData()->SetColCount(10);
    }

    void StoreCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
    {
        GetParam()->GetData()->StoreStyleRowCol(nRow, nCol, &style, gxOverride, 0);
    }
    CString StoredValue(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        if (!GetStoredStyleRowCol(nRow, nCol, style, gxCopy, 0))
            return "-";
        return style.GetValue();
    }

    BOOL ValidateCellHook(ROWCOL, ROWCOL) override
    {
        ++nValidateHookCalls;
        return bValidateHookAnswer;
    }
    void SetValidationWarning(const CString& text) override
    {
        ++nWarnings;
        CGXGridCore::SetValidationWarning(text);
    }
    BOOL OnCellLeftClicked(ROWCOL nRow, ROWCOL nCol, UINT, CPoint) override
    {
        clicked.push_back({nRow, nCol});
        return TRUE;
    }
    CRect CalcCellRect(ROWCOL nRow, ROWCOL nCol) override
    {
        // 20 x 10 pixel cells.
        return CRect(static_cast<int>(nCol) * 20, static_cast<int>(nRow) * 10, static_cast<int>(nCol) * 20 + 20,
                     static_cast<int>(nRow) * 10 + 10);
    }

    int nValidateHookCalls = 0;
    BOOL bValidateHookAnswer = TRUE;
    int nWarnings = 0;
    std::vector<std::pair<ROWCOL, ROWCOL>> clicked;
};

// A control with the active and modified states a window control would have.
class EditingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    void SetActive(BOOL bActive) override { m_bActive = bActive; }
    BOOL IsActive() override { return m_bActive; }
    void SetModify(BOOL bModified) override { m_bModified = bModified; }
    BOOL GetModify() override { return m_bModified; }
    BOOL Char(UINT nChar, UINT, UINT) override
    {
        chars.push_back(nChar);
        return TRUE;
    }
    BOOL CharDbcs(const CString& text, UINT, UINT) override
    {
        dbcs.push_back(text);
        return TRUE;
    }
    BOOL KeyDown(UINT nChar, UINT, UINT) override
    {
        keyDowns.push_back(nChar);
        return TRUE;
    }

    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    std::vector<UINT> chars;
    std::vector<CString> dbcs;
    std::vector<UINT> keyDowns;
};

// A white 32-bit memory bitmap selected into a DC.
struct WhiteCanvas
{
    WhiteCanvas(int cx, int cy) : nWidth(cx), nHeight(cy)
    {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(bitmap.CreateBitmap(cx, cy, 1, 32, nullptr));
        pOld = dc.SelectObject(&bitmap);
        ::PatBlt(dc.GetSafeHdc(), 0, 0, cx, cy, WHITENESS);
    }
    ~WhiteCanvas() { dc.SelectObject(pOld); }
    WhiteCanvas(const WhiteCanvas&) = delete;
    WhiteCanvas& operator=(const WhiteCanvas&) = delete;

    COLORREF At(int x, int y) { return ::GetPixel(dc.GetSafeHdc(), x, y) & 0xFFFFFF; }
    int Count(COLORREF color)
    {
        int nCount = 0;
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
                nCount += At(x, y) == color;
        return nCount;
    }

    int nWidth;
    int nHeight;
    CDC dc;
    CBitmap bitmap;
    CBitmap* pOld = nullptr;
};
