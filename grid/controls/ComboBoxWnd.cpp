#include "grid/controls/ComboBoxWnd.h"

#include "framework/win/Dc.h"
#include "grid/controls/Buttons.h"
#include "grid/controls/CellEditState.h"
#include "grid/controls/DrawnCell.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <mbstring.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CGXComboEditPart, CEdit)
IMPLEMENT_DYNAMIC(CGXComboBoxWnd, CComboBox)
GRID_IMPLEMENT_CONTROL(CGXComboBoxWnd, CGXStatic)

namespace
{
// The button's column at the right edge of an inactive cell.
const int kButtonSpace = 15;
// The rows a dropped list is made room for, at most.
const int kMaxDroppedRows = 8;

BOOL CtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

CString IndexText(int nIndex)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "%d", nIndex);
    return sz;
}

CString TextOfWindow(HWND hWnd)
{
    const int nLength = ::GetWindowTextLengthA(hWnd);
    CString text;
    LPTSTR pszBuffer = text.GetBuffer(nLength + 1);
    ::GetWindowTextA(hWnd, pszBuffer, nLength + 1);
    text.ReleaseBuffer();
    return text;
}
}  // namespace

// ---- CGXComboEditPart ----

LRESULT GXComboEditKillFocus(CEdit& edit, CWnd& combo, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = edit.CEdit::WindowProc(WM_KILLFOCUS, wParam, lParam);
    const HWND hNew = reinterpret_cast<HWND>(wParam);
    const HWND hCombo = combo.GetSafeHwnd();
    if (hNew != hCombo && (hNew == nullptr || !::IsChild(hCombo, hNew)))
        ::SendMessageA(hCombo, WM_KILLFOCUS, wParam, 0);
    return lResult;
}

LRESULT CGXComboEditPart::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_KEYDOWN:
        if (m_pCombo->HandleKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
            return 0;
        break;
    case WM_KILLFOCUS:
        return GXComboEditKillFocus(*this, *m_pCombo, wParam, lParam);
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

// ---- Construction ----

CGXComboBoxWnd::CGXComboBoxWnd(CGXGridCore* pGrid)
    : CGXStatic(pGrid), m_nFrameSize(GXGetAppData()->m_nWinVersion >= 0x400 ? 3 : 2), m_editPart(this),
      m_rgbHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)), m_rgbBackground(::GetSysColor(COLOR_WINDOW))
{
}

CGXComboBoxWnd::~CGXComboBoxWnd()
{
    if (m_editPart.GetSafeHwnd() != nullptr)
        m_editPart.UnsubclassWindow();
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_font.DeleteObject();
}

CRuntimeClass* CGXComboBoxWnd::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXComboBoxWnd);
}

CWnd* CGXComboBoxWnd::GetWnd()
{
    return this;
}

HWND CGXComboBoxWnd::GridHwnd() const
{
    CWnd* pGridWnd = GetGridWnd();
    return pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr;
}

