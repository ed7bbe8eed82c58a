#include "SerialTestClasses.h"

#include "framework/core/NoTrackObject.h"
#include "framework/core/Object.h"

#include <gtest/gtest.h>

#include <memory>

TEST(CObject, IsKindOfWalksTheBaseClasses)
{
    const CTestCircle circle;
    const CTestNode node;
    struct Case
    {
        const CObject* object;
        const CRuntimeClass* pClass;
        BOOL expected;
    };
    const Case cases[] = {
        { &circle, RUNTIME_CLASS(CTestCircle), TRUE },
        { &circle, RUNTIME_CLASS(CTestShape), TRUE },
        { &circle, RUNTIME_CLASS(CObject), TRUE },
        { &circle, RUNTIME_CLASS(CTestNode), FALSE },
        { &node, RUNTIME_CLASS(CTestShape), FALSE },
        { &node, RUNTIME_CLASS(CTestCircle), FALSE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.object->IsKindOf(c.pClass), c.expected) << c.pClass->m_lpszClassName;
}

TEST(CObject, RuntimeClassRecordsNameSizeSchemaAndBase)
{
    const CRuntimeClass* pClass = RUNTIME_CLASS(CTestCircle);
    EXPECT_STREQ(pClass->m_lpszClassName, "CTestCircle");
    EXPECT_EQ(pClass->m_nObjectSize, static_cast<int>(sizeof(CTestCircle)));
    EXPECT_EQ(pClass->m_wSchema, 1u);
    EXPECT_EQ(pClass->m_pBaseClass, RUNTIME_CLASS(CTestShape));
    EXPECT_EQ(RUNTIME_CLASS(CTestVersioned)->m_wSchema, VERSIONABLE_SCHEMA | 2);
    EXPECT_EQ(RUNTIME_CLASS(CTestPlain)->m_wSchema, 0xFFFFu);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);

    const CTestCircle circle;
    const CObject& asObject = circle;
    EXPECT_EQ(asObject.GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));
    EXPECT_TRUE(circle.IsSerializable());
    EXPECT_FALSE(CTestPlain().IsSerializable());
}

TEST(CObject, CreatesObjectsByClassRecordAndByName)
{
    std::unique_ptr<CObject> byRecord(RUNTIME_CLASS(CTestCircle)->CreateObject());
    ASSERT_NE(byRecord, nullptr);
    EXPECT_EQ(byRecord->GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));

    std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject("CTestCircle"));
    ASSERT_NE(byName, nullptr);
    EXPECT_TRUE(byName->IsKindOf(RUNTIME_CLASS(CTestShape)));

    std::unique_ptr<CObject> dynCreated(CRuntimeClass::CreateObject("CTestCreatable"));
    ASSERT_NE(dynCreated, nullptr);
    EXPECT_EQ(dynCreated->GetRuntimeClass(), RUNTIME_CLASS(CTestCreatable));
}

TEST(CObject, FromNameKnowsOnlyCreatableClasses)
{
    EXPECT_EQ(CRuntimeClass::FromName("CTestShape"), RUNTIME_CLASS(CTestShape));
    EXPECT_EQ(CRuntimeClass::FromName("CTestCreatable"), RUNTIME_CLASS(CTestCreatable));
    EXPECT_EQ(CRuntimeClass::FromName("CTestPlain"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CTestNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CTestNoSuchClass"), nullptr);
    // A class without a creation function answers NULL instead of failing.
    EXPECT_EQ(RUNTIME_CLASS(CTestPlain)->CreateObject(), nullptr);
}

namespace {

// Process-wide state of the kind the formula engine keeps: fields without initialisers.
struct CEngineStateProbe : public CNoTrackObject
{
    int nSheets;
    void* pFirstBlock;
    char name[16];
};

} // namespace

TEST(CNoTrackObject, ComesZeroFilledAndGoesWithDelete)
{
    auto* pState = new CEngineStateProbe;
    EXPECT_EQ(pState->nSheets, 0);
    EXPECT_EQ(pState->pFirstBlock, nullptr);
    EXPECT_STREQ(pState->name, "");
    CNoTrackObject* pBase = pState;
    delete pBase;
}
