#include "grid/formula/ErrorTexts.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ErrorTexts, TextsOfSampleCodes)
{
    struct Case
    {
        int code;
        const char* text;
    } cases[] = {
        {0, "unknown error"},
        {382, "unknown error"},
        {-1, "unknown error"},
        {100000, "unknown error"},
        {1, ""},
        {5, "out of memory"},
        {41, "\"#\" in primary expression"},
        {88, "hex number greater than 32 bits"},
        {148, "recursion too deep"},
        {210, "iterative calculcation not supported with \"As Needed\""},
        {223, "invalid character in formula"},
        {231, "expected to find \";\" here"},
        {236, "expected to find \"\\\" here"},
        {256, "expected to find \"||\" here"},
        {263, "expected to find \"..\" here"},
        {271, "expected to find the end of formula here"},
        {273, "expected to find a \".\" here"},
        {284, "internal error---unconsumed operands"},
        {297, "\"values\" \"dates\" series must have same dimentions"},
        {355, "ending line with a \\"},
        {381, "precompiled regular expression is invalid"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(ErrorText(c.code), c.text) << "code " << c.code;
}

// Exactly these codes have no text; every other code has one.
TEST(ErrorTexts, CodesWithoutText)
{
    const int emptyRanges[][2] = {
        {1, 4}, {8, 19}, {21, 38}, {167, 185}, {188, 204}, {206, 208}, {211, 212}, {215, 222},
        {224, 224}, {318, 320}, {325, 329}, {335, 351}, {359, 362}, {374, 376}, {378, 378},
    };
    int emptyCount = 0;
    for (int code = 0; code < GX_ERROR_TEXT_COUNT; ++code) {
        bool listed = false;
        for (const auto& range : emptyRanges)
            listed = listed || (code >= range[0] && code <= range[1]);
        ASSERT_NE(ErrorText(code), nullptr);
        EXPECT_EQ(std::strlen(ErrorText(code)) == 0, listed) << "code " << code;
        emptyCount += listed ? 1 : 0;
    }
    EXPECT_EQ(emptyCount, 117);
}
