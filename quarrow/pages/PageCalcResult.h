#pragma once

#include "framework/core/CString.h"

class CProjectData;

// What a page computation asks of its page once it has run: show the message (an
// OK/Cancel box without icon, answer not looked at), then bring the page of that index
// forward and repaint the sheet. Results are already in the record; a redirect to another
// page changes the record only after the message (see pRecord).
struct CPageCalcResult
{
    BOOL bStored = FALSE;       // a result text went into the record
    CString strMessage;         // empty: no message
    int nShowPage = -1;         // property sheet page index; -1: stay

    // Set by a redirect, applied to pRecord after the message: the sieve layer word before the
    // page change, the focus request after it. Set earlier, the request would be taken by the
    // page that paints while the message is up, and the page it is meant for would never see it.
    CProjectData* pRecord = nullptr;
    CString strSieveLayer;      // empty: unchanged
    int nFocusControl = 0;      // 0: no request

    static CPageCalcResult Stored()
    {
        CPageCalcResult result;
        result.bStored = TRUE;
        return result;
    }

    static CPageCalcResult Message(const char* text, int showPage = -1)
    {
        CPageCalcResult result;
        result.strMessage = text;
        result.nShowPage = showPage;
        return result;
    }
};
