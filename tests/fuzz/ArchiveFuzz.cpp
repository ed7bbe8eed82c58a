// The framework's archives: objects with their classes, schemas and back references, strings,
// counts and the collections' own forms.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzArchive.h"

#include "framework/core/Archive.h"
#include "framework/core/Arrays.h"
#include "framework/core/CollectionBase.h"
#include "framework/core/File.h"
#include "framework/core/Lists.h"

#include <algorithm>
#include <cstring>
#include <set>

// A leaf of the fuzz documents: a versionable class whose second schema added a text.
class CFuzzShape : public CObject
{
    DECLARE_SERIAL(CFuzzShape)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_id << m_size << m_label;
            return;
        }
        const UINT schema = ar.GetObjectSchema();
        if (schema < 1 || schema > 2)
            AfxThrowArchiveException(CArchiveException::badSchema);
        ar >> m_id >> m_size;
        if (schema >= 2)
            ar >> m_label;
    }
    LONG m_id = 0;
    double m_size = 0.0;
    CString m_label;
};
IMPLEMENT_SERIAL(CFuzzShape, CObject, VERSIONABLE_SCHEMA | 2)

// What a document may hold: shapes, value collections and documents. Anything else is refused, as a
// program refuses a class its files never hold.
namespace
{
bool IsDocumentElement(const CObject* pObject);
}

// A document as a program keeps one: it owns every object it reads once, and keeps a back reference
// to an object owned already as a reference only. Owners of a load are known across documents, so a
// reference into another document is never owned twice.
class CFuzzDocument : public CObject
{
    DECLARE_SERIAL(CFuzzDocument)
public:
    ~CFuzzDocument() override
    {
        for (CObject* pOwned : m_owned)
        {
            Owned().erase(pOwned);
            delete pOwned;
        }
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_title;
            ar.WriteCount(m_elements.size());
            for (CObject* pElement : m_elements)
                ar << pElement;
            return;
        }
        // A document still being read belongs to the one that reads it: a reference back to it from
        // inside is no ownership.
        struct Reading
        {
            explicit Reading(CFuzzDocument* p) : pDocument(p) { InProgress().insert(p); }
            ~Reading() { InProgress().erase(pDocument); }
            CFuzzDocument* pDocument;
        } reading(this);
        ar >> m_title;
        for (INT_PTR n = AfxReadCollectionCount(ar, 2); n > 0; --n)
        {
            CObject* pElement = ar.ReadObject(RUNTIME_CLASS(CObject));
            if (pElement == nullptr)
                continue;
            const bool bOwnedAlready = Owned().count(pElement) != 0 || InProgress().count(pElement) != 0;
            if (!bOwnedAlready)
            {
                if (!IsDocumentElement(pElement))
                {
                    delete pElement;
                    AfxThrowArchiveException(CArchiveException::badClass);
                }
                m_owned.push_back(pElement);
                Owned().insert(pElement);
            }
            m_elements.push_back(pElement);
        }
    }
    // Every object some document owns.
    static std::set<CObject*>& Owned()
    {
        static std::set<CObject*> owned;
        return owned;
    }
    static std::set<CObject*>& InProgress()
    {
        static std::set<CObject*> reading;
        return reading;
    }
    CString m_title;
    std::vector<CObject*> m_elements;   // in the order read, references included
    std::vector<CObject*> m_owned;
};
IMPLEMENT_SERIAL(CFuzzDocument, CObject, 1)

