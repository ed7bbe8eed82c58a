// What keeps an automation server running. Every object a client holds locks the program while
// it lives (its constructor calls AfxOleLockApp, its destructor AfxOleUnlockApp), and so does a
// client's IClassFactory::LockServer. While locked, closing the main window only hides it and
// leaves the program to the objects; when the last lock goes and the user does not control the
// program (it was started for automation, or its main window was closed meanwhile), the main
// window is closed and the program ends.
#pragma once

#include <windows.h>

void AfxOleLockApp();
void AfxOleUnlockApp();
// TRUE when nothing locks the program: its main window may close and end it.
BOOL AfxOleCanExitApp();
// Whether the user controls the program (TRUE at start): a program under the user's control goes
// on running when its last object is released.
void AfxOleSetUserCtrl(BOOL bUserCtrl);
BOOL AfxOleGetUserCtrl();

class CWnd;
// The close of a program's main window while objects lock it: the window hides instead, the user
// no longer controls the program, and TRUE is answered (the close is done). FALSE when nothing
// locks the program or pFrame is not its main window: the window closes as usual.
BOOL AfxOleHideMainWindowOnClose(CWnd* pFrame);
