// The grid's archive forms: range lists (selections, covered cells), the user attributes of styles,
// and the sparse maps and printer blocks of the parameter object.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzArchive.h"

#include "framework/core/Archive.h"
#include "framework/core/Arrays.h"
#include "framework/core/File.h"
#include "grid/core/GridCollections.h"
#include "grid/core/MapDWordToString.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/Range.h"
#include "grid/core/UserAttribute.h"

#include <set>

namespace
{
std::vector<std::string> ArchiveTokens()
{
    return {
        FuzzWord(1),
        FuzzWord(2),
        FuzzDWord(0xFFFFFFFF),
        FuzzDWord(0x0E38E38E),   // a range count whose bytes overflow 32 bits
        FuzzWord(0xFFFF),
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(16) + "CGXUserAttribute",
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(24) + "CGXAbstractUserAttribute",
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(10) + "CGXStyle!!",
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(12) + "CStringArray",
        FuzzWord(0x8001), FuzzWord(0x0001), FuzzWord(0x0002), FuzzWord(0x7FFF) + FuzzDWord(0x80000001),
        std::string(1, '\x04') + std::string(1, '\xFF') + FuzzWord(0xFFFF) + FuzzDWord(0x7FFFFFFF),
        std::string(1, '\x06') + FuzzDWord(0xFFFFFFFF) + FuzzDWord(0xFFFFFFFF),
        FuzzWord(8) + FuzzWord(9) + FuzzWord(10) + FuzzWord(0), FuzzWord(0xFFF0), FuzzWord(44) + FuzzWord(0xFFFF),
    };
}

// ---- Range lists ----

std::vector<std::string> RangeListSeeds()
{
    CGXRangeList ranges;
    ranges.AddTail(new CGXRange(1, 1, 5, 3));
    CGXRange rows;
    rows.SetRows(4, 9);
    ranges.AddTail(new CGXRange(rows));
    CGXRange table;
    table.SetTable();
    ranges.AddTail(new CGXRange(table));
    ranges.AddTail(new CGXRange(0xFFFFFFFE, 2, 0xFFFFFFFE, 0xFFFFFFFE));
    CGXRangeList empty;
    return {StoredBytes([&](CArchive& ar) { ranges.Serialize(ar); }), StoredBytes([&](CArchive& ar) { empty.Serialize(ar); })};
}

FuzzOutcome ReadRangeList(const std::string& input)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(7, 7, 8, 8));
    if (!FuzzLoaded(input, [&](CArchive& ar) { list.Serialize(ar); }))
    {
        if (list.GetCount() != 1 || !(*list.GetHead() == CGXRange(7, 7, 8, 8)))
            throw FuzzFault("a refused range list changed the list");
        return FuzzOutcome::Refused;
    }
    // What the grid does with the ranges of a selection or of covered cells.
    list.IsCellInList(5, 5);
    list.IsAnyCellInRow(3);
    list.IsAnyCellInCol(0xFFFFFFFE);
    CDWordArray starts, ends;
    list.GetRowArray(1000, starts, ends, FALSE);
    list.GetColArray(0xFFFFFFFE, starts, ends, TRUE);
    list.InsertRows(3, 2);
    list.InsertCols(0xFFFFFFF0, 0x20);
    list.RemoveRows(2, 4, 1000);
    list.MoveCols(1, 2, 6, 1000);
    list.DeleteInvalidRanges();
    return FuzzOutcome::Accepted;
}

// ---- User attributes of a style ----

std::vector<std::string> UserAttributeSeeds()
{
    CGXUserAttributeMap map;
    map.SetAttribute(51011, CGXUserAttribute("1.5"));
    map.SetAttribute(51025, CGXUserAttribute("a text longer than eight bytes"));
    map.SetAttribute(51030, CGXUserAttribute("short"));
    map.SetAttribute(51040, CGXUserAttribute(""));
    CGXUserAttribute number;
    number.SetValue("4294967295");
    map.SetAttribute(7, number);
    CGXUserAttributeMap empty;
    return {StoredBytes([&](CArchive& ar) { map.Serialize(ar); }), StoredBytes([&](CArchive& ar) { empty.Serialize(ar); })};
}

