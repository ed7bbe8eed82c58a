#include "grid/controls/DateTimeCell.h"

#include "framework/core/NumberText.h"
#include "framework/win/WinApp.h"
#include "grid/controls/Calendar.h"
#include "grid/controls/CellEditState.h"
#include "grid/controls/DrawnCell.h"
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

IMPLEMENT_DYNAMIC(CGXCaptiveDateTimeCtrl, CGXBDateTimeCtrl)
IMPLEMENT_DYNAMIC(CGXDateTimeCtrl, CGXBDateTimeCtrl)
GRID_IMPLEMENT_CONTROL(CGXDateTimeCtrl, CGXStatic)

namespace
{
CString Attribute(const CGXStyle& style, WORD nId)
{
    CString text;
    style.GetUserAttributeText(nId, text);
    return text;
}

BOOL CtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

LCID UserLocale()
{
    const LCID lcid = GXGetAppData()->m_lcidUser;
    return lcid != 0 ? lcid : ::GetUserDefaultLCID();
}

// 52571: texts of the cell are numbers of days, never date texts.
BOOL NumberOnly(const CGXStyle& style)
{
    return std::atoi(Attribute(style, GX_IDS_UA_DATETIMENUMBER)) != 0;
}

// 52572: the significant digits of a stored day count, 13 to 15.
int PrecisionOf(const CGXStyle& style)
{
    return std::clamp(std::atoi(Attribute(style, GX_IDS_UA_DATETIMEPRECISION)), 13, 15);
}

// A field of an inactive cell: its text centred in one line, in the highlight colours when it has
// the focus.
void DrawFieldText(CDC* pDC, const CGXBDTGadget* pGadget)
{
    const HDC hDC = pDC->GetSafeHdc();
    CRect rect = pGadget->m_rect;
    const CString text = pGadget->GetText();
    const UINT nFormat = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (!pGadget->m_bFocus)
    {
        GridDrawText(pDC, text, text.GetLength(), &rect, nFormat);
        return;
    }
    const CGXSysColors& colors = GXGetAppData()->m_sysColors;
    const COLORREF oldBack = ::SetBkColor(hDC, colors.m_clrHighlight);
    const COLORREF oldText = ::SetTextColor(hDC, colors.m_clrHighlightText);
    const int nOldMode = ::SetBkMode(hDC, OPAQUE);
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    GridDrawText(pDC, text, text.GetLength(), &rect, nFormat);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBack);
}

// The minimum and maximum attributes: a date text, else a non-zero number of days.
COleDateTime BoundOf(const CGXStyle& style, WORD nId, BOOL bNumberOnly, double fallback)
{
    const CString text = Attribute(style, nId);
    COleDateTime date;
    if (!text.IsEmpty() && !bNumberOnly && date.ParseDateTime(text, 0, UserLocale()))
        return date;
    const double value = std::atof(text);
    return COleDateTime(value != 0.0 ? value : fallback);
}
}  // namespace

CGXDateTimeCtrl::CGXDateTimeCtrl(CGXGridCore* pGrid, UINT nID, DWORD dwWindowStyle)
    : CGXStatic(pGrid), m_dwWindowStyle(dwWindowStyle), m_nID(nID)
{
}

CGXDateTimeCtrl::~CGXDateTimeCtrl()
{
    if (m_converter.GetSafeHwnd() != nullptr)
        m_converter.DestroyWindow();
    if (m_drawer.GetSafeHwnd() != nullptr)
        m_drawer.DestroyWindow();
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_hCellFont != nullptr)
        ::DeleteObject(m_hCellFont);
}

void CGXDateTimeCtrl::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    CString choices;
    CGXStyle plain;
    AfxLoadString(GX_IDS_DATE_NOEDITCHOICES, choices);
    CGXStyle noEdit;
    noEdit.SetControl(GX_IDS_CTRL_CHECKLIST_COMBOBOX).SetChoiceList(choices);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATENOEDIT, &noEdit);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATEMIN, &plain);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATEMAX, &plain);
    AfxLoadString(GX_IDS_DATE_VALIDCHOICES, choices);
    CGXStyle mode;
    mode.SetControl(GX_IDS_CTRL_TABBED_COMBOBOX).SetChoiceList(choices);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATEVALIDMODE, &mode);
    AfxLoadString(GX_IDS_DATE_FORMATCHOICES, choices);
    CGXStyle type;
    type.SetControl(GX_IDS_CTRL_TABBED_COMBOBOX).SetChoiceList(choices);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATEFORMATTYPE, &type);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CUSTOMFORMAT, &plain);
    CGXStyle check;
    check.SetControl(GX_IDS_CTRL_CHECKBOX3D);
    pStylesMap->AddUserAttribute(GX_IDS_UA_FASTINPUT, &check);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIMENUMBER, &plain);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIMEPRECISION, &plain);
}

HWND CGXDateTimeCtrl::GridHwnd() const
{
    CWnd* pGridWnd = GetGridWnd();
    return pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr;
}

