#include "framework/ole/OleInit.h"

#include <ole2.h>

#include "framework/core/ThreadData.h"

namespace {

// One per thread: undoes the thread's OleInitialize when the thread ends.
class COleThreadState
{
public:
    ~COleThreadState() { Term(); }

    BOOL Init()
    {
        if (!m_bInitialized)
        {
            const HRESULT hr = ::OleInitialize(nullptr);
            // S_FALSE: OLE was already initialised on this thread; it still needs its balancing call.
            if (FAILED(hr))
                return FALSE;
            m_bInitialized = true;
        }
        return TRUE;
    }

    void Term()
    {
        if (m_bInitialized)
        {
            m_bInitialized = false;
            ::OleUninitialize();
        }
    }

private:
    bool m_bInitialized = false;
};

using ThreadOleState = CThreadData<COleThreadState>;

} // namespace

BOOL AfxOleInit()
{
    // Without a place for the thread's state its initialisation could never be undone: a failure.
    COleThreadState* pState = nullptr;
    try
    {
        pState = ThreadOleState::Get();
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return FALSE;
    }
    return pState != nullptr && pState->Init();
}

void AfxOleTerm()
{
    if (COleThreadState* pState = ThreadOleState::Existing())
        pState->Term();
}
