#include "grid/features/GridParamCopyOperatorImp.h"

#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/GridParamSettings.h"

#include <memory>
#include <new>

namespace
{

// A new data object of the source's own class (a formula sheet copies as a formula sheet).
CGXData* NewDataLike(const CGXData& src)
{
    CObject* pObject = src.GetRuntimeClass()->CreateObject();
    if (CGXData* pData = dynamic_cast<CGXData*>(pObject))
        return pData;
    delete pObject;
    return new CGXData;
}

void CopySettings(CGXGridParam& dest, const CGXGridParam& src)
{
    for (size_t i = 0; i < GXParamFormCount; ++i)
    {
        const GXParamFormEntry& entry = GXParamForm[i];
        if (!entry.bCopied)
            continue;
        if (entry.kind == GXParamFormEntry::settingText)
            entry.text(dest) = entry.text(const_cast<CGXGridParam&>(src));
        else if (entry.get != nullptr)
            entry.set(dest, entry.get(src));
    }
}

} // namespace

void CGXGridParamCopyOperatorImp::CopyParam(CGXGridParam& dest, const CGXGridParam& src)
{
    if (&dest == &src)
        return;

    // What the destination owned goes; what it only shared is let go.
    dest.SetStylesMap(nullptr, FALSE);
    dest.SetData(nullptr, FALSE);
    dest.SetProperties(nullptr, FALSE);
    dest.SetPrintDevice(nullptr, FALSE);

    CopySettings(dest, src);

    // The destination owns every copy it gets, also of an object the source only shared: nothing
    // else would ever delete it.
    if (src.m_pStylesMap != nullptr)
    {
        auto pStylesMap = std::make_unique<CGXStylesMap>();
        CopyStylesMap(*pStylesMap, *src.m_pStylesMap);
        dest.SetStylesMap(pStylesMap.release(), TRUE);
    }
    if (src.m_pData != nullptr)
    {
        std::unique_ptr<CGXData> pData(NewDataLike(*src.m_pData));
        *pData = *src.m_pData;
        dest.SetData(pData.release(), TRUE);
    }
    if (src.m_pProperties != nullptr)
    {
        auto pProperties = std::make_unique<CGXProperties>();
        CopyProperties(*pProperties, *src.m_pProperties);
        dest.SetProperties(pProperties.release(), TRUE);
    }
    if (const CGXPrintDevice* pDevice = src.GetPrintDevice())
    {
        auto pCopy = std::make_unique<CGXPrintDevice>();
        *pCopy = *pDevice;
        dest.SetPrintDevice(pCopy.release(), TRUE);
    }

    dest.m_SelRects = src.m_SelRects;
    dest.m_CoveredCellsList = src.m_CoveredCellsList;
    dest.SyncCoveredCellPool();

    dest.m_RowHeights = src.m_RowHeights;
    dest.m_ColWidths = src.m_ColWidths;
    dest.m_abRowFlags.Copy(src.m_abRowFlags);
    dest.m_abColFlags.Copy(src.m_abColFlags);

    // The floating and merged cells' delayed-range and span-cell pools, cloned by their components
    // (a pool whose component is missing is not cloned).
    CGXAppData* pAppData = GXGetAppData();
    CObject* CGXGridParam::*const spanPools[] = {&CGXGridParam::m_pFloatCellsPool,
                                                 &CGXGridParam::m_pHorzMergeCellsPool,
                                                 &CGXGridParam::m_pVertMergeCellsPool};
    for (CObject* CGXGridParam::*pPool : spanPools)
    {
        delete (dest.*pPool);
        dest.*pPool = nullptr;
        if (src.*pPool != nullptr && pAppData->m_pSpanCellPoolImp != nullptr)
            dest.*pPool = pAppData->m_pSpanCellPoolImp->CreateCopy(src.*pPool);
    }
    CObject* CGXGridParam::*const delayedPools[] = {&CGXGridParam::m_pDelayedFloatCellsPool,
                                                    &CGXGridParam::m_pDelayedMergeCellsPool};
    for (CObject* CGXGridParam::*pPool : delayedPools)
    {
        delete (dest.*pPool);
        dest.*pPool = nullptr;
        if (src.*pPool != nullptr && pAppData->m_pDelayedRangePoolImp != nullptr)
            dest.*pPool = pAppData->m_pDelayedRangePoolImp->CreateCopy(src.*pPool);
    }
}

