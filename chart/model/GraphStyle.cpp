#include "chart/model/GraphStyle.h"

#include "framework/core/Archive.h"

IMPLEMENT_SERIAL(QVGraphStyle, CObject, VERSIONABLE_SCHEMA | 1)

QVGraphStyle::QVGraphStyle()
    : m_bModified(0),
      m_nFlags(0x1010),
      m_crColor(0x808000),
      m_nAxisOptions(1),
      m_dSymbolWidth(1.0e7),
      m_dBarDepth(1.0e7),
      m_dMarkerSize(1.0e7),
      m_nLineStyle(0x112),
      m_nOptions(0),
      m_nComponentStyle(0x100),
      m_crLineColor(0),
      m_nLineWidth(1),
      m_crFill1(0xFFFFFF),
      m_crFill2(0),
      m_dFillValue(0.0),
      m_dValue1(30.0),
      m_dValue2(0.0),
      m_dTextAngle(0.0)
{
}

QVGraphStyle::QVGraphStyle(const QVGraphStyle& other) : QVGraphStyle()
{
    CopyFrom(other);
}

QVGraphStyle& QVGraphStyle::operator=(const QVGraphStyle& other)
{
    CopyFrom(other);
    return *this;
}

void QVGraphStyle::CopyFrom(const QVGraphStyle& other)
{
    if (&other == this)
        return;
    m_nFlags = other.m_nFlags;
    m_crColor = other.m_crColor;
    m_nAxisOptions = other.m_nAxisOptions;
    m_dSymbolWidth = other.m_dSymbolWidth;
    m_dBarDepth = other.m_dBarDepth;
    m_dMarkerSize = other.m_dMarkerSize;
    m_strText = other.m_strText;
    m_nLineStyle = other.m_nLineStyle;
    m_nOptions = other.m_nOptions;
    m_nComponentStyle = other.m_nComponentStyle;
    m_crLineColor = other.m_crLineColor;
    m_strPatternImage = other.m_strPatternImage;
    m_nLineWidth = other.m_nLineWidth;
    m_crFill1 = other.m_crFill1;
    m_crFill2 = other.m_crFill2;
    m_dFillValue = other.m_dFillValue;
    m_strFillImage = other.m_strFillImage;
    m_dValue1 = other.m_dValue1;
    m_dValue2 = other.m_dValue2;
    m_dTextAngle = other.m_dTextAngle;
}

void QVGraphStyle::SetGraphType(int nType)
{
    m_nLineStyle = (m_nLineStyle & ~0x00FF0000) | ((nType & 0xFF) << 16);
    m_bModified = 1;
}

void QVGraphStyle::SetAxisStyle(int nStyle)
{
    m_nLineStyle = int((unsigned(m_nLineStyle) & 0x00FFFFFFu) | (unsigned(nStyle & 0xFF) << 24));
    m_bModified = 1;
}

namespace {
void SetBit(int& word, int nBit, BOOL bSet)
{
    const unsigned mask = 1u << nBit;
    word = int(bSet ? (unsigned(word) | mask) : (unsigned(word) & ~mask));
}
}  // namespace

void QVGraphStyle::SetOption(int nBit, BOOL bSet)
{
    SetBit(m_nOptions, nBit, bSet);
}

void QVGraphStyle::SetAxisOption(int nBit, BOOL bSet)
{
    SetBit(m_nAxisOptions, nBit, bSet);
}

void QVGraphStyle::SetLogScale(BOOL bLog)
{
    SetOption(27, bLog);
    m_bModified = 1;
}

void QVGraphStyle::SetImageStretched(BOOL bStretch)
{
    m_nComponentStyle = int(bStretch ? (unsigned(m_nComponentStyle) | 0x80000000u)
                                     : (unsigned(m_nComponentStyle) & 0x7FFFFFFFu));
}

void QVGraphStyle::SetImageName(LPCTSTR lpszName)
{
    m_strFillImage = lpszName;
    m_bModified = 1;
}

void QVGraphStyle::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nLineStyle << m_nOptions << m_nAxisOptions << m_nComponentStyle;
        ar << DWORD(m_crFill1) << DWORD(m_crFill2) << DWORD(m_crLineColor);
        ar << m_dFillValue << m_dBarDepth << m_dSymbolWidth << m_dMarkerSize << m_nLineWidth;
        ar << m_strFillImage << m_strText << m_nFlags << DWORD(m_crColor);
        ar << m_dValue1 << m_dValue2 << m_dTextAngle;
    } else {
        DWORD fill1 = 0, fill2 = 0, lineColor = 0, color = 0;
        ar >> m_nLineStyle >> m_nOptions >> m_nAxisOptions >> m_nComponentStyle;
        ar >> fill1 >> fill2 >> lineColor;
        ar >> m_dFillValue >> m_dBarDepth >> m_dSymbolWidth >> m_dMarkerSize >> m_nLineWidth;
        ar >> m_strFillImage >> m_strText >> m_nFlags >> color;
        ar >> m_dValue1 >> m_dValue2 >> m_dTextAngle;
        m_crFill1 = fill1;
        m_crFill2 = fill2;
        m_crLineColor = lineColor;
        m_crColor = color;
    }
}
