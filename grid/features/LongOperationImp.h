#pragma once
// The display and abort of long operations: the wait cursor, the status text in the main frame's
// status bar (WM_SETMESSAGESTRING), the processing of pending messages while input is dropped, and
// the question whether to abort after Esc or Ctrl+Break. One object serves the process; its state
// is the process-wide record of grid/core/LongOperation.h. The clock is the framework's tick-count
// seam and the question goes through its message-box seam.

#include "grid/core/LongOperation.h"

class CGXLongOperationImp : public CGXAbstractLongOperationImp
{
public:
    void Start(CGXLongOperation* pOperation) override;
    void Finish(CGXLongOperation* pOperation) override;
    void FreeStatusText(CGXLongOperation* pOperation) override;
    void SetStatusText(CGXLongOperation* pOperation, LPCTSTR pszText, BOOL bCopy) override;
    BOOL DoMessagesCheckAbort(CGXLongOperation* pOperation, BOOL& bAbort) override;
    BOOL DoMessages(CGXLongOperation* pOperation) override;
    void ProcessMessages() override;

private:
    // FALSE while neither the wait nor the update interval has passed.
    static BOOL IsDue(const CGXLongOperation* pOperation);
    // Sends the composed text to the frame, when the level shows anything.
    static void ShowStatus(const CGXLongOperation* pOperation, BOOL bCheckAbort);
};

// Creates the application-wide component once and hands it to the library's application data.
void InstallLongOperationImp();
