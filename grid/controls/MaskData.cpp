#include "grid/controls/MaskData.h"

#include <mbctype.h>
#include <mbstring.h>

#include <cstring>
#include <vector>

IMPLEMENT_DYNCREATE(CGXMaskData, CObject)

void GXSplitMbcs(LPCTSTR pszText, CStringArray& chars)
{
    chars.RemoveAll();
    if (pszText == nullptr)
        return;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pszText);
    while (*p != 0)
    {
        // A lead byte at the very end stands alone: the text is never read past its end.
        const int nBytes = _ismbblead(*p) && p[1] != 0 ? 2 : 1;
        chars.Add(CString(reinterpret_cast<const char*>(p), nBytes));
        p += nBytes;
    }
}

namespace
{
// The code the multibyte classification functions take: one byte, or lead byte * 256 + trail byte.
unsigned int CharCode(const CString& ch)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(ch));
    if (ch.GetLength() >= 2)
        return (static_cast<unsigned int>(p[0]) << 8) | p[1];
    return ch.IsEmpty() ? 0 : p[0];
}

CString CharFromCode(unsigned int nCode)
{
    if (nCode > 0xFF)
    {
        const char both[2] = {static_cast<char>(nCode >> 8), static_cast<char>(nCode & 0xFF)};
        return CString(both, 2);
    }
    return CString(static_cast<char>(nCode), 1);
}

BOOL IsBlank(const CString& ch)
{
    return ch.GetLength() == 1 && (ch[0] == ' ' || ch[0] == '\t' || ch[0] == '\r' || ch[0] == '\n');
}
}  // namespace

CGXMaskData::CGXMaskData() : m_strPrompt("_")
{
}

// ---- Mask ----

void CGXMaskData::ClearMask()
{
    m_astrMask.RemoveAll();
    m_abLiteral.RemoveAll();
}

void CGXMaskData::SetMask(LPCTSTR pszMask)
{
    ClearMask();
    if (pszMask == nullptr || *pszMask == 0)
    {
        m_nMaxLength = kNoLimit;
        return;
    }
    CStringArray chars;
    GXSplitMbcs(pszMask, chars);
    for (INT_PTR i = 0; i < chars.GetSize(); ++i)
    {
        const CString& ch = chars[i];
        if (ch == "\\")
        {
            // A lone backslash at the end stands for itself.
            m_astrMask.Add(i + 1 < chars.GetSize() ? chars[++i] : ch);
            m_abLiteral.Add(1);
        }
        else
        {
            m_astrMask.Add(ch);
            m_abLiteral.Add(IsMaskChar(ch) ? 0 : 1);
        }
    }
}

BOOL CGXMaskData::IsMaskChar(const CString& ch) const
{
    return ch.GetLength() == 1 && std::strchr("#&?ALU", ch[0]) != nullptr;
}

BOOL CGXMaskData::IsMaskEmpty() const
{
    return m_astrMask.GetSize() == 0;
}

BOOL CGXMaskData::IsLiteral(int nPos) const
{
    return nPos >= 0 && nPos < m_abLiteral.GetSize() && m_abLiteral[nPos] != 0;
}

BOOL CGXMaskData::IsInputPos(int nPos) const
{
    return nPos >= 0 && nPos < m_abLiteral.GetSize() && m_abLiteral[nPos] == 0;
}

int CGXMaskData::GetMaxLength() const
{
    return m_nMaxLength;
}

void CGXMaskData::SetMaxLength(int nMaxLength)
{
    m_nMaxLength = nMaxLength;
}

BOOL CGXMaskData::SetPromptChar(LPCTSTR pszPrompt, BOOL bUpdateData)
{
    CString prompt = pszPrompt != nullptr ? pszPrompt : "";
    if (prompt.GetLength() > 2)
        return FALSE;
    if (prompt.GetLength() == 2 && !_ismbblead(static_cast<unsigned char>(prompt[0])))
        return FALSE;
    if (prompt.IsEmpty())
        prompt = "_";
    if (bUpdateData)
        for (INT_PTR i = 0; i < m_astrData.GetSize(); ++i)
            if (IsInputPos(static_cast<int>(i)) && m_astrData[i] == m_strPrompt)
                m_astrData[i] = prompt;
    m_strPrompt = prompt;
    return TRUE;
}

