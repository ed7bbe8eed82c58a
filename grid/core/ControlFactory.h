#pragma once
// The one place that knows the concrete cell controls and feature components: the grid engine and
// the styles map ask it for controls by id, for the registration of control names and user
// attributes, and for the installation of feature objects. A control or feature that is built adds
// its line here.

#include <windows.h>

class CGXControl;
class CGXGridCore;
class CGXStylesMap;

class CGXAbstractControlFactory
{
public:
    virtual ~CGXAbstractControlFactory() = default;
    // A new control for the id, owned by the caller; NULL only when it cannot be made.
    virtual CGXControl* CreateControl(UINT nID, CGXGridCore* pGrid) = 0;
    virtual void RegisterAllControls(CGXStylesMap* pStylesMap) = 0;
    virtual void RegisterAllUserAttributes(CGXStylesMap* pStylesMap) = 0;
    virtual void InstallGridComponents(CGXGridCore* pGrid) = 0;
    virtual void InstallApplicationComponents() = 0;
    virtual void RegisterWndClasses(HINSTANCE hInstance) = 0;
    virtual void UnregisterWndClasses(HINSTANCE hInstance) = 0;
};

// Control ids of the standard cell controls; each is also the string-table id of its display name
// (the edit, static and header ids are with the style).
enum : UINT
{
    GX_IDS_CTRL_PUSHBTN = 52514,
    GX_IDS_CTRL_RADIOBTN = 52515,
    GX_IDS_CTRL_CHECKBOX = 52516,
    GX_IDS_CTRL_COMBOBOX = 52517,
    GX_IDS_CTRL_HOTSPOT = 52518,
    GX_IDS_CTRL_SPINEDIT = 52519,
    GX_IDS_CTRL_SCROLLEDIT = 52521,
    GX_IDS_CTRL_LISTBOX = 52522,
    GX_IDS_CTRL_CHECKBOX3D = 52523,
    GX_IDS_CTRL_RADIOBTN3D = 52524,
    GX_IDS_CTRL_ZEROBASED = 52525,
    GX_IDS_CTRL_ONEBASED = 52526,
    GX_IDS_CTRL_TEXTFIT = 52527,
    GX_IDS_CTRL_CBS_DROPDOWN = 52528,
    GX_IDS_CTRL_CBS_DROPDOWNLIST = 52529,
    GX_IDS_CTRL_ARROWHEADER = 52530,
    GX_IDS_CTRL_ONEBASED_EX = 52531,
    GX_IDS_CTRL_ZEROBASED_EX = 52532,
    GX_IDS_CTRL_ROWHEADER = 52533,
    GX_IDS_CTRL_RICHEDIT = 52534,
    GX_IDS_CTRL_MASKEDIT = 52535,
    GX_IDS_CTRL_PROGRESS = 52536,
    GX_IDS_CTRL_PASSWORD = 52537,
    GX_IDS_CTRL_COLORWELL = 52538,
    GX_IDS_CTRL_CBS_TABBED_DROPDOWN = 52539,
    GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST = 52540,
    GX_IDS_CTRL_TABBED_COMBOBOX = 52541,
    GX_IDS_CTRL_CHECKLIST_COMBOBOX = 52542,
    GX_IDS_CTRL_DATETIME = 52543,
    GX_IDS_CTRL_DATETIMENOCAL = 52544,
    GX_IDS_CTRL_CURRENCY = 52545,
    GX_IDS_CTRL_BROWSEARROWHEADER = 20128,
    // The bitmap cell of database fields (no display name).
    GX_IDS_CTRL_DAOBITMAP = 20128,
    GX_IDS_CTRL_CHECKBOX_EX = 20130,
    GX_IDS_CTRL_CHECKBOX3D_EX = 20131,
    GX_IDS_CTRL_OLEPREVIEW = 20132,
    GX_IDS_CTRL_RADIOBTN3DEX = 20136,
    GX_IDS_CTRL_RADIOBTNEX = 20137
};

// The user attributes that the factory registers itself.
enum : WORD
{
    GX_IDS_UA_TOOLTIPTEXT = 51022,
    GX_IDS_UA_ELLIPSISTYPE = 52792
};
// The choice list of the ellipsis attribute ("No ellipse\nDotted....\nPound###").
const UINT GX_IDS_ELLIPSIS_CHOICES = 20126;

class CGXControlFactory : public CGXAbstractControlFactory
{
public:
    // Every control the library has for the id; an id without one gets the default control.
    CGXControl* CreateControl(UINT nID, CGXGridCore* pGrid) override;
    // The display names of the standard control ids, in the library's order.
    void RegisterAllControls(CGXStylesMap* pStylesMap) override;
    void RegisterAllUserAttributes(CGXStylesMap* pStylesMap) override;
    void InstallGridComponents(CGXGridCore* pGrid) override;
    void InstallApplicationComponents() override;
    void RegisterWndClasses(HINSTANCE hInstance) override;
    void UnregisterWndClasses(HINSTANCE hInstance) override;

    // The control ids RegisterAllControls registers, in order.
    static const UINT registeredControlIds[37];
};
