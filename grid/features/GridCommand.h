#pragma once
// Undo commands. A command holds the state a change overwrote; replaying it (Execute) calls the same
// operation of the grid engine that made the change, with that state and the command type, and that
// operation records the inverse command in its turn, so undo and redo need nothing of their own. A
// block command groups the commands of a transaction into one step. Every pointer a command holds
// is its own and goes with it (arrays of styles: every style, then the array).

#include "framework/core/CString.h"
#include "framework/core/Collections.h"
#include "framework/core/Lists.h"
#include "framework/core/Object.h"
#include "grid/core/GridTypes.h"
#include "grid/core/Range.h"

class CGXGridCore;
class CGXProperties;
class CGXStyle;
class CGXStylesMap;

class CGXCommand : public CObject
{
    DECLARE_DYNAMIC(CGXCommand)

public:
    CGXCommand() = default;
    ~CGXCommand() override;

    // Replays the command; TRUE when the grid's operation succeeded.
    virtual BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) = 0;
    // The text the Undo and Redo menu items show.
    virtual CString GetName() = 0;

    // The grid's current cell when the command was filed.
    ROWCOL m_nRow = 0;
    ROWCOL m_nCol = 0;
    BOOL m_bCCell = FALSE;
    // The data object's own undo information that belongs to this command (owned; may be NULL).
    CObject* m_pAdvUndo = nullptr;

protected:
    // A name of the string table, loaded once by the caller's static; a single blank without it.
    static CString LoadName(UINT nId);
};

class CGXBlockCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXBlockCmd)

public:
    explicit CGXBlockCmd(LPCTSTR pszName = nullptr);
    ~CGXBlockCmd() override;

    // Replays the commands newest first under one long operation, redrawing once at the end, and
    // shows the changed place once; a failed replay takes back what it did.
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override { return m_sName; }

    // The grouped commands, newest at the head.
    CObList m_CmdList{10};
    CString m_sName;
};

// ---- Sizes and hidden lines ----

class CGXSetRowHeightCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetRowHeightCmd)

public:
    // The old heights in pixels, one per row.
    CGXSetRowHeightCmd(ROWCOL nFromRow, ROWCOL nToRow, CDWordArray* pOldHeights);
    ~CGXSetRowHeightCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFromRow;
    ROWCOL m_nToRow;
    CDWordArray* m_pOldHeights;
};

class CGXHideRowsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXHideRowsCmd)

public:
    // The old hidden flags, one byte per row.
    CGXHideRowsCmd(ROWCOL nFromRow, ROWCOL nToRow, CByteArray* pOldHidden);
    ~CGXHideRowsCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFromRow;
    ROWCOL m_nToRow;
    CByteArray* m_pOldHidden;
};

class CGXSetDefaultRowHeightCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetDefaultRowHeightCmd)

public:
    explicit CGXSetDefaultRowHeightCmd(int nOldHeight);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    int m_nOldHeight;
};

class CGXSetColWidthCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetColWidthCmd)

public:
    CGXSetColWidthCmd(ROWCOL nFromCol, ROWCOL nToCol, CDWordArray* pOldWidths);
    ~CGXSetColWidthCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFromCol;
    ROWCOL m_nToCol;
    CDWordArray* m_pOldWidths;
};

class CGXHideColsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXHideColsCmd)

public:
    CGXHideColsCmd(ROWCOL nFromCol, ROWCOL nToCol, CByteArray* pOldHidden);
    ~CGXHideColsCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFromCol;
    ROWCOL m_nToCol;
    CByteArray* m_pOldHidden;
};

class CGXSetDefaultColWidthCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetDefaultColWidthCmd)

public:
    explicit CGXSetDefaultColWidthCmd(int nOldWidth);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    int m_nOldWidth;
};

// ---- Moving, inserting and removing rows and columns ----

class CGXMoveRowsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXMoveRowsCmd)

public:
    // The move that takes the rows back.
    CGXMoveRowsCmd(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFromRow;
    ROWCOL m_nToRow;
    ROWCOL m_nDestRow;
};

class CGXMoveColsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXMoveColsCmd)

public:
    CGXMoveColsCmd(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFromCol;
    ROWCOL m_nToCol;
    ROWCOL m_nDestCol;
};

// Recorded by an insertion: its replay removes the rows again.
class CGXRemoveRowsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXRemoveRowsCmd)

public:
    CGXRemoveRowsCmd(ROWCOL nFromRow, ROWCOL nToRow);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFromRow;
    ROWCOL m_nToRow;
};

class CGXRemoveColsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXRemoveColsCmd)

public:
    CGXRemoveColsCmd(ROWCOL nFromCol, ROWCOL nToCol);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFromCol;
    ROWCOL m_nToCol;
};

// Recorded by a removal: its replay inserts the rows with what the removal kept of them.
class CGXInsertRowsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXInsertRowsCmd)

public:
    // pHeights: stored sizes (0: the default); pCellStyles: nCount times nColCount styles row by row
    // (NULL where nothing was stored), possibly followed by one record of covered cells;
    // pRowStyles: the rows' base styles. Each may be NULL.
    CGXInsertRowsCmd(ROWCOL nRow, ROWCOL nCount, CDWordArray* pHeights, CObArray* pCellStyles,
                     CObArray* pRowStyles, ROWCOL nColCount);
    ~CGXInsertRowsCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nRow;
    ROWCOL m_nCount;
    CDWordArray* m_pHeights;
    CObArray* m_pCellStyles;
    CObArray* m_pRowStyles;
    ROWCOL m_nColCount;
};

class CGXInsertColsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXInsertColsCmd)

public:
    // pCellStyles: nCount times nRowCount styles (row by row of the removed block).
    CGXInsertColsCmd(ROWCOL nCol, ROWCOL nCount, CDWordArray* pWidths, CObArray* pCellStyles,
                     CObArray* pColStyles, ROWCOL nRowCount);
    ~CGXInsertColsCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nCol;
    ROWCOL m_nCount;
    CDWordArray* m_pWidths;
    CObArray* m_pCellStyles;
    CObArray* m_pColStyles;
    ROWCOL m_nRowCount;
};

// ---- Cells ----

class CGXSetCoveredCellsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetCoveredCellsCmd)

public:
    CGXSetCoveredCellsCmd(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nTop;
    ROWCOL m_nLeft;
    ROWCOL m_nBottom;
    ROWCOL m_nRight;
};

class CGXSetStyleRangeCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetStyleRangeCmd)

public:
    // nType 0 for cells, -1 for the base styles of the cells of the range; pOldStyles one per cell,
    // row by row (NULL where nothing was stored), possibly followed by one record of covered cells.
    CGXSetStyleRangeCmd(const CGXRange& range, int nType, CObArray* pOldStyles);
    ~CGXSetStyleRangeCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    CGXRange m_range;
    int m_nType;
    CObArray* m_pOldStyles;
};

class CGXSetFrozenRowsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetFrozenRowsCmd)

public:
    CGXSetFrozenRowsCmd(ROWCOL nFrozenRows, ROWCOL nHeaderRows);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFrozenRows;
    ROWCOL m_nHeaderRows;
};

class CGXSetFrozenColsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetFrozenColsCmd)

public:
    CGXSetFrozenColsCmd(ROWCOL nFrozenCols, ROWCOL nHeaderCols);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    ROWCOL m_nFrozenCols;
    ROWCOL m_nHeaderCols;
};

class CGXMoveDataRowsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXMoveDataRowsCmd)

public:
    // The index array restores the former order of the sorted range.
    CGXMoveDataRowsCmd(const CGXRange& sortRange, CDWordArray* pawIndex);
    ~CGXMoveDataRowsCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    CGXRange m_sortRange;
    CDWordArray* m_pawIndex;
};

class CGXMoveDataColsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXMoveDataColsCmd)

public:
    CGXMoveDataColsCmd(const CGXRange& sortRange, CDWordArray* pawIndex);
    ~CGXMoveDataColsCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    CGXRange m_sortRange;
    CDWordArray* m_pawIndex;
};

// ---- Styles map, properties and base styles ----

class CGXChangeStylesMapCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXChangeStylesMapCmd)

public:
    // A copy of the former map; a successful replay hands it to the grid's parameter object.
    explicit CGXChangeStylesMapCmd(CGXStylesMap* pStylesMap);
    ~CGXChangeStylesMapCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    CGXStylesMap* m_pStylesMap;
};

class CGXChangePropertiesCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXChangePropertiesCmd)

public:
    explicit CGXChangePropertiesCmd(CGXProperties* pProperties);
    ~CGXChangePropertiesCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    CGXProperties* m_pProperties;
};

class CGXChangeBaseStyleCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXChangeBaseStyleCmd)

public:
    CGXChangeBaseStyleCmd(WORD nBaseStyleId, CGXStyle* pOldStyle, LPCTSTR pszName);
    ~CGXChangeBaseStyleCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    // The base style's own name.
    CString GetName() override { return m_sName; }

    CGXStyle* m_pBaseStyle;
    CString m_sName;
    WORD m_nBaseStyleId;
};

class CGXMoveCellsCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXMoveCellsCmd)

public:
    // What the move overwrote at the destination is handed on by the replay (then forgotten here).
    CGXMoveCellsCmd(const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pOverwritten);
    ~CGXMoveCellsCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    CGXRange m_source;
    ROWCOL m_nDestRow;
    ROWCOL m_nDestCol;
    CObject* m_pOverwritten;
};

// ---- Named ranges ----

class CGXSetRangeNameCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXSetRangeNameCmd)

public:
    // Undoes a setting: deletes a name that did not exist before, else gives it its former range.
    CGXSetRangeNameCmd(LPCTSTR pszName, BOOL bExisted, const CGXRange& oldRange);
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    CString m_sName;
    BOOL m_bExisted;
    CGXRange m_oldRange;
};

class CGXDeleteRangeNameCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXDeleteRangeNameCmd)

public:
    // The attached object goes back to the data object with a successful replay.
    CGXDeleteRangeNameCmd(LPCTSTR pszName, const CGXRange& range, CObject* pObject);
    ~CGXDeleteRangeNameCmd() override;
    BOOL Execute(CGXGridCore* pGrid, GXCommandType ctType) override;
    CString GetName() override;

    CString m_sName;
    CGXRange m_range;
    CObject* m_pObject;
};

// Deletes every style of an array of styles, then the array; entries that are no styles (a record of
// covered cells) are deleted as objects.
void GXDeleteStyleArray(CObArray* pStyles);

// The text with every "%1" replaced by pszArg.
CString GXReplaceArg1(const CString& format, LPCTSTR pszArg);
