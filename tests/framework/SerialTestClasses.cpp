#include "SerialTestClasses.h"

#include "framework/core/Exceptions.h"

int LiveObjects::count = 0;

IMPLEMENT_SERIAL(CTestShape, CObject, 1)
IMPLEMENT_SERIAL(CTestCircle, CTestShape, 1)
IMPLEMENT_SERIAL(CTestNode, CObject, 1)
IMPLEMENT_SERIAL(CTestGuarded, CObject, 1)
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_DYNCREATE(CTestCreatable, CObject)
IMPLEMENT_DYNAMIC(CTestPlain, CObject)

CTestShape::CTestShape() { ++LiveObjects::count; }

CTestShape::CTestShape(LONG id) : m_id(id) { ++LiveObjects::count; }

CTestShape::~CTestShape() { --LiveObjects::count; }

void CTestShape::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_id;
    else
        ar >> m_id;
}

CTestCircle::CTestCircle(LONG id, double radius, LPCTSTR label) : CTestShape(id), m_radius(radius), m_label(label) {}

void CTestCircle::Serialize(CArchive& ar)
{
    CTestShape::Serialize(ar);
    if (ar.IsStoring())
        ar << m_radius << m_label;
    else
        ar >> m_radius >> m_label;
}

CTestNode::CTestNode() { ++LiveObjects::count; }

CTestNode::~CTestNode() { --LiveObjects::count; }

void CTestNode::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_name;
        ar.WriteCount(m_children.size());
        for (CObject* child : m_children)
            ar << child;
    }
    else
    {
        ar >> m_name;
        const DWORD_PTR count = ar.ReadCount();
        m_children.assign(count, nullptr);
        for (CObject*& child : m_children)
            ar >> child;
    }
}

CTestGuarded::CTestGuarded() { ++LiveObjects::count; }

CTestGuarded::~CTestGuarded()
{
    delete m_child;
    --LiveObjects::count;
}

void CTestGuarded::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_child << m_version;
        return;
    }
    ar >> m_child;
    ar >> m_version;
    if (m_version > 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
}

CTestVersioned::CTestVersioned() { ++LiveObjects::count; }

CTestVersioned::~CTestVersioned()
{
    delete m_inner;
    --LiveObjects::count;
}

void CTestVersioned::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_first << m_inner << m_second;
        return;
    }
    m_schemaBeforeInner = ar.GetObjectSchema();
    ar >> m_first >> m_inner;
    m_schemaAfterInner = ar.GetObjectSchema();
    if (m_schemaAfterInner >= 2)
        ar >> m_second;
}
