// Data of one thread, made on first use and deleted when the thread ends.
//
// The data's address is kept in a Win32 TLS slot, not in a thread_local variable: this runtime frees
// a thread's thread_local storage before the destructors of its thread_local objects have all run, so
// an object that ends the data, or is destroyed after it, must neither read nor write that storage.
// The thread_local object that ends the data holds nothing of its own for the same reason.
#pragma once

#include <windows.h>

template <class Data>
class CThreadData
{
public:
    // NULL before first use on this thread and after the thread's end has deleted it: objects of
    // static or thread storage may be destroyed after that.
    static Data* Existing() { return static_cast<Data*>(::TlsGetValue(Slot())); }

    static Data& Get()
    {
        Data* pData = Existing();
        if (pData == nullptr)
        {
            static thread_local Ender ender;
            pData = new Data;
            ::TlsSetValue(Slot(), pData);
        }
        return *pData;
    }

private:
    static DWORD Slot()
    {
        static const DWORD slot = ::TlsAlloc();
        return slot;
    }

    struct Ender
    {
        ~Ender()
        {
            Data* pData = Existing();
            ::TlsSetValue(Slot(), nullptr);
            delete pData;
        }
    };
};
