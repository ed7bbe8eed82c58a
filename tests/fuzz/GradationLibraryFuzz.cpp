// The gradation library file (*.sgd): 72 sieve numbers and four material values that the sieve
// page loads into a layer.
#include "tests/fuzz/Fuzz.h"

#include "quarrow/pages/GradationLibrary.h"

#include <cmath>

namespace
{
CGradationLibrary::Gradation Filled(double value)
{
    CGradationLibrary::Gradation gradation;
    for (auto& row : gradation.rows)
        row[0] = row[1] = row[2] = value;
    for (double& material : gradation.material)
        material = value;
    return gradation;
}

std::vector<std::string> GradationSeeds()
{
    CGradationLibrary::Gradation values = Filled(-1.0);
    const double percents[] = {5, 15, 30, 45, 60, 85, 100};
    for (int i = 0; i < 7; ++i)
        values.rows[3 + 2 * i][0] = values.rows[3 + 2 * i][1] = values.rows[3 + 2 * i][2] = percents[i];
    values.material[CGradationLibrary::UnitWeight] = 124.86;
    values.material[CGradationLibrary::SpecificGravity] = 2.65;
    values.material[CGradationLibrary::Porosity] = 0.245;
    values.material[CGradationLibrary::Permeability] = 380.089;

    CGradationLibrary::Gradation range = Filled(-1.0);
    for (int row = 0; row < CGradationLibrary::SieveCount; ++row)
    {
        range.rows[row][0] = 2.0 * row;
        range.rows[row][2] = 4.0 * row + 4.0;
        range.rows[row][1] = (range.rows[row][0] + range.rows[row][2]) * 0.5;
    }
    range.material[CGradationLibrary::Permeability] = 3.5e-05;

    const std::string full = CGradationLibrary::Format(values);
    return {full, CGradationLibrary::Format(range), CGradationLibrary::Format(Filled(-1.0)),
            full.substr(0, full.rfind("124.86")), full + "notes of the engineer\r\n"};
}

std::vector<std::string> GradationTokens()
{
    return {"-1", "100", "0", "100.0000001", "-1.5", "1e999", "-1e999", "nan", "inf", "0x1p3", "1e-320",
            "\r\n ", " ", "\t", "\n", std::string(1, '\0'), "-", ".", "e5", std::string(400, '9'),
            std::string(70000, ' '), "124.86 2.65 0.245 380.089\r\n"};
}

FuzzOutcome ReadGradation(const std::string& input)
{
    // No file can give a number that is not a number: what still holds it was not written.
    CGradationLibrary::Gradation gradation = Filled(std::nan(""));
    if (!CGradationLibrary::Parse(input, gradation))
    {
        for (const auto& row : gradation.rows)
            for (double value : row)
                if (!std::isnan(value))
                    throw FuzzFault("a refused file changed the gradation");
        for (double value : gradation.material)
            if (!std::isnan(value))
                throw FuzzFault("a refused file changed the material values");
        return FuzzOutcome::Refused;
    }
    for (const auto& row : gradation.rows)
        for (double value : row)
            if (value != -1.0 && !(value >= 0.0 && value <= 100.0))
                throw FuzzFault("a sieve number that is no percentage");
    for (double value : gradation.material)
        if (!std::isfinite(value))
            throw FuzzFault("a material value that is neither a finite number read nor -1");
    return FuzzOutcome::Accepted;
}
} // namespace

REGISTER_FUZZ_READER("gradation library file", GradationSeeds, GradationTokens, ReadGradation);
