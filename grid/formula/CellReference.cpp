#include "grid/formula/CellReference.h"

#include <algorithm>
#include <cstdio>

#include "grid/formula/EngineState.h"

namespace
{
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct CellPart
{
    int32_t row = 0;
    int32_t col = 0;
    bool colAbsolute = false;
    bool rowAbsolute = false;
};

// "$"? letters "$"? digits, at text; advances text past it.
bool ReadCell(const char*& text, CellPart& cell)
{
    const char* p = text;
    cell.colAbsolute = *p == '$';
    if (cell.colAbsolute)
        ++p;
    cell.col = ColumnFromLetters(p);
    if (cell.col < 0)
        return false;
    while (IsLetter(*p))
        ++p;
    cell.rowAbsolute = *p == '$';
    if (cell.rowAbsolute)
        ++p;
    if (!IsDigit(*p))
        return false;
    int64_t row = 0;
    for (; IsDigit(*p); ++p)
        if (row <= GX_MAX_ROW)
            row = row * 10 + (*p - '0');
    if (row < 1 || row > GX_MAX_ROW)
        return false;
    cell.row = int32_t(row);
    text = p;
    return true;
}

void SwapBits(GX_CELLREF& ref, uint32_t a, uint32_t b)
{
    bool hasA = ref.Has(a), hasB = ref.Has(b);
    ref.Set(a, hasB);
    ref.Set(b, hasA);
}

void Area(const GX_CELLREF& ref, int32_t& top, int32_t& left, int32_t& bottom, int32_t& right)
{
    top = ref.FirstRow();
    left = ref.FirstCol();
    bottom = ref.IsSingle() ? top : ref.LastRow();
    right = ref.IsSingle() ? left : ref.LastCol();
    if (top > bottom)
        std::swap(top, bottom);
    if (left > right)
        std::swap(left, right);
}

char* WriteCell(char* out, int32_t row, int32_t col, bool colAbsolute, bool rowAbsolute)
{
    char letters[8];
    ColumnLettersTo(col, letters);
    return out + std::sprintf(out, "%s%s%s%d", colAbsolute ? "$" : "", letters, rowAbsolute ? "$" : "", int(row));
}

int32_t LimitedRow(int32_t row) { return row >= 1 && row <= GX_MAX_ROW ? row : 0; }
int32_t LimitedCol(int32_t col) { return col >= 0 && col <= GX_MAX_COL ? col : 0; }
}  // namespace

BOOL ColumnLettersTo(int32_t col, char* buffer)
{
    if (col < 0 || col > GX_MAX_COL)
        return FALSE;
    char reversed[4];
    int count = 0;
    for (int32_t n = col + 1; n > 0; n = (n - 1) / 26)
        reversed[count++] = char('A' + (n - 1) % 26);
    for (int i = 0; i < count; ++i)
        buffer[i] = reversed[count - 1 - i];
    buffer[count] = '\0';
    return TRUE;
}

const char* ColumnLetters(int32_t col)
{
    char* buffer = GetEngineState()->m_columnLetters;
    return ColumnLettersTo(col, buffer) ? buffer : nullptr;
}

int32_t ColumnFromLetters(const char* text)
{
    if (text == nullptr || !IsLetter(*text))
        return -1;
    int32_t value = 0;  // bijective: "A" is 1
    for (; IsLetter(*text); ++text) {
        value = value * 26 + ((*text & ~0x20) - 'A' + 1);
        if (value > GX_MAX_COL + 1)
            return -1;
    }
    return value - 1;
}

BOOL ParseReference(const char* text, GX_CELLREF* ref)
{
    if (text == nullptr)
        return FALSE;
    const char* p = text;
    CellPart first;
    if (!ReadCell(p, first))
        return FALSE;
    GX_CELLREF result{};
    result.SetFirstRow(first.row);
    result.SetFirstCol(first.col);
    result.Set(GX_REF_FIRST_COL_ABS, first.colAbsolute);
    result.Set(GX_REF_FIRST_ROW_ABS, first.rowAbsolute);
    if (*p == '\0') {
        result.Set(GX_REF_SINGLE, true);
    } else {
        if (*p == ':') {
            ++p;
        } else if (*p == '.') {
            ++p;
            if (*p == '.')
                ++p;
        } else {
            return FALSE;
        }
        CellPart second;
        if (!ReadCell(p, second) || *p != '\0')
            return FALSE;
        result.SetLastRow(second.row);
        result.SetLastCol(second.col);
        result.Set(GX_REF_LAST_COL_ABS, second.colAbsolute);
        result.Set(GX_REF_LAST_ROW_ABS, second.rowAbsolute);
    }
    NormalizeReference(&result);
    if (ref != nullptr)
        *ref = result;
    return TRUE;
}

