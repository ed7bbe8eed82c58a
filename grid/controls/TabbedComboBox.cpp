#include "grid/controls/TabbedComboBox.h"

#include "framework/win/Dc.h"
#include "grid/controls/Buttons.h"
#include "grid/controls/DIBPool.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/GridCombo.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <mbstring.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

IMPLEMENT_DYNAMIC(CGXTabbedComboLBox, CGXComboListBox)
IMPLEMENT_DYNAMIC(CGXTabbedComboBox, CGXComboBox)
GRID_IMPLEMENT_CONTROL(CGXTabbedComboBox, CGXComboBox)

namespace
{
// Fields of a choice line kept for lookups: at most 127 characters.
const int kFieldBuffer = 128;
// The columns a list measures and lays out.
const int kMaxColumns = 10;

int AttributeInt(const CGXStyle& style, WORD nId, int nDefault)
{
    if (!style.HasUserAttribute(nId))
        return nDefault;
    CString text;
    style.GetUserAttributeText(nId, text);
    return std::atoi(text);
}

CString ChoiceList(const CGXStyle& style)
{
    return style.GetIncludeChoiceList() ? style.GetChoiceList() : CString();
}

// Line nIndex of a list (counting every line).
CString LineAt(const CString& list, int nIndex)
{
    CString line;
    CString rest = list;
    for (int i = 0;; ++i)
    {
        const BOOL bLast = CGXDrawingAndFormatting::CutFirstLine(rest, line) < 0;
        if (i == nIndex)
            return line;
        if (bLast)
            return CString();
    }
}

// The lines of a list for its items: the title line left out when there is one.
template <class Fn>
void ForEachLine(CString list, BOOL bSkipFirst, Fn fn)
{
    CString line;
    BOOL bFirst = TRUE;
    while (!list.IsEmpty())
    {
        if (CGXDrawingAndFormatting::CutFirstLine(list, line) < 0)
            list.Empty();
        if (bFirst && bSkipFirst)
        {
            bFirst = FALSE;
            continue;
        }
        bFirst = FALSE;
        fn(line);
    }
}

BOOL StartsWithNoCase(const CString& field, const CString& text)
{
    return _mbsnbicmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(field)),
                      reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text)),
                      static_cast<size_t>(text.GetLength())) == 0;
}
}  // namespace

// ---- Column model and routines ----

