// Deliberate heap faults, for the check that the heap-checked pass fails the test that makes one.
// Only that check's own tests run this program; it is no part of the suite's test modules.
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
