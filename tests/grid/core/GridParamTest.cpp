#include "grid/core/GridParam.h"

#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridCore.h"
#include "grid/core/StylesMap.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

TEST(CGXGridParam, NewObjectHasTheStoredHeaderSizesAndDefaults)
{
    CGXGridParam param;
    LONG nSize = 0;
    ASSERT_TRUE(param.m_RowHeights.Lookup(0, nSize));
    EXPECT_EQ(nSize, 1400);
    ASSERT_TRUE(param.m_ColWidths.Lookup(0, nSize));
    EXPECT_EQ(nSize, 6000);
    EXPECT_FALSE(param.m_RowHeights.Lookup(1, nSize));
    EXPECT_FALSE(param.m_ColWidths.Lookup(1, nSize));
    EXPECT_EQ(param.m_RowHeights.GetCount(), 1);
    EXPECT_EQ(param.m_RowHeights.GetHashTableSize(), 1021u);
    EXPECT_EQ(param.m_ColWidths.GetHashTableSize(), 257u);
    EXPECT_EQ(param.m_nDefaultHeight, 1200);
    EXPECT_EQ(param.m_nDefaultWidth, 10000);

    EXPECT_TRUE(param.m_bNumberedRowHeaders);
    EXPECT_TRUE(param.m_bNumberedColHeaders);
    EXPECT_EQ(param.m_wActivateCell, 1);
    EXPECT_EQ(param.m_wHideCurrentCell, 2);
    EXPECT_EQ(param.m_wKeyboardSetting, 4);
    EXPECT_TRUE(param.IsThumbTrack());
    EXPECT_TRUE(param.IsLockReadOnly());
    EXPECT_FALSE(param.IsReadOnly());
    EXPECT_TRUE(param.IsEnableUndo());
    EXPECT_EQ(param.m_nFrozenRows, 0u);
    EXPECT_EQ(param.m_nHeaderRows, 0u);
    EXPECT_EQ(param.GetData(), nullptr);
    EXPECT_EQ(param.GetStylesMap(), nullptr);
    EXPECT_EQ(param.GetProperties(), nullptr);
    // A covered-cell pool comes with its component, which the library's start-up installs.
    EXPECT_EQ(param.m_pCoveredCellPool != nullptr, GXGetAppData()->m_pCoveredCellPoolImp != nullptr);
    EXPECT_EQ(param.m_bLinesRightBottom, GXGetAppData()->m_bLinesRightBottom);
}

TEST(CGXGridParam, PermissionMasksTestAnyBit)
{
    CGXGridParam param;
    struct Case
    {
        WORD mask;
        BOOL row;
        BOOL selection;
    } cases[] = {{0x01, FALSE, TRUE}, {0x02, TRUE, TRUE}, {0x10, TRUE, TRUE}, {0x40, FALSE, TRUE},
                 {0x80, TRUE, TRUE},  {0x100, FALSE, FALSE}, {0x03, TRUE, TRUE}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(param.IsRowResizeAllowed(c.mask), c.row) << c.mask;
        EXPECT_EQ(param.IsColResizeAllowed(c.mask), c.row) << c.mask;
        EXPECT_EQ(param.IsSelectionAllowed(c.mask), c.selection) << c.mask;
    }
    param.SetRowResizeFlags(0x01);
    EXPECT_TRUE(param.IsRowResizeAllowed(0x01));
    EXPECT_FALSE(param.IsColResizeAllowed(0x01));
}

