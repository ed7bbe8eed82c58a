#include "tests/gridhost/GridHostView.h"

#include "framework/dialogs/PrintDialog.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "grid/core/PrintDevice.h"
#include "tests/gridhost/GridHostDoc.h"

IMPLEMENT_DYNCREATE(CGridHostView, CGXGridView)

BEGIN_MESSAGE_MAP(CGridHostView, CGXGridView)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
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

CGXPrintDevice* CGridHostView::GetGridPrintDevice()
{
    CGXGridParam* pParam = GetParam();
    if (pParam == nullptr)
        return nullptr;
    if (pParam->GetPrintDevice() == nullptr)
        pParam->SetPrintDevice(new CGXPrintDevice, TRUE);
    return pParam->GetPrintDevice();
}

BOOL CGridHostView::OnPreparePrinting(CPrintInfo* pInfo)
{
    CGXAbstractPrintDeviceImp* pImp = GXGetAppData()->m_pPrintDeviceImp;
    if (pImp == nullptr)
        return DoPreparePrinting(pInfo);
    return pImp->DoPreparePrinting(this, GetGridPrintDevice(), pInfo);
}

void CGridHostView::OnFilePrintSetup()
{
    CGXAbstractPrintDeviceImp* pImp = GXGetAppData()->m_pPrintDeviceImp;
    CPrintDialog dialog(TRUE);
    if (pImp != nullptr)
        pImp->DoPrintDialog(GetGridPrintDevice(), &dialog);
    else
        AfxGetApp()->DoPrintDialog(&dialog);
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
