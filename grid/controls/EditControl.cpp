#include "grid/controls/EditControl.h"

#include "framework/core/NumberText.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <mbstring.h>

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CGXEditControl, CEdit)
GRID_IMPLEMENT_CONTROL(CGXEditControl, CGXStatic)

BOOL CGXEditControl::s_bImeComposing = FALSE;

namespace
{
BOOL CtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

BOOL ShiftHeld()
{
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// Upper-cases a multibyte text in place of a copy.
CString UpperCased(const CString& text)
{
    CString upper = text;
    if (!upper.IsEmpty())
    {
        LPTSTR pszBuffer = upper.GetBuffer(upper.GetLength());
        _mbsupr(reinterpret_cast<unsigned char*>(pszBuffer));
        upper.ReleaseBuffer();
    }
    return upper;
}

// Byte offset of the first occurrence of find in text at or after nStart; -1 when none.
int FindFrom(const CString& text, const CString& find, int nStart)
{
    if (find.IsEmpty() || nStart < 0 || nStart > text.GetLength())
        return -1;
    const unsigned char* pszText = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text));
    const unsigned char* pHit =
        _mbsstr(pszText + nStart, reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(find)));
    return pHit == nullptr ? -1 : static_cast<int>(pHit - pszText);
}
}  // namespace

CGXEditControl::CGXEditControl(CGXGridCore* pGrid, UINT nID)
    : CGXStatic(pGrid), m_nID(nID), m_rgbHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT))
{
}

CGXEditControl::~CGXEditControl()
{
    if (HasWindow())
        DestroyWindow();
    if (m_hWindowFont != nullptr)
        ::DeleteObject(m_hWindowFont);
}

CRuntimeClass* CGXEditControl::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXEditControl);
}

CWnd* CGXEditControl::GetWnd()
{
    return this;
}

// ---- Window helpers ----

CString CGXEditControl::WindowText() const
{
    CString text;
    if (m_hWnd != nullptr)
    {
        const int nLength = ::GetWindowTextLengthA(m_hWnd);
        if (nLength > 0)
        {
            ::GetWindowTextA(m_hWnd, text.GetBuffer(nLength + 1), nLength + 1);
            text.ReleaseBuffer();
        }
    }
    return text;
}

void CGXEditControl::SetSelection(int nStart, int nEnd, BOOL bScroll)
{
    ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStart), static_cast<LPARAM>(nEnd));
    if (bScroll)
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CGXEditControl::GetSelection(int& nStart, int& nEnd) const
{
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    nStart = static_cast<int>(dwStart);
    nEnd = static_cast<int>(dwEnd);
}

BOOL CGXEditControl::IsRightToLeftWindow() const
{
    return m_hWnd != nullptr && (::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

void CGXEditControl::EvalFloat()
{
    const CGXRange cell(m_nRow, m_nCol);
    m_pGrid->DelayFloatCells(cell, GX_INVALID);
    m_pGrid->EvalFloatCells(cell, TRUE, nullptr, FALSE);
}

// ---- State ----

void CGXEditControl::SetActive(BOOL bActive)
{
    const BOOL bNew = bActive && HasWindow();
    if (bNew && !m_bActive)
    {
        FreeStyle(TRUE);
        GetCachedStyle();
    }
    m_bActive = bNew;
    if (HasWindow() && m_bInit)
        EvalFloat();
}

BOOL CGXEditControl::IsActive()
{
    return m_bActive;
}

void CGXEditControl::SetModify(BOOL bModified)
{
    if (HasWindow())
        ::SendMessageA(m_hWnd, EM_SETMODIFY, bModified, 0);
}

BOOL CGXEditControl::GetModify()
{
    return HasWindow() && ::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0) != 0;
}

BOOL CGXEditControl::CreateEditWindow(DWORD dwStyle, const RECT* pRect)
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const RECT rect = pRect != nullptr ? *pRect : RECT{0, 0, 0, 0};
    return CreateEx(m_bRightToLeft ? WS_EX_RTLREADING : 0, "GXEDIT", "", dwStyle | WS_CHILD, rect, pGridWnd, m_nID);
}

void CGXEditControl::Init(ROWCOL nRow, ROWCOL nCol)
{
    s_bImeComposing = FALSE;
    CGXControl::Init(nRow, nCol);
    if (!HasWindow())
        CreateEditWindow(0, nullptr);
    const CGXStyle& style = GetCachedStyle();
    CString text = m_pGrid->GetStoredValueRowCol(nRow, nCol);
    FormatNumberText(text, style);
    m_bAutoSize = style.GetIncludeAutoSize() ? style.GetAutoSize() : FALSE;
    SetValue(text);
    if (HasWindow())
    {
        SetSelection(0, -1);
        if (m_bActive)
            ::SendMessageA(m_hWnd, EM_LINESCROLL, 0, 255);
    }
    SetModify(FALSE);
}

void CGXEditControl::SetValue(LPCTSTR pszRawValue)
{
    if (!HasWindow())
        return;
    CGXGridParam* pParam = m_pGrid->GetParam();
    CString text;
    if (pParam != nullptr && pParam->m_bShowStoredValues)
        text = pszRawValue != nullptr ? CString(pszRawValue) : m_pGrid->GetStoredValueRowCol(m_nRow, m_nCol);
    else
        GetControlText(text, m_nRow, m_nCol, pszRawValue, GetCachedStyle());
    ::SetWindowTextA(m_hWnd, text);
    if (m_bActive)
        EvalFloat();
}

