#include "SerialTestClasses.h"

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "tests/tools/StoredBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace
{
// Runs the reader on a loading archive over the bytes.
void Loaded(const std::string& bytes, const std::function<void(CArchive&)>& reader)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    reader(ar);
}

// The cause of the CArchiveException the action throws; -1 when it throws none.
int ArchiveCause(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes)
    {
        if (!text.empty())
            text += ' ';
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

void DeleteGraph(CObject* root)
{
    std::set<CObject*> objects;
    std::vector<CObject*> pending = { root };
    while (!pending.empty())
    {
        CObject* object = pending.back();
        pending.pop_back();
        if (object == nullptr || !objects.insert(object).second)
            continue;
        if (auto* node = dynamic_cast<CTestNode*>(object))
            pending.insert(pending.end(), node->m_children.begin(), node->m_children.end());
    }
    for (CObject* object : objects)
        delete object;
}
}

TEST(CArchive, StoresValuesLittleEndianWithTheirWidths)
{
    struct Case
    {
        std::function<void(CArchive&)> writer;
        const char* hex;
    };
    const Case cases[] = {
        { [](CArchive& ar) { ar << static_cast<BYTE>(0xAB); }, "AB" },
        { [](CArchive& ar) { ar << static_cast<WORD>(0x1234); }, "34 12" },
        { [](CArchive& ar) { ar << static_cast<DWORD>(0x89ABCDEF); }, "EF CD AB 89" },
        { [](CArchive& ar) { ar << static_cast<LONG>(-2); }, "FE FF FF FF" },
        { [](CArchive& ar) { ar << -1; }, "FF FF FF FF" },
        { [](CArchive& ar) { ar << 7u; }, "07 00 00 00" },
        { [](CArchive& ar) { ar << static_cast<short>(-1); }, "FF FF" },
        { [](CArchive& ar) { ar << 'A'; }, "41" },
        { [](CArchive& ar) { ar << true << false; }, "01 00" },
        { [](CArchive& ar) { ar << 1.0f; }, "00 00 80 3F" },
        { [](CArchive& ar) { ar << 1.0; }, "00 00 00 00 00 00 F0 3F" },
        { [](CArchive& ar) { ar << static_cast<LONGLONG>(-2); }, "FE FF FF FF FF FF FF FF" },
        { [](CArchive& ar) { ar << CString("ab"); }, "02 61 62" },
        { [](CArchive& ar) { ar << static_cast<const CObject*>(nullptr); }, "00 00" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(StoredBytes(c.writer)), c.hex);
}

TEST(CArchive, ValuesComeBackAsStored)
{
    const std::string bytes = StoredBytes([](CArchive& ar) {
        ar << static_cast<BYTE>(200) << static_cast<WORD>(65535) << static_cast<LONG>(-123456) << static_cast<DWORD>(4000000000u)
           << -7 << 4000000001u << static_cast<short>(-300) << 'z' << true << 2.5f << -1.0e-300
           << static_cast<LONGLONG>(-9000000000LL) << static_cast<ULONGLONG>(18000000000000000000ULL) << CString("text");
    });
    Loaded(bytes, [](CArchive& ar) {
        BYTE by = 0;
        WORD w = 0;
        LONG l = 0;
        DWORD dw = 0;
        int i = 0;
        unsigned u = 0;
        short s = 0;
        char ch = 0;
        bool b = false;
        float f = 0;
        double d = 0;
        LONGLONG ll = 0;
        ULONGLONG ull = 0;
        CString text;
        ar >> by >> w >> l >> dw >> i >> u >> s >> ch >> b >> f >> d >> ll >> ull >> text;
        EXPECT_EQ(by, 200);
        EXPECT_EQ(w, 65535);
        EXPECT_EQ(l, -123456);
        EXPECT_EQ(dw, 4000000000u);
        EXPECT_EQ(i, -7);
        EXPECT_EQ(u, 4000000001u);
        EXPECT_EQ(s, -300);
        EXPECT_EQ(ch, 'z');
        EXPECT_TRUE(b);
        EXPECT_EQ(f, 2.5f);
        EXPECT_EQ(d, -1.0e-300);
        EXPECT_EQ(ll, -9000000000LL);
        EXPECT_EQ(ull, 18000000000000000000ULL);
        EXPECT_STREQ(text, "text");
    });
}

TEST(CArchive, StringLengthPrefixGrowsWithTheLength)
{
    struct Case
    {
        int length;
        size_t prefixBytes;
    };
    const Case cases[] = { { 0, 1 }, { 254, 1 }, { 255, 3 }, { 0xFFFD, 3 }, { 0xFFFE, 7 }, { 70000, 7 } };
    for (const Case& c : cases)
    {
        const CString text('s', c.length);
        const std::string bytes = StoredBytes([&](CArchive& ar) { ar << text; });
        EXPECT_EQ(bytes.size(), c.prefixBytes + static_cast<size_t>(c.length)) << c.length;
        Loaded(bytes, [&](CArchive& ar) {
            CString back("old");
            ar >> back;
            EXPECT_EQ(back.GetLength(), c.length);
            EXPECT_EQ(back, text);
        });
    }
}

TEST(CArchive, StringsOfSixteenBitCharactersAreConverted)
{
    const std::string bytes("\xFF\xFE\xFF\x03" "a\0b\0c\0", 10);
    Loaded(bytes, [](CArchive& ar) {
        CString text;
        ar >> text;
        EXPECT_STREQ(text, "abc");
    });
}

TEST(CArchive, DamagedStringLengthEndsInEndOfFile)
{
    // Claims 0x7FFFFFF0 characters, holds three.
    const std::string bytes("\xFF\xFF\xFF\xF0\xFF\xFF\x7F" "abc", 10);
    EXPECT_EQ(ArchiveCause([&] { Loaded(bytes, [](CArchive& ar) { CString text; ar >> text; }); }),
              CArchiveException::endOfFile);
}

TEST(CArchive, ShortReadThrowsEndOfFileButReadReturnsTheCount)
{
    const std::string twoBytes("\x01\x02", 2);
    EXPECT_EQ(ArchiveCause([&] { Loaded(twoBytes, [](CArchive& ar) { DWORD dw; ar >> dw; }); }), 3);
    Loaded(twoBytes, [](CArchive& ar) {
        char buffer[8];
        EXPECT_EQ(ar.Read(buffer, sizeof buffer), 2u);
        EXPECT_EQ(ar.Read(buffer, sizeof buffer), 0u);
    });
}

TEST(CArchive, WrongDirectionIsRefused)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    EXPECT_EQ(ArchiveCause([&] { WORD w; storing >> w; }), CArchiveException::writeOnly);
    storing.Abort();

    CArchive loading(&file, CArchive::load);
    EXPECT_EQ(ArchiveCause([&] { loading << static_cast<WORD>(1); }), CArchiveException::readOnly);
}