BOOL CGXComboBoxWnd::CreateControl(DWORD dwStyle, UINT nID)
{
    if (m_pButton == nullptr)
    {
        m_pButton = new CGXComboBoxWndButton(this);
        AddChild(m_pButton);
    }
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    m_dwComboStyle = dwStyle;
    if (!CreateEx(0, "GXCOMBOBOX", "", (dwStyle | WS_CHILD) & ~WS_VISIBLE, CRect(0, 0, 0, 0), pGridWnd, nID))
        return FALSE;
    if (HWND hEdit = ::GetWindow(m_hWnd, GW_CHILD))
        m_editPart.SubclassWindow(hEdit);
    m_bNotOwnerDrawn = (GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0;
    return TRUE;
}

// ---- State ----

void CGXComboBoxWnd::SetActive(BOOL bActive)
{
    GXCellEditState::SetActive(*this, m_bActive, bActive && m_hWnd != nullptr);
}

BOOL CGXComboBoxWnd::IsActive()
{
    return m_bActive;
}

void CGXComboBoxWnd::SetModify(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXComboBoxWnd::GetModify()
{
    return m_bModified;
}

void CGXComboBoxWnd::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_nTextHeight = 0;
    CGXControl::Init(nRow, nCol);
    m_bDropPending = FALSE;
    m_nEditSelStart = 0;
    m_nEditSelEnd = -1;
    if (m_hWnd != nullptr && !IsDropDownList())
        SetEditSel(0, -1);
    SetActive(FALSE);
    const CGXStyle& style = GetCachedStyle();
    if (m_hWnd != nullptr && m_bFillWithChoiceList)
    {
        ResetContent();
        if (style.GetIncludeChoiceList() && !style.GetChoiceList().IsEmpty())
        {
            CString list = style.GetChoiceList();
            CString line;
            for (;;)
            {
                const BOOL bLast = CGXDrawingAndFormatting::CutFirstLine(list, line) < 0;
                AddString(line);
                if (bLast || list.IsEmpty())
                    break;
            }
        }
    }
    SetValue(style.GetValue());
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wActivateCell & 4) != 0 && OnStartEditing())
        SetActive(TRUE);
    m_bModified = FALSE;
    if (!m_bActive && m_pButton != nullptr)
        if (HWND hGrid = GridHwnd())
            ::InvalidateRect(hGrid, &m_pButton->GetRect(), TRUE);
}

BOOL CGXComboBoxWnd::Store()
{
    // A read-only cell keeps what it holds: the control is put back on it.
    if (IsReadOnly())
    {
        Init(m_nRow, m_nCol);
        m_bModified = FALSE;
        Refresh();
    }
    if (m_pStyle == nullptr || !m_bModified)
        return TRUE;
    return GXCellEditState::StoreWindowValue(*this, m_bModified);
}

// ---- Values ----

CString CGXComboBoxWnd::WindowText()
{
    if (m_hWnd == nullptr)
        return CString();
    if (!IsDropDownList())
    {
        const CString text = TextOfWindow(m_hWnd);
        if (!text.IsEmpty())
            return text;
    }
    const int nSel = GetCurSel();
    CString text;
    if (nSel != CB_ERR)
        GetLBText(nSel, text);
    return text;
}

CString CGXComboBoxWnd::WindowValue()
{
    if (m_nIndexValue < 0)
        return WindowText();
    const int nSel = m_hWnd != nullptr ? GetCurSel() : CB_ERR;
    return nSel == CB_ERR ? CString() : IndexText(nSel + m_nIndexValue);
}

BOOL CGXComboBoxWnd::GetCurrentText(CString& text)
{
    if (!m_bInit)
    {
        text.Empty();
        return FALSE;
    }
    text = WindowText();
    return TRUE;
}

void CGXComboBoxWnd::SetCurrentText(const CString& text)
{
    if (!m_bInit || m_hWnd == nullptr)
        return;
    SetActive(TRUE);
    if (!ValidateString(text))
        return;
    if (!IsDropDownList())
        ::SetWindowTextA(m_hWnd, text);
    else
        SelectString(-1, text);
    m_bModified = TRUE;
    OnModifyCell();
}

BOOL CGXComboBoxWnd::GetValue(CString& value)
{
    if (!m_bInit)
        return FALSE;
    value = WindowValue();
    return TRUE;
}

void CGXComboBoxWnd::SetValue(LPCTSTR pszValue)
{
    if (m_hWnd == nullptr)
        return;
    const CString text = pszValue != nullptr ? pszValue : "";
    BOOL bSelected = FALSE;
    if (text.IsEmpty())
        SetCurSel(-1);
    else if (m_nIndexValue < 0)
    {
        int nIndex = FindStringExact(-1, text);
        if (nIndex == CB_ERR)
            nIndex = SelectString(-1, text);
        else
            SetCurSel(nIndex);
        bSelected = nIndex != CB_ERR;
    }
    else
        bSelected = SetCurSel(std::atoi(text) - m_nIndexValue) != CB_ERR;
    // A drop-down shows a value that is no item as its text.
    if ((text.IsEmpty() || !bSelected) && !IsDropDownList())
    {
        ::SetWindowTextA(m_hWnd, text);
        SetEditSel(0, -1);
    }
}

