#include "quarrow/pages/PlotProgram.h"

#include "framework/core/Exceptions.h"
#include "framework/win/OutsideCalls.h"
#include "framework/win/Seams.h"
#include "quarrow/app/QuarrowApp.h"

namespace {

const char NotStartedMessage[] = "Fennick could not be started:\n";

// One reload request; FALSE when no Fennick answers or the put fails.
BOOL AskFennickToReload()
{
    CPlotDispatch dispatch;
    if (!dispatch.CreateDispatch("Fennick.Document"))
        return FALSE;
    try
    {
        dispatch.SetRefresh(1.0f);
    }
    catch (CException* pException)
    {
        pException->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL StartFennick(PROCESS_INFORMATION& piFennick, const CString& strProgram)
{
    // The handles of an earlier start are no longer wanted once a new one replaces them.
    if (piFennick.hThread != nullptr)
        AfxCloseProcessHandle(piFennick.hThread);
    if (piFennick.hProcess != nullptr)
        AfxCloseProcessHandle(piFennick.hProcess);
    piFennick = PROCESS_INFORMATION{};

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (AfxCreateProcess(strProgram, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &piFennick))
        return TRUE;
    piFennick = PROCESS_INFORMATION{};
    AfxMessageBox(NotStartedMessage + strProgram, MB_OKCANCEL);
    return FALSE;
}

} // namespace

void CPlotDispatch::SetRefresh(float fValue)
{
    SetProperty(DISPID_REFRESH, VT_R4, static_cast<double>(fValue));
}

BOOL LaunchPlotProgram()
{
    CQuarrowApp* pApp = QuarrowApp();
    if (pApp == nullptr)
        return FALSE;
    PROCESS_INFORMATION& piFennick = pApp->m_piFennick;
    // The kept handle tells whether that very process still runs; a process id could by now name
    // another program.
    if (AfxIsProcessRunning(piFennick.hProcess) && AskFennickToReload())
        return TRUE;
    return StartFennick(piFennick, pApp->m_strInstallDir + "\\fennick.exe");
}
