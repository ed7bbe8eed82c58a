// Quarrow's one application object; the framework's WinMain starts it.
#include "quarrow/app/QuarrowApp.h"

CQuarrowApp theApp;
