#include "grid/features/GridDocSerializeImp.h"

#include "framework/core/Archive.h"
#include "framework/core/Arrays.h"
#include "framework/core/Exceptions.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridCollections.h"
#include "grid/core/GridParam.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/ArchiveLoading.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/GridParamSettings.h"
#include "grid/features/SpanCellPool.h"
#include "grid/features/StyleSerializeImp.h"

#include <algorithm>
#include <memory>
#include <new>
#include <queue>
#include <unordered_map>
#include <utility>
#include <vector>

namespace
{

using namespace GXArchiveLoading;

const DWORD endOfEntries = 0xFFFFFFFF;

// Style arrays are sparse: a stored count says how long an array is, not how many styles follow, so
// a few bytes can ask for millions of entries, each a pointer to allocate and clear (some 50 ns each
// under Wine on a virtual machine). The grid writes such long arrays for a table of many rows with a
// few styles (the row array spans every row), or else fills them with entries. So the arrays of one
// load together may reach emptyArrayEntries (a million rows with cells and row base styles fit), plus
// arrayEntriesPerStoredEntry for each entry read (a row of cells is one entry, as long as the table
// is wide); never more than maxArrayEntries (half a gigabyte of pointers).
const ULONGLONG emptyArrayEntries = 0x00200000;
const ULONGLONG arrayEntriesPerStoredEntry = 16;
const ULONGLONG maxArrayEntries = 0x04000000;

void CheckSchema(WORD nSchema, WORD nCurrent)
{
    if (nSchema > nCurrent)
        ThrowBadSchema();
}

void StoreWordCount(CArchive& ar, INT_PTR nCount)
{
    GXCheckWordCount(nCount);
    ar << static_cast<WORD>(nCount);
}

CString LoadText(UINT nId)
{
    CString text;
    if (!text.LoadString(nId))
        text.Empty();
    return text;
}

// The length the arrays of one load have reached so far, against the entries they were read with.
struct ArrayBudget
{
    ULONGLONG nLength = 0;
    ULONGLONG nStoredEntries = 0;

