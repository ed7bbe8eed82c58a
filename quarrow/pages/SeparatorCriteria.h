#pragma once

class CProjectData;

// The filter criteria of the separator layer between the permeable base and the subgrade, on the
// project record: the requirements a geotextile must meet (largest opening size, least
// permeability, largest thickness), the pass or fail verdicts of each separator kind and the
// recommendation for a geotextile. The separator page shows them; the HTML summary prints the
// same verdicts, from the same evaluation.
class CSeparatorCriteria
{
public:
    // "aggregate" judges five criteria, "geotextile" three, "none" two.
    enum { MaxVerdicts = 5 };

    // Judges the criteria of the record's separator kind, in the order the page and the summary
    // show them, into passed (1 pass, 0 fail) and answers how many it judged. Entries the kind
    // does not judge keep their values; any other kind word judges nothing and answers 0.
    // The criteria read "<=" and ">=" pass with equal sides; the permeability criteria read ">"
    // and stay strict.
    static int Evaluate(const CProjectData& data, int (&passed)[MaxVerdicts]);

    // The least permeability (Seperator.Min_k) and the largest apparent opening size of the
    // geotextile from the subgrade's permeability, p200, D85 and Cu and the page's choices.
    static void CalcOpeningSize(CProjectData& data);

    // The largest geotextile thickness (Maximum geotextile thickness) from the geotextile's
    // permeability and the subgrade's p200.
    static void CalcMaxThickness(CProjectData& data);

    // What the geotextile must also offer, by the clogging condition and the geotextile type;
    // two lines.
    static const char* Recommendation(const CProjectData& data);
};
