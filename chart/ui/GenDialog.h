// A group of controls built from a dialog template (plain or extended) at a placeholder control of a
// window: the chart wizard's main page shows the group of the current component's kind and hides the
// others. The controls are made when the group is first shown; hiding keeps their texts for the next
// showing.
#pragma once

#include <vector>

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

#include <windows.h>

class CWnd;

class CGenDialog
{
public:
    // One control of the template.
    struct ControlRecord
    {
        HWND hWnd = nullptr;
        CString strClass;
        CString strText;
        UINT nID = 0;
        DWORD dwStyle = 0;
        DWORD dwExStyle = 0;
        CRect rect;               // pixels, in the parent's client area
        CWnd* pParent = nullptr;
    };

    CGenDialog() = default;
    ~CGenDialog();
    CGenDialog(const CGenDialog&) = delete;
    CGenDialog& operator=(const CGenDialog&) = delete;

    // Reads the template nTemplateID of the resource module for pParent; the group's origin is the top
    // left corner of the placeholder control nPlaceID (-1: the parent's corner). FALSE, and nothing to
    // show, when there is no such template or it cannot be read.
    BOOL Create(UINT nTemplateID, int nPlaceID, CWnd* pParent);
    // Makes the controls on the first showing (a control that cannot be made is reported and the others
    // are made still), gives them their texts back and shows them.
    void Show();
    // Keeps the controls' texts and hides them.
    void Hide();

    BOOL IsCreated() const { return m_bCreated; }
    BOOL IsExtended() const { return m_bExtended; }
    int GetItemCount() const { return m_nItems; }
    int GetPointSize() const { return m_nPointSize; }
    const CString& GetFaceName() const { return m_strFace; }
    const std::vector<ControlRecord>& GetControls() const { return m_controls; }

protected:
    // Makes one control; NULL when it cannot be made.
    HWND CreateControl(const ControlRecord& record);
    // An ActiveX control of the class id in braces, hosted by the system's control container.
    HWND CreateActiveXControl(const ControlRecord& record);

    UINT m_nTemplateID = 0;
    int m_nPlaceID = -1;
    CWnd* m_pParent = nullptr;
    BOOL m_bCreated = FALSE;
    BOOL m_bMade = FALSE;
    BOOL m_bExtended = FALSE;
    int m_nItems = 0;
    int m_nPointSize = 0;
    CString m_strFace;
    std::vector<ControlRecord> m_controls;
};
