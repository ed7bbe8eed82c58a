// Quarrow's golden plot data files, built into the test program as resources.
#pragma once

#define IDR_PLOT_TIME_TO_DRAIN_ENGLISH   900
#define IDR_PLOT_SEPARATOR_NONE_ENGLISH  901
#define IDR_PLOT_DEPTH_OF_FLOW_METRIC    902
#define IDR_PLOT_SEPARATOR_AGGREGATE_ENGLISH_LOG 903
