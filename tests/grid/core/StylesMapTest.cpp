#include "grid/core/StylesMap.h"

#include "framework/core/Exceptions.h"
#include "grid/core/LibraryLinks.h"
#include "grid/core/Style.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct StandardStyleCase
{
    LPCTSTR pszName;
    UINT nResourceId;
};

class StylesMapTest : public ::testing::Test
{
protected:
    CGXStylesMap map;
};
}  // namespace

TEST_F(StylesMapTest, StartsEmptyWithItsSection)
{
    EXPECT_EQ(0, map.IsEmpty());
    EXPECT_STREQ("Styles", map.GetSection());
    EXPECT_EQ(RUNTIME_CLASS(CGXStyle), map.GetStyleClass());
}

TEST_F(StylesMapTest, StandardStylesAreRegisteredByNameAndStringId)
{
    map.CreateStandardStyles();
    EXPECT_EQ(-1, map.IsEmpty());
    const StandardStyleCase cases[] = {{"Standard", 52768}, {"Column Header", 52770}, {"Row Header", 52769}};
    const WORD expectedIds[] = {map.m_wStyleStandard, map.m_wStyleColHeader, map.m_wStyleRowHeader};
    for (int i = 0; i < 3; ++i)
    {
        WORD nId = 0xFFFF;
        UINT nResourceId = 0;
        const CGXStyle* pStyle = nullptr;
        ASSERT_TRUE(map.LookupStyleByName(cases[i].pszName, nId, nResourceId, pStyle)) << cases[i].pszName;
        EXPECT_EQ(expectedIds[i], nId);
        EXPECT_EQ(static_cast<WORD>(i), nId) << "ids follow the order of registration";
        EXPECT_EQ(cases[i].nResourceId, nResourceId);
        ASSERT_NE(nullptr, pStyle);
        WORD nByResource = 0xFFFF;
        EXPECT_TRUE(map.LookupResourceStyleId(cases[i].nResourceId, nByResource));
        EXPECT_EQ(nId, nByResource);
    }
}

TEST_F(StylesMapTest, StandardStylesCarryTheirSettings)
{
    map.CreateStandardStyles();
    const CGXStyle* pStandard = map.GetStandardStyle();
    ASSERT_NE(nullptr, pStandard);
    EXPECT_TRUE(pStandard->GetIncludeFont());
    EXPECT_DOUBLE_EQ(10.0, pStandard->GetFont().GetSize());
    EXPECT_TRUE(pStandard->GetIncludeValue() || pStandard->GetIncludeControl());

    const CGXStyle* pColHeader = nullptr;
    ASSERT_TRUE(map.LookupStyle(map.m_wStyleColHeader, pColHeader));
    EXPECT_EQ(GX_IDS_CTRL_HEADER, pColHeader->GetControl());
    EXPECT_TRUE(pColHeader->GetFont().GetBold());
    EXPECT_EQ(static_cast<DWORD>(DT_CENTER), pColHeader->GetHorizontalAlignment());

    const CGXStyle* pRowHeader = nullptr;
    ASSERT_TRUE(map.LookupStyle(map.m_wStyleRowHeader, pRowHeader));
    EXPECT_EQ(GX_IDS_CTRL_HEADER, pRowHeader->GetControl());
    EXPECT_TRUE(pRowHeader->GetIncludeInterior());
    EXPECT_FALSE(pRowHeader->GetIncludeBorders());
}

TEST_F(StylesMapTest, FlatHeaderLookGivesHeadersNoLineBorders)
{
    GXGetLibraryLinks().bFlatHeaders = TRUE;
    map.CreateStandardStyles();
    GXGetLibraryLinks().bFlatHeaders = FALSE;
    const CGXStyle* pRowHeader = nullptr;
    ASSERT_TRUE(map.LookupStyle(map.m_wStyleRowHeader, pRowHeader));
    for (int nEdge = gxBorderTop; nEdge <= gxBorderRight; ++nEdge)
    {
        EXPECT_TRUE(pRowHeader->IsBorderIncluded(nEdge));
        EXPECT_EQ(static_cast<UINT>(PS_NULL), pRowHeader->GetBorders(nEdge).GetStyle());
    }
}

