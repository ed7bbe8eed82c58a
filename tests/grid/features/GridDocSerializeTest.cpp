// The grid document's archive forms: cell data and its style arrays, styles map, properties and the
// parameter object, with the refusals of damaged archives.
#include "grid/features/GridDocSerializeImp.h"

#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/CoveredCellPool.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/SpanCellPool.h"
#include "tests/grid/core/GridTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// A data object of a class of its own, as a formula sheet is (outside the unnamed namespace: the
// serial macros define an extraction operator it would leave unused).
class CTestSheet : public CGXData
{
    DECLARE_SERIAL(CTestSheet)
};
IMPLEMENT_SERIAL(CTestSheet, CGXData, 0)

namespace
{

class GridDocSerializeTest : public ::testing::Test
{
protected:
    void SetUp() override { GXStartLibrary(); }
};

template <class T>
Bytes StoredObject(T& object)
{
    return StoreToBytes([&](CArchive& ar) { object.Serialize(ar); });
}

template <class T>
void LoadObject(T& object, const Bytes& bytes)
{
    LoadFromBytes(bytes, [&](CArchive& ar) { object.Serialize(ar); });
}

CString ValueAt(CGXData& data, ROWCOL nRow, ROWCOL nCol, int nType = 0)
{
    CGXStyle style;
    if (!data.GetStyleRowCol(nRow, nCol, style, gxCopy, nType))
        return "(none)";
    return style.GetValue();
}

// A parameter object as a grid document holds it: its own styles map with a user base style, cell
// data whose cells name that base style, properties, and settings of every kind.
std::unique_ptr<CGXGridParam> SampleParam()
{
    auto pParam = std::make_unique<CGXGridParam>();
    auto* pStylesMap = new CGXStylesMap;
    pStylesMap->CreateStandardStyles();
    CGXStyle emphasis;
    emphasis.SetTextColor(RGB(200, 0, 0)).SetFont(CGXFont().SetBold(TRUE));
    const WORD nEmphasis = pStylesMap->RegisterStyle("Emphasis", emphasis);
    pParam->SetStylesMap(pStylesMap);

    auto* pData = new CGXData;
    pData->SetRowCount(20);
    pData->SetColCount(5);
    CGXStyle cell;
    cell.SetValue("first").SetBaseStyle(nEmphasis);
    pData->StoreStyleRowCol(1, 1, &cell, gxCopy);
    cell.SetValue(42.5);
    pData->StoreStyleRowCol(20, 5, &cell, gxCopy);
    CGXStyle row;
    row.SetInterior(RGB(0, 255, 0));
    pData->StoreStyleRowCol(3, 0, &row, gxCopy, gxBaseStyleType);
    pParam->SetData(pData);

    auto* pProperties = new CGXProperties;
    pProperties->AddDefaultUserProperties();
    pProperties->SetMargins(11, 22, 33, 44);
    pProperties->SetPageOrder(1);
    pParam->SetProperties(pProperties);

    pParam->m_CoveredCellsList.AddTail(new CGXRange(2, 2, 4, 3));
    pParam->m_SelRects.AddTail(new CGXRange(5, 1, 6, 2));
    pParam->m_abRowFlags.SetSize(2);
    pParam->m_abRowFlags[1] = 1u << (9 % 8);  // row 9 hidden
    pParam->m_nFrozenRows = 2;
    pParam->m_nHeaderRows = 1;
    pParam->m_wMergeCellsMode = 1;
    pParam->m_RowHeights.SetAt(7, 2400);
    pParam->m_ColWidths.SetAt(3, 15000);
    pParam->m_sSheetName = "Drains";
    pParam->m_wAllowSelection = 0x0F;
    pParam->m_bUndoEnabled = FALSE;
    pParam->m_nSetting81 = -1;
    return pParam;
}

// A crafted data form: its counts, then the three arrays, each given as its length and the indices
// of its entries (each entry an empty style), the end mark added.
struct CraftedArray
{
    DWORD dwCount;
    std::vector<DWORD> indices;
};

Bytes CraftedDataForm(DWORD dwRows, DWORD dwCols, const CraftedArray (&arrays)[3])
{
    return StoreToBytes([&](CArchive& ar) {
        ar << static_cast<WORD>(1) << dwRows << dwCols;
        const CGXStyle empty;
        for (const CraftedArray& array : arrays)
        {
            ar << static_cast<WORD>(1) << array.dwCount;
            for (DWORD dwIndex : array.indices)
                ar << dwIndex << static_cast<const CObject*>(&empty);
            ar << static_cast<DWORD>(0xFFFFFFFF);
        }
    });
}

INT_PTR ArrayEntries(const CGXData& data)
{
    return data.GetCellStyles().GetSize() + data.GetRowBaseStyles().GetSize() + data.GetColBaseStyles().GetSize();
}

} // namespace

TEST_F(GridDocSerializeTest, ADataObjectWithEmptyArraysStoresItsCountsAndThreeEmptyArrays)
{
    CGXData data;
    data.SetRowCount(3);
    data.SetColCount(2);
    const Bytes emptyArray = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    Bytes expected = {0x01, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00};
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), emptyArray.begin(), emptyArray.end());
    EXPECT_EQ(StoredObject(data), expected);
}

