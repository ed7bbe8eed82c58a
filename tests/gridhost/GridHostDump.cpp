#include "tests/gridhost/GridHostDump.h"

#include "framework/docview/MDIFrameWnd.h"
#include "framework/win/FrameworkIds.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/features/GridCommand.h"
#include "grid/features/SpanCellPool.h"
#include "tests/gridhost/GridHostApp.h"
#include "tests/gridhost/GridHostDoc.h"
#include "tests/gridhost/GridHostFrames.h"
#include "tests/gridhost/GridHostView.h"

#include <cstdio>
#include <string>
#include <utility>

namespace
{
void Line(std::string& text, const CString& line)
{
    text += static_cast<LPCTSTR>(line);
    text += "\r\n";
}

CString Unsigned(unsigned long nValue)
{
    CString text;
    text.Format("%lu", nValue);
    return text;
}

// The undo or redo list: its count and its newest command's name.
CString ListLine(LPCTSTR pszName, CPtrList& list)
{
    CString name;
    if (!list.IsEmpty())
    {
        CObject* pNewest = static_cast<CObject*>(list.GetHead());
        if (pNewest != nullptr && pNewest->IsKindOf(RUNTIME_CLASS(CGXCommand)))
            name = static_cast<CGXCommand*>(pNewest)->GetName();
    }
    return CString(pszName) + " " + Unsigned(static_cast<unsigned long>(list.GetCount())) + " " +
           GridHostQuote(name);
}

// A cell block as "T L B R".
CString Cells(const CGXRange& range)
{
    return Unsigned(range.top) + " " + Unsigned(range.left) + " " + Unsigned(range.bottom) + " " +
           Unsigned(range.right);
}

CString RangeLine(const CGXRange& range)
{
    if (range.IsTable())
        return "range table";
    if (range.IsRows())
        return "range rows " + Unsigned(range.top) + " " + Unsigned(range.bottom);
    if (range.IsCols())
        return "range cols " + Unsigned(range.left) + " " + Unsigned(range.right);
    return "range cells " + Unsigned(range.top) + " " + Unsigned(range.left) + " " + Unsigned(range.bottom) + " " +
           Unsigned(range.right);
}

// The pop-up of the menu bar with the name, after the frame updated its items as for a user who
// opens it; NULL when the bar has none.
HMENU UpdatedPopup(CMDIFrameWnd* pFrame, LPCTSTR pszName)
{
    HMENU hMenuBar = ::GetMenu(pFrame->GetSafeHwnd());
    const int nCount = hMenuBar != nullptr ? ::GetMenuItemCount(hMenuBar) : 0;
    for (int i = 0; i < nCount; ++i)
    {
        char szText[256] = {};
        ::GetMenuStringA(hMenuBar, static_cast<UINT>(i), szText, sizeof szText, MF_BYPOSITION);
        if (CString(szText) != pszName)
            continue;
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(i, FALSE));
        return hPopup;
    }
    return nullptr;
}

BOOL IsItemEnabled(HMENU hPopup, UINT nID)
{
    const UINT nState = ::GetMenuState(hPopup, nID, MF_BYCOMMAND);
    return nState != static_cast<UINT>(-1) && (nState & (MF_DISABLED | MF_GRAYED)) == 0;
}

CString MenuItemLine(LPCTSTR pszName, HMENU hPopup, UINT nID)
{
    char szText[256] = {};
    if (hPopup != nullptr)
        ::GetMenuStringA(hPopup, nID, szText, sizeof szText, MF_BYCOMMAND);
    return CString(pszName) + " " + GridHostQuote(szText) + " " + (hPopup != nullptr && IsItemEnabled(hPopup, nID) ? "1" : "0");
}
} // namespace

CString GridHostQuote(LPCTSTR pszText)
{
    CString text = "\"";
    for (LPCTSTR p = pszText != nullptr ? pszText : ""; *p != '\0'; ++p)
    {
        switch (*p)
        {
        case '\\':
            text += "\\\\";
            break;
        case '"':
            text += "\\\"";
            break;
        case '\t':
            text += "\\t";
            break;
        case '\r':
            text += "\\r";
            break;
        case '\n':
            text += "\\n";
            break;
        default:
            text += *p;
        }
    }
    return text + "\"";
}

