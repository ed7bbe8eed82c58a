// CFindReplaceDialog: the system's modeless Find and Replace dialogs.
//
// The dialog tells its owner window about every user action with the registered message
// FINDMSGSTRING ("commdlg_FindReplace"); lParam identifies the dialog (GetNotifier) and the flags
// say what was asked. Make the object with new: it deletes itself when its window is destroyed.
#pragma once

#include "framework/core/CString.h"
#include "framework/dialogs/CommonDialog.h"

class CFindReplaceDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    CFindReplaceDialog();

    // Shows the Find (bFindDialogOnly) or Replace dialog for pParentWnd (or the program's window),
    // which receives the notifications, also when it is a child window. FALSE when the system made no
    // dialog.
    virtual BOOL Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith = nullptr,
                        DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);

    // The dialog that sent a FINDMSGSTRING notification with this lParam.
    static CFindReplaceDialog* PASCAL GetNotifier(LPARAM lParam);
    // The id of the registered message.
    static UINT PASCAL GetFindReplaceMessage();

    CString GetFindString() const { return CString(m_fr.lpstrFindWhat); }
    CString GetReplaceString() const { return CString(m_fr.lpstrReplaceWith); }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACEA m_fr;

protected:
    void PostNcDestroy() override;

    TCHAR m_szFindWhat[128];
    TCHAR m_szReplaceWith[128];
};
