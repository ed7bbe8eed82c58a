// CRichEditCtrl: the rich edit control of riched20 ("RichEdit20A"); each member is one EM_ message.
// AfxInitRichEdit loads the control's library; Create calls it.
#pragma once

#include <windows.h>
#include <richedit.h>

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/Wnd.h"

class CDC;

// Loads riched20.dll once for the program; FALSE when it cannot be loaded.
BOOL AfxInitRichEdit();

class CRichEditCtrl : public CWnd
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    CRichEditCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Text and selection ----
    long GetTextLength() const { return (long)::SendMessageA(m_hWnd, WM_GETTEXTLENGTH, 0, 0); }
    void GetSel(CHARRANGE& cr) const { ::SendMessageA(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr); }
    void GetSel(long& nStartChar, long& nEndChar) const;
    // (0, -1) selects everything; (-1, ...) removes the selection.
    void SetSel(CHARRANGE& cr) { ::SendMessageA(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr); }
    void SetSel(long nStartChar, long nEndChar);
    CString GetSelText() const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        ::SendMessageA(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
    }
    // SEL_EMPTY, or SEL_TEXT, SEL_OBJECT, SEL_MULTICHAR, SEL_MULTIOBJECT.
    WORD GetSelectionType() const { return (WORD)::SendMessageA(m_hWnd, EM_SELECTIONTYPE, 0, 0); }
    void HideSelection(BOOL bHide, BOOL bPerm) { ::SendMessageA(m_hWnd, EM_HIDESELECTION, bHide, bPerm); }
    // The first character of the text found in the range of pFindText (its chrgText receives
    // the match), or -1. dwFlags: FR_MATCHCASE, FR_WHOLEWORD, FR_DOWN.
    long FindText(DWORD dwFlags, FINDTEXTEXA* pFindText) const
    {
        return (long)::SendMessageA(m_hWnd, EM_FINDTEXTEX, dwFlags, (LPARAM)pFindText);
    }

    // ---- Limits and state ----
    // The most characters the control takes (0: the control's default).
    void LimitText(long nChars = 0) { ::SendMessageA(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
    long GetLimitText() const { return (long)::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
    BOOL GetModify() const { return (BOOL)::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { ::SendMessageA(m_hWnd, EM_SETMODIFY, bModified, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)::SendMessageA(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
    // The ENM_ notifications the parent gets (EN_CHANGE, EN_SELCHANGE, EN_REQUESTRESIZE, ...).
    DWORD GetEventMask() const { return (DWORD)::SendMessageA(m_hWnd, EM_GETEVENTMASK, 0, 0); }
    DWORD SetEventMask(DWORD dwEventMask) { return (DWORD)::SendMessageA(m_hWnd, EM_SETEVENTMASK, 0, dwEventMask); }
    // wOp: ECOOP_SET, ECOOP_OR, ECOOP_AND, ECOOP_XOR; dwFlags: ECO_ options.
    UINT GetOptions() const { return (UINT)::SendMessageA(m_hWnd, EM_GETOPTIONS, 0, 0); }
    void SetOptions(WORD wOp, DWORD dwFlags) { ::SendMessageA(m_hWnd, EM_SETOPTIONS, wOp, dwFlags); }
    // The colour before: with bSysColor the window colour of the system is used, else cr.
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr)
    {
        return (COLORREF)::SendMessageA(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, cr);
    }

    // ---- Formats ----
    // The mask of the attributes common to the whole text / the selection.
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    // The word at the caret or the selection.
    BOOL SetWordCharFormat(CHARFORMAT& cf);
    DWORD GetParaFormat(PARAFORMAT2& pf) const;
    BOOL SetParaFormat(PARAFORMAT2& pf);

    // ---- Lines and scrolling ----
    int GetLineCount() const { return (int)::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    int GetFirstVisibleLine() const { return (int)::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0); }
    int LineIndex(int nLine = -1) const { return (int)::SendMessageA(m_hWnd, EM_LINEINDEX, nLine, 0); }
    int LineLength(int nLine = -1) const { return (int)::SendMessageA(m_hWnd, EM_LINELENGTH, nLine, 0); }
    long LineFromChar(long nIndex) const { return (long)::SendMessageA(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex); }
    void LineScroll(int nLines, int nChars = 0) { ::SendMessageA(m_hWnd, EM_LINESCROLL, nChars, nLines); }
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const;
    void GetRect(LPRECT lpRect) const { ::SendMessageA(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect); }
    void SetRect(LPCRECT lpRect) { ::SendMessageA(m_hWnd, EM_SETRECT, 0, (LPARAM)lpRect); }
    // Makes the control send EN_REQUESTRESIZE with the size its text needs.
    void RequestResize() { ::SendMessageA(m_hWnd, EM_REQUESTRESIZE, 0, 0); }

    // ---- Streams ----
    // nFormat: SF_TEXT or SF_RTF (with SFF_SELECTION to replace or give only the selection). The
    // callback of es is called until it hands out or takes no more bytes; the characters moved are
    // returned and es.dwError tells a failure.
    long StreamIn(int nFormat, EDITSTREAM& es) { return (long)::SendMessageA(m_hWnd, EM_STREAMIN, nFormat, (LPARAM)&es); }
    long StreamOut(int nFormat, EDITSTREAM& es) { return (long)::SendMessageA(m_hWnd, EM_STREAMOUT, nFormat, (LPARAM)&es); }

    // ---- Devices ----
    // The device whose page the text is laid out for and the line width in twips; (NULL, 0)
    // wraps at the window, (NULL, 1) not at all.
    BOOL SetTargetDevice(HDC hDC, long lLineWidth)
    {
        return (BOOL)::SendMessageA(m_hWnd, EM_SETTARGETDEVICE, (WPARAM)hDC, lLineWidth);
    }
    BOOL SetTargetDevice(CDC& dc, long lLineWidth);
    // Lays out (bDisplay FALSE: only measures) the range of pfr in its rectangle on its device;
    // the first character that did not fit. NULL empties the control's layout cache.
    // Wine's riched20 answers EM_FORMATRANGE without doing anything; when the control gives
    // nothing back for a range that holds text, the range is laid out here instead: its
    // characters in their fonts and colours, paragraphs aligned and wrapped at the rectangle's width.
    long FormatRange(FORMATRANGE* pfr, BOOL bDisplay = TRUE);

    // ---- Clipboard and undo ----
    BOOL CanUndo() const { return (BOOL)::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0); }
    BOOL CanPaste(UINT nFormat = 0) const { return (BOOL)::SendMessageA(m_hWnd, EM_CANPASTE, nFormat, 0); }
    BOOL Undo() { return (BOOL)::SendMessageA(m_hWnd, EM_UNDO, 0, 0); }
    void EmptyUndoBuffer() { ::SendMessageA(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
    void Clear() { ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0); }
    void Copy() { ::SendMessageA(m_hWnd, WM_COPY, 0, 0); }
    void Cut() { ::SendMessageA(m_hWnd, WM_CUT, 0, 0); }
    void Paste() { ::SendMessageA(m_hWnd, WM_PASTE, 0, 0); }

private:
    long LayOutRange(const FORMATRANGE& range, BOOL bDisplay);
};
