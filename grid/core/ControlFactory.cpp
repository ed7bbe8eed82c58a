#include "grid/core/ControlFactory.h"

#include "grid/core/GridWnd.h"

#include "grid/controls/CheckBox.h"
#include "grid/controls/CheckListComboBox.h"
#include "grid/controls/ComboBox.h"
#include "grid/controls/ComboBoxWnd.h"
#include "grid/controls/CurrencyCell.h"
#include "grid/controls/DateTimeCell.h"
#include "grid/controls/DaoBitmap.h"
#include "grid/controls/EditControl.h"
#include "grid/controls/HotSpotEdit.h"
#include "grid/controls/ListBox.h"
#include "grid/controls/MaskControl.h"
#include "grid/controls/MaskData.h"
#include "grid/controls/OlePreview.h"
#include "grid/controls/PasswordControl.h"
#include "grid/controls/ProgressCtrl.h"
#include "grid/controls/Pushbutton.h"
#include "grid/controls/RadioButton.h"
#include "grid/controls/RichEditCtrl.h"
#include "grid/controls/SpinEdit.h"
#include "grid/controls/Static.h"
#include "grid/controls/TabbedComboBox.h"
#include "grid/controls/TabbedComboBoxWnd.h"
#include "grid/controls/VScrollEdit.h"
#include "grid/features/CellTipStatic.h"
#include "grid/features/CoveredCellPool.h"
#include "grid/features/DateTimeImp.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/DrawRotatedTextImp.h"
#include "grid/features/GridDirectCopyMoveCellsImp.h"
#include "grid/features/GridDocSerializeImp.h"
#include "grid/features/GridHideCellsImp.h"
#include "grid/features/GridParamCopyOperatorImp.h"
#include "grid/features/GridPrintImp.h"
#include "grid/features/GridProfileImp.h"
#include "grid/features/GridSortImp.h"
#include "grid/features/LongOperationImp.h"
#include "grid/features/NumberFormattingImp.h"
#include "grid/features/PrintDeviceImp.h"
#include "grid/features/SerializeLT5CompatibleImp.h"
#include "grid/features/SpanCellPool.h"
#include "grid/features/StyleCompareSubsetImp.h"
#include "grid/features/StyleSerializeImp.h"
#include "grid/features/TabBeam.h"
#include "grid/features/TabWnd.h"

#include "grid/core/AppData.h"
#include "grid/core/BrowserGridHooks.h"
#include "grid/core/Control.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

#include <new>

const UINT CGXControlFactory::registeredControlIds[37] = {
    GX_IDS_CTRL_EDIT,          GX_IDS_CTRL_HEADER,
    GX_IDS_CTRL_TEXTFIT,       GX_IDS_CTRL_COMBOBOX,
    GX_IDS_CTRL_ONEBASED,      GX_IDS_CTRL_ZEROBASED,
    GX_IDS_CTRL_ONEBASED_EX,   GX_IDS_CTRL_ZEROBASED_EX,
    GX_IDS_CTRL_CBS_DROPDOWN,  GX_IDS_CTRL_CBS_DROPDOWNLIST,
    GX_IDS_CTRL_LISTBOX,       GX_IDS_CTRL_STATIC,
    GX_IDS_CTRL_PUSHBTN,       GX_IDS_CTRL_RADIOBTN,
    GX_IDS_CTRL_RADIOBTN3D,    GX_IDS_CTRL_CHECKBOX,
    GX_IDS_CTRL_CHECKBOX3D,    GX_IDS_CTRL_CHECKBOX_EX,
    GX_IDS_CTRL_CHECKBOX3D_EX, GX_IDS_CTRL_RADIOBTNEX,
    GX_IDS_CTRL_RADIOBTN3DEX,  GX_IDS_CTRL_MASKEDIT,
    GX_IDS_CTRL_PROGRESS,      GX_IDS_CTRL_PASSWORD,
    GX_IDS_CTRL_CBS_TABBED_DROPDOWN, GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST,
    GX_IDS_CTRL_TABBED_COMBOBOX, GX_IDS_CTRL_RICHEDIT,
    GX_IDS_CTRL_CHECKLIST_COMBOBOX, GX_IDS_CTRL_SPINEDIT,
    GX_IDS_CTRL_HOTSPOT,       GX_IDS_CTRL_SCROLLEDIT,
    GX_IDS_CTRL_DATETIME,      GX_IDS_CTRL_DATETIMENOCAL,
    GX_IDS_CTRL_CURRENCY,      GX_IDS_CTRL_BROWSEARROWHEADER,
    GX_IDS_CTRL_OLEPREVIEW};

