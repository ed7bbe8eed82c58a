#include "grid/controls/CurrencyCell.h"

#include "framework/core/NumberText.h"
#include "framework/win/WinApp.h"
#include "grid/controls/Calculator.h"
#include "grid/controls/CellEditState.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/MaskControl.h"
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/Font.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CGXCaptiveCurEdit, CGXBCurrencyEdit)
IMPLEMENT_DYNAMIC(CGXCurrencyEdit, CGXBCurrencyEdit)
GRID_IMPLEMENT_CONTROL(CGXCurrencyEdit, CGXStatic)

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

CString Attribute(const CGXStyle& style, WORD nId)
{
    CString text;
    style.GetUserAttributeText(nId, text);
    return text;
}

// "%.<places>f" of a signed value.
CString NumberOf(double value, int nPlaces)
{
    return NumberText::FormatDouble(value, 'f', std::max(nPlaces, 0)).c_str();
}
}  // namespace

CGXCurrencyEdit::CGXCurrencyEdit(CGXGridCore* pGrid, UINT nID) : CGXStatic(pGrid), m_nID(nID)
{
}

CGXCurrencyEdit::~CGXCurrencyEdit()
{
    if (m_captive.GetSafeHwnd() != nullptr)
        m_captive.DestroyWindow();
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_hCellFont != nullptr)
        ::DeleteObject(m_hCellFont);
}

void CGXCurrencyEdit::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    CGXStyle plain;
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCYSEPARATORS, &plain);
    CGXStyle masked;
    masked.SetControl(GX_IDS_CTRL_MASKEDIT).SetUserAttribute(GX_IDS_UA_INPUTMASK, "##AAAA#");
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCYATTRIBUTES, &masked);
    CString choices;
    AfxLoadString(GX_IDS_CURRENCY_POSFORMATS, choices);
    CGXStyle positive;
    positive.SetControl(GX_IDS_CTRL_ZEROBASED_EX).SetChoiceList(choices);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCYPOSFORMAT, &positive);
    AfxLoadString(GX_IDS_CURRENCY_NEGFORMATS, choices);
    CGXStyle negative;
    negative.SetControl(GX_IDS_CTRL_ZEROBASED_EX).SetChoiceList(choices);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCYNEGFORMAT, &negative);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCYNUMDIGITS, &plain);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCYNUMFRACT, &plain);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCYSYMBOL, &plain);
}

HWND CGXCurrencyEdit::GridHwnd() const
{
    CWnd* pGridWnd = GetGridWnd();
    return pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr;
}

BOOL CGXCurrencyEdit::CreateControl(DWORD dwStyle)
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const DWORD dwMasked = (dwStyle & 0xFFFF0000) | (dwStyle & 0xEF83);
    if (m_hWnd == nullptr &&
        !CGXBCurrencyEdit::Create((dwMasked | WS_CHILD) & ~WS_VISIBLE, CRect(0, 0, 0, 0), pGridWnd, m_nID))
        return FALSE;
    if (m_captive.GetSafeHwnd() == nullptr &&
        !m_captive.Create(WS_CHILD, CRect(0, 0, 0, 0), pGridWnd, m_nID + 1))
        return FALSE;
    return TRUE;
}