    bool Allows(ULONGLONG nEntries) const
    {
        const ULONGLONG nAfter = nLength + nEntries;
        return nAfter <= maxArrayEntries && nAfter <= emptyArrayEntries + arrayEntriesPerStoredEntry * nStoredEntries;
    }
    // Called before an array grows by nEntries.
    void Take(ULONGLONG nEntries)
    {
        if (!Allows(nEntries))
            ThrowBadSchema();
        nLength += nEntries;
    }
};

// Restores the archive's document pointer when it goes, also when a load is refused.
class DocumentPointerScope
{
public:
    DocumentPointerScope(CArchive& ar, const CGXStylesMap* pStylesMap)
        : m_ar(ar), m_pPrevious(GXSetArchiveStylesMap(ar, pStylesMap))
    {
    }
    ~DocumentPointerScope() { m_ar.m_pDocument = m_pPrevious; }
    DocumentPointerScope(const DocumentPointerScope&) = delete;
    DocumentPointerScope& operator=(const DocumentPointerScope&) = delete;

private:
    CArchive& m_ar;
    CDocument* m_pPrevious;
};

// ---- Style arrays ----

// A sparse array's form: its schema and length, then the index and entry of each entry present, then
// the end mark.
template <class TEntryAt, class TStoreEntry>
void StoreSparse(CArchive& ar, INT_PTR nCount, TEntryAt entryAt, TStoreEntry storeEntry)
{
    ar << static_cast<WORD>(CGXGridDocSerializeImp::arraySchema) << static_cast<DWORD>(nCount);
    for (INT_PTR i = 0; i < nCount; ++i)
        if (const auto* pEntry = entryAt(i))
        {
            ar << static_cast<DWORD>(i);
            storeEntry(*pEntry);
        }
    ar << endOfEntries;
}

// Gives the emptied array its stored length, within the load's budget.
template <class TOwned>
void SizeTo(CGXOwningPtrArray<TOwned>& array, DWORD dwCount, ArrayBudget& budget)
{
    budget.Take(dwCount);
    array.SetSize(static_cast<INT_PTR>(dwCount));
}

// A later entry of the same index replaces an earlier one.
template <class TOwned>
void PutEntry(CGXOwningPtrArray<TOwned>& array, DWORD dwIndex, std::unique_ptr<TOwned> pEntry)
{
    delete array.GetOwnedAt(dwIndex);
    array.SetAt(dwIndex, pEntry.release());
}

// Empties the array and reads the sparse form into it; loadEntry reads one entry. A stored length the
// budget allows is allocated at once; the entries of a longer one wait until the end mark, when their
// number may make up for it, so that a length that nothing backs is refused before it is allocated.
template <class TOwned, class TLoadEntry>
void LoadSparse(CGXOwningPtrArray<TOwned>& array, CArchive& ar, ArrayBudget& budget, TLoadEntry loadEntry)
{
    if (LoadWord(ar) != CGXGridDocSerializeImp::arraySchema)
        ThrowBadSchema();
    array.DeleteAll();
    const DWORD dwCount = LoadDWord(ar);
    if (dwCount > 0x7FFFFFFF)
        ThrowBadSchema();
    const bool bSized = budget.Allows(dwCount);
    if (bSized)
        SizeTo(array, dwCount, budget);
    std::vector<std::pair<DWORD, std::unique_ptr<TOwned>>> waiting;
    for (;;)
    {
        const DWORD dwIndex = LoadDWord(ar);
        if (dwIndex == endOfEntries)
            break;
        if (dwIndex >= dwCount)
            ThrowBadSchema();
        ++budget.nStoredEntries;
        std::unique_ptr<TOwned> pEntry = loadEntry();
        if (bSized)
            PutEntry(array, dwIndex, std::move(pEntry));
        else
            waiting.emplace_back(dwIndex, std::move(pEntry));
    }
    if (bSized)
        return;
    SizeTo(array, dwCount, budget);
    for (auto& entry : waiting)
        PutEntry(array, entry.first, std::move(entry.second));
}

void StoreStyleArray(const CGXStylePtrArray& styles, CArchive& ar)
{
    StoreSparse(
        ar, styles.GetSize(), [&](INT_PTR i) { return styles.GetStyleAt(i); },
        [&](const CGXStyle& style) { ar << static_cast<const CObject*>(&style); });
}

void LoadStyleArray(CGXStylePtrArray& styles, CArchive& ar, ArrayBudget& budget)
{
    LoadSparse(styles, ar, budget, [&] { return LoadOwned<CGXStyle>(ar, RUNTIME_CLASS(CGXStyle)); });
}

void StoreStyleRows(const CGXStylePtrArrayPtrArray& rows, CArchive& ar)
{
    StoreSparse(
        ar, rows.GetSize(), [&](INT_PTR i) { return rows.GetRowAt(i); },
        [&](const CGXStylePtrArray& row) { StoreStyleArray(row, ar); });
}

void LoadStyleRows(CGXStylePtrArrayPtrArray& rows, CArchive& ar, ArrayBudget& budget)
{
    LoadSparse(rows, ar, budget, [&] {
        auto pRow = std::make_unique<CGXStylePtrArray>();
        LoadStyleArray(*pRow, ar, budget);
        return pRow;
    });
}

void SerializeDataForm(CGXData& data, CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<WORD>(CGXGridDocSerializeImp::dataSchema) << static_cast<DWORD>(data.GetRowCount())
           << static_cast<DWORD>(data.GetColCount());
        StoreStyleRows(data.GetCellStyles(), ar);
        StoreStyleArray(data.GetRowBaseStyles(), ar);
        StoreStyleArray(data.GetColBaseStyles(), ar);
        return;
    }
    if (LoadWord(ar) != CGXGridDocSerializeImp::dataSchema)
        ThrowBadSchema();
    const DWORD dwRows = LoadDWord(ar);
    const DWORD dwCols = LoadDWord(ar);
    data.StoreCounts(dwRows, dwCols);
    ArrayBudget budget;
    LoadStyleRows(data.GetCellStyles(), ar, budget);
    LoadStyleArray(data.GetRowBaseStyles(), ar, budget);
    LoadStyleArray(data.GetColBaseStyles(), ar, budget);
}

// ---- Styles map ----

