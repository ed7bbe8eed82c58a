#include "grid/core/Control.h"

#include "framework/core/File.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <cstring>

const CGXControlClassInfo CGXControl::classInfoCGXControl = {"CGXControl", nullptr};

// ---- CGXChild ----

BOOL CGXChild::HasFocus() const
{
    return m_pComposite != nullptr && m_pComposite->GetFocusChild() == this;
}

void CGXChild::Draw(CDC* pDC, BOOL bActive, const CGXStyle&)
{
    OnDraw(pDC, bActive);
}

void CGXChild::Refresh()
{
    CWnd* pGridWnd = m_pComposite != nullptr ? m_pComposite->GetGridWnd() : nullptr;
    if (pGridWnd != nullptr && pGridWnd->GetSafeHwnd() != nullptr)
        ::InvalidateRect(pGridWnd->GetSafeHwnd(), &m_rect, TRUE);
}

// ---- CGXControl ----

CGXControl::CGXControl(CGXGridCore* pGrid) : m_pGrid(pGrid)
{
}

CGXControl::~CGXControl()
{
    delete m_pStyle;
    if (m_pChildList != nullptr)
    {
        while (!m_pChildList->IsEmpty())
            delete static_cast<CGXChild*>(m_pChildList->RemoveHead());
        delete m_pChildList;
    }
    delete m_pCellTip;
}

BOOL CGXControl::IsKindOf(const CGXControlClassInfo* pClassInfo) const
{
    if (pClassInfo == nullptr)
        return FALSE;
    for (const CGXControlClassInfo* pInfo = GetClassInfo(); pInfo != nullptr; pInfo = pInfo->m_pBaseClassInfo)
        if (pInfo == pClassInfo || std::strcmp(pInfo->m_lpszClassName, pClassInfo->m_lpszClassName) == 0)
            return TRUE;
    return FALSE;
}

const CGXControlClassInfo* CGXControl::GetClassInfo() const
{
    return &classInfoCGXControl;
}

CWnd* CGXControl::GetGridWnd() const
{
    return m_pGrid != nullptr ? m_pGrid->GridWnd() : nullptr;
}

// ---- State ----

CRuntimeClass* CGXControl::GetWndRuntimeClass()
{
    return nullptr;
}

CWnd* CGXControl::GetWnd()
{
    return nullptr;
}

void CGXControl::SetActive(BOOL)
{
}

BOOL CGXControl::IsActive()
{
    return FALSE;
}

BOOL CGXControl::IsDropDownVisible()
{
    return FALSE;
}

void CGXControl::SetModify(BOOL)
{
}

BOOL CGXControl::GetModify()
{
    return FALSE;
}

BOOL CGXControl::IsInit()
{
    return m_bInit;
}

void CGXControl::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_nRow = nRow;
    m_nCol = nCol;
    m_bInit = TRUE;
    SetActive(FALSE);
    SetModify(FALSE);
    FreeStyle(FALSE);
    m_pFocusChild = nullptr;
    LayoutChildren(nRow, nCol, CGXControl::GetCellRect(nRow, nCol));
    m_pGrid->NotifyCellControlInit(nRow, nCol);
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wActivateCell & 4) != 0 && OnStartEditing())
        SetActive(TRUE);
}

void CGXControl::Reset()
{
    if (GetModify() || !IsActive())
        m_pGrid->RedrawRowCol(m_nRow, m_nCol);
    Hide();
    SetModify(FALSE);
    SetActive(FALSE);
    FreeStyle(TRUE);
    m_bInit = FALSE;
}

BOOL CGXControl::Store()
{
    return FALSE;
}

CGXStyle& CGXControl::GetCachedStyle()
{
    if (m_pStyle == nullptr)
    {
        m_pStyle = m_pGrid->NewStyle();
        m_pGrid->BuildEffectiveStyle(m_nRow, m_nCol, *m_pStyle, TRUE);
    }
    return *m_pStyle;
}

void CGXControl::FreeStyle(BOOL)
{
    // Only the control's copy goes (nothing tells the grid's style cache yet); the copy came from
    // the grid's NewStyle and goes back to its free styles, so moving the current cell reuses it.
    m_pGrid->RecycleStyle(m_pStyle);
    m_pStyle = nullptr;
}

