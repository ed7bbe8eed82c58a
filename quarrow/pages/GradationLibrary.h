#pragma once

#include <string>
#include <vector>

#include "framework/core/CString.h"
#include "quarrow/app/ProjectData.h"

// The gradation library: one text file "<name>.sgd" per entry in the folder "GradFiles" of the
// installation directory, which the program never creates.
//
// A file holds the 24 sieve rows, finest first, each "lower value upper" followed by CR LF and one
// blank, then one line "unit-weight specific-gravity porosity permeability" ended by CR LF. Numbers
// are written like "%g" with a two-digit exponent; -1 stands for an empty entry. Unit weight is in
// lb/ft3 and permeability in ft/day whatever the project's units.
class CGradationLibrary
{
public:
    enum { SieveCount = CProjectData::SieveCount };
    enum { UnitWeight, SpecificGravity, Porosity, Permeability, MaterialCount };

    struct Gradation
    {
        double rows[SieveCount][3];         // lower bound, value, upper bound
        double material[MaterialCount];
    };

    // "<installation directory>\GradFiles\".
    static CString FolderPath();
    static CString FilePath(const CString& strName);
    // The names of the folder's files, in the order the file search gives them; none for a missing
    // folder.
    static std::vector<CString> ListEntries();

    static std::string Format(const Gradation& gradation);
    // The 72 numbers of the rows and then the material values; FALSE when any of the 72 is missing,
    // not finite or no percentage (-1 or 0 to 100). Missing or unreadable material values are -1.
    static bool Parse(const std::string& text, Gradation& gradation);

    // Replaces the file whole; FALSE when it cannot be written (a missing folder among others).
    static BOOL Write(const CString& strPath, const Gradation& gradation);
    // FALSE when the file cannot be read or is no gradation.
    static BOOL Read(const CString& strPath, Gradation& gradation);
};
