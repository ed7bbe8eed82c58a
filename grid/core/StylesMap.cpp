#include "grid/core/StylesMap.h"

#include "framework/core/Exceptions.h"
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/LibraryLinks.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

IMPLEMENT_SERIAL(CGXStylesMap, CObject, 0)

namespace
{
void* IdToPtr(WORD nId) { return reinterpret_cast<void*>(static_cast<UINT_PTR>(nId)); }
WORD PtrToId(void* p) { return static_cast<WORD>(reinterpret_cast<UINT_PTR>(p)); }

// The entry of a key in a map of owned entries, added empty when the key has none.
template <class TEntry>
TEntry* EntryOf(CMapWordToPtr& map, WORD nKey)
{
    void* pValue = nullptr;
    if (map.Lookup(nKey, pValue))
        return static_cast<TEntry*>(pValue);
    TEntry* pEntry = new TEntry;
    map.SetAt(nKey, pEntry);
    return pEntry;
}
}  // namespace

const CGXStyle* GXLookupBaseStyle(const CGXStylesMap* pStylesMap, WORD nStyleId)
{
    const CGXStyle* pStyle = nullptr;
    if (pStylesMap == nullptr || !pStylesMap->LookupStyle(nStyleId, pStyle))
        return nullptr;
    return pStyle;
}

CGXStylesMap::CGXStylesMap(CRuntimeClass* pStyleClass)
    : m_pStyleClass(pStyleClass != nullptr ? pStyleClass : RUNTIME_CLASS(CGXStyle)), m_sSection("Styles")
{
}

CGXStylesMap::CGXStylesMap(const CGXStylesMap& other) : CGXStylesMap(other.m_pStyleClass) { *this = other; }

CGXStylesMap::~CGXStylesMap()
{
    RemoveAll();
    RemoveAllUserAttributes();
    RemoveAllControlNames();
}

void CGXStylesMap::RemoveAllControlNames()
{
    POSITION pos = m_mwpControlName.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nId = 0;
        void* pName = nullptr;
        m_mwpControlName.GetNextAssoc(pos, nId, pName);
        delete static_cast<CString*>(pName);
    }
    m_mwpControlName.RemoveAll();
}

void CGXStylesMap::SetControlName(WORD nControlId, LPCTSTR pszName)
{
    void* pValue = nullptr;
    if (m_mwpControlName.Lookup(nControlId, pValue))
        *static_cast<CString*>(pValue) = pszName;
    else
        m_mwpControlName.SetAt(nControlId, new CString(pszName));
}

void CGXStylesMap::SetStyleEntry(WORD nStyleId, UINT nResourceId, LPCTSTR pszName, CGXStyle* pStyle,
                                 BOOL bSystemStyle)
{
    CGXStylesMapEntry* pEntry = EntryOf<CGXStylesMapEntry>(m_mwpIdInfo, nStyleId);
    if (pEntry->pStyle != pStyle)
        delete pEntry->pStyle;
    pEntry->pStyle = pStyle;
    pEntry->nStyleId = nStyleId;
    pEntry->nResourceId = nResourceId;
    pEntry->sName = pszName != nullptr ? pszName : "";
    pEntry->bSystemStyle = bSystemStyle;
    m_mswNameId.SetAt(pEntry->sName, IdToPtr(nStyleId));
    if (nResourceId != 0 && nResourceId <= 0xFFFF)
        m_mwwResourceId.SetAt(static_cast<WORD>(nResourceId), IdToPtr(nStyleId));
}

void CGXStylesMap::GetNextNameIndex(POSITION& pos, CString& name, WORD& nStyleId) const
{
    void* pValue = nullptr;
    m_mswNameId.GetNextAssoc(pos, name, pValue);
    nStyleId = PtrToId(pValue);
}

void CGXStylesMap::SetUserAttributeInfo(WORD nId, LPCTSTR pszName, CGXStyle* pStyle)
{
    CGXStylesMapUserAttributeInfo* pInfo = EntryOf<CGXStylesMapUserAttributeInfo>(m_mwpUserAttributeInfo, nId);
    if (pInfo->pStyle != pStyle)
        delete pInfo->pStyle;
    pInfo->pStyle = pStyle;
    pInfo->nId = nId;
    pInfo->sName = pszName != nullptr ? pszName : "";
}

