// A grid document of 100,000 x 10 cells, each holding a value, stored to memory and loaded back.
// Prints the document's size and the milliseconds of each step.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "tests/bench/BenchSupport.h"

namespace
{
const ROWCOL Rows = 100000;
const ROWCOL Cols = 10;
} // namespace

int main()
{
    GXStartLibrary();
    CGXGridParam param;
    auto* pStylesMap = new CGXStylesMap;
    pStylesMap->CreateStandardStyles();
    param.SetStylesMap(pStylesMap);
    param.SetProperties(new CGXProperties);
    auto* pData = new CGXData;
    pData->SetRowCount(Rows);
    pData->SetColCount(Cols);
    CGXStyle cell;
    for (ROWCOL nRow = 1; nRow <= Rows; ++nRow)
        for (ROWCOL nCol = 1; nCol <= Cols; ++nCol)
        {
            cell.SetValue(static_cast<double>(nRow) * 0.5 + nCol);
            pData->StoreStyleRowCol(nRow, nCol, &cell, gxOverride);
        }
    param.SetData(pData);

    Stopwatch watch;
    // Grown a megabyte at a time, as a document of this size would be on disk.
    CMemFile file(1024 * 1024);
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<const CObject*>(&param);
        ar.Close();
    }
    const long long storeMs = watch.Milliseconds();
    const ULONGLONG nSize = file.GetLength();
    std::printf("grid document, %lu x %lu cells with a value: %llu bytes\n", static_cast<unsigned long>(Rows),
                static_cast<unsigned long>(Cols), static_cast<unsigned long long>(nSize));
    std::printf("store: %lld ms\n", storeMs);

    file.SeekToBegin();
    watch.Milliseconds();
    std::unique_ptr<CObject> pLoaded;
    {
        CArchive ar(&file, CArchive::load);
        pLoaded.reset(ar.ReadOwnedObject(RUNTIME_CLASS(CGXGridParam)));
    }
    const long long loadMs = watch.Milliseconds();
    const auto* pParam = static_cast<const CGXGridParam*>(pLoaded.get());
    CGXStyle last;
    pParam->GetData()->GetStyleRowCol(Rows, Cols, last, gxCopy, 0);
    std::printf("load: %lld ms (%lu rows, cell %lu,%lu \"%s\")\n", loadMs,
                static_cast<unsigned long>(pParam->GetData()->GetRowCount()), static_cast<unsigned long>(Rows),
                static_cast<unsigned long>(Cols), static_cast<LPCTSTR>(last.GetValue()));
    return 0;
}
