// Installation of the span features: every grid gets them once, an installer brings what its
// feature needs, and the library's start-up installs the application-wide parts.
#include "grid/features/CoveredCellPool.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/DrawRotatedTextImp.h"
#include "grid/features/SpanCellPool.h"
#include "grid/features/StyleCompareSubsetImp.h"

#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridPaintContext.h"
#include "grid/core/GridParam.h"
#include "tests/grid/core/GridEngineTestSupport.h"

#include <gtest/gtest.h>

namespace
{
TEST(SpanFeaturesInstall, EveryGridGetsItsSpanComponentsOnce)
{
    GXStartLibrary();
    CGXGridCore grid;
    ASSERT_NE(grid.m_pCoveredCellsImp, nullptr);
    ASSERT_NE(grid.m_pMergeCellsImp, nullptr);
    ASSERT_NE(grid.m_pFloatCellsImp, nullptr);
    ASSERT_NE(grid.m_pDrawSpannedCellsImp, nullptr);
    ASSERT_NE(grid.m_pCalcSizeImp, nullptr);
    ASSERT_NE(grid.m_pOldDrawingImp, nullptr);
    const void* installed[] = {grid.m_pCoveredCellsImp, grid.m_pMergeCellsImp, grid.m_pFloatCellsImp,
                               grid.m_pDrawSpannedCellsImp, grid.m_pCalcSizeImp, grid.m_pOldDrawingImp};
    grid.InstallCoveredCells();
    grid.InstallMergeCells();
    grid.InstallFloatCells();
    grid.InstallDrawSpannedCells();
    grid.InstallCalcSize();
    grid.InstallOldDrawing();
    const void* again[] = {grid.m_pCoveredCellsImp, grid.m_pMergeCellsImp, grid.m_pFloatCellsImp,
                           grid.m_pDrawSpannedCellsImp, grid.m_pCalcSizeImp, grid.m_pOldDrawingImp};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(installed[i], again[i]) << i;

    CGXGridCore other;
    EXPECT_NE(static_cast<void*>(other.m_pMergeCellsImp), static_cast<void*>(grid.m_pMergeCellsImp))
        << "each grid has its own";
}

TEST(SpanFeaturesInstall, AnInstallerBringsWhatItsFeatureNeeds)
{
    GXStartLibrary();
    CGXGridCore grid;
    // A grid made bare of its components.
    grid.m_pMergeCellsImp = nullptr;
    grid.m_pFloatCellsImp = nullptr;
    grid.m_pCoveredCellsImp = nullptr;
    grid.m_pDrawSpannedCellsImp = nullptr;
    grid.m_pCalcSizeImp = nullptr;
    grid.InstallMergeCells();
    EXPECT_NE(grid.m_pDrawSpannedCellsImp, nullptr);
    EXPECT_EQ(grid.m_pCalcSizeImp, nullptr) << "merged cells measure nothing";
    grid.InstallFloatCells();
    EXPECT_NE(grid.m_pCalcSizeImp, nullptr);

    CGXAppData* pAppData = GXGetAppData();
    EXPECT_NE(pAppData->m_pSpanCellPoolImp, nullptr);
    EXPECT_NE(pAppData->m_pDelayedRangePoolImp, nullptr);
    EXPECT_NE(pAppData->m_pCoveredCellPoolImp, nullptr);
    EXPECT_NE(pAppData->m_links.pStyleCompareSubsetImp, nullptr);
    EXPECT_NE(pAppData->m_links.pDrawRotatedTextImp, nullptr);
    CGXAbstractSpanCellPoolImp* pSpanImp = pAppData->m_pSpanCellPoolImp;
    InstallSpanCellPoolImp();
    EXPECT_EQ(pAppData->m_pSpanCellPoolImp, pSpanImp);
}

TEST(SpanFeaturesInstall, TheFactoriesMakeAndCopyPoolsAndLeaveOtherObjectsAlone)
{
    GXStartLibrary();
    CGXAbstractSpanCellPoolImp* pSpanImp = GXGetAppData()->m_pSpanCellPoolImp;
    CGXAbstractDelayedRangePoolImp* pDelayedImp = GXGetAppData()->m_pDelayedRangePoolImp;
    ASSERT_NE(pSpanImp, nullptr);
    ASSERT_NE(pDelayedImp, nullptr);
    auto* pPool = static_cast<CGXSpanCellPool*>(pSpanImp->CreatePool());
    pPool->SetSpanCellsRowCol(1, 1, 1, 3, TRUE);
    CObject* pCopy = pSpanImp->CreateCopy(pPool);
    CGXRange range(1, 2);
    ASSERT_TRUE(GXAsSpanCellPool(pCopy)->GetSpanCellsRowCol(1, 2, range));
    EXPECT_EQ(range, CGXRange(1, 1, 1, 3));
    // A delayed pool is no span pool: the factory's steps leave it alone.
    CObject* pDelayed = pDelayedImp->CreatePool();
    pSpanImp->RemoveRows(pDelayed, 0, 5);
    EXPECT_EQ(GXAsSpanCellPool(pDelayed), nullptr);
    delete pPool;
    delete pCopy;
    delete pDelayed;
}
} // namespace