TEST(CArchive, CountsUseAWordUntilTheyNeedMore)
{
    struct Case
    {
        DWORD_PTR count;
        size_t bytes;
    };
    const Case cases[] = { { 0, 2 }, { 0xFFFE, 2 }, { 0xFFFF, 6 }, { 0x12345678, 6 } };
    for (const Case& c : cases)
    {
        const std::string bytes = StoredBytes([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(bytes.size(), c.bytes);
        Loaded(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c.count); });
    }
}

TEST(CArchive, TextLinesDropCrLf)
{
    const std::string bytes = StoredBytes([](CArchive& ar) { ar.WriteString("one\r\ntwo\n\nlast"); });
    EXPECT_EQ(bytes, "one\r\ntwo\n\nlast");
    Loaded(bytes, [](CArchive& ar) {
        CString line;
        const char* expected[] = { "one", "two", "", "last" };
        for (const char* text : expected)
        {
            ASSERT_TRUE(ar.ReadString(line));
            EXPECT_STREQ(line, text);
        }
        EXPECT_FALSE(ar.ReadString(line));
    });
}

TEST(CArchive, ObjectGraphComesBackWithNullAndSharedReferences)
{
    const int liveBefore = LiveObjects::count;
    auto* root = new CTestNode;
    root->m_name = "root";
    auto* circle = new CTestCircle(7, 2.5, "wheel");
    auto* shape = new CTestShape(9);
    auto* inner = new CTestNode;
    inner->m_name = "inner";
    inner->m_children = { circle, root };    // a reference back to the root
    root->m_children = { circle, nullptr, shape, circle, inner };

    const std::string bytes = StoredBytes([&](CArchive& ar) { ar << root; });
    DeleteGraph(root);
    ASSERT_EQ(LiveObjects::count, liveBefore);

    Loaded(bytes, [&](CArchive& ar) {
        CTestNode* back = nullptr;
        ar >> back;
        ASSERT_NE(back, nullptr);
        EXPECT_STREQ(back->m_name, "root");
        ASSERT_EQ(back->m_children.size(), 5u);

        auto* backCircle = dynamic_cast<CTestCircle*>(back->m_children[0]);
        ASSERT_NE(backCircle, nullptr);
        EXPECT_EQ(backCircle->m_id, 7);
        EXPECT_EQ(backCircle->m_radius, 2.5);
        EXPECT_STREQ(backCircle->m_label, "wheel");
        EXPECT_EQ(back->m_children[1], nullptr);
        ASSERT_NE(back->m_children[2], nullptr);
        EXPECT_EQ(back->m_children[2]->GetRuntimeClass(), RUNTIME_CLASS(CTestShape));
        EXPECT_EQ(static_cast<CTestShape*>(back->m_children[2])->m_id, 9);
        EXPECT_EQ(back->m_children[3], backCircle);    // one object, not a copy

        auto* backInner = dynamic_cast<CTestNode*>(back->m_children[4]);
        ASSERT_NE(backInner, nullptr);
        ASSERT_EQ(backInner->m_children.size(), 2u);
        EXPECT_EQ(backInner->m_children[0], backCircle);
        EXPECT_EQ(backInner->m_children[1], back);

        DeleteGraph(back);
    });
    EXPECT_EQ(LiveObjects::count, liveBefore);
}