void CGXControl::NotifyKillFocus(CWnd* pNewWnd)
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr || m_pGrid->m_bFocusChanging)
        return;
    if (pNewWnd != nullptr && pNewWnd->GetSafeHwnd() == pGridWnd->GetSafeHwnd())
        return;
    ::SendMessageA(pGridWnd->GetSafeHwnd(), WM_KILLFOCUS, reinterpret_cast<WPARAM>(pNewWnd->GetSafeHwnd()), 0);
}

// ---- Editing hooks ----

BOOL CGXControl::OnStartEditing()
{
    if (!m_bInit || !m_pGrid->OnStartEditing(m_nRow, m_nCol))
        return FALSE;
    if (!m_pGrid->m_bNoScrollOnStartEditing)
        m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, TRUE);
    return TRUE;
}

void CGXControl::OnModifyCell()
{
    if (GetModify())
        m_pGrid->OnCellModified(m_nRow, m_nCol);
}

BOOL CGXControl::OnCancelEditing()
{
    if (!m_pGrid->OnCancelEditing(m_nRow, m_nCol))
        return FALSE;
    m_pGrid->RedrawRowCol(m_nRow, m_nCol);
    return TRUE;
}

void CGXControl::OnCanceledEditing()
{
    m_pGrid->OnCanceledEditing(m_nRow, m_nCol);
    m_pGrid->RedrawRowCol(m_nRow, m_nCol);
}

BOOL CGXControl::OnEndEditing()
{
    return m_pGrid->OnEndEditing(m_nRow, m_nCol);
}

BOOL CGXControl::OnLeftCell(ROWCOL nNewRow, ROWCOL nNewCol)
{
    return m_pGrid->OnLeftCell(m_nRow, m_nCol, nNewRow, nNewCol);
}

BOOL CGXControl::OnDeleteCell()
{
    return m_pGrid->OnDeleteCell(m_nRow, m_nCol);
}

// ---- Geometry and drawing ----

CRect CGXControl::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    const CRect rectCell = pRectItem != nullptr ? CRect(*pRectItem) : m_pGrid->CalcCellRect(nRow, nCol);
    const CGXStyle& style = pStyle != nullptr ? *pStyle : m_pGrid->LookupStyleRowCol(nRow, nCol);
    CRect rect;
    m_pGrid->SubtractBorders(rect, rectCell, style, TRUE);
    // The last frozen row and column end one pixel earlier, to leave room for the frozen line.
    if (nRow != 0 && nRow == m_pGrid->GetFrozenRows() && !style.IsBorderIncluded(gxBorderBottom))
        rect.bottom--;
    if (nCol != 0 && nCol == m_pGrid->GetFrozenCols() && !style.IsBorderIncluded(gxBorderRight))
        rect.right--;
    return rect;
}

CSize CGXControl::GetBorderSize(ROWCOL, ROWCOL, const CGXStyle& style)
{
    return m_pGrid->AddBorders(CSize(0, 0), style);
}

CSize CGXControl::CalcSize(CDC*, ROWCOL, ROWCOL, const CGXStyle&, const CGXStyle*, BOOL)
{
    return CSize(0, 0);
}

int CGXControl::CalcSizeLimit(CDC*, ROWCOL, ROWCOL, const CGXStyle&)
{
    return 0;
}

BOOL CGXControl::HasValue(const CGXStyle& style)
{
    return !style.GetValue().IsEmpty();
}

BOOL CGXControl::CanFloatCell(ROWCOL, ROWCOL, const CGXStyle&, BOOL)
{
    return FALSE;
}

void CGXControl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle*)
{
    if (GetChildCount() == 0)
        return;
    // Children are laid out in the cell inside its borders, whatever text rectangle a derived
    // control keeps for itself.
    LayoutChildren(nRow, nCol, CGXControl::GetCellRect(nRow, nCol, &rect, &style));
    const BOOL bCurrent = IsInitAt(nRow, nCol) && m_pGrid->IsCurrentCell(nRow, nCol);
    for (int i = 0; i < GetChildCount(); ++i)
        GetChild(i)->Draw(pDC, bCurrent, style);
}

