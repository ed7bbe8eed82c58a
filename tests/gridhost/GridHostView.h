// A grid view of the host's document: the engine shows the document's parameter object, and the
// Edit commands undo and redo its changes.
#pragma once

#include "grid/core/GridView.h"

class CGridHostDoc;

class CGridHostView : public CGXGridView
{
    DECLARE_DYNCREATE(CGridHostView)

public:
    CGridHostDoc* GetHostDocument() const;

    void OnInitialUpdate() override;

    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
