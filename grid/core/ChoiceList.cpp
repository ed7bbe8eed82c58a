// Choice lists of the drawing toolbox: one entry per line (CR, LF or CR LF), fields split by tabs.
#include "grid/core/DrawingAndFormatting.h"

#include <algorithm>
#include <cstring>
#include <mbstring.h>
#include <vector>

namespace
{
// Field buffers of the search and the sort: 127 characters and the terminating zero.
const int kFieldBufferSize = 128;

const unsigned char* Mb(LPCTSTR psz) { return reinterpret_cast<const unsigned char*>(psz); }
}  // namespace

void CGXDrawingAndFormatting::GetTabbedField(LPCTSTR pszEntry, int nField, LPTSTR pszBuffer, int nBufferSize)
{
    if (pszBuffer == nullptr || nBufferSize <= 0)
        return;
    pszBuffer[0] = '\0';
    if (pszEntry == nullptr)
        return;
    LPCTSTR p = pszEntry;
    for (int i = 0; i < nField; ++i)
    {
        p = std::strchr(p, '\t');
        if (p == nullptr)
            return;
        ++p;
    }
    int nCopied = 0;
    while (p[nCopied] != '\0' && p[nCopied] != '\t')
    {
        const int nChar = (::IsDBCSLeadByte(static_cast<BYTE>(p[nCopied])) && p[nCopied + 1] != '\0') ? 2 : 1;
        // A double-byte character that does not fit whole is left out rather than cut.
        if (nCopied + nChar > nBufferSize - 1)
            break;
        nCopied += nChar;
    }
    std::memcpy(pszBuffer, p, static_cast<size_t>(nCopied));
    pszBuffer[nCopied] = '\0';
}

CString CGXDrawingAndFormatting::GetTabbedField(LPCTSTR pszEntry, int nField)
{
    if (pszEntry == nullptr)
        return CString();
    CString field;
    const int nSize = static_cast<int>(std::strlen(pszEntry)) + 1;
    std::vector<char> buffer(static_cast<size_t>(nSize));
    GetTabbedField(pszEntry, nField, buffer.data(), nSize);
    field = buffer.data();
    return field;
}

int CGXDrawingAndFormatting::CutFirstLine(CString& sList, CString& sLine)
{
    const int nBreak = sList.FindOneOf("\r\n");
    if (nBreak < 0)
    {
        sLine = sList;
        return -1;
    }
    sLine = sList.Left(nBreak);
    int nNext = nBreak + 1;
    if (sList[nBreak] == '\r' && nNext < sList.GetLength() && sList[nNext] == '\n')
        ++nNext;
    sList = sList.Mid(nNext);
    return nBreak;
}

int CGXDrawingAndFormatting::FindChoiceListItem(LPCTSTR pszText, int nField, LPCTSTR pszChoiceList, BOOL bExact,
                                                BOOL bSkipFirstLine)
{
    if (pszText == nullptr || pszChoiceList == nullptr)
        return -1;
    const size_t nTextLength = std::strlen(pszText);
    CString list = pszChoiceList;
    CString line;
    int nIndex = 0;
    bool bFirst = true;
    bool bMore = !list.IsEmpty();
    while (bMore)
    {
        bMore = CutFirstLine(list, line) >= 0;
        if (!bMore)
            list.Empty();
        if (bFirst && bSkipFirstLine)
        {
            bFirst = false;
            continue;
        }
        bFirst = false;
        char field[kFieldBufferSize];
        LPCTSTR pszField = line;
        if (nField >= 0)
        {
            GetTabbedField(line, nField, field, kFieldBufferSize);
            pszField = field;
        }
        const bool bMatch = bExact ? std::strcmp(pszField, pszText) == 0
                                   : _mbsnbicmp(Mb(pszField), Mb(pszText), nTextLength) == 0;
        if (bMatch)
            return nIndex;
        ++nIndex;
    }
    return -1;
}

int CGXDrawingAndFormatting::CompareChoiceLines(LPCTSTR pszLine1, LPCTSTR pszLine2, int nField)
{
    if (nField < 1)
        return _mbsicmp(Mb(pszLine1), Mb(pszLine2));
    char field1[kFieldBufferSize];
    char field2[kFieldBufferSize];
    GetTabbedField(pszLine1, nField, field1, kFieldBufferSize);
    GetTabbedField(pszLine2, nField, field2, kFieldBufferSize);
    return _mbsicmp(Mb(field1), Mb(field2));
}

void CGXDrawingAndFormatting::SortChoiceList(CString& sList, int nField, BOOL bKeepFirstLine)
{
    CString list = sList;
    CString firstLine;
    bool bHasFirst = false;
    if (bKeepFirstLine && !list.IsEmpty())
    {
        if (CutFirstLine(list, firstLine) < 0)
            list.Empty();
        bHasFirst = true;
    }
    std::vector<CString> lines;
    while (!list.IsEmpty())
    {
        CString line;
        if (CutFirstLine(list, line) < 0)
            list.Empty();
        lines.push_back(line);
    }
    // The field index travels with the comparison, so sorts need no shared state.
    std::sort(lines.begin(), lines.end(), [nField](const CString& a, const CString& b) {
        return CompareChoiceLines(a, b, nField) < 0;
    });
    CString result;
    if (bHasFirst)
        result = firstLine + "\r\n";
    for (const CString& line : lines)
        result += line + "\r\n";
    sList = result;
}