BOOL CGXDateTimeCtrl::CreateControl()
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const DWORD dwStyle = m_dwWindowStyle | WS_CHILD | WS_TABSTOP;
    const CRect away(30000, 30000, 30500, 30100);
    if (m_converter.GetSafeHwnd() == nullptr && !m_converter.Create(0, dwStyle, away, pGridWnd, m_nID + 1))
        return FALSE;
    if (m_drawer.GetSafeHwnd() == nullptr && !m_drawer.Create(0, dwStyle, away, pGridWnd, m_nID + 2))
        return FALSE;
    if (m_hWnd == nullptr && !CGXBDateTimeCtrl::Create(0, dwStyle, CRect(0, 0, 1, 1), pGridWnd, m_nID))
        return FALSE;
    return TRUE;
}

BOOL CGXDateTimeCtrl::ApplyStyleFormat(CGXBDateTimeCtrl* pWnd, const CGXStyle& style)
{
    const CString typeText = Attribute(style, GX_IDS_UA_DATEFORMATTYPE);
    const CString custom = Attribute(style, GX_IDS_UA_CUSTOMFORMAT);
    int nType = std::min(std::atoi(typeText), 4);
    if (nType == fmtCustom)
    {
        if (pWnd->GetFormatType() != fmtCustom || custom != CString())
            pWnd->SetCustomFormat(custom);
    }
    else if (typeText.IsEmpty())
    {
        if (!custom.IsEmpty())
        {
            nType = fmtCustom;
            pWnd->SetCustomFormat(custom);
        }
        else
        {
            nType = fmtShortDate;
            if (pWnd->GetFormatType() != fmtShortDate)
                pWnd->SetFormatType(fmtShortDate);
        }
    }
    else if (pWnd->GetFormatType() != nType)
        pWnd->SetFormatType(nType);
    return (nType > 0 && nType != fmtCustom) || pWnd->HasDateFields();
}

BOOL CGXDateTimeCtrl::SplitText(const CString& text, CStringArray& parts)
{
    CString piece;
    for (int i = 0; i <= text.GetLength(); ++i)
    {
        const BOOL bEnd = i == text.GetLength();
        const char c = bEnd ? '\0' : text[i];
        const BOOL bSeparator = bEnd || c == '\r' || c == '\n' || c == ' ' ||
                                (!m_strSeparator.IsEmpty() && text.Mid(i, m_strSeparator.GetLength()) == m_strSeparator);
        if (!bSeparator)
        {
            piece += c;
            continue;
        }
        if (!piece.IsEmpty())
            parts.Add(piece);
        piece.Empty();
        if (!bEnd && c != '\r' && c != '\n' && c != ' ')
            i += m_strSeparator.GetLength() - 1;
    }
    return parts.GetSize() > 0;
}

BOOL CGXDateTimeCtrl::ParseValue(const CString& input, BOOL bNumberOnly, COleDateTime& date)
{
    CString text = input;
    text.Trim();
    if (text.IsEmpty())
        return FALSE;
    // A text that is wholly a number is a day count: the date parser would read "0.25" as a time of
    // 00:25, and "0" is 30 December 1899 itself.
    char* pEnd = nullptr;
    const double number = std::strtod(text, &pEnd);
    if (pEnd != nullptr && *pEnd == '\0')
    {
        date = COleDateTime(number);
        return date.GetStatus() == COleDateTime::valid;
    }
    if (!bNumberOnly && date.ParseDateTime(text, 0, UserLocale()))
        return TRUE;
    const double leading = std::atof(text);
    if (leading == 0.0)
        return FALSE;
    date = COleDateTime(leading);
    return date.GetStatus() == COleDateTime::valid;
}

CString CGXDateTimeCtrl::StoredForm(const COleDateTime& date, int nPrecision) const
{
    if (!m_bStoreAsNumber)
        return date.Format("%#c");
    char format[16];
    std::snprintf(format, sizeof format, "%%.%dg", nPrecision > 0 ? nPrecision : m_nPrecision);
    return NumberText::Format(format, date.m_dt).c_str();
}

COleDateTime CGXDateTimeCtrl::DefaultValue(const CGXBDateTimeCtrl& wnd) const
{
    if (wnd.GetFormatType() == fmtTime || (wnd.GetFormatType() == fmtCustom && !wnd.HasDateFields()))
        return COleDateTime(0.0);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    return COleDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
}

// ---- State ----

CRuntimeClass* CGXDateTimeCtrl::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXDateTimeCtrl);
}

CWnd* CGXDateTimeCtrl::GetWnd()
{
    return this;
}

void CGXDateTimeCtrl::SetActive(BOOL bActive)
{
    m_bActive = bActive && m_hWnd != nullptr;
}

BOOL CGXDateTimeCtrl::IsActive()
{
    return m_bActive;
}

