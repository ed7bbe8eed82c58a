// Golden gradation library files compiled into the quarrow pages tests.
#pragma once

#define IDR_GOLDEN_LIBRARY_CRUSHED_57             9201
