#pragma once

#include "framework/core/CString.h"
#include "framework/core/Object.h"

// The whole design in memory. Pages exchange every value through it; numbers are
// held as the text a page shows, an empty text meaning "not set".
class CProjectData : public CObject
{
public:
    enum { SieveCount = 24, SieveColumns = 9 };
    // Columns of a sieve row: layer * 3 + part.
    enum { SieveLower = 0, SieveValue = 1, SieveUpper = 2 };
    enum { LayerBase = 0, LayerSubgrade = 1, LayerSeparator = 2 };
    // Indices of m_bSensitivity.
    enum
    {
        SensitivityLength, SensitivitySlope, SensitivityPermeability, SensitivityInflow,
        SensitivityDrain, SensitivityThickness, SensitivityPorosity, SensitivityCount
    };

    // Sieve labels in row order; they also name the sieve keys of the project file.
    static const char* const SieveLabels[SieveCount];

    explicit CProjectData(const CString& strUnits);
    virtual ~CProjectData();

    // File New: creation values again, except the plot scale, the geotextile
    // criteria choices, the sensitivity flags and the unsaved-changes flag.
    void SetDefaults(const CString& strUnits);

    // Project file (*.qrw). Both return FALSE when the platform refuses the file: a
    // write that fails, or a file that is missing, not readable or no project file (it
    // has no [Units] section). A failed write leaves the file as it was, a failed read
    // the record.
    BOOL WriteFile(const CString& strPath);
    BOOL ReadFile(const CString& strPath);
    // What a path holds for ReadFile: nothing readable, another kind of file, or a
    // project file (a readable file with the [Units] section every project file has).
    enum FileKind { FileUnreadable, FileForeign, FileProject };
    static FileKind ExamineFile(const CString& strPath);

    // Converts every stored quantity that has a unit; neither reads nor sets m_strUnits.
    void ConvertToMetric();
    void ConvertToEnglish();

    CString m_strUnits;
    // The units word is "metric" (the other is "english").
    bool IsMetric() const { return m_strUnits == "metric"; }

    CString m_strLongitudinalSlope;
    CString m_strCrossSlope;
    CString m_strResultantSlope;
    CString m_strResultantLength;
    CString m_strBaseWidth;
    CString m_strInflowWidth;
    CString m_strSlopeAngle;
    CString m_strInfiltrationRate;
    CString m_strInfiltrationRatio;
    CString m_strRainfallRate;
    CString m_strCrackInfiltrationRate;
    CString m_strLongitudinalCracks;
    CString m_strTransverseCrackLength;
    CString m_strTransverseCrackSpacing;
    CString m_strTrafficLanes;
    CString m_strBaseDischargeRate;
    CString m_strPipeFlow;
    CString m_strContributingLength;
    CString m_strContributingWidth;
    CString m_strWaterContent;
    CString m_strTotalInflow;
    CString m_strVoidVolume;
    CString m_strWaterVolume;
    CString m_strTotalVolume;
    CString m_strWaterLoss;
    CString m_strPercentDrained;
    CString m_strPercentSaturation;
    CString m_strHydraulicGradient;
    CString m_strFlowArea;
    CString m_strSeepageVelocity;
    CString m_strDischargeVelocity;
    CString m_strTimeToDrain;
    CString m_strTimeFactor;
    CString m_strMFactor;
    CString m_strSlopeFactor;
    CString m_strApparentOpeningSize;
    CString m_strPipeDiameter;
    CString m_strManningCoefficient;
    CString m_strPipeFlowArea;
    CString m_strWettedPerimeter;
    CString m_strHydraulicRadius;
    CString m_strConveyance;
    CString m_strPipeVelocity;
    CString m_strGeometryCoefficientB;
    CString m_strGeometryCoefficientC;
    CString m_strHeaveRate;
    CString m_strPavementThickness;
    CString m_strPavementLoad;
    CString m_strMeltwaterFlow;
    CString m_strGeotextileMultiplier;
    CString m_strFlowZoneDepth;
    CString m_strOutletDepth;
    CString m_strFinDrainConstant;
    CString m_strOutletSpacing;