// The base styles in the order they are stored: the reader finds a base style by its name among the
// styles read before, so a base style comes before every style that rests on it; otherwise by
// ascending id (as a rule a base style has the lower id, and the order is that of the ids). The
// styles of unlinked (ascending ids) are stored resting on no base style, which leaves no circle.
std::vector<const CGXStylesMapEntry*> BaseStylesInStoringOrder(const CGXStylesMap& stylesMap,
                                                               const std::vector<WORD>& unlinked)
{
    std::vector<const CGXStylesMapEntry*> byId;
    for (POSITION pos = stylesMap.GetStartPosition(); pos != nullptr;)
    {
        WORD nStyleId = 0;
        const CGXStylesMapEntry* pEntry = nullptr;
        stylesMap.GetNextStyle(pos, nStyleId, pEntry);
        byId.push_back(pEntry);
    }
    std::sort(byId.begin(), byId.end(),
              [](const CGXStylesMapEntry* a, const CGXStylesMapEntry* b) { return a->nStyleId < b->nStyleId; });

    // The styles whose base style is stored already, lowest id first.
    auto laterId = [](const CGXStylesMapEntry* a, const CGXStylesMapEntry* b) { return a->nStyleId > b->nStyleId; };
    std::priority_queue<const CGXStylesMapEntry*, std::vector<const CGXStylesMapEntry*>, decltype(laterId)> ready(laterId);
    std::unordered_map<WORD, std::vector<const CGXStylesMapEntry*>> restingOn;   // base style id -> styles
    for (const CGXStylesMapEntry* pEntry : byId)
    {
        const CGXStyle& style = *pEntry->pStyle;
        const WORD nBaseId = style.GetBaseStyle();
        if (style.GetIncludeBaseStyle() && !std::binary_search(unlinked.begin(), unlinked.end(), pEntry->nStyleId) &&
            GXLookupBaseStyle(&stylesMap, nBaseId) != nullptr)
            restingOn[nBaseId].push_back(pEntry);
        else
            ready.push(pEntry);
    }
    std::vector<const CGXStylesMapEntry*> order;
    order.reserve(byId.size());
    while (!ready.empty())
    {
        const CGXStylesMapEntry* pEntry = ready.top();
        ready.pop();
        order.push_back(pEntry);
        const auto resting = restingOn.find(pEntry->nStyleId);
        if (resting == restingOn.end())
            continue;
        for (const CGXStylesMapEntry* pResting : resting->second)
            ready.push(pResting);
        restingOn.erase(resting);
    }
    return order;
}

template <class TMap, class TValue>
std::vector<std::pair<WORD, TValue*>> ById(const TMap& map)
{
    std::vector<std::pair<WORD, TValue*>> entries;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        map.GetNextAssoc(pos, nId, pValue);
        entries.emplace_back(nId, static_cast<TValue*>(pValue));
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return entries;
}

void StoreStylesMap(CGXStylesMap& stylesMap, CArchive& ar)
{
    ar << static_cast<WORD>(CGXGridDocSerializeImp::stylesMapSchema) << stylesMap.GetSection();

    const auto controls = ById<CMapWordToPtr, CString>(stylesMap.GetControlNameMap());
    StoreWordCount(ar, static_cast<INT_PTR>(controls.size()));
    for (const auto& control : controls)
        ar << static_cast<DWORD>(control.first) << *control.second;

    StoreWordCount(ar, stylesMap.GetNameIndexCount());
    for (POSITION pos = stylesMap.GetNameIndexStart(); pos != nullptr;)
    {
        CString name;
        WORD nStyleId = 0;
        stylesMap.GetNextNameIndex(pos, name, nStyleId);
        ar << nStyleId << name;
    }

    // A program may make a circle of base styles, or a chain deeper than a loaded map may hold: the
    // reader would refuse the document. Those links are not stored; the map itself keeps them.
    const std::vector<WORD> unlinked = stylesMap.GetUnboundedBaseStyleLinks();
    const std::vector<const CGXStylesMapEntry*> styles = BaseStylesInStoringOrder(stylesMap, unlinked);
    StoreWordCount(ar, static_cast<INT_PTR>(styles.size()));
    for (const CGXStylesMapEntry* pEntry : styles)
    {
        ar << pEntry->nStyleId << static_cast<DWORD>(pEntry->nResourceId) << pEntry->sName
           << static_cast<BYTE>(pEntry->bSystemStyle ? 1 : 0);
        if (std::binary_search(unlinked.begin(), unlinked.end(), pEntry->nStyleId))
        {
            const std::unique_ptr<CGXStyle> pUnlinked(pEntry->pStyle->Clone());
            pUnlinked->SetIncludeBaseStyle(FALSE);
            pUnlinked->SerializeWithStylesMap(ar, &stylesMap);
        }
        else
            pEntry->pStyle->SerializeWithStylesMap(ar, &stylesMap);
    }

    ar << static_cast<WORD>(std::min<DWORD>(stylesMap.GetNextStyleId(), 0xFFFF));

    const auto attributes =
        ById<CMapWordToPtr, CGXStylesMapUserAttributeInfo>(stylesMap.GetUserAttributeInfoMap());
    StoreWordCount(ar, static_cast<INT_PTR>(attributes.size()));
    for (const auto& attribute : attributes)
    {
        ar << static_cast<DWORD>(attribute.first);
        CGXStyle empty;
        CGXStyle* pStyle = attribute.second->pStyle != nullptr ? attribute.second->pStyle : &empty;
        pStyle->SerializeWithStylesMap(ar, &stylesMap);
    }
}

