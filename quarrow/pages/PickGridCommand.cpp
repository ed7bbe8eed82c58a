#include "quarrow/pages/PickGridCommand.h"

#include "framework/win/Dialog.h"
#include "grid/core/AppData.h"
#include "grid/core/GridWnd.h"

void PickGridSendDoubleClick(CGXGridWnd& grid)
{
    CWnd* pDialog = GXGetParentOfClass(&grid, RUNTIME_CLASS(CDialog), TRUE);
    if (pDialog == nullptr)
        return;
    const HWND hGrid = grid.GetSafeHwnd();
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hGrid), PickGridDoubleClickCode),
                         reinterpret_cast<LPARAM>(hGrid));
}