TEST_F(GridDocSerializeTest, CellsAndBaseStylesComeBackAtTheirPlaces)
{
    CGXData data;
    CGXStyle style;
    style.SetValue("a");
    data.StoreStyleRowCol(2, 3, &style, gxCopy);
    style.SetValue("row");
    data.StoreStyleRowCol(4, 0, &style, gxCopy, gxBaseStyleType);
    style.SetValue("col");
    data.StoreStyleRowCol(0, 1, &style, gxCopy, gxBaseStyleType);

    CGXData loaded;
    style.SetValue("old");
    loaded.StoreStyleRowCol(1, 1, &style, gxCopy);
    LoadObject(loaded, StoredObject(data));
    EXPECT_EQ(loaded.GetRowCount(), 4u);
    EXPECT_EQ(loaded.GetColCount(), 3u);
    EXPECT_STREQ(ValueAt(loaded, 2, 3), "a");
    EXPECT_STREQ(ValueAt(loaded, 1, 1), "(none)") << "loading replaces what the object held";
    EXPECT_STREQ(ValueAt(loaded, 4, 0, gxBaseStyleType), "row");
    EXPECT_STREQ(ValueAt(loaded, 0, 1, gxBaseStyleType), "col");
    EXPECT_EQ(StoredObject(loaded), StoredObject(data));
}

