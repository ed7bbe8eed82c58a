#pragma once
// The process-wide state of the formula engine: the table of engine sheets (a handle is the index
// + 1, so 0 is never valid), the last error of the parser and the evaluator, the worksheet-function
// table, the settings that shape regenerated formula text and the shared text buffers.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/core/Object.h"
#include "grid/formula/FormulaTypes.h"

struct GX_SHEET;

// Looks a worksheet function up by its upper-case name. None is installed in this system, so every
// function call fails to parse; a table installed through GX_ENGINE_STATE::SetFunctionTable is used.
class GX_FUNCTION_TABLE
{
public:
    virtual ~GX_FUNCTION_TABLE() = default;
    virtual const GX_FUNCTION_DESC* Lookup(const char* upperCaseName) const = 0;
};

class GX_ENGINE_STATE : public CObject
{
public:
    GX_ENGINE_STATE();
    ~GX_ENGINE_STATE() override;  // deletes the function table and the sheet table (not the sheets)

    // Installs a function table (owned; the previous one is deleted); null removes it.
    void SetFunctionTable(GX_FUNCTION_TABLE* pTable);
    const GX_FUNCTION_DESC* LookupFunction(const char* upperCaseName) const;

    // Last error of a parse or an evaluation.
    int32_t m_lastErrorFlag = 0;
    int32_t m_lastErrorCode = 0;
    int32_t m_lastErrorPosition = 0;

    std::vector<GX_SHEET*> m_sheets;  // index + 1 is the handle; null entries are free
    GX_FUNCTION_TABLE* m_pFunctionTable = nullptr;

    // Spelling of regenerated formula text.
    BOOL m_bAltOperators = FALSE;        // "#AND#", "<>", "^" for power, ...
    BOOL m_bLowerCaseFunctions = FALSE;
    BOOL m_bAtSignFunctions = FALSE;
    BOOL m_bEscapeAllBytes = FALSE;      // when off, bytes 0xA1-0xFF are written as they are

    // Set while rows or columns are inserted or removed.
    BOOL m_bShifting = FALSE;

    // Shared result buffers of ColumnLetters and ReferenceText.
    char m_columnLetters[8] = {};
    char m_referenceText[40] = {};

private:
    GX_ENGINE_STATE(const GX_ENGINE_STATE&) = delete;
    GX_ENGINE_STATE& operator=(const GX_ENGINE_STATE&) = delete;
};

// The state, created on first use.
GX_ENGINE_STATE* GetEngineState();

// The last parse error (also written by the evaluator).
void SetLastErrorCode(int32_t code);
int32_t GetLastErrorCode();
void SetLastErrorPosition(int32_t position);
int32_t GetLastErrorPosition();
void SetLastErrorFlag(int32_t flag);
int32_t GetLastErrorFlag();
