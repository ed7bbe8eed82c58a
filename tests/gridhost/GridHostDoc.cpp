#include "tests/gridhost/GridHostDoc.h"

#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "tests/gridhost/GridHostApp.h"

IMPLEMENT_DYNCREATE(CGridHostDoc, CDocument)

CGridHostDoc::CGridHostDoc() : m_pParam(new CGXGridParam)
{
    // The first view that initialises its grid adds the styles map and the properties.
    CGXData* pData = new CGXData;
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