void GXTabbedColumns::Read(const CGXStyle& style)
{
    nKeyCol = AttributeInt(style, GX_IDS_UA_TABLIST_KEYCOL, 0);
    nTextCol = AttributeInt(style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
    bShowAllCols = AttributeInt(style, GX_IDS_UA_TABLIST_SHOWALLCOLS, 1) != 0;
    bTitles = AttributeInt(style, GX_IDS_UA_TABLIST_TITLES, 0) != 0;
    nSortCol = AttributeInt(style, GX_IDS_UA_TABLIST_SORTCOL, -1);
    style.GetUserAttributeText(GX_IDS_UA_TABLIST_COLWIDTHS, strColWidths);
}

CString GXTabbedField(LPCTSTR pszLine, int nField)
{
    char field[kFieldBuffer];
    CGXDrawingAndFormatting::GetTabbedField(pszLine, nField, field, kFieldBuffer);
    return field;
}

CString GXTabbedItem(const CString& line, int nTextCol)
{
    if (nTextCol <= 0)
        return line;
    return GXTabbedField(line, nTextCol) + "\t" + line;
}

int GXTabbedColumnWidths(const int* pnMeasured, LPCTSTR pszWidths, BOOL bShowAllCols, int nTextCol, int* pnWidths)
{
    const char* p = pszWidths != nullptr ? pszWidths : "";
    int nColumns = 0;
    for (int i = 0; i < kMaxColumns && pnMeasured[i] != -1; ++i)
    {
        if (std::isdigit(static_cast<unsigned char>(*p)))
        {
            pnWidths[i] = std::atoi(p);
            while (std::isdigit(static_cast<unsigned char>(*p)))
                ++p;
            while (*p != '\0' && !std::isdigit(static_cast<unsigned char>(*p)))
                ++p;
        }
        else
            pnWidths[i] = !bShowAllCols && i != nTextCol ? 0 : pnMeasured[i] + 4;
        ++nColumns;
    }
    return nColumns;
}

int GXTabbedTabStops(const int* pnMeasured, const GXTabbedColumns& columns, int* pnTabStops, int& nTotalWidth)
{
    int widths[kMaxColumns] = {};
    const int nColumns =
        GXTabbedColumnWidths(pnMeasured, columns.strColWidths, columns.bShowAllCols, columns.nTextCol, widths);
    const int nTabStops = std::max(nColumns - 1, 0);
    for (int i = 0; i < nColumns; ++i)
    {
        nTotalWidth += widths[i];
        if (i < nTabStops)
            pnTabStops[i] = (i > 0 ? pnTabStops[i - 1] : 0) + widths[i];
    }
    nTotalWidth += ::GetSystemMetrics(SM_CXVSCROLL);
    return nTabStops;
}

void GXPrepareTabbedHeader(CGXTabbedLBoxHeader& header, CWnd* pParentWnd, const GXTabbedColumns& columns,
                           int nTabStops, const int* pnTabStops, CFont* pFont)
{
    if (header.GetSafeHwnd() == nullptr)
        header.Create(pParentWnd);
    header.m_bShowAllColumns = columns.bShowAllCols;
    header.m_nTextColumn = columns.nTextCol;
    header.m_nTabStops = nTabStops;
    header.m_pTabStops = pnTabStops;
    header.m_pFont = pFont;
}

BOOL GXValidateTabbedCombo(CGXControl& combo)
{
    if (combo.IsActive() && combo.GetModify())
    {
        CString value;
        if (!combo.GetValue(value))
            return FALSE;
    }
    return combo.CGXControl::OnValidate();
}

void GXAddTabbedUserAttributes(CGXStylesMap* pStylesMap)
{
    CGXStyle check;
    check.SetControl(GX_IDS_CTRL_CHECKBOX3D).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TABLIST_KEYCOL);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TABLIST_SHOWALLCOLS, &check);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TABLIST_TITLES, &check);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TABLIST_SORTCOL);
}

// ---- CGXTabbedComboLBox ----

CGXTabbedComboLBox::CGXTabbedComboLBox(CWnd* pOwner, CGXTabbedComboBox* pCombo)
    : CGXComboListBox(pOwner), m_pCombo(pCombo)
{
}

void CGXTabbedComboLBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasure)
{
    if (lpMeasure == nullptr || m_pCombo == nullptr)
        return;
    CString text;
    if (m_hWnd != nullptr && static_cast<int>(lpMeasure->itemID) < GetCount())
        GetText(static_cast<int>(lpMeasure->itemID), text);
    if (text.IsEmpty())
        text = m_pCombo->m_strItemText;
    int nHeight = m_pCombo->m_nRowHeight;
    const GXTabbedColumns& columns = m_pCombo->GetColumns();
    GXCalcTabbedRowHeight(text, nHeight, !columns.bShowAllCols, columns.nTextCol, m_pCombo->GetTabStopCount());
    lpMeasure->itemHeight = static_cast<UINT>(std::max(nHeight, 1));
}

