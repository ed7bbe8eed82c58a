// The input mask: parsing, the three texts, the character test, insertion and deletion, caret
// positions, prompts and plain text.
#include "grid/controls/MaskData.h"

#include <gtest/gtest.h>

namespace
{
const char kPhone[] = "(###) ####";

CString Display(const CGXMaskData& data)
{
    CString text;
    data.GetDisplayText(text);
    return text;
}

CString Entered(const CGXMaskData& data)
{
    CString text;
    data.GetData(text);
    return text;
}

// The phone mask with the given characters entered.
struct Phone : CGXMaskData
{
    explicit Phone(LPCTSTR pszEntered = nullptr)
    {
        SetMask(kPhone);
        ResetData();
        if (pszEntered != nullptr)
            PutInputText(pszEntered, -1, FALSE);
    }
};
}  // namespace

TEST(CGXMaskData, APhoneMaskHasTenPositionsAndShowsPromptsBetweenItsLiterals)
{
    Phone data;
    EXPECT_EQ(data.GetLength(), 10);
    EXPECT_EQ(Display(data), "(___) ____");
    EXPECT_EQ(Entered(data), "");
    EXPECT_TRUE(data.IsValid());
}

TEST(CGXMaskData, EnteredCharactersFillTheInputPositionsAndComeBackWithoutLiterals)
{
    struct Case
    {
        const char* pszInput;
        const char* pszDisplay;
        const char* pszEntered;
        int nNext;
    } cases[] = {
        {"1234567", "(123) 4567", "1234567", 10},
        {"12", "(12_) ____", "12", 3},
        {"1234", "(123) 4___", "1234", 7},
        {"12x45", "(12_) ____", "12", 3},      // the first refused character ends the input
        {"123456789", "(123) 4567", "1234567", 10},
        {"1 3", "(1_3) ____", "1 3", 4},       // a space leaves a prompt, read back as a space
        {"", "(___) ____", "", 1},
    };
    for (const Case& c : cases)
    {
        Phone data;
        EXPECT_EQ(data.PutInputText(c.pszInput, -1, FALSE), c.nNext) << c.pszInput;
        EXPECT_EQ(Display(data), c.pszDisplay) << c.pszInput;
        EXPECT_EQ(Entered(data), c.pszEntered) << c.pszInput;
    }
}

TEST(CGXMaskData, ADisplayTextMustMatchTheLiteralsPositionByPosition)
{
    struct Case
    {
        const char* pszText;
        int nResult;
        const char* pszEntered;
    } cases[] = {
        {"(123) 4567", 10, "1234567"},
        {"(12_) ____", 10, "12"},
        {"(98", 3, "98"},
        {"123) 4567", -1, ""},      // no parenthesis at the first position
        {"(12a) 4567", -1, "12"},   // what was placed before the mismatch stays
        {"(123)-4567", -1, "123"},
    };
    for (const Case& c : cases)
    {
        Phone data;
        EXPECT_EQ(data.SetDisplayText(c.pszText, -1, FALSE), c.nResult) << c.pszText;
        EXPECT_EQ(Entered(data), c.pszEntered) << c.pszText;
    }
    // Inserting, the literals are stepped over and the entered characters move on.
    Phone data("12");
    EXPECT_EQ(data.SetDisplayText("(98", 0, TRUE), 3);
    EXPECT_EQ(Display(data), "(981) 2___");
    EXPECT_EQ(data.SetDisplayText(") 7", 4, TRUE), 7);
    EXPECT_EQ(Display(data), "(981) 72__");
}

TEST(CGXMaskData, BackslashMakesTheNextCharacterALiteral)
{
    struct Case
    {
        const char* pszMask;
        const char* pszEmptyDisplay;
        const char* pszInput;
        const char* pszDisplay;
    } cases[] = {
        {"\\##", "#_", "5", "#5"},
        {"\\\\#", "\\_", "7", "\\7"},
        {"#\\", "_\\", "3", "3\\"},    // a lone backslash at the end is a literal backslash
        {"a#l", "a_l", "4", "a4l"},    // lower-case mask letters are literals
    };
    for (const Case& c : cases)
    {
        CGXMaskData data;
        data.SetMask(c.pszMask);
        data.ResetData();
        EXPECT_EQ(Display(data), c.pszEmptyDisplay) << c.pszMask;
        data.PutInputText(c.pszInput, -1, FALSE);
        EXPECT_EQ(Display(data), c.pszDisplay) << c.pszMask;
        EXPECT_EQ(Entered(data), c.pszInput) << c.pszMask;
    }
    CGXMaskData escaped;
    escaped.SetMask("\\##");
    EXPECT_EQ(escaped.GetMaskLength(), 2);
    EXPECT_TRUE(escaped.IsLiteral(0));
    EXPECT_FALSE(escaped.IsLiteral(1));
}