TEST_F(GridDocSerializeTest, DamagedStyleArraysAreRefused)
{
    struct Case
    {
        const char* pszWhat;
        Bytes bytes;
    } cases[] = {
        {"an index at the count", {0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00}},
        {"an index beyond the count", {0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF}},
        {"a count above 0x7FFFFFFF", {0x01, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"another schema", {0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases)
    {
        CGXStylePtrArray styles;
        EXPECT_EQ(ArchiveCauseOf([&] { LoadObject(styles, c.bytes); }), CArchiveException::badSchema) << c.pszWhat;
    }
    // Rows: the same rules for the table of rows.
    CGXStylePtrArrayPtrArray rows;
    EXPECT_EQ(ArchiveCauseOf([&] { LoadObject(rows, {0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}); }),
              CArchiveException::badSchema);
}

// A few bytes may ask for millions of empty entries: such a length is refused before it is allocated
// (the arrays hold after the refusal only what the load had taken before it), unless the entries
// read make up for it.
TEST_F(GridDocSerializeTest, ALengthNoEntriesMakeUpForIsRefusedBeforeItIsAllocated)
{
    const CraftedArray none = {0, {}};
    struct Case
    {
        const char* pszWhat;
        Bytes bytes;
        INT_PTR nEntriesLeft;
    } cases[] = {
        // What the fuzz program found: eight million rows of cells in a table of 20 rows, loaded, then
        // copied and stored again, past a second of processor time.
        {"a row table of eight million empty entries", CraftedDataForm(20, 5, {{0x00800000, {}}, none, none}), 0},
        {"as long a row base style array, in a table as long",
         CraftedDataForm(0x007FFFFF, 5, {none, {0x00800000, {}}, none}), 0},
        {"a long array whose first index is at its end", CraftedDataForm(20, 5, {{0x00800000, {0x00800000}}, none, none}),
         0},
        {"a long array with one entry at its end",
         CraftedDataForm(20, 5, {none, none, {0x00800000, {0x007FFFFF}}}), 0},
        {"two long arrays, each within the budget alone",
         CraftedDataForm(0x00180000, 5, {{0x00180000, {}}, {0x00180000, {}}, none}), 0x00180000},
    };
    for (const Case& c : cases)
    {
        CGXData data;
        EXPECT_EQ(ArchiveCauseOf([&] { LoadObject(data, c.bytes); }), CArchiveException::badSchema) << c.pszWhat;
        EXPECT_EQ(ArrayEntries(data), c.nEntriesLeft) << c.pszWhat;
    }
}

// What the grid writes comes back at its lengths: a table of a million rows with few styles, and a
// longer one whose styles make up for its length. As long a table with only a few styles is beyond
// what a load may allocate.
TEST_F(GridDocSerializeTest, LongArraysComeBackAtTheirLengthsWhenTheirEntriesMakeUpForThem)
{
    struct Case
    {
        const char* pszWhat;
        ROWCOL nRows;
        ROWCOL nStyledRows;
        BOOL bRowBaseStyle;
        bool bLoads;
    } cases[] = {
        {"a million rows, the last with a cell and a row base style", 1000000, 1, TRUE, true},
        {"two and a half million rows, 15,000 with a cell", 2500000, 15000, FALSE, true},
        {"two and a half million rows, ten with a cell", 2500000, 10, FALSE, false},
    };
    for (const Case& c : cases)
    {
        CGXData data;
        data.SetRowCount(c.nRows);
        data.SetColCount(1);
        CGXStyle style;
        style.SetValue("x");
        if (c.bRowBaseStyle)
            data.StoreStyleRowCol(c.nRows, 0, &style, gxCopy, gxBaseStyleType);
        for (ROWCOL i = 0; i < c.nStyledRows; ++i)
            data.StoreStyleRowCol(c.nRows - i, 1, &style, gxCopy);
        const Bytes stored = StoredObject(data);

        CGXData loaded;
        const int cause = ArchiveCauseOf([&] { LoadObject(loaded, stored); });
        if (!c.bLoads)
        {
            EXPECT_EQ(cause, CArchiveException::badSchema) << c.pszWhat;
            EXPECT_EQ(ArrayEntries(loaded), 0) << c.pszWhat;
            continue;
        }
        EXPECT_EQ(cause, -1) << c.pszWhat;
        EXPECT_EQ(loaded.GetCellStyles().GetSize(), static_cast<INT_PTR>(c.nRows) + 1) << c.pszWhat;
        EXPECT_EQ(loaded.GetRowBaseStyles().GetSize(), data.GetRowBaseStyles().GetSize()) << c.pszWhat;
        EXPECT_STREQ(ValueAt(loaded, c.nRows - c.nStyledRows + 1, 1), "x") << c.pszWhat;
        EXPECT_STREQ(ValueAt(loaded, c.nRows, 0, gxBaseStyleType), c.bRowBaseStyle ? "x" : "(none)") << c.pszWhat;
        EXPECT_EQ(StoredObject(loaded), stored) << c.pszWhat;
    }
}

TEST_F(GridDocSerializeTest, AParameterObjectComesBackWithEverythingItOwned)
{
    std::unique_ptr<CGXGridParam> pSource = SampleParam();
    const Bytes bytes = StoredObject(*pSource);

    CGXGridParam loaded;
    LoadObject(loaded, bytes);

    EXPECT_EQ(loaded.m_nFrozenRows, 2u);
    EXPECT_EQ(loaded.m_nHeaderRows, 1u);
    EXPECT_EQ(loaded.m_wMergeCellsMode, 1);
    EXPECT_EQ(loaded.m_wAllowSelection, 0x0F);
    EXPECT_FALSE(loaded.m_bUndoEnabled);
    EXPECT_STREQ(loaded.m_sSheetName, "Drains");
    EXPECT_EQ(loaded.m_nSetting81, -1);
    LONG nHeight = 0;
    EXPECT_TRUE(loaded.m_RowHeights.Lookup(7, nHeight));
    EXPECT_EQ(nHeight, 2400);
    EXPECT_TRUE(loaded.m_RowHeights.Lookup(0, nHeight)) << "the header row's height";
    EXPECT_EQ(loaded.m_RowHeights.GetCount(), pSource->m_RowHeights.GetCount());
    EXPECT_EQ(loaded.m_ColWidths.GetCount(), pSource->m_ColWidths.GetCount());
    ASSERT_EQ(loaded.m_abRowFlags.GetSize(), 2);
    EXPECT_EQ(loaded.m_abRowFlags[1], 2);
    ASSERT_EQ(loaded.m_CoveredCellsList.GetCount(), 1);
    EXPECT_TRUE(*loaded.m_CoveredCellsList.GetHead() == CGXRange(2, 2, 4, 3));
    ASSERT_EQ(loaded.m_SelRects.GetCount(), 1);

    ASSERT_NE(loaded.GetStylesMap(), nullptr);
    ASSERT_NE(loaded.GetData(), nullptr);
    ASSERT_NE(loaded.GetProperties(), nullptr);
    EXPECT_TRUE(loaded.m_bOwnStylesMap && loaded.m_bOwnData && loaded.m_bOwnProperties);

    // The cell's base style is the loaded map's "Emphasis", with the registered style's attributes.
    WORD nEmphasis = 0;
    ASSERT_TRUE(loaded.GetStylesMap()->LookupStyleId("Emphasis", nEmphasis));
    CGXStyle cell;
    ASSERT_TRUE(loaded.GetData()->GetStyleRowCol(1, 1, cell, gxCopy, 0));
    EXPECT_STREQ(cell.GetValue(), "first");
    EXPECT_EQ(cell.GetBaseStyle(), nEmphasis);
    const CGXStyle* pEmphasis = GXLookupBaseStyle(loaded.GetStylesMap(), nEmphasis);
    ASSERT_NE(pEmphasis, nullptr);
    EXPECT_EQ(pEmphasis->GetResolvedTextColor(), RGB(200, 0, 0));
    EXPECT_STREQ(ValueAt(*loaded.GetData(), 20, 5), "42.5");
    EXPECT_EQ(loaded.GetStylesMap()->m_wStyleStandard, pSource->GetStylesMap()->m_wStyleStandard);

    int nTop = 0, nLeft = 0, nBottom = 0, nRight = 0;
    loaded.GetProperties()->GetMargins(nTop, nLeft, nBottom, nRight);
    EXPECT_EQ(nTop, 11);
    EXPECT_EQ(nLeft, 22);
    EXPECT_EQ(nBottom, 33);
    EXPECT_EQ(nRight, 44);
    EXPECT_EQ(loaded.GetProperties()->GetPageOrder(), 1);
    EXPECT_STREQ(loaded.GetProperties()->GetUserProperty(GX_IDS_CURRENTCELL).GetValue(), "Invert Thin.");

    // Stored again, the loaded object gives the same bytes: nothing was lost or added.
    CGXGridParam reloaded;
    LoadObject(reloaded, StoredObject(loaded));
    EXPECT_EQ(StoredObject(reloaded).size(), bytes.size());
}

TEST_F(GridDocSerializeTest, SpanPoolsComeBackAndThoseOfSchema6AreEvaluatedAgain)
{
    std::unique_ptr<CGXGridParam> pSource = SampleParam();
    auto* pSpans = new CGXSpanCellPool;
    pSpans->SetSpanCellsRowCol(3, 2, 3, 4, TRUE);
    pSource->m_pHorzMergeCellsPool = pSpans;
    auto* pDelayed = new CGXDelayedRangePool;
    pDelayed->AddRange(CGXRange(1, 1, 2, 2));
    pSource->m_pDelayedFloatCellsPool = pDelayed;
    const Bytes bytes = StoredObject(*pSource);

    CGXGridParam loaded;
    LoadObject(loaded, bytes);
    const CGXSpanCellPool* pLoadedSpans = GXAsSpanCellPool(loaded.m_pHorzMergeCellsPool);
    ASSERT_NE(pLoadedSpans, nullptr);
    CGXRange span(3, 3);
    ASSERT_TRUE(pLoadedSpans->GetSpanCellsRowCol(3, 3, span));
    EXPECT_EQ(span.left, 2u);
    const CGXDelayedRangePool* pLoadedDelayed = GXAsDelayedRangePool(loaded.m_pDelayedFloatCellsPool);
    ASSERT_NE(pLoadedDelayed, nullptr);
    ASSERT_EQ(pLoadedDelayed->GetCount(), 1);
    EXPECT_TRUE(pLoadedDelayed->GetAt(0)->m_range == CGXRange(1, 1, 2, 2));

    // The same object as schema 6 stored it: without the fields of schemas 8 to 11 (three flags,
    // a WORD, a flag, then a flag and two DWORDs: 15 bytes at the end).
    Bytes schema6(bytes.begin(), bytes.end() - 15);
    schema6[0] = 6;
    schema6[1] = 0;
    CGXGridParam old;
    LoadObject(old, schema6);
    EXPECT_EQ(old.m_nFrozenRows, 2u) << "the settings before the pools load as stored";
    EXPECT_EQ(old.m_wMergeCellsMode, 1);
    const CGXSpanCellPool* pOldSpans = GXAsSpanCellPool(old.m_pHorzMergeCellsPool);
    ASSERT_NE(pOldSpans, nullptr);
    EXPECT_FALSE(pOldSpans->GetSpanCellsRowCol(3, 3, span)) << "spans of schema 6 are dropped";
    const CGXDelayedRangePool* pOldDelayed = GXAsDelayedRangePool(old.m_pDelayedFloatCellsPool);
    ASSERT_NE(pOldDelayed, nullptr);
    ASSERT_EQ(pOldDelayed->GetCount(), 1);
    EXPECT_TRUE(pOldDelayed->GetAt(0)->m_range == CGXRange(0, 0, 0xFFFFFFFE, 0xFFFFFFFE))
        << "the whole table is evaluated again";
}

TEST_F(GridDocSerializeTest, APoolSlotHoldingAnObjectOfAnotherClassIsRefused)
{
    struct Case
    {
        const char* what;
        CObject* CGXGridParam::*pSlot;
        CRuntimeClass* pClass;
        int cause;
    };
    const Case cases[] = {
        {"delayed ranges of floating cells", &CGXGridParam::m_pDelayedFloatCellsPool, RUNTIME_CLASS(CGXDelayedRangePool), -1},
        {"spans of merged cells", &CGXGridParam::m_pVertMergeCellsPool, RUNTIME_CLASS(CGXSpanCellPool), -1},
        {"spans where delayed ranges belong", &CGXGridParam::m_pDelayedFloatCellsPool, RUNTIME_CLASS(CGXSpanCellPool),
         CArchiveException::badClass},
        {"delayed ranges where spans belong", &CGXGridParam::m_pFloatCellsPool, RUNTIME_CLASS(CGXDelayedRangePool),
         CArchiveException::badClass},
        {"a style", &CGXGridParam::m_pDelayedMergeCellsPool, RUNTIME_CLASS(CGXStyle), CArchiveException::badClass},
        {"a parameter object", &CGXGridParam::m_pHorzMergeCellsPool, RUNTIME_CLASS(CGXGridParam),
         CArchiveException::badClass},
    };
    for (const Case& c : cases)
    {
        CGXGridParam param;
        param.*c.pSlot = c.pClass->CreateObject();
        const Bytes bytes = StoredObject(param);
        CGXGridParam loaded;
        EXPECT_EQ(ArchiveCauseOf([&] { LoadObject(loaded, bytes); }), c.cause) << c.what;
        if (c.cause == -1)
        {
            ASSERT_NE(loaded.*c.pSlot, nullptr) << c.what;
            EXPECT_TRUE((loaded.*c.pSlot)->IsKindOf(c.pClass)) << c.what;
        }
    }
}

TEST_F(GridDocSerializeTest, AnInvalidCoveredRangeCoversNothingAndSavingTheDocumentLeavesThePoolSound)
{
    CGXGridParam source;
    source.m_CoveredCellsList.AddTail(new CGXRange(2, 2, 4, 3));
    source.m_CoveredCellsList.AddTail(new CGXRange(6, 1, 7, 2));
    Bytes bytes = StoredObject(source);
    // The second range's valid byte: after its four values and its kind.
    size_t at = 0;
    for (size_t i = 0; i + 16 <= bytes.size(); ++i)
        if (DWordAt(bytes, i) == 6 && DWordAt(bytes, i + 4) == 1 && DWordAt(bytes, i + 8) == 7 && DWordAt(bytes, i + 12) == 2)
            at = i + 17;
    ASSERT_NE(at, 0u);
    bytes[at] = 0;

    CGXGridParam loaded;
    LoadObject(loaded, bytes);
    ASSERT_EQ(loaded.m_CoveredCellsList.GetCount(), 2);
    const CGXCoveredCellPool* pPool = GXAsCoveredCellPool(loaded.m_pCoveredCellPool);
    ASSERT_NE(pPool, nullptr);
    EXPECT_EQ(pPool->GetCoveredCell(6, 1), nullptr) << "an invalid range covers nothing";

    // Saving drops the invalid range from the list; the pool still names the ranges of the list.
    StoredObject(loaded);
    ASSERT_EQ(loaded.m_CoveredCellsList.GetCount(), 1);
    const POSITION pos = pPool->GetCoveredCell(3, 3);
    ASSERT_NE(pos, nullptr);
    EXPECT_TRUE(*loaded.m_CoveredCellsList.GetAt(pos) == CGXRange(2, 2, 4, 3));
    EXPECT_EQ(pPool->GetCoveredCell(7, 2), nullptr);
}

TEST_F(GridDocSerializeTest, SharedObjectsAreNeitherStoredNorLoaded)
{
    CGXData shared;
    CGXStyle style;
    style.SetValue("shared");
    shared.StoreStyleRowCol(1, 1, &style, gxCopy);
    CGXGridParam param;
    param.SetData(&shared, FALSE);
    const Bytes bytes = StoredObject(param);

    CGXGridParam owning;
    owning.SetData(new CGXData);
    const Bytes owningBytes = StoredObject(owning);
    EXPECT_LT(bytes.size(), owningBytes.size()) << "no cell data in the archive";

    CGXGridParam loaded;
    loaded.SetData(new CGXData);
    LoadObject(loaded, bytes);
    EXPECT_EQ(loaded.GetData(), nullptr) << "nothing until the owner attaches it";
    EXPECT_STREQ(ValueAt(shared, 1, 1), "shared");
}

TEST_F(GridDocSerializeTest, TheDataObjectKeepsItsClass)
{
    CGXGridParam param;
    param.SetData(new CTestSheet);
    CGXGridParam loaded;
    LoadObject(loaded, StoredObject(param));
    ASSERT_NE(loaded.GetData(), nullptr);
    EXPECT_TRUE(loaded.GetData()->IsKindOf(RUNTIME_CLASS(CTestSheet)));
}

TEST_F(GridDocSerializeTest, ANewerParameterObjectIsRefused)
{
    CGXGridParam param;
    Bytes bytes = StoredObject(param);
    bytes[0] = 12;
    CGXGridParam loaded;
    loaded.m_nFrozenRows = 3;
    EXPECT_EQ(ArchiveCauseOf([&] { LoadObject(loaded, bytes); }), CArchiveException::badSchema);
    EXPECT_EQ(loaded.m_nFrozenRows, 3u);
}

TEST_F(GridDocSerializeTest, AStyleRegisteredByStringTableIdTakesTheProgramsName)
{
    CGXStylesMap map;
    map.SetStyleEntry(0, GX_IDS_STYLE_ROWHEADER, "Old Row Header", new CGXStyle, TRUE);
    map.SetStyleEntry(1, 60001, "Gone", new CGXStyle, FALSE);
    map.SetStyleEntry(2, 0, "Mine", new CGXStyle, FALSE);
    map.SetNextStyleId(3);

    CGXStylesMap loaded;
    LoadObject(loaded, StoredObject(map));
    UINT nResourceId = 0;
    EXPECT_STREQ(loaded.GetStyleName(0, nResourceId), "Row Header");
    EXPECT_EQ(nResourceId, UINT(GX_IDS_STYLE_ROWHEADER));
    EXPECT_STREQ(loaded.GetStyleName(1, nResourceId), "STYLE60001");
    EXPECT_STREQ(loaded.GetStyleName(2, nResourceId), "Mine");
    WORD nStyleId = 99;
    EXPECT_TRUE(loaded.LookupResourceStyleId(GX_IDS_STYLE_ROWHEADER, nStyleId));
    EXPECT_EQ(nStyleId, 0);
    EXPECT_EQ(loaded.m_wStyleRowHeader, 0);
    EXPECT_EQ(loaded.RegisterStyle("New", CGXStyle()), 3) << "the next free id";
}

namespace
{
// A styles map archive of the given entries (id, name, base style's name or none), in that order,
// as the writer stores each entry. A style without a base style holds its name as its value.
Bytes StylesMapForm(const std::vector<std::tuple<WORD, CString, CString>>& entries)
{
    // The names the writer looks the base styles up in.
    CGXStylesMap names;
    for (const auto& entry : entries)
        names.SetStyleEntry(std::get<0>(entry), 0, std::get<1>(entry), new CGXStyle, FALSE);
    return StoreToBytes([&](CArchive& ar) {
        ar << WORD(2) << CString("Styles") << WORD(0) << WORD(0) << WORD(entries.size());
        for (const auto& entry : entries)
        {
            ar << std::get<0>(entry) << DWORD(0) << std::get<1>(entry) << BYTE(0);
            CGXStyle style;
            WORD nBaseId = 0;
            if (std::get<2>(entry).IsEmpty())
                style.SetValue(std::get<1>(entry));
            else if (names.LookupStyleId(std::get<2>(entry), nBaseId))
                style.SetBaseStyle(nBaseId);
            style.SerializeWithStylesMap(ar, &names);
        }
        ar << WORD(entries.size()) << WORD(0);
    });
}

// Styles 0 .. n-1, each the base of the next.
std::vector<std::tuple<WORD, CString, CString>> BaseStyleChain(UINT nStyles)
{
    std::vector<std::tuple<WORD, CString, CString>> entries;
    for (UINT i = 0; i < nStyles; ++i)
    {
        CString name, base;
        name.Format("Level %u", i);
        if (i > 0)
            base.Format("Level %u", i - 1);
        entries.emplace_back(static_cast<WORD>(i), name, base);
    }
    return entries;
}
}  // namespace

// A style of a stored map names its base style, and an entry may come again under an id read before:
// a few kilobytes can make a chain of thousands of base styles, or a circle of them, which every cell
// in such a style would walk. A map whose styles rest on base styles deeper than the bound, or on a
// circle, is refused as a damaged archive.
TEST_F(GridDocSerializeTest, BaseStylesNestedBeyondTheBoundOrInACircleAreRefused)
{
    const UINT nBound = CGXStylesMap::nMaxBaseStyleDepth;
    CGXStylesMap deepest;
    LoadObject(deepest, StylesMapForm(BaseStyleChain(nBound)));
    ASSERT_EQ(deepest.GetStyleCount(), int(nBound));
    // A cell on the last style takes what the first one sets.
    CGXStyle cell;
    cell.SetBaseStyle(static_cast<WORD>(nBound - 1));
    cell.ResolveBaseStyles(&deepest);
    EXPECT_STREQ(static_cast<LPCTSTR>(cell.GetValue()), "Level 0");

    const struct
    {
        const char* what;
        Bytes bytes;
    } refused[] = {
        {"one more", StylesMapForm(BaseStyleChain(nBound + 1))},
        {"thousands", StylesMapForm(BaseStyleChain(20000))},
        {"a circle of two: B rests on A, then A again on B",
         StylesMapForm({{1, "A", ""}, {2, "B", "A"}, {1, "A", "B"}})},
        {"a style on itself", StylesMapForm({{7, "Self", ""}, {7, "Self", "Self"}})},
    };
    for (const auto& c : refused)
    {
        CGXStylesMap map;
        EXPECT_EQ(ArchiveCauseOf([&] { LoadObject(map, c.bytes); }), CArchiveException::badSchema) << c.what;
    }
}

// A style may rest on one registered after it. The reader finds a base style by its name among the
// styles read before: the map stores a base style before the styles that rest on it, and they come
// back linked as they were (not on the standard style, nor in a circle).
TEST_F(GridDocSerializeTest, AStyleRestingOnALaterStyleKeepsItsBaseStyle)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    const WORD nFirst = map.RegisterStyle("First", CGXStyle());
    CGXStyle second;
    second.SetValue("from the second");
    const WORD nSecond = map.RegisterStyle("Second", second);
    ASSERT_LT(nFirst, nSecond);
    CGXStyle* pFirst = nullptr;
    ASSERT_TRUE(map.LookupStyle(nFirst, pFirst));
    pFirst->SetBaseStyle(nSecond);

    CGXStylesMap loaded;
    LoadObject(loaded, StoredObject(map));
    const CGXStyle* pLoaded = nullptr;
    ASSERT_TRUE(loaded.LookupStyle(nFirst, pLoaded));
    EXPECT_EQ(pLoaded->GetBaseStyle(), nSecond);
    CGXStyle cell;
    cell.SetBaseStyle(nFirst);
    cell.ResolveBaseStyles(&loaded);
    EXPECT_STREQ(static_cast<LPCTSTR>(cell.GetValue()), "from the second");

    // Stored again, the loaded map gives the same bytes.
    EXPECT_EQ(StoredObject(loaded), StoredObject(map));
}

namespace
{
// Each style's name with the name of the style it rests on ("" for none).
std::map<std::string, std::string> BaseStyleNames(const CGXStylesMap& map)
{
    std::map<std::string, std::string> links;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        WORD nStyleId = 0;
        const CGXStylesMapEntry* pEntry = nullptr;
        map.GetNextStyle(pos, nStyleId, pEntry);
        UINT nResourceId = 0;
        LPCTSTR pszBase =
            pEntry->pStyle->GetIncludeBaseStyle() ? map.GetStyleName(pEntry->pStyle->GetBaseStyle(), nResourceId) : nullptr;
        links[static_cast<LPCTSTR>(pEntry->sName)] = pszBase != nullptr ? pszBase : "";
    }
    return links;
}

// A cell resting on the named style, composed through the map.
CGXStyle ComposedOn(const CGXStylesMap& map, LPCTSTR pszName)
{
    WORD nStyleId = 0;
    EXPECT_TRUE(map.LookupStyleId(pszName, nStyleId)) << pszName;
    CGXStyle cell;
    cell.SetBaseStyle(nStyleId);
    cell.ResolveBaseStyles(&map);
    return cell;
}

// Rests each style of a pair on the other of the pair. The styles not registered yet are registered
// in the order they come, first those that rest on others. Each style gets a user attribute of its
// own, so that a cell in a style holds one of every style it composes.
void RestOn(CGXStylesMap& map, const std::vector<std::pair<CString, CString>>& links)
{
    std::vector<CString> names;
    for (const auto& link : links)
        names.push_back(link.first);
    for (const auto& link : links)
        names.push_back(link.second);
    WORD nAttribute = 1000;
    for (const CString& name : names)
    {
        WORD nStyleId = 0;
        CGXStyle* pStyle = nullptr;
        if (map.LookupStyleId(name, nStyleId))
            continue;
        nStyleId = map.RegisterStyle(name, CGXStyle());
        ASSERT_TRUE(map.LookupStyle(nStyleId, pStyle));
        pStyle->SetUserAttribute(nAttribute++, name);
    }
    for (const auto& link : links)
    {
        WORD nStyleId = 0;
        WORD nBaseId = 0;
        CGXStyle* pStyle = nullptr;
        ASSERT_TRUE(map.LookupStyleId(link.first, nStyleId) && map.LookupStyleId(link.second, nBaseId) &&
                    map.LookupStyle(nStyleId, pStyle));
        pStyle->SetBaseStyle(nBaseId);
        if (pStyle->GetUserAttributeMap() == nullptr)
            pStyle->SetUserAttribute(nAttribute++, link.first);
    }
}

// A chain of nStyles, "<prefix> 0" .. "<prefix> n-1", each resting on the next: registered from the
// top (0 first) or from the bottom (n-2 first, n-1 last).
std::vector<std::pair<CString, CString>> ChainOfStyles(LPCTSTR pszPrefix, UINT nStyles, bool bFromTheTop)
{
    std::vector<std::pair<CString, CString>> links;
    for (UINT i = 0; i + 1 < nStyles; ++i)
    {
        CString name, base;
        name.Format("%s %u", pszPrefix, i);
        base.Format("%s %u", pszPrefix, i + 1);
        links.emplace_back(name, base);
    }
    if (!bFromTheTop)
        std::reverse(links.begin(), links.end());
    return links;
}
}  // namespace

// A program may rest its base styles on a circle of them, or on a chain deeper than a loaded map may
// hold; so may a profile of an earlier version. Stored, such a map loads again: walked from its first
// registered style, a circle is stored without its last link and a chain without the link past the
// bound's last style, so that the first style composes as it did. The program's map keeps its links.
TEST_F(GridDocSerializeTest, BaseStylesInACircleOrBeyondTheBoundAreStoredAsAMapThatLoads)
{
    const UINT nBound = CGXStylesMap::nMaxBaseStyleDepth;
    CString beyondTop, beyondBottom;
    beyondTop.Format("Top %u", nBound - 1);
    beyondBottom.Format("Bottom %u", 300 - nBound - 1);
    const struct
    {
        const char* what;
        std::vector<std::pair<CString, CString>> links;  // style, the style it rests on
        CString first;                                 // the first style of the walks
        CString unlinked;                              // the style stored on no base style
    } cases[] = {
        {"a circle of two", {{"A", "B"}, {"B", "A"}}, "A", "B"},
        {"a style on itself", {{"Self", "Self"}}, "Self", "Self"},
        {"a style on a circle of three", {{"On", "C1"}, {"C1", "C2"}, {"C2", "C3"}, {"C3", "C1"}}, "On", "C3"},
        {"a circle through the standard styles, named by string-table ids",
         {{"Standard", "Row Header"}, {"Row Header", "Standard"}}, "Standard", "Row Header"},
        {"300 styles registered from the top", ChainOfStyles("Top", 300, true), "Top 0", beyondTop},
        {"300 styles registered from the bottom", ChainOfStyles("Bottom", 300, false), "Bottom 298", beyondBottom},
    };
    for (const auto& c : cases)
    {
        CGXStylesMap map;
        map.CreateStandardStyles();
        RestOn(map, c.links);
        const std::map<std::string, std::string> links = BaseStyleNames(map);
        ASSERT_FALSE(links.at(static_cast<LPCTSTR>(c.unlinked)).empty()) << c.what;
        const Bytes bytes = StoredObject(map);
        EXPECT_EQ(BaseStyleNames(map), links) << c.what;

        CGXStylesMap loaded;
        ASSERT_EQ(ArchiveCauseOf([&] { LoadObject(loaded, bytes); }), -1) << c.what;
        std::map<std::string, std::string> expected = links;
        expected[static_cast<LPCTSTR>(c.unlinked)].clear();
        EXPECT_EQ(BaseStyleNames(loaded), expected) << c.what;
        const CGXStyle before = ComposedOn(map, c.first);
        const CGXStyle after = ComposedOn(loaded, c.first);
        EXPECT_TRUE(before.CompareSubset(after) && after.CompareSubset(before)) << c.what;
    }
}

TEST_F(GridDocSerializeTest, ASchema1StylesMapHasNoUserAttributes)
{
    CGXStyle empty;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        ar << WORD(1) << CString("Styles") << WORD(0) << WORD(0);
        ar << WORD(1) << WORD(0) << DWORD(0) << CString("Plain") << BYTE(0);
        empty.SerializeWithStylesMap(ar, nullptr);
        ar << WORD(1);
    });
    CGXStylesMap map;
    map.CreateStandardStyles();
    ASSERT_FALSE(map.GetUserAttributeInfoMap().IsEmpty());
    LoadObject(map, bytes);
    EXPECT_TRUE(map.GetUserAttributeInfoMap().IsEmpty());
    EXPECT_EQ(map.GetStyleCount(), 1);
    WORD nStyleId = 9;
    EXPECT_TRUE(map.LookupStyleId("Plain", nStyleId));
    EXPECT_EQ(nStyleId, 0);

    // A newer map is refused.
    Bytes newer = StoredObject(map);
    newer[0] = 3;
    EXPECT_EQ(ArchiveCauseOf([&] { LoadObject(map, newer); }), CArchiveException::badSchema);
}

