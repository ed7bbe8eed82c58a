#include "grid/controls/PasswordControl.h"

#include "grid/core/Style.h"

IMPLEMENT_DYNAMIC(CGXPasswordControl, CGXEditControl)
GRID_IMPLEMENT_CONTROL(CGXPasswordControl, CGXEditControl)

CGXPasswordControl::CGXPasswordControl(CGXGridCore* pGrid, UINT nID) : CGXEditControl(pGrid, nID)
{
}

CRuntimeClass* CGXPasswordControl::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXPasswordControl);
}

BOOL CGXPasswordControl::IsFloatCandidate(ROWCOL, ROWCOL, const CGXStyle&, BOOL)
{
    return FALSE;
}

BOOL CGXPasswordControl::GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue,
                                        const CGXStyle& style)
{
    if (!CGXControl::GetControlText(text, nRow, nCol, pszValue, style))
        return FALSE;
    if (m_bPassword)
        text = CString(m_chPassword, text.GetLength());
    return TRUE;
}

void CGXPasswordControl::SetValue(LPCTSTR pszRawValue)
{
    if (!HasWindow())
        return;
    m_bPassword = FALSE;
    CString text;
    GetControlText(text, m_nRow, m_nCol, pszRawValue, GetCachedStyle());
    m_bPassword = TRUE;
    ::SendMessageA(m_hWnd, EM_SETPASSWORDCHAR, static_cast<BYTE>(m_chPassword), 0);
    ::SetWindowTextA(m_hWnd, text);
}

DWORD CGXPasswordControl::ComputeEditStyle(RECT* pRect, int* pLineHeight)
{
    return (CGXEditControl::ComputeEditStyle(pRect, pLineHeight) & ~static_cast<DWORD>(ES_MULTILINE)) | ES_PASSWORD;
}

LRESULT CGXPasswordControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A press only places the caret: no activation or restored selection as in the edit cell.
    if (message == WM_LBUTTONDOWN)
        return CEdit::WindowProc(message, wParam, lParam);
    return CGXEditControl::WindowProc(message, wParam, lParam);
}