CGXBCurrencyEdit::Format CGXCurrencyEdit::FormatOfStyle(const CGXBCurrencyEdit& wnd, const CGXStyle& style)
{
    Format format(TRUE);
    format.keepAllIntegerDigits = wnd.m_bKeepAllIntegerDigits;
    format.padBeforeGrouping = wnd.m_bPadBeforeGrouping;
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCYATTRIBUTES))
    {
        CString look = Attribute(style, GX_IDS_UA_CURRENCYATTRIBUTES);
        if (!look.IsEmpty())
        {
            if (look.GetLength() != 4)
                look = "11 1";
            format.leadingZero = look[0] - '0';
            format.drawDecimalMarker = look[1] - '0';
            format.SetPadChar(look[2]);
        }
    }
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCYPOSFORMAT))
        format.positiveFormat = std::clamp(std::atoi(Attribute(style, GX_IDS_UA_CURRENCYPOSFORMAT)), 0, 3);
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCYNEGFORMAT))
        format.negativeFormat = std::clamp(std::atoi(Attribute(style, GX_IDS_UA_CURRENCYNEGFORMAT)), 0, 15);
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCYNUMDIGITS))
        format.integerDigits = std::atoi(Attribute(style, GX_IDS_UA_CURRENCYNUMDIGITS));
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCYNUMFRACT))
        format.decimalPlaces = std::atoi(Attribute(style, GX_IDS_UA_CURRENCYNUMFRACT));
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCYSYMBOL))
    {
        const CString symbol = Attribute(style, GX_IDS_UA_CURRENCYSYMBOL);
        format.currencySymbol = symbol.Left(1) == "0" ? CString() : symbol;
    }
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCYSEPARATORS))
    {
        CString separators = Attribute(style, GX_IDS_UA_CURRENCYSEPARATORS);
        if (separators.GetLength() != 2)
            separators = ",.";
        format.thousandSeparator = separators[0] == '0' ? '\0' : separators[0];
        format.decimalSeparator = separators[1];
    }
    return format;
}

void CGXCurrencyEdit::ApplyStyleFormat(CGXBCurrencyEdit* pWnd, const CGXStyle& style)
{
    if (pWnd == this)
        SetEditorFormat(FormatOfStyle(*this, style));
    else if (pWnd != nullptr)
        pWnd->SetFormat(FormatOfStyle(*pWnd, style));
}

// ---- State ----

CRuntimeClass* CGXCurrencyEdit::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXCurrencyEdit);
}

CWnd* CGXCurrencyEdit::GetWnd()
{
    return this;
}

void CGXCurrencyEdit::SetActive(BOOL bActive)
{
    m_bActive = bActive && m_hWnd != nullptr;
}

BOOL CGXCurrencyEdit::IsActive()
{
    return m_bActive;
}

void CGXCurrencyEdit::SetModify(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXCurrencyEdit::GetModify()
{
    return m_bModified;
}

// ---- Values ----

CString CGXCurrencyEdit::DisplayText(const CString& value, const CGXStyle& style)
{
    if (value.IsEmpty() || m_captive.GetSafeHwnd() == nullptr)
        return CString();
    ApplyStyleFormat(&m_captive, style);
    CString text = value;
    const int nPoint = text.Find('.');
    if (nPoint >= 0)
        text.SetAt(nPoint, m_captive.GetFormat().decimalSeparator);
    // The captive window refuses a text that does not read and keeps the amount of the cell it
    // formatted before: such a value shows as it is stored.
    if (!::SendMessageA(m_captive.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text))))
        return value;
    return m_captive.GetText();
}

BOOL CGXCurrencyEdit::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR pszValue, const CGXStyle& style)
{
    if (m_captive.GetSafeHwnd() == nullptr)
        CreateControl();
    const CString value = pszValue != nullptr ? CString(pszValue) : style.GetValue();
    text = DisplayText(value, style);
    return TRUE;
}

void CGXCurrencyEdit::SetValue(LPCTSTR pszValue)
{
    if (m_hWnd == nullptr)
        return;
    const CString value = pszValue != nullptr ? pszValue : "";
    // The window holds the full value; only its display is cut by integerDigits.
    double magnitude = 0.0;
    BOOL bNegative = FALSE;
    CString number = value;
    const int nPoint = number.Find('.');
    if (nPoint >= 0)
        number.SetAt(nPoint, GetFormat().decimalSeparator);
    const BOOL bReads = number.IsEmpty() || GetFormat().Parse(number, magnitude, bNegative);
    // A value that does not read ("N/A", "-") starts the editor at zero showing the stored text,
    // never at the amount of the cell edited before.
    CGXBCurrencyEdit::SetValue(bNegative ? -magnitude : magnitude, TRUE);
    CString shown = value;
    if (bReads)
        GetFormat().FormatValue(m_value, shown, m_bNegative);
    if (GetText() != shown)
        WriteFormatted(shown);
}

