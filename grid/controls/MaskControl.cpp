#include "grid/controls/MaskControl.h"

#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/Seams.h"
#include "grid/controls/CellEditState.h"
#include "grid/controls/MaskData.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/SearchText.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <mbstring.h>

#include <cstring>
#include <memory>
#include <vector>

IMPLEMENT_DYNAMIC(CGXMaskControl, CEdit)
GRID_IMPLEMENT_CONTROL(CGXMaskControl, CGXStatic)

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

// The text of a format of the open clipboard, never read past its block; FALSE when absent.
BOOL ReadClipboardText(UINT nFormat, CString& text)
{
    HGLOBAL hData = nFormat != 0 ? ::GetClipboardData(nFormat) : nullptr;
    if (hData == nullptr)
        return FALSE;
    const SIZE_T cbData = ::GlobalSize(hData);
    const char* pData = static_cast<const char*>(::GlobalLock(hData));
    if (pData == nullptr)
        return FALSE;
    text = CString(pData, static_cast<int>(strnlen(pData, cbData)));
    ::GlobalUnlock(hData);
    return TRUE;
}

BOOL IsInput(const CGXMaskData& data, int nPos)
{
    return nPos >= 0 && nPos < data.GetMaskLength() && !data.IsLiteral(nPos);
}
}  // namespace

CGXMaskControl::CGXMaskControl(CGXGridCore* pGrid, UINT nID, CRuntimeClass* pDataClass)
    : CGXStatic(pGrid),
      m_pDataClass(pDataClass != nullptr ? pDataClass : RUNTIME_CLASS(CGXMaskData)),
      m_nID(nID),
      m_rgbHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_layout(
          *this, *this, [this](DWORD dwStyle, const RECT* pRect) { return CreateControl(dwStyle, pRect); },
          // The window always edits one line and scrolls sideways.
          [this](RECT* pRect, int* pLineHeight) {
              return m_layout.ComputeStyle(pRect, pLineHeight) & ~static_cast<DWORD>(ES_AUTOVSCROLL);
          })
{
    m_layout.m_bSingleLine = TRUE;
}

CGXMaskControl::~CGXMaskControl()
{
    if (HasWindow())
        DestroyWindow();
    delete m_pEditData;
    delete m_pDisplayData;
}

CRuntimeClass* CGXMaskControl::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXMaskControl);
}

CWnd* CGXMaskControl::GetWnd()
{
    return this;
}

BOOL CGXMaskControl::CreateControl(DWORD dwStyle, const RECT* pRect)
{
    if (m_pEditData == nullptr)
        m_pEditData = static_cast<CGXMaskData*>(m_pDataClass->CreateObject());
    if (m_pDisplayData == nullptr)
        m_pDisplayData = static_cast<CGXMaskData*>(m_pDataClass->CreateObject());
    return m_layout.CreateOverGrid(dwStyle, pRect, m_nID);
}

void CGXMaskControl::SetupMaskData(CGXMaskData& data, const CGXStyle& style)
{
    CString mask;
    CString prompt;
    style.GetUserAttributeText(GX_IDS_UA_INPUTMASK, mask);
    if (style.HasUserAttribute(GX_IDS_UA_INPUTPROMPT))
        style.GetUserAttributeText(GX_IDS_UA_INPUTPROMPT, prompt);
    else
        prompt = "_";
    data.ClearMask();
    // A refused prompt leaves the default one, not whatever the cell edited before had.
    data.SetPromptChar("_", FALSE);
    data.SetPromptChar(prompt, FALSE);
    data.SetMask(mask);
    data.SetMaxLength(CGXMaskData::kNoLimit);
    if (style.GetIncludeMaxLength() && style.GetMaxLength() > 0)
        data.SetMaxLength(static_cast<int>(style.GetMaxLength()));
}

void CGXMaskControl::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    CGXStyle mask;
    mask.SetWrapText(TRUE).SetAutoSize(TRUE);
    pStylesMap->AddUserAttribute(GX_IDS_UA_INPUTMASK, &mask);
    CGXStyle prompt;
    prompt.SetMaxLength(1);
    pStylesMap->AddUserAttribute(GX_IDS_UA_INPUTPROMPT, &prompt);
}

// ---- Positions ----