BOOL CGXComboBoxWnd::GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue,
                                    const CGXStyle& style)
{
    if (m_nIndexValue < 0 || !m_bDispChoice || !m_bFillWithChoiceList || !style.GetIncludeChoiceList())
        return CGXControl::GetControlText(text, nRow, nCol, pszValue, style);
    const CString value = pszValue != nullptr ? CString(pszValue) : style.GetValue();
    text.Empty();
    if (value.IsEmpty())
        return FALSE;
    // Read as a 32-bit number: an index of 65536 is no entry 0.
    int nIndex = std::atoi(value);
    if (nIndex != -1)
        nIndex -= m_nIndexValue;
    GetChoiceListItem(text, style.GetChoiceList(), nIndex);
    return TRUE;
}

BOOL CGXComboBoxWnd::SetControlText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags,
                                    const CGXStyle* pOldStyle)
{
    if (IsDropDownList() && text.IsEmpty())
        return TRUE;
    return CGXControl::SetControlText(nRow, nCol, text, nFlags, pOldStyle);
}

BOOL CGXComboBoxWnd::ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle)
{
    if (!m_bFillWithChoiceList || (m_nIndexValue < 0 && !m_bDispChoice))
        return TRUE;
    const CGXCellStyleScope cellStyle(m_pGrid, nRow, nCol, pOldStyle);
    const CGXStyle* pStyle = cellStyle.Get();
    CString item;
    const int nIndex =
        pStyle->GetIncludeChoiceList() ? FindStringInChoiceList(item, text, pStyle->GetChoiceList(), FALSE) : -1;
    if (!m_bDispChoice)
        text = nIndex >= 0 ? item : CString();
    else
        text = nIndex >= 0 ? IndexText(nIndex + std::max(m_nIndexValue, 0)) : CString();
    return TRUE;
}

BOOL CGXComboBoxWnd::ValidateString(const CString& text)
{
    if (text.IsEmpty() || (m_nIndexValue < 0 && !m_bDispChoice) || !m_bInit)
        return TRUE;
    const CGXStyle& style = GetCachedStyle();
    if (!style.GetIncludeChoiceList() || style.GetChoiceList().IsEmpty())
        return FALSE;
    CString item;
    return FindStringInChoiceList(item, text, style.GetChoiceList(), FALSE) >= 0;
}

// ---- Geometry and drawing ----

CRect CGXComboBoxWnd::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    CRect rect = CGXControl::GetCellRect(nRow, nCol, pRectItem, pStyle);
    const BOOL bCurrent = m_pGrid->IsCurrentCell(nRow, nCol);
    if (bCurrent && m_bActive)
        return rect;
    if (bCurrent || !(m_bDispBtnCurrentCellOnly && !m_bDisplayEveryCell))
        rect.right -= kButtonSpace;
    rect.left += 2;
    return rect;
}

CSize CGXComboBoxWnd::GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return CGXStatic::GetBorderSize(nRow, nCol, style) + CSize(19, 0);
}

CSize CGXComboBoxWnd::CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                               const CGXStyle* pStandardStyle, BOOL bVert)
{
    if (!m_bNotOwnerDrawn)
        return CSize(0, 0);
    const CSize base = CGXStatic::CalcSize(pDC, nRow, nCol, style, pStandardStyle, bVert);
    if (pDC == nullptr)
        return base;
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    CSize size(0, 0);
    if (!bVert)
    {
        CString list = m_bFillWithChoiceList && style.GetIncludeChoiceList() ? style.GetChoiceList() : CString();
        CString line;
        while (!list.IsEmpty())
        {
            if (CGXDrawingAndFormatting::CutFirstLine(list, line) < 0)
                list.Empty();
            SIZE extent = {};
            ::GetTextExtentPoint32A(pDC->GetSafeHdc(), line, line.GetLength(), &extent);
            size.cx = std::max<int>(size.cx, extent.cx);
        }
    }
    else
    {
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
        size.cy = tm.tmHeight + tm.tmExternalLeading + 2 + (m_bInactiveDrawFrameInside ? 2 * m_nFrameSize : 0);
    }
    size += GetBorderSize(nRow, nCol, style);
    return CSize(std::max(base.cx, size.cx), std::max(base.cy, size.cy));
}

