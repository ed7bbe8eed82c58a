// Grid engine: initialisation, teardown and the small members of the engine's own state.

#include "grid/core/GridCore.h"

#include "framework/core/Exceptions.h"
#include "framework/docview/Document.h"
#include "framework/docview/View.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <algorithm>

void CGXGridCore::InitializeGrid()
{
    WNDCLASSA wndcls;
    if (!::GetClassInfoA(AfxGetInstanceHandle(), "GXWND", &wndcls))
        AfxThrowResourceException();

    m_pAppData->m_pGridLink = nullptr;

    POSITION pos = m_PluginList.GetHeadPosition();
    while (pos != nullptr)
        static_cast<CGXPluginComponent*>(m_PluginList.GetNext(pos))->PlugIn(m_pGridWnd);

    for (CGXStyle*& pWorkStyle : m_pWorkStyles)
        if (pWorkStyle == nullptr)
            pWorkStyle = NewStyle();
    m_pStyleClass = m_pWorkStyles[0]->GetRuntimeClass();

    if (m_pParam == nullptr)
        SetParam(nullptr, TRUE);
    m_pAppData->AddGridUser(m_pParam, this);
    OnGridParamAttached();

    if (m_pParam->GetProperties() == nullptr)
    {
        CGXProperties* pProperties = new CGXProperties;
        pProperties->AddDefaultUserProperties();
        pProperties->ReadProfile();
        m_pParam->SetProperties(pProperties, TRUE);
    }
    m_pAppData->AddGridUser(m_pParam->GetProperties(), this);

    if (m_pParam->GetStylesMap() == nullptr)
    {
        CGXStylesMap* pStylesMap = new CGXStylesMap(m_pStyleClass);
        pStylesMap->CreateStandardStyles();
        pStylesMap->ReadProfile();
        m_pParam->SetStylesMap(pStylesMap, TRUE);
    }
    m_pAppData->AddGridUser(m_pParam->GetStylesMap(), this);

    LookupBaseStyles();

    if (m_pAppData->m_pControlFactory != nullptr && m_pStyleStandard != nullptr)
        GetRegisteredControl(m_pStyleStandard->GetIncludeControl() ? m_pStyleStandard->GetControl() : 0);

    if (m_pParam->GetData() == nullptr)
    {
        CObject* pObject = m_pDataRuntimeClass != nullptr ? m_pDataRuntimeClass->CreateObject() : nullptr;
        CGXData* pData = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CGXData))
                             ? static_cast<CGXData*>(pObject)
                             : nullptr;
        if (pData == nullptr)
        {
            // A runtime class that makes no data object falls back to the library's own.
            delete pObject;
            pData = new CGXData;
        }
        m_pParam->SetData(pData, TRUE);
        pData->InitParam(m_pParam);
    }
    m_pAppData->AddGridUser(m_pParam->GetData(), this);

    m_nZoom = m_pParam->m_bNoZoom ? 100 : m_pParam->GetProperties()->GetZoom();
    if (m_nZoom <= 0)
        m_nZoom = 100;
    CalcSizeUnits();

    m_bInitDone = TRUE;

    m_nTopRow = std::max(m_nTopRow, GetFrozenRows() + 1);
    m_nLeftCol = std::max(m_nLeftCol, GetFrozenCols() + 1);

    // A current cell the parameter object remembers comes back when the table still holds it.
    const int nRememberedRow = m_pParam->m_nSetting81;
    const int nRememberedCol = m_pParam->m_nSetting82;
    if (nRememberedRow > 0 && nRememberedCol > 0 && static_cast<ROWCOL>(nRememberedRow) <= GetRowCount() &&
        static_cast<ROWCOL>(nRememberedCol) <= GetColCount())
        SetCurrentCellInfo(TRUE, static_cast<ROWCOL>(nRememberedRow), static_cast<ROWCOL>(nRememberedCol));

    UpdateScrollbars(FALSE);
}