void CGXCurrencyEdit::SetEditorFormat(const Format& format)
{
    // A stored text that does not read stays in the editor until the user edits it; a new format
    // would put a formatted zero in its place.
    const CString text = GetText();
    double magnitude = 0.0;
    BOOL bNegative = FALSE;
    const BOOL bReads = GetFormat().Parse(text, magnitude, bNegative);
    SetFormat(format);
    if (!bReads && GetText() != text)
    {
        CGXFlagScope suppress(m_bSuppressModify, TRUE);
        WriteFormatted(text);
    }
}

BOOL CGXCurrencyEdit::GetCurrentText(CString& text)
{
    if (m_bActive && m_hWnd != nullptr)
    {
        text = GetText();
        return TRUE;
    }
    if (m_bInit)
        return GetControlText(text, m_nRow, m_nCol, nullptr, GetCachedStyle());
    text.Empty();
    return FALSE;
}

BOOL CGXCurrencyEdit::NormalisedValue(CString& text, const CGXStyle& style)
{
    if (text.IsEmpty())
        return TRUE;
    if (m_captive.GetSafeHwnd() == nullptr && !CreateControl())
        return FALSE;
    const Format format = FormatOfStyle(m_captive, style);
    double magnitude = 0.0;
    BOOL bNegative = FALSE;
    if (!format.Parse(text, magnitude, bNegative))
        return FALSE;
    text = NumberOf(bNegative ? -magnitude : magnitude, format.decimalPlaces);
    return TRUE;
}

BOOL CGXCurrencyEdit::ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle)
{
    if (text.IsEmpty())
        return TRUE;
    return NormalisedValue(text, *CGXCellStyleScope(m_pGrid, nRow, nCol, pOldStyle).Get());
}

CString CGXCurrencyEdit::GetStyleValue(const CGXStyle& style)
{
    CString text = style.GetValue();
    if (text.IsEmpty())
        return text;
    if (m_captive.GetSafeHwnd() == nullptr && !CreateControl())
        return text;
    const Format format = FormatOfStyle(m_captive, style);
    CString normalised = text;
    const int nPoint = normalised.Find('.');
    if (nPoint >= 0)
        normalised.SetAt(nPoint, format.decimalSeparator);
    return NormalisedValue(normalised, style) ? normalised : text;
}

BOOL CGXCurrencyEdit::GetValue(CString& value)
{
    if (!m_bActive || m_hWnd == nullptr)
        return FALSE;
    // The stored value keeps every integer digit, whatever the display shows.
    double signedValue = 0.0;
    GetSignedValue(signedValue);
    value = NumberOf(signedValue, GetFormat().decimalPlaces);
    return TRUE;
}

// ---- Editing ----

void CGXCurrencyEdit::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXFlagScope suppress(m_bSuppressModify, TRUE);
    CGXControl::Init(nRow, nCol);
    SetActive(FALSE);
    if (m_hWnd == nullptr || m_captive.GetSafeHwnd() == nullptr)
        CreateControl();
    const CGXStyle& style = GetCachedStyle();
    ApplyStyleFormat(this, style);
    SetValue(style.GetValue());
    int nAlign = 0;
    if (style.GetIncludeHorizontalAlignment())
        nAlign = style.GetHorizontalAlignment() == DT_CENTER ? 1 : style.GetHorizontalAlignment() == DT_RIGHT ? 2 : 0;
    SetAlignment(nAlign);
    SetSel(0, -1);
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wActivateCell & 4) != 0 && OnStartEditing())
        SetActive(TRUE);
    m_bModified = FALSE;
}

BOOL CGXCurrencyEdit::Store()
{
    if (!m_bModified || !m_bInit)
        return TRUE;
    return GXCellEditState::StoreWindowValue(*this, m_bModified);
}