void CGXComboBoxWnd::MeasureTextHeight(const CGXStyle& style)
{
    GXDrawnCell::GridWindowDC dc(m_pGrid);
    m_pGrid->PrepareGridDC(dc.Get());
    GXDrawnCell::FontScope font(m_pGrid, dc.Get(), style);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc.Get()->GetSafeHdc(), &tm);
    m_nTextHeight = tm.tmHeight;
}

void CGXComboBoxWnd::LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect)
{
    if (m_pButton == nullptr)
        return;
    CRect button(std::max<int>(rect.left + 1, rect.right - 16), rect.top, rect.right - 1, rect.bottom - 1);
    const CGXStyle* pStyle = nullptr;
    if (IsInitAt(nRow, nCol))
        pStyle = &GetCachedStyle();
    else if (m_bDisplayEveryCell)
        pStyle = &m_pGrid->LookupStyleRowCol(nRow, nCol);
    if (m_bSizeToContent && pStyle != nullptr)
    {
        if (m_nTextHeight == 0)
            MeasureTextHeight(*pStyle);
        const int h = std::min<int>(m_nTextHeight + 2, rect.bottom - 2 * m_nFrameSize - rect.top);
        if (pStyle->GetIncludeVerticalAlignment())
        {
            if (pStyle->GetVerticalAlignment() == DT_VCENTER)
                button.top += (rect.Height() - h) / 2 - m_nFrameSize;
            else if (pStyle->GetVerticalAlignment() == DT_BOTTOM)
                button.top = rect.bottom - 2 * m_nFrameSize - h;
        }
        button.bottom = button.top + 2 * m_nFrameSize - 1 + h;
    }
    m_pButton->SetRect(button);
}

BOOL CGXComboBoxWnd::DrawsInteriorOnly(ROWCOL, ROWCOL, const CGXStyle&)
{
    return FALSE;
}

void CGXComboBoxWnd::GetControlRect(CRect& rect, const CRect& rectCell)
{
    rect = rectCell;
}

