#include "grid/formula/EngineState.h"

#include "grid/formula/EngineMemory.h"

GX_ENGINE_STATE::GX_ENGINE_STATE()
{
    // The block registry must outlive the state: create it first.
    GetEngineMemObjState();
}

GX_ENGINE_STATE::~GX_ENGINE_STATE()
{
    delete m_pFunctionTable;
    m_pFunctionTable = nullptr;
    m_sheets.clear();
}

void GX_ENGINE_STATE::SetFunctionTable(GX_FUNCTION_TABLE* pTable)
{
    if (pTable == m_pFunctionTable)
        return;
    delete m_pFunctionTable;
    m_pFunctionTable = pTable;
}

const GX_FUNCTION_DESC* GX_ENGINE_STATE::LookupFunction(const char* upperCaseName) const
{
    if (m_pFunctionTable == nullptr || upperCaseName == nullptr)
        return nullptr;
    return m_pFunctionTable->Lookup(upperCaseName);
}

GX_ENGINE_STATE* GetEngineState()
{
    static GX_ENGINE_STATE state;
    return &state;
}

void SetLastErrorCode(int32_t code) { GetEngineState()->m_lastErrorCode = code; }
int32_t GetLastErrorCode() { return GetEngineState()->m_lastErrorCode; }
void SetLastErrorPosition(int32_t position) { GetEngineState()->m_lastErrorPosition = position; }
int32_t GetLastErrorPosition() { return GetEngineState()->m_lastErrorPosition; }
void SetLastErrorFlag(int32_t flag) { GetEngineState()->m_lastErrorFlag = flag; }
int32_t GetLastErrorFlag() { return GetEngineState()->m_lastErrorFlag; }