void LoadStylesMap(CGXStylesMap& stylesMap, CArchive& ar)
{
    const WORD nSchema = LoadWord(ar);
    CheckSchema(nSchema, CGXGridDocSerializeImp::stylesMapSchema);
    stylesMap.RemoveAll();
    stylesMap.RemoveAllControlNames();
    stylesMap.RemoveAllUserAttributes();

    stylesMap.SetSection(LoadString(ar));
    const WORD nControls = LoadWord(ar);
    GXCheckArchiveCount(ar, nControls, sizeof(DWORD) + 1);
    for (WORD i = 0; i < nControls; ++i)
    {
        const DWORD dwControlId = LoadDWord(ar);
        stylesMap.SetControlName(LOWORD(dwControlId), LoadString(ar));
    }

    // The name index is rebuilt from the base styles.
    const WORD nNames = LoadWord(ar);
    GXCheckArchiveCount(ar, nNames, sizeof(WORD) + 1);
    for (WORD i = 0; i < nNames; ++i)
    {
        LoadWord(ar);
        LoadString(ar);
    }

    const WORD nStyles = LoadWord(ar);
    GXCheckArchiveCount(ar, nStyles, sizeof(WORD) + sizeof(DWORD) + 2);
    DWORD dwFirstFreeId = 0;
    for (WORD i = 0; i < nStyles; ++i)
    {
        const WORD nStyleId = LoadWord(ar);
        dwFirstFreeId = std::max<DWORD>(dwFirstFreeId, nStyleId + 1u);
        const DWORD dwResourceId = LoadDWord(ar);
        CString name = LoadString(ar);
        const BOOL bSystemStyle = LoadByte(ar) != 0;
        std::unique_ptr<CGXStyle> pStyle(stylesMap.CreateStyle());
        pStyle->SerializeWithStylesMap(ar, &stylesMap);
        if (dwResourceId != 0)
        {
            // The name of a style registered by string-table id is the current program's text.
            name = LoadText(dwResourceId);
            if (name.IsEmpty())
                name.Format("STYLE%u", static_cast<unsigned>(dwResourceId));
        }
        stylesMap.SetStyleEntry(nStyleId, dwResourceId, name, pStyle.release(), bSystemStyle);
    }
    // A style names its base style by name or string-table id, and an entry may come again under an
    // id read before: the entries can make a circle of base styles, or a chain of thousands.
    if (!stylesMap.AreBaseStylesBounded())
        ThrowBadSchema();
    // A new style must not take the id of a loaded one and replace it.
    stylesMap.SetNextStyleId(std::max<DWORD>(LoadWord(ar), dwFirstFreeId));

    if (nSchema >= 2)
    {
        const WORD nAttributes = LoadWord(ar);
        GXCheckArchiveCount(ar, nAttributes, sizeof(DWORD) + 10);
        for (WORD i = 0; i < nAttributes; ++i)
        {
            const DWORD dwId = LoadDWord(ar);
            // Attribute ids are string-table ids of 16 bits.
            if (dwId > 0xFFFF)
                ThrowBadSchema();
            CString name = LoadText(dwId);
            if (name.IsEmpty())
                name.Format("UA%u", static_cast<unsigned>(dwId));
            std::unique_ptr<CGXStyle> pStyle(stylesMap.CreateStyle());
            pStyle->SerializeWithStylesMap(ar, &stylesMap);
            stylesMap.SetUserAttributeInfo(static_cast<WORD>(dwId), name, pStyle.release());
        }
    }
    stylesMap.LookupStandardStyleIds();
}

// ---- Properties ----

