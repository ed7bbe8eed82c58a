#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/Collections.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

// A small serializable object for the object collections.
class CCollectionTestItem : public CObject
{
    DECLARE_SERIAL(CCollectionTestItem)
public:
    explicit CCollectionTestItem(DWORD value = 0) : m_value(value) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
    DWORD m_value;
};
IMPLEMENT_SERIAL(CCollectionTestItem, CObject, 1)

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CObject& collection)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    collection.Serialize(ar);
    ar.Close();
    Bytes bytes(size_t(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), UINT(bytes.size()));
    return bytes;
}

void Load(CObject& collection, const Bytes& bytes)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), UINT(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    collection.Serialize(ar);
    ar.Close();
}

// The archive exception cause a load throws, or -1 when it throws none.
int LoadFailure(CObject& collection, const Bytes& bytes)
{
    try {
        Load(collection, bytes);
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

Bytes Prefix(const Bytes& bytes, size_t n)
{
    return Bytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
}

void DeleteAll(CObArray& array)
{
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        delete array[i];
    array.RemoveAll();
}

}  // namespace

TEST(CollectionSerializeTest, CountIsAWordOrTheEscapeAndADword)
{
    const struct
    {
        DWORD count;
        Bytes header;
    } cases[] = {
        {0, {0x00, 0x00}},
        {3, {0x03, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        CDWordArray array;
        array.SetSize(c.count);
        for (DWORD i = 0; i < c.count; ++i)
            array[i] = i * 7919u;
        Bytes bytes = Store(array);
        ASSERT_EQ(bytes.size(), c.header.size() + 4u * c.count) << c.count;
        EXPECT_EQ(Prefix(bytes, c.header.size()), c.header) << c.count;

        CDWordArray loaded;
        loaded.Add(99);  // loading replaces what was there
        Load(loaded, bytes);
        ASSERT_EQ(loaded.GetSize(), INT_PTR(c.count));
        for (DWORD i = 0; i < c.count; ++i)
            ASSERT_EQ(loaded[i], i * 7919u) << c.count << " at " << i;
    }
}

TEST(CollectionSerializeTest, IntegerArraysAreLittleEndian)
{
    CWordArray words;
    words.Add(0x1234);
    words.Add(0xFFFF);
    EXPECT_EQ(Store(words), (Bytes{0x02, 0x00, 0x34, 0x12, 0xFF, 0xFF}));

    CDWordArray dwords;
    dwords.Add(0x01020304);
    EXPECT_EQ(Store(dwords), (Bytes{0x01, 0x00, 0x04, 0x03, 0x02, 0x01}));

    CByteArray bytes;
    bytes.Add(0xAB);
    bytes.Add(0x00);
    bytes.Add(0x7F);
    Bytes stored = Store(bytes);
    EXPECT_EQ(stored, (Bytes{0x03, 0x00, 0xAB, 0x00, 0x7F}));

    CByteArray loadedBytes;
    Load(loadedBytes, stored);
    ASSERT_EQ(loadedBytes.GetSize(), 3);
    EXPECT_EQ(loadedBytes[0], 0xAB);
    EXPECT_EQ(loadedBytes[2], 0x7F);

    CWordArray loadedWords;
    Load(loadedWords, Store(words));
    ASSERT_EQ(loadedWords.GetSize(), 2);
    EXPECT_EQ(loadedWords[0], 0x1234);
    EXPECT_EQ(loadedWords[1], 0xFFFF);
}

TEST(CollectionSerializeTest, LargeByteArrayUsesTheEscape)
{
    CByteArray bytes;
    bytes.SetSize(70000);
    for (INT_PTR i = 0; i < bytes.GetSize(); ++i)
        bytes[i] = BYTE(i * 31);
    Bytes stored = Store(bytes);
    ASSERT_EQ(stored.size(), 6u + 70000u);
    EXPECT_EQ(Prefix(stored, 6), (Bytes{0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));

    CByteArray loaded;
    Load(loaded, stored);
    ASSERT_EQ(loaded.GetSize(), 70000);
    for (INT_PTR i = 0; i < loaded.GetSize(); ++i)
        ASSERT_EQ(loaded[i], BYTE(i * 31)) << i;
}

TEST(CollectionSerializeTest, StringArrayRoundTrip)
{
    CStringArray texts;
    texts.Add("");
    texts.Add("Grid");
    texts.Add(CString(std::string(300, 'x').c_str()));
    Bytes stored = Store(texts);
    EXPECT_EQ(Prefix(stored, 2), (Bytes{0x03, 0x00}));

    CStringArray loaded;
    Load(loaded, stored);
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_STREQ(loaded[0], "");
    EXPECT_STREQ(loaded[1], "Grid");
    EXPECT_EQ(std::string(LPCTSTR(loaded[2])), std::string(300, 'x'));
}

TEST(CollectionSerializeTest, StringListRoundTripAppends)
{
    CStringList texts;
    texts.AddTail("a=1");
    texts.AddTail("b=2");
    Bytes stored = Store(texts);

    CStringList loaded;
    loaded.AddTail("kept");
    Load(loaded, stored);
    ASSERT_EQ(loaded.GetCount(), 3);
    POSITION pos = loaded.GetHeadPosition();
    EXPECT_STREQ(loaded.GetNext(pos), "kept");
    EXPECT_STREQ(loaded.GetNext(pos), "a=1");
    EXPECT_STREQ(loaded.GetNext(pos), "b=2");
}

TEST(CollectionSerializeTest, ObjectArrayWritesEachObjectWithItsClass)
{
    CObArray items;
    items.Add(new CCollectionTestItem(11));
    items.Add(nullptr);
    items.Add(new CCollectionTestItem(33));
    items.Add(items[0]);  // the same object again: stored as a reference to the first
    Bytes stored = Store(items);
    EXPECT_EQ(Prefix(stored, 2), (Bytes{0x04, 0x00}));

    CObArray loaded;
    Load(loaded, stored);
    ASSERT_EQ(loaded.GetSize(), 4);
    EXPECT_EQ(loaded[3], loaded[0]);
    ASSERT_NE(loaded[0], nullptr);
    ASSERT_TRUE(loaded[0]->IsKindOf(RUNTIME_CLASS(CCollectionTestItem)));
    EXPECT_EQ(static_cast<CCollectionTestItem*>(loaded[0])->m_value, 11u);
    EXPECT_EQ(loaded[1], nullptr);
    ASSERT_NE(loaded[2], nullptr);
    EXPECT_EQ(static_cast<CCollectionTestItem*>(loaded[2])->m_value, 33u);
    items.RemoveAt(3);
    loaded.RemoveAt(3);
    DeleteAll(items);
    DeleteAll(loaded);
}

TEST(CollectionSerializeTest, ObjectListRoundTrip)
{
    CCollectionTestItem first(1), second(2);
    CObList items;
    items.AddTail(&first);
    items.AddTail(&second);
    Bytes stored = Store(items);

    CObList loaded;
    Load(loaded, stored);
    ASSERT_EQ(loaded.GetCount(), 2);
    POSITION pos = loaded.GetHeadPosition();
    for (DWORD expected : {1u, 2u}) {
        CObject* pObject = loaded.GetNext(pos);
        ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CCollectionTestItem)));
        EXPECT_EQ(static_cast<CCollectionTestItem*>(pObject)->m_value, expected);
        delete pObject;
    }
}

TEST(CollectionSerializeTest, CollectionsAmongOtherDataOfALargeArchive)
{
    // The whole file sits in the loading archive's read-ahead buffer, so the count check finds nothing
    // left in the file itself and must look at what the archive holds.
    CStringArray texts;
    for (int i = 0; i < 3000; ++i)
        texts.Add(i % 2 ? "odd" : "");
    CDWordArray numbers;
    numbers.SetSize(20000);
    for (INT_PTR i = 0; i < numbers.GetSize(); ++i)
        numbers[i] = DWORD(i);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString("head");
        texts.Serialize(ar);
        numbers.Serialize(ar);
        ar << DWORD(0xC0FFEE);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 0x40000);
    CString head;
    ar >> head;
    CStringArray loadedTexts;
    loadedTexts.Serialize(ar);
    CDWordArray loadedNumbers;
    loadedNumbers.Serialize(ar);
    DWORD tail = 0;
    ar >> tail;
    ar.Close();

    EXPECT_STREQ(head, "head");
    ASSERT_EQ(loadedTexts.GetSize(), 3000);
    EXPECT_STREQ(loadedTexts[2999], "odd");
    EXPECT_STREQ(loadedTexts[2998], "");
    ASSERT_EQ(loadedNumbers.GetSize(), 20000);
    EXPECT_EQ(loadedNumbers[19999], 19999u);
    EXPECT_EQ(tail, 0xC0FFEEu);
}

