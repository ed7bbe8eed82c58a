// The chart wizard's texts: the "GRAPHTYPE" resources that fill its choice lists (a hexadecimal value and
// an entry's text per line; the graph types also name the resource of their axis styles) and its
// layouts. A layout is one line of text, a sequence of component groups (name, measurement, border,
// shadow, fill and the rectangle), read from the "LAYOUT" resource or a layout file, and written by the
// wizard preview's save-layout command.
#pragma once

#include <vector>

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

class QVGraph;

// One component of a layout.
class CLayoutItem
{
public:
    CString m_strName;
    int m_nMeasurement = 0;
    int m_nBorderStyle = 0;
    int m_nShadowStyle = 0;
    int m_nFill = 0;
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;
};

typedef std::vector<CLayoutItem> CLayout;

// The lines of a wizard text ("GRAPHTYPE" resources, layout files): leading white space and empty
// lines are skipped, a line runs to the next newline and holds at most 1023 characters (a longer one
// goes on as the next line), and a line whose first character is '/' is a comment.
class QVGWizardLines
{
public:
    explicit QVGWizardLines(LPCTSTR lpszText);
    // The next line that is not a comment; FALSE at the end of the text.
    BOOL Next(CString& line);

private:
    LPCTSTR m_pNext;
};

// A "GRAPHTYPE" resource of the name as text; FALSE when there is none.
BOOL LoadWizardResource(LPCTSTR lpszName, CString& text);

// The layouts of the "GRAPHTYPE" resource of the name, or without one those of the file of that name,
// read whole; FALSE when there is neither or the file cannot be read in full.
BOOL LoadLayoutText(LPCTSTR lpszName, CString& text);

// A choice-list line ("%x %n"): the value, then the rest of the line is the entry's text.
BOOL ParseChoiceLine(LPCTSTR lpszLine, DWORD& value, CString& text);
// A graph-type line ("%x %s %n"): the value (the type in bits 16-23), the word naming the resource of the
// type's axis styles (at most 255 characters), then the entry's text.
BOOL ParseGraphTypeLine(LPCTSTR lpszLine, DWORD& value, CString& word, CString& text);

// The groups of a layout line; a group that does not parse in full ends the line.
CLayout ParseLayoutLine(LPCTSTR lpszLine);
// Every layout of a text, one per line.
std::vector<CLayout> ParseLayouts(LPCTSTR lpszText);

// The layout line of the chart's Background, Title, Display and Legend components, in list order, with
// the rectangles in percent of the size (device units); the text appended to a layout file, two
// newlines first.
CString FormatLayoutLine(QVGraph* pChart, CSize size);
// Appends the text to the file, creating it when missing; FALSE when it cannot be opened.
BOOL AppendToLayoutFile(LPCTSTR lpszPath, const CString& text);
