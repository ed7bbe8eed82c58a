// A document that can be linked to others (a master and its dependents) and that takes numbered commands
// and "BWK++ " pseudo paths in place of file names, so that it can be opened or told to change its data
// without a file.
#pragma once

#include "framework/docview/Document.h"

class BWKComDoc : public CDocument
{
    DECLARE_DYNCREATE(BWKComDoc)
public:
    // Command types of DispatchCommand; types from commandUser on are the user's own.
    enum {
        commandNothing = 0,
        commandOne = 1,
        commandDataBlock = 2,
        commandData = 3,
        commandUser = 0x8000
    };

    BWKComDoc();
    ~BWKComDoc() override;

    // A pseudo path is not stored: the document takes the template's default title instead.
    void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    BOOL OnNewDocument() override;
    // A pseudo path opens a new, empty document; "BWK++ 1" also runs command one. It never touches the
    // file system.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;

    virtual int OnDataCommand(WPARAM nCode, LPARAM lData);
    virtual int OnUserCommand(UINT nType, WPARAM wParam, LPARAM lParam);
    virtual int OnCommandOne();
    // The base frees the block and changes nothing.
    virtual int OnDataBlock(LPCTSTR lpszName, HGLOBAL hBlock);
    // Forwards a data command to the master (none: 0), marking this document busy meanwhile.
    virtual int SendToMaster(WPARAM wParam, LPARAM lParam);
    virtual CDocument* GetNextDependent(POSITION& rPosition);
    virtual CDocument* GetPrevDependent(POSITION& rPosition);
    virtual POSITION GetFirstDependentPosition();
    virtual int GetDependentCount();
    virtual int DispatchCommand(UINT nType, WPARAM wParam, LPARAM lParam);
    virtual int NewAndDispatch(UINT nType, WPARAM wParam, LPARAM lParam);
    virtual int RemoveDependent(CDocument* pDocument);
    virtual void ReleaseMaster(CDocument* pDocument);
    virtual void AddDependent(CDocument* pDocument);
    virtual void SetMaster(CDocument* pDocument);
    // The data command to every dependent that takes commands; the results or-ed.
    virtual int BroadcastCommand(WPARAM wParam, LPARAM lParam);

    CDocument* GetMaster() const { return m_pMaster; }
    BOOL IsBusy() const { return m_bBusy; }
    // More than five characters, the first six "BWK++ ".
    static BOOL IsPseudoPath(LPCTSTR lpszPathName);

protected:
    CPtrList m_dependents;      // not owned
    CDocument* m_pMaster;       // not owned
    int m_bBusy;
};