int CGXMaskControl::InputAtOrAfter(int nPos) const
{
    const CGXMaskData& data = *m_pEditData;
    if (data.IsMaskEmpty())
        return nPos >= 0 && nPos <= data.GetLength() ? nPos : -1;
    if (IsInput(data, nPos))
        return nPos;
    const int nNext = data.NextInputPos(nPos);
    return nNext > nPos && IsInput(data, nNext) ? nNext : -1;
}

int CGXMaskControl::InputBefore(int nPos) const
{
    if (m_pEditData->IsMaskEmpty())
        return nPos > 0 ? nPos - 1 : -1;
    return m_pEditData->PrevInputPos(nPos);
}

int CGXMaskControl::InputAfter(int nPos) const
{
    const CGXMaskData& data = *m_pEditData;
    if (data.IsMaskEmpty())
        return nPos < data.GetLength() ? nPos + 1 : -1;
    const int nNext = data.NextInputPos(nPos);
    return nNext > nPos && IsInput(data, nNext) ? nNext : -1;
}

int CGXMaskControl::DataEnd() const
{
    return m_pEditData->GetCaretPos(m_pEditData->GetLength());
}

void CGXMaskControl::GetDataSelection(int& nStart, int& nEnd) const
{
    m_layout.GetSelection(nStart, nEnd);
    nStart = m_pEditData->ByteToPos(nStart);
    nEnd = m_pEditData->ByteToPos(nEnd);
}

void CGXMaskControl::SetDataSelection(int nStart, int nEnd)
{
    m_layout.SetSelection(m_pEditData->PosToByte(nStart), m_pEditData->PosToByte(nEnd));
}

void CGXMaskControl::ShowEditData(int nCaret)
{
    CString text;
    m_pEditData->GetDisplayText(text);
    ::SetWindowTextA(m_hWnd, text);
    SetModify(TRUE);
    ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(m_nID, EN_CHANGE), reinterpret_cast<LPARAM>(m_hWnd));
    SetDataSelection(nCaret, nCaret);
}

void CGXMaskControl::RestoreEditData()
{
    m_pEditData->SetDisplayText(WindowText(), -1, FALSE);
}

// ---- State ----

void CGXMaskControl::SetActive(BOOL bActive)
{
    GXCellEditState::SetActive(*this, m_bActive, bActive && HasWindow());
}

BOOL CGXMaskControl::IsActive()
{
    return m_bActive;
}

void CGXMaskControl::SetModify(BOOL bModified)
{
    m_layout.SetModified(bModified);
}

BOOL CGXMaskControl::GetModify()
{
    return m_layout.IsModified();
}

void CGXMaskControl::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXControl::Init(nRow, nCol);
    if (!HasWindow())
        CreateControl(0, nullptr);
    const CGXStyle& style = GetCachedStyle();
    SetValue(style.GetIncludeValue() ? static_cast<LPCTSTR>(style.GetValue()) : "");
    if (HasWindow())
        m_layout.SetSelection(0, -1);
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wActivateCell & 4) != 0 && OnStartEditing())
        SetActive(TRUE);
    SetModify(FALSE);
}

BOOL CGXMaskControl::Store()
{
    if (!GetModify())
        return TRUE;
    CString value;
    if (!GetValue(value))
        return TRUE;
    SetActive(FALSE);
    FreeStyle(TRUE);
    return m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), value, gxOverride, GX_INVALIDATE);
}

BOOL CGXMaskControl::OnValidate()
{
    if (m_bActive && GetModify() && m_pEditData != nullptr && !m_pEditData->IsValid())
        return FALSE;
    return CGXControl::OnValidate();
}

void CGXMaskControl::Hide()
{
    m_layout.Hide();
}

// ---- Values ----

BOOL CGXMaskControl::GetCurrentText(CString& text)
{
    text.Empty();
    if (!m_bInit || m_pEditData == nullptr)
        return FALSE;
    m_pEditData->GetDisplayText(text);
    return TRUE;
}

void CGXMaskControl::SetCurrentText(const CString& text)
{
    if (!m_bInit || !HasWindow())
        return;
    if (!m_bActive)
        SetActive(TRUE);
    if (!ValidateString(text))
        return;
    m_pEditData->SetDisplayText(text, -1, FALSE);
    CString display;
    m_pEditData->GetDisplayText(display);
    ::SetWindowTextA(m_hWnd, display);
    SetModify(TRUE);
    OnModifyCell();
}