void SerializePropertiesForm(CGXProperties& properties, CArchive& ar, CGXGridDocSerializeImp& imp)
{
    WORD nSchema = CGXGridDocSerializeImp::propertiesSchema;
    if (ar.IsStoring())
        ar << nSchema;
    else
    {
        nSchema = LoadWord(ar);
        CheckSchema(nSchema, CGXGridDocSerializeImp::propertiesSchema);
    }

    properties.GetColorArray().Serialize(ar);
    // An array of names that is never filled: the colours take their names from the string table.
    CStringArray names;
    names.Serialize(ar);
    if (ar.IsLoading())
        properties.GetColorArray().SetSize(properties.GetColorCount());

    BOOL bVertLines = properties.GetDisplayVertLines();
    BOOL bHorzLines = properties.GetDisplayHorzLines();
    BOOL b3dHeader = properties.GetDisplay3dHeader();
    BOOL bMarkRowHeader = properties.GetMarkRowHeader();
    BOOL bMarkColHeader = properties.GetMarkColHeader();
    if (ar.IsStoring())
    {
        // The screen switches, whatever the printing state.
        const BOOL bPrinting = properties.GetPrinting();
        properties.SetPrinting(FALSE);
        bVertLines = properties.GetDisplayVertLines();
        bHorzLines = properties.GetDisplayHorzLines();
        properties.SetPrinting(bPrinting);
    }
    for (BOOL* pFlag : {&bVertLines, &bHorzLines, &b3dHeader, &bMarkRowHeader, &bMarkColHeader})
        GXSerializeBYTE(ar, *pFlag);
    if (ar.IsLoading())
    {
        properties.SetDisplayVertLines(bVertLines);
        properties.SetDisplayHorzLines(bHorzLines);
        properties.SetDisplay3dHeader(b3dHeader);
        properties.SetMarkRowHeader(bMarkRowHeader);
        properties.SetMarkColHeader(bMarkColHeader);
    }

    if (ar.IsStoring())
        ar << properties.GetSection() << static_cast<DWORD>(properties.GetZoom());
    else
    {
        properties.SetSection(LoadString(ar));
        properties.SetZoom(static_cast<int>(LoadDWord(ar)));
    }

    CMapWordToPtr& userProperties = properties.GetUserPropertyInfoMap();
    if (ar.IsStoring())
    {
        for (const auto& entry : ById<CMapWordToPtr, CGXPropertiesUserPropertyInfo>(userProperties))
        {
            CGXStyle empty;
            const CGXStyle* pStyle = entry.second->pStyle != nullptr ? entry.second->pStyle : &empty;
            ar << static_cast<DWORD>(entry.first) << entry.second->sName << static_cast<const CObject*>(pStyle);
        }
        ar << static_cast<DWORD>(0);
    }
    else
    {
        for (DWORD dwId = LoadDWord(ar); dwId != 0; dwId = LoadDWord(ar))
        {
            if (dwId > 0xFFFF)
                ThrowBadSchema();
            const CString name = LoadString(ar);
            std::unique_ptr<CGXStyle> pStyle = LoadOwned<CGXStyle>(ar, RUNTIME_CLASS(CGXStyle));
            void* pValue = nullptr;
            CGXPropertiesUserPropertyInfo* pInfo = nullptr;
            if (userProperties.Lookup(static_cast<WORD>(dwId), pValue))
                pInfo = static_cast<CGXPropertiesUserPropertyInfo*>(pValue);
            else
            {
                pInfo = new CGXPropertiesUserPropertyInfo;
                pInfo->nId = static_cast<WORD>(dwId);
                pInfo->sName = name;
                userProperties.SetAt(pInfo->nId, pInfo);
            }
            delete pInfo->pStyle;
            pInfo->pStyle = pStyle.release();
        }
    }

    int nTop = 0, nLeft = 0, nBottom = 0, nRight = 0;
    properties.GetMargins(nTop, nLeft, nBottom, nRight);
    int nHeaderDistance = 0, nFooterDistance = 0;
    properties.GetDistances(nHeaderDistance, nFooterDistance);
    DWORD printSettings[] = {
        static_cast<DWORD>(properties.GetPrintVertLines()), static_cast<DWORD>(properties.GetPrintHorzLines()),
        static_cast<DWORD>(properties.GetPageOrder()),      static_cast<DWORD>(properties.GetPrintBlackWhite()),
        static_cast<DWORD>(properties.GetPrintRowHeaders()), static_cast<DWORD>(properties.GetCenterVertical()),
        static_cast<DWORD>(properties.GetCenterHorizontal()), static_cast<DWORD>(nTop),
        static_cast<DWORD>(nLeft),                           static_cast<DWORD>(nRight),
        static_cast<DWORD>(nBottom),                         static_cast<DWORD>(properties.GetPrintFrame()),
        static_cast<DWORD>(nHeaderDistance),                 static_cast<DWORD>(nFooterDistance),
        static_cast<DWORD>(properties.GetFirstPage())};
    for (DWORD& dw : printSettings)
    {
        if (ar.IsStoring())
            ar << dw;
        else
            dw = LoadDWord(ar);
    }
    if (ar.IsLoading())
    {
        properties.SetPrintVertLines(printSettings[0]);
        properties.SetPrintHorzLines(printSettings[1]);
        properties.SetPageOrder(static_cast<int>(printSettings[2]));
        properties.SetBlackWhite(printSettings[3]);
        properties.SetPrintRowHeaders(printSettings[4]);
        properties.SetCenterVertical(printSettings[5]);
        properties.SetCenterHorizontal(printSettings[6]);
        properties.SetMargins(static_cast<int>(printSettings[7]), static_cast<int>(printSettings[8]),
                              static_cast<int>(printSettings[10]), static_cast<int>(printSettings[9]));
        properties.SetPrintFrame(printSettings[11]);
        properties.SetDistances(static_cast<int>(printSettings[12]), static_cast<int>(printSettings[13]));
        properties.SetFirstPage(static_cast<int>(printSettings[14]));
    }

    if (ar.IsStoring())
        ar << properties.m_w1 << properties.m_w2;
    else
    {
        properties.m_w1 = LoadWord(ar);
        properties.m_w2 = LoadWord(ar);
    }
    if (ar.IsStoring() || nSchema >= 3)
    {
        properties.m_awRowBreaks.Serialize(ar);
        properties.m_awColBreaks.Serialize(ar);
    }
    // Not as objects: the data form alone, the footer first as the properties declare them.
    imp.SerializeData(properties.GetDataFooter(), ar);
    imp.SerializeData(properties.GetDataHeader(), ar);

    if (ar.IsStoring())
        ar << static_cast<DWORD>(properties.GetPrintColHeaders());
    else if (nSchema == 2 || nSchema == 4)
        properties.SetPrintColHeaders(LoadDWord(ar));
}

