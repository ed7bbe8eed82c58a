// Deep copies of parameter objects, styles maps and properties: the copy owns objects of its own.
#include "grid/features/GridParamCopyOperatorImp.h"

#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/SpanCellPool.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A data object of a class of its own, as a formula sheet is (outside the unnamed namespace: the
// serial macros define an extraction operator it would leave unused).
class CCopyTestSheet : public CGXData
{
    DECLARE_SERIAL(CCopyTestSheet)
};
IMPLEMENT_SERIAL(CCopyTestSheet, CGXData, 0)

namespace
{

class GridParamCopyTest : public ::testing::Test
{
protected:
    void SetUp() override { GXStartLibrary(); }
};

CString ValueAt(const CGXGridParam& param, ROWCOL nRow, ROWCOL nCol)
{
    CGXStyle style;
    if (param.GetData() == nullptr || !param.GetData()->GetStyleRowCol(nRow, nCol, style, gxCopy, 0))
        return "(none)";
    return style.GetValue();
}

std::unique_ptr<CGXGridParam> SampleParam()
{
    auto pParam = std::make_unique<CGXGridParam>();
    auto* pStylesMap = new CGXStylesMap;
    pStylesMap->CreateStandardStyles();
    pStylesMap->RegisterStyle("Emphasis", CGXStyle().SetTextColor(RGB(200, 0, 0)));
    pParam->SetStylesMap(pStylesMap);
    auto* pData = new CGXData;
    pData->SetRowCount(10);
    pData->SetColCount(4);
    CGXStyle cell;
    cell.SetValue("source");
    pData->StoreStyleRowCol(2, 3, &cell, gxCopy);
    pParam->SetData(pData);
    auto* pProperties = new CGXProperties;
    pProperties->SetMargins(1, 2, 3, 4);
    pParam->SetProperties(pProperties);
    pParam->m_CoveredCellsList.AddTail(new CGXRange(1, 1, 2, 2));
    pParam->m_nFrozenRows = 3;
    pParam->m_wMergeCellsMode = 2;
    pParam->m_RowHeights.SetAt(5, 900);
    pParam->m_sSheetName = "Inflow";
    return pParam;
}

TEST_F(GridParamCopyTest, TheCopyOwnsObjectsOfItsOwn)
{
    const std::unique_ptr<CGXGridParam> pSource = SampleParam();
    CGXGridParam copy;
    copy = *pSource;

    ASSERT_NE(copy.GetStylesMap(), nullptr);
    ASSERT_NE(copy.GetData(), nullptr);
    ASSERT_NE(copy.GetProperties(), nullptr);
    EXPECT_NE(copy.GetStylesMap(), pSource->GetStylesMap());
    EXPECT_NE(copy.GetData(), pSource->GetData());
    EXPECT_NE(copy.GetProperties(), pSource->GetProperties());
    EXPECT_EQ(std::string(ValueAt(copy, 2, 3)), "source");
    EXPECT_EQ(copy.m_nFrozenRows, 3u);
    EXPECT_EQ(copy.m_wMergeCellsMode, 2);
    EXPECT_EQ(std::string(copy.m_sSheetName), "Inflow");
    EXPECT_EQ(copy.m_CoveredCellsList.GetCount(), 1);
    LONG nHeight = 0;
    EXPECT_TRUE(copy.m_RowHeights.Lookup(5, nHeight));
    EXPECT_EQ(nHeight, 900);

    // Changing the copy's styles map, data and properties leaves the source's alone.
    WORD nEmphasis = 0;
    ASSERT_TRUE(copy.GetStylesMap()->LookupStyleId("Emphasis", nEmphasis));
    CGXStyle* pCopied = nullptr;
    ASSERT_TRUE(copy.GetStylesMap()->LookupStyle(nEmphasis, pCopied));
    pCopied->SetTextColor(RGB(0, 0, 200));
    CGXStyle* pSourceStyle = nullptr;
    ASSERT_TRUE(pSource->GetStylesMap()->LookupStyle(nEmphasis, pSourceStyle));
    EXPECT_EQ(pSourceStyle->GetTextColor(), RGB(200, 0, 0));
    copy.GetStylesMap()->RegisterStyle("Only In The Copy", CGXStyle());
    WORD nId = 0;
    EXPECT_FALSE(pSource->GetStylesMap()->LookupStyleId("Only In The Copy", nId));

    CGXStyle cell;
    cell.SetValue("copy");
    copy.GetData()->StoreStyleRowCol(2, 3, &cell, gxCopy);
    EXPECT_EQ(std::string(ValueAt(*pSource, 2, 3)), "source");
    copy.GetProperties()->SetMargins(9, 9, 9, 9);
    int margins[4] = {};
    pSource->GetProperties()->GetMargins(margins[0], margins[1], margins[2], margins[3]);
    EXPECT_EQ(margins[0], 1);
}

TEST_F(GridParamCopyTest, CopyingOntoItselfChangesNothing)
{
    const std::unique_ptr<CGXGridParam> pParam = SampleParam();
    CGXStylesMap* pStylesMap = pParam->GetStylesMap();
    CGXData* pData = pParam->GetData();
    const int nStyles = pStylesMap->GetStyleCount();
    CGXGridParam& self = *pParam;
    *pParam = self;
    EXPECT_EQ(pParam->GetStylesMap(), pStylesMap);
    EXPECT_EQ(pParam->GetData(), pData);
    EXPECT_EQ(std::string(ValueAt(*pParam, 2, 3)), "source");

    *pStylesMap = *pStylesMap;
    EXPECT_EQ(pStylesMap->GetStyleCount(), nStyles);
    CGXProperties& properties = *pParam->GetProperties();
    properties = properties;
    int margins[4] = {};
    properties.GetMargins(margins[0], margins[1], margins[2], margins[3]);
    EXPECT_EQ(margins[3], 4);
}

TEST_F(GridParamCopyTest, TheDataObjectIsCopiedAsItsOwnClass)
{
    const std::unique_ptr<CGXGridParam> pSource = SampleParam();
    auto* pSheet = new CCopyTestSheet;
    pSheet->SetRowCount(3);
    pSheet->SetColCount(3);
    pSource->SetData(pSheet);
    CGXGridParam copy;
    copy = *pSource;
    ASSERT_NE(copy.GetData(), nullptr);
    EXPECT_TRUE(copy.GetData()->IsKindOf(RUNTIME_CLASS(CCopyTestSheet)));
    EXPECT_NE(copy.GetData(), pSheet);
    EXPECT_EQ(copy.GetData()->GetRowCount(), 3u);
}

TEST_F(GridParamCopyTest, ACopyOfASharedObjectIsOwnedByTheDestination)
{
    const std::unique_ptr<CGXGridParam> pSource = SampleParam();
    CGXStylesMap sharedMap;
    sharedMap.CreateStandardStyles();
    pSource->SetStylesMap(&sharedMap, FALSE);
    auto pCopy = std::make_unique<CGXGridParam>();
    *pCopy = *pSource;
    ASSERT_NE(pCopy->GetStylesMap(), nullptr);
    EXPECT_NE(pCopy->GetStylesMap(), &sharedMap);
    EXPECT_TRUE(pCopy->m_bOwnStylesMap) << "else nothing would delete the copy";
    EXPECT_EQ(pCopy->GetStylesMap()->GetStyleCount(), sharedMap.GetStyleCount());
    pCopy.reset();
    pSource->SetStylesMap(nullptr, FALSE);
}

TEST_F(GridParamCopyTest, PropertiesTakeTheirPrintSettingsAndHeaderAndFooter)
{
    CGXProperties source;
    source.SetMargins(5, 6, 7, 8);
    source.SetDistances(3, 4);
    source.SetFirstPage(2);
    source.SetPrintFrame(TRUE);
    source.AddDefaultUserProperties();
    CGXStyle title;
    title.SetValue("Drainage");
    source.GetDataHeader().StoreStyleRowCol(2, 1, &title, gxCopy);

    CGXProperties copy;
    copy = source;
    int margins[4] = {};
    copy.GetMargins(margins[0], margins[1], margins[2], margins[3]);
    EXPECT_EQ(margins[0], 5);
    EXPECT_EQ(margins[3], 8);
    int nHeader = 0;
    int nFooter = 0;
    copy.GetDistances(nHeader, nFooter);
    EXPECT_EQ(nFooter, 4);
    EXPECT_EQ(copy.GetFirstPage(), 2);
    EXPECT_TRUE(copy.GetPrintFrame());
    EXPECT_EQ(copy.GetUserPropertyInfoMap().GetCount(), source.GetUserPropertyInfoMap().GetCount());
    CGXStyle style;
    ASSERT_TRUE(copy.GetDataHeader().GetStyleRowCol(2, 1, style, gxCopy, 0));
    EXPECT_EQ(std::string(style.GetValue()), "Drainage");
    ASSERT_TRUE(copy.GetDataHeader().GetStyleRowCol(1, 2, style, gxCopy, 0));
    EXPECT_EQ(std::string(style.GetValue()), "$R");
}

TEST_F(GridParamCopyTest, TheFloatingAndMergedCellsPoolsAreCopiedNotShared)
{
    const std::unique_ptr<CGXGridParam> pSource = SampleParam();
    auto* pSpans = new CGXSpanCellPool;
    pSpans->SetSpanCellsRowCol(2, 1, 2, 3, TRUE);
    pSource->m_pFloatCellsPool = pSpans;
    auto* pDelayed = new CGXDelayedRangePool;
    pDelayed->AddRange(CGXRange(1, 1, 5, 4));
    pSource->m_pDelayedMergeCellsPool = pDelayed;
    CGXGridParam copy;
    copy.m_pVertMergeCellsPool = new CGXSpanCellPool;
    copy = *pSource;

    const CGXSpanCellPool* pCopiedSpans = GXAsSpanCellPool(copy.m_pFloatCellsPool);
    ASSERT_NE(pCopiedSpans, nullptr);
    EXPECT_NE(pCopiedSpans, pSpans);
    CGXRange span(2, 2);
    ASSERT_TRUE(pCopiedSpans->GetSpanCellsRowCol(2, 2, span));
    EXPECT_EQ(span.left, 1u);
    EXPECT_EQ(span.right, 3u);
    const CGXDelayedRangePool* pCopiedDelayed = GXAsDelayedRangePool(copy.m_pDelayedMergeCellsPool);
    ASSERT_NE(pCopiedDelayed, nullptr);
    EXPECT_NE(pCopiedDelayed, pDelayed);
    ASSERT_EQ(pCopiedDelayed->GetCount(), 1);
    EXPECT_TRUE(pCopiedDelayed->GetAt(0)->m_range == CGXRange(1, 1, 5, 4));
    EXPECT_EQ(copy.m_pVertMergeCellsPool, nullptr) << "a pool the source lacks goes";
}

} // namespace
