#include "chart/model/GraphBackground.h"

#include "chart/model/ChartResourceIds.h"

IMPLEMENT_SERIAL(QVGraphBackground, QVGraphComponent, VERSIONABLE_SCHEMA | 1)

QVGraphBackground::QVGraphBackground()
{
    m_nTypeId = IDS_QVG_BACKGROUND;
}

LPCTSTR QVGraphBackground::GetTemplateKeyword()
{
    return "background ";
}