void CGXGridCore::DestroyEngineObjects()
{
    // An evaluation pass that ended by an exception may have left styles in its row cache.
    for (RowStyleCache* pCache : {&m_MergeStyleCache, &m_FloatStyleCache})
    {
        for (INT_PTR i = 0; i < pCache->apStyles.GetSize(); ++i)
            delete static_cast<CGXStyle*>(pCache->apStyles[i]);
        pCache->apStyles.RemoveAll();
        pCache->nCount = 0;
    }
    DeleteDrawingCaches();
    for (CGXStyle*& pWorkStyle : m_pWorkStyles)
    {
        delete pWorkStyle;
        pWorkStyle = nullptr;
    }
    m_pStyleClass = nullptr;
    m_pStyleStandard = m_pStyleRowHeader = m_pStyleColHeader = nullptr;

    POSITION pos = m_ImplementationObjects.GetHeadPosition();
    while (pos != nullptr)
        delete static_cast<CGXGridComponent*>(m_ImplementationObjects.GetNext(pos));
    m_ImplementationObjects.RemoveAll();
    m_PluginList.RemoveAll();

    pos = m_OwnedObjects.GetHeadPosition();
    while (pos != nullptr)
        delete static_cast<CObject*>(m_OwnedObjects.GetNext(pos));
    m_OwnedObjects.RemoveAll();

    pos = m_CellObjects.GetStartPosition();
    while (pos != nullptr)
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        CObject* pObject = nullptr;
        m_CellObjects.GetNextAssoc(pos, nRow, nCol, pObject);
        delete pObject;
    }
    m_CellObjects.RemoveAll();
    delete m_pLineWnd;
    m_pLineWnd = nullptr;
    delete m_pAutoScrollPlugin;
    m_pAutoScrollPlugin = nullptr;
}

void CGXGridCore::OnGridParamAttached()
{
}

void CGXGridCore::OnGridBeforeDestroy()
{
}

void CGXGridCore::AddImplementationObject(CGXGridComponent* pComponent)
{
    if (pComponent != nullptr)
        m_ImplementationObjects.AddTail(pComponent);
}

void CGXGridCore::AddOwnedObject(CObject* pObject)
{
    if (pObject != nullptr)
        m_OwnedObjects.AddTail(pObject);
}

void CGXGridCore::SetPrinting(BOOL bPrinting, BOOL bClientToRect)
{
    if (bPrinting && IsActiveCurrentCell())
    {
        EndCurrentCellEditing(TRUE);
        if (CGXControl* pControl = GetCurrentCellControl())
            pControl->SetActive(FALSE);
    }
    m_bPrinting = bPrinting;
    if (CGXProperties* pProperties = GetProperties())
        pProperties->SetPrinting(bPrinting);
    if (bClientToRect)
    {
        GetGridClientRect(m_rectPrint);
        CalcSizeUnits();
        m_nPrintTopRow = GetFrozenRows() + 1;
        m_nPrintLeftCol = GetFrozenCols() + 1;
    }
}

void CGXGridCore::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
    if (m_bDocLink && m_pDocument != nullptr)
        m_pDocument->SetModifiedFlag(bModified);
}

void CGXGridCore::BroadcastUpdate(LPARAM lHint, CObject* pHint)
{
    UpdateAllViews(m_pGridWnd, lHint, pHint);
}

void CGXGridCore::UpdateAllViews(CWnd* pSender, LPARAM lHint, CObject* pHint)
{
    if (!m_bDocLink || m_pDocument == nullptr)
        return;
    CView* pSenderView = pSender != nullptr && pSender->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pSender)
                                                                                     : nullptr;
    m_pDocument->UpdateAllViews(pSenderView, lHint, pHint);
}

void CGXGridCore::SetDocumentLink(CDocument* pDocument, BOOL bLink)
{
    m_pDocument = pDocument;
    m_bDocLink = bLink;
}

void CGXGridCore::SetSplitterPane(CSplitterWnd* pSplitterWnd, int nRow, int nCol)
{
    m_pSplitterWnd = pSplitterWnd;
    m_nPaneRow = pSplitterWnd != nullptr ? nRow : 0;
    m_nPaneCol = pSplitterWnd != nullptr ? nCol : 0;
}

