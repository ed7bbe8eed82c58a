#include "quarrow/pages/PageNumberText.h"

#include "framework/core/NumberText.h"

CString PageDigits5(double value)
{
    return CString(NumberText::Gcvt(value, 5).c_str());
}

CString PageFixedOrExponent(double value, double threshold, const char* fixedFormat, const char* exponentFormat)
{
    CString strText;
    strText.Format(value <= threshold ? exponentFormat : fixedFormat, value);
    return strText;
}
