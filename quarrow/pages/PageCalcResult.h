#pragma once

#include "framework/core/CString.h"

// What a page computation asks of its page once it has run: show the message (an
// OK/Cancel box without icon, answer not looked at), then bring the page of that index
// forward and repaint the sheet. The record is already updated.
struct CPageCalcResult
{
    BOOL bStored = FALSE;       // a result text went into the record
    CString strMessage;         // empty: no message
    int nShowPage = -1;         // property sheet page index; -1: stay

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
