// Data of one thread, made on first use and deleted when the thread ends.
//
// The data's address is kept in a Win32 TLS slot, not in a thread_local variable: this runtime frees
// a thread's thread_local storage before the destructors of its thread_local objects have all run, so
// an object that ends the data, or is destroyed after it, must neither read nor write that storage.
// The thread_local object that ends the data holds nothing of its own for the same reason.
#pragma once

#include <windows.h>

#include "framework/core/Exceptions.h"

template <class Data>
class CThreadData
{
public:
    // NULL before first use on this thread and after the thread's end has deleted it: objects of
    // static or thread storage may be destroyed after that.
    static Data* Existing()
    {
        const DWORD slot = Slot();
        if (slot == TLS_OUT_OF_INDEXES)
            return nullptr;
        void* pValue = ::TlsGetValue(slot);
        return pValue == EndedMark() ? nullptr : static_cast<Data*>(pValue);
    }

    // The thread's data, made on first use; NULL once the thread's end has deleted it, so that an
    // object destroyed later neither gets freed data nor makes data that nothing would delete.
    // Throws a memory exception when the process has no TLS slot left for it.
    static Data* Get()
    {
        const DWORD slot = Slot();
        if (slot == TLS_OUT_OF_INDEXES)
            AfxThrowMemoryException();
        void* pValue = ::TlsGetValue(slot);
        if (pValue == EndedMark())
            return nullptr;
        if (pValue != nullptr)
            return static_cast<Data*>(pValue);
        Data* pData = new Data;
        if (!::TlsSetValue(slot, pData))
        {
            delete pData;
            AfxThrowMemoryException();
        }
        static thread_local Ender ender;
        return pData;
    }

private:
    // Allocated once per process; a failure is kept, so every later use reports it again.
    static DWORD Slot()
    {
        static const DWORD slot = ::TlsAlloc();
        return slot;
    }

    // The slot's value after the thread's end: no address of any data.
    static void* EndedMark()
    {
        static char mark;
        return &mark;
    }

    struct Ender
    {
        ~Ender()
        {
            Data* pData = Existing();
            ::TlsSetValue(Slot(), EndedMark());
            delete pData;
        }
    };
};