BOOL CGXMaskControl::GetValue(CString& value)
{
    if (!m_bInit || m_pEditData == nullptr)
        return FALSE;
    m_pEditData->GetData(value, 0, -1, TRUE);
    return TRUE;
}

void CGXMaskControl::SetValue(LPCTSTR pszValue)
{
    if (!HasWindow() || m_pEditData == nullptr)
        return;
    SetupMaskData(*m_pEditData, GetCachedStyle());
    m_pEditData->PutInputText(pszValue != nullptr ? pszValue : "", -1, FALSE);
    CString display;
    m_pEditData->GetDisplayText(display);
    ::SetWindowTextA(m_hWnd, display);
}

BOOL CGXMaskControl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR pszValue, const CGXStyle& style)
{
    text.Empty();
    if (m_pDisplayData == nullptr)
        m_pDisplayData = static_cast<CGXMaskData*>(m_pDataClass->CreateObject());
    SetupMaskData(*m_pDisplayData, style);
    const CString value = pszValue != nullptr ? CString(pszValue) : style.GetValue();
    if (value.IsEmpty())
        return TRUE;
    if (m_pDisplayData->PutInputText(value, -1, FALSE) < 0)
        return FALSE;
    m_pDisplayData->GetDisplayText(text);
    return TRUE;
}

BOOL CGXMaskControl::ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle)
{
    if (m_pDisplayData == nullptr)
        m_pDisplayData = static_cast<CGXMaskData*>(m_pDataClass->CreateObject());
    SetupMaskData(*m_pDisplayData, *CGXCellStyleScope(m_pGrid, nRow, nCol, pOldStyle).Get());
    CGXMaskData& data = *m_pDisplayData;
    if (data.SetDisplayText(text, -1, FALSE) < 0 || !data.IsValid())
        if (data.PutInputText(text, -1, FALSE) < 0)
            return FALSE;
    data.GetData(text, 0, -1, TRUE);
    return TRUE;
}

// ---- Drawing ----