BOOL CGXEditControl::GetCurrentText(CString& text)
{
    if (m_bActive && HasWindow())
        text = WindowText();
    else if (m_bInit)
    {
        const CGXStyle& style = GetCachedStyle();
        GetControlText(text, m_nRow, m_nCol, nullptr, style);
    }
    else
        text.Empty();
    return TRUE;
}

void CGXEditControl::SetCurrentText(const CString& text)
{
    if (!m_bInit || !HasWindow())
        return;
    if (!m_bActive)
        SetActive(TRUE);
    if (ValidateString(text))
    {
        ::SetWindowTextA(m_hWnd, text);
        SetModify(TRUE);
        OnModifyCell();
    }
    EvalFloat();
}

BOOL CGXEditControl::GetValue(CString& value)
{
    if (!m_bInit)
        return FALSE;
    GetCurrentText(value);
    return TRUE;
}

BOOL CGXEditControl::Store()
{
    if (m_pStyle == nullptr || !GetModify())
        return TRUE;
    CString text;
    if (!GetValue(text))
        return TRUE;
    double dValue = 0.0;
    const BOOL bNumber = ParseNumberText(text, *m_pStyle, &dValue);
    SetActive(FALSE);
    FreeStyle(TRUE);
    return StoreValueText(m_nRow, m_nCol, text, bNumber, GX_INVALIDATE);
}

BOOL CGXEditControl::StoreValueText(ROWCOL nRow, ROWCOL nCol, const CString& text, BOOL bNumber, UINT nFlags)
{
    if (!bNumber)
        return m_pGrid->StoreCellValueText(nRow, nCol, text, nFlags);
    CGXStyle* pStyle = m_pGrid->NewStyle();
    pStyle->SetValue(text);
    pStyle->SetValueType(GX_VT_NUMERIC);
    const BOOL bStored = m_pGrid->StoreStyleRowCol(nRow, nCol, pStyle, gxOverride, 0);
    m_pGrid->RecycleStyle(pStyle);
    return bStored;
}

BOOL CGXEditControl::OnEndEditing()
{
    if (!CGXControl::OnEndEditing())
        return FALSE;
    m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol), GX_INVALID);
    return TRUE;
}

BOOL CGXEditControl::IsFloatCandidate(ROWCOL, ROWCOL, const CGXStyle& style, BOOL bFloat)
{
    return bFloat ? !style.GetValue().IsEmpty() : style.GetValue().IsEmpty();
}

BOOL CGXEditControl::StoreControlText(ROWCOL nRow, ROWCOL nCol, CString& text, const CGXStyle& style,
                                      UINT nFlags)
{
    double dValue = 0.0;
    const BOOL bNumber = ParseNumberText(text, style, &dValue);
    return StoreValueText(nRow, nCol, text, bNumber, nFlags);
}

void CGXEditControl::Hide()
{
    if (!HasWindow() || !::IsWindowVisible(m_hWnd))
        return;
    CGXFlagScope guard(m_pGrid->m_bFocusChanging, TRUE);
    ::HideCaret(m_hWnd);
    ::MoveWindow(m_hWnd, 0, 0, 0, 0, FALSE);
    ::ShowWindow(m_hWnd, SW_HIDE);
}

// ---- Numbers ----