namespace
{
// A data object that counts its deletions.
class CountedData : public CGXData
{
public:
    explicit CountedData(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~CountedData() override { ++m_nDeleted; }
    int& m_nDeleted;
};
} // namespace

TEST(CGXGridParam, ReplacingAnOwnedDataObjectDeletesIt)
{
    int nDeleted = 0;
    CGXGridParam param;
    param.SetData(new CountedData(nDeleted), TRUE);
    param.SetData(new CountedData(nDeleted), TRUE);
    EXPECT_EQ(nDeleted, 1);

    CountedData shared(nDeleted);
    param.SetData(&shared, FALSE);
    EXPECT_EQ(nDeleted, 2);
    param.SetData(nullptr, FALSE);
    EXPECT_EQ(nDeleted, 2);
}

TEST(CGXGridParam, AnUnownedStylesMapOutlivesTheParameterObject)
{
    CGXStylesMap stylesMap;
    stylesMap.CreateStandardStyles();
    {
        CGXGridParam param;
        param.SetStylesMap(&stylesMap, FALSE);
    }
    EXPECT_NE(stylesMap.GetStandardStyle(), nullptr);
}

TEST(CGXGridParam, DeletesItsCommandsAndOwnedObjects)
{
    int nDeleted = 0;
    struct CountedCommand : CObject
    {
        explicit CountedCommand(int& n) : nDeleted(n) {}
        ~CountedCommand() override { ++nDeleted; }
        int& nDeleted;
    };
    {
        CGXGridParam param;
        param.GetUndoList().AddTail(new CountedCommand(nDeleted));
        param.GetRedoList().AddTail(new CountedCommand(nDeleted));
        param.GetRedoList().AddTail(new CountedCommand(nDeleted));
        param.EmptyRedoList();
        EXPECT_EQ(nDeleted, 2);
        EXPECT_TRUE(param.GetRedoList().IsEmpty());
        param.SetData(new CountedData(nDeleted), TRUE);
    }
    EXPECT_EQ(nDeleted, 4);
}

TEST(CGXGridParam, ASharedParameterObjectListsBothGridsAndIsDeletedOnce)
{
    struct CountedParam : CGXGridParam
    {
        explicit CountedParam(int& n) : nDeleted(n) {}
        ~CountedParam() override { ++nDeleted; }
        int& nDeleted;
    };
    int nDeleted = 0;
    CGXAppData* pAppData = GXGetAppData();
    CountedParam* pParam = new CountedParam(nDeleted);
    {
        CGXGridCore owner;
        {
            CGXGridCore sharer;
            owner.SetParam(pParam, TRUE);
            sharer.SetParam(pParam, FALSE);
            pAppData->AddGridUser(pParam, &owner);
            pAppData->AddGridUser(pParam, &sharer);
            const CPtrList* pUsers = pAppData->GetGridUsers(pParam);
            ASSERT_NE(pUsers, nullptr);
            EXPECT_EQ(pUsers->GetCount(), 2);
            EXPECT_NE(pUsers->Find(&owner), nullptr);
            EXPECT_NE(pUsers->Find(&sharer), nullptr);
        }
        // The grid that did not own it left it alone and left the list.
        EXPECT_EQ(nDeleted, 0);
        EXPECT_EQ(pAppData->GetFirstGridUser(pParam), &owner);
        EXPECT_EQ(owner.GetParam(), pParam);
    }
    EXPECT_EQ(nDeleted, 1);
    EXPECT_EQ(pAppData->GetGridUsers(pParam), nullptr);
}

TEST(CByteArray64, ArchivesTheCountAndTheBytes)
{
    CByteArray64 bytes;
    bytes.Add(7);
    bytes.Add(8);
    const Bytes stored = StoreToBytes([&](CArchive& ar) { bytes.Serialize(ar); });
    ASSERT_EQ(stored.size(), 8u + 2u);
    EXPECT_EQ(DWordAt(stored, 0), 2u);
    EXPECT_EQ(stored[8], 7);
    CByteArray64 loaded;
    LoadFromBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(loaded[1], 8);

    // A count beyond what the archive holds is refused before the array is sized.
    Bytes huge = stored;
    huge[4] = 1;
    CByteArray64 refused;
    EXPECT_NE(ArchiveCauseOf([&] { LoadFromBytes(huge, [&](CArchive& ar) { refused.Serialize(ar); }); }), -1);
    EXPECT_EQ(refused.GetSize(), 0);
}