namespace
{
CGXControl* NewControl(UINT nID, CGXGridCore* pGrid)
{
    switch (nID)
    {
    case GX_IDS_CTRL_OLEPREVIEW:
        // Only a grid of the OLE-browser kind gets a preview control.
        return pGrid != nullptr && pGrid->GetBrowserGridHooks() != nullptr ? new (std::nothrow) CGXOlePreview(pGrid)
                                                                           : nullptr;
    case GX_IDS_CTRL_PUSHBTN:
        return new (std::nothrow) CGXPushbutton(pGrid);
    case GX_IDS_CTRL_RADIOBTN:
        return new (std::nothrow) CGXRadioButton(pGrid, FALSE);
    case GX_IDS_CTRL_RADIOBTN3D:
        return new (std::nothrow) CGXRadioButton(pGrid, TRUE);
    case GX_IDS_CTRL_RADIOBTN3DEX:
        return new (std::nothrow) CGXRadioButtonEx(pGrid, TRUE);
    case GX_IDS_CTRL_RADIOBTNEX:
        return new (std::nothrow) CGXRadioButtonEx(pGrid, FALSE);
    case GX_IDS_CTRL_CHECKBOX:
        return new (std::nothrow) CGXCheckBox(pGrid, FALSE, 0, 0);
    case GX_IDS_CTRL_CHECKBOX3D:
        return new (std::nothrow) CGXCheckBox(pGrid, TRUE, 0, 0);
    case GX_IDS_CTRL_CHECKBOX_EX:
        return new (std::nothrow) CGXCheckBoxEx(pGrid, FALSE, 0, 0);
    case GX_IDS_CTRL_CHECKBOX3D_EX:
        return new (std::nothrow) CGXCheckBoxEx(pGrid, TRUE, 0, 0);
    case GX_IDS_CTRL_COMBOBOX:
        return new (std::nothrow) CGXComboBox(pGrid, nID, nID, GXCOMBO_NOTEXTFIT);
    case GX_IDS_CTRL_ZEROBASED:
        return new (std::nothrow) CGXComboBox(pGrid, nID, nID, GXCOMBO_ZEROBASED);
    case GX_IDS_CTRL_ONEBASED:
        return new (std::nothrow) CGXComboBox(pGrid, nID, nID, GXCOMBO_ONEBASED);
    case GX_IDS_CTRL_TEXTFIT:
        return new (std::nothrow) CGXComboBox(pGrid, nID, nID, GXCOMBO_TEXTFIT);
    case GX_IDS_CTRL_ONEBASED_EX:
        return new (std::nothrow) CGXComboBox(pGrid, nID, nID, GXCOMBO_ONEBASED | GXCOMBO_DISPLAYCHOICE);
    case GX_IDS_CTRL_ZEROBASED_EX:
        return new (std::nothrow) CGXComboBox(pGrid, nID, nID, GXCOMBO_ZEROBASED | GXCOMBO_DISPLAYCHOICE);
    case GX_IDS_CTRL_CBS_DROPDOWN:
    case GX_IDS_CTRL_CBS_DROPDOWNLIST:
    {
        CGXComboBoxWnd* pCombo = new (std::nothrow) CGXComboBoxWnd(pGrid);
        if (pCombo != nullptr)
            pCombo->CreateControl(nID == GX_IDS_CTRL_CBS_DROPDOWN ? WS_VSCROLL | CBS_AUTOHSCROLL | CBS_DROPDOWN
                                                                  : WS_VSCROLL | CBS_DROPDOWNLIST,
                                  nID);
        return pCombo;
    }
    case GX_IDS_CTRL_TABBED_COMBOBOX:
        return new (std::nothrow) CGXTabbedComboBox(pGrid, GX_IDS_CTRL_TABBED_COMBOBOX, GX_IDS_CTRL_TABBED_COMBOBOX);
    case GX_IDS_CTRL_CBS_TABBED_DROPDOWN:
    case GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST:
    {
        // Where the tabbed Windows combo cannot be had, the grid-drawn one stands in.
        if (GXGetAppData()->m_bTabbedComboGridDrawn)
            return new (std::nothrow)
                CGXTabbedComboBox(pGrid, GX_IDS_CTRL_TABBED_COMBOBOX, GX_IDS_CTRL_TABBED_COMBOBOX);
        CGXTabbedComboBoxWnd* pCombo = new (std::nothrow) CGXTabbedComboBoxWnd(pGrid);
        if (pCombo != nullptr)
            pCombo->CreateControl(nID == GX_IDS_CTRL_CBS_TABBED_DROPDOWN ? CBS_DROPDOWN : CBS_DROPDOWNLIST, nID);
        return pCombo;
    }
    case GX_IDS_CTRL_LISTBOX:
        return new (std::nothrow) CGXListBox(pGrid, nID);
    case GX_IDS_CTRL_CHECKLIST_COMBOBOX:
        return new (std::nothrow) CGXCheckListComboBox(pGrid, nID, nID);
    case GX_IDS_CTRL_PROGRESS:
        return new (std::nothrow) CGXProgressCtrl(pGrid);
    case GX_IDS_CTRL_DAOBITMAP:
        return new (std::nothrow) CGXDaoBitmap(pGrid);
    case GX_IDS_CTRL_STATIC:
        return new (std::nothrow) CGXStatic(pGrid);
    case GX_IDS_CTRL_HEADER:
        return new (std::nothrow) CGXHeader(pGrid);
    case GX_IDS_CTRL_HOTSPOT:
        return new (std::nothrow) CGXHotSpotEdit(pGrid, nID);
    case GX_IDS_CTRL_SPINEDIT:
        return new (std::nothrow) CGXSpinEdit(pGrid, nID);
    case GX_IDS_CTRL_SCROLLEDIT:
        return new (std::nothrow) CGXVScrollEdit(pGrid, nID);
    case GX_IDS_CTRL_PASSWORD:
        return new (std::nothrow) CGXPasswordControl(pGrid, nID);
    case GX_IDS_CTRL_RICHEDIT:
    {
        CGXRichEditCtrl* pRich = new (std::nothrow) CGXRichEditCtrl(pGrid);
        if (pRich != nullptr)
            pRich->CreateControl(ES_MULTILINE, nID);
        return pRich;
    }
    case GX_IDS_CTRL_DATETIME:
        return new (std::nothrow) CGXDateTimeCtrl(pGrid, nID, GXDT_DTS_CALENDAR | GXDT_DTS_UPDOWN);
    case GX_IDS_CTRL_DATETIMENOCAL:
        return new (std::nothrow) CGXDateTimeCtrl(pGrid, nID, GXDT_DTS_UPDOWN);
    case GX_IDS_CTRL_CURRENCY:
    {
        CGXCurrencyEdit* pCurrency = new (std::nothrow) CGXCurrencyEdit(pGrid, nID);
        if (pCurrency != nullptr)
            pCurrency->CreateControl(WS_CHILD);
        return pCurrency;
    }
    case GX_IDS_CTRL_MASKEDIT:
    {
        CGXMaskControl* pMask = new (std::nothrow) CGXMaskControl(pGrid, nID, RUNTIME_CLASS(CGXMaskData));
        if (pMask != nullptr)
        {
            pMask->CreateControl(0);
            pMask->GetEditData()->SetMask("");
        }
        return pMask;
    }
    case GX_IDS_CTRL_EDIT:
    default:
        // Every id without a control of its own gets the edit control.
        return new (std::nothrow) CGXEditControl(pGrid, nID);
    }
}

// Buttons, progress bars, previews, rich edits and the Windows combo boxes show no cell tips.
BOOL ShowsCellTips(UINT nID)
{
    switch (nID)
    {
    case GX_IDS_CTRL_RADIOBTN:
    case GX_IDS_CTRL_RADIOBTN3D:
    case GX_IDS_CTRL_RADIOBTN3DEX:
    case GX_IDS_CTRL_RADIOBTNEX:
    case GX_IDS_CTRL_CHECKBOX:
    case GX_IDS_CTRL_CHECKBOX3D:
    case GX_IDS_CTRL_CHECKBOX_EX:
    case GX_IDS_CTRL_CHECKBOX3D_EX:
    case GX_IDS_CTRL_PROGRESS:
    case GX_IDS_CTRL_OLEPREVIEW:
    case GX_IDS_CTRL_RICHEDIT:
    case GX_IDS_CTRL_CBS_DROPDOWN:
    case GX_IDS_CTRL_CBS_DROPDOWNLIST:
        return FALSE;
    case GX_IDS_CTRL_CBS_TABBED_DROPDOWN:
    case GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST:
        return GXGetAppData()->m_bTabbedComboGridDrawn;
    default:
        return TRUE;
    }
}
} // namespace