void CGXMaskControl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                          const CGXStyle* pStandardStyle)
{
    if (!IsInitAt(nRow, nCol) || !m_bActive || m_pGrid->IsPrinting() || !HasWindow())
    {
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    const CGXStyle& cached = GetCachedStyle();
    Hide();
    m_layout.PlaceOverCell(pDC, rect, nRow, nCol, cached, pStandardStyle);
    m_layout.Show(pDC, rect, nRow, nCol, IsReadOnly());
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

// ---- Keys in the window ----

BOOL CGXMaskControl::KeyToGrid(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    return m_pGrid->DispatchKeyMessage(this, WM_KEYDOWN, nChar, nRepCnt, nFlags);
}

void CGXMaskControl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bActive || m_pEditData == nullptr)
    {
        KeyToGrid(nChar, nRepCnt, nFlags);
        return;
    }
    if (nChar == VK_CONTROL || nChar == VK_SHIFT)
    {
        Default();
        return;
    }
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    if (CtrlHeld())
    {
        KeyToGrid(nChar, nRepCnt, nFlags);
        return;
    }
    CGXMaskData& data = *m_pEditData;
    const BOOL bShift = ShiftHeld();
    int nStart = 0, nEnd = 0;
    GetDataSelection(nStart, nEnd);
    const BOOL bSelection = nStart != nEnd;
    switch (nChar)
    {
    case VK_LEFT:
        if (bShift)
            Default();
        else if (!bSelection)
        {
            const int nPrev = InputBefore(nStart);
            if (nPrev < 0)
                KeyToGrid(nChar, nRepCnt, nFlags);
            else
                SetDataSelection(nPrev, nPrev);
        }
        else
        {
            int nCaret = nStart;
            if (data.IsLiteral(nStart) && InputBefore(nStart) >= 0)
                nCaret = InputBefore(nStart);
            SetDataSelection(nCaret, nCaret);
        }
        return;
    case VK_RIGHT:
        if (bShift)
            Default();
        else if (!bSelection)
        {
            if (nStart >= DataEnd())
                KeyToGrid(nChar, nRepCnt, nFlags);
            else
            {
                const int nNext = InputAfter(nStart);
                const int nCaret = nNext >= 0 ? nNext : DataEnd();
                SetDataSelection(nCaret, nCaret);
            }
        }
        else
        {
            const int nNext = InputAfter(nEnd - 1);
            const int nCaret = nNext >= 0 ? nNext : DataEnd();
            SetDataSelection(nCaret, nCaret);
        }
        return;
    case VK_HOME:
    {
        const int nFirst = InputAtOrAfter(0);
        if (bShift)
            m_layout.SetSelection(data.PosToByte(nEnd), 0);
        else
            SetDataSelection(nFirst < 0 ? 0 : nFirst, nFirst < 0 ? 0 : nFirst);
        return;
    }
    case VK_END:
        if (bShift)
            m_layout.SetSelection(data.PosToByte(nStart), data.PosToByte(DataEnd()));
        else
            SetDataSelection(DataEnd(), DataEnd());
        return;
    case VK_UP:
    case VK_DOWN:
    {
        const int nLine = static_cast<int>(
            ::SendMessageA(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(data.PosToByte(nChar == VK_UP ? nStart : nEnd)), 0));
        const int nLines = static_cast<int>(::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0));
        if ((nChar == VK_UP && nLine > 0) || (nChar == VK_DOWN && nLine + 1 < nLines))
            Default();
        else
            KeyToGrid(nChar, nRepCnt, nFlags);
        return;
    }
    case VK_BACK:
        if (IsReadOnly())
            return;
        if (!bSelection)
        {
            const int nPrev = InputBefore(nStart);
            if (nPrev < 0)
                return;
            data.DeleteRange(nPrev + 1, nPrev);
            ShowEditData(nPrev);
        }
        else
        {
            data.DeleteRange(nEnd, nStart);
            const int nFirst = InputAtOrAfter(nStart);
            ShowEditData(nFirst >= 0 ? nFirst : nStart);
        }
        return;
    case VK_DELETE:
        if (IsReadOnly())
            return;
        if (bShift)
        {
            if (bSelection)
            {
                {
                    CClipboard clipboard(GetGridWnd()->GetSafeHwnd());
                    clipboard.Empty();
                }
                Cut();
            }
            return;
        }
        if (!bSelection)
        {
            const int nPos = InputAtOrAfter(nStart);
            if (nPos < 0 || nPos >= data.GetLength())
                return;
            data.DeleteRange(nPos + 1, nPos);
            ShowEditData(nStart);
        }
        else
            ReplaceSel("");
        return;
    case VK_INSERT:
        if (IsReadOnly())
            return;
        if (bShift)
            Paste();
        else
            m_bInsertMode = !m_bInsertMode;
        return;
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
        KeyToGrid(nChar, nRepCnt, nFlags);
        return;
    default:
        if (nChar >= VK_F1 && nChar <= VK_F24)
            KeyToGrid(nChar, nRepCnt, nFlags);
        else
            Default();
        return;
    }
}

