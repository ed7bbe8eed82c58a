#include "grid/core/LongOperation.h"

#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"

CGXLongOperationState& GXGetLongOperationState()
{
    static CGXLongOperationState state;
    return state;
}

namespace
{
CGXAbstractLongOperationImp* Imp()
{
    return GXGetAppData()->m_pLongOperationImp;
}
} // namespace

CGXLongOperation::CGXLongOperation()
{
    if (CGXAbstractLongOperationImp* pImp = Imp())
        pImp->Start(this);
    else
        ++GXGetLongOperationState().nLevel;
}

CGXLongOperation::~CGXLongOperation()
{
    if (CGXAbstractLongOperationImp* pImp = Imp())
        pImp->Finish(this);
    else
        --GXGetLongOperationState().nLevel;
}

void CGXLongOperation::FreeStatusText()
{
    if (CGXAbstractLongOperationImp* pImp = Imp())
        pImp->FreeStatusText(this);
}

void CGXLongOperation::SetStatusText(LPCTSTR pszText, BOOL bCopy)
{
    if (CGXAbstractLongOperationImp* pImp = Imp())
        pImp->SetStatusText(this, pszText, bCopy);
}

void CGXLongOperation::SetStatusTextById(UINT nID)
{
    CString text;
    AfxLoadString(nID, text);
    SetStatusText(text, TRUE);
}

BOOL CGXLongOperation::DoMessages()
{
    CGXAbstractLongOperationImp* pImp = Imp();
    return pImp != nullptr ? pImp->DoMessages(this) : FALSE;
}

BOOL CGXLongOperation::DoMessagesCheckAbort(BOOL& bAbort)
{
    bAbort = FALSE;
    CGXAbstractLongOperationImp* pImp = Imp();
    return pImp != nullptr ? pImp->DoMessagesCheckAbort(this, bAbort) : FALSE;
}

void CGXLongOperation::PumpMessages()
{
    if (CGXAbstractLongOperationImp* pImp = Imp())
        pImp->ProcessMessages();
}

BOOL CGXLongOperation::IsTimeElapsed() const
{
    const CGXLongOperationState& state = GXGetLongOperationState();
    const DWORD dwElapsed = AfxGetTickCount() - m_dwLastUpdateTick;
    return dwElapsed > (state.bShown ? state.nUpdateInterval : state.nWaitTime);
}

void CGXLongOperation::SetPercentDone(int nPercent)
{
    if (IsLevelIgnored())
        return;
    GXGetLongOperationState().nPercentDone = nPercent > 99 ? 100 : nPercent;
}

BOOL CGXLongOperation::IsLevelIgnored()
{
    const CGXLongOperationState& state = GXGetLongOperationState();
    return state.nIgnoreLevel != -1 && state.nIgnoreLevel < state.nLevel - 1;
}

void CGXLongOperation::IgnoreNestedLevels(BOOL bIgnore)
{
    if (IsLevelIgnored())
        return;
    CGXLongOperationState& state = GXGetLongOperationState();
    state.nIgnoreLevel = bIgnore ? state.nLevel - 1 : -1;
}

BOOL CGXLongOperation::SetCanAbort(BOOL bCanAbort)
{
    CGXLongOperationState& state = GXGetLongOperationState();
    const BOOL bOld = state.bCanAbort;
    state.bCanAbort = bCanAbort;
    return bOld;
}

BOOL CGXLongOperation::SetCanRollback(BOOL bCanRollback)
{
    CGXLongOperationState& state = GXGetLongOperationState();
    const BOOL bOld = state.bCanRollback;
    state.bCanRollback = bCanRollback;
    return bOld;
}

BOOL CGXLongOperation::GetRollbackConfirmedState()
{
    return GXGetLongOperationState().bRollbackRequested;
}

BOOL CGXLongOperation::GetAbortState()
{
    return GXGetLongOperationState().bAborted;
}

int CGXLongOperation::GetNestingLevel()
{
    return GXGetLongOperationState().nLevel;
}
