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

private:
    CGXGridParam* m_pParam;
};
