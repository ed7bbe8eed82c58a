// CCommonDialog: the base of the framework's wrappers over the system's common dialogs.
//
// Every modal common dialog runs through the modal hook (framework/win/Seams.h) first: a test's hook
// may answer it by filling the dialog's structure and giving the result, and no window is made.
// Without an answer the real dialog runs, and the hook is told when its window shows.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "framework/win/Dialog.h"

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

    // OK and Cancel of a system dialog attached to its object (the modeless find dialog) are the
    // system's to handle.
    void OnOK() override;
    void OnCancel() override;

protected:
    // The window that owns the system dialog: the parent given at construction, or the program's.
    HWND GetOwnerForDialog() const;
    // Asks the modal hook, then runs the system's dialog function (runDialog returns what it
    // returned). m_hWnd names the system dialog's window while it is on screen. Returns IDOK or
    // IDCANCEL, or the hook's answer.
    INT_PTR RunCommonDialog(BOOL (*runDialog)(CCommonDialog* pDialog));
};
