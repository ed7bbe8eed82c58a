// The base of every chart component: position, style with border, shadow and fill, data range, and the
// drawing services that subclasses and renderers share (fills, frames, lines, markers, symbols, shapes).
#pragma once

#include "chart/model/GraphRect.h"
#include "chart/model/GraphStyle.h"
#include "chart/model/RangeRecord.h"
#include "framework/core/Lists.h"

class CBitmap;
class CBrush;
class CDC;
class CPen;
class CRgn;
class CStdioFile;
class CWnd;
class QVGCompiledPolygon;
class QVGraph;
class QVGraphData;


// Colour table that colour codes index (0x00BBGGRR).
extern const COLORREF g_qvgColorTable[16];

class QVGraphComponent : public CObject
{
    DECLARE_SERIAL(QVGraphComponent)
public:
    // Fill kinds as callers pass them: a component fill type in bits 8-11 (0x000-0x600, 0xC00) or a
    // marker fill mode in bits 4-7 (0x00-0x70, 0xC0); -1 takes the kind from the style.
    enum { kindFromStyle = -1 };

    QVGraphComponent();
    ~QVGraphComponent() override;

    void Serialize(CArchive& ar) override;

    // Hooks for what the base does not draw.
    virtual void DrawCustomBorder(const CRect& rect);
    virtual void DrawCustomShadow(const CRect& rect, int nShadowStyle);
    virtual void FillCustom(CRgn* pRegion, QVGraphStyle* pStyle, const CRect& bounds);

    // end kind: 0 start, 1 end, 2 both.
    virtual void DrawLineItem(int x1, int y1, int x2, int y2, QVGraphStyle* pStyle, int nEndKind, QVGraphData* pItem);
    virtual void SelectColorBrush(int nCode, int nColorCount);
    virtual void SelectColorPen(int nCode, int nWidth);

    // Sizes in device units while drawing, in the measurement unit otherwise.
    virtual double GetSizeY();
    virtual double GetSizeX();
    virtual double GetSize();
    virtual void SetIndexStride(int nStride);
    virtual int GetIndexStride();
    virtual void SetGroupStride(int nStride);
    virtual int GetGroupStride();
    // Also gives the rectangle the chart and takes the chart's label annotation index.
    virtual void SetChart(QVGraph* pChart);
    virtual void SetFillImageName(LPCTSTR lpszName);
    virtual void SetFillValue(int nValue);
    virtual void SetFillColors(COLORREF crFill1, COLORREF crFill2);
    virtual void SetRectFrom(const QVGraphRect& rect);
    virtual void SetRect(double left, double top, double right, double bottom);
    virtual void SetIntRect(const RECT& rect);
    virtual QVGraphRect* GetRectObject();
    virtual void CopyRectTo(QVGraphRect& rect);
    virtual QVGraphRect GetRectCopy();
    virtual CRect GetDeviceRect();
    virtual void SetMeasurement(int nMode);
    virtual void Draw(CDC* pDC, CWnd* pView);
    virtual void FillPolygon(const POINT* pPoints, int nCount, QVGraphStyle* pStyle, int nKind = kindFromStyle);
    virtual void OutlinePolygon(const POINT* pPoints, int nCount, QVGraphStyle* pStyle, int nKind = kindFromStyle);
    virtual void FrameRegion(CRgn* pRegion, QVGraphStyle* pStyle, int nKind);
    virtual void FillRect(int left, int top, int right, int bottom);
    virtual void InvalidateOnView(CWnd* pView);

    // Chart templates: one line per component. The class fields come after the common fields, and
    // return the characters they took.
    virtual int ReadTemplateDetails(LPCTSTR lpszText);
    virtual int ReadTemplateComponent(LPCTSTR lpszText);
    // Nothing for a component without a keyword: the template reader could not make it again.
    virtual void WriteTemplate(CStdioFile* pFile);
    virtual void WriteTemplateKeyword(CStdioFile* pFile);
    // The first word of the component's line with its blank ("title "); empty for none.
    virtual LPCTSTR GetTemplateKeyword();
    virtual void WriteTemplateText(CStdioFile* pFile);
    virtual void WriteTemplateComponent(CStdioFile* pFile);
    virtual void WriteTemplateDetails(CStdioFile* pFile);