void CGXMaskControl::TypeChar(CString ch)
{
    CGXMaskData& data = *m_pEditData;
    int nStart = 0, nEnd = 0;
    GetDataSelection(nStart, nEnd);
    const BOOL bSelection = nStart != nEnd;
    const int nPos = InputAtOrAfter(nStart);
    if (nPos < 0 || (bSelection && nPos >= nEnd))
    {
        // No input position is left for the character.
        AfxMessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    if (!data.IsValidChar(nPos, ch))
    {
        OnInvalidKey(ch);
        return;
    }
    int nCaret = nPos;
    if (!m_bInsertMode)
    {
        if (bSelection && nEnd > nPos + 1)
            data.DeleteRange(nEnd, nPos + 1);
        if (data.IsMaskEmpty())
        {
            data.DeleteRange(nPos + 1, nPos);
            int nNext = -1;
            data.InsertChar(nPos, ch, nNext);
        }
        else
            data.PutInputText(ch, nPos, FALSE);
        nCaret = nPos + 1;
    }
    else
    {
        if (bSelection)
            data.DeleteRange(nEnd, nStart);
        int nNext = -1;
        if (!data.InsertChar(nPos, ch, nNext))
        {
            // The last input position is filled: nothing changes.
            RestoreEditData();
            return;
        }
        nCaret = nNext;
    }
    ShowEditData(nCaret);
}

void CGXMaskControl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bInit || !m_bActive || m_pEditData == nullptr || IsReadOnly() ||
        (::GetWindowLongA(m_hWnd, GWL_STYLE) & ES_READONLY) != 0)
        return;
    // Backspace is the key's work.
    if (nChar == VK_BACK)
        return;
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    if (CtrlHeld())
    {
        switch (nChar)
        {
        case 3:
        {
            {
                CClipboard clipboard(GetGridWnd()->GetSafeHwnd());
                clipboard.Empty();
            }
            Copy();
            return;
        }
        case 0x16:
            Paste();
            return;
        case 0x18:
        {
            {
                CClipboard clipboard(GetGridWnd()->GetSafeHwnd());
                clipboard.Empty();
            }
            Cut();
            return;
        }
        default:
            Default();
            m_pGrid->DispatchKeyMessage(this, WM_CHAR, nChar, nRepCnt, nFlags);
            return;
        }
    }
    CString ch;
    if (GXAppendDbcsChar(nChar, ch, m_bDbcsLeadPending, m_dbcsLeadByte) && m_bDbcsLeadPending)
        return;
    if (ch == "\r" || ch == "\n")
        return;
    if (ch.GetLength() == 1 && static_cast<unsigned char>(ch[0]) < 0x20)
    {
        Default();
        m_pGrid->DispatchKeyMessage(this, WM_CHAR, nChar, nRepCnt, nFlags);
        return;
    }
    TypeChar(ch);
}

void CGXMaskControl::OnInvalidKey(LPCTSTR)
{
}

// ---- Keys that reach the control while the grid has the focus ----

BOOL CGXMaskControl::KeyDown(UINT nChar, UINT, UINT)
{
    if (!HasWindow() || CtrlHeld())
        return FALSE;
    switch (nChar)
    {
    case VK_HOME:
    case VK_END:
    {
        if (!OnStartEditing())
            return FALSE;
        if (!m_bInit)
            Init(m_nRow, m_nCol);
        SetActive(TRUE);
        int nCaret = DataEnd();
        if (nChar == VK_HOME)
        {
            const int nFirst = InputAtOrAfter(0);
            nCaret = nFirst < 0 ? 0 : nFirst;
        }
        SetDataSelection(nCaret, nCaret);
        break;
    }
    case VK_DELETE:
    {
        CGXGridParam* pParam = m_pGrid->GetParam();
        if ((pParam != nullptr && pParam->m_bGridPastesOwnFormat) || ShiftHeld() || IsReadOnly() ||
            !OnDeleteCell() || !OnStartEditing())
            return FALSE;
        SetActive(TRUE);
        SetValue("");
        SetModify(TRUE);
        OnModifyCell();
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

BOOL CGXMaskControl::Char(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar < 0x20 || nChar == 0x7F)
        return FALSE;
    const char sz[2] = {static_cast<char>(nChar), 0};
    return CharDbcs(CString(sz), nRepCnt, nFlags);
}

BOOL CGXMaskControl::CharDbcs(const CString& text, UINT, UINT)
{
    if (IsReadOnly() || !HasWindow() || m_pEditData == nullptr)
        return FALSE;
    if (m_bActive)
    {
        TypeChar(text);
        return TRUE;
    }
    if (!OnStartEditing())
        return FALSE;
    CGXMaskData& data = *m_pEditData;
    const int nFirst = data.IsMaskEmpty() ? 0 : data.NextInputPos(-1);
    CString ch = text;
    // A character of the wrong class leaves the cell as it was.
    if (nFirst < 0 || !data.IsValidChar(nFirst, ch))
        return TRUE;
    // The first key typed replaces the whole content.
    SetActive(TRUE);
    data.ResetData();
    int nNext = -1;
    data.InsertChar(nFirst, ch, nNext);
    ShowEditData(nNext);
    Refresh();
    return TRUE;
}

// ---- Mouse ----

int CGXMaskControl::CharFromPoint(CPoint point)
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return -1;
    const CGXStyle& style = GetCachedStyle();
    const CRect rect = GetCellRect(m_nRow, m_nCol);
    CString text;
    GetCurrentText(text);
    UINT nFormat = DT_NOPREFIX | DT_SINGLELINE;
    if (style.GetIncludeHorizontalAlignment())
        nFormat |= style.GetHorizontalAlignment();
    CClientDC dc(pGridWnd);
    const HFONT hFont = CreateStyleFont(style, nullptr);
    const HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hFont);
    const int nPos = CGXDrawingAndFormatting::GetInstance()->GetTextPosFromPoint(&dc, text, text.GetLength(), rect,
                                                                                  nFormat, point.x, point.y);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hFont);
    return nPos;
}