void CGXComboBoxWnd::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                          const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    const BOOL bActiveCell = IsInitAt(nRow, nCol) && m_bActive && m_hWnd != nullptr && !m_pGrid->IsPrinting();
    if (!bActiveCell)
    {
        if (m_bSizeToContent)
            MeasureTextHeight(style);
        if (m_bNotOwnerDrawn)
        {
            CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
            return;
        }
        // An owner-drawn combo draws the item of the value itself.
        DrawBackground(pDC, rect, style);
        CRect rectItem = GetCellRect(nRow, nCol, &rect, &style);
        if (!m_pGrid->IsPrinting() && m_bOwnerDrawFrame3d && !(style.GetIncludeDraw3dFrame() && style.GetDraw3dFrame()))
        {
            CGXDrawingAndFormatting::GetInstance()->Draw3dFrame(pDC, rectItem.left, rectItem.top, rectItem.right - 1,
                                                                rectItem.bottom - 1, 1, RGB(0, 0, 0),
                                                                RGB(255, 255, 255));
            rectItem.DeflateRect(2, 2);
        }
        const int nItem = style.GetValue().IsEmpty() ? 0 : std::atoi(style.GetValue());
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_COMBOBOX;
        draw.CtlID = static_cast<UINT>(::GetDlgCtrlID(m_hWnd));
        draw.itemID = static_cast<UINT>(nItem);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = ODS_SELECTED;
        draw.hwndItem = m_hWnd;
        draw.hDC = pDC->GetSafeHdc();
        draw.rcItem = rectItem;
        draw.itemData = m_hWnd != nullptr ? GetItemData(nItem) : 0;
        DrawItem(&draw);
        CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }

    // The active cell shows the combo window over it.
    const CGXStyle& cached = GetCachedStyle();
    if (!IsDropDownList())
    {
        const DWORD dwSel = GetEditSel();
        m_nEditSelStart = LOWORD(dwSel);
        m_nEditSelEnd = HIWORD(dwSel);
    }
    m_pButton->SetRect(CRect(0, 0, 0, 0));
    {
        CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
    m_font.DeleteObject();
    const LOGFONT lf = cached.GetFont().GetLogFontZoomed(m_pGrid->GetZoom());
    m_font.CreateFontIndirect(&lf);
    m_rgbBackground = GXDrawnCell::InteriorColor(cached, GXDrawnCell::IsBlackWhite(m_pGrid));
    DrawBackground(pDC, rect, cached);
    SetFont(&m_font, FALSE);

    CRect rectCell;
    GetControlRect(rectCell, GetCellRect(nRow, nCol, &rect, &cached));
    TEXTMETRICA tm = {};
    {
        const HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), m_font.GetSafeHandle());
        ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
        ::SelectObject(pDC->GetSafeHdc(), hOld);
    }
    int h = rectCell.Height();
    if (m_bSizeToContent)
        h = std::min<int>(tm.tmHeight + 2, rectCell.Height());
    CRect rectWindow(rectCell.left, rectCell.top, rectCell.right, rectCell.top + h);
    if (cached.GetIncludeVerticalAlignment())
    {
        if (cached.GetVerticalAlignment() == DT_VCENTER)
            rectWindow.OffsetRect(0, (rectCell.Height() - h) / 2);
        else if (cached.GetVerticalAlignment() == DT_BOTTOM)
            rectWindow.OffsetRect(0, rectCell.Height() - h);
    }
    if (GXGetAppData()->m_nWinVersion >= 0x400 || rectCell.Height() < h + 2 * m_nFrameSize)
    {
        if (!m_bInactiveDrawFrameInside)
            rectWindow.InflateRect(0, m_nFrameSize);
        else
            h -= 2 * m_nFrameSize;
    }
    PrepareActiveDraw(cached, tm);
    rectWindow.bottom += GetDroppedHeight(tm);
    // The frame above the edit field of a cell right under the frozen rows, or a cell scrolled partly
    // behind them, would cover them: the edit field loses what is cut off above it.
    const int nTop = rectWindow.top;
    rectWindow = GXCellEditState::FitToScrolledPane(*this, rectWindow, nRow, nCol);
    h = std::max(1, h - static_cast<int>(rectWindow.top - nTop));
    CRect rectOld;
    GetWindowRect(&rectOld);
    ::MapWindowPoints(nullptr, GridHwnd(), reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (rectOld != rectWindow)
        ::MoveWindow(m_hWnd, rectWindow.left, rectWindow.top, rectWindow.Width(), rectWindow.Height(), FALSE);
    SetItemHeight(-1, static_cast<UINT>(h + (GXGetAppData()->m_nWinVersion < 0x400 ? m_nFrameSize : 0)));

    const HWND hGrid = GridHwnd();
    if (::GetFocus() == hGrid)
    {
        CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
        ::SetFocus(m_hWnd);
    }
    if (cached.GetIncludeMaxLength() && cached.GetMaxLength() > 0)
        LimitText(cached.GetMaxLength());
    if (!IsDropDownList())
        SetEditSel(m_nEditSelStart, m_nEditSelEnd);
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    ::UpdateWindow(m_hWnd);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXComboBoxWnd::PrepareActiveDraw(const CGXStyle&, const TEXTMETRICA&)
{
}

int CGXComboBoxWnd::GetDroppedHeight(const TEXTMETRICA& tm)
{
    return (tm.tmHeight + 2 + 2 * m_nFrameSize) * std::min(GetCount(), kMaxDroppedRows);
}

void CGXComboBoxWnd::Hide()
{
    if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd))
        return;
    CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
    ShowDropDown(FALSE);
    const HWND hFocus = ::GetFocus();
    const BOOL bHadFocus = hFocus == m_hWnd || (hFocus != nullptr && ::IsChild(m_hWnd, hFocus));
    if (HWND hEdit = ::GetWindow(m_hWnd, GW_CHILD))
        ::HideCaret(hEdit);
    ::ShowWindow(m_hWnd, SW_HIDE);
    if (bHadFocus)
        ::SetFocus(GridHwnd());
}

