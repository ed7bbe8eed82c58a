// The default text and value services of every cell control: validation against range
// attributes, choice-list lookup, storing values, keyboard dispatch with double-byte characters,
// and inserting and pasting text.

#include "grid/core/Control.h"

#include "framework/win/Clipboard.h"
#include "framework/win/Wnd.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

#include <cstdlib>
#include <cstring>
#include <mbctype.h>
#include <mbstring.h>

BOOL GXAppendDbcsChar(UINT nChar, CString& out, BOOL& bLeadPending, BYTE& leadByte)
{
    const BYTE byte = static_cast<BYTE>(nChar);
    if (bLeadPending)
    {
        bLeadPending = FALSE;
        const char both[3] = {static_cast<char>(leadByte), static_cast<char>(byte), '\0'};
        out = both;
        return TRUE;
    }
    if (_ismbblead(byte))
    {
        bLeadPending = TRUE;
        leadByte = byte;
        out.Empty();
        return TRUE;
    }
    out = CString(static_cast<char>(byte), 1);
    return FALSE;
}

BOOL CGXControl::OnValidate()
{
    if (IsActive() && GetModify())
    {
        CString text;
        GetCurrentText(text);
        if (!text.IsEmpty())
        {
            const CGXStyle& style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
            CString minimum;
            CString maximum;
            style.GetUserAttributeText(GX_IDS_UA_VALID_MIN, minimum);
            style.GetUserAttributeText(GX_IDS_UA_VALID_MAX, maximum);
            const double dValue = std::atof(text);
            const BOOL bTooSmall = !minimum.IsEmpty() && dValue < std::atof(minimum);
            const BOOL bTooLarge = !maximum.IsEmpty() && dValue > std::atof(maximum);
            if (bTooSmall || bTooLarge)
            {
                CString warning;
                style.GetUserAttributeText(GX_IDS_UA_VALID_MSG, warning);
                m_pGrid->SetValidationWarning(warning);
                return FALSE;
            }
        }
        if (!ValidateString(text))
            return FALSE;
    }
    return m_pGrid->ValidateCellHook(m_nRow, m_nCol);
}

BOOL CGXControl::GetChoiceListItem(CString& item, LPCTSTR pszChoiceList, int nIndex)
{
    item.Empty();
    if (pszChoiceList == nullptr || nIndex < 0)
        return FALSE;
    CString list = pszChoiceList;
    CString line;
    for (int nLine = 0;; ++nLine)
    {
        const BOOL bLast = CGXDrawingAndFormatting::CutFirstLine(list, line) < 0;
        if (nLine == nIndex)
        {
            item = line;
            return TRUE;
        }
        if (bLast)
            return FALSE;
    }
}

int CGXControl::FindStringInChoiceList(CString& item, LPCTSTR pszText, LPCTSTR pszChoiceList, BOOL bExact)
{
    item.Empty();
    if (pszText == nullptr || *pszText == '\0' || pszChoiceList == nullptr)
        return -1;
    const unsigned char* pText = reinterpret_cast<const unsigned char*>(pszText);
    const size_t nTextBytes = std::strlen(pszText);
    CString list = pszChoiceList;
    CString line;
    int nPrefix = -1;
    CString prefixItem;
    for (int nLine = 0;; ++nLine)
    {
        const BOOL bLast = CGXDrawingAndFormatting::CutFirstLine(list, line) < 0;
        const unsigned char* pLine = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(line));
        // An exact match wins over an earlier prefix match.
        if (_mbsicmp(pLine, pText) == 0)
        {
            item = line;
            return nLine;
        }
        if (!bExact && nPrefix < 0 && _mbsnbicmp(pLine, pText, nTextBytes) == 0)
        {
            nPrefix = nLine;
            prefixItem = line;
        }
        if (bLast)
            break;
    }
    if (bExact)
        return -1;
    item = prefixItem;
    return nPrefix;
}

void CGXControl::SetValue(LPCTSTR pszValue)
{
    if (!m_bInit)
        return;
    GetCachedStyle().SetValue(pszValue != nullptr ? pszValue : "");
    const CGXRange cell(m_nRow, m_nCol);
    m_pGrid->DelayFloatCells(cell, GX_INVALID);
    m_pGrid->EvalFloatCells(cell, TRUE, nullptr, FALSE);
}

BOOL CGXControl::SetControlText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags, const CGXStyle* pOldStyle)
{
    const CGXCellStyleScope cellStyle(m_pGrid, nRow, nCol, pOldStyle);
    const CGXStyle* pStyle = cellStyle.Get();
    const CGXStyle* pPreviousBeingStored = m_pGrid->m_pStyleBeingStored;
    m_pGrid->m_pStyleBeingStored = pStyle;

    BOOL bResult = FALSE;
    CString converted = text;
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (!ConvertTextToValue(converted, nRow, nCol, pStyle))
        bResult = FALSE;
    else if (pParam != nullptr && pParam->IsLockReadOnly() &&
             (m_pGrid->IsReadOnly() || (pStyle->GetIncludeReadOnly() && pStyle->GetReadOnly())))
        bResult = FALSE;
    else if (pStyle->GetIncludeMaxLength() && pStyle->GetMaxLength() > 0 &&
             converted.GetLength() > static_cast<int>(pStyle->GetMaxLength()))
        bResult = m_pGrid->StoreCellValueText(nRow, nCol, converted.Left(pStyle->GetMaxLength()), nFlags);
    else
        bResult = StoreControlText(nRow, nCol, converted, *pStyle, nFlags);

    m_pGrid->m_pStyleBeingStored = pPreviousBeingStored;
    return bResult;
}

