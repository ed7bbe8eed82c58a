#include "grid/core/UserAttribute.h"

#include "framework/win/WinApp.h"

void CGXUserAttributeMap::WriteProfile(LPCTSTR pszSection) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CGXAbstractUserAttribute* pAttribute = GetAttributeAt(i);
        CString key;
        key.Format("UA%lu", static_cast<unsigned long>(pAttribute->GetId()));
        const CString value = pAttribute->GetValue();
        pApp->WriteProfileString(pszSection, key, value);
    }
}