CGXControl* CGXControlFactory::CreateControl(UINT nID, CGXGridCore* pGrid)
{
    CGXControl* pControl = NewControl(nID, pGrid);
    if (pControl != nullptr && pControl->GetCellTip() == nullptr && ShowsCellTips(nID))
        pControl->AttachCellTip(new (std::nothrow) CGXCellTipStatic(pControl));
    return pControl;
}

void CGXControlFactory::RegisterAllControls(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    for (UINT nId : registeredControlIds)
    {
        // An id without a display name (the bitmap control's) would make the styles map throw and
        // end the registration there; it is left out instead.
        CString name;
        if (AfxLoadString(nId, name) && !name.IsEmpty())
            pStylesMap->RegisterControl(static_cast<WORD>(nId));
    }
}

void CGXControlFactory::RegisterAllUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    CGXControl::AddUserAttributes(pStylesMap);
    CGXSpinEdit::AddUserAttributes(pStylesMap);
    CGXCheckBox::AddUserAttributes(pStylesMap);
    CGXRadioButtonEx::AddUserAttributes(pStylesMap);
    CGXMaskControl::AddUserAttributes(pStylesMap);
    CGXProgressCtrl::AddUserAttributes(pStylesMap);
    CGXTabbedComboBox::AddUserAttributes(pStylesMap);
    CGXTabbedComboBoxWnd::AddUserAttributes(pStylesMap);
    CGXCurrencyEdit::AddUserAttributes(pStylesMap);
    CGXDateTimeCtrl::AddUserAttributes(pStylesMap);

    CGXStyle tooltip;
    tooltip.SetWrapText(TRUE).SetAutoSize(TRUE);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TOOLTIPTEXT, &tooltip);

    CString choices;
    AfxLoadString(GX_IDS_ELLIPSIS_CHOICES, choices);
    CGXStyle ellipsis;
    ellipsis.SetControl(GX_IDS_CTRL_CBS_DROPDOWNLIST).SetChoiceList(choices);
    pStylesMap->AddUserAttribute(GX_IDS_UA_ELLIPSISTYPE, &ellipsis);
}

