#include "grid/formula/EngineMemory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "grid/formula/EngineText.h"

TEST(EngineMemory, RegistryHoldsEachBlockOnce)
{
    INT_PTR before = CountEngineBlocks();
    void* block = EngineAlloc(16);
    EXPECT_EQ(CountEngineBlocks(), before + 1);
    RegisterEngineBlock(block);
    EXPECT_EQ(CountEngineBlocks(), before + 1);
    ReleaseEngineBlock(block);
    EXPECT_EQ(CountEngineBlocks(), before);

    // An unregistered block is freed all the same.
    void* outside = std::malloc(8);
    ReleaseEngineBlock(outside);
    ReleaseEngineBlock(nullptr);
    EXPECT_EQ(CountEngineBlocks(), before);
}

TEST(EngineText, DuplicatesAreTracked)
{
    EXPECT_EQ(DuplicateText(nullptr), nullptr);
    INT_PTR before = CountEngineBlocks();
    char* copy = DuplicateText("text");
    EXPECT_STREQ(copy, "text");
    EXPECT_EQ(CountEngineBlocks(), before + 1);
    EngineFree(copy);

    char* eight = DuplicateEightChars("abcdefghij");
    EXPECT_STREQ(eight, "abcdefgh");
    EngineFree(eight);
    char* shortOne = DuplicateEightChars("ab");
    EXPECT_STREQ(shortOne, "ab");
    EngineFree(shortOne);
    EXPECT_EQ(CountEngineBlocks(), before);
}

TEST(EngineText, CopyEightChars)
{
    char buffer[10];
    std::memset(buffer, 'x', sizeof buffer);
    CopyEightChars(buffer, "abc", FALSE);
    EXPECT_EQ(std::string(buffer, 9), std::string("abc\0\0\0\0\0x", 9));
    CopyEightChars(buffer, "0123456789", TRUE);
    EXPECT_EQ(std::string(buffer, 9), std::string("01234567\0", 9));
}

TEST(EngineText, SmallHelpers)
{
    struct HexCase
    {
        int c;
        int value;
    } hexCases[] = {{'0', 0}, {'9', 9}, {'a', 10}, {'F', 15}, {'g', -1}, {' ', -1}};
    for (const HexCase& c : hexCases)
        EXPECT_EQ(HexDigitValue(c.c), c.value) << char(c.c);

    char upper[] = "Sum_of.x1";
    UpperCaseText(upper);
    EXPECT_STREQ(upper, "SUM_OF.X1");

    struct TrimCase
    {
        const char* text;
        const char* trimmed;
    } trimCases[] = {{"abc  \t", "abc"}, {"   ", " "}, {"a b", "a b"}, {"", ""}};
    for (const TrimCase& c : trimCases) {
        char buffer[16];
        std::strcpy(buffer, c.text);
        TrimTrailingSpaces(buffer);
        EXPECT_STREQ(buffer, c.trimmed) << "'" << c.text << "'";
    }
}
