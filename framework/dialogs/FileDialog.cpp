#include "framework/dialogs/FileDialog.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

BOOL RunFileDialog(CCommonDialog* pDialog)
{
    auto* pFileDialog = static_cast<CFileDialog*>(pDialog);
    return pFileDialog->m_bOpenFileDialog ? ::GetOpenFileNameA(&pFileDialog->m_ofn)
                                          : ::GetSaveFileNameA(&pFileDialog->m_ofn);
}

// Where the file name starts in a path: after the last backslash, slash or drive colon.
int FileNameStart(const CString& path)
{
    for (int i = path.GetLength() - 1; i >= 0; --i)
    {
        TCHAR ch = path[i];
        if (ch == '\\' || ch == '/' || ch == ':')
            return i + 1;
    }
    return 0;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName(), m_szFileTitle()
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;

    // The system wants the extension alone: a pattern such as "*.qrw" would otherwise end up in
    // the saved file's name ("name.*.qrw"), which no file system accepts.
    if (lpszDefExt != nullptr)
    {
        m_strDefExt = lpszDefExt;
        m_strDefExt.TrimLeft("*.");
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr)
        lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);

    if (lpszFilter != nullptr)
    {
        m_strFilter = lpszFilter;
        for (char& ch : m_strFilter)
        {
            if (ch == '|')
                ch = '\0';
        }
        // A filter without its closing "||" still ends where the system expects.
        m_strFilter.push_back('\0');
        m_strFilter.push_back('\0');
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = GetOwnerForDialog();
    m_szFileTitle[0] = '\0';
    return RunCommonDialog(&RunFileDialog);
}

CString CFileDialog::GetPathName() const
{
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(FileNameStart(path));
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
