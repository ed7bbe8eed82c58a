// The chart view's page setup dialogs (where and how large the printed chart lands) and the question a
// zoom asks over a mixture of indices and groups.
#pragma once

#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"

// The size list (codes 0-9) and the alignment of the printed chart.
class PageSetup : public CDialog
{
    DECLARE_DYNAMIC(PageSetup)
public:
    explicit PageSetup(CWnd* pParent = nullptr);

    // The entries of the size list, in code order.
    static const char* const s_sizeNames[10];

    int m_nSizeIndex;       // page-size code; 10 and above have no entry in the list
    int m_bUseMaxSize;      // the layout is in force
    int m_nVertical;        // 0 top, 1 centre, 2 bottom (3, custom margin, shows no radio checked)
    int m_nHorizontal;      // 0 left, 1 middle, 2 right
    CComboBox m_sizeList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The alignment radios and the size list are enabled exactly while "Use max size" is checked.
    void UpdateEnabling();
    afx_msg void OnUseMaxSize();

    DECLARE_MESSAGE_MAP()
};

// Custom margins and the chart size for printing, in inches or centimetres.
class PageSetup2 : public CDialog
{
    DECLARE_DYNAMIC(PageSetup2)
public:
    enum { unitCentimetres = 0, unitInches = 1 };
    // The four numbers, in this order.
    enum { horizontalMargin = 0, verticalMargin = 1, customWidth = 2, customHeight = 3 };

    explicit PageSetup2(CWnd* pParent = nullptr);

    int m_nUnits;           // the units radio: 0 centimetres, 1 inches
    int m_nVertical;        // 0-3, 3 the custom margin
    int m_nHorizontal;      // 0-3
    int m_nChartSize;       // 0 full page, 1 full width and half height, 2 half width and full height, 3 custom
    double m_dShown[4];     // as the edit boxes show them, in the unit in force
    double m_dInches[4];    // the same in inches
    int m_nUnitInForce;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void SetUnitLabels();
    void EnableEdit(int nID, BOOL bEnable);
    // Switches the shown numbers to the other unit; a number out of range keeps the unit as it was.
    void SwitchUnits(int nNewUnit);
    afx_msg void OnVerticalFixed();
    afx_msg void OnVerticalCustom();
    afx_msg void OnHorizontalFixed();
    afx_msg void OnHorizontalCustom();
    afx_msg void OnSizeFixed();
    afx_msg void OnSizeCustom();
    afx_msg void OnCentimetres();
    afx_msg void OnInches();

    DECLARE_MESSAGE_MAP()
};

// Asks whether a zoom takes the indices only, the groups only or both.
class CSelectQuery : public CDialog
{
    DECLARE_DYNAMIC(CSelectQuery)
public:
    enum { indicesOnly = 0, groupsOnly = 1, both = 2 };

    explicit CSelectQuery(CWnd* pParent = nullptr);

    int m_nChoice;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
