// The text of a custom resource of the program, or of the file of that name: templates and shapes.
#pragma once

#include "framework/core/CString.h"

#include <string>

enum class ChartTextSource
{
    none,          // neither a resource nor a file of that name
    resource,
    file,
    unlockable     // a resource that could not be locked
};

// Fills text from the resource of the name and type, or else from the file of the name. A file that
// cannot be read whole throws CFileException.
ChartTextSource ReadChartText(LPCTSTR lpszName, LPCTSTR lpszType, std::string& text);
