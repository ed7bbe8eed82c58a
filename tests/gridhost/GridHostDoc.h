// The host's document: one grid parameter object that every grid view of the document shows.
#pragma once

#include "framework/docview/Document.h"
#include "grid/core/GridTypes.h"

class CGXGridParam;

class CGridHostDoc : public CDocument
{
    DECLARE_DYNCREATE(CGridHostDoc)

public:
    CGridHostDoc();
    ~CGridHostDoc() override;

    // The sample of the application's size.
    BOOL OnNewDocument() override;
    // The host saves nothing: changes are given up without asking.
    BOOL SaveModified() override { return TRUE; }

    CGXGridParam* GetParam() const { return m_pParam; }
    // The sample again: nRows x nCols cells holding "r:c", default sizes, nothing frozen or selected,
    // empty undo and redo lists.
    void ResetSample(ROWCOL nRows, ROWCOL nCols);
    // The parameter object as a grid document in the file (FALSE when it cannot be written).
    BOOL SaveGrid(LPCTSTR pszPath) const;
    // The parameter object of the grid document in the file, shown by every view in place of the
    // one held; FALSE (and nothing changed) when the file cannot be read.
    BOOL OpenGrid(LPCTSTR pszPath);

private:
    CGXGridParam* m_pParam;
};