BOOL CGXControl::DrawsInteriorOnly(ROWCOL, ROWCOL, const CGXStyle&)
{
    return FALSE;
}

BOOL CGXControl::FillsBackground(ROWCOL, ROWCOL, const CGXStyle&)
{
    return FALSE;
}

void CGXControl::DrawFrame(CDC* pDC, const CRect& rect, ROWCOL, ROWCOL, const CGXStyle&)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pDC == nullptr || pParam == nullptr || m_pGrid->IsPrinting())
        return;
    CWnd* pWnd = GetWnd();
    const HWND hFocus = ::GetFocus();
    if (pParam->m_wActivateCell == 4 && pWnd != nullptr && hFocus != nullptr && hFocus == pWnd->GetSafeHwnd())
        return;
    switch (pParam->m_wHideCurrentCell)
    {
    case 0:
        break;
    case 2:
    {
        CWnd* pGridWnd = GetGridWnd();
        if (pGridWnd == nullptr || hFocus == nullptr || hFocus != pGridWnd->GetSafeHwnd())
            return;
        break;
    }
    default:
        return;
    }

    CGXProperties* pProperties = m_pGrid->GetProperties();
    if (pProperties == nullptr)
        return;
    // The frame names in the properties' order: invert thin, invert thick, thin, thick, none.
    const CString frameKind = pProperties->GetUserProperty(GX_IDS_CURRENTCELL).GetValue();
    const CString& invertThick = pProperties->GetFrameName(1);
    const CString& thin = pProperties->GetFrameName(2);
    const CString& thick = pProperties->GetFrameName(3);
    const CString& none = pProperties->GetFrameName(4);

    if (!none.IsEmpty() && frameKind == none)
        return;
    const HDC hDC = pDC->GetSafeHdc();
    if ((!thin.IsEmpty() && frameKind == thin) || (!thick.IsEmpty() && frameKind == thick))
    {
        const int nWidth = frameKind == thin ? 1 : 2;
        const COLORREF color = GXGetAppData()->m_sysColors.GetColor(COLOR_WINDOWTEXT);
        const HPEN hPen = ::CreatePen(PS_SOLID, 1, color);
        const HGDIOBJ hOld = ::SelectObject(hDC, hPen);
        for (int i = 0; i < nWidth; ++i)
        {
            // Bottom, right, top and left edge, each one pixel further in per step.
            const int l = rect.left + i;
            const int t = rect.top + i;
            const int r = rect.right - 1 - i;
            const int b = rect.bottom - 1 - i;
            ::MoveToEx(hDC, l, b, nullptr);
            ::LineTo(hDC, r, b);
            ::LineTo(hDC, r, t);
            ::LineTo(hDC, l, t);
            ::LineTo(hDC, l, b);
        }
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hPen);
        return;
    }
    const int nWidth = !invertThick.IsEmpty() && frameKind == invertThick ? 2 : 1;
    // Left and right strips over the full height, then top and bottom between them.
    const RECT strips[4] = {
        {rect.left, rect.top, rect.left + nWidth, rect.bottom},
        {rect.right - nWidth, rect.top, rect.right, rect.bottom},
        {rect.left + nWidth, rect.top, rect.right - nWidth, rect.top + nWidth},
        {rect.left + nWidth, rect.bottom - nWidth, rect.right - nWidth, rect.bottom}};
    for (const RECT& strip : strips)
        ::InvertRect(hDC, &strip);
}

void CGXControl::DrawBackground(CDC* pDC, const CRect& rect, const CGXStyle& style, BOOL)
{
    if (pDC == nullptr)
        return;
    const CGXStyleBrush& interior = style.GetInterior();
    switch (interior.GetStyle())
    {
    case CGXStyleBrush::bsSolid:
        CGXDrawingAndFormatting::FillSolidRect(pDC, rect, interior.GetColor());
        break;
    case CGXStyleBrush::bsHatched:
    case CGXStyleBrush::bsPattern:
        // The engine's brush cache serves: no brush is made and deleted per cell.
        m_pGrid->DrawBrushRect(pDC, rect, interior);
        break;
    default:
        break;
    }
    Draw3dFrame(pDC, rect, style);
}

