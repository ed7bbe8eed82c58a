// The main of every test program: GoogleTest's, with every heap of the process validated after each
// test. In the heap-checked pass Wine fills freed blocks and the tails of busy ones, but it looks at
// those fills only when a block is freed again or its heap is validated: without a validation a write
// into freed memory or past a block's end could go unseen, or be blamed on a later test.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tests/tools/HeapCount.h"

namespace {

class HeapValidation : public ::testing::EmptyTestEventListener
{
    // The end of a test reaches the listeners in reverse order, so this runs before the result
    // printer's and a failure added here still belongs to the test that ends. A heap stays damaged
    // until the damaged block is freed: only the test that damaged it fails, not every one after it.
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const auto started = std::chrono::steady_clock::now();
        const std::vector<HANDLE> damaged = DamagedHeaps();
        for (HANDLE hHeap : damaged)
            if (std::find(m_damaged.begin(), m_damaged.end(), hHeap) == m_damaged.end())
                ADD_FAILURE() << "the heap " << hHeap << " is damaged after this test: something wrote into a "
                              << "freed block or past the end of one";
        m_damaged = damaged;
        m_spent += std::chrono::steady_clock::now() - started;
        ++m_nValidations;
    }

    // What the check costs, for the suite's time budget.
    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        std::printf("Heaps validated after %d tests in %.1f s\n", m_nValidations,
                    std::chrono::duration<double>(m_spent).count());
    }

    std::vector<HANDLE> m_damaged;
    std::chrono::steady_clock::duration m_spent{};
    int m_nValidations = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new HeapValidation);
    return RUN_ALL_TESTS();
}
