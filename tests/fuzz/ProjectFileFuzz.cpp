// The project file (*.qrw): an INI file that File Open reads key by key into the record.
#include "tests/fuzz/Fuzz.h"

#include "quarrow/app/ProjectData.h"

#include <windows.h>

#include <cmath>
#include <iterator>

namespace
{
std::vector<std::string> ProjectFileSeeds()
{
    std::vector<std::string> seeds;
    auto written = [&](CProjectData& data) {
        const std::string path = FuzzTempPath("qrw");
        if (!data.WriteFile(path.c_str()))
            throw FuzzFault("the project file writer refused its own seed");
        seeds.push_back(FuzzReadFile(path));
        ::DeleteFileA(path.c_str());
    };
    CProjectData blank("english");
    written(blank);

    CProjectData design("metric");
    design.m_strGeometryCoefficientB = "7.3";
    design.m_strGeometryCoefficientC = "0.6";
    design.m_strBaseWidth = "4.25";
    design.m_strResultantSlope = "0.0361";
    design.m_strBaseDescription = "Open graded \"No. 57\" stone";
    design.m_strSeparatorType = "aggregate";
    design.m_strMeltwater = "no";
    for (int row = 0; row < CProjectData::SieveCount; ++row)
    {
        design.m_strSieve[row][CProjectData::SieveValue].Format("%d", 100 - 4 * row);
        design.m_strSieve[row][3 + CProjectData::SieveLower].Format("%.1f", 90.5 - 3.5 * row);
    }
    written(design);

    // What another program would leave in the file, around the keys.
    seeds.push_back("; notes of the engineer\r\n[Notes]\r\nAuthor=J. Smith\r\n" + seeds.back());
    return seeds;
}

std::vector<std::string> ProjectFileTokens()
{
    return {
        "[Units]\r\nVALUE=metric\r\n", "[Units]\r\n", "VALUE=english\r\n", "[Base]\r\n", "[Seperator]\r\n",
        "[Controls]\r\nGeometry=B\r\n", "[Pavememt]\r\nk=1e999\r\n", "#200_1=-1e308\r\n", "3/8\"_1=nan\r\n",
        "Description=\"quoted\"\r\n", "k=   \r\n", "=\r\n", "[\r\n", "]\r\n", "[]\r\n", "\r\n\r\n", "\n", "\r",
        std::string(1, '\0'), "\xEF\xBB\xBF", "\xFF\xFE", std::string(70000, 'x'), "[Units]\r\n" + std::string(300, ';'),
        // Names of keys and sections a design never had, or had under another spelling.
        "[Pavement]\r\nk=2\r\n", "[Separator]\r\nD10=3\r\n", "[Width of permeable base]\r\nVALUE=\r\n",
    };
}

// The fields read first and last, with marks that no file holds.
void Mark(CProjectData& data)
{
    data.m_strUnits = "mark-units";
    data.m_strLongitudinalSlope = "mark-first";
    data.m_strGeotextileType = "mark-choice";
    data.m_strSieve[CProjectData::SieveCount - 1][CProjectData::SieveColumns - 1] = "mark-last";
    data.m_dSieve[CProjectData::SieveCount - 1][CProjectData::SieveColumns - 1] = 12345.0;
}

bool StillMarked(const CProjectData& data)
{
    return data.m_strUnits == "mark-units" && data.m_strLongitudinalSlope == "mark-first" &&
           data.m_strGeotextileType == "mark-choice" &&
           data.m_strSieve[CProjectData::SieveCount - 1][CProjectData::SieveColumns - 1] == "mark-last" &&
           data.m_dSieve[CProjectData::SieveCount - 1][CProjectData::SieveColumns - 1] == 12345.0;
}

FuzzOutcome ReadProjectFile(const std::string& input)
{
    const std::string path = FuzzTempPath("qrw");
    FuzzWriteFile(path, input);
    CProjectData data("english");
    Mark(data);
    const BOOL bRead = data.ReadFile(path.c_str());
    // What the platform's profile functions answer for a few keys of the same file: the reader must
    // take the text as they do.
    struct Answer
    {
        const char* section;
        const char* key;
        const char* missing;
        std::string text;
    } answers[] = {
        {"Base", "Description", "", ""},
        {"Controls", "Geometry", "A", ""},
        {"Width of permeable base", "VALUE", "", ""},
        {"Seperator", "3 1/2\"_2", "", ""},
    };
    if (bRead)
    {
        for (Answer& answer : answers)
        {
            std::vector<char> buffer(1 << 17);
            ::GetPrivateProfileStringA(answer.section, answer.key, answer.missing, buffer.data(),
                                       static_cast<DWORD>(buffer.size()), path.c_str());
            answer.text = buffer.data();
        }
    }
    // The profile functions keep the file in a cache of their own: let go of it before it goes.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    ::DeleteFileA(path.c_str());

    if (!bRead)
    {
        if (!StillMarked(data))
            throw FuzzFault("a refused file changed the record");
        return FuzzOutcome::Refused;
    }
    const CString* fields[] = {&data.m_strBaseDescription, &data.m_strGeometryChoice, &data.m_strBaseWidth,
                               &data.m_strSieve[CProjectData::SieveCount - 1][CProjectData::SieveColumns - 1]};
    for (size_t i = 0; i < std::size(answers); ++i)
    {
        // Values longer than the platform's buffer are left out of the comparison.
        if (answers[i].text.size() + 1 < (1u << 17) && std::string(*fields[i]) != answers[i].text)
            throw FuzzFault(std::string("the reader and the profile functions disagree on ") + answers[i].section +
                            "." + answers[i].key + ": \"" + std::string(*fields[i]).substr(0, 40) + "\" against \"" +
                            answers[i].text.substr(0, 40) + "\"");
    }
    if (data.m_strUnits != "english" && data.m_strUnits != "metric")
        throw FuzzFault("the units word is neither english nor metric");
    if (data.m_strLongitudinalSlope == "mark-first" || data.m_strGeotextileType == "mark-choice")
        throw FuzzFault("a read file left fields unread");
    for (int row = 0; row < CProjectData::SieveCount; ++row)
    {
        for (int column = 0; column < CProjectData::SieveColumns; ++column)
        {
            const double value = data.m_dSieve[row][column];
            if (!std::isfinite(value))
                throw FuzzFault("a sieve number that is no finite number");
            if (data.m_strSieve[row][column].IsEmpty() && value != -1.0)
                throw FuzzFault("an empty sieve text whose number is not -1");
        }
    }
    return FuzzOutcome::Accepted;
}
} // namespace

REGISTER_FUZZ_READER("project file", ProjectFileSeeds, ProjectFileTokens, ReadProjectFile);