void CGXControl::Draw3dFrame(CDC* pDC, const CRect& rect, const CGXStyle& style)
{
    if (pDC == nullptr || !style.GetIncludeDraw3dFrame() || style.GetDraw3dFrame() == 0)
        return;
    const CGXSysColors& colors = GXGetAppData()->m_sysColors;
    // Kind 1 raised, kind 2 inset.
    const BOOL bRaised = (style.GetDraw3dFrame() & 3) == 1;
    const COLORREF topLeft = bRaised ? colors.m_clrBtnHilight : colors.m_clrBtnShadow;
    const COLORREF bottomRight = bRaised ? colors.m_clrBtnShadow : colors.m_clrBtnHilight;
    CGXDrawingAndFormatting::GetInstance()->Draw3dFrame(pDC, rect.left, rect.top, rect.right - 1, rect.bottom - 1, 1,
                                                        topLeft, bottomRight);
}

void CGXControl::Hide()
{
}

void CGXControl::Refresh()
{
    if (GetModify() || !IsActive())
        m_pGrid->RedrawRowCol(m_nRow, m_nCol);
    Hide();
    m_pGrid->InvalidateRect(m_pGrid->CalcCellRect(m_nRow, m_nCol));
}

// ---- Values ----

BOOL CGXControl::GetCurrentText(CString& text)
{
    if (m_bInit)
    {
        const CGXStyle& style = GetCachedStyle();
        if (style.GetIncludeValue())
        {
            text = style.GetValue();
            return TRUE;
        }
        return GetControlText(text, m_nRow, m_nCol, nullptr, style);
    }
    text.Empty();
    return FALSE;
}

void CGXControl::SetCurrentText(const CString& text)
{
    if (m_bInit)
        m_pGrid->SetControlTextRowCol(m_nRow, m_nCol, text, GX_INVALIDATE, &GetCachedStyle());
}

BOOL CGXControl::GetValue(CString& value)
{
    if (!m_bInit)
        return FALSE;
    value = GetCachedStyle().GetValue();
    return TRUE;
}

BOOL CGXControl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR pszValue, const CGXStyle& style)
{
    if (pszValue == nullptr && !style.GetIncludeValue())
    {
        text.Empty();
        return FALSE;
    }
    // Only a format code formats. A given text counts as text (so only "Hidden" changes it); without
    // one the style's value is formatted with its own value type.
    if (style.GetIncludeFormat() && style.GetFormat() != 0)
        text = CGXDrawingAndFormatting::GetInstance()->FormatValueText(style, pszValue, GX_VT_TEXT);
    else
        text = pszValue != nullptr ? CString(pszValue) : style.GetValue();
    return TRUE;
}

BOOL CGXControl::ConvertTextToValue(CString&, ROWCOL, ROWCOL, const CGXStyle*)
{
    return TRUE;
}

BOOL CGXControl::ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                  const CGXStyle*)
{
    const BOOL bStored = m_pGrid->StoreStyleRowCol(nRow, nCol, pStyle, mode, nType);
    if (!bStored)
        return FALSE;
    if (IsInitAt(nRow, nCol))
    {
        const BOOL bModified = GetModify();
        FreeStyle(FALSE);
        SetValue(GetCachedStyle().GetValue());
        Refresh();
        SetModify(bModified);
    }
    else if (m_bInit && m_pGrid->IsCurrentCell(nRow, nCol))
        Init(nRow, nCol);
    return TRUE;
}

BOOL CGXControl::GetModifiedValue(CGXStyle& style)
{
    if (!IsActive() || IsReadOnly())
        return FALSE;
    CString value;
    if (!GetValue(value))
        return FALSE;
    style.SetValue(value);
    return TRUE;
}

CString CGXControl::GetStyleValue(const CGXStyle& style)
{
    return style.GetValue();
}

BOOL CGXControl::GetSelectedText(CString& text)
{
    GetCurrentText(text);
    return FALSE;
}