BOOL CGXCurrencyEdit::StartEditing()
{
    if (m_bActive)
        return TRUE;
    if (!OnStartEditing())
        return FALSE;
    if (!m_bInit)
        Init(m_nRow, m_nCol);
    SetActive(TRUE);
    return m_bActive;
}

void CGXCurrencyEdit::SetCurrentText(const CString& text)
{
    if (!m_bInit || m_hWnd == nullptr)
        return;
    if (!StartEditing() || !ValidateString(text))
        return;
    {
        CGXFlagScope suppress(m_bSuppressModify, TRUE);
        ::SetWindowTextA(m_hWnd, text);
    }
    m_bModified = TRUE;
    OnModifyCell();
}

BOOL CGXCurrencyEdit::GetSelectedText(CString& text)
{
    if (!m_bActive || m_hWnd == nullptr)
    {
        GetCurrentText(text);
        return FALSE;
    }
    int nStart = 0;
    int nEnd = 0;
    if (!HasSelection())
        return FALSE;
    GetSel(nStart, nEnd);
    text = GetText().Mid(nStart, nEnd - nStart);
    return TRUE;
}

void CGXCurrencyEdit::ReplaceSel(LPCTSTR pszText)
{
    if (!m_bActive || m_hWnd == nullptr)
    {
        CGXControl::ReplaceSel(pszText);
        return;
    }
    if (CGXStatic::IsReadOnly())
        return;
    const CString all = GetText();
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    ::SetWindowTextA(m_hWnd, all.Left(nStart) + (pszText != nullptr ? pszText : "") + all.Mid(nEnd));
    m_bModified = TRUE;
    OnModifyCell();
}

BOOL CGXCurrencyEdit::FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                               BOOL bSetCell)
{
    // Cells that are not being edited are searched by the grid in their display text.
    if (settings.strFind.IsEmpty() || !IsInitAt(nRow, nCol) || !m_bActive || m_hWnd == nullptr)
        return CGXControl::FindText(settings, nRow, nCol, bCurrentPos, bSetCell);
    CString find = settings.strFind;
    CString text = GetText();
    const Format& format = GetFormat();
    // A leading currency symbol of the find text is not looked for.
    if (!format.currencySymbol.IsEmpty() && find.Left(format.currencySymbol.GetLength()) == format.currencySymbol)
        find = find.Mid(format.currencySymbol.GetLength());
    if (find.IsEmpty())
        return FALSE;
    if (m_bFindWholeNumbers)
    {
        CString digits = text;
        digits.TrimLeft(format.currencySymbol + CString(format.padChar) + "($- ");
        const int nFind = std::atoi(find);
        const int nText = std::atoi(digits);
        if (nFind != nText || (nFind == 0 && nText == 0))
            return FALSE;
        m_nLastFoundRow = m_nRow;
        if (bSetCell)
            SetSel(0, -1);
        return TRUE;
    }
    if (!settings.bCase)
    {
        find.MakeUpper();
        text.MakeUpper();
    }
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    const int nHit = text.Find(find, bCurrentPos ? nStart : nEnd);
    if (nHit < 0)
        return FALSE;
    if (bSetCell)
        SetSel(nHit, nHit + find.GetLength());
    return TRUE;
}

BOOL CGXCurrencyEdit::ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol)
{
    if (!IsInitAt(nRow, nCol) || !m_bActive || m_hWnd == nullptr)
        return CGXControl::ReplaceAll(settings, nRow, nCol);
    // The result is built in a string that grows as needed (no fixed-size buffer).
    if (settings.strFind.IsEmpty() || CGXStatic::IsReadOnly())
        return FALSE;
    const CString text = GetText();
    const CString find = settings.strFind;
    CString replace = settings.strReplace;
    if (replace.Find(GetFormat().decimalSeparator) < 0 && find.Find('.') >= 0)
        replace += ".";
    CString haystack = text;
    CString needle = find;
    if (!settings.bCase)
    {
        haystack.MakeUpper();
        needle.MakeUpper();
    }
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    CString result = text.Left(nStart);
    int nFrom = nStart;
    BOOL bAny = FALSE;
    for (;;)
    {
        const int nHit = haystack.Find(needle, nFrom);
        if (nHit < 0)
            break;
        result += text.Mid(nFrom, nHit - nFrom) + replace;
        nFrom = nHit + find.GetLength();
        bAny = TRUE;
    }
    if (!bAny)
        return FALSE;
    result += text.Mid(nFrom);
    ::SetWindowTextA(m_hWnd, result);
    m_bModified = TRUE;
    return Store();
}

