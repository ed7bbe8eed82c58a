#include "grid/controls/SpinEdit.h"

#include "grid/controls/Buttons.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CGXSpinEdit, CGXEditControl)
GRID_IMPLEMENT_CONTROL(CGXSpinEdit, CGXEditControl)

namespace
{
// A number text as the runtime's text-to-long conversion reads it, held at the 32-bit limits.
long ReadLong(const CString& text)
{
    return std::strtol(text, nullptr, 10);
}
}  // namespace

CGXSpinEdit::CGXSpinEdit(CGXGridCore* pGrid, UINT nID)
    : CGXEditControl(pGrid, nID), m_pUpArrow(new CGXUpArrowButton(this)), m_pDownArrow(new CGXDownArrowButton(this))
{
    AddChild(m_pUpArrow);
    AddChild(m_pDownArrow);
}

CRuntimeClass* CGXSpinEdit::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXSpinEdit);
}

BOOL CGXSpinEdit::IsFloatCandidate(ROWCOL, ROWCOL, const CGXStyle&, BOOL)
{
    return FALSE;
}

void CGXSpinEdit::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXEditControl::Init(nRow, nCol);
    // The buttons show only in the current cell: their place is painted anew.
    if (CWnd* pGridWnd = GetGridWnd())
    {
        ::InvalidateRect(pGridWnd->GetSafeHwnd(), &m_pUpArrow->GetRect(), TRUE);
        ::InvalidateRect(pGridWnd->GetSafeHwnd(), &m_pDownArrow->GetRect(), TRUE);
    }
    GetCachedStyle();
}

CRect CGXSpinEdit::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    CRect rect = CGXStatic::GetCellRect(nRow, nCol, pRectItem, pStyle);
    rect.right -= kButtonSpace;
    return rect;
}

CSize CGXSpinEdit::GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return CGXStatic::GetBorderSize(nRow, nCol, style) + CSize(kButtonSpace, 0);
}

void CGXSpinEdit::LayoutChildren(ROWCOL, ROWCOL, const CRect& rect)
{
    CRect column(rect.right - 15, rect.top + 1, rect.right - 1, rect.bottom - 1);
    column.IntersectRect(&column, &rect);
    const int nHalf = column.Height() / 2;
    m_pUpArrow->SetRect(CRect(column.left, column.top, column.right, column.top + nHalf));
    m_pDownArrow->SetRect(CRect(column.left, column.top + nHalf, column.right, column.bottom));
}

void CGXSpinEdit::ReadBounds(const CGXStyle& style)
{
    CString text;
    style.GetUserAttributeText(GX_IDS_UA_SPINBOUND_MIN, text);
    m_bMinBound = !text.IsEmpty();
    m_nMinBound = ReadLong(text);
    style.GetUserAttributeText(GX_IDS_UA_SPINBOUND_MAX, text);
    m_bMaxBound = !text.IsEmpty();
    m_nMaxBound = ReadLong(text);
    style.GetUserAttributeText(GX_IDS_UA_SPINBOUND_WRAP, text);
    m_nWrap = std::atoi(text);
    style.GetUserAttributeText(GX_IDS_UA_SPINSTART, text);
    m_bStartValue = !text.IsEmpty();
    m_nStartValue = ReadLong(text);
}

BOOL CGXSpinEdit::LButtonDown(UINT nFlags, CPoint point, UINT nHitState)
{
    if (m_bInit)
        ReadBounds(GetCachedStyle());
    return CGXControl::LButtonDown(nFlags, point, nHitState);
}

void CGXSpinEdit::OnClickedButton(CGXChild* pChild)
{
    const BOOL bWasActive = IsActive();
    if (!bWasActive && !OnStartEditing())
        return;
    SetActive(TRUE);
    const CString text = WindowText();
    GetCachedStyle();
    if (!IsReadOnly())
    {
        long nValue = 0;
        if (m_bStartValue && text.IsEmpty())
            nValue = m_nStartValue;
        else
        {
            nValue = ReadLong(text);
            if (pChild == m_pDownArrow)
            {
                if (!m_bMinBound || nValue > m_nMinBound)
                {
                    // Without a minimum the smallest number stays: it has no predecessor.
                    if (nValue > LONG_MIN)
                        --nValue;
                }
                else if (m_nWrap != 0 && m_bMaxBound)
                    nValue = m_nMaxBound;
            }
            else if (pChild == m_pUpArrow)
            {
                if (!m_bMaxBound || nValue < m_nMaxBound)
                {
                    if (nValue < LONG_MAX)
                        ++nValue;
                }
                else if (m_nWrap != 0 && m_bMinBound)
                    nValue = m_nMinBound;
            }
        }
        if (m_bMinBound && nValue < m_nMinBound)
            nValue = m_nMinBound;
        if (m_bMaxBound && nValue > m_nMaxBound)
            nValue = m_nMaxBound;
        char sz[16];
        std::snprintf(sz, sizeof sz, "%ld", nValue);
        ::SetWindowTextA(m_hWnd, sz);
        SetModify(TRUE);
        OnModifyCell();
        SetSelection(0, -1);
    }
    if (!bWasActive)
        Refresh();
    else
        UpdateEditStyle();
    // The grid's button hook (OnCellButtonClicked) hears of every step.
    CGXControl::OnClickedButton(pChild);
}

void CGXSpinEdit::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    CGXStyle bound;
    bound.SetControl(GX_IDS_CTRL_SPINEDIT).SetWrapText(FALSE);
    pStylesMap->AddUserAttribute(GX_IDS_UA_SPINBOUND_MIN, &bound);
    pStylesMap->AddUserAttribute(GX_IDS_UA_SPINBOUND_MAX, &bound);
    pStylesMap->AddUserAttribute(GX_IDS_UA_SPINSTART, &bound);
    CGXStyle check;
    check.SetControl(GX_IDS_CTRL_CHECKBOX3D).SetVerticalAlignment(DT_VCENTER).SetHorizontalAlignment(DT_CENTER);
    pStylesMap->AddUserAttribute(GX_IDS_UA_SPINBOUND_WRAP, &check);
}
