#include <gtest/gtest.h>

#include <vector>

#include "framework/core/Collections.h"
#include "framework/core/Exceptions.h"

#include "CollectionTestSupport.h"

namespace {

std::vector<DWORD> Contents(const CDWordArray& array)
{
    std::vector<DWORD> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        values.push_back(array[i]);
    return values;
}

void Fill(CDWordArray& array, std::initializer_list<DWORD> values)
{
    array.RemoveAll();
    for (DWORD value : values)
        array.Add(value);
}

}  // namespace

TEST(ArraysTest, SetSizeZeroesNewElementsAndKeepsOldOnes)
{
    CDWordArray array;
    Fill(array, {7, 8});
    array.SetSize(5);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{7, 8, 0, 0, 0}));
    EXPECT_EQ(array.GetUpperBound(), 4);
    EXPECT_EQ(array.GetCount(), 5);

    array.SetSize(1);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{7}));
    array.SetSize(0);
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetUpperBound(), -1);
    EXPECT_EQ(array.GetData(), nullptr);
}

TEST(ArraysTest, SetAtGrowFillsTheGapWithZeroes)
{
    CPtrArray array;
    int marker = 0;
    array.SetAtGrow(3, &marker);
    ASSERT_EQ(array.GetSize(), 4);
    EXPECT_EQ(array[0], nullptr);
    EXPECT_EQ(array[2], nullptr);
    EXPECT_EQ(array[3], &marker);
    array.SetAtGrow(1, &marker);
    EXPECT_EQ(array.GetSize(), 4);
    EXPECT_EQ(array[1], &marker);
}

TEST(ArraysTest, InsertAtShiftsTheRestAndGrowsPastTheEnd)
{
    CDWordArray array;
    Fill(array, {1, 2, 3});
    array.InsertAt(1, 9, 2);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1, 9, 9, 2, 3}));
    array.InsertAt(7, 5);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1, 9, 9, 2, 3, 0, 0, 5}));
    array.InsertAt(0, array[2]);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{9, 1, 9, 9, 2, 3, 0, 0, 5}));
}

TEST(ArraysTest, InsertAtOfAnArrayInsertsAllItsElements)
{
    CDWordArray array, other;
    Fill(array, {1, 2});
    Fill(other, {5, 6});
    array.InsertAt(1, &other);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1, 5, 6, 2}));
    array.InsertAt(4, &array);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1, 5, 6, 2, 1, 5, 6, 2}));
}

TEST(ArraysTest, RemoveAtRemovesARun)
{
    CDWordArray array;
    Fill(array, {1, 2, 3, 4, 5});
    array.RemoveAt(1, 3);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1, 5}));
    array.RemoveAt(1);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1}));
    array.RemoveAt(0, 0);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1}));
}

TEST(ArraysTest, AppendAndCopy)
{
    CDWordArray array, other;
    Fill(array, {1, 2});
    Fill(other, {3});
    EXPECT_EQ(array.Append(other), 2);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1, 2, 3}));
    EXPECT_EQ(array.Append(array), 3);
    EXPECT_EQ(Contents(array), (std::vector<DWORD>{1, 2, 3, 1, 2, 3}));

    other.Copy(array);
    EXPECT_EQ(Contents(other), Contents(array));
    other.Copy(other);
    EXPECT_EQ(Contents(other), Contents(array));
}

#ifndef _DEBUG  // a debug build stops at the assertion
TEST(ArraysTest, OutOfRangeUseThrowsAndChangesNothing)
{
    struct Case
    {
        const char* what;
        void (*misuse)(CDWordArray&);
    };
    const Case cases[] = {
        {"GetAt past the end", [](CDWordArray& a) { (void)a.GetAt(3); }},
        {"GetAt below 0", [](CDWordArray& a) { (void)a.GetAt(-1); }},
        {"const operator[] past the end", [](CDWordArray& a) { (void)static_cast<const CDWordArray&>(a)[3]; }},
        {"ElementAt past the end", [](CDWordArray& a) { a.ElementAt(3) = 9; }},
        {"SetAt past the end", [](CDWordArray& a) { a.SetAt(3, 9); }},
        {"operator[] below 0", [](CDWordArray& a) { a[-1] = 9; }},
        {"SetAtGrow below 0", [](CDWordArray& a) { a.SetAtGrow(-1, 9); }},
        {"InsertAt below 0", [](CDWordArray& a) { a.InsertAt(-1, 9); }},
        {"InsertAt with a negative count", [](CDWordArray& a) { a.InsertAt(0, 9, -1); }},
        {"RemoveAt past the end", [](CDWordArray& a) { a.RemoveAt(3); }},
        {"RemoveAt of a run past the end", [](CDWordArray& a) { a.RemoveAt(1, 3); }},
        {"RemoveAt below 0", [](CDWordArray& a) { a.RemoveAt(-1); }},
        {"SetSize below 0", [](CDWordArray& a) { a.SetSize(-1); }},
    };
    for (const Case& c : cases) {
        CDWordArray array;
        Fill(array, {1, 2, 3});
        EXPECT_TRUE(ThrowsMisuse([&] { c.misuse(array); })) << c.what;
        EXPECT_EQ(Contents(array), (std::vector<DWORD>{1, 2, 3})) << c.what;
    }
}
#endif

TEST(ArraysTest, StringArrayKeepsItsTextsThroughInsertAndRemove)
{
    CStringArray array;
    array.Add("alpha");
    array.Add(CString("beta"));
    array.InsertAt(1, "between");
    array.SetAt(0, "first");
    for (int i = 0; i < 40; ++i)
        array.Add(array[1]);  // adding an element of the array itself, across reallocations
    array.RemoveAt(3, 40);
    ASSERT_EQ(array.GetSize(), 3);
    EXPECT_STREQ(array[0], "first");
    EXPECT_STREQ(array[1], "between");
    EXPECT_STREQ(array.GetAt(2), "beta");
}

TEST(ArraysTest, ObArrayInsertOfAnArrayInsertsItsElements)
{
    CObArray array, other;
    CPtrArray unrelated;  // any CObject will do as an element
    other.Add(&unrelated);
    other.Add(nullptr);
    array.InsertAt(0, &other);
    ASSERT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array[0], &unrelated);
    EXPECT_EQ(array[1], nullptr);
}

TEST(ArraysTest, TypedArraysKnowTheirRuntimeClass)
{
    CByteArray bytes;
    CStringArray texts;
    EXPECT_TRUE(bytes.IsKindOf(RUNTIME_CLASS(CByteArray)));
    EXPECT_FALSE(bytes.IsKindOf(RUNTIME_CLASS(CStringArray)));
    EXPECT_TRUE(texts.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(texts.IsSerializable());
}