void CGXTabbedComboLBox::DrawItem(LPDRAWITEMSTRUCT lpDraw)
{
    if (lpDraw == nullptr || m_pCombo == nullptr || lpDraw->itemID == static_cast<UINT>(-1))
        return;
    CDC dc;
    dc.Attach(lpDraw->hDC);
    const CRect rect(lpDraw->rcItem);
    if ((lpDraw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0)
    {
        const BOOL bSelected = (lpDraw->itemState & ODS_SELECTED) != 0;
        const COLORREF back = bSelected ? ::GetSysColor(COLOR_HIGHLIGHT) : m_pCombo->m_rgbListBack;
        const COLORREF text = bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : m_pCombo->m_rgbListText;
        CString row;
        GetText(static_cast<int>(lpDraw->itemID), row);
        const GXTabbedColumns& columns = m_pCombo->GetColumns();
        GXDrawTabbedRow(&dc, rect, row, !columns.bShowAllCols, columns.nTextCol, m_pCombo->GetTabStopCount(),
                        m_pCombo->GetTabStops(), m_pCombo->m_rgbGridLine, back, text);
    }
    if ((lpDraw->itemAction & ODA_FOCUS) != 0)
        ::DrawFocusRect(lpDraw->hDC, &rect);
    dc.Detach();
}

int CGXTabbedComboLBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return -1;
}

// ---- CGXTabbedComboBox ----

CGXTabbedComboBox::CGXTabbedComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID)
    : CGXComboBox(pGrid, nEditID, nListBoxID, GXCOMBO_NOTEXTFIT), m_rgbListBack(::GetSysColor(COLOR_WINDOW)),
      m_rgbListText(::GetSysColor(COLOR_WINDOWTEXT)), m_pHeader(new CGXTabbedLBoxHeader)
{
    m_bButtonHeightFollowsText = FALSE;
    m_columns.bTitles = TRUE;
}

CGXTabbedComboBox::~CGXTabbedComboBox()
{
    delete[] m_pTabStops;
    delete m_pHeader;
    // The kept pop-up deletes its list box.
    CGXGridCombo::SetDropDownFlag(TRUE);
    delete m_pTabbedDropDown;
    CGXGridCombo::SetDropDownFlag(FALSE);
    m_pTabbedDropDown = nullptr;
    m_pTabbedListBox = nullptr;
    m_pDropDownWnd = nullptr;
}

CRuntimeClass* CGXTabbedComboBox::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXTabbedComboBox);
}

CListBox* CGXTabbedComboBox::GetKeptListBox() const
{
    return m_pTabbedListBox;
}

void CGXTabbedComboBox::SetColumnCount(int nCount)
{
    delete[] m_pTabStops;
    m_pTabStops = new int[static_cast<size_t>(std::max(nCount, 1))]();
}

int CGXTabbedComboBox::UniqueId(const CGXStyle& style) const
{
    return AttributeInt(style, GX_IDS_UA_TABLIST_UNIQUEID, 0);
}

// ---- Lookup tables ----

CMapStringToString* CGXTabbedComboBox::GetMap(const CGXStyle& style, BOOL bKeys)
{
    const int nId = UniqueId(style);
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (nId < 1 || pParam == nullptr)
        return nullptr;
    CGXGridParam::TabbedChoiceMaps& maps = bKeys ? pParam->m_tabbedKeyMaps : pParam->m_tabbedTextMaps;
    auto found = maps.find(nId);
    if (found != maps.end())
        return found->second.get();
    auto pMap = std::make_unique<CMapStringToString>(10);
    if (bKeys)
        pMap->InitHashTable(257);
    GXTabbedColumns columns;
    columns.Read(style);
    const int nField = bKeys ? columns.nKeyCol : columns.nTextCol;
    ForEachLine(ChoiceList(style), columns.bTitles,
                [&](const CString& line) { pMap->SetAt(GXTabbedField(line, nField), line); });
    return maps.emplace(nId, std::move(pMap)).first->second.get();
}

CMapStringToString* CGXTabbedComboBox::GetKeyMap(const CGXStyle& style)
{
    return GetMap(style, TRUE);
}

CMapStringToString* CGXTabbedComboBox::GetTextMap(const CGXStyle& style)
{
    return GetMap(style, FALSE);
}

void CGXTabbedComboBox::ResetChoiceListMaps(CGXGridParam* pParam, int nId)
{
    if (pParam == nullptr || (nId != -1 && nId < 1))
        return;
    if (nId == -1)
        pParam->DeleteTabbedChoiceMaps();
    else
    {
        pParam->m_tabbedKeyMaps.erase(nId);
        pParam->m_tabbedTextMaps.erase(nId);
    }
    ++pParam->m_nChoiceListGeneration;
}

