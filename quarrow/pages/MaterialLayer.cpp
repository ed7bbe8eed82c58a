#include "quarrow/pages/MaterialLayer.h"

using D = CProjectData;

const CMaterialLayer CMaterialLayer::Layers[3] = {
    {"base", D::LayerBase,
     {&D::m_strBaseD10, &D::m_strBaseD12, &D::m_strBaseD15, &D::m_strBaseD30, &D::m_strBaseD50, &D::m_strBaseD60,
      &D::m_strBaseD85},
     &D::m_strBaseP200, &D::m_strBaseCu, &D::m_strBaseCc, &D::m_strBaseUnitWeight, &D::m_strBaseSpecificGravity,
     &D::m_strBaseK, &D::m_strBasePorosity, &D::m_strBaseEffectivePorosity, &D::m_strBaseDescription,
     &D::m_strBaseWater, &D::m_strWaterBase,
     "Porosity of the permeable base should be calculated from unit weight and specific gravity.\n"
     "Manually edit at your own risk.",
     "Effective porosity of the permeable base should be calculated from water loss/content and porosity.\n"
     "Manually edit at your own risk."},
    {"subgrade", D::LayerSubgrade,
     {&D::m_strSubgradeD10, &D::m_strSubgradeD12, &D::m_strSubgradeD15, &D::m_strSubgradeD30,
      &D::m_strSubgradeD50, &D::m_strSubgradeD60, &D::m_strSubgradeD85},
     &D::m_strSubgradeP200, &D::m_strSubgradeCu, &D::m_strSubgradeCc, &D::m_strSubgradeUnitWeight,
     &D::m_strSubgradeSpecificGravity, &D::m_strSubgradeK, &D::m_strSubgradePorosity,
     &D::m_strSubgradeEffectivePorosity, &D::m_strSubgradeDescription, &D::m_strSubgradeWater, &D::m_strWaterSub,
     "Porosity of the subgrade should be calculated from unit weight and specific gravity.\n"
     "Manually edit at your own risk.",
     "Effective porosity of the subgrade should be calculated from water loss/content and porosity.\n"
     "Manually edit at your own risk."},
    {"seperator", D::LayerSeparator,
     {&D::m_strSeparatorD10, &D::m_strSeparatorD12, &D::m_strSeparatorD15, &D::m_strSeparatorD30,
      &D::m_strSeparatorD50, &D::m_strSeparatorD60, &D::m_strSeparatorD85},
     &D::m_strSeparatorP200, &D::m_strSeparatorCu, &D::m_strSeparatorCc, &D::m_strSeparatorUnitWeight,
     &D::m_strSeparatorSpecificGravity, &D::m_strSeparatorK, &D::m_strSeparatorPorosity,
     &D::m_strSeparatorEffectivePorosity, &D::m_strSeparatorDescription, &D::m_strSeparatorWater,
     &D::m_strWaterSep,
     "Porosity of the separator should be calculated from unit weight and specific gravity.\n"
     "Manually edit at your own risk.",
     "Effective porosity of the separator layer should be calculated from water loss/content and porosity.\n"
     "Manually edit at your own risk."},
};

const CMaterialLayer* CMaterialLayer::Find(const CString& strWord)
{
    for (const CMaterialLayer& layer : Layers)
        if (strWord == layer.pszWord)
            return &layer;
    return nullptr;
}

CString MaterialStatusText(const CProjectData& data, int nLayer)
{
    switch (nLayer)
    {
    case CProjectData::LayerBase:
        return data.m_strBaseCc.IsEmpty() ? "Base - Undefined" : "Base - Defined";
    case CProjectData::LayerSubgrade:
        return data.m_strSubgradeCc.IsEmpty() ? "Subgrade - Undefined" : "Subgrade - Defined";
    default:
        if (data.m_strSeparatorType == "geotextile")
            return "Separator - Geotextile";
        if (data.m_strSeparatorType == "aggregate")
            return data.m_strSeparatorCc.IsEmpty() ? "Separator - Undefined" : "Separator - Aggregate";
        return "Separator - None";
    }
}
