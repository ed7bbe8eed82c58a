#include "tests/gridhost/GridHostDoc.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "grid/formula/FormulaSheet.h"
#include "tests/gridhost/GridHostApp.h"
#include "tests/gridhost/GridHostView.h"

#include <memory>

IMPLEMENT_DYNCREATE(CGridHostDoc, CDocument)

CGridHostDoc::CGridHostDoc() : m_pParam(new CGXGridParam)
{
    // The first view that initialises its grid adds the styles map and the properties.
    const CGridHostApp* pApp = static_cast<CGridHostApp*>(AfxGetApp());
    CGXData* pData = pApp != nullptr && pApp->m_bFormula ? new CGXFormulaSheet : new CGXData;
    m_pParam->SetData(pData, TRUE);
    pData->InitParam(m_pParam);
}

CGridHostDoc::~CGridHostDoc()
{
    delete m_pParam;
}

BOOL CGridHostDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    const CGridHostApp* pApp = static_cast<CGridHostApp*>(AfxGetApp());
    ResetSample(pApp->m_nRows, pApp->m_nCols);
    return TRUE;
}

void CGridHostDoc::ResetSample(ROWCOL nRows, ROWCOL nCols)
{
    CGXData* pData = m_pParam->GetData();
    pData->SetRowCount(0);
    pData->SetColCount(0);
    pData->DeleteContents();
    pData->SetRowCount(nRows);
    pData->SetColCount(nCols);
    CGXStyle style;
    for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        for (ROWCOL nCol = 1; nCol <= nCols; ++nCol)
        {
            CString value;
            value.Format("%lu:%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
            style.SetValue(value);
            pData->StoreStyleRowCol(nRow, nCol, &style, gxOverride);
        }
    m_pParam->m_RowHeights.RemoveAll();
    m_pParam->m_ColWidths.RemoveAll();
    m_pParam->m_abRowFlags.RemoveAll();
    m_pParam->m_abColFlags.RemoveAll();
    m_pParam->m_nFrozenRows = m_pParam->m_nFrozenCols = 0;
    m_pParam->m_nHeaderRows = m_pParam->m_nHeaderCols = 0;
    m_pParam->m_SelRects.DeleteAll();
    m_pParam->m_CoveredCellsList.DeleteAll();
    m_pParam->SyncCoveredCellPool();
    m_pParam->m_nTransactionLevel = 0;
    m_pParam->EmptyUndoList();
    m_pParam->EmptyRedoList();
    SetModifiedFlag(FALSE);
}

BOOL CGridHostDoc::SaveGrid(LPCTSTR pszPath) const
{
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite))
        return FALSE;
    try
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<const CObject*>(m_pParam);
        ar.Close();
    }
    catch (CException* pException)
    {
        pException->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CGridHostDoc::OpenGrid(LPCTSTR pszPath)
{
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead))
        return FALSE;
    std::unique_ptr<CObject> pObject;
    try
    {
        CArchive ar(&file, CArchive::load);
        pObject.reset(ar.ReadOwnedObject(RUNTIME_CLASS(CGXGridParam)));
    }
    catch (CException* pException)
    {
        pException->Delete();
        return FALSE;
    }
    auto* pParam = dynamic_cast<CGXGridParam*>(pObject.get());
    if (pParam == nullptr || pParam->GetData() == nullptr)
        return FALSE;
    pObject.release();
    pParam->GetData()->InitParam(pParam);
    CGXGridParam* pOld = m_pParam;
    m_pParam = pParam;
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
        if (auto* pView = dynamic_cast<CGridHostView*>(GetNextView(pos)))
        {
            pView->MoveCurrentCell(GX_INVALID, GX_INVALID);
            pView->SetParam(pParam, FALSE);
            pView->SetTopRow(1, GX_INVALIDATE, FALSE, FALSE);
            pView->SetLeftCol(1, GX_INVALIDATE, FALSE, FALSE);
            pView->RedrawGrid(GX_INVALIDATE, FALSE);
        }
    delete pOld;
    SetModifiedFlag(FALSE);
    return TRUE;
}
