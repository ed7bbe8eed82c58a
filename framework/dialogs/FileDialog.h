// CFileDialog: the system's Open and Save As dialogs.
#pragma once

#include <string>

#include "framework/core/CString.h"
#include "framework/dialogs/CommonDialog.h"

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter pairs a description with its patterns, each ended by '|', the whole ended by "||":
    // "Text files (*.txt)|*.txt|All files (*.*)|*.*||". lpszDefExt is appended to a typed name
    // without extension; given as "qrw", ".qrw" or "*.qrw" it means the same.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // IDOK when the user chose a file, IDCANCEL when not (also when the system dialog failed).
    INT_PTR DoModal() override;

    // The chosen file: full path, name with extension, extension without the point, name without it.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    // Callers may change it before DoModal (title, initial directory, flags); lpstrFile, lpstrFilter
    // and lpstrDefExt point into this object.
    OPENFILENAMEA m_ofn;
    BOOL m_bOpenFileDialog;

protected:
    std::string m_strFilter;   // the filter with '\0' for every '|', ended by two '\0'
    CString m_strDefExt;
    TCHAR m_szFileName[MAX_PATH];
    TCHAR m_szFileTitle[MAX_PATH];
};