TEST(CGXMaskData, EachMaskCharacterAcceptsItsClassAndConvertsCase)
{
    struct Case
    {
        const char* pszMask;
        const char* pszChar;
        BOOL bValid;
        const char* pszAfter;
    } cases[] = {
        {"#", "7", TRUE, "7"},  {"#", "a", FALSE, "a"}, {"?", "q", TRUE, "q"},  {"?", "5", FALSE, "5"},
        {"A", "Z", TRUE, "Z"},  {"A", "9", TRUE, "9"},  {"A", "-", FALSE, "-"}, {"&", "-", TRUE, "-"},
        {"L", "Q", TRUE, "q"},  {"L", "3", FALSE, "3"}, {"U", "q", TRUE, "Q"},  {"U", "Q", TRUE, "Q"},
        {"#", " ", TRUE, "_"},  {"A", "_", TRUE, "_"},  {"(", "(", FALSE, "("},
    };
    for (const Case& c : cases)
    {
        CGXMaskData data;
        data.SetMask(c.pszMask);
        CString ch = c.pszChar;
        EXPECT_EQ(data.IsValidChar(0, ch), c.bValid) << c.pszMask << " " << c.pszChar;
        EXPECT_EQ(ch, c.pszAfter) << c.pszMask << " " << c.pszChar;
    }
    CGXMaskData data;
    data.SetMask("LU");
    data.PutInputText("Ab", -1, FALSE);
    EXPECT_EQ(Display(data), "aB");
    CString outside = "1";
    EXPECT_FALSE(data.IsValidChar(2, outside));
    EXPECT_FALSE(data.IsValidChar(-1, outside));
}

TEST(CGXMaskData, InsertingShiftsTheEnteredCharactersUntilTheMaskIsFull)
{
    Phone data("12");
    int nNext = -1;
    ASSERT_TRUE(data.InsertChar(1, "9", nNext));
    EXPECT_EQ(Display(data), "(912) ____");
    EXPECT_EQ(nNext, 2);
    ASSERT_TRUE(data.InsertChar(3, "8", nNext));
    EXPECT_EQ(Display(data), "(918) 2___");
    EXPECT_EQ(nNext, 6);   // the literals are stepped over

    Phone full("1234567");
    EXPECT_FALSE(full.InsertChar(1, "0", nNext));
    EXPECT_EQ(nNext, -1);
    EXPECT_EQ(Display(full), "(123) 4567");

    // Inserting entered characters from a text stops where the mask is full.
    Phone nearlyFull("123456");
    EXPECT_EQ(nearlyFull.PutInputText("89", 1, TRUE), 2);
    EXPECT_EQ(Display(nearlyFull), "(812) 3456");
}

TEST(CGXMaskData, DeletingMovesTheFollowingCharactersLeftAndFreesTheEnd)
{
    struct Case
    {
        int nStart, nEnd;
        const char* pszDisplay;
    } cases[] = {
        {1, 3, "(345) 67__"},
        {3, 7, "(125) 67__"},   // the literals in the range stay
        {9, 10, "(123) 456_"},
        {1, 10, "(___) ____"},
        {4, 4, "(123) 4567"},
    };
    for (const Case& c : cases)
    {
        Phone data("1234567");
        data.DeleteRange(c.nEnd, c.nStart);
        EXPECT_EQ(Display(data), c.pszDisplay) << c.nStart << ".." << c.nEnd;
    }
}

