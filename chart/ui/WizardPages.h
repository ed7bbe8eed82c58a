// The pages of the chart wizard: four editing pages (main settings, fill, font, the component list) and
// three steps (layout, chart type, finish). The pages hold controls and tell their sheet what changed
// (the WM_QVG_WIZ_ messages of ChartWizardIds.h); the sheet loads and applies the values.
#pragma once

#include "chart/ui/GenDialog.h"
#include "chart/ui/SwatchButton.h"
#include "chart/ui/WizardControls.h"
#include "framework/win/PropertySheet.h"

#include <memory>
#include <vector>

class QVGraph;
class QVGWizSheet;

// A page of the wizard: knows its sheet, and tells it when it is made.
class CWizardPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CWizardPage)
public:
    CWizardPage(UINT nIDTemplate, QVGWizSheet* pSheet);
    QVGWizSheet* GetSheet() const { return m_pSheet; }

protected:
    BOOL OnInitDialog() override;
    // Values are exchanged by the sheet, not by data exchange.
    BOOL OnKillActive() override { return TRUE; }
    BOOL OnSetActive() override { return TRUE; }
    // The component choice of the page changed: the sheet takes the new current component.
    void ChoiceChanged(int nIndex);
    // A setting changed: the page is modified and the sheet applies it.
    void SettingChanged();
    // The prompt of a step page, blue on the page, centred.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    QVGWizSheet* m_pSheet;

    DECLARE_MESSAGE_MAP()
};

class CMainPage : public CWizardPage
{
    DECLARE_DYNAMIC(CMainPage)
public:
    explicit CMainPage(QVGWizSheet* pSheet);

    // The settings groups, by kind.
    enum Group { groupDisplay, groupLegend, groupTitle, groupTextPanel, groupNone };
    void ShowGroup(Group group);
    Group GetShownGroup() const { return m_shown; }
    CGenDialog& GetGroup(Group group) { return m_groups[group]; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CGenDialog m_groups[groupNone];
    Group m_shown = groupNone;
};

class CFillStyle : public CWizardPage
{
    DECLARE_DYNAMIC(CFillStyle)
public:
    explicit CFillStyle(QVGWizSheet* pSheet);

    // The fill choices and the fill types they stand for.
    enum { choiceNone, choiceSolid, choiceAngled, choiceResource, choiceHorizontal, choiceVertical, choiceFile };
    static int FillTypeOfChoice(int nChoice);
    static int ChoiceOfFillType(int nFillType);
    // Angle, name and browse button follow the choice.
    void UpdateEnabling();

    QVSwatchButton m_color1;
    QVSwatchButton m_color2;
    int m_nChoice = 0;
    CString m_strName;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void Browse();
};

class CFontStyle : public CWizardPage
{
    DECLARE_DYNAMIC(CFontStyle)
public:
    explicit CFontStyle(QVGWizSheet* pSheet);

    // Shows the values in the page's sample text.
    void ShowValues();

    CString m_strFace = "Arial";
    int m_nSize = 12;
    COLORREF m_crColor = RGB(0, 0, 0);
    int m_nFlags = 0;           // font-style bits 0-4
    int m_nJustification = 2;   // a title's alignment
    BOOL m_bBodyFont = FALSE;   // a text panel's body font rather than its title font
    QVSwatchButton m_color;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ChooseFont();
};

class CAdvancedPage : public CWizardPage
{
    DECLARE_DYNAMIC(CAdvancedPage)
public:
    explicit CAdvancedPage(QVGWizSheet* pSheet);

    QVGDragListBox m_components;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void AddChosenKind();
    void MoveSelected(UINT nButton);
    void UpdateEnabling();
};

// The first step: six layouts at a time as small charts; a click chooses one.
class CLayoutPage : public CWizardPage
{
    DECLARE_DYNAMIC(CLayoutPage)
public:
    enum { cellCount = 6 };

    explicit CLayoutPage(QVGWizSheet* pSheet);
    ~CLayoutPage() override;

    int GetFirstShown() const { return m_nFirst; }
    // Shows the six layouts from nFirst on and enables the previous and next buttons.
    void ShowLayouts(int nFirst);
    QVGStatic& GetCell(int n) { return m_cells[n]; }
    COLORREF GetKindColor(int nKind) const { return m_colors[nKind]; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ChooseColor(int nKind);

    QVGStatic m_cells[cellCount];
    std::vector<std::unique_ptr<QVGraph>> m_charts;
    COLORREF m_colors[QVGStatic::kindCount];
    QVSwatchButton m_colorButtons[QVGStatic::kindCount];
    int m_nFirst = 0;
    int m_nChosen = -1;
};

// The second step: the chart types.
class CStandardChartPage : public CWizardPage
{
    DECLARE_DYNAMIC(CStandardChartPage)
public:
    explicit CStandardChartPage(QVGWizSheet* pSheet);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// The last step: Finish keeps the chart, the page's own button goes on to the editing pages.
class CFinishPage : public CWizardPage
{
    DECLARE_DYNAMIC(CFinishPage)
public:
    explicit CFinishPage(QVGWizSheet* pSheet);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