BOOL CGXEditControl::IsNumberFormat(const CGXStyle* pStyle)
{
    if (pStyle == nullptr || !pStyle->GetIncludeFormat())
        return FALSE;
    switch (pStyle->GetFormat())
    {
    case 1: case 2: case 3: case 4: case 5: case 23: case 28:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CGXEditControl::ParseNumberText(CString& text, const CGXStyle& style, double* pValue)
{
    if (!IsNumberFormat(&style))
        return FALSE;
    double dValue = 0.0;
    if (!CGXDrawingAndFormatting::GetInstance()->ConvertValueText(text, dValue))
        return FALSE;
    if (pValue != nullptr)
        *pValue = dValue;
    text = NumberText::FormatDouble(dValue, 'g', 14).c_str();
    const char cSeparator = GXGetAppData()->m_cDecimalSeparator;
    if (cSeparator != '.')
    {
        const int nAt = text.Find(cSeparator);
        if (nAt >= 0)
            text.SetAt(nAt, '.');
    }
    return TRUE;
}

BOOL CGXEditControl::FormatNumberText(CString& text, const CGXStyle& style)
{
    if (!IsNumberFormat(&style))
        return FALSE;
    const char cSeparator = GXGetAppData()->m_cDecimalSeparator;
    if (cSeparator != '.')
    {
        const int nAt = text.Find('.');
        if (nAt >= 0)
            text.SetAt(nAt, cSeparator);
    }
    return TRUE;
}

// ---- Drawing and window style ----

BOOL CGXEditControl::DrawsAsStatic(ROWCOL nRow, ROWCOL nCol) const
{
    return !IsInitAt(nRow, nCol) || !m_bActive || m_pGrid->IsPrinting() || !HasWindow();
}

BOOL CGXEditControl::DrawsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    // A derived control may draw more than this class: it answers for itself.
    return GetClassInfo() == GRID_CONTROL_CLASSINFO(CGXEditControl) && DrawsAsStatic(nRow, nCol) &&
           ShowsInteriorOnly(nRow, nCol, style);
}

void CGXEditControl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                          const CGXStyle* pStandardStyle)
{
    if (DrawsAsStatic(nRow, nCol))
    {
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    if (s_bImeComposing)
        return;
    const CGXStyle& cached = GetCachedStyle();

    if (m_bFloatRefresh && ::IsWindowVisible(m_hWnd))
    {
        const CRect rectText = GetCellRect(nRow, nCol, &rect);
        ::MoveWindow(m_hWnd, rectText.left, rectText.top, rectText.Width(), rectText.Height(), TRUE);
        DrawBackground(pDC, rect, cached, TRUE);
        CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        m_bFloatRefresh = FALSE;
        return;
    }

    Hide();
    if (m_hWindowFont != nullptr)
        ::DeleteObject(m_hWindowFont);
    m_hWindowFont = CreateStyleFont(cached, pStandardStyle);

    CGXProperties* pProperties = m_pGrid->GetProperties();
    const BOOL bBlackWhite = pProperties != nullptr && pProperties->GetBlackWhite();
    m_rgbBackground = bBlackWhite ? RGB(255, 255, 255) : cached.GetInterior().GetColor();

    TEXTMETRICA tm = {};
    const HDC hDC = pDC->GetSafeHdc();
    const HGDIOBJ hOldFont = ::SelectObject(hDC, m_hWindowFont);
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOldFont);
    m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    m_nMaxCharWidth = tm.tmMaxCharWidth;

    CRect rectText = GetCellRect(nRow, nCol, &rect);
    if (!cached.GetWrapText())
    {
        if (cached.GetIncludeVerticalAlignment())
        {
            const UINT nVert = cached.GetVerticalAlignment();
            // A cell lower than one line keeps its top.
            if (nVert == DT_VCENTER)
                rectText.top += std::max(0, (rectText.Height() - m_nLineHeight) / 2);
            else if (nVert == DT_BOTTOM && rectText.bottom - m_nLineHeight >= rectText.top)
                rectText.top = rectText.bottom - m_nLineHeight;
        }
        if (rectText.top + m_nLineHeight <= rectText.bottom)
            rectText.bottom = rectText.top + m_nLineHeight;
    }
    const UINT nHorz = cached.GetIncludeHorizontalAlignment() ? cached.GetHorizontalAlignment() : DT_LEFT;
    if (nHorz == DT_RIGHT)
        rectText.right += 1;

    DrawBackground(pDC, rect, cached, TRUE);
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hWindowFont), TRUE);
    ::MoveWindow(m_hWnd, rectText.left, rectText.top, rectText.Width(), rectText.Height(), FALSE);

    m_dwAlignStyle = nHorz == DT_RIGHT ? ES_RIGHT : nHorz == DT_CENTER ? ES_CENTER : ES_LEFT;
    if (cached.GetIncludeVerticalScrollbar())
        m_bVertScrollBar = cached.GetVerticalScrollbar();
    if (cached.GetIncludeAutoSize())
        m_bAutoSize = cached.GetAutoSize();
    m_bAllowEnter = cached.GetAllowEnter();
    m_bWrapText = cached.GetWrapText();
    CString rtl;
    cached.GetUserAttributeText(GX_IDS_UA_RTLREADING, rtl);
    m_bRightToLeft = std::atoi(rtl) != 0;

    SetActive(TRUE);
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd != nullptr && ::GetFocus() == pGridWnd->GetSafeHwnd())
    {
        CGXFlagScope guard(m_pGrid->m_bFocusChanging, TRUE);
        ::SetFocus(m_hWnd);
    }
    m_nMaxLength = cached.GetIncludeMaxLength() ? cached.GetMaxLength() : 0;
    ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength), 0);
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SendMessageA(m_hWnd, EM_SETREADONLY, IsReadOnly(), 0);
    ::UpdateWindow(m_hWnd);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

DWORD CGXEditControl::ComputeEditStyle(RECT* pRect, int* pLineHeight)
{
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    DWORD dwAlign = m_bForceLeft ? ES_LEFT : m_dwAlignStyle;

    CRect rectClient;
    ::GetClientRect(m_hWnd, &rectClient);
    const CString text = WindowText();
    const HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ hOldFont = m_hWindowFont != nullptr ? ::SelectObject(hDC, m_hWindowFont) : nullptr;
    SIZE extent = {};
    ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &extent);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    m_nMaxCharWidth = tm.tmMaxCharWidth;
    if (pLineHeight != nullptr)
        *const_cast<int*>(pLineHeight) = m_nLineHeight;

    DWORD dwEs = ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (m_bAllowEnter)
        dwEs |= ES_WANTRETURN;
    if (!m_bWrapText || (!m_bVertScrollBar && rectClient.Height() - m_nLineHeight / 3 <= m_nLineHeight))
    {
        dwEs |= ES_AUTOHSCROLL;
        // A text wider than the cell is edited left-aligned.
        if (extent.cx > rectClient.Width() - m_nMaxCharWidth)
            dwAlign = ES_LEFT;
    }
    else if (m_bVertScrollBar)
        dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP;

    if (pRect != nullptr)
    {
        *pRect = rectClient;
        if (pRect->bottom < m_nLineHeight + 1)
            pRect->bottom = m_nLineHeight + 1;
    }
    return dwStyle | dwEs | dwAlign;
}