TEST(CGXMaskData, InputPositionsAndCaretPositionsSkipTheLiterals)
{
    Phone data("12");
    struct Case
    {
        int nPos, nNext, nPrev;
    } steps[] = {{-1, 1, -1}, {0, 1, -1}, {1, 2, -1}, {3, 6, 2}, {4, 6, 3}, {8, 9, 7}, {9, 9, 8}, {10, 10, 9}};
    for (const Case& c : steps)
    {
        EXPECT_EQ(data.NextInputPos(c.nPos), c.nNext) << c.nPos;
        EXPECT_EQ(data.PrevInputPos(c.nPos), c.nPrev) << c.nPos;
    }
    CGXMaskData closing;
    closing.SetMask("##)-");
    EXPECT_EQ(closing.NextInputPos(1), -1);   // only literals follow

    struct Caret
    {
        const char* pszEntered;
        int nPos, nCaret;
    } carets[] = {
        {"12", 10, 3},        // after the last entered character
        {"12", 2, 2},         // on an entered character
        {"12", 7, 3},
        {"", 10, 1},          // nothing entered: the first input position
        {"1234567", 10, 10},  // at the end just after an entered character
    };
    for (const Caret& c : carets)
        EXPECT_EQ(Phone(c.pszEntered).GetCaretPos(c.nPos), c.nCaret) << c.pszEntered << " " << c.nPos;
}

TEST(CGXMaskData, APromptIsOneCharacterAndCanReplaceTheShownOne)
{
    Phone data("1");
    EXPECT_FALSE(data.SetPromptChar("abc"));
    EXPECT_EQ(data.GetPromptChar(), "_");
    EXPECT_FALSE(data.SetPromptChar("ab"));   // two bytes only for a double-byte character
    EXPECT_TRUE(data.SetPromptChar("*"));
    EXPECT_EQ(Display(data), "(1**) ****");
    EXPECT_EQ(Entered(data), "1");
    EXPECT_TRUE(data.SetPromptChar(""));
    EXPECT_EQ(data.GetPromptChar(), "_");
    EXPECT_EQ(Display(data), "(1__) ____");
    EXPECT_TRUE(data.SetPromptChar("#", FALSE));
    EXPECT_EQ(Display(data), "(1__) ____");
}

TEST(CGXMaskData, DataThatDoesNotMatchItsMaskIsNotValid)
{
    Phone data("12");
    EXPECT_TRUE(data.IsValid());
    data.SetMask("###");   // the data keeps the old positions until it is reset
    EXPECT_FALSE(data.IsValid());
    data.ResetData();
    EXPECT_TRUE(data.IsValid());
    EXPECT_EQ(data.GetLength(), 3);
}

TEST(CGXMaskData, WithoutAMaskEveryCharacterIsTakenUpToTheMaximumLength)
{
    CGXMaskData data;
    data.SetMask("");
    EXPECT_TRUE(data.IsMaskEmpty());
    EXPECT_EQ(data.GetMaxLength(), 0x7FFFFFFF);
    CString ch = "%";
    EXPECT_TRUE(data.IsValidChar(5, ch));
    EXPECT_EQ(data.PutInputText("a-b(c)", -1, FALSE), 6);
    EXPECT_EQ(Display(data), "a-b(c)");
    EXPECT_EQ(Entered(data), "a-b(c)");
    EXPECT_FALSE(data.IsLiteral(0));

    data.SetMaxLength(3);
    EXPECT_EQ(data.PutInputText("abcdef", -1, FALSE), 3);
    EXPECT_EQ(Entered(data), "abc");
    int nNext = -1;
    EXPECT_FALSE(data.InsertChar(1, "x", nNext));
    data.DeleteRange(2, 1);
    EXPECT_EQ(Entered(data), "ac");
    ASSERT_TRUE(data.InsertChar(1, "x", nNext));
    EXPECT_EQ(Entered(data), "axc");
    EXPECT_EQ(nNext, 2);
    EXPECT_TRUE(data.IsValid());
}

TEST(CGXMaskData, RangesOfTheTextsStopAtTheGivenPosition)
{
    Phone data("1234567");
    CString text;
    data.GetDisplayText(text, 1, 4);
    EXPECT_EQ(text, "123");
    data.GetData(text, 3, 7);
    EXPECT_EQ(text, "34");
    data.GetData(text, 0, 99);
    EXPECT_EQ(text, "1234567");
    Phone partly("1");
    partly.GetData(text, 0, -1, FALSE);
    EXPECT_EQ(text, "1      ");
}

TEST(CGXMaskData, IsCreatedFromItsRuntimeClass)
{
    CObject* pObject = RUNTIME_CLASS(CGXMaskData)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CGXMaskData)));
    delete pObject;
}
