// The component that fills the chart area behind everything else: fill, border and shadow of its rectangle.
#pragma once

#include "chart/model/GraphComponent.h"

class QVGraphBackground : public QVGraphComponent
{
    DECLARE_SERIAL(QVGraphBackground)
public:
    QVGraphBackground();

    LPCTSTR GetTemplateKeyword() override;
};
