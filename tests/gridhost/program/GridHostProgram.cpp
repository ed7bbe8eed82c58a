// The grid test host as a program of its own.
#include "tests/gridhost/GridHostApp.h"

CGridHostApp theApp;
