// The common fields of a component's template line: rectangle, measurement, border, fill and shadow.
#include "chart/model/GraphComponent.h"

#include "chart/model/GraphException.h"
#include "chart/model/TemplateFields.h"
#include "framework/core/File.h"
#include "framework/core/NumberText.h"

#include <cstdio>
#include <string>

namespace {
void Write(CStdioFile* pFile, const std::string& text)
{
    pFile->WriteString(text.c_str());
}
}  // namespace

COLORREF TemplateColor(int red, int green, int blue)
{
    return COLORREF((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

int ReadTitleFields(LPCTSTR lpszText, QVGTitleFields& fields)
{
    int red = 0, green = 0, blue = 0, consumed = 0;
    char face[32] = "";
    if (std::sscanf(lpszText, " %d %d %d \"%31[0-9a-zA-Z-_. ]\" %d %d %d%n", &red, &green, &blue, face,
                    &fields.nSize, &fields.nStyleFlags, &fields.nAlignment, &consumed) < 7)
        RaiseChartError(10);
    fields.crText = TemplateColor(red, green, blue);
    fields.strFace = face;
    return consumed;
}

void WriteTitleFields(CStdioFile* pFile, const QVGTitleFields& fields)
{
    const COLORREF c = fields.crText;
    Write(pFile, NumberText::Format("%d %d %d \"%s\" %d %d %d ", GetRValue(c), GetGValue(c), GetBValue(c),
                                    static_cast<LPCTSTR>(fields.strFace), fields.nSize, fields.nStyleFlags,
                                    fields.nAlignment));
}

int QVGraphComponent::ReadTemplateDetails(LPCTSTR)
{
    return 0;
}

int QVGraphComponent::ReadTemplateComponent(LPCTSTR lpszText)
{
    float left = 0, top = 0, right = 0, bottom = 0;
    int measurement = 0, border = 0, fill = 0, shadow = 0, consumed = 0;
    if (std::sscanf(lpszText, "%g %g %g %g %d %d %d %d %n", &left, &top, &right, &bottom, &measurement, &border,
                    &fill, &shadow, &consumed) < 8)
        RaiseChartError(8);
    const char* pFill = lpszText + consumed;
    int c[6] = {0, 0, 0, 0, 0, 0};
    double angle = 0;
    int fillConsumed = 0;
    int imageFlag = 0;
    char imageName[32] = "";
    switch (fill) {
    case 0:
        break;
    case 1:
        if (std::sscanf(pFill, "%d %d %d %n", &c[0], &c[1], &c[2], &fillConsumed) < 3)
            RaiseChartError(9);
        break;
    case 2:
    case 3:
        if (std::sscanf(pFill, "%d %d %d %d %d %d %n", &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &fillConsumed) < 6)
            RaiseChartError(9);
        break;
    case 4:
        // The angle is written "%g": read with its fraction.
        if (std::sscanf(pFill, "%d %d %d %d %d %d %lg %n", &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &angle,
                        &fillConsumed) < 7)
            RaiseChartError(9);
        break;
    case 5:
        if (std::sscanf(pFill, " \"%31[0-9a-zA-Z-_. ]\" %d %n", imageName, &imageFlag, &fillConsumed) < 2)
            RaiseChartError(9);
        break;
    default:
        RaiseChartError(9);
    }
    SetRect(left, top, right, bottom);
    SetMeasurement(measurement);
    m_style.m_nComponentStyle = ((fill & 0xF) << 8) | ((shadow & 0xF) << 4) | (border & 0xF);
    m_style.m_crFill1 = fill >= 1 ? TemplateColor(c[0], c[1], c[2]) : 0;
    m_style.m_crFill2 = fill >= 2 && fill <= 4 ? TemplateColor(c[3], c[4], c[5]) : 0;
    m_style.m_dFillValue = fill == 4 ? angle : 0;
    m_style.SetImageName(fill == 5 ? imageName : "");
    // The flag says "stretched", as the writer writes it, so a template reads back as it was written.
    m_style.SetImageStretched(fill == 5 && imageFlag != 0);
    return consumed + fillConsumed;
}

void QVGraphComponent::WriteTemplate(CStdioFile* pFile)
{
    if (*GetTemplateKeyword() == '\0')
        return;
    WriteTemplateKeyword(pFile);
    WriteTemplateComponent(pFile);
    WriteTemplateText(pFile);
    WriteTemplateDetails(pFile);
    pFile->WriteString("\n");
}

void QVGraphComponent::WriteTemplateKeyword(CStdioFile* pFile)
{
    pFile->WriteString(GetTemplateKeyword());
}

LPCTSTR QVGraphComponent::GetTemplateKeyword()
{
    return "";
}

void QVGraphComponent::WriteTemplateText(CStdioFile*) {}

void QVGraphComponent::WriteTemplateDetails(CStdioFile*) {}

void QVGraphComponent::WriteTemplateComponent(CStdioFile* pFile)
{
    const int fill = m_style.GetFillType();
    Write(pFile, NumberText::Format("%g %g %g %g %d %d %d %d ", m_rect.m_dLeft, m_rect.m_dTop, m_rect.m_dRight,
                                    m_rect.m_dBottom, m_rect.m_nMeasurement, m_style.GetBorderStyle(), fill,
                                    m_style.GetShadowStyle()));
    const COLORREF c1 = m_style.m_crFill1, c2 = m_style.m_crFill2;
    switch (fill) {
    case 1:
        Write(pFile, NumberText::Format("%d %d %d ", GetRValue(c1), GetGValue(c1), GetBValue(c1)));
        break;
    case 2:
    case 3:
        Write(pFile, NumberText::Format("%d %d %d %d %d %d ", GetRValue(c1), GetGValue(c1), GetBValue(c1),
                                        GetRValue(c2), GetGValue(c2), GetBValue(c2)));
        break;
    case 4:
        Write(pFile, NumberText::Format("%d %d %d %d %d %d %g ", GetRValue(c1), GetGValue(c1), GetBValue(c1),
                                        GetRValue(c2), GetGValue(c2), GetBValue(c2), m_style.m_dFillValue));
        break;
    case 5:
        Write(pFile, NumberText::Format("\"%s\" %d ", static_cast<LPCTSTR>(m_style.m_strFillImage),
                                        m_style.IsImageStretched() ? 1 : 0));
        break;
    default:
        break;
    }
}
