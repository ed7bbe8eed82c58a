#include "grid/controls/OlePreview.h"

#include "framework/win/Seams.h"
#include "framework/win/Wnd.h"
#include "grid/controls/Buttons.h"
#include "grid/controls/OleVarUserAttribute.h"
#include "grid/controls/OleViewer.h"
#include "grid/core/AppData.h"
#include "grid/core/BrowserGridHooks.h"
#include "grid/core/GridCore.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <cstdlib>

GRID_IMPLEMENT_CONTROL(CGXOlePreview, CGXStatic)

namespace
{
// The button's column at the cell's right edge.
const int kButtonSpace = 13;
}  // namespace

CGXOlePreview::CGXOlePreview(CGXGridCore* pGrid)
    : CGXStatic(pGrid), m_pViewerManager(new CGXViewerManager), m_pButton(new CGXHotSpotButton(this))
{
    AddChild(m_pButton);
}

CGXOlePreview::~CGXOlePreview()
{
    m_pActiveViewer = nullptr;
    delete m_pViewerManager;
    if (m_bLockSaved)
        RestoreLock();
}

void CGXOlePreview::SetActive(BOOL bActive)
{
    m_bActive = bActive;
}

BOOL CGXOlePreview::IsActive()
{
    return m_bActive;
}

void CGXOlePreview::SetModify(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXOlePreview::GetModify()
{
    return m_bModified;
}

BOOL CGXOlePreview::IsInit()
{
    return m_bInit;
}

void CGXOlePreview::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXStatic::Init(nRow, nCol);
    if (CWnd* pGridWnd = GetGridWnd())
        if (pGridWnd->GetSafeHwnd() != nullptr)
            ::InvalidateRect(pGridWnd->GetSafeHwnd(), &m_pButton->GetRect(), TRUE);
    Refresh();
}

CRect CGXOlePreview::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    CRect rect = CGXStatic::GetCellRect(nRow, nCol, pRectItem, pStyle);
    rect.right -= kButtonSpace;
    return rect;
}

void CGXOlePreview::LayoutChildren(ROWCOL, ROWCOL, const CRect& rect)
{
    CRect button(rect.right - 14, rect.top, rect.right - 1, rect.top + 13);
    button.IntersectRect(&button, &rect);
    if (rect.Height() > button.Height())
        button.OffsetRect(0, 1);
    m_pButton->SetRect(button);
}

BOOL CGXOlePreview::LButtonDblClk(UINT nFlags, CPoint point)
{
    return CGXStatic::LButtonDblClk(nFlags, point);
}

BOOL CGXOlePreview::HasObjectData()
{
    if (!m_bInit)
        return FALSE;
    const CGXStyle& style = GetCachedStyle();
    if (!style.HasUserAttribute(GX_IDS_UA_DAOBITMAP))
        return FALSE;
    const CGXOleVarUserAttribute* pAttribute =
        dynamic_cast<const CGXOleVarUserAttribute*>(&style.GetUserAttribute(GX_IDS_UA_DAOBITMAP));
    return pAttribute != nullptr && pAttribute->GetVariant() != nullptr &&
           pAttribute->GetVariant()->vt == (VT_ARRAY | VT_UI1);
}

// ---- Viewers ----

CGXOleViewer* CGXOlePreview::CreateViewer()
{
    CGXBrowserGridHooks* pHooks = m_pGrid->GetBrowserGridHooks();
    if (pHooks == nullptr || !m_bInit)
        return nullptr;
    CString text;
    GetCachedStyle().GetUserAttributeText(GX_IDS_UA_OLEVIEWERID, text);
    const long nViewerId = text.IsEmpty() ? -1 : std::atol(text);
    if (m_pActiveViewer != nullptr)
        ReleaseActiveViewer();
    CGXOleViewer* pViewer = m_pViewerManager->CreateViewer(nViewerId);
    pHooks->OnViewerCreated(m_nRow, m_nCol, nViewerId, pViewer);
    return pViewer;
}

