// What the automation tests and their server program agree on.
#pragma once

#include <windows.h>

// The document class of the server's document template.
// {5D3C2A71-9B4E-4F08-A6C2-71E0B3D45F19}
#define AUTOMATION_TEST_DOCUMENT_CLSID \
    0x5d3c2a71, 0x9b4e, 0x4f08, 0xa6, 0xc2, 0x71, 0xe0, 0xb3, 0xd4, 0x5f, 0x19
#define AUTOMATION_TEST_DOCUMENT_PROGID "QuarrowTest.AutomationServer"
#define AUTOMATION_TEST_DOCUMENT_NAME "Automation Test Document"

// A plain command target with a class factory of its own.
// {8A41F0C3-2D57-4B9E-B1A4-6C03E8D2F7A5}
#define AUTOMATION_TEST_OBJECT_CLSID \
    0x8a41f0c3, 0x2d57, 0x4b9e, 0xb1, 0xa4, 0x6c, 0x03, 0xe8, 0xd2, 0xf7, 0xa5
#define AUTOMATION_TEST_OBJECT_PROGID "QuarrowTest.AutomationObject"

#define AUTOMATION_TEST_SERVER_EXE "automation_test_server.exe"

// Dispatch ids of the server's document.
enum : DISPID
{
    DISPID_TEST_VALUE = 1,             // VT_R4, kept by the document
    DISPID_TEST_CLIENTDOCUMENTS = 2,   // VT_I4, the template's documents made for clients (a put
                                       // is ignored)
    DISPID_TEST_MODALLOOP = 3,         // VT_BOOL: a put of TRUE opens a modal loop in the server
                                       // (once this call has returned), FALSE ends it; a get
                                       // answers whether the call was served inside that loop
};
