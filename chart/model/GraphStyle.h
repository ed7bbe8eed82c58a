// The drawing style of a data item, a group, a component or a chart.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Object.h"

class QVGraphStyle : public CObject
{
    DECLARE_SERIAL(QVGraphStyle)
public:
    QVGraphStyle();
    QVGraphStyle(const QVGraphStyle& other);
    QVGraphStyle& operator=(const QVGraphStyle& other);

    // Every field but the modified flag.
    void CopyFrom(const QVGraphStyle& other);
    void Serialize(CArchive& ar) override;

    // Flag word: style kind (1 = a component's style), highlight, label direction and rotation.
    int GetStyleKind() const { return m_nFlags & 0xF; }
    BOOL IsComponentStyle() const { return GetStyleKind() == 1; }
    int GetHighlight() const { return (m_nFlags >> 8) & 0xF; }
    int GetLabelKind() const { return m_nFlags & 0xF0; }
    int GetLabelDirection() const { return (m_nFlags >> 20) & 0xF; }
    void SetLabelDirection(int nCode) { m_nFlags = (m_nFlags & ~0x00F00000) | ((nCode & 0xF) << 20); }
    int GetRotation() const { return (m_nFlags >> 24) & 0xF; }
    int GetDataLabelMode() const { return (m_nFlags >> 28) & 0x3; }
    void SetDataLabelMode(int nMode) { m_nFlags = (m_nFlags & ~0x30000000) | ((nMode & 0x3) << 28); }

    // Line-style word: line type, marker fill mode, point or shape type, graph type, axis style.
    int GetLineType() const { return m_nLineStyle & 0xF; }
    void SetLineType(int nType) { m_nLineStyle = (m_nLineStyle & ~0xF) | (nType & 0xF); }
    int GetMarkerFill() const { return m_nLineStyle & 0xF0; }
    void SetMarkerFill(int nMode) { m_nLineStyle = (m_nLineStyle & ~0xF0) | (nMode & 0xF0); }
    int GetShapeType() const { return (m_nLineStyle >> 8) & 0xFF; }
    void SetShapeType(int nType) { m_nLineStyle = (m_nLineStyle & ~0xFF00) | ((nType & 0xFF) << 8); }
    int GetGraphType() const { return (m_nLineStyle >> 16) & 0xFF; }
    void SetGraphType(int nType);
    int GetAxisStyle() const { return int((unsigned(m_nLineStyle) >> 24) & 0xFF); }
    void SetAxisStyle(int nStyle);

    // Option word.
    BOOL GetOption(int nBit) const { return (m_nOptions >> nBit) & 1; }
    void SetOption(int nBit, BOOL bSet);
    BOOL IsGroupHidden() const { return GetOption(22); }
    BOOL IsLogScale() const { return GetOption(27); }
    void SetLogScale(BOOL bLog);
    BOOL HasExplicitSizes() const { return GetOption(30); }

    // Axis option word.
    BOOL GetAxisOption(int nBit) const { return (unsigned(m_nAxisOptions) >> nBit) & 1; }
    void SetAxisOption(int nBit, BOOL bSet);

    // Component style word: border, shadow, fill type, image stretched.
    int GetBorderStyle() const { return m_nComponentStyle & 0xF; }
    void SetBorderStyle(int nStyle) { m_nComponentStyle = (m_nComponentStyle & ~0xF) | (nStyle & 0xF); }
    int GetShadowStyle() const { return (m_nComponentStyle >> 4) & 0xF; }
    void SetShadowStyle(int nStyle) { m_nComponentStyle = (m_nComponentStyle & ~0xF0) | ((nStyle & 0xF) << 4); }
    int GetFillType() const { return (m_nComponentStyle >> 8) & 0xF; }
    void SetFillType(int nType) { m_nComponentStyle = (m_nComponentStyle & ~0xF00) | ((nType & 0xF) << 8); }
    BOOL IsImageStretched() const { return (unsigned(m_nComponentStyle) >> 31) & 1; }
    void SetImageStretched(BOOL bStretch);

    // Bar depth, symbol width and marker size when the explicit sizes are on, else the fixed defaults.
    double GetBarDepthOrDefault() const { return HasExplicitSizes() ? m_dBarDepth : 10.0; }
    double GetMarkerSizeOrDefault() const { return HasExplicitSizes() ? m_dMarkerSize : 5.0; }

    void SetImageName(LPCTSTR lpszName);

    int m_bModified;            // a flag that changes drawing was changed; not archived
    int m_nFlags;
    COLORREF m_crColor;
    int m_nAxisOptions;
    double m_dSymbolWidth;
    double m_dBarDepth;
    double m_dMarkerSize;
    CString m_strText;          // a component's tag; an item's symbol or polygon name; "start|end" line ends
    int m_nLineStyle;
    int m_nOptions;
    int m_nComponentStyle;
    COLORREF m_crLineColor;
    CString m_strPatternImage;
    int m_nLineWidth;
    COLORREF m_crFill1;         // also the marker colour
    COLORREF m_crFill2;         // end colour of gradients
    double m_dFillValue;        // gradient angle of fill type 4
    CString m_strFillImage;
    double m_dValue1;
    double m_dValue2;
    double m_dTextAngle;        // a label's angle in degrees
};
