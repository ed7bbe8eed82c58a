#include "chart/model/GraphException.h"

#include "chart/model/ChartResourceIds.h"
#include "framework/core/CString.h"
#include "framework/win/Seams.h"

IMPLEMENT_DYNCREATE(QVGraphException, CException)

namespace {
// Error code -> string-table id; the index is the code.
const UINT kMessageIds[] = {
    IDS_QVG_ERR_NO_INFO,         IDS_QVG_ERR_DESCRIPTION,  IDS_QVG_ERR_GROUP_RANGE,   IDS_QVG_ERR_INDEX_RANGE,
    IDS_QVG_ERR_DYNAMIC,         IDS_QVG_ERR_INCOMPATIBLE_DATA, IDS_QVG_ERR_NO_BUFFER, IDS_QVG_ERR_NULL_VALUE,
    IDS_QVG_ERR_TPL_COMPONENT,   IDS_QVG_ERR_TPL_FILL,     IDS_QVG_ERR_TPL_FONT,      IDS_QVG_ERR_TPL_LEGEND,
    IDS_QVG_ERR_TPL_DATA,        IDS_QVG_ERR_TPL_UNKNOWN,  IDS_QVG_ERR_TPL_BORDER,    IDS_QVG_ERR_DATA_TYPE,
    IDS_QVG_ERR_TPL_COMMAND,     IDS_QVG_ERR_LABEL_AREA,   IDS_QVG_ERR_OUTSIDE_DRAW,  IDS_QVG_ERR_POLYGON,
    IDS_QVG_ERR_SYMBOL,          IDS_QVG_ERR_GRAPH_TYPE,   IDS_QVG_ERR_LOG_SCALE,     IDS_QVG_ERR_EVEN_COUNT,
};
const int kKnownCodes = int(sizeof kMessageIds / sizeof kMessageIds[0]);
}  // namespace

QVGraphException::QVGraphException(int nErrorCode) : m_nErrorCode(nErrorCode) {}

UINT QVGraphException::GetDefaultMessageId() const
{
    return IDS_QVG_ERR_UNDEFINED;
}

UINT QVGraphException::GetMessageId() const
{
    if (m_nErrorCode >= 0 && m_nErrorCode < kKnownCodes)
        return kMessageIds[m_nErrorCode];
    return GetDefaultMessageId();
}

BOOL QVGraphException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CString text;
    if (m_nErrorCode != 0 && text.LoadString(GetMessageId())) {
        if (pnHelpContext != NULL)
            *pnHelpContext = GetMessageId();
        if (lpszError != NULL && nMaxError > 0)
            lstrcpynA(lpszError, text, int(nMaxError));
        return TRUE;
    }
    if (lpszError != NULL && nMaxError > 0)
        lpszError[0] = '\0';
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return FALSE;
}

int QVGraphException::ReportError(UINT, UINT)
{
    char message[256];
    GetErrorMessage(message, sizeof message);
    return AfxMessageBox(message, MB_ICONEXCLAMATION);
}

void RaiseChartError(int nErrorCode)
{
    throw new QVGraphException(nErrorCode);
}
