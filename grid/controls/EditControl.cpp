#include "grid/controls/EditControl.h"

#include "framework/core/NumberText.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "grid/controls/CellEditState.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/SearchText.h"
#include "grid/core/Style.h"
#include "grid/features/GridResizeToFitImp.h"

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

}  // namespace

CGXEditControl::CGXEditControl(CGXGridCore* pGrid, UINT nID)
    : CGXStatic(pGrid),
      m_nID(nID),
      m_rgbHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_layout(
          *this, *this, [this](DWORD dwStyle, const RECT* pRect) { return CreateEditWindow(dwStyle, pRect); },
          [this](RECT* pRect, int* pLineHeight) { return ComputeEditStyle(pRect, pLineHeight); })
{
}

CGXEditControl::~CGXEditControl()
{
    if (HasWindow())
        DestroyWindow();
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

void CGXEditControl::EvalFloat()
{
    const CGXRange cell(m_nRow, m_nCol);
    m_pGrid->DelayFloatCells(cell, GX_INVALID);
    m_pGrid->EvalFloatCells(cell, TRUE, nullptr, FALSE);
}

// ---- State ----

void CGXEditControl::SetActive(BOOL bActive)
{
    GXCellEditState::SetActive(*this, m_bActive, bActive && HasWindow());
    if (HasWindow() && m_bInit)
        EvalFloat();
}

BOOL CGXEditControl::IsActive()
{
    return m_bActive;
}

void CGXEditControl::SetModify(BOOL bModified)
{
    m_layout.SetModified(bModified);
}

BOOL CGXEditControl::GetModify()
{
    return m_layout.IsModified();
}

BOOL CGXEditControl::CreateEditWindow(DWORD dwStyle, const RECT* pRect)
{
    return m_layout.CreateOverGrid(dwStyle, pRect, m_nID);
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
    m_layout.Hide();
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

BOOL CGXEditControl::FillsBackground(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return GetClassInfo() == GRID_CONTROL_CLASSINFO(CGXEditControl) && DrawsAsStatic(nRow, nCol) &&
           style.GetInterior().GetStyle() == CGXStyleBrush::bsSolid;
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
    m_layout.PlaceOverCell(pDC, rect, nRow, nCol, cached, pStandardStyle);
    if (cached.GetIncludeAutoSize())
        m_bAutoSize = cached.GetAutoSize();
    SetActive(TRUE);
    m_layout.m_nMaxLength = cached.GetIncludeMaxLength() ? static_cast<int>(cached.GetMaxLength()) : 0;
    ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(m_layout.m_nMaxLength), 0);
    m_layout.Show(pDC, rect, nRow, nCol, IsReadOnly());
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

DWORD CGXEditControl::ComputeEditStyle(RECT* pRect, int* pLineHeight)
{
    return m_layout.ComputeStyle(pRect, pLineHeight);
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
    return m_layout.GetSelectedText(text, m_bActive);
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

BOOL CGXEditControl::FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                              BOOL bSetCell)
{
    return FindTextRowCol(settings.strFind, settings.bCase, nRow, nCol, bCurrentPos, bSetCell, settings.m_pStyle);
}

BOOL CGXEditControl::ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol)
{
    return ReplaceAllRowCol(settings.strFind, settings.strReplace, settings.bCase, nRow, nCol, settings.m_pStyle);
}

BOOL CGXEditControl::FindTextRowCol(LPCTSTR pszFind, BOOL bCase, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                                    BOOL bSetCell, const CGXStyle* pStyle)
{
    if (pszFind == nullptr || *pszFind == 0)
        return FALSE;
    const CString find = bCase ? CString(pszFind) : GXUpperCased(pszFind);
    if (IsInitAt(nRow, nCol) && m_bActive && HasWindow())
    {
        const CString text = bCase ? WindowText() : GXUpperCased(WindowText());
        int nStart = 0, nEnd = 0;
        GetSelection(nStart, nEnd);
        int nFrom = nStart < 0 ? 0 : (bCurrentPos ? nStart : nStart + 1);
        if (nFrom > 0 && nFrom <= text.GetLength() && !bCurrentPos)
        {
            // One whole character further, also for a double-byte one.
            const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text)) + nStart;
            nFrom = static_cast<int>(_mbsinc(p) - reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text)));
        }
        const int nHit = GXFindFrom(text, find, nFrom);
        if (nHit < 0)
            return FALSE;
        if (bSetCell)
        {
            m_pGrid->ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
            SetSelection(nHit, nHit + find.GetLength());
        }
        return TRUE;
    }

    CString text;
    GetControlText(text, nRow, nCol, nullptr, *CGXCellStyleScope(m_pGrid, nRow, nCol, pStyle).Get());
    if (!bCase)
        text = GXUpperCased(text);
    if (GXFindFrom(text, find, 0) < 0)
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
    const CString find = bCase ? CString(pszFind) : GXUpperCased(pszFind);
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
    const CString search = bCase ? source : GXUpperCased(source);

    // The result keeps the characters of the source as they were; only the hits are replaced.
    CString result = source.Left(nStart);
    int nPos = nStart;
    BOOL bHit = FALSE;
    for (int nHit = GXFindFrom(search, find, nPos); nHit >= 0; nHit = GXFindFrom(search, find, nPos))
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
    {
        // The cell's span grows with its text: wrapped text in height (FitRowHeights), other text in
        // width (FitColWidths). It only grows, so the other cells of its lines keep their room.
        CGXRange span;
        if (!m_pGrid->GetCellRangeRowCol(m_nRow, m_nCol, span))
            span = cell;
        const CGXStyle& style = GetCachedStyle();
        if (style.GetIncludeWrapText() && style.GetWrapText())
            m_pGrid->ResizeRowHeightsToFit(span, TRUE, GX_NOSHRINKSIZE);
        else
            m_pGrid->ResizeColWidthsToFit(span, TRUE, GX_NOSHRINKSIZE);
        ::SendMessageA(m_hWnd, EM_LINESCROLL, 0, 255);
    }
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
    LRESULT lResult = 0;
    if (m_layout.HandleWindowMessage(message, wParam, lParam, m_pStyle, TRUE, lResult))
        return lResult;
    switch (message)
    {
    case WM_KEYDOWN:
        OnKeyDown(nChar, nRepCnt, nFlags);
        return 0;
    case WM_CHAR:
        OnChar(nChar, nRepCnt, nFlags);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), CPoint(static_cast<short>(LOWORD(lParam)),
                                                        static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_STYLECHANGED:
        lResult = CEdit::WindowProc(message, wParam, lParam);
        OnStyleChanged(static_cast<int>(wParam), reinterpret_cast<const STYLESTRUCT*>(lParam));
        return lResult;
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
