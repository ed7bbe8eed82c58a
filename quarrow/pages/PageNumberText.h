#pragma once

#include "framework/core/CString.h"

// Number texts the design pages read from their edits and store into the project record.

// A typed number as the runtime reads it (an empty or non-numeric text is 0). A text that reads
// as infinite ("1e999") counts as 0 too, so that no infinite value reaches the record.
double TypedNumber(const CString& strText);

// 5 significant digits in the manner of _gcvt ("14.", "0.55279", "7.056e-006").
CString PageDigits5(double value);
// A typed text as most edits store it: its number in 5 significant digits ("2" is "2.").
CString PageTypedDigits5(const CString& strTyped);

// fixedFormat, or exponentFormat when the value is at or below the threshold
// (a time to drain of 0.1 hour is "1.00e-001", 0.11 hour is "0.11").
CString PageFixedOrExponent(double value, double threshold, const char* fixedFormat, const char* exponentFormat);

// fixedFormat when the value is at least the bound, else exponentFormat (a grain size of 0.001 mm
// is "0.0010", 0.0005 mm is "5.00e-004").
CString PageFixedFromBound(double value, double bound, const char* fixedFormat, const char* exponentFormat);