void CGXDateTimeCtrl::SetModify(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXDateTimeCtrl::GetModify()
{
    return m_bModified;
}

void CGXDateTimeCtrl::ReadSettings(const CGXStyle& style)
{
    m_bForceNumber = NumberOnly(style);
    m_nPrecision = PrecisionOf(style);
}

BOOL CGXDateTimeCtrl::LoadConverter(const CGXStyle& style)
{
    if (m_converter.GetSafeHwnd() == nullptr && !CreateControl())
        return FALSE;
    ApplyStyleFormat(&m_converter, style);
    COleDateTime date;
    if (!ParseValue(style.GetValue(), NumberOnly(style), date))
        date = DefaultValue(m_converter);
    m_converter.SetDateTime(date);
    return TRUE;
}

BOOL CGXDateTimeCtrl::FieldMatches(const CGXBDTGadget* pGadget, const CString& find, BOOL bCase)
{
    if (find.IsEmpty())
        return FALSE;
    if (dynamic_cast<const CGXBDTNumericGadget*>(pGadget) != nullptr)
        return find[0] >= '0' && find[0] <= '9' && std::atoi(find) == pGadget->m_nValue;
    if (dynamic_cast<const CGXBDTListGadget*>(pGadget) == nullptr)
        return FALSE;
    CString name = pGadget->GetText();
    if (!bCase)
        name.MakeUpper();
    return name.Left(find.GetLength()) == find;
}

BOOL CGXDateTimeCtrl::SetFieldFromText(CGXBDateTimeCtrl& wnd, CGXBDTGadget* pGadget, const CString& text)
{
    if (dynamic_cast<CGXBDTNumericGadget*>(pGadget) != nullptr)
        return wnd.OnFieldAction(actSet, pGadget->m_nId, std::atoi(text));
    CGXBDTListGadget* pList = dynamic_cast<CGXBDTListGadget*>(pGadget);
    if (pList == nullptr)
        return FALSE;
    const int nFound = pList->FindItem(text, pList->m_nValue);
    return nFound >= 0 && wnd.OnFieldAction(actSet, pList->m_nId, nFound);
}

void CGXDateTimeCtrl::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXControl::Init(nRow, nCol);
    SetActive(FALSE);
    if (m_hWnd == nullptr || m_converter.GetSafeHwnd() == nullptr)
        CreateControl();
    if (m_hWnd == nullptr)
        return;
    const CGXStyle& style = GetCachedStyle();
    const UINT nNoEdit = static_cast<UINT>(std::atoi(Attribute(style, GX_IDS_UA_DATENOEDIT)));
    if (nNoEdit != GetNoEdit())
        SetNoEdit(nNoEdit);
    m_bFormatShowsDate = ApplyStyleFormat(this, style);
    ReadSettings(style);
    SetValue(style.GetIncludeValue() ? style.GetValue() : CString());
    const COleDateTime minimum = BoundOf(style, GX_IDS_UA_DATEMIN, m_bForceNumber, -657434.0);
    const COleDateTime maximum = BoundOf(style, GX_IDS_UA_DATEMAX, m_bForceNumber, 2958465.0);
    SetRange(minimum, maximum, std::atoi(Attribute(style, GX_IDS_UA_DATEVALIDMODE)));
    SetFastInput(!style.HasUserAttribute(GX_IDS_UA_FASTINPUT) ||
                 std::atoi(Attribute(style, GX_IDS_UA_FASTINPUT)) != 0);
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wActivateCell & 4) != 0 && OnStartEditing())
        SetActive(TRUE);
    m_bModified = FALSE;
}

BOOL CGXDateTimeCtrl::StartEditing()
{
    if (m_bActive)
        return TRUE;
    if (m_hWnd == nullptr || !OnStartEditing())
        return FALSE;
    if (!m_bInit)
        Init(m_nRow, m_nCol);
    SetActive(TRUE);
    if (GetCurrentGadget() == nullptr || (GetCurrentGadget()->m_nFlags & CGXBDTGadget::flagFocus) == 0 ||
        GetCurrentIndex() < GetFixedCount())
        SetCurrentIndex(NextFocusable(GetFixedCount() - 1, TRUE));
    return m_bActive;
}

BOOL CGXDateTimeCtrl::Store()
{
    if (!m_bInit || !m_bModified)
        return TRUE;
    return GXCellEditState::StoreWindowValue(*this, m_bModified);
}

BOOL CGXDateTimeCtrl::OnValidate()
{
    // A pending typed number is committed by losing the focus state.
    if (CGXBDTGadget* pCurrent = GetCurrentGadget())
        if (pCurrent->m_bFocus)
            pCurrent->SetFocusState(FALSE);
    return CGXControl::OnValidate();
}

CSize CGXDateTimeCtrl::GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return CGXStatic::GetBorderSize(nRow, nCol, style) + CSize(5, 0);
}