TEST(CArchive, RepeatedObjectAndClassAreWrittenOnceThenByTag)
{
    CTestShape first(1);
    CTestShape second(2);
    const std::string once = StoredBytes([&](CArchive& ar) { ar << &first; });
    const std::string twice = StoredBytes([&](CArchive& ar) { ar << &first << &first; });
    const std::string twoObjects = StoredBytes([&](CArchive& ar) { ar << &first << &second; });
    EXPECT_EQ(twice.size(), once.size() + 2);                   // an object tag
    EXPECT_EQ(twoObjects.size(), once.size() + 2 + sizeof(LONG));  // a class tag and the data
}

// One scratch node and its child refilled for each element, forgotten after it, must write the
// bytes of distinct objects: classes stay registered and the numbering goes on, so the reference
// back to the object kept and the class tags after them are the same.
TEST(CArchive, TemporaryObjectsAreWrittenAsDistinctObjects)
{
    CTestNode kept;
    kept.m_name = "kept";
    CTestShape later(40);
    const std::string expected = StoredBytes([&](CArchive& ar) {
        ar << &kept;
        CTestCircle children[3];
        CTestNode elements[3];
        for (LONG id = 1; id <= 3; ++id)
        {
            CTestCircle& child = children[id - 1];
            child.m_id = id;
            child.m_radius = id * 0.5;
            child.m_label = "child";
            elements[id - 1].m_name = "element";
            elements[id - 1].m_children = {&child, &kept};
            ar << &elements[id - 1];
        }
        ar << &kept << &later;
    });
    const std::string written = StoredBytes([&](CArchive& ar) {
        ar << &kept;
        CTestCircle child;
        CTestNode element;
        element.m_name = "element";
        element.m_children = {&child, &kept};
        for (LONG id = 1; id <= 3; ++id)
        {
            child.m_id = id;
            child.m_radius = id * 0.5;
            child.m_label = "child";
            ar.BeginTemporaryObjects();
            ar << &element;
            ar.ForgetTemporaryObjects();
        }
        ar << &kept << &later;
    });
    EXPECT_EQ(Hex(written), Hex(expected));
}

