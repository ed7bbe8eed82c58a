#include "framework/docview/RecentFileList.h"

#include <algorithm>

#include "framework/win/CmdTarget.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_arrNames((size_t)(nSize > 0 ? nSize : 0))
{
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (m_arrNames.empty() || lpszPathName == nullptr || *lpszPathName == '\0')
        return;
    char fullPath[MAX_PATH] = {};
    CString path = ::GetFullPathNameA(lpszPathName, sizeof fullPath, fullPath, nullptr) != 0 ? fullPath : lpszPathName;
    // Where it stands already (or the last place), everything before moves down one.
    size_t nFound = m_arrNames.size() - 1;
    for (size_t i = 0; i < m_arrNames.size(); ++i)
    {
        if (m_arrNames[i].CompareNoCase(path) == 0)
        {
            nFound = i;
            break;
        }
    }
    for (size_t i = nFound; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.push_back(CString());
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= GetSize() || m_arrNames[(size_t)nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[(size_t)nIndex];
    const int nNameStart = std::max(path.ReverseFind('\\'), path.ReverseFind('/')) + 1;
    // A file in the current folder shows by its name alone.
    if (lpszCurDir != nullptr && nCurDir > 0 && nNameStart == nCurDir + 1 &&
        path.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0)
    {
        strName = path.Mid(nNameStart);
        return TRUE;
    }
    if (path.GetLength() <= m_nMaxDisplayLength)
    {
        strName = path;
        return TRUE;
    }
    // Too long: the root, "...", and as much of the end as fits (at least the file's name).
    CString name = path.Mid(nNameStart);
    const int nRootEnd = path.Find('\\') >= 0 ? path.Find('\\') + 1 : 0;
    CString root = path.Left(nRootEnd);
    const int nRoom = m_nMaxDisplayLength - root.GetLength() - 3;
    if (nRoom < name.GetLength())
    {
        strName = bAtLeastName ? name : path.Left(m_nMaxDisplayLength);
        return TRUE;
    }
    CString tail = path.Right(nRoom);
    const int nCut = tail.Find('\\');
    strName = root + "..." + (nCut >= 0 ? tail.Mid(nCut) : CString("\\") + name);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (pMenu == nullptr)
        return;
    if (m_strOriginal.IsEmpty())
    {
        char text[256] = {};
        pMenu->GetMenuString(pCmdUI->m_nID, text, sizeof text, MF_BYCOMMAND);
        m_strOriginal = text;
    }
    // The items of an earlier update go first.
    for (int i = 0; i < GetSize(); ++i)
        pMenu->DeleteMenu(pCmdUI->m_nID + (UINT)i, MF_BYCOMMAND);

    if (GetSize() == 0 || m_arrNames[0].IsEmpty())
    {
        pMenu->InsertMenu(pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING, pCmdUI->m_nID, m_strOriginal);
        pCmdUI->Enable(FALSE);
        pCmdUI->m_nIndexMax = (UINT)pMenu->GetMenuItemCount();
        return;
    }
    char currentDir[MAX_PATH] = {};
    const int nCurDir = (int)::GetCurrentDirectoryA(sizeof currentDir, currentDir);
    int nInserted = 0;
    for (int i = 0; i < GetSize(); ++i)
    {
        CString name;
        if (!GetDisplayName(name, i, currentDir, nCurDir))
            break;
        // An ampersand in a file name is text, not a mnemonic.
        name.Replace("&", "&&");
        CString item;
        item.Format("&%d %s", i + 1, (LPCTSTR)name);
        pMenu->InsertMenu(pCmdUI->m_nIndex + (UINT)i, MF_BYPOSITION | MF_STRING, pCmdUI->m_nID + (UINT)i, item);
        ++nInserted;
    }
    pCmdUI->Enable(TRUE);
    // The update loop goes on after the files.
    pCmdUI->m_nIndex += (UINT)(nInserted - 1);
    pCmdUI->m_nIndexMax = (UINT)pMenu->GetMenuItemCount();
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (int i = 0; i < GetSize(); ++i)
    {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[(size_t)i] = pApp->GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    // The section is written anew, so that removed files do not linger.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetSize() && !m_arrNames[(size_t)i].IsEmpty(); ++i)
    {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        pApp->WriteProfileString(m_strSectionName, entry, m_arrNames[(size_t)i]);
    }
}
