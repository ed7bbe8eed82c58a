// The grid test host: a thin MDI program whose commands call the grid library, to show its features
// to a person and to outside checks (the dump). It starts with one document (one parameter object,
// cell (r, c) holding "r:c") in two tiled child frames, the first one active.
#pragma once

#include "framework/core/CString.h"
#include "framework/win/WinApp.h"
#include "grid/core/GridTypes.h"

#include <vector>

class CDocTemplate;
class CGridHostDoc;
class CGridHostView;
class CMDIFrameWnd;
class CMultiDocTemplate;

// The registry key (under HKEY_CURRENT_USER\Software) of the host's settings.
#define GRIDHOST_REGISTRY_KEY "Quarrow Grid Host Tests"

class CGridHostApp : public CWinApp
{
public:
    CGridHostApp();
    ~CGridHostApp() override;

    // Options of the command line: /rows N, /cols N (the sample's size), /dump PATH (where the
    // Dump command writes), /ini PATH (the INI file that keeps the grid settings; without it
    // they go to the registry under the host's key) and /formula (the document's data object is a
    // formula sheet).
    void ParseOptions(LPCTSTR pszCommandLine);
    ROWCOL m_nRows = 20;
    ROWCOL m_nCols = 6;
    BOOL m_bFormula = FALSE;
    CString m_strDumpPath = "gridhost-dump.txt";
    CString m_strIniPath;

    BOOL InitInstance() override;

    // The host's document and its grid views, in the document's order.
    CGridHostDoc* GetDocument() const;
    std::vector<CGridHostView*> GetViews() const;
    // The grid view of the active child frame (its active pane), or NULL.
    CGridHostView* GetActiveGridView() const;
    CMDIFrameWnd* GetMainFrame() const;
    // The template of child frames split into two panes, one above the other.
    CMultiDocTemplate* GetSplitTemplate() const { return m_pSplitTemplate; }

private:
    CMultiDocTemplate* m_pTemplate = nullptr;
    CMultiDocTemplate* m_pSplitTemplate = nullptr;
};