void CGXStylesMap::LookupStandardStyleIds()
{
    // An unregistered string-table id answers 0, as a lookup of it does.
    auto lookup = [this](UINT nResourceId) {
        WORD nStyleId = 0;
        return LookupResourceStyleId(nResourceId, nStyleId) ? nStyleId : static_cast<WORD>(0);
    };
    m_wStyleStandard = lookup(GX_IDS_STYLE_STANDARD);
    m_wStyleColHeader = lookup(GX_IDS_STYLE_COLHEADER);
    m_wStyleRowHeader = lookup(GX_IDS_STYLE_ROWHEADER);
}

CGXStylesMap& CGXStylesMap::operator=(const CGXStylesMap& other)
{
    if (this == &other)
        return *this;
    if (CGXAbstractParamCopyOperatorImp* pImp = GXGetLibraryLinks().pParamCopyOperatorImp)
        pImp->CopyStylesMap(*this, other);
    return *this;
}

void CGXStylesMap::Serialize(CArchive& ar)
{
    if (CGXAbstractDocSerializeImp* pImp = GXGetLibraryLinks().pDocSerializeImp)
        pImp->SerializeStylesMap(*this, ar);
}

void CGXStylesMap::WriteProfile() const
{
    if (CGXAbstractGridProfileImp* pImp = GXGetLibraryLinks().pProfileImp)
        pImp->WriteStylesMapProfile(*this);
}

BOOL CGXStylesMap::ReadProfile()
{
    if (CGXAbstractGridProfileImp* pImp = GXGetLibraryLinks().pProfileImp)
        return pImp->ReadStylesMapProfile(*this);
    return FALSE;
}

CGXStyle* CGXStylesMap::CreateStyle() const
{
    CObject* pObject = m_pStyleClass->CreateObject();
    CGXStyle* pStyle = dynamic_cast<CGXStyle*>(pObject);
    if (pStyle == nullptr)
    {
        // A style class that makes no style: fall back to the plain one rather than hand out junk.
        delete pObject;
        pStyle = new CGXStyle;
    }
    return pStyle;
}

CString CGXStylesMap::LoadText(UINT nId)
{
    CString text;
    if (!text.LoadString(nId))
        text.Empty();
    return text;
}

WORD CGXStylesMap::StoreStyle(WORD nStyleId, UINT nResourceId, const CString& name, const CGXStyle& style,
                              BOOL bSystemStyle)
{
    CGXStylesMapEntry* pEntry = EntryOf<CGXStylesMapEntry>(m_mwpIdInfo, nStyleId);
    CGXStyle* pCopy = style.Clone();
    delete pEntry->pStyle;
    pEntry->pStyle = pCopy;
    pEntry->nStyleId = nStyleId;
    pEntry->nResourceId = nResourceId;
    pEntry->sName = name;
    pEntry->bSystemStyle = bSystemStyle;
    return nStyleId;
}

WORD CGXStylesMap::NewStyleId()
{
    // Ids are 16 bits: after the last one the counter would wrap onto the standard style (id 0)
    // and the new style would silently replace it.
    if (m_nLastId > 0xFFFF)
        AfxThrowResourceException();
    return static_cast<WORD>(m_nLastId++);
}

WORD CGXStylesMap::RegisterStyle(LPCTSTR pszName, const CGXStyle& style, BOOL bSystemStyle)
{
    const CString name = pszName != nullptr ? pszName : "";
    WORD nStyleId = 0;
    if (!LookupStyleId(name, nStyleId))
    {
        nStyleId = NewStyleId();
        m_mswNameId.SetAt(name, IdToPtr(nStyleId));
    }
    UINT nResourceId = 0;
    void* pValue = nullptr;
    if (m_mwpIdInfo.Lookup(nStyleId, pValue))
        nResourceId = static_cast<CGXStylesMapEntry*>(pValue)->nResourceId;
    return StoreStyle(nStyleId, nResourceId, name, style, bSystemStyle);
}

