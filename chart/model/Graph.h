// One chart: its components (drawn in list order), its data, caches of pens, fonts and shapes, and the
// feedback records that tell which screen area shows which data item.
#pragma once

#include "chart/model/DataManager.h"
#include "framework/core/Geometry.h"
#include "framework/core/Maps.h"

class CBitmap;
class CDC;
class CFont;
class CPalette;
class CPen;
class CRgn;
class CWnd;
class QVGCompiledPolygon;
class QVGraphComponent;
class QVGraphFeedback;

// Tags of the components that data labels make (data-label modes 2 and 3).
#define QVG_TEMPORARY_TAG "_FG_TEMPORARY_TAG_OBJECT_"
#define QVG_BLOCK_TAG "_FG_TAG_BLOCK_"
#define QVG_STOCK_SHAPE_PREFIX "_FG_STOCK_SHAPE_"

class QVGraph : public CObject
{
    DECLARE_SERIAL(QVGraph)
public:
    QVGraph();
    ~QVGraph() override;

    void Serialize(CArchive& ar) override;

    virtual BOOL IsFeedbackEnabled();
    virtual void ShowTemplateError(LPCTSTR lpszLine);
    // The drawing area a pass would use, without drawing; keeps dc and view.
    virtual void PrepareDrawing(CDC* pDC, CWnd* pView);
    virtual void ResetDrawContext();
    // nSize >= 0: points; < 0: a character height. pLogFont, when given, makes the font.
    virtual CFont* GetFont(LPCTSTR lpszFace, int nSize, int nStyleFlags, int nOrientation, CDC* pDC,
                           const LOGFONT* pLogFont = NULL);
    virtual void AddComponent(QVGraphComponent* pComponent);
    virtual QVGraphComponent* BuildStandardChart(int nTypeId, int nMeasurement, const RECT& rect, int nBorder,
                                                 int nShadow, int nFill, int nGraphType, int nAxisStyle);
    virtual CPen* GetPen(int nStyle, int nWidth, COLORREF crColor);
    // Raises error 19 for a text that does not parse; NULL when no resource or file has the name.
    virtual QVGCompiledPolygon* LoadPolygon(LPCTSTR lpszName, LPCTSTR lpszType);
    virtual void SetDefaultStyle(const QVGraphStyle& style);
    virtual QVGraphStyle* GetDefaultStyle();
    virtual void SetPaletteSize(int nSize);
    virtual int GetPaletteSize();
    virtual void RemoveTaggedComponents(LPCTSTR lpszTag);
    virtual QVGraphComponent* FindComponentByTag(LPCTSTR lpszTag);
    virtual BOOL FindStockShape(LPCTSTR lpszName, LPCTSTR lpszType, QVGCompiledPolygon*& pPolygon, double angle);
    virtual void CreateDefaultPalette();
    virtual void SerializeComponents(CArchive& ar);
    // Kind 5: a rectangle record.
    virtual void AddFeedbackRect(int nIndex, int nGroup, const RECT& rect);
    // Kind 5: a rectangle record of rect; any other kind: a point record at rect's top left with
    // rect.right as radius (5 when 0 or less).
    virtual void AddFeedback(int nIndex, int nGroup, const RECT& rect, int nKind);
    virtual void RemoveAllData();
    virtual void ResetDataCursor();
    virtual void ClipToPolygon(const POINT* pPoints, int nCount, int nMode);
    virtual void ClipToRect(int left, int top, int right, int bottom, int nMode);
    virtual void RestoreClip();
    virtual void SaveClip();
    virtual void DrawBanded(CDC* pPrinterDC, CWnd* pView);
    virtual POSITION GetCurrentPosition();
    virtual QVGraphDataList* CreateGroup();
    virtual QVGraphData* FindItem(int nIndex, int nGroup);
    virtual QVGraphData* GetItem(int nIndex, int nGroup);
    virtual CSize GetDrawingSize();
    virtual void SetDataManager(QVGDataManager* pManager, BOOL bOwns);
    virtual void PushValue(int nGroup, double value, BOOL bAtStart);
    virtual void AddFeedbackRegion(const RECT& rect, int nIndex = -1, int nGroup = -1);
    virtual void Refresh();
    virtual void ApplyStyle(int nFirstGroup, int nLastGroup, int nFirstIndex, int nLastIndex,
                            const QVGraphStyle& style, BOOL bGroupsToo);
    virtual void SetComponentMinIndex(int n, int nValue, int nTypeId);
    virtual void SetComponentMaxIndex(int n, int nValue, int nTypeId);
    virtual void SetComponentMinGroup(int n, int nValue, int nTypeId);
    virtual void SetComponentMaxGroup(int n, int nValue, int nTypeId);
    virtual double GetIndexAverage(int nFirstIndex, int nLastIndex, int nGroup);
    virtual double GetGroupAverage(int nGroup);
    virtual double GetIndexSum(int nIndex, int nFirstGroup, int nLastGroup);
    virtual void DeleteAllComponents();
    virtual void SetManagerText(LPCTSTR lpszText, int nIndex);
    virtual void InvalidateComponents(CWnd* pView, int nMode, int nValue);
    virtual void ReadDataText(LPCTSTR lpszText);
    virtual void Clear();
    virtual double GetGroupSum(int nGroup);
    virtual double GetRangeSum(int nFirstGroup, int nFirstIndex, int nLastGroup, int nLastIndex);
    virtual int GetGroupSize(int nGroup);
    // Appends the components of the template: a "QVGRAPH_TEMPLATE" resource of the name, or the file.
    // Reading ends at the first error; what was made before it stays.
    virtual void ReadChartTemplate(LPCTSTR lpszName);
    // Called with the line of an unknown or misplaced template command.
    virtual BOOL OnUnknownTemplateCommand(LPCTSTR lpszLine);
    virtual CString GetGroupText(int nGroup, int nAnnotation);
    virtual CString GetItemText(int nGroup, int nIndex, int nAnnotation);
    virtual CString GetManagerText(int nIndex);
    virtual int GetGroupCount();
    virtual int GetMaxGroupSize();
    virtual void GetValueRange(CScale& range, BOOL bUseItemRanges);
    virtual QVGraphDataList* GetGroup(int nGroup, BOOL bCreate);
    virtual void Draw(CDC* pDC, CWnd* pView);
    virtual QVGraphFeedback* FindFeedback(int x, int y);
    virtual void AddFeedbackPolygon(const POINT* pPoints, int nCount, int nIndex, int nGroup);
    virtual double GetTotal();
    virtual BOOL GetDoubleBuffering();
    virtual void SetDoubleBuffering(BOOL bOn);
    virtual BOOL GetFeedbackEnabled();
    virtual void SetFeedbackEnabled(BOOL bOn);
    virtual QVGraphAnnotationList* GetManagerAnnotations();
    virtual CObList* GetFeedbackList();
    virtual CObList* GetComponentList();
    virtual QVGraphStyle* GetChartStyle();
    virtual double GetItemValue(int nIndex, int nGroup);
    // The n-th (from 0) component with the type id, -1 = any; compound components count their children.
    virtual QVGraphComponent* FindComponent(int n, int nTypeId);
    virtual QVGraphComponent* GetNextComponent(POSITION& pos, int nTypeId);
    virtual POSITION GetFirstComponentPosition(int nTypeId);
    virtual CObList* GetGroupList();
    virtual POSITION GetFirstGroupPosition();
    virtual QVGraphDataList* GetNextGroup(POSITION& pos);
    virtual void SetLabelAnnotation(int nIndex);
    virtual int GetLabelAnnotation();
    virtual void SetBanding(BOOL bBanding);
    virtual BOOL GetBanding();
    virtual void SetPaletteDevice(BOOL bPalette);
    virtual BOOL GetPaletteDevice();
    virtual void SetImageCached(BOOL bCached);
    virtual BOOL GetImageCached();
    virtual CPalette* GetPalette();
    virtual void PlaceFixedRect(const CRect& target, CRect& rect);
    // Whether the chart's data streams in (a subclass that feeds it says so); no by default. The chart
    // wizard leaves such data where it is and works on sample data.
    virtual BOOL IsDynamic();