    CString m_strGeotextilePermeability;
    CString m_strGeotextileLength;          // not stored in the project file
    CString m_strPavementK;
    CString m_strPavementUnitWeight;
    CString m_strPavementLayerThickness;

    CString m_strBaseThickness;
    CString m_strBaseD10;
    CString m_strBaseD12;
    CString m_strBaseD15;
    CString m_strBaseD30;
    CString m_strBaseD50;
    CString m_strBaseD60;
    CString m_strBaseD85;
    CString m_strBaseUnitWeight;
    CString m_strBaseP200;
    CString m_strBaseSpecificGravity;
    CString m_strBaseCu;
    CString m_strBaseCc;
    CString m_strBaseK;
    CString m_strBasePorosity;
    CString m_strBaseEffectivePorosity;
    CString m_strBaseMinThickness;
    CString m_strBaseDescription;
    CString m_strBaseWater;

    CString m_strSubgradeD10;
    CString m_strSubgradeD12;
    CString m_strSubgradeD15;
    CString m_strSubgradeD30;
    CString m_strSubgradeD50;
    CString m_strSubgradeD60;
    CString m_strSubgradeD85;
    CString m_strSubgradeUnitWeight;
    CString m_strSubgradeP200;
    CString m_strSubgradeSpecificGravity;
    CString m_strSubgradeCu;
    CString m_strSubgradeCc;
    CString m_strSubgradeK;
    CString m_strSubgradePorosity;
    CString m_strSubgradeEffectivePorosity;
    CString m_strSubgradeDescription;
    CString m_strSubgradeWater;

    CString m_strSeparatorD10;
    CString m_strSeparatorD12;
    CString m_strSeparatorD15;
    CString m_strSeparatorD30;
    CString m_strSeparatorD50;
    CString m_strSeparatorD60;
    CString m_strSeparatorD85;
    CString m_strSeparatorUnitWeight;
    CString m_strSeparatorP200;
    CString m_strSeparatorSpecificGravity;
    CString m_strSeparatorCu;
    CString m_strSeparatorCc;
    CString m_strSeparatorK;
    CString m_strSeparatorPorosity;
    CString m_strSeparatorEffectivePorosity;
    CString m_strSeparatorDescription;
    CString m_strSeparatorMaxH;
    CString m_strSeparatorMinK;
    CString m_strSeparatorWater;

    // Per sieve row: lower bound, value, upper bound of base, subgrade, separator.
    // The number is the text's value, -1.0 where the text is empty.
    double m_dSieve[SieveCount][SieveColumns];
    CString m_strSieve[SieveCount][SieveColumns];

    CString m_strGeometryChoice;
    CString m_strMode;
    CString m_strMeltwater;
    CString m_strInfiltrationMethod;
    CString m_strConcrete;
    CString m_strRain;
    CString m_strBaseMethod;
    CString m_strDrainMethod;
    CString m_strTimeToDrainMethod;
    CString m_strEdgeDrainType;
    CString m_strDischarge;
    CString m_strSieveSource;
    CString m_strSieveType;
    CString m_strSieveLayer;
    CString m_strSeparatorType;
    CString m_strWaterBase;
    CString m_strWaterSub;
    CString m_strWaterSep;
    CString m_strFillType;
    CString m_strPlotScale;                 // not stored in the project file
    CString m_strRetention;
    CString m_strPermeabilityChoice;
    CString m_strClogging;
    CString m_strGeotextileType;

    int m_nFocusControl;        // control a page focuses when next shown; 0 = none
    int m_nPickedValue;         // row last clicked in a page's table grid
    BOOL m_bSeparatorChecked;   // separator verdicts shown for the current data
    // Sensitivity curves: length, slope, permeability, inflow, drain, thickness, porosity.
    BOOL m_bSensitivity[SensitivityCount];
    BOOL m_bModified;

private:
    void SetValueDefaults(const CString& strUnits);
    void SetChoiceDefaults();
    // Every key of the layout, in order, into strFile; FALSE at the first refused key.
    BOOL WriteKeys(const CString& strFile) const;
};