CString GridHostDumpText(CGridHostApp& app, bool bCells)
{
    std::string text;
    CGridHostDoc* pDoc = app.GetDocument();
    const std::vector<CGridHostView*> views = app.GetViews();
    CGridHostView* pGrid = app.GetActiveGridView();
    if (pGrid == nullptr && !views.empty())
        pGrid = views.front();
    if (pDoc == nullptr || pGrid == nullptr)
        return "";
    CGXGridParam* pParam = pDoc->GetParam();
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();

    Line(text, "rows " + Unsigned(nRows));
    Line(text, "cols " + Unsigned(nCols));
    Line(text, "frozen " + Unsigned(pParam->m_nFrozenRows) + " " + Unsigned(pParam->m_nFrozenCols));
    Line(text, "headers " + Unsigned(pGrid->GetHeaderRows()) + " " + Unsigned(pGrid->GetHeaderCols()));
    Line(text, ListLine("undo", pParam->GetUndoList()));
    Line(text, ListLine("redo", pParam->GetRedoList()));
    // The last sort's key row and column, -1 for the one that did not sort.
    CString lastSort;
    lastSort.Format("lastsort row %d col %d asc %d", static_cast<int>(pParam->m_nLastSortRow),
                    static_cast<int>(pParam->m_nLastSortCol), pParam->m_bLastSortAscending ? 1 : 0);
    Line(text, lastSort);
    CString clipboardFlags;
    clipboardFlags.Format("clipboardflags 0x%x", static_cast<unsigned>(pGrid->m_nClipboardFlags));
    Line(text, clipboardFlags);
    Line(text, CString("cutpending ") + (pParam->m_bCutPending ? "1" : "0"));

    CMDIFrameWnd* pFrame = app.GetMainFrame();
    HMENU hEdit = UpdatedPopup(pFrame, "&Edit");
    HMENU hGrid = UpdatedPopup(pFrame, "&Grid");
    Line(text, MenuItemLine("undomenu", hEdit, ID_EDIT_UNDO));
    Line(text, MenuItemLine("redomenu", hEdit, ID_EDIT_REDO));
    for (HMENU hPopup : {hEdit, hGrid})
    {
        const int nCount = hPopup != nullptr ? ::GetMenuItemCount(hPopup) : 0;
        for (int i = 0; i < nCount; ++i)
        {
            const UINT nID = ::GetMenuItemID(hPopup, i);
            if (nID != 0 && nID != static_cast<UINT>(-1))
                Line(text, "enabled " + Unsigned(nID) + " " + (IsItemEnabled(hPopup, nID) ? "1" : "0"));
        }
    }

    Line(text, "selection " + Unsigned(static_cast<unsigned long>(pParam->m_SelRects.GetCount())));
    for (POSITION pos = pParam->m_SelRects.GetHeadPosition(); pos != nullptr;)
        if (const CGXRange* pRange = pParam->m_SelRects.GetNext(pos))
            Line(text, RangeLine(*pRange));

    // Covered ranges as the list holds them; the merged and floating spans worked out so far.
    for (POSITION pos = pParam->m_CoveredCellsList.GetHeadPosition(); pos != nullptr;)
        if (const CGXRange* pRange = pParam->m_CoveredCellsList.GetNext(pos))
            Line(text, "covered " + Cells(*pRange));
    const std::pair<LPCTSTR, CObject*> pools[] = {{"merge", pParam->m_pHorzMergeCellsPool},
                                                  {"merge", pParam->m_pVertMergeCellsPool},
                                                  {"float", pParam->m_pFloatCellsPool}};
    for (const auto& pool : pools)
        if (const CGXSpanCellPool* pPool = GXAsSpanCellPool(pool.second))
        {
            CArray<CGXRange, const CGXRange&> spans;
            pPool->GetSpans(spans);
            for (INT_PTR i = 0; i < spans.GetSize(); ++i)
                Line(text, CString("span ") + pool.first + " " + Cells(spans[i]));
        }
    // The hidden rows and columns by their indexes (straight into the text, like the heights).
    text += "hidden rows";
    for (ROWCOL nRow = 0; nRow <= nRows; ++nRow)
        if (pGrid->IsRowHidden(nRow))
        {
            text += ' ';
            text += std::to_string(nRow);
        }
    text += "\r\nhidden cols";
    for (ROWCOL nCol = 0; nCol <= nCols; ++nCol)
        if (pGrid->IsColHidden(nCol))
        {
            text += ' ';
            text += std::to_string(nCol);
        }
    text += "\r\n";

    CString widths = "widths";
    for (ROWCOL nCol = 0; nCol <= nCols; ++nCol)
        widths += " " + Unsigned(static_cast<unsigned long>(pGrid->GetColWidth(nCol)));
    Line(text, widths);
    // Heights go straight into the text: a large table has many rows.
    text += "heights";
    for (ROWCOL nRow = 0; nRow <= nRows; ++nRow)
    {
        text += ' ';
        text += std::to_string(pGrid->GetRowHeight(nRow));
    }
    text += "\r\n";

    for (size_t i = 0; i < views.size(); ++i)
    {
        CGridHostView* pView = views[i];
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        const CString current =
            pView->GetCurrentCell(nRow, nCol) ? Unsigned(nRow) + " " + Unsigned(nCol) : CString("none");
        Line(text, "view " + Unsigned(static_cast<unsigned long>(i + 1)) + " pane " + Unsigned(pView->m_nPaneRow) +
                       " " + Unsigned(pView->m_nPaneCol) + " top " + Unsigned(pView->GetTopRow()) + " left " +
                       Unsigned(pView->GetLeftCol()) + " current " + current);
    }

    std::string displayed;
    for (ROWCOL nRow = 1; bCells && nRow <= nRows; ++nRow)
        for (ROWCOL nCol = 1; nCol <= nCols; ++nCol)
        {
            const CString value = pGrid->GetStoredValueRowCol(nRow, nCol);
            if (value.IsEmpty())
                continue;
            const CString cell = Unsigned(nRow) + " " + Unsigned(nCol) + " ";
            Line(text, "cell " + cell + GridHostQuote(value));
            CString display;
            if (CGXControl* pControl = pGrid->GetControl(nRow, nCol))
                pControl->GetControlText(display, nRow, nCol, nullptr, pGrid->LookupStyleRowCol(nRow, nCol));
            Line(displayed, "text " + cell + GridHostQuote(display));
        }
    if (pGrid->m_nPrintPageCount != 0)
        Line(displayed, "pages " + Unsigned(pGrid->m_nPrintPageCount));

    // The tab-window children, in the MDI client's order.
    HWND hClient = pFrame != nullptr ? pFrame->m_hWndMDIClient : nullptr;
    for (HWND hChild = hClient != nullptr ? ::GetWindow(hClient, GW_CHILD) : nullptr; hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        auto* pTabFrame = dynamic_cast<CGridHostTabFrame*>(CWnd::FromHandlePermanent(hChild));
        if (pTabFrame == nullptr)
            continue;
        CGXTabBeam& beam = pTabFrame->m_wndTabs.GetBeam();
        Line(displayed, "tabs " + Unsigned(static_cast<unsigned long>(beam.GetCount())) + " current " +
                            CString(std::to_string(beam.GetCurSel()).c_str()));
        for (int i = 0; i < beam.GetCount(); ++i)
            Line(displayed, "tab " + Unsigned(static_cast<unsigned long>(i)) + " " +
                                GridHostQuote(beam.GetTabInfo(i).sLabel));
    }
    return (text + displayed).c_str();
}

BOOL GridHostWriteDump(CGridHostApp& app, LPCTSTR pszPath)
{
    const CString text = GridHostDumpText(app);
    FILE* pFile = std::fopen(pszPath, "wb");
    if (pFile == nullptr)
        return FALSE;
    const size_t nLength = static_cast<size_t>(text.GetLength());
    const BOOL bWritten = std::fwrite(static_cast<LPCTSTR>(text), 1, nLength, pFile) == nLength;
    return std::fclose(pFile) == 0 && bWritten;
}
