#pragma once

#include <windows.h>

#include <initializer_list>
#include <span>
#include <vector>

#include "framework/core/CString.h"
#include "quarrow/pages/PageCalcResult.h"

class CWnd;
class CPropertySheet;
class CProjectData;

// What every design page does the same way: the hand-edit warning, the summary panel of the
// main dialog, the focus request of the record, and the page's own controls by id. Help is the
// application's (QuarrowApp.h).

// A warning about a typed value that the page would otherwise compute. It is queued only in
// normal mode and shown once, before the page handles its next message.
class CHandEditWarning
{
public:
    // Queues pszText when the record's mode is "normal"; replaces a warning still queued.
    void Queue(const CProjectData& data, const char* pszText);
    // Queues pszText whatever the mode (the page decides when it shows it).
    void QueueInAnyMode(const char* pszText);
    void Drop();
    // Shows a queued warning in a box owned by pPage (caption "Warning", exclamation icon, OK)
    // and forgets it. The queue is emptied first: the box's own messages must not show it again.
    void ShowPending(CWnd* pPage);

    BOOL IsPending() const { return m_bPending; }
    const CString& GetText() const { return m_strText; }

private:
    int m_bPending = 0;
    CString m_strText;
};

// Sets the text of a control of the main dialog's summary panel (1005 base width, 1007 resultant
// slope, ...). The main dialog is the application's main window; without one nothing happens.
void PageSetSummaryText(int nID, const CString& strText);

// What the summary panel shows of the record: its values and the three material states.
struct CSummaryText
{
    int nID;
    CString strText;
};
std::vector<CSummaryText> PageSummaryTexts(const CProjectData& data);
// All of it into the summary panel: a change on one page can empty a result of another.
void PageShowSummary(const CProjectData& data);

// Gives the focus to the control of pPage that the record's focus request names, and resets the
// request. Called when the page paints: the request was made before the sheet switched pages.
void PageHonourFocusRequest(CWnd* pPage, CProjectData& data);

// A link to another page: brings page nPage of the sheet forward with the focus request
// nFocusControl (0 drops one not yet taken) and repaints the sheet when bRepaintSheet. The request
// is made first: the page takes it when it paints. Nothing happens without the sheet's window.
void PageGoTo(CPropertySheet* pSheet, CProjectData& data, int nPage, int nFocusControl, bool bRepaintSheet);

// A record field that a compute button needs counts as filled while the focus is in its edit,
// so that the button is ready as soon as the value is typed.
bool PageFieldFilled(const CWnd* pPage, int nEditID, const CString& strField);

// Shows a computation's message (OK and Cancel, no icon; the answer is not looked at), then sets
// the sieve layer word of a redirect, brings forward the page it names, makes the focus request
// and repaints the sheet, in that order.
void PageShowCalcResult(CPropertySheet* pSheet, const CPageCalcResult& result);

// Gives the focus to the page's focus sink, a control that takes it and does nothing else: the edit
// being typed in is left first and stores its value in the record, before the page goes.
void PageFocusSink(CWnd* pPage, int nSinkID);

// ---- The page's own controls, by control id; a control the page lacks is passed over ----

CString PageItemText(const CWnd* pPage, int nID);
// Only a text that differs is set: the edit keeps its caret and nothing repaints for nothing.
void PageSetTextIfDifferent(CWnd* pPage, int nID, const char* pszText);
// The same for the bitmap of a picture control.
void PageSetPictureIfDifferent(CWnd* pPage, int nID, HBITMAP hBitmap);
void PageEnableControl(CWnd* pPage, int nID, bool bEnable);
// Shows or hides only a control whose visibility changes: a group box hidden or shown repaints
// the page, and a page that lays itself out when it paints would paint again.
void PageShowControl(CWnd* pPage, int nID, bool bShow);
void PageShowControls(CWnd* pPage, std::initializer_list<int> ids, bool bShow);

// Empties the record's fields.
void PageClearFields(CProjectData& data, std::span<CString CProjectData::* const> fields);
void PageClearFields(CProjectData& data, std::initializer_list<CString CProjectData::*> fields);