BOOL CGXTabbedComboBox::FindLineByKey(const CGXStyle& style, const CString& key, CString& line, int* pIndex)
{
    GXTabbedColumns columns;
    columns.Read(style);
    if (CMapStringToString* pMap = GetKeyMap(style))
        return pMap->Lookup(key, line);
    CString list = ChoiceList(style);
    if (m_bListFilled && columns.nSortCol >= 0)
        CGXDrawingAndFormatting::SortChoiceList(list, columns.nSortCol, columns.bTitles);
    const int nIndex = CGXDrawingAndFormatting::FindChoiceListItem(key, columns.nKeyCol, list, TRUE, columns.bTitles);
    if (pIndex != nullptr)
        *pIndex = nIndex;
    if (nIndex < 0)
        return FALSE;
    line = LineAt(list, nIndex + (columns.bTitles ? 1 : 0));
    return TRUE;
}

BOOL CGXTabbedComboBox::FindLineByText(const CGXStyle& style, const CString& text, CString& line)
{
    GXTabbedColumns columns;
    columns.Read(style);
    if (CMapStringToString* pMap = GetTextMap(style))
        return pMap->Lookup(text, line);
    const CString list = ChoiceList(style);
    const int nIndex = CGXDrawingAndFormatting::FindChoiceListItem(text, columns.nTextCol, list, TRUE, columns.bTitles);
    if (nIndex < 0)
        return FALSE;
    line = LineAt(list, nIndex + (columns.bTitles ? 1 : 0));
    return TRUE;
}

// ---- Values ----

void CGXTabbedComboBox::SetEditText(const CString& text)
{
    if (HasWindow())
        ::SetWindowTextA(m_hWnd, text);
}

void CGXTabbedComboBox::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXComboBox::Init(nRow, nCol);
    const CGXStyle& style = GetCachedStyle();
    m_columns.Read(style);
    SetValue(style.GetValue());
    SetModify(FALSE);
    m_bListFilled = FALSE;
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wActivateCell & 4) != 0 && OnStartEditing())
        SetActive(TRUE);
    if (HasWindow())
        ::SendMessageA(m_hWnd, EM_SETREADONLY, m_pGrid->IsReadOnly() || (style.GetIncludeReadOnly() && style.GetReadOnly()),
                       0);
    if (!m_bActive)
        if (CWnd* pGridWnd = GetGridWnd())
            if (pGridWnd->GetSafeHwnd() != nullptr)
                ::InvalidateRect(pGridWnd->GetSafeHwnd(), &GetButton()->GetRect(), TRUE);
}

void CGXTabbedComboBox::SetValue(LPCTSTR pszValue)
{
    if (!HasWindow() || !m_bInit)
        return;
    const CGXStyle& style = GetCachedStyle();
    CString line;
    int nIndex = -1;
    if (!FindLineByKey(style, pszValue != nullptr ? pszValue : "", line, &nIndex))
    {
        SetEditText("");
        return;
    }
    const CString text = GXTabbedField(line, m_columns.nTextCol);
    SetEditText(text);
    SetSelection(0, -1);
    if (m_bListFilled && m_pTabbedListBox != nullptr)
        m_pTabbedListBox->SetCurSel(nIndex >= 0 ? nIndex
                                                : static_cast<int>(::SendMessageA(
                                                      m_pTabbedListBox->GetSafeHwnd(), LB_FINDSTRINGEXACT,
                                                      static_cast<WPARAM>(-1),
                                                      reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)))));
}

BOOL CGXTabbedComboBox::GetValue(CString& value)
{
    if (!m_bInit)
        return FALSE;
    const CString text = HasWindow() ? WindowText() : CString();
    if (text.IsEmpty())
    {
        value.Empty();
        return TRUE;
    }
    CString line;
    if (!FindLineByText(GetCachedStyle(), text, line))
        return FALSE;
    value = GXTabbedField(line, m_columns.nKeyCol);
    return TRUE;
}