BOOL ReferenceTextTo(const GX_CELLREF& ref, char* buffer)
{
    if (!IsValidReference(ref))
        return FALSE;
    char* out = WriteCell(buffer, ref.FirstRow(), ref.FirstCol(), ref.Has(GX_REF_FIRST_COL_ABS),
                          ref.Has(GX_REF_FIRST_ROW_ABS));
    if (!ref.IsSingle()) {
        *out++ = '.';
        *out++ = '.';
        WriteCell(out, ref.LastRow(), ref.LastCol(), ref.Has(GX_REF_LAST_COL_ABS), ref.Has(GX_REF_LAST_ROW_ABS));
    }
    return TRUE;
}

const char* ReferenceText(const GX_CELLREF& ref)
{
    char* buffer = GetEngineState()->m_referenceText;
    return ReferenceTextTo(ref, buffer) ? buffer : nullptr;
}

GX_CELLREF MakeCellReference(int32_t row, int32_t col, uint32_t flags)
{
    return MakeRangeReference(row, col, row, col, flags | GX_REFF_SINGLE);
}

GX_CELLREF MakeRangeReference(int32_t firstRow, int32_t firstCol, int32_t lastRow, int32_t lastCol, uint32_t flags)
{
    GX_CELLREF ref{};
    ref.SetFirstRow(LimitedRow(firstRow));
    ref.SetFirstCol(LimitedCol(firstCol));
    ref.Set(GX_REF_FIRST_COL_ABS, (flags & GX_REFF_FIRST_COL_ABS) != 0);
    ref.Set(GX_REF_FIRST_ROW_ABS, (flags & GX_REFF_FIRST_ROW_ABS) != 0);
    if ((flags & GX_REFF_SINGLE) != 0) {
        ref.Set(GX_REF_SINGLE, true);
    } else {
        ref.SetLastRow(LimitedRow(lastRow));
        ref.SetLastCol(LimitedCol(lastCol));
        ref.Set(GX_REF_LAST_COL_ABS, (flags & GX_REFF_LAST_COL_ABS) != 0);
        ref.Set(GX_REF_LAST_ROW_ABS, (flags & GX_REFF_LAST_ROW_ABS) != 0);
    }
    NormalizeReference(&ref);
    return ref;
}

BOOL IsValidReference(const GX_CELLREF& ref)
{
    if (ref.FirstRow() < 1 || ref.FirstRow() > GX_MAX_ROW || ref.FirstCol() > GX_MAX_COL)
        return FALSE;
    if (!ref.IsSingle() && (ref.LastRow() < 1 || ref.LastRow() > GX_MAX_ROW || ref.LastCol() > GX_MAX_COL))
        return FALSE;
    return TRUE;
}

BOOL NormalizeReference(GX_CELLREF* ref)
{
    if (ref == nullptr || !IsValidReference(*ref))
        return FALSE;
    if (ref->IsSingle()) {
        ref->SetLastRow(ref->FirstRow());
        ref->SetLastCol(ref->FirstCol());
        ref->Set(GX_REF_LAST_ROW_ABS, ref->Has(GX_REF_FIRST_ROW_ABS));
        ref->Set(GX_REF_LAST_COL_ABS, ref->Has(GX_REF_FIRST_COL_ABS));
        return TRUE;
    }
    if (ref->FirstRow() > ref->LastRow()) {
        int32_t row = ref->FirstRow();
        ref->SetFirstRow(ref->LastRow());
        ref->SetLastRow(row);
        SwapBits(*ref, GX_REF_FIRST_ROW_ABS, GX_REF_LAST_ROW_ABS);
    }
    if (ref->FirstCol() > ref->LastCol()) {
        int32_t col = ref->FirstCol();
        ref->SetFirstCol(ref->LastCol());
        ref->SetLastCol(col);
        SwapBits(*ref, GX_REF_FIRST_COL_ABS, GX_REF_LAST_COL_ABS);
    }
    return TRUE;
}

BOOL ReferencesIntersect(const GX_CELLREF& a, const GX_CELLREF& b)
{
    int32_t aTop, aLeft, aBottom, aRight, bTop, bLeft, bBottom, bRight;
    Area(a, aTop, aLeft, aBottom, aRight);
    Area(b, bTop, bLeft, bBottom, bRight);
    return aTop <= bBottom && bTop <= aBottom && aLeft <= bRight && bLeft <= aRight;
}

BOOL ReferencesEqual(const GX_CELLREF& a, const GX_CELLREF& b)
{
    int32_t aTop, aLeft, aBottom, aRight, bTop, bLeft, bBottom, bRight;
    Area(a, aTop, aLeft, aBottom, aRight);
    Area(b, bTop, bLeft, bBottom, bRight);
    return aTop == bTop && aLeft == bLeft && aBottom == bBottom && aRight == bRight;
}

GX_CELLREF BlockAt(const GX_CELLREF& ref, int32_t row, int32_t col)
{
    int32_t top, left, bottom, right;
    Area(ref, top, left, bottom, right);
    GX_CELLREF block = ref;
    block.SetFirstRow(row);
    block.SetFirstCol(col);
    block.SetLastRow(int32_t(std::min<int64_t>(int64_t(row) + (bottom - top), GX_MAX_ROW)));
    block.SetLastCol(int32_t(std::min<int64_t>(int64_t(col) + (right - left), GX_MAX_COL)));
    return block;
}
