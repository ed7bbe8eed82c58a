#pragma once
// The application-wide feature components that the data and parameter objects call. Each is
// optional: the caller reaches it through its field of the application data and answers
// neutrally while it is missing. The components themselves are built with the grid's features.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "grid/core/GridTypes.h"

#include <ctime>

class CGXData;
class CGXGridParam;
class CGXRange;
class CObject;

// Copies and moves blocks of cells inside a data object. A move with bCreateUndoInfo keeps what it
// overwrites in an undo-information object (made when *ppUndoInfo is NULL; the caller owns it); a
// move handed such an object puts its cells back and empties it.
class CGXAbstractDataCopyMoveCellsImp
{
public:
    virtual ~CGXAbstractDataCopyMoveCellsImp() = default;
    virtual BOOL CopyCells(CGXData& data, const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol) = 0;
    virtual BOOL MoveCells(CGXData& data, const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, CObject** ppUndoInfo,
                           BOOL bCreateUndoInfo) = 0;
};

// Reorders the rows or columns of a data object (the sort's last step).
class CGXAbstractSortMoveDataImp
{
public:
    virtual ~CGXAbstractSortMoveDataImp() = default;
    virtual BOOL MoveDataRows(CGXData& data, const CDWordArray& awRowIndex, ROWCOL nStartRow) = 0;
    virtual BOOL MoveDataCols(CGXData& data, const CDWordArray& awColIndex, ROWCOL nStartCol) = 0;
};

// A date and time by its fields: month 0 means the record holds no date; the fraction is always 0.
struct GXDateTimeRecord
{
    SHORT year;
    USHORT month;
    USHORT day;
    USHORT hour;
    USHORT minute;
    USHORT second;
    ULONG fraction;
};

// Dates and times in cell values.
class CGXAbstractDateTimeImp
{
public:
    virtual ~CGXAbstractDateTimeImp() = default;
    // Reads the locale's date order and separators (the component's UpdateLocaleFormats); called at
    // start-up and when the system settings change.
    virtual void InitDateTimeFormats() = 0;
    // TRUE when the text reads as a date or time; its automation date goes to dValue.
    virtual BOOL ParseDateTime(LPCTSTR pszText, double& dValue) = 0;

    virtual void UpdateLocaleFormats() = 0;
    // The date order (0 day-month-year, 1 month-day-year, 2 year-month-day, 3 unknown), whether
    // years have four digits, and the date separator.
    virtual int GetDateOrder(BOOL bReload, BOOL& bFourDigitYear, char& cSeparator) = 0;
    virtual char GetTimeSeparator(BOOL bReload) = 0;
    // nOrder 0 to 2 as GetDateOrder answers, 3 for the locale's order.
    virtual BOOL ParseDateTimeFields(GXDateTimeRecord& record, LPCTSTR pszText, int nOrder) = 0;
    virtual BOOL ParseDateTimeTm(struct tm& time, LPCTSTR pszText, int nOrder) = 0;
    virtual void FormatDateTimeFields(CString& text, const GXDateTimeRecord& record) = 0;
    virtual void FormatTimeValue(CString& text, __time64_t time) = 0;
};

// Creates and rebuilds the covered-cell pool of a parameter object from its covered ranges.
class CGXAbstractCoveredCellPoolImp
{
public:
    virtual ~CGXAbstractCoveredCellPoolImp() = default;
    // A new pool for the parameter object (which owns it), or NULL.
    virtual CObject* CreateCoveredCellPool(CGXGridParam& param) = 0;
    virtual void SyncCoveredCellPool(CGXGridParam& param) = 0;
};

// Makes, copies and renumbers the span-cell pools of merged and floating cells. A pool is one of the
// parameter object's pool fields; each row and column step does nothing on a NULL pool. The
// structure steps do not shift the spans they keep: their owners evaluate the area again.
class CGXAbstractSpanCellPoolImp
{
public:
    virtual ~CGXAbstractSpanCellPoolImp() = default;
    // A new pool holding a copy of the given one's spans (an empty one for NULL).
    virtual CObject* CreateCopy(const CObject* pSource) = 0;
    virtual CObject* CreatePool() = 0;
    virtual void CopyPool(CObject* pDest, const CObject* pSource) = 0;
    virtual void InsertRows(CObject* pPool, ROWCOL nRow, ROWCOL nCount) = 0;
    // A last row beyond the table (0xFFFFFFFE) removes everything from nFromRow on.
    virtual void RemoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow) = 0;
    virtual void MoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow) = 0;
    virtual void InsertCols(CObject* pPool, ROWCOL nCol, ROWCOL nCount) = 0;
    virtual void RemoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol) = 0;
    virtual void MoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol) = 0;
};

// Makes and copies the pools of ranges whose merged or floating spans are worked out later.
class CGXAbstractDelayedRangePoolImp
{
public:
    virtual ~CGXAbstractDelayedRangePoolImp() = default;
    virtual CObject* CreateCopy(const CObject* pSource) = 0;
    virtual CObject* CreatePool() = 0;
    virtual void CopyPool(CObject* pDest, const CObject* pSource) = 0;
};