BOOL CGXTabbedComboBox::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR pszValue, const CGXStyle& style)
{
    GXTabbedColumns columns;
    columns.Read(style);
    CString line;
    text.Empty();
    if (!FindLineByKey(style, pszValue != nullptr ? CString(pszValue) : style.GetValue(), line))
        return FALSE;
    text = GXTabbedField(line, columns.nTextCol);
    return TRUE;
}

BOOL CGXTabbedComboBox::ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle)
{
    if (text.IsEmpty())
        return TRUE;
    const CGXCellStyleScope cellStyle(m_pGrid, nRow, nCol, pOldStyle);
    const CGXStyle* pStyle = cellStyle.Get();
    GXTabbedColumns columns;
    columns.Read(*pStyle);
    CString line;
    BOOL bFound = FALSE;
    if (GetTextMap(*pStyle) != nullptr || !ChoiceList(*pStyle).IsEmpty())
        bFound = FindLineByText(*pStyle, text, line);
    if (bFound)
        text = GXTabbedField(line, columns.nKeyCol);
    return bFound;
}

BOOL CGXTabbedComboBox::ValidateString(const CString& text)
{
    if (text.IsEmpty() || !m_bFillWithChoiceList || !m_bInit)
        return TRUE;
    const CGXStyle& style = GetCachedStyle();
    CMapStringToString* pMap = GetTextMap(style);
    if (pMap == nullptr)
        return CGXDrawingAndFormatting::FindChoiceListItem(text, m_columns.nTextCol, ChoiceList(style), FALSE,
                                                           m_columns.bTitles) >= 0;
    CString line;
    if (pMap->Lookup(text, line))
        return TRUE;
    // An accepted prefix becomes a key of its own, standing for the first line it was found in.
    POSITION pos = pMap->GetStartPosition();
    while (pos != nullptr)
    {
        CString key;
        CString entry;
        pMap->GetNextAssoc(pos, key, entry);
        if (StartsWithNoCase(GXTabbedField(entry, m_columns.nTextCol), text))
        {
            pMap->SetAt(text, entry);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CGXTabbedComboBox::OnValidate()
{
    return GXValidateTabbedCombo(*this);
}

BOOL CGXTabbedComboBox::ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode,
                                         int nType, const CGXStyle* pComposedStyle)
{
    if (!CGXComboBox::ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pComposedStyle))
        return FALSE;
    if (pStyle == nullptr || (mode != gxOverride && mode != gxApplyNew))
        return TRUE;
    BOOL bColumns = pStyle->GetIncludeChoiceList();
    for (WORD nId = GX_IDS_UA_TABLIST_KEYCOL; nId <= GX_IDS_UA_TABLIST_SORTCOL; ++nId)
        bColumns = bColumns || pStyle->HasUserAttribute(nId);
    const BOOL bCurrent = m_pGrid->IsCurrentCell(nRow, nCol) && m_bInit;
    if (bColumns)
    {
        // The tables of the id are stale for every cell that shares them, current or not.
        int nId = UniqueId(*pStyle);
        if (nId == 0)
            nId = pComposedStyle != nullptr ? UniqueId(*pComposedStyle) : (m_bInit ? UniqueId(GetCachedStyle()) : 0);
        ResetChoiceListMaps(m_pGrid->GetParam(), nId);
        if (bCurrent)
            Reset();
    }
    else if (bCurrent && (pStyle->GetIncludeControl() || (pStyle->GetIncludeValue() && !GetModify())))
        Reset();
    return TRUE;
}

// ---- Keys and completion ----

void CGXTabbedComboBox::AutoComplete()
{
    if (!m_bAutoComplete || !m_bFillWithChoiceList || !m_bActive || !HasWindow() || IsReadOnly())
        return;
    const CString typed = WindowText();
    if (typed.IsEmpty())
        return;
    const CGXStyle& style = GetCachedStyle();
    CString line;
    BOOL bFound = FALSE;
    if (UniqueId(style) < 1)
    {
        const CString list = ChoiceList(style);
        int nIndex = CGXDrawingAndFormatting::FindChoiceListItem(typed, m_columns.nTextCol, list, TRUE, m_columns.bTitles);
        if (nIndex < 0)
            nIndex = CGXDrawingAndFormatting::FindChoiceListItem(typed, m_columns.nTextCol, list, FALSE,
                                                                 m_columns.bTitles);
        if (nIndex >= 0)
        {
            line = LineAt(list, nIndex + (m_columns.bTitles ? 1 : 0));
            bFound = TRUE;
        }
    }
    else if (CMapStringToString* pMap = GetTextMap(style))
        bFound = pMap->Lookup(typed, line);
    if (!bFound)
        return;
    CGXEditControl::SetCurrentText(GXTabbedField(line, m_columns.nTextCol));
    // The completion is selected, so the next character typed replaces it.
    SetSelection(typed.GetLength(), -1);
}

BOOL CGXTabbedComboBox::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bWasActive = m_bActive;
    const BOOL bTaken = CGXComboBox::DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags);
    if (bTaken && nMessage == WM_CHAR && nChar >= 32 && !bWasActive && !IsReadOnly())
        AutoComplete();
    return bTaken;
}