BOOL CGXEditControl::UpdateEditStyle()
{
    if (!HasWindow() || m_bRecreating)
        return FALSE;
    RECT rectFormat = {};
    int nLineHeight = 0;
    const DWORD dwStyle = ComputeEditStyle(&rectFormat, &nLineHeight);
    const BOOL bChanged = dwStyle != m_dwCurrentStyle || IsRightToLeftWindow() != m_bRightToLeft;
    int nStart = 0, nEnd = 0;
    GetSelection(nStart, nEnd);
    int nCaretLine = 0;
    if (!bChanged)
    {
        nCaretLine = static_cast<int>(::SendMessageA(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
        ::SendMessageA(m_hWnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rectFormat));
    }
    else
    {
        m_bRecreating = TRUE;
        const BOOL bModified = GetModify();
        const BOOL bReadOnly = (::GetWindowLongA(m_hWnd, GWL_STYLE) & ES_READONLY) != 0;
        CRect rectWindow;
        ::GetWindowRect(m_hWnd, &rectWindow);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rectWindow), 2);
        const CString text = WindowText();
        const BOOL bHadFocus = ::GetFocus() == m_hWnd;
        ::HideCaret(m_hWnd);
        ::MoveWindow(m_hWnd, 0, 0, 0, 0, FALSE);
        CGXFlagScope guard(m_pGrid->m_bFocusChanging, TRUE);
        DestroyWindow();
        m_dwCurrentStyle = dwStyle;
        CreateEditWindow(dwStyle, &rectWindow);
        ::SendMessageA(m_hWnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rectFormat));
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hWindowFont), TRUE);
        ::SetWindowTextA(m_hWnd, text);
        SetSelection(nStart, nEnd);
        SetModify(bModified);
        ::SendMessageA(m_hWnd, EM_SETREADONLY, bReadOnly, 0);
        ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength), 0);
        m_bRecreating = FALSE;
        nCaretLine = static_cast<int>(::SendMessageA(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(nEnd), 0));
        ::UpdateWindow(m_hWnd);
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
        if (bHadFocus)
            ::SetFocus(m_hWnd);
    }

    CRect rectClient;
    ::GetClientRect(m_hWnd, &rectClient);
    const int nFirst = static_cast<int>(::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
    int nLast = nFirst + (m_nLineHeight > 0 ? rectClient.Height() / m_nLineHeight : 0);
    if (nLast < nFirst)
        nLast = nFirst;
    if (nCaretLine > nLast)
        ::SendMessageA(m_hWnd, EM_LINESCROLL, 0, nCaretLine - nLast);
    else if (nCaretLine < nFirst)
        ::SendMessageA(m_hWnd, EM_LINESCROLL, 0, nCaretLine - nFirst);
    ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
    return bChanged;
}

// ---- Keys that reach the control while the grid has the focus ----

BOOL CGXEditControl::KeyDown(UINT nChar, UINT, UINT)
{
    if (!HasWindow() || CtrlHeld())
        return FALSE;
    switch (nChar)
    {
    case VK_END:
    case VK_HOME:
        if (!OnStartEditing())
            return FALSE;
        if (!m_bInit)
            Init(m_nRow, m_nCol);
        SetActive(TRUE);
        if (nChar == VK_END)
        {
            const int nLength = ::GetWindowTextLengthA(m_hWnd);
            SetSelection(nLength, nLength);
        }
        else
            SetSelection(0, 0);
        break;
    case VK_DELETE:
    {
        CGXGridParam* pParam = m_pGrid->GetParam();
        if ((pParam != nullptr && pParam->m_bGridPastesOwnFormat) || IsReadOnly() || ShiftHeld() || !OnDeleteCell() ||
            !OnStartEditing())
            return FALSE;
        SetActive(TRUE);
        SetModify(TRUE);
        SetCurrentText("");
        break;
    }
    default:
        return FALSE;
    }
    UpdateEditStyle();
    if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE))
        Refresh();
    return TRUE;
}

BOOL CGXEditControl::Char(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!HasWindow() || nChar < 0x20 || nChar == 0x7F)
        return FALSE;
    const char sz[2] = {static_cast<char>(nChar), 0};
    return CharDbcs(CString(sz), nRepCnt, nFlags);
}

BOOL CGXEditControl::CharDbcs(const CString& text, UINT, UINT)
{
    if (IsReadOnly() || !HasWindow())
        return FALSE;
    if (!m_bActive)
    {
        if (!ValidateString(text) || !OnStartEditing())
            return FALSE;
        SetActive(TRUE);
        SetCurrentText(text);
        SetSelection(text.GetLength(), text.GetLength());
        Refresh();
        return TRUE;
    }
    int nStart = 0, nEnd = 0;
    GetSelection(nStart, nEnd);
    const CString current = WindowText();
    const CString wouldBe = current.Left(nStart) + text + current.Mid(nEnd);
    if (!ValidateString(wouldBe))
        return TRUE;
    m_bInserting = TRUE;
    ReplaceSel(text);
    m_bInserting = FALSE;
    SetSelection(nStart + text.GetLength(), nStart + text.GetLength());
    return TRUE;
}

