// Golden summary files compiled into the quarrow app tests.
#pragma once

#define IDR_GOLDEN_METRIC_AGGREGATE     9001
#define IDR_GOLDEN_GEOTEXTILE_BOUNDARY  9002