// ---- Mouse ----

BOOL CGXComboBoxWnd::ActivateAndDrop(BOOL bAnyStyle, CPoint pointInCombo)
{
    if (!m_bActive)
    {
        if (!OnStartEditing())
            return FALSE;
        SetActive(TRUE);
        Refresh();
    }
    if ((bAnyStyle || IsDropDownList()) && !GetDroppedState() && (bAnyStyle || m_bDropDownOnClick))
    {
        if (GXGetAppData()->m_nWinVersion < 0x400)
            m_bDropPending = TRUE;
        else
        {
            ::UpdateWindow(GridHwnd());
            // The combo opens its own list on a click, as a user's would.
            const LPARAM at = MAKELPARAM(pointInCombo.x, pointInCombo.y);
            ::PostMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::PostMessageA(m_hWnd, WM_LBUTTONUP, MK_LBUTTON, at);
        }
    }
    return TRUE;
}

BOOL CGXComboBoxWnd::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if ((nHitState & 2) == 0 && pParam != nullptr && (pParam->m_wActivateCell & 7) != 0 && m_bInit)
    {
        ActivateAndDrop(FALSE, CPoint(0, 0));
        CGXControl::LButtonUp(nFlags, point, nHitState);
        return TRUE;
    }
    return CGXControl::LButtonUp(nFlags, point, nHitState);
}

BOOL CGXComboBoxWnd::LButtonDblClk(UINT nFlags, CPoint point)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (!m_bActive && pParam != nullptr && (pParam->m_wActivateCell & 8) != 0 && m_bInit)
    {
        ActivateAndDrop(FALSE, CPoint(0, 0));
        return TRUE;
    }
    return CGXControl::LButtonDblClk(nFlags, point);
}

void CGXComboBoxWnd::OnClickedButton(CGXChild* pChild)
{
    if (m_bInit && m_pButton != nullptr)
    {
        const CRect cell = CGXControl::GetCellRect(m_nRow, m_nCol);
        const CRect button = m_pButton->GetRect();
        ActivateAndDrop(TRUE, CPoint(button.left - cell.left + 5, button.top - cell.top + 5));
    }
    CGXControl::OnClickedButton(pChild);
}

// ---- Keys ----

BOOL CGXComboBoxWnd::HandleKey(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    CWnd* pGridWnd = GetGridWnd();
    auto toGrid = [&]() { return m_pGrid->DispatchKeyMessage(pGridWnd, WM_KEYDOWN, nChar, nRepCnt, nFlags); };
    if (CtrlHeld())
        return toGrid();
    const BOOL bDropped = m_hWnd != nullptr && GetDroppedState();
    const BOOL bArrowsToGrid = !m_bWantArrowKeys && !bDropped;
    int nStart = 0;
    int nEnd = 0;
    if (!IsDropDownList() && m_hWnd != nullptr)
    {
        const DWORD dwSel = GetEditSel();
        nStart = LOWORD(dwSel);
        nEnd = HIWORD(dwSel);
    }
    switch (nChar)
    {
    case VK_TAB:
    case VK_ESCAPE:
        return toGrid();
    case VK_RETURN:
        if (!bDropped)
            return toGrid();
        ShowDropDown(FALSE);
        return TRUE;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        return bArrowsToGrid ? toGrid() : FALSE;
    case VK_LEFT:
        return bArrowsToGrid && (IsDropDownList() || nEnd <= 0) ? toGrid() : FALSE;
    case VK_RIGHT:
        return bArrowsToGrid && (IsDropDownList() || nStart >= ::GetWindowTextLengthA(m_hWnd)) ? toGrid() : FALSE;
    default:
        return nChar >= VK_F1 && nChar <= VK_F24 ? toGrid() : FALSE;
    }
}

