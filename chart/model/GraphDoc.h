// The document that holds one chart: its views draw the embedded chart; commands change its data, and a
// template name or a block of data text fills it.
#pragma once

#include "chart/model/ComDoc.h"
#include "chart/model/Graph.h"

#include <cstddef>
#include <cstdint>

// The record of data commands 1 (item text) and 4 (group text): 32-bit fields whatever the pointer size,
// the text (terminated) from byte 12 on.
struct QVGTextCommandRecord
{
    std::int32_t nGroup;
    std::int32_t nIndex;
    std::int32_t nReserved;
    char szText[1];
};
static_assert(offsetof(QVGTextCommandRecord, szText) == 12, "the text begins at byte 12");

// The record of data command 2 (a value, or null).
struct QVGValueCommandRecord
{
    std::int32_t nGroup;
    std::int32_t nIndex;
    double dValue;
    std::int32_t bNull;
};
static_assert(offsetof(QVGValueCommandRecord, dValue) == 8 && offsetof(QVGValueCommandRecord, bNull) == 16,
              "32-bit fields around the value");

class CGraphDoc : public BWKComDoc
{
    DECLARE_DYNCREATE(CGraphDoc)
public:
    // Data commands of OnDataCommand.
    enum {
        dataItemText = 1,
        dataValue = 2,
        dataGroupText = 4,
        dataHighlight = 6,
        dataUnhighlight = 7,
        dataMinGroup = 8,
        dataMaxGroup = 9,
        dataMinIndex = 10,
        dataMaxIndex = 11
    };

    CGraphDoc();
    ~CGraphDoc() override;

    BOOL OnNewDocument() override;
    // (LoadChartFromMemory) A template by its name, and a data text in global memory; the block is
    // freed whatever happens.
    int OnDataBlock(LPCTSTR lpszName, HGLOBAL hBlock) override;
    // (ApplyDataCommand) Codes 1, 2 and 4 take a record (above); codes 6 to 11 one 32-bit value in the
    // pointer-sized argument. 1 for a known code, 0 for any other.
    int OnDataCommand(WPARAM nCode, LPARAM lData) override;
    void Serialize(CArchive& ar) override;

    QVGraph& GetChart() { return m_chart; }

protected:
    QVGraph m_chart;
};