BOOL CGXMaskControl::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    if (m_bInit && HasWindow() && m_pEditData != nullptr)
    {
        CGXGridParam* pParam = m_pGrid->GetParam();
        const WORD wActivate = pParam != nullptr ? pParam->m_wActivateCell : 0;
        const int nByte = CharFromPoint(point);
        if (nByte >= 0 && (wActivate & 1) != 0)
        {
            if (m_bActive || OnStartEditing())
            {
                SetActive(TRUE);
                int nPos = InputAtOrAfter(m_pEditData->ByteToPos(nByte));
                if (nPos < 0 || nPos > DataEnd())
                    nPos = DataEnd();
                SetDataSelection(nPos, nPos);
                if (::GetFocus() != m_hWnd)
                    Refresh();
            }
        }
        else if ((wActivate & 6) != 0 && (m_bActive || OnStartEditing()))
        {
            SetActive(TRUE);
            if (nByte < 0)
                m_layout.SetSelection(0, -1);
            if (::GetFocus() != m_hWnd)
                Refresh();
        }
    }
    return CGXControl::LButtonUp(nFlags, point, nHitState);
}

BOOL CGXMaskControl::LButtonDblClk(UINT nFlags, CPoint point)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (m_bInit && HasWindow() && !m_bActive && pParam != nullptr && (pParam->m_wActivateCell & 8) != 0 &&
        OnStartEditing())
    {
        SetActive(TRUE);
        Refresh();
    }
    return CGXControl::LButtonDblClk(nFlags, point);
}

void CGXMaskControl::OnLButtonDown(UINT, CPoint point)
{
    int nStart = 0, nEnd = 0;
    m_layout.GetSelection(nStart, nEnd);
    if (nStart != nEnd)
    {
        const int nHit = LOWORD(::SendMessageA(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y)));
        // A press inside the selection keeps it.
        if (nHit >= nStart && nHit < nEnd)
        {
            ::SetFocus(m_hWnd);
            return;
        }
    }
    Default();
}

void CGXMaskControl::OnLButtonUp(UINT, CPoint)
{
    Default();
    if (m_pEditData == nullptr)
        return;
    int nStart = 0, nEnd = 0;
    GetDataSelection(nStart, nEnd);
    if (nStart != nEnd)
        return;
    // The caret snaps to an input position, never beyond the entered characters.
    int nPos = InputAtOrAfter(nStart);
    if (nPos < 0)
        nPos = InputBefore(nStart);
    if (nPos < 0 || nPos > DataEnd())
        nPos = DataEnd();
    SetDataSelection(nPos, nPos);
}

// ---- Clipboard ----

BOOL CGXMaskControl::GetSelectedText(CString& text)
{
    return m_layout.GetSelectedText(text, m_bActive);
}

BOOL CGXMaskControl::Copy()
{
    if (!m_bInit || m_pEditData == nullptr || !m_pGrid->IsCurrentCell(m_nRow, m_nCol))
        return FALSE;
    CString entered;
    CString shown;
    if (!m_bActive)
    {
        m_pEditData->GetData(entered, 0, -1, TRUE);
        GetSelectedText(shown);
    }
    else
    {
        int nStart = 0, nEnd = 0;
        GetDataSelection(nStart, nEnd);
        if (nStart != nEnd)
            m_pEditData->GetData(entered, nStart, nEnd, TRUE);
        GetSelectedText(shown);
    }
    CWnd* pGridWnd = GetGridWnd();
    CClipboard clipboard(pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr);
    if (!clipboard.IsOpen())
        return FALSE;
    clipboard.Empty();
    BOOL bDone = FALSE;
    const UINT nMaskFormat = GXGetAppData()->m_uiMaskDataClipboardFormat;
    if (!entered.IsEmpty() && nMaskFormat != 0)
    {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, 4096);
        file.Write(static_cast<LPCTSTR>(entered), static_cast<UINT>(entered.GetLength()) + 1);
        bDone = clipboard.SetFile(nMaskFormat, file);
    }
    CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, 4096);
    file.Write(static_cast<LPCTSTR>(shown), static_cast<UINT>(shown.GetLength()) + 1);
    bDone |= clipboard.SetFile(CF_TEXT, file);
    return bDone;
}

