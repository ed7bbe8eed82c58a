// Starting Fennick, or asking the Fennick that Quarrow started to read the plot data file again.
#pragma once

#include <windows.h>

#include "framework/ole/DispatchDriver.h"

// The automation client of Fennick's document class "Fennick.Document", for one request.
class CPlotDispatch : public COleDispatchDriver
{
public:
    enum { DISPID_REFRESH = 1 };   // Fennick's float property "SieveSize"

    // Puts the float property: any value makes Fennick read the plot data file again. Throws the
    // driver's exceptions when the call fails.
    void SetRefresh(float fValue);
};

// Called after the plot data file is complete and closed. While the Fennick started last still runs
// (its kept process handle, CQuarrowApp::m_piFennick), asks it through automation to reload;
// otherwise, or when it cannot be reached, closes the old handles and starts
// "<installation directory>\fennick.exe" without a command line. A refused start says so
// ("Fennick could not be started:") and leaves nothing kept, so the next plot tries again.
// TRUE when Fennick was started or reloaded.
BOOL LaunchPlotProgram();
