#include "grid/core/GridHint.h"

IMPLEMENT_DYNAMIC(CGXGridHint, CObject)

CGXGridHint::CGXGridHint(UINT nHintId, DWORD dwSenderId)
    : m_id(nHintId), dwWord1(0), dwWord2(0), m_dwSenderId(dwSenderId)
{
}
