#include "grid/formula/EngineMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/core/Exceptions.h"

namespace
{
constexpr std::size_t kRegistryBuckets = 4096;

GX_ENGINE_MEMOBJ_STATE* s_pRegistry = nullptr;
bool s_bShutDown = false;

// Destroys the registry at process end. It is constant-initialised, so it is destroyed after every
// object that was constructed while the program ran (the engine state and formula sheets among them).
struct RegistryOwner
{
    constexpr RegistryOwner() = default;
    ~RegistryOwner()
    {
        delete s_pRegistry;
        s_pRegistry = nullptr;
        s_bShutDown = true;
    }
};
RegistryOwner s_registryOwner;
}  // namespace

GX_ENGINE_MEMOBJ_STATE::GX_ENGINE_MEMOBJ_STATE()
{
    m_blocks.reserve(kRegistryBuckets);
}

GX_ENGINE_MEMOBJ_STATE::~GX_ENGINE_MEMOBJ_STATE()
{
    FreeAll();
}

void GX_ENGINE_MEMOBJ_STATE::FreeAll()
{
    for (void* block : m_blocks)
        std::free(block);
    m_blocks.clear();
}

GX_ENGINE_MEMOBJ_STATE* GetEngineMemObjState()
{
    if (s_pRegistry == nullptr && !s_bShutDown)
        s_pRegistry = new GX_ENGINE_MEMOBJ_STATE;
    return s_pRegistry;
}

void RegisterEngineBlock(void* block)
{
    GX_ENGINE_MEMOBJ_STATE* pState = GetEngineMemObjState();
    if (block != nullptr && pState != nullptr)
        pState->m_blocks.insert(block);
}

void ReleaseEngineBlock(void* block)
{
    if (block == nullptr)
        return;
    // After the process-end release every registered block is gone already.
    if (s_bShutDown)
        return;
    GX_ENGINE_MEMOBJ_STATE* pState = GetEngineMemObjState();
    pState->m_blocks.erase(block);
    std::free(block);
}

void ReleaseAllEngineBlocks()
{
    if (GX_ENGINE_MEMOBJ_STATE* pState = GetEngineMemObjState())
        pState->FreeAll();
}

INT_PTR CountEngineBlocks()
{
    GX_ENGINE_MEMOBJ_STATE* pState = GetEngineMemObjState();
    return pState != nullptr ? INT_PTR(pState->m_blocks.size()) : 0;
}

void* EngineAlloc(std::size_t size)
{
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr)
        AfxThrowMemoryException();
    try {
        RegisterEngineBlock(block);
    } catch (const std::bad_alloc&) {
        std::free(block);
        AfxThrowMemoryException();
    }
    return block;
}

char* EngineAllocText(const char* text, std::size_t length)
{
    char* copy = static_cast<char*>(EngineAlloc(length + 1));
    if (length != 0)
        std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}