TEST_F(GridDocSerializeTest, PropertiesWithTheirHeaderAndFooter)
{
    CGXProperties properties;
    CGXStyle footer;
    footer.SetValue("Page $P");
    properties.GetDataFooter().StoreStyleRowCol(2, 2, &footer, gxCopy);
    properties.SetPrintColHeaders(FALSE);
    properties.SetDistances(7, 8);
    properties.SetColor(0, RGB(1, 2, 3));
    const Bytes bytes = StoredObject(properties);

    CGXProperties loaded;
    LoadObject(loaded, bytes);
    EXPECT_STREQ(ValueAt(loaded.GetDataFooter(), 2, 2), "Page $P");
    EXPECT_STREQ(ValueAt(loaded.GetDataFooter(), 1, 3), "$P/$N");
    EXPECT_STREQ(ValueAt(loaded.GetDataHeader(), 1, 2), "$R");
    EXPECT_FALSE(loaded.GetPrintColHeaders());
    int nHeader = 0, nFooter = 0;
    loaded.GetDistances(nHeader, nFooter);
    EXPECT_EQ(nFooter, 8);
    EXPECT_EQ(loaded.GetColor(0), RGB(1, 2, 3));
    EXPECT_EQ(loaded.GetColorCount(), 5);

    // Schema 3 stored no "Print Column Headers": the loaded object keeps its own.
    Bytes schema3 = bytes;
    schema3[0] = 3;
    schema3.resize(schema3.size() - 4);
    CGXProperties keeping;
    keeping.SetPrintColHeaders(TRUE);
    LoadObject(keeping, schema3);
    EXPECT_TRUE(keeping.GetPrintColHeaders());
}

