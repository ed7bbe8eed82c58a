// Counts what the process holds on its heaps, for tests that a reader or a registry leaves no
// memory behind, and validates them, for the checks that nothing wrote where it must not.
#pragma once

#include <windows.h>

#include <vector>

struct HeapCount
{
    long long blocks = 0;
    long long bytes = 0;
};

// Every heap of the process: malloc's, new's, the process heap and those the platform made.
inline std::vector<HANDLE> ProcessHeaps()
{
    std::vector<HANDLE> heaps(64);
    for (;;)
    {
        const DWORD nHeaps = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
        if (nHeaps <= heaps.size())
        {
            heaps.resize(nHeaps);
            return heaps;
        }
        heaps.resize(nHeaps);
    }
}

// The heaps that HeapValidate finds damaged. With the heap's checks on (WINEDEBUG=warn+heap) it also
// checks the fill of every freed block and the tail behind every busy one, which Wine otherwise
// looks at only when the block is freed again.
inline std::vector<HANDLE> DamagedHeaps()
{
    std::vector<HANDLE> damaged;
    for (HANDLE hHeap : ProcessHeaps())
        if (!::HeapValidate(hHeap, 0, nullptr))
            damaged.push_back(hHeap);
    return damaged;
}

// With its free checks on (WINEDEBUG=warn+heap) Wine's heap keeps the last blocks freed, up to 1024 of
// them, as filled blocks that a walk reports in use. Which blocks those are depends on the last frees
// alone, and their bytes differ by megabytes from one count to the next. Freeing as many tiny blocks of
// our own first fills that queue with blocks of one size, so that it counts the same every time.
inline void SettleDelayedFrees(HANDLE hHeap)
{
    const int nQueued = 4096;
    static void* blocks[nQueued];
    int nAllocated = 0;
    while (nAllocated < nQueued && (blocks[nAllocated] = ::HeapAlloc(hHeap, 0, 1)) != nullptr)
        ++nAllocated;
    while (nAllocated > 0)
        ::HeapFree(hHeap, 0, blocks[--nAllocated]);
}

// Every block in use on every heap of the process: malloc, new, HeapAlloc and GlobalAlloc alike.
inline HeapCount CountHeap()
{
    HeapCount count;
    const std::vector<HANDLE> heaps = ProcessHeaps();
    for (HANDLE hHeap : heaps)
        SettleDelayedFrees(hHeap);
    for (HANDLE hHeap : heaps)
    {
        if (!::HeapLock(hHeap))
            continue;
        PROCESS_HEAP_ENTRY entry;
        entry.lpData = nullptr;
        while (::HeapWalk(hHeap, &entry))
        {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            {
                ++count.blocks;
                count.bytes += entry.cbData;
            }
        }
        ::HeapUnlock(hHeap);
    }
    return count;
}