BOOL CGXMaskControl::CanPaste()
{
    if (m_pGrid->CanPasteGridFormat())
        return FALSE;
    const UINT nMaskFormat = GXGetAppData()->m_uiMaskDataClipboardFormat;
    return m_bInit && m_bActive && !IsReadOnly() && nMaskFormat != 0 && ::IsClipboardFormatAvailable(nMaskFormat);
}

BOOL CGXMaskControl::Paste()
{
    if (m_pGrid->CanPasteGridFormat() || !m_bInit || !m_bActive || IsReadOnly())
        return FALSE;
    const UINT nMaskFormat = GXGetAppData()->m_uiMaskDataClipboardFormat;
    CString text;
    BOOL bMaskData = FALSE;
    BOOL bFound = FALSE;
    {
        // Opened here only when nobody holds it open (a caller may have opened it already).
        std::unique_ptr<CClipboard> pClipboard;
        if (CClipboard::GetOpenWindow() == nullptr)
        {
            CWnd* pGridWnd = GetGridWnd();
            pClipboard = std::make_unique<CClipboard>(pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr);
            if (!pClipboard->IsOpen())
                return FALSE;
        }
        bMaskData = ReadClipboardText(nMaskFormat, text);
        bFound = bMaskData || ReadClipboardText(CF_TEXT, text) || ReadClipboardText(CF_OEMTEXT, text);
    }
    if (!bFound)
        return FALSE;
    m_bPastingMaskData = bMaskData;
    ReplaceSel(text);
    m_bPastingMaskData = FALSE;
    return TRUE;
}

void CGXMaskControl::ReplaceSel(LPCTSTR pszText)
{
    if (!m_bInit || IsReadOnly() || m_pEditData == nullptr)
        return;
    if (!m_bActive || !HasWindow())
    {
        CGXControl::ReplaceSel(pszText);
        return;
    }
    CGXMaskData& data = *m_pEditData;
    const CString text = pszText != nullptr ? pszText : "";
    int nStart = 0, nEnd = 0;
    GetDataSelection(nStart, nEnd);
    const int nPos = InputAtOrAfter(nStart);
    if (nPos < 0 || (nStart != nEnd && nPos >= nEnd))
        return;
    if (nStart != nEnd)
        data.DeleteRange(nEnd, nStart);
    int nCaret = nPos;
    if (text.IsEmpty())
        nCaret = nPos;
    else
    {
        int nResult = -1;
        if (!m_bPastingMaskData)
        {
            // A text with literals lines up with the shown text from the selection's start.
            nResult = data.SetDisplayText(text, nStart, TRUE);
            if (nResult < 0 || !data.IsValid())
            {
                RestoreEditData();
                if (nStart != nEnd)
                    data.DeleteRange(nEnd, nStart);
                nResult = -1;
            }
        }
        if (nResult < 0)
            nResult = data.PutInputText(text, nPos, TRUE);
        if (nResult < 0)
        {
            RestoreEditData();
            return;
        }
        nCaret = nResult;
    }
    ShowEditData(nCaret);
}

// ---- Find and replace ----

BOOL CGXMaskControl::FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                              BOOL bSetCell)
{
    return FindTextRowCol(settings.strFind, settings.bCase, nRow, nCol, bCurrentPos, bSetCell);
}

BOOL CGXMaskControl::ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol)
{
    return ReplaceAllRowCol(settings.strFind, settings.strReplace, settings.bCase, nRow, nCol);
}

