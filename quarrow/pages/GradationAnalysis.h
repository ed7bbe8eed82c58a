#pragma once

#include <vector>

#include "framework/core/CString.h"
#include "quarrow/pages/MaterialLayer.h"

class CProjectData;

// One point of a grain-size curve: sieve size in millimetres, percent passing.
struct GradationPoint
{
    double dSize;
    double dPercent;
};
using GradationPoints = std::vector<GradationPoint>;

// The gradation analysis of one layer's sieve table, apart from the page that shows it: the order
// check with the cells it marks, the grain-size parameters on the 0.45-power scale of size, and the
// completion of the stored table. The table mode is the record's `Sieve Type` word.
class CGradationAnalysis
{
public:
    enum { SieveCount = CProjectData::SieveCount };

    // A typed percentage as the table stores it: "0." up to 0, "100.0" above 100, one decimal
    // between ("45.0", "37.6", "0.5", and "1.0" for 0.96); an empty text stays empty.
    static CString PercentText(const CString& strTyped);

    // All 72 texts (lower bound, value, upper bound of every row) of the layer are empty.
    static bool IsTableEmpty(const CProjectData& data, const CMaterialLayer& layer);

    // The texts of the mode's columns into the numbers: -1.0 for an empty text.
    static void ReadTexts(CProjectData& data, const CMaterialLayer& layer, bool bRange);

    // The order check: percentages may not fall from a finer sieve to a coarser one, and an upper
    // bound may not lie below its lower bound. The points run from (0, 0) through every usable row
    // to (100, 100). A bad cell is one the grid marks red: column 0 the value or lower bound,
    // column 1 the upper bound.
    struct OrderCheck
    {
        bool bValid = true;
        GradationPoints points;
        bool bBadCell[SieveCount][2] = {};
    };
    static OrderCheck CheckOrder(const CProjectData& data, const CMaterialLayer& layer, bool bRange);

    // D10 ... D85 in millimetres, the percent passing the #200 sieve, CU and CC of a curve of at
    // least the two end points whose percentages do not fall.
    struct Parameters
    {
        double grainSizes[CMaterialLayer::GrainSizeCount];
        double dP200;
        double dCu;
        double dCc;
    };
    static Parameters ComputeParameters(const GradationPoints& points);
    // The parameters as the layer's texts; grain sizes in inches for English units.
    static void StoreParameters(CProjectData& data, const CMaterialLayer& layer, const Parameters& parameters);

    // Makes the columns the mode does not edit follow the others: value mode copies the value into
    // both bounds; range mode sets the value to the mean of the bounds, or empties it unless both
    // bounds are set. Another mode word changes nothing.
    static void CompleteTable(CProjectData& data, const CMaterialLayer& layer, const CString& strMode);
    // Every text of the layer's table empty, every number -1.0.
    static void ClearTable(CProjectData& data, const CMaterialLayer& layer);
    // The layer's D10 to D85, p200, CU and CC emptied.
    static void ClearResults(CProjectData& data, const CMaterialLayer& layer);
};