TEST(CollectionSerializeTest, CountsBeyondTheRestOfTheArchiveAreRefused)
{
    // A count of 0xFFFFFFF0 elements with nothing after it: refused before any allocation is tried
    // (allocating would fail with a memory exception instead).
    const Bytes huge = {0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF};
    // Three elements announced, two present.
    const Bytes shortBytes = {0x03, 0x00, 0x01, 0x02};
    const Bytes shortDwords = {0x03, 0x00, 1, 0, 0, 0, 2, 0, 0, 0};

    const struct
    {
        const char* what;
        std::function<CObject*()> make;
        Bytes bytes;
    } cases[] = {
        {"byte array, huge", [] { return new CByteArray; }, huge},
        {"byte array, short", [] { return new CByteArray; }, shortBytes},
        {"word array, huge", [] { return new CWordArray; }, huge},
        {"dword array, huge", [] { return new CDWordArray; }, huge},
        {"dword array, short", [] { return new CDWordArray; }, shortDwords},
        {"string array, huge", [] { return new CStringArray; }, huge},
        {"string list, huge", [] { return new CStringList; }, huge},
        {"object array, huge", [] { return new CObArray; }, huge},
        {"object list, huge", [] { return new CObList; }, huge},
    };
    for (const auto& c : cases) {
        CObject* pCollection = c.make();
        EXPECT_EQ(LoadFailure(*pCollection, c.bytes), int(CArchiveException::endOfFile)) << c.what;
        delete pCollection;
    }
}