CSize CGXDateTimeCtrl::CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                const CGXStyle* pStandardStyle, BOOL)
{
    COleDateTime date;
    if (pDC == nullptr || !ParseValue(style.GetValue(), NumberOnly(style), date) ||
        (m_converter.GetSafeHwnd() == nullptr && !CreateControl()))
        return CSize(0, 0);
    ApplyStyleFormat(&m_converter, style);
    m_converter.SetDateTime(date);
    const HDC hDC = pDC->GetSafeHdc();
    const HFONT hFont = CreateStyleFont(style, pStandardStyle);
    const HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    CSize size(0, tm.tmHeight + tm.tmExternalLeading + 1);
    for (int i = 0; i < m_converter.GetGadgetCount(); ++i)
    {
        CGXBDTGadget* pGadget = m_converter.GetGadget(i);
        pGadget->m_rect.SetRect(0, 0, 0, 0);
        pGadget->CalcSize(pDC);
        size.cx += pGadget->m_rect.Width();
        // The buttons take the height of whatever cell they are drawn in.
        if ((pGadget->m_nFlags & CGXBDTGadget::flagFixed) == 0)
            size.cy = std::max<LONG>(size.cy, pGadget->m_rect.Height());
    }
    ::SelectObject(hDC, hOldFont);
    ::DeleteObject(hFont);
    return size + GetBorderSize(nRow, nCol, style);
}

// ---- Values ----

void CGXDateTimeCtrl::SetValue(LPCTSTR pszValue)
{
    if (m_hWnd == nullptr)
        return;
    COleDateTime date;
    if (!ParseValue(pszValue != nullptr ? pszValue : "", m_bForceNumber, date))
        date = DefaultValue(*this);
    SetDateTime(date);
    if (m_bModified)
        OnModifyCell();
}

void CGXDateTimeCtrl::SetCurrentText(const CString& text)
{
    if (!m_bInit || m_hWnd == nullptr || !StartEditing())
        return;
    COleDateTime date;
    if (text.IsEmpty())
        date = COleDateTime(0.0);
    else if (!ValidateString(text) || !ParseValue(text, FALSE, date))
        return;
    SetDateTime(date);
    m_bModified = TRUE;
    OnModifyCell();
}

BOOL CGXDateTimeCtrl::GetValue(CString& value)
{
    if (!m_bInit)
        return FALSE;
    if (!m_bModified)
        return CGXControl::GetValue(value);
    value = StoredForm(GetDateTime());
    return TRUE;
}

BOOL CGXDateTimeCtrl::GetCurrentText(CString& text)
{
    if (m_bInit && m_bModified && m_hWnd != nullptr)
    {
        text = GetFieldsText();
        return TRUE;
    }
    return CGXControl::GetCurrentText(text);
}

BOOL CGXDateTimeCtrl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR pszValue, const CGXStyle& style)
{
    text.Empty();
    const CString value = pszValue != nullptr ? CString(pszValue) : style.GetValue();
    if (value.IsEmpty())
        return FALSE;
    if (m_converter.GetSafeHwnd() == nullptr && !CreateControl())
        return FALSE;
    ApplyStyleFormat(&m_converter, style);
    COleDateTime date;
    if (!ParseValue(value, NumberOnly(style), date))
        return FALSE;
    m_converter.SetDateTime(date);
    text = m_converter.GetFieldsText();
    return TRUE;
}

CString CGXDateTimeCtrl::GetStyleValue(const CGXStyle& style)
{
    const CString value = style.GetValue();
    if (value.IsEmpty() || (m_converter.GetSafeHwnd() == nullptr && !CreateControl()))
        return value;
    ApplyStyleFormat(&m_converter, style);
    COleDateTime date;
    if (!ParseValue(value, FALSE, date))
        return value;
    return NumberText::Format("%f", date.m_dt).c_str();
}

BOOL CGXDateTimeCtrl::ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle)
{
    if (text.IsEmpty())
        return TRUE;
    const CGXCellStyleScope cellStyle(m_pGrid, nRow, nCol, pOldStyle);
    const CGXStyle& style = *cellStyle.Get();
    // A typed or pasted text is a date text, else the values of the fields in their order, so that
    // a plain number such as "15" fills the first field. Day counts are what the cell stores, read
    // by ParseValue; a typed text is one only in a cell that forces number input. A date parsed to
    // 30 December 1899 00:00 (day count 0) is a date all the same.
    COleDateTime date;
    CString trimmed = text;
    trimmed.Trim();
    if (NumberOnly(style))
    {
        if (!ParseValue(trimmed, TRUE, date))
            return FALSE;
    }
    else if (!date.ParseDateTime(trimmed, 0, UserLocale()))
    {
        // The fields start from the cell's own value: a text with fewer parts than fields leaves
        // the others as the cell has them.
        CStringArray parts;
        if (!SplitText(text, parts) || !LoadConverter(style))
            return FALSE;
        INT_PTR nPart = 0;
        for (int i = m_converter.GetFixedCount(); i < m_converter.GetGadgetCount() && nPart < parts.GetSize(); ++i)
        {
            CGXBDTGadget* pGadget = m_converter.GetGadget(i);
            if (dynamic_cast<CGXBDTNumericGadget*>(pGadget) != nullptr ||
                dynamic_cast<CGXBDTListGadget*>(pGadget) != nullptr)
                SetFieldFromText(m_converter, pGadget, parts.GetAt(nPart++));
        }
        date = m_converter.GetDateTime();
    }
    text = StoredForm(date, PrecisionOf(style));
    return TRUE;
}