// ---- Data ----

void CGXMaskData::ResetData()
{
    m_astrData.RemoveAll();
    if (IsPlain())
        return;
    m_astrData.SetSize(m_astrMask.GetSize());
    for (INT_PTR i = 0; i < m_astrMask.GetSize(); ++i)
        m_astrData[i] = m_abLiteral[i] ? m_astrMask[i] : m_strPrompt;
}

void CGXMaskData::EnsureData()
{
    if (!IsPlain() && m_astrData.GetSize() != m_astrMask.GetSize())
        ResetData();
}

int CGXMaskData::GetLength() const
{
    return static_cast<int>(m_astrData.GetSize());
}

CString CGXMaskData::GetAt(int nPos) const
{
    return nPos >= 0 && nPos < m_astrData.GetSize() ? m_astrData[nPos] : CString();
}

BOOL CGXMaskData::HoldsEntered(int nPos) const
{
    return IsInputPos(nPos) && nPos < m_astrData.GetSize() && m_astrData[nPos] != m_strPrompt;
}

void CGXMaskData::GetData(CString& text, int nFrom, int nTo, BOOL bTrimRight) const
{
    text.Empty();
    const int nLength = GetLength();
    if (nFrom < 0)
        nFrom = 0;
    if (nTo < 0 || nTo > nLength)
        nTo = nLength;
    std::vector<CString> chars;
    for (int i = nFrom; i < nTo; ++i)
    {
        if (IsPlain())
            chars.push_back(m_astrData[i]);
        else if (IsInputPos(i))
            chars.push_back(m_astrData[i] == m_strPrompt ? CString(" ") : m_astrData[i]);
    }
    // Blanks are dropped character by character, so no trail byte of a double-byte character goes.
    if (bTrimRight)
        while (!chars.empty() && IsBlank(chars.back()))
            chars.pop_back();
    for (const CString& ch : chars)
        text += ch;
}

void CGXMaskData::GetDisplayText(CString& text, int nFrom, int nTo) const
{
    text.Empty();
    const int nLength = GetLength();
    if (nFrom < 0)
        nFrom = 0;
    if (nTo < 0 || nTo > nLength)
        nTo = nLength;
    for (int i = nFrom; i < nTo; ++i)
        text += m_astrData[i];
}

BOOL CGXMaskData::IsValidChar(int nPos, CString& ch) const
{
    if (IsPlain())
        return TRUE;
    if (!IsInputPos(nPos))
        return FALSE;
    if (ch == " ")
    {
        ch = m_strPrompt;
        return TRUE;
    }
    if (ch == m_strPrompt)
        return TRUE;
    const unsigned int nCode = CharCode(ch);
    if (nCode == 0)
        return FALSE;
    switch (m_astrMask[nPos][0])
    {
    case '#':
        return _ismbcdigit(nCode) != 0;
    case '&':
        return TRUE;
    case '?':
        return _ismbcalpha(nCode) != 0;
    case 'A':
        return _ismbcalnum(nCode) != 0;
    case 'L':
        if (!_ismbcalpha(nCode))
            return FALSE;
        ch = CharFromCode(_mbctolower(nCode));
        return TRUE;
    case 'U':
        if (!_ismbcalpha(nCode))
            return FALSE;
        ch = CharFromCode(_mbctoupper(nCode));
        return TRUE;
    default:
        return FALSE;
    }
}

int CGXMaskData::NextInputPos(int nPos) const
{
    const int nCount = GetMaskLength();
    if (nCount == 0 || nPos >= nCount - 1)
        return nPos;
    for (int i = nPos < 0 ? 0 : nPos + 1; i < nCount; ++i)
        if (IsInputPos(i))
            return i;
    return -1;
}

