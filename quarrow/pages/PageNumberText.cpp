#include "quarrow/pages/PageNumberText.h"

#include "framework/core/NumberText.h"

#include <cmath>
#include <cstdlib>

double TypedNumber(const CString& strText)
{
    double value = atof(strText);
    return std::isfinite(value) ? value : 0.0;
}

CString PageDigits5(double value)
{
    return CString(NumberText::Gcvt(value, 5).c_str());
}

CString PageTypedDigits5(const CString& strTyped)
{
    return PageDigits5(TypedNumber(strTyped));
}

CString PageFixedOrExponent(double value, double threshold, const char* fixedFormat, const char* exponentFormat)
{
    CString strText;
    strText.Format(value <= threshold ? exponentFormat : fixedFormat, value);
    return strText;
}

CString PageFixedFromBound(double value, double bound, const char* fixedFormat, const char* exponentFormat)
{
    CString strText;
    strText.Format(value >= bound ? fixedFormat : exponentFormat, value);
    return strText;
}