// Forgetting takes entries out of the middle of the stored objects' table, among neighbours
// placed around them and objects stored after them (the table also grows meanwhile): every object
// forgotten must be gone, so the next element at its address is written whole, and every object
// kept must still be found, so its next appearance is a tag.
TEST(CArchive, ForgettingManyObjectsLeavesNoneOfThemAndLosesNoOther)
{
    const size_t nChildren = 700;
    const size_t nElements = 4;
    const size_t nKeptEach = 600;
    std::vector<CTestShape> kept(nKeptEach * (nElements + 1));
    for (size_t i = 0; i < kept.size(); ++i)
        kept[i].m_id = static_cast<LONG>(i);
    // Before each element and after the last, objects kept stored for the first time.
    const auto storeKept = [&](CArchive& ar, size_t nPart) {
        for (size_t i = nPart * nKeptEach; i < (nPart + 1) * nKeptEach; ++i)
            ar << &kept[i];
    };
    // Each element: a node whose children are its own shapes, then every seventh object kept so far.
    const auto fill = [&](CTestNode& node, std::vector<CTestShape>& shapes, size_t nElement) {
        node.m_children.clear();
        for (size_t i = 0; i < nChildren; ++i)
        {
            shapes[i].m_id = static_cast<LONG>(nElement * 10000 + i);
            node.m_children.push_back(&shapes[i]);
        }
        for (size_t i = nElement; i < (nElement + 1) * nKeptEach; i += 7)
            node.m_children.push_back(&kept[i]);
    };
    const auto keptAgain = [&](CArchive& ar) {
        for (size_t i = kept.size(); i-- > 0;)
            ar << &kept[i];
    };

    const std::string expected = StoredBytes([&](CArchive& ar) {
        std::vector<CTestNode> nodes(nElements);
        std::vector<std::vector<CTestShape>> shapes(nElements);
        for (size_t n = 0; n < nElements; ++n)
        {
            storeKept(ar, n);
            shapes[n] = std::vector<CTestShape>(nChildren);
            fill(nodes[n], shapes[n], n);
            ar << &nodes[n];
        }
        storeKept(ar, nElements);
        keptAgain(ar);
    });
    const std::string written = StoredBytes([&](CArchive& ar) {
        CTestNode node;
        std::vector<CTestShape> shapes(nChildren);
        for (size_t n = 0; n < nElements; ++n)
        {
            storeKept(ar, n);
            fill(node, shapes, n);
            ar.BeginTemporaryObjects();
            ar << &node;
            ar.ForgetTemporaryObjects();
        }
        storeKept(ar, nElements);
        keptAgain(ar);
    });
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}

