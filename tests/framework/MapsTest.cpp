#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/core/Collections.h"
#include "framework/core/Exceptions.h"

#include "CollectionTestSupport.h"

namespace {

// Every pair the map's iteration visits; a pair visited twice shows up as a count above 1.
std::map<WORD, int> Visits(const CMapWordToPtr& map)
{
    std::map<WORD, int> visits;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        WORD key = 0;
        void* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(value, reinterpret_cast<void*>(UINT_PTR(key) + 1));
        ++visits[key];
    }
    return visits;
}

void* ValueOf(WORD key)
{
    return reinterpret_cast<void*>(UINT_PTR(key) + 1);
}

}  // namespace

TEST(MapsTest, SetAtLookupAndRemoveKey)
{
    CMapStringToString map;
    CString value;
    EXPECT_FALSE(map.Lookup("k", value));
    map.SetAt("k", "one");
    map.SetAt("K", "other");
    map.SetAt("k", "two");
    EXPECT_EQ(map.GetCount(), 2);
    ASSERT_TRUE(map.Lookup("k", value));
    EXPECT_STREQ(value, "two");
    EXPECT_TRUE(map.RemoveKey("k"));
    EXPECT_FALSE(map.RemoveKey("k"));
    EXPECT_FALSE(map.Lookup("k", value));
    ASSERT_TRUE(map.Lookup("K", value));
    EXPECT_STREQ(value, "other");
}

TEST(MapsTest, IndexingAMissingKeyAddsAnEmptyValue)
{
    CMapStringToPtr map;
    EXPECT_EQ(map["new"], nullptr);
    EXPECT_EQ(map.GetCount(), 1);
    int target = 0;
    map["new"] = &target;
    void* value = nullptr;
    ASSERT_TRUE(map.Lookup(CString("new"), value));
    EXPECT_EQ(value, &target);
}

TEST(MapsTest, ANullTextKeyIsTheEmptyText)
{
    CMapStringToOb map;
    CPtrArray object;
    map.SetAt(nullptr, &object);
    CObject* value = nullptr;
    ASSERT_TRUE(map.Lookup("", value));
    EXPECT_EQ(value, &object);
}

TEST(MapsTest, IterationVisitsEveryPairOnce)
{
    const struct
    {
        UINT hashSize;
        int keys;
    } cases[] = {{17, 0}, {17, 1}, {17, 500}, {1, 50}, {257, 3000}};
    for (const auto& c : cases) {
        CMapWordToPtr map(7);
        map.InitHashTable(c.hashSize);
        for (int key = 0; key < c.keys; ++key)
            map.SetAt(WORD(key * 3), ValueOf(WORD(key * 3)));
        std::map<WORD, int> visits = Visits(map);
        EXPECT_EQ(int(visits.size()), c.keys) << c.hashSize << "/" << c.keys;
        for (const auto& [key, count] : visits)
            EXPECT_EQ(count, 1) << "key " << key;
        EXPECT_EQ(map.GetHashTableSize(), c.hashSize);
    }
}

TEST(MapsTest, IterationFollowsBucketsAndTheNewestFirst)
{
    // With 17 buckets, keys 16 and 17 share bucket 1 and key 48 has bucket 3.
    CMapWordToPtr map;
    map.SetAt(48, ValueOf(48));
    map.SetAt(16, ValueOf(16));
    map.SetAt(17, ValueOf(17));
    std::vector<WORD> order;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        WORD key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        order.push_back(key);
    }
    EXPECT_EQ(order, (std::vector<WORD>{17, 16, 48}));
}

TEST(MapsTest, InitHashTableKeepsTheEntriesItHolds)
{
    CMapPtrToPtr map;
    std::vector<int> targets(100);
    for (int& target : targets)
        map.SetAt(&target, &target + 1);
    map.InitHashTable(257);
    EXPECT_EQ(map.GetHashTableSize(), 257u);
    EXPECT_EQ(map.GetCount(), 100);
    for (int& target : targets) {
        void* value = nullptr;
        ASSERT_TRUE(map.Lookup(&target, value));
        EXPECT_EQ(value, &target + 1);
    }
}

TEST(MapsTest, RemovingTheVisitedKeyDuringIteration)
{
    CMapWordToPtr map;
    for (WORD key = 0; key < 200; ++key)
        map.SetAt(key, ValueOf(key));
    int visited = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        WORD key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        ++visited;
        if (key % 2 == 0)
            map.RemoveKey(key);
    }
    EXPECT_EQ(visited, 200);
    std::map<WORD, int> visits = Visits(map);
    EXPECT_EQ(visits.size(), 100u);
    for (const auto& [key, count] : visits)
        EXPECT_EQ(key % 2, 1);
}

TEST(MapsTest, EmptyingTheMapDuringIterationEndsIt)
{
    CMapStringToPtr map;
    map.SetAt("a", nullptr);
    map.SetAt("b", nullptr);
    map.SetAt("c", nullptr);
    int visited = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        CString key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        map.RemoveKey(key);
        ++visited;
    }
    EXPECT_EQ(visited, 3);
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(MapsTest, RemoveAllEmptiesAndTheMapIsReusable)
{
    CMapStringToString map(1);
    for (int i = 0; i < 50; ++i)
        map.SetAt(CString(std::to_string(i).c_str()), "v");
    map.RemoveAll();
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map["x"] = "y";
    CString value;
    ASSERT_TRUE(map.Lookup("x", value));
    EXPECT_STREQ(value, "y");
}

#ifndef _DEBUG  // a debug build stops at the assertion
TEST(MapsTest, APositionOfARemovedAssociationThrows)
{
    CMapWordToPtr map;
    map.SetAt(1, nullptr);
    map.SetAt(2, nullptr);
    POSITION pos = map.GetStartPosition();
    WORD key;
    void* value;
    map.GetNextAssoc(pos, key, value);
    ASSERT_NE(pos, nullptr);
    map.RemoveKey(key == 1 ? 2 : 1);  // the association pos points at
    EXPECT_TRUE(ThrowsMisuse([&] { map.GetNextAssoc(pos, key, value); }));
}
#endif