namespace
{
bool IsDocumentElement(const CObject* pObject)
{
    const CRuntimeClass* const allowed[] = {
        RUNTIME_CLASS(CFuzzShape), RUNTIME_CLASS(CFuzzDocument), RUNTIME_CLASS(CStringArray),
        RUNTIME_CLASS(CDWordArray), RUNTIME_CLASS(CWordArray),   RUNTIME_CLASS(CByteArray),
        RUNTIME_CLASS(CStringList),
    };
    for (const CRuntimeClass* pClass : allowed)
        if (pObject->GetRuntimeClass() == pClass)
            return true;
    return false;
}

// Runs a load over the input; the archive's own exception is its clear error.
template <class Load>
FuzzOutcome Loaded(const std::string& input, Load load)
{
    return FuzzLoaded(input, load) ? FuzzOutcome::Accepted : FuzzOutcome::Refused;
}

// ---- Objects ----

CFuzzShape* Shape(LONG id, double size, const char* label)
{
    CFuzzShape* pShape = new CFuzzShape;
    pShape->m_id = id;
    pShape->m_size = size;
    pShape->m_label = label;
    return pShape;
}

std::vector<std::string> ObjectSeeds()
{
    std::vector<std::string> seeds;
    // A document of shapes and collections, a reference back to one of its shapes, and a nested document.
    CFuzzDocument document;
    document.m_title = "Drainage layer";
    CFuzzShape* pFirst = Shape(1, 2.5, "first");
    document.m_elements = {pFirst, Shape(2, -1e300, std::string(300, 'x').c_str()), nullptr};
    auto* pTexts = new CStringArray;
    pTexts->Add("0.075");
    pTexts->Add(CString('y', 70000));
    auto* pWords = new CWordArray;
    pWords->Add(0xFFFF);
    auto* pDWords = new CDWordArray;
    pDWords->Add(7);
    pDWords->Add(0xFFFFFFFF);
    auto* pBytes = new CByteArray;
    pBytes->SetSize(40);
    auto* pList = new CStringList;
    pList->AddTail("one");
    pList->AddTail("");
    auto* pInner = new CFuzzDocument;
    pInner->m_title = "inner";
    pInner->m_elements = {Shape(3, 0.0, ""), pFirst};
    pInner->m_owned = {pInner->m_elements[0]};
    document.m_elements.insert(document.m_elements.end(), {pTexts, pWords, pDWords, pBytes, pList, pInner, pFirst});
    for (CObject* pElement : document.m_elements)
        if (pElement != nullptr && pElement != pFirst)
            document.m_owned.push_back(pElement);
    document.m_owned.push_back(pFirst);
    seeds.push_back(StoredBytes([&](CArchive& ar) {
        ar << static_cast<const CObject*>(&document) << static_cast<const CObject*>(nullptr);
    }));
    // Two documents in one archive: the second refers to objects of the first.
    seeds.push_back(StoredBytes([&](CArchive& ar) {
        ar << static_cast<const CObject*>(pInner) << static_cast<const CObject*>(&document);
    }));
    // Null and an empty document.
    CFuzzDocument empty;
    seeds.push_back(StoredBytes([&](CArchive& ar) { ar << static_cast<const CObject*>(nullptr) << &empty; }));
    // Documents within documents, as deep as an archive may nest them: a level more is refused.
    CFuzzDocument nested;
    CFuzzDocument* pLevel = &nested;
    for (UINT nDepth = 1; nDepth < CArchive::nMaxLoadNesting; ++nDepth)
    {
        auto* pInnerLevel = new CFuzzDocument;
        pLevel->m_elements = {pInnerLevel};
        pLevel->m_owned = {pInnerLevel};
        pLevel = pInnerLevel;
    }
    seeds.push_back(StoredBytes([&](CArchive& ar) {
        ar << static_cast<const CObject*>(&nested) << static_cast<const CObject*>(nullptr);
    }));
    return seeds;
}

std::vector<std::string> ObjectTokens()
{
    return {
        FuzzWord(0xFFFF) + FuzzWord(1) + FuzzWord(10) + "CFuzzShape",          // a new class
        FuzzWord(0xFFFF) + FuzzWord(0x7FFF) + FuzzWord(10) + "CFuzzShape",     // a schema never written
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(8) + "CObArray",            // a class documents never hold
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(11) + "CNoSuchName",        // a class nobody knows
        FuzzWord(0xFFFF) + FuzzWord(1) + FuzzWord(0xFFFF),                    // a class name longer than the file
        FuzzWord(0x8001), FuzzWord(0x8002), FuzzWord(0x80FF), FuzzWord(0xFFFE),   // classes by index
        FuzzWord(0x0001), FuzzWord(0x0002), FuzzWord(0x0003), FuzzWord(0x7FFE),   // objects by index (stale keys)
        FuzzWord(0x7FFF) + FuzzDWord(0x80000001), FuzzWord(0x7FFF) + FuzzDWord(0x7FFFFFFF),
        FuzzWord(0xFFFF) + FuzzDWord(0xFFFFFFFF) + std::string(8, '\xFF'),     // a count beyond any file
        std::string(1, '\xFF') + FuzzWord(0xFFFE) + std::string(1, '\xFF') + FuzzWord(0xFFFE),   // two wide marks
        std::string(1, '\xFF') + FuzzWord(0xFFFF) + FuzzDWord(0x7FFFFFFF),   // a text longer than the file
    };
}

FuzzOutcome ReadObjects(const std::string& input)
{
    std::vector<CObject*> roots;
    const FuzzOutcome outcome = Loaded(input, [&](CArchive& ar) {
        for (int i = 0; i < 2; ++i)
        {
            // The program owns each document it reads; a later one may refer to it, not take it in.
            CObject* pRoot = ar.ReadObject(RUNTIME_CLASS(CFuzzDocument));
            if (pRoot != nullptr && CFuzzDocument::Owned().insert(pRoot).second)
                roots.push_back(pRoot);
        }
    });
    for (CObject* pRoot : roots)
        if (!pRoot->IsKindOf(RUNTIME_CLASS(CFuzzDocument)))
            throw FuzzFault("an object of another class than asked for came back");
    for (CObject* pRoot : roots)
    {
        CFuzzDocument::Owned().erase(pRoot);
        delete pRoot;
    }
    if (!CFuzzDocument::Owned().empty())
    {
        CFuzzDocument::Owned().clear();
        throw FuzzFault("objects owned by no document that came back");
    }
    return outcome;
}

// ---- Strings, counts and collections into objects the caller holds ----

struct Collections
{
    CStringArray texts;
    CDWordArray dwords;
    CWordArray words;
    CByteArray bytes;
    CStringList list;
    CString text;
};

// Contents that no archive of the seeds holds, to see whether a refused load changed them.
void MarkCollections(Collections& c)
{
    c.texts.Add("mark");
    c.dwords.Add(0xDEADBEEF);
    c.words.Add(0xBEEF);
    c.bytes.Add(0xEE);
    c.list.AddTail("mark");
    c.text = "mark";
}

void SerializeCollections(CArchive& ar, Collections& c)
{
    c.texts.Serialize(ar);
    c.dwords.Serialize(ar);
    c.words.Serialize(ar);
    c.bytes.Serialize(ar);
    c.list.Serialize(ar);
    ar << c.text;
}

std::vector<std::string> CollectionSeeds()
{
    Collections c;
    c.texts.Add("first");
    c.texts.Add("");
    c.texts.Add(CString('z', 300));
    c.dwords.Add(0xFFFFFFFF);
    c.dwords.Add(12);
    c.words.Add(0x8000);
    c.bytes.SetSize(70000);
    c.list.AddTail("a");
    c.list.AddTail(CString('w', 0xFFFF));
    c.text = "last";
    Collections empty;
    return {
        StoredBytes([&](CArchive& ar) {
            SerializeCollections(ar, c);
            ar.WriteCount(0x12345);
            ar.WriteClass(RUNTIME_CLASS(CStringArray));
        }),
        StoredBytes([&](CArchive& ar) {
            SerializeCollections(ar, empty);
            ar.WriteCount(0);
            ar.WriteClass(RUNTIME_CLASS(CDWordArray));
        }),
    };
}

std::vector<std::string> CollectionTokens()
{
    return {
        FuzzWord(0xFFFF) + FuzzDWord(0xFFFFFFFF) + std::string(8, '\x7F'),
        FuzzWord(0xFFFF) + FuzzDWord(0x10000000),
        FuzzWord(0xFFFE),
        std::string(1, '\xFF') + FuzzWord(0xFFFF) + FuzzDWord(0xFFFFFFFF) + std::string(8, '\xFF'),
        std::string(1, '\xFF') + FuzzWord(0xFFFE) + std::string(1, '\x10') + std::string(32, '\0'),
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(11) + "CStringList",
        FuzzWord(0x8001),
    };
}

FuzzOutcome ReadCollections(const std::string& input)
{
    Collections c;
    MarkCollections(c);
    const char* stage = "texts";
    std::string failedAt;
    std::string copy = input;
    CMemFile file(reinterpret_cast<BYTE*>(copy.data()), static_cast<UINT>(copy.size()));
    // Each collection on its own: a refused one must be as it was, the ones before it as read.
    auto unchanged = [&]() -> bool {
        if (failedAt == "texts")
            return c.texts.GetSize() == 1 && c.texts[0] == "mark";
        if (failedAt == "dwords")
            return c.dwords.GetSize() == 1 && c.dwords[0] == 0xDEADBEEF;
        if (failedAt == "words")
            return c.words.GetSize() == 1 && c.words[0] == 0xBEEF;
        if (failedAt == "bytes")
            return c.bytes.GetSize() == 1 && c.bytes[0] == 0xEE;
        if (failedAt == "list")
            return c.list.GetCount() == 1 && c.list.GetHead() == "mark";
        if (failedAt == "text")
            return c.text == "mark";
        return true;
    };
    try
    {
        CArchive ar(&file, CArchive::load);
        stage = "texts";
        c.texts.Serialize(ar);
        stage = "dwords";
        c.dwords.Serialize(ar);
        stage = "words";
        c.words.Serialize(ar);
        stage = "bytes";
        c.bytes.Serialize(ar);
        stage = "list";
        c.list.Serialize(ar);
        stage = "text";
        ar >> c.text;
        stage = "count";
        ar.ReadCount();
        stage = "class";
        ar.ReadClass(RUNTIME_CLASS(CObject));
        ar.Close();
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        failedAt = stage;
        if (!unchanged())
            throw FuzzFault(std::string("a refused load changed the ") + stage);
        return FuzzOutcome::Refused;
    }
    return FuzzOutcome::Accepted;
}
// ---- Text lines ----

std::vector<std::string> TextLineSeeds()
{
    return {"first line\r\nsecond\n\nlast without end", std::string(5000, 'x') + "\r\n", "\r\n\r\n"};
}

std::vector<std::string> TextLineTokens()
{
    return {"\r", "\n", "\r\n", std::string(1, '\0'), std::string(70000, 'y'), "\x1A"};
}

FuzzOutcome ReadTextLines(const std::string& input)
{
    // Whole lines and lines in a small buffer, in turns, until the end.
    return Loaded(input, [&](CArchive& ar) {
        CString line;
        char buffer[16];
        size_t consumed = 0;
        for (int turn = 0;; ++turn)
        {
            if (turn % 2 == 0)
            {
                if (!ar.ReadString(line))
                    break;
                consumed += static_cast<size_t>(line.GetLength());
            }
            else
            {
                if (ar.ReadString(buffer, sizeof buffer) == nullptr)
                    break;
                if (std::strlen(buffer) >= sizeof buffer)
                    throw FuzzFault("a line longer than the buffer it was read into");
            }
            if (turn > static_cast<int>(input.size()) + 2)
                throw FuzzFault("more lines than the text has bytes");
        }
        if (consumed > input.size())
            throw FuzzFault("lines longer than the text");
    });
}
} // namespace

REGISTER_FUZZ_READER("archive text lines", TextLineSeeds, TextLineTokens, ReadTextLines);
REGISTER_FUZZ_READER("archive objects", ObjectSeeds, ObjectTokens, ReadObjects);
REGISTER_FUZZ_READER("archive collections", CollectionSeeds, CollectionTokens, ReadCollections);
