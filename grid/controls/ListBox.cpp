#include "grid/controls/ListBox.h"

#include "framework/win/Dc.h"
#include "grid/controls/CellEditState.h"
#include "grid/controls/DrawnCell.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CGXListBox, CListBox)
GRID_IMPLEMENT_CONTROL(CGXListBox, CGXControl)

namespace
{
BOOL CtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

std::vector<CString> ChoiceLines(const CGXStyle& style)
{
    std::vector<CString> lines;
    if (!style.GetIncludeChoiceList() || style.GetChoiceList().IsEmpty())
        return lines;
    CString list = style.GetChoiceList();
    CString line;
    for (;;)
    {
        const BOOL bLast = CGXDrawingAndFormatting::CutFirstLine(list, line) < 0;
        lines.push_back(line);
        if (bLast || list.IsEmpty())
            break;
    }
    return lines;
}

int TextMargin()
{
    return std::max(2, ::GetSystemMetrics(SM_CXFRAME) / 2);
}
}  // namespace

CGXListBox::CGXListBox(CGXGridCore* pGrid, UINT nID)
    : CGXControl(pGrid), m_nID(nID), m_rgbHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_rgbBackground(::GetSysColor(COLOR_WINDOW))
{
}

CGXListBox::~CGXListBox()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_font.DeleteObject();
}

CRuntimeClass* CGXListBox::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXListBox);
}

CWnd* CGXListBox::GetWnd()
{
    return this;
}

BOOL CGXListBox::CreateControl()
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    return CreateEx(0, "GXLISTBOX", "", WS_CHILD | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY, CRect(0, 0, 0, 0), pGridWnd,
                    m_nID);
}

void CGXListBox::FillListBox()
{
    if (m_hWnd == nullptr)
        return;
    ResetContent();
    const CGXStyle& style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    for (const CString& line : ChoiceLines(style))
        AddString(line);
    CString text;
    GetControlText(text, m_nRow, m_nCol, nullptr, style);
    if (!text.IsEmpty())
        SelectString(-1, text);
}

// ---- State ----

void CGXListBox::SetActive(BOOL bActive)
{
    GXCellEditState::SetActive(*this, m_bActive, bActive && m_hWnd != nullptr);
}

BOOL CGXListBox::IsActive()
{
    return m_bActive;
}

void CGXListBox::SetModify(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXListBox::GetModify()
{
    return m_bModified;
}

void CGXListBox::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXControl::Init(nRow, nCol);
    if (m_hWnd == nullptr)
        CreateControl();
    GetCachedStyle();
    SetActive(FALSE);
    m_bModified = FALSE;
}

CString CGXListBox::SelectedText()
{
    CString text;
    const int nSel = m_hWnd != nullptr ? GetCurSel() : LB_ERR;
    if (nSel != LB_ERR)
        GetText(nSel, text);
    return text;
}

BOOL CGXListBox::Store()
{
    if (IsReadOnly())
    {
        Init(m_nRow, m_nCol);
        m_bModified = FALSE;
        Refresh();
    }
    SetActive(FALSE);
    if (m_pStyle == nullptr || !m_bModified)
        return TRUE;
    m_bModified = FALSE;
    return m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), SelectedText());
}

BOOL CGXListBox::GetCurrentText(CString& text)
{
    if (m_bActive)
    {
        text = SelectedText();
        return TRUE;
    }
    return CGXControl::GetCurrentText(text);
}

void CGXListBox::SetCurrentText(const CString& text)
{
    if (!m_bInit || m_hWnd == nullptr)
        return;
    SetActive(TRUE);
    if (!ValidateString(text))
        return;
    if (SelectString(-1, text) == LB_ERR)
        return;
    m_bModified = TRUE;
    OnModifyCell();
}

// ---- Geometry and drawing ----

CSize CGXListBox::GetBorderSize(ROWCOL, ROWCOL, const CGXStyle& style)
{
    const int m = TextMargin();
    return m_pGrid->AddBorders(CSize(m + m / 2, 0), style);
}

CSize CGXListBox::CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle*, BOOL)
{
    if (pDC == nullptr)
        return CSize(0, 0);
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    CSize size(0, 0);
    for (const CString& line : ChoiceLines(style))
    {
        SIZE extent = {};
        ::GetTextExtentPoint32A(pDC->GetSafeHdc(), line, line.GetLength(), &extent);
        size.cx = std::max<int>(size.cx, extent.cx);
        size.cy += extent.cy;
    }
    return CSize(size.cx + 4, size.cy + 4) + GetBorderSize(nRow, nCol, style);
}

void CGXListBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                      const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr || rect.Width() < 2 || rect.Height() < 2)
        return;
    const HDC hDC = pDC->GetSafeHdc();
    const BOOL bBlackWhite = GXDrawnCell::IsBlackWhite(m_pGrid);
    if (IsInitAt(nRow, nCol) && m_bActive && m_hWnd != nullptr && !m_pGrid->IsPrinting())
    {
        // The active cell shows the list window; showing it changes no value.
        const CGXStyle& cached = GetCachedStyle();
        Hide();
        m_font.DeleteObject();
        const LOGFONT lf = cached.GetFont().GetLogFontZoomed(m_pGrid->GetZoom());
        m_font.CreateFontIndirect(&lf);
        m_rgbBackground = GXDrawnCell::InteriorColor(cached, bBlackWhite);
        DrawBackground(pDC, rect, cached);
        CRect rectText = GetCellRect(nRow, nCol, &rect, &cached);
        if (cached.GetIncludeHorizontalAlignment() && cached.GetHorizontalAlignment() == DT_RIGHT)
            ++rectText.right;
        // A cell scrolled partly behind the frozen rows or columns shows its list beside them only.
        rectText = GXCellEditState::FitToScrolledPane(*this, rectText, nRow, nCol);
        ::MoveWindow(m_hWnd, rectText.left, rectText.top, rectText.Width(), rectText.Height(), FALSE);
        SetFont(&m_font, FALSE);
        FillListBox();
        ::MoveWindow(m_hWnd, rectText.left, rectText.top, rectText.Width(), rectText.Height(), FALSE);
        ::ShowWindow(m_hWnd, SW_SHOWNA);
        ::UpdateWindow(m_hWnd);
        const HWND hGrid = GetGridWnd() != nullptr ? GetGridWnd()->GetSafeHwnd() : nullptr;
        if (::GetFocus() == hGrid)
        {
            CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
            ::SetFocus(m_hWnd);
        }
        CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }

    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    const COLORREF oldText = ::SetTextColor(hDC, GXDrawnCell::TextColor(style, bBlackWhite));
    const COLORREF oldBack = ::SetBkColor(hDC, GXDrawnCell::InteriorColor(style, bBlackWhite));
    DrawBackground(pDC, rect, style);
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const UINT nFormat = GXDrawnCell::AlignmentFlags(style) | DT_SINGLELINE | DT_NOPREFIX;
    CRect rectText = GetCellRect(nRow, nCol, &rect, &style);
    rectText.left += 2;
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    const int nLine = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    const std::vector<CString> lines = ChoiceLines(style);
    const CString& value = style.GetValue();

    // The value's line is the last one shown: the lines that would reach below the cell before it
    // are skipped.
    int nSelected = -1;
    int nSkip = 0;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
    {
        if (rectText.top + (i + 1) * nLine > rectText.bottom)
            ++nSkip;
        if (lines[static_cast<size_t>(i)] == value)
        {
            nSelected = i;
            break;
        }
    }
    if (nSelected < 0)
        nSkip = 0;
    for (int i = nSkip; i < static_cast<int>(lines.size()); ++i)
    {
        const int nTop = rectText.top + (i - nSkip) * nLine;
        CRect rectLine(rectText.left, nTop, rectText.right, nTop + nLine);
        if (rectLine.bottom > rectText.bottom)
            break;
        const CString& line = lines[static_cast<size_t>(i)];
        ::DrawTextA(hDC, line, line.GetLength(), &rectLine, nFormat);
        if (i == nSelected)
            ::InvertRect(hDC, &rectLine);
    }
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBack);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXListBox::Hide()
{
    if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd))
        return;
    CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
    ::HideCaret(m_hWnd);
    ::MoveWindow(m_hWnd, 0, 0, 0, 0, FALSE);
    ::ShowWindow(m_hWnd, SW_HIDE);
}

// ---- Mouse and keys ----

BOOL CGXListBox::ActivateWithClick(UINT nFlags, CPoint point)
{
    if (!m_bActive && !OnStartEditing())
        return FALSE;
    SetActive(TRUE);
    Refresh();
    // The window must stand over the cell before the click reaches it.
    if (CWnd* pGridWnd = GetGridWnd())
        ::UpdateWindow(pGridWnd->GetSafeHwnd());
    const CRect rectText = GetCellRect(m_nRow, m_nCol);
    const LPARAM at = MAKELPARAM(point.x - rectText.left, point.y - rectText.top);
    ::PostMessageA(m_hWnd, WM_LBUTTONDOWN, nFlags | MK_LBUTTON, at);
    ::PostMessageA(m_hWnd, WM_LBUTTONUP, nFlags, at);
    return TRUE;
}

BOOL CGXListBox::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if ((nHitState & 2) == 0 && pParam != nullptr && (pParam->m_wActivateCell & 7) != 0 && m_bInit &&
        m_hWnd != nullptr)
    {
        if (!ActivateWithClick(nFlags, point))
            return FALSE;
        CGXControl::LButtonUp(nFlags, point, nHitState);
    }
    return TRUE;
}

BOOL CGXListBox::LButtonDblClk(UINT nFlags, CPoint point)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (!m_bActive && pParam != nullptr && (pParam->m_wActivateCell & 8) != 0 && m_bInit && m_hWnd != nullptr)
        return ActivateWithClick(nFlags, point);
    return CGXControl::LButtonDblClk(nFlags, point);
}

BOOL CGXListBox::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bInit)
        return FALSE;
    GetCachedStyle();
    if (nMessage != WM_KEYDOWN || !OnStartEditing())
        return FALSE;
    SetActive(TRUE);
    CGXControl::DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags);
    if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE))
        Refresh();
    return TRUE;
}

BOOL CGXListBox::OnGridCommand(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) == m_hWnd && m_hWnd != nullptr && HIWORD(wParam) == LBN_SELCHANGE &&
        !IsReadOnly())
    {
        m_bModified = TRUE;
        OnModifyCell();
    }
    return FALSE;
}

LRESULT CGXListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    switch (message)
    {
    case WM_GETDLGCODE:
        return CListBox::WindowProc(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    {
        m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
        const BOOL bToGrid = CtrlHeld() || nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE ||
                             nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_DELETE ||
                             (nChar >= VK_F1 && nChar <= VK_F24);
        if (bToGrid && m_pGrid->DispatchKeyMessage(this, WM_KEYDOWN, nChar, LOWORD(lParam), HIWORD(lParam)))
            return 0;
        break;
    }
    case WM_CHAR:
        if (m_pGrid->DispatchKeyMessage(this, WM_CHAR, nChar, LOWORD(lParam), HIWORD(lParam)))
            return 0;
        break;
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        NotifyKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return lResult;
    }
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}