    // nColorCode / nLineType -1: the component's colour code, the style's line type.
    virtual void DrawLine(int x1, int y1, int x2, int y2, QVGraphStyle* pStyle, int nColorCode = -1,
                          int nLineType = -1, QVGraphData* pItem = NULL);
    virtual void DrawShape(int left, int top, int right, int bottom, int nIndex, int nGroup, QVGraphStyle* pStyle,
                           int nShapeType, QVGraphData* pItem);
    virtual void OffsetPoints(POINT* pPoints, int nCount, int dx, int dy);
    virtual void SetAnnotationIndex(int nIndex);
    virtual int GetInheritedAnnotationIndex();
    virtual CSize GetPointsExtent(const POINT* pPoints, int nCount);
    virtual void EndDrawing();
    virtual void SetDrawContext(CDC* pDC, CWnd* pView);
    virtual BOOL IsDrawing();
    virtual void DrawSymbol(int x, int y, QVGraphStyle* pStyle, QVGraphData* pItem);
    virtual CBitmap* GetPatternBitmap();
    virtual int GetBorderWidth();
    virtual int GetCustomBorderWidth();
    virtual CRect GetInnerRect(const CRect& rect);
    // The data label of DrawItemLabel; none in the base (the label component class supplies it).
    virtual QVGraphComponent* CreateLabel();
    virtual CPen* GetPen(int nStyle, int nWidth, COLORREF crColor);
    // which: 1 the start name, 2 the end name of the style text "start|end".
    virtual void DrawLineEnd(int x, int y, QVGraphStyle* pStyle, int nWhich, double angle);
    virtual double GetDeviceScaleY(CDC* pDC);
    virtual double GetDeviceScaleX(CDC* pDC);
    virtual void DrawItemLabel(int x, int y, QVGraphData* pItem);
    virtual int GetChartAnnotationIndex();
    virtual QVGCompiledPolygon* LoadPolygon(LPCTSTR lpszName, LPCTSTR lpszType);
    virtual BOOL InDataRange(int nIndex, int nGroup);
    virtual void DrawMarker(int x, int y, QVGraphStyle* pStyle, QVGraphData* pItem);
    virtual void DrawCustomMarker(int x, int y, QVGraphStyle* pStyle, QVGraphData* pItem);
    virtual CPen* GetDefaultPen();
    virtual void GetDataRange(int& nMinIndex, int& nMaxIndex, int& nMinGroup, int& nMaxGroup);
    virtual void SetDataRange(int nMinIndex, int nMaxIndex, int nMinGroup, int nMaxGroup);
    virtual void Recalculate();
    // Reads the version record of a loading archive: its version, -1 for archives without one.
    virtual int GetArchiveVersion(CArchive& ar);
    virtual CScale GetSerialVersion();
    // bRadians FALSE: the angle is in degrees.
    virtual CPoint RotatePoint(int x, int y, double angle, BOOL bRadians);
    virtual void HighlightInverted(QVGraphStyle& style);
    virtual void HighlightSized(QVGraphStyle& style);
    virtual void HighlightRed(QVGraphStyle& style);
    virtual void DrawInterior();
    virtual void DrawBorder();
    virtual void DrawContent();
    virtual void DrawShadow();
    virtual int RotateLabelDirection(QVGraphStyle* pStyle, QVGraphComponent* pLabel);

