// The plot data file "plot.tmp" of the installation directory: the one channel from Quarrow to
// Fennick. Every plot command writes the whole file and only then starts Fennick or asks it to read
// the file again; Fennick reads it at its start and at every reload.
//
// A plot button of a page makes exactly one call:
//
//     PlotToFennick(CPlotDataFile::WriteTimeToDrain, *m_pProjectData);
//
// with the writer of its kind. Nothing else writes the file or starts Fennick.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"

class CProjectData;

// The writers of every kind of plot. Each one composes the whole file, creates or replaces the file
// at pszPath and answers TRUE when the file is complete. FALSE means nothing usable was written:
// strError then holds the message for the engineer, or stays empty when the record's values make no
// plot at all and the button is to do nothing.
//
// File conventions: lines end with CR LF, the numbers of a line are separated by one blank, reals in
// "%g" with a two-digit exponent ("3.9e-05"), captions one line each (CR and LF become blanks,
// at most 1023 characters, the most Fennick's reader takes).
class CPlotDataFile
{
public:
    // Fennick's reader takes at most this many rows per sensitivity curve and characters per caption.
    enum { PointsPerCurve = 60, MaxCaptionLength = 1023 };
    // Sensitivity curves of the legends: 0-5 time to drain (kind 3), 6-9 depth of flow (kind 4).
    enum
    {
        CurvePorosity, CurvePermeability, CurveSlope, CurveLength, CurveThickness, CurveDrained,
        CurveDepthInflow, CurveDepthPermeability, CurveDepthSlope, CurveDepthLength, CurveCount
    };

    // A sieve of the record's tables (row index) with the size the file gives it. The sizes are the
    // customary ones, not conversions of each other (#20 is 0.931 mm and 0.03667 in).
    struct SieveSize
    {
        const char* pszName;
        double dMillimetres;
        double dInches;
    };
    // The 24 rows of the sieve tables, finest first, and a 25th, 4" (100 mm), that no table uses.
    enum { SieveSizeCount = 25 };
    static const SieveSize SieveSizes[SieveSizeCount];

    // Kinds 0, 1, 2: the gradation of the layer that `Sieve Layer` names ("base", "subgrade",
    // "seperator"), as single values or ranges by `Sieve Type`.
    static BOOL WriteGradation(const CProjectData& data, LPCTSTR pszPath, CString& strError);
    // Kind 3: time to drain against six design quantities. Nothing without a positive k, S, L and H.
    static BOOL WriteTimeToDrain(const CProjectData& data, LPCTSTR pszPath, CString& strError);
    // Kind 4: required base thickness against four design quantities. Nothing without a positive
    // k, S and L.
    static BOOL WriteDepthOfFlow(const CProjectData& data, LPCTSTR pszPath, CString& strError);
    // Kind 6 for an "aggregate" separator, kind 5 otherwise: the gradations with the filter bounds.
    static BOOL WriteSeparatorCriteria(const CProjectData& data, LPCTSTR pszPath, CString& strError);

    // The caption of a sensitivity curve (see the Curve enum), built from the record's texts as they
    // stand; empty for any other index.
    static CString FormatCurveLegend(const CProjectData& data, int nCurve, BOOL bMetric);

    // A real number as the file writes it: "%g", two exponent digits at least.
    static CString FormatNumber(double value);
};

// The signature of the writers above.
using PlotDataWriter = BOOL (*)(const CProjectData& data, LPCTSTR pszPath, CString& strError);

// What a plot button does: writes "<installation directory>\plot.tmp" with the writer, shows the
// writer's message if it gave one (OK and Cancel, no icon) and starts or reloads Fennick only after
// a complete write (PlotProgram.h). TRUE when Fennick was started or asked to reload.
BOOL PlotToFennick(PlotDataWriter writer, const CProjectData& data);
