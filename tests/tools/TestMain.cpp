// The main of every test program: GoogleTest's, with every heap of the process validated after each
// test. In the heap-checked pass Wine fills freed blocks and the tails of busy ones, but it looks at
// those fills only when a block is freed again or its heap is validated: without a validation a write
// into freed memory or past a block's end could go unseen, or be blamed on a later test.
#include <gtest/gtest.h>

#include "tests/tools/HeapCount.h"

namespace {

class HeapValidation : public ::testing::EmptyTestEventListener
{
    // The end of a test reaches the listeners in reverse order, so this runs before the result
    // printer's and a failure added here still belongs to the test that ends.
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        for (HANDLE hHeap : DamagedHeaps())
            ADD_FAILURE() << "the heap " << hHeap
                          << " is damaged after this test: something wrote into a freed block or past the end of one";
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new HeapValidation);
    return RUN_ALL_TESTS();
}