TEST_F(StylesMapTest, RegisteringANameAgainKeepsItsIdAndReplacesItsStyle)
{
    CGXStyle first;
    first.SetValue("first");
    CGXStyle second;
    second.SetValue("second");
    const WORD nFirstId = map.RegisterStyle("Totals", first);
    const WORD nOtherId = map.RegisterStyle("Other", first);
    const WORD nAgainId = map.RegisterStyle("Totals", second);
    EXPECT_EQ(nFirstId, nAgainId);
    EXPECT_NE(nFirstId, nOtherId);
    const CGXStyle* pStyle = nullptr;
    ASSERT_TRUE(map.LookupStyle(nFirstId, pStyle));
    EXPECT_STREQ("second", pStyle->GetValue());
    EXPECT_EQ(2, map.GetStyleCount());
}

TEST_F(StylesMapTest, StringIdWithoutTextIsNamedUA)
{
    const WORD nId = map.RegisterStyleName(5, CGXStyle());
    UINT nResourceId = 0;
    EXPECT_STREQ("UA5", map.GetStyleName(nId, nResourceId));
    EXPECT_EQ(5u, nResourceId);
    WORD nByName = 0xFFFF;
    EXPECT_TRUE(map.LookupStyleId("UA5", nByName));
    EXPECT_EQ(nId, nByName);
}

TEST_F(StylesMapTest, UnknownStringIdIsToldApartFromTheFirstStyle)
{
    map.CreateStandardStyles();
    WORD nId = 0xFFFF;
    ASSERT_TRUE(map.LookupResourceStyleId(52768, nId));
    EXPECT_EQ(0, nId);
    nId = 0xFFFF;
    EXPECT_FALSE(map.LookupResourceStyleId(40000, nId));
    EXPECT_EQ(0xFFFF, nId) << "the out value stays untouched";
}

TEST_F(StylesMapTest, UnknownIdsAnswerNothing)
{
    const CGXStyle* pStyle = nullptr;
    EXPECT_FALSE(map.LookupStyle(7, pStyle));
    UINT nResourceId = 0;
    EXPECT_EQ(nullptr, map.GetStyleName(7, nResourceId));
    WORD nId = 0;
    EXPECT_FALSE(map.LookupStyleId("Missing", nId));
}

TEST_F(StylesMapTest, RemoveAllStartsTheCounterAgain)
{
    map.CreateStandardStyles();
    map.RemoveAll();
    EXPECT_EQ(0, map.IsEmpty());
    EXPECT_EQ(0, map.RegisterStyle("Again", CGXStyle()));
}

// 65536 ids: once they are all taken a new base style is refused instead of taking id 0 again, which
// would replace the standard style.
TEST_F(StylesMapTest, ANewStyleIsRefusedWhenTheIdsAreUsedUp)
{
    map.CreateStandardStyles();
    const CGXStyle* pStandard = map.GetStandardStyle();
    ASSERT_NE(nullptr, pStandard);
    const CString strStandardValue = pStandard->GetValue();
    CGXStyle style;
    style.SetValue("filler");
    WORD nLast = 0;
    for (int n = map.GetStyleCount(); n < 0x10000; ++n)
    {
        CString name;
        name.Format("Filler %d", n);
        nLast = map.RegisterStyle(name, style);
    }
    EXPECT_EQ(0xFFFF, nLast);
    ASSERT_EQ(0x10000, map.GetStyleCount());

    CGXStyle intruder;
    intruder.SetValue("intruder");
    bool bRefused = false;
    try
    {
        map.RegisterStyle("One too many", intruder);
    }
    catch (CResourceException* e)
    {
        e->Delete();
        bRefused = true;
    }
    EXPECT_TRUE(bRefused);
    bRefused = false;
    try
    {
        map.RegisterStyleName(5, intruder);
    }
    catch (CResourceException* e)
    {
        e->Delete();
        bRefused = true;
    }
    EXPECT_TRUE(bRefused);

    EXPECT_EQ(0x10000, map.GetStyleCount());
    WORD nId = 0;
    EXPECT_FALSE(map.LookupStyleId("One too many", nId));
    EXPECT_FALSE(map.LookupStyleId("UA5", nId));
    const CGXStyle* pStyle = nullptr;
    ASSERT_TRUE(map.LookupStyle(map.m_wStyleStandard, pStyle));
    EXPECT_EQ(pStandard, pStyle);
    EXPECT_EQ(strStandardValue, pStyle->GetValue());
    // A name already registered still takes its new style.
    EXPECT_EQ(nLast, map.RegisterStyle("Filler 65535", intruder));
}