void CGXOlePreview::ReleaseViewer(CGXOleViewer* pViewer)
{
    if (pViewer == nullptr)
        return;
    if (pViewer == m_pActiveViewer)
        m_pActiveViewer = nullptr;
    m_pViewerManager->ReleaseViewer(pViewer);
}

void CGXOlePreview::ReleaseActiveViewer()
{
    if (m_pActiveViewer == nullptr)
        return;
    m_pActiveViewer->Close();
    m_pActiveViewer->Reset();
    ReleaseViewer(m_pActiveViewer);
    if (m_bLockSaved)
        RestoreLock();
}

void CGXOlePreview::SaveLock()
{
    CGXAppData* pAppData = GXGetAppData();
    m_bSavedLock = pAppData->m_bOleLock;
    m_bLockSaved = TRUE;
    pAppData->m_bOleLock = TRUE;
}

void CGXOlePreview::RestoreLock()
{
    GXGetAppData()->m_bOleLock = m_bSavedLock;
    m_bLockSaved = FALSE;
}

HWND CGXOlePreview::BeginModal()
{
    if (CGXBrowserGridHooks* pHooks = m_pGrid->GetBrowserGridHooks())
        pHooks->OnOleActionBegin(m_nRow, m_nCol);
    const HWND hFocus = ::GetFocus();
    // Keys typed before the action must not reach the server's window or the cell after it.
    MSG msg;
    if (hFocus != nullptr)
        while (::PeekMessageA(&msg, hFocus, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        {
        }
    return hFocus;
}

void CGXOlePreview::EndModal(HWND hFocus)
{
    if (hFocus != nullptr && ::IsWindow(hFocus))
        ::SetFocus(hFocus);
    if (CGXBrowserGridHooks* pHooks = m_pGrid->GetBrowserGridHooks())
        pHooks->OnOleActionEnd(m_nRow, m_nCol);
}

void CGXOlePreview::ShowViewerOpen()
{
    AfxMessageBox(GX_IDS_OLE_VIEWERSPAWNED, MB_OK | MB_ICONINFORMATION);
    if (m_pActiveViewer != nullptr)
        m_pActiveViewer->Activate();
}

// ---- Editing ----

void CGXOlePreview::OnClickedButton(CGXChild* pChild)
{
    CGXStatic::OnClickedButton(pChild);
    if (!OnStartEditing())
        return;
    if (m_pActiveViewer != nullptr && m_pActiveViewer->GetOleObject() != nullptr)
    {
        m_pActiveViewer->Activate();
        return;
    }
    CGXOleViewer* pViewer = CreateViewer();
    if (pViewer == nullptr)
        return;
    const HWND hFocus = BeginModal();
    SetActive(TRUE);
    SaveLock();
    const BOOL bOpened = pViewer->Open(GetCachedStyle(), m_pGrid, this, TRUE);
    EndModal(hFocus);
    if (bOpened)
        m_pActiveViewer = pViewer;
    else
    {
        ReleaseViewer(pViewer);
        RestoreLock();
    }
}

BOOL CGXOlePreview::KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != VK_DELETE || (::GetKeyState(VK_CONTROL) & 0x8000) != 0)
        return CGXStatic::KeyDown(nChar, nRepCnt, nFlags);
    if (m_pActiveViewer != nullptr || !OnStartEditing())
        return TRUE;
    CGXOleViewer* pViewer = CreateViewer();
    if (pViewer == nullptr)
        return TRUE;
    SetActive(TRUE);
    pViewer->Reset();
    m_pActiveViewer = pViewer;
    SetModify(TRUE);
    m_pGrid->RedrawRowCol(m_nRow, m_nCol);
    return TRUE;
}