// ---- Mouse ----

int CGXEditControl::CharFromPoint(CPoint point)
{
    const CGXStyle& style = GetCachedStyle();
    const CRect rect = GetCellRect(m_nRow, m_nCol);
    CString text;
    GetCurrentText(text);
    UINT nFormat = DT_NOPREFIX | (style.GetWrapText() ? DT_WORDBREAK : DT_SINGLELINE);
    if (style.GetIncludeHorizontalAlignment())
        nFormat |= style.GetHorizontalAlignment();
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return -1;
    CClientDC dc(pGridWnd);
    const HFONT hFont = CreateStyleFont(style, nullptr);
    const HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hFont);
    if (IsRightToLeftWindow())
        ::SetTextAlign(dc.GetSafeHdc(), ::GetTextAlign(dc.GetSafeHdc()) | TA_RTLREADING);
    const int nPos = CGXDrawingAndFormatting::GetInstance()->GetTextPosFromPoint(&dc, text, text.GetLength(), rect,
                                                                                  nFormat, point.x, point.y);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hFont);
    return nPos;
}

BOOL CGXEditControl::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    if (m_bInit && HasWindow())
    {
        CGXGridParam* pParam = m_pGrid->GetParam();
        const WORD wActivate = pParam != nullptr ? pParam->m_wActivateCell : 0;
        const int nPos = CharFromPoint(point);
        const BOOL bAllowed = ((wActivate & 1) != 0 && nPos >= 0) || (wActivate & 6) != 0;
        if (bAllowed && (m_bActive || OnStartEditing()))
        {
            SetActive(TRUE);
            if (nPos >= 0)
                SetSelection(nPos, nPos);
            else
                SetSelection(0, -1);
            if (::GetFocus() != m_hWnd)
                Refresh();
        }
    }
    return CGXControl::LButtonUp(nFlags, point, nHitState);
}

BOOL CGXEditControl::LButtonDblClk(UINT nFlags, CPoint point)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (m_bInit && HasWindow() && !m_bActive && pParam != nullptr && (pParam->m_wActivateCell & 8) != 0 &&
        OnStartEditing())
    {
        SetActive(TRUE);
        const int nPos = CharFromPoint(point);
        if (nPos >= 0)
            SetSelection(nPos, nPos);
        else
            SetSelection(0, -1);
        Refresh();
    }
    return CGXControl::LButtonDblClk(nFlags, point);
}

void CGXEditControl::OnLButtonDown(UINT, CPoint point)
{
    const BOOL bWasVisible = ::IsWindowVisible(m_hWnd);
    int nOldStart = 0, nOldEnd = 0;
    GetSelection(nOldStart, nOldEnd);
    Default();
    if (!bWasVisible)
    {
        SetActive(TRUE);
        Refresh();
        return;
    }
    int nStart = 0, nEnd = 0;
    GetSelection(nStart, nEnd);
    if (nOldStart != nOldEnd && nStart == nEnd && nStart >= nOldStart && nStart < nOldEnd)
    {
        // A press inside a selection may start dragging its text.
        SetSelection(nOldStart, nOldEnd, FALSE);
        // Dragging the text of a cell needs a feature this library does not install.
        if (m_bInit && m_bActive && m_pGrid->IsCurrentCell(m_nRow, m_nCol))
        {
            const int nPos = LOWORD(::SendMessageA(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y)));
            SetSelection(nPos, nPos);
        }
    }
}

// ---- Clipboard ----

BOOL CGXEditControl::GetSelectedText(CString& text)
{
    if (!m_bActive || !HasWindow())
    {
        GetCurrentText(text);
        return FALSE;
    }
    int nStart = 0, nEnd = 0;
    GetSelection(nStart, nEnd);
    const CString all = WindowText();
    if (nStart == nEnd)
    {
        text = all;
        return FALSE;
    }
    text = all.Mid(nStart, nEnd - nStart);
    return TRUE;
}

BOOL CGXEditControl::Copy()
{
    if (!m_bActive)
    {
        if (!m_bInit || !m_pGrid->IsCurrentCell(m_nRow, m_nCol))
            return FALSE;
        return CGXControl::Copy();
    }
    CString text;
    GetSelectedText(text);
    CWnd* pGridWnd = GetGridWnd();
    CClipboard clipboard(pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr);
    if (!clipboard.IsOpen())
        return FALSE;
    clipboard.Empty();
    return clipboard.SetText(text, CF_TEXT);
}

BOOL CGXEditControl::ValidatePaste(const CString& text)
{
    if (!HasWindow())
        return ValidateString(text);
    int nStart = 0, nEnd = 0;
    GetSelection(nStart, nEnd);
    const CString current = WindowText();
    if (nEnd < 0)
        return ValidateString(text);
    return ValidateString(current.Left(nStart) + text + current.Mid(nEnd));
}

void CGXEditControl::ReplaceSel(LPCTSTR pszText)
{
    if (!m_bActive || !HasWindow())
    {
        CGXControl::ReplaceSel(pszText);
        return;
    }
    if (IsReadOnly())
        return;
    SetModify(TRUE);
    ::SendMessageA(m_hWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pszText != nullptr ? pszText : ""));
}