BOOL CGXDateTimeCtrl::GetSelectedText(CString& text)
{
    if (!m_bActive)
        return CGXControl::GetSelectedText(text);
    for (int i = 0; i < GetGadgetCount(); ++i)
        if (GetGadget(i)->m_bFocus)
        {
            text = GetGadget(i)->GetText();
            return !text.IsEmpty();
        }
    return FALSE;
}

// ---- Window side ----

BOOL CGXDateTimeCtrl::FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                               BOOL bSetCell)
{
    const CString findText = settings.strFind;
    if (findText.IsEmpty() || m_hWnd == nullptr)
        return FALSE;
    const BOOL bCase = settings.bCase;
    CGXBDateTimeCtrl* pFields = this;
    if (!IsInitAt(nRow, nCol) || !m_bActive)
    {
        // Another cell: its value in the converting window, with its own format.
        const CGXCellStyleScope cellStyle(m_pGrid, nRow, nCol, settings.m_pStyle);
        const CGXStyle* pStyle = cellStyle.Get();
        COleDateTime date;
        const BOOL bRead = (m_converter.GetSafeHwnd() != nullptr || CreateControl()) &&
                           ParseValue(pStyle->GetValue(), NumberOnly(*pStyle), date);
        if (bRead)
        {
            ApplyStyleFormat(&m_converter, *pStyle);
            m_converter.SetDateTime(date);
        }
        if (!bRead)
            return FALSE;
        pFields = &m_converter;
    }
    CString find = findText;
    if (!bCase)
        find.MakeUpper();
    // A search from the current position (Replace's own) finds the match that is still selected
    // again; any other goes on behind the last match.
    const BOOL bSameCell = m_nFindRow == nRow && m_nFindCol == nCol && m_strFindText == findText;
    int nFrom = pFields->GetFixedCount();
    if (bSameCell)
        nFrom = bCurrentPos && m_nFindMatch >= 0 ? m_nFindMatch : m_nFindNext;
    for (int i = nFrom; i < pFields->GetGadgetCount(); ++i)
    {
        if (!FieldMatches(pFields->GetGadget(i), find, bCase))
            continue;
        // A match in another cell makes it the current cell, as in any other cell of the grid.
        if (bSetCell && !m_pGrid->IsCurrentCell(nRow, nCol))
            m_pGrid->MoveCurrentCell(nRow, nCol, GX_SCROLLINVIEW | GX_SMART);
        m_nFindRow = nRow;
        m_nFindCol = nCol;
        m_strFindText = findText;
        m_nFindNext = i + 1;
        m_nFindMatch = i;
        if (bSetCell && IsInitAt(nRow, nCol) && m_bActive)
            SetCurrentIndex(i);
        return TRUE;
    }
    ForgetFindMatch();
    return FALSE;
}

void CGXDateTimeCtrl::ForgetFindMatch()
{
    m_nFindRow = m_nFindCol = 0x7fffffff;
    m_strFindText.Empty();
    m_nFindMatch = -1;
}

BOOL CGXDateTimeCtrl::ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol)
{
    if (settings.strFind.IsEmpty() || m_hWnd == nullptr)
        return FALSE;
    CString find = settings.strFind;
    if (!settings.bCase)
        find.MakeUpper();
    ForgetFindMatch();
    return ReplaceFields(nRow, nCol, settings.m_pStyle, settings.strReplace,
                         [&](const CGXBDTGadget* pGadget, int) { return FieldMatches(pGadget, find, settings.bCase); });
}

void CGXDateTimeCtrl::ReplaceSel(LPCTSTR pszText)
{
    const int nField = m_nFindMatch;
    if (!m_bInit || m_hWnd == nullptr || nField < 0 || m_nFindRow != m_nRow || m_nFindCol != m_nCol ||
        !m_pGrid->IsCurrentCell(m_nRow, m_nCol))
    {
        CGXControl::ReplaceSel(pszText);
        return;
    }
    const CString findText = m_strFindText;
    ReplaceFields(m_nRow, m_nCol, nullptr, pszText != nullptr ? pszText : "",
                  [nField](const CGXBDTGadget*, int i) { return i == nField; });
    // The search goes on behind the replaced field.
    m_nFindRow = m_nRow;
    m_nFindCol = m_nCol;
    m_strFindText = findText;
    m_nFindNext = nField + 1;
    m_nFindMatch = -1;
}

// A paste or a cut gives a text for the whole cell, never for a field a search selected.
BOOL CGXDateTimeCtrl::Paste()
{
    ForgetFindMatch();
    return CGXControl::Paste();
}

BOOL CGXDateTimeCtrl::Cut()
{
    ForgetFindMatch();
    return CGXControl::Cut();
}