// A value collection is loaded whole or not at all: an archive that ends after some elements leaves
// the collection as it was (a string list, which appends, keeps its own texts only).
TEST(CollectionSerializeTest, ARefusedLoadLeavesAValueCollectionAsItWas)
{
    CStringArray storedTexts;
    storedTexts.Add("first");
    storedTexts.Add("second");
    CDWordArray storedNumbers;
    storedNumbers.Add(1);
    storedNumbers.Add(2);
    CWordArray storedWords;
    storedWords.Add(7);
    storedWords.Add(8);
    CByteArray storedBytes;
    storedBytes.SetSize(9);
    CStringList storedList;
    storedList.AddTail("a");
    storedList.AddTail("b");

    const struct
    {
        const char* what;
        CObject* pStored;
        std::function<CObject*()> makeMarked;
        std::function<bool(CObject*)> isMarked;
    } cases[] = {
        {"string array", &storedTexts,
         [] { auto* p = new CStringArray; p->Add("mark"); return p; },
         [](CObject* p) { auto* a = static_cast<CStringArray*>(p); return a->GetSize() == 1 && (*a)[0] == "mark"; }},
        {"dword array", &storedNumbers,
         [] { auto* p = new CDWordArray; p->Add(0xDEADBEEF); return p; },
         [](CObject* p) { auto* a = static_cast<CDWordArray*>(p); return a->GetSize() == 1 && (*a)[0] == 0xDEADBEEF; }},
        {"word array", &storedWords,
         [] { auto* p = new CWordArray; p->Add(0xBEEF); return p; },
         [](CObject* p) { auto* a = static_cast<CWordArray*>(p); return a->GetSize() == 1 && (*a)[0] == 0xBEEF; }},
        {"byte array", &storedBytes,
         [] { auto* p = new CByteArray; p->Add(0xEE); return p; },
         [](CObject* p) { auto* a = static_cast<CByteArray*>(p); return a->GetSize() == 1 && (*a)[0] == 0xEE; }},
        {"string list", &storedList,
         [] { auto* p = new CStringList; p->AddTail("mark"); return p; },
         [](CObject* p) { auto* l = static_cast<CStringList*>(p); return l->GetCount() == 1 && l->GetHead() == "mark"; }},
    };
    for (const auto& c : cases) {
        const Bytes whole = Store(*c.pStored);
        // Cut inside the last element.
        const Bytes cut = Prefix(whole, whole.size() - 1);
        CObject* pCollection = c.makeMarked();
        EXPECT_EQ(LoadFailure(*pCollection, cut), int(CArchiveException::endOfFile)) << c.what;
        EXPECT_TRUE(c.isMarked(pCollection)) << c.what;
        delete pCollection;
    }
}
