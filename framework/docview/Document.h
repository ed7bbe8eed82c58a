// CDocument: the data of one open file (or of one new, unnamed document) and the views that show it.
//
// A document made by a template lives as long as it has views: when its last view goes, it closes
// (m_bAutoDelete). Commands reach it after its active view declined them; it passes them on to its
// template.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Lists.h"
#include "framework/win/CmdTarget.h"

class CArchive;
class CDocTemplate;
class CException;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    // ---- Title, path and state ----
    const CString& GetTitle() const { return m_strTitle; }
    // Also retitles the document's frames.
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The full path, with the file's name as title; added to the recent files when asked.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // ---- Views ----
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Every view but pSender is told (CView::OnUpdate) with the hint.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
    // After a view came or went: the last view gone closes the document, otherwise the frames are
    // numbered again.
    virtual void OnChangedViewList();
    // Numbers the frames of the document's views (":1", ":2" in their captions) when there are
    // several, and retitles them.
    virtual void UpdateFrameCounts();

    // ---- Life cycle ----
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; FALSE (the user told) when it cannot be read.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Destroys the frames of its views, empties and (with m_bAutoDelete) deletes the document.
    virtual void OnCloseDocument();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // The document's last frame may close only after its changes are saved or given up.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks "Save changes to <title>?" when modified; FALSE when the user cancelled or saving failed.
    virtual BOOL SaveModified();
    // Save (to the path it has) or Save As (asking for a path when lpszPathName is NULL).
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    // The last reference of an automation client went: the document closes (and is deleted).
    void OnFinalRelease() override;

    // Own commands first, then the template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    BOOL m_bAutoDelete = TRUE;   // deleted when its last view goes (or when it closes)
    BOOL m_bEmbedded = FALSE;    // made for an automation or embedding client

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;

    friend class CDocTemplate;

    DECLARE_MESSAGE_MAP()
};