BOOL CGXControl::StoreControlText(ROWCOL nRow, ROWCOL nCol, CString& text, const CGXStyle&, UINT nFlags)
{
    return m_pGrid->StoreCellValueText(nRow, nCol, text, nFlags);
}

namespace
{
// A key message to the handler of its kind, for a control and for a child alike; the pending lead
// byte of a double-byte character is the caller's.
template <class TTarget>
BOOL DispatchKey(TTarget& target, BOOL& bLeadPending, BYTE& leadByte, UINT nMessage, UINT nChar, UINT nRepCnt,
                 UINT nFlags)
{
    switch (nMessage)
    {
    case WM_KEYDOWN:
        return target.KeyDown(nChar, nRepCnt, nFlags);
    case WM_KEYUP:
        return target.KeyUp(nChar, nRepCnt, nFlags);
    case WM_CHAR:
    {
        CString text;
        if (!GXAppendDbcsChar(nChar, text, bLeadPending, leadByte))
            return target.Char(nChar, nRepCnt, nFlags);
        // A lead byte alone waits for its trail byte.
        if (bLeadPending)
            return TRUE;
        return target.CharDbcs(text, nRepCnt, nFlags);
    }
    case WM_DEADCHAR:
        return target.DeadChar(nChar, nRepCnt, nFlags);
    case WM_SYSKEYDOWN:
        return target.SysKeyDown(nChar, nRepCnt, nFlags);
    case WM_SYSKEYUP:
        return target.SysKeyUp(nChar, nRepCnt, nFlags);
    case WM_SYSCHAR:
        return target.SysChar(nChar, nRepCnt, nFlags);
    case WM_SYSDEADCHAR:
        return target.SysDeadChar(nChar, nRepCnt, nFlags);
    default:
        return FALSE;
    }
}
}  // namespace

BOOL CGXChild::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    return DispatchKey(*this, m_bDbcsLeadPending, m_dbcsLeadByte, nMessage, nChar, nRepCnt, nFlags);
}

BOOL CGXControl::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CGXChild* pChild = GetFocusChild())
        if (pChild->DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags))
            return TRUE;
    return DispatchKey(*this, m_bDbcsLeadPending, m_dbcsLeadByte, nMessage, nChar, nRepCnt, nFlags);
}

void CGXControl::ReplaceSel(LPCTSTR pszText)
{
    if (m_bInit && m_pGrid->IsCurrentCell(m_nRow, m_nCol))
        m_pGrid->StoreTextThroughControl(m_nRow, m_nCol, pszText != nullptr ? pszText : "", GX_INVALIDATE,
                                         &GetCachedStyle());
}

BOOL CGXControl::Paste()
{
    if (m_pGrid->CanPasteGridFormat())
        return FALSE;
    if (!m_bInit || !IsActive())
        return FALSE;
    const CGXStyle& style = GetCachedStyle();
    if (style.GetIncludeReadOnly() && style.GetReadOnly())
        return FALSE;

    // Open the clipboard only when nobody holds it open (a caller may have opened it already).
    const BOOL bOpenHere = CClipboard::GetOpenWindow() == nullptr;
    CWnd* pGridWnd = GetGridWnd();
    CString text;
    BOOL bFound = FALSE;
    if (bOpenHere)
    {
        CClipboard clipboard(pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr);
        if (clipboard.IsOpen())
            bFound = clipboard.GetText(text, CF_TEXT) || clipboard.GetText(text, CF_OEMTEXT);
    }
    else
    {
        const UINT formats[2] = {CF_TEXT, CF_OEMTEXT};
        for (UINT nFormat : formats)
        {
            HGLOBAL hData = ::GetClipboardData(nFormat);
            if (hData == nullptr)
                continue;
            const SIZE_T cbData = ::GlobalSize(hData);
            if (const char* pData = static_cast<const char*>(::GlobalLock(hData)))
            {
                // Never read past the block, even without a closing zero.
                text = CString(pData, static_cast<int>(strnlen(pData, cbData)));
                ::GlobalUnlock(hData);
                bFound = TRUE;
                break;
            }
        }
    }
    if (bFound && ValidatePaste(text))
        ReplaceSel(text);
    return bFound;
}

CGXCellStyleScope::CGXCellStyleScope(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pGiven)
    : m_pGrid(pGrid), m_pStyle(pGiven)
{
    if (m_pStyle == nullptr)
    {
        m_pTaken = m_pGrid->NewStyle();
        m_pGrid->BuildEffectiveStyle(nRow, nCol, *m_pTaken, TRUE);
        m_pStyle = m_pTaken;
    }
}

CGXCellStyleScope::~CGXCellStyleScope()
{
    if (m_pTaken != nullptr)
        m_pGrid->RecycleStyle(m_pTaken);
}