int CGXMaskData::PrevInputPos(int nPos) const
{
    const int nCount = GetMaskLength();
    for (int i = (nPos > nCount ? nCount : nPos) - 1; i >= 0; --i)
        if (IsInputPos(i))
            return i;
    return -1;
}

int CGXMaskData::GetCaretPos(int nPos) const
{
    if (IsPlain())
    {
        const int nLength = GetLength();
        return nPos < 0 ? 0 : (nPos > nLength ? nLength : nPos);
    }
    const int nCount = GetMaskLength();
    if (nPos < 0)
        nPos = 0;
    if (nPos > nCount)
        nPos = nCount;
    // The first input position at or after nPos, or (at the end) the last one before it.
    int nProbe = -1;
    for (int i = nPos; i < nCount && nProbe < 0; ++i)
        if (IsInputPos(i))
            nProbe = i;
    if (nProbe < 0 && nPos == nCount)
        nProbe = PrevInputPos(nCount);
    if (nProbe >= 0 && HoldsEntered(nProbe))
        return nPos;
    for (int i = nPos - 1; i >= 0; --i)
        if (HoldsEntered(i))
            return i + 1;
    const int nFirst = NextInputPos(-1);
    return nFirst >= 0 ? nFirst : nPos;
}

BOOL CGXMaskData::InsertChar(int nPos, const CString& ch, int& nNext)
{
    nNext = -1;
    if (IsPlain())
    {
        if (GetLength() >= m_nMaxLength || nPos < 0)
            return FALSE;
        if (nPos > GetLength())
            nPos = GetLength();
        m_astrData.InsertAt(nPos, ch);
        nNext = nPos + 1;
        return TRUE;
    }
    const int nCount = GetMaskLength();
    if (nPos < 0 || nPos >= nCount)
        return FALSE;
    EnsureData();
    if (!IsInputPos(nPos))
    {
        nPos = NextInputPos(nPos);
        if (!IsInputPos(nPos))
            return FALSE;
    }
    std::vector<int> inputs;
    for (int i = nPos; i < nCount; ++i)
        if (IsInputPos(i))
            inputs.push_back(i);
    // No room: the last input position holds an entered character.
    if (m_astrData[inputs.back()] != m_strPrompt)
        return FALSE;
    for (size_t i = inputs.size() - 1; i > 0; --i)
        m_astrData[inputs[i]] = m_astrData[inputs[i - 1]];
    m_astrData[nPos] = ch;
    nNext = inputs.size() > 1 ? inputs[1] : nPos + 1;
    return TRUE;
}

void CGXMaskData::DeleteRange(int nEnd, int nStart)
{
    if (nStart < 0)
        nStart = 0;
    if (IsPlain())
    {
        if (nEnd > GetLength())
            nEnd = GetLength();
        if (nEnd > nStart)
            m_astrData.RemoveAt(nStart, nEnd - nStart);
        return;
    }
    EnsureData();
    const int nCount = GetMaskLength();
    std::vector<int> inputs;
    std::vector<CString> kept;
    for (int i = nStart; i < nCount; ++i)
    {
        if (!IsInputPos(i))
            continue;
        inputs.push_back(i);
        if (i >= nEnd)
            kept.push_back(m_astrData[i]);
    }
    for (size_t i = 0; i < inputs.size(); ++i)
        m_astrData[inputs[i]] = i < kept.size() ? kept[i] : m_strPrompt;
}