TEST(CArchive, ManyObjectsUseLongTags)
{
    const int liveBefore = LiveObjects::count;
    const int count = 0x7FFF + 20;
    {
        CTestNode root;
        std::vector<CTestShape> shapes(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
        {
            shapes[static_cast<size_t>(i)].m_id = i;
            root.m_children.push_back(&shapes[static_cast<size_t>(i)]);
        }
        root.m_children.push_back(&shapes.back());
        root.m_children.push_back(&shapes[0x7FFF]);

        const std::string bytes = StoredBytes([&](CArchive& ar) { ar << &root; });
        Loaded(bytes, [&](CArchive& ar) {
            CObject* back = nullptr;
            ar >> back;
            auto* node = dynamic_cast<CTestNode*>(back);
            ASSERT_NE(node, nullptr);
            ASSERT_EQ(node->m_children.size(), static_cast<size_t>(count + 2));
            EXPECT_EQ(static_cast<CTestShape*>(node->m_children[count - 1])->m_id, count - 1);
            EXPECT_EQ(node->m_children[count], node->m_children[count - 1]);
            EXPECT_EQ(node->m_children[count + 1], node->m_children[0x7FFF]);
            DeleteGraph(node);
        });
    }
    EXPECT_EQ(LiveObjects::count, liveBefore);
}

TEST(CArchive, StoredSchemaOtherThanTheClassSchemaIsBadSchema)
{
    // The same class as an older program version stored it.
    static const CRuntimeClass shapeVersion2 = { "CTestShape", sizeof(CTestShape), 2, nullptr, RUNTIME_CLASS(CObject) };
    const std::string bytes = StoredBytes([](CArchive& ar) {
        ar.WriteClass(&shapeVersion2);
        ar << static_cast<LONG>(5);
    });
    EXPECT_EQ(ArchiveCause([&] { Loaded(bytes, [](CArchive& ar) { CObject* p; ar >> p; }); }), CArchiveException::badSchema);
}

TEST(CArchive, VersionableClassLoadsOlderSchemaAndTellsIt)
{
    static const CRuntimeClass versionedSchema1 = { "CTestVersioned", sizeof(CTestVersioned), 1, nullptr, RUNTIME_CLASS(CObject) };
    const std::string bytes = StoredBytes([](CArchive& ar) {
        ar.WriteClass(&versionedSchema1);
        ar << static_cast<LONG>(11) << static_cast<const CObject*>(nullptr);
    });
    Loaded(bytes, [](CArchive& ar) {
        CTestVersioned* back = nullptr;
        ar >> back;
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->m_schemaBeforeInner, 1u);
        EXPECT_EQ(back->m_first, 11);
        EXPECT_EQ(back->m_second, -1);
        EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));    // outside any object
        delete back;
    });
}

TEST(CArchive, NestedObjectDoesNotChangeTheOuterSchema)
{
    static const CRuntimeClass versionedSchema1 = { "CTestVersioned", sizeof(CTestVersioned), 1, nullptr, RUNTIME_CLASS(CObject) };
    const std::string bytes = StoredBytes([&](CArchive& ar) {
        // An outer object of the current schema holding an inner one of schema 1.
        ar.WriteClass(RUNTIME_CLASS(CTestVersioned));
        ar << static_cast<LONG>(1);
        ar.WriteClass(&versionedSchema1);
        ar << static_cast<LONG>(3) << static_cast<const CObject*>(nullptr);
        ar << static_cast<LONG>(2);
    });
    Loaded(bytes, [](CArchive& ar) {
        CTestVersioned* outer = nullptr;
        ar >> outer;
        ASSERT_NE(outer, nullptr);
        EXPECT_EQ(outer->m_schemaBeforeInner, 2u);
        EXPECT_EQ(outer->m_schemaAfterInner, 2u);
        EXPECT_EQ(outer->m_second, 2);
        auto* inner = dynamic_cast<CTestVersioned*>(outer->m_inner);
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(inner->m_schemaBeforeInner, 1u);
        EXPECT_EQ(inner->m_first, 3);
        delete outer;
    });
}

TEST(CArchive, ObjectOfAnotherClassThanRequestedIsBadClass)
{
    CTestCircle circle(1, 1.0, "c");
    const std::string bytes = StoredBytes([&](CArchive& ar) { ar << &circle; });
    EXPECT_EQ(ArchiveCause([&] { Loaded(bytes, [](CArchive& ar) { CTestNode* node; ar >> node; }); }),
              CArchiveException::badClass);
    // A base class is a fine request.
    Loaded(bytes, [](CArchive& ar) {
        CTestShape* shape = nullptr;
        ar >> shape;
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));
        delete shape;
    });
}

