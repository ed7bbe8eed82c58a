// Ends a thread that used the framework's per-thread data (GDI and DC handle maps, OLE), then asks
// the heap whether anything wrote to memory freed at the thread's end. The tests start it with the
// heap's free checking on. Exit code 0: the heap is whole; 2: it is not.
#include <windows.h>

#include <malloc.h>

#include <thread>

#include "framework/ole/OleInit.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

int main()
{
    std::thread worker([] {
        CBrush brush;
        brush.CreateSolidBrush(RGB(1, 2, 3));
        CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        HDC hScreen = ::GetDC(nullptr);
        CDC::FromHandle(hScreen)->GetCurrentBrush();
        AfxOleInit();
        ::ReleaseDC(nullptr, hScreen);
    });
    worker.join();
    const bool whole = ::HeapValidate(reinterpret_cast<HANDLE>(_get_heap_handle()), 0, nullptr) &&
                       ::HeapValidate(::GetProcessHeap(), 0, nullptr);
    return whole ? 0 : 2;
}
