#include "framework/win/DragListBox.h"

IMPLEMENT_DYNAMIC(CDragListBox, CListBox)

UINT PASCAL CDragListBox::GetDragListMessage()
{
    static const UINT nMessage = ::RegisterWindowMessageA(DRAGLISTMSGSTRING);
    return nMessage;
}

BOOL CDragListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // The drag list works on single-selection list boxes only.
    dwStyle &= ~(LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CDragListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    ::MakeDragList(m_hWnd);
}

int CDragListBox::ItemFromPt(CPoint pt, BOOL bAutoScroll) const
{
    return ::LBItemFromPt(m_hWnd, pt, bAutoScroll);
}

void CDragListBox::DrawInsert(int nItem)
{
    if (m_nLast == nItem)
        return;
    // The mark is drawn on the parent, beside the list box.
    ::DrawInsert(::GetParent(m_hWnd), m_hWnd, nItem);
    m_nLast = nItem;
}

BOOL CDragListBox::BeginDrag(CPoint pt)
{
    m_nLast = -1;
    DrawInsert(ItemFromPt(pt));
    return TRUE;
}

void CDragListBox::CancelDrag(CPoint)
{
    DrawInsert(-1);
}

UINT CDragListBox::Dragging(CPoint pt)
{
    const int nIndex = ItemFromPt(pt);
    DrawInsert(nIndex);
    return nIndex < 0 ? DL_STOPCURSOR : DL_MOVECURSOR;
}

void CDragListBox::Dropped(int nSrcIndex, CPoint pt)
{
    DrawInsert(-1);
    int nDestIndex = ItemFromPt(pt, FALSE);
    if (nSrcIndex < 0 || nDestIndex < 0 || nDestIndex == nSrcIndex || nDestIndex == nSrcIndex + 1)
        return;
    CString text;
    GetText(nSrcIndex, text);
    const DWORD_PTR dwData = GetItemData(nSrcIndex);
    DeleteString(static_cast<UINT>(nSrcIndex));
    if (nSrcIndex < nDestIndex)
        --nDestIndex;
    nDestIndex = InsertString(nDestIndex, text);
    SetItemData(nDestIndex, dwData);
    SetCurSel(nDestIndex);
}

BOOL CDragListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != GetDragListMessage())
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    auto* pInfo = reinterpret_cast<DRAGLISTINFO*>(lParam);
    LRESULT lResult = 0;
    switch (pInfo->uNotification)
    {
    case DL_BEGINDRAG:
        m_nDragSource = ItemFromPt(pInfo->ptCursor, FALSE);
        lResult = m_nDragSource >= 0 && BeginDrag(pInfo->ptCursor);
        break;
    case DL_DRAGGING:
        lResult = Dragging(pInfo->ptCursor);
        break;
    case DL_DROPPED:
        Dropped(m_nDragSource, pInfo->ptCursor);
        m_nDragSource = -1;
        break;
    case DL_CANCELDRAG:
        CancelDrag(pInfo->ptCursor);
        m_nDragSource = -1;
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}