// ---- Parameter object ----

// The span pools that the archive holds, in its order: floating cells' delayed ranges and spans,
// merged cells' delayed ranges and horizontal and vertical spans.
struct ArchivedPools
{
    CObject*& floatDelayed;
    CObject*& floatSpans;
    CObject*& mergeDelayed;
    CObject*& mergeHorz;
    CObject*& mergeVert;
};

ArchivedPools PoolsOf(CGXGridParam& param)
{
    return {param.m_pDelayedFloatCellsPool, param.m_pFloatCellsPool, param.m_pDelayedMergeCellsPool,
            param.m_pHorzMergeCellsPool, param.m_pVertMergeCellsPool};
}

// A slot holds an object of its pool's class or none; anything else is refused (badClass).
void SerializePool(CArchive& ar, CObject*& pPool, CRuntimeClass* pPoolClass)
{
    if (ar.IsStoring())
    {
        ar << static_cast<const CObject*>(pPool);
        return;
    }
    std::unique_ptr<CObject> pLoaded(ar.ReadOwnedObject(pPoolClass));
    delete pPool;
    pPool = pLoaded.release();
}

// Pools stored by schema 6 are not trusted: the delayed-range pools ask for the whole table to be
// evaluated again and the span-cell pools start empty.
void ResetSchema6Pools(CGXGridParam& param)
{
    const ArchivedPools pools = PoolsOf(param);
    for (CObject* pPool : {pools.floatDelayed, pools.mergeDelayed})
        if (CGXDelayedRangePool* pDelayed = GXAsDelayedRangePool(pPool))
        {
            pDelayed->DeleteAll();
            pDelayed->AddRange(CGXRange(0, 0, 0xFFFFFFFE, 0xFFFFFFFE));
        }
    for (CObject* pPool : {pools.floatSpans, pools.mergeHorz, pools.mergeVert})
        if (CGXSpanCellPool* pSpans = GXAsSpanCellPool(pPool))
            *pSpans = CGXSpanCellPool();
}