WORD CGXStylesMap::RegisterStyleName(UINT nResourceId, const CGXStyle& style, BOOL bSystemStyle)
{
    CString name = LoadText(nResourceId);
    if (name.IsEmpty())
        name.Format("UA%u", nResourceId);
    WORD nStyleId = 0;
    if (!LookupResourceStyleId(nResourceId, nStyleId))
    {
        nStyleId = NewStyleId();
        m_mwwResourceId.SetAt(static_cast<WORD>(nResourceId), IdToPtr(nStyleId));
    }
    m_mswNameId.SetAt(name, IdToPtr(nStyleId));
    return StoreStyle(nStyleId, nResourceId, name, style, bSystemStyle);
}

BOOL CGXStylesMap::LookupStyleId(LPCTSTR pszName, WORD& nStyleId) const
{
    void* pValue = nullptr;
    if (pszName == nullptr || !m_mswNameId.Lookup(pszName, pValue))
        return FALSE;
    nStyleId = PtrToId(pValue);
    return TRUE;
}

BOOL CGXStylesMap::LookupResourceStyleId(UINT nResourceId, WORD& nStyleId) const
{
    void* pValue = nullptr;
    if (nResourceId > 0xFFFF || !m_mwwResourceId.Lookup(static_cast<WORD>(nResourceId), pValue))
        return FALSE;
    nStyleId = PtrToId(pValue);
    return TRUE;
}

BOOL CGXStylesMap::LookupStyle(WORD nStyleId, const CGXStyle*& pStyle) const
{
    void* pValue = nullptr;
    if (!m_mwpIdInfo.Lookup(nStyleId, pValue))
        return FALSE;
    pStyle = static_cast<CGXStylesMapEntry*>(pValue)->pStyle;
    return TRUE;
}

BOOL CGXStylesMap::LookupStyle(WORD nStyleId, CGXStyle*& pStyle) const
{
    void* pValue = nullptr;
    if (!m_mwpIdInfo.Lookup(nStyleId, pValue))
        return FALSE;
    pStyle = static_cast<CGXStylesMapEntry*>(pValue)->pStyle;
    return TRUE;
}

BOOL CGXStylesMap::LookupStyleByName(LPCTSTR pszName, WORD& nStyleId, UINT& nResourceId, const CGXStyle*& pStyle) const
{
    WORD nId = 0;
    void* pValue = nullptr;
    if (!LookupStyleId(pszName, nId) || !m_mwpIdInfo.Lookup(nId, pValue))
        return FALSE;
    const CGXStylesMapEntry* pEntry = static_cast<CGXStylesMapEntry*>(pValue);
    nStyleId = nId;
    nResourceId = pEntry->nResourceId;
    pStyle = pEntry->pStyle;
    return TRUE;
}

LPCTSTR CGXStylesMap::GetStyleName(WORD nStyleId, UINT& nResourceId) const
{
    void* pValue = nullptr;
    if (!m_mwpIdInfo.Lookup(nStyleId, pValue))
        return nullptr;
    const CGXStylesMapEntry* pEntry = static_cast<CGXStylesMapEntry*>(pValue);
    nResourceId = pEntry->nResourceId;
    return pEntry->sName;
}

BOOL CGXStylesMap::IsEmpty() const { return m_mwpIdInfo.IsEmpty() ? 0 : -1; }