BOOL CGXCurrencyEdit::ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                       const CGXStyle* pOldStyle)
{
    if (!CGXControl::ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pOldStyle))
        return FALSE;
    if (pStyle != nullptr && IsInitAt(nRow, nCol) && m_bActive && (mode == gxOverride || mode == gxApplyNew))
    {
        for (WORD nId = GX_IDS_UA_CURRENCYATTRIBUTES; nId <= GX_IDS_UA_CURRENCYNUMFRACT; ++nId)
            if (pStyle->HasUserAttribute(nId))
            {
                ApplyStyleFormat(this, GetCachedStyle());
                break;
            }
    }
    return TRUE;
}

// ---- Drawing ----

void CGXCurrencyEdit::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    const BOOL bActiveCell = IsInitAt(nRow, nCol) && m_bActive && m_hWnd != nullptr && !m_pGrid->IsPrinting();
    if (!bActiveCell)
    {
        if (m_captive.GetSafeHwnd() == nullptr)
            CreateControl();
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    CGXFlagScope suppress(m_bSuppressModify, TRUE);
    const CGXStyle& cached = GetCachedStyle();
    DrawBackground(pDC, rect, cached);
    const CRect rectText = GetCellRect(nRow, nCol, &rect, &cached);
    const HFONT hFont = CreateStyleFont(cached, pStandardStyle);
    TEXTMETRICA tm = {};
    {
        const HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), hFont);
        ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
        ::SelectObject(pDC->GetSafeHdc(), hOld);
    }
    const int h = std::min<int>(tm.tmHeight + tm.tmExternalLeading + 1, rectText.Height());
    CRect rectWindow(rectText.left, rectText.top, rectText.right, rectText.top + h);
    if (cached.GetIncludeVerticalAlignment())
    {
        if (cached.GetVerticalAlignment() == DT_VCENTER)
            rectWindow.OffsetRect(0, (rectText.Height() - h) / 2);
        else if (cached.GetVerticalAlignment() == DT_BOTTOM)
            rectWindow.OffsetRect(0, rectText.Height() - h);
    }
    // The calculator button shows when the fourth character of the look attribute is not "0".
    const CString look = Attribute(cached, GX_IDS_UA_CURRENCYATTRIBUTES);
    const BOOL bButton = look.GetLength() > 3 && look[3] != '0';
    if (bButton != (GetBitmapHandle() != nullptr))
        SetBitmap(bButton ? GX_IDB_CURRENCY_CALCULATOR : 0u);

    Format format = GetFormat();
    const BOOL bBlackWhite = GXDrawnCell::IsBlackWhite(m_pGrid);
    format.SetBackgroundColor(GXDrawnCell::InteriorColor(cached, bBlackWhite));
    const COLORREF text = GXDrawnCell::TextColor(cached, bBlackWhite);
    format.SetNegativeColor(text);
    format.SetPositiveColor(text);
    SetEditorFormat(format);

    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    if (m_hCellFont != nullptr)
        ::DeleteObject(m_hCellFont);
    m_hCellFont = hFont;
    // A cell scrolled partly behind the frozen rows or columns is edited beside them only.
    rectWindow = GXCellEditState::FitToScrolledPane(*this, rectWindow, nRow, nCol);
    ::MoveWindow(m_hWnd, rectWindow.left, rectWindow.top, rectWindow.Width(), rectWindow.Height(), FALSE);
    ::SendMessageA(m_hWnd, EM_SETREADONLY, CGXStatic::IsReadOnly(), 0);
    const HWND hGrid = GridHwnd();
    if (!::IsWindowVisible(m_hWnd))
    {
        CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
        ::ShowWindow(m_hWnd, SW_SHOWNA);
        if (::GetFocus() == hGrid)
            ::SetFocus(m_hWnd);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXCurrencyEdit::Hide()
{
    if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd))
        return;
    CGXFlagScope hiding(m_pGrid->m_bHideInProgress, TRUE);
    CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
    const BOOL bHadFocus = ::GetFocus() == m_hWnd;
    ::MoveWindow(m_hWnd, -1000, -1000, 1, 1, FALSE);
    ::ShowWindow(m_hWnd, SW_HIDE);
    if (bHadFocus)
        ::SetFocus(GridHwnd());
}