// Objects the parameter object owns go; the others it only shared are let go.
void ReleaseSharedObjects(CGXGridParam& param)
{
    param.SetStylesMap(nullptr, FALSE);
    param.SetData(nullptr, FALSE);
    param.SetProperties(nullptr, FALSE);
    param.SetPrintDevice(nullptr, FALSE);
}

void SerializeOwnedObjects(CGXGridParam& param, CArchive& ar)
{
    if (ar.IsStoring())
    {
        if (param.m_bOwnStylesMap)
            ar << static_cast<const CObject*>(param.m_pStylesMap);
        {
            DocumentPointerScope scope(ar, param.m_pStylesMap);
            if (param.m_bOwnData)
                ar << static_cast<const CObject*>(param.m_pData);
            if (param.m_bOwnProperties)
                ar << static_cast<const CObject*>(param.m_pProperties);
        }
        if (param.m_bOwnFourth)
            ar << static_cast<const CObject*>(param.m_pFourth);
        return;
    }
    // Each object belongs to the parameter object as soon as it is read, so that a refused load
    // leaves nothing behind.
    if (param.m_bOwnStylesMap)
        param.m_pStylesMap = LoadOwned<CGXStylesMap>(ar, RUNTIME_CLASS(CGXStylesMap)).release();
    {
        DocumentPointerScope scope(ar, param.m_pStylesMap);
        if (param.m_bOwnData)
            param.m_pData = LoadOwned<CGXData>(ar, RUNTIME_CLASS(CGXData)).release();
        if (param.m_bOwnProperties)
            param.m_pProperties = LoadOwned<CGXProperties>(ar, RUNTIME_CLASS(CGXProperties)).release();
    }
    if (param.m_bOwnFourth)
        param.m_pFourth = LoadOwned<CGXPrintDevice>(ar, RUNTIME_CLASS(CGXPrintDevice)).release();
}

void SerializeSetting(const GXParamFormEntry& entry, CGXGridParam& param, CArchive& ar)
{
    if (ar.IsStoring())
    {
        switch (entry.kind)
        {
        case GXParamFormEntry::settingByte:
            ar << static_cast<BYTE>(entry.get(param));
            break;
        case GXParamFormEntry::settingWord:
            ar << static_cast<WORD>(entry.get(param));
            break;
        case GXParamFormEntry::settingDWord:
            ar << entry.get(param);
            break;
        default:
            ar << entry.text(param);
            break;
        }
        return;
    }
    switch (entry.kind)
    {
    case GXParamFormEntry::settingByte:
        entry.set(param, LoadByte(ar));
        break;
    case GXParamFormEntry::settingWord:
        entry.set(param, LoadWord(ar));
        break;
    case GXParamFormEntry::settingDWord:
        entry.set(param, LoadDWord(ar));
        break;
    default:
        entry.text(param) = LoadString(ar);
        break;
    }
}

// The covered-cell pool holds a line pointer for every row up to a range's bottom and, in each of its
// rows, a line of its own with a slot for every column up to its right edge. Covered ranges span a few
// cells each: loaded ones whose pool would outgrow these bounds are refused as damaged.
const ULONGLONG maxCoveredCellLines = 0x01000000;
const ULONGLONG maxCoveredCellSlots = 0x00400000;

bool CoveredCellPoolFits(const CGXRangeList& ranges)
{
    ULONGLONG nSlots = 0;
    for (POSITION pos = ranges.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = ranges.GetNext(pos);
        if (pRange->bottom < pRange->top || pRange->right < pRange->left)
            continue;
        if (static_cast<ULONGLONG>(pRange->bottom) + 1 > maxCoveredCellLines)
            return false;
        const ULONGLONG nRows = static_cast<ULONGLONG>(pRange->bottom) - pRange->top + 1;
        const ULONGLONG nRowCost = static_cast<ULONGLONG>(pRange->right) + 1 + 8;  // the line's own block
        if (nRows > maxCoveredCellSlots / nRowCost)
            return false;
        nSlots += nRows * nRowCost;
        if (nSlots > maxCoveredCellSlots)
            return false;
    }
    return true;
}

} // namespace

void GXSerializeBYTE(CArchive& ar, BOOL& bFlag)
{
    if (ar.IsStoring())
        ar << static_cast<BYTE>(bFlag);
    else
        bFlag = LoadByte(ar);
}

void CGXGridDocSerializeImp::SerializeStylesMap(CGXStylesMap& stylesMap, CArchive& ar)
{
    if (ar.IsStoring())
        StoreStylesMap(stylesMap, ar);
    else
        LoadStylesMap(stylesMap, ar);
}