    // Writes the component list as a template file as the chart edit dialog saves it: a header line, a
    // line per component, and the footer. Throws CFileException when the file cannot be written.
    void WriteChartTemplate(LPCTSTR lpszPath);

    // Data shortcuts.
    void SetValue(int nIndex, int nGroup, double value, BOOL bCopyDefaultStyle = FALSE);
    void SetItemText(int nIndex, int nGroup, LPCTSTR lpszText);
    void SetGroupText(int nGroup, LPCTSTR lpszText, BOOL bClearFirst = FALSE);
    QVGraphComponent* GetCurrentComponent();

    // Point-feedback record of radius 5: what renderers leave for each plotted point.
    void AddFeedbackPoint(int x, int y, int nGroup, int nIndex);
    // A feedback point's half width.
    enum { feedbackRadius = 5 };

    QVGDataManager* GetDataManager() const { return m_pDataManager; }
    CDC* GetDC() const { return m_pDC; }
    CWnd* GetView() const { return m_pView; }
    BOOL IsDrawing() const { return m_bDrawing; }
    const CRect& GetDrawingArea() const { return m_rectDrawing; }
    BOOL HasFixedRect() const { return m_bFixedRect; }
    const CRect& GetFixedRect() const { return m_rectFixed; }
    int GetPlacement() const { return m_nPlacement; }
    // A chart rectangle that does not follow the window; placement bits 0-3 vertical, 4-7 horizontal.
    void SetFixedRect(const RECT& rect, int nPlacement);
    void ClearFixedRect() { m_bFixedRect = 0; }
    BOOL IsChanged() const { return m_bChanged; }
    int GetInvalidateMode() const { return m_nInvalidateMode; }
    int GetInvalidateValue() const { return m_nInvalidateValue; }
    BOOL HasNoData() const { return m_bNoData; }
    // On a printer (the framework's printing flag or a printer device).
    static BOOL IsPrinterDC(CDC* pDC);
    // A draw pass of some chart is running in this process.
    static BOOL IsAnyDrawPassRunning();

protected:
    void DeletePolygons();
    void DeleteComponents();
    void DeleteFeedback();
    void DeleteCaches();
    void DrawComponents(CDC* pDC, CWnd* pView);
    CRect ClientRectOf(CWnd* pView) const;
    // The fixed chart rectangle placed in the target, or the whole target without one.
    CRect DrawingAreaIn(const CRect& target);

    int m_bChanged;
    int m_nLabelAnnotation;
    int m_nInvalidateValue;
    int m_nInvalidateMode;
    int m_bInvalidatePending;
    int m_bDoubleBuffering;
    QVGraphStyle m_chartStyle;
    CObList m_components;
    QVGDataManager* m_pDataManager;
    int m_bOwnsDataManager;
    int m_bFeedbackEnabled;
    CObList m_feedback;
    CRect m_rectDrawing;
    int m_bNoData;
    int m_bImageCached;
    CMapStringToPtr m_penCache;     // key -> CPen*
    CMapStringToPtr m_fontCache;    // key -> CFont*
    CObList m_polygons;
    int m_nPaletteSize;
    int m_bPaletteDevice;
    CPalette* m_pPalette;
    CPtrList m_clipStack;           // CRgn* or NULL for "no clip region"
    CRect m_rectPage;
    int m_bBanding;
    POSITION m_posCurrent;
    int m_bDrawing;
    CWnd* m_pView;
    CDC* m_pDC;
    CRect m_rectCachedImage;
    CBitmap* m_pBitmap;
    CRect m_rectFixed;
    int m_nPlacement;
    int m_bFixedRect;
};