// ---- Find and replace ----

BOOL CGXEditControl::FindText(LPCTSTR pszFind, BOOL bNext, BOOL bCase, BOOL bSetCell)
{
    if (!m_bInit)
        return FALSE;
    return FindTextRowCol(pszFind, bCase, m_nRow, m_nCol, !bNext, bSetCell);
}

BOOL CGXEditControl::ReplaceAll(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase)
{
    if (!m_bInit)
        return FALSE;
    return ReplaceAllRowCol(pszFind, pszReplace, bCase, m_nRow, m_nCol);
}

BOOL CGXEditControl::FindTextRowCol(LPCTSTR pszFind, BOOL bCase, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                                    BOOL bSetCell, const CGXStyle* pStyle)
{
    if (pszFind == nullptr || *pszFind == 0)
        return FALSE;
    const CString find = bCase ? CString(pszFind) : UpperCased(pszFind);
    if (IsInitAt(nRow, nCol) && m_bActive && HasWindow())
    {
        const CString text = bCase ? WindowText() : UpperCased(WindowText());
        int nStart = 0, nEnd = 0;
        GetSelection(nStart, nEnd);
        int nFrom = nStart < 0 ? 0 : (bCurrentPos ? nStart : nStart + 1);
        if (nFrom > 0 && nFrom <= text.GetLength() && !bCurrentPos)
        {
            // One whole character further, also for a double-byte one.
            const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text)) + nStart;
            nFrom = static_cast<int>(_mbsinc(p) - reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text)));
        }
        const int nHit = FindFrom(text, find, nFrom);
        if (nHit < 0)
            return FALSE;
        if (bSetCell)
        {
            m_pGrid->ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
            SetSelection(nHit, nHit + find.GetLength());
        }
        return TRUE;
    }

    CGXStyle* pTaken = nullptr;
    if (pStyle == nullptr)
    {
        pTaken = m_pGrid->NewStyle();
        m_pGrid->BuildEffectiveStyle(nRow, nCol, *pTaken, TRUE);
        pStyle = pTaken;
    }
    CString text;
    GetControlText(text, nRow, nCol, nullptr, *pStyle);
    if (pTaken != nullptr)
        m_pGrid->RecycleStyle(pTaken);
    if (!bCase)
        text = UpperCased(text);
    if (FindFrom(text, find, 0) < 0)
        return FALSE;
    if (bSetCell)
    {
        m_pGrid->ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
        m_pGrid->MoveCurrentCell(nRow, nCol, GX_SCROLLINVIEW | GX_SMART);
        if (!IsInitAt(nRow, nCol))
            Init(nRow, nCol);
        SetActive(TRUE);
        SetSelection(0, 0, FALSE);
        FindTextRowCol(pszFind, bCase, nRow, nCol, TRUE, TRUE);
        Refresh();
    }
    return TRUE;
}

BOOL CGXEditControl::ReplaceAllRowCol(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, ROWCOL nRow, ROWCOL nCol,
                                      const CGXStyle* pStyle)
{
    // An empty search text would match everywhere and never advance.
    if (pszFind == nullptr || *pszFind == 0)
        return FALSE;
    const CString find = bCase ? CString(pszFind) : UpperCased(pszFind);
    const CString replacement = pszReplace != nullptr ? pszReplace : "";

    CString source;
    int nStart = 0;
    CGXStyle* pTaken = nullptr;
    if (IsInitAt(nRow, nCol) && m_bActive && HasWindow())
    {
        source = WindowText();
        int nEnd = 0;
        GetSelection(nStart, nEnd);
        if (nStart < 0)
            nStart = 0;
    }
    else
    {
        if (pStyle == nullptr)
        {
            pTaken = m_pGrid->NewStyle();
            m_pGrid->BuildEffectiveStyle(nRow, nCol, *pTaken, TRUE);
            pStyle = pTaken;
        }
        GetControlText(source, nRow, nCol, nullptr, *pStyle);
    }
    const CString search = bCase ? source : UpperCased(source);

    // The result keeps the characters of the source as they were; only the hits are replaced.
    CString result = source.Left(nStart);
    int nPos = nStart;
    BOOL bHit = FALSE;
    for (int nHit = FindFrom(search, find, nPos); nHit >= 0; nHit = FindFrom(search, find, nPos))
    {
        bHit = TRUE;
        result += source.Mid(nPos, nHit - nPos);
        result += replacement;
        nPos = nHit + find.GetLength();
    }
    BOOL bStored = FALSE;
    if (bHit)
    {
        result += source.Mid(nPos);
        const CGXStyle* pStoreStyle = pStyle != nullptr ? pStyle : &GetCachedStyle();
        bStored = m_pGrid->StoreTextThroughControl(nRow, nCol, result, GX_SMART, pStoreStyle);
    }
    if (pTaken != nullptr)
        m_pGrid->RecycleStyle(pTaken);
    return bHit && bStored;
}

void CGXEditControl::OnInvalidKey(LPCTSTR)
{
}

// ---- Window messages ----