BOOL CGXDateTimeCtrl::ReplaceFields(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, const CString& replacement,
                                    const std::function<bool(const CGXBDTGadget*, int)>& choose)
{
    const BOOL bActiveCell = IsInitAt(nRow, nCol) && m_bActive;
    const CGXCellStyleScope cellStyle(m_pGrid, nRow, nCol, pStyle);
    const CGXStyle& style = *cellStyle.Get();
    if (!bActiveCell && !LoadConverter(style))
        return FALSE;
    CGXBDateTimeCtrl& fields = bActiveCell ? static_cast<CGXBDateTimeCtrl&>(*this) : m_converter;
    // The fields are chosen first: a replaced field must not be chosen again.
    std::vector<CGXBDTGadget*> chosen;
    for (int i = fields.GetFixedCount(); i < fields.GetGadgetCount(); ++i)
        if (choose(fields.GetGadget(i), i))
            chosen.push_back(fields.GetGadget(i));
    BOOL bReplaced = FALSE;
    for (CGXBDTGadget* pGadget : chosen)
        bReplaced |= SetFieldFromText(fields, pGadget, replacement);
    if (!bReplaced)
        return FALSE;
    if (bActiveCell)
        return Store();
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && pParam->IsLockReadOnly() &&
        (m_pGrid->IsReadOnly() || (style.GetIncludeReadOnly() && style.GetReadOnly())))
        return FALSE;
    CString stored = StoredForm(m_converter.GetDateTime(), PrecisionOf(style));
    return StoreControlText(nRow, nCol, stored, style, GX_SMART);
}

BOOL CGXDateTimeCtrl::Copy()
{
    if (!m_bInit || !m_pGrid->IsCurrentCell(m_nRow, m_nCol))
        return FALSE;
    CGXRangeList ranges;
    ranges.AddTail(new CGXRange(m_nRow, m_nCol));
    return m_pGrid->CopyRangesToClipboard(ranges);
}

BOOL CGXDateTimeCtrl::OnChanging(const COleDateTime&)
{
    if (m_bInit && CGXStatic::IsReadOnly())
        return FALSE;
    ForgetFindMatch();
    m_bModified = TRUE;
    return TRUE;
}

void CGXDateTimeCtrl::OnChanged()
{
    if (!m_bInit)
        return;
    Refresh();
    if (m_bModified)
        OnModifyCell();
}

// ---- Drawing ----

