// The golden project file compiled into the quarrow app tests.
#pragma once

#define IDR_GOLDEN_PROJECT_FULL 9003
