#include "quarrow/pages/GradationLibrary.h"

#include <windows.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "framework/core/SafeSave.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/PlotDataFile.h"

namespace {

const char Extension[] = ".sgd";
const size_t ExtensionLength = 4;
const size_t MaxReadBytes = 1 << 20;

bool EndsWithExtension(const std::string& name)
{
    return name.size() > ExtensionLength &&
           ::lstrcmpiA(name.c_str() + name.size() - ExtensionLength, Extension) == 0;
}

// The next whitespace-separated number of the text; false at the end or before a word.
bool NextNumber(const char*& p, double& value)
{
    char* pEnd = nullptr;
    errno = 0;
    const double read = std::strtod(p, &pEnd);
    if (pEnd == p || errno == ERANGE || !std::isfinite(read))
        return false;
    if (*pEnd != '\0' && !std::isspace(static_cast<unsigned char>(*pEnd)))
        return false;
    value = read;
    p = pEnd;
    return true;
}

} // namespace

CString CGradationLibrary::FolderPath()
{
    CString strFolder;
    if (CQuarrowApp* pApp = QuarrowApp())
        strFolder = pApp->m_strInstallDir;
    return strFolder + "\\GradFiles\\";
}

CString CGradationLibrary::FilePath(const CString& strName)
{
    return FolderPath() + strName + Extension;
}

std::vector<CString> CGradationLibrary::ListEntries()
{
    std::vector<CString> entries;
    WIN32_FIND_DATAA found;
    HANDLE hSearch = ::FindFirstFileA(FolderPath() + "*" + Extension, &found);
    if (hSearch == INVALID_HANDLE_VALUE)
        return entries;
    do
    {
        // The pattern also finds names whose short form ends so ("x.sgdx"), and folders.
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && EndsWithExtension(name))
            entries.push_back(CString(name.substr(0, name.size() - ExtensionLength).c_str()));
    } while (::FindNextFileA(hSearch, &found));
    ::FindClose(hSearch);
    return entries;
}

std::string CGradationLibrary::Format(const Gradation& gradation)
{
    std::string text;
    for (const auto& row : gradation.rows)
    {
        text += static_cast<LPCTSTR>(CPlotDataFile::FormatNumber(row[0]));
        text += ' ';
        text += static_cast<LPCTSTR>(CPlotDataFile::FormatNumber(row[1]));
        text += ' ';
        text += static_cast<LPCTSTR>(CPlotDataFile::FormatNumber(row[2]));
        text += "\r\n ";
    }
    for (int i = 0; i < MaterialCount; ++i)
    {
        if (i > 0)
            text += ' ';
        text += static_cast<LPCTSTR>(CPlotDataFile::FormatNumber(gradation.material[i]));
    }
    text += "\r\n";
    return text;
}

bool CGradationLibrary::Parse(const std::string& text, Gradation& gradation)
{
    Gradation read;
    const char* p = text.c_str();
    for (auto& row : read.rows)
    {
        for (double& value : row)
        {
            if (!NextNumber(p, value))
                return false;
            if (value != -1.0 && !(value >= 0.0 && value <= 100.0))
                return false;
        }
    }
    int nRead = 0;
    while (nRead < MaterialCount && NextNumber(p, read.material[nRead]))
        ++nRead;
    for (int i = nRead; i < MaterialCount; ++i)
        read.material[i] = -1.0;
    gradation = read;
    return true;
}

BOOL CGradationLibrary::Write(const CString& strPath, const Gradation& gradation)
{
    const std::string text = Format(gradation);
    return AfxSaveBytesSafely(strPath, text.data(), text.size());
}

BOOL CGradationLibrary::Read(const CString& strPath, Gradation& gradation)
{
    std::ifstream file(static_cast<LPCTSTR>(strPath), std::ios::binary);
    if (!file)
        return FALSE;
    // The numbers take a few kilobytes; whatever follows them is never read.
    std::string text(MaxReadBytes, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad())
        return FALSE;
    text.resize(static_cast<size_t>(file.gcount()));
    return Parse(text, gradation) ? TRUE : FALSE;
}