void CGXControlFactory::InstallGridComponents(CGXGridCore* pGrid)
{
    // Each per-grid feature adds its installer here, in the library's order, when it is built.
    pGrid->InstallFindReplace();
    pGrid->InstallHideCells();
    pGrid->InstallAutoScroll();
    pGrid->InstallResizeToFit();
    pGrid->InstallUpdateHint();
    pGrid->InstallCommandFactory();
    pGrid->InstallSort();
    pGrid->InstallOldDrawing();
    pGrid->InstallCoveredCells();
    pGrid->InstallMergeCells();
    pGrid->InstallFloatCells();
    pGrid->InstallPrinting();
    pGrid->InstallUserSelectRange();
    pGrid->InstallExcelLikeFrame();
    pGrid->InstallUserDragSelectRange();
    pGrid->InstallUserResizeCells();
    pGrid->InstallOptimizedUpdate();
    pGrid->InstallMarkEditHeader();
    pGrid->InstallFreezeMenuHelper();
    pGrid->InstallDirectCopyMoveCells();
    pGrid->InstallTextDataExchange();
    pGrid->InstallStyleDataExchange();
    pGrid->InstallCutPaste();
    pGrid->InstallClearCells();
    pGrid->InstallExcelLikeFill();
    pGrid->InstallCellTips();
}

void CGXControlFactory::InstallApplicationComponents()
{
    // Each application-wide feature adds its installer here, in the library's order, when it is built.
    InstallPrintDeviceImp();
    InstallStyleCompareSubsetImp();
    InstallStyleSerializeImp();
    InstallSerializeLT5CompatibleImp();
    InstallProfileImp();
    InstallDocSerializeImp();
    InstallParamCopyOperatorImp();
    InstallDrawRotatedTextImp();
    InstallNumberFormattingImp();
    // The automation variant first: the other only fills a pointer still empty.
    InstallOleDateTimeImp();
    InstallNoOleDateTimeImp();
    InstallSortMoveDataImp();
    InstallDataCopyMoveCellsImp();
    InstallLongOperationImp();
    InstallCoveredCellPoolImp();
    InstallSpanCellPoolImp();
    InstallDelayedRangePoolImp();
}

void CGXControlFactory::RegisterWndClasses(HINSTANCE hInstance)
{
    CGXGridWnd::RegisterClass(hInstance);
    CGXTabBeam::RegisterTabBeamClass(hInstance);
    CGXTabWnd::RegisterTabWndClass(hInstance);
}

void CGXControlFactory::UnregisterWndClasses(HINSTANCE hInstance)
{
    CGXGridWnd::UnregisterClass(hInstance);
    CGXTabBeam::UnregisterTabBeamClass(hInstance);
    CGXTabWnd::UnregisterTabWndClass(hInstance);
}
