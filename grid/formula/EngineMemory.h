#pragma once
// The engine's tracked allocator: every text and parsed formula of the engine is a heap block
// registered here, so that whatever is still registered when the process ends is freed then.

#include <windows.h>

#include <cstddef>

#include <unordered_set>

// Registry of the engine's heap blocks: one per process, created on first use.
class GX_ENGINE_MEMOBJ_STATE
{
public:
    GX_ENGINE_MEMOBJ_STATE();
    ~GX_ENGINE_MEMOBJ_STATE();  // frees every registered block

    void FreeAll();

    // A hash set that keeps its buckets when it empties: the framework's map frees its table with its
    // last entry, and the engine's blocks come and go one at a time.
    std::unordered_set<void*> m_blocks;

private:
    GX_ENGINE_MEMOBJ_STATE(const GX_ENGINE_MEMOBJ_STATE&) = delete;
    GX_ENGINE_MEMOBJ_STATE& operator=(const GX_ENGINE_MEMOBJ_STATE&) = delete;
};

// The registry; null once it was destroyed at process end.
GX_ENGINE_MEMOBJ_STATE* GetEngineMemObjState();

// Adds a block once.
void RegisterEngineBlock(void* block);
// Unregisters a registered block and frees any non-null block.
void ReleaseEngineBlock(void* block);
// Frees every registered block.
void ReleaseAllEngineBlocks();
// Number of registered blocks.
INT_PTR CountEngineBlocks();

// A registered block of size bytes; throws the framework's memory exception when the runtime has none.
void* EngineAlloc(std::size_t size);
// A registered copy of length characters of text, terminated.
char* EngineAllocText(const char* text, std::size_t length);
// ReleaseEngineBlock under the allocator's name.
inline void EngineFree(void* block) { ReleaseEngineBlock(block); }
