// The undo command classes: each change of the grid is undone and redone through its command, under
// its display name, and each command replays through the engine operation that made its change.
#include "tests/grid/features/UndoTestSupport.h"

#include "grid/core/Data.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/CommandFactory.h"

#include <functional>
#include <string>
#include <vector>

namespace
{
// What a user sees of the grid: counts, frozen lines, sizes, hidden lines, values (also those of base
// styles) and the alignment the standard style gives a cell.
std::string StateOf(CGXGridCore& grid)
{
    std::string state = "rows " + std::to_string(grid.GetRowCount()) + " cols " + std::to_string(grid.GetColCount()) +
                        " frozen " + std::to_string(grid.GetFrozenRows()) + "/" + std::to_string(grid.GetHeaderRows()) +
                        " " + std::to_string(grid.GetFrozenCols()) + "/" + std::to_string(grid.GetHeaderCols()) +
                        " align " + std::to_string(grid.LookupStyleRowCol(1, 1).GetHorizontalAlignment()) + "\n";
    for (ROWCOL nRow = 0; nRow <= grid.GetRowCount(); ++nRow)
        state += std::to_string(grid.GetRowHeight(nRow)) + (grid.IsRowHidden(nRow) ? "h " : " ");
    state += "\n";
    for (ROWCOL nCol = 0; nCol <= grid.GetColCount(); ++nCol)
        state += std::to_string(grid.GetColWidth(nCol)) + (grid.IsColHidden(nCol) ? "h " : " ");
    state += "\n";
    for (ROWCOL nRow = 0; nRow <= grid.GetRowCount(); ++nRow)
    {
        for (ROWCOL nCol = 0; nCol <= grid.GetColCount(); ++nCol)
        {
            CGXStyle style;
            if (grid.GetStoredStyleRowCol(nRow, nCol, style, gxCopy, 0) && style.GetIncludeValue())
                state += static_cast<LPCTSTR>(style.GetValue());
            if ((nRow == 0 || nCol == 0) && grid.GetStoredStyleRowCol(nRow, nCol, style, gxCopy, gxBaseStyleType) &&
                style.GetIncludeValue())
                state += std::string("base:") + static_cast<LPCTSTR>(style.GetValue());
            state += '|';
        }
        state += "\n";
    }
    return state;
}

struct RoundTrip
{
    const char* pszChange;
    std::function<BOOL(CGXGridCore&)> change;
    const char* pszUndoName;
};

TEST_F(UndoTest, EveryRecordedChangeIsUndoneAndRedoneUnderItsName)
{
    CGXStyle rowBase;
    rowBase.SetValue("base");
    CGXStyle rightAligned;
    rightAligned.SetHorizontalAlignment(DT_RIGHT);
    const std::vector<RoundTrip> cases = {
        {"row heights", [](CGXGridCore& g) { return g.SetRowHeight(2, 4, 33); }, "Change Row Heights"},
        {"column widths", [](CGXGridCore& g) { return g.SetColWidth(1, 2, 77); }, "Change Column Widths"},
        {"default row height", [](CGXGridCore& g) { return g.ChangeDefaultRowHeight(25); },
         "Change Default Row Height"},
        {"default column width", [](CGXGridCore& g) { return g.ChangeDefaultColWidth(90); },
         "Change Default Column Width"},
        {"hidden rows", [](CGXGridCore& g) { return g.HideRows(3, 5); }, "Hide Rows"},
        {"hidden columns", [](CGXGridCore& g) { return g.HideCols(2, 2); }, "Hide Columns"},
        {"frozen rows", [](CGXGridCore& g) { return g.SetFrozenRows(2, 1); }, "Freeze Rows"},
        {"frozen columns", [](CGXGridCore& g) { return g.SetFrozenCols(1, 1); }, "Freeze Columns"},
        {"cell values", [](CGXGridCore& g) { return g.SetValueRange(CGXRange(2, 2, 3, 4), "v"); }, "Cells"},
        {"a row's base style", [&](CGXGridCore& g) { return g.SetStyleRange(CGXRange().SetRows(4), rowBase); },
         "Cells"},
        {"the whole table", [](CGXGridCore& g) { return g.SetValueRange(CGXRange().SetTable(), ""); }, "Cells"},
        {"inserted rows", [](CGXGridCore& g) { return g.InsertRows(2, 3); }, "Insert Rows"},
        {"inserted columns", [](CGXGridCore& g) { return g.InsertCols(1, 2); }, "Insert Columns"},
        {"removed rows", [](CGXGridCore& g) { return g.RemoveRows(9, 10); }, "Removing rows ..."},
        {"removed columns", [](CGXGridCore& g) { return g.RemoveCols(1, 1); }, "Removing columns ..."},
        {"the standard style",
         [&](CGXGridCore& g) {
             return g.ChangeBaseStyle(g.GetStylesMap()->m_wStyleStandard, rightAligned, gxOverride);
         },
         "Standard"},
    };
    for (const RoundTrip& c : cases)
    {
        SCOPED_TRACE(c.pszChange);
        // Each case starts from a sample of its own.
        CGXGridCore sample;
        sample.InitializeGrid();
        FillSample(sample, 10, 4);
        CPtrList& undo = sample.GetParam()->GetUndoList();
        CPtrList& redo = sample.GetParam()->GetRedoList();
        const std::string before = StateOf(sample);
        ASSERT_TRUE(c.change(sample));
        const std::string after = StateOf(sample);
        ASSERT_NE(before, after);
        EXPECT_EQ(undo.GetCount(), 1);
        EXPECT_EQ(NewestName(undo), c.pszUndoName);

        EXPECT_TRUE(sample.Undo());
        EXPECT_EQ(StateOf(sample), before);
        EXPECT_EQ(NewestName(redo), c.pszUndoName);
        EXPECT_TRUE(sample.Redo());
        EXPECT_EQ(StateOf(sample), after);
        EXPECT_TRUE(sample.Undo());
        EXPECT_EQ(StateOf(sample), before) << "undone again after the redo";
    }
}

// An engine that records the operations the commands replay through, for the features that other
// components make (moving, covering, sorting, moving cells, range names, maps and properties).
class CReplayGrid : public CGXGridCore
{
public:
    std::vector<std::string> calls;

