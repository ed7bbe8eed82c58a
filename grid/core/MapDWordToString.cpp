#include "grid/core/MapDWordToString.h"

#include <utility>
#include <vector>

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
    // All entries are read before the first goes in: a refused archive leaves the map as it was.
    WORD nCount = 0;
    ar >> nCount;
    std::vector<std::pair<DWORD, CString>> entries(nCount);
    for (auto& entry : entries)
    {
        ar >> entry.first;
        ar >> entry.second;
    }
    for (const auto& entry : entries)
        SetAt(entry.first, entry.second);
}
