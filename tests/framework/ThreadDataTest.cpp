// Per-thread data: made once per thread, deleted at the thread's end, and never made where it could
// not be kept or deleted.
#include "framework/core/ThreadData.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

template <int Kind>
struct Counted
{
    static inline std::atomic<int> made{0};
    static inline std::atomic<int> deleted{0};
    Counted() { ++made; }
    ~Counted() { ++deleted; }
};

}  // namespace

TEST(ThreadData, WithoutAFreeTlsSlotGetReportsAndMakesNothing)
{
    using Data = Counted<1>;
    std::vector<DWORD> taken;
    for (DWORD slot = ::TlsAlloc(); slot != TLS_OUT_OF_INDEXES; slot = ::TlsAlloc())
        taken.push_back(slot);
    int nReported = 0;
    for (int i = 0; i < 3; ++i)
    {
        try
        {
            CThreadData<Data>::Get();
        }
        catch (CMemoryException* e)
        {
            e->Delete();
            ++nReported;
        }
    }
    for (DWORD slot : taken)
        ::TlsFree(slot);
    EXPECT_EQ(nReported, 3);
    EXPECT_EQ(Data::made, 0);
    EXPECT_EQ(CThreadData<Data>::Existing(), nullptr);
}

// In a process of its own, as every test that ends a thread (see GdiTest.cpp).
TEST(ThreadDataDeathTest, AThreadsDataIsDeletedAtItsEndAndNotMadeAgainAfterIt)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            using Data = Counted<2>;
            static std::atomic<int> lateAnswers{0};
            // Made before the data, so destroyed after it when the thread ends; it holds nothing, as
            // the thread's storage may be freed by then.
            struct LateUser
            {
                ~LateUser()
                {
                    if (CThreadData<Data>::Get() == nullptr && CThreadData<Data>::Existing() == nullptr)
                        ++lateAnswers;
                }
            };
            std::thread worker([] {
                thread_local LateUser late;
                (void)&late;
                Data* pFirst = CThreadData<Data>::Get();
                if (pFirst == nullptr || CThreadData<Data>::Get() != pFirst || CThreadData<Data>::Existing() != pFirst)
                    std::exit(1);
            });
            worker.join();
            std::exit(Data::made == 1 && Data::deleted == 1 && lateAnswers == 1 ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "");
}
