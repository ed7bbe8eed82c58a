// What the automation tests and their server program agree on.
#pragma once

#include <windows.h>

// {5D3C2A71-9B4E-4F08-A6C2-71E0B3D45F19}
#define AUTOMATION_TEST_SERVER_CLSID \
    0x5d3c2a71, 0x9b4e, 0x4f08, 0xa6, 0xc2, 0x71, 0xe0, 0xb3, 0xd4, 0x5f, 0x19
#define AUTOMATION_TEST_SERVER_PROGID "QuarrowTest.AutomationServer"
#define AUTOMATION_TEST_SERVER_TITLE "Automation Test Server"
#define AUTOMATION_TEST_SERVER_EXE "automation_test_server.exe"

// Dispatch ids of the server's object.
enum : DISPID
{
    DISPID_TEST_VALUE = 1,         // VT_R4, kept by the object
    DISPID_TEST_LIVEOBJECTS = 2,   // VT_I4, the server's objects alive now (a put is ignored)
    DISPID_TEST_MODALLOOP = 3,     // VT_BOOL: a put of TRUE opens a modal loop in the server (once
                                   // this call has returned), FALSE ends it; a get answers whether
                                   // the call was served inside that loop
};
