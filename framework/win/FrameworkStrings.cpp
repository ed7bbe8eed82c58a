// The framework's own texts, used when the program's string table does not define the id.
#include "framework/win/FrameworkIds.h"

#include "framework/core/CString.h"
#include "framework/win/WinApp.h"

namespace {

struct FrameworkString
{
    UINT nID;
    LPCTSTR text;
};

const FrameworkString g_frameworkStrings[] = {
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {AFX_IDS_UNTITLED, "Untitled"},
    {AFX_IDS_ALLFILTER, "All Files (*.*)"},
    {AFX_IDS_OPENFILE, "Open"},
    {AFX_IDS_SAVEFILE, "Save As"},
    {AFX_IDS_SAVEFILECOPY, "Save As"},
    {AFX_IDS_PREVIEW_CLOSE, "&Close"},
    {AFX_IDS_ONEPAGE, "&One Page"},
    {AFX_IDS_TWOPAGE, "&Two Page"},
    {AFX_IDS_PRINTPAGENUM, "Page %u"},
    {AFX_IDS_PREVIEWPAGEDESC, "Page %u\nPages %u-%u\n"},
    {AFX_IDS_PRINTDEFAULTEXT, "prn"},
    {AFX_IDS_PRINTDEFAULT, "Output.prn"},
    {AFX_IDS_PRINTFILTER, "Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||"},
    {AFX_IDS_PRINTCAPTION, "Print to File"},
    {ID_INDICATOR_EXT, "EXT"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_INDICATOR_OVR, "OVR"},
    {ID_INDICATOR_REC, "REC"},
    {AFX_IDP_INVALID_FILENAME, "Invalid filename."},
    {AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
    {AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
    {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
    {AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
    {AFX_IDP_NO_ERROR_AVAILABLE, "No error message is available."},
    {AFX_IDP_FAILED_TO_START_PRINT, "Could not start print job."},
    {AFX_IDP_FAILED_TO_LAUNCH_HELP, "Failed to launch help."},
    {AFX_IDP_INTERNAL_FAILURE, "Internal application error."},
    {AFX_IDP_COMMAND_FAILURE, "Command failed."},
    {AFX_IDP_FAILED_MEMORY_ALLOC, "Insufficient memory to perform operation."},
    {AFX_IDP_PARSE_INT, "Please enter an integer."},
    {AFX_IDP_PARSE_REAL, "Please enter a number."},
    {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
    {AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2."},
    {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
    {AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button."},
    {AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255."},
    {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
};

} // namespace

LPCTSTR AfxGetFrameworkString(UINT nID)
{
    for (const FrameworkString& entry : g_frameworkStrings)
        if (entry.nID == nID)
            return entry.text;
    return nullptr;
}

BOOL AfxLoadString(UINT nID, CString& rString)
{
    char buffer[1024];
    int nLength = ::LoadStringA(AfxGetResourceHandle(), nID, buffer, sizeof buffer);
    if (nLength > 0)
    {
        rString = CString(buffer, nLength);
        return TRUE;
    }
    LPCTSTR text = AfxGetFrameworkString(nID);
    rString = text != nullptr ? text : "";
    return text != nullptr;
}

CString AfxFormatString2(UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString format;
    AfxLoadString(nIDS, format);
    CString result;
    LPCTSTR p = format;
    while (*p != '\0')
    {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2'))
        {
            LPCTSTR arg = p[1] == '1' ? lpsz1 : lpsz2;
            result += arg != nullptr ? arg : "";
            p += 2;
        }
        else
        {
            result += *p;
            ++p;
        }
    }
    return result;
}
