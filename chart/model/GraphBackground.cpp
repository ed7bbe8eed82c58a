#include "chart/model/GraphBackground.h"

#include "chart/model/ChartResourceIds.h"
#include "framework/core/File.h"

IMPLEMENT_SERIAL(QVGraphBackground, QVGraphComponent, VERSIONABLE_SCHEMA | 1)

QVGraphBackground::QVGraphBackground()
{
    m_nTypeId = IDS_QVG_BACKGROUND;
}

void QVGraphBackground::WriteTemplateKeyword(CStdioFile* pFile)
{
    pFile->WriteString("background ");
}
