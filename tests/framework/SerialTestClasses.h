#pragma once
// A small class hierarchy for the object and archive tests.

#include "framework/core/Archive.h"
#include "framework/core/Object.h"

#include <vector>

// Counts live instances of every class below, so tests can see leaks and double frees.
struct LiveObjects
{
    static int count;
};

class CTestShape : public CObject
{
    DECLARE_SERIAL(CTestShape)
public:
    CTestShape();
    explicit CTestShape(LONG id);
    ~CTestShape() override;
    void Serialize(CArchive& ar) override;

    LONG m_id = 0;
};

class CTestCircle : public CTestShape
{
    DECLARE_SERIAL(CTestCircle)
public:
    CTestCircle() = default;
    CTestCircle(LONG id, double radius, LPCTSTR label);
    void Serialize(CArchive& ar) override;

    double m_radius = 0.0;
    CString m_label;
};

// Holds references to other objects without owning them.
class CTestNode : public CObject
{
    DECLARE_SERIAL(CTestNode)
public:
    CTestNode();
    ~CTestNode() override;
    void Serialize(CArchive& ar) override;

    CString m_name;
    std::vector<CObject*> m_children;
};

// Loads a child it owns, then its own WORD version; a version above 1 is refused.
class CTestGuarded : public CObject
{
    DECLARE_SERIAL(CTestGuarded)
public:
    CTestGuarded();
    ~CTestGuarded() override;
    void Serialize(CArchive& ar) override;

    WORD m_version = 1;
    CObject* m_child = nullptr;
};

// Versionable schema 2: the second value exists from schema 2 on.
class CTestVersioned : public CObject
{
    DECLARE_SERIAL(CTestVersioned)
public:
    CTestVersioned();
    ~CTestVersioned() override;
    void Serialize(CArchive& ar) override;

    LONG m_first = 0;
    LONG m_second = -1;
    CObject* m_inner = nullptr;          // owned
    UINT m_schemaBeforeInner = 0;
    UINT m_schemaAfterInner = 0;
};

class CTestCreatable : public CObject
{
    DECLARE_DYNCREATE(CTestCreatable)
};

class CTestPlain : public CObject
{
    DECLARE_DYNAMIC(CTestPlain)
};
