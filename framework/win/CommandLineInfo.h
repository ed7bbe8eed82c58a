// What the program was asked to do on its command line: CWinApp::ParseCommandLine fills it and
// CWinApp::ProcessShellCommand carries it out.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Object.h"

class CCommandLineInfo : public CObject
{
public:
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1,
    };

    CCommandLineInfo() = default;

    // One argument: a flag (its leading '-' or '/' removed, bFlag set) or a file name. bLast is set
    // for the last argument.
    virtual void ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;    // "-Embedding": started by COM for an embedded object
    BOOL m_bRunAutomated = FALSE;   // "-Automation": started by COM for an automation object
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
};
