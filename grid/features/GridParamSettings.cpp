#include "grid/features/GridParamSettings.h"

#include "grid/core/GridParam.h"

#include <type_traits>

namespace
{

using Entry = GXParamFormEntry;

#define GX_SETTING(kind, schema, copied, name, member)                                                           \
    Entry{Entry::kind, schema, copied, name, [](const CGXGridParam& p) { return static_cast<DWORD>(p.member); }, \
          [](CGXGridParam& p, DWORD dw) { p.member = static_cast<std::remove_reference_t<decltype(p.member)>>(dw); }, \
          nullptr}

#define GX_PART(kind, schema, copied, name) Entry{Entry::kind, schema, copied, name, nullptr, nullptr, nullptr}

} // namespace

const GXParamFormEntry GXParamForm[] = {
    // Eighteen flags: setting B and the read-only flag are there twice, and both copies load into
    // the same member.
    GX_SETTING(settingByte, 0, true, "A", m_bNumberedRowHeaders),
    GX_SETTING(settingByte, 0, true, "B", m_bNumberedColHeaders),
    GX_SETTING(settingByte, 0, true, "read-only", m_bReadOnly),
    GX_SETTING(settingByte, 0, true, "undo enabled", m_bUndoEnabled),
    GX_SETTING(settingByte, 0, true, "D", m_bSetting12),
    GX_SETTING(settingByte, 0, true, "E", m_bSetting13),
    GX_SETTING(settingByte, 0, true, "read-only again", m_bReadOnly),
    GX_SETTING(settingByte, 0, true, "B again", m_bNumberedColHeaders),
    GX_SETTING(settingByte, 0, true, "F", m_bThumbTrack),
    GX_SETTING(settingByte, 0, true, "G", m_bSetting19),
    GX_SETTING(settingByte, 0, true, "owns cell data", m_bOwnData),
    GX_SETTING(settingByte, 0, true, "owns print device", m_bOwnFourth),
    GX_SETTING(settingByte, 0, true, "owns properties", m_bOwnProperties),
    GX_SETTING(settingByte, 0, true, "owns styles map", m_bOwnStylesMap),
    // The own background and the closing area right of and below the table.
    GX_SETTING(settingByte, 0, true, "H", m_nSetting4),
    GX_SETTING(settingByte, 0, true, "I", m_nSetting5),
    GX_SETTING(settingByte, 0, true, "lock read-only cells", m_bLockReadOnly),
    GX_SETTING(settingByte, 0, true, "K", m_bSetting27),

    GX_SETTING(settingWord, 0, true, "selection flags", m_wAllowSelection),
    GX_SETTING(settingWord, 0, true, "row-resize flags", m_wAllowTrackRowHeight),
    GX_SETTING(settingWord, 0, true, "column-resize flags", m_wAllowTrackColWidth),
    GX_SETTING(settingDWord, 0, true, "frozen rows", m_nFrozenRows),
    GX_SETTING(settingDWord, 0, true, "frozen columns", m_nFrozenCols),
    GX_SETTING(settingDWord, 0, true, "default column width", m_nDefaultWidth),
    GX_SETTING(settingDWord, 0, true, "default row height", m_nDefaultHeight),
    Entry{Entry::settingText, 0, true, "name", nullptr, nullptr,
          [](CGXGridParam& p) -> CString& { return p.m_sSheetName; }},
    GX_SETTING(settingWord, 0, true, "cell-activation flags", m_wActivateCell),
    // When the current cell is framed (always, only with the focus, never).
    GX_SETTING(settingWord, 0, true, "M", m_wHideCurrentCell),
    // N and O are 32-bit members stored as 16 bits.
    GX_SETTING(settingWord, 0, true, "N", m_nCurrentCellDisplay),
    GX_SETTING(settingWord, 0, true, "O", m_nEnterKeyDirection),
    GX_SETTING(settingWord, 0, true, "P", m_wPaintSetting),
    GX_SETTING(settingDWord, 0, true, "header rows", m_nHeaderRows),
    GX_SETTING(settingDWord, 0, true, "header columns", m_nHeaderCols),

    GX_PART(ownedObjects, 0, false, "owned objects"),
    GX_PART(rangeLists, 0, false, "range lists"),
    GX_PART(sizesAndHidden, 0, false, "sizes and hidden lines"),

    GX_SETTING(settingByte, 2, true, "Q", m_bSetting60),
    GX_SETTING(settingByte, 3, false, "R", m_bSetting38),
    GX_SETTING(settingByte, 3, false, "S", m_bSetting39),
    GX_SETTING(settingDWord, 3, true, "T", m_nSetting3),
    // The user-resizing settings.
    GX_SETTING(settingDWord, 3, true, "U", m_nSetting8),
    GX_SETTING(settingDWord, 3, true, "V", m_nSetting9),
    GX_SETTING(settingWord, 4, true, "drag permission flags", m_wAllowThird),
    GX_SETTING(settingByte, 5, true, "fixed zoom", m_bNoZoom),
    GX_SETTING(settingWord, 5, true, "X", m_wZoomSync),
    GX_SETTING(settingDWord, 5, true, "Y", m_nSetting40),
    GX_SETTING(settingByte, 6, true, "grid lines right and bottom", m_bLinesRightBottom),
    GX_SETTING(settingByte, 6, true, "spreadsheet headers", m_bSpreadsheetHeaders),
    GX_SETTING(settingByte, 6, true, "show stored values", m_bShowStoredValues),
    GX_SETTING(settingByte, 6, true, "grid pastes its own format", m_bGridPastesOwnFormat),
    GX_SETTING(settingByte, 6, true, "cursor only when focused", m_bCursorOnlyWhenFocused),
    GX_SETTING(settingWord, 6, true, "floating-cell mode", m_wFloatCellsMode),
    GX_PART(floatPools, 6, false, "floating-cell pools"),
    GX_SETTING(settingWord, 6, true, "merged-cell mode", m_wMergeCellsMode),
    GX_PART(mergePools, 6, false, "merged-cell pools"),
    GX_SETTING(settingWord, 6, true, "Z", m_nGridLinePenStyle),
    // The marking of cells (the ninth and eleventh of those settings switch it on together).
    GX_SETTING(settingByte, 8, true, "marking 1", m_anSettings88[8]),
    GX_SETTING(settingByte, 8, true, "marking 2", m_anSettings88[10]),
    GX_SETTING(settingByte, 8, true, "header drawing", m_anSettings76[0]),
    GX_SETTING(settingWord, 9, false, "cell size setting", m_wCellSizeSetting),
    GX_SETTING(settingByte, 10, true, "schema 10 flag", m_nSetting104),
    // The current cell a grid remembers: not copied.
    GX_SETTING(settingByte, 11, false, "schema 11 flag", m_nSetting37),
    GX_SETTING(settingDWord, 11, false, "remembered row", m_nSetting81),
    GX_SETTING(settingDWord, 11, false, "remembered column", m_nSetting82),
};

const size_t GXParamFormCount = sizeof GXParamForm / sizeof GXParamForm[0];
