// The sieve analysis page's material library: the list of gradation files, adding the current
// layer's table as a file, loading a file into the layer and removing one.
#include "quarrow/pages/SieveAnalysis.h"

#include <cmath>

#include "framework/core/File.h"
#include "framework/win/Seams.h"
#include "grid/core/Range.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/AddGradationDlg.h"
#include "quarrow/pages/GradationLibrary.h"
#include "quarrow/pages/MaterialLayer.h"
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/ResultDependencies.h"
#include "resources/quarrow/resource.h"

namespace {

const double EmptyNumber = -1.0;
// The library keeps unit weights in lb/ft3 and permeabilities in ft/day.
const double PoundsPerCubicFootPerKilogramPerCubicMetre = 0.06242976651267324;
const double KilogramsPerCubicMetrePerPoundPerCubicFoot = 16.018;
const double FeetPerMetre = 3.280839895013123;
const double MetresPerFoot = 0.3048;

const int Parts[3] = {CProjectData::SieveLower, CProjectData::SieveValue, CProjectData::SieveUpper};

// An edit of the material panel as a library number: -1 when empty.
double MaterialValue(const CWnd& page, int nEdit)
{
    CString strText;
    page.GetDlgItemText(nEdit, strText);
    return strText.IsEmpty() ? EmptyNumber : TypedNumber(strText);
}

CString MaterialText(double value, const char* pszFormat)
{
    CString strText;
    if (value != EmptyNumber)
        strText.Format(pszFormat, value);
    return strText;
}

} // namespace

const char CSieveAnalysis::EmptyLibraryTableMessage[] = "Enter sieve/gradation data before saving.";
const char CSieveAnalysis::FileNotCreatedMessage[] = "File not created";
const char CSieveAnalysis::MaterialTooLargeMessage[] = "A material value is too large for the library.";
const char CSieveAnalysis::OverwriteQuestion[] =
    "Selecting a gradation from the Material Library will overwrite previously entered <user defined> data.\n"
    "Select OK to overwrite current data or CANCEL to keep current user defined data.\n"
    "To permanently save <user defined> data use the Add button";
const char CSieveAnalysis::UnreadableLibraryFileMessage[] = "The library file could not be read:\n";

void CSieveAnalysis::FillLibraryList()
{
    m_cboLibrary.ResetContent();
    m_cboLibrary.AddString(UserDefinedMaterial);
    for (const CString& strEntry : CGradationLibrary::ListEntries())
        m_cboLibrary.AddString(strEntry);
    m_bLibraryMaterial = TRUE;
}

CString CSieveAnalysis::SelectedLibraryEntry() const
{
    CString strEntry;
    const int nSelected = m_cboLibrary.GetCurSel();
    if (nSelected != CB_ERR)
        m_cboLibrary.GetLBText(nSelected, strEntry);
    return strEntry;
}