TEST_F(GridDocSerializeTest, TheHeaderAndFooterDefaults)
{
    CGXProperties properties;
    CGXStyle title;
    ASSERT_TRUE(properties.GetDataHeader().GetStyleRowCol(1, 2, title, gxCopy, 0));
    EXPECT_STREQ(title.GetValue(), "$R");
    EXPECT_EQ(title.GetFont().GetQuarterPoints(), 64u);
    EXPECT_TRUE(title.GetFont().GetBold());
    EXPECT_EQ(properties.GetDataHeader().GetRowCount(), 10u);
    EXPECT_EQ(properties.GetDataHeader().GetColCount(), 3u);
    EXPECT_STREQ(ValueAt(properties.GetDataFooter(), 1, 1), "$D");
    EXPECT_STREQ(ValueAt(properties.GetDataFooter(), 1, 3), "$P/$N");
    EXPECT_STREQ(ValueAt(properties.GetDataFooter(), 1, 2), "(none)");
}

TEST_F(GridDocSerializeTest, TheStartUpInstallsTheDocumentSerializerOnce)
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    CGXAbstractDocSerializeImp* pImp = links.pDocSerializeImp;
    ASSERT_NE(dynamic_cast<CGXGridDocSerializeImp*>(pImp), nullptr);
    const INT_PTR nOwned = GXGetAppData()->GetOwnedObjectCount();
    InstallDocSerializeImp();
    EXPECT_EQ(links.pDocSerializeImp, pImp);
    EXPECT_EQ(GXGetAppData()->GetOwnedObjectCount(), nOwned);
}