BOOL CGXComboBoxWnd::KeyDown(UINT nChar, UINT, UINT)
{
    const HWND hGrid = GridHwnd();
    if (m_hWnd == nullptr || CtrlHeld() || ::GetFocus() != hGrid || (nChar != VK_END && nChar != VK_HOME))
        return FALSE;
    if (!OnStartEditing())
        return FALSE;
    if (!m_bInit)
        Init(m_nRow, m_nCol);
    SetActive(TRUE);
    if (!IsDropDownList())
    {
        const int nAt = nChar == VK_END ? ::GetWindowTextLengthA(m_hWnd) : 0;
        SetEditSel(nAt, nAt);
    }
    if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE))
        Refresh();
    return TRUE;
}

BOOL CGXComboBoxWnd::Char(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar < 32 || nChar == 127)
        return FALSE;
    const char sz[2] = {static_cast<char>(nChar), 0};
    return CharDbcs(CString(sz), nRepCnt, nFlags);
}

BOOL CGXComboBoxWnd::CharDbcs(const CString& text, UINT, UINT)
{
    if (IsReadOnly() || m_hWnd == nullptr)
        return FALSE;
    if (m_bActive)
    {
        ReplaceSel(text);
        if (!IsDropDownList())
        {
            const int nAt = LOWORD(GetEditSel());
            SetEditSel(nAt, nAt);
        }
        return TRUE;
    }
    if (!OnStartEditing())
        return FALSE;
    SetActive(TRUE);
    if (IsDropDownList())
    {
        // The next item after the current one that begins with the text, wrapping round.
        const int nSelBefore = GetCurSel();
        const int nFrom = FindString(-1, WindowText());
        SelectString(nFrom, text);
        if (GetCurSel() == nSelBefore)
            SelectString(-1, text);
    }
    else
    {
        ::SetWindowTextA(m_hWnd, text);
        SetEditSel(text.GetLength(), text.GetLength());
    }
    m_bModified = TRUE;
    OnModifyCell();
    Refresh();
    return TRUE;
}

BOOL CGXComboBoxWnd::SysKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar != VK_DOWN || m_hWnd == nullptr)
        return FALSE;
    if (!m_bActive)
    {
        if (!OnStartEditing())
            return FALSE;
        SetActive(TRUE);
    }
    if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE))
        Refresh();
    ::UpdateWindow(GridHwnd());
    ShowDropDown(TRUE);
    return TRUE;
}

void CGXComboBoxWnd::ShowPendingDropDown()
{
    if (m_bDropPending && m_hWnd != nullptr && !GetDroppedState())
        ShowDropDown(TRUE);
    m_bDropPending = FALSE;
}

// ---- Text operations of a combo with an edit field ----

BOOL CGXComboBoxWnd::GetSelectedText(CString& text)
{
    if (!m_bNotOwnerDrawn || m_hWnd == nullptr || !m_bActive)
        return CGXControl::GetSelectedText(text);
    if (m_nIndexValue >= 0 && !m_bDispChoice)
    {
        const int nSel = GetCurSel();
        text = nSel == CB_ERR ? CString() : IndexText(nSel + m_nIndexValue);
        return !text.IsEmpty();
    }
    const CString all = WindowText();
    if (IsDropDownList())
    {
        text = all;
        return !text.IsEmpty();
    }
    const DWORD dwSel = GetEditSel();
    const int nStart = LOWORD(dwSel);
    const int nEnd = HIWORD(dwSel);
    text = nStart < nEnd ? all.Mid(nStart, nEnd - nStart) : all;
    return nStart < nEnd;
}