void CGXDateTimeCtrl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    const BOOL bActiveCell = IsInitAt(nRow, nCol) && m_bActive && m_hWnd != nullptr && !m_pGrid->IsPrinting();
    if (!bActiveCell)
    {
        DrawInactive(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    const CGXStyle& cached = GetCachedStyle();
    const BOOL bBlackWhite = GXDrawnCell::IsBlackWhite(m_pGrid);
    m_textColor = GXDrawnCell::TextColor(cached, bBlackWhite);
    m_backColor = GXDrawnCell::InteriorColor(cached, bBlackWhite);
    DrawBackground(pDC, rect, cached);
    if (m_hCellFont != nullptr)
        ::DeleteObject(m_hCellFont);
    m_hCellFont = CreateStyleFont(cached, pStandardStyle);
    const CRect inner = GetCellRect(nRow, nCol, &rect, &cached);
    const HWND hGrid = GridHwnd();
    ::MoveWindow(m_hWnd, inner.left, inner.top, inner.Width(), inner.Height(), FALSE);
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    if (::GetFocus() == hGrid)
    {
        CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
        ::SetFocus(m_hWnd);
    }
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hCellFont), FALSE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXDateTimeCtrl::DrawInactive(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                   const CGXStyle* pStandardStyle)
{
    const HDC hDC = pDC->GetSafeHdc();
    DrawBackground(pDC, rect, style);
    if (m_drawer.GetSafeHwnd() == nullptr && !CreateControl())
        return;
    const CRect inner = GetCellRect(nRow, nCol, &rect, &style);
    const BOOL bPrinting = m_pGrid->IsPrinting();
    const BOOL bCurrent = m_pGrid->IsCurrentCell(nRow, nCol) && !bPrinting;
    const BOOL bButton = m_bAlwaysShowButton || bCurrent;
    const BOOL bSpin = m_bAlwaysShowSpin || (bCurrent && !CGXStatic::IsReadOnly());

    // The drawing window takes the cell's format and value; an unusable value shows the time-only
    // default for every custom format.
    ApplyStyleFormat(&m_drawer, style);
    const CString value = style.GetIncludeValue() ? style.GetValue() : CString();
    COleDateTime date;
    if (!ParseValue(value, NumberOnly(style), date))
        date = m_drawer.GetFormatType() == fmtCustom ? COleDateTime(0.0) : DefaultValue(m_drawer);
    m_drawer.SetDateTime(date);

    const HFONT hFont = CreateStyleFont(style, pStandardStyle);
    const HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    const BOOL bBlackWhite = GXDrawnCell::IsBlackWhite(m_pGrid);
    const COLORREF oldText = ::SetTextColor(hDC, GXDrawnCell::TextColor(style, bBlackWhite));
    const COLORREF oldBack = ::SetBkColor(hDC, GXDrawnCell::InteriorColor(style, bBlackWhite));
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    int x = inner.left + 1;
    int nRight = inner.right;
    for (int i = 0; i < m_drawer.GetGadgetCount(); ++i)
    {
        CGXBDTGadget* pGadget = m_drawer.GetGadget(i);
        if ((pGadget->m_nFlags & CGXBDTGadget::flagFixed) != 0)
        {
            pGadget->m_rect.SetRect(nRight - 16, inner.top, nRight, inner.bottom);
            nRight -= 16;
            continue;
        }
        pGadget->m_rect.SetRect(0, 0, 0, 0);
        pGadget->CalcSize(pDC);
        const int cx = pGadget->m_rect.Width();
        const int cy = pGadget->m_rect.Height();
        pGadget->m_rect.SetRect(x, inner.top, x + cx, inner.top + std::max(cy, 0));
        x += cx;
    }
    RECT clip = {};
    ::GetClipBox(hDC, &clip);
    for (int i = m_drawer.GetGadgetCount() - 1; i >= 0; --i)
    {
        CGXBDTGadget* pGadget = m_drawer.GetGadget(i);
        RECT overlap;
        if (!::IntersectRect(&overlap, &pGadget->m_rect, &clip))
            continue;
        if (pGadget->m_nId == idSpin)
        {
            if (bSpin)
                DrawSpin(pDC, pGadget, inner);
        }
        else if (pGadget->m_nId == idButton)
        {
            if (bButton)
                DrawButton(pDC, pGadget, inner);
        }
        else if (value.IsEmpty())
            continue;
        else if (dynamic_cast<CGXBDTNumericGadget*>(pGadget) != nullptr)
            DrawNumber(pDC, pGadget, inner);
        else if (dynamic_cast<CGXBDTListGadget*>(pGadget) != nullptr)
            DrawList(pDC, pGadget, inner);
        else
            DrawStatic(pDC, pGadget, inner);
    }
    ::SetBkMode(hDC, nOldMode);
    ::SetBkColor(hDC, oldBack);
    ::SetTextColor(hDC, oldText);
    ::SelectObject(hDC, hOldFont);
    ::DeleteObject(hFont);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXDateTimeCtrl::DrawSpin(CDC* pDC, CGXBDTGadget* pGadget, const CRect&)
{
    pGadget->Draw(pDC);
}

void CGXDateTimeCtrl::DrawNumber(CDC* pDC, CGXBDTGadget* pGadget, const CRect&)
{
    DrawFieldText(pDC, pGadget);
}

void CGXDateTimeCtrl::DrawList(CDC* pDC, CGXBDTGadget* pGadget, const CRect&)
{
    DrawFieldText(pDC, pGadget);
}

void CGXDateTimeCtrl::DrawStatic(CDC* pDC, CGXBDTGadget* pGadget, const CRect&)
{
    DrawFieldText(pDC, pGadget);
}

void CGXDateTimeCtrl::DrawButton(CDC* pDC, CGXBDTGadget* pGadget, const CRect&)
{
    pGadget->Draw(pDC);
}

void CGXDateTimeCtrl::Hide()
{
    if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd))
        return;
    CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
    const BOOL bHadFocus = ::GetFocus() == m_hWnd;
    ::ShowWindow(m_hWnd, SW_HIDE);
    ::SetWindowPos(m_hWnd, nullptr, 10000, 10000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    if (bHadFocus)
        ::SetFocus(GridHwnd());
}

// ---- Mouse and keys of an inactive cell ----

void CGXDateTimeCtrl::ActivateAtPoint(UINT, CPoint point, BOOL bForce)
{
    if (m_hWnd == nullptr || !m_bInit)
        return;
    const CRect inner = GetCellRect(m_nRow, m_nCol);
    const CPoint at(point.x - inner.left, point.y - inner.top);
    {
        CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
        ::SetWindowPos(m_hWnd, nullptr, inner.left, inner.top, inner.Width(), inner.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    LayoutGadgets();
    int nIndex = -1;
    if (bForce || !GetCachedStyle().GetValue().IsEmpty())
        if (CGXBDTGadget* pHit = HitTest(at))
            for (int i = 0; i < GetGadgetCount(); ++i)
                if (GetGadget(i) == pHit && (pHit->m_nFlags & CGXBDTGadget::flagFocus) != 0)
                    nIndex = i;
    if (nIndex < 0)
        nIndex = NextFocusable(GetFixedCount() - 1, TRUE);
    if (nIndex >= 0)
        m_nCurrent = nIndex;
    SetFieldFocusStates();
    if (!StartEditing())
        return;
    Refresh();
    ::UpdateWindow(m_hWnd);
    // A spin or drop button under the point takes the click itself.
    ::SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageA(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

BOOL CGXDateTimeCtrl::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    const CRect cell = CGXControl::GetCellRect(m_nRow, m_nCol);
    if (m_hWnd != nullptr && m_bInit && cell.PtInRect(point) && pParam != nullptr &&
        (pParam->m_wActivateCell & 7) != 0)
    {
        CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
        ActivateAtPoint(nFlags, point, FALSE);
    }
    return CGXControl::LButtonUp(nFlags, point, nHitState);
}

BOOL CGXDateTimeCtrl::LButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_hWnd != nullptr && m_bInit && !m_bActive)
        ActivateAtPoint(nFlags, point, TRUE);
    return CGXControl::LButtonDblClk(nFlags, point);
}

BOOL CGXDateTimeCtrl::KeyDown(UINT nChar, UINT, UINT)
{
    if (m_hWnd == nullptr || CtrlHeld() || (nChar != VK_HOME && nChar != VK_END))
        return FALSE;
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    if (!StartEditing())
        return FALSE;
    Refresh();
    SetCurrentIndex(nChar == VK_HOME ? NextFocusable(GetFixedCount() - 1, TRUE)
                                     : NextFocusable(GetGadgetCount(), FALSE));
    return TRUE;
}

BOOL CGXDateTimeCtrl::Char(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar < 32 || nChar == 127)
        return CGXControl::Char(nChar, nRepCnt, nFlags);
    const char sz[2] = {static_cast<char>(nChar), 0};
    return CharDbcs(CString(sz), nRepCnt, nFlags);
}

BOOL CGXDateTimeCtrl::CharDbcs(const CString& text, UINT, UINT)
{
    if (m_bActive)
        return TRUE;
    if (m_hWnd == nullptr || CGXStatic::IsReadOnly() || !StartEditing())
        return FALSE;
    Refresh();
    SetCurrentIndex(NextFocusable(GetFixedCount() - 1, TRUE));
    if (text.GetLength() == 1)
        ::PostMessageA(m_hWnd, WM_CHAR, static_cast<BYTE>(text[0]), 1);
    return FALSE;
}

BOOL CGXDateTimeCtrl::SysKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar != VK_DOWN || m_hWnd == nullptr || !StartEditing())
        return FALSE;
    if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE))
        Refresh();
    ::UpdateWindow(m_hWnd);
    if ((m_dwWindowStyle & GXDT_DTS_CALENDAR) != 0)
        ShowCalendar();
    return TRUE;
}