// ---- Mouse ----

BOOL CGXCurrencyEdit::HitTest(int x, int y, BOOL bClient)
{
    return m_bButtonHitEverywhere ? TRUE : CGXBCurrencyEdit::HitTest(x, y, bClient);
}

BOOL CGXCurrencyEdit::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (m_bInit && m_hWnd != nullptr && pParam != nullptr && (pParam->m_wActivateCell & 7) != 0)
    {
        if (!m_bActive && StartEditing())
        {
            Refresh();
            POINT inWindow = point;
            ::MapWindowPoints(GridHwnd(), m_hWnd, &inWindow, 1);
            SetCaretPos(CharFromPoint(inWindow.x), FALSE);
        }
        else if (m_bActive && ::GetFocus() != m_hWnd)
            Refresh();
    }
    return CGXControl::LButtonUp(nFlags, point, nHitState);
}

BOOL CGXCurrencyEdit::LButtonDblClk(UINT nFlags, CPoint point)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (!m_bActive && m_bInit && pParam != nullptr && (pParam->m_wActivateCell & 8) != 0 && StartEditing())
    {
        Refresh();
        return TRUE;
    }
    return CGXControl::LButtonDblClk(nFlags, point);
}

// ---- Keys ----

void CGXCurrencyEdit::FlipSign()
{
    if (CGXStatic::IsReadOnly())
        return;
    const CString text = GetText();
    double magnitude = 0.0;
    BOOL bNegative = FALSE;
    if (!GetFormat().Parse(text, magnitude, bNegative))
        return;
    ToggleSign();
}

BOOL CGXCurrencyEdit::HandleActiveKey(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    CWnd* pGridWnd = GetGridWnd();
    auto toGrid = [&]() { return m_pGrid->DispatchKeyMessage(pGridWnd, WM_KEYDOWN, nChar, nRepCnt, nFlags); };
    if (CtrlHeld())
        return FALSE;
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    switch (nChar)
    {
    case VK_SPACE:
        FlipSign();
        return TRUE;
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        return toGrid();
    case VK_LEFT:
        return GetCaret() > 0 ? FALSE : toGrid();
    case VK_RIGHT:
        return GetCaret() < GetText().GetLength() ? FALSE : toGrid();
    case VK_DELETE:
        if (!CGXStatic::IsReadOnly())
        {
            m_bModified = TRUE;
            if (ShiftHeld())
                ::SendMessageA(m_hWnd, WM_CUT, 0, 0);
            else
                OnDelete();
        }
        return TRUE;
    case VK_INSERT:
        if (ShiftHeld())
        {
            CGXControl::Paste();
            return TRUE;
        }
        return FALSE;
    default:
        return nChar >= VK_F1 && nChar <= VK_F24 ? toGrid() : FALSE;
    }
}

