// Document templates: which document, frame and view classes make up one kind of document, with its
// resources (menu, accelerators, icon and the document strings of the string nIDResource).
//
// The document strings are seven fields separated by "\n": window title, document name (new
// documents are named by it and a number: "Doc1", "Doc2"), the name in the File New list, the
// file filter's name and extension, the registry's file type id and its readable name.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Lists.h"
#include "framework/win/CmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex
    {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };
    // How well a file fits the template (MatchDocType).
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };

    ~CDocTemplate() override;

    // Loads the document strings (and, in derived templates, the menu and accelerators).
    virtual void LoadTemplate();
    // One field of the document strings; FALSE (and an empty string) when it is missing or empty.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    // ---- Documents ----
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
    // A new document of the template's class, added to it; no frame, no view.
    virtual CDocument* CreateNewDocument();
    // A frame with a view on pDoc; pOther is the frame being copied (Window New). NULL on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // A new document (lpszPathName NULL) or the file opened, in a new frame; NULL when the document
    // refused (OnNewDocument or OnOpenDocument FALSE), which leaves no frame behind.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    // The title of a new document: the document name and the next number.
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
};

// Any number of documents, each in its own MDI child frames; the main frame shows the template's
// menu while one of them is active.
class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    HMENU m_hMenuShared = nullptr;    // owned; shown by the main frame while a child is active
    HACCEL m_hAccelTable = nullptr;
    CPtrList m_docList;
    UINT m_nUntitledCount = 0;        // new documents made so far (their numbers)
};