    BOOL MoveRows(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT nFlags, int nType) override
    {
        return Record("MoveRows " + Args({nFrom, nTo, nDest}), nFlags, nType);
    }
    BOOL MoveCols(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT nFlags, int nType) override
    {
        return Record("MoveCols " + Args({nFrom, nTo, nDest}), nFlags, nType);
    }
    BOOL SetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags,
                               int nType) override
    {
        return Record("SetCoveredCellsRowCol " + Args({nRow, nCol, nToRow, nToCol}), nFlags, nType);
    }
    BOOL MoveDataRows(const CGXRange& range, const CDWordArray& index, UINT nFlags, int nType) override
    {
        return Record("MoveDataRows " + Args({range.top, range.bottom}) + " index " + Index(index), nFlags, nType);
    }
    BOOL MoveDataCols(const CGXRange& range, const CDWordArray& index, UINT nFlags, int nType) override
    {
        return Record("MoveDataCols " + Args({range.left, range.right}) + " index " + Index(index), nFlags, nType);
    }
    BOOL MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pUndoInfo, UINT nFlags,
                   int nType) override
    {
        const std::string info = pUndoInfo != nullptr ? " with the overwritten cells" : "";
        delete pUndoInfo;
        return Record("MoveCells " + Args({range.top, range.left, range.bottom, range.right, nDestRow, nDestCol}) +
                          info,
                      nFlags, nType);
    }
    BOOL SetRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pObject, UINT nFlags, int nType) override
    {
        const std::string object = pObject != nullptr ? " with its object" : "";
        delete pObject;
        return Record(std::string("SetRangeName ") + pszName + " " + Args({range.top, range.left}) + object, nFlags,
                      nType);
    }
    BOOL DeleteRangeName(LPCTSTR pszName, UINT nFlags, int nType) override
    {
        return Record(std::string("DeleteRangeName ") + pszName, nFlags, nType);
    }
    BOOL ChangeStylesMap(CGXStylesMap* pStylesMap, UINT nFlags, int nType) override
    {
        delete pStylesMap;
        return Record("ChangeStylesMap", nFlags, nType);
    }
    BOOL ChangeProperties(CGXProperties* pProperties, UINT nFlags, int nType) override
    {
        delete pProperties;
        return Record("ChangeProperties", nFlags, nType);
    }