void CSieveAnalysis::OnAddToLibrary()
{
    if (m_pProjectData == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    StoreSieveTable();
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    if (CGradationAnalysis::IsTableEmpty(data, *pLayer))
    {
        AfxMessageBox(EmptyLibraryTableMessage, MB_OKCANCEL);
        return;
    }
    // A table out of order is not saved: its red cells say why.
    OnGradationAnalysis();
    if (!m_bGradationValid)
        return;
    m_bLibraryMaterial = TRUE;

    CGradationLibrary::Gradation gradation;
    gradation.material[CGradationLibrary::UnitWeight] = MaterialValue(*this, IDC_SV_UNIT_WEIGHT);
    gradation.material[CGradationLibrary::SpecificGravity] = MaterialValue(*this, IDC_SV_SPECIFIC_GRAVITY);
    gradation.material[CGradationLibrary::Porosity] = MaterialValue(*this, IDC_SV_POROSITY);
    gradation.material[CGradationLibrary::Permeability] = MaterialValue(*this, IDC_SV_PERMEABILITY);
    if (data.IsMetric())
    {
        double& dUnitWeight = gradation.material[CGradationLibrary::UnitWeight];
        double& dPermeability = gradation.material[CGradationLibrary::Permeability];
        if (dUnitWeight != EmptyNumber)
            dUnitWeight *= PoundsPerCubicFootPerKilogramPerCubicMetre;
        // Metric permeabilities are per day too: metres to feet.
        if (dPermeability != EmptyNumber)
            dPermeability *= FeetPerMetre;
    }
    // A value beyond a double's range would be written as no number at all.
    for (double value : gradation.material)
    {
        if (!std::isfinite(value))
        {
            AfxMessageBox(MaterialTooLargeMessage, MB_OKCANCEL);
            return;
        }
    }

    CAddGradationDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    const CString strName = dlg.m_strName;

    CGradationAnalysis::CompleteTable(data, *pLayer, data.m_strSieveType);
    for (int nRow = 0; nRow < CProjectData::SieveCount; ++nRow)
        for (int nPart = 0; nPart < 3; ++nPart)
            gradation.rows[nRow][nPart] = pLayer->SieveNumber(data, nRow, Parts[nPart]);
    if (!CGradationLibrary::Write(CGradationLibrary::FilePath(strName), gradation))
    {
        AfxMessageBox(FileNotCreatedMessage, MB_OKCANCEL);
        return;
    }

    // Names match whole and, as file names go, without regard to case: "Base" is not "Base course".
    if (m_cboLibrary.FindStringExact(-1, strName) == CB_ERR)
        m_cboLibrary.AddString(strName);
    m_cboLibrary.SetCurSel(m_cboLibrary.FindStringExact(-1, strName));
    data.*pLayer->description = strName;
    RefreshPage();
}

void CSieveAnalysis::OnSelectLibraryGradation()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    CProjectData& data = *m_pProjectData;
    if (!m_bLibraryMaterial && data.m_strMode == "normal" && AfxMessageBox(OverwriteQuestion, MB_OKCANCEL) != IDOK)
    {
        SelectLibraryMaterial();
        return;
    }
    const CString strName = SelectedLibraryEntry();
    if (strName.IsEmpty())
        return;
    if (strName == UserDefinedMaterial)
    {
        const ROWCOL nColumns = m_grid.GetColCount();
        for (ROWCOL nRow = 1; nRow <= CProjectData::SieveCount; ++nRow)
            for (ROWCOL nCol = 1; nCol <= nColumns; ++nCol)
                SetCellText(nRow, nCol, CString());
        OnSieveCellEdited();
        CGradationAnalysis::ClearTable(data, *pLayer);
        return;
    }

    // The whole file is read first: one that cannot be read changes nothing.
    const CString strPath = CGradationLibrary::FilePath(strName);
    CGradationLibrary::Gradation gradation;
    if (!CGradationLibrary::Read(strPath, gradation))
    {
        AfxMessageBox(UnreadableLibraryFileMessage + strPath, MB_OKCANCEL);
        SelectLibraryMaterial();
        return;
    }
    m_bLibraryMaterial = TRUE;
    data.*pLayer->description = strName;
    data.m_bSeparatorChecked = 0;
    // Another gradation: what came of the old one goes, before the material of the new one comes.
    CResultDependencies::ClearResultsOf(data, {CDesignValue::SieveTable(pLayer->nIndex)});
    for (int nRow = 0; nRow < CProjectData::SieveCount; ++nRow)
    {
        for (int nPart = 0; nPart < 3; ++nPart)
        {
            const double value = gradation.rows[nRow][nPart];
            pLayer->SieveNumber(data, nRow, Parts[nPart]) = value;
            pLayer->SieveText(data, nRow, Parts[nPart]) = MaterialText(value, "%.1f");
        }
    }

    double dUnitWeight = gradation.material[CGradationLibrary::UnitWeight];
    double dPermeability = gradation.material[CGradationLibrary::Permeability];
    if (data.IsMetric())
    {
        if (dUnitWeight != EmptyNumber)
            dUnitWeight *= KilogramsPerCubicMetrePerPoundPerCubicFoot;
        if (dPermeability != EmptyNumber)
            dPermeability *= MetresPerFoot;
    }
    // The material comes with its gradation; the water and what follows from it are the engineer's.
    data.*pLayer->unitWeight = MaterialText(dUnitWeight, "%.1f");
    data.*pLayer->specificGravity = MaterialText(gradation.material[CGradationLibrary::SpecificGravity], "%.3f");
    data.*pLayer->porosity = MaterialText(gradation.material[CGradationLibrary::Porosity], "%.3f");
    data.*pLayer->permeability =
        dPermeability == EmptyNumber ? CString() : PageFixedOrExponent(dPermeability, 0.01, "%.2f", "%.3e");
    (data.*pLayer->water).Empty();
    (data.*pLayer->effectivePorosity).Empty();

    m_bReloadSieveTable = TRUE;
    LayoutSieveGrid();
    // The results of the old gradation go; the engineer runs the analysis again.
    ClearGradationResults();
}

void CSieveAnalysis::OnLibraryDoubleClick()
{
    OnSelectLibraryGradation();
}

void CSieveAnalysis::OnRemoveFromLibrary()
{
    const CMaterialLayer* pLayer = CurrentLayer();
    if (pLayer == nullptr)
        return;
    const CString strName = SelectedLibraryEntry();
    if (strName.IsEmpty())
        return;
    const int nEntry = m_cboLibrary.FindStringExact(-1, strName);

    CGradationAnalysis::ClearTable(*m_pProjectData, *pLayer);
    // The refresh lays the empty table out and selects "<user defined>", the layer's material now.
    m_bReloadSieveTable = TRUE;
    OnSieveCellEdited();
    if (strName == UserDefinedMaterial)
    {
        m_bLibraryMaterial = FALSE;
        return;
    }
    try
    {
        CFile::Remove(CGradationLibrary::FilePath(strName));
    }
    catch (CException* pException)
    {
        // A file already gone or locked: the entry leaves the list all the same.
        pException->Delete();
    }
    m_cboLibrary.DeleteString(nEntry);
}
