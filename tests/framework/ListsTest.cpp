#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/core/Collections.h"
#include "framework/core/Exceptions.h"

#include "CollectionTestSupport.h"

namespace {

std::vector<std::string> Forward(const CStringList& list)
{
    std::vector<std::string> texts;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        texts.emplace_back(LPCTSTR(list.GetNext(pos)));
    return texts;
}

std::vector<std::string> Backward(const CStringList& list)
{
    std::vector<std::string> texts;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        texts.emplace_back(LPCTSTR(list.GetPrev(pos)));
    return texts;
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(ListsTest, AddHeadAndAddTailOrderTheElements)
{
    CStringList list;
    list.AddTail("b");
    list.AddHead("a");
    list.AddTail("c");
    EXPECT_EQ(Forward(list), (Texts{"a", "b", "c"}));
    EXPECT_EQ(Backward(list), (Texts{"c", "b", "a"}));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list.GetHead(), "a");
    EXPECT_STREQ(list.GetTail(), "c");
}

TEST(ListsTest, InsertBeforeAndAfter)
{
    CStringList list;
    POSITION b = list.AddTail("b");
    list.InsertBefore(b, "a");
    POSITION c = list.InsertAfter(b, "c");
    list.InsertAfter(c, "d");
    list.InsertBefore(nullptr, "head");
    list.InsertAfter(nullptr, "tail");
    EXPECT_EQ(Forward(list), (Texts{"head", "a", "b", "c", "d", "tail"}));
    EXPECT_EQ(Backward(list), (Texts{"tail", "d", "c", "b", "a", "head"}));
}

TEST(ListsTest, FindAndFindIndex)
{
    CStringList list;
    list.AddTail("x");
    POSITION y = list.AddTail("y");
    POSITION x2 = list.AddTail("x");
    POSITION x1 = list.GetHeadPosition();

    EXPECT_EQ(list.Find("x"), x1);
    EXPECT_EQ(list.Find("x", x1), x2);
    EXPECT_EQ(list.Find("x", x2), nullptr);
    EXPECT_EQ(list.Find("z"), nullptr);
    EXPECT_EQ(list.FindIndex(1), y);
    EXPECT_EQ(list.FindIndex(2), x2);
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(ListsTest, RemovingTheCurrentElementWhileIterating)
{
    CPtrList list(1);
    std::vector<int> values(20);
    for (int& value : values) {
        value = int(&value - values.data());
        list.AddTail(&value);
    }
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        POSITION current = pos;
        int* pValue = static_cast<int*>(list.GetNext(pos));
        if (*pValue % 2 == 0)
            list.RemoveAt(current);
    }
    ASSERT_EQ(list.GetCount(), 10);
    int expected = 1;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr; expected += 2)
        EXPECT_EQ(*static_cast<int*>(list.GetNext(pos)), expected);
}

TEST(ListsTest, RemoveHeadAndTailReturnTheElement)
{
    CObList list;
    CPtrArray first, last;
    list.AddTail(&first);
    list.AddTail(&last);
    EXPECT_EQ(list.RemoveTail(), &last);
    EXPECT_EQ(list.RemoveHead(), &first);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    // The emptied list is as good as new.
    list.AddHead(&first);
    EXPECT_EQ(list.GetHead(), &first);
}

TEST(ListsTest, AddingAListKeepsItsOrderAlsoForItself)
{
    CStringList list, other;
    list.AddTail("m");
    other.AddTail("1");
    other.AddTail("2");
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ(Forward(list), (Texts{"1", "2", "m", "1", "2"}));
    list.AddTail(&list);
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_STREQ(list.GetAt(list.FindIndex(5)), "1");
}

TEST(ListsTest, SetAtReplacesTheElement)
{
    CStringList list;
    POSITION pos = list.AddTail("old");
    list.SetAt(pos, "new");
    EXPECT_STREQ(list.GetAt(pos), "new");
}

#ifndef _DEBUG  // a debug build stops at the assertion
TEST(ListsTest, MisuseThrowsAndChangesNothing)
{
    CStringList other;
    POSITION foreign = other.AddTail("foreign");
    struct Case
    {
        const char* what;
        std::function<void(CStringList&)> misuse;
    };
    const Case cases[] = {
        {"GetNext of NULL", [](CStringList& l) { POSITION pos = nullptr; l.GetNext(pos); }},
        {"GetAt of another list's position", [&](CStringList& l) { l.GetAt(foreign); }},
        {"RemoveAt of another list's position", [&](CStringList& l) { l.RemoveAt(foreign); }},
        {"InsertBefore another list's position", [&](CStringList& l) { l.InsertBefore(foreign, "x"); }},
        {"RemoveAt of a removed element", [](CStringList& l) {
             POSITION pos = l.AddTail("gone");
             l.RemoveAt(pos);
             l.RemoveAt(pos);
         }},
        {"Find after a removed element", [](CStringList& l) {
             POSITION pos = l.AddTail("gone");
             l.RemoveAt(pos);
             l.Find("a", pos);
         }},
    };
    for (const Case& c : cases) {
        CStringList list;
        list.AddTail("a");
        list.AddTail("b");
        EXPECT_TRUE(ThrowsMisuse([&] { c.misuse(list); })) << c.what;
        EXPECT_EQ(Forward(list), (Texts{"a", "b"})) << c.what;
    }
    EXPECT_EQ(Forward(other), (Texts{"foreign"}));
}
#endif

#ifndef _DEBUG  // a debug build stops at the assertion
TEST(ListsTest, HeadAndTailOfAnEmptyListThrow)
{
    CObList list;
    EXPECT_TRUE(ThrowsMisuse([&] { list.GetHead(); }));
    EXPECT_TRUE(ThrowsMisuse([&] { list.GetTail(); }));
    EXPECT_TRUE(ThrowsMisuse([&] { list.RemoveHead(); }));
    EXPECT_TRUE(ThrowsMisuse([&] { list.RemoveTail(); }));
    EXPECT_TRUE(list.IsEmpty());
}
#endif
