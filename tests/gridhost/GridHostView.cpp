#include "tests/gridhost/GridHostView.h"

#include "framework/win/FrameworkIds.h"
#include "tests/gridhost/GridHostDoc.h"

IMPLEMENT_DYNCREATE(CGridHostView, CGXGridView)

BEGIN_MESSAGE_MAP(CGridHostView, CGXGridView)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
END_MESSAGE_MAP()

CGridHostDoc* CGridHostView::GetHostDocument() const
{
    return static_cast<CGridHostDoc*>(GetDocument());
}

void CGridHostView::OnInitialUpdate()
{
    if (!IsInitialized())
        SetParam(GetHostDocument()->GetParam(), FALSE);
    CGXGridView::OnInitialUpdate();
}

void CGridHostView::OnEditUndo()
{
    Undo();
}

void CGridHostView::OnEditRedo()
{
    Redo();
}

void CGridHostView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    UpdateUndoMenuText(pCmdUI);
}

void CGridHostView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    UpdateRedoMenuText(pCmdUI);
}