TEST(CArchive, DamagedTagsAreRefused)
{
    struct Case
    {
        std::string bytes;
        int cause;
    };
    const Case cases[] = {
        { std::string("\x05\x00", 2), CArchiveException::badIndex },                  // object never stored
        { std::string("\x01\x80", 2), CArchiveException::badIndex },                  // class never stored
        { std::string("\xFF\x7F\x09\x00\x00\x00", 6), CArchiveException::badIndex },  // long object tag
        { std::string("\xFF\xFF\x01\x00\x07\x00" "CNoSuch", 13), CArchiveException::badClass },
        { std::string("\xFF\xFF\xFF\xFF\x0E\x00" "CTestCreatable", 20), CArchiveException::badClass },  // not serial
        { std::string("\xFF\xFF\x01\x00\xC8\x00", 6), CArchiveException::badClass },  // 200-byte name
        { std::string("\xFF\xFF\x01\x00\x0A\x00" "CTest", 11), CArchiveException::endOfFile },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArchiveCause([&] { Loaded(c.bytes, [](CArchive& ar) { CObject* p; ar >> p; }); }), c.cause) << Hex(c.bytes);
}

TEST(CArchive, ObjectWhoseLoadingFailsIsFreedWithWhatItRead)
{
    CTestGuarded guarded;
    guarded.m_child = new CTestShape(4);
    guarded.m_version = 2;
    const int liveBefore = LiveObjects::count;
    const std::string bytes = StoredBytes([&](CArchive& ar) { ar << &guarded << &guarded; });

    Loaded(bytes, [&](CArchive& ar) {
        EXPECT_EQ(ArchiveCause([&] { CObject* p; ar >> p; }), CArchiveException::badSchema);
        EXPECT_EQ(LiveObjects::count, liveBefore);
        // The second reference names the object that was dropped.
        EXPECT_EQ(ArchiveCause([&] { CObject* p; ar >> p; }), CArchiveException::badIndex);
    });
}


namespace
{
// nDepth guarded objects, each the child of the one before, as the writer would store them: the
// first names the class, every other refers to it (class index 1), the last has no child, and each
// ends in its version.
std::string GuardedChain(size_t nDepth)
{
    CTestGuarded leaf;
    const std::string one = StoredBytes([&](CArchive& ar) { ar << &leaf; });
    const std::string nullChild("\x00\x00", 2);
    const std::string version("\x01\x00", 2);
    const std::string classHeader = one.substr(0, one.size() - nullChild.size() - version.size());
    std::string bytes = classHeader;
    bytes.reserve(classHeader.size() + 4 * nDepth);
    for (size_t i = 1; i < nDepth; ++i)
        bytes += "\x01\x80";
    bytes += nullChild;
    for (size_t i = 0; i < nDepth; ++i)
        bytes += version;
    return bytes;
}
}

