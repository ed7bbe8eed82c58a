#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

CGXGridCore::CGXGridCore(CWnd* pGridWnd, CWnd* pScrollWnd, CWnd* pPrintWnd)
    : m_nDefaultControl(GX_IDS_CTRL_EDIT),
      m_pDataRuntimeClass(RUNTIME_CLASS(CGXData)),
      m_pAppData(GXGetAppData()),
      m_pGridWnd(pGridWnd),
      m_pScrollWnd(pScrollWnd),
      m_pPrintWnd(pPrintWnd)
{
    m_CellObjects.InitHashTable(257);
    m_nCyFrame = ::GetSystemMetrics(SM_CYFRAME);
    m_nCxFrame = ::GetSystemMetrics(SM_CXFRAME);
    if (m_pAppData->m_pControlFactory != nullptr && !m_bInitDone)
        m_pAppData->m_pControlFactory->InstallGridComponents(this);
}

CGXGridCore::~CGXGridCore()
{
    // The library's search record must not keep a grid that is gone.
    CGXFindReplaceSettings& findSettings = GXGetFindReplaceSettings();
    if (findSettings.m_pGrid == this)
    {
        findSettings.m_pGrid = nullptr;
        findSettings.m_pParentWnd = nullptr;
    }
    POSITION pos = m_ControlMap.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nId = 0;
        void* pControl = nullptr;
        m_ControlMap.GetNextAssoc(pos, nId, pControl);
        delete static_cast<CGXControl*>(pControl);
    }
    m_ControlMap.RemoveAll();
    m_pCurrentCellControl = nullptr;
    if (m_bOwnParam)
        delete m_pParam;
    m_pParam = nullptr;
    delete m_pLookupStyle;
    DestroyEngineObjects();
    m_pAppData->RemoveGridUser(this);
}

void CGXGridCore::SetParam(CGXGridParam* pParam, BOOL bMustDelete)
{
    if (pParam == nullptr)
        pParam = new CGXGridParam;
    if (m_bOwnParam && m_pParam != pParam)
        delete m_pParam;
    m_pParam = pParam;
    m_bOwnParam = bMustDelete;
}

CGXStylesMap* CGXGridCore::GetStylesMap() const
{
    return m_pParam != nullptr ? m_pParam->GetStylesMap() : nullptr;
}

CGXProperties* CGXGridCore::GetProperties() const
{
    return m_pParam != nullptr ? m_pParam->GetProperties() : nullptr;
}

CGXData* CGXGridCore::GetData() const
{
    return m_pParam != nullptr ? m_pParam->GetData() : nullptr;
}

ROWCOL CGXGridCore::GetRowCount()
{
    CGXData* pData = GetData();
    return pData != nullptr ? pData->GetRowCount() : 0;
}

ROWCOL CGXGridCore::GetColCount()
{
    CGXData* pData = GetData();
    return pData != nullptr ? pData->GetColCount() : 0;
}

// A splitter pane below the first row of panes shows no frozen rows (the first row of panes does),
// except while a printed page is laid out.
ROWCOL CGXGridCore::GetFrozenRows()
{
    if (m_pParam == nullptr)
        return 0;
    if (m_nPaneRow != 0 && !(m_bPrinting && !m_bPrintPageFlag))
        return 0;
    return m_pParam->m_nFrozenRows;
}

ROWCOL CGXGridCore::GetFrozenCols()
{
    if (m_pParam == nullptr)
        return 0;
    if (m_nPaneCol != 0 && !(m_bPrinting && !m_bPrintPageFlag))
        return 0;
    return m_pParam->m_nFrozenCols;
}

ROWCOL CGXGridCore::GetHeaderRows()
{
    return m_pParam != nullptr ? m_pParam->m_nHeaderRows : 0;
}

ROWCOL CGXGridCore::GetHeaderCols()
{
    return m_pParam != nullptr ? m_pParam->m_nHeaderCols : 0;
}

BOOL CGXGridCore::IsReadOnly()
{
    return m_pParam != nullptr && m_pParam->IsReadOnly();
}

BOOL CGXGridCore::SetReadOnly(BOOL bReadOnly)
{
    const BOOL bOld = IsReadOnly();
    if (!StoreReadOnly(bReadOnly))
        return FALSE;
    OnReadOnlyChanged(bOld);
    if (m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintReadOnlyChanged(this, bOld);
    return TRUE;
}

// ---- Controls ----

void CGXGridCore::RegisterControl(WORD nControlId, CGXControl* pControl)
{
    void* pOld = nullptr;
    if (m_ControlMap.Lookup(nControlId, pOld) && pOld != pControl)
    {
        if (m_pCurrentCellControl == pOld)
            m_pCurrentCellControl = nullptr;
        delete static_cast<CGXControl*>(pOld);
    }
    m_ControlMap.SetAt(nControlId, pControl);
}

CGXControl* CGXGridCore::GetRegisteredControl(WORD nControlId)
{
    if (nControlId == 0)
        nControlId = m_nDefaultControl;
    void* pControl = nullptr;
    if (m_ControlMap.Lookup(nControlId, pControl))
        return static_cast<CGXControl*>(pControl);
    CGXAbstractControlFactory* pFactory = m_pAppData->m_pControlFactory;
    CGXControl* pNew = pFactory != nullptr ? pFactory->CreateControl(nControlId, this) : nullptr;
    if (pNew == nullptr)
        return nControlId != m_nDefaultControl ? GetRegisteredControl(m_nDefaultControl) : nullptr;
    RegisterControl(nControlId, pNew);
    return pNew;
}

CGXControl* CGXGridCore::GetControl(ROWCOL nRow, ROWCOL nCol)
{
    if (m_pCurrentCellControl != nullptr && IsCurrentCell(nRow, nCol))
        return m_pCurrentCellControl;
    const CGXStyle& style = LookupStyleRowCol(nRow, nCol);
    return GetRegisteredControl(style.GetIncludeControl() ? style.GetControl() : 0);
}


BOOL CGXGridCore::CanPasteGridFormat()
{
    const UINT nFormat = m_pAppData->m_uiStylesClipboardFormat;
    return nFormat != 0 && ::IsClipboardFormatAvailable(nFormat) && m_pParam != nullptr &&
           m_pParam->m_bGridPastesOwnFormat;
}