// ---- Window messages ----

LRESULT CGXDateTimeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pGridWnd = GetGridWnd();
    auto toGrid = [&](UINT nMessage) {
        return m_pGrid->DispatchKeyMessage(pGridWnd, nMessage, static_cast<UINT>(wParam), LOWORD(lParam),
                                           HIWORD(lParam));
    };
    switch (message)
    {
    case WM_SETFOCUS:
        m_nScroll = 0;
        break;
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
        NotifyKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return lResult;
    }
    case WM_ERASEBKGND:
    {
        RECT rect;
        ::GetClientRect(m_hWnd, &rect);
        const HDC hDC = reinterpret_cast<HDC>(wParam);
        ::FillRect(hDC, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        if (m_bInit)
        {
            const HBRUSH hBrush = ::CreateSolidBrush(m_backColor);
            ::FillRect(hDC, &rect, hBrush);
            ::DeleteObject(hBrush);
        }
        return TRUE;
    }
    case WM_KEYDOWN:
    {
        if (!m_bActive)
        {
            toGrid(WM_KEYDOWN);
            return 0;
        }
        m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
        const UINT nKey = static_cast<UINT>(wParam);
        if (nKey == VK_TAB)
        {
            const BOOL bBack = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (m_bTabBetweenFields && NextFocusable(GetCurrentIndex(), !bBack) >= GetFixedCount())
                break;
            toGrid(WM_KEYDOWN);
            return 0;
        }
        if (nKey == VK_RETURN || nKey == VK_ESCAPE || (nKey >= VK_F1 && nKey <= VK_F24))
        {
            toGrid(WM_KEYDOWN);
            return 0;
        }
        if (nKey == VK_DELETE)
        {
            SetActive(FALSE);
            m_bModified = FALSE;
            m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), "");
            return 0;
        }
        break;
    }
    case WM_CHAR:
        if (!m_bInit || !m_bActive || CGXStatic::IsReadOnly() || wParam == VK_BACK)
            return 0;
        m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
        if (CtrlHeld())
        {
            if (wParam == 3)
                Copy();
            else if (wParam == 22)
                Paste();
            else if (wParam == 24)
                Cut();
            return 0;
        }
        if (wParam == '\r' || wParam == '\n')
            return 0;
        {
            const LRESULT lResult = CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
            if (m_bModified)
                OnModifyCell();
            return lResult;
        }
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN && (m_dwWindowStyle & GXDT_DTS_CALENDAR) != 0 && GetGadgetCount() > GetFixedCount())
        {
            ShowCalendar();
            return 0;
        }
        if (toGrid(WM_SYSKEYDOWN))
            return 0;
        break;
    case WM_KEYUP:
    {
        if (toGrid(message))
            return 0;
        const LRESULT lResult = CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
        if (m_bModified)
            OnModifyCell();
        return lResult;
    }
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        if (toGrid(message))
            return 0;
        break;
    case WM_LBUTTONUP:
    {
        CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
        const LRESULT lResult = CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
        if (m_bModified)
            OnModifyCell();
        return lResult;
    }
    default:
        break;
    }
    return CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
}
