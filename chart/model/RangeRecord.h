// A min/max record: data ranges, axis ranges and fixed ranges of the chart library.
#pragma once

#include "framework/core/Object.h"

class CScale : public CObject
{
    DECLARE_SERIAL(CScale)
public:
    CScale();
    CScale(const CScale& other);
    CScale& operator=(const CScale& other);

    // The first value after construction or Reset sets both ends; later ones only widen.
    void Include(double value);
    void Reset();
    double GetRange() const { return m_dMax - m_dMin; }
    // Decades spanned; 1 when an end is 0 or less.
    double GetLogRange() const;
    BOOL IsEmpty() const { return m_bEmpty; }

    void Serialize(CArchive& ar) override;

    double m_dMax;
    double m_dMin;
    int m_bEmpty;
};
