#include "grid/core/MapDWordToString.h"

IMPLEMENT_SERIAL(CGXCollMapDWordToString, CObject, 0)

CGXCollMapDWordToString::CGXCollMapDWordToString(INT_PTR nBlockSize) : m_map(nBlockSize) {}

CGXCollMapDWordToString::~CGXCollMapDWordToString() = default;

void CGXCollMapDWordToString::SetAt(DWORD key, LPCTSTR pszValue)
{
    // The text may be the value's own buffer.
    const CString text(pszValue);
    CString& value = m_map[key];
    value.Empty();
    value = text;
}

void CGXCollMapDWordToString::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        GXCheckWordCount(GetCount());
        ar << static_cast<WORD>(GetCount());
        for (POSITION pos = GetStartPosition(); pos != NULL;)
        {
            const CAssoc* pAssoc = m_map.GetNextAssoc(pos);
            ar << pAssoc->key;
            ar << pAssoc->value;
        }
        return;
    }
    WORD nCount = 0;
    ar >> nCount;
    for (WORD i = 0; i < nCount; ++i)
    {
        DWORD key = 0;
        CString value;
        ar >> key;
        ar >> value;
        SetAt(key, value);
    }
}