BOOL CGXEditControl::PreprocessChar(UINT nChar, UINT nRepCnt, UINT)
{
    const CGXStyle& style = GetCachedStyle();
    if (!m_bInit || !m_bActive || IsReadOnly() || (::GetWindowLongA(m_hWnd, GWL_STYLE) & ES_READONLY) != 0)
    {
        m_strPending.Empty();
        return FALSE;
    }
    if (nChar != 8 && nRepCnt == 0 && !::GetSystemMetrics(SM_DBCSENABLED))
    {
        m_strPending.Empty();
        return FALSE;
    }
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    if (!m_bInserting)
        m_strPending.Empty();

    if (CtrlHeld())
    {
        BOOL bSuppress = FALSE;
        switch (nChar)
        {
        case 3:
            Copy();
            return FALSE;
        case 0x16:
            Paste();
            return FALSE;
        case 0x18:
            Cut();
            return FALSE;
        case 0x0D:
            if (::GetWindowLongA(m_hWnd, GWL_STYLE) & ES_WANTRETURN)
                m_strPending = "\r\n";
            else
            {
                m_strPending.Empty();
                bSuppress = TRUE;
            }
            break;
        case 0x0A:
            if (style.GetWrapText())
                m_strPending = "\r\n";
            else
            {
                m_strPending.Empty();
                bSuppress = TRUE;
            }
            break;
        default:
            break;
        }
        return !bSuppress && m_strPending.IsEmpty();
    }

    CString candidate;
    if (!GXAppendDbcsChar(nChar, candidate, m_bDbcsLeadPending, m_dbcsLeadByte))
    {
        if (nChar < 0x20)
            return TRUE;
    }
    else if (m_bDbcsLeadPending)
    {
        // Korean input methods let the window join the bytes itself.
        return PRIMARYLANGID(LANGIDFROMLCID(::GetThreadLocale())) == 0x12;
    }
    int nStart = 0, nEnd = 0;
    GetSelection(nStart, nEnd);
    const CString current = WindowText();
    const CString wouldBe = nEnd < 0 ? candidate : current.Left(nStart) + candidate + current.Mid(nEnd);
    const UINT nLimit = static_cast<UINT>(::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0));
    if (static_cast<UINT>(wouldBe.GetLength()) > nLimit)
        m_strPending.Empty();
    else if (!ValidateString(wouldBe))
    {
        OnInvalidKey(candidate);
        m_strPending.Empty();
    }
    else
        m_strPending = candidate;
    return FALSE;
}

void CGXEditControl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_bFloatRefresh = FALSE;
    if (PreprocessChar(nChar, nRepCnt, nFlags))
    {
        Default();
        m_pGrid->DispatchKeyMessage(this, WM_CHAR, nChar, nRepCnt, nFlags);
        return;
    }
    if (!m_strPending.IsEmpty())
    {
        int nStart = 0, nEnd = 0;
        GetSelection(nStart, nEnd);
        const CString pending = m_strPending;
        m_bInserting = TRUE;
        ReplaceSel(pending);
        m_bInserting = FALSE;
        if (m_bFloatRefresh)
        {
            SetSelection(0, 0);
            if (CWnd* pGridWnd = GetGridWnd())
                ::UpdateWindow(pGridWnd->GetSafeHwnd());
        }
        SetSelection(nStart + pending.GetLength(), nStart + pending.GetLength(), !m_bFloatRefresh);
        m_strPending.Empty();
    }
    m_bFloatRefresh = FALSE;
}

void CGXEditControl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bActive)
    {
        m_pGrid->DispatchKeyMessage(this, WM_KEYDOWN, nChar, nRepCnt, nFlags);
        return;
    }
    if (nChar == VK_CONTROL || nChar == VK_SHIFT)
    {
        Default();
        return;
    }
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    BOOL bToGrid = FALSE;
    if (CtrlHeld())
        bToGrid = TRUE;
    else
    {
        int nStart = 0, nEnd = 0;
        GetSelection(nStart, nEnd);
        const int nLength = ::GetWindowTextLengthA(m_hWnd);
        const BOOL bRtl = IsRightToLeftWindow();
        switch (nChar)
        {
        case VK_UP:
            bToGrid = ::SendMessageA(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(nStart), 0) <= 0;
            break;
        case VK_DOWN:
            bToGrid = ::SendMessageA(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(nEnd), 0) + 1 >=
                      ::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0);
            break;
        case VK_LEFT:
            bToGrid = bRtl ? !(nStart < nLength) : !(nEnd > 0);
            break;
        case VK_RIGHT:
            bToGrid = bRtl ? !(nEnd > 0) : !(nStart < nLength);
            break;
        case VK_RETURN:
            bToGrid = (::GetWindowLongA(m_hWnd, GWL_STYLE) & ES_WANTRETURN) == 0;
            break;
        case VK_TAB:
        case VK_ESCAPE:
        case VK_PRIOR:
        case VK_NEXT:
            bToGrid = TRUE;
            break;
        case VK_INSERT:
            if (ShiftHeld())
            {
                Paste();
                return;
            }
            break;
        case VK_DELETE:
            if (ShiftHeld() && nStart != nEnd)
            {
                Cut();
                return;
            }
            break;
        default:
            bToGrid = nChar >= VK_F1 && nChar <= VK_F24;
            break;
        }
    }
    if (bToGrid)
    {
        // The grid moves the current cell, ends or cancels editing.
        if (m_pGrid->DispatchKeyMessage(this, WM_KEYDOWN, nChar, nRepCnt, nFlags))
            return;
        if (nChar != VK_TAB && nChar != VK_ESCAPE)
            Default();
        return;
    }
    Default();
}