void CGXGridDocSerializeImp::SerializeData(CGXData& data, CArchive& ar) { SerializeDataForm(data, ar); }

void CGXGridDocSerializeImp::SerializeStyleRows(CGXStylePtrArrayPtrArray& rows, CArchive& ar)
{
    if (ar.IsStoring())
        StoreStyleRows(rows, ar);
    else
    {
        ArrayBudget budget;
        LoadStyleRows(rows, ar, budget);
    }
}

void CGXGridDocSerializeImp::SerializeStyleArray(CGXStylePtrArray& styles, CArchive& ar)
{
    if (ar.IsStoring())
        StoreStyleArray(styles, ar);
    else
    {
        ArrayBudget budget;
        LoadStyleArray(styles, ar, budget);
    }
}

void CGXGridDocSerializeImp::SerializeProperties(CGXProperties& properties, CArchive& ar)
{
    SerializePropertiesForm(properties, ar, *this);
}

void CGXGridDocSerializeImp::SerializeParam(CGXGridParam& param, CArchive& ar)
{
    WORD nSchema = paramSchema;
    if (ar.IsStoring())
        ar << nSchema;
    else
    {
        nSchema = LoadWord(ar);
        CheckSchema(nSchema, paramSchema);
        ReleaseSharedObjects(param);
    }

    for (size_t i = 0; i < GXParamFormCount; ++i)
    {
        const GXParamFormEntry& entry = GXParamForm[i];
        if (entry.nSchema > nSchema)
            continue;
        switch (entry.kind)
        {
        case GXParamFormEntry::ownedObjects:
            SerializeOwnedObjects(param, ar);
            break;
        case GXParamFormEntry::rangeLists:
            if (ar.IsLoading())
            {
                param.m_SelRects.DeleteAll();
                param.m_CoveredCellsList.DeleteAll();
                // The pool lets go of the deleted ranges at once, also when the load is refused.
                param.SyncCoveredCellPool();
            }
            param.m_SelRects.Serialize(ar);
            param.m_CoveredCellsList.Serialize(ar);
            if (ar.IsLoading())
            {
                if (!CoveredCellPoolFits(param.m_CoveredCellsList))
                {
                    param.m_CoveredCellsList.DeleteAll();
                    ThrowBadSchema();
                }
                param.SyncCoveredCellPool();
            }
            break;
        case GXParamFormEntry::sizesAndHidden:
            if (ar.IsLoading())
            {
                // The stored maps replace the sizes held, the header sizes included.
                param.m_RowHeights.RemoveAll();
                param.m_ColWidths.RemoveAll();
            }
            param.m_RowHeights.Serialize(ar);
            param.m_ColWidths.Serialize(ar);
            param.m_abRowFlags.Serialize(ar);
            param.m_abColFlags.Serialize(ar);
            break;
        case GXParamFormEntry::floatPools:
        {
            ArchivedPools pools = PoolsOf(param);
            SerializePool(ar, pools.floatDelayed, RUNTIME_CLASS(CGXDelayedRangePool));
            SerializePool(ar, pools.floatSpans, RUNTIME_CLASS(CGXSpanCellPool));
            break;
        }
        case GXParamFormEntry::mergePools:
        {
            ArchivedPools pools = PoolsOf(param);
            SerializePool(ar, pools.mergeDelayed, RUNTIME_CLASS(CGXDelayedRangePool));
            SerializePool(ar, pools.mergeHorz, RUNTIME_CLASS(CGXSpanCellPool));
            SerializePool(ar, pools.mergeVert, RUNTIME_CLASS(CGXSpanCellPool));
            break;
        }
        default:
            SerializeSetting(entry, param, ar);
            break;
        }
    }
    if (ar.IsLoading() && nSchema == 6)
        ResetSchema6Pools(param);
}

void InstallDocSerializeImp()
{
    CGXAppData* pAppData = GXGetAppData();
    GXLibraryLinks& links = pAppData->m_links;
    if (links.pDocSerializeImp == nullptr)
    {
        // Without memory the feature is simply missing.
        if (CGXGridDocSerializeImp* pImp = new (std::nothrow) CGXGridDocSerializeImp)
        {
            links.pDocSerializeImp = pImp;
            pAppData->AddOwnedObject(pImp);
        }
    }
    InstallStyleSerializeImp();
    InstallSpanCellPoolImp();
    InstallDelayedRangePoolImp();
}