// Each level of objects within objects is a level of the readers' recursion: an archive of a
// megabyte could nest a quarter of a million deep and run the reader off its stack. Loads stop at a
// depth far above any real document, and free what they had read.
TEST(CArchive, ObjectsNestedBeyondTheLimitAreRefusedAndFreed)
{
    const int liveBefore = LiveObjects::count;
    Loaded(GuardedChain(CArchive::nMaxLoadNesting), [&](CArchive& ar) {
        CObject* pRoot = nullptr;
        ar >> pRoot;
        size_t nDepth = 0;
        for (CObject* p = pRoot; p != nullptr; p = static_cast<CTestGuarded*>(p)->m_child)
            ++nDepth;
        EXPECT_EQ(nDepth, CArchive::nMaxLoadNesting);
        delete pRoot;
    });
    EXPECT_EQ(LiveObjects::count, liveBefore);

    for (size_t nDepth : { size_t(CArchive::nMaxLoadNesting) + 1, size_t(256 * 1024) })
    {
        const std::string bytes = GuardedChain(nDepth);
        EXPECT_EQ(ArchiveCause([&] { Loaded(bytes, [](CArchive& ar) { CObject* p; ar >> p; }); }),
                  CArchiveException::genericException) << nDepth << " deep, " << bytes.size() << " bytes";
        EXPECT_EQ(LiveObjects::count, liveBefore);
    }
}
// An owner that reads an object takes it alone: a reference back to one read before is refused, the
// same object read as a new one and null pass.
TEST(CArchive, AnOwnedObjectMayNotBeAReferenceBack)
{
    CTestShape shape(5);
    const std::string bytes = StoredBytes([&](CArchive& ar) {
        ar << &shape << &shape << static_cast<const CObject*>(nullptr);
    });
    Loaded(bytes, [&](CArchive& ar) {
        CObject* pFirst = ar.ReadOwnedObject(RUNTIME_CLASS(CTestShape));
        ASSERT_NE(pFirst, nullptr);
        EXPECT_EQ(static_cast<CTestShape*>(pFirst)->m_id, 5);
        EXPECT_EQ(ArchiveCause([&] { ar.ReadOwnedObject(RUNTIME_CLASS(CTestShape)); }), CArchiveException::badIndex);
        EXPECT_EQ(ar.ReadOwnedObject(RUNTIME_CLASS(CTestShape)), nullptr);
        delete pFirst;
    });
    // A plain read takes the reference as before.
    Loaded(bytes, [&](CArchive& ar) {
        CObject* pFirst = ar.ReadObject(RUNTIME_CLASS(CTestShape));
        EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(CTestShape)), pFirst);
        delete pFirst;
    });
}

TEST(CArchive, WritingAnObjectOfANonSerialClassIsRefused)
{
    CTestPlain plain;
    EXPECT_EQ(ArchiveCause([&] { StoredBytes([&](CArchive& ar) { ar << &plain; }); }), CArchiveException::badClass);
}

TEST(CArchive, FlushOnLoadGivesUnreadBytesBackToTheFile)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<DWORD>(1) << static_cast<DWORD>(2) << static_cast<DWORD>(3);
        ar.Close();
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        DWORD first = 0;
        ar >> first;
        ar.Close();
    }
    EXPECT_EQ(file.GetPosition(), 4u);
}

TEST(CArchive, SmallBufferStillCarriesLargeBlocks)
{
    CMemFile file;
    std::string block(10000, '\0');
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 7);
    {
        CArchive ar(&file, CArchive::store, 16);
        ar.Write(block.data(), static_cast<UINT>(block.size()));
        ar << CString("tail");
    }    // the destructor writes what is left in the buffer
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 16);
    std::string back(block.size(), '\0');
    EXPECT_EQ(ar.Read(&back[0], static_cast<UINT>(back.size())), block.size());
    EXPECT_EQ(back, block);
    CString tail;
    ar >> tail;
    EXPECT_STREQ(tail, "tail");
}

TEST(CArchive, SharedFileCarriesAnArchiveThroughAGlobalBlock)
{
    CTestCircle circle(3, 1.5, "shared");
    CSharedFile writer(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, 4096);
    {
        CArchive ar(&writer, CArchive::store, 4096);
        ar << &circle;
        ar.Close();
    }
    const HGLOBAL block = writer.Detach();
    ASSERT_NE(block, nullptr);
    {
        CSharedFile reader;
        reader.SetHandle(block, TRUE);
        CArchive ar(&reader, CArchive::load, 4096);
        CTestCircle* back = nullptr;
        ar >> back;
        ASSERT_NE(back, nullptr);
        EXPECT_STREQ(back->m_label, "shared");
        EXPECT_EQ(back->m_radius, 1.5);
        delete back;
    }
    ::GlobalFree(block);
}

TEST(CArchive, DocumentPointerIsTheCallersToUse)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(ar.m_pDocument, nullptr);
    EXPECT_EQ(ar.GetFile(), &file);
    EXPECT_TRUE(ar.IsStoring());
    EXPECT_FALSE(ar.IsLoading());
}
