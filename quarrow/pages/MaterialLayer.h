#pragma once

#include "framework/core/CString.h"
#include "quarrow/app/ProjectData.h"

// The record fields of one material layer (base, subgrade or separator), so that what the sieve
// page does to "the current layer" is written once and chosen by the layer word.
struct CMaterialLayer
{
    using TextField = CString CProjectData::*;
    enum { GrainSizeCount = 7 };

    const char* pszWord;           // the `Sieve Layer` word: "base", "subgrade", "seperator"
    int nIndex;                    // CProjectData::LayerBase, LayerSubgrade, LayerSeparator
    TextField grainSizes[GrainSizeCount];   // D10, D12, D15, D30, D50, D60, D85
    TextField p200;
    TextField cu;
    TextField cc;
    TextField unitWeight;
    TextField specificGravity;
    TextField permeability;
    TextField porosity;
    TextField effectivePorosity;
    TextField description;
    TextField water;               // water content or water loss, in percent
    TextField waterMethod;         // "content", or the water loss method
    const char* pszPorosityWarning;
    const char* pszEffectivePorosityWarning;

    static const CMaterialLayer Layers[3];
    // The layer that the word names; nullptr for any other word.
    static const CMaterialLayer* Find(const CString& strWord);
    static const CMaterialLayer& Base() { return Layers[0]; }

    // The sieve table of the layer: part is CProjectData::SieveLower, SieveValue or SieveUpper.
    CString& SieveText(CProjectData& data, int nRow, int nPart) const
    {
        return data.m_strSieve[nRow][nIndex * 3 + nPart];
    }
    double& SieveNumber(CProjectData& data, int nRow, int nPart) const
    {
        return data.m_dSieve[nRow][nIndex * 3 + nPart];
    }
    const CString& SieveText(const CProjectData& data, int nRow, int nPart) const
    {
        return data.m_strSieve[nRow][nIndex * 3 + nPart];
    }
};

// The text that names a library material no more: the table was typed by the engineer.
inline constexpr const char UserDefinedMaterial[] = "<user defined>";

// The summary panel's status of a layer: "Base - Defined" once its gradation is analysed (CC set),
// "Subgrade - Undefined", "Separator - Aggregate", "Separator - None", ... The main dialog and
// the sieve page both show it.
CString MaterialStatusText(const CProjectData& data, int nLayer);