BOOL CGXGridCore::OnGridUpdate(CGXGridHint* pHint)
{
    if (m_pUpdateHintImp == nullptr || pHint == nullptr)
        return FALSE;
    return m_pUpdateHintImp->HintUpdate(this, pHint);
}

void CGXGridCore::SetTabName(LPCTSTR pszName, BOOL bCreateHint)
{
    if (m_pParam == nullptr)
        return;
    // The tab window that asked for the name shows it already; the other views' tabs follow the hint.
    m_pParam->m_sSheetName = pszName != nullptr ? pszName : "";
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintTabName(this);
}

BOOL CGXGridCore::CanRenameSheet(int)
{
    return TRUE;
}

void CGXGridCore::OnSheetRenamed(int)
{
    CString name;
    CGXTabWndInterface* pTabWnd = m_pAppData->m_pTabWndInterface;
    if (pTabWnd != nullptr && pTabWnd->GetTabName(m_pGridWnd, name))
        SetTabName(name, TRUE);
}

BOOL CGXGridCore::CanSwitchSheet(BOOL)
{
    return TRUE;
}

DWORD CGXGridCore::SetOptionWord(DWORD dwOptions)
{
    const DWORD dwOld = m_dwOptions;
    m_dwOptions = dwOptions;
    return dwOld;
}

DWORD CGXGridCore::GetOptionWord()
{
    return m_dwOptions;
}

BOOL CGXGridCore::StoreReadOnly(BOOL bReadOnly)
{
    if (m_pParam == nullptr)
        return FALSE;
    m_pParam->SetReadOnly(bReadOnly);
    return TRUE;
}

void CGXGridCore::OnReadOnlyChanged(BOOL)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (IsActiveCurrentCell() && GetCurrentCell(nRow, nCol))
        GetCurrentCellControl()->Init(nRow, nCol);
}

void CGXGridCore::ShowGridScrollBar(int nBar, BOOL bShow)
{
    if (m_pGridWnd->GetSafeHwnd() != nullptr)
        ::ShowScrollBar(m_pGridWnd->GetSafeHwnd(), nBar, bShow);
}

void CGXGridCore::GetGridClientRect(CRect& rect)
{
    rect.SetRectEmpty();
    if (m_pGridWnd->GetSafeHwnd() != nullptr)
        ::GetClientRect(m_pGridWnd->GetSafeHwnd(), &rect);
}

CRect CGXGridCore::GetGridRect()
{
    if (m_bPrinting)
        return m_rectPrint;
    if (m_bGridRectSet)
        return m_rectGrid;
    CRect rect;
    GetGridClientRect(rect);
    return rect;
}

void CGXGridCore::SetGridRect(BOOL bSet, const CRect* pRect)
{
    m_bGridRectSet = bSet && pRect != nullptr;
    if (m_bGridRectSet)
        m_rectGrid = *pRect;
}

BOOL CGXGridCore::IsInScrollParent()
{
    if (m_pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const CPtrList& classes = m_pAppData->GetScrollParentClasses();
    POSITION pos = classes.GetHeadPosition();
    while (pos != nullptr)
    {
        CRuntimeClass* pClass = static_cast<CRuntimeClass*>(classes.GetNext(pos));
        if (GXGetParentOfClass(m_pGridWnd, pClass, TRUE) != nullptr)
            return TRUE;
    }
    return FALSE;
}

void CGXGridCore::LookupBaseStyles()
{
    m_pStyleStandard = m_pStyleRowHeader = m_pStyleColHeader = nullptr;
    CGXStylesMap* pStylesMap = GetStylesMap();
    if (pStylesMap == nullptr)
        return;
    pStylesMap->LookupStyle(pStylesMap->m_wStyleStandard, m_pStyleStandard);
    pStylesMap->LookupStyle(pStylesMap->m_wStyleRowHeader, m_pStyleRowHeader);
    pStylesMap->LookupStyle(pStylesMap->m_wStyleColHeader, m_pStyleColHeader);
}