LRESULT CGXTabbedComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_CHAR || wParam < 32)
        return CGXComboBox::WindowProc(message, wParam, lParam);
    // The selected completion goes first; the character then replaces nothing of what was typed.
    if (m_bActive && !IsReadOnly() && HasWindow())
    {
        int nStart = 0, nEnd = 0;
        GetSelection(nStart, nEnd);
        if (nStart != nEnd)
            ::SendMessageA(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    }
    const LRESULT lResult = CGXComboBox::WindowProc(message, wParam, lParam);
    AutoComplete();
    return lResult;
}

// ---- Drawing and size ----

void CGXTabbedComboBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                             const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    const BOOL bOwnCell = IsInitAt(nRow, nCol) && !m_pGrid->IsPrinting();
    if (bOwnCell)
    {
        m_rgbListBack = GXDrawnCell::InteriorColor(style, FALSE);
        m_rgbListText = GXDrawnCell::TextColor(style, FALSE);
    }
    if (bOwnCell && m_bActive)
    {
        GXDrawnCell::FontScope font(m_pGrid, pDC, style);
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
        m_nRowHeight = tm.tmHeight;
        CGXComboBox::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    CString text;
    HGLOBAL hDIB = nullptr;
    if (GetControlText(text, nRow, nCol, nullptr, style))
        hDIB = GXFieldBitmap(text);
    if (hDIB == nullptr)
    {
        CGXComboBox::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    DrawBackground(pDC, rect, style);
    CGXDIB::Draw(pDC, hDIB, GetCellRect(nRow, nCol, &rect, &style), CGXDIB::drawNatural,
                 GXDrawnCell::AlignmentFlags(style));
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

CSize CGXTabbedComboBox::CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle*, BOOL)
{
    if (pDC == nullptr)
        return CSize(0, 0);
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
    CSize size(0, tm.tmHeight + tm.tmExternalLeading + 1);
    if (m_bFillWithChoiceList)
    {
        GXTabbedColumns columns;
        columns.Read(style);
        ForEachLine(ChoiceList(style), columns.bTitles, [&](const CString& line) {
            const CString field = GXTabbedField(line, columns.nTextCol);
            CGXDIB dib;
            HGLOBAL hDIB = GXFieldBitmap(field);
            SIZE extent = {};
            if (hDIB != nullptr && dib.Attach(hDIB))
            {
                extent.cx = dib.GetWidth();
                extent.cy = dib.GetHeight();
                dib.Detach();
            }
            else
                ::GetTextExtentPoint32A(pDC->GetSafeHdc(), field, field.GetLength(), &extent);
            size.cx = std::max<int>(size.cx, extent.cx);
            size.cy = std::max<int>(size.cy, extent.cy);
        });
    }
    return size + GetBorderSize(nRow, nCol, style);
}

// ---- The list ----

CGXGridCombo* CGXTabbedComboBox::CreateDropDownWnd(CWnd* pParentWnd, const CRect& rect)
{
    if (m_pTabbedDropDown == nullptr)
        m_pTabbedDropDown = CGXComboBox::CreateDropDownWnd(pParentWnd, rect);
    return m_pTabbedDropDown;
}

CListBox* CGXTabbedComboBox::CreateListBox(CWnd* pPopupWnd, UINT nID)
{
    if (m_pTabbedListBox != nullptr)
        return m_pTabbedListBox;
    m_pTabbedListBox = new CGXTabbedComboLBox(this, this);
    const DWORD dwStyle = (m_dwListBoxStyle != 0 ? m_dwListBoxStyle : WS_VSCROLL | LBS_NOTIFY) |
                          LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
    m_pTabbedListBox->Create(dwStyle, CRect(0, 0, 1, 1), pPopupWnd, nID);
    return m_pTabbedListBox;
}

void CGXTabbedComboBox::ShowDropDown(BOOL bShow)
{
    if (bShow && m_pTabbedDropDown != nullptr && ::IsWindowVisible(m_pTabbedDropDown->GetSafeHwnd()) &&
        m_pDropDownWnd != nullptr)
        return;
    CGXComboBox::ShowDropDown(bShow);
}

void CGXTabbedComboBox::DestroyDropDownWnd(CGXGridCombo* pPopupWnd)
{
    if (pPopupWnd != nullptr && pPopupWnd->GetSafeHwnd() != nullptr)
        ::ShowWindow(pPopupWnd->GetSafeHwnd(), SW_HIDE);
    m_pHeader->HideHeader();
    if (m_pTabbedListBox != nullptr)
        m_pTabbedListBox->ClearSeen();
}

void CGXTabbedComboBox::GetDropDownRect(CRect& rect, const CRect& rectCell)
{
    CGXComboBox::GetDropDownRect(rect, rectCell);
    rect.right = std::max<int>(rectCell.right, rectCell.left + m_nTotalWidth);
}

int CGXTabbedComboBox::GetDropDownRowHeight(CListBox*)
{
    return m_nRowHeight;
}

void CGXTabbedComboBox::FillListBox(CListBox* pListBox)
{
    if (pListBox == nullptr || !m_bInit)
        return;
    const CGXStyle& style = GetCachedStyle();
    const int nId = UniqueId(style);
    CGXGridParam* pParam = m_pGrid->GetParam();
    const int nGeneration = pParam != nullptr ? pParam->m_nChoiceListGeneration : 0;
    // Cells of one unique id share the rows until a style change resets the id.
    const BOOL bRebuild = GetTextMap(style) == nullptr || nId != m_nFilledForId || m_nFillGeneration < nGeneration;
    if (bRebuild)
        m_nFillGeneration = nGeneration;
    if (bRebuild && !m_bListFilled && m_bFillWithChoiceList)
    {
        int measured[kMaxColumns];
        std::fill(std::begin(measured), std::end(measured), -1);
        SetColumnCount(kMaxColumns);
        pListBox->ResetContent();
        m_nTotalWidth = 0;
        m_pHeader->m_strTitle.Empty();
        CString list = ChoiceList(style);
        if (!list.IsEmpty())
        {
            if (m_columns.nSortCol >= 0)
            {
                // Sorted once: the cell's copy of the style holds the sorted list from then on.
                CGXDrawingAndFormatting::SortChoiceList(list, m_columns.nSortCol, m_columns.bTitles);
                GetCachedStyle().SetChoiceList(list);
                GetCachedStyle().SetUserAttributeText(GX_IDS_UA_TABLIST_SORTCOL, "-1");
            }
            GXDrawnCell::GridWindowDC dc(m_pGrid);
            GXDrawnCell::FontScope font(m_pGrid, dc.Get(), style);
            BOOL bFirst = TRUE;
            CString line;
            while (!list.IsEmpty())
            {
                if (CGXDrawingAndFormatting::CutFirstLine(list, line) < 0)
                    list.Empty();
                GXMeasureTabbedColumns(dc.Get(), line, kMaxColumns, measured);
                const CString item = GXTabbedItem(line, m_columns.nTextCol);
                if (bFirst && m_columns.bTitles)
                    m_pHeader->m_strTitle = item;
                else
                {
                    m_strItemText = item;
                    pListBox->AddString(item);
                }
                bFirst = FALSE;
            }
            m_strItemText.Empty();
        }
        m_nTabStops = GXTabbedTabStops(measured, m_columns, m_pTabStops, m_nTotalWidth);
    }
    const CString text = HasWindow() ? WindowText() : CString();
    const int nExact = static_cast<int>(::SendMessageA(pListBox->GetSafeHwnd(), LB_FINDSTRINGEXACT,
                                                       static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text))));
    if (nExact != LB_ERR)
        pListBox->SetCurSel(nExact);
    else
        pListBox->SelectString(-1, text);
    m_bListFilled = TRUE;
    m_nFilledForId = nId;
}

