// OLE initialisation of a thread, as automation and OLE drag and drop need it.
#pragma once

#include <windows.h>

// Initialises OLE (OleInitialize) for the calling thread once; later calls only answer TRUE again.
// The initialisation is undone when the thread ends (for the main thread: when the program exits)
// or by AfxOleTerm. FALSE when OLE could not be initialised (a thread already set to the
// multithreaded model, for one), or when the thread's state has no place: no TLS slot is left, or
// the thread has ended.
BOOL AfxOleInit();
// Undoes this thread's AfxOleInit now; nothing when it was not done.
void AfxOleTerm();