    // Plain accessors.
    QVGraphStyle* GetStyle() { return &m_style; }
    QVGraph* GetChart() const { return m_pChart; }
    CDC* GetDC() const { return m_pDC; }
    CWnd* GetView() const { return m_pView; }
    int GetTypeId() const { return m_nTypeId; }
    const CString& GetTag() const { return m_style.m_strText; }
    void SetTag(LPCTSTR lpszTag) { m_style.m_strText = lpszTag; }
    int GetColorCode() const { return m_nColorCode; }
    void SetColorCode(int nCode) { m_nColorCode = nCode; }
    int GetAnnotationIndex() const { return m_nAnnotationIndex; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible) { m_bVisible = bVisible ? 1 : 0; }
    BOOL IsChanged() const { return m_bChanged; }
    void SetChanged(BOOL bChanged = TRUE) { m_bChanged = bChanged ? 1 : 0; }
    BOOL IsSubComponent() const { return m_bSubComponent; }
    void SetSubComponent(BOOL bSub) { m_bSubComponent = bSub ? 1 : 0; }
    BOOL IsTemporary() const { return m_bTemporary != 0; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = BYTE(bTemporary ? 1 : 0); }
    CObList& GetPolygonList() { return m_polygons; }
    // On a printer (the framework's printing flag or a printer device).
    BOOL IsPrinting() const;
    // A data label's text by the item style's label kind (value, annotation, both); false for none.
    bool GetItemLabelText(QVGraphData* pItem, CString& text);
    // 10 device units (device-scaled on a printer) from the point in the direction code's way.
    CPoint GetItemLabelAnchor(int x, int y, int nDirection);
    // How far the shadow of the shadow style reaches right and down, in device units (0 for none or a
    // custom shadow).
    int GetShadowExtent();
    // First, last and count of the indexes and groups shown, from the limits (-1 = from the first, or
    // to the last, of the chart's data); returns the index count.
    int ResolveDataLimits();

protected:
    // The fill of one kind on the polygon; pFillRect is the polygon's bounding rectangle.
    void FillGradient(const CRect& rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical);
    void FillAngledGradient(const CRect& rect, COLORREF crFrom, COLORREF crTo, double angleDegrees);
    void FillImage(const CRect& rect, QVGraphStyle* pStyle, BOOL bFromFile);
    // A polygon named by the chart's stock shapes or resources, NULL when there is none.
    QVGCompiledPolygon* FindShape(LPCTSTR lpszName, LPCTSTR lpszType, double angle);
    void DrawBevel(const CRect& rect, COLORREF crTopLeft, COLORREF crBottomRight);
    int ScreenLogPixelsX();
    int ScreenLogPixelsY();

public:
    int m_nBrushCode;
    int m_nPenCode;
    int m_nPenWidth;
    int m_bVisible;             // the pass mark: set by the chart (or a compound) before it draws the component
    int m_bChanged;
    CObList m_polygons;         // named polygons that shape type 10 looks in first; owned
    int m_nAnnotationIndex;
    int m_nReserved;
    int m_nMaxIndex;
    int m_nMinIndex;
    int m_nMaxGroup;
    int m_nMinGroup;
    int m_nFirstIndex;
    int m_nLastIndex;
    int m_nIndexCount;
    int m_nFirstGroup;
    int m_nLastGroup;
    int m_nGroupCount;
    int m_nIndexStride;
    int m_nGroupStride;
    CScale m_valueDataRange;
    CScale m_indexDataRange;
    double m_dSize;
    double m_dSizeY;
    double m_dSizeX;
    CPen* m_pPen;               // from the chart's cache
    CBrush* m_pBrush;           // owned
    QVGraphRect m_rect;
    int m_nColorCode;
    QVGraphStyle m_style;
    int m_bDrawing;
    CWnd* m_pView;
    CDC* m_pDC;
    QVGraph* m_pChart;
    int m_nTypeId;
    CBitmap* m_pPatternBitmap;
    int m_bImageFile;
    BYTE m_bTemporary;
    CString m_strImageName;
    CBitmap* m_pImageBitmap;
    int m_nScreenLogPixelsX;
    int m_nScreenLogPixelsY;
    CPen* m_pItemPen;
    QVGraphComponent* m_pLabel; // the reusable data label; owned
    int m_bSubComponent;
};

// A bitmap resource of the program (name or MAKEINTRESOURCE id) into bitmap; FALSE when there is none.
BOOL LoadChartBitmap(CBitmap& bitmap, LPCTSTR lpszName);
BOOL LoadChartBitmap(CBitmap& bitmap, UINT nId);

// The rectangle as a closed polygon of five points: top left, top right, bottom right, bottom left, top left.
void ClosedCornersOf(const RECT& rect, POINT corners[5]);
// The smallest rectangle holding the points (its right and bottom on the outermost ones); empty for none.
CRect BoundsOfPoints(const POINT* pPoints, int nCount);
// Length and angle (radians; 0 for a point) of a line.
double LineLength(double x1, double y1, double x2, double y2);
double LineAngle(double x1, double y1, double x2, double y2);
// qsort comparators: doubles ascending, doubles descending, records by their second int ascending.
int CompareDoublesAscending(const void* a, const void* b);
int CompareDoublesDescending(const void* a, const void* b);
int CompareBySecondInt(const void* a, const void* b);
