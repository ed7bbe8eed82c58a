#include "grid/core/GridHint.h"

IMPLEMENT_DYNAMIC(CGXGridHint, CObject)

CGXGridHint::CGXGridHint(UINT nHintId, DWORD dwSenderId) : m_id(nHintId), m_dwSenderId(dwSenderId)
{
}