private:
    static std::string Args(std::initializer_list<ROWCOL> values)
    {
        std::string text;
        for (ROWCOL n : values)
        {
            if (!text.empty())
                text += ',';
            text += std::to_string(n);
        }
        return text;
    }
    static std::string Index(const CDWordArray& index)
    {
        std::string text;
        for (INT_PTR i = 0; i < index.GetSize(); ++i)
        {
            if (!text.empty())
                text += ',';
            text += std::to_string(index[i]);
        }
        return text;
    }
    BOOL Record(const std::string& call, UINT nFlags, int nType)
    {
        calls.push_back(call + " flags " + std::to_string(nFlags) + " type " + std::to_string(nType));
        return TRUE;
    }
};

CDWordArray* IndexArray(std::initializer_list<DWORD> values)
{
    auto* pArray = new CDWordArray;
    for (DWORD n : values)
        pArray->Add(n);
    return pArray;
}

TEST(UndoCommands, EachReplaysThroughItsOperationWithFlagsTwoAndItsType)
{
    GXStartLibrary();
    CReplayGrid grid;
    grid.InitializeGrid();
    CGXCommandFactory factory;
    struct Case
    {
        CObject* pCommand;
        const char* pszName;
        const char* pszReplay;
    } cases[] = {
        {factory.CreateMoveRowsCmd(&grid, 5, 7, 2, 0), "Move Rows", "MoveRows 5,7,2"},
        {factory.CreateMoveColsCmd(&grid, 1, 1, 4, 0), "Move Columns", "MoveCols 1,1,4"},
        {factory.CreateSetCoveredCellsCmd(&grid, 2, 2, 3, 4, 0), "Cover Cells", "SetCoveredCellsRowCol 2,2,3,4"},
        {factory.CreateMoveDataRowsCmd(&grid, CGXRange().SetRows(1, 3), IndexArray({2, 0, 1}), 0), "Sort Rows",
         "MoveDataRows 1,3 index 2,0,1"},
        {factory.CreateMoveDataColsCmd(&grid, CGXRange().SetCols(2, 3), IndexArray({1, 0}), 0), "Sort Columns",
         "MoveDataCols 2,3 index 1,0"},
        {factory.CreateMoveCellsCmd(&grid, CGXRange(1, 1, 2, 3), 5, 4, new CGXRangeList, 0), "Move",
         "MoveCells 5,4,6,6,1,1 with the overwritten cells"},
        {factory.CreateSetRangeNameCmd(&grid, "New", FALSE, CGXRange(), 0), "Set Range Name", "DeleteRangeName New"},
        {factory.CreateSetRangeNameCmd(&grid, "Old", TRUE, CGXRange(3, 2), 0), "Set Range Name",
         "SetRangeName Old 3,2"},
        {factory.CreateDeleteRangeNameCmd(&grid, "Gone", CGXRange(4, 1), new CGXRangeList, 0), "Delete Range Name",
         "SetRangeName Gone 4,1 with its object"},
        {factory.CreateChangeStylesMapCmd(&grid, new CGXStylesMap(RUNTIME_CLASS(CGXStyle)), 0), "Styles Map Changes",
         "ChangeStylesMap"},
        {factory.CreateChangePropertiesCmd(&grid, new CGXProperties, 0), "Property Settings", "ChangeProperties"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszReplay);
        ASSERT_NE(c.pCommand, nullptr);
        auto* pCommand = static_cast<CGXCommand*>(c.pCommand);
        EXPECT_EQ(std::string(pCommand->GetName()), c.pszName);
        grid.calls.clear();
        // The range-name deletion replays with flags 0, as the engine's deletion takes them.
        const std::string flags = std::string(c.pszReplay).rfind("DeleteRangeName", 0) == 0 ? "0" : "2";
        EXPECT_TRUE(pCommand->Execute(&grid, gxUndo));
        EXPECT_EQ(grid.calls, (std::vector<std::string>{std::string(c.pszReplay) + " flags " + flags + " type 2"}));
        delete pCommand;
    }
}

TEST(UndoCommands, AReplayThatHandsOnItsObjectKeepsItWhenTheReplayFails)
{
    GXStartLibrary();
    CGXGridCore grid;
    grid.InitializeGrid();
    // The plain data object keeps no names: the attached object stays with the command.
    CGXDeleteRangeNameCmd command("Gone", CGXRange(1, 1), new CGXRangeList);
    EXPECT_FALSE(command.Execute(&grid, gxUndo));
    EXPECT_NE(command.m_pObject, nullptr);
}
} // namespace