BOOL CGXOlePreview::Store()
{
    // Without an open viewer there are no bytes to write: the cell keeps its object.
    if (!m_bModified || !m_bInit || m_pActiveViewer == nullptr)
        return TRUE;
    SetActive(FALSE);
    const CGXStyle& cached = GetCachedStyle();
    CGXOleVarUserAttribute* pAttribute = nullptr;
    if (cached.HasUserAttribute(GX_IDS_UA_DAOBITMAP))
        if (const CGXOleVarUserAttribute* pHeld =
                dynamic_cast<const CGXOleVarUserAttribute*>(&cached.GetUserAttribute(GX_IDS_UA_DAOBITMAP)))
            pAttribute = static_cast<CGXOleVarUserAttribute*>(pHeld->Clone());
    if (pAttribute == nullptr)
        pAttribute = new CGXOleVarUserAttribute;
    pAttribute->SetVariant(m_pActiveViewer->GetVariant());
    CGXStyle* pStyle = m_pGrid->NewStyle();
    pStyle->SetUserAttributePtr(GX_IDS_UA_DAOBITMAP, pAttribute);
    m_bModified = FALSE;
    const BOOL bStored = m_pGrid->SetStyleRange(CGXRange(m_nRow, m_nCol), pStyle, gxOverride);
    m_pGrid->RecycleStyle(pStyle);
    return bStored;
}

BOOL CGXOlePreview::OnCancelEditing()
{
    ReleaseActiveViewer();
    return CGXStatic::OnCancelEditing();
}

BOOL CGXOlePreview::OnLeftCell(ROWCOL nNewRow, ROWCOL nNewCol)
{
    ReleaseActiveViewer();
    return CGXStatic::OnLeftCell(nNewRow, nNewCol);
}

// ---- Clipboard ----

CGXOleViewer* CGXOlePreview::ClipboardViewer()
{
    if (m_pActiveViewer != nullptr)
    {
        ShowViewerOpen();
        return nullptr;
    }
    return CreateViewer();
}

BOOL CGXOlePreview::Copy()
{
    CGXOleViewer* pViewer = ClipboardViewer();
    if (pViewer == nullptr)
        return FALSE;
    IDataObject* pData = pViewer->GetCopyData(GetCachedStyle(), m_pGrid, this);
    if (pData != nullptr)
    {
        ::OleSetClipboard(pData);
        ::OleFlushClipboard();
        pData->Release();
    }
    pViewer->Close();
    ReleaseViewer(pViewer);
    return pData != nullptr;
}

BOOL CGXOlePreview::Cut()
{
    CGXOleViewer* pViewer = ClipboardViewer();
    if (pViewer == nullptr)
        return FALSE;
    IDataObject* pData = pViewer->GetCutData(GetCachedStyle(), m_pGrid, this);
    if (pData == nullptr)
    {
        ReleaseViewer(pViewer);
        return FALSE;
    }
    ::OleSetClipboard(pData);
    ::OleFlushClipboard();
    pData->Release();
    // The emptied viewer stays: storing the cell writes its empty bytes.
    m_pActiveViewer = pViewer;
    SetActive(TRUE);
    return TRUE;
}

BOOL CGXOlePreview::Paste()
{
    if (m_pActiveViewer != nullptr)
    {
        ShowViewerOpen();
        return FALSE;
    }
    if (!OnStartEditing())
        return FALSE;
    CGXOleViewer* pViewer = CreateViewer();
    if (pViewer == nullptr)
        return FALSE;
    SetActive(TRUE);
    if (pViewer->PasteFromClipboard(m_pGrid, this))
    {
        m_pActiveViewer = pViewer;
        pViewer->OnObjectChanged();
        SetModify(TRUE);
        return TRUE;
    }
    AfxMessageBox(GX_IDS_OLE_INVALIDDATA, MB_OK | MB_ICONEXCLAMATION);
    ReleaseViewer(pViewer);
    return FALSE;
}

BOOL CGXOlePreview::CanCut()
{
    return m_bInit && HasObjectData();
}

BOOL CGXOlePreview::CanPaste()
{
    if (!m_bInit || m_pGrid->GetBrowserGridHooks() == nullptr)
        return FALSE;
    IDataObject* pData = nullptr;
    if (FAILED(::OleGetClipboard(&pData)) || pData == nullptr)
        return FALSE;
    pData->Release();
    return TRUE;
}