int CGXMaskData::PutInputText(LPCTSTR pszText, int nPos, BOOL bInsert)
{
    if (IsPlain())
        return SetDisplayText(pszText, nPos, bInsert);
    if (nPos == -1)
    {
        ResetData();
        nPos = 0;
    }
    const int nCount = GetMaskLength();
    if (nPos < 0 || nPos >= nCount)
        return -1;
    EnsureData();
    if (!IsInputPos(nPos))
    {
        nPos = NextInputPos(nPos);
        if (!IsInputPos(nPos))
            return -1;
    }
    CStringArray chars;
    GXSplitMbcs(pszText, chars);
    for (INT_PTR i = 0; i < chars.GetSize(); ++i)
    {
        while (nPos < nCount && IsLiteral(nPos))
            ++nPos;
        if (nPos >= nCount)
            break;
        CString ch = chars[i];
        if (!IsValidChar(nPos, ch))
            break;
        if (bInsert)
        {
            int nNext = -1;
            if (!InsertChar(nPos, ch, nNext))
                break;
            nPos = nNext;
        }
        else
            m_astrData[nPos++] = ch;
    }
    return nPos;
}

int CGXMaskData::SetDisplayText(LPCTSTR pszText, int nPos, BOOL bInsert)
{
    if (nPos == -1)
    {
        ResetData();
        nPos = 0;
    }
    if (nPos < 0)
        return -1;
    CStringArray chars;
    GXSplitMbcs(pszText, chars);
    if (IsPlain())
    {
        if (!bInsert)
        {
            if (nPos > GetLength())
                nPos = GetLength();
            if (nPos + chars.GetSize() > GetLength())
                m_astrData.SetSize(nPos + chars.GetSize());
        }
        for (INT_PTR i = 0; i < chars.GetSize(); ++i)
        {
            if (bInsert)
            {
                int nNext = -1;
                if (!InsertChar(nPos, chars[i], nNext))
                    return -1;
                nPos = nNext;
            }
            else
                m_astrData[nPos++] = chars[i];
        }
        if (GetLength() > m_nMaxLength)
            m_astrData.SetSize(m_nMaxLength);
        return nPos > m_nMaxLength ? m_nMaxLength : nPos;
    }

    const int nCount = GetMaskLength();
    EnsureData();
    for (INT_PTR i = 0; i < chars.GetSize() && nPos < nCount; ++i)
    {
        CString ch = chars[i];
        if (IsLiteral(nPos))
        {
            if (ch != m_astrMask[nPos])
                return -1;
            ++nPos;
            continue;
        }
        if (!IsValidChar(nPos, ch))
            return -1;
        // The text lines up with the positions one by one, inserted or not.
        if (bInsert)
        {
            int nNext = -1;
            if (!InsertChar(nPos, ch, nNext))
                return -1;
        }
        else
            m_astrData[nPos] = ch;
        ++nPos;
    }
    m_astrData.SetSize(nCount);
    return nPos;
}

BOOL CGXMaskData::IsValid() const
{
    if (IsPlain())
        return GetLength() <= m_nMaxLength;
    const int nCount = GetMaskLength();
    if (GetLength() != nCount)
        return FALSE;
    for (int i = 0; i < nCount; ++i)
    {
        if (IsLiteral(i))
        {
            if (m_astrData[i] != m_astrMask[i])
                return FALSE;
        }
        else
        {
            CString ch = m_astrData[i];
            if (!IsValidChar(i, ch))
                return FALSE;
        }
    }
    return TRUE;
}

// ---- Byte offsets ----

int CGXMaskData::PosToByte(int nPos) const
{
    if (!::GetSystemMetrics(SM_DBCSENABLED))
        return nPos;
    int nBytes = 0;
    for (int i = 0; i < nPos; ++i)
        nBytes += i < GetLength() ? m_astrData[i].GetLength() : 1;
    return nBytes;
}

int CGXMaskData::ByteToPos(int nByte) const
{
    if (!::GetSystemMetrics(SM_DBCSENABLED))
        return nByte;
    int nBytes = 0;
    int nPos = 0;
    while (nBytes < nByte)
    {
        nBytes += nPos < GetLength() ? m_astrData[nPos].GetLength() : 1;
        ++nPos;
    }
    return nPos;
}
