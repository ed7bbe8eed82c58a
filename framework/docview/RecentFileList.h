// The recent-file list: the last files opened, newest first, kept in the profile and shown in the
// menu in place of the item ID_FILE_MRU_FILE1 as "&1 name", "&2 name", ...
#pragma once

#include <vector>

#include "framework/core/CString.h"

class CCmdUI;

class CRecentFileList
{
public:
    // nStart: the first item's command id offset; lpszEntryFormat: the profile entries ("File%d").
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return (int)m_arrNames.size(); }
    // Entry nIndex; empty entries follow the files.
    CString& operator[](int nIndex) { return m_arrNames[(size_t)nIndex]; }

    // The file comes first; a file already in the list moves there, the oldest falls out.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The name as the menu shows it: the file's name when it lies in lpszCurDir, else the path,
    // shortened in its middle to the display length.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Puts the files in the menu at the item being updated; without files the item stays, greyed.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;
    std::vector<CString> m_arrNames;
    CString m_strOriginal;   // the menu item's own text, shown while the list is empty
};
