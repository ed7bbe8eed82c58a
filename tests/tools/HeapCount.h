// Counts what the process holds on its heaps, for tests that a reader or a registry leaves no
// memory behind.
#pragma once

#include <windows.h>

#include <algorithm>

struct HeapCount
{
    long long blocks = 0;
    long long bytes = 0;
};

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
    HANDLE heaps[256];
    const DWORD nHeaps = std::min<DWORD>(::GetProcessHeaps(256, heaps), 256);
    for (DWORD i = 0; i < nHeaps; ++i)
        SettleDelayedFrees(heaps[i]);
    for (DWORD i = 0; i < nHeaps; ++i)
    {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry;
        entry.lpData = nullptr;
        while (::HeapWalk(heaps[i], &entry))
        {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            {
                ++count.blocks;
                count.bytes += entry.cbData;
            }
        }
        ::HeapUnlock(heaps[i]);
    }
    return count;
}