TEST_F(StylesMapTest, CellStylesResolveTheirBaseStyleThroughTheMap)
{
    CGXStyle base;
    base.SetValue("from base").SetHorizontalAlignment(DT_RIGHT);
    const WORD nBaseId = map.RegisterStyle("Base", base);
    CGXStyle cell;
    cell.SetBaseStyle(nBaseId).SetHorizontalAlignment(DT_CENTER);
    cell.ResolveBaseStyles(&map);
    EXPECT_STREQ("from base", cell.GetValue());
    EXPECT_EQ(static_cast<DWORD>(DT_CENTER), cell.GetHorizontalAlignment());
}

TEST_F(StylesMapTest, UserAttributeIsFoundByNameAndId)
{
    CGXStyle editing;
    editing.SetControl(GX_IDS_CTRL_EDIT);
    map.AddUserAttribute(51011, &editing);
    map.AddUserAttribute(51013);

    WORD nId = 0;
    ASSERT_TRUE(map.LookupUserAttributeId("Valid: Min. Value", nId));
    EXPECT_EQ(51011, nId);
    const CGXStylesMapUserAttributeInfo* pInfo = map.LookupUserAttributeInfo(51011);
    ASSERT_NE(nullptr, pInfo);
    EXPECT_STREQ("Valid: Min. Value", pInfo->sName);
    ASSERT_NE(nullptr, pInfo->pStyle);
    EXPECT_EQ(GX_IDS_CTRL_EDIT, pInfo->pStyle->GetControl());

    const CGXStylesMapUserAttributeInfo* pWarning = map.LookupUserAttributeInfo(51013);
    ASSERT_NE(nullptr, pWarning);
    EXPECT_STREQ("Valid: Warning Msg", pWarning->sName);
    EXPECT_TRUE(pWarning->pStyle->IsEmpty());
    EXPECT_EQ(2, map.GetUserAttributeInfoMap().GetCount());
}

TEST_F(StylesMapTest, UserAttributeWithoutTextRaisesAndLeavesNoRecord)
{
    bool bRaised = false;
    try
    {
        map.AddUserAttribute(7);
    }
    catch (CException* e)
    {
        bRaised = true;
        e->Delete();
    }
    EXPECT_TRUE(bRaised);
    EXPECT_EQ(nullptr, map.LookupUserAttributeInfo(7));
}

TEST_F(StylesMapTest, ControlsAreRegisteredWithTheirDisplayNames)
{
    map.RegisterControl(52513);
    CString name;
    ASSERT_TRUE(map.LookupControlName(52513, name));
    EXPECT_STREQ("Static Text", name);
    bool bRaised = false;
    try
    {
        map.RegisterControl(9);
    }
    catch (CException* e)
    {
        bRaised = true;
        e->Delete();
    }
    EXPECT_TRUE(bRaised);
    EXPECT_FALSE(map.LookupControlName(9, name));
}

namespace
{
class RecordingStorage : public CGXAbstractDocSerializeImp, public CGXAbstractParamCopyOperatorImp
{
public:
    void SerializeStylesMap(CGXStylesMap&, CArchive&) override { ++nSerialized; }
    void SerializeProperties(CGXProperties&, CArchive&) override {}
    void CopyStylesMap(CGXStylesMap& dest, const CGXStylesMap& src) override
    {
        ++nCopied;
        dest.SetSection(src.GetSection());
    }
    void CopyProperties(CGXProperties&, const CGXProperties&) override {}
    int nSerialized = 0;
    int nCopied = 0;
};
}  // namespace

TEST_F(StylesMapTest, CopiesGoThroughTheCopyComponentAndNothingWithoutIt)
{
    const ScopedNoLibraryComponents noComponents;
    map.SetSection("Mine");
    CGXStylesMap plain(map);
    EXPECT_STREQ("Styles", plain.GetSection()) << "no component: nothing is copied";

    RecordingStorage storage;
    GXGetLibraryLinks().pParamCopyOperatorImp = &storage;
    CGXStylesMap copied(map);
    EXPECT_EQ(1, storage.nCopied);
    EXPECT_STREQ("Mine", copied.GetSection());
}
