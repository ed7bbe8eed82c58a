// Resource ids of the automation test server.
#pragma once

#define IDR_MAINFRAME 128
#define IDR_SERVERDOC 129