void CGXEditControl::OnStyleChanged(int nStyleType, const STYLESTRUCT* pStyles)
{
    if (!m_bActive || pStyles == nullptr || !m_bInit)
        return;
    CGXStyle* pStyle = m_pGrid->NewStyle();
    BOOL bStore = FALSE;
    if (nStyleType == GWL_STYLE)
    {
        const DWORD dwOld = pStyles->styleOld & (ES_CENTER | ES_RIGHT);
        const DWORD dwNew = pStyles->styleNew & (ES_CENTER | ES_RIGHT);
        if ((dwNew & ES_RIGHT) != 0 && (dwOld & ES_RIGHT) == 0)
        {
            pStyle->SetHorizontalAlignment(DT_RIGHT);
            bStore = TRUE;
        }
        else if (dwOld != 0 && dwNew == 0)
        {
            pStyle->SetHorizontalAlignment(DT_LEFT);
            bStore = TRUE;
        }
    }
    else if (nStyleType == GWL_EXSTYLE)
    {
        const BOOL bOld = (pStyles->styleOld & WS_EX_RTLREADING) != 0;
        const BOOL bNew = (pStyles->styleNew & WS_EX_RTLREADING) != 0;
        if (bOld != bNew)
        {
            pStyle->SetUserAttribute(GX_IDS_UA_RTLREADING, bNew ? "1" : "0");
            bStore = TRUE;
        }
    }
    if (bStore)
        ApplyStyleToCell(m_nRow, m_nCol, pStyle, gxOverride, 0, nullptr);
    m_pGrid->RecycleStyle(pStyle);
}

BOOL CGXEditControl::OnControlCommand(WPARAM wParam, LPARAM lParam)
{
    if (!m_bActive || reinterpret_cast<HWND>(lParam) != m_hWnd || m_hWnd == nullptr)
        return FALSE;
    if (HIWORD(wParam) != EN_CHANGE)
        return FALSE;
    OnModifyCell();
    const CGXRange cell(m_nRow, m_nCol);
    m_pGrid->DelayFloatCells(cell, GX_INVALID);
    if (m_pGrid->EvalFloatCells(cell, TRUE, nullptr, FALSE))
        m_bFloatRefresh = TRUE;
    else if (m_bAutoSize)
        ::SendMessageA(m_hWnd, EM_LINESCROLL, 0, 255);
    return TRUE;
}

BOOL CGXEditControl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (OnControlCommand(wParam, lParam))
        return TRUE;
    CWnd::OnCommand(wParam, lParam);
    return FALSE;
}

BOOL CGXEditControl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && OnControlCommand(wParam, lParam))
    {
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CGXEditControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    const UINT nRepCnt = LOWORD(lParam);
    const UINT nFlags = HIWORD(lParam);
    switch (message)
    {
    case WM_KEYDOWN:
        OnKeyDown(nChar, nRepCnt, nFlags);
        return 0;
    case WM_CHAR:
        OnChar(nChar, nRepCnt, nFlags);
        return 0;
    case WM_KEYUP:
        if (!m_pGrid->DispatchKeyMessage(this, message, nChar, nRepCnt, nFlags))
        {
            const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
            if (nChar != VK_SHIFT && nChar != VK_HOME && nChar != VK_END && nChar != VK_DOWN && nChar != VK_UP)
                UpdateEditStyle();
            return lResult;
        }
        return 0;
    case WM_SYSKEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        if (m_pGrid->DispatchKeyMessage(this, message, nChar, nRepCnt, nFlags))
            return 0;
        break;
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        NotifyKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return lResult;
    }
    case WM_GETDLGCODE:
        return CEdit::WindowProc(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
    case WM_ERASEBKGND:
    {
        const HDC hDC = reinterpret_cast<HDC>(wParam);
        RECT rect;
        ::GetClientRect(m_hWnd, &rect);
        const HBRUSH hWhite = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        ::FillRect(hDC, &rect, hWhite);
        if (m_pStyle != nullptr && m_pStyle->GetInterior().GetStyle() == BS_SOLID)
        {
            const HBRUSH hBrush = ::CreateSolidBrush(m_pStyle->GetInterior().GetColor());
            ::FillRect(hDC, &rect, hBrush);
            ::DeleteObject(hBrush);
        }
        return TRUE;
    }
    case WM_SHOWWINDOW:
        if (wParam)
            UpdateEditStyle();
        break;
    case WM_SETFOCUS:
    {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        UpdateEditStyle();
        return lResult;
    }
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), CPoint(static_cast<short>(LOWORD(lParam)),
                                                        static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_STYLECHANGED:
    {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        OnStyleChanged(static_cast<int>(wParam), reinterpret_cast<const STYLESTRUCT*>(lParam));
        return lResult;
    }
    case WM_CONTEXTMENU:
        return 0;
    case WM_IME_STARTCOMPOSITION:
        s_bImeComposing = TRUE;
        break;
    case WM_IME_ENDCOMPOSITION:
        s_bImeComposing = FALSE;
        break;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
