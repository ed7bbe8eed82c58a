// Grid engine: keyboard messages of the grid window. Not handled yet: the window's default
// processing answers.

#include "grid/core/GridCore.h"

BOOL CGXGridCore::DispatchKeyMessage(CWnd*, UINT, UINT, UINT, UINT)
{
    return FALSE;
}

UINT CGXGridCore::HandleGetDlgCode(UINT nDefault)
{
    return nDefault;
}
