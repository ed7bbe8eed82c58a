// A shape as floating-point coordinates, compiled to device points: scaled, rotated, moved or fitted into
// a rectangle. Carries the stock shapes, the symbol and line-end resources and label backgrounds.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/core/Lists.h"

#include <vector>

class QVGCoordinate : public CObject
{
    DECLARE_SERIAL(QVGCoordinate)
public:
    QVGCoordinate();
    QVGCoordinate(double x, double y);

    virtual void SetXInt(int x);
    virtual void SetX(double x);
    virtual double GetX();
    virtual void SetYInt(int y);
    virtual void SetY(double y);
    virtual double GetY();

    void Serialize(CArchive& ar) override;

    double m_dX;
    double m_dY;
};

class QVGCompiledPolygon : public CObject
{
    DECLARE_SERIAL(QVGCompiledPolygon)
public:
    // Stock shapes by their index in the chart's table; any other index gives the box.
    enum StockShape { box = 0, circle, triangle, flash, hexagon, pentagon, diamond };

    QVGCompiledPolygon();
    explicit QVGCompiledPolygon(int nStockShape);
    ~QVGCompiledPolygon() override;

    // Capacity 128 for up to 128 points, else the next multiple of 128 (contents not kept).
    virtual void EnsureCapacity();
    virtual void SetScaleX(double scale);
    virtual double GetScaleX();
    virtual void SetScaleY(double scale);
    virtual double GetScaleY();
    virtual void SetRotatedFlag(BOOL bRotated);
    virtual void SetAngle(double degrees);
    virtual double GetAngle();
    // The n corners at 360/n degree steps on a circle of radius 100 about (-50, -50), closed.
    virtual void MakeRegular(int n);
    virtual void SetRotation(double degrees);
    // Maps the shape into the rectangle, y growing upwards.
    virtual void FitToRect(const RECT& rect);
    // Scales, rotates and moves the coordinates into the points.
    virtual void Transform(int dx, int dy);
    virtual const CString& GetName();
    virtual void SetName(LPCTSTR lpszName);
    // The compiled points (the plain coordinates rounded when the polygon is dirty).
    virtual POINT* GetPoints();
    virtual void AddPointInt(int x, int y);
    virtual void AddPoint(double x, double y);
    virtual void AddCoordinate(QVGCoordinate* pCoordinate);
    virtual int GetPointCount();

    int GetCapacity() const { return m_nCapacity; }
    BOOL IsRotated() const { return m_bRotated; }

    // The FLASH stock shape's vertices, closed, in a box from (-25, -10) to (25, 10); label backgrounds
    // take the same outline.
    static const double s_flashVertices[17][2];

    void Serialize(CArchive& ar) override;

protected:
    void AddPoints(const double (*points)[2], int nCount);
    void RemoveCoordinates();

    double m_dScaleX;
    double m_dScaleY;
    int m_bRotated;
    double m_dAngle;
    CString m_strName;
    std::vector<POINT> m_points;
    int m_nCapacity;
    CObList m_coordinates;
    int m_bDirty;
};