BOOL CGXMaskControl::FindTextRowCol(LPCTSTR pszFind, BOOL bCase, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                                    BOOL bSetCell)
{
    // An empty search text would match everywhere and never move on.
    if (pszFind == nullptr || *pszFind == 0)
        return FALSE;
    const CString find = bCase ? CString(pszFind) : GXUpperCased(pszFind);
    if (IsInitAt(nRow, nCol) && m_bActive && HasWindow())
    {
        const CString text = bCase ? WindowText() : GXUpperCased(WindowText());
        int nStart = 0, nEnd = 0;
        m_layout.GetSelection(nStart, nEnd);
        int nFrom = nStart < 0 ? 0 : nStart;
        if (!bCurrentPos && nFrom < text.GetLength())
        {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text));
            nFrom = static_cast<int>(_mbsinc(p + nFrom) - p);
        }
        const int nHit = GXFindFrom(text, find, nFrom);
        if (nHit < 0)
            return FALSE;
        if (bSetCell)
        {
            m_pGrid->ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
            m_layout.SetSelection(nHit, nHit + find.GetLength());
        }
        return TRUE;
    }
    CString text;
    GetControlText(text, nRow, nCol, nullptr, m_pGrid->LookupStyleRowCol(nRow, nCol));
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
        m_layout.SetSelection(0, 0, FALSE);
        FindTextRowCol(pszFind, bCase, nRow, nCol, TRUE, TRUE);
        Refresh();
    }
    return TRUE;
}

BOOL CGXMaskControl::ReplaceAllRowCol(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, ROWCOL nRow, ROWCOL nCol)
{
    // An empty search text would match everywhere and never move on.
    if (pszFind == nullptr || *pszFind == 0 || m_pDataClass == nullptr)
        return FALSE;
    const BOOL bOwnCell = IsInitAt(nRow, nCol) && m_pEditData != nullptr;
    CGXMaskData* pTemp = nullptr;
    if (!bOwnCell)
    {
        pTemp = static_cast<CGXMaskData*>(m_pDataClass->CreateObject());
        const CGXStyle& style = m_pGrid->LookupStyleRowCol(nRow, nCol);
        SetupMaskData(*pTemp, style);
        pTemp->PutInputText(style.GetValue(), -1, FALSE);
    }
    CGXMaskData& data = bOwnCell ? *m_pEditData : *pTemp;

    CString display;
    data.GetDisplayText(display);
    const CString search = bCase ? display : GXUpperCased(display);
    const CString find = bCase ? CString(pszFind) : GXUpperCased(pszFind);
    std::vector<int> hits;
    for (int nHit = GXFindFrom(search, find, 0); nHit >= 0; nHit = GXFindFrom(search, find, nHit + find.GetLength()))
        hits.push_back(nHit);
    if (hits.empty())
    {
        delete pTemp;
        return FALSE;
    }
    const CString replacement = pszReplace != nullptr ? pszReplace : "";
    // From the last occurrence to the first, so the earlier ones keep their positions.
    for (auto it = hits.rbegin(); it != hits.rend(); ++it)
    {
        const int nFrom = data.ByteToPos(*it);
        const int nTo = data.ByteToPos(*it + find.GetLength());
        CString saved;
        data.GetDisplayText(saved);
        data.DeleteRange(nTo, nFrom);
        if (replacement.IsEmpty())
            continue;
        if (data.SetDisplayText(replacement, nFrom, TRUE) >= 0 && data.IsValid())
            continue;
        data.SetDisplayText(saved, -1, FALSE);
        data.DeleteRange(nTo, nFrom);
        if (data.PutInputText(replacement, nFrom, TRUE) < 0)
            data.SetDisplayText(saved, -1, FALSE);
    }
    CString value;
    data.GetData(value, 0, -1, TRUE);
    BOOL bStored = TRUE;
    if (bOwnCell && m_bActive && HasWindow())
        ShowEditData(data.GetLength());
    else
    {
        bStored = m_pGrid->SetValueRange(CGXRange(nRow, nCol), value, gxOverride, GX_INVALIDATE);
        if (bOwnCell)
            SetValue(value);
    }
    delete pTemp;
    return bStored;
}

// ---- Window messages ----

BOOL CGXMaskControl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == m_hWnd && HIWORD(wParam) == EN_CHANGE)
    {
        if (m_bActive)
            OnModifyCell();
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CGXMaskControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    const UINT nRepCnt = LOWORD(lParam);
    const UINT nFlags = HIWORD(lParam);
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    LRESULT lResult = 0;
    if (m_layout.HandleWindowMessage(message, wParam, lParam, m_pStyle, FALSE, lResult))
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
        OnLButtonDown(nChar, point);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(nChar, point);
        return 0;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
