#include "grid/core/GridParam.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/Properties.h"
#include "grid/core/StylesMap.h"

#include <algorithm>

// ---- CByteArray64 ----

IMPLEMENT_SERIAL(CByteArray64, CByteArray, 1)

void CByteArray64::Serialize(CArchive& ar)
{
    // Pieces that a 32-bit length can carry.
    const ULONGLONG nPiece = 0x7FFFFFFF;
    if (ar.IsStoring())
    {
        const ULONGLONG nCount = static_cast<ULONGLONG>(GetSize());
        ar << nCount;
        for (ULONGLONG nDone = 0; nDone < nCount;)
        {
            const ULONGLONG nThis = std::min(nPiece, nCount - nDone);
            ar.Write(GetData() + nDone, static_cast<UINT>(nThis));
            nDone += nThis;
        }
        return;
    }
    ULONGLONG nCount = 0;
    ar >> nCount;
    GXCheckArchiveCount(ar, nCount, 1);
    SetSize(static_cast<INT_PTR>(nCount));
    for (ULONGLONG nDone = 0; nDone < nCount;)
    {
        const UINT nThis = static_cast<UINT>(std::min(nPiece, nCount - nDone));
        if (ar.Read(GetData() + nDone, nThis) != nThis)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        nDone += nThis;
    }
}

// ---- CGXGridParam ----

IMPLEMENT_SERIAL(CGXGridParam, CObject, 1)

CGXGridParam::CGXGridParam()
    : m_pAppData(GXGetAppData()),
      m_bLinesRightBottom(m_pAppData->m_bLinesRightBottom),
      m_nGridLinePenStyle(m_pAppData->m_nGridLinePenStyle)
{
    // The size maps hash by rows and by columns of typical tables.
    m_RowHeights.InitHashTable(1021);
    m_ColWidths.InitHashTable(257);
    m_RowHeights.SetAt(0, GX_HEADER_ROW_HEIGHT);
    m_ColWidths.SetAt(0, GX_HEADER_COL_WIDTH);
    CreateCoveredCellPool();
}

namespace
{
void DeleteCommands(CPtrList& list)
{
    // Undo and redo commands are framework objects of the command factory.
    while (!list.IsEmpty())
        delete static_cast<CObject*>(list.RemoveHead());
}

// The parameter object's rule for the objects it may own: the one held goes when it is owned and
// replaced by another.
template <class THeld, class TNew>
void ReplaceOwned(THeld*& pHeld, BOOL& bOwn, TNew* pNew, BOOL bMustDelete)
{
    if (bOwn && pHeld != pNew)
        delete pHeld;
    pHeld = pNew;
    bOwn = bMustDelete;
}
} // namespace

CGXGridParam::~CGXGridParam()
{
    EmptyUndoList();
    EmptyRedoList();
    delete m_pCoveredCellPool;
    m_pCoveredCellPool = nullptr;
    for (CObject** ppPool : {&m_pFloatCellsPool, &m_pDelayedFloatCellsPool, &m_pPrintFloatCellsPool,
                             &m_pPrintDelayedFloatCellsPool, &m_pHorzMergeCellsPool, &m_pVertMergeCellsPool,
                             &m_pDelayedMergeCellsPool})
    {
        delete *ppPool;
        *ppPool = nullptr;
    }
    for (INT_PTR i = 0; i < m_apOwned102.GetSize(); ++i)
        delete m_apOwned102[i];
    m_apOwned102.RemoveAll();
    for (INT_PTR i = 0; i < m_apOwned103.GetSize(); ++i)
        delete m_apOwned103[i];
    m_apOwned103.RemoveAll();
    SetStylesMap(nullptr, FALSE);
    SetProperties(nullptr, FALSE);
    SetData(nullptr, FALSE);
    SetPrintDevice(nullptr, FALSE);
    m_sSheetName.Empty();
    m_mapFreed.RemoveAll();
    DeleteTabbedChoiceMaps();
}

void CGXGridParam::DeleteTabbedChoiceMaps()
{
    m_tabbedKeyMaps.clear();
    m_tabbedTextMaps.clear();
}

void CGXGridParam::Serialize(CArchive& ar)
{
    if (CGXAbstractDocSerializeImp* pImp = m_pAppData->m_links.pDocSerializeImp)
        pImp->SerializeParam(*this, ar);
}

CGXGridParam& CGXGridParam::operator=(const CGXGridParam& other)
{
    if (&other != this)
        if (CGXAbstractParamCopyOperatorImp* pImp = m_pAppData->m_links.pParamCopyOperatorImp)
            pImp->CopyParam(*this, other);
    return *this;
}

void CGXGridParam::SetProperties(CGXProperties* pProperties, BOOL bMustDelete)
{
    ReplaceOwned(m_pProperties, m_bOwnProperties, pProperties, bMustDelete);
}

void CGXGridParam::SetStylesMap(CGXStylesMap* pStylesMap, BOOL bMustDelete)
{
    ReplaceOwned(m_pStylesMap, m_bOwnStylesMap, pStylesMap, bMustDelete);
}

void CGXGridParam::SetData(CGXData* pData, BOOL bMustDelete)
{
    ReplaceOwned(m_pData, m_bOwnData, pData, bMustDelete);
}

void CGXGridParam::SetPrintDevice(CGXPrintDevice* pDevice, BOOL bMustDelete)
{
    ReplaceOwned(m_pFourth, m_bOwnFourth, pDevice, bMustDelete);
}

CGXPrintDevice* CGXGridParam::GetPrintDevice() const
{
    if (m_pFourth == nullptr || !m_pFourth->IsKindOf(RUNTIME_CLASS(CGXPrintDevice)))
        return nullptr;
    return static_cast<CGXPrintDevice*>(m_pFourth);
}

void CGXGridParam::EmptyRedoList()
{
    DeleteCommands(m_RedoList);
}

void CGXGridParam::EmptyUndoList()
{
    DeleteCommands(m_UndoList);
}

void CGXGridParam::CreateCoveredCellPool()
{
    if (m_pCoveredCellPool != nullptr)
        return;
    if (CGXAbstractCoveredCellPoolImp* pImp = m_pAppData->m_pCoveredCellPoolImp)
        m_pCoveredCellPool = pImp->CreateCoveredCellPool(*this);
}

void CGXGridParam::SyncCoveredCellPool()
{
    if (CGXAbstractCoveredCellPoolImp* pImp = m_pAppData->m_pCoveredCellPoolImp)
        pImp->SyncCoveredCellPool(*this);
}
