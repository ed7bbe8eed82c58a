// The installation of the feature components: the control factory gives every grid its own and the
// library its application-wide ones, once each; a grid that gets none still works without them.
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridHint.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/features/GridCommand.h"
#include "grid/features/LongOperationImp.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
TEST(ComponentInstallation, EveryGridGetsItsOwnComponentsOnceEach)
{
    GXStartLibrary();
    CGXGridCore grid;
    CGXGridCore other;
    ASSERT_NE(grid.m_pUpdateHintImp, nullptr);
    ASSERT_NE(grid.m_pUndoImp, nullptr);
    ASSERT_NE(grid.m_pOptimizedUpdateImp, nullptr);
    ASSERT_NE(grid.m_pHideCellsImp, nullptr);
    EXPECT_NE(grid.m_pUndoImp, other.m_pUndoImp);

    CGXAbstractGridUpdateHintImp* pHint = grid.m_pUpdateHintImp;
    CGXAbstractCommandFactory* pUndo = grid.m_pUndoImp;
    CGXAbstractGridOptimizedUpdateImp* pOptimized = grid.m_pOptimizedUpdateImp;
    grid.InstallUpdateHint();
    grid.InstallCommandFactory();
    grid.InstallOptimizedUpdate();
    EXPECT_EQ(grid.m_pUpdateHintImp, pHint);
    EXPECT_EQ(grid.m_pUndoImp, pUndo);
    EXPECT_EQ(grid.m_pOptimizedUpdateImp, pOptimized);
}

TEST(ComponentInstallation, TheLibraryHasOneLongOperationComponent)
{
    GXStartLibrary();
    CGXAbstractLongOperationImp* pImp = GXGetAppData()->m_pLongOperationImp;
    ASSERT_NE(pImp, nullptr);
    const INT_PTR nOwned = GXGetAppData()->GetOwnedObjectCount();
    InstallLongOperationImp();
    GXStartLibrary();
    EXPECT_EQ(GXGetAppData()->m_pLongOperationImp, pImp);
    EXPECT_EQ(GXGetAppData()->GetOwnedObjectCount(), nOwned);
}

// A factory that gives grids no components.
class CBareFactory : public CGXControlFactory
{
public:
    void InstallGridComponents(CGXGridCore*) override {}
};

TEST(ComponentInstallation, AGridWithoutComponentsStillEditsAndItsFeaturesAnswerZero)
{
    GXStartLibrary();
    CGXAppData* pAppData = GXGetAppData();
    CBareFactory bare;
    CGXAbstractControlFactory* pFactory = pAppData->m_pControlFactory;
    pAppData->m_pControlFactory = &bare;
    CGXGridCore grid;
    pAppData->m_pControlFactory = pFactory;
    ASSERT_EQ(grid.m_pUndoImp, nullptr);
    ASSERT_EQ(grid.m_pUpdateHintImp, nullptr);
    ASSERT_EQ(grid.m_pOptimizedUpdateImp, nullptr);

    grid.InitializeGrid();
    EXPECT_TRUE(grid.SetRowCount(5));
    EXPECT_TRUE(grid.SetColCount(3));
    EXPECT_TRUE(grid.SetValueRange(CGXRange(1, 1), "value"));
    EXPECT_TRUE(grid.SetControlTextRowCol(2, 2, "typed"));
    EXPECT_TRUE(grid.InsertRows(1, 2));
    EXPECT_TRUE(grid.RemoveRows(1, 1));
    EXPECT_EQ(std::string(grid.GetStoredValueRowCol(2, 1)), "value");
    EXPECT_EQ(std::string(grid.GetStoredValueRowCol(3, 2)), "typed");

    EXPECT_FALSE(grid.Undo());
    EXPECT_FALSE(grid.Redo());
    EXPECT_FALSE(grid.BeginTrans("Nothing"));
    EXPECT_FALSE(grid.CommitTrans());
    EXPECT_FALSE(grid.Rollback());
    EXPECT_FALSE(grid.AddCommand(new CGXSetDefaultRowHeightCmd(10), gxNewAction));
    EXPECT_FALSE(grid.RestoreCurrentCell(1, 1));
    CGXGridHint hint(1, CGXGridHint::GX_ALLGRIDS);
    EXPECT_FALSE(grid.OnGridUpdate(&hint));
    EXPECT_EQ(std::string(grid.GetStoredValueRowCol(2, 1)), "value");
}
} // namespace
