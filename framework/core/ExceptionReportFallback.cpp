// Stand-in until the message-box seam (framework/win) defines CException::ReportError:
// delete this file in the commit that adds that definition, or the link sees two.
#include "framework/core/Exceptions.h"

int CException::ReportError(UINT nType, UINT)
{
    char message[512] = {};
    if (!GetErrorMessage(message, sizeof message))
        lstrcpynA(message, "An unexpected error occurred.", sizeof message);
    return ::MessageBoxA(nullptr, message, nullptr, nType);
}
