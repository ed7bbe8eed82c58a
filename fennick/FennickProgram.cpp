// Fennick's one application object; the framework's WinMain starts it.
#include "fennick/FennickApp.h"

CFennickApp theApp;