void CGXTabbedComboBox::PlaceDropDown(CRect& rect, const CRect& rectScreenCell, const CRect& desktop,
                                      CListBox* pListBox)
{
    const int nItemHeight = static_cast<int>(::SendMessageA(pListBox->GetSafeHwnd(), LB_GETITEMHEIGHT, 0, 0));
    const int nWanted = pListBox->GetCount() * m_nRowHeight + nItemHeight / 2;
    if (nWanted < rect.Height())
        rect.bottom = rect.top + nWanted;
    if (rect.right > desktop.right)
        rect.OffsetRect(-(rect.Width() - rectScreenCell.Width()), 0);
    int nHeader = 0;
    if (m_columns.bTitles)
    {
        GXPrepareTabbedHeader(*m_pHeader, GetGridWnd(), m_columns, m_nTabStops, m_pTabStops, &m_font);
        nHeader = m_nRowHeight;
        GXCalcTabbedRowHeight(m_pHeader->m_strTitle, nHeader, !m_columns.bShowAllCols, m_columns.nTextCol, m_nTabStops);
        nHeader += 4;
    }
    if (rect.bottom + nHeader > desktop.bottom)
    {
        // No room below for the list and its titles: both open above the cell.
        rect.OffsetRect(0, -(rect.Height() + rectScreenCell.Height()));
    }
    else
        rect.OffsetRect(0, nHeader);
    rect.IntersectRect(&rect, &desktop);
}

void CGXTabbedComboBox::OnDropDownShown(CListBox*, const CRect& rect)
{
    // The titles sit directly above the list, whichever side of the cell it opened.
    if (m_columns.bTitles && m_pHeader->GetSafeHwnd() != nullptr)
    {
        int nHeader = m_nRowHeight;
        GXCalcTabbedRowHeight(m_pHeader->m_strTitle, nHeader, !m_columns.bShowAllCols, m_columns.nTextCol, m_nTabStops);
        nHeader += 4;
        m_pHeader->ShowAt(CRect(rect.left, rect.top - nHeader, rect.right, rect.top));
    }
}

void CGXTabbedComboBox::GetListBoxValue(CListBox* pListBox)
{
    if (pListBox == nullptr)
        return;
    const int nSel = pListBox->GetCurSel();
    if (nSel == LB_ERR)
        return;
    CString item;
    pListBox->GetText(nSel, item);
    SetActive(TRUE);
    SetEditText(GXTabbedField(item, 0));
    SetSelection(0, -1);
    SetModify(TRUE);
    if (m_bStaticDisplay)
        Refresh();
}

void CGXTabbedComboBox::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    GXAddTabbedUserAttributes(pStylesMap);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID);
}
