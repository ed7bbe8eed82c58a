#include "quarrow/pages/PageTableGrid.h"

#include "grid/core/AppData.h"
#include "quarrow/app/ProjectData.h"

BEGIN_MESSAGE_MAP(CPageTableGrid, CGXGridWnd)
END_MESSAGE_MAP()

CPageTableGrid::CPageTableGrid() = default;

CPageTableGrid::~CPageTableGrid() = default;

void CPageTableGrid::OnCellControlInit(ROWCOL nRow, ROWCOL)
{
    // Before the page handed over its record (while it builds the table) there is nothing to report.
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_nPickedValue = static_cast<int>(nRow);
    NotifyPage(CurrentCellChanged);
}

BOOL CPageTableGrid::DispatchKeyMessage(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (nMessage == WM_KEYDOWN && nChar == VK_TAB)
    {
        NotifyPage(TabPressed);
        return TRUE;
    }
    if (nMessage == WM_KEYDOWN && nChar == VK_HELP)
    {
        if (bShift)
            MessageBox("Help!");
        else
            NotifyPage(TabPressed);
        return TRUE;
    }
    CGXGridWnd::DispatchKeyMessage(pSender, nMessage, nChar, nRepCnt, nFlags);
    return TRUE;
}

void CPageTableGrid::NotifyPage(WORD nCode)
{
    CWnd* pPage = GXGetParentOfClass(this, RUNTIME_CLASS(CWnd), TRUE);
    if (pPage == nullptr)
        return;
    const HWND hGrid = GetSafeHwnd();
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hGrid), nCode), reinterpret_cast<LPARAM>(hGrid));
}