FuzzOutcome ReadUserAttributes(const std::string& input)
{
    CGXUserAttributeMap map;
    map.SetAttribute(42, CGXUserAttribute("mark"));
    if (!FuzzLoaded(input, [&](CArchive& ar) { map.Serialize(ar); }))
    {
        if (map.GetSize() != 1 || map.GetAttribute(42) == nullptr || map.GetAttribute(42)->GetValue() != "mark")
            throw FuzzFault("a refused attribute map changed the map");
        return FuzzOutcome::Refused;
    }
    // Sorted by id, one entry per id, each object held once.
    std::set<const CObject*> seen;
    for (INT_PTR i = 0; i < map.GetSize(); ++i)
    {
        const CGXAbstractUserAttribute* pAttribute = map.GetAttributeAt(i);
        if (pAttribute == nullptr)
            throw FuzzFault("an empty entry in a loaded attribute map");
        if (!seen.insert(pAttribute).second)
            throw FuzzFault("one attribute object under two entries of a loaded map");
        if (i > 0 && map.GetAttributeAt(i - 1)->GetId() >= pAttribute->GetId())
            throw FuzzFault("a loaded attribute map that is not sorted by unique ids");
        pAttribute->GetValue();
        pAttribute->GetDoubleValue();
    }
    CGXUserAttributeMap copy(map);
    return FuzzOutcome::Accepted;
}

// ---- Sparse maps and printer blocks of the parameter object ----

std::vector<std::string> GridCollectionSeeds()
{
    CGXCollMapDWordToLong sizes;
    sizes.SetAt(1, 20);
    sizes.SetAt(0xFFFFFFFE, -1);
    CGXCollMapDWordToString texts;
    texts.SetAt(51011, "1.5");
    texts.SetAt(2, CString('t', 400));
    CGXPrintDevice device;
    CGXCollMapDWordToLong noSizes;
    CGXCollMapDWordToString noTexts;
    return {
        StoredBytes([&](CArchive& ar) {
            sizes.Serialize(ar);
            texts.Serialize(ar);
            device.Serialize(ar);
        }),
        StoredBytes([&](CArchive& ar) {
            noSizes.Serialize(ar);
            noTexts.Serialize(ar);
            // A printer whose names are three empty texts, and the smallest device mode (up to its
            // fields word, with no driver part).
            ar << static_cast<WORD>(1) << static_cast<DWORD>(11) << static_cast<WORD>(8) << static_cast<WORD>(9)
               << static_cast<WORD>(10) << static_cast<WORD>(0) << static_cast<BYTE>(0) << static_cast<BYTE>(0)
               << static_cast<BYTE>(0);
            BYTE mode[44] = {};
            mode[36] = 44;   // dmSize
            ar << static_cast<DWORD>(sizeof mode);
            ar.Write(mode, sizeof mode);
        }),
    };
}

FuzzOutcome ReadGridCollections(const std::string& input)
{
    CGXCollMapDWordToLong sizes;
    sizes.SetAt(9, 99);
    CGXCollMapDWordToString texts;
    texts.SetAt(9, "mark");
    CGXPrintDevice device;
    const char* stage = "sizes";
    const bool bLoaded = FuzzLoaded(input, [&](CArchive& ar) {
        stage = "sizes";
        sizes.Serialize(ar);
        stage = "texts";
        texts.Serialize(ar);
        stage = "device";
        device.Serialize(ar);
    });
    if (bLoaded)
        return FuzzOutcome::Accepted;
    const std::string failed = stage;
    LONG size = 0;
    CString text;
    if (failed == "sizes" && (sizes.GetCount() != 1 || !sizes.Lookup(9, size) || size != 99))
        throw FuzzFault("a refused size map changed the map");
    if (failed == "texts" && (texts.GetCount() != 1 || !texts.Lookup(9, text) || text != "mark"))
        throw FuzzFault("a refused text map changed the map");
    return FuzzOutcome::Refused;
}
} // namespace

REGISTER_FUZZ_READER("grid range list", RangeListSeeds, ArchiveTokens, ReadRangeList);
REGISTER_FUZZ_READER("grid user attributes", UserAttributeSeeds, ArchiveTokens, ReadUserAttributes);
REGISTER_FUZZ_READER("grid collections", GridCollectionSeeds, ArchiveTokens, ReadGridCollections);
