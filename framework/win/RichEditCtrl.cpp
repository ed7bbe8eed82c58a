#include "framework/win/RichEditCtrl.h"

#include "framework/win/Dc.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL AfxInitRichEdit()
{
    // Loaded once and kept: the window class lives as long as the library.
    static const HMODULE hRichEdit = ::LoadLibraryA("riched20.dll");
    return hRichEdit != nullptr;
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = {nStartChar, nEndChar};
    SetSel(cr);
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    const long nLength = cr.cpMax > cr.cpMin ? cr.cpMax - cr.cpMin : 0;
    CString text;
    // A paragraph break is one character of the range but may come out as two ("\r\n").
    LPTSTR buffer = text.GetBuffer(2 * nLength + 1);
    const long nCopied = (long)::SendMessageA(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)buffer);
    text.ReleaseBuffer(nCopied >= 0 ? nCopied : 0);
    return text;
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof cf;
    return (DWORD)::SendMessageA(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof cf;
    return (DWORD)::SendMessageA(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof cf;
    return (BOOL)::SendMessageA(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof cf;
    return (BOOL)::SendMessageA(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof cf;
    return (BOOL)::SendMessageA(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT2& pf) const
{
    pf.cbSize = sizeof pf;
    return (DWORD)::SendMessageA(m_hWnd, EM_GETPARAFORMAT, 0, (LPARAM)&pf);
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT2& pf)
{
    pf.cbSize = sizeof pf;
    return (BOOL)::SendMessageA(m_hWnd, EM_SETPARAFORMAT, 0, (LPARAM)&pf);
}

CPoint CRichEditCtrl::PosFromChar(UINT nChar) const
{
    POINTL point = {0, 0};
    ::SendMessageA(m_hWnd, EM_POSFROMCHAR, (WPARAM)&point, nChar);
    return CPoint(point.x, point.y);
}

int CRichEditCtrl::CharFromPos(CPoint pt) const
{
    POINTL point = {pt.x, pt.y};
    return (int)::SendMessageA(m_hWnd, EM_CHARFROMPOS, 0, (LPARAM)&point);
}

BOOL CRichEditCtrl::SetTargetDevice(CDC& dc, long lLineWidth)
{
    return SetTargetDevice(dc.GetSafeHdc(), lLineWidth);
}