TEST_F(GridDocSerializeTest, CoveredRangesTooLargeForThePoolAreRefused)
{
    struct Case
    {
        const char* pszWhat;
        CGXRange range;
        bool bAccepted;
    } cases[] = {
        {"a block of a few thousand cells", CGXRange(1, 1, 100, 50), true},
        {"one cell far down", CGXRange(1000000, 1, 1000000, 2), true},
        {"the whole table", CGXRange(1, 1, 0xFFFFFFFE, 0xFFFFFFFE), false},
        {"three thousand rows of three thousand columns", CGXRange(1, 1, 3000, 3000), false},
        {"a row beyond the pool's lines", CGXRange(0x7FFFFFF0, 1, 0x7FFFFFF0, 2), false},
    };
    for (const Case& c : cases)
    {
        CGXGridParam source;
        source.m_CoveredCellsList.AddTail(new CGXRange(c.range));
        const Bytes bytes = StoredObject(source);

        CGXGridParam loaded;
        loaded.m_CoveredCellsList.AddTail(new CGXRange(2, 2, 3, 3));
        loaded.SyncCoveredCellPool();
        if (c.bAccepted)
        {
            LoadObject(loaded, bytes);
            ASSERT_EQ(loaded.m_CoveredCellsList.GetCount(), 1) << c.pszWhat;
            const CGXCoveredCellPool* pPool = GXAsCoveredCellPool(loaded.m_pCoveredCellPool);
            ASSERT_NE(pPool, nullptr);
            EXPECT_NE(pPool->GetCoveredCell(c.range.bottom, c.range.right), nullptr) << c.pszWhat;
            continue;
        }
        EXPECT_EQ(ArchiveCauseOf([&] { LoadObject(loaded, bytes); }), CArchiveException::badSchema) << c.pszWhat;
        EXPECT_EQ(loaded.m_CoveredCellsList.GetCount(), 0) << c.pszWhat;
        const CGXCoveredCellPool* pPool = GXAsCoveredCellPool(loaded.m_pCoveredCellPool);
        EXPECT_TRUE(pPool == nullptr || pPool->GetCoveredCell(2, 2) == nullptr)
            << "the pool holds none of the deleted ranges: " << c.pszWhat;
    }
}