void CGXGridParamCopyOperatorImp::CopyStylesMap(CGXStylesMap& dest, const CGXStylesMap& src)
{
    if (&dest == &src)
        return;
    dest.RemoveAll();
    dest.RemoveAllControlNames();
    dest.RemoveAllUserAttributes();
    dest.SetStyleClass(src.GetStyleClass());

    for (POSITION pos = src.GetStartPosition(); pos != nullptr;)
    {
        WORD nStyleId = 0;
        const CGXStylesMapEntry* pEntry = nullptr;
        src.GetNextStyle(pos, nStyleId, pEntry);
        dest.SetStyleEntry(nStyleId, pEntry->nResourceId, pEntry->sName,
                           pEntry->pStyle != nullptr ? pEntry->pStyle->Clone() : dest.CreateStyle(),
                           pEntry->bSystemStyle);
    }
    dest.SetNextStyleId(src.GetNextStyleId());

    const CMapWordToPtr& controls = src.GetControlNameMap();
    for (POSITION pos = controls.GetStartPosition(); pos != nullptr;)
    {
        WORD nControlId = 0;
        void* pName = nullptr;
        controls.GetNextAssoc(pos, nControlId, pName);
        dest.SetControlName(nControlId, *static_cast<CString*>(pName));
    }
    const CMapWordToPtr& attributes = src.GetUserAttributeInfoMap();
    for (POSITION pos = attributes.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        attributes.GetNextAssoc(pos, nId, pValue);
        const auto* pInfo = static_cast<const CGXStylesMapUserAttributeInfo*>(pValue);
        dest.SetUserAttributeInfo(nId, pInfo->sName,
                                  pInfo->pStyle != nullptr ? pInfo->pStyle->Clone() : dest.CreateStyle());
    }

    dest.SetSection(src.GetSection());
    dest.LookupStandardStyleIds();
}

void CGXGridParamCopyOperatorImp::CopyProperties(CGXProperties& dest, const CGXProperties& src)
{
    if (&dest == &src)
        return;
    CMapWordToPtr& destProperties = dest.GetUserPropertyInfoMap();
    for (POSITION pos = destProperties.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        destProperties.GetNextAssoc(pos, nId, pValue);
        auto* pInfo = static_cast<CGXPropertiesUserPropertyInfo*>(pValue);
        delete pInfo->pStyle;
        delete pInfo;
    }
    destProperties.RemoveAll();

    // The screen switches and the printing state as they stand.
    CGXProperties& source = const_cast<CGXProperties&>(src);
    const BOOL bPrinting = src.GetPrinting();
    source.SetPrinting(FALSE);
    dest.SetDisplayVertLines(src.GetDisplayVertLines());
    dest.SetDisplayHorzLines(src.GetDisplayHorzLines());
    source.SetPrinting(bPrinting);
    dest.SetDisplay3dHeader(src.GetDisplay3dHeader());
    dest.SetMarkRowHeader(src.GetMarkRowHeader());
    dest.SetMarkColHeader(src.GetMarkColHeader());
    dest.SetPrinting(bPrinting);

    dest.SetSection(src.GetSection());
    dest.SetZoom(src.GetZoom());

    if (src.GetColorCount() > 0)
    {
        dest.GetColorNameArray().Copy(src.GetColorNameArray());
        dest.GetColorArray().Copy(source.GetColorArray());
    }

    CMapWordToPtr& srcProperties = source.GetUserPropertyInfoMap();
    for (POSITION pos = srcProperties.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        srcProperties.GetNextAssoc(pos, nId, pValue);
        destProperties.SetAt(
            nId, CGXProperties::CopyUserPropertyEntry(*static_cast<const CGXPropertiesUserPropertyInfo*>(pValue)));
    }

    dest.SetPrintVertLines(src.GetPrintVertLines());
    dest.SetPrintHorzLines(src.GetPrintHorzLines());
    dest.SetPageOrder(src.GetPageOrder());
    dest.SetBlackWhite(src.GetPrintBlackWhite());
    dest.SetPrintRowHeaders(src.GetPrintRowHeaders());
    dest.SetPrintColHeaders(src.GetPrintColHeaders());
    dest.SetCenterVertical(src.GetCenterVertical());
    dest.SetCenterHorizontal(src.GetCenterHorizontal());
    dest.SetPrintFrame(src.GetPrintFrame());
    int nTop = 0, nLeft = 0, nBottom = 0, nRight = 0;
    src.GetMargins(nTop, nLeft, nBottom, nRight);
    dest.SetMargins(nTop, nLeft, nBottom, nRight);
    int nHeader = 0, nFooter = 0;
    src.GetDistances(nHeader, nFooter);
    dest.SetDistances(nHeader, nFooter);
    dest.SetFirstPage(src.GetFirstPage());

    dest.GetDataHeader() = src.GetDataHeader();
    dest.GetDataFooter() = src.GetDataFooter();
}

void InstallParamCopyOperatorImp()
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pParamCopyOperatorImp != nullptr)
        return;
    CGXGridParamCopyOperatorImp* pImp = new (std::nothrow) CGXGridParamCopyOperatorImp;
    if (pImp == nullptr)
        return;
    links.pParamCopyOperatorImp = pImp;
    GXGetAppData()->AddOwnedObject(pImp);
}