std::vector<WORD> CGXStylesMap::GetUnboundedBaseStyleLinks() const
{
    std::vector<WORD> ids;
    ids.reserve(static_cast<size_t>(GetStyleCount()));
    for (POSITION pos = GetStartPosition(); pos != nullptr;)
    {
        WORD nStyleId = 0;
        const CGXStylesMapEntry* pEntry = nullptr;
        GetNextStyle(pos, nStyleId, pEntry);
        ids.push_back(nStyleId);
    }
    std::sort(ids.begin(), ids.end());

    // Each style's depth (itself and the base styles it rests on, once the links have gone) is found
    // once: a walk stops at a style whose depth is known. 0 marks a style of the current walk.
    std::unordered_map<WORD, UINT> depths;
    std::vector<WORD> links;
    std::vector<WORD> walk;
    std::vector<bool> cut;
    for (WORD nStart : ids)
    {
        if (depths.count(nStart) != 0)
            continue;
        walk.clear();
        UINT nBelow = 0;
        BOOL bCircle = FALSE;
        for (WORD nId = nStart;;)
        {
            const auto known = depths.find(nId);
            if (known != depths.end())
            {
                bCircle = known->second == 0;
                nBelow = known->second;
                break;
            }
            const CGXStyle* pStyle = GXLookupBaseStyle(this, nId);
            if (pStyle == nullptr)
                break;
            walk.push_back(nId);
            depths[nId] = 0;
            if (!pStyle->GetIncludeBaseStyle())
                break;
            nId = pStyle->GetBaseStyle();
        }
        cut.assign(walk.size(), false);
        if (bCircle)
            cut.back() = true;
        for (size_t nFrom = 0; nFrom < walk.size() && walk.size() - nFrom + nBelow > nMaxBaseStyleDepth;)
        {
            const size_t nCut = std::min<size_t>(nFrom + nMaxBaseStyleDepth, walk.size()) - 1;
            cut[nCut] = true;
            nFrom = nCut + 1;
        }
        UINT nDepth = nBelow;
        for (size_t i = walk.size(); i-- > 0;)
        {
            nDepth = cut[i] ? 1 : nDepth + 1;
            depths[walk[i]] = nDepth;
            if (cut[i])
                links.push_back(walk[i]);
        }
    }
    std::sort(links.begin(), links.end());
    return links;
}

int CGXStylesMap::DropUnboundedBaseStyleLinks()
{
    const std::vector<WORD> links = GetUnboundedBaseStyleLinks();
    for (WORD nStyleId : links)
    {
        CGXStyle* pStyle = nullptr;
        if (LookupStyle(nStyleId, pStyle) && pStyle != nullptr)
            pStyle->SetIncludeBaseStyle(FALSE);
    }
    return static_cast<int>(links.size());
}

void CGXStylesMap::GetNextStyle(POSITION& pos, WORD& nStyleId, const CGXStylesMapEntry*& pEntry) const
{
    void* pValue = nullptr;
    m_mwpIdInfo.GetNextAssoc(pos, nStyleId, pValue);
    pEntry = static_cast<const CGXStylesMapEntry*>(pValue);
}

void CGXStylesMap::RemoveAll()
{
    POSITION pos = m_mwpIdInfo.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        m_mwpIdInfo.GetNextAssoc(pos, nId, pValue);
        CGXStylesMapEntry* pEntry = static_cast<CGXStylesMapEntry*>(pValue);
        delete pEntry->pStyle;
        delete pEntry;
    }
    m_mwpIdInfo.RemoveAll();
    m_mswNameId.RemoveAll();
    m_mwwResourceId.RemoveAll();
    m_nLastId = 0;
}

const CGXStyle* CGXStylesMap::GetStandardStyle() const { return GXLookupBaseStyle(this, m_wStyleStandard); }

