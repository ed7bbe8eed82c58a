// Deliberate heap faults, for the checks that the heap-checked pass fails the test that makes one.
// Only those checks' own tests run this program; it is no part of the suite's test modules.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Through a volatile pointer, so the compiler keeps writes that it could prove come too late or too far.
volatile char* Block(size_t nBytes)
{
    return static_cast<volatile char*>(std::malloc(nBytes));
}

}  // namespace

TEST(HeapFault, NoFault)
{
    volatile char* pBlock = Block(13);
    pBlock[12] = 'x';
    std::free(const_cast<char*>(pBlock));
}

TEST(HeapFault, AWriteIntoAFreedBlock)
{
    volatile char* pBlock = Block(64);
    std::free(const_cast<char*>(pBlock));
    pBlock[8] = 'x';
}

// The block stays allocated: freeing it would let the heap find the damage before the test ends.
TEST(HeapFault, AWriteOneBytePastABlock)
{
    volatile char* pBlock = Block(13);
    pBlock[13] = 'x';
}

// Faults that the heap refuses and reports on its channels, leaving every heap whole: only the pass's
// watch on Wine's output can fail them.
TEST(HeapFault, ADoubleFree)
{
    // Through a volatile pointer, so the compiler neither warns of the second free nor drops it.
    char* volatile pBlock = static_cast<char*>(std::malloc(24));
    std::free(pBlock);
    std::free(pBlock);
}

TEST(HeapFault, AFreeOfMemoryNoHeapGave)
{
    static char notABlock[64];
    char* volatile pNotABlock = notABlock + 32;
    std::free(pNotABlock);
}