BOOL CGXControl::IsReadOnly()
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam == nullptr || !pParam->IsLockReadOnly())
        return FALSE;
    if (m_pGrid->IsReadOnly())
        return TRUE;
    const CGXStyle& style = m_bInit ? GetCachedStyle() : m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    return style.GetIncludeReadOnly() && style.GetReadOnly();
}

// ---- Mouse ----

CGXChild* CGXControl::ChildFromPt(CPoint point)
{
    for (int i = 0; i < GetChildCount(); ++i)
        if (GetChild(i)->PtInRect(point))
            return GetChild(i);
    return nullptr;
}

void CGXControl::LayoutChildrenForCell()
{
    // The children may still lie where another cell of this control was drawn last.
    if (m_bInit && GetChildCount() > 0)
        LayoutChildren(m_nRow, m_nCol, CGXControl::GetCellRect(m_nRow, m_nCol));
}

BOOL CGXControl::MouseMove(UINT nFlags, CPoint point)
{
    if (m_pFocusChild == nullptr)
        return FALSE;
    CGXChild* pFocus = m_pFocusChild;
    LayoutChildrenForCell();
    m_pFocusChild = pFocus;
    return m_pFocusChild->MouseMove(nFlags, point);
}

BOOL CGXControl::MouseMoveOver(UINT nFlags, CPoint point)
{
    // The children under the point hear of it until one takes it; the grid's hook always does.
    for (int i = 0; i < GetChildCount(); ++i)
    {
        CGXChild* pChild = GetChild(i);
        if (pChild->PtInRect(point) && pChild->MouseMoveOver(m_nRow, m_nCol, nFlags, point))
            break;
    }
    return m_pGrid->OnMouseMoveOver(m_nRow, m_nCol, nFlags, point);
}

BOOL CGXControl::ChildButtonDown(ChildButtonFn pfnChild, UINT nFlags, CPoint point)
{
    LayoutChildrenForCell();
    m_pFocusChild = ChildFromPt(point);
    return m_pFocusChild != nullptr && (m_pFocusChild->*pfnChild)(nFlags, point);
}

BOOL CGXControl::ChildButtonUp(ChildButtonFn pfnChild, GridClickFn pfnClicked, UINT nFlags, CPoint point)
{
    CGXChild* pFocus = m_pFocusChild;
    LayoutChildrenForCell();
    m_pFocusChild = pFocus;
    BOOL bDone = m_pFocusChild != nullptr && (m_pFocusChild->*pfnChild)(nFlags, point);
    if (GetCellRect(m_nRow, m_nCol).PtInRect(point))
        bDone |= (m_pGrid->*pfnClicked)(m_nRow, m_nCol, nFlags, point);
    return bDone;
}

BOOL CGXControl::ChildButtonDblClk(ChildButtonFn pfnChild, GridClickFn pfnClicked, UINT nFlags, CPoint point)
{
    if (CGXChild* pChild = ChildFromPt(point))
        (pChild->*pfnChild)(nFlags, point);
    return (m_pGrid->*pfnClicked)(m_nRow, m_nCol, nFlags, point);
}

BOOL CGXControl::LButtonDown(UINT nFlags, CPoint point, UINT)
{
    return ChildButtonDown(&CGXChild::LButtonDown, nFlags, point);
}

BOOL CGXControl::LButtonUp(UINT nFlags, CPoint point, UINT)
{
    return ChildButtonUp(&CGXChild::LButtonUp, &CGXGridCore::OnCellLeftClicked, nFlags, point);
}

BOOL CGXControl::LButtonDblClk(UINT nFlags, CPoint point)
{
    return ChildButtonDblClk(&CGXChild::LButtonDblClk, &CGXGridCore::OnCellLeftDblClicked, nFlags, point);
}

BOOL CGXControl::MButtonDown(UINT nFlags, CPoint point, UINT)
{
    return ChildButtonDown(&CGXChild::MButtonDown, nFlags, point);
}

BOOL CGXControl::MButtonUp(UINT nFlags, CPoint point, UINT)
{
    return ChildButtonUp(&CGXChild::MButtonUp, &CGXGridCore::OnCellMiddleClicked, nFlags, point);
}

