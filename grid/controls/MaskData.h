#pragma once
// The input mask of the masked edit cell: parses a mask text into positions, holds the characters
// entered so far, tests and converts typed characters and does all position arithmetic. It has no
// window and knows nothing of the grid.
//
// Mask characters: '#' a digit, '&' any character, '?' a letter, 'A' a letter or digit, 'L' a letter
// turned to lower case, 'U' a letter turned to upper case; '\' makes the next character a literal;
// every other character (and every double-byte one) is a literal. Without a mask the object holds
// plain text up to its maximum length.
//
// Three texts are told apart: the display text (literals, entered characters and prompts, as
// shown), the entered characters (the input positions only, as a cell stores them), and a text with
// literals that is matched position by position. Positions are 0-based; ranges of positions run from
// nFrom up to, not including, nTo (-1: to the end).

#include "framework/core/Arrays.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

class CGXMaskData : public CObject
{
    DECLARE_DYNCREATE(CGXMaskData)

public:
    CGXMaskData();

    static const int kNoLimit = 0x7FFFFFFF;

    virtual void ClearMask();
    virtual void SetMask(LPCTSTR pszMask);
    // The entered characters of the input positions in the range, literals left out and prompts
    // given as spaces; with bTrimRight trailing blanks go. Without a mask, the plain text.
    virtual void GetData(CString& text, int nFrom = 0, int nTo = -1, BOOL bTrimRight = TRUE) const;
    // Puts entered characters (no literals) into the input positions from nPos on (-1: resets the
    // data and starts at the first position), overwriting or inserting; stops at the first
    // character that does not fit. The position after the last character placed; -1 when no input
    // position lies at or after nPos.
    virtual int PutInputText(LPCTSTR pszText, int nPos, BOOL bInsert);
    virtual void GetDisplayText(CString& text, int nFrom = 0, int nTo = -1) const;
    // Takes a text with literals from nPos on (-1: resets the data first): each character must be
    // the literal of its position or fit its input position. The position after the last character;
    // -1 at the first mismatch (what was placed before it stays).
    virtual int SetDisplayText(LPCTSTR pszText, int nPos, BOOL bInsert);
    // Whether the character (one or two bytes) may stand at the position; a space becomes the
    // prompt, and 'L' and 'U' positions convert the character's case in place.
    virtual BOOL IsValidChar(int nPos, CString& ch) const;
    // The first input position after nPos; nPos itself without mask positions or when nPos is at or
    // beyond the last position; -1 when only literals follow.
    virtual int NextInputPos(int nPos) const;
    // The last input position before nPos, or -1.
    virtual int PrevInputPos(int nPos) const;
    // Where the caret belongs for nPos: there when an entered character stands at or after it (or
    // just before it at the end), else just after the last entered character before it, else at the
    // first input position.
    virtual int GetCaretPos(int nPos) const;
    // Inserts at an input position, the entered characters from there on moving one input position
    // on; FALSE (nothing changed) when the last input position is not free. nNext gets the position
    // for the next character.
    virtual BOOL InsertChar(int nPos, const CString& ch, int& nNext);
    // Removes the characters of the input positions nStart up to nEnd; the entered characters after
    // them move left and the freed input positions at the end get the prompt.
    virtual void DeleteRange(int nEnd, int nStart);
    virtual BOOL IsValid() const;
    virtual BOOL IsMaskEmpty() const;
    virtual int GetLength() const;
    // Data positions to byte offsets of the display text and back (the same numbers unless the
    // system has double-byte character sets enabled).
    virtual int PosToByte(int nPos) const;
    virtual int ByteToPos(int nByte) const;
    virtual void ResetData();
    virtual int GetMaxLength() const;
    virtual void SetMaxLength(int nMaxLength);
    virtual BOOL IsMaskChar(const CString& ch) const;
    virtual BOOL IsLiteral(int nPos) const;

    // One byte, or two when the first is a double-byte lead byte; "" gives "_". FALSE (and nothing
    // changed) for anything longer. With bUpdateData input positions holding the old prompt take the
    // new one.
    BOOL SetPromptChar(LPCTSTR pszPrompt, BOOL bUpdateData = TRUE);
    const CString& GetPromptChar() const { return m_strPrompt; }
    // The mask position count.
    int GetMaskLength() const { return static_cast<int>(m_astrMask.GetSize()); }
    // The character stored at a data position ("" outside the data).
    CString GetAt(int nPos) const;

private:
    BOOL IsPlain() const { return m_bPlainText && m_astrMask.GetSize() == 0; }
    BOOL IsInputPos(int nPos) const;
    // The data sized to the mask (reset when it is not).
    void EnsureData();
    BOOL HoldsEntered(int nPos) const;

    CStringArray m_astrMask;
    CByteArray m_abLiteral;
    CStringArray m_astrData;
    CString m_strPrompt;
    BOOL m_bPlainText = TRUE;
    int m_nMaxLength = kNoLimit;
};

// The characters of a multibyte text one by one (a double-byte character as one string).
void GXSplitMbcs(LPCTSTR pszText, CStringArray& chars);
