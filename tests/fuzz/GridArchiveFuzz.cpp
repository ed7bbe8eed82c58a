// The grid's document archives: a cell style with its styles map, and the whole parameter object with
// its cell data (plain or a formula sheet), styles map, properties, covered cells, span pools and
// printer; a loaded document is recalculated, painted and printed as a program would.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzArchive.h"
#include "tests/fuzz/FuzzGrid.h"

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/Font.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylePenBrush.h"
#include "grid/core/StylesMap.h"
#include "grid/core/UserAttribute.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/SpanCellPool.h"
#include "grid/formula/FormulaSheet.h"

#include <cstring>
#include <vector>

namespace
{
std::string ClassTag(const char* name, unsigned schema)
{
    const std::string text = name;
    return FuzzWord(0xFFFF) + FuzzWord(schema) + FuzzWord(static_cast<unsigned>(text.size())) + text;
}

std::vector<std::string> GridArchiveTokens()
{
    return {
        FuzzWord(0), FuzzWord(1), FuzzWord(2), FuzzWord(4), FuzzWord(5), FuzzWord(6), FuzzWord(7),
        FuzzWord(11), FuzzWord(12), FuzzWord(0xFFFF),
        FuzzDWord(0), FuzzDWord(0xFFFFFFFF), FuzzDWord(0x7FFFFFFF), FuzzDWord(0xFFFFFFFE), FuzzDWord(0x0E38E38E),
        FuzzDWord(41), FuzzDWord(0x3FFFFFFF),
        FuzzWord(0x8001), FuzzWord(0x8002), FuzzWord(0x7FFF) + FuzzDWord(0x80000001),
        std::string(1, '\xFF') + FuzzWord(0xFFFF) + FuzzDWord(0x7FFFFFFF),
        ClassTag("CGXFont", 0), ClassTag("CGXStyle", 0), ClassTag("CGXUserAttributeMap", 0),
        ClassTag("CGXUserAttribute", 0), ClassTag("CGXStylesMap", 0), ClassTag("CGXData", 0),
        ClassTag("CGXProperties", 0), ClassTag("CGXSpanCellPool", 1), ClassTag("CGXDelayedRangePool", 1),
        ClassTag("CGXDelayedRange", 1), ClassTag("CGXGridParam", 1), ClassTag("CGXRangeList", 1),
        ClassTag("CGXPrintDevice", 1),
        ClassTag("CGXFormulaSheet", 0),
        // Cell records of a formula sheet: a number cell, a formula cell, the end mark.
        std::string("\x01\x01\x03\x00", 4) + FuzzDWord(1) + FuzzDWord(0),
        std::string("\x01\x03\x03\x00", 4) + FuzzDWord(2) + FuzzDWord(1) + FuzzWord(0) + "\x05=A1*2",
        std::string(1, '\0'), std::string(1, '\x01'),
        // Printer names: the three offsets of the header.
        FuzzWord(8) + FuzzWord(17) + FuzzWord(30) + FuzzWord(0), FuzzWord(0xFFF0),
    };
}

// ---- A cell style and a styles map ----

CGXStyle RichStyle(WORD nBaseStyle)
{
    CGXStyle style;
    CGXStyleBrush interior;
    interior.SetPattern(12).SetColor(RGB(10, 20, 30)).SetBkColor(RGB(200, 100, 50));
    CGXFont font;
    font.SetFaceName("Arial").SetSize(12).SetBold(TRUE).SetItalic(TRUE).SetOrientation(900);
    CGXStylePen pen;
    pen.SetDescription("1 0 0 255");
    style.SetValue(3.25)
        .SetHorizontalAlignment(DT_RIGHT)
        .SetReadOnly(TRUE)
        .SetInterior(interior)
        .SetFont(font)
        .SetBorders(0, pen)
        .SetBorders(3, pen)
        .SetFormat(2)
        .SetPlaces(3)
        .SetChoiceList("one\ntwo\nthree")
        .SetMaxLength(40)
        .SetUserAttribute(51011, "1.5")
        .SetUserAttribute(51025, "a text longer than eight bytes")
        .SetFloatCell(TRUE)
        .SetMergeCell(1)
        .SetBaseStyle(nBaseStyle);
    return style;
}

// The map every style of the reader is read against: the standard styles and one of the user's.
const CGXStylesMap& ReferenceStylesMap()
{
    static CGXStylesMap* pMap = [] {
        FuzzStartGridLibrary();
        auto* pNew = new CGXStylesMap;
        pNew->CreateStandardStyles();
        CGXStyle mine;
        mine.SetValue("mine").SetTextColor(RGB(200, 0, 0));
        pNew->RegisterStyle("Mine", mine);
        return pNew;
    }();
    return *pMap;
}

// Base styles that rest on one another, as deep as a loaded map may hold them (a level more is
// refused); the id of the last.
WORD AddBaseStyleChain(CGXStylesMap& map)
{
    CGXStyle bottom;
    bottom.SetInterior(RGB(240, 240, 200)).SetValue("bottom");
    WORD nBase = map.RegisterStyle("Level 0", bottom);
    for (UINT nDepth = 1; nDepth < CGXStylesMap::nMaxBaseStyleDepth; ++nDepth)
    {
        CString name;
        name.Format("Level %u", nDepth);
        CGXStyle level;
        level.SetBaseStyle(nBase);
        nBase = map.RegisterStyle(name, level);
    }
    return nBase;
}

std::vector<std::string> GridStyleSeeds()
{
    const CGXStylesMap& reference = ReferenceStylesMap();
    WORD nMine = 0;
    reference.LookupStyleId("Mine", nMine);
    CGXStyle rich = RichStyle(nMine);
    CGXStyle empty;
    CGXStylesMap map;
    map = reference;
    CGXStylesMap emptyMap;
    CGXStylesMap deepMap;
    AddBaseStyleChain(deepMap);
    return {
        StoredBytes([&](CArchive& ar) {
            rich.SerializeWithStylesMap(ar, &reference);
            map.Serialize(ar);
        }),
        StoredBytes([&](CArchive& ar) {
            empty.SerializeWithStylesMap(ar, &reference);
            emptyMap.Serialize(ar);
        }),
        StoredBytes([&](CArchive& ar) {
            empty.SerializeWithStylesMap(ar, &reference);
            deepMap.Serialize(ar);
        }),
    };
}

// What the grid does with a style it was given: copies, compares, asks for its parts.
void UseStyle(const CGXStyle& style, const CGXStylesMap* pMap)
{
    CGXStyle copy(style);
    if (!copy.CompareSubset(style) || !style.CompareSubset(copy))
        throw FuzzFault("a loaded style differs from its own copy");
    CGXStyle assigned;
    assigned = style;
    assigned.ChangeStyle(copy, gxOverride);
    const CGXFont& font = style.GetFont();
    font.GetLogFont();
    font.GetFaceName();
    font.GetSize();
    CString text;
    for (int nEdge = 0; nEdge < 4; ++nEdge)
        style.GetBorders(nEdge).GetDescription(text);
    style.GetInterior().GetDescription(text);
    style.GetValue();
    style.GetChoiceList();
    style.GetUserAttribute(51011).GetValue();
    if (pMap != nullptr && style.GetIncludeBaseStyle())
        GXLookupBaseStyle(pMap, style.GetBaseStyle());
}

FuzzOutcome ReadGridStyle(const std::string& input)
{
    const CGXStylesMap& reference = ReferenceStylesMap();
    CGXStyle style;
    CGXStylesMap map;
    if (!FuzzLoaded(input, [&](CArchive& ar) {
            style.SerializeWithStylesMap(ar, &reference);
            map.Serialize(ar);
        }))
        return FuzzOutcome::Refused;

    UseStyle(style, &reference);
    CGXStylesMap copy;
    copy = map;
    if (copy.GetStyleCount() != map.GetStyleCount())
        throw FuzzFault("a copy of a loaded styles map has another number of styles");
    WORD nStandard = 0;
    const CGXStyle* pStandard = nullptr;
    if (map.LookupStyleId("Standard", nStandard) && map.LookupStyle(nStandard, pStandard))
        UseStyle(*pStandard, &map);

    // What the writer makes of an accepted style, its reader takes back.
    CGXStyle again;
    CGXStylesMap mapAgain;
    if (!FuzzLoaded(StoredBytes([&](CArchive& ar) {
                    style.SerializeWithStylesMap(ar, &reference);
                    map.Serialize(ar);
                }),
                [&](CArchive& ar) {
                    again.SerializeWithStylesMap(ar, &reference);
                    mapAgain.Serialize(ar);
                }))
        throw FuzzFault("an accepted style stored again is refused");
    if (!again.CompareSubset(style))
        throw FuzzFault("an accepted style stored again comes back different");
    if (mapAgain.GetStyleCount() != map.GetStyleCount())
        throw FuzzFault("an accepted styles map stored again has another number of styles");
    return FuzzOutcome::Accepted;
}

// ---- The grid document: a parameter object and all it owns ----

// A printer as the print dialogs give it: its names (driver, device, port) and a device mode.
CGXPrintDevice* PrintDeviceSeed()
{
    const char strings[] = "winspool\0Drainage plotter\0FILE:";
    std::vector<BYTE> names(sizeof(DEVNAMES) + sizeof strings);
    auto* pNames = reinterpret_cast<DEVNAMES*>(names.data());
    pNames->wDriverOffset = sizeof(DEVNAMES);
    pNames->wDeviceOffset = static_cast<WORD>(pNames->wDriverOffset + std::strlen("winspool") + 1);
    pNames->wOutputOffset = static_cast<WORD>(pNames->wDeviceOffset + std::strlen("Drainage plotter") + 1);
    std::memcpy(names.data() + sizeof(DEVNAMES), strings, sizeof strings);
    DEVMODEA mode = {};
    std::memcpy(mode.dmDeviceName, "Drainage plotter", sizeof "Drainage plotter");
    mode.dmSpecVersion = DM_SPECVERSION;
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_ORIENTATION;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    auto* pDevice = new CGXPrintDevice;
    pDevice->CreateDeviceHandles(names.data(), static_cast<DWORD>(names.size()), &mode, sizeof mode);
    return pDevice;
}

// A document as a grid with formulas leaves it: a formula sheet with numbers, texts, formulas (one
// on a range name, a division by zero and a reference cycle), covered cells, floating text, merged
// cells and a printer of its own.
std::string FormulaDocumentSeed()
{
    CGXGridCore grid;
    grid.m_pDataRuntimeClass = RUNTIME_CLASS(CGXFormulaSheet);
    grid.InitializeGrid();
    grid.InstallCoveredCells();
    grid.InstallMergeCells();
    grid.InstallFloatCells();
    CGXGridParam& param = *grid.GetParam();
    param.EnableUndo(FALSE);
    grid.SetRowCount(30);
    grid.SetColCount(8);
    auto* pSheet = static_cast<CGXFormulaSheet*>(param.GetData());
    pSheet->DefineRangeName("Base", CGXRange(1, 1), nullptr);
    const struct
    {
        ROWCOL nRow;
        ROWCOL nCol;
        const char* text;
    } cells[] = {
        {1, 1, "2"}, {1, 2, "=Base*3"}, {1, 3, "=A1+B1/4"}, {2, 1, "'a text longer than eight"}, {2, 2, "=1/0"},
        {2, 3, "#N/A"}, {3, 3, "=C4+1"}, {4, 3, "=C3+1"}, {6, 2, "A label that is rather long, it floats"},
        {9, 1, "7"}, {10, 1, "7"},
    };
    for (const auto& cell : cells)
        pSheet->StoreTypedTextRowCol(cell.nRow, cell.nCol, cell.text);
    pSheet->StoreNumberFormatRowCol(1, 1, 3, 2);
    pSheet->SetIterationLimit(5);
    grid.SetFloatCellsMode(1, FALSE);
    grid.SetMergeCellsMode(1, FALSE);
    grid.SetStyleRange(CGXRange(9, 1, 10, 1), CGXStyle().SetMergeCell(3));
    grid.SetCoveredCellsRowCol(12, 1, 13, 3);
    param.SetPrintDevice(PrintDeviceSeed(), TRUE);
    return StoredBytes([&](CArchive& ar) { param.Serialize(ar); });
}

// A formula sheet whose first formula nests parentheses 254 deep, as a crafted file may: deeper than
// the parser reads, so the sheet keeps it as the text it was (mutations nest it deeper still).
std::string NestedFormulaDocumentSeed()
{
    CGXGridCore grid;
    grid.m_pDataRuntimeClass = RUNTIME_CLASS(CGXFormulaSheet);
    grid.InitializeGrid();
    CGXGridParam& param = *grid.GetParam();
    param.EnableUndo(FALSE);
    grid.SetRowCount(3);
    grid.SetColCount(2);
    auto* pSheet = static_cast<CGXFormulaSheet*>(param.GetData());
    pSheet->StoreTypedTextRowCol(1, 1, "=0+0");
    pSheet->StoreTypedTextRowCol(2, 1, "=A1*2");
    std::string bytes = StoredBytes([&](CArchive& ar) { param.Serialize(ar); });
    // The stored text of "=0+0" (a one-byte length, then the text) becomes the nested one: 510
    // characters, as long as a cell keeps a formula it cannot read.
    const std::string placeholder = std::string(1, '\x04') + "=0+0";
    const std::string nested = "=" + std::string(254, '(') + "1" + std::string(254, ')');
    const size_t at = bytes.find(placeholder);
    if (at == std::string::npos)
        throw FuzzFault("the formula document seed holds no formula text to nest");
    bytes.replace(at, placeholder.size(), std::string(1, '\xFF') + FuzzWord(static_cast<unsigned>(nested.size())) + nested);
    return bytes;
}

std::vector<std::string> GridDocumentSeeds()
{
    FuzzStartGridLibrary();
    CGXGridParam param;
    auto* pStylesMap = new CGXStylesMap;
    pStylesMap->CreateStandardStyles();
    CGXStyle emphasis;
    emphasis.SetTextColor(RGB(200, 0, 0)).SetFont(CGXFont().SetBold(TRUE));
    const WORD nEmphasis = pStylesMap->RegisterStyle("Emphasis", emphasis);
    param.SetStylesMap(pStylesMap);

    auto* pData = new CGXData;
    pData->SetRowCount(20);
    pData->SetColCount(5);
    CGXStyle cell = RichStyle(nEmphasis);
    pData->StoreStyleRowCol(1, 1, &cell, gxCopy);
    CGXStyle plain;
    plain.SetValue("last");
    pData->StoreStyleRowCol(20, 5, &plain, gxCopy);
    CGXStyle row;
    row.SetInterior(RGB(0, 255, 0));
    pData->StoreStyleRowCol(3, 0, &row, gxCopy, gxBaseStyleType);
    param.SetData(pData);

    auto* pProperties = new CGXProperties;
    pProperties->AddDefaultUserProperties();
    pProperties->SetMargins(11, 22, 33, 44);
    param.SetProperties(pProperties);

    param.m_CoveredCellsList.AddTail(new CGXRange(2, 2, 4, 3));
    param.m_SelRects.AddTail(new CGXRange(5, 1, 6, 2));
    param.m_abRowFlags.SetSize(2);
    param.m_abRowFlags[1] = 2;
    param.m_nFrozenRows = 2;
    param.m_wMergeCellsMode = 1;
    param.m_RowHeights.SetAt(7, 2400);
    param.m_ColWidths.SetAt(3, 15000);
    param.m_sSheetName = "Drains";
    auto* pSpans = new CGXSpanCellPool;
    pSpans->SetSpanCellsRowCol(3, 2, 3, 4, TRUE);
    param.m_pHorzMergeCellsPool = pSpans;
    auto* pDelayed = new CGXDelayedRangePool;
    pDelayed->AddRange(CGXRange(1, 1, 2, 2));
    param.m_pDelayedFloatCellsPool = pDelayed;

    param.SetPrintDevice(PrintDeviceSeed(), TRUE);

    CGXGridParam bare;

    // Cells on the last of a chain of base styles as deep as a loaded map may hold.
    CGXGridParam deep;
    auto* pDeepMap = new CGXStylesMap;
    pDeepMap->CreateStandardStyles();
    const WORD nDeepest = AddBaseStyleChain(*pDeepMap);
    deep.SetStylesMap(pDeepMap);
    auto* pDeepData = new CGXData;
    pDeepData->SetRowCount(4);
    pDeepData->SetColCount(2);
    CGXStyle onDeepest;
    onDeepest.SetBaseStyle(nDeepest);
    pDeepData->StoreStyleRowCol(2, 2, &onDeepest, gxCopy);
    deep.SetData(pDeepData);

    return {StoredBytes([&](CArchive& ar) { param.Serialize(ar); }), FormulaDocumentSeed(),
            StoredBytes([&](CArchive& ar) { bare.Serialize(ar); }), NestedFormulaDocumentSeed(),
            StoredBytes([&](CArchive& ar) { deep.Serialize(ar); })};
}

FuzzOutcome ReadGridDocument(const std::string& input)
{
    FuzzStartGridLibrary();
    CGXGridParam param;
    if (!FuzzLoaded(input, [&](CArchive& ar) { param.Serialize(ar); }))
        return FuzzOutcome::Refused;

    // What a grid asks of the parameter object it is attached to.
    if (CGXData* pData = param.GetData())
    {
        const ROWCOL nRows = pData->GetRowCount();
        const ROWCOL nCols = pData->GetColCount();
        const ROWCOL cells[][2] = {{0, 0}, {1, 1}, {3, 0}, {0, 3}, {20, 5}, {nRows, nCols}, {nRows + 1, 1}};
        for (const auto& at : cells)
        {
            CGXStyle style;
            for (int nType = 0; nType < 3; ++nType)
                if (pData->GetStyleRowCol(at[0], at[1], style, gxCopy, nType))
                    UseStyle(style, param.GetStylesMap());
        }
    }
    if (CGXStylesMap* pMap = param.GetStylesMap())
    {
        WORD nStandard = 0;
        const CGXStyle* pStandard = nullptr;
        if (pMap->LookupStyleId("Standard", nStandard) && pMap->LookupStyle(nStandard, pStandard))
            UseStyle(*pStandard, pMap);
    }
    if (CGXProperties* pProperties = param.GetProperties())
    {
        int nTop = 0, nLeft = 0, nBottom = 0, nRight = 0;
        pProperties->GetMargins(nTop, nLeft, nBottom, nRight);
        pProperties->GetUserProperty(GX_IDS_CURRENTCELL).GetValue();
    }
    param.m_CoveredCellsList.IsCellInList(3, 3);
    param.m_SelRects.IsAnyCellInRow(5);
    LONG nSize = 0;
    param.m_RowHeights.Lookup(7, nSize);
    if (const CGXSpanCellPool* pSpans = GXAsSpanCellPool(param.m_pHorzMergeCellsPool))
    {
        CGXRange span(3, 3);
        pSpans->GetSpanCellsRowCol(3, 3, span);
    }
    if (const CGXDelayedRangePool* pDelayed = GXAsDelayedRangePool(param.m_pDelayedFloatCellsPool))
        for (INT_PTR i = 0; i < pDelayed->GetCount(); ++i)
            if (pDelayed->GetAt(i) == nullptr)
                throw FuzzFault("an empty entry in a loaded delayed range pool");

    // The deep copy holds as much as the loaded object.
    CGXGridParam copy;
    copy = param;
    if ((copy.GetData() == nullptr) != (param.GetData() == nullptr) ||
        (copy.GetStylesMap() == nullptr) != (param.GetStylesMap() == nullptr) ||
        (copy.GetProperties() == nullptr) != (param.GetProperties() == nullptr))
        throw FuzzFault("the copy of a loaded parameter object lost one of its objects");
    if (copy.GetData() != nullptr &&
        (copy.GetData()->GetRowCount() != param.GetData()->GetRowCount() ||
         copy.GetData()->GetColCount() != param.GetData()->GetColCount()))
        throw FuzzFault("the copy of a loaded parameter object has other counts");
    if (copy.GetStylesMap() != nullptr && copy.GetStylesMap()->GetStyleCount() != param.GetStylesMap()->GetStyleCount())
        throw FuzzFault("the copy of a loaded parameter object has another number of styles");
    INT_PTR nValidCovered = 0;  // the copy keeps the valid ranges
    for (POSITION pos = param.m_CoveredCellsList.GetHeadPosition(); pos != nullptr;)
        nValidCovered += param.m_CoveredCellsList.GetNext(pos)->valid ? 1 : 0;
    if (copy.m_CoveredCellsList.GetCount() != nValidCovered)
        throw FuzzFault("the copy of a loaded parameter object has other covered cells");

    // What the writer makes of an accepted document, its reader takes back.
    CGXGridParam again;
    if (!FuzzLoaded(StoredBytes([&](CArchive& ar) { param.Serialize(ar); }), [&](CArchive& ar) { again.Serialize(ar); }))
        throw FuzzFault("an accepted parameter object stored again is refused");

    // A formula sheet works out its cells; then a grid shows the document and prints it.
    if (auto* pSheet = dynamic_cast<CGXFormulaSheet*>(param.GetData()))
        pSheet->RecalcSheet(TRUE);
    FuzzShowGrid(&param, true);
    return FuzzOutcome::Accepted;
}
} // namespace

REGISTER_FUZZ_READER("grid style archive", GridStyleSeeds, GridArchiveTokens, ReadGridStyle);
REGISTER_FUZZ_READER("grid document", GridDocumentSeeds, GridArchiveTokens, ReadGridDocument);