BOOL CGXControl::MButtonDblClk(UINT nFlags, CPoint point)
{
    return ChildButtonDblClk(&CGXChild::MButtonDblClk, &CGXGridCore::OnCellMiddleDblClicked, nFlags, point);
}

BOOL CGXControl::RButtonDown(UINT nFlags, CPoint point, UINT)
{
    return ChildButtonDown(&CGXChild::RButtonDown, nFlags, point);
}

BOOL CGXControl::RButtonUp(UINT nFlags, CPoint point, UINT)
{
    return ChildButtonUp(&CGXChild::RButtonUp, &CGXGridCore::OnCellRightClicked, nFlags, point);
}

BOOL CGXControl::RButtonDblClk(UINT nFlags, CPoint point)
{
    return ChildButtonDblClk(&CGXChild::RButtonDblClk, &CGXGridCore::OnCellRightDblClicked, nFlags, point);
}

int CGXControl::GetExtraWidth(CDC*, ROWCOL, ROWCOL, const CGXStyle&)
{
    return 0;
}

BOOL CGXControl::PreTranslateMessage(MSG*)
{
    return FALSE;
}

// ---- Keys: the base takes none ----

BOOL CGXControl::KeyDown(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXControl::KeyUp(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXControl::Char(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXControl::CharDbcs(const CString&, UINT, UINT)
{
    return FALSE;
}

BOOL CGXControl::DeadChar(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXControl::SysKeyDown(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXControl::SysKeyUp(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXControl::SysChar(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXControl::SysDeadChar(UINT, UINT, UINT)
{
    return FALSE;
}

// ---- Clipboard, find and replace ----

BOOL CGXControl::Copy()
{
    CString text;
    GetCurrentText(text);
    CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, 4096);
    file.Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()) + 1);
    CWnd* pGridWnd = GetGridWnd();
    CClipboard clipboard(pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr);
    if (!clipboard.IsOpen())
        return FALSE;
    clipboard.Empty();
    return clipboard.SetFile(CF_TEXT, file);
}

BOOL CGXControl::Cut()
{
    if (IsActive())
    {
        if (!Copy())
            return FALSE;
        ReplaceSel("");
        return TRUE;
    }
    if (m_bInit && CanCut())
    {
        CGXRangeList ranges;
        ranges.AddTail(new CGXRange(m_nRow, m_nCol));
        return m_pGrid->CutRanges(ranges);
    }
    return FALSE;
}

BOOL CGXControl::CanCut()
{
    return m_bInit && !IsReadOnly();
}

BOOL CGXControl::CanPaste()
{
    if (m_pGrid->CanPasteGridFormat())
        return FALSE;
    return (::IsClipboardFormatAvailable(CF_TEXT) || ::IsClipboardFormatAvailable(CF_OEMTEXT)) && IsActive() &&
           !IsReadOnly();
}

BOOL CGXControl::FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                          BOOL bSetCell)
{
    return m_pGrid->FindTextInCell(this, settings, nRow, nCol, bCurrentPos, bSetCell);
}

BOOL CGXControl::ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol)
{
    return m_pGrid->ReplaceAllInCell(this, settings, nRow, nCol);
}

BOOL CGXControl::MarkEditHeader(BOOL, ROWCOL nRow, ROWCOL nCol)
{
    return m_pGrid->IsHeaderMarked(this, nRow, nCol);
}

// ---- Children, notifications and tips ----

void CGXControl::OnClickedButton(CGXChild*)
{
    m_pGrid->OnClickedButtonRowCol(m_nRow, m_nCol);
}

int CGXControl::GetHitState(CPoint, UINT)
{
    return 0;
}

void CGXControl::OnGridScroll(UINT nMessage, UINT, UINT)
{
    if ((nMessage != WM_HSCROLL && nMessage != WM_VSCROLL) || !m_bInit || !IsActive())
        return;
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    ::GetClientRect(pGridWnd->GetSafeHwnd(), &client);
    const CRect cell = m_pGrid->CalcCellRect(m_nRow, m_nCol);
    CRect visible;
    if (visible.IntersectRect(&client, &cell))
        return;
    if (GetModify())
        m_pGrid->StoreTypedValue(this);
    SetActive(FALSE);
    Refresh();
}

BOOL CGXControl::OnNotifyMessage(MSG*)
{
    return FALSE;
}

void CGXControl::OnGridWinIniChange(LPCTSTR pszSection)
{
    for (int i = 0; i < GetChildCount(); ++i)
        GetChild(i)->OnGridWinIniChange(pszSection);
}

void CGXControl::OnGridSysColorChange()
{
    for (int i = 0; i < GetChildCount(); ++i)
        GetChild(i)->OnGridSysColorChange();
}

int CGXControl::OnGridMouseActivate(CWnd*, UINT, UINT)
{
    return 0;
}

BOOL CGXControl::OnGridCommand(WPARAM, LPARAM)
{
    return FALSE;
}

HBRUSH CGXControl::OnGridCtlColor(CDC*, CWnd*, UINT)
{
    return nullptr;
}

void CGXControl::OnGridCancelMode()
{
    for (int i = 0; i < GetChildCount(); ++i)
        GetChild(i)->OnGridCancelMode();
}

UINT CGXControl::GetCellTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return m_pCellTip != nullptr ? m_pCellTip->GetTipFlags(nRow, nCol, style) : 0;
}

int CGXControl::GetCellTipKind(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    // Without a tip object no kind at all.
    return m_pCellTip != nullptr ? m_pCellTip->GetTipKind(nRow, nCol, style) : 0x7FFFFFFF;
}

void CGXControl::InitCellTipWindow(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CGXCellTipWnd* pTipWnd)
{
    if (m_pCellTip != nullptr)
        m_pCellTip->InitTipWindow(nRow, nCol, style, pTipWnd);
}

void CGXControl::AttachCellTip(CGXCellTipBase* pTip)
{
    if (pTip == m_pCellTip)
        return;
    delete m_pCellTip;
    m_pCellTip = pTip;
}

int CGXControl::GetDropDownState()
{
    return 0;
}

void CGXControl::AddChild(CGXChild* pChild)
{
    if (m_pChildList == nullptr)
        m_pChildList = new CPtrList(10);
    m_pChildList->AddTail(pChild);
}

void CGXControl::RemoveChild(CGXChild* pChild)
{
    if (m_pChildList == nullptr)
        return;
    if (POSITION pos = m_pChildList->Find(pChild))
        m_pChildList->RemoveAt(pos);
    if (m_pFocusChild == pChild)
        m_pFocusChild = nullptr;
}

CGXChild* CGXControl::GetChild(int nIndex)
{
    if (m_pChildList == nullptr || nIndex < 0)
        return nullptr;
    POSITION pos = m_pChildList->FindIndex(nIndex);
    return pos != nullptr ? static_cast<CGXChild*>(m_pChildList->GetAt(pos)) : nullptr;
}

int CGXControl::GetChildCount()
{
    return m_pChildList != nullptr ? static_cast<int>(m_pChildList->GetCount()) : 0;
}

CGXChild* CGXControl::GetFocusChild()
{
    return m_pFocusChild;
}

void CGXControl::SetFocusChild(CGXChild* pChild)
{
    m_pFocusChild = pChild;
}

void CGXControl::LayoutChildren(ROWCOL, ROWCOL, const CRect&)
{
}

BOOL CGXControl::ValidateString(const CString&)
{
    return TRUE;
}

BOOL CGXControl::ValidatePaste(const CString&)
{
    return TRUE;
}

void CGXControl::OnInitChildren(ROWCOL, ROWCOL, const CRect&)
{
}

// ---- User attributes of the base ----

void CGXControl::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    CGXStyle message;
    message.SetWrapText(TRUE).SetAutoSize(TRUE);
    pStylesMap->AddUserAttribute(GX_IDS_UA_VALID_MSG, &message);
    CGXStyle bound;
    bound.SetControl(52519).SetWrapText(FALSE);
    pStylesMap->AddUserAttribute(GX_IDS_UA_VALID_MAX, &bound);
    pStylesMap->AddUserAttribute(GX_IDS_UA_VALID_MIN, &bound);
    CGXStyle check;
    check.SetControl(52523).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER);
    pStylesMap->AddUserAttribute(GX_IDS_UA_RTLREADING, &check);
}
