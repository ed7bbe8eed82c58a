#pragma once
// Grid windows for the feature tests: a grid window that counts its beeps, a shown test dialog
// holding it with the library's components installed, cell texts set and read as a user sees them,
// and the check that locale texts are read in English (United States).

#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/features/GridCommand.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A grid window that counts the beeps of searches that found nothing.
class CBeepCountingGridWnd : public CGXGridWnd
{
public:
    void Beep() override { ++m_nBeeps; }
    int m_nBeeps = 0;
};

// The tests read dates and numbers in English (United States); the test program's environment
// chooses it (tests/grid/features/CMakeLists.txt).
inline void ExpectEnglishUnitedStates()
{
    ASSERT_EQ(LANGIDFROMLCID(::GetUserDefaultLCID()), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

// The library starts before a grid is made: the grid gets its components at construction.
struct CLibraryStarter
{
    CLibraryStarter() { GXStartLibrary(); }
};

// A shown grid window of rows x cols with undo on.
template <class TGrid = CBeepCountingGridWnd>
class FeatureGridTest : private CLibraryStarter, public GridWindowTest<TGrid>
{
protected:
    void OpenFeatureGrid(ROWCOL nRows, ROWCOL nCols)
    {
        ASSERT_NO_FATAL_FAILURE(this->OpenGrid(nRows, nCols, TRUE));
        Pump();
        // The set-up leaves no undo steps behind.
        this->grid.GetParam()->EmptyUndoList();
        this->grid.GetParam()->EmptyRedoList();
        this->grid.GetParam()->EnableUndo(TRUE);
    }
    void TearDown() override
    {
        CGXLongOperationState& state = GXGetLongOperationState();
        state.nWaitTime = m_nOldWaitTime;
        state.nUpdateInterval = m_nOldUpdateInterval;
        state.bConfirmAbort = m_bOldConfirmAbort;
        GridWindowTest<TGrid>::TearDown();
    }
    // Long operations check for Esc at every step and abort without asking.
    void AbortWithoutAsking()
    {
        CGXLongOperationState& state = GXGetLongOperationState();
        state.nWaitTime = 0;
        state.nUpdateInterval = 0;
        state.bConfirmAbort = FALSE;
    }

    // Texts of one column, rows first..last, stored without undo.
    void SetColumn(ROWCOL nCol, ROWCOL nFirstRow, const std::vector<std::string>& texts)
    {
        const BOOL bUndo = this->grid.GetParam()->IsEnableUndo();
        this->grid.GetParam()->EnableUndo(FALSE);
        ROWCOL nRow = nFirstRow;
        for (const std::string& text : texts)
            this->grid.SetValueRange(CGXRange(nRow++, nCol), text.c_str());
        this->grid.GetParam()->EnableUndo(bUndo);
    }
    std::vector<std::string> Column(ROWCOL nCol, ROWCOL nFirstRow, ROWCOL nLastRow)
    {
        std::vector<std::string> texts;
        for (ROWCOL nRow = nFirstRow; nRow <= nLastRow; ++nRow)
            texts.push_back(static_cast<LPCTSTR>(this->grid.GetValueRowCol(nRow, nCol)));
        return texts;
    }
    std::vector<std::string> Row(ROWCOL nRow, ROWCOL nFirstCol, ROWCOL nLastCol)
    {
        std::vector<std::string> texts;
        for (ROWCOL nCol = nFirstCol; nCol <= nLastCol; ++nCol)
            texts.push_back(static_cast<LPCTSTR>(this->grid.GetValueRowCol(nRow, nCol)));
        return texts;
    }
    // The name of the newest undo step, "" when there is none.
    std::string NewestUndoName()
    {
        CPtrList& undo = this->grid.GetParam()->GetUndoList();
        if (undo.IsEmpty())
            return "";
        return static_cast<LPCTSTR>(static_cast<CGXCommand*>(static_cast<CObject*>(undo.GetHead()))->GetName());
    }

    DWORD m_nOldWaitTime = GXGetLongOperationState().nWaitTime;
    DWORD m_nOldUpdateInterval = GXGetLongOperationState().nUpdateInterval;
    BOOL m_bOldConfirmAbort = GXGetLongOperationState().bConfirmAbort;
};
