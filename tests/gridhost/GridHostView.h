// A grid view of the host's document: the engine shows the document's parameter object, and the
// Edit commands undo and redo its changes.
#pragma once

#include "grid/core/GridView.h"

class CGridHostDoc;
class CGXPrintDevice;

class CGridHostView : public CGXGridView
{
    DECLARE_DYNCREATE(CGridHostView)

public:
    CGridHostDoc* GetHostDocument() const;

    void OnInitialUpdate() override;
    // The grid's own printer object, made on first use (it takes the default printer when it holds none).
    CGXPrintDevice* GetGridPrintDevice();
    // The print dialog and the printer come from the grid's printer object, which keeps the user's choice.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    // File Print Setup: the print dialog's setup on the grid's printer object.
    afx_msg void OnFilePrintSetup();

    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