BOOL CGXCurrencyEdit::KeyDown(UINT nChar, UINT, UINT)
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (nChar == VK_SPACE)
    {
        if (CGXStatic::IsReadOnly() || !StartEditing())
            return TRUE;
        FlipSign();
        Refresh();
        return TRUE;
    }
    if ((nChar == VK_HOME || nChar == VK_END) && !CtrlHeld())
    {
        if (!StartEditing())
            return FALSE;
        SetCaretPos(nChar == VK_HOME ? 0 : GetText().GetLength(), FALSE);
        if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE))
            Refresh();
        return TRUE;
    }
    return FALSE;
}

BOOL CGXCurrencyEdit::Char(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar < 0x20 || nChar == 0x7F || m_hWnd == nullptr || CGXStatic::IsReadOnly())
        return CGXControl::Char(nChar, nRepCnt, nFlags);
    if (!StartEditing())
        return FALSE;
    Refresh();
    ::SendMessageA(m_hWnd, WM_CHAR, nChar, 1);
    return TRUE;
}

BOOL CGXCurrencyEdit::SysKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar != VK_DOWN || m_hWnd == nullptr)
        return FALSE;
    if (!StartEditing())
        return FALSE;
    Refresh();
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    ::UpdateWindow(GridHwnd());
    if (GetBitmapHandle() != nullptr)
        OpenCalculator();
    return TRUE;
}

BOOL CGXCurrencyEdit::OnGridCommand(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != m_hWnd || m_hWnd == nullptr)
        return FALSE;
    if (HIWORD(wParam) == EN_CHANGE && m_bActive)
    {
        OnModifyCell();
        return TRUE;
    }
    return HIWORD(wParam) == EN_UPDATE || HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS;
}

LRESULT CGXCurrencyEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GETDLGCODE:
        return CGXBCurrencyEdit::WindowProc(message, wParam, lParam) | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (m_bActive && HandleActiveKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
            return 0;
        if (!m_bActive)
        {
            m_pGrid->DispatchKeyMessage(GetGridWnd(), WM_KEYDOWN, static_cast<UINT>(wParam), LOWORD(lParam),
                                        HIWORD(lParam));
            return 0;
        }
        break;
    case WM_CHAR:
        if (!m_bActive || CGXStatic::IsReadOnly())
            return 0;
        if (wParam == VK_BACK || wParam == '\r' || wParam == '\n' || CtrlHeld())
            return 0;
        m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
        break;
    case WM_SYSKEYDOWN:
        if (m_pGrid->DispatchKeyMessage(GetGridWnd(), WM_SYSKEYDOWN, static_cast<UINT>(wParam), LOWORD(lParam),
                                        HIWORD(lParam)))
            return 0;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        if (m_pGrid->DispatchKeyMessage(GetGridWnd(), message, static_cast<UINT>(wParam), LOWORD(lParam),
                                        HIWORD(lParam)))
            return 0;
        break;
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
        NotifyKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return lResult;
    }
    case WM_LBUTTONDOWN:
    {
        int nStart = 0;
        int nEnd = 0;
        const BOOL bHadSelection = HasSelection();
        GetSel(nStart, nEnd);
        const int nAt = CharFromPoint(GET_X_LPARAM(lParam));
        const LRESULT lResult = CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
        if (bHadSelection && nAt >= nStart && nAt < nEnd)
        {
            SetSel(nStart, nEnd);
            m_pGrid->OnClickInSelection(m_nRow, m_nCol);
            if (m_bActive && m_pGrid->IsCurrentCell(m_nRow, m_nCol))
                SetCaretPos(nAt, FALSE);
        }
        return lResult;
    }
    case WM_SETTEXT:
        if (!m_bReformatOnSetText)
        {
            if (!m_bSuppressModify)
            {
                m_bModified = TRUE;
                OnModifyCell();
            }
            const LRESULT lResult = CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
            Repaint();
            return lResult;
        }
        break;
    case GXBM_CALCULATOR_RESULT:
        if (CGXStatic::IsReadOnly())
            return TRUE;
        return ::SendMessageA(m_hWnd, WM_SETTEXT, 0, lParam);
    case WM_CONTEXTMENU:
        return Default();
    default:
        break;
    }
    return CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
}