void CGXStylesMap::CreateStandardStyles()
{
    CGXStyle* pStandard = CreateStyle();
    pStandard->SetStandardDefaults();
    CGXFont font;
    font.SetStandardFont();
    pStandard->SetFont(font);
    m_wStyleStandard = RegisterStyleName(GX_IDS_STYLE_STANDARD, *pStandard, TRUE);
    delete pStandard;

    const BOOL bFlatHeaders = GXGetLibraryLinks().bFlatHeaders;
    CGXStylePen noLine;
    noLine.SetStyle(PS_NULL);

    CGXStyle* pColHeader = CreateStyle();
    pColHeader->SetControl(GX_IDS_CTRL_HEADER)
        .SetInterior(GXSysColorValue(COLOR_BTNFACE))
        .SetFont(CGXFont().SetBold(TRUE))
        .SetHorizontalAlignment(DT_CENTER)
        .SetVerticalAlignment(DT_VCENTER);
    if (bFlatHeaders)
        pColHeader->SetBorders(gxBorderAll, noLine);
    m_wStyleColHeader = RegisterStyleName(GX_IDS_STYLE_COLHEADER, *pColHeader, TRUE);
    delete pColHeader;

    CGXStyle* pRowHeader = CreateStyle();
    pRowHeader->SetControl(GX_IDS_CTRL_HEADER).SetInterior(GXSysColorValue(COLOR_BTNFACE));
    if (bFlatHeaders)
        pRowHeader->SetBorders(gxBorderAll, noLine);
    m_wStyleRowHeader = RegisterStyleName(GX_IDS_STYLE_ROWHEADER, *pRowHeader, TRUE);
    delete pRowHeader;

    // The control names and the controls' user attributes come from the factory once the library
    // has started.
    if (CGXAbstractControlFactory* pFactory = GXGetAppData()->m_pControlFactory)
    {
        pFactory->RegisterAllControls(this);
        pFactory->RegisterAllUserAttributes(this);
    }
}

void CGXStylesMap::AddUserAttribute(WORD nId, const CGXStyle* pStyle)
{
    void* pValue = nullptr;
    CGXStylesMapUserAttributeInfo* pInfo = nullptr;
    if (m_mwpUserAttributeInfo.Lookup(nId, pValue))
        pInfo = static_cast<CGXStylesMapUserAttributeInfo*>(pValue);
    else
    {
        const CString name = LoadText(nId);
        if (name.IsEmpty())
            AfxThrowResourceException();
        pInfo = new CGXStylesMapUserAttributeInfo;
        pInfo->nId = nId;
        pInfo->sName = name;
        m_mwpUserAttributeInfo.SetAt(nId, pInfo);
    }
    CGXStyle* pNewStyle = CreateStyle();
    if (pStyle != nullptr)
        *pNewStyle = *pStyle;
    delete pInfo->pStyle;
    pInfo->pStyle = pNewStyle;
}

const CGXStylesMapUserAttributeInfo* CGXStylesMap::LookupUserAttributeInfo(WORD nId) const
{
    void* pValue = nullptr;
    if (!m_mwpUserAttributeInfo.Lookup(nId, pValue))
        return nullptr;
    return static_cast<const CGXStylesMapUserAttributeInfo*>(pValue);
}

BOOL CGXStylesMap::LookupUserAttributeId(LPCTSTR pszName, WORD& nId) const
{
    if (pszName == nullptr)
        return FALSE;
    POSITION pos = m_mwpUserAttributeInfo.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nKey = 0;
        void* pValue = nullptr;
        m_mwpUserAttributeInfo.GetNextAssoc(pos, nKey, pValue);
        if (static_cast<CGXStylesMapUserAttributeInfo*>(pValue)->sName == pszName)
        {
            nId = nKey;
            return TRUE;
        }
    }
    return FALSE;
}

void CGXStylesMap::RemoveAllUserAttributes()
{
    POSITION pos = m_mwpUserAttributeInfo.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        m_mwpUserAttributeInfo.GetNextAssoc(pos, nId, pValue);
        CGXStylesMapUserAttributeInfo* pInfo = static_cast<CGXStylesMapUserAttributeInfo*>(pValue);
        delete pInfo->pStyle;
        delete pInfo;
    }
    m_mwpUserAttributeInfo.RemoveAll();
}

void CGXStylesMap::RegisterControl(WORD nControlId)
{
    void* pValue = nullptr;
    if (m_mwpControlName.Lookup(nControlId, pValue))
        return;
    const CString name = LoadText(nControlId);
    if (name.IsEmpty())
        AfxThrowResourceException();
    m_mwpControlName.SetAt(nControlId, new CString(name));
}

BOOL CGXStylesMap::LookupControlName(WORD nControlId, CString& name) const
{
    void* pValue = nullptr;
    if (!m_mwpControlName.Lookup(nControlId, pValue))
        return FALSE;
    name = *static_cast<CString*>(pValue);
    return TRUE;
}
