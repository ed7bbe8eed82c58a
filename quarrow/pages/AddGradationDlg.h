#pragma once

#include "framework/win/Dialog.h"

// "Add Gradation to Library": the name under which the sieve page saves the current gradation as
// "<name>.sgd" in the library folder. A name that would not make a file of that folder is refused
// and the dialog stays open.
class CAddGradationDlg : public CDialog
{
public:
    static const char ControlCharactersMessage[];
    static const char UnusableNameMessage[];
    enum { MaxNameLength = 80 };

    explicit CAddGradationDlg(CWnd* pParent);
    ~CAddGradationDlg() override;

    // FALSE for a name that would leave the folder or is no file name of its own: empty, holding a
    // path separator or / < > | " or a control character, "." or "..", ending in a dot or blank,
    // or a device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9) with any extension. The characters
    // : \ ? * have a message of their own and are not looked at here.
    static bool IsUsableFileName(const CString& strName);

    void OnOK() override;

    CString m_strName;   // the name typed, after OK

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};