BOOL CGXComboBoxWnd::FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                              BOOL bSetCell)
{
    if (!m_bNotOwnerDrawn || settings.strFind.IsEmpty())
        return FALSE;
    if (!IsInitAt(nRow, nCol) || !m_bActive || IsDropDownList())
        return CGXControl::FindText(settings, nRow, nCol, bCurrentPos, bSetCell);
    const BOOL bCase = settings.bCase;
    CString text = WindowText();
    CString find = settings.strFind;
    if (!bCase)
    {
        text.MakeUpper();
        find.MakeUpper();
    }
    const int nFrom = HIWORD(GetEditSel());
    const unsigned char* pText = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text));
    if (nFrom > text.GetLength())
        return FALSE;
    const unsigned char* pHit = _mbsstr(pText + nFrom, reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(find)));
    if (pHit == nullptr)
        return FALSE;
    if (bSetCell)
    {
        const int nAt = static_cast<int>(pHit - pText);
        SetEditSel(nAt, nAt + find.GetLength());
    }
    return TRUE;
}

void CGXComboBoxWnd::ReplaceSel(LPCTSTR pszText)
{
    if (!m_bActive || m_hWnd == nullptr)
    {
        CGXControl::ReplaceSel(pszText);
        return;
    }
    if (IsReadOnly() || !m_bNotOwnerDrawn)
        return;
    const CString text = pszText != nullptr ? pszText : "";
    if (IsDropDownList())
        SelectString(-1, text);
    else
    {
        const DWORD dwSel = GetEditSel();
        const CString all = TextOfWindow(m_hWnd);
        const int nStart = std::min<int>(LOWORD(dwSel), all.GetLength());
        const int nEnd = std::max<int>(nStart, std::min<int>(HIWORD(dwSel), all.GetLength()));
        ::SetWindowTextA(m_hWnd, all.Left(nStart) + text + all.Mid(nEnd));
        SetEditSel(nStart + text.GetLength(), nStart + text.GetLength());
    }
    m_bModified = TRUE;
    OnModifyCell();
}

// ---- Notifications ----

void CGXComboBoxWnd::RestoreSaved()
{
    if (IsDropDownList())
        SetCurSel(m_nSavedSel);
    else
        ::SetWindowTextA(m_hWnd, m_strSavedText);
}

BOOL CGXComboBoxWnd::OnGridCommand(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != m_hWnd || m_hWnd == nullptr || !m_bActive)
        return FALSE;
    switch (HIWORD(wParam))
    {
    case CBN_DROPDOWN:
        m_pGrid->m_bDropDownCell = TRUE;
        m_nSavedSel = GetCurSel();
        m_strSavedText = TextOfWindow(m_hWnd);
        return TRUE;
    case CBN_CLOSEUP:
        m_pGrid->m_bDropDownCell = FALSE;
        if (IsReadOnly())
            RestoreSaved();
        else if (m_bModified)
            OnModifyCell();
        return TRUE;
    case CBN_SELCHANGE:
    case CBN_EDITCHANGE:
        // A read-only cell shows the list but keeps what it held.
        if (IsReadOnly())
            RestoreSaved();
        else
        {
            m_bModified = TRUE;
            OnModifyCell();
        }
        return TRUE;
    case CBN_SETFOCUS:
        ShowPendingDropDown();
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CGXComboBoxWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_KEYDOWN:
        if (HandleKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
            return 0;
        break;
    case WM_ERASEBKGND:
    {
        RECT rect;
        ::GetClientRect(m_hWnd, &rect);
        const HDC hDC = reinterpret_cast<HDC>(wParam);
        ::FillRect(hDC, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        const HBRUSH hBrush = ::CreateSolidBrush(m_rgbBackground);
        ::FillRect(hDC, &rect, hBrush);
        ::DeleteObject(hBrush);
        return TRUE;
    }
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        const HWND hNew = reinterpret_cast<HWND>(wParam);
        if (hNew != m_hWnd && (hNew == nullptr || !::IsChild(m_hWnd, hNew)))
            NotifyKillFocus(CWnd::FromHandle(hNew));
        return lResult;
    }
    case WM_GETDLGCODE:
        return CComboBox::WindowProc(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
    default:
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}
